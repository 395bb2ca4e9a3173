#!/bin/sh
# Builds the experiment-document reader fuzzer with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer in its own build directory and runs it for
# 30 seconds from the committed seed corpus. Any crash, hang, leak or
# sanitizer report makes the fuzzer, and this script, fail.
set -eu

# clang is among the Makefile's packages: without it the fuzzer is not run,
# and that is a failure, not a pass.
if ! command -v clang++ >/dev/null 2>&1 || ! command -v clang >/dev/null 2>&1; then
    echo "fuzz: clang is not installed (make deps installs it)" >&2
    exit 1
fi

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${FUZZ_BUILD:-"$root/build-fuzz"}
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

# Line tables are enough for the file and line of a report. FUZZ_CONFIGURE
# passes further CMake options (the Makefile's precompiled headers).
# shellcheck disable=SC2086
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVXO_FUZZ=ON -DVXO_BUILD_TESTS=OFF -DVXO_BUILD_BENCH=OFF ${FUZZ_CONFIGURE:-} \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
cmake --build "$build" -j "$(nproc)" --target document_reader_fuzz

# New inputs go to a scratch corpus; the committed seeds are only read.
work="$build/fuzz-corpus"
mkdir -p "$work"
# Qt is built without frame pointers: the slow unwinder gives the complete
# allocation stacks the leak suppressions need.
ASAN_OPTIONS=fast_unwind_on_malloc=0 \
LSAN_OPTIONS="suppressions=$root/tests/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/tests/fuzz/document_reader_fuzz" -max_total_time=30 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-" "$work" "$root/tests/fuzz/corpus"
