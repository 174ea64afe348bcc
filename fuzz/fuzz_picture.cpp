// Fuzzes the JPEG picture loader with arbitrary bytes: mutated JPEG files, bitmaps
// given a .jpg name, anything. Checked:
//   - loading the bytes (header parse) and decoding them return or throw EJPEG
//     "JPEG error #<n>" with n one of libjpeg's message codes; nothing else escapes;
//   - a rejected load leaves the picture as it was;
//   - a decoded bitmap is 8 or 32 bits per pixel, of the size of the region asked for
//     (a lane's 145 x 100 or 290 x 200, somewhere about the picture) clipped to the
//     picture, with room for every row and, at 8 bits, a palette of 1 to 236 colours;
//   - for a picture of up to 1024 x 1024 that decodes without error, the region has the
//     pixels of a whole decode there;
//   - memory stays bounded: a header claiming more than the cap is refused with
//     "JPEG error #54" and no pixel memory, whatever its size; and tools/fuzz.sh runs
//     with a malloc limit of a small multiple of the cap, so any single allocation of a
//     claimed size fails the run;
//   - nothing leaks and no memory is touched out of bounds (the sanitizers).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

void CheckBitmap(const JpegBitmap& bitmap, const JpegPicture& picture, const JpegRegion& region)
{
    if (bitmap.BitsPerPixel == 0) {
        Check(bitmap.Pixels.empty());
        return;
    }
    Check(bitmap.BitsPerPixel == 8 || bitmap.BitsPerPixel == 32);
    const int left = std::max(region.Left, 0), top = std::max(region.Top, 0);
    Check(bitmap.Left == left && bitmap.Top == top);
    Check(bitmap.Width == std::min(region.Left + region.Width, picture.Width()) - left);
    Check(bitmap.Height == std::min(region.Top + region.Height, picture.Height()) - top);
    Check(bitmap.Pixels.size() == bitmap.BytesPerRow() * static_cast<std::size_t>(bitmap.Height));
    Check(bitmap.DecodedRows >= 0 && bitmap.DecodedRows <= bitmap.Height);
    Check(std::size_t(bitmap.Width) * std::size_t(bitmap.Height) * 4 <= PictureMemoryLimit);
    if (bitmap.BitsPerPixel == 8)
        Check(!bitmap.Palette.empty() && bitmap.Palette.size() <= 236);
}

// The region's rows against the same rows of a whole decode, palette indices included.
void CheckSameAsWhole(const JpegBitmap& part, const JpegBitmap& whole)
{
    Check(part.BitsPerPixel == whole.BitsPerPixel && part.Palette == whole.Palette);
    const std::size_t pixelBytes = std::size_t(part.BitsPerPixel / 8);
    for (int y = 0; y < part.Height; ++y) {
        const unsigned char* a = &part.Pixels[part.BytesPerRow() * std::size_t(y)];
        const unsigned char* b = &whole.Pixels[whole.BytesPerRow() * std::size_t(part.Top + y)
                                               + std::size_t(part.Left) * pixelBytes];
        Check(std::memcmp(a, b, part.BytesPerRow()) == 0);
    }
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
        // Either output: the paletted one of a small-colour screen, or true colour; the
        // part of a lane at scale 1 or 2, placed about the picture by the input's size.
        const bool smallColourScreen = size % 2 == 1;
        const int scale = 1 + int(size / 2 % 2);
        const JpegRegion region{int(size / 4 % 61) - 30 + (picture.Width() - 145 * scale) / 2,
                                int(size / 244 % 41) - 20 + (picture.Height() - 100 * scale) / 2, 145 * scale,
                                100 * scale};
        JpegBitmap bitmap;
        bool whole = false;
        try {
            picture.Decode(bitmap, smallColourScreen, region);
            Check(!beyondCap);
            whole = true;
        } catch (const EJPEG& error) {
            CheckJpegMessage(error);
            if (beyondCap)
                Check(error.Message() == "JPEG error #54" && bitmap.Pixels.capacity() == 0);
        }
        CheckBitmap(bitmap, picture, region);
        if (whole && bitmap.Height > 0 && picture.Width() <= 1024 && picture.Height() <= 1024) {
            JpegBitmap reference;
            try {
                picture.Decode(reference, smallColourScreen);
                CheckSameAsWhole(bitmap, reference);
            } catch (const EJPEG&) {
                Fault(); // the region decoded without error, so must the whole
            }
        }
    } catch (...) {
        Fault();
    }
    return 0;
}
