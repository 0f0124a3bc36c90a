#!/usr/bin/env bash
# Installs everything vxxml needs to build, test and benchmark (Debian/Ubuntu),
# and the packages named as arguments (what one script needs on top).
#   scripts/setup.sh [PACKAGE...]
set -euo pipefail
pkgs=("$@" build-essential cmake ninja-build pkg-config clang
      libexpat1-dev zlib1g-dev libpcre2-dev unicode-data
      libgtest-dev libgmock-dev googletest libbenchmark-dev python3 locales gcovr
      default-jre-headless default-jdk-headless libfastinfoset-java)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
# A locale with a decimal comma, for the test that numbers ignore it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "setup.sh: could not make the de_DE.UTF-8 locale; one test will skip" >&2
fi
# Public schemas from Debian packages for the generator's tests, into build-schemas/ (once; skipped when there).
bash "$(dirname "${BASH_SOURCE[0]}")/fetch-schemas.sh"
