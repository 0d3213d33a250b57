#!/usr/bin/env bash
# check_mutation_runner.sh PROJECT_ROOT
#
# Runs tools/mutate.py on the fixture project beside this script: of its two
# mutants, the one its test catches must be reported caught, the one it
# misses survived, and the fixture must be as it was.
set -euo pipefail

root="$(cd "$1" && pwd)"
fixture="$(cd "$(dirname "$0")/mutation-fixture" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

fingerprint() {
    (cd "$fixture" && find . -print0 | sort -z | xargs -0 stat -c '%n %s %Y %a' && find . -type f -print0 \
        | sort -z | xargs -0 sha256sum)
}

before="$(fingerprint)"
output="$("$root/tools/mutate.py" --project "$fixture" --work "$work" --kinds relational --timeout 20 src 2>&1)" \
    || fail "mutate.py ended with status $?:"$'\n'"$output"
echo "$output"

grep -qx '\[1/2\] src/limits.cpp:5 relational: caught (check_limits)  .*' <<<"$output" \
    || fail "the mutant of isAdult's boundary is not reported caught"
grep -qx '\[2/2\] src/limits.cpp:10 relational: survived  .*' <<<"$output" \
    || fail "the mutant of isSenior's boundary is not reported survived"
grep -qx 'SURVIVED src/limits.cpp:10 \[relational\]' <<<"$output" || fail "the survivor is not shown"
grep -qx '  + *10 |     return age > 65;' <<<"$output" || fail "the survivor's mutated line is not shown"
grep -Eqx 'total +2 +0 +1 +0 +1 +0 +50.0 %' <<<"$output" || fail "wrong totals"
[[ "$(fingerprint)" == "$before" ]] || fail "the fixture changed"
echo "mutation runner checks passed"
