#include "toolkit/Font.h"

#include <cmath>

#include "toolkit/Utf8.h"

namespace {
constexpr double ScreenDpi = 96.0;
constexpr double PointsPerInch = 72.0;
} // namespace

TFont::TFont(const QFont& font, TColor color)
    : name_(font.family().toStdString()),
      bold_(font.bold()),
      italic_(font.italic()),
      underline_(font.underline()),
      color_(color)
{
    if (font.pixelSize() > 0)
        SetHeight(font.pixelSize());
    else
        SetHeight(static_cast<int>(std::lround(font.pointSizeF() * ScreenDpi / PointsPerInch)));
}

QFont TFont::ToQFont() const
{
    QFont font(ToQString(name_));
    font.setPixelSize(height_);
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}
