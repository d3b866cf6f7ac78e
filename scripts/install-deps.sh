#!/bin/sh
# Installs the Debian packages the build (and, with --test, the tests) need.
# Only what is missing is installed, in one apt-get line, from Debian's archive.
set -e
PKGS="cmake g++ make pkg-config libirrlicht-dev libopenal-dev libmpg123-dev librapidxml-dev libpng-dev libjpeg-dev
      libgl-dev libgl1-mesa-dri libglx-mesa0 xvfb xauth lame python3-pil fonts-dejavu-core"
if [ "$1" = "--test" ]; then
  PKGS="$PKGS googletest libgtest-dev libbenchmark-dev xdotool x11-utils clang libclang-rt-14-dev"
fi
missing=""
for p in $PKGS; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing
