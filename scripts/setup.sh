#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail

packages=(
  g++ clang libclang-rt-14-dev clang-format cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb libxcb1-dev libxcb-damage0-dev jq
  libgmp-dev
  libmspack-dev
  fonts-liberation fonts-dejavu-core
  librsvg2-bin poppler-utils
  desktop-file-utils appstream man-db
  python3-pyatspi at-spi2-core dbus-daemon
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The help compiler chmcmd. Debian ships it in fp-utils-3.2.2, which would pull
# in the whole Pascal compiler; when chmcmd is not on PATH, only that package is
# downloaded and only its binary unpacked, into the repository's ignored cache,
# where the build looks for it (help/CMakeLists.txt).
chm_cache="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/.cache/chmcmd"
if ! command -v chmcmd >/dev/null 2>&1 && [ ! -x "$chm_cache/usr/bin/chmcmd-3.2.2" ]; then
  echo "Fetching chmcmd (fp-utils-3.2.2) into .cache/chmcmd"
  chm_sudo=""
  [ "$(id -u)" -ne 0 ] && chm_sudo="sudo"
  chm_work="$(mktemp -d)"
  chmod 755 "$chm_work"  # apt's download user must be able to write here
  if ! (cd "$chm_work" && apt-get download -qq fp-utils-3.2.2 2>/dev/null); then
    $chm_sudo apt-get update -qq
    (cd "$chm_work" && apt-get download -qq fp-utils-3.2.2 2>/dev/null)
  fi
  dpkg-deb -x "$chm_work"/fp-utils-3.2.2_*.deb "$chm_work/unpacked"
  mkdir -p "$chm_cache/usr/bin"
  cp "$chm_work/unpacked/usr/bin/chmcmd-3.2.2" "$chm_cache/usr/bin/chmcmd-3.2.2"
  rm -rf "$chm_work"
fi
