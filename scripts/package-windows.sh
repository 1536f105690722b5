#!/bin/sh
# Builds the windows preset's programs and makes the 64-bit Windows installer and a portable .zip
# of the same files: build/windows/packages/ZelTerm-<version>-win64.exe and .zip. Prints the
# installer's path on its last line.
set -eu
cd "$(dirname "$0")/.."
build=build/windows
scripts/windows-deps.sh >/dev/null
cmake --preset windows >/dev/null
# Only what the installation holds; a build of the whole tree leaves nothing to do.
cmake --build --preset windows --target package_contents >/dev/null

packages="$build/packages"
rm -rf "$packages"
cpack --config "$build/CPackConfig.cmake" -B "$packages" >"$build/cpack.log" || {
    cat "$build/cpack.log"
    exit 1
}
rm -rf "$packages/_CPack_Packages"
ls "$packages"/ZelTerm-*-win64.zip >/dev/null
ls "$packages"/ZelTerm-*-win64.exe
