// The ids, numbers and texts the page shares with the core, read from the
// binding (tess_names) before anything uses them, and again after a change
// of language (refillTexts): the menu's command
// ids and items, the cursor and feedback ids, the tick, the stream's rate,
// the click's level, the wheel's step, the keys and their codes, the
// display modes, the lesson size, the dialog actions' numbers, and every
// text the page shows. The page writes none of them itself.
export const names = { commands: {}, ids: {}, constants: {}, displayModes: {}, stimulusTypes: {}, dialogActions: {}, labels: {},
                       texts: {}, tooltips: {}, menus: {}, keys: [], zoomSteps: [] };

let module = null;
export function readNames(M) {
    module = M;
    const read = JSON.parse(M.UTF8ToString(M._tess_names()));
    // Filled in place: a module may keep a reference to a part from its start.
    for (const part of Object.keys(names)) Object.assign(names[part], read[part]);
}

// One road for every module's texts: a module that shows texts registers
// how it fills them, and a new language reads the names again and runs
// each fill in turn (the open panels, the menus, the toolbar, the keys).
const fills = [];
export function onTexts(fill) { fills.push(fill); }
export function refillTexts() {
    readNames(module);
    for (const fill of fills) fill();
}

// A menu item's text with its mnemonic letter underlined: the core marks
// it with '&'.
export function menuText(element, text) {
    const at = text.indexOf('&');
    element.textContent = at < 0 ? text : text.slice(0, at);
    if (at < 0) return;
    const u = document.createElement('u');
    u.textContent = text[at + 1];
    element.append(u, text.slice(at + 2));
}

// The texts of the page's own parts, and its on-screen keys (made at the
// first filling).
export function writePageTexts() {
    const T = names.texts;
    const text = (id, t) => { document.getElementById(id).textContent = t; };
    const label = (id, t) => document.getElementById(id).setAttribute('aria-label', t);
    menuText(document.getElementById('options-button'), T.options);
    label('toolbar', T.toolbar);
    text('sound-note', T.soundPrompt);
    label('fullscreen', T.fullScreen);
    document.getElementById('fullscreen').title = T.fullScreen;
    label('canvas', T.field);
    label('touch-keys', T.keys);
    text('ended', T.ended);
    text('instructions-title', T.instructions);
    text('instructions-hide', T.hideInstructions);
    text('help-caption', T.helpCaption);
    text('help-close', T.close);
    text('message-caption', T.programCaption);
    text('message-ok', T.ok);
    const keys = document.getElementById('touch-keys');
    for (const k of names.keys) {
        let key = keys.querySelector(`[data-key="${CSS.escape(k.key)}"]`);
        if (!key) {
            key = Object.assign(document.createElement('button'), { type: 'button' });
            key.dataset.key = k.key;
            keys.append(key);
        }
        key.setAttribute('aria-label', k.name);
        key.textContent = k.label;
    }
}
onTexts(writePageTexts);
