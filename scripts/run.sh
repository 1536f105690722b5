#!/bin/sh
# Builds the release preset and starts the terminal with the given command line.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/src/app/zelterm "$@"
