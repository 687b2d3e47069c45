// The recording on the page: a Measure menu with the Record toggle (off at
// start-up) and a raster-and-PSTH panel that updates while recording, with
// the picture, the two CSV tables and an NWB file to download. The spike
// log is drained between ticks every 50 ms, as the desktop's timer does.
'use strict';
import { showMenu } from './menu.js';
import { showMessage } from './messages.js';
import { localNumber, readNumber } from './language.js';
import { menuText, names, onTexts } from './names.js';
import { paintPicture } from './plot.js';
import { saveFile } from './save_file.js';
import { MapPanel } from './map_panel.js';
import { Tuning } from './tuning.js';

const DRAIN_MS = 50;
let M = null;
let timer = 0;
let panel = null, canvas = null, bin = null, status = null, toggle = null, texts = null;

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
            showMessage(`${texts.nwbNotLoaded}\n(${why(e)})`, names.texts.errorCaption);
            return;
        }
        saveFile(texts.nwbFile, new Blob([await writer.nwbBytes(M)], { type: 'application/x-hdf5' }));
    } catch (e) {
        showMessage(`${texts.nwbNotWritten} ${why(e)}`, names.texts.errorCaption);
    } finally {
        b.disabled = false;
    }
}

// The files the core makes of the recording as CSV, saved as handed: 0 the
// spikes, 1 the trials.
function exportCsv(file) {
    const { name, text } = JSON.parse(M.ccall('tess_record_csv', 'string', ['string'], [texts.csvTarget]))[file];
    saveFile(name, new Blob([text], { type: 'text/csv' }));
}

function data() {
    return JSON.parse(M.UTF8ToString(M._tess_record_raster(readNumber(bin.value), canvas.width, canvas.height)));
}

// The core lays out the raster over its PSTH and writes the counts line.
function draw(d) {
    paintPicture(canvas, d.picture);
    status.textContent = d.counts;
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

// A button whose text is the panel's text of that name.
function button(name, onClick) {
    const b = document.createElement('button');
    b.type = 'button';
    b.dataset.text = name;
    b.addEventListener('click', onClick);
    return b;
}

function buildPanel() {
    texts = JSON.parse(M.UTF8ToString(M._tess_record_texts()));
    panel = document.createElement('section');
    panel.id = 'record-panel';
    panel.hidden = true;
    const bar = document.createElement('div');
    bar.className = 'row head';
    const label = document.createElement('label');
    label.innerHTML = '<input type="checkbox" id="record-box">';
    label.append(' ', Object.assign(document.createElement('span'), { id: 'record-label' }));
    label.querySelector('input').addEventListener('change', (e) => setRecording(e.target.checked));
    const binLabel = document.createElement('label');
    binLabel.append(Object.assign(document.createElement('span'), { id: 'record-bin-label' }));
    bin = document.createElement('input');
    // Text, to show the language's decimal mark; the core holds it to its range.
    Object.assign(bin, { type: 'text', inputMode: 'decimal', size: 5, id: 'record-bin', value: localNumber(texts.bin.value) });
    // The core holds the width to its range; the field shows what it drew.
    bin.addEventListener('change', () => {
        bin.value = localNumber(data().binMs);
        refresh();
    });
    binLabel.appendChild(bin);
    bar.append(label, binLabel,
        button('savePicture', () => canvas.toBlob((b) => saveFile(texts.pictureFile, b))),
        button('spikesCsv', () => exportCsv(0)),
        button('trialsCsv', () => exportCsv(1)),
        Object.assign(button('nwb', (e) => exportNwb(e.currentTarget)), { id: 'record-nwb' }),
        button('close', () => { panel.hidden = true; }));
    canvas = document.createElement('canvas');
    canvas.id = 'record-canvas';
    canvas.width = 560;
    canvas.height = 440;
    status = document.createElement('p');
    status.id = 'record-status';
    panel.append(bar, canvas, status);
    // Beside the field or below it, with the other panels.
    document.getElementById('panels').appendChild(panel);
}

// The panel's texts, at its making and after a new language; its counts
// and figure come with the next drawing.
function fillPanel() {
    texts = JSON.parse(M.UTF8ToString(M._tess_record_texts()));
    panel.setAttribute('aria-label', texts.window);
    panel.querySelector('#record-label').textContent = texts.record;
    panel.querySelector('#record-bin-label').textContent = `${texts.bin.label} (${texts.bin.unit}) `;
    bin.value = localNumber(readNumber(bin.value));
    for (const b of panel.querySelectorAll('button[data-text]')) b.textContent = texts[b.dataset.text];
    refresh();
}

// The Measure menu's texts.
function fillMenu() {
    const list = document.getElementById('measure-menu');
    const [tuningItem, recordItem, rasterItem, mapItem] = names.menus.measure;
    menuText(document.getElementById('measure-button'), names.texts.measure);
    menuText(list.querySelector('#tuning-item'), tuningItem.text);
    const record = list.querySelector('#record-toggle');
    record.replaceChildren(record.querySelector('.check'), recordItem.text);
    menuText(list.querySelector('#raster-item'), rasterItem.text);
    menuText(list.querySelector('#map-item'), mapItem.text);
}

function buildMenu() {
    const menu = document.createElement('div');
    menu.className = 'menu';
    menu.innerHTML = '<button id="measure-button" type="button" aria-haspopup="menu" aria-expanded="false"></button>'
        + '<div id="measure-menu" role="menu" hidden>'
        + '<button type="button" role="menuitem" id="tuning-item"></button>'
        + '<button type="button" role="menuitemcheckbox" aria-checked="false" id="record-toggle"><span class="check"></span></button>'
        + '<button type="button" role="menuitem" id="raster-item"></button>'
        + '<button type="button" role="menuitem" id="map-item"></button></div>';
    document.getElementById('menubar').appendChild(menu);
    const open = menu.querySelector('#measure-button'), list = menu.querySelector('#measure-menu');
    fillMenu();
    const close = () => { if (!list.hidden) showMenu(open, list, false); };
    open.addEventListener('click', () => showMenu(open, list, list.hidden));
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
    const map = list.querySelector('#map-item');
    map.addEventListener('click', close);
    MapPanel.attach(M, map);
}

function attach(module) {
    M = module;
    buildPanel();
    buildMenu();
    fillPanel();
    onTexts(() => { fillPanel(); fillMenu(); });
}

export const Recording = { attach, data };
