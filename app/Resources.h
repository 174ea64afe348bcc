// Pictures carried inside the program, and the web site the bottom strip links to.
#pragma once

#include <QFile>
#include <string_view>
#include <vector>

#include "toolkit/Picture.h"

// A domain reserved for documentation, until the project has a home page of its own.
inline constexpr std::string_view WebSiteDomain = "velmora.example";
inline constexpr std::string_view WebSiteUrl = "https://velmora.example/";

inline std::vector<unsigned char> ResourceBytes(const char* path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

// A JPEG picture carried inside the program, with its sharp variant (NAME@2x.jpg)
// beside it for screens that scale the window.
inline void LoadBuiltInPicture(TPicture& picture, const char* path)
{
    picture.LoadJpegFromBytes(ResourceBytes(path), [sharp = SharpVariantName(path)](JpegPicture& variant) {
        variant.LoadFromBytes(ResourceBytes(sharp.c_str()));
    });
}
