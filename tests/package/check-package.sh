#!/usr/bin/env bash
# Builds the Debian package from a configured build folder into a scratch folder and
# checks it as apt and Debian's tools see it: the files it installs and nothing else, its
# control fields, lintian's verdict, and the program run from the unpacked tree without
# a display.
set -euo pipefail
build_folder="$1" cpack="$2" program_version="$3"
app_id=io.github.tonzug.Tonzug

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! (cd "$build_folder" && "$cpack" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1); then
    cat "$scratch/cpack.log" >&2
    exit 1
fi
# The program's version with a Debian revision.
packages=("$scratch"/tonzug_"$program_version"-*_amd64.deb)
if [[ ${#packages[@]} != 1 || ! -f ${packages[0]} ]]; then
    echo "FAIL: cpack made no tonzug_$program_version-REVISION_amd64.deb:" >&2
    ls "$scratch" >&2
    exit 1
fi
package="${packages[0]}"
package_version="$(basename "$package" _amd64.deb)"
package_version="${package_version#tonzug_}"

# Exactly these files: nothing from the build folder, no static libraries or headers.
expected=(
    /usr/bin/tonzug
    /usr/libexec/tonzug/tonzug-gui
    "/usr/share/applications/$app_id.desktop"
    "/usr/share/metainfo/$app_id.metainfo.xml"
    "/usr/share/mime/packages/$app_id.xml"
    /usr/share/man/man1/tonzug.1.gz
    /usr/share/doc/tonzug/copyright
    /usr/share/doc/tonzug/changelog.Debian.gz
    /usr/share/lintian/overrides/tonzug
    "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
)
icon_sizes=(16 22 24 32 48 64 128 256 512)
for size in "${icon_sizes[@]}"; do
    expected+=("/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
listing="$(dpkg-deb -c "$package")"
# Columns: mode, owner, size, date, time, path.
packaged_files="$(awk '$1 !~ /^d/ {print substr($6, 2)}' <<<"$listing" | sort)"
expected_files="$(printf '%s\n' "${expected[@]}" | sort)"
if [[ $packaged_files != "$expected_files" ]]; then
    fail "the package's files differ from those expected (< expected, > packaged):"
    diff <(echo "$expected_files") <(echo "$packaged_files") >&2 || true
fi
if awk '{print substr($6, 2)}' <<<"$listing" | grep -v '^/usr/'; then
    fail "the package installs outside /usr"
fi

# Control fields; the dependencies are found from the binaries' libraries.
field() { dpkg-deb --field "$package" "$1"; }
[[ $(field Package) == tonzug ]] || fail "Package is $(field Package)"
[[ $(field Version) == "$package_version" ]] || fail "Version is $(field Version)"
[[ $(field Architecture) == amd64 ]] || fail "Architecture is $(field Architecture)"
depends="$(field Depends)"
for dependency in 'libqt6widgets6 (>= ' 'libqt6gui6 (>= ' 'libqt6core6 (>= ' 'libc6 (>= ' \
    'zlib1g' 'qt6-qpa-plugins'; do
    [[ $depends == *"$dependency"* ]] || fail "Depends lacks $dependency: $depends"
done

lintian_report="$(lintian "$package" 2>&1 || true)"
if grep -E '^(E|W): ' <<<"$lintian_report" >&2; then
    fail "lintian reports errors or warnings"
fi

# The unpacked tree, as dpkg installs it.
root="$scratch/root"
dpkg-deb -x "$package" "$root"
for program in "$root/usr/bin/tonzug" "$root/usr/libexec/tonzug/tonzug-gui"; do
    [[ $(file -b "$program") == *", stripped"* ]] || fail "$program is not stripped"
done
for size in "${icon_sizes[@]}"; do
    icon="$root/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    [[ $(file -b "$icon") == *"PNG image data, $size x $size,"* ]] ||
        fail "the icon for ${size}x$size is $(file -b "$icon")"
done
zcat "$root/usr/share/man/man1/tonzug.1.gz" | grep -q '^\.TH TONZUG 1' ||
    fail "the manual page is no gzip-compressed page of tonzug(1)"
zcat "$root/usr/share/doc/tonzug/changelog.Debian.gz" | head -1 |
    grep -qF "tonzug ($package_version) " || fail "the changelog does not start at $package_version"
copyright="$root/usr/share/doc/tonzug/copyright"
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in the machine-readable form"
grep -qx 'License: LicenseRef-proprietary' "$copyright" || fail "the copyright file names no licence"

# The command works from where it is installed, with no display to talk to.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
version_line="$("$root/usr/bin/tonzug" --version)" || fail "tonzug --version fails"
[[ $version_line == *"$program_version"* ]] || fail "tonzug --version says: $version_line"
picture="$scratch/strip.png"
if "$root/usr/bin/tonzug" --export "$picture" --set X=40 --set Y=30 --set FRB=2 --quiet; then
    [[ $(file -b "$picture") == "PNG image data, 40 x 30,"* ]] ||
        fail "the export wrote $(file -b "$picture")"
else
    fail "the export without a display fails"
fi
# The command finds its window program where the package puts it: the window keeps
# running (on Qt's off-screen platform) until it is stopped.
window_status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/tonzug" 2>"$scratch/window.log" ||
    window_status=$?
[[ $window_status == 124 ]] ||
    fail "the window did not start (status $window_status): $(cat "$scratch/window.log")"

if ((failures > 0)); then
    exit 1
fi
echo "tonzug_${package_version}_amd64.deb: files, fields, lintian and the unpacked program are right"
