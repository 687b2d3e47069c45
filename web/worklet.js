// Plays the stream of clicks. The page posts each neuron tick's slice with
// the stream position of its first sample; the slice lands in a ring at
// that position and is played when the output gets there, so every click
// is heard at its place in the stream, as on the desktop. The processor
// reports how many stream samples it has played (the play position) after
// every render quantum, and the clicks of slices that came too late to be
// played, so the page's lead can grow.
'use strict';

const RING = 1 << 16;           // 1.5 s of stream at 44.1 kHz
const TAP_FRAMES = 1024;

class ClickStream extends AudioWorkletProcessor {
    // options.processorOptions: the stream's sample rate and a click's
    // level, the core's numbers, handed over by the page (names.js).
    constructor(options) {
        super();
        const { sampleRate: streamRate, clickLevel } = options.processorOptions;
        this.clickLevel = clickLevel;
        this.ring = new Float32Array(RING);
        this.position = 0;      // next stream sample to play
        this.step = streamRate / sampleRate;  // stream samples per output frame
        this.exact = 0;         // position as a real number, when rates differ
        this.lateSamples = 0;   // since the last report: the most a slice missed by
        this.lostClicks = 0;    // since the last report
        this.tap = false;
        // What was played, while the page listens, handed over 1,024 frames at
        // a time: a message and a buffer every quantum would load the very
        // threads whose timing the listener measures.
        this.tapped = new Float32Array(TAP_FRAMES);
        this.tappedLength = 0;
        this.port.onmessage = (e) => this.receive(e.data);
    }

    receive(m) {
        if (m.origin !== undefined) {
            this.position = m.origin;
            this.exact = m.origin;
        }
        if (m.tap !== undefined) this.tap = m.tap;
        if (m.samples) {
            const from = m.start;
            // Samples already played, or too far ahead for the ring, are
            // dropped; a click that starts among those played is lost.
            for (let i = 0; i < m.samples.length; i++) {
                const s = from + i;
                if (s < this.position) {
                    if (m.samples[i] === this.clickLevel && (i === 0 || m.samples[i - 1] !== this.clickLevel)) this.lostClicks++;
                    continue;
                }
                if (s >= this.position + RING) continue;
                this.ring[s % RING] = m.samples[i] / 32768;
            }
            this.lateSamples = Math.max(this.lateSamples, Math.min(this.position, from + m.samples.length) - from);
        }
    }

    process(inputs, outputs) {
        const out = outputs[0][0];
        const n = out.length;
        if (this.step === 1) {
            for (let i = 0; i < n; i++) {
                const k = this.position % RING;
                out[i] = this.ring[k];
                this.ring[k] = 0;
                this.position++;
            }
        } else {
            // Another output rate: each output frame plays the stream sample
            // at its place, so a click keeps its length in time.
            for (let i = 0; i < n; i++) {
                const target = Math.floor(this.exact + this.step);
                out[i] = this.ring[Math.floor(this.exact) % RING];
                for (; this.position < target; this.position++) this.ring[this.position % RING] = 0;
                this.exact += this.step;
            }
        }
        for (let c = 1; c < outputs[0].length; c++) outputs[0][c].set(out);
        let samples = null;
        if (this.tap) {
            this.tapped.set(out, this.tappedLength);
            this.tappedLength += n;
            if (this.tappedLength + n > TAP_FRAMES) {
                samples = this.tapped.slice(0, this.tappedLength);
                this.tappedLength = 0;
            }
        }
        // With the context's frame at the end of this quantum, so the page
        // can move the position on by the context's clock (which the audio
        // thread keeps) while its own thread is too busy to read these.
        this.port.postMessage({ position: this.position, frame: currentFrame + n, samples,
            late: this.lateSamples, lost: this.lostClicks });
        this.lateSamples = 0;
        this.lostClicks = 0;
        return true;
    }
}

registerProcessor('click-stream', ClickStream);
