// What every browser check shares: a static server over the built page on
// a loopback port of its own, and Debian's Chromium, headless, driven
// through puppeteer-core.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import puppeteer from 'puppeteer-core';

const TYPES = {
    '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
    '.wasm': 'application/wasm', '.png': 'image/png',
};

export function serve(root) {
    const server = createServer(async (req, res) => {
        const path = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
        const file = join(root, path === '/' ? 'index.html' : path);
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

export async function openPage(root, { width = 1000, height = 736, scale = 1, noAudio = false, outputRate = 0, path = '/' } = {}) {
    const server = await serve(root);
    const profile = mkdtempSync(join(tmpdir(), 'tessaline-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`],
    });
    const page = await browser.newPage();
    const errors = [];
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    page.on('pageerror', (e) => errors.push(String(e)));
    page.on('requestfailed', (r) => errors.push(`failed: ${r.url()}`));
    await page.setViewport({ width, height, deviceScaleFactor: scale });
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
    const started = Date.now();
    await page.goto(`http://127.0.0.1:${server.address().port}${path}`);
    await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 2, { timeout: 20000 });
    const close = async () => {
        await browser.close();
        server.close();
        rmSync(profile, { recursive: true, force: true });
    };
    return { page, errors, close, started, port: server.address().port };
}

// The canvas's pixels as RGBA bytes, all or a part [left, top, width,
// height], with the canvas's backing size.
export async function canvasPixels(page, part = null) {
    const got = await page.evaluate((p) => {
        const c = document.getElementById('canvas');
        const [left, top, width, height] = p || [0, 0, c.width, c.height];
        const d = c.getContext('2d').getImageData(left, top, width, height).data;
        return { left, top, width, height, canvas: [c.width, c.height], data: Array.from(d) };
    }, part);
    return { ...got, data: Uint8Array.from(got.data) };
}

export function check(condition, message) {
    if (!condition) throw new Error(message);
}

export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
