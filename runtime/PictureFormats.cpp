#include "runtime/PictureFormats.h"

#include <algorithm>

#include "runtime/Errors.h"

namespace {

// Lower-cases ASCII letters only: every registered extension is ASCII, so a letter
// outside it can never make a match either way.
char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameExtension(std::string_view written, std::string_view registered)
{
    return written.size() == registered.size()
        && std::equal(written.begin(), written.end(), registered.begin(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

} // namespace

const std::vector<PictureFormat>& PictureFormats()
{
    static const std::vector<PictureFormat> formats = {
        {"wmf", "Metafiles", PictureKind::Metafile},
        {"emf", "Enhanced Metafiles", PictureKind::Metafile},
        {"ico", "Icons", PictureKind::Icon},
        {"bmp", "Bitmaps", PictureKind::Bitmap},
        {"jpeg", "JPEG Image File", PictureKind::Jpeg},
        {"jpg", "JPEG Image File", PictureKind::Jpeg},
    };
    return formats;
}

std::string_view PictureExtension(std::string_view name)
{
    const std::size_t last = name.find_last_of(".\\:");
    if (last == std::string_view::npos || name[last] != '.')
        return {};
    return name.substr(last + 1);
}

const PictureFormat& FindPictureFormat(std::string_view name)
{
    const std::string_view extension = PictureExtension(name);
    const auto& formats = PictureFormats();
    for (auto format = formats.rbegin(); format != formats.rend(); ++format) {
        if (SameExtension(extension, format->Extension))
            return *format;
    }
    throw EInvalidGraphic("Unknown picture file extension (." + std::string(extension) + ")");
}
