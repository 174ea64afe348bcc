// Which kind of graphic a picture file holds, chosen by the extension of its name.
//
//   PictureExtension("dris/7.jpg")   -> "jpg"
//   PictureExtension("dris.v2/7")    -> "v2/7"  ("/" does not end the search)
//   PictureExtension("C:\\pic.d\\x") -> ""      ("\" and ":" end it)
//   FindPictureFormat("A.JPG").Kind  -> PictureKind::Jpeg
//   FindPictureFormat("a.gif")      throws EInvalidGraphic "Unknown picture file extension (.gif)"
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class PictureKind { Metafile, Icon, Bitmap, Jpeg };

struct PictureFormat {
    std::string Extension; // lower case, without the point
    std::string Description;
    PictureKind Kind;
};

// The registered formats in the order they were registered.
const std::vector<PictureFormat>& PictureFormats();

// Everything after the last ".", "\" or ":" of the name when that character is a
// "."; otherwise empty. Returned as written, case kept.
std::string_view PictureExtension(std::string_view name);

// The format for the name's extension, compared without regard to case, the most
// recently registered entry winning. Throws EInvalidGraphic for an unknown or
// missing extension.
const PictureFormat& FindPictureFormat(std::string_view name);
