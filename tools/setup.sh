#!/usr/bin/env bash
# Installs what is missing from Debian's packages, then configures and builds
# in build/.
#
#     tools/setup.sh           # what building and running the program need
#     tools/setup.sh --tests   # and the test tools; tests built, warnings as errors
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
with_tests=0
[[ "${1:-}" == "--tests" ]] && with_tests=1

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    # Renders the program's icon at build time.
    qt6-svg-dev libqt6svg6
    fonts-dejavu-core
)
if ((with_tests)); then
    packages+=(
        # the end-to-end cases and the screenshots: an X server, a window
        # manager, input and the keyboard map (xmodmap), the clipboard, a
        # session bus and the accessibility bus, a stopped clock, screen
        # grabs (import)
        python3 xvfb xauth xdotool x11-utils x11-xserver-utils xclip openbox wmctrl dbus
        at-spi2-core python3-pyatspi faketime libfaketime imagemagick
        # the packaging check: hardening-check (devscripts), and diffoscope to
        # show how two builds' packages differ (faketime above)
        desktop-file-utils appstream dpkg-dev file lintian devscripts diffoscope-minimal
        # the fuzz targets
        clang libclang-rt-14-dev
        # the lock and start-up cases: a stalled or traced copy; the benchmark's instruction count
        strace valgrind
        # the layout check of test.sh
        clang-format
        # the mutation runner's scratch build (tools/mutate.py)
        ninja-build ccache
    )
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

options=(-DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}")
if ((with_tests)); then
    options+=(-DQX_BUILD_TESTS=ON -DQX_WARNINGS_AS_ERRORS=ON)
elif [[ ! -f "$root/build/CMakeCache.txt" ]]; then
    # A first build for running only; a build folder that test.sh has set up
    # keeps its tests.
    options+=(-DQX_BUILD_TESTS=OFF)
fi
cmake -S "$root" -B "$root/build" "${options[@]}" >/dev/null
cmake --build "$root/build" -j"$(nproc)"
