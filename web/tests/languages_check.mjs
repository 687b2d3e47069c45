// The page in a language with a decimal comma and in a right-to-left one,
// chosen as a student's browser and menu choose them: a browser that
// prefers Austrian German starts the page in German, whose readouts show
// decimal commas; Arabic chosen from the Language list while a sweep runs
// loses none of its points, re-fills the open panel at once, marks the page
// right to left and mirrors its menu bar, while the field is not mirrored
// (a pointer still has the stimulus under it); and the next visit starts in
// Arabic. The site's catalogs are used where it has them, else the server
// adds small ones of the same format beside the site's list.
//   node languages_check.mjs <build-web>
import { existsSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { runCheck, check, field, frames, sleep } from './browser.mjs';

const [root] = process.argv.slice(2);
const OWN = {
    de: { name: 'Deutsch', direction: 'ltr', decimal: ',', texts: { '&Options': '&Optionen', Start: 'Starten' } },
    ar: { name: 'العربية', direction: 'rtl', decimal: ',', texts: { '&Options': '&خيارات', Start: 'ابدأ' } },
};
const listed = JSON.parse(readFileSync(join(root, 'lang', 'languages.json'), 'utf8'));
const files = {};
for (const [code, c] of Object.entries(OWN)) {
    if (existsSync(join(root, 'lang', `${code}.json`))) continue;
    files[`lang/${code}.json`] = JSON.stringify({ code, ...c });
    listed.push({ code, name: c.name, direction: c.direction });
}
files['lang/languages.json'] = JSON.stringify(listed);
const ours = (code) => files[`lang/${code}.json`] !== undefined;
const current = (page) => page.evaluate(() => window.tessaline.language.current);
const before = () => Object.defineProperty(navigator, 'languages', { get: () => ['de-AT', 'en-US'] });

await runCheck('languages', root, { width: 1280, height: 800, files, before }, async ({ page }) => {
    const de = await current(page);
    check(de.code === 'de' && await page.evaluate(() => document.documentElement.lang) === 'de', `started in ${de.code}`);
    await frames(page, 3);
    // The readouts as the core handed them to the line just drawn.
    const readouts = (await page.evaluate(() => window.tessaline.readouts)).map((r) => r.text).join(' | ');
    check(de.decimal === ',' && /\d,\d/.test(readouts) && !/\d\.\d/.test(readouts), `German readouts: ${readouts}`);

    // A sweep of twelve points, Arabic chosen from the menu while it runs.
    await page.click('#measure-button');
    await page.click('#tuning-item');
    for (const [id, value] of [['step', '30'], ['repeats', '1'], ['seconds', '0,2']]) await page.$eval(`#tuning-${id}`, (e, v) => { e.value = v; }, value);
    await page.click('#tuning-start');
    await page.waitForFunction(() => window.tessaline.tuning.poll().done >= 2, { timeout: 20000 });
    await page.click('#options-button');
    await page.click('#language-item');
    await page.click('[data-language="ar"]');
    await page.waitForFunction(() => window.tessaline.language.current.code === 'ar', { timeout: 5000 });
    const ar = await current(page);
    const during = await page.evaluate(() => window.tessaline.tuning.poll());
    check(during.running && during.done < during.total, `the sweep was not running at the change: ${during.done} of ${during.total}`);
    if (ours('ar')) check(await page.$eval('#tuning-start', (e) => e.textContent) === 'ابدأ', 'the open panel was not filled again');
    check(await page.$eval('#tuning-seconds', (e) => e.value) === `0${ar.decimal}2`, 'the form does not show the decimal mark');
    await page.waitForFunction(() => !window.tessaline.tuning.poll().running, { timeout: 30000 });
    const after = await page.evaluate(() => window.tessaline.tuning.poll());
    check(after.done === after.total && after.curve.length === 12, `the sweep ended with ${after.done} of ${after.total} steps, ${after.curve.length} points`);

    const seen = await page.evaluate(() => {
        const menus = [...document.querySelectorAll('#menubar > .menu')].map((m) => m.getBoundingClientRect());
        return { dir: document.documentElement.dir, lang: document.documentElement.lang, first: menus[0].left, last: menus.at(-1).left,
                 canvas: getComputedStyle(document.getElementById('canvas')).direction, options: document.getElementById('options-button').textContent };
    });
    check(ar.direction === 'rtl' && seen.dir === 'rtl' && seen.lang === 'ar', `html dir ${seen.dir}, lang ${seen.lang}`);
    check(seen.first > seen.last, `the menu bar is not mirrored: first at ${seen.first}, last at ${seen.last}`);
    check(seen.canvas === 'ltr', `the field's direction is ${seen.canvas}`);
    if (ours('ar')) check(seen.options === 'خيارات', `the Options menu reads "${seen.options}"`);
    const c = await (await page.$('#canvas')).boundingBox();
    await page.mouse.move(c.x + 200, c.y + 300);
    await sleep(100);
    const at = [await field(page, 'stimulus.stimX') * 38, await field(page, 'stimulus.stimY') * 38];
    check(Math.abs(at[0] - 200) < 1 && Math.abs(at[1] - 300) < 1, `the stimulus at ${at} for a pointer at 200,300`);

    // The choice is kept over the browser's preference.
    await page.reload();
    await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 2, { timeout: 20000 });
    check((await current(page)).code === 'ar', `the next visit started in ${(await current(page)).code}`);
    return `${readouts}; sweep ${after.done} of ${after.total}`;
});
