// Every text the page shows is one the core handed over (tess_names): the
// markup and the page's scripts hold none of their own. With the menu, the
// help, the three dialogs, the feedback window and the message box open,
// each visible text and each aria-label, title, placeholder and alt must be
// a line of a text from the core (the mnemonic's '&' left out), such
// texts joined into a control's name, or a number. The Measure menu's recorder and tuning panel are checked apart.
//   node texts_check.mjs <build-web>
import { openPage, check, frames } from './browser.mjs';

const [root] = process.argv.slice(2);
const session = await openPage(root);
const { page, errors } = session;

// What the page shows now and is not the core's.
const foreign = () => page.evaluate(() => {
    const core = new Set();
    const add = (v) => {
        if (typeof v === 'string') for (const line of v.replace(/&/g, '').split('\n')) core.add(line.replace(/\s+/g, ' ').trim());
        else if (v && typeof v === 'object') Object.values(v).forEach(add);
    };
    const M = window.tessaline.module;
    add(JSON.parse(M.UTF8ToString(M._tess_names())));
    const others = '#measure-button, #measure-menu, #record-panel, #tuning-panel, #readout, script, style, noscript, title';
    // A control's name may join its group's, row's and column's texts.
    const ours = (piece) => core.has(piece) || [...piece.matchAll(/ /g)].some((m) =>
        core.has(piece.slice(0, m.index)) && core.has(piece.slice(m.index + 1)));
    const own = (t) => {
        for (const line of t.split('\n')) {
            const l = line.replace(/\s+/g, ' ').trim();
            if (l !== '' && !/^[-+0-9.,]*$/.test(l) && !core.has(l) && !l.split(': ').every(ours)) return l;
        }
        return null;
    };
    const found = [];
    for (const e of document.querySelectorAll('body *')) {
        if (e.closest(others)) continue;
        // A text broken by a mnemonic's <u> is read whole from its parent.
        if (e.tagName !== 'U' && [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim())) {
            const t = own(e.textContent);
            if (t) found.push(t);
        }
        for (const a of ['aria-label', 'title', 'placeholder', 'alt']) {
            const t = e.hasAttribute(a) && own(e.getAttribute(a));
            if (t) found.push(`${a}=${t}`);
        }
        if (e.tagName === 'TEXTAREA') {
            const t = own(e.value);
            if (t) found.push(t);
        }
    }
    return found;
});

try {
    const seen = new Set(await foreign());
    await page.click('#options-button');
    for (const t of await foreign()) seen.add(t);
    await page.keyboard.press('Escape');
    // Help, then each dialog the menu opens, then the hand plot's feedback.
    const open = async (command) => {
        await page.evaluate((c) => window.tessaline.run(c), command);
        await frames(page, 2);
        for (const t of await foreign()) seen.add(t);
        await page.evaluate(() => document.querySelectorAll('dialog[open]').forEach((d) => d.close()));
    };
    const commands = await page.evaluate(() => JSON.parse(window.tessaline.module.UTF8ToString(window.tessaline.module._tess_names())).commands);
    for (const c of ['help', 'selectStimulus', 'selectReceptiveField', 'moreOptions']) await open(commands[c]);
    await page.click('#toolbar button:nth-of-type(10)');  // the complex cell: Enter brings its feedback
    await page.focus('#canvas');
    await page.keyboard.press('Enter');
    await frames(page, 2);
    for (const t of await foreign()) seen.add(t);
    await page.evaluate(() => document.querySelectorAll('dialog[open]').forEach((d) => d.close()));
    check(seen.size === 0, `texts of the page's own: ${JSON.stringify([...seen])}`);
    check(errors.length === 0, `console errors: ${errors.join('; ')}`);
    console.log('texts: passed');
} catch (failure) {
    console.error(`texts: ${failure.message}`);
    process.exitCode = 1;
} finally {
    await session.close();
}
