#!/bin/sh
# SIGTERM, as at logout, while the program shows a modal message from its
# start (a lesson file it cannot open) must end it with status 0 and the
# exit lines; a process left running with no window fails.
# Usage: termination_check.sh <tessaline binary> <scratch folder>
bin=${1:?binary}; dir=${2:?scratch folder}
mkdir -p "$dir" || exit 2
printf '{"format":"not a lesson"}' >"$dir/bad.tessaline"
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$bin" "$dir/bad.tessaline" >"$dir/out.txt" 2>&1 &
pid=$!
# The program catches SIGTERM from just before it opens the lesson: wait for
# that (bit 15 of the caught signals), so the signal meets the message.
caught() { awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status" 2>/dev/null; }
for _ in $(seq 600); do
    mask=$(caught); [ -n "$mask" ] && [ $(( 0x$mask & 0x4000 )) -ne 0 ] && break; sleep 0.1
done
kill -TERM "$pid"
for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "still running 20 s after SIGTERM"; kill -KILL "$pid"; exit 1; }
wait "$pid"; status=$?
cat "$dir/out.txt"
[ "$status" -eq 0 ] || { echo "exit status $status"; exit 1; }
grep -q 'tessaline: sound:' "$dir/out.txt" || { echo "no exit lines"; exit 1; }
