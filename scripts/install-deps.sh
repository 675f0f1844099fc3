#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need. Run it as root, or as a user who
# may use sudo; packages already installed are left alone.
set -euo pipefail
packages=(
  cmake ninja-build g++ ccache
  libgtest-dev libbenchmark-dev
  nlohmann-json3-dev
  qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "build dependencies: all installed"
  exit 0
fi
run=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps: not root and no sudo; as root run: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  run=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
