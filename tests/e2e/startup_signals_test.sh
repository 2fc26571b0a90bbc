# A host may stop the clock the moment it started it: a signal at any
# moment of the start ends it with 0 (or, before the program's own code
# runs, by the signal), never with an abort, a crash or a hang.
. "$(dirname "$0")/saver_lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
settings "$APP" "clockType = 3" "secondSound = 1"
RANDOM=16  # the same moments every run
bad=0 clean=0 early=0
for run in $(seq 60); do
    mode=$([ $((run % 2)) = 0 ] && echo /s || echo -root)
    sig=$(echo TERM INT HUP | cut -d' ' -f$((RANDOM % 3 + 1)))
    # A shell's background job starts with SIGINT ignored; a host's does not.
    env --default-signal "$APP/veltrane" $mode >/dev/null 2>&1 &
    pid=$!
    sleep "0.$(printf '%03d' $((RANDOM % 600)))"
    kill -$sig $pid 2>/dev/null
    wait_exit $pid 5 >/dev/null
    status=$WAIT_STATUS
    case $status in
        0) clean=$((clean + 1)) ;;
        129 | 130 | 143) early=$((early + 1)) ;;
        *) bad=$((bad + 1)); echo "run $run: $mode, SIG$sig: status $status" ;;
    esac
done
check "60 signals at random moments: $clean ended with 0, $early by the signal before start, $bad otherwise" test $bad = 0

# Started with its standard streams closed, the clock takes /dev/null for
# them, so that no file it opens later is taken for one.
"$APP/veltrane" /s <&- >&- 2>&- &
pid=$!
wait_for 10 xdotool search --name "Veltrane Screen Saver" >/dev/null
streams() { readlink /proc/$pid/fd/0 /proc/$pid/fd/1 /proc/$pid/fd/2 | sort -u; }
check "closed standard streams are /dev/null ($(streams | tr '\n' ' '))" test "$(streams)" = /dev/null
kill $pid
wait_exit $pid 5 >/dev/null
finish
