#!/bin/sh
# Builds the benchmarks in Release and runs them all on Qt's offscreen platform, printing
# one Markdown table: start-up against a minimal Qt program, the animation's cost per
# tick and while idle, picture loading against a bare libjpeg-turbo decode (and the
# peak memory and time of forged and unusual pictures, each in a process of its own), the
# error box for pasted texts against one for a short text, and the
# number conversions against the C library (Google Benchmark).
#
#   tools/bench.sh     (build dir: BENCH_BUILD_DIR, default build-bench;
#                       start-up runs per program: STARTUP_RUNS, default 15)
#
# Takes about five minutes, and writes some 1.7 GB of test pictures into the build dir
# for the while; run it on an otherwise quiet machine.
set -eu
cd "$(dirname "$0")/.."
build=${BENCH_BUILD_DIR:-build-bench}
runs=${STARTUP_RUNS:-15}
targets="bench_startup bench_startup_probe bench_minimal_qt bench_animation bench_pictures bench_error_box bench_numbers
         bench_bad_inputs make_hostile_pictures"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF >/dev/null
if ! grep -q '^benchmark_DIR:PATH=/' "$build/CMakeCache.txt"; then
    echo "bench: Google Benchmark not found (Debian: apt-get install libbenchmark-dev)" >&2
    exit 1
fi
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $targets >/dev/null

export QT_QPA_PLATFORM=offscreen
log=$build/bench.log
: >"$log"
run() {
    if ! "$@" 2>>"$log"; then
        echo "bench: $1 failed; its messages:" >&2
        tail -n 20 "$log" >&2
        exit 1
    fi
}

echo "Machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)," \
     "$(uname -sr), Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
echo "Command: tools/bench.sh (Release build, offscreen platform)"
echo
echo "| Measure | Velmora | Baseline | Comparison | Target | Result |"
echo "|---|---|---|---|---|---|"
run "$build/bench_startup" "$runs" "$build/bench_minimal_qt" "$build/bench_startup_probe"
run "$build/bench_animation"
hostile=$build/hostile-pictures
rm -rf "$hostile"
run "$build/make_hostile_pictures" "$hostile" --large --padded
run "$build/bench_pictures" --hostile "$hostile"
rm -rf "$hostile"
run "$build/bench_error_box"
run "$build/bench_numbers"
echo
echo "Bad inputs tried, and what each produced:"
echo
run "$build/bench_bad_inputs"
