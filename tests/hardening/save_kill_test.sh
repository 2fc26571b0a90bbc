# kill -9 at random moments while the settings are being saved, over and
# over: afterwards the file must always be exactly the old settings or the
# new ones, never a mixture, a partial file or nothing.
. "$(dirname "$0")/../e2e/lib.sh"
TRIALS=${SAVE_KILL_TRIALS:-200}
LOOP=$BUILD/tests/hardening/save_loop
APP=$WORK/veltrane  # the program's folder, and the user's settings folder too
mkdir -p "$APP"
export XDG_CONFIG_HOME=$WORK
CFG=$APP/veltrane.cfg
# The two texts a save can leave: after an even and after an odd save.
"$LOOP" "$APP/veltrane" 1 && cp "$CFG" "$WORK/even.cfg"
"$LOOP" "$APP/veltrane" 2 && cp "$CFG" "$WORK/odd.cfg"
check "the two sets of settings differ on disk" bash -c '! cmp -s "$0" "$1"' "$WORK/even.cfg" "$WORK/odd.cfg"

partial=0 killed=0
for trial in $(seq "$TRIALS"); do
    "$LOOP" "$APP/veltrane" 0 2>>"$WORK/loop.err" &
    pid=$!
    sleep "0.$(printf '%03d' $((RANDOM % 120 + 1)))"  # from just after the start to well into the saving
    kill -9 "$pid" 2>/dev/null && killed=$((killed + 1))
    wait "$pid" 2>/dev/null
    cmp -s "$CFG" "$WORK/even.cfg" || cmp -s "$CFG" "$WORK/odd.cfg" ||
        { partial=$((partial + 1)); echo "trial $trial left:"; cat -A "$CFG" 2>&1 | head -n 12; }
done
check "every kill left the old or the new file ($partial of $TRIALS partial)" test "$partial" = 0
check "the saves were really interrupted ($killed of $TRIALS, at least half)" test "$killed" -ge $((TRIALS / 2))
check "no save failed while running" test ! -s "$WORK/loop.err"
# A temporary file left by a kill does no harm: the next save goes through and leaves none.
"$LOOP" "$APP/veltrane" 1
check "a save after the kills succeeds and leaves no temporary file" eval 'cmp -s "$CFG" "$WORK/even.cfg" && [ ! -e "$CFG.new" ]'
finish
