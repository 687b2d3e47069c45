// The page's message box and help window, the desktop's message boxes and
// help window as HTML dialogs.
import { names } from './names.js';
import { startTexts } from './start_texts.js';

// Before the core has started (a failed start) its texts come from the build.
export function showMessage(text, caption = names.texts.programCaption) {
    const box = document.getElementById('message');
    document.getElementById('message-ok').textContent = names.texts.ok || startTexts.ok;
    document.getElementById('message-caption').textContent = caption;
    document.getElementById('message-text').textContent = text;
    if (!box.open) box.showModal();
}

export function showHelp() {
    const box = document.getElementById('help');
    // Loaded afresh at every opening, as on the desktop.
    document.getElementById('help-text').value = names.texts.help + names.texts.pageHelp;
    box.showModal();
    document.getElementById('help-text').scrollTop = 0;
}

// Closing either gives the keyboard back to the canvas.
export function attachMessages(canvas) {
    document.getElementById('help-close').addEventListener('click', () => document.getElementById('help').close());
    document.getElementById('message-ok').addEventListener('click', () => document.getElementById('message').close());
    for (const id of ['help', 'message']) {
        document.getElementById(id).addEventListener('close', () => canvas.focus());
    }
}
