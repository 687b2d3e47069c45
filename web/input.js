// The browser's input as the core's operations: the pointer (mouse, pen
// and fingers through reach.js), the wheel, and keys on the focused field
// or the on-screen keys.
import { feedback } from './dialogs.js';
import { names } from './names.js';
import { Reach } from './reach.js';
import { startSound } from './sound.js';

const WHEEL_PIXELS = 100;       // deltaY of one notch in pixel mode
const MAX_WHEEL_STEPS = 8;

function clampInt(x) {
    return Math.max(-1e9, Math.min(1e9, Math.trunc(x)));
}

// The field's pointer: where it is in frame pixels (the keys move it from
// there) and the cursor the core asks for.
function makePointer(M, canvas, size) {
    const at = [Math.floor(size.width / 2), Math.floor(size.height / 2)];
    const moveTo = (x, y) => {
        at[0] = x;
        at[1] = y;
        M._tess_pointer_move(x, y + M._tess_band_rows());
    };
    return {
        at,
        moveTo,
        follow(e) {
            // CSS pixels to frame pixels: the canvas's backing over its CSS size (the zoom's inverse).
            const r = canvas.getBoundingClientRect();
            const scale = r.width > 0 ? canvas.width / r.width : 1;
            moveTo(clampInt((e.clientX - r.left) * scale), clampInt((e.clientY - r.top) * scale));
        },
        updateCursor() {
            canvas.style.cursor = M._tess_cursor() === names.ids.cursorHidden ? 'none' : 'crosshair';
        },
    };
}

function attachButtons(M, canvas, pointer) {
    canvas.addEventListener('pointermove', (e) => {
        if (!Reach.fingerMove(e)) pointer.follow(e);
        pointer.updateCursor();
    });
    canvas.addEventListener('pointerdown', (e) => {
        canvas.focus();
        startSound();
        if (e.button !== 0) return;
        // Captured: a drag that leaves the canvas goes on.
        canvas.setPointerCapture(e.pointerId);
        if (Reach.fingerDown(e)) return;  // a second finger: pinch and twist
        pointer.follow(e);
        M._tess_button_down();
        pointer.updateCursor();
    });
    const release = (e) => {
        if (e.button !== 0 && e.type === 'pointerup') return;
        if (Reach.fingerUp(e)) return;
        M._tess_button_up();
        pointer.updateCursor();
    };
    canvas.addEventListener('pointerup', release);
    canvas.addEventListener('pointercancel', release);
    canvas.addEventListener('dblclick', (e) => {
        if (e.button !== 0) return;
        M._tess_double_click();
        pointer.updateCursor();
    });
}

function attachWheel(M, canvas, pointer) {
    let wheelRest = 0;
    canvas.addEventListener('wheel', (e) => {
        e.preventDefault();
        // Whole notches only, as on the desktop: a touchpad's many small
        // deltas add up to one notch per 100 pixels. Up turns one way.
        const pixels = e.deltaMode === 1 ? e.deltaY * WHEEL_PIXELS / 3 : e.deltaMode === 2 ? e.deltaY * WHEEL_PIXELS : e.deltaY;
        const total = wheelRest - pixels;
        let steps = Math.trunc(total / WHEEL_PIXELS);
        wheelRest = total - steps * WHEEL_PIXELS;
        steps = Math.max(-MAX_WHEEL_STEPS, Math.min(MAX_WHEEL_STEPS, steps));
        for (let i = 0; i < steps; i++) M._tess_wheel(names.constants.wheelStep);
        for (let i = 0; i > steps; i--) M._tess_wheel(-names.constants.wheelStep);
        pointer.updateCursor();
    }, { passive: false });
}

// A key for the field, from the keyboard or an on-screen key: true when used.
function pressKey(M, pointer, size, key, shift = false) {
    if (shift && Reach.Arrow[key]) {
        Reach.movePointer(key, pointer.at, size.width, size.height);
        pointer.moveTo(pointer.at[0], pointer.at[1]);
    } else if (Reach.Arrow[key]) {
        M._tess_key_down(Reach.Arrow[key]);
    } else if (key === ' ') {
        if (M.ccall('tess_get', 'number', ['string'], ['stimulus.stimulusOn'])) M._tess_button_up();
        else M._tess_button_down();
    } else {
        // '+', '-' and Enter, by the core's codes.
        const character = names.keys.find((k) => k.key === key && !k.arrow);
        if (!character) return false;
        if (M._tess_character(character.code)) feedback();
    }
    pointer.updateCursor();
    return true;
}

function attachKeys(M, canvas, pointer, size) {
    const press = (key, shift) => pressKey(M, pointer, size, key, shift);
    canvas.addEventListener('keydown', (e) => {
        if (e.altKey || e.ctrlKey || e.metaKey) return;
        if (press(e.key, e.shiftKey)) e.preventDefault();
    });
    for (const key of document.querySelectorAll('#touch-keys [data-key]')) {
        key.addEventListener('mousedown', (e) => e.preventDefault());
        key.addEventListener('click', () => { startSound(); press(key.dataset.key); });
    }
    document.addEventListener('keydown', () => startSound(), { once: true });
}

// size: the frame's width and height, kept by the page as the canvas changes.
export function attachInput(M, canvas, size) {
    const pointer = makePointer(M, canvas, size);
    Reach.attach(M);
    attachButtons(M, canvas, pointer);
    attachWheel(M, canvas, pointer);
    attachKeys(M, canvas, pointer, size);
}
