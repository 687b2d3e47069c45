// The page in a language with a decimal comma and in a right-to-left one:
// with German the information line's readouts and the forms show decimal commas; with
// Arabic the page is marked right to left and its menu bar mirrored, while
// the field is not (a press still puts the stimulus under the pointer); a
// change of language while a sweep runs loses none of its points and
// re-fills the open panel at once. The site's catalogs are used where it
// has them, else a small one made here goes through the same door.
//   node languages_check.mjs <build-web>
import { existsSync } from 'node:fs';
import { join } from 'node:path';
import { runCheck, check, field, frames, sleep } from './browser.mjs';

const [root] = process.argv.slice(2);
const OWN = {
    de: { name: 'Deutsch', direction: 'ltr', texts: { '&Options': '&Optionen', Start: 'Starten' } },
    ar: { name: 'العربية', direction: 'rtl', texts: { '&Options': '&خيارات', Start: 'ابدأ' } },
};
// A language in force as the menu puts it: the site's catalog, or ours.
const use = (page, code) => page.evaluate((c, text) => window.tessaline.language.choose(c, text), code,
    existsSync(join(root, 'lang', `${code}.json`)) ? null : JSON.stringify({ code, decimal: ',', ...OWN[code] }));
const shown = (page, id) => page.$eval(id, (e) => e.textContent);

await runCheck('languages', root, { width: 1280, height: 800 }, async ({ page }) => {
    // A sweep of twelve points, a language chosen while it runs.
    await page.click('#measure-button');
    await page.click('#tuning-item');
    for (const [id, value] of [['step', '30'], ['repeats', '1'], ['seconds', '0.2']]) await page.$eval(`#tuning-${id}`, (e, v) => { e.value = v; }, value);
    await page.click('#tuning-start');
    await page.waitForFunction(() => window.tessaline.tuning.poll().done >= 2, { timeout: 20000 });
    const de = await use(page, 'de');
    const during = await page.evaluate(() => window.tessaline.tuning.poll());
    check(during.running && during.done < during.total, `the sweep was not running at the change: ${during.done} of ${during.total}`);
    if (!existsSync(join(root, 'lang', 'de.json'))) {
        check(await shown(page, '#tuning-start') === 'Starten', `the open panel kept "${await shown(page, '#tuning-start')}"`);
    }
    check(await page.$eval('#tuning-seconds', (e) => e.value) === '0,2', 'the form does not show the decimal comma');
    await page.waitForFunction(() => !window.tessaline.tuning.poll().running, { timeout: 30000 });
    const after = await page.evaluate(() => window.tessaline.tuning.poll());
    check(after.done === after.total && after.curve.length === 12, `the sweep ended with ${after.done} of ${after.total} steps, ${after.curve.length} points`);
    // The readouts as the core handed them to the line just drawn.
    await frames(page, 3);
    const readouts = (await page.evaluate(() => window.tessaline.readouts)).map((r) => r.text).join(' | ');
    check(de.decimal === ',' && /\d,\d/.test(readouts) && !/\d\.\d/.test(readouts), `German readouts: ${readouts}`);

    const ar = await use(page, 'ar');
    check(ar.direction === 'rtl', `Arabic in force as ${JSON.stringify(ar)}`);
    const page_ = await page.evaluate(() => {
        const menus = [...document.querySelectorAll('#menubar > .menu')].map((m) => m.getBoundingClientRect());
        return { dir: document.documentElement.dir, lang: document.documentElement.lang, first: menus[0].left, last: menus.at(-1).left,
                 canvas: getComputedStyle(document.getElementById('canvas')).direction, options: document.getElementById('options-button').textContent };
    });
    check(page_.dir === 'rtl' && page_.lang === 'ar', `html dir ${page_.dir}, lang ${page_.lang}`);
    check(page_.first > page_.last, `the menu bar is not mirrored: first at ${page_.first}, last at ${page_.last}`);
    check(page_.canvas === 'ltr', `the field's direction is ${page_.canvas}`);
    if (!existsSync(join(root, 'lang', 'ar.json'))) check(page_.options === 'خيارات', `the Options menu reads "${page_.options}"`);
    const c = await (await page.$('#canvas')).boundingBox();
    await page.mouse.move(c.x + 200, c.y + 300);
    await sleep(100);
    const at = [await field(page, 'stimulus.stimX') * 38, await field(page, 'stimulus.stimY') * 38];
    check(Math.abs(at[0] - 200) < 1 && Math.abs(at[1] - 300) < 1, `the stimulus at ${at} for a pointer at 200,300`);
    return `${readouts}; sweep ${after.done} of ${after.total}`;
});
