#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, then runs each for a while.
#
#     tools/fuzz.sh                                  # every target, 10 s each
#     FUZZ_SECONDS=3600 tools/fuzz.sh fuzz_report_command   # one target, longer
#
# Each target starts from its committed corpus fuzz/corpus/<name>/ and keeps
# what it learns in build-fuzz/corpus/<name>/, so a later run goes on from
# there. A finding stops the run with status 1 and leaves the input that
# triggers it in build-fuzz/findings/; replay it with
#     build-fuzz/fuzz/<name> build-fuzz/findings/<file>
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
seconds="${FUZZ_SECONDS:-10}"
jobs="$(nproc)"
((jobs > 2)) && jobs=2

targets=("$@")
((${#targets[@]})) || targets=(fuzz_report_command fuzz_reminder_setting fuzz_referral_address)

cmake -S "$root" -B "$build" -DQX_FUZZ=ON -DQX_WARNINGS_AS_ERRORS=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:print_stacktrace=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build/findings"

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    echo "fuzz.sh: $target for ${seconds} s"
    log="$build/findings/$target.log"
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=512 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
        "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
        echo "fuzz.sh: $target found a problem:" >&2
        tail -n 60 "$log" >&2
        status=1
    else
        grep -E '^stat::number_of_executed_units' "$log" | sed "s/^/fuzz.sh: $target /" || true
    fi
done
exit "$status"
