#!/usr/bin/env bash
# Takes the screenshots of every window; tools/screenshots.py tells how.
#
#     tools/screenshots.sh [--program PATH] [FOLDER]
#
# Runs it with Debian's Python, which has pyatspi (python3-pyatspi), whatever
# other Python comes first on PATH.
python=/usr/bin/python3
[[ -x "$python" ]] || python=python3
exec "$python" "$(dirname "${BASH_SOURCE[0]}")/screenshots.py" "$@"
