// What every browser check shares: a static server over the built page on
// a loopback port of its own, and Debian's Chromium or Firefox ESR
// (TESSALINE_BROWSER=firefox), headless, driven through puppeteer-core.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import puppeteer from 'puppeteer-core';

const TYPES = {
    '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
    '.wasm': 'application/wasm', '.png': 'image/png', '.svg': 'image/svg+xml',
    '.webmanifest': 'application/manifest+json',
};
// The site sits under a sub-path, as on a school's web server.
export const BASE = '/neuro/tessaline/';

export function serve(root) {
    const server = createServer(async (req, res) => {
        const whole = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
        const path = whole.startsWith(BASE) ? whole.slice(BASE.length) : null;
        const file = join(root, path === '' ? 'index.html' : path || '\0');
        try {
            const body = await readFile(file);
            res.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream' });
            res.end(body);
        } catch {
            res.writeHead(404);
            res.end();
        }
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

export const firefox = process.env.TESSALINE_BROWSER === 'firefox';

function launch(profile, inFirefox = firefox) {
    if (inFirefox) {
        return puppeteer.launch({
            browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr', headless: true,
            extraPrefsFirefox: { 'media.autoplay.default': 0, 'media.autoplay.blocking_policy': 0 },
        });
    }
    return puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`],
    });
}

// before: a function run in the page ahead of its own scripts (a stub);
// ready: wait for the first ticks.
export async function openPage(root, { width = 1000, height = 736, scale = 1, noAudio = false, outputRate = 0,
                                       before = null, ready = true, touch = false, inFirefox = firefox } = {}) {
    const server = await serve(root);
    const profile = mkdtempSync(join(tmpdir(), 'tessaline-chromium-'));
    const browser = await launch(profile, inFirefox);
    const page = await browser.newPage();
    const errors = [];
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    page.on('pageerror', (e) => errors.push(String(e)));
    page.on('requestfailed', (r) => errors.push(`failed: ${r.url()}`));
    await page.setViewport({ width, height, deviceScaleFactor: scale, hasTouch: touch });
    // A browser without audio worklets, as some still are.
    if (noAudio) await page.evaluateOnNewDocument(() => { delete window.AudioWorkletNode; });
    // A browser that plays at outputRate alone and refuses any other rate.
    if (outputRate) {
        await page.evaluateOnNewDocument((rate) => {
            const Native = window.AudioContext;
            window.AudioContext = class extends Native {
                constructor(options = {}) {
                    if (options.sampleRate !== undefined && options.sampleRate !== rate) {
                        throw new DOMException('rate refused', 'NotSupportedError');
                    }
                    super({ ...options, sampleRate: rate });
                }
            };
        }, outputRate);
    }
    if (before) await page.evaluateOnNewDocument(before);
    const started = Date.now();
    await page.goto(`http://127.0.0.1:${server.address().port}${BASE}`);
    if (ready) await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 2, { timeout: 20000 });
    const close = async () => {
        await browser.close();
        if (server.listening) server.close();
        rmSync(profile, { recursive: true, force: true });
    };
    return { page, errors, close, started, server, port: server.address().port };
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

export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

export const PIXELS_PER_DEGREE = 38;

// The receptive field's centre in canvas pixels.
export async function fieldCentre(page) {
    return page.evaluate((ppd) => {
        const M = window.tessaline.module;
        const get = (n) => M.ccall('tess_get', 'number', ['string'], [n]);
        return [Math.round(get('receptiveField.centreX') * ppd), Math.round(get('receptiveField.centreY') * ppd)];
    }, PIXELS_PER_DEGREE);
}

export async function field(page, fieldName, value) {
    return page.evaluate((n, v) => {
        const M = window.tessaline.module;
        if (v !== undefined) M.ccall('tess_set', 'number', ['string', 'number'], [n, v]);
        return M.ccall('tess_get', 'number', ['string'], [n]);
    }, fieldName, value);
}

// Waits for the page to paint a few frames after a change.
export async function frames(page, count = 4) {
    const start = await page.evaluate(() => window.tessaline.stats.ticks);
    await page.waitForFunction((s, c) => window.tessaline.stats.ticks >= s + c, {}, start, count);
}

export const at = (img, x, y) => {
    const i = 4 * ((y - img.top) * img.width + (x - img.left));
    return [img.data[i], img.data[i + 1], img.data[i + 2]];
};
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

// Darkest and lightest green over a square around (cx, cy).
export function range(img, cx, cy, half) {
    let lo = 255, hi = 0;
    for (let y = cy - half; y <= cy + half; y++) {
        for (let x = cx - half; x <= cx + half; x++) {
            const g = at(img, x, y)[1];
            lo = Math.min(lo, g);
            hi = Math.max(hi, g);
        }
    }
    return [lo, hi];
}
