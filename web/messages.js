// The page's message box and help window, the desktop's message boxes and
// help window as HTML dialogs.
import { names, onTexts } from './names.js';
import { startTexts } from './start_texts.js';

// Before the core has started (a failed start) its texts come from the build.
export function showMessage(text, caption = names.texts.programCaption) {
    const box = document.getElementById('message');
    document.getElementById('message-ok').textContent = names.texts.ok || startTexts.ok;
    document.getElementById('message-caption').textContent = caption;
    document.getElementById('message-text').textContent = text;
    if (!box.open) box.showModal();
}

// The help stays open beside the field (or below it on a narrow screen),
// so the student can try what it says while the field keeps the keyboard;
// Escape in it closes it.
export function showHelp() {
    const box = document.getElementById('help');
    // Loaded afresh at every opening, as on the desktop.
    document.getElementById('help-text').value = names.texts.help + names.texts.pageHelp;
    if (!box.open) box.show();
    document.getElementById('help-text').scrollTop = 0;
}

// The help open through a change of language is read again in the new one.
onTexts(() => { if (document.getElementById('help').open) document.getElementById('help-text').value = names.texts.help + names.texts.pageHelp; });

// Closing either gives the keyboard back to the canvas.
export function attachMessages(canvas) {
    document.getElementById('help-close').addEventListener('click', () => document.getElementById('help').close());
    document.getElementById('message-ok').addEventListener('click', () => document.getElementById('message').close());
    document.getElementById('help').addEventListener('keydown', (e) => {
        if (e.key === 'Escape') document.getElementById('help').close();
    });
    for (const id of ['help', 'message']) {
        document.getElementById(id).addEventListener('close', () => canvas.focus());
    }
}
