#!/usr/bin/env bash
# Builds the program and its unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ and runs the unit tests there.
# The run fails on any sanitizer report, also one from a program that a test
# starts, because every report is written to a file that must stay absent.
# The end-to-end and packaging tests belong to the normal build only.
#
#     tools/sanitize.sh            # configure, build, test
#     SANITIZE_TESTS=tst_sunsign tools/sanitize.sh   # only the tests matching a regex
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-asan"
jobs="$(nproc)"
((jobs > 2)) && jobs=2

cmake -S "$root" -B "$build" -DQX_SANITIZE=ON -DQX_WARNINGS_AS_ERRORS=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$jobs"

reports="$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"

# Stop at the first finding and write it to $reports/<tool>.<pid>.
common="halt_on_error=1:print_stacktrace=1:log_path=$reports/report"
export ASAN_OPTIONS="$common:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="$common"
export QT_QPA_PLATFORM=offscreen

status=0
# The unit tests: not the end-to-end cases, the packaging check or the test
# of the mutation runner.
selection=(-LE '^(e2e|tools)$' -E '^packaging_')
[[ -n "${SANITIZE_TESTS:-}" ]] && selection=(-LE '^(e2e|tools)$' -R "$SANITIZE_TESTS")
ctest --test-dir "$build" --output-on-failure -j"$jobs" "${selection[@]}" || status=$?

shopt -s nullglob
found=("$reports"/*)
if ((${#found[@]})); then
    echo "sanitize.sh: ${#found[@]} sanitizer report(s):" >&2
    for report in "${found[@]}"; do
        echo "==== $report" >&2
        cat "$report" >&2
    done
    status=1
fi
if ((status == 0)); then
    echo "sanitize.sh: unit tests clean under AddressSanitizer and UndefinedBehaviorSanitizer"
fi
exit "$status"
