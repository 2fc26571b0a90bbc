#!/bin/bash
# Figures of the preview, recorded by hand rather than asserted:
#   first paint  - from the program's start to its write of the picture
#   idle         - CPU time and wake-ups over 10 s of waiting
#   exit latency - from the area's destruction to the program's end
# Run: VELTRANE_BUILD_DIR=build VELTRANE_SOURCE_DIR=. bash bench/preview_bench.sh
. "$VELTRANE_SOURCE_DIR/tests/e2e/lib.sh"
RUNS=${RUNS:-10}

start_display 640x480

# The picture goes to the server in one large write (151 x 119 x 4 bytes).
echo "first paint (ms from exec to the picture's write), $RUNS runs:"
for i in $(seq "$RUNS"); do
    start_host 10 10 200 150 /usr/bin/strace --seccomp-bpf -f -ttt -e trace=execve,writev,write \
        -o "$WORK/trace.$i" "$BUILD/veltrane" /p "{id}"
    wait_picture 10 10 151 119 || echo "no picture in run $i"
    end_host >/dev/null
    awk '/execve\(/ && !start { start = $2 }
         /writev?\(/ && / = [0-9]+$/ { n = $NF + 0; if (n > 60000 && !paint) paint = $2 }
         END { printf "  %.2f\n", (paint - start) * 1000 }' "$WORK/trace.$i"
done

echo "idle for 10 s after the first paint:"
start_host 10 10 200 150 "$BUILD/veltrane" /p "{id}"
wait_picture 10 10 151 119
read_cpu() { awk '{ print $14 + $15 }' "/proc/$PREVIEW_PID/stat"; }
read_switches() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$PREVIEW_PID/status"; }
cpu0=$(read_cpu) sw0=$(read_switches)
sleep 10
cpu1=$(read_cpu) sw1=$(read_switches)
echo "  CPU ticks (1/100 s): $((cpu1 - cpu0)), voluntary context switches: $((sw1 - sw0))"
echo "  resident memory: $(awk '/^VmRSS/ { print $2, $3 }' "/proc/$PREVIEW_PID/status")"
end_host >/dev/null

echo "exit latency (ms from the area's destruction to the exit), $RUNS runs:"
for i in $(seq "$RUNS"); do
    start_host 10 10 200 150 "$BUILD/veltrane" /p "{id}"
    wait_picture 10 10 151 119
    echo "  $(end_host)"
done
