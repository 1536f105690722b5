#!/bin/sh
# Builds the release preset and runs every test. With "asan", the sanitizer build instead.
set -eu
cd "$(dirname "$0")/.."
preset="${1:-release}"
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
# The tests never touch the machine's own serial ports or settings.
export ZELTERM_SERIAL_PORTS=/nonexistent/zelterm-test-port
export ZELTERM_SETTINGS="${TMPDIR:-/tmp}/zelterm-test-settings-$$.conf"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset"
