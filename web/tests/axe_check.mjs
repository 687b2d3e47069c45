// The page against WCAG 2.2 A and AA as axe-core reads it, on every screen
// from a small phone to a projector: at rest with the sound prompt, with each menu, the
// help, each dialog and the feedback window open, a message, the recorder
// with a recording, the tuning panel before and after a sweep, the noise
// map and a lesson's instructions. Every violation is listed with the nodes it found.
//   node axe_check.mjs <build-web>
import { createRequire } from 'node:module';
import { SCREENS, runCheck, check, eachWindow, sleep } from './browser.mjs';

const [root] = process.argv.slice(2);
const lesson = Buffer.from('{"format":"tessaline-lesson","version":1,"title":"Map","instructions":"Press + over light."}').toString('base64url');

async function audit(page, phone) {
    const began = Date.now(), faults = [];
    await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
    const look = async (what) => faults.push(...await page.evaluate((w) => window.axe.run(document, { runOnly: { type: 'tag',
        values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] } }).then((r) => r.violations.map((v) =>
        `${w}: ${v.id} (${v.impact}) ${v.help}${v.nodes.map((n) => `\n    ${n.target.join(' ')}  ${n.html}`).join('')}`)), what));
    if (phone) await page.evaluate(() => document.body.classList.add('touch'));  // as after a first touch: the on-screen keys
    await look('at rest');
    await eachWindow(page, look);
    await page.click('#options-button');
    await page.click('#options-menu [data-name="shareLesson"]');  // its link in a message
    await look('message');
    await page.click('#message-ok');
    await page.click('#measure-button');
    await look('measure menu');
    await page.click('#record-toggle');
    // Three presses on the field, low on the canvas, clear of the bar's lines and the panel.
    const c = await (await page.$('#canvas')).boundingBox();
    await page.mouse.move(c.x + c.width / 2, c.y + c.height - 20);
    for (let i = 0; i < 3; i++) await sleep(300).then(() => page.mouse.down()).then(() => sleep(300)).then(() => page.mouse.up());
    await sleep(300);
    await look(`recording of ${await page.evaluate(() => window.tessaline.recording.data().rows.length)} rows`);
    await page.click('#record-panel button:last-of-type');
    await page.click('#measure-button');
    await page.click('#tuning-item');
    await look('tuning form');
    for (const [id, value] of [['step', '180'], ['repeats', '1'], ['seconds', '0.2']]) await page.$eval(`#tuning-${id}`, (e, v) => { e.value = v; }, value);
    await page.click('#tuning-start');
    await page.waitForFunction(() => !window.tessaline.tuning.poll().running && window.tessaline.tuning.poll().curve.length > 1, { timeout: 20000 });
    await look('tuning curve');
    await page.click('#tuning-close');
    await page.click('#measure-button');
    await page.click('#map-item');
    await look('map');
    await page.click('#map-close');
    await page.evaluate((l) => { location.hash = l; }, `lesson=${lesson}`);
    await page.waitForFunction(() => !document.getElementById('instructions').hidden, { timeout: 5000 });
    await look('instructions');
    check(faults.length === 0, `${faults.length} violations:\n${faults.join('\n')}`);
    return `${((Date.now() - began) / 1000).toFixed(1)} s`;
}

for (const [width, height, scale] of SCREENS) {
    const phone = scale > 1 && width < 900;
    await runCheck(`axe ${width}x${height} @${scale}`, root, { width, height, scale, touch: phone }, ({ page }) => audit(page, phone));
}
