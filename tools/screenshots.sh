#!/usr/bin/env bash
# Takes the screenshots of docs/: the main window with a test filled in, and
# both tabs of the results window for a user born 21 July and a friend born
# 20 July. Runs the program built in build/ (it builds nothing itself) on a
# private X server, with fresh settings and a browser stand-in, and drives it
# with the keyboard through xdotool.
#
# Needs: xvfb, xdotool, imagemagick (import).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="$root/build/bin/QXFreeFriendshipCompatibilityTest"
docs="$root/docs"
display_number="${SCREENSHOT_DISPLAY:-99}"

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing" >&2; exit 1; }
done
[[ -x "$program" ]] || { echo "screenshots.sh: build the program first ($program)" >&2; exit 1; }

work="$(mktemp -d)"
xvfb_pid=""
program_pid=""
cleanup() {
    if [[ -n "$program_pid" ]]; then kill "$program_pid" 2>/dev/null || true; fi
    if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A private desktop: no real settings, no real browser.
mkdir -p "$work/config" "$work/runtime" "$work/bin"
chmod 700 "$work/runtime"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

# :99 unless another X server has it already.
while [[ -e "/tmp/.X${display_number}-lock" ]]; do display_number=$((display_number + 1)); done
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display_number"
for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done
kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" PATH="$work/bin:$PATH"
export QT_QPA_PLATFORM=xcb
"$program" >"$work/program.log" 2>&1 &
program_pid=$!

# The id of the visible window with the program's caption.
window_id() {
    local id
    for _ in $(seq 100); do
        id="$(xdotool search --onlyvisible --name '^QX Friendship Compatibility Test v1\.25$' 2>/dev/null | tail -n 1 || true)"
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "screenshots.sh: no program window appeared" >&2
    cat "$work/program.log" >&2
    return 1
}

keys() { xdotool key --delay 80 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.3; }
shoot() { sleep 0.5; import -window "$1" "$2"; echo "wrote ${2#"$root/"}"; }

main_window="$(window_id)"
xdotool windowactivate --sync "$main_window" 2>/dev/null || xdotool windowfocus --sync "$main_window"
sleep 0.5

# The focus starts in the user's name box; Tab walks the focus order.
type_text "alex"
keys Tab; type_text "21"
keys Tab; type_text "jul"
keys Tab; type_text "1990"
keys Tab; type_text "sam"
keys Tab; type_text "20"
keys Tab; type_text "jul"
keys Tab; type_text "1991"
keys Tab
shoot "$main_window" "$docs/main-window.png"

# Space presses the focused test button.
keys space
sleep 1
results_window="$(window_id)"
xdotool windowactivate --sync "$results_window" 2>/dev/null || true
sleep 0.5
shoot "$results_window" "$docs/results-compatibility.png"

# A click on the first tab, "Friendship Profile", brings it to the front.
xdotool mousemove --window "$results_window" 60 80 click 1
sleep 0.3
xdotool mousemove --window "$results_window" 600 10
shoot "$results_window" "$docs/results-profile.png"
