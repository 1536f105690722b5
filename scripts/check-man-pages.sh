#!/bin/sh
# Fails when a program's --help names a command or option that its manual page does not, so that
# the pages in packaging/man keep up with the programs.
# Usage: scripts/check-man-pages.sh [BUILD_DIR]   (default build/release; the programs built)
set -eu
cd "$(dirname "$0")/.."
build="${1:-build/release}"
missing=0

# The page's text with roff's escaped hyphens and font changes taken out.
page_text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "packaging/man/$1.1"; }

# Options (--name) and switches (-Name) wherever the usage text shows them.
options_in() { grep -oE '(^|[^A-Za-z0-9-])--?[A-Za-z][A-Za-z-]*' | sed 's/^[^-]*//' | sort -u; }

# The names listed under "Commands:", up to the next blank line.
commands_in() { sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z]*\)\( .*\)\{0,1\}$/\1/p' | sort -u; }

check() {
    program=$1
    binary=$2
    usage="$("$binary" --help)"
    text="$(page_text "$program")"
    for option in $(printf '%s\n' "$usage" | options_in); do
        if ! printf '%s\n' "$text" | grep -qE -- "(^|[^A-Za-z0-9-])$option([^A-Za-z0-9-]|\$)"; then
            echo "$program(1) does not name the option $option that '$program --help' shows" >&2
            missing=1
        fi
    done
    for command in $(printf '%s\n' "$usage" | commands_in); do
        if ! printf '%s\n' "$text" | grep -qE "^\.BI? $command( |\$)"; then
            echo "$program(1) does not describe the command $command that '$program --help' shows" >&2
            missing=1
        fi
    done
}

check zelterm "$build/src/app/zelterm"
check zelctl "$build/src/app/zelctl/zelctl"
check zelsim "$build/tools/zelsim"
exit "$missing"
