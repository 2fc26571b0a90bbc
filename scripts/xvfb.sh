# Private virtual X displays for the scripts, tests and benchmarks. Source it.
#
#   start_xvfb WIDTHxHEIGHT [DEPTH]   starts Xvfb on a free display number and
#                                     waits until it takes connections; sets
#                                     XVFB_PID and exports DISPLAY
#   start_two_heads                   a display of two 1024x768 monitors side
#                                     by side, as Wine sees them (below); sets
#                                     XEPHYR_PID too
#   stop_xvfb                         ends the servers these started
#   absent_display                    prints a display name no server answers
#
# Numbers are taken the way X servers themselves do, by their lock files in
# /tmp, so scripts started at once, and servers started by anyone else,
# never share a screen.

# start_x PID_VARIABLE SERVER ARGS...: runs "SERVER :N ARGS..." on a free
# number N until it takes connections; sets PID_VARIABLE and X_NAME (":N").
start_x() {
    local var=$1 n owner pid _
    shift
    for n in $(seq 100 299); do
        # A number is taken while the server named in its lock file lives; a
        # lock left by a server killed with -9 is stale and the server takes
        # it over.
        owner=$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock" || true)
        [ -n "$owner" ] && [ -d "/proc/$owner" ] && continue
        "$1" :$n "${@:2}" >/dev/null 2>&1 &
        pid=$!
        printf -v "$var" %s "$pid"
        for _ in $(seq 100); do
            kill -0 "$pid" 2>/dev/null || break
            # Two scripts may try one number at once: only the server whose
            # process id the lock file holds is ours.
            if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$pid" ] &&
               DISPLAY=:$n xdpyinfo >/dev/null 2>&1; then
                X_NAME=:$n
                return 0
            fi
            sleep 0.05
        done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        printf -v "$var" %s ""
    done
    echo "cannot start $1" >&2
    return 1
}

start_xvfb() {
    start_x XVFB_PID Xvfb -screen 0 "${1}x${2:-24}" -nolisten tcp -noreset || return 1
    export DISPLAY=$X_NAME
}

# Xephyr's two screens joined by Xinerama, inside an Xvfb of their size. With
# RandR off, Wine takes the monitors from Xinerama: \\.\DISPLAY1 at 0,0 (the
# primary) and \\.\DISPLAY2 at 1024,0.
start_two_heads() {
    start_xvfb 2048x768 || return 1
    start_x XEPHYR_PID Xephyr -extension RANDR +xinerama -screen 1024x768x24 -origin 1024,0 \
        -screen 1024x768x24 -nolisten tcp -noreset || return 1
    export DISPLAY=$X_NAME
}

stop_xvfb() {
    local pid
    for pid in "${XEPHYR_PID:-}" "${XVFB_PID:-}"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    XEPHYR_PID= XVFB_PID=
}

# A number far above those Xvfb hands out, with neither a lock nor a socket.
absent_display() {
    local n=$((5000 + RANDOM % 1000))
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    echo ":$n"
}
