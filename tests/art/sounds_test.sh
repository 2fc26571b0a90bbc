# The generated "tick.wav" and "chime.wav" measured with sox: format,
# length, level without clipping, and a chime that dies away by itself.
source "$VELTRANE_SOURCE_DIR/tests/e2e/lib.sh"

ASSETS=$BUILD/morviksoft/veltrane

# info FILE FIELD: one value of `sox --i`.
info() { sox --i "$2" "$1" 2>/dev/null; }

# stat FILE NAME [EFFECTS...]: one value of `sox ... -n stat`, e.g. "Maximum amplitude".
stat() {
    local file=$1 name=$2
    shift 2
    sox "$file" -n "$@" stat 2>&1 | awk -F: -v n="$name" '$1 ~ n { gsub(/ /, "", $2); print $2 }'
}

# within VALUE LOW HIGH: LOW <= VALUE <= HIGH, in floating point.
within() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v != "" && v >= lo && v <= hi) }'; }

for name in tick chime; do
    wav=$ASSETS/$name.wav
    check "$name.wav exists" test -s "$wav"
    check "$name.wav is 16-bit signed PCM" \
        test "$(info "$wav" -e)" = "Signed Integer PCM" -a "$(info "$wav" -b)" = 16
    check "$name.wav has a usual sample rate" \
        within "$(info "$wav" -r)" 22050 48000
    # Full scale is 1.0; a peak there means the waveform was clipped.
    peak=$(stat "$wav" "Maximum amplitude")
    check "$name.wav peaks at $peak: loud enough, below full scale" within "$peak" 0.25 0.95
    low=$(stat "$wav" "Minimum amplitude")
    check "$name.wav troughs at $low: below full scale" within "$low" -0.95 -0.05
done

tick_length=$(info "$ASSETS/tick.wav" -D)
check "tick lasts $tick_length s: a short tick (20 to 80 ms)" within "$tick_length" 0.020 0.080
chime_length=$(info "$ASSETS/chime.wav" -D)
check "chime lasts $chime_length s: a few seconds (2 to 6 s)" within "$chime_length" 2 6

# The tick is crisp: its energy sits in the upper midrange, not in a boom.
tick_freq=$(stat "$ASSETS/tick.wav" "Rough[ ]*frequency")
check "tick's rough frequency $tick_freq Hz is crisp (1.5 to 8 kHz)" within "$tick_freq" 1500 8000
# The chime is warm: a bell's low fundamental, not a whistle.
chime_freq=$(stat "$ASSETS/chime.wav" "Rough[ ]*frequency")
check "chime's rough frequency $chime_freq Hz is a warm bell (150 to 900 Hz)" \
    within "$chime_freq" 150 900

# A struck bell: loud at first, then dying away to almost nothing.
start_rms=$(stat "$ASSETS/chime.wav" "RMS[ ]*amplitude" trim 0 0.5)
end_rms=$(stat "$ASSETS/chime.wav" "RMS[ ]*amplitude" trim "$(awk -v l="$chime_length" 'BEGIN { print l - 0.5 }')")
check "chime decays: last half second RMS $end_rms is below a tenth of the first $start_rms" \
    awk -v s="$start_rms" -v e="$end_rms" 'BEGIN { exit !(s > 0.05 && e < s / 10) }'
middle_rms=$(stat "$ASSETS/chime.wav" "RMS[ ]*amplitude" trim 1.5 0.5)
check "chime decays smoothly: RMS at 1.5 s ($middle_rms) lies between start and end" \
    awk -v s="$start_rms" -v m="$middle_rms" -v e="$end_rms" 'BEGIN { exit !(m < s && m > e) }'
# Ends in silence rather than a click.
last=$(stat "$ASSETS/chime.wav" "Maximum amplitude" trim "$(awk -v l="$chime_length" 'BEGIN { print l - 0.01 }')")
check "chime's last 10 ms are near silence (peak $last)" within "$last" 0 0.01

finish
