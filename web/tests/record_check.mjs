// The recording on the page, as a student makes one: a spot pressed over an
// ON-centre cell a few times gives a raster row per press with the onset
// burst, CSV tables of every spike and trial, and an NWB file the schema's
// validator passes with the same spikes and trials. The desktop's seeded
// sweep, run again on the page, gives the desktop's NWB file value for value
// (h5dump's listing) but for its ids, dates and HDF5's placing of targets.
//   node record_check.mjs <build-web> <desktop-sweep.nwb>
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { runCheck, check, sleep, fieldCentre, frames } from './browser.mjs';

const [root, desktopSweep] = process.argv.slice(2);
const NWB_CHECK = fileURLToPath(new URL('../../tests/nwb_check.py', import.meta.url));
const folder = mkdtempSync(join(tmpdir(), 'tessaline-nwb-'));
const file = (name, data) => { writeFileSync(join(folder, name), data); return join(folder, name); };

// Each download's blob, kept for the check to read.
const keepDownloads = () => {
    const make = URL.createObjectURL;
    URL.createObjectURL = (blob) => { window.savedBlob = blob; return make(blob); };
};

// The NWB download's bytes, and the CSV tables of the same recording.
async function nwbAndCsv(page) {
    await page.evaluate(() => { window.savedBlob = null; });
    await page.click('#record-nwb');
    await page.waitForFunction(() => window.savedBlob || document.getElementById('message').open, { timeout: 60000 });
    const got = await page.evaluate(async () => {
        const M = window.tessaline.module, message = document.getElementById('message');
        if (message.open) return { failed: message.textContent };
        const bytes = new Uint8Array(await window.savedBlob.arrayBuffer());
        let text = '';
        for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        const [spikes, trials] = JSON.parse(M.ccall('tess_record_csv', 'string', ['string'], ['x.csv']));
        return { nwb: btoa(text), spikes: spikes.text, trials: trials.text };
    });
    check(!got.failed, `the NWB export failed: ${got.failed}`);
    return { ...got, nwb: Buffer.from(got.nwb, 'base64') };
}

// h5dump's listing, every number in full, with what each file makes new masked.
const listing = (path) => execFileSync('h5dump', ['-m', '%.17g', path], { encoding: 'utf8', maxBuffer: 1 << 26 })
    .split('\n').slice(1).map((line) => line.replace(/[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}/g, '<id>')
        .replace(/\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d/g, '<date>').replace(/^(\s*DATASET) \d+ "/, '$1 <address> "'));

await runCheck('record', root, { width: 1300, height: 760, before: keepDownloads }, async ({ page }) => {
    await page.click('#toolbar button[data-command="30024"]');  // ON-centre cell
    await page.click('#toolbar button[data-command="30019"]');  // spot
    // The clicks above start the sound. A recording keeps the stream's time,
    // which stands still until the worklet plays: start once it runs.
    await page.waitForFunction(() => ['playing', 'none'].includes(window.tessaline.sound.state), { timeout: 15000 });
    const position = await page.evaluate(() => window.tessaline.sound.playPosition());
    await page.waitForFunction((p) => window.tessaline.sound.playPosition() > p + 22050, { timeout: 15000 }, position);
    await page.click('#measure-button');
    await page.click('#record-toggle');
    // The panel opens beside the field, which moves with the field's new centre.
    await frames(page);
    const [cx, cy] = await fieldCentre(page);
    await page.mouse.move(cx, 36 + cy);
    const presses = 8;
    for (let i = 0; i < presses; i++) {
        await sleep(700).then(() => page.mouse.down());
        await sleep(500).then(() => page.mouse.up());
    }
    await sleep(800);
    // The raster and the tables read at once, between two drains.
    const [d, spikes, trials] = await page.evaluate(() => {
        const M = window.tessaline.module;
        const tables = JSON.parse(M.ccall('tess_record_csv', 'string', ['string'], ['x.csv']));
        return [window.tessaline.recording.data(), ...tables.map((t) => t.text.trim().split('\n'))];
    });
    check(d.rows.length === presses, `${d.rows.length} raster rows for ${presses} presses`);
    // Each row lasts as long as the button was held (half a second, give or
    // take what a loaded machine makes of the timers).
    check(d.rows.every((r) => r[0] > 0.3 && r[0] < 1.5), `trial lengths ${d.rows.map((r) => r[0]).join(' ')}`);
    const rate = (a, b) => d.rows.reduce((n, r) => n + r.slice(1).filter((t) => t >= a && t < b).length, 0) / presses / (b - a);
    const before = rate(-0.5, 0), burst = rate(0.05, 0.25);
    check(burst > 2 * before && burst > 40, `onset ${burst.toFixed(1)} spikes/s, before ${before.toFixed(1)}`);
    check(spikes.length - 1 === d.spikes && trials.length - 1 === presses, `${spikes.length - 1} spike rows for ${d.spikes} spikes, ${trials.length - 1} trial rows`);
    await page.click('#record-box');  // stopped, so that the tables and the file agree
    const files = await nwbAndCsv(page);
    // The validator's findings on the file, and on it against its CSV tables (the desktop's tests check that it refuses broken files).
    const found = spawnSync('/usr/bin/python3', [NWB_CHECK, file('x.nwb', files.nwb), file('x.csv', files.spikes),
        file('x-trials.csv', files.trials)], { encoding: 'utf8' });
    check(found.status === 0, `the NWB file: ${found.stdout}${found.stderr}${found.error || ''}`);
    await page.evaluate(() => window.tessaline.module._tess_offline_sweep(0, 3, 7, 1));  // as Sweep.desktop's --sweep
    const web = listing(file('page.nwb', (await nwbAndCsv(page)).nwb)), desktop = listing(desktopSweep);
    const apart = [...Array(Math.max(web.length, desktop.length)).keys()].filter((i) => web[i] !== desktop[i]).slice(0, 6)
        .map((i) => `line ${i + 2}: page ${web[i]} | desktop ${desktop[i]}`);
    check(apart.length === 0, `the page's NWB file and the desktop's differ:\n${apart.join('\n')}`);
    return `${presses} rows, onset ${burst.toFixed(1)} spikes/s over ${before.toFixed(1)}; NWB ${files.nwb.length} bytes, ${d.spikes} spikes`;
});
rmSync(folder, { recursive: true, force: true });
