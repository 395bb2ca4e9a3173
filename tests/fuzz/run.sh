#!/bin/sh
# Runs the experiment-document reader fuzzer of the sanitizer build (clang,
# AddressSanitizer and UndefinedBehaviorSanitizer; `make fuzz` builds it) for
# 30 seconds from the committed seed corpus. Any crash, hang, leak or
# sanitizer report makes the fuzzer, and this script, fail.
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-"$root/build-asan"}
fuzzer="$build/tests/fuzz/document_reader_fuzz"
if [ ! -x "$fuzzer" ]; then
    echo "fuzz: $fuzzer is not built (make fuzz builds it)" >&2
    exit 1
fi

# New inputs go to a scratch corpus; the committed seeds are only read.
work="$build/fuzz-corpus"
mkdir -p "$work"
# Qt is built without frame pointers: the slow unwinder gives the complete
# allocation stacks the leak suppressions need.
ASAN_OPTIONS=fast_unwind_on_malloc=0 \
LSAN_OPTIONS="suppressions=$root/tests/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$fuzzer" -max_total_time=30 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-" "$work" "$root/tests/fuzz/corpus"
