#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless
# (the end-to-end cases start X servers of their own).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
# The unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of each fuzz target; both in build directories of their own.
"$root/tools/sanitize.sh"
"$root/tools/fuzz.sh"
