// Pictures: loading a lane picture and drawing it the first time, as an image control
// does, against a bare libjpeg-turbo decode of the same file (read the file, decode
// every scan line to RGB), alternating the two in one run.
//
//   bench_pictures [repetitions] [-v]   (run from the repository root)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <jpeglib.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/BenchTable.h"
#include "toolkit/Picture.h"

namespace {

constexpr int LaneWidth = 145;
constexpr int LaneHeight = 100;

std::vector<unsigned char> ReadWhole(const std::string& path)
{
    std::vector<unsigned char> bytes;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    unsigned char chunk[64 * 1024];
    for (ssize_t count; (count = read(fd, chunk, sizeof chunk)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + count);
    close(fd);
    return bytes;
}

// The baseline: the least work that turns the file into RGB pixels.
std::size_t BareDecode(const std::string& path)
{
    const std::vector<unsigned char> bytes = ReadWhole(path);
    jpeg_decompress_struct decompressor{};
    jpeg_error_mgr errors{};
    decompressor.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decompressor);
    jpeg_mem_src(&decompressor, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&decompressor, TRUE);
    decompressor.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decompressor);
    const std::size_t rowBytes = std::size_t(decompressor.output_width) * 3;
    std::vector<unsigned char> pixels(rowBytes * decompressor.output_height);
    while (decompressor.output_scanline < decompressor.output_height) {
        JSAMPROW row = pixels.data() + rowBytes * decompressor.output_scanline;
        jpeg_read_scanlines(&decompressor, &row, 1);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return pixels.size();
}

// What the lesson does: the picture holder loads the file, then the image control's
// paint draws it centred in its 145 x 100 box, decoding it on the way.
int LoadAndDraw(const std::string& path, QImage& target)
{
    TPicture picture;
    picture.LoadFromFile(path);
    QPainter painter(&target);
    const QRect rect((LaneWidth - picture.Width()) / 2, (LaneHeight - picture.Height()) / 2, picture.Width(),
                     picture.Height());
    picture.Graphic()->Draw(painter, rect);
    return picture.Width();
}

struct PictureResult {
    std::string Name;
    double Ours;
    double Bare;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int repetitions = 300;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-v") == 0)
            verbose = true;
        else
            repetitions = std::max(1, std::atoi(argv[i]));
    }

    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("dris"))
        if (entry.path().extension() == ".jpg")
            files.push_back(entry.path().filename().string());
    if (files.empty()) {
        std::fprintf(stderr, "bench_pictures: no pictures in dris/ (run from the repository root)\n");
        return 1;
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return std::atoi(a.c_str()) < std::atoi(b.c_str());
    });

    QImage target(LaneWidth, LaneHeight, QImage::Format_RGB32);
    std::vector<PictureResult> results;
    for (const std::string& file : files) {
        const std::string path = "dris/" + file;
        LoadAndDraw(path, target);
        BareDecode(path);
        std::vector<double> ours, bare;
        for (int i = 0; i < repetitions; ++i) {
            double start = Seconds(CLOCK_MONOTONIC);
            LoadAndDraw(path, target);
            ours.push_back(Seconds(CLOCK_MONOTONIC) - start);
            start = Seconds(CLOCK_MONOTONIC);
            BareDecode(path);
            bare.push_back(Seconds(CLOCK_MONOTONIC) - start);
        }
        results.push_back({file, Median(ours), Median(bare)});
    }

    double ours = 0, bare = 0;
    const PictureResult* worst = &results.front();
    for (const PictureResult& r : results) {
        ours += r.Ours;
        bare += r.Bare;
        if (r.Ours / r.Bare > worst->Ours / worst->Bare)
            worst = &r;
        if (verbose)
            PrintBenchRow({"Picture " + r.Name + ": load + first draw", Format("%.1f us", r.Ours * 1e6),
                           Format("%.1f us", r.Bare * 1e6), Format("%.2f x", r.Ours / r.Bare), "<= 1.3 x",
                           r.Ours <= 1.3 * r.Bare});
    }
    const double n = static_cast<double>(results.size());
    const std::string median = " (median of " + std::to_string(repetitions) + ")";
    PrintBenchRow({"Pictures: load + first draw, mean of " + std::to_string(results.size()) + " lane pictures" + median,
                   Format("%.1f us", ours / n * 1e6), Format("%.1f us bare decode", bare / n * 1e6),
                   Format("%.2f x", ours / bare), "<= 1.3 x", ours <= 1.3 * bare});
    PrintBenchRow({"Pictures: slowest relative, " + worst->Name + median, Format("%.1f us", worst->Ours * 1e6),
                   Format("%.1f us bare decode", worst->Bare * 1e6), Format("%.2f x", worst->Ours / worst->Bare),
                   "<= 1.3 x", worst->Ours <= 1.3 * worst->Bare});
    return 0;
}
