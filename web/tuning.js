// The tuning-curve recorder on the page, as the desktop's Measure menu has
// it: choose what to sweep, start and stop, watch the curve grow, read the
// summary, download the numbers and the picture. The form (texts, ranges,
// first values), the sweep and the figure are the core's; the sweep is
// polled between ticks every 50 ms.
import { paintPicture } from './plot.js';
import { localNumber, readNumber } from './language.js';
import { onTexts } from './names.js';
import { saveFile } from './save_file.js';

const POLL_MS = 50;
const FIELDS = ['step', 'from', 'to', 'points', 'repeats', 'seconds'];
let M = null, panel = null, plot = null, timer = 0, last = null;
const $ = (id) => panel.querySelector(`#${id}`);
const form = (parameter) =>
    JSON.parse(M.UTF8ToString(M._tess_tuning_form(parameter, panel && $('tuning-centre').checked ? 1 : 0)));

function element(tag, properties, ...children) {
    const e = Object.assign(document.createElement(tag), properties);
    e.append(...children);
    return e;
}

// A number field as the core describes it, its unit after its label
// (written by fill); a text field, so that it shows the language's decimal
// mark (the core holds what is typed to the field's range).
function numberField(name, f) {
    const input = element('input', { id: `tuning-${name}`, type: 'text', inputMode: 'decimal', size: 6, value: localNumber(f.value) });
    return element('label', {}, element('span', { id: `tuning-${name}-label` }), input);
}

function build() {
    const f = form(0);
    const select = element('select', { id: 'tuning-parameter' },
        ...f.parameters.map((name, i) => element('option', { value: i })));
    const centre = element('input', { id: 'tuning-centre', type: 'checkbox', checked: f.centreChecked });
    const button = (id) => element('button', { type: 'button', id });
    // The buttons first, so Close stays in sight in a sheet that scrolls.
    panel = element('section', { id: 'tuning-panel', hidden: true },
        element('div', { className: 'row head' }, button('tuning-start'), button('tuning-stop'),
            button('tuning-data'), button('tuning-picture'), button('tuning-close')),
        element('div', { className: 'form' }, element('label', {}, element('span', { id: 'tuning-parameter-label' }), select),
            ...FIELDS.map((name) => numberField(name, f[name])),
            element('label', { id: 'tuning-centre-label' }, centre, element('span', { id: 'tuning-centre-text' })),
            element('p', { id: 'tuning-placement' })),
        element('canvas', { id: 'tuning-plot', width: 480, height: 300 }),
        element('p', { id: 'tuning-summary' }), element('p', { id: 'tuning-progress' }));
    // Beside the field or below it, with the other panels.
    document.getElementById('panels').appendChild(panel);
    plot = $('tuning-plot');
    select.addEventListener('change', parameterChanged);
    centre.addEventListener('change', showPlacement);
    $('tuning-start').addEventListener('click', start);
    $('tuning-stop').addEventListener('click', () => { M._tess_tuning_stop(); poll(); });
    $('tuning-close').addEventListener('click', () => { M._tess_tuning_stop(); poll(); panel.hidden = true; });
    $('tuning-data').addEventListener('click', () =>
        saveFile(f.dataFile, new Blob([M.UTF8ToString(M._tess_tuning_csv())], { type: 'text/csv' })));
    $('tuning-picture').addEventListener('click', () => plot.toBlob((b) => saveFile(f.pictureFile, b)));
    fill();
    parameterChanged();
    // A new language while a sweep runs changes the texts alone: the sweep,
    // its points and the values typed stay as they are.
    onTexts(() => { fill(); if (!panel.hidden) poll(); });
}

// The panel's texts in the language in force.
function fill() {
    const f = form(Number($('tuning-parameter').value));
    panel.setAttribute('aria-label', f.title);
    for (const [id, key] of [['start', 'start'], ['stop', 'stop'], ['data', 'saveData'], ['picture', 'savePicture'], ['close', 'close']])
        $(`tuning-${id}`).textContent = f[key];
    $('tuning-parameter-label').textContent = `${f.parameterLabel} `;
    [...$('tuning-parameter').options].forEach((o, i) => { o.textContent = f.parameters[i]; });
    for (const name of FIELDS) $(`tuning-${name}`).value = localNumber(readNumber($(`tuning-${name}`).value));
    for (const name of FIELDS) $(`tuning-${name}-label`).textContent = `${f[name].label}${f[name].unit ? ` (${f[name].unit})` : ''} `;
    $('tuning-centre-text').textContent = ` ${f.centreText}`;
}

function parameterChanged() {
    const f = form(Number($('tuning-parameter').value));
    for (const name of ['from', 'to', 'points']) {
        $(`tuning-${name}`).value = localNumber(f[name].value);
        $(`tuning-${name}`).disabled = f.stepUsed;
    }
    $('tuning-step').disabled = !f.stepUsed;
}

// The centre box while the field is shown, and where an uncentred sweep goes.
function showPlacement() {
    const f = form(0);
    $('tuning-centre-label').hidden = !f.centreShown;
    $('tuning-placement').textContent = f.placement;
}

function start() {
    const n = (name) => readNumber($(`tuning-${name}`).value);
    const ok = M._tess_tuning_start(Number($('tuning-parameter').value), n('step'), n('from'), n('to'), n('points'),
        n('repeats'), n('seconds'), $('tuning-centre').checked ? 1 : 0);
    if (!ok) return;
    clearInterval(timer);
    timer = setInterval(poll, POLL_MS);
    poll();
}

function poll() {
    last = JSON.parse(M.UTF8ToString(M._tess_tuning_poll(plot.width, plot.height)));
    if (!last.running) clearInterval(timer);
    $('tuning-start').disabled = last.running;
    $('tuning-stop').disabled = !last.running;
    $('tuning-parameter').disabled = last.running;
    $('tuning-centre').disabled = last.running;
    $('tuning-summary').textContent = last.summary;
    $('tuning-progress').textContent = last.progress;
    showPlacement();
    paintPicture(plot, last.picture);
}

function show() {
    panel.hidden = false;
    poll();
}

function attach(module, item) {
    M = module;
    build();
    item.addEventListener('click', show);
}

export const Tuning = { attach, poll: () => (poll(), last) };
