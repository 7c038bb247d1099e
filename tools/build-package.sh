#!/usr/bin/env bash
# Builds the Debian package of a release, tonzug_VERSION_amd64.deb, into the folder given
# (build/ by default): an optimised build of its own with Debian's hardening flags, as a
# package built by Debian's tools gets them, packed by CPack and checked by lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
output="$(realpath -m "${1:-build}")"

bash tools/install-deps.sh

# Debian's flags for a package with every hardening, less the debug information that the
# package strips anyway. CMake reads no CPPFLAGS, so they go with the compiler's flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g
CFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CFLAGS CXXFLAGS LDFLAGS

launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$PWD"
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# A fresh configuration, so that flags of an earlier run cannot linger in the cache.
rm -rf build/package
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DTONZUG_BUILD_TESTS=OFF \
    -DTONZUG_BUILD_BENCHMARKS=OFF "${launcher[@]}"
cmake --build build/package -j"$(nproc)"
mkdir -p "$output"
report="$(cd build/package && cpack -G DEB -B "$output")"
echo "$report"
rm -rf "$output/_CPack_Packages"

package="$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' <<<"$report")"
lintian --fail-on error,warning --display-info "$package"
