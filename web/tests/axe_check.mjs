// The page against WCAG 2.2 A and AA as axe-core reads it, on a desktop
// screen and on a phone: at rest with the sound prompt, with each menu, the
// help, each dialog and the feedback window open, a message, the recorder
// with a recording, the tuning panel before and after a sweep, and a
// lesson's instructions. Every violation is listed with the nodes it found.
//   node axe_check.mjs <build-web>
import { createRequire } from 'node:module';
import { runCheck, check, eachWindow, sleep } from './browser.mjs';

const [root] = process.argv.slice(2);
const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
const TAGS = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'];
const lesson = Buffer.from(JSON.stringify({ format: 'tessaline-lesson', version: 1, title: 'Map the field',
    instructions: 'Press + over the light parts.' })).toString('base64url');

async function audit(page, phone) {
    const began = Date.now(), faults = [];
    await page.addScriptTag({ path: AXE });
    const look = async (what) => {
        const found = await page.evaluate((tags) => window.axe.run(document, { runOnly: { type: 'tag', values: tags } })
            .then((r) => r.violations.map((v) => `${v.id} (${v.impact}): ${v.help}${v.nodes.map((n) => `\n    ${n.target.join(' ')}  ${n.html}`).join('')}`)), TAGS);
        faults.push(...found.map((f) => `${what}: ${f}`));
    };
    // On a phone as after a first touch, which shows the on-screen keys.
    if (phone) await page.evaluate(() => document.body.classList.add('touch'));
    await look('at rest');
    await eachWindow(page, look);
    await page.click('#options-button');
    await page.click('#options-menu [data-name="shareLesson"]');  // its link in a message
    await look('message');
    await page.click('#message-ok');
    await page.click('#measure-button');
    await look('measure menu');
    await page.click('#record-toggle');
    // Presses on the field, which the canvas below the bar's lines takes.
    await page.keyboard.press('Escape');
    const c = await (await page.$('#canvas')).boundingBox();
    await page.mouse.move(c.x + c.width / 2, c.y + c.height - 20);
    for (let i = 0; i < 3; i++) await sleep(300).then(() => page.mouse.down()).then(() => sleep(300)).then(() => page.mouse.up());
    await sleep(300);
    const rows = await page.evaluate(() => window.tessaline.recording.data().rows.length);
    await look(`recording of ${rows} rows`);
    await page.click('#record-panel button:last-of-type');
    await page.click('#measure-button');
    await page.click('#tuning-item');
    await look('tuning form');
    for (const [id, value] of [['step', '180'], ['repeats', '1'], ['seconds', '0.2']]) await page.$eval(`#tuning-${id}`, (e, v) => { e.value = v; }, value);
    await page.click('#tuning-start');
    await page.waitForFunction(() => !window.tessaline.tuning.poll().running && window.tessaline.tuning.poll().curve.length > 1, { timeout: 20000 });
    await look('tuning curve');
    await page.click('#tuning-close');
    await page.evaluate((l) => { location.hash = l; }, `lesson=${lesson}`);
    await page.waitForFunction(() => !document.getElementById('instructions').hidden, { timeout: 5000 });
    await look('instructions');
    check(faults.length === 0, `${faults.length} violations:\n${faults.join('\n')}`);
    return `${((Date.now() - began) / 1000).toFixed(1)} s`;
}

await runCheck('axe 1280x800', root, { width: 1280, height: 800 }, ({ page }) => audit(page, false));
await runCheck('axe 390x844 @3', root, { width: 390, height: 844, scale: 3, touch: true }, ({ page }) => audit(page, true));
