#!/usr/bin/env bash
# Press to clicks, desktop and web, with the clicks lost (not part of ctest:
# these are timings). Builds nothing: run after ./test.sh has built build/
# and build-web/.
#   bench/latency/run.sh                 20 presses, desktop, Chromium, Firefox,
#                                        each after WARMUP_SECONDS (15) of rest
#   BUSY_SECONDS=600 bench/latency/run.sh --busy [desktop|chromium|firefox]
#                                        a grating over a complex cell for that
#                                        long beside two busy-loop burners,
#                                        the lead printed every 10 s (desktop:
#                                        then the 20 presses, burners still on)
set -euo pipefail
cd "$(dirname "$0")/../.."
presses=${PRESSES:-20}
busy=0
only=${2:-}
if [ "${1:-}" = "--busy" ]; then busy=${BUSY_SECONDS:-180}; only=${only:-desktop}; fi
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

pids=()
runtime=$(mktemp -d)
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$runtime"' EXIT
if [ "$busy" -gt 0 ]; then
    for _ in 1 2; do (while :; do :; done) & pids+=($!); done
fi
wants() { [ -z "$only" ] || [ "$only" = "$1" ]; }

if wants desktop; then
    [ "$busy" -gt 0 ] && ./build/tessaline_latency 0 "$busy" 2>/dev/null
    ./build/tessaline_latency "$presses" 2>/dev/null
fi
if wants chromium; then
    BUSY_SECONDS=$busy node bench/latency/web_latency.mjs build-web/site chromium "$presses"
fi
if wants firefox; then
    # Firefox plays only through a sound server: a PulseAudio of our own
    # with a null sink, on a socket of its own, stopped by its pid.
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm \
        -L "module-native-protocol-unix socket=$runtime/native auth-anonymous=1" \
        -L "module-null-sink sink_name=latency" >"$runtime/pulse.log" 2>&1 &
    pids+=($!)
    export PULSE_SERVER="unix:$runtime/native"
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    echo "sound server: $(pactl info 2>/dev/null | grep -i 'server name' || echo none), default sink latency" \
         "$(pactl list sinks 2>/dev/null | grep -m1 -i 'latency:' | xargs || echo unknown)"
    BUSY_SECONDS=$busy node bench/latency/web_latency.mjs build-web/site firefox "$presses"
fi
