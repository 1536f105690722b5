#!/bin/sh
# Installs the Debian packages the build and the tests need, and those named as arguments, when
# any is missing.
set -eu
packages="$* cmake ninja-build g++ clang libclang-rt-14-dev pkg-config qt6-base-dev qt6-svg-dev libusb-1.0-0-dev
libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev xvfb xauth imagemagick umockdev libumockdev-dev tzdata clang-format
fonts-freefont-ttf"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
