#!/usr/bin/env bash
# Cross-builds the Windows program: build-windows/veltrane.scr, with its
# asset folder morviksoft/veltrane/ beside it, from the same sources as the
# Linux program. Installs the cross tools and Wine (Debian packages), builds
# Allegro 4.4 for Windows once from Debian's source package with our patch,
# and takes the artwork from a host build.
#
#   VELTRANE_HOST_BUILD     host build whose artwork is used (default: build/
#                           when it has been configured, else build-windows/host)
#   VELTRANE_WINDOWS_BUILD  where to build (default: build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
OUT=${VELTRANE_WINDOWS_BUILD:-$ROOT/build-windows}
if [ -n "${VELTRANE_HOST_BUILD:-}" ]; then
    HOST=$VELTRANE_HOST_BUILD
elif [ -f "$ROOT/build/CMakeCache.txt" ]; then
    HOST=$ROOT/build
else
    HOST=$OUT/host
fi
ALLEGRO_VERSION=4.4.3.1
ALLEGRO_PATCH=$ROOT/resources/windows/allegro-$ALLEGRO_VERSION-windows.patch
TOOLCHAIN=$ROOT/resources/windows/mingw-w64-x86_64.cmake
ALLEGRO=$OUT/allegro
JOBS=${JOBS:-2}

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

install_packages() {
    local packages=(make cmake g++-mingw-w64-x86-64-win32 wine wine64 xvfb xdotool x11-apps
                    x11-utils imagemagick patch dpkg-dev) missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# apt-get source needs a deb-src entry for the release's main archive.
ensure_source_entry() {
    if grep -rqsE '^(deb-src |Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    echo "Adding a deb-src entry for bookworm main"
    $SUDO tee /etc/apt/sources.list.d/veltrane-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    $SUDO apt-get update -qq
}

# Static Allegro for Windows, built once; built again only when the patch or
# the toolchain file changes.
build_allegro() {
    local stamp wanted orig
    wanted=$(cat "$ALLEGRO_PATCH" "$TOOLCHAIN" | sha256sum | cut -d' ' -f1)
    stamp=$ALLEGRO/install/.built-from
    if [ -f "$ALLEGRO/install/lib/liballeg.a" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$wanted" ]; then
        return
    fi
    echo "Building Allegro $ALLEGRO_VERSION for Windows (once)"
    mkdir -p "$ALLEGRO"
    orig=$ALLEGRO/allegro4.4_$ALLEGRO_VERSION.orig.tar.gz
    if [ ! -f "$orig" ]; then
        ensure_source_entry
        # Only the upstream tarball is needed; the archive may lack the
        # Debian packaging part, which apt then reports as a failure.
        (cd "$ALLEGRO" && apt-get source --download-only "allegro4.4" >/dev/null 2>&1) || true
        [ -f "$orig" ] || { echo "cannot fetch $(basename "$orig") with apt-get source" >&2; exit 1; }
        local dsc
        dsc=$(ls "$ALLEGRO"/allegro4.4_*.dsc | head -1)
        grep -q "$(sha256sum "$orig" | cut -d' ' -f1) $(stat -c %s "$orig") $(basename "$orig")" "$dsc" ||
            { echo "$(basename "$orig") does not match $(basename "$dsc")" >&2; exit 1; }
    fi
    rm -rf "$ALLEGRO/src" "$ALLEGRO/build" "$ALLEGRO/install"
    mkdir -p "$ALLEGRO/src"
    tar xzf "$orig" -C "$ALLEGRO/src" --strip-components=1
    patch -d "$ALLEGRO/src" -p1 --quiet < "$ALLEGRO_PATCH"
    cmake -S "$ALLEGRO/src" -B "$ALLEGRO/build" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$ALLEGRO/install" \
        -DSHARED=OFF -DWANT_ALLEGROGL=OFF -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF -DWANT_JPGALLEG=OFF \
        -DWANT_EXAMPLES=OFF -DWANT_TOOLS=OFF -DWANT_TESTS=OFF -DWANT_DOCS=OFF -Wno-dev \
        >"$ALLEGRO/configure.log" 2>&1 || { tail -30 "$ALLEGRO/configure.log" >&2; exit 1; }
    cmake --build "$ALLEGRO/build" -j"$JOBS" >"$ALLEGRO/build.log" 2>&1 ||
        { tail -30 "$ALLEGRO/build.log" >&2; exit 1; }
    cmake --install "$ALLEGRO/build" >/dev/null
    echo "$wanted" > "$stamp"
}

# The artwork generator runs on the host; its pictures become the program's
# resources and its asset folder goes beside the program.
build_host_artwork() {
    if [ ! -f "$HOST/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$HOST" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
    fi
    cmake --build "$HOST" --target veltrane_assets -j"$JOBS" >/dev/null
    mkdir -p "$OUT/tools"
    c++ -std=c++20 -O1 -Wall -Wextra -I"$ROOT" -o "$OUT/tools/veltrane-rcgen" \
        "$ROOT/resources/windows/rc_generator.cpp" "$ROOT/resources/dialog_template.cpp" \
        "$ROOT/settings/clock_styles.cpp"
}

install_packages
build_allegro
build_host_artwork
cmake -S "$ROOT/windows" -B "$OUT" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DALLEGRO_PREFIX="$ALLEGRO/install" -DVELTRANE_HOST_BUILD="$HOST" \
    -DVELTRANE_RCGEN="$OUT/tools/veltrane-rcgen" >/dev/null
cmake --build "$OUT" -j"$JOBS"
echo "Built $OUT/veltrane.scr"
