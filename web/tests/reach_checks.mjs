// Checks that the page reaches every student: a browser that never starts
// its sound, a start-up that fails, a student let loose on it, fingers
// alone, the keyboard alone, a screen reader.
import { check, frames, sleep, field, fieldCentre, firefox, canvasPixels, at } from './browser.mjs';
import { randomEvents } from './random_events.mjs';

const readout = (page) => page.evaluate(() => {
    const M = window.tessaline.module;
    return [0, 1, 2].map((i) => M.UTF8ToString(M._tess_overlay_text(i))).join('|');
});
const peakRate = async (page) => Number(/peak rate = *([0-9.]+)/.exec(await readout(page))[1]);
const centreOf = async (page, selector) => {
    const b = await (await page.$(selector)).boundingBox();
    return [b.x + b.width / 2, b.y + b.height / 2];
};

const messageShown = (page) => page.$eval('#message', (m) => m.open && m.textContent.replace(/\s+/g, ' ').trim());

export const moreChecks = {
    // No output device: the sound's start never settles. The page says so
    // once, in time, and goes on silently.
    async soundstart({ page, errors }) {
        await page.mouse.click(20, 36 + 600);
        await page.waitForFunction(() => window.tessaline.sound.state === 'none', { timeout: 10000 });
        const message = await messageShown(page);
        check(message === 'KIRP Error preparing wave header OK', `no-sound message: ${message}`);
        check(await page.$eval('#sound-note', (n) => n.hidden), 'the page still asks for a click to start the sound');
        await page.click('#message-ok');
        await page.mouse.click(40, 36 + 600);
        await page.keyboard.press('ArrowUp');
        await frames(page, 10);
        check(!(await page.$eval('#message', (m) => m.open)), 'the no-sound message came twice');
        check(errors.length === 0, `console errors: ${errors.join('; ')}`);
    },

    // Anything that fails inside the start-up is shown to the student.
    async startfail({ page }) {
        await page.waitForFunction(() => document.getElementById('message').open, { timeout: 20000 });
        const message = await messageShown(page);
        check(message === 'Error Error initializing application KIRP OK', `start-up failure shown as: ${message}`);
    },

    random: randomEvents,

    // Fingers alone: a drag raises the peak rate, a twist turns the bar, a
    // pinch resizes the spot, the on-screen '+' leaves a mark, and the page
    // neither scrolls nor zooms.
    async touch({ page, errors }) {
        const [cx, cy] = await fieldCentre(page);
        const spontaneous = await field(page, 'modelOptions.currentSpontaneousRate');
        const finger = await page.touchscreen.touchStart(cx - 120, 36 + cy);
        let rate = 0;
        for (let s = 0; s <= 160; s++) {
            const x = cx + (Math.floor(s / 40) % 2 === 0 ? -120 + 6 * (s % 40) : 120 - 6 * (s % 40));
            await finger.move(x, 36 + cy);
            await sleep(15);
            if (s % 4 === 0) rate = Math.max(rate, await peakRate(page));
        }
        await finger.end();
        // A second finger twists the bar a quarter turn about the first.
        const orientation = await field(page, 'stimulus.orientation');
        const first = await page.touchscreen.touchStart(cx, 36 + cy);
        const other = await page.touchscreen.touchStart(cx + 80, 36 + cy);
        for (let a = 0; a <= 90; a += 5) {
            const r = a * Math.PI / 180;
            await other.move(cx + 80 * Math.cos(r), 36 + cy - 80 * Math.sin(r));
        }
        await other.end();
        await first.end();
        const turned = await field(page, 'stimulus.orientation');
        check(rate > spontaneous + 5, `peak rate ${rate} while a finger dragged the bar, spontaneous ${spontaneous}`);
        check(Math.abs(((turned - orientation + 540) % 360) - 180) >= 80, `a quarter-turn twist turned the bar from ${orientation} to ${turned}`);
        // Pinch out over a spot: a wider spot.
        await page.click('#toolbar button img[src$="spot.png"]');
        const before = await readout(page);
        const a = await page.touchscreen.touchStart(cx - 20, 36 + cy), b = await page.touchscreen.touchStart(cx + 20, 36 + cy);
        for (let d = 20; d <= 80; d += 5) {
            await a.move(cx - d, 36 + cy);
            await b.move(cx + d, 36 + cy);
        }
        await b.end();
        await a.end();
        await frames(page);
        const after = await readout(page);
        check(/diameter/.test(after) && after.split('|')[0] !== before.split('|')[0], `a pinch left the readout at ${after}`);
        await field(page, 'receptiveField.displayMode', 3);  // hidden, for a hand plot
        const marks = await page.evaluate(() => window.tessaline.module._tess_mark_count());
        check(await page.$eval('#touch-keys', (k) => getComputedStyle(k).display !== 'none'), 'no on-screen keys after a touch');
        await page.touchscreen.tap(...await centreOf(page, '#touch-keys [data-key="+"]'));
        check(await page.evaluate(() => window.tessaline.module._tess_mark_count()) === marks + 1, 'the on-screen + left no mark');
        const view = await page.evaluate(() => [window.scrollX, window.scrollY, window.visualViewport ? window.visualViewport.scale : 1]);
        check(view.join() === '0,0,1', `the page moved under the fingers: scroll ${view[0]}, ${view[1]}, zoom ${view[2]}`);
        check(errors.length === 0, `console errors: ${errors.join('; ')}`);
        console.log(`touch: peak rate ${rate} Hz, orientation ${orientation} -> ${turned}, ${before.split('|')[0]} -> ${after.split('|')[0]}`);
    },

    // The keyboard alone: Tab reaches every control, each showing its
    // focus; then a whole hand plot on the field by keys.
    async keyboard({ page, errors }) {
        await page.evaluate(() => document.activeElement.blur());
        const reached = new Set();
        for (let i = 0; i < 20; i++) {
            await page.keyboard.press('Tab');
            await sleep(100);  // Firefox restyles the new focus a moment later
            const [id, outline] = await page.evaluate(() => {
                const e = document.activeElement;
                const name = e.id || e.getAttribute('aria-label') || e.tagName;
                return [name, getComputedStyle(e).outlineStyle];
            });
            // Past the last control the browser's own controls take the focus.
            if (id === 'BODY' && reached.size === 0) continue;
            if (id === 'BODY' || reached.has(id)) break;
            check(outline !== 'none', `${id} shows no focus`);
            reached.add(id);
        }
        const controls = await page.$$eval('#bar button:not([hidden]), #canvas', (c) => c.filter((e) => e.offsetParent)
            .map((e) => e.id || e.getAttribute('aria-label') || e.tagName));
        const missed = controls.filter((c) => !reached.has(c));
        check(missed.length === 0, `Tab never reached ${missed.join(', ')}`);
        await page.focus('#canvas');
        await field(page, 'receptiveField.displayMode', 3);
        const shifted = async (key, times) => {
            await page.keyboard.down('Shift');
            for (let i = 0; i < times; i++) await page.keyboard.press(key);
            await page.keyboard.up('Shift');
        };
        await shifted('ArrowLeft', 1);  // the pointer, from the field's middle
        const x0 = await field(page, 'stimulus.stimX');
        await shifted('ArrowRight', 5);
        const x1 = await field(page, 'stimulus.stimX');
        check(Math.abs((x1 - x0) * 38 - 50) < 1, `five Shift+Right moved the stimulus ${(x1 - x0) * 38} pixels`);
        await page.keyboard.press(' ');
        check(await field(page, 'stimulus.stimulusOn') === 1, 'Space did not show the stimulus');
        await page.keyboard.press(' ');
        check(await field(page, 'stimulus.stimulusOn') === 0, 'Space did not hide the stimulus');
        await page.keyboard.type('+');
        await shifted('ArrowDown', 4);
        await page.keyboard.type('-');
        check(await page.evaluate(() => window.tessaline.module._tess_mark_count()) === 2, 'the keys left no two marks');
        await page.keyboard.press('Enter');
        check(await field(page, 'receptiveField.displayMode') === 4, 'Enter did not reveal the field');
        check(errors.length === 0, `console errors: ${errors.join('; ')}`);
    },

    // What a screen reader finds: every button named, dialogs labelled, and
    // the peak rate in a polite live region.
    async access({ page, errors }) {
        await sleep(1500);
        const buttons = [], texts = [];
        if (firefox) {
            // Its accessibility tree is out of puppeteer's reach: the names the page gives.
            buttons.push(...await page.$$eval('button', (b) => b.filter((x) => x.offsetParent)
                .map((x) => x.getAttribute('aria-label') || x.textContent)));
            texts.push(await page.$eval('[role=status]', (r) => r.textContent));
        } else {
            const walk = (n, inStatus) => {
                if (n.role === 'button') buttons.push(n.name || '');
                const status = inStatus || n.role === 'status';
                if (status && n.name) texts.push(n.name);
                for (const c of n.children || []) walk(c, status);
            };
            walk(await page.accessibility.snapshot({ interestingOnly: false }), false);
        }
        check(buttons.length >= 13 && buttons.every((b) => b.trim()), `buttons named ${JSON.stringify(buttons)}`);
        check(texts.some((t) => /peak rate = *[0-9.]+ Hz/.test(t)), `the live region says ${JSON.stringify(texts)}`);
        check(await page.$eval('#readout', (r) => r.getAttribute('aria-live')) === 'polite', 'the readout is not polite');
        const dialogs = await page.$$eval('dialog', (d) => d.map((x) => x.getAttribute('aria-labelledby') || x.getAttribute('aria-label')));
        check(dialogs.every((d) => d), 'a dialog has no label');
        // Every control of the three dialogs has a name to be read out.
        for (const command of [30016, 30017, 30018]) {
            await page.click('#options-button');
            await page.click(`#options-menu [data-command="${command}"]`);
            const unnamed = await page.$$eval('dialog.form[open] input, dialog.form[open] select', (c) => c
                .filter((x) => !x.getAttribute('aria-label') && !x.closest('label')).map((x) => x.outerHTML));
            check(unnamed.length === 0, `unnamed controls in dialog ${command}: ${unnamed.join(' ')}`);
            await page.click('dialog.form[open] .buttons button');
        }
        // At most one change a second, however fast the readout moves.
        const changes = await page.evaluate(() => new Promise((resolve) => {
            let n = 0;
            const watch = new MutationObserver(() => n++);
            watch.observe(document.getElementById('readout'), { childList: true, characterData: true, subtree: true });
            setTimeout(() => { watch.disconnect(); resolve(n); }, 3000);
        }));
        check(changes <= 4, `${changes} readout changes in 3 s`);
        check(errors.length === 0, `console errors: ${errors.join('; ')}`);
        console.log(`buttons: ${buttons.join(' | ')}\nlive region: ${texts.join(' | ')}`);
    },
};

// Once visited, the page starts with no network at all: it ticks and draws.
moreChecks.offline = async ({ page, errors, server }) => {
    await page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 20000 });
    const kept = await page.evaluate(async () => (await caches.keys()).filter((k) => k.startsWith('tessaline-')));
    check(kept.length === 1, `offline copies: ${kept.join(', ')}`);
    // Firefox has no offline switch in reach; the server going away is the same to it.
    if (!firefox) await page.setOfflineMode(true);
    server.closeAllConnections();
    server.close();
    await page.reload();
    await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 10, { timeout: 20000 });
    const [cx, cy] = await fieldCentre(page);
    const img = await canvasPixels(page, [cx - 30, cy - 30, 61, 61]);
    let lo = 255, hi = 0;
    for (let y = cy - 30; y <= cy + 30; y++) {
        for (let x = cx - 30; x <= cx + 30; x++) {
            lo = Math.min(lo, at(img, x, y)[1]);
            hi = Math.max(hi, at(img, x, y)[1]);
        }
    }
    check(lo < 90 && hi > 170, `offline, no receptive-field map drawn (green ${lo}..${hi})`);
    check(errors.length === 0, `console errors: ${errors.join('; ')}`);
};

// The full-screen button: the page fills the screen and the field takes
// the screen's size as a resize, and back again.
moreChecks.fullscreen = async ({ page, errors }) => {
    const sizes = () => page.evaluate(() => {
        const stage = document.getElementById('stage'), r = window.devicePixelRatio || 1;
        const M = window.tessaline.module;
        return [Math.floor(stage.clientWidth * r), Math.floor(stage.clientHeight * r),
                ...new Int32Array(M.HEAP32.buffer, M._tess_frame_info(), 2)].join();
    });
    const taken = () => page.waitForFunction(() => {
        const stage = document.getElementById('stage'), c = document.getElementById('canvas');
        const info = new Int32Array(window.tessaline.module.HEAP32.buffer, window.tessaline.module._tess_frame_info(), 2);
        return c.width === Math.floor(stage.clientWidth * (window.devicePixelRatio || 1)) && info[0] === c.width && info[1] === c.height;
    }, { timeout: 5000 });
    const before = await sizes();
    await page.click('#fullscreen');
    await page.waitForFunction(() => document.fullscreenElement === document.documentElement, { timeout: 5000 });
    await frames(page);
    await taken();
    const full = await sizes();
    await page.click('#fullscreen');
    await page.waitForFunction(() => !document.fullscreenElement, { timeout: 5000 });
    await frames(page);
    await taken();
    check(await sizes() === before, `back from full screen at ${await sizes()}, was ${before}`);
    check(errors.length === 0, `console errors: ${errors.join('; ')}`);
    console.log(`field ${before} -> ${full} on the full screen`);
};

export const moreOptions = {
    touch: { touch: true },
    soundstart: { before: () => { AudioContext.prototype.resume = () => new Promise(() => {}); } },
    // A page script that breaks part-way through the start-up.
    startfail: { ready: false, before: () => { delete window.ResizeObserver; } },
};
