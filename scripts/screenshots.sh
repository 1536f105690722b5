#!/bin/sh
# Takes the README's screenshots of the main window, one per product page, each in a private
# Xvfb display the size of the window's first opening, talking to the simulator on a
# pseudo-terminal so that the log shows an exchange.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default build/release)
set -eu
cd "$(dirname "$0")/.."
build="${1:-build/release}"
work="$(mktemp -d "${TMPDIR:-/tmp}/zelterm-shots.XXXXXX")"
"$build/tools/zelsim" --pty >"$work/sim.txt" &
sim=$!
trap 'kill $sim 2>/dev/null; rm -rf "$work"' EXIT
while ! grep -q '^pty: ' "$work/sim.txt"; do sleep 0.1; done
pty="$(sed -n 's/^pty: //p' "$work/sim.txt")"

# PRODUCT TAB FILE: the page TAB of PRODUCT after sending the PC's time, as docs/FILE.
shot() {
    cat >"$work/settings.conf" <<SETTINGS
[number]
CheckUpdateOnLaunch=0
[text]
WindowLastTab=@ByteArray($2)
SETTINGS
    ZELTERM_SETTINGS="$work/settings.conf" ZELTERM_SERIAL_PORTS="$pty" \
        xvfb-run -a -s "-screen 0 1000x700x24 -nolisten tcp" sh -c "
            '$build/src/app/zelterm' -Serial '$pty' -Product '$1' -SendPCTime &
            sleep 3; import -window root 'docs/$3.png'; kill \$!"
}

shot Korvex Control2 korvex-control2
shot "Ardent" Banner ardent-banner
shot "Video Reelmast" Reproducer reelmast-reproducer
shot GlimraPro Record glimrapro-record
shot Rovant Control rovant-control
shot Tamrin Control tamrin-control
shot Netwick General netwick-general
shot Netwick Network netwick-network
shot Netwick Date/Time netwick-datetime
