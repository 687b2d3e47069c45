// The tuning recorder on the page: Measure → Tuning curve, an orientation
// sweep of a drifting grating over the simple cell in 90-degree steps, then
// four points, a summary with the OSI, and the numbers as CSV; values typed
// past the form's ranges are held to them, as on the desktop. Then each
// kind added to the core's table, chosen by its name in the form: the
// contrast curve's fit in the summary and in every CSV row.
//   node tuning_check.mjs <build-web>
import { runCheck, check, fieldCentre, openDialog, sleep } from './browser.mjs';

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
    for (const [name, first, last, summary] of [['Contrast', 1, 100, /Naka-Rushton fit: C50/],
        ['Temporal frequency', 0.5, 16, /^Preferred temporal/]]) {
        await page.$eval('#tuning-parameter', (s, n) => {
            s.selectedIndex = [...s.options].findIndex((o) => o.textContent === n);
            s.dispatchEvent(new Event('change'));
        }, name);
        for (const [id, value] of [['points', '4'], ['repeats', '1'], ['seconds', '0.2']]) await set(`tuning-${id}`, value);
        await page.click('#tuning-start');
        await page.waitForFunction(() => !window.tessaline.tuning.poll().running, { timeout: 30000 });
        const [r, csv] = await page.evaluate(() => [window.tessaline.tuning.poll(),
            window.tessaline.module.UTF8ToString(window.tessaline.module._tess_tuning_csv()).split('\n')[1].split(',')]);
        check(r.done === 4 && r.curve[0][0] === first && r.curve[3][0] === last && summary.test(r.summary),
            `${name}: ${r.curve.map((c) => c[0])}, ${r.summary}`);
        check(csv.length === 11 && (csv[8] !== '') === (name === 'Contrast'), `${name} CSV row: ${csv}`);
    }
    return d.summary;
});

// The map panel: white noise held over the simple cell's field for 20 s, the map drained once a second with
// the true field beside it; Reset empties it; Fast-forward adds half an hour to the map and to the recording.
await runCheck('map', root, { width: 1300, height: 760 }, async ({ page }) => {
    await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 2, { timeout: 20000 });
    const form = await openDialog(page, 30016);  // Select stimulus
    await page.select(`${form} select`, 'White noise');
    await page.click(`${form} .buttons button`);
    await page.click('#measure-button');
    await page.click('#map-item');
    const [cx, cy] = await fieldCentre(page);
    await page.mouse.move(cx, 36 + cy);
    await page.mouse.down();  // shown while pressed
    await sleep(20000);
    const d = await page.evaluate(() => window.tessaline.map.last());
    await page.mouse.up();
    const line = d.picture.shapes.map((s) => s[9]).find((t) => t && t.includes('spikes'));
    const r = Number(/correlation with the true field (-?[0-9.]+)/.exec(line)?.[1]);
    check(d.spikes > 0 && Math.abs(r) > 0.4, `map: ${line}`);
    check(d.picture.shapes.filter((s) => s[0] === 0).length >= 2 * 64, 'the average and the true field are not drawn');
    await page.click('#map-reset');
    check((await page.evaluate(() => window.tessaline.map.last())).spikes === 0, 'Reset kept the map');
    // Fast-forward during a recording: half an hour of the same noise in slices between the page's ticks, into the
    // map and into the recording, whose clock moves on by it.
    await page.evaluate(() => window.tessaline.module._tess_record(1));
    const started = Date.now();
    await page.click('#map-fast');
    await page.waitForFunction(() => document.querySelector('#map-progress').hidden, { timeout: 60000 });
    const rec = await page.evaluate(() => {
        const M = window.tessaline.module;
        M._tess_record(0);
        return JSON.parse(M.UTF8ToString(M._tess_record_raster(NaN, 560, 440)));
    });
    const m = await page.evaluate(() => window.tessaline.map.last());
    const fast = m.picture.shapes.map((s) => s[9]).find((t) => t && t.includes('spikes'));
    const rf = Number(/correlation with the true field (-?[0-9.]+)/.exec(fast)?.[1]);
    const seconds = Number(/in ([0-9.]+) s of noise/.exec(fast)?.[1]);  // the live ticks since Reset and half an hour
    check(seconds >= 1800 && seconds < 1830 && rf > 0.9, `fast-forward: ${fast}`);
    const recorded = Number(/^([0-9.]+) s recorded/.exec(rec.counts)?.[1]);
    check(recorded >= 1800 && recorded < 1830 && m.spikes > 1000 && Math.abs(rec.spikes - m.spikes) < 0.02 * m.spikes,
        `the recording took ${rec.counts}; the map ${m.spikes} spikes`);
    return `${line}; fast-forward of 30 min in ${((Date.now() - started) / 1000).toFixed(1)} s: ${fast}; recording ${rec.counts}`;
});
