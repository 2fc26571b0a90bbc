# The Debian package: cpack builds it, lintian finds no error or warning, it
# holds what a user and the hosts need, and its program, started through its
# link in bin/, reads the defaults file and pictures beside its real self.
. "$VELTRANE_SOURCE_DIR/tests/e2e/lib.sh"

(cd "$BUILD" && cpack -G DEB -B "$WORK/deb") >"$WORK/cpack.log" 2>&1
DEB=$(ls "$WORK"/deb/veltrane_*.deb 2>/dev/null | head -1)
check "cpack -G DEB builds the package ($(tail -1 "$WORK/cpack.log"))" [ -f "$DEB" ]
lintian -I "$DEB" 2>/dev/null >"$WORK/lintian.txt"
sed 's/^/    lintian: /' "$WORK/lintian.txt"
check "lintian reports no error or warning" eval '! grep -q "^[EW]:" "$WORK/lintian.txt"'
check "nor any hardening tag, even as information" eval '! grep -q hardening "$WORK/lintian.txt"'
dpkg-deb -f "$DEB" Depends >"$WORK/depends"
check "shlibdeps found the libraries ($(cat "$WORK/depends"))" \
    eval 'grep -q liballegro4 "$WORK/depends" && grep -q libgtk-3 "$WORK/depends"'
check "it recommends xdg-utils for the web buttons" eval 'dpkg-deb -f "$DEB" Recommends | grep -qw xdg-utils'

dpkg-deb -c "$DEB" | awk '{ print $6 $7 $8 }' | sed 's|^\./|/|' >"$WORK/files"
missing=
for f in /usr/lib/veltrane/veltrane /usr/lib/veltrane/dialog/veltrane-dialog.so \
         /usr/lib/veltrane/veltrane-idle-host \
         /usr/lib/veltrane/morviksoft/veltrane/clock9.bmp /usr/lib/veltrane/morviksoft/veltrane/chime.wav \
         /usr/bin/veltrane-\>../lib/veltrane/veltrane \
         /usr/libexec/xscreensaver/veltrane-\>../../lib/veltrane/veltrane \
         /usr/share/xscreensaver/config/veltrane.xml /usr/share/applications/screensavers/veltrane.desktop \
         /usr/share/applications/veltrane.desktop /usr/share/applications/veltrane-add-to-xscreensaver.desktop \
         /usr/share/icons/hicolor/64x64/apps/veltrane.png \
         /usr/share/man/man1/veltrane.1.gz /usr/share/doc/veltrane/copyright; do
    grep -qxF -- "$f" "$WORK/files" || missing="$missing $f"
done
check "the package holds the program, its assets, the host entries and docs (missing:${missing:- none})" \
    [ -z "$missing" ]
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
check "XScreenSaver's option description is well-formed XML" \
    python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' "$ROOT/usr/share/xscreensaver/config/veltrane.xml"
check "the saver entries start the clock in host mode" \
    grep -qx "Exec=veltrane -root" "$ROOT/usr/share/applications/screensavers/veltrane.desktop"
# Only the dialog loads GTK: the program itself does not link it.
check "the program links no GTK, its dialog's module does" eval '! readelf -d "$ROOT/usr/lib/veltrane/veltrane" |
    grep -q gtk && readelf -d "$ROOT/usr/lib/veltrane/dialog/veltrane-dialog.so" | grep -q libgtk-3'
# The manual tells every mode --help names, and every option in its OPTIONS.
man -l "$ROOT/usr/share/man/man1/veltrane.1.gz" 2>&1 | col -b >"$WORK/man.txt"
sed -n '/^OPTIONS/,/^EXIT STATUS/p' "$WORK/man.txt" >"$WORK/options.txt"
missing=$("$ROOT/usr/bin/veltrane" --help | grep -oE '(^| )(--?(\[no-\])?[a-z][a-z0-9-]*|/[spc])\b' | tr -d ' ' |
          sed -E 's/^--\[no-\](.*)/--\1\n--no-\1/' | sort -u | while read -r word; do
              case $word in --root | --window-id | -[!-]* | /*) grep -qF -- "$word" "$WORK/man.txt" ;;
                            *) grep -qF -- "$word" "$WORK/options.txt" ;; esac || echo "$word"
          done)
check "man veltrane tells every mode and option of --help (missing: ${missing:-none})" [ -z "$missing" ]

# Style 3 fills the screen with white instead of the default grey, and its
# face comes from the installed asset folder.
printf '[saver]\nclockType = 3\n' >"$ROOT/usr/lib/veltrane/veltrane.cfg"
export XDG_CONFIG_HOME=$WORK/config
start_display 1024x768
(cd / && exec "$ROOT/usr/bin/veltrane" /s 2>/dev/null) &
SAVER_PID=$!
check "started through its link, the saver reads the defaults beside the program" \
    shot_when "$WORK/saver.png" 0 0 255,255,255
check "its face is drawn from the installed asset folder" \
    [ "$(convert "$WORK/saver.png" -crop 300x300+362+234 +repage -unique-colors -format '%w' info:)" -gt 20 ]
xdotool key space
wait_exit "$SAVER_PID" 5 >"$WORK/code"
check "it ends with 0 after a key press (got $(cat "$WORK/code"))" [ "$(cat "$WORK/code")" = 0 ]

# Every option XScreenSaver's dialog can pass is one the program takes.
xml_options_parse() {
    local arg
    while read -r arg; do "$BUILD/veltrane" -root $arg --version >/dev/null || return 1; done \
        < <(grep -o 'arg-set="[^"]*"' "$SRC/packaging/veltrane.xml" | cut -d'"' -f2)
}
check "every option of veltrane.xml parses" xml_options_parse
finish
