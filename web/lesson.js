// Lessons in the page: open a lesson file, save one (and a teacher's copy
// that keeps a hidden field's place), share one as a link whose fragment
// carries it, and show its instructions beside the canvas. Reading and
// writing are the core's, the same as the desktop's; a bad file or link
// gets the core's message and changes nothing.
import { closeOptions } from './menu.js';
import { showMessage } from './messages.js';
import { names, onTexts } from './names.js';
import { saveFile } from './save_file.js';

let M = null;

// A JavaScript string into the module's memory as UTF-8, for one call.
function withText(text, call) {
    const bytes = new TextEncoder().encode(text);
    const at = M._malloc(bytes.length + 1);
    try {
        M.HEAPU8.set(bytes, at);
        return call(at, bytes.length);
    } finally {
        M._free(at);
    }
}

function showInstructions() {
    const panel = document.getElementById('instructions');
    const title = M.UTF8ToString(M._tess_lesson_title());
    const text = M.UTF8ToString(M._tess_lesson_instructions());
    // Plain text only: whatever markup a lesson holds is shown, not obeyed.
    document.getElementById('instructions-title').textContent = title || names.texts.instructions;
    document.getElementById('instructions-text').textContent = text;
    panel.hidden = text === '';
}

// Instructions shown through a change of language: the lesson's text in the
// new one where it has it, the panel's title in any case.
onTexts(() => { if (M && !document.getElementById('instructions').hidden) showInstructions(); });

function finish(opened) {
    if (opened) showInstructions();
    else showMessage(M.UTF8ToString(M._tess_lesson_message()));
    return { opened: opened === 1, message: M.UTF8ToString(M._tess_lesson_message()) };
}

function openText(text) { return finish(withText(text, (at, n) => M._tess_lesson_open(at, n))); }
function openLink(fragment) { return finish(withText(fragment, (at, n) => M._tess_lesson_open_link(at, n))); }
function saveText(withAnswers) { return M.UTF8ToString(M._tess_lesson_save(withAnswers ? 1 : 0)); }
function link() {
    return location.href.split('#')[0] + '#' + M.UTF8ToString(M._tess_lesson_link());
}

function download(withAnswers) {
    const title = M.UTF8ToString(M._tess_lesson_title()).replace(/[^\w -]+/g, '').trim();
    const name = (title || names.texts.lessonFileName) + (withAnswers ? names.texts.answerKeySuffix : '') + '.tessaline';
    saveFile(name, new Blob([saveText(withAnswers)], { type: 'application/json' }));
}

function share() {
    const address = link();
    history.replaceState(null, '', address);
    if (navigator.clipboard) navigator.clipboard.writeText(address).catch(() => {});
    showMessage(`${names.texts.shareLink}\n${address}`);
}

function wireMenu() {
    const picker = document.getElementById('lesson-file');
    picker.addEventListener('change', () => {
        const file = picker.files[0];
        picker.value = '';
        if (!file) return;
        // A file larger than a lesson is refused by the core from its first bytes.
        file.slice(0, names.constants.lessonBytes + 1).text().then(openText);
    });
    // The Options menu's lesson items, by their names in the core's menu table.
    const items = {
        openLesson: () => picker.click(),
        saveLesson: () => download(false),
        saveAnswers: () => download(true),
        shareLesson: share,
    };
    for (const [name, act] of Object.entries(items)) {
        document.querySelector(`#options-menu [data-name="${name}"]`).addEventListener('click', () => {
            closeOptions();
            act();
        });
    }
    document.getElementById('instructions-hide').addEventListener('click', () => {
        document.getElementById('instructions').hidden = true;
        document.getElementById('canvas').focus();
    });
}

// Called once the core has started at the page's size: a link's lesson
// first, so the page starts with it (or, refused, with the defaults).
function start(module) {
    M = module;
    wireMenu();
    if (location.hash.startsWith('#lesson=')) openLink(location.hash);
    // A link followed in a tab that has the page open already changes only
    // the fragment: the page does not load again, so it opens it here.
    window.addEventListener('hashchange', () => {
        if (location.hash.startsWith('#lesson=')) openLink(location.hash);
    });
}

export const TessalineLesson = { start, openLink, saveText, link };
