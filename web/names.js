// The ids, numbers and texts the page shares with the core, read once from
// the binding (tess_names) before anything uses them: the menu's command
// ids and items, the cursor and feedback ids, the tick, the stream's rate,
// the click's level, the wheel's step, the keys and their codes, the
// display modes, the lesson size, the dialog actions' numbers, and every
// text the page shows. The page writes none of them itself.
export const names = { commands: {}, ids: {}, constants: {}, displayModes: {}, stimulusTypes: {}, dialogActions: {}, labels: {},
                       texts: {}, tooltips: {}, menus: {}, keys: [], zoomSteps: [] };

export function readNames(M) {
    const read = JSON.parse(M.UTF8ToString(M._tess_names()));
    // Filled in place: a module may keep a reference to a part from its start.
    for (const part of Object.keys(names)) Object.assign(names[part], read[part]);
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

// The texts of the page's own parts, and its on-screen keys.
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
    for (const k of names.keys) {
        const key = document.createElement('button');
        key.type = 'button';
        key.dataset.key = k.key;
        key.setAttribute('aria-label', k.name);
        key.textContent = k.label;
        document.getElementById('touch-keys').append(key);
    }
}
