#include "xpcontrols/XpDrawing.h"

#include <array>

int IntMax(int a, int b)
{
    return a > b ? a : b;
}

int IntMin(int a, int b)
{
    return a < b ? a : b;
}

int RectHeight(const TRect& rect)
{
    return rect.Bottom - rect.Top;
}

int RectWidth(const TRect& rect)
{
    return rect.Right - rect.Left;
}

namespace {

std::array<int, 3> Components(std::uint32_t rgb)
{
    return {static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF)};
}

std::uint8_t Byte(int value)
{
    return static_cast<std::uint8_t>(value);
}

} // namespace

void FillGradient(TCanvas& canvas, TRect rect, TColor color1, TColor color2, TGradientDirection direction,
                  std::uint8_t steps)
{
    if (IsRectEmpty(rect))
        return;
    if (steps < 2) {
        canvas.FillRect(rect, TColor::FromHex(color1.Rgb()));
        return;
    }

    const bool reversed =
        direction == TGradientDirection::gdBottomToTop || direction == TGradientDirection::gdRightToLeft;
    const bool vertical =
        direction == TGradientDirection::gdTopToBottom || direction == TGradientDirection::gdBottomToTop;
    const std::uint32_t start = reversed ? color2.Rgb() : color1.Rgb();
    const std::uint32_t end = reversed ? color1.Rgb() : color2.Rgb();
    const std::array<int, 3> s = Components(start);
    const std::array<int, 3> e = Components(end);
    const std::array<int, 3> d = {e[0] - s[0], e[1] - s[1], e[2] - s[2]};

    const int extent = vertical ? RectHeight(rect) : RectWidth(rect);
    const int bands = IntMax(2, IntMin(steps, extent));
    const int bandSize = extent / bands;

    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Mode = TPenMode::pmCopy;

    // One band, or the remainder, from `from` to `to` along the axis.
    auto fill = [&](int from, int to, TColor color) {
        const TRect band = vertical ? TRect{rect.Left, from, rect.Right, to} : TRect{from, rect.Top, to, rect.Bottom};
        canvas.FillRect(band, color);
    };
    const int origin = vertical ? rect.Top : rect.Left;
    if (bandSize > 0) {
        for (int i = 0; i < bands; ++i) {
            const TColor color = TColor::FromRgb(Byte(s[0] + MulDiv(i, d[0], bands - 1)),
                                                 Byte(s[1] + MulDiv(i, d[1], bands - 1)),
                                                 Byte(s[2] + MulDiv(i, d[2], bands - 1)));
            fill(origin + i * bandSize, origin + (i + 1) * bandSize, color);
        }
    }
    const int remainder = extent % bands;
    if (remainder > 0) {
        const int far = vertical ? rect.Bottom : rect.Right;
        fill(far - remainder, far, TColor::FromHex(end));
    }
}
