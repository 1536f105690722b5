#!/bin/bash
# The Windows program, built and tried on this Debian machine: the cross compilers, wine and the
# cached Qt for Windows (scripts/windows-deps.sh), the windows preset built, its tests run under
# wine, then the installer: installed silently, the installed terminal sends the PC's time to a
# COM port that wine maps to the device simulator's pseudo-terminal, and the uninstaller removes
# it. Each run uses wine prefixes of its own. Prints how long each step took.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
step_started=$(date +%s)
step() { # NAME: ends the step before and prints its time
    local now
    now=$(date +%s)
    [ -z "${step_name:-}" ] || echo "== $step_name: $((now - step_started)) s"
    step_name="$1"
    step_started=$now
}

step "Qt for Windows (cached after the first run)"
scripts/windows-deps.sh

step "build"
cmake --preset windows >/dev/null
nice -n 10 cmake --build --preset windows

work="$(mktemp -d "${TMPDIR:-/tmp}/zelterm-windows-test.XXXXXX")"
cleanup() {
    for prefix in "$work"/*prefix; do
        [ -d "$prefix" ] && WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    done
    [ -z "${simulator:-}" ] || kill "$simulator" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

step "tests under wine"
# The tests never touch the machine's serial ports.
export ZELTERM_SERIAL_PORTS=/nonexistent/zelterm-test-port
WINEPREFIX="$work/tests-prefix" ctest --preset windows

step "installer"
installer="$PWD/$(scripts/package-windows.sh | tail -1)"
export WINEPREFIX="$work/install-prefix"
scripts/wine-run "$installer" /S
installed="$WINEPREFIX/drive_c/Program Files/ZelTerm"
for program in zelterm.exe zelctl.exe zelsim.exe Uninstall.exe platforms/qwindows.dll \
    updater/README.txt; do
    [ -f "$installed/$program" ] || { echo "the installer left out $program" >&2; exit 1; }
done

# The device: the Linux build's simulator on a pseudo-terminal, recording what it receives.
step "installed terminal on COM5"
cmake --preset release >/dev/null
nice -n 10 cmake --build --preset release --target zelsim >/dev/null
record="$work/received.hex"
build/release/tools/zelsim --pty --record "$record" >"$work/zelsim.out" &
simulator=$!
for _ in $(seq 50); do grep -q '^pty: ' "$work/zelsim.out" && break; sleep 0.1; done
pty="$(sed -n 's/^pty: //p' "$work/zelsim.out")"
ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
status=0
ZELTERM_SERIAL_PORTS=COM5 scripts/wine-run 'C:\Program Files\ZelTerm\zelterm.exe' \
    -Product Korvex -Serial COM5 -SendPCTime --wait 1000 -Exit >"$work/zelterm.out" 2>&1 || status=$?
cat "$work/zelterm.out"
kill "$simulator"
wait "$simulator" 2>/dev/null || true
simulator=""
received="$(perl -ne 's/\s+//g; print pack("H*", $_)' "$record")"
echo "the simulator received: $received"
if [ "$status" -ne 0 ] || ! [[ "$received" =~ [0-9]{2}:[0-9]{2}:[0-9]{2}TI ]]; then
    echo "the installed terminal did not send the time to COM5 (exit status $status)" >&2
    exit 1
fi

step "uninstaller"
scripts/wine-run 'C:\Program Files\ZelTerm\Uninstall.exe' /S
for _ in $(seq 30); do [ ! -e "$installed/zelterm.exe" ] && break; sleep 1; done
if [ -e "$installed" ]; then
    echo "the uninstaller left $(find "$installed" | head -5)" >&2
    exit 1
fi
step ""
echo "Windows build and tests passed (${root})"
