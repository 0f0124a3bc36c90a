#!/usr/bin/env bash
# Installs everything vxxml needs to build, test and benchmark (Debian/Ubuntu).
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config
      libexpat1-dev zlib1g-dev libpcre2-dev
      libgtest-dev libgmock-dev googletest libbenchmark-dev python3
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
