// What every browser check shares: a static server over the built page on
// a loopback port of its own, and Debian's Chromium or Firefox ESR
// (TESSALINE_BROWSER=firefox), headless, driven through puppeteer-core.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import puppeteer from 'puppeteer-core';

const TYPES = { '.html': 'text/html', '.json': 'application/json', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
    '.png': 'image/png', '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };
// The site sits under a sub-path, as on a school's web server.
export const BASE = '/neuro/tessaline/';

// files: bodies by path in the site, served in place of (or beside) the built ones.
export function serve(root, files = {}) {
    const server = createServer(async (req, res) => {
        const whole = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
        const path = whole.startsWith(BASE) ? whole.slice(BASE.length) : null;
        const file = join(root, path === '' ? 'index.html' : path || '\0');
        const body = files[path] ?? await readFile(file).catch(() => null);
        res.writeHead(body ? 200 : 404, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream' });
        res.end(body);
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

export const firefox = process.env.TESSALINE_BROWSER === 'firefox';

// The screens every layout check lays the page out on, [width, height,
// device pixel ratio]: phones upright and turned, a tablet, a dense laptop,
// a desktop and a 4K projector.
export const SCREENS = [[320, 568, 2], [390, 844, 3], [844, 390, 3], [820, 1180, 2], [1280, 800, 2], [1920, 1080, 1], [3840, 2160, 1]];

const launch = (profile) => puppeteer.launch(firefox ? {
    browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr', headless: true,
    extraPrefsFirefox: { 'media.autoplay.default': 0, 'media.autoplay.blocking_policy': 0 },
} : {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
    args: ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`],
});

// before: a function run in the page ahead of its own scripts (a stub);
// ready: wait for the first ticks.
// query: the address's query ("?lang=qps"); files: as serve's.
export async function openPage(root, { width = 1000, height = 736, scale = 1, before = null, ready = true, touch = false, query = '',
                                       files = {} } = {}) {
    const server = await serve(root, files);
    const profile = mkdtempSync(join(tmpdir(), 'tessaline-chromium-'));
    const browser = await launch(profile);
    const page = await browser.newPage();
    const errors = [];
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    page.on('pageerror', (e) => errors.push(String(e)));
    // A request the browser itself gave up (a reload, an image replaced
    // while it loaded) is no fault of the page's; one refused is.
    page.on('requestfailed', (r) => {
        const why = r.failure()?.errorText || '';
        if (!/ABORTED/i.test(why)) errors.push(`failed: ${r.url()} ${why}`);
    });
    await page.setViewport({ width, height, deviceScaleFactor: scale, hasTouch: touch });
    if (before) await page.evaluateOnNewDocument(before);
    await page.goto(`http://127.0.0.1:${server.address().port}${BASE}${query}`);
    if (ready) await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 2, { timeout: 20000 });
    const close = async () => {
        await browser.close();
        if (server.listening) server.close();
        rmSync(profile, { recursive: true, force: true });
    };
    return { page, errors, close, server, port: server.address().port };
}

// The canvas's pixels as RGBA bytes, all or a part [left, top, width,
// height], with the canvas's backing size.
export async function canvasPixels(page, part = null) {
    // As base64 text: a long array of numbers takes Firefox's protocol ages.
    const got = await page.evaluate((p) => {
        const c = document.getElementById('canvas');
        const [left, top, width, height] = p || [0, 0, c.width, c.height];
        const d = c.getContext('2d').getImageData(left, top, width, height).data;
        let text = '';
        for (let i = 0; i < d.length; i += 0x8000) text += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
        return { left, top, width, height, canvas: [c.width, c.height], data: btoa(text) };
    }, part);
    return { ...got, data: new Uint8Array(Buffer.from(got.data, 'base64')) };
}

export function check(condition, message) {
    if (!condition) throw new Error(message);
}

// One check on a fresh page: it must pass and leave no console error but
// those that errorsAllowed matches; what it returns is said beside "passed".
export async function runCheck(name, root, options, run) {
    const session = await openPage(root, options);
    try {
        const said = await run(session);
        const errors = session.errors.filter((e) => !options.errorsAllowed?.test(e));
        check(errors.length === 0, `console errors: ${errors.join('; ')}`);
        console.log(`${name}: passed${said ? ` (${said})` : ''}`);
    } catch (failure) {
        console.error(`${name}: ${failure.stack}`);
        process.exitCode = 1;
    } finally {
        await session.close();
    }
}

export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// A record field by name, written first when a value is given.
export async function field(page, fieldName, value) {
    return page.evaluate((n, v) => {
        const M = window.tessaline.module;
        if (v !== undefined) M.ccall('tess_set', 'number', ['string', 'number'], [n, v]);
        return M.ccall('tess_get', 'number', ['string'], [n]);
    }, fieldName, value);
}

// The receptive field's centre in canvas pixels (38 to a degree).
export const fieldCentre = async (page) => [Math.round(await field(page, 'receptiveField.centreX') * 38),
    Math.round(await field(page, 'receptiveField.centreY') * 38)];

// The overlay's lines as the core writes them, and the peak rate among them.
export const readout = (page) => page.evaluate(() => [0, 1, 2].map((i) => window.tessaline.module.UTF8ToString(
    window.tessaline.module._tess_overlay_text(i))).join('|'));
const peakRate = async (page) => Number(/peak rate = *([0-9.]+)/.exec(await readout(page))[1]);

// A bar swept to and fro across the field four times by moveTo(x, y), in
// pointer coordinates, must raise the peak rate well past the spontaneous one.
export async function sweepRaisesRate(page, [cx, cy], moveTo, how) {
    const spontaneous = await field(page, 'modelOptions.currentSpontaneousRate');
    let rate = 0;
    for (let s = 0; s < 164; s++) {
        await moveTo(cx + (s % 82 < 41 ? -120 + 6 * (s % 41) : 120 - 6 * (s % 41)), 36 + cy);
        await sleep(15);
        if (s % 4 === 0) rate = Math.max(rate, await peakRate(page));
    }
    check(rate > spontaneous + 5, `peak rate ${rate} while ${how}, spontaneous ${spontaneous}`);
}

// The first click on the field starts the sound.
export async function startSound(page) {
    await page.mouse.click(20, 36 + 600);
    await page.waitForFunction(() => window.tessaline.sound.state === 'playing', { timeout: 10000 });
}

// The message box's text, when it is open.
export const message = (page) => page.$eval('#message', (m) => m.open && m.textContent.replace(/\s+/g, ' ').trim());

// A dialog from the options menu; its form's selector.
export async function openDialog(page, command) {
    await page.click('#options-button');
    await page.click(`#options-menu [data-command="${command}"]`);
    return 'dialog.form[open]';
}

// The Options menu, the help, each dialog the menu opens and a hand plot's
// feedback window in turn, each seen by look(what) a few frames after it
// opened, then closed.
export async function eachWindow(page, look) {
    const commands = await page.evaluate(() => JSON.parse(window.tessaline.module.UTF8ToString(window.tessaline.module._tess_names())).commands);
    const seen = async (what) => {
        await frames(page, 2);
        await look(what);
        await page.evaluate(() => document.querySelectorAll('dialog[open]').forEach((d) => d.close()));
    };
    await page.click('#options-button');
    await seen('menu');
    await page.keyboard.press('Escape');
    for (const c of ['help', 'selectStimulus', 'selectReceptiveField', 'moreOptions']) {
        await page.evaluate((command) => window.tessaline.run(command), commands[c]);
        await seen(c);
    }
    await page.click('#toolbar button:nth-of-type(10)');  // the complex cell: Enter brings its feedback
    await page.focus('#canvas');
    await page.keyboard.press('Enter');
    await seen('feedback');
}

// Waits for the page to paint a few frames after a change.
export async function frames(page, count = 4) {
    const start = await page.evaluate(() => window.tessaline.stats.ticks);
    await page.waitForFunction((s, c) => window.tessaline.stats.ticks >= s + c, {}, start, count);
}

// The red, green and blue of the pixel at (x, y) of an image part.
export const at = (img, x, y) => Array.from(img.data.subarray(4 * ((y - img.top) * img.width + (x - img.left))).subarray(0, 3));
export const isGrey = (p) => p.every((v) => Math.abs(v - 128) <= 1);

// Replaces a field's text as both browsers let a student: select all, type.
export async function selectAllAndType(page, input, text) {
    await input.focus();
    await page.keyboard.down('Control');
    await page.keyboard.press('a');
    await page.keyboard.up('Control');
    if (text === '') await page.keyboard.press('Backspace');
    else await page.keyboard.type(text);
}

// The receptive-field map drawn about (cx, cy): dark and light green within 30 pixels.
export async function mapDrawn(page, [cx, cy]) {
    const greens = (await canvasPixels(page, [cx - 30, cy - 30, 61, 61])).data.filter((_, i) => i % 4 === 1);
    const [lo, hi] = [Math.min(...greens), Math.max(...greens)];
    check(lo < 90 && hi > 170, `no receptive-field map drawn (green ${lo}..${hi})`);
}

// The page in every state a student meets, each seen by look(what): at rest
// (with the on-screen keys on a phone), each window eachWindow opens, a
// message, the Measure menu, the recorder with a recording, the tuning
// panel before and after a sweep, the noise map and a lesson's instructions
// (the lesson's own title and text as given).
export async function everyState(page, phone, look, { title = 'Map', instructions = 'Press + over light.' } = {}) {
    const lesson = Buffer.from(JSON.stringify({ format: 'tessaline-lesson', version: 1, title, instructions })).toString('base64url');
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
}
