#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/setup.sh"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the desktop program" >&2
    echo "QXFreeFriendshipCompatibilityTest needs one. A sample report from the" >&2
    echo "command-line companion instead:" >&2
    echo >&2
    exec "$root/build/bin/qx-friendship-report" 1990-07-21 1985-07-20
fi
exec "$root/build/bin/QXFreeFriendshipCompatibilityTest"
