#!/usr/bin/env bash
# Takes the screenshots of every window: the main window with a test filled
# in, both tabs of the results window for a user born 21 July and a friend
# born 20 July, the about window and the exit screen. Runs the program (it
# builds nothing itself) on a private X server, with fresh settings and a
# browser stand-in, and drives it with the keyboard through xdotool.
#
#     tools/screenshots.sh [--program PATH] [FOLDER]
#
# PATH defaults to build/bin/QXFreeFriendshipCompatibilityTest, FOLDER to docs/.
# The clock is stopped at one moment (libfaketime), so the random draws of
# the banner and of the exit screen's appeal come out the same on every run:
# two runs, of the same or of different builds, can be compared pixel for
# pixel with `compare -metric AE`.
#
# Needs: xvfb, xdotool, imagemagick (import), libfaketime.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="$root/build/bin/QXFreeFriendshipCompatibilityTest"
if [[ "${1:-}" == "--program" ]]; then
    program="$(realpath "$2")"
    shift 2
fi
out="$(realpath "${1:-$root/docs}")"
display_number="${SCREENSHOT_DISPLAY:-99}"

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing" >&2; exit 1; }
done
[[ -x "$program" ]] || { echo "screenshots.sh: build the program first ($program)" >&2; exit 1; }
faketime_library="$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)"
[[ -n "$faketime_library" ]] || { echo "screenshots.sh: libfaketime is missing" >&2; exit 1; }
mkdir -p "$out"

work="$(mktemp -d)"
xvfb_pid=""
program_pid=""
cleanup() {
    # The program runs in a session of its own, with its session bus.
    if [[ -n "$program_pid" ]]; then kill -- "-$program_pid" 2>/dev/null || true; fi
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
LD_PRELOAD="$faketime_library" FAKETIME="2031-03-20 10:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    setsid dbus-run-session -- "$program" >"$work/program.log" 2>&1 &
program_pid=$!

# The id of the visible window with the program's caption and the given
# client width (the windows share one caption).
window_id() {
    local id width
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name '^QX Friendship Compatibility Test v' 2>/dev/null); do
            width="$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')"
            [[ "$width" == "$1" ]] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    echo "screenshots.sh: no program window $1 pixels wide appeared" >&2
    cat "$work/program.log" >&2
    return 1
}

activate() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"; sleep 0.5; }
keys() { xdotool key --delay 80 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.3; }
shoot() { sleep 0.5; import -window "$1" "$2"; echo "wrote $2"; }

main_window="$(window_id 524)"
activate "$main_window"

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
shoot "$main_window" "$out/main-window.png"

# Space presses the focused test button.
keys space
results_window="$(window_id 625)"
activate "$results_window"
shoot "$results_window" "$out/results-compatibility.png"

# A click on the first tab, "Friendship Profile", brings it to the front.
xdotool mousemove --window "$results_window" 60 80 click 1
sleep 0.3
xdotool mousemove --window "$results_window" 600 10
shoot "$results_window" "$out/results-profile.png"

# Help, About Software.
keys alt+h a
about_window="$(window_id 423)"
activate "$about_window"
shoot "$about_window" "$out/about-window.png"
keys Escape

# Exit in the results window leads to the exit screen.
activate "$results_window"
keys alt+e
exit_screen="$(window_id 741)"
activate "$exit_screen"
shoot "$exit_screen" "$out/exit-screen.png"
