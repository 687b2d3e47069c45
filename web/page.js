// The page: starts the core, drives its ticks and turns the browser's
// events into the core's operations.
//
// Everything runs on the page's one thread. A 20 ms schedule on
// performance.now() runs the scene tick (the frame and the stimulus image),
// then the neuron tick with the play position the audio worklet reports;
// the neuron tick's samples go to the worklet, which plays each click at its
// place in the stream, and the new frame is painted with the information
// line. No shared memory, so any static file server will do.
'use strict';

const TICK_MS = 20;
const STALL_MS = 200;           // a longer pause restarts the schedule instead of catching up
const WHEEL_STEP = 120;         // the core's unit of one wheel notch
const WHEEL_PIXELS = 100;       // deltaY of one notch in pixel mode
const MAX_WHEEL_STEPS = 8;
const CURSOR_HIDDEN = 117;
const Cmd = { exit: 30001, selectStimulus: 30016, selectReceptiveField: 30017, moreOptions: 30018, help: 30029 };
const NO_SOUND_TEXT = 'Error preparing wave header';
const WEB_HELP = `

In the web edition
Keys, with the visual field focused (Tab to it): Shift with an arrow key moves the pointer; Space shows or hides the stimulus at the pointer; the arrow keys, '+', '-' and Enter do as above.
On a touch screen: drag with one finger to move the stimulus, pinch to resize it, twist two fingers to turn it. The keys at the bottom right give '+', '-', Enter and the arrow keys.
The full-screen button fills the screen with the field; Escape leaves it.`;

const tessaline = {
    module: null,
    running: false,
    // Counts for whoever watches the page: ticks, late ticks (started a whole
    // tick after their deadline), tick times (set tickTimes to [] to keep
    // each), spikes generated, the first frame's time after navigation,
    // clicks lost (written where the sound had already played, by the neuron
    // tick or found by the worklet) and the lead in stream samples.
    stats: { ticks: 0, lateTicks: 0, tickMs: 0, maxTickMs: 0, totalTickMs: 0, tickTimes: null, spikes: 0,
             worstLateMs: 0, firstFrameMs: -1, lostClicks: 0, lead: 0 },
    sound: Sound,
};
window.tessaline = tessaline;

function clampInt(x) {
    return Math.max(-1e9, Math.min(1e9, Math.trunc(x)));
}

function showMessage(text, caption = 'Tessaline') {
    const box = document.getElementById('message');
    document.getElementById('message-caption').textContent = caption;
    document.getElementById('message-text').textContent = text;
    if (!box.open) box.showModal();
}

function showHelp(M) {
    const box = document.getElementById('help');
    // Loaded afresh at every opening, as on the desktop.
    document.getElementById('help-text').value = M.UTF8ToString(M._tess_program_string(119)) + WEB_HELP;
    box.showModal();
    document.getElementById('help-text').scrollTop = 0;
}

// Dialogs and the feedback table plug in as window.tessalineDialogs, a
// second view over the core's rules through the binding.
function dialogs() {
    return window.tessalineDialogs || null;
}

function startSound() {
    const note = document.getElementById('sound-note');
    Sound.start(() => showMessage(NO_SOUND_TEXT)).then(() => { note.hidden = true; });
}

function main(M) {
    tessaline.module = M;
    Recording.attach(M);
    const canvas = document.getElementById('canvas');
    const stage = document.getElementById('stage');
    FrameView.attach(canvas, M);

    // Backing size = CSS size x devicePixelRatio: 38 device pixels a degree.
    const ratio = () => window.devicePixelRatio || 1;
    const frameSize = () => [Math.max(0, Math.floor(stage.clientWidth * ratio())),
                             Math.max(0, Math.floor(stage.clientHeight * ratio()))];
    let [width, height] = frameSize();
    canvas.width = width;
    canvas.height = height;
    M._tess_start(width, height, (Date.now() ^ Math.floor(Math.random() * 0x7fffffff)) >>> 0);
    // The first size, as a desktop window's first resize: it brings in the
    // traces' margins.
    M._tess_resize(width, height);
    if (window.tessalineLesson) window.tessalineLesson.start(M);
    FrameView.paint();

    new ResizeObserver(() => {
        const [w, h] = frameSize();
        if (w === width && h === height) return;
        width = w;
        height = h;
        canvas.width = w;
        canvas.height = h;
        FrameView.cleared = true;
        M._tess_resize(w, h);
    }).observe(stage);

    // The schedule: absolute 20 ms deadlines; a tick that starts a whole
    // tick late counts as late; after a stall the deadlines start again.
    let next = performance.now();
    let timer = 0;
    const tick = () => {
        const start = performance.now();
        if (start - next >= TICK_MS) tessaline.stats.lateTicks++;
        if (start - next > tessaline.stats.worstLateMs) tessaline.stats.worstLateMs = start - next;
        if (start - next > STALL_MS) next = start;
        M._tess_scene_tick(start);
        // A slice the worklet got too late grows the lead before this tick's.
        if (Sound.late > 0) M._tess_audio_late(Sound.late);
        Sound.late = 0;
        tessaline.stats.spikes += M._tess_neuron_tick(Sound.playPosition());
        tessaline.stats.lostClicks = M._tess_lost_clicks() + Sound.lostClicks;
        tessaline.stats.lead = M._tess_audio_lead();
        const length = M._tess_audio_slice_length();
        if (length > 0) {
            const samples = new Int16Array(M.HEAP16.buffer, M._tess_audio_slice(), length).slice();
            Sound.post(M._tess_audio_slice_start(), samples);
        }
        const took = performance.now() - start;
        FrameView.paint();
        if (tessaline.stats.firstFrameMs < 0) tessaline.stats.firstFrameMs = performance.now();
        const s = tessaline.stats;
        s.ticks++;
        s.tickMs = took;
        s.totalTickMs += took;
        if (took > s.maxTickMs) s.maxTickMs = took;
        if (s.tickTimes) s.tickTimes.push(took);
        next += TICK_MS;
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

    const updateCursor = () => {
        canvas.style.cursor = M._tess_cursor() === CURSOR_HIDDEN ? 'none' : 'crosshair';
    };
    // Where the pointer is, in frame pixels: the keys move it from there.
    const at = [Math.floor(width / 2), Math.floor(height / 2)];
    const pointerTo = (x, y) => {
        at[0] = x;
        at[1] = y;
        M._tess_pointer_move(x, y + M._tess_band_rows());
    };
    const pointerAt = (e) => {
        const r = canvas.getBoundingClientRect();
        pointerTo(clampInt((e.clientX - r.left) * ratio()), clampInt((e.clientY - r.top) * ratio()));
    };
    Reach.attach(M);
    canvas.addEventListener('pointermove', (e) => {
        if (!Reach.fingerMove(e)) pointerAt(e);
        updateCursor();
    });
    canvas.addEventListener('pointerdown', (e) => {
        canvas.focus();
        startSound();
        if (e.button !== 0) return;
        // Captured: a drag that leaves the canvas goes on.
        canvas.setPointerCapture(e.pointerId);
        if (Reach.fingerDown(e)) return;  // a second finger: pinch and twist
        pointerAt(e);
        M._tess_button_down();
        updateCursor();
    });
    const release = (e) => {
        if (e.button !== 0 && e.type === 'pointerup') return;
        if (Reach.fingerUp(e)) return;
        M._tess_button_up();
        updateCursor();
    };
    canvas.addEventListener('pointerup', release);
    canvas.addEventListener('pointercancel', release);
    canvas.addEventListener('dblclick', (e) => {
        if (e.button !== 0) return;
        M._tess_double_click();
        updateCursor();
    });
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
        for (let i = 0; i < steps; i++) M._tess_wheel(WHEEL_STEP);
        for (let i = 0; i > steps; i--) M._tess_wheel(-WHEEL_STEP);
        updateCursor();
    }, { passive: false });

    // A key for the field, from the keyboard or an on-screen key: true when used.
    const press = (key, shift = false) => {
        if (shift && Reach.Arrow[key]) {
            Reach.movePointer(key, at, width, height);
            pointerTo(at[0], at[1]);
        } else if (Reach.Arrow[key]) {
            M._tess_key_down(Reach.Arrow[key]);
        } else if (key === ' ') {
            if (M.ccall('tess_get', 'number', ['string'], ['stimulus.stimulusOn'])) M._tess_button_up();
            else M._tess_button_down();
        } else {
            const code = key === 'Enter' ? 13 : key === '+' ? 43 : key === '-' ? 45 : 0;
            if (code === 0) return false;
            if (M._tess_character(code) && dialogs() && dialogs().feedback) dialogs().feedback();
        }
        updateCursor();
        return true;
    };
    canvas.addEventListener('keydown', (e) => {
        if (e.altKey || e.ctrlKey || e.metaKey) return;
        if (press(e.key, e.shiftKey)) e.preventDefault();
    });
    for (const key of document.querySelectorAll('#touch-keys [data-key]')) {
        key.addEventListener('mousedown', (e) => e.preventDefault());
        key.addEventListener('click', () => { startSound(); press(key.dataset.key); });
    }
    document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
    document.addEventListener('keydown', () => startSound(), { once: true });

    const run = (command) => {
        if (M._tess_command(command)) {
            // done by the core
        } else if (command === Cmd.help) {
            showHelp(M);
        } else if (command === Cmd.exit) {
            tessaline.pause();
            Sound.stop();
            document.getElementById('ended').hidden = false;
        } else if (dialogs() && dialogs().open) {
            dialogs().open(command);
        }
        canvas.focus();
    };
    tessaline.run = run;
    buildToolbar(document.getElementById('toolbar'), M, (command) => { startSound(); run(command); });
    buildMenu(run);

    document.getElementById('help-close').addEventListener('click', () => document.getElementById('help').close());
    document.getElementById('message-ok').addEventListener('click', () => document.getElementById('message').close());
    for (const id of ['help', 'message']) {
        document.getElementById(id).addEventListener('close', () => canvas.focus());
    }
    canvas.focus();
}

// The page over the whole screen, as on a projector; the canvas takes the
// new size as any resize.
function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen().catch(() => {});
}

function buildMenu(run) {
    const button = document.getElementById('options-button');
    const menu = document.getElementById('options-menu');
    const items = [...menu.querySelectorAll('[data-command]')];
    const dialogCommands = [Cmd.selectStimulus, Cmd.selectReceptiveField, Cmd.moreOptions];
    for (const item of items) {
        const command = Number(item.dataset.command);
        // The three dialogs are there once a dialog view has plugged in.
        if (dialogCommands.includes(command) && !(dialogs() && dialogs().open)) {
            item.disabled = true;
            item.title = 'Not yet in the web edition';
        }
        item.addEventListener('click', () => { close(); run(command); });
    }
    const open = () => {
        menu.hidden = false;
        button.setAttribute('aria-expanded', 'true');
        const first = items.find((i) => !i.disabled);
        if (first) first.focus();
    };
    const close = () => {
        menu.hidden = true;
        button.setAttribute('aria-expanded', 'false');
    };
    button.addEventListener('click', () => (menu.hidden ? open() : close()));
    document.addEventListener('pointerdown', (e) => {
        if (!menu.hidden && !menu.contains(e.target) && e.target !== button) close();
    });
    document.addEventListener('keydown', (e) => {
        if (e.altKey && (e.key === 'o' || e.key === 'O')) {
            e.preventDefault();
            open();
        } else if (!menu.hidden && e.key === 'Escape') {
            close();
            document.getElementById('canvas').focus();
        } else if (!menu.hidden && e.altKey === false && e.key.length === 1) {
            // The underlined letters choose an item while the menu is open.
            const item = items.find((i) => !i.disabled && i.querySelector('u').textContent.toLowerCase() === e.key.toLowerCase());
            if (item) item.click();
        }
    });
}

// The offline copy, where the browser keeps one (not from a file: address).
if ('serviceWorker' in navigator && window.isSecureContext) {
    navigator.serviceWorker.register('offline.js').catch((refused) => console.warn('no offline copy:', refused));
}

// A start-up that fails anywhere (the module missing or refused, the page
// itself) tells the student, rather than leaving a blank page.
function startFailed(failure) {
    showMessage('Error initializing application Tessaline', 'Error');
    console.error(failure);
}
try {
    createTessaline().then(main).catch(startFailed);
} catch (failure) {
    startFailed(failure);
}
