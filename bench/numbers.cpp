// The number conversions against the C library on the same texts and values: typical
// lesson values, and hard cases (long digit strings, the ends of the ranges, blanks,
// leading zeros). Each benchmark converts its whole set once per iteration. The table
// at the end gives the median time per conversion and the ratio to the C library.
//
//   bench_numbers [Google Benchmark flags]
#include <benchmark/benchmark.h>

#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "runtime/Errors.h"
#include "runtime/NumText.h"

namespace {

// Texts use "." so that strtold, in the C locale, reads the same texts.
const std::vector<std::string> LessonIntegers = {"3", "60", "180", "2", "50", "100", "30", "7", "12", "555", "-20", "0"};
const std::vector<std::string> HardIntegers = {"2147483647", "-2147483648", "   12", "+0000000000000000123",
                                               "-0", "1999999999", "000000000000000000000", "-1000000000"};
const std::vector<std::string> HexIntegers = {"0x1F", "0x7FFFFFFF", "0X80000000", "0x00000000ff", "0xDEADBEEF"};
const std::vector<std::string> LessonReals = {"60", "3", "2.5", "180", "0.5", "14.2857142857143",
                                              "0.333333333333333", "1000", "12.75", "-20"};
const std::vector<std::string> HardReals = {
    "3.14159265358979323846264338327950288419716939937510",
    "123456789012345678901234567890",
    "1E4000",
    "1e-4000",
    "4.9e-4950",
    "1.18973149535723176e4932",
    "0.000000000000000000000000000001",
    "9999999999999999999",
    "  +7.5e+300  ",
};
const std::vector<std::string> RejectedTexts = {"abc", "1.2.3", "12 ", "1E5000", ""};

const std::vector<long double> LessonValues = {6, 180, 2.5, 1.0 / 3, 2.0 / 3, 100.0 / 7, 0.5, 1000, 12.75, -20};
const std::vector<long double> HardValues = {1e15L,  1234567890123456.0L, 0.0001L, 1e-5L,  0.000015L, LDBL_MAX,
                                             LDBL_MIN, 1e300L,            1e-300L,  9.999999999999999e22L,
                                             3.14159265358979323846264338327950288L};

void BM_StrToInt(benchmark::State& state, const std::vector<std::string>* texts)
{
    for (auto _ : state)
        for (const std::string& text : *texts)
            benchmark::DoNotOptimize(StrToInt(text));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts->size()));
}

void BM_strtol(benchmark::State& state, const std::vector<std::string>* texts, int base)
{
    for (auto _ : state)
        for (const std::string& text : *texts) {
            char* end = nullptr;
            benchmark::DoNotOptimize(std::strtol(text.c_str(), &end, base));
            benchmark::DoNotOptimize(end);
        }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts->size()));
}

void BM_StrToFloat(benchmark::State& state, const std::vector<std::string>* texts)
{
    SetDecimalSeparator('.');
    for (auto _ : state)
        for (const std::string& text : *texts)
            benchmark::DoNotOptimize(StrToFloat(text));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts->size()));
}

void BM_strtold(benchmark::State& state, const std::vector<std::string>* texts)
{
    for (auto _ : state)
        for (const std::string& text : *texts) {
            char* end = nullptr;
            benchmark::DoNotOptimize(std::strtold(text.c_str(), &end));
            benchmark::DoNotOptimize(end);
        }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts->size()));
}

// A rejection is an exception by design, so this pair shows its price; no target.
void BM_StrToFloatRejected(benchmark::State& state, const std::vector<std::string>* texts)
{
    SetDecimalSeparator('.');
    for (auto _ : state)
        for (const std::string& text : *texts) {
            try {
                benchmark::DoNotOptimize(StrToFloat(text));
            } catch (const EConvertError& error) {
                benchmark::DoNotOptimize(error.what());
            }
        }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts->size()));
}

void BM_FloatToStr(benchmark::State& state, const std::vector<long double>* values)
{
    SetDecimalSeparator('.');
    for (auto _ : state)
        for (const long double value : *values)
            benchmark::DoNotOptimize(FloatToStr(value));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values->size()));
}

void BM_snprintf(benchmark::State& state, const std::vector<long double>* values)
{
    char text[64];
    for (auto _ : state)
        for (const long double value : *values) {
            benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%.15Lg", value));
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values->size()));
}

struct Pair {
    const char* Measure;
    std::string Ours;
    std::string Library;
    std::size_t Count;
    bool HasTarget;
};

const std::vector<Pair>& Pairs()
{
    static const std::vector<Pair> pairs = {
        {"StrToInt vs strtol, lesson values", "StrToInt/lesson", "strtol/lesson", LessonIntegers.size(), true},
        {"StrToInt vs strtol, hard cases", "StrToInt/hard", "strtol/hard", HardIntegers.size(), true},
        {"StrToInt vs strtol, hexadecimal", "StrToInt/hex", "strtol/hex", HexIntegers.size(), true},
        {"StrToFloat vs strtold, lesson values", "StrToFloat/lesson", "strtold/lesson", LessonReals.size(), true},
        {"StrToFloat vs strtold, hard cases", "StrToFloat/hard", "strtold/hard", HardReals.size(), true},
        {"StrToFloat vs strtold, rejected texts", "StrToFloat/rejected", "strtold/rejected", RejectedTexts.size(),
         false},
        {"FloatToStr vs snprintf %.15Lg, lesson values", "FloatToStr/lesson", "snprintf/lesson",
         LessonValues.size(), true},
        {"FloatToStr vs snprintf %.15Lg, hard cases", "FloatToStr/hard", "snprintf/hard", HardValues.size(), true},
    };
    return pairs;
}

void Register()
{
    benchmark::RegisterBenchmark("StrToInt/lesson", BM_StrToInt, &LessonIntegers);
    benchmark::RegisterBenchmark("strtol/lesson", BM_strtol, &LessonIntegers, 10);
    benchmark::RegisterBenchmark("StrToInt/hard", BM_StrToInt, &HardIntegers);
    benchmark::RegisterBenchmark("strtol/hard", BM_strtol, &HardIntegers, 10);
    benchmark::RegisterBenchmark("StrToInt/hex", BM_StrToInt, &HexIntegers);
    benchmark::RegisterBenchmark("strtol/hex", BM_strtol, &HexIntegers, 16);
    benchmark::RegisterBenchmark("StrToFloat/lesson", BM_StrToFloat, &LessonReals);
    benchmark::RegisterBenchmark("strtold/lesson", BM_strtold, &LessonReals);
    benchmark::RegisterBenchmark("StrToFloat/hard", BM_StrToFloat, &HardReals);
    benchmark::RegisterBenchmark("strtold/hard", BM_strtold, &HardReals);
    benchmark::RegisterBenchmark("StrToFloat/rejected", BM_StrToFloatRejected, &RejectedTexts);
    benchmark::RegisterBenchmark("strtold/rejected", BM_strtold, &RejectedTexts);
    benchmark::RegisterBenchmark("FloatToStr/lesson", BM_FloatToStr, &LessonValues);
    benchmark::RegisterBenchmark("snprintf/lesson", BM_snprintf, &LessonValues);
    benchmark::RegisterBenchmark("FloatToStr/hard", BM_FloatToStr, &HardValues);
    benchmark::RegisterBenchmark("snprintf/hard", BM_snprintf, &HardValues);
}

// Keeps the median CPU time of each benchmark over its repetitions (or its only run).
class MedianCollector : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.function_name;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !medians.count(name)))
                medians[name] = run.GetAdjustedCPUTime() * TimeUnitNanoseconds(run.time_unit);
        }
    }

    std::map<std::string, double> medians; // nanoseconds per iteration

private:
    static double TimeUnitNanoseconds(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kSecond: return 1e9;
        case benchmark::kMillisecond: return 1e6;
        case benchmark::kMicrosecond: return 1e3;
        case benchmark::kNanosecond: break;
        }
        return 1;
    }
};

} // namespace

int main(int argc, char** argv)
{
    // Repeated, interleaved runs unless the caller says otherwise: the machine is shared.
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string minTime = "--benchmark_min_time=0.2";
    args.insert(args.begin() + 1, {repetitions.data(), interleave.data(), minTime.data()});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    Register();
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    for (const Pair& pair : Pairs()) {
        const auto ours = collector.medians.find(pair.Ours);
        const auto library = collector.medians.find(pair.Library);
        if (ours == collector.medians.end() || library == collector.medians.end())
            continue;
        const double n = static_cast<double>(pair.Count);
        const double ratio = ours->second / library->second;
        PrintBenchRow({pair.Measure, Format("%.1f ns", ours->second / n), Format("%.1f ns", library->second / n),
                       Format("%.2f x", ratio), pair.HasTarget ? "<= 1.00 x" : "", ratio <= 1.0});
    }
    return 0;
}
