#!/usr/bin/env bash
# check_install.sh BUILD_DIR HAS_DESKTOP_PROGRAM SOURCE_DIR
#
# Installs the build into a scratch root and validates what a desktop reads
# (the desktop entry, the AppStream metainfo, the icons, the manual pages),
# then builds the Debian package, unpacks it, checks the programs' hardening,
# has lintian check the package with its pedantic checks and runs
# qx-friendship-report from the unpacked tree. Last, it builds the package a
# second time from a clone of the sources in another folder, with another
# umask, locale, time zone and a clock a day ahead, and wants the same bytes.
# Nothing outside a scratch folder is touched.
set -euo pipefail

build_dir="$(cd "$1" && pwd)"
has_desktop_program="${2:-0}"
source_dir="$(cd "$3" && pwd)"

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

step "dpkg -x"
dpkg -x "$deb" "$scratch/root"
report="$scratch/root/usr/bin/qx-friendship-report"
file -b "$report" | grep -q ", stripped" || fail "packaged qx-friendship-report is not stripped"
if readelf -d "$report" | grep -Eq 'R(UN)?PATH'; then
    fail "packaged qx-friendship-report carries a library search path"
fi
[[ -f "$scratch/root/usr/share/applications/$app_id.desktop" ]] || fail "package lacks the desktop entry"

# A setting of the build folder's CMake cache, as NAME:TYPE=VALUE.
cache_entries() {
    grep -E "^($1):" "$build_dir/CMakeCache.txt" || true
}

# Fortified calls need an optimising build.
optimised=0
cache_entries CMAKE_BUILD_TYPE | grep -Eq '=(Release|RelWithDebInfo|MinSizeRel)$' && optimised=1

step "hardening-check of the packaged programs"
programs=(qx-friendship-report)
[[ "$has_desktop_program" == 1 ]] && programs+=("$exec_program")
for program in "${programs[@]}"; do
    # Its status is not asked: Debian 12's start files carry no
    # control-flow note, so "Control flow integrity" says no whatever the
    # flags, and stack-clash probes show only in large frames. The compile
    # lines answer for those (below).
    found="$(hardening-check "$scratch/root/usr/bin/$program" || true)"
    sed "s|$scratch/root||; s/^/   /" <<<"$found"
    for line in "Position Independent Executable: yes" "Stack protected: yes" \
        "Read-only relocations: yes" "Immediate binding: yes"; do
        grep -q "^ $line" <<<"$found" || fail "$program: not \"$line\""
    done
    # hardening-check sees fortification in a call checked at run time.
    if ((optimised)); then
        grep -Eq '^ Fortify Source functions: (yes|unknown, no protectable libc functions used)' <<<"$found" \
            || fail "$program: not fortified"
    fi
done

step "control-flow and stack-clash protection, fortification, on every compile line"
compile_lines="$(grep '"command":' "$build_dir/compile_commands.json")"
[[ -n "$compile_lines" ]] || fail "no compile lines in $build_dir/compile_commands.json"
flags=(-fstack-clash-protection -fcf-protection)
((optimised)) && flags+=(-D_FORTIFY_SOURCE=)
for flag in "${flags[@]}"; do
    missing="$(grep -cvF -- " $flag" <<<"$compile_lines" || true)"
    ((missing == 0)) || fail "$flag is missing from $missing compile line(s)"
done

step "lintian --pedantic -I"
# Every tag fails, down to the pedantic ones; the package's own override
# file answers for the tags it must keep. Run as root (as CI does), lintian
# checks all the same once it is told so.
lintian_options=(--pedantic -I --fail-on error,warning,info,pedantic)
((EUID != 0)) || lintian_options+=(--allow-root)
lintian "${lintian_options[@]}" "$deb" || fail "lintian found tags in $(basename "$deb")"

step "run qx-friendship-report from the package"
text="$(env -u LD_LIBRARY_PATH "$report" 1990-05-17 1992-11-03)"
grep -qx "Your Sun Sign: Taurus" <<<"$text" || fail "report lacks the user's sign:"$'\n'"$text"
grep -qx "Your Friend's Sun Sign: Scorpio" <<<"$text" || fail "report lacks the friend's sign"
json="$(env -u LD_LIBRARY_PATH "$report" --json 1990-05-17 1992-11-03)"
grep -q '"YourFriendsSunSign": "Scorpio"' <<<"$json" || fail "JSON report lacks the friend's sign"
status=0
env -u LD_LIBRARY_PATH "$report" 1990-02-30 1992-11-03 >/dev/null 2>&1 || status=$?
((status == 2)) || fail "an impossible date gave exit status $status, not 2"

# The sources of the first build in another folder: a clone at the same
# commit, whose date the package carries. Changes not committed yet, and files
# that git neither tracks nor ignores, come along, so that both builds are
# of the same sources while one works; on a clean clone, as CI has, this is
# the commit alone. Sources without git are copied, less their build folders.
copy_sources() {
    local from="$1" to="$2"
    if git -C "$from" rev-parse --verify --quiet HEAD >/dev/null; then
        git clone --quiet --no-checkout "$from" "$to"
        git -C "$to" checkout --quiet --detach "$(git -C "$from" rev-parse HEAD)"
        git -C "$from" diff --binary --no-ext-diff HEAD | git -C "$to" apply --allow-empty
        git -C "$from" ls-files -z --others --exclude-standard \
            | tar -C "$from" --null -T - -c | tar -C "$to" -x
    else
        mkdir -p "$to"
        tar -C "$from" --exclude-tag-all=CMakeCache.txt -c . | tar -C "$to" -x
    fi
}

# Another umask and locale than this run's, which the first build most likely
# shared; a time zone fourteen hours ahead of UTC; the clock a day ahead.
other_umask=0077
[[ "$(umask)" == 0077 ]] && other_umask=0022
other_locale=C.UTF-8
[[ "$(locale | sed -n 's/^LC_CTYPE="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p')" == C.UTF-8 ]] && other_locale=C
other_tz='<+14>-14'
later() {
    faketime -f +1d "$@"
}

step "a second build from a clone: umask $other_umask, LC_ALL=$other_locale, TZ=$other_tz, a day later"
# The first build's settings, less its tests.
mapfile -t settings < <(cache_entries 'CMAKE_BUILD_TYPE|CMAKE_CXX_COMPILER|CMAKE_CXX_FLAGS|QX_[A-Z_]+' \
    | grep -v '^QX_BUILD_TESTS:' | sed 's/^/-D/')
jobs="$(nproc)"
((jobs > 2)) && jobs=2
elsewhere="$scratch/elsewhere"
(
    umask "$other_umask"
    export LC_ALL="$other_locale" TZ="$other_tz"
    copy_sources "$source_dir" "$elsewhere/sources"
    run_quietly later cmake -S "$elsewhere/sources" -B "$elsewhere/sources/build" "${settings[@]}" -DQX_BUILD_TESTS=OFF
    run_quietly later cmake --build "$elsewhere/sources/build" -j"$jobs"
    cd "$elsewhere" && run_quietly later cpack -G DEB --config "$elsewhere/sources/build/CPackConfig.cmake" \
        -B "$elsewhere/package"
)
again=("$elsewhere"/package/*.deb)
((${#again[@]} == 1)) || fail "the second build made ${#again[@]} .deb files"

step "the same package, byte for byte"
sha256sum "$deb" "${again[0]}" | sed "s|$scratch/||; s/^/   /"
if ! cmp -s "$deb" "${again[0]}"; then
    diffoscope --text - "$deb" "${again[0]}" | head -n 400 >&2 || true
    fail "the two builds made different packages"
fi
for folder in "$source_dir" "$build_dir" "$elsewhere"; do
    named="$(grep -rlF -- "$folder" "$scratch/root"; find "$scratch/root" -name '*.gz' -exec zgrep -lF -- "$folder" {} + || true)"
    [[ -z "$named" ]] || fail "the package names the folder $folder in:"$'\n'"$named"
done

echo "packaging checks passed"
