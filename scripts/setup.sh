#!/usr/bin/env bash
# Installs what the project needs (Debian packages) and builds it in ./build.
# Safe to run again: it installs only what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake pkg-config
  liballegro4-dev          # graphics, input, sound, settings file
  libcairo2-dev            # draws the artwork at build time
  libgtk-3-dev             # the settings dialog
  libx11-dev               # the preview window inside a host window
  libgtest-dev             # unit tests
  fonts-dejavu-core        # lettering in the artwork
  xvfb xdotool x11-apps x11-utils imagemagick   # end-to-end tests: display, input, screenshots
  faketime                 # pins the clock in tests
  sox pulseaudio alsa-utils libasound2-plugins  # sound capture in tests
  xautolock                # the idle host that starts the saver
  clang libclang-rt-14-dev # fuzzing (libFuzzer) and the sanitizer build
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
