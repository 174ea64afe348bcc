// Drawing routines shared by the XP-look controls: a two-colour gradient made of solid
// bands, and small integer and rectangle helpers.
#pragma once

#include <cstdint>

#include "toolkit/Canvas.h"
#include "toolkit/Color.h"

// Where Color1 and Color2 of a gradient lie.
enum class TGradientDirection : std::uint8_t {
    gdTopToBottom = 0, // horizontal bands, Color1 at the top
    gdBottomToTop = 1, // horizontal bands, Color2 at the top
    gdLeftToRight = 2, // vertical bands, Color1 at the left
    gdRightToLeft = 3, // vertical bands, Color2 at the left
};

int IntMax(int a, int b);
int IntMin(int a, int b);
// Bottom - Top and Right - Left, not normalised: zero or negative for an empty or
// inverted rectangle.
int RectHeight(const TRect& rect);
int RectWidth(const TRect& rect);

// Fills rect with `steps` bands running from the start colour S to the end colour E
// (S = Color1 for top-to-bottom and left-to-right, Color2 otherwise):
//   - an empty rect draws nothing and leaves the canvas alone;
//   - fewer than 2 steps fill the rect with Color1 whatever the direction;
//   - otherwise N = IntMax(2, IntMin(steps, extent)) bands of extent div N pixels,
//     band i coloured S + MulDiv(i, E - S, N - 1) per component, and the last
//     extent mod N pixels in E. A rect one pixel high thus comes out all E.
// Bands are filled with a temporary brush; the canvas brush is untouched, but the pen
// is left solid and in copy mode. Callers with a larger count pass its low 8 bits, so
// 256 arrives as 0 and gives a solid fill.
void FillGradient(TCanvas& canvas, TRect rect, TColor color1, TColor color2, TGradientDirection direction,
                  std::uint8_t steps);
