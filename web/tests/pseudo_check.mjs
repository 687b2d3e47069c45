// The page in the pseudo-language (?lang=qps), where every text the catalog
// carries is wrapped in [ ] and a third longer: in every state a student
// meets, on a phone and a laptop, each visible text, label, title,
// aria-label and placeholder must be pseudo text (or a number, a mark, an
// address, or a word the catalogs keep as it is: the program's name, a
// format's, a unit's or an axis's symbol), and no button, label, menu item, heading or list may cut its
// text. Every offender is listed with the state it was found in.
//   node pseudo_check.mjs <build-web>
import { runCheck, check, everyState } from './browser.mjs';

const [root] = process.argv.slice(2);

// What the page shows now that is not pseudo text, or is cut.
const offenders = (page) => page.evaluate(() => {
    const found = [];
    // Pseudo texts and addresses out, only marks, digits and kept words may be left.
    const kept = new Set(['Tessaline', 'NWB', 'Hz', 'ms', 's', 'X', 'Y']);
    const foreign = (t) => (t.replace(/\[[^\]]*\]/g, '').replace(/https?:\S+/g, '').match(/\p{L}+/gu) || []).some((w) => !kept.has(w));
    const shown = (e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden';
    // The languages' own names are meant to stay as they are.
    const skip = 'script, style, noscript, title, [data-language], #readout';
    for (const e of document.querySelectorAll('body *')) {
        if (e.closest(skip) || !shown(e)) continue;
        const name = `${e.tagName.toLowerCase()}${e.id ? `#${e.id}` : ''}`;
        const texts = [e.tagName !== 'U' && [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()) && e.textContent,
            e.tagName === 'TEXTAREA' && e.value, ...[...(e.tagName === 'SELECT' ? e.options : [])].map((o) => o.textContent),
            ...['aria-label', 'title', 'placeholder', 'alt'].map((a) => e.getAttribute(a))];
        for (const t of texts) if (t && foreign(t)) found.push(`${name}: ${JSON.stringify(t.slice(0, 80))}`);
        if (e.matches('button, label, [role^="menuitem"], h2, select') && e.scrollWidth > e.clientWidth + 1)
            found.push(`${name} cut: ${JSON.stringify(e.textContent.trim().slice(0, 40))} needs ${e.scrollWidth} px, has ${e.clientWidth}`);
    }
    return found;
});

for (const [width, height, scale] of [[390, 844, 3], [1280, 800, 1]]) {
    const phone = width < 900;
    await runCheck(`pseudo ${width}x${height}`, root, { width, height, scale, touch: phone, query: '?lang=qps' }, async ({ page }) => {
        check(await page.evaluate(() => window.tessaline.language.current.code) === 'qps', 'the pseudo-language is not in force');
        const seen = new Set();
        const look = async (what) => { for (const o of await offenders(page)) seen.add(`${what}: ${o}`); };
        await everyState(page, phone, look, { title: '[Ṁåþ]', instructions: '[Þŕéšš + öṽéŕ ļîĝĥţ.]' });
        await page.click('#options-button');
        await page.click('#language-item');
        await look('language list');
        check(seen.size === 0, `${seen.size} texts not in the pseudo-language, or cut:\n${[...seen].join('\n')}`);
    });
}
