#!/usr/bin/env bash
# Measures the running program the way a classroom machine sees it: start-up
# time from the launch of the process to the first painted frame and the
# first scene frame, CPU of the whole process while nobody touches it (at the
# start-up size, at 1920 x 1080 and minimised) against a bare window that
# presents an image at 50 Hz, and resident memory. Run by hand on a quiet
# machine (xdotool and openbox, where present, do the resizing and minimising):
#   bench/measure_program.sh [path/to/tessaline]     (default build/tessaline)
# Environment: STARTS=5 start-up runs, IDLE_SECONDS=10, WARMUP_SECONDS=1.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/tessaline}")
starts=${STARTS:-5}
idle=${IDLE_SECONDS:-10}
warmup=${WARMUP_SECONDS:-1}
[ -x "$program" ] || { echo "no program at $program (build it first)"; exit 1; }

# Tools are installed beforehand (scripts/prepare.sh lists them); a
# measurement never changes the machine it measures.
command -v Xvfb >/dev/null || { echo "needs Xvfb (package xvfb)"; exit 1; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

# A private X server at 1920 x 1080 on the first free display number.
display=90
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=""
work=$(mktemp -d)
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
    [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
    kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display}" ] && break; sleep 0.1; done
# A window manager, where there is one, so that minimising means something.
if command -v openbox >/dev/null; then
    DISPLAY=":$display" openbox >/dev/null 2>&1 &
    wm=$!
    # A window mapped while the manager is still taking over the screen may
    # never be shown at all: let it settle first.
    sleep 1
fi

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
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # utime + stime of every thread

# Start-up, timed by this script from just before it launches the process
# (so loading, dynamic linking and static set-up count) to the moment the
# program's start-up trace reaches it through a pipe. The trace's own
# figures count from main and are shown beside them: the difference is what
# happens before main.
paints=(); frames=(); ownPaints=(); ownFrames=()
for run in $(seq "$starts"); do
    log="$work/start$run.log" pipe="$work/pipe$run"
    mkfifo "$pipe"
    exec 3<>"$pipe"  # read and write, so that opening it blocks neither side
    t0=${EPOCHREALTIME/[.,]/}  # microseconds, read without starting a process
    start_program "$pipe"
    deadline=$((t0 + 5000000))
    frame=""
    while IFS= read -r -t 5 -u 3 line; do
        t=${EPOCHREALTIME/[.,]/}
        echo "$line" >>"$log"
        own=""; [[ $line =~ after\ ([0-9]+)\ ms ]] && own=${BASH_REMATCH[1]}
        case "$line" in
        *"first paint after"*) paints+=($(((t - t0) / 1000))); ownPaints+=("$own") ;;
        *"first scene frame painted after"*)
            frame=$(((t - t0) / 1000)); frames+=("$frame"); ownFrames+=("$own")
            break ;;
        esac
        [ "$t" -gt "$deadline" ] && break
    done
    stop_program
    exec 3<&-
    [ -n "$frame" ] || { echo "run $run: no painted frame within 5 s"; cat "$log"; }
    [ "$run" -eq 1 ] && sed 's/^/  /' "$log"
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR ? a[int((NR + 1) / 2)] : "n/a")}'; }
echo "first paint (ms from launch):        ${paints[*]:-}  median $(median "${paints[@]}")" \
     " (from main: median $(median "${ownPaints[@]}"))"
echo "first scene frame (ms from launch):  ${frames[*]:-}  median $(median "${frames[@]}")" \
     " (from main: median $(median "${ownFrames[@]}"); target < 200)"

# Idle: CPU of the whole process over the idle window after a warm-up.
hz=$(getconf CLK_TCK)
idle_percent() {  # idle_percent PID: prints % of one core
    local c0 c1 t0 t1
    t0=$(date +%s.%N); c0=$(cpu_ticks "$1")
    sleep "$idle"
    t1=$(date +%s.%N); c1=$(cpu_ticks "$1")
    awk -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" 'BEGIN {printf "%.1f", 100 * c / hz / (t1 - t0)}'
}
window_of() {  # window_of PID: the largest top-level window the process shows
    local w
    for _ in $(seq 50); do
        w=$(DISPLAY=":$display" xdotool search --onlyvisible --pid "$1" 2>/dev/null | tail -1)
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.1
    done
}

# The reference: a bare window presenting a 1024 x 720 image at 50 Hz.
bare="$work/bare_window"
g++ -std=c++20 -O2 -fPIC bench/reference/bare_window.cpp -o "$bare" $(pkg-config --cflags --libs Qt6Widgets)
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$bare" >/dev/null 2>&1 &
app=$!
sleep "$warmup"
reference=$(idle_percent "$app")
stop_program

start_program "$work/idle.log"
sleep "$warmup"
small=$(idle_percent "$app")
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$app/status")
threads=$(awk '/^Threads/ {print $2}' "/proc/$app/status")
large="n/a" minimised="n/a"
if command -v xdotool >/dev/null; then
    win=$(window_of "$app")
    DISPLAY=":$display" xdotool windowsize "$win" 1920 1080
    sleep "$warmup"
    large=$(idle_percent "$app")
    # Iconifying needs a window manager to honour it.
    if [ -n "$wm" ]; then
        DISPLAY=":$display" xdotool windowminimize "$win"
        sleep "$warmup"
        minimised=$(idle_percent "$app")
    fi
fi
stop_program
awk -v s="$small" -v r="$reference" -v l="$large" -v m="$minimised" -v rss="$rss" -v th="$threads" -v t="$idle" 'BEGIN {
    printf "bare window, 1024 x 720 image at 50 Hz:  %s %% of one core over %s s (the reference)\n", r, t
    printf "idle at start-up size (1024 x 720):       %s %%  (target < 4 %% and <= 1.5 x reference: %.1f x)\n", s, (r > 0 ? s / r : 0)
    printf "idle at 1920 x 1080:                      %s %%  (target < 6 %%)\n", l
    printf "idle minimised:                           %s %%  (target < 1.5 %%)\n", m
    printf "resident memory:                          %.1f MB  (target <= 120 MB), %d threads\n", rss / 1024, th
}'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
