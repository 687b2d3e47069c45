// The page: starts the core and joins the page's modules to it. Each
// module has one job: names.js the ids, numbers and texts shared with the core,
// schedule.js the 20 ms ticks, input.js the pointer, wheel and keys,
// menu.js the Options menu, sound.js the worklet, frame_view.js the
// canvas, messages.js and dialogs.js the boxes and forms; toolbar.js,
// reach.js, recording.js, tuning.js and lesson.js the rest of the page.
//
// Everything runs on the page's one thread, and no memory is shared, so
// any static file server will do. The core (tessaline.js) is a classic
// script loaded before this module: createTessaline is its one global.
import { openDialog } from './dialogs.js';
import { Language, languageList } from './language.js';
import { FrameView, Zoom, fitCanvas, followStage, readZoom } from './frame_view.js';
import { attachInput } from './input.js';
import { TessalineLesson } from './lesson.js';
import { buildMenu, closeOptions } from './menu.js';
import { attachMessages, showHelp, showMessage } from './messages.js';
import { names, onTexts, readNames, writePageTexts } from './names.js';
import { Recording } from './recording.js';
import { startSchedule } from './schedule.js';
import { Sound, startSound } from './sound.js';
import { startTexts } from './start_texts.js';
import { buildToolbar } from './toolbar.js';
import { Tuning } from './tuning.js';
import { MapPanel } from './map_panel.js';

// What the page shows whoever watches it (the browser checks, the benches).
const tessaline = {
    module: null,
    running: false,
    // Counts: ticks, late ticks (started a whole tick after their deadline),
    // tick times (set tickTimes to [] to keep each), spikes generated, the
    // first frame's time after navigation, clicks lost (written where the
    // sound had already played, by the neuron tick or found by the worklet)
    // the lead in stream samples, and the frames left out to keep the
    // ticks on time.
    stats: { ticks: 0, lateTicks: 0, tickMs: 0, maxTickMs: 0, totalTickMs: 0, tickTimes: null, spikes: 0,
             worstLateMs: 0, firstFrameMs: -1, lostClicks: 0, lead: 0, skippedFrames: 0 },
    sound: Sound,
    recording: Recording,
    tuning: Tuning,
    map: MapPanel,
    lesson: TessalineLesson,
    language: Language,
    // The information line's boxes as last drawn, in CSS pixels of the page.
    get readouts() { return FrameView.readouts(); },
};
window.tessaline = tessaline;

// The page over the whole screen, as on a projector; the canvas takes the
// new size as any resize.
function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen().catch(() => {});
}

// A command from the menu or the toolbar: the core's, or the page's own.
function runCommand(M, canvas, command) {
    if (M._tess_command(command)) {
        // done by the core
    } else if (command === names.commands.help) {
        showHelp();
    } else if (command === names.commands.exit) {
        tessaline.pause();
        Sound.stop();
        document.getElementById('ended').hidden = false;
    } else {
        openDialog(command);
    }
    canvas.focus();
}

// The core at the canvas's first size, as a desktop window's creation and
// first resize (which brings in the traces' margins).
function startCore(M, canvas, size) {
    fitCanvas(canvas, document.getElementById('stage'), size);
    M._tess_start(size.width, size.height, (Date.now() ^ Math.floor(Math.random() * 0x7fffffff)) >>> 0);
    M._tess_resize(size.width, size.height, 0);
    TessalineLesson.start(M);
    FrameView.paint();
}

// The Options menu's zoom items step through the zoom's steps; each stops
// at its end.
function wireZoom(setZoom) {
    const item = (name) => document.querySelector(`#options-menu [data-name="${name}"]`);
    const steps = Zoom.steps;
    const show = () => {
        item('zoomIn').disabled = Zoom.value >= steps[steps.length - 1];
        item('zoomOut').disabled = Zoom.value <= steps[0];
    };
    const choose = (zoom) => {
        closeOptions();
        setZoom(zoom);
        show();
        document.getElementById('canvas').focus();
    };
    item('zoomIn').addEventListener('click', () => choose(steps.find((z) => z > Zoom.value) ?? Zoom.value));
    item('zoomOut').addEventListener('click', () => choose(steps.findLast((z) => z < Zoom.value) ?? Zoom.value));
    item('zoomReset').addEventListener('click', () => choose(1));
    show();
}

function main(M) {
    tessaline.module = M;
    readNames(M);
    readZoom(names.zoomSteps);
    writePageTexts();
    const canvas = document.getElementById('canvas');
    const run = (command) => runCommand(M, canvas, command);
    tessaline.run = run;
    // The Options menu before the Measure menu beside it, and before a
    // lesson's start wires its items.
    buildMenu(run);
    onTexts(Language.buildMenu(closeOptions));
    Recording.attach(M);
    FrameView.attach(canvas, M);
    const size = { width: 0, height: 0 };
    startCore(M, canvas, size);
    wireZoom(followStage(canvas, document.getElementById('stage'), size, M));
    startSchedule(M, tessaline);
    attachInput(M, canvas, size);
    document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
    buildToolbar(document.getElementById('toolbar'), M, (command) => { startSound(); run(command); });
    attachMessages(canvas);
    canvas.focus();
}

// The offline copy, where the browser keeps one (not from a file: address).
if ('serviceWorker' in navigator && window.isSecureContext) {
    navigator.serviceWorker.register('offline.js').catch((refused) => console.warn('no offline copy:', refused));
}

// A start-up that fails anywhere (the module missing or refused, the page
// itself) tells the student, rather than leaving a blank page.
function startFailed(failure) {
    showMessage(startTexts.startupError, startTexts.errorCaption);
    console.error(failure);
}
// The list of languages comes while the core loads; the language is in
// force before the first text is shown.
const listing = languageList();
try {
    window.createTessaline().then(async (M) => { await Language.start(M, await listing); main(M); }).catch(startFailed);
} catch (failure) {
    startFailed(failure);
}
