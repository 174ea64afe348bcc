// Test pictures made at test time: JPEG streams written with libjpeg's compressor,
// and a scratch folder to put files in.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
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

// The number of scans in a stream.
inline int ScanCount(const std::vector<unsigned char>& jpeg)
{
    int count = 0;
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
        count += jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA;
    return count;
}

// A folder of its own under the system's temporary folder, removed with everything
// in it at the end of the test.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        path_ = std::filesystem::canonical(pattern);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Writes a file below the folder and returns its full path.
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) const
    {
        const std::filesystem::path file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }

private:
    std::filesystem::path path_;
};

// Makes a folder the working folder until the end of the scope.
class WorkingFolderScope {
public:
    explicit WorkingFolderScope(const std::filesystem::path& folder) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolderScope()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    WorkingFolderScope(const WorkingFolderScope&) = delete;
    WorkingFolderScope& operator=(const WorkingFolderScope&) = delete;

private:
    std::filesystem::path previous_;
};

// The message of the error of the given kind that the action raises.
template <typename Error, typename Action>
std::string MessageOf(Action action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.Message();
    }
    ADD_FAILURE() << "no error raised";
    return {};
}

} // namespace testpics
