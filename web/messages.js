// The page's message box and help window, the desktop's message boxes and
// help window as HTML dialogs.
import { names } from './names.js';

const WEB_HELP = `

In the web edition
Keys, with the visual field focused (Tab to it): Shift with an arrow key moves the pointer; Space shows or hides the stimulus at the pointer; the arrow keys, '+', '-' and Enter do as above.
On a touch screen: drag with one finger to move the stimulus, pinch to resize it, twist two fingers to turn it. The keys at the bottom right give '+', '-', Enter and the arrow keys.
The full-screen button fills the screen with the field; Escape leaves it.`;

export function showMessage(text, caption = 'Tessaline') {
    const box = document.getElementById('message');
    document.getElementById('message-caption').textContent = caption;
    document.getElementById('message-text').textContent = text;
    if (!box.open) box.showModal();
}

export function showHelp(M) {
    const box = document.getElementById('help');
    // Loaded afresh at every opening, as on the desktop.
    document.getElementById('help-text').value = M.UTF8ToString(M._tess_program_string(names.ids.helpText)) + WEB_HELP;
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
