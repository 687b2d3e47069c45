// Every text the page shows is one the core handed over (tess_names): with
// the menu, the help, the dialogs and the feedback open, each text, aria-label,
// title, placeholder and alt is a line of the core's (its '&' left out), such
// lines joined into a control's name, or a number. The built index.html has
// no text but its title and no-script line, and no page script quotes a text
// of the core's. The Measure menu, recorder, tuning and map panels are checked apart.
//   node texts_check.mjs <build-web>
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { runCheck, check, eachWindow } from './browser.mjs';

const [root] = process.argv.slice(2);

// What the page shows now and is not the core's.
const foreign = (page) => page.evaluate(() => {
    const core = new Set();
    const add = (v) => {
        if (typeof v === 'string') for (const line of v.replace(/&/g, '').split('\n')) core.add(line.replace(/\s+/g, ' ').trim());
        else if (v && typeof v === 'object') Object.values(v).forEach(add);
    };
    const M = window.tessaline.module;
    add(JSON.parse(M.UTF8ToString(M._tess_names())));
    // The languages' own names come from the site's list of languages, not the core.
    const others = '#measure-button, #measure-menu, #record-panel, #tuning-panel, #map-panel, #readout, [data-language], script, style, noscript, title';
    // A control's name may join its group's, row's and column's texts.
    const ours = (piece) => core.has(piece) || [...piece.matchAll(/ /g)].some((m) =>
        core.has(piece.slice(0, m.index)) && core.has(piece.slice(m.index + 1)));
    const own = (t) => t.split('\n').map((line) => line.replace(/\s+/g, ' ').trim())
        .find((l) => l !== '' && !/^[-+0-9.,]*$/.test(l) && !core.has(l) && !l.split(': ').every(ours));
    // A text broken by a mnemonic's <u> is read whole from its parent.
    return [...document.querySelectorAll('body *')].filter((e) => !e.closest(others)).flatMap((e) => [
        e.tagName !== 'U' && [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()) && e.textContent,
        e.tagName === 'TEXTAREA' && e.value, ...['aria-label', 'title', 'placeholder', 'alt'].map((a) => e.getAttribute(a)),
    ].filter(Boolean).map(own).filter(Boolean));
});

// The core's visible texts quoted in a page script (the other helpers'
// recorder, tuning panel and NWB writer apart, and the build's copy of the
// start-up failure's texts), and text in the markup.
function inSources(names) {
    const texts = [...Object.values(names.texts), ...Object.values(names.tooltips),
        ...Object.values(names.menus).flat().map((m) => m.text), ...names.keys.flatMap((k) => [k.label, k.name])]
        .filter((t) => t.trim().length > 2);
    const found = [];
    for (const file of readdirSync(root).filter((f) => f.endsWith('.js') && !/^(tessaline|offline|start_texts|recording|tuning|nwb)\.js$/.test(f))) {
        const source = readFileSync(join(root, file), 'utf8');
        for (const t of texts) for (const q of ["'", '"', '`']) if (source.includes(q + t + q)) found.push(`${file}: ${t}`);
    }
    const html = readFileSync(join(root, 'index.html'), 'utf8').replace(/<(title|noscript|script)[^]*?<\/\1>/g, '');
    const words = html.replace(/<[^>]*>/g, '').replace(/&#x[0-9a-f]+;/gi, 'x').trim();
    const named = /(aria-label|title|placeholder|alt)="[^"]+"/.exec(html);
    if (words || named) found.push(`index.html: ${words.replace(/\s+/g, ' ')} ${named ? named[0] : ''}`);
    return found;
}

await runCheck('texts', root, {}, async ({ page }) => {
    const names = await page.evaluate(() => JSON.parse(window.tessaline.module.UTF8ToString(window.tessaline.module._tess_names())));
    const quoted = inSources(names);
    check(quoted.length === 0, `texts in the page's sources: ${JSON.stringify(quoted)}`);
    const seen = new Set(await foreign(page));
    await eachWindow(page, async () => { for (const t of await foreign(page)) seen.add(t); });
    check(seen.size === 0, `texts of the page's own: ${JSON.stringify([...seen])}`);
});
