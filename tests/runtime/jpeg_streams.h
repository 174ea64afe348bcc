// JPEG streams for tests, benchmarks and the hostile-picture generator, written with
// libjpeg's compressor, and the forgeries made of them: a claimed size, repeated scans.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <jpeglib.h>
#include <stdexcept>
#include <vector>

namespace testpics {

struct Rgb {
    int R, G, B;
};

struct JpegOptions {
    bool Grayscale = false;
    bool Progressive = false;
    int Quality = 95;
    bool FullChroma = false; // colour planes at full resolution (4:4:4)
    // JCS_CMYK or JCS_YCCK: each pixel written as Adobe's inverted inks (cyan as red,
    // magenta as green, yellow as blue, no black), which read back as the same colour.
    J_COLOR_SPACE Inks = JCS_UNKNOWN;
};

// A width × height JPEG whose pixel (x, y) is colourAt(x, y).
inline std::vector<unsigned char> EncodeJpeg(int width, int height, const std::function<Rgb(int, int)>& colourAt,
                                             JpegOptions options = {})
{
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = static_cast<JDIMENSION>(width);
    compressor.image_height = static_cast<JDIMENSION>(height);
    const bool inks = options.Inks != JCS_UNKNOWN;
    compressor.input_components = options.Grayscale ? 1 : inks ? 4 : 3;
    compressor.in_color_space = options.Grayscale ? JCS_GRAYSCALE : inks ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&compressor);
    if (inks)
        jpeg_set_colorspace(&compressor, options.Inks);
    if (options.FullChroma)
        compressor.comp_info[0].h_samp_factor = compressor.comp_info[0].v_samp_factor = 1;
    jpeg_set_quality(&compressor, options.Quality, TRUE);
    if (options.Progressive)
        jpeg_simple_progression(&compressor);
    jpeg_start_compress(&compressor, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width * compressor.input_components));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(x, y);
            if (options.Grayscale) {
                row[static_cast<std::size_t>(x)] = static_cast<unsigned char>(c.R);
            } else if (inks) {
                unsigned char* ink = &row[static_cast<std::size_t>(4 * x)];
                ink[0] = static_cast<unsigned char>(c.R);
                ink[1] = static_cast<unsigned char>(c.G);
                ink[2] = static_cast<unsigned char>(c.B);
                ink[3] = 0xFF;
            } else {
                row[static_cast<std::size_t>(3 * x)] = static_cast<unsigned char>(c.R);
                row[static_cast<std::size_t>(3 * x + 1)] = static_cast<unsigned char>(c.G);
                row[static_cast<std::size_t>(3 * x + 2)] = static_cast<unsigned char>(c.B);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&compressor, rows, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    std::vector<unsigned char> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

inline std::vector<unsigned char> SolidJpeg(int width, int height, Rgb colour, JpegOptions options = {})
{
    return EncodeJpeg(width, height, [colour](int, int) { return colour; }, options);
}

// Where the entropy-coded data of the first scan starts: just after the SOS segment.
inline std::size_t ScanDataStart(const std::vector<unsigned char>& jpeg)
{
    for (std::size_t i = 2; i + 3 < jpeg.size();) {
        if (jpeg[i] != 0xFF)
            throw std::runtime_error("not a marker");
        const std::size_t length = std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
        if (jpeg[i + 1] == 0xDA)
            return i + 2 + length;
        i += 2 + length;
    }
    throw std::runtime_error("no scan");
}

// The same stream with its frame header claiming width × height.
inline std::vector<unsigned char> ClaimingSize(std::vector<unsigned char> jpeg, int width, int height)
{
    for (std::size_t i = 2; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC1 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = static_cast<unsigned char>(height >> 8);
            jpeg[i + 6] = static_cast<unsigned char>(height);
            jpeg[i + 7] = static_cast<unsigned char>(width >> 8);
            jpeg[i + 8] = static_cast<unsigned char>(width);
            return jpeg;
        }
    }
    throw std::runtime_error("no frame header");
}

// A progressive stream with its last scan sent `times` more times: each copy is one
// more pass of the decoder over the whole picture, adding nothing to it.
inline std::vector<unsigned char> WithLastScanRepeated(std::vector<unsigned char> jpeg, int times)
{
    std::size_t last = 0;
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA)
            last = i;
    if (last == 0)
        throw std::runtime_error("no scan");
    const std::size_t end = jpeg.size() - 2; // the end-of-image marker
    const std::vector<unsigned char> scan(jpeg.begin() + static_cast<std::ptrdiff_t>(last),
                                          jpeg.begin() + static_cast<std::ptrdiff_t>(end));
    std::vector<unsigned char> out(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(end));
    for (int i = 0; i < times; ++i)
        out.insert(out.end(), scan.begin(), scan.end());
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

// The same stream with `bytes` of padding between its start-of-image marker and the
// rest: comment segments (0xFE), EXIF-style APP1 segments (0xE1), each as long as a
// segment can be, or fill bytes (0xFF) before the next marker.
inline std::vector<unsigned char> PaddedBeforeFrame(const std::vector<unsigned char>& jpeg, unsigned char kind,
                                                    std::size_t bytes)
{
    std::vector<unsigned char> out(jpeg.begin(), jpeg.begin() + 2);
    out.reserve(jpeg.size() + bytes + 4);
    if (kind == 0xFF) {
        out.insert(out.end(), bytes, 0xFF);
    } else {
        for (std::size_t left = bytes; left >= 4;) {
            const std::size_t segment = std::min<std::size_t>(left, 65537); // marker, length, data
            const std::size_t length = segment - 2;
            out.insert(out.end(), {0xFF, kind, static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(length)});
            out.insert(out.end(), length - 2, 'x');
            left -= segment;
            if (left < 4)
                break;
        }
    }
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

// The number of scans in a stream.
inline int ScanCount(const std::vector<unsigned char>& jpeg)
{
    int count = 0;
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
        count += jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA;
    return count;
}

} // namespace testpics
