#!/bin/sh
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds, starting from the seed corpus in
# fuzz/corpus/<target>/. Inputs that grow coverage go to <build dir>/corpus/<target>/;
# a crash, leak or failed check stops the run and leaves a crash-* file there.
#
#   tools/fuzz.sh <seconds per target>      (build dir: FUZZ_BUILD_DIR, default build-fuzz)
set -eu
cd "$(dirname "$0")/.."
if [ $# -ne 1 ] || ! [ "$1" -gt 0 ] 2>/dev/null; then
    echo "usage: tools/fuzz.sh <seconds per target>" >&2
    exit 2
fi
seconds=$1
build=${FUZZ_BUILD_DIR:-build-fuzz}

cc=; cxx=
for version in "" -16 -15 -14; do
    if command -v "clang$version" >/dev/null && command -v "clang++$version" >/dev/null; then
        cc=clang$version; cxx=clang++$version; break
    fi
done
if [ -z "$cxx" ]; then
    echo "fuzz: clang not found, fuzz targets not built (Debian: apt-get install clang-14 libclang-rt-14-dev)"
    exit 0
fi

CC=$cc CXX=$cxx cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null

status=0
for target in fuzz_numtext fuzz_picture; do
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    echo "fuzz: $target for $seconds s"
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$build/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2560 -malloc_limit_mb=768 \
        -artifact_prefix="$corpus/" -print_final_stats=1 \
        "$corpus" "fuzz/corpus/$target" >"$build/$target.log" 2>&1; then
        echo "fuzz: $target FAILED, see $build/$target.log and $corpus/crash-*" >&2
        tail -n 40 "$build/$target.log" >&2
        status=1
    else
        grep -E '^(stat::number_of_executed_units|stat::new_units_added):' "$build/$target.log" | sed 's/^/    /'
    fi
done
exit $status
