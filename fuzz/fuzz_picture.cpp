// Fuzzes the JPEG picture loader with arbitrary bytes: mutated JPEG files, bitmaps
// given a .jpg name, anything. Checked:
//   - loading the bytes (header parse) and decoding them return or throw EJPEG
//     "JPEG error #<n>" with n one of libjpeg's message codes; nothing else escapes;
//   - a rejected load leaves the picture as it was;
//   - a decoded bitmap is 8 or 32 bits per pixel, of the size the header gave, with
//     room for every row and, at 8 bits, a palette of 1 to 236 colours;
//   - memory stays bounded: a header claiming more than the cap is refused with
//     "JPEG error #54" and no pixel memory, whatever its size; and tools/fuzz.sh runs
//     with a malloc limit of a small multiple of the cap, so any single allocation of a
//     claimed size fails the run;
//   - nothing leaks and no memory is touched out of bounds (the sanitizers).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/Errors.h"
#include "runtime/JpegPicture.h"

#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

namespace {

[[noreturn]] void Fault()
{
    std::abort();
}

void Check(bool condition)
{
    if (!condition)
        Fault();
}

void CheckJpegMessage(const EJPEG& error)
{
    const std::string& message = error.Message();
    const std::string prefix = "JPEG error #";
    Check(message.compare(0, prefix.size(), prefix) == 0);
    const std::string digits = message.substr(prefix.size());
    Check(!digits.empty() && digits.size() <= 4 && digits.find_first_not_of("0123456789") == std::string::npos);
    const int code = std::atoi(digits.c_str());
    Check(code > 0 && code < JMSG_LASTMSGCODE);
}

void CheckBitmap(const JpegBitmap& bitmap, const JpegPicture& picture)
{
    if (bitmap.BitsPerPixel == 0) {
        Check(bitmap.Pixels.empty());
        return;
    }
    Check(bitmap.BitsPerPixel == 8 || bitmap.BitsPerPixel == 32);
    Check(bitmap.Width == picture.Width() && bitmap.Height == picture.Height());
    Check(bitmap.Pixels.size() == bitmap.BytesPerRow() * static_cast<std::size_t>(bitmap.Height));
    Check(bitmap.DecodedRows >= 0 && bitmap.DecodedRows <= bitmap.Height);
    Check(std::size_t(bitmap.Width) * std::size_t(bitmap.Height) * 4 <= PictureMemoryLimit);
    if (bitmap.BitsPerPixel == 8)
        Check(!bitmap.Palette.empty() && bitmap.Palette.size() <= 236);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    try {
        JpegPicture picture;
        try {
            picture.LoadFromBytes(std::vector<unsigned char>(data, data + size));
        } catch (const EJPEG& error) {
            CheckJpegMessage(error);
            Check(picture.Bytes().empty() && picture.Width() == 0 && picture.Height() == 0);
            return 0;
        }
        Check(picture.Bytes().size() == size);
        const bool beyondCap = std::size_t(picture.Width()) * std::size_t(picture.Height()) * 4 > PictureMemoryLimit;
        // Either output: the paletted one of a small-colour screen, or true colour.
        const bool smallColourScreen = size % 2 == 1;
        JpegBitmap bitmap;
        try {
            picture.Decode(bitmap, smallColourScreen);
            Check(!beyondCap);
        } catch (const EJPEG& error) {
            CheckJpegMessage(error);
            if (beyondCap)
                Check(error.Message() == "JPEG error #54" && bitmap.Pixels.capacity() == 0);
        }
        CheckBitmap(bitmap, picture);
    } catch (...) {
        Fault();
    }
    return 0;
}
