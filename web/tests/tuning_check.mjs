// The tuning recorder on the page: Measure → Tuning curve, an orientation
// sweep of a drifting grating over the simple cell in 90-degree steps, then
// four points, a summary with the OSI, and the numbers as CSV; values typed
// past the form's ranges are held to them, as on the desktop.
//   node tuning_check.mjs <build-web>
import { runCheck, check } from './browser.mjs';

const [root] = process.argv.slice(2);
await runCheck('tuning', root, { width: 1300, height: 760 }, async ({ page }) => {
    await page.click('#toolbar button[data-command="30022"]');  // grating
    await page.click('#measure-button');
    await page.click('#tuning-item');
    const set = async (id, value) => page.$eval(`#${id}`, (e, v) => { e.value = v; }, value);
    for (const [id, value] of [['step', '90'], ['repeats', '1'], ['seconds', '0.4']]) await set(`tuning-${id}`, value);
    await page.click('#tuning-start');
    await page.waitForFunction(() => document.querySelector('#tuning-stop').disabled === false, { timeout: 5000 });
    await page.waitForFunction(() => document.querySelector('#tuning-stop').disabled === true, { timeout: 30000 });
    const d = await page.evaluate(() => window.tessaline.tuning.poll());
    check(d.curve.length === 4 && d.done === 4, `${d.curve.length} points of ${d.done}`);
    check(d.curve.map((c) => c[0]).join(' ') === '0 90 180 270', `values ${d.curve.map((c) => c[0])}`);
    check(/^Preferred orientation .* OSI [0-9.]+/.test(d.summary), `summary: ${d.summary}`);
    check(await page.$eval('#tuning-summary', (p) => p.textContent) === d.summary, 'the summary is not shown');
    const rows = await page.evaluate(() => window.tessaline.module.UTF8ToString(window.tessaline.module._tess_tuning_csv()).trim().split('\n'));
    check(rows.length === 5, `${rows.length - 1} CSV rows`);
    await set('tuning-step', '200');
    await set('tuning-repeats', '150');
    await page.click('#tuning-start');
    const held = await page.evaluate(() => window.tessaline.tuning.poll());
    await page.click('#tuning-stop');
    check(held.total === 200 && held.running, `180 deg steps of 100 repeats: ${held.total} presentations`);
    return d.summary;
});
