// Ways to the stimulus besides a mouse with a wheel: fingers on a touch
// screen, the keyboard alone, and a screen reader's spoken readout.
//
// Fingers: one drags the stimulus as the mouse does; two pinch to resize
// it (the wheel's or the up and down keys' steps) and twist to turn it
// (the wheel's 5-degree steps). On-screen keys stand for '+', '-', Enter
// and the arrows. Keys on the focused field: Shift with an arrow moves the
// pointer, Space shows or hides the stimulus there.
import { names } from './names.js';

export const Reach = {
    PINCH_STEP: 1.1,        // a tenth more or less finger spread is one step, as one wheel notch
    TWIST_STEP: 5,          // degrees of twist for one wheel notch
    KEY_MOVE: 10,           // frame pixels the pointer moves for one Shift+arrow
    ANNOUNCE_MS: 1000,      // the spoken readout changes at most this often
    Arrow: {},              // the arrow keys' codes by key, from the core

    module: null,
    touches: new Map(),     // pointer id -> [x, y] of each finger down
    gesture: null,          // spread and angle at the last whole step

    attach(module) {
        this.module = module;
        for (const k of names.keys) if (k.arrow) this.Arrow[k.key] = k.code;
        this.announceEvery(this.ANNOUNCE_MS);
    },

    // Finger events: true when a second finger makes it a gesture, which the
    // pointer then must not follow.
    fingerDown(e) {
        if (e.pointerType !== 'touch') return false;
        document.body.classList.add('touch');
        this.touches.set(e.pointerId, [e.clientX, e.clientY]);
        if (this.touches.size === 2) this.gesture = this.shape();
        return this.touches.size > 1;
    },
    fingerMove(e) {
        if (!this.touches.has(e.pointerId)) return false;
        this.touches.set(e.pointerId, [e.clientX, e.clientY]);
        if (this.touches.size < 2 || !this.gesture) return false;
        this.follow(this.shape());
        return true;
    },
    // True while other fingers stay down: the stimulus stays shown.
    fingerUp(e) {
        if (!this.touches.delete(e.pointerId)) return false;
        this.gesture = this.touches.size >= 2 ? this.shape() : null;
        return this.touches.size > 0;
    },

    // Spread and angle (degrees, screen's counter-clockwise) of the first two fingers.
    shape() {
        const [[x1, y1], [x2, y2]] = [...this.touches.values()];
        return { spread: Math.max(1, Math.hypot(x2 - x1, y2 - y1)), angle: Math.atan2(y1 - y2, x2 - x1) * 180 / Math.PI };
    },

    // Whole steps only; the rest waits for more movement.
    follow(now) {
        const M = this.module;
        // The wheel resizes a spot or an annulus; the arrows a bar or a grating.
        const type = M.ccall('tess_get', 'number', ['string'], ['stimulus.stimulusType']);
        const round = type === names.stimulusTypes.spot || type === names.stimulusTypes.annulus;
        const steps = Math.trunc(Math.log(now.spread / this.gesture.spread) / Math.log(this.PINCH_STEP));
        for (let i = 0; i < Math.abs(steps); i++) {
            if (round) M._tess_wheel(steps > 0 ? names.constants.wheelStep : -names.constants.wheelStep);
            else M._tess_key_down(steps > 0 ? this.Arrow.ArrowUp : this.Arrow.ArrowDown);
        }
        if (steps !== 0) this.gesture.spread *= this.PINCH_STEP ** steps;
        let turn = now.angle - this.gesture.angle;
        turn -= 360 * Math.round(turn / 360);
        const notches = Math.trunc(turn / this.TWIST_STEP);
        for (let i = 0; i < Math.abs(notches); i++) M._tess_wheel(notches > 0 ? names.constants.wheelStep : -names.constants.wheelStep);
        this.gesture.angle += notches * this.TWIST_STEP;
    },

    // Shift+arrow moves the pointer from where it is, held to the field.
    movePointer(key, at, width, height) {
        const d = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] }[key];
        at[0] = Math.max(0, Math.min(width - 1, at[0] + d[0] * this.KEY_MOVE));
        at[1] = Math.max(0, Math.min(height - 1, at[1] + d[1] * this.KEY_MOVE));
    },

    // The information line for a screen reader, polite and at most once a
    // second, and only when its words change.
    announceEvery(ms) {
        const region = document.getElementById('readout');
        const M = this.module;
        setInterval(() => {
            const text = [0, 1, 2].map((i) => M.UTF8ToString(M._tess_overlay_text(i)).trim()).filter((t) => t).join(', ');
            if (text !== region.textContent) region.textContent = text;
        }, ms);
    },
};
