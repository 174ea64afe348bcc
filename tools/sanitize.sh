#!/bin/sh
# Builds the whole tree with AddressSanitizer and UndefinedBehaviorSanitizer (GCC) in
# its own build folder and runs every unit test on the offscreen platform. Any memory
# error, leak or undefined behaviour fails the test it happens in.
#
#   tools/sanitize.sh            (build dir: SANITIZE_BUILD_DIR, default build-asan)
#
# Leaks are reported at exit; tools/lsan.supp silences only those inside Qt's and the
# font libraries' own start-up caches, never one in our code.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build=${SANITIZE_BUILD_DIR:-build-asan}
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

# -O1 keeps the instrumented tests quick; -g1 is enough for the reports' line numbers.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j2

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The end-to-end tests drive the real program on a virtual X display; they are not unit tests.
ctest --test-dir "$build" --output-on-failure -LE e2e -j2
