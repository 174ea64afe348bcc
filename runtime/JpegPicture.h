// A JPEG picture kept as its compressed bytes: the header is read when the bytes are
// loaded, the pixels only when they are first wanted.
//
//   LoadFromBytes({})             -> fine; Width() == Height() == 0; Decode throws "JPEG error #42"
//   LoadFromBytes(<a BMP file>)   throws EJPEG "JPEG error #53" (no start-of-image marker)
//   Decode of a truncated file    -> no error; the missing part comes out as the decoder
//                                   fills it, and the bitmap counts the decoder's warning
//
//   Decode of a header claiming 60000 × 60000 -> "JPEG error #54" before any pixel
//                                   memory is taken
//   LoadFromFile(<a 2 GB file>)   throws "JPEG error #54" having read only its head
//   LoadFromFile(<2 MB of comments before the frame>) throws "JPEG error #54" having
//                                   read only its first megabyte or so
//
//   Decode of an 8192 x 8192 picture for the 145 x 100 a lane shows of it
//                                 -> a 145 x 100 bitmap, its pixels those of a whole decode
//
// Every failure of the decoder is an EJPEG "JPEG error #<n>", n being libjpeg's
// message code; its warnings are only counted.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// The one memory cap of a picture: the bytes of its bitmap on the screen, 4 for every
// pixel whatever the file's colours. Beyond it decoding refuses with libjpeg's
// out-of-memory error (54) before taking any memory for the pixels. libjpeg's own work
// arrays (a progressive file keeps every coefficient) may take up to twice as much more.
constexpr std::size_t PictureMemoryLimit = std::size_t(256) << 20;

// A progressive file with more scans than this is refused (error 16, bad progression):
// real pictures have about ten, and each scan costs a pass over the whole picture. For
// large pictures the limit falls with the number of 8 x 8 blocks, so that the scans
// together cost well under a second, but never below LeastScansAllowed.
constexpr int MostScans = 200;
constexpr int LeastScansAllowed = 16;
constexpr long long ScanBlockBudget = 8'000'000;

// Real pictures carry at most a few hundred kilobytes of metadata (EXIF, colour profiles,
// comments) before their frame header; a file with more than this before it is refused
// with the cap's error (54), having been read no further.
constexpr std::size_t MostBytesBeforeFrame = std::size_t(1) << 20;

// Leaves new elements uninitialised: the decoder writes every byte of a row before
// anything reads it, and rows never decoded are never read, so zeroing the whole
// bitmap first would only cost time.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <typename U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept
    {
    }
    template <typename U>
    void construct(U* place) noexcept
    {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args)
    {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};
using PixelBuffer = std::vector<unsigned char, UninitialisedAllocator<unsigned char>>;

// A rectangle of a picture, in its pixels.
struct JpegRegion {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};
constexpr JpegRegion WholePicture{0, 0, 1 << 30, 1 << 30};

// Decoded pixels of a region of the picture, rows top to bottom with no padding between them.
struct JpegBitmap {
    int Left = 0; // where the bitmap lies in the picture
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0; // 32: B, G, R, 0xFF bytes; 8: palette indices; 0 while unsized
    int DecodedRows = 0;  // rows from the top really decoded; the rest are undefined
    int ScanlinesRead = 0; // rows of the whole picture the decoder got through
    int Warnings = 0;      // damage the decoder got over: data ending early, corrupt data
    PixelBuffer Pixels;
    std::vector<std::array<unsigned char, 3>> Palette; // RGB, for 8 bits per pixel

    std::size_t BytesPerRow() const
    {
        return static_cast<std::size_t>(Width) * static_cast<std::size_t>(BitsPerPixel / 8);
    }
};

class JpegPicture {
public:
    // Keeps the bytes and reads the header from them (a zero-length picture has no
    // header to read). Throws EJPEG when the header is rejected; the picture is then
    // unchanged.
    void LoadFromBytes(std::vector<unsigned char> bytes);
    // Reads the named file and loads it. A file larger than any picture within the cap
    // could be is not read beyond its head: the head's header is checked, then the file
    // is refused with "JPEG error #54". Throws EFOpenError when it cannot be read.
    void LoadFromFile(std::string_view name);

    const std::vector<unsigned char>& Bytes() const { return bytes_; }
    // Lets the file's bytes go once nothing will decode them again; the size and kind
    // read from the header stay.
    void ReleaseBytes() { std::vector<unsigned char>().swap(bytes_); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Grayscale() const { return grayscale_; }
    bool Progressive() const { return progressive_; }

    // Decodes at full size with block smoothing. The output is 8 bits per pixel with
    // a palette of at most 236 colours on a screen of 8 bits or fewer, and for a
    // grayscale picture; otherwise 32-bit (blue, green, red, filler), the screen's
    // layout. CMYK and YCCK pictures (Adobe's inverted inks) always come out 32-bit.
    // The size is checked against the cap from the header, before anything large is
    // allocated. The bitmap is then sized and filled row by row; if the data fails part
    // way, the rows decoded so far stay, DecodedRows counts them, and EJPEG is thrown.
    //
    // Only `region` (clipped to the picture) is kept, with the same pixels a whole
    // decode gives there; the decoder skips the columns and rows around it where it
    // can, but reads the data to its end, so that errors are those of a whole decode.
    void Decode(JpegBitmap& bitmap, bool smallColourScreen, JpegRegion region = WholePicture) const;

private:
    std::vector<unsigned char> bytes_;
    int width_ = 0;
    int height_ = 0;
    bool grayscale_ = false;
    bool progressive_ = false;
};
