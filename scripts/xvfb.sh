# Private virtual X displays for the scripts, tests and benchmarks. Source it.
#
#   start_xvfb WIDTHxHEIGHT [DEPTH]   starts Xvfb on a free display number and
#                                     waits until it takes connections; sets
#                                     XVFB_PID and exports DISPLAY
#   stop_xvfb                         ends the server start_xvfb started
#   absent_display                    prints a display name no server answers
#
# The server picks its own number (-displayfd) and writes it once it listens,
# so two scripts starting at once never share a screen and nobody guesses.

start_xvfb() {
    local size=$1 depth=${2:-24} out n _
    out=$(mktemp /tmp/veltrane-xvfb.XXXXXX)
    Xvfb -displayfd 3 -screen 0 "${size}x${depth}" -nolisten tcp 3>"$out" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do
        # read succeeds only once the whole line, newline included, is there.
        if read -r n <"$out" && [ -n "$n" ]; then
            rm -f "$out"
            export DISPLAY=:$n
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$out"
    echo "cannot start Xvfb" >&2
    return 1
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] || return 0
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

# A number far above those Xvfb hands out, with neither a lock nor a socket.
absent_display() {
    local n=$((5000 + RANDOM % 1000))
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    echo ":$n"
}
