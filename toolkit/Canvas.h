// TCanvas: GDI-style drawing on a QPainter, so a control's Paint reads like its
// description and lands on exactly the pixels the classic desktop would touch.
//
// Pixel conventions, held here and nowhere else:
//   - Rectangles are (Left, Top, Right, Bottom); right and bottom are exclusive.
//     Rectangle(0, 0, 10, 5) with a 1-pixel pen covers x 0..9, y 0..4.
//   - A line covers its start point and stops one pixel short of its end point.
//   - RoundRect rounds each corner by a quarter of an ellipse whose axes run through
//     the centres of the corner pixels: corner 2 or 3 leaves the one corner pixel
//     alone, corner 4 or 5 leaves three (a two-pixel diagonal step).
//   - With a clear pen a shape's fill stops one pixel short on the right and bottom.
//   - The focus rectangle inverts every other pixel of its one-pixel border, those
//     with an even x + y, so drawing it twice restores the picture.
//   - Text is placed by the top-left corner of its cell and clipped to a rectangle.
//   - No antialiasing anywhere.
#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "toolkit/Color.h"
#include "toolkit/Font.h"

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRect&) const = default;
};

// True when the rectangle has no pixels: Right <= Left or Bottom <= Top.
bool IsRectEmpty(const TRect& rect);

// number * numerator / denominator through a 64-bit product, rounded to nearest with
// halves away from zero: MulDiv(1, -49, 8) == -6, MulDiv(4, -49, 8) == -25.
// Returns -1 when the denominator is 0 or the result does not fit 32 bits.
int MulDiv(int number, int numerator, int denominator);

enum class TPenStyle : std::uint8_t { psSolid, psClear };
// pmCopy paints the pen colour; pmNot inverts what is underneath.
enum class TPenMode : std::uint8_t { pmCopy, pmNot };
enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1; // widths below 1 draw as 1
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

class TCanvas {
public:
    // Not attached: only measuring works until Begin.
    TCanvas();
    // Attached to the image until destroyed; its pixels can be read back.
    explicit TCanvas(QImage& image);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Attaches to a device; for a widget this must happen inside its paint event.
    // Pen, brush and font are kept across Begin/End, like a control's canvas.
    void Begin(QPaintDevice& device);
    void End();
    bool IsDrawing() const { return painter_ != nullptr; }

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    const TPen& Pen() const { return pen_; }
    const TBrush& Brush() const { return brush_; }
    const TFont& Font() const { return font_; }

    void MoveTo(int x, int y);
    // Draws from the pen position to (x, y) without (x, y) itself; (x, y) becomes the
    // pen position.
    void LineTo(int x, int y);
    // Joined lines through the points; the last point is not drawn. The pen position
    // is neither used nor changed.
    void Polyline(std::span<const TPoint> points);
    void Polyline(std::initializer_list<TPoint> points) { Polyline(std::span(points.begin(), points.size())); }

    // Outlined with the pen, filled with the brush.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

    // Fills with the canvas brush (nothing when it is clear).
    void FillRect(const TRect& rect);
    // Fills with a solid colour, leaving the canvas brush as it is.
    void FillRect(const TRect& rect, TColor color);

    void SetPixel(int x, int y, TColor color);
    // The pixel's colour; empty when not drawing on an image or outside it.
    std::optional<TColor> Pixels(int x, int y) const;

    // Text with the top-left of its cell at (x, y), clipped to clip. A solid brush
    // first fills clip; with a clear brush the background shows through.
    void TextRect(const TRect& clip, int x, int y, const std::string& text);
    TSize TextExtent(const std::string& text) const;
    int TextWidth(const std::string& text) const { return TextExtent(text).cx; }

    // The dotted focus rectangle, drawn by inversion.
    void DrawFocusRect(const TRect& rect);

private:
    QPainter& Painter();
    // Paints a run of pixels in a colour, or inverts them.
    void PaintRun(int x, int y, int width, int height, const QColor& color, bool invert);
    void DrawShape(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    void DrawThinLine(TPoint from, TPoint to);
    void StrokeWide(std::span<const TPoint> points);

    std::unique_ptr<QPainter> painter_;
    QImage* image_ = nullptr;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPoint penPos_;
};

// The classic 3-D frame: `width` one-pixel rings from the rectangle's edge inwards,
// each with `top` on its left and top lines and `bottom` on its right and bottom
// lines (the top-right and bottom-left corners are `bottom`). Shrinks `rect` by the
// rings drawn, so a second call draws the next ring inside.
void Frame3D(TCanvas& canvas, TRect& rect, TColor top, TColor bottom, int width);
