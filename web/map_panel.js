// The noise map on the page, as the desktop's Map window: the core drains
// the neuron tick's ring into its live map about once a second and lays out
// the figure (the average at the lag, ON and OFF maps, the true field while
// the field is not hidden); the panel paints it, with the lag and Reset.
import { onTexts } from './names.js';
import { paintPicture } from './plot.js';

const DRAIN_MS = 1000;
const SLICE_MS = 20;
let M = null, panel = null, plot = null, lag = null, waiting = null, timer = 0, chosen = NaN, last = null;
let texts = null, fast = null, progress = null, slices = 0;

function element(tag, properties, ...children) {
    const e = Object.assign(document.createElement(tag), properties);
    e.append(...children);
    return e;
}

function draw() {
    last = JSON.parse(M.UTF8ToString(M._tess_map_picture(chosen, plot.width, plot.height)));
    lag.value = last.lagMs;
    waiting.textContent = last.waiting;
    paintPicture(plot, last.picture);
}

// The panel's texts in the language in force (at its making and after a
// new language); the map and its notice come with the next drawing.
function fill() {
    const t = texts = JSON.parse(M.UTF8ToString(M._tess_map_texts()));
    panel.setAttribute('aria-label', t.title);
    progress.setAttribute('aria-label', t.fastForward);
    fast.textContent = slices ? t.stop : t.fastForward;
    panel.querySelector('#map-lag-label').textContent = `${t.lag} `;
    panel.querySelector('#map-reset').textContent = t.reset;
    panel.querySelector('#map-close').textContent = t.close;
    if (!panel.hidden) draw();
}

function build() {
    const t = JSON.parse(M.UTF8ToString(M._tess_map_texts()));
    fast = element('button', { type: 'button', id: 'map-fast' });
    progress = element('progress', { id: 'map-progress', max: 1000, value: 0, hidden: true });
    lag = element('input', { id: 'map-lag', type: 'number', min: 0, max: t.lagHigh, step: t.lagStep });
    const button = (id) => element('button', { type: 'button', id });
    panel = element('section', { id: 'map-panel', hidden: true },
        element('div', { className: 'row head' }, element('label', {}, element('span', { id: 'map-lag-label' }), lag), progress, fast,
            button('map-reset'), button('map-close')),
        element('canvas', { id: 'map-plot', width: 560, height: 260 }),
        waiting = element('p', { id: 'map-waiting' }));
    fill();
    onTexts(fill);
    // Beside the field or below it, with the other panels.
    document.getElementById('panels').appendChild(panel);
    plot = panel.querySelector('#map-plot');
    lag.addEventListener('change', () => { chosen = lag.value === '' ? NaN : Number(lag.value); draw(); });
    panel.querySelector('#map-reset').addEventListener('click', () => { M._tess_map_reset(); chosen = NaN; showFast(-1); draw(); });
    fast.addEventListener('click', () => { M._tess_map_fast(); showFast(M._tess_map_fast_slice()); draw(); });
    panel.querySelector('#map-close').addEventListener('click', () => { panel.hidden = true; });
}

// Fast-forward runs in slices between the page's ticks, so the page keeps
// answering; its button stops it, and the map takes what it made when it ends.
function showFast(share) {
    const running = share >= 0;
    fast.textContent = running ? texts.stop : texts.fastForward;
    progress.hidden = !running;
    progress.value = Math.max(share, 0);
    if (running && !slices) slices = setInterval(() => showFast(M._tess_map_fast_slice()), SLICE_MS);
    if (!running && slices) clearInterval(slices), slices = 0, draw();
}

// The map keeps growing from the first opening on, shown or not.
function show() {
    panel.hidden = false;
    if (!timer) {
        M._tess_map_reset();
        timer = setInterval(() => { M._tess_map_drain(); if (!panel.hidden) draw(); }, DRAIN_MS);
    }
    draw();
}

function attach(module, item) {
    M = module;
    build();
    item.addEventListener('click', show);
}

export const MapPanel = { attach, last: () => last };
