#include "toolkit/Canvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "runtime/Errors.h"
#include "toolkit/Utf8.h"

bool IsRectEmpty(const TRect& rect)
{
    return rect.Right <= rect.Left || rect.Bottom <= rect.Top;
}

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = std::int64_t{number} * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    if (2 * std::llabs(remainder) >= std::llabs(std::int64_t{denominator}))
        quotient += (product < 0) == (denominator < 0) ? 1 : -1;
    if (quotient < std::numeric_limits<int>::min() || quotient > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(quotient);
}

namespace {

// Which pixels of a box belong to a rounded rectangle, and how deep inside each one
// lies, counted in 4-neighbour steps from the outside (1 on the border).
class ShapeDepth {
public:
    ShapeDepth(int width, int height, int ellipseWidth, int ellipseHeight)
        : width_(width), height_(height), depth_(static_cast<size_t>(width) * static_cast<size_t>(height), 0)
    {
        const double ax = (std::clamp(ellipseWidth, 1, width) - 1) / 2.0;
        const double ay = (std::clamp(ellipseHeight, 1, height) - 1) / 2.0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                At(x, y) = InShape(x, y, ax, ay) ? Unreached : 0;
        // Two chamfer passes give the city-block distance to the nearest outside pixel.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x, y) != 0)
                    At(x, y) = std::min(At(x, y), 1 + std::min(Get(x - 1, y), Get(x, y - 1)));
        for (int y = height - 1; y >= 0; --y)
            for (int x = width - 1; x >= 0; --x)
                if (At(x, y) != 0)
                    At(x, y) = std::min(At(x, y), 1 + std::min(Get(x + 1, y), Get(x, y + 1)));
    }

    int Depth(int x, int y) const { return depth_[Index(x, y)]; }

private:
    static constexpr int Unreached = std::numeric_limits<int>::max() / 2;

    bool InShape(int x, int y, double ax, double ay) const
    {
        if (ax <= 0 || ay <= 0)
            return true;
        // Corner ellipse centres, in pixel-centre coordinates.
        const double left = ax, right = width_ - 1 - ax, top = ay, bottom = height_ - 1 - ay;
        const double cx = x < left ? left : x > right ? right : x;
        const double cy = y < top ? top : y > bottom ? bottom : y;
        const double dx = (x - cx) / ax, dy = (y - cy) / ay;
        return dx * dx + dy * dy <= 1.0 + 1e-9;
    }

    size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x); }
    int& At(int x, int y) { return depth_[Index(x, y)]; }
    int Get(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return 0;
        return depth_[Index(x, y)];
    }

    int width_;
    int height_;
    std::vector<int> depth_;
};

QRect ToQRect(const TRect& rect)
{
    return QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

} // namespace

TCanvas::TCanvas() = default;

TCanvas::TCanvas(QImage& image)
{
    Begin(image);
}

TCanvas::~TCanvas()
{
    End();
}

void TCanvas::Begin(QPaintDevice& device)
{
    End();
    painter_ = std::make_unique<QPainter>(&device);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    image_ = device.devType() == QInternal::Image ? static_cast<QImage*>(&device) : nullptr;
}

void TCanvas::End()
{
    painter_.reset();
    image_ = nullptr;
}

QPainter& TCanvas::Painter()
{
    if (!painter_)
        throw Exception("Canvas does not allow drawing");
    return *painter_;
}

void TCanvas::PaintRun(int x, int y, int width, int height, const QColor& color, bool invert)
{
    QPainter& painter = Painter();
    if (invert) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(x, y, width, height, QColor(0xFF, 0xFF, 0xFF));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        painter.fillRect(x, y, width, height, color);
    }
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint points[] = {penPos_, {x, y}};
    Polyline(points);
    penPos_ = {x, y};
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    if (pen_.Style == TPenStyle::psClear || points.size() < 2)
        return;
    if (pen_.Width > 1) {
        StrokeWide(points);
        return;
    }
    for (size_t i = 0; i + 1 < points.size(); ++i)
        DrawThinLine(points[i], points[i + 1]);
}

void TCanvas::DrawThinLine(TPoint from, TPoint to)
{
    const QColor color = pen_.Color.ToQColor();
    const bool invert = pen_.Mode == TPenMode::pmNot;
    const int dx = std::abs(to.X - from.X), dy = std::abs(to.Y - from.Y);
    const int sx = from.X < to.X ? 1 : -1, sy = from.Y < to.Y ? 1 : -1;
    if (dy == 0 || dx == 0) {
        // Straight lines as one run each.
        if (dx == 0 && dy == 0)
            return;
        const int left = sx > 0 ? from.X : to.X + 1, top = sy > 0 ? from.Y : to.Y + 1;
        if (dy == 0)
            PaintRun(left, from.Y, dx, 1, color, invert);
        else
            PaintRun(from.X, top, 1, dy, color, invert);
        return;
    }
    // Bresenham; the end point is left out.
    int x = from.X, y = from.Y, error = dx - dy;
    while (x != to.X || y != to.Y) {
        PaintRun(x, y, 1, 1, color, invert);
        const int twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            x += sx;
        }
        if (twice < dx) {
            error += dx;
            y += sy;
        }
    }
}

void TCanvas::StrokeWide(std::span<const TPoint> points)
{
    QPainter& painter = Painter();
    // Geometric pens draw round ends and joins, centred on the pixel centres.
    QPainterPath path;
    path.moveTo(points[0].X + 0.5, points[0].Y + 0.5);
    for (size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i].X + 0.5, points[i].Y + 0.5);
    const bool invert = pen_.Mode == TPenMode::pmNot;
    const QColor color = invert ? QColor(0xFF, 0xFF, 0xFF) : pen_.Color.ToQColor();
    painter.save();
    if (invert)
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color, pen_.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.restore();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    DrawShape(left, top, right, bottom, 0, 0);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    DrawShape(left, top, right, bottom, ellipseWidth, ellipseHeight);
}

void TCanvas::DrawShape(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    const bool outlined = pen_.Style == TPenStyle::psSolid;
    const bool filled = brush_.Style == TBrushStyle::bsSolid;
    if (!outlined) {
        --right;
        --bottom;
    }
    const int width = right - left, height = bottom - top;
    if (width <= 0 || height <= 0 || (!outlined && !filled))
        return;
    Painter();

    const int outlineDepth = outlined ? std::max(1, pen_.Width) : 0;
    const bool invert = pen_.Mode == TPenMode::pmNot;
    const QColor penColor = pen_.Color.ToQColor();
    const QColor brushColor = brush_.Color.ToQColor();
    const ShapeDepth shape(width, height, ellipseWidth, ellipseHeight);
    enum class Part { Outside, Outline, Inside };
    auto partAt = [&](int x, int y) {
        const int depth = shape.Depth(x, y);
        return depth == 0 ? Part::Outside : depth <= outlineDepth ? Part::Outline : Part::Inside;
    };
    // Each row is painted as runs of equal parts.
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            const Part part = partAt(x, y);
            int end = x + 1;
            while (end < width && partAt(end, y) == part)
                ++end;
            if (part == Part::Outline)
                PaintRun(left + x, top + y, end - x, 1, penColor, invert);
            else if (part == Part::Inside && filled)
                PaintRun(left + x, top + y, end - x, 1, brushColor, invert);
            x = end;
        }
    }
}

void TCanvas::FillRect(const TRect& rect)
{
    if (brush_.Style == TBrushStyle::bsSolid)
        FillRect(rect, brush_.Color);
}

void TCanvas::FillRect(const TRect& rect, TColor color)
{
    if (IsRectEmpty(rect))
        return;
    PaintRun(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top, color.ToQColor(), false);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    PaintRun(x, y, 1, 1, color.ToQColor(), false);
}

std::optional<TColor> TCanvas::Pixels(int x, int y) const
{
    if (!image_ || !image_->valid(x, y))
        return std::nullopt;
    return TColor::FromHex(image_->pixel(x, y) & 0xFFFFFFu);
}

void TCanvas::TextRect(const TRect& clip, int x, int y, const std::string& text)
{
    QPainter& painter = Painter();
    if (brush_.Style == TBrushStyle::bsSolid)
        FillRect(clip, brush_.Color);
    if (IsRectEmpty(clip) || text.empty())
        return;
    const QFont font = font_.ToQFont();
    painter.save();
    painter.setClipRect(ToQRect(clip));
    painter.setFont(font);
    painter.setPen(font_.Color().ToQColor());
    painter.drawText(x, y + QFontMetrics(font).ascent(), ToQString(text));
    painter.restore();
}

TSize TCanvas::TextExtent(const std::string& text) const
{
    const QFontMetrics metrics(font_.ToQFont());
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    if (IsRectEmpty(rect))
        return;
    auto invertIfEven = [this](int x, int y) {
        if ((x + y) % 2 == 0)
            PaintRun(x, y, 1, 1, QColor(), true);
    };
    // Each border pixel once, so the corners are not inverted twice.
    for (int x = rect.Left; x < rect.Right; ++x) {
        invertIfEven(x, rect.Top);
        if (rect.Bottom - 1 > rect.Top)
            invertIfEven(x, rect.Bottom - 1);
    }
    for (int y = rect.Top + 1; y < rect.Bottom - 1; ++y) {
        invertIfEven(rect.Left, y);
        if (rect.Right - 1 > rect.Left)
            invertIfEven(rect.Right - 1, y);
    }
}

void Frame3D(TCanvas& canvas, TRect& rect, TColor top, TColor bottom, int width)
{
    canvas.Pen().Width = 1;
    for (; width > 0; --width) {
        const int right = rect.Right - 1, lower = rect.Bottom - 1;
        canvas.Pen().Color = top;
        canvas.Polyline({{rect.Left, lower}, {rect.Left, rect.Top}, {right, rect.Top}});
        canvas.Pen().Color = bottom;
        canvas.Polyline({{right, rect.Top}, {right, lower}, {rect.Left - 1, lower}});
        rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
}
