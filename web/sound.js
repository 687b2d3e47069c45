// The sound side of the page: an AudioWorklet at 44.1 kHz that plays the
// clicks the neuron ticks write, started on the first click or key press
// (browsers allow sound only after a gesture). Until then, and for good
// when no sound can be had, the play position follows the clock, so the
// neuron ticks, the traces and the peak rate go on as on a silent desktop.
import { showMessage } from './messages.js';
import { names } from './names.js';

// A browser with no output device may never settle the start (Firefox
// with no sound server leaves resume() pending): after this long the page
// goes on silently, as the desktop does without a device.
const START_WAIT_MS = 5000;

// The promise's value, or a failure once ms have passed without one.
function within(promise, ms) {
    let timer = 0;
    const late = new Promise((resolve, reject) => {
        timer = setTimeout(() => reject(new Error(`no sound after ${ms} ms`)), ms);
    });
    return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

// The output renders in whole quanta of 128 frames and takes them in
// bursts of its own latency (10 ms in Chromium on Linux): the worklet's
// position moves by a burst at a time, so the lead needs two of them. At
// least two quanta, where the browser does not say.
function outputPeriod(context) {
    const frames = (context.baseLatency || 0) * names.constants.sampleRate;
    return Math.max(256, Math.ceil(frames / 128) * 128);
}

export const Sound = {
    state: 'waiting',      // waiting, starting, playing or none
    context: null,
    node: null,
    reported: 0,           // the worklet's last play position
    reportedAt: 0,         // when it came (performance.now())
    reportedFrame: 0,      // the context's frame at that position
    period: 0,             // samples the output takes at a time, once it is known and until the page took it
    late: 0,               // the most a slice missed by, since the page last asked
    lostClicks: 0,         // clicks of slices that came after their place was played
    clockStart: performance.now(),
    clockOrigin: 0,
    tap: null,             // played samples, while a listener asks for them
    tapEnds: null,         // the play position after each of them

    // Stream samples played so far: the worklet's last report, moved on by
    // the time since it came, at most one quantum (it reports every quantum),
    // or by the frames the context has rendered since, where that is more:
    // reports wait in line while this thread is busy, the context's clock
    // does not, and a position read late puts the next slice where the
    // output has already been.
    playPosition() {
        const rate = names.constants.sampleRate;
        if (this.state === 'playing') {
            const since = Math.min(128, Math.max(0, (performance.now() - this.reportedAt) * rate / 1000));
            const rendered = (this.context.currentTime * this.context.sampleRate - this.reportedFrame) *
                rate / this.context.sampleRate;
            return this.reported + Math.floor(Math.max(since, Math.min(rendered, rate)));
        }
        return this.clockOrigin + Math.floor((performance.now() - this.clockStart) * rate / 1000);
    },

    // Starts the sound once; onFailure is told when none can be had.
    async start(onFailure) {
        if (this.state !== 'waiting') return;
        this.state = 'starting';
        let context = null;
        try {
            const Context = window.AudioContext || window.webkitAudioContext;
            if (!Context || !window.AudioWorkletNode) throw new Error('no audio worklets here');
            try {
                context = new Context({ sampleRate: names.constants.sampleRate, latencyHint: 'interactive' });
            } catch (refused) {
                context = new Context({ latencyHint: 'interactive' });  // the worklet resamples
            }
            // One wait for the whole start, however its steps share it.
            const giveUp = performance.now() + START_WAIT_MS;
            await within(context.audioWorklet.addModule('worklet.js'), giveUp - performance.now());
            // The worklet cannot read the core's numbers itself: it is handed them.
            const { sampleRate, clickLevel } = names.constants;
            const node = new AudioWorkletNode(context, 'click-stream',
                { numberOfInputs: 0, numberOfOutputs: 1, outputChannelCount: [1], processorOptions: { sampleRate, clickLevel } });
            node.port.onmessage = (e) => this.receive(e.data);
            node.connect(context.destination);
            await within(context.resume(), giveUp - performance.now());
            // The worklet goes on from where the clock has got to once the
            // sound runs: the clock kept the stream's time while the start
            // waited (a second or more in some browsers), and a position
            // taken before that wait would send the stream back in time, so
            // a press held through it would end before it began.
            const origin = this.playPosition();
            node.port.postMessage({ origin });
            this.context = context;
            this.node = node;
            this.reported = origin;
            this.reportedFrame = context.currentTime * context.sampleRate;
            this.period = outputPeriod(context);
            this.state = 'playing';
        } catch (failure) {
            // A context that never started holds nothing worth waiting for.
            if (context) context.close().catch(() => {});
            this.clockStart = performance.now();
            this.clockOrigin = this.playPosition();
            this.state = 'none';
            onFailure(failure);
        }
    },

    receive(m) {
        if (m.position > this.reported) {
            this.reported = m.position;
            this.reportedAt = performance.now();
            this.reportedFrame = m.frame;
        }
        if (m.late > this.late) this.late = m.late;
        if (m.lost) this.lostClicks += m.lost;
        if (m.samples && this.tap) {
            this.tap.push(m.samples);
            this.tapEnds.push(m.position);
        }
    },

    // A neuron tick's samples, from stream position start.
    post(start, samples) {
        if (this.node) this.node.port.postMessage({ start, samples });
    },

    // Keeps what the worklet plays from now on (for listeners and checks).
    startTap() {
        this.tap = [];
        this.tapEnds = [];
        if (this.node) this.node.port.postMessage({ tap: true });
    },

    stop() {
        if (this.context) this.context.close();
        this.context = null;
        this.node = null;
    },
};

// Any first click or key starts the sound; the note that asks for one goes.
export function startSound() {
    const note = document.getElementById('sound-note');
    Sound.start(() => showMessage(names.texts.noSound)).then(() => { note.hidden = true; });
}
