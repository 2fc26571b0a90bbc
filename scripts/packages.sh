#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing (through
# sudo when not root). The one list of them, by what they are for:
#   scripts/packages.sh [GROUP...]     groups: build test windows package
#                                      (default: build test)
set -euo pipefail

packages_of() {
  case $1 in
    build)   # the program and its artwork
      echo build-essential cmake pkg-config liballegro4-dev libcairo2-dev libgtk-3-dev libx11-dev libxrandr-dev libxinerama-dev \
           libpulse-dev fonts-dejavu-core imagemagick ;;
    test)    # unit tests; Xvfb, input, screenshots; a pinned clock; sound capture; fuzzing;
             # the screen-saver hosts that run the clock in their windows
      echo libgtest-dev xvfb xdotool x11-apps x11-utils faketime \
           pulseaudio pulseaudio-utils clang libclang-rt-14-dev \
           xscreensaver xsecurelock ;;
    windows) # the cross build and Allegro's source package; Wine for its tests
      echo g++-mingw-w64-x86-64-win32 patch dpkg-dev wine wine64 ;;
    package) # the Debian package and its checks
      echo dpkg-dev fakeroot file lintian ;;
    *) echo "unknown package group '$1'" >&2; exit 2 ;;
  esac
}

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

# apt-get source (Allegro for the Windows build) needs a deb-src entry for
# the release's main archive.
ensure_source_entry() {
  grep -rqsE '^(deb-src |Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ && return 1
  echo "Adding a deb-src entry for bookworm main"
  $SUDO tee /etc/apt/sources.list.d/veltrane-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
}

groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(build test)
missing=() update=no
for g in "${groups[@]}"; do
  for p in $(packages_of "$g"); do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ "$g" = windows ] && ensure_source_entry; then update=yes; fi
done
if [ ${#missing[@]} -gt 0 ] || [ $update = yes ]; then
  $SUDO apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
