// Screenshots of the page for a person to look at (not a ctest):
//   node bench/screenshot_web.mjs <build-web/site> <folder>
import { openPage, sleep } from '../web/tests/browser.mjs';

const [root, folder] = process.argv.slice(2);
const { page, errors, close } = await openPage(root);
const shot = async (name) => { await sleep(400); await page.screenshot({ path: `${folder}/${name}.png` }); };
const run = (c) => page.evaluate((k) => window.tessaline.run(k), c);
const set = (n, v) => page.evaluate((a, b) => window.tessaline.module.ccall('tess_set', 'number', ['string', 'number'], [a, b]), n, v);

await shot('main');
await run(30028);
await run(30022);
await page.mouse.move(560, 36 + 330);
await page.mouse.down();
await sleep(1500);
await shot('grating-complex');
await page.mouse.up();
await page.click('#options-button');
await shot('options-menu');
await page.keyboard.press('Escape');
await page.click('#toolbar button[data-command="30029"]');
await shot('help');
await page.click('#help-close');
await run(30026);
await set('receptiveField.displayMode', 3);
await run(30021);
for (const [x, y, key] of [[500, 350, '+'], [490, 330, '+'], [510, 370, '+'], [525, 350, '-'], [535, 330, '-'], [475, 350, '-']]) {
    await page.mouse.move(x, 36 + y);
    await page.keyboard.type(key);
}
await page.mouse.move(800, 600);
await shot('handplot-marks');
await page.keyboard.press('Enter');
await shot('feedback');
await page.keyboard.press('Escape');
await shot('handplot-revealed');
for (const [command, name] of [[30016, 'select-stimulus'], [30017, 'receptive-field'], [30018, 'more-options']]) {
    await page.click('#options-button');
    await page.click(`#options-menu [data-command="${command}"]`);
    await shot(`dialog-${name}`);
    await page.keyboard.press('Escape');
}
console.log(errors.length ? errors : 'no console errors');
await close();
