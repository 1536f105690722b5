#!/bin/bash
# Installs what the Windows build needs: the mingw-w64 cross compilers, wine and NSIS from
# Debian, and Qt for Windows cross-built from Debian's own qtbase source (the version
# of the host's Qt tools). Qt is made once per machine and kept in a cache folder outside the
# repository; later runs reuse it. CACHE/qt6-mingw names the one in use (the windows preset
# looks there). Prints the cached Qt's prefix on its last line.
#   ZELTERM_WINDOWS_CACHE  where the cache lives (default /var/cache/zelterm)
#   JOBS                   parallel build jobs (default: every core)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

packages="g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64
wine nsis zip unzip xz-utils dpkg-dev cmake ninja-build qt6-base-dev qt6-base-dev-tools
libgtest-dev googletest fonts-dejavu-core"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing" >&2
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >&2
fi

# The cached Qt must match the host tools (moc, rcc, uic) it is built against.
qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools | sed 's/+.*//; s/-.*//')"
# Bump when the way Qt is built below changes, so that an older cache is not taken.
recipe=1
cache="${ZELTERM_WINDOWS_CACHE:-/var/cache/zelterm}"
prefix="$cache/qt6-mingw-$qt_version-r$recipe"
if [ -f "$prefix/.complete" ]; then
    ln -sfn "$(basename "$prefix")" "$cache/qt6-mingw"
    echo "$prefix"
    exit 0
fi
[ -w "$cache" ] || $sudo install -d -m 0777 "$cache"
mkdir -p "$cache"

work="$(mktemp -d "${TMPDIR:-/tmp}/zelterm-qt-build.XXXXXX")"
trap 'rm -rf "$work"' EXIT
jobs="${JOBS:-$(nproc)}"
toolchain="$here/cmake/toolchain-mingw64.cmake"

# The sources come through a private apt configuration, so the machine's own is left alone.
apt_dir="$work/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/sources"
grep -h -E '^(URIs|Suites|Components|Signed-By):' /etc/apt/sources.list.d/debian.sources 2>/dev/null |
    head -4 >"$work/deb.fields" || true
if [ -s "$work/deb.fields" ]; then
    { echo "Types: deb-src"; cat "$work/deb.fields"; } >"$apt_dir/sources/src.sources"
else
    echo "deb-src http://deb.debian.org/debian bookworm main" >"$apt_dir/sources/src.list"
fi
apt_opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=")
apt-get "${apt_opts[@]}" update -qq >&2
(cd "$work" && apt-get "${apt_opts[@]}" source --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)" >&2)

# Installed in place; the marker written last tells a finished build from an interrupted one.
rm -rf "$prefix"
mkdir -p "$work/src"
tar -xJf "$(ls "$work"/qt6-base_*.orig.tar.xz)" -C "$work/src"

# qtbase: only what the terminal uses. direct2d stays on: qwindows.dll needs the DirectWrite font
# database that comes with it. Debian's source lacks the tablet library: no tablet events.
base_src="$(ls -d "$work"/src/qtbase-*)"
nice -n 10 cmake -G Ninja -S "$base_src" -B "$work/build-base" >&2 \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_opengles2=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d1_1=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_gui=ON -DFEATURE_freetype=ON \
    -DFEATURE_harfbuzz=ON -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_system_libb2=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_pkg_config=OFF
nice -n 10 cmake --build "$work/build-base" --parallel "$jobs" >"$work/base.log" 2>&1 ||
    { grep -E -A3 'FAILED|error:' "$work/base.log" | head -40 >&2; exit 1; }
cmake --install "$work/build-base" >/dev/null

touch "$prefix/.complete"
ln -sfn "$(basename "$prefix")" "$cache/qt6-mingw"
echo "$prefix"
