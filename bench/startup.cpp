// Start-up: runs the minimal Qt program and the program's start-up probe in turn on the
// offscreen platform and compares the time from starting each process to its first
// painted window, and the peak memory of each process.
//
//   bench_startup <runs> <minimal program> <start-up probe>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/BenchTable.h"

namespace {

struct StartupRun {
    double Seconds = 0;
    double PeakMiB = 0;
};

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "bench_startup: %s\n", what.c_str());
    std::exit(1);
}

// One run: from just before the fork to the moment the child reports its first paint;
// the peak resident size is the child's own, from wait4.
StartupRun RunOnce(const char* program)
{
    int channel[2];
    if (pipe(channel) != 0)
        Fail(std::string("pipe: ") + std::strerror(errno));
    const double started = Seconds(CLOCK_MONOTONIC);
    const pid_t child = fork();
    if (child < 0)
        Fail(std::string("fork: ") + std::strerror(errno));
    if (child == 0) {
        dup2(channel[1], STDOUT_FILENO);
        close(channel[0]);
        close(channel[1]);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(channel[1]);
    std::string output;
    char chunk[256];
    for (;;) {
        const ssize_t count = read(channel[0], chunk, sizeof chunk);
        if (count > 0) {
            output.append(chunk, static_cast<std::size_t>(count));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        break;
    }
    close(channel[0]);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        Fail(std::string("wait4: ") + std::strerror(errno));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(std::string(program) + " did not exit cleanly");
    const std::size_t mark = output.find("painted_ns=");
    if (mark == std::string::npos)
        Fail(std::string(program) + " reported no painted window");
    const double painted = std::strtod(output.c_str() + mark + 11, nullptr) * 1e-9;
    return {painted - started, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        Fail("usage: bench_startup <runs> <minimal program> <start-up probe>");
    const int runs = std::atoi(argv[1]);
    if (runs < 1)
        Fail("runs must be at least 1");
    const char* minimal = argv[2];
    const char* probe = argv[3];
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // One of each first, unmeasured, so both find the libraries in the page cache.
    RunOnce(minimal);
    RunOnce(probe);

    std::vector<double> minimalTime, probeTime, minimalPeak, probePeak;
    for (int run = 0; run < runs; ++run) {
        // Alternate which goes first, so neither always follows the other.
        const bool minimalFirst = run % 2 == 0;
        const StartupRun first = RunOnce(minimalFirst ? minimal : probe);
        const StartupRun second = RunOnce(minimalFirst ? probe : minimal);
        const StartupRun& m = minimalFirst ? first : second;
        const StartupRun& p = minimalFirst ? second : first;
        minimalTime.push_back(m.Seconds);
        probeTime.push_back(p.Seconds);
        minimalPeak.push_back(m.PeakMiB);
        probePeak.push_back(p.PeakMiB);
    }

    const double time = Median(probeTime);
    const double baseTime = Median(minimalTime);
    const double peak = Median(probePeak);
    const double basePeak = Median(minimalPeak);
    const std::string runsNote = " (median of " + std::to_string(runs) + ")";
    PrintBenchRow({"Start-up to first painted window" + runsNote, Format("%.1f ms", time * 1e3),
                   Format("%.1f ms", baseTime * 1e3), Format("%.2f x", time / baseTime), "<= 1.25 x",
                   time <= 1.25 * baseTime});
    PrintBenchRow({"Start-up peak memory" + runsNote, Format("%.1f MiB", peak), Format("%.1f MiB", basePeak),
                   Format("%+.1f MiB", peak - basePeak), "<= +6 MiB", peak - basePeak <= 6.0});
    return 0;
}
