#!/bin/sh
# Builds the release preset's programs and the Debian package from them, then checks the package
# with lintian. Prints the package's path on its last line.
# Usage: scripts/package.sh [BUILD_DIR]   (default build/release)
set -eu
cd "$(dirname "$0")/.."
build="${1:-build/release}"
scripts/install-deps.sh dpkg-dev file lintian man-db
cmake --preset release -B "$build" >/dev/null
# Only what the package holds; a build of the whole tree (scripts/test.sh) leaves nothing to do.
cmake --build "$build" --target package_contents
scripts/check-man-pages.sh "$build"

packages="$build/packages"
rm -rf "$packages"
cpack --config "$build/CPackConfig.cmake" -B "$packages" >"$build/cpack.log" || {
    cat "$build/cpack.log"
    exit 1
}
deb="$(ls "$packages"/zelterm_*.deb)"

# The changelog's newest entry names the version the project builds.
changelog="$(dpkg-parsechangelog -l packaging/debian/changelog -S Version)"
built="$(dpkg-deb -f "$deb" Version)"
if [ "$changelog" != "$built" ]; then
    echo "packaging/debian/changelog names $changelog, the package is $built" >&2
    exit 1
fi

if [ "$(dpkg-deb -f "$deb" Recommends)" != "bash-completion" ]; then
    echo "the package does not recommend bash-completion, which loads zelctl's completion" >&2
    exit 1
fi

lintian --fail-on error,warning --info "$deb"
echo "$deb"
