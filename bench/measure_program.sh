#!/usr/bin/env bash
# Measures the running program the way a classroom machine sees it: start-up
# time to the first painted frame, CPU of the whole process while nobody
# touches it, and resident memory. Run by hand on a quiet machine:
#   bench/measure_program.sh [path/to/tessaline]     (default build/tessaline)
# Environment: STARTS=5 start-up runs, IDLE_SECONDS=10, WARMUP_SECONDS=1.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/tessaline}")
starts=${STARTS:-5}
idle=${IDLE_SECONDS:-10}
warmup=${WARMUP_SECONDS:-1}
[ -x "$program" ] || { echo "no program at $program (build it first)"; exit 1; }

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

# A private X server at 1920 x 1080 on the first free display number.
display=90
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display}" ] && break; sleep 0.1; done

start_program() {  # start_program LOG: runs the program in the background, sets $app
    DISPLAY=":$display" SDL_AUDIODRIVER=dummy TESSALINE_TRACE_STARTUP=1 QT_QPA_PLATFORM=xcb \
        "$program" 2>"$1" >/dev/null &
    app=$!
}
stop_program() {
    kill -TERM "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=""
}
wait_for() {  # wait_for LOG TEXT: up to 5 s
    for _ in $(seq 500); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.01; done
    return 1
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # utime + stime of every thread

# Start-up: from process start to the first paint and the first scene frame.
paints=(); frames=()
for run in $(seq "$starts"); do
    log="$work/start$run.log"
    start_program "$log"
    if wait_for "$log" "first scene frame painted"; then
        paints+=("$(sed -n 's/.*first paint after \([0-9]*\) ms.*/\1/p' "$log")")
        frames+=("$(sed -n 's/.*first scene frame painted after \([0-9]*\) ms.*/\1/p' "$log")")
    else
        echo "run $run: no painted frame within 5 s"; cat "$log"
    fi
    [ "$run" -eq 1 ] && sed 's/^/  /' "$log"
    stop_program
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR ? a[int((NR + 1) / 2)] : "n/a")}'; }
echo "first paint (ms):        ${paints[*]:-}  median $(median "${paints[@]}")"
echo "first scene frame (ms):  ${frames[*]:-}  median $(median "${frames[@]}")  (target < 300)"

# Idle: CPU over the idle window after a warm-up, memory at its end.
start_program "$work/idle.log"
sleep "$warmup"
hz=$(getconf CLK_TCK)
t0=$(date +%s.%N); c0=$(cpu_ticks "$app")
sleep "$idle"
t1=$(date +%s.%N); c1=$(cpu_ticks "$app")
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$app/status")
threads=$(awk '/^Threads/ {print $2}' "/proc/$app/status")
stop_program
awk -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v rss="$rss" -v th="$threads" 'BEGIN {
    printf "idle CPU over %.1f s:     %.1f %% of one core  (target < 8 %%)\n", t1 - t0, 100 * c / hz / (t1 - t0)
    printf "resident memory:         %.1f MB  (target <= 250 MB), %d threads\n", rss / 1024, th
}'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
