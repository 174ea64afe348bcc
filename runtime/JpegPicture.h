// A JPEG picture kept as its compressed bytes: the header is read when the bytes are
// loaded, the pixels only when they are first wanted.
//
//   LoadFromBytes({})             -> fine; Width() == Height() == 0; Decode throws "JPEG error #42"
//   LoadFromBytes(<a BMP file>)   throws EJPEG "JPEG error #53" (no start-of-image marker)
//   Decode of a truncated file    -> no error; the missing part comes out as the decoder
//                                   fills it
//
// Every failure of the decoder is an EJPEG "JPEG error #<n>", n being libjpeg's
// message code; its warnings are discarded.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

// Decoded pixels, rows top to bottom with no padding between them.
struct JpegBitmap {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0; // 32: B, G, R, 0xFF bytes; 8: palette indices; 0 while unsized
    std::vector<unsigned char> Pixels;
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

    const std::vector<unsigned char>& Bytes() const { return bytes_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Grayscale() const { return grayscale_; }
    bool Progressive() const { return progressive_; }

    // Decodes at full size with block smoothing. The output is 8 bits per pixel with
    // a palette of at most 236 colours on a screen of 8 bits or fewer, and for a
    // grayscale picture; otherwise 32-bit (blue, green, red, filler), the screen's layout. The bitmap is sized as soon as the
    // output size is known and filled row by row; if the data fails part way, the
    // rows decoded so far stay (the rest is zero) and EJPEG is thrown.
    void Decode(JpegBitmap& bitmap, bool smallColourScreen) const;

private:
    std::vector<unsigned char> bytes_;
    int width_ = 0;
    int height_ = 0;
    bool grayscale_ = false;
    bool progressive_ = false;
};
