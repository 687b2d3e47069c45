// The page on slow machines: Chromium's CPU throttling stands in for a
// low-end Chromebook or phone. For each screen and slowdown a grating is
// held over a complex cell; the ticks' cost, the page's whole main-thread
// time per tick (the ticks, the frame's upload and everything the browser
// does there for it), the late ticks and the clicks lost are printed (not a
// ctest: timings belong to measurements). The same CSS size at device
// pixel ratio 1 and 3 compares what a dense screen costs.
//   node bench/measure_throttled.mjs <build-web/site> [seconds] [WxH@ratio/slowdown ...]
import { openPage, sleep } from '../web/tests/browser.mjs';

const [root, secondsArg, ...asked] = process.argv.slice(2);
const seconds = Number(secondsArg || 15);
const runs = asked.length ? asked.map((a) => a.split(/[x@/]/).map(Number)) : [
    [390, 844, 1, 1], [390, 844, 3, 1], [1280, 800, 1, 1], [1280, 800, 2, 1], [390, 844, 3, 4], [390, 844, 3, 6], [1280, 800, 2, 4], [1280, 800, 2, 6],
    [1280, 800, 1, 4], [1920, 1080, 1, 4], [1280, 800, 1, 6],
];
for (const [width, height, scale, slow] of runs) {
    const { page, close } = await openPage(root, { width, height, scale });
    const cdp = await page.createCDPSession();
    const cmd = (c) => page.evaluate((k) => window.tessaline.run(k), c);
    const M = (n) => page.evaluate((k) => window.tessaline.module.ccall('tess_get', 'number', ['string'], [k]), n);
    await cmd(30028);   // complex cell
    await cmd(30022);   // grating
    await page.mouse.click(5, height - 5);   // starts the sound
    await page.waitForFunction(() => window.tessaline.sound.state === 'playing', { timeout: 10000 });
    const box = await page.evaluate(() => { const r = document.getElementById('canvas').getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; });
    const zoom = await page.evaluate(() => window.tessaline.zoom || 1);
    const cx = box[0] + Math.min(box[2] - 1, await M('receptiveField.centreX') * 38 * zoom);
    const cy = box[1] + Math.min(box[3] - 1, await M('receptiveField.centreY') * 38 * zoom);
    await page.mouse.move(cx, cy);
    await page.mouse.down();
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: slow });
    await cdp.send('Performance.enable');
    const busy = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
    await sleep(1000);
    const busyBefore = await busy();
    await page.evaluate(() => { const s = window.tessaline.stats; s.tickTimes = []; s.lateTicks = 0; s.worstLateMs = 0; s.ticks = 0; s.lost0 = s.lostClicks; s.skip0 = s.skippedFrames; });
    await sleep(seconds * 1000);
    const mainMs = (await busy() - busyBefore) * 1000;
    const r = await page.evaluate(() => {
        const s = window.tessaline.stats;
        const t = s.tickTimes;
        return { ticks: s.ticks, late: s.lateTicks, mean: t.reduce((a, b) => a + b, 0) / t.length, lost: s.lostClicks - s.lost0, skipped: s.skippedFrames - s.skip0 };
    });
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: 1 });
    await page.mouse.up();
    console.log(`${width} x ${height} @ ${scale}, CPU ${slow} x: mean tick ${r.mean.toFixed(2)} ms, main thread ${(mainMs / r.ticks).toFixed(2)} ms a tick, ${r.late} late of ${r.ticks} ticks in ${seconds} s, ${r.lost} clicks lost, ${r.skipped} frames left out`);
    await close();
}
