#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing (through
# sudo when not root). The one list of them, by what they are for:
#   scripts/packages.sh [GROUP...]     groups: build dialog show test windows
#                                      package (default: build dialog test)
set -euo pipefail

packages_of() {
  case $1 in
    build)   # the clock: the program and its artwork; its Wayland surfaces, its sounds and the idle
             # host's watch
      echo build-essential cmake pkg-config liballegro4-dev libcairo2-dev libx11-dev libxext-dev libxrandr-dev \
           libxinerama-dev libpulse-dev fonts-dejavu-core libwayland-dev wayland-protocols \
           plasma-wayland-protocols libxkbcommon-dev libglib2.0-dev ;;
    dialog)  # the settings dialog's module
      echo libgtk-3-dev ;;
    show)    # scripts/run.sh without a display: a virtual one and a screenshot of it
      echo xvfb x11-apps imagemagick ;;
    test)    # unit tests; Xvfb, input, screenshots; a pinned clock; sound capture; fuzzing;
             # the screen-saver hosts that run the clock in their windows; the web buttons' opener;
             # headless Wayland compositors (sway: the layer shell, weston: xdg-shell), their input
             # and screenshots
      echo libgtest-dev xvfb xdotool x11-apps x11-utils imagemagick faketime \
           pulseaudio pulseaudio-utils clang libclang-rt-14-dev \
           xscreensaver xsecurelock xdg-utils sway weston grim wtype ;;
    windows) # the cross build (and its icon, made with ImageMagick) and Allegro's source package;
             # the installer; Wine for its tests, and Xephyr for their two monitors
      echo g++-mingw-w64-x86-64-win32 patch dpkg-dev imagemagick nsis wine wine64 xserver-xephyr ;;
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
[ ${#groups[@]} -gt 0 ] || groups=(build dialog test)
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
