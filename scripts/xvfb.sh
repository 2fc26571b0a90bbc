# Private virtual X displays for the scripts, tests and benchmarks. Source it.
#
#   start_xvfb WIDTHxHEIGHT [DEPTH]   starts Xvfb on a free display number and
#                                     waits until it takes connections; sets
#                                     XVFB_PID and exports DISPLAY
#   stop_xvfb                         ends the server start_xvfb started
#   absent_display                    prints a display name no server answers
#
# Numbers are taken the way X servers themselves do, by their lock files in
# /tmp, so scripts started at once, and servers started by anyone else,
# never share a screen.

start_xvfb() {
    local size=$1 depth=${2:-24} n owner _
    for n in $(seq 100 299); do
        # A number is taken while the server named in its lock file lives; a
        # lock left by a server killed with -9 is stale and Xvfb takes it over.
        owner=$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock" || true)
        [ -n "$owner" ] && [ -d "/proc/$owner" ] && continue
        Xvfb :$n -screen 0 "${size}x${depth}" -nolisten tcp -noreset >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 100); do
            kill -0 "$XVFB_PID" 2>/dev/null || break
            # Two scripts may try one number at once: only the server whose
            # process id the lock file holds is ours.
            if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$XVFB_PID" ] &&
               DISPLAY=:$n xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=:$n
                return 0
            fi
            sleep 0.05
        done
        stop_xvfb
    done
    echo "cannot start Xvfb" >&2
    return 1
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] || return 0
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
}

# A number far above those Xvfb hands out, with neither a lock nor a socket.
absent_display() {
    local n=$((5000 + RANDOM % 1000))
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    echo ":$n"
}
