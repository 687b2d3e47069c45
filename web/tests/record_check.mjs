// The recording on the page, as a student makes one: Record from the
// Measure menu, a spot pressed over an ON-centre cell a few times, then the
// raster has a row per press, the PSTH shows the onset burst, and the CSV
// tables hold every spike and trial.
//   node record_check.mjs <build-web> [screenshot.png]
import { openPage, check, sleep } from './browser.mjs';

const [root, shot] = process.argv.slice(2);
const session = await openPage(root, { width: 1300, height: 760 });
const { page, errors } = session;
try {
    await page.click('#toolbar button[data-command="30024"]');  // ON-centre cell
    await page.click('#toolbar button[data-command="30019"]');  // spot
    const [cx, cy] = await page.evaluate(() => {
        const get = (n) => window.tessaline.module.ccall('tess_get', 'number', ['string'], [n]);
        return [Math.round(get('receptiveField.centreX') * 38), Math.round(get('receptiveField.centreY') * 38)];
    });
    await page.click('#measure-button');
    await page.click('#record-toggle');
    check(await page.$eval('#record-box', (b) => b.checked), 'the Record toggle did not start a recording');
    await page.mouse.move(cx, 36 + cy);
    const presses = 8;
    for (let i = 0; i < presses; i++) {
        await sleep(700);
        await page.mouse.down();
        await sleep(500);
        await page.mouse.up();
    }
    await sleep(800);
    // The raster and the tables read at once, between two drains.
    const [d, spikes, trials] = await page.evaluate(() => {
        const M = window.tessaline.module;
        const table = (t) => M.UTF8ToString(M._tess_record_csv(t)).trim().split('\n');
        return [window.tessaline.recording.data(), table(0), table(1)];
    });
    check(d.rows.length === presses, `${d.rows.length} raster rows for ${presses} presses`);
    // Each row lasts as long as the button was held (half a second, give or
    // take what a loaded machine makes of the timers).
    check(d.rows.every((r) => r[0] > 0.3 && r[0] < 1.5), `trial lengths ${d.rows.map((r) => r[0]).join(' ')}`);
    const rate = (a, b) => {
        let n = 0;
        for (const r of d.rows) n += r.slice(1).filter((t) => t >= a && t < b).length;
        return n / presses / (b - a);
    };
    const before = rate(-0.5, 0), burst = rate(0.05, 0.25);
    check(burst > 2 * before && burst > 40, `onset ${burst.toFixed(1)} spikes/s, before ${before.toFixed(1)}`);
    check(spikes[0] === 'time_s,trial' && spikes.length - 1 === d.spikes, `${spikes.length - 1} spike rows, ${d.spikes} spikes`);
    check(trials.length - 1 === presses && trials[0].startsWith('trial,start_s,stop_s,stimulus'), `${trials.length - 1} trial rows`);
    if (shot) await page.screenshot({ path: shot });
    check(errors.length === 0, `console errors: ${errors.join('; ')}`);
    console.log(`record: passed (${presses} rows, onset ${burst.toFixed(1)} spikes/s over ${before.toFixed(1)})`);
} catch (failure) {
    console.error(`record: ${failure.message}`);
    process.exitCode = 1;
} finally {
    await session.close();
}
