#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Orvane need.
# Idempotent: packages already installed are left alone, and nothing is asked
# of apt when everything is there.
set -euo pipefail

packages=(
  build-essential make cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-serialport-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-dev libmodbus-dev
  fonts-liberation fonts-dejavu-core
  xauth xvfb
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1 ||
     ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
    echo "install-deps: run as root (or install sudo) to install: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
