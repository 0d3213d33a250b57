#!/usr/bin/env bash
# Installs what is missing (the test tools too), builds with warnings as
# errors, and runs the whole test suite headless
# (the end-to-end cases start X servers of their own).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/setup.sh" --tests
# The code is laid out as .clang-format says; `clang-format -i FILE` mends a file.
(cd "$root" && find src tests bench fuzz packaging \( -name '*.cpp' -o -name '*.h' \) -print0 \
    | xargs -0 clang-format --dry-run --Werror)
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j"$(nproc)" | tee "$root/build/ctest.log"
# The unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of each fuzz target; both in build directories of their own.
"$root/tools/sanitize.sh" | tee "$root/build/sanitize.log"
"$root/tools/fuzz.sh"

# Everything above passed (the script stops at the first failure). A test
# program that skipped a function shows in CTest's list of tests that did not run.
tests=$(ctest --test-dir "$root/build" -N | sed -n 's/^Total Tests: //p')
checked=$(ctest --test-dir "$root/build-asan" -N -LE '^(e2e|tools)$' -E '^packaging_' | sed -n 's/^Total Tests: //p')
skipped=$(cat "$root/build/ctest.log" "$root/build/sanitize.log" | grep -c '(Skipped)$' || true)
echo "test.sh: $((tests + checked - skipped)) passed, 0 failed, $skipped skipped"
