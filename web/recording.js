// The recording on the page: a Measure menu with the Record toggle (off at
// start-up) and a raster-and-PSTH panel that updates while recording, with
// the picture, the two CSV tables and an NWB file to download. The spike
// log is drained between ticks every 50 ms, as the desktop's timer does.
'use strict';
import { showMessage } from './messages.js';
import { saveFile } from './save_file.js';
import { Tuning } from './tuning.js';

const DRAIN_MS = 50;
let M = null;
let timer = 0;
let panel = null, canvas = null, bin = null, status = null, toggle = null;

// The HDF5 writer is fetched on the first export only (it is five times
// the rest of the page); a failure to load it or to write is said.
async function exportNwb(b) {
    const why = (e) => (e && e.message ? e.message : String(e));
    b.disabled = true;
    try {
        let writer;
        try {
            writer = await import('./nwb.js');
        } catch (e) {
            showMessage(`The NWB writer could not be loaded: check the connection and try again.\n(${why(e)})`, 'Error');
            return;
        }
        saveFile('recording.nwb', new Blob([await writer.nwbBytes(M)], { type: 'application/x-hdf5' }));
    } catch (e) {
        showMessage(`The NWB file could not be written: ${why(e)}`, 'Error');
    } finally {
        b.disabled = false;
    }
}

// The files the core makes of the recording as CSV, saved as handed: 0 the
// spikes, 1 the trials.
function exportCsv(file) {
    const { name, text } = JSON.parse(M.ccall('tess_record_csv', 'string', ['string'], ['recording.csv']))[file];
    saveFile(name, new Blob([text], { type: 'text/csv' }));
}

function data() {
    return JSON.parse(M.UTF8ToString(M._tess_record_raster(Number(bin.value) / 1000)));
}

// Rows over the PSTH, time from the onset across both.
function draw(d) {
    const g = canvas.getContext('2d');
    const w = canvas.width, h = canvas.height, left = 56, right = 10, top = 8, gap = 22, bottom = 30;
    const plotW = w - left - right, rasterH = Math.floor((h - top - gap - bottom) * 0.6);
    const psthTop = top + rasterH + gap, psthH = h - psthTop - bottom;
    const x = (t) => left + (t - d.from) / Math.max(d.to - d.from, 1e-3) * plotW;
    g.fillStyle = 'white';
    g.fillRect(0, 0, w, h);
    const rowH = d.rows.length ? rasterH / d.rows.length : 0;
    d.rows.forEach((row, i) => {
        const y = top + i * rowH;
        g.fillStyle = '#ffecaa';
        g.fillRect(x(0), y, Math.max(x(Math.min(row[0], d.to)) - x(0), 1), rowH);
        g.fillStyle = 'black';
        for (let k = 1; k < row.length; k++) g.fillRect(Math.round(x(row[k])), y + rowH * 0.1, 1, Math.max(rowH * 0.8, 1));
    });
    g.fillStyle = '#444';
    g.font = '11px sans-serif';
    g.textAlign = 'right';
    for (const [first, rows, label] of d.groups) {
        if (label) g.fillText(label.replace(/^.*\) /, ''), left - 4, top + (first + rows / 2) * rowH + 4);
    }
    g.fillText(`${d.rows.length} trials`, left - 4, top + 10);
    const peak = Math.max(10, ...d.psth) * 1.1;
    g.fillStyle = '#285aaa';
    d.psth.forEach((r, b) => {
        const t = d.from + b * d.bin, bh = r / peak * psthH;
        g.fillRect(x(t), psthTop + psthH - bh, Math.max(x(Math.min(t + d.bin, d.to)) - x(t), 1), bh);
    });
    g.strokeStyle = 'black';
    g.strokeRect(left, top, plotW, rasterH);
    g.strokeRect(left, psthTop, plotW, psthH);
    g.fillStyle = 'black';
    g.fillText(`${Math.round(peak)}`, left - 4, psthTop + 10);
    g.fillText('0', left - 4, psthTop + psthH);
    g.fillText('spikes/s', left - 4, psthTop + psthH / 2);
    g.textAlign = 'center';
    for (let t = Math.ceil(d.from * 2) / 2; t <= d.to + 1e-9; t += 0.5) g.fillText(t.toFixed(1), x(t), psthTop + psthH + 13);
    g.fillText('time from stimulus onset (s)', left + plotW / 2, h - 4);
    g.strokeStyle = '#c82828';
    g.setLineDash([4, 3]);
    g.beginPath();
    g.moveTo(x(0) + 0.5, top);
    g.lineTo(x(0) + 0.5, psthTop + psthH);
    g.stroke();
    g.setLineDash([]);
    status.textContent = `${d.seconds.toFixed(1)} s recorded, ${d.spikes} spikes, ${d.trials} trials`;
}

function refresh() {
    if (!panel.hidden) draw(data());
}

function setRecording(on) {
    if (on === (M._tess_recording() === 1)) return;
    M._tess_record(on ? 1 : 0);
    clearInterval(timer);
    if (on) timer = setInterval(() => { M._tess_record_drain(); refresh(); }, DRAIN_MS);
    toggle.setAttribute('aria-checked', String(on));
    toggle.querySelector('.check').textContent = on ? '✓' : '';
    panel.querySelector('#record-box').checked = on;
    refresh();
}

function button(label, onClick) {
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = label;
    b.addEventListener('click', onClick);
    return b;
}

function buildPanel() {
    panel = document.createElement('section');
    panel.id = 'record-panel';
    panel.hidden = true;
    panel.setAttribute('aria-label', 'Raster and PSTH');
    const bar = document.createElement('div');
    bar.className = 'row';
    const label = document.createElement('label');
    label.innerHTML = '<input type="checkbox" id="record-box"> Record';
    label.querySelector('input').addEventListener('change', (e) => setRecording(e.target.checked));
    const binLabel = document.createElement('label');
    binLabel.textContent = 'PSTH bin (ms) ';
    bin = document.createElement('input');
    bin.type = 'number';
    bin.id = 'record-bin';
    bin.min = 5, bin.max = 100, bin.value = 10;
    bin.addEventListener('change', () => {
        bin.value = Math.min(100, Math.max(5, Math.round(Number(bin.value) || 10)));
        refresh();
    });
    binLabel.appendChild(bin);
    bar.append(label, binLabel,
        button('Save picture', () => canvas.toBlob((b) => saveFile('raster.png', b))),
        button('Spikes CSV', () => exportCsv(0)),
        button('Trials CSV', () => exportCsv(1)),
        Object.assign(button('NWB', (e) => exportNwb(e.currentTarget)), { id: 'record-nwb' }),
        button('Close', () => { panel.hidden = true; }));
    canvas = document.createElement('canvas');
    canvas.id = 'record-canvas';
    canvas.width = 560;
    canvas.height = 440;
    status = document.createElement('p');
    status.id = 'record-status';
    panel.append(bar, canvas, status);
    document.body.appendChild(panel);
}

function buildMenu() {
    const menu = document.createElement('div');
    menu.className = 'menu';
    menu.innerHTML = '<button id="measure-button" type="button" aria-haspopup="menu" aria-expanded="false"><u>M</u>easure</button>'
        + '<div id="measure-menu" role="menu" hidden>'
        + '<button type="button" role="menuitem" id="tuning-item">Tuning curve…</button>'
        + '<button type="button" role="menuitemcheckbox" aria-checked="false" id="record-toggle"><span class="check"></span>Record</button>'
        + '<button type="button" role="menuitem" id="raster-item">Raster and PSTH…</button></div>';
    document.getElementById('menubar').appendChild(menu);
    const open = menu.querySelector('#measure-button'), list = menu.querySelector('#measure-menu');
    const close = () => { list.hidden = true; open.setAttribute('aria-expanded', 'false'); };
    open.addEventListener('click', () => {
        list.hidden = !list.hidden;
        open.setAttribute('aria-expanded', String(!list.hidden));
    });
    document.addEventListener('pointerdown', (e) => { if (!menu.contains(e.target)) close(); });
    toggle = list.querySelector('#record-toggle');
    toggle.addEventListener('click', () => {
        close();
        const on = M._tess_recording() !== 1;
        setRecording(on);
        if (on) panel.hidden = false, refresh();
    });
    list.querySelector('#raster-item').addEventListener('click', () => { close(); panel.hidden = false; refresh(); });
    const tuning = list.querySelector('#tuning-item');
    tuning.addEventListener('click', close);
    if (typeof Tuning !== 'undefined') Tuning.attach(M, tuning);
}

function attach(module) {
    M = module;
    buildPanel();
    buildMenu();
}

export const Recording = { attach, setRecording, data };
