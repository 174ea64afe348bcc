// The lesson's one font family. The windows were laid out for "MS Sans Serif"; where
// the desktop does not have it, start-up maps it to a free font with Cyrillic letters.
#pragma once

#include <QFont>

#include "toolkit/Platform.h"

inline constexpr const char* LayoutFontFamily = "MS Sans Serif";

inline void MapLayoutFont()
{
    MapLayoutFontFamily(LayoutFontFamily);
}

// A layout font of the given character height in pixels. A substitute is named
// directly: asking for a missing family would make the font system look for
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
