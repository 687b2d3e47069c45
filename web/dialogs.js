// The three live dialogs and the hand-plot feedback window as HTML forms:
// a second view over the core's dialog rules, reached through tess_dialog.
// Every change goes to the core at once (the ticks go on meanwhile, so the
// student sees and hears it); the form then shows what the core says each
// control holds. No rule lives here: only the controls' texts and layout.
import { names } from './names.js';
import { showMessage } from './messages.js';

// The binding's numbers for what a form did to a control, filled at start-up.
const Act = names.dialogActions;
const isFeedback = (dialog) => dialog === names.ids.feedbackWindow;

function call(dialog, action, index = 0, value = 0, text = '') {
    const M = window.tessaline.module;
    return JSON.parse(M.ccall('tess_dialog', 'string', ['number', 'number', 'number', 'number', 'string'],
        [dialog, action, index, value, text]));
}

function el(tag, attrs = {}, ...children) {
    const e = document.createElement(tag);
    for (const [k, v] of Object.entries(attrs)) {
        if (k === 'class') e.className = v;
        else if (k === 'text') e.textContent = v;
        else e.setAttribute(k, v);
    }
    for (const c of children) e.append(c);
    return e;
}

// One form: its controls register how they show a view, and every
// change they make shows the view the core gives back.
class Form {
    constructor(dialog, title) {
        this.dialog = dialog;
        this.shows = [];
        this.box = el('dialog', { class: 'form', 'aria-label': title },
            el('h2', { class: 'caption', text: title }));
        this.box.addEventListener('close', () => {
            if (!isFeedback(this.dialog)) call(this.dialog, Act.close);
            this.box.remove();
            // The canvas keeps the keyboard, as after any command.
            document.getElementById('canvas').focus();
        });
    }
    act(action, index, value, text, typing = null) { this.show(call(this.dialog, action, index, value, text), typing); }
    show(view, typing = null) { for (const s of this.shows) s(view, typing); }

    slider(get, index, vertical = false) {
        const input = el('input', { type: 'range' });
        if (vertical) input.className = 'vertical';
        input.addEventListener('input', () => this.act(Act.moveSlider, index, Number(input.value)));
        this.shows.push((v) => {
            const s = get(v);
            input.min = s.minimum;
            input.max = s.maximum;
            input.value = s.position;
            input.disabled = !s.enabled;
        });
        return input;
    }

    // A number field; typed texts go to the core as they are typed.
    field(get, action, index, readOnly = false) {
        const input = el('input', { type: 'text', class: 'number', size: '6' });
        input.readOnly = readOnly;
        if (!readOnly) input.addEventListener('input', () => this.act(action, index, 0, input.value, input));
        this.shows.push((v, typing) => {
            const f = get(v);
            if (typing !== input) input.value = f.text;
            input.disabled = !f.enabled;
        });
        return input;
    }

    // A field with its up and down arrows, whose position is its own.
    spin(get, index, typeAction = Act.typeSpin) {
        const input = this.field(get, typeAction, index, typeAction === null);
        let at = { position: 0, minimum: 0, maximum: 0 };
        this.shows.push((v) => { at = get(v); });
        const step = (d) => {
            const p = Math.max(at.minimum, Math.min(at.maximum, at.position + d));
            if (p !== at.position) this.act(Act.stepSpin, index, p);
        };
        const arrow = (text, d) => {
            const T = names.texts;
            const b = el('button', { type: 'button', class: 'arrow', tabindex: '-1', 'aria-label': d > 0 ? T.stepUp : T.stepDown, text });
            b.addEventListener('click', () => step(d));
            return b;
        };
        input.addEventListener('keydown', (e) => {
            if (e.key === 'ArrowUp' || e.key === 'ArrowDown') {
                e.preventDefault();
                step(e.key === 'ArrowUp' ? 1 : -1);
            }
        });
        return el('span', { class: 'spin' }, input, el('span', { class: 'arrows' }, arrow(names.texts.stepUpMark, 1), arrow(names.texts.stepDownMark, -1)));
    }

    list(get, items, title) {
        const select = el('select', { 'aria-label': title }, ...items.map((t) => el('option', { text: t })));
        select.addEventListener('change', () => this.act(Act.chooseFromList, 0, select.selectedIndex));
        this.shows.push((v) => { select.selectedIndex = get(v); });
        return select;
    }

    // Buttons checked one at a time; each stands for a value.
    radios(name, get, action, choices) {
        return choices.map(([text, value]) => {
            const input = el('input', { type: 'radio', name: `${this.dialog}-${name}` });
            input.addEventListener('change', () => this.act(action, 0, value));
            this.shows.push((v) => { if (get(v, value)) input.checked = true; });
            return el('label', {}, input, text);
        });
    }

    check(text, get, action) {
        const input = el('input', { type: 'checkbox' });
        input.addEventListener('change', () => this.act(action, 0, input.checked ? 1 : 0));
        this.shows.push((v) => { input.checked = get(v); });
        return el('label', {}, input, text);
    }

    shown(text) {
        const input = el('input', { type: 'text', class: 'number', size: '6', readonly: '' });
        input.value = text;
        return input;
    }

    open(...content) {
        const ok = el('button', { type: 'button', text: names.texts.ok });
        ok.addEventListener('click', () => this.box.close());
        this.box.append(el('div', { class: 'body' }, ...content), el('div', { class: 'buttons' }, ok));
        document.body.append(this.box);
        this.box.showModal();
        if (isFeedback(this.dialog)) ok.focus();
        return this;
    }
}

// Names a screen reader gives the controls that have none yet.
const name = (cell, text) => {
    for (const c of cell.matches('input, select') ? [cell] : cell.querySelectorAll('input, select')) {
        if (!c.hasAttribute('aria-label') && !c.closest('label')) c.setAttribute('aria-label', text);
    }
};
// Rows of controls in columns; a short row leaves its last cells empty.
// Each control is named by its row's caption and, under a row of column
// captions, its column's.
const grid = (...rows) => {
    const columns = Math.max(...rows.map((r) => r.length));
    const g = el('div', { class: 'grid' });
    g.style.gridTemplateColumns = `repeat(${columns}, auto)`;
    const heads = rows[0][0].textContent === '' ? rows[0].map((c) => c.textContent) : null;
    // A caption with a list in it: its words alone.
    const caption = (c) => (c.querySelector('select') ? [...c.querySelectorAll('span')].map((x) => x.textContent).join(' ') : c.textContent);
    for (const r of rows) {
        r.slice(1).forEach((cell, i) => name(cell, [caption(r[0]), heads && heads[i + 1]].filter((t) => t).join(' ')));
        g.append(...r);
        for (let i = r.length; i < columns; i++) g.append(el('span'));
    }
    return g;
};
const label = (text) => el('span', { text });
const named = (control, text) => { name(control, text); return control; };
// A group's title goes before the names of its controls.
const group = (title, ...content) => {
    const box = el('fieldset', {}, el('legend', { text: title }), ...content);
    for (const c of box.querySelectorAll('input[aria-label], select[aria-label]')) c.setAttribute('aria-label', `${title}: ${c.getAttribute('aria-label')}`);
    return box;
};

function selectStimulus() {
    const L = names.labels.selectStimulus;
    const f = new Form(names.commands.selectStimulus, L.title);
    const row = (i) => [label(L.rows[i][0]), f.slider((v) => v.slider[i], i),
                        f.field((v) => v.field[i], Act.typeField, i), label(L.rows[i][1])];
    const left = el('div', {},
        f.list((v) => v.shape, L.shapes, names.texts.stimulusList),
        grid(...[0, 1, 2, 3, 4].map(row)),
        el('div', { class: 'row' }, label(L.sensitivity), named(f.field((v) => v.sensitivity, null, 0, true), L.sensitivity)));
    // The noise's fields, and why a typed value was refused.
    const message = el('p', { class: 'message', 'aria-live': 'polite' });
    f.shows.push((v) => { message.textContent = v.noiseMessage; });
    left.append(group(L.noise, grid(...L.noiseRows.map(([t, unit], i) => [label(t), f.field((v) => v.noise[i], Act.typeNoise, i), label(unit)])), message));
    // A change held for the flicker notice is made once the notice is closed.
    f.shows.push((v) => {
        if (!v.flickerNotice) return;
        showMessage(names.texts.flickerNotice);
        document.getElementById('message').addEventListener('close', () => f.act(Act.acknowledgeNotice), { once: true });
    });
    const right = el('div', {}, grid(row(5)),
        group(L.grating, grid(...L.spins.map(([t, unit], i) => [label(t), f.spin((v) => v.spin[i], i), label(unit)]))),
        el('div', { class: 'row' }, ...f.radios('polarity', (v, p) => (p < 0 ? v.black : v.white), Act.choosePolarity,
            [[L.polarity[0], -1], [L.polarity[1], 1]])));
    f.open(el('div', { class: 'columns' }, left, right));
    f.show(call(f.dialog, Act.open));
}

// Each button of a group stands for its mode, counted from 1.
const modes = (texts) => texts.map((t, i) => [t, i + 1]);

function receptiveField() {
    const L = names.labels.receptiveField;
    const f = new Form(names.commands.selectReceptiveField, L.title);
    const [orientation, unit] = L.orientation[0];
    const [horizontal, vertical] = L.axes;
    const left = el('div', {},
        f.list((v) => v.cellType, L.cellTypes, names.texts.cellTypeList),
        grid([label(L.spins[0][0]), f.spin((v) => v.spin[0], 0), label(L.spins[0][1])],
             [label(orientation), el('span', { class: 'row' }, f.slider((v) => v.slider[0], 0),
                 f.field((v) => v.orientation, Act.typeField, 0)), label(unit)]),
        group(L.position, el('div', { class: 'position' },
            el('div', {}, label(horizontal), named(f.slider((v) => v.slider[1], 1), horizontal)),
            el('div', { class: 'upright' }, named(f.slider((v) => v.slider[2], 2, true), vertical), label(vertical)))));
    const gabor = L.spins.slice(1).map(([t, u], i) => [label(t), f.spin((v) => v.spin[i + 1], i + 1), label(u)]);
    const right = el('div', {},
        group(L.displayTitle, ...f.radios('display', (v, m) => v.display === m, Act.chooseDisplay, modes(L.display))),
        group(L.randomiseTitle, ...f.radios('randomise', (v, m) => v.randomise === m, Act.chooseRandomise,
            modes(L.randomise))),
        group(L.gabor, grid(...gabor)));
    f.open(el('div', { class: 'columns' }, left, right));
    f.show(call(f.dialog, Act.open));
}

function moreOptions() {
    const L = names.labels.moreOptions;
    const f = new Form(names.commands.moreOptions, L.title);
    const spin = (i) => f.spin((v) => v.spin[i], i, null);
    const [[surround], [gamma], [rate, hz], [saturating, percent]] = L.rows;
    f.open(grid(
        [label(surround), spin(0), label('')],
        [label(gamma), spin(1), label('')],
        [el('span', { class: 'row' }, f.list((v) => v.rateCellType, L.rateCellTypes, names.texts.cellTypeList),
            label(rate)), spin(2), label(hz)],
        [f.check(saturating, (v) => v.saturating, Act.checkSaturating), spin(3), label(percent)],
        [f.check(L.hash, (v) => v.hash, Act.checkHash)]));
    f.show(call(f.dialog, Act.open));
}

// The scores after a hand plot: read once, at opening.
export function feedback() {
    const L = names.labels.feedback;
    const f = new Form(names.ids.feedbackWindow, L.title);
    const v = call(f.dialog, Act.open);
    const rows = (...cells) => L.rows.slice(0, cells.length)
        .map((name, i) => [label(name), ...cells[i].map((k) => f.shown(v[k]))]);
    const type = el('input', { type: 'text', readonly: '', size: '30', 'aria-label': names.texts.feedbackType });
    type.value = v.typeText;
    const [orientation, sf, position] = L.groups;
    f.open(el('div', { class: 'row' }, label(L.type), type),
        el('div', { class: 'columns' },
            group(orientation, grid(...rows(['orientationActual'], ['orientationEstimate'], ['orientationDifference']))),
            group(sf, grid(...rows(['sfActual'], ['sfEstimate'], ['sfDifference'])))),
        group(position, grid([label(''), ...L.axes.map(label)],
            ...rows(['xActual', 'yActual'], ['xEstimate', 'yEstimate'], ['xDifference', 'yDifference'], ['distance']))));
}

// The dialog a menu command opens, if it opens one.
export function openDialog(command) {
    const forms = { [names.commands.selectStimulus]: selectStimulus,
                    [names.commands.selectReceptiveField]: receptiveField, [names.commands.moreOptions]: moreOptions };
    if (forms[command]) forms[command]();
}
