// The lesson's one font family. The windows were laid out for "MS Sans Serif", which
// this desktop does not have; start-up maps it to a free font with Cyrillic letters.
#pragma once

#include <QFont>

inline constexpr const char* LayoutFontFamily = "MS Sans Serif";
inline constexpr const char* SubstituteFontFamily = "Liberation Sans";

inline void MapLayoutFont()
{
    QFont::insertSubstitution(LayoutFontFamily, SubstituteFontFamily);
}

// A layout font of the given character height in pixels. The substitute is named
// directly: asking for the missing family would make the font system look for
// fallbacks once for every size, which costs start-up time.
inline QFont UiFont(int pixelHeight, bool bold, bool underline = false)
{
    QFont font(QFont::substitute(QString::fromLatin1(LayoutFontFamily)));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}
