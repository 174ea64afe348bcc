// Writes the damaged, forged and unusual JPEG files a teacher's folder might hold, for
// the end-to-end test and the benchmark to put in place of lane pictures:
//
//   make_hostile_pictures <folder> [--large] [--padded]
//
//   forged_colour.jpg        16 x 16 colour, header claiming 60000 x 60000
//   forged_gray.jpg          16 x 16 grayscale, claiming 16000 x 16000
//   forged_progressive.jpg   16 x 16 progressive, claiming 20000 x 20000
//   forged_cmyk.jpg          16 x 16 CMYK, claiming 30000 x 30000
//   no_row.jpg               145 x 100, its scan names a Huffman table never defined
//   many_scans.jpg           4000 x 4000 progressive, its last scan repeated 20000 times
//   many_scans_gray.jpg      8000 x 8000 grayscale progressive, likewise
//   large_progressive.jpg    7000 x 7000 progressive, full-resolution colour: valid
//   cmyk_red.jpg, ycck_red.jpg   145 x 100 red squares written as inks: valid
//   huge.jpg                 a valid 145 x 100 picture followed by 2 GB of nothing
//                            (a sparse file: it takes no room on the disk)
//
// With --large, also valid pictures far larger than a lane (about 120 MB, 10 s or so):
//
//   large_baseline.jpg       8192 x 8192 baseline, noisy colour (4:2:0): about 40 MB
//   large_progressive_444.jpg  8192 x 8192 progressive, noisy full-resolution colour: 77 MB
//
// With --padded, pictures padded before their frame (720 MB in all):
//
//   padded_comments.jpg      145 x 100 with 240 MB of comment segments before its frame
//   padded_exif.jpg          the same with EXIF-style APP1 segments
//   padded_fill.jpg          the same with 240 MB of 0xFF fill bytes
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/runtime/jpeg_streams.h"

using namespace testpics;

namespace {

void Write(const std::filesystem::path& file, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

// Fine-grained noise over a gradient, which compresses about as badly as a photograph.
Rgb Noisy(int x, int y)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ static_cast<std::uint32_t>(y) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return {static_cast<int>((x >> 5) + (h & 63)) & 255, static_cast<int>((y >> 5) + (h >> 8 & 63)) & 255,
            static_cast<int>(128 + (h >> 16 & 63))};
}

void WriteLarge(const std::filesystem::path& folder)
{
    Write(folder / "large_baseline.jpg", EncodeJpeg(8192, 8192, Noisy, {.Quality = 90}));
    Write(folder / "large_progressive_444.jpg",
          EncodeJpeg(8192, 8192, Noisy, {.Progressive = true, .Quality = 90, .FullChroma = true}));
}

void WritePadded(const std::filesystem::path& folder, Rgb red)
{
    const std::size_t padding = std::size_t(240) << 20;
    const std::vector<unsigned char> lane = SolidJpeg(145, 100, red);
    Write(folder / "padded_comments.jpg", PaddedBeforeFrame(lane, 0xFE, padding));
    Write(folder / "padded_exif.jpg", PaddedBeforeFrame(lane, 0xE1, padding));
    Write(folder / "padded_fill.jpg", PaddedBeforeFrame(lane, 0xFF, padding));
}

} // namespace

int main(int argc, char** argv)
{
    bool large = false, padded = false, known = argc >= 2;
    for (int i = 2; i < argc; ++i) {
        large = large || std::string(argv[i]) == "--large";
        padded = padded || std::string(argv[i]) == "--padded";
        known = known && (std::string(argv[i]) == "--large" || std::string(argv[i]) == "--padded");
    }
    if (!known) {
        std::fprintf(stderr, "usage: make_hostile_pictures <folder> [--large] [--padded]\n");
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        const Rgb red{230, 20, 20};
        const Rgb gray{120, 120, 120};
        Write(folder / "forged_colour.jpg", ClaimingSize(SolidJpeg(16, 16, red), 60000, 60000));
        Write(folder / "forged_gray.jpg", ClaimingSize(SolidJpeg(16, 16, gray, {.Grayscale = true}), 16000, 16000));
        Write(folder / "forged_progressive.jpg",
              ClaimingSize(SolidJpeg(16, 16, red, {.Progressive = true}), 20000, 20000));
        Write(folder / "forged_cmyk.jpg", ClaimingSize(SolidJpeg(16, 16, red, {.Inks = JCS_CMYK}), 30000, 30000));
        std::vector<unsigned char> noRow = SolidJpeg(145, 100, red);
        noRow[ScanDataStart(noRow) - 8] = 0x33;
        Write(folder / "no_row.jpg", noRow);
        Write(folder / "many_scans.jpg", WithLastScanRepeated(SolidJpeg(4000, 4000, red, {.Progressive = true}), 20000));
        Write(folder / "many_scans_gray.jpg",
              WithLastScanRepeated(SolidJpeg(8000, 8000, gray, {.Grayscale = true, .Progressive = true}), 20000));
        Write(folder / "large_progressive.jpg",
              SolidJpeg(7000, 7000, red, {.Progressive = true, .FullChroma = true}));
        Write(folder / "cmyk_red.jpg", SolidJpeg(145, 100, red, {.Inks = JCS_CMYK}));
        Write(folder / "ycck_red.jpg", SolidJpeg(145, 100, red, {.Inks = JCS_YCCK}));
        const std::filesystem::path huge = folder / "huge.jpg";
        Write(huge, SolidJpeg(145, 100, red));
        std::filesystem::resize_file(huge, std::uintmax_t(2) << 30);
        if (large)
            WriteLarge(folder);
        if (padded)
            WritePadded(folder, red);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_hostile_pictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
