// Figures of the web edition in headless Chromium (not a ctest: timings
// belong to measurements, not to checks).
//   node bench/measure_web.mjs <build-web/site> [seconds]
import { gzipSync } from 'node:zlib';
import { openPage, sleep } from '../web/tests/browser.mjs';

const [root, secondsArg] = process.argv.slice(2);
const seconds = Number(secondsArg || 60);
const session = await openPage(root, { width: 1000, height: 736 });
const { page } = session;

// Everything the page loaded, gzipped, by reloading with a listener.
const bodies = [];
page.on('response', async (r) => { try { bodies.push([r.url(), await r.buffer()]); } catch { /* redirects */ } });
await page.reload();
await page.waitForFunction(() => window.tessaline && window.tessaline.stats.firstFrameMs > 0);
await sleep(500);
const gz = bodies.reduce((n, [, b]) => n + gzipSync(b, { level: 9 }).length, 0);
const raw = bodies.reduce((n, [, b]) => n + b.length, 0);
const firstFrame = await page.evaluate(() => window.tessaline.stats.firstFrameMs);
console.log(`page: ${bodies.length} files, ${(raw / 1024).toFixed(1)} KiB, ${(gz / 1024).toFixed(1)} KiB gzipped`);
console.log(`first frame ${firstFrame.toFixed(0)} ms after navigation`);

const cmd = (c) => page.evaluate((k) => window.tessaline.run(k), c);
const centre = await page.evaluate(() => {
    const M = window.tessaline.module;
    const g = (n) => M.ccall('tess_get', 'number', ['string'], [n]);
    return [g('receptiveField.centreX') * 38, g('receptiveField.centreY') * 38];
});

// A grating dragged over a complex cell.
await cmd(30028);
await cmd(30022);
await page.mouse.click(20, 600);  // starts the sound
await page.waitForFunction(() => window.tessaline.sound.state === 'playing');
await sleep(500);
await page.evaluate(() => { const s = window.tessaline.stats; s.tickTimes = []; s.lateTicks = 0; s.worstLateMs = 0; s.ticks = 0; });
await page.mouse.move(centre[0] - 150, 36 + centre[1]);
await page.mouse.down();
const end = Date.now() + seconds * 1000;
for (let k = 0; Date.now() < end; k++) {
    const phase = (k % 200) / 200 * 2 * Math.PI;
    await page.mouse.move(centre[0] + 150 * Math.sin(phase), 36 + centre[1] + 60 * Math.cos(phase));
    await sleep(10);
}
await page.mouse.up();
const drag = await page.evaluate(() => {
    const s = window.tessaline.stats;
    const t = s.tickTimes.slice().sort((a, b) => a - b);
    return { ticks: s.ticks, late: s.lateTicks, mean: t.reduce((a, b) => a + b, 0) / t.length,
             p99: t[Math.floor(0.99 * (t.length - 1))], max: t[t.length - 1], worst: s.worstLateMs };
});
console.log(`dragged grating over a complex cell, 1000 x 700, ${seconds} s: ${drag.ticks} ticks, ${drag.late} late (latest start ${drag.worst.toFixed(1)} ms after its deadline); ` +
    `scene + neuron tick mean ${drag.mean.toFixed(2)} ms, 99th percentile ${drag.p99.toFixed(2)} ms, max ${drag.max.toFixed(2)} ms`);

// An ON-centre cell at rest: clicks heard against the expected rate.
await cmd(30024);
await sleep(1000);  // the 400 ms filters settle to rest
const rest = await page.evaluate(() => {
    const t = window.tessaline;
    t.sound.startTap();
    return { spikes: t.stats.spikes, rate: t.module.ccall('tess_get', 'number', ['string'], ['modelOptions.currentSpontaneousRate']) };
});
await sleep(seconds * 1000);
const heard = await page.evaluate(() => {
    const level = 20000 / 32768;
    let clicks = 0, samples = 0;
    let prev = 0;
    for (const chunk of window.tessaline.sound.tap) {
        for (const v of chunk) {
            if (Math.abs(v - level) < 1e-3 && Math.abs(prev - level) >= 1e-3) clicks++;
            prev = v;
        }
        samples += chunk.length;
    }
    return { clicks, samples, spikes: window.tessaline.stats.spikes };
});
const playedSeconds = heard.samples / 44100;
const heardRate = heard.clicks / playedSeconds;
console.log(`ON-centre cell at rest: ${heard.clicks} clicks in ${playedSeconds.toFixed(1)} s of sound = ` +
    `${heardRate.toFixed(2)} Hz, expected ${rest.rate} Hz (${((heardRate / rest.rate - 1) * 100).toFixed(1)} %); ` +
    `${heard.spikes - rest.spikes} spikes generated meanwhile`);
console.log(session.errors.length ? `console errors: ${session.errors.join('; ')}` : 'no console errors');
await session.close();
