// Pictures: loading a lane picture and drawing it the first time, as an image control
// does, against a bare libjpeg-turbo decode of the same file (read the file, decode
// every scan line to RGB), alternating the two in one run.
//
// With --hostile, also each file of that folder (tools/make_hostile_pictures writes
// them) loaded and drawn once in a process of its own: the process's peak memory and
// the time to the picture or its refusal, next to a bare decode in a process of its own:
// of the part of the same file that a lane shows when the lesson shows it, otherwise of
// a lane picture.
//
//   bench_pictures [repetitions] [-v] [--hostile <folder>]   (run from the repository root)
//   bench_pictures --once <file> | --once-bare <file> | --once-bare-lane <file>
//                                                            (one process's part of the above)
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
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/BenchTable.h"
#include "runtime/Errors.h"
#include "runtime/JpegPicture.h"
#include "runtime/PictureFile.h"
#include "toolkit/Picture.h"

extern char** environ;

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

// The least work that gives the centre 145 x 100 of a picture, as a lane shows it: the
// file read into memory, the columns around it cropped and whole MCU rows skipped above
// and below it. For a progressive file this is libjpeg's floor: every coefficient is
// kept until the last scan has been read.
std::size_t BareLaneDecode(const std::string& path)
{
    const std::vector<unsigned char> bytes = ReadWhole(path);
    jpeg_decompress_struct decompressor{};
    jpeg_error_mgr errors{};
    decompressor.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decompressor);
    jpeg_mem_src(&decompressor, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&decompressor, TRUE);
    if (decompressor.jpeg_color_space == JCS_YCbCr || decompressor.jpeg_color_space == JCS_RGB)
        decompressor.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&decompressor);
    const JDIMENSION width = std::min<JDIMENSION>(LaneWidth, decompressor.output_width);
    const JDIMENSION height = std::min<JDIMENSION>(LaneHeight, decompressor.output_height);
    JDIMENSION left = (decompressor.output_width - width) / 2;
    JDIMENSION cropped = width;
    if (cropped < decompressor.output_width)
        jpeg_crop_scanline(&decompressor, &left, &cropped);
    const JDIMENSION mcuRows = JDIMENSION(decompressor.max_v_samp_factor * decompressor.min_DCT_scaled_size);
    const JDIMENSION top = (decompressor.output_height - height) / 2 / mcuRows * mcuRows;
    jpeg_skip_scanlines(&decompressor, top);
    std::vector<unsigned char> row(std::size_t(cropped) * std::size_t(decompressor.output_components));
    JSAMPROW rows[1] = {row.data()};
    while (decompressor.output_scanline < top + height + mcuRows
           && decompressor.output_scanline < decompressor.output_height)
        jpeg_read_scanlines(&decompressor, rows, 1);
    jpeg_skip_scanlines(&decompressor, decompressor.output_height - decompressor.output_scanline);
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return row.size();
}

// What the lesson does: the picture holder loads the file, then the image control's
// paint draws it, centred in its 145 x 100 box (a lane picture) or from the top-left
// corner (the window background), decoding it on the way.
int LoadAndDraw(const std::string& path, QImage& target, bool centred = true)
{
    TPicture picture;
    picture.LoadFromFile(path);
    QPainter painter(&target);
    const QPoint at = centred ? QPoint((target.width() - picture.Width()) / 2, (target.height() - picture.Height()) / 2)
                              : QPoint(0, 0);
    picture.Graphic()->Draw(painter, QRect(at, QSize(picture.Width(), picture.Height())));
    return picture.Width();
}

// One load and draw, or one bare decode, of a file; prints the seconds it took and
// what came of it. Run in a process of its own, whose peak memory is then its own.
enum class Decoder { Ours, Bare, BareLane };

int Once(const std::string& path, Decoder decoder)
{
    QImage target(LaneWidth, LaneHeight, QImage::Format_RGB32);
    std::string outcome = "shown";
    const double start = Seconds(CLOCK_MONOTONIC);
    try {
        if (decoder == Decoder::Bare)
            BareDecode(path);
        else if (decoder == Decoder::BareLane)
            BareLaneDecode(path);
        else
            LoadAndDraw(path, target);
    } catch (const Exception& error) {
        outcome = error.Message();
    }
    std::printf("%.6f %s\n", Seconds(CLOCK_MONOTONIC) - start, outcome.c_str());
    return 0;
}

struct ProcessRun {
    double Seconds = 0;
    double PeakMiB = 0;
    std::string Outcome;
};

ProcessRun RunOnce(const char* self, const char* mode, const std::string& path)
{
    int out[2];
    ProcessRun run;
    if (pipe(out) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(self), const_cast<char*>(mode), const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char chunk[256];
    for (ssize_t count; (count = read(out[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(count));
    close(out[0]);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.PeakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    char* rest = nullptr;
    run.Seconds = std::strtod(text.c_str(), &rest);
    run.Outcome = rest != nullptr && *rest == ' ' ? std::string(rest + 1) : "no answer";
    while (!run.Outcome.empty() && run.Outcome.back() == '\n')
        run.Outcome.pop_back();
    return run;
}

// Every file of the folder in a process of its own, against a bare decode of the part a
// lane shows of the same file when the lesson shows it, and otherwise of a lane picture:
// a bare decode of a forged header would take all the memory the header claims. A shown
// picture may take 64 MiB more than that bare decode and answer within 1 s, a progressive
// one within 2 s; a refused file stays within the cap's bound.
void HostileRows(const char* self, const std::string& folder, const std::string& lanePicture)
{
    const ProcessRun lane = RunOnce(self, "--once-bare", lanePicture);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    const double memoryBound = 3.0 * static_cast<double>(PictureMemoryLimit >> 20);
    for (const std::string& file : files) {
        const ProcessRun ours = RunOnce(self, "--once", file);
        const std::string name = std::filesystem::path(file).filename().string();
        ProcessRun bare = lane;
        std::string bareName = "bare decode of " + lanePicture;
        bool shown = false;
        if (ours.Outcome == "shown") {
            const ProcessRun same = RunOnce(self, "--once-bare-lane", file);
            if (same.Outcome == "shown") {
                bare = same;
                bareName = "bare decode of its centre";
                shown = true;
            }
        }
        // From the file's head only: a child's peak memory counts its parent's at the spawn.
        JpegPicture header;
        bool progressive = false;
        try {
            header.LoadFromBytes(ReadPictureFileUpTo(file, PictureFileHead).Bytes);
            progressive = header.Progressive();
        } catch (const Exception&) {
        }
        const double growth = ours.PeakMiB - bare.PeakMiB;
        PrintBenchRow({"Hostile " + name + ": peak memory, " + ours.Outcome, Format("%.1f MiB", ours.PeakMiB),
                       Format(("%.1f MiB " + bareName).c_str(), bare.PeakMiB), Format("%+.1f MiB", growth),
                       shown ? "<= +64 MiB" : Format("<= +%.0f MiB", memoryBound),
                       growth <= (shown ? 64.0 : memoryBound)});
        const double answer = progressive ? 2.0 : 1.0;
        PrintBenchRow({"Hostile " + name + ": load + first draw", Format("%.1f ms", ours.Seconds * 1e3),
                       Format(("%.1f ms " + bareName).c_str(), bare.Seconds * 1e3),
                       Format("%.2f x", ours.Seconds / bare.Seconds), Format("<= %.0f s", answer),
                       ours.Seconds <= answer});
    }
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
    std::string hostile;
    for (int i = 1; i < argc; ++i) {
        if (i + 1 < argc && std::strcmp(argv[i], "--once") == 0)
            return Once(argv[i + 1], Decoder::Ours);
        if (i + 1 < argc && std::strcmp(argv[i], "--once-bare") == 0)
            return Once(argv[i + 1], Decoder::Bare);
        if (i + 1 < argc && std::strcmp(argv[i], "--once-bare-lane") == 0)
            return Once(argv[i + 1], Decoder::BareLane);
        if (i + 1 < argc && std::strcmp(argv[i], "--hostile") == 0)
            hostile = argv[++i];
        else if (std::strcmp(argv[i], "-v") == 0)
            verbose = true;
        else
            repetitions = std::max(1, std::atoi(argv[i]));
    }

    // The 24 lane pictures, without their @2x variants, which a scale-1 screen never reads.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("dris"))
        if (entry.path().extension() == ".jpg" && entry.path().filename().string().find("@2x") == std::string::npos)
            files.push_back(entry.path().filename().string());
    if (files.empty()) {
        std::fprintf(stderr, "bench_pictures: no pictures in dris/ (run from the repository root)\n");
        return 1;
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return std::atoi(a.c_str()) < std::atoi(b.c_str());
    });

    // Ours and the bare decode alternately, the median of each.
    auto measure = [repetitions](const std::string& path, QImage& target, bool centred) {
        LoadAndDraw(path, target, centred);
        BareDecode(path);
        std::vector<double> ours, bare;
        for (int i = 0; i < repetitions; ++i) {
            double start = Seconds(CLOCK_MONOTONIC);
            LoadAndDraw(path, target, centred);
            ours.push_back(Seconds(CLOCK_MONOTONIC) - start);
            start = Seconds(CLOCK_MONOTONIC);
            BareDecode(path);
            bare.push_back(Seconds(CLOCK_MONOTONIC) - start);
        }
        return std::pair{Median(ours), Median(bare)};
    };
    QImage target(LaneWidth, LaneHeight, QImage::Format_RGB32);
    std::vector<PictureResult> results;
    for (const std::string& file : files) {
        const auto [ours, bare] = measure("dris/" + file, target, true);
        results.push_back({file, ours, bare});
    }
    QImage window(919, 363, QImage::Format_RGB32);
    const auto [background, backgroundBare] = measure("resources/background.jpg", window, false);

    double ours = 0, bare = 0;
    const PictureResult* worst = &results.front();
    for (const PictureResult& r : results) {
        ours += r.Ours;
        bare += r.Bare;
        if (r.Ours / r.Bare > worst->Ours / worst->Bare)
            worst = &r;
        if (verbose)
            PrintBenchRow({"Picture " + r.Name + ": load + first draw", Format("%.1f us", r.Ours * 1e6),
                           Format("%.1f us", r.Bare * 1e6), Format("%.2f x", r.Ours / r.Bare), "<= 1.15 x",
                           r.Ours <= 1.15 * r.Bare});
    }
    const double n = static_cast<double>(results.size());
    const std::string median = " (median of " + std::to_string(repetitions) + ")";
    PrintBenchRow({"Pictures: load + first draw, mean of " + std::to_string(results.size()) + " lane pictures" + median,
                   Format("%.1f us", ours / n * 1e6), Format("%.1f us bare decode", bare / n * 1e6),
                   Format("%.2f x", ours / bare), "<= 1.08 x", ours <= 1.08 * bare});
    PrintBenchRow({"Pictures: slowest relative, " + worst->Name + median, Format("%.1f us", worst->Ours * 1e6),
                   Format("%.1f us bare decode", worst->Bare * 1e6), Format("%.2f x", worst->Ours / worst->Bare),
                   "<= 1.15 x", worst->Ours <= 1.15 * worst->Bare});
    PrintBenchRow({"Pictures: window background 920 x 385, load + first draw" + median,
                   Format("%.1f us", background * 1e6), Format("%.1f us bare decode", backgroundBare * 1e6),
                   Format("%.2f x", background / backgroundBare), "", true});
    if (!hostile.empty())
        HostileRows(argv[0], hostile, "dris/" + files.back());
    return 0;
}
