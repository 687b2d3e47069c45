// The tuning-curve recorder on the page, as the desktop's Measure menu has
// it: choose what to sweep, start and stop, watch the curve grow, read the
// summary, download the numbers and the picture. The sweep itself is the
// core's, polled between ticks every 50 ms.
import { names } from './names.js';
import { saveFile } from './save_file.js';

const POLL_MS = 50;
let M = null, panel = null, plot = null, timer = 0, last = null;
const $ = (id) => panel.querySelector(`#${id}`);

function field(label, id, attributes) {
    return `<label>${label} <input id="${id}" type="number" ${attributes}></label>`;
}

function build() {
    panel = document.createElement('section');
    panel.id = 'tuning-panel';
    panel.hidden = true;
    panel.setAttribute('aria-label', 'Tuning curve');
    panel.innerHTML = '<div class="form">'
        + '<label>Parameter <select id="tuning-parameter"><option value="0">Orientation</option>'
        + '<option value="1">Spatial frequency</option><option value="2">Size (radius or bar length)</option>'
        + '<option value="3">Contrast</option></select></label>'
        + field('Orientation step (deg)', 'tuning-step', 'min="5" max="180" step="any" value="30"')
        + field('From', 'tuning-from', 'step="any"') + field('To', 'tuning-to', 'step="any"')
        + field('Points', 'tuning-points', 'min="2" max="60" value="12"')
        + field('Repeats', 'tuning-repeats', 'min="1" max="20" value="2"')
        + field('Presentation time (s)', 'tuning-seconds', 'min="0.2" max="60" step="any" value="1"')
        + '<label id="tuning-centre-label"><input id="tuning-centre" type="checkbox" checked> Centre on the receptive field</label>'
        + '</div><canvas id="tuning-plot" width="480" height="300"></canvas>'
        + '<p id="tuning-summary">No points measured yet.</p><p id="tuning-progress"></p><div class="row">'
        + '<button type="button" id="tuning-start">Start</button><button type="button" id="tuning-stop" disabled>Stop</button>'
        + '<button type="button" id="tuning-data">Save data</button><button type="button" id="tuning-picture">Save picture</button>'
        + '<button type="button" id="tuning-close">Close</button></div>';
    document.body.appendChild(panel);
    plot = $('tuning-plot');
    $('tuning-parameter').addEventListener('change', parameterChanged);
    $('tuning-start').addEventListener('click', start);
    $('tuning-stop').addEventListener('click', () => { M._tess_tuning_stop(); poll(); });
    $('tuning-close').addEventListener('click', () => { M._tess_tuning_stop(); poll(); panel.hidden = true; });
    $('tuning-data').addEventListener('click', () =>
        saveFile('tuning.csv', new Blob([M.UTF8ToString(M._tess_tuning_csv())], { type: 'text/csv' })));
    $('tuning-picture').addEventListener('click', () => plot.toBlob((b) => saveFile('tuning.png', b)));
    parameterChanged();
}

function parameterChanged() {
    const p = Number($('tuning-parameter').value);
    const [from, to, points] = names.sweepDefaults[p];
    $('tuning-from').value = from;
    $('tuning-to').value = to;
    $('tuning-points').value = points;
    $('tuning-step').disabled = p !== 0;
    for (const id of ['tuning-from', 'tuning-to', 'tuning-points']) $(id).disabled = p === 0;
}

function start() {
    const n = (id) => Number($(id).value);
    // While a hand plot hides the field, centring would show where it is.
    const hidden = M.ccall('tess_get', 'number', ['string'], ['receptiveField.displayMode']) === 3;
    const ok = M._tess_tuning_start(n('tuning-parameter'), n('tuning-step'), n('tuning-from'), n('tuning-to'),
        Math.round(n('tuning-points')), Math.round(n('tuning-repeats')), n('tuning-seconds'),
        $('tuning-centre').checked && !hidden ? 1 : 0);
    if (!ok) return;
    clearInterval(timer);
    timer = setInterval(poll, POLL_MS);
    poll();
}

function poll() {
    last = JSON.parse(M.UTF8ToString(M._tess_tuning_poll()));
    if (!last.running) clearInterval(timer);
    $('tuning-start').disabled = last.running;
    $('tuning-stop').disabled = !last.running;
    $('tuning-parameter').disabled = last.running;
    $('tuning-summary').textContent = last.summary;
    $('tuning-progress').textContent = last.running
        ? `${last.done} of ${last.total} points, ${Math.ceil(last.ticksLeft * 0.02)} s left` : `${last.done} points measured`;
    draw(last);
}

// Mean rate against the swept value, with ±1 s.e.m. bars.
function draw(d) {
    const g = plot.getContext('2d');
    const w = plot.width, h = plot.height, left = 48, right = 12, top = 12, bottom = 40;
    g.fillStyle = 'white';
    g.fillRect(0, 0, w, h);
    g.strokeStyle = 'black';
    g.strokeRect(left, top, w - left - right, h - top - bottom);
    g.fillStyle = 'black';
    g.font = '11px sans-serif';
    g.textAlign = 'center';
    g.fillText(d.name, left + (w - left - right) / 2, h - 6);
    if (d.curve.length === 0) return;
    const xs = d.curve.map((c) => (d.log ? Math.log(c[0]) : c[0]));
    const lo = Math.min(...xs), hi = Math.max(...xs, lo + 1e-6);
    const peak = Math.max(10, ...d.curve.map((c) => c[1] + c[2])) * 1.1;
    const x = (v) => left + (v - lo) / (hi - lo) * (w - left - right - 20) + 10;
    const y = (r) => top + (1 - r / peak) * (h - top - bottom);
    g.strokeStyle = '#2a6fd0';
    g.beginPath();
    d.curve.forEach((c, i) => (i ? g.lineTo(x(xs[i]), y(c[1])) : g.moveTo(x(xs[i]), y(c[1]))));
    g.stroke();
    d.curve.forEach((c, i) => {
        g.beginPath();
        g.moveTo(x(xs[i]), y(c[1] - c[2]));
        g.lineTo(x(xs[i]), y(c[1] + c[2]));
        g.stroke();
        g.fillRect(x(xs[i]) - 2, y(c[1]) - 2, 4, 4);
        g.fillText(String(Math.round(c[0] * 100) / 100), x(xs[i]), h - bottom + 14);
    });
    g.textAlign = 'right';
    g.fillText(`${Math.round(peak)}`, left - 4, top + 8);
    g.fillText('0', left - 4, h - bottom);
    g.fillText('spikes/s', left - 4, top + (h - top - bottom) / 2);
}

function show() {
    panel.hidden = false;
    const hidden = M.ccall('tess_get', 'number', ['string'], ['receptiveField.displayMode']) === 3;
    $('tuning-centre-label').hidden = hidden;
    poll();
}

function attach(module, item) {
    M = module;
    build();
    item.addEventListener('click', show);
}

export const Tuning = { attach, poll: () => (poll(), last) };
