#!/usr/bin/env bash
# Installs what is missing (the test tools too), builds with warnings as
# errors, and runs the whole test suite headless
# (the end-to-end cases start X servers of their own).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/setup.sh" --tests
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
# The unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of each fuzz target; both in build directories of their own.
"$root/tools/sanitize.sh"
"$root/tools/fuzz.sh"

# Everything above passed (the script stops at the first failure).
tests=$(ctest --test-dir "$root/build" -N | sed -n 's/^Total Tests: //p')
checked=$(ctest --test-dir "$root/build-asan" -N -LE e2e -E '^packaging_' | sed -n 's/^Total Tests: //p')
echo "test.sh: $((tests + checked)) passed, 0 failed"
