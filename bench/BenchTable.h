// Result rows printed by every benchmark program in one Markdown table shape, so that
// tools/bench.sh can print a single table from all of them.
#pragma once

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

struct BenchRow {
    std::string Measure;
    std::string Ours;
    std::string Baseline;
    std::string Comparison;
    std::string Target;     // empty when the measure has no target
    bool Met = true;
};

inline void PrintBenchRow(const BenchRow& row)
{
    const char* verdict = row.Target.empty() ? "-" : (row.Met ? "met" : "MISSED");
    std::printf("| %s | %s | %s | %s | %s | %s |\n", row.Measure.c_str(), row.Ours.c_str(), row.Baseline.c_str(),
                row.Comparison.c_str(), row.Target.empty() ? "-" : row.Target.c_str(), verdict);
    std::fflush(stdout);
}

inline std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double Seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
