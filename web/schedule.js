// The page's schedule: absolute 20 ms deadlines on performance.now(). Each
// tick runs the scene tick (the frame and the stimulus image), then the
// neuron tick with the play position the audio worklet reports; the neuron
// tick's samples go to the worklet, which plays each click at its place in
// the stream, and the new frame is painted with the information line. A
// tick that starts a whole tick late counts as late; after a stall the
// deadlines start again.
import { FrameView } from './frame_view.js';
import { names } from './names.js';
import { Sound } from './sound.js';

const STALL_MS = 200;           // a longer pause restarts the schedule instead of catching up

// The neuron tick and its slice of the stream for the worklet.
function neuronTick(M, stats) {
    // The output's own period sets the lead once the sound has started; a
    // slice the worklet got too late grows it before this tick's.
    if (Sound.period > 0) M._tess_audio_period(Sound.period);
    Sound.period = 0;
    if (Sound.late > 0) M._tess_audio_late(Sound.late);
    Sound.late = 0;
    stats.spikes += M._tess_neuron_tick(Sound.playPosition());
    stats.lostClicks = M._tess_lost_clicks() + Sound.lostClicks;
    stats.lead = M._tess_audio_lead();
    const length = M._tess_audio_slice_length();
    if (length > 0) {
        const samples = new Int16Array(M.HEAP16.buffer, M._tess_audio_slice(), length).slice();
        Sound.post(M._tess_audio_slice_start(), samples);
    }
}

function countTick(s, took) {
    s.ticks++;
    s.tickMs = took;
    s.totalTickMs += took;
    if (took > s.maxTickMs) s.maxTickMs = took;
    if (s.tickTimes) s.tickTimes.push(took);
}

// Starts the ticks; gives tessaline its pause and resume.
export function startSchedule(M, tessaline) {
    const stats = tessaline.stats;
    const TICK_MS = names.constants.tickMs;
    let next = performance.now();
    let timer = 0;
    let paintMs = 0;        // the paints' recent cost
    let skipped = false;    // the last tick left its frame out
    const tick = () => {
        const start = performance.now();
        if (start - next >= TICK_MS) stats.lateTicks++;
        if (start - next > stats.worstLateMs) stats.worstLateMs = start - next;
        if (start - next > STALL_MS) next = start;
        M._tess_scene_tick(start);
        neuronTick(M, stats);
        const took = performance.now() - start;
        next += TICK_MS;
        // On a slow machine the ticks come first: a frame that would leave
        // too little of the tick for the browser before the next deadline
        // is left out, never two in a row, so the picture keeps at least
        // 25 frames a second while every tick and every click stays on time.
        const left = next - performance.now();
        if (skipped || left >= paintMs + TICK_MS / 4) {
            const before = performance.now();
            FrameView.paint();
            paintMs += (performance.now() - before - paintMs) / 8;
            skipped = false;
        } else {
            M._tess_frame_note();  // its changes go with the next frame painted
            skipped = true;
            stats.skippedFrames++;
        }
        if (stats.firstFrameMs < 0) stats.firstFrameMs = performance.now();
        countTick(stats, took);
        timer = setTimeout(tick, Math.max(0, next - performance.now()));
    };
    tessaline.pause = () => { clearTimeout(timer); tessaline.running = false; };
    tessaline.resume = () => {
        if (tessaline.running) return;
        tessaline.running = true;
        next = performance.now();
        tick();
    };
    tessaline.resume();
    // Frames of the display may come before a timer the browser held back
    // (input and painting go first): a tick that is due runs there.
    const onFrame = () => {
        if (tessaline.running && performance.now() >= next) {
            clearTimeout(timer);
            tick();
        }
        requestAnimationFrame(onFrame);
    };
    requestAnimationFrame(onFrame);
}
