#!/usr/bin/env bash
# check_install.sh BUILD_DIR HAS_DESKTOP_PROGRAM
#
# Installs the build into a scratch root and validates what a desktop reads
# (the desktop entry, the AppStream metainfo, the icons, the manual pages),
# then builds the Debian package, has lintian check it, unpacks it and runs
# qx-friendship-report from the unpacked tree. Nothing outside a scratch
# folder is touched.
set -euo pipefail

build_dir="$(cd "$1" && pwd)"
has_desktop_program="${2:-0}"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

step() {
    echo "-- $*"
}

run_quietly() {
    local log="$scratch/log"
    if ! "$@" >"$log" 2>&1; then
        cat "$log" >&2
        fail "$* failed"
    fi
}

step "cmake --install into a scratch root"
DESTDIR="$scratch/install" run_quietly cmake --install "$build_dir" --prefix /usr
usr="$scratch/install/usr"

shopt -s nullglob
desktop_files=("$usr"/share/applications/*.desktop)
((${#desktop_files[@]} == 1)) || fail "expected one desktop entry, found ${#desktop_files[@]}"
desktop_file="${desktop_files[0]}"
app_id="$(basename "$desktop_file" .desktop)"

step "desktop-file-validate $app_id.desktop"
desktop-file-validate "$desktop_file"
grep -qx "Name=QX Friendship Compatibility Test" "$desktop_file" || fail "desktop entry: wrong Name"
grep -qx "Icon=$app_id" "$desktop_file" || fail "desktop entry: Icon is not $app_id"
exec_line="$(grep '^Exec=' "$desktop_file")"
exec_program="${exec_line#Exec=}"
[[ "$exec_program" != *" "* ]] || fail "desktop entry: Exec takes arguments: $exec_program"

step "appstreamcli validate --no-net $app_id.metainfo.xml"
metainfo="$usr/share/metainfo/$app_id.metainfo.xml"
[[ -f "$metainfo" ]] || fail "no metainfo at $metainfo"
appstreamcli validate --no-net "$metainfo"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    || fail "metainfo does not launch $app_id.desktop"

step "icons and manual page"
[[ -f "$usr/share/icons/hicolor/scalable/apps/$app_id.svg" ]] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
    png="$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    [[ -f "$png" ]] || fail "no ${size}x${size} icon"
    file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
done
manual_pages=(qx-friendship-report)
[[ "$has_desktop_program" == 1 ]] && manual_pages+=(QXFreeFriendshipCompatibilityTest)
for program in "${manual_pages[@]}"; do
    man_page=("$usr"/share/man/man1/"$program".1*)
    ((${#man_page[@]} == 1)) || fail "no manual page for $program"
    title="$(tr '[:lower:]' '[:upper:]' <<<"$program")"
    if [[ "${man_page[0]}" == *.gz ]]; then
        gzip -dc "${man_page[0]}" | grep -q "^\.TH $title 1" || fail "manual page of $program unreadable"
    fi
done

step "installed programs"
[[ -x "$usr/bin/qx-friendship-report" ]] || fail "qx-friendship-report not installed"
if [[ "$has_desktop_program" == 1 ]]; then
    [[ -x "$usr/bin/$exec_program" ]] || fail "desktop entry runs $exec_program, which is not installed"
fi

step "cpack -G DEB"
(cd "$scratch" && run_quietly cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/package")
packages=("$scratch"/package/*.deb)
((${#packages[@]} == 1)) || fail "expected one .deb, found ${#packages[@]}"
deb="${packages[0]}"
echo "   $(basename "$deb")"

depends="$(dpkg-deb --field "$deb" Depends)"
echo "   Depends: $depends"
for needed in libc6 libqt6core6 libstdc++6; do
    [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] \
        || fail "Depends lacks $needed"
done
if [[ "$has_desktop_program" == 1 ]]; then
    [[ "$depends" == *libqt6widgets6* ]] || fail "Depends lacks libqt6widgets6"
fi

step "lintian"
# Errors and warnings fail; info and pedantic tags are advice only. Run as
# root (as CI does), lintian checks all the same once it is told so.
lintian_options=(--fail-on error,warning)
((EUID != 0)) || lintian_options+=(--allow-root)
lintian "${lintian_options[@]}" "$deb" || fail "lintian found errors or warnings in $(basename "$deb")"

step "dpkg -x and run qx-friendship-report from the package"
dpkg -x "$deb" "$scratch/root"
report="$scratch/root/usr/bin/qx-friendship-report"
file -b "$report" | grep -q ", stripped" || fail "packaged qx-friendship-report is not stripped"
if readelf -d "$report" | grep -Eq 'R(UN)?PATH'; then
    fail "packaged qx-friendship-report carries a library search path"
fi
[[ -f "$scratch/root/usr/share/applications/$app_id.desktop" ]] || fail "package lacks the desktop entry"

text="$(env -u LD_LIBRARY_PATH "$report" 1990-05-17 1992-11-03)"
grep -qx "Your Sun Sign: Taurus" <<<"$text" || fail "report lacks the user's sign:"$'\n'"$text"
grep -qx "Your Friend's Sun Sign: Scorpio" <<<"$text" || fail "report lacks the friend's sign"
json="$(env -u LD_LIBRARY_PATH "$report" --json 1990-05-17 1992-11-03)"
grep -q '"YourFriendsSunSign": "Scorpio"' <<<"$json" || fail "JSON report lacks the friend's sign"
status=0
env -u LD_LIBRARY_PATH "$report" 1990-02-30 1992-11-03 >/dev/null 2>&1 || status=$?
((status == 2)) || fail "an impossible date gave exit status $status, not 2"

echo "packaging checks passed"
