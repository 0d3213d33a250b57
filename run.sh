#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/setup.sh"
exec "$root/build/bin/qx-friendship-report" 1990-07-21 1985-07-20
