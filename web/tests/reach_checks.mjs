// Checks that the page reaches every student: a browser that never starts
// its sound, a start-up that fails, fingers alone, the keyboard alone, a
// screen reader, no network, a projector's full screen.
import { check, frames, sleep, field, fieldCentre, firefox, mapDrawn, readout, sweepRaisesRate, message } from './browser.mjs';
import { randomEvents } from './random_events.mjs';

const run = (page, f, ...a) => page.evaluate(f, ...a);
const marks = (page) => run(page, () => window.tessaline.module._tess_mark_count());
const shifted = async (page, key, times) => {
    await page.keyboard.down('Shift');
    for (let i = 0; i < times; i++) await page.keyboard.press(key);
    await page.keyboard.up('Shift');
};
// Two fingers down, moved through 18 steps of where(step), and lifted.
async function twoFingers(page, where) {
    const fingers = [];
    for (const [x, y] of where(0)) fingers.push(await page.touchscreen.touchStart(x, 36 + y));
    for (let d = 1; d <= 18; d++) for (const [i, [x, y]] of where(d).entries()) await fingers[i].move(x, 36 + y);
    for (const f of fingers.reverse()) await f.end();
}
// The stage's width in CSS pixels (the zoom at 100 %), the canvas's and the core's frame's.
const sizes = () => {
    const stage = document.getElementById('stage'), c = document.getElementById('canvas'), M = window.tessaline.module;
    return [stage.clientWidth, c.width, ...new Int32Array(M.HEAP32.buffer, M._tess_frame_info(), 1)];
};

export const moreChecks = {
    // No output device: the sound's start never settles. The page says so
    // once, in time, and goes on silently.
    async soundstart({ page }) {
        await page.mouse.click(20, 36 + 600);
        await page.waitForFunction(() => window.tessaline.sound.state === 'none', { timeout: 10000 });
        check(await message(page) === 'Tessaline Error preparing wave header OK', `no-sound message: ${await message(page)}`);
        check(await page.$eval('#sound-note', (n) => n.hidden), 'the page still asks for a click to start the sound');
        await page.click('#message-ok');
        await page.mouse.click(40, 36 + 600);
        await page.keyboard.press('ArrowUp');
        await frames(page, 10);
        check(!(await page.$eval('#message', (m) => m.open)), 'the no-sound message came twice');
    },

    // A drag raises the peak rate, a twist turns the bar, a pinch resizes
    // the spot, the on-screen '+' leaves a mark; the page stays put.
    async touch({ page }) {
        const [cx, cy] = await fieldCentre(page);
        const finger = await page.touchscreen.touchStart(cx - 120, 36 + cy);
        await sweepRaisesRate(page, [cx, cy], (x, y) => finger.move(x, y), 'a finger dragged the bar');
        await finger.end();
        // Two fingers: the second twists a quarter turn about the first.
        const orientation = await field(page, 'stimulus.orientation');
        await twoFingers(page, (d) => [[cx, cy], [cx + 80 * Math.cos(d * Math.PI / 36), cy - 80 * Math.sin(d * Math.PI / 36)]]);
        const turned = await field(page, 'stimulus.orientation');
        check(Math.abs(((turned - orientation + 540) % 360) - 180) >= 80, `a quarter-turn twist turned the bar from ${orientation} to ${turned}`);
        await page.click('#toolbar button img[src$="spot.png"]');
        const before = (await readout(page)).split('|')[0];
        await twoFingers(page, (d) => [[cx - 20 - 5 * d, cy], [cx + 20 + 5 * d, cy]]);
        await frames(page);
        const after = (await readout(page)).split('|')[0];
        check(/diameter/.test(after) && after !== before, `a pinch left the readout at ${after}`);
        await field(page, 'receptiveField.displayMode', 3);  // hidden, for a hand plot
        const plus = await (await page.$('#touch-keys [data-key="+"]')).boundingBox();
        const count = await marks(page);
        await page.touchscreen.tap(plus.x + plus.width / 2, plus.y + plus.height / 2);
        check(await marks(page) === count + 1, 'the on-screen + left no mark');
        const view = await run(page, () => [window.scrollX, window.scrollY, window.visualViewport.scale].join());
        check(view === '0,0,1', `the page moved under the fingers: scroll x, y, zoom ${view}`);
    },

    // Tab reaches every control, each showing its focus; then the pointer,
    // the stimulus and a hand plot's marks by keys alone.
    async keyboard({ page }) {
        await run(page, () => document.activeElement.blur());
        const reached = new Set();
        for (let i = 0; i < 20; i++) {
            await page.keyboard.press('Tab');
            await sleep(100);  // Firefox restyles the new focus a moment later
            const [id, outline] = await run(page, () => [document.activeElement.id || document.activeElement.getAttribute('aria-label')
                || document.activeElement.tagName, getComputedStyle(document.activeElement).outlineStyle]);
            // Past the last control the browser's own controls take the focus.
            if (id === 'BODY' && reached.size === 0) continue;
            if (id === 'BODY' || reached.has(id)) break;
            check(outline !== 'none', `${id} shows no focus`);
            reached.add(id);
        }
        const missed = await page.$$eval('#bar button, #canvas', (c, r) => c.filter((e) => e.offsetParent)
            .map((e) => e.id || e.getAttribute('aria-label')).filter((n) => !r.includes(n)), [...reached]);
        check(missed.length === 0, `Tab never reached ${missed.join(', ')}`);
        await page.focus('#canvas');
        await field(page, 'receptiveField.displayMode', 3);
        await shifted(page, 'ArrowLeft', 1);  // the pointer, from the field's middle
        const x0 = await field(page, 'stimulus.stimX');
        await shifted(page, 'ArrowRight', 5);
        const moved = (await field(page, 'stimulus.stimX') - x0) * 38;
        check(Math.abs(moved - 50) < 1, `five Shift+Right moved the stimulus ${moved} pixels`);
        for (const on of [1, 0]) {
            await page.keyboard.press(' ');
            check(await field(page, 'stimulus.stimulusOn') === on, `Space did not turn the stimulus ${on ? 'on' : 'off'}`);
        }
        await page.keyboard.type('+');
        await shifted(page, 'ArrowDown', 4);
        await page.keyboard.type('-');
        check(await marks(page) === 2, 'the keys left no two marks');
    },

    // The peak rate in a polite live region that changes at most once a
    // second (the axe check holds every control's name).
    async access({ page }) {
        // The page's one interval (see moreOptions): the readout's, held by
        // the check, so its clock is the check's.
        const intervals = await run(page, () => window.intervals.map(([, ms]) => ms));
        check(intervals.join() === '1000', `intervals of ${intervals} ms`);
        check(await page.$eval('#readout', (r) => r.textContent) === '', 'the readout spoke before its second was up');
        await run(page, () => window.intervals[0][0]());
        const said = [];
        const walk = (n, inStatus) => {
            if ((inStatus || n.role === 'status') && n.name) said.push(n.name);
            for (const c of n.children || []) walk(c, inStatus || n.role === 'status');
        };
        if (!firefox) walk(await page.accessibility.snapshot({ interestingOnly: false }), false);
        else said.push(await page.$eval('[role=status]', (r) => r.textContent));  // Firefox's tree is out of puppeteer's reach
        check(said.some((t) => /peak rate = *[0-9.]+ Hz/.test(t)), `the live region says ${JSON.stringify(said)}`);
        check(await page.$eval('#readout', (r) => r.getAttribute('aria-live')) === 'polite', 'the readout is not polite');
        check(await page.$$eval('dialog', (d) => d.every((x) => x.getAttribute('aria-labelledby') || x.getAttribute('aria-label'))), 'a dialog has no label');
        // Between its seconds the readout stays, however the line changes; at
        // a second it takes the new line, and only a new line.
        const spoken = await page.$eval('#readout', (r) => r.textContent);
        await page.focus('#canvas');
        for (let i = 0; i < 5; i++) await page.keyboard.press('ArrowLeft');  // the orientation shown turns
        await frames(page);
        check(await page.$eval('#readout', (r) => r.textContent) === spoken, 'the readout changed between its seconds');
        const changes = await run(page, () => {
            let n = 0;
            new MutationObserver((m) => { n += m.length; }).observe(document.getElementById('readout'),
                { childList: true, characterData: true, subtree: true });
            window.intervals[0][0]();
            window.intervals[0][0]();
            return new Promise((resolve) => setTimeout(() => resolve([n, document.getElementById('readout').textContent]), 0));
        });
        check(changes[0] === 1 && changes[1] !== spoken, `the readout changed ${changes[0]} times, to ${changes[1]}`);
    },

    // Once visited, the page starts with no network at all: it ticks and draws.
    async offline({ page, server }) {
        await page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 20000 });
        const kept = await run(page, async () => (await caches.keys()).filter((k) => k.startsWith('tessaline-')));
        check(kept.length === 1, `offline copies: ${kept.join(', ')}`);
        // Firefox has no offline switch in reach; the server going away is the same to it.
        if (!firefox) await page.setOfflineMode(true);
        server.closeAllConnections();
        server.close();
        await page.reload();
        await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 10, { timeout: 20000 });
        await mapDrawn(page, await fieldCentre(page));
    },

    // The page fills the screen and the field takes its size, and back again.
    async fullscreen({ page }) {
        const taken = () => page.waitForFunction(`new Set((${sizes})()).size === 1`, { timeout: 5000 });
        const before = await run(page, sizes);
        for (const full of [true, false]) {
            await page.click('#fullscreen');
            await page.waitForFunction((f) => !!document.fullscreenElement === f, { timeout: 5000 }, full);
            await frames(page);
            await taken();
        }
        check((await run(page, sizes)).join() === before.join(), 'the field did not come back to its size');
    },

    // A sound that takes 2 s to start: presses held through the wait are
    // recorded as held, one every 0.6 s, as the clock saw them (give or take
    // what a loaded machine makes of the timers; a clock sent back by the
    // start moves a press by its 2 s).
    async slowstart({ page }) {
        const [cx, cy] = await fieldCentre(page);
        await page.click('#measure-button');
        await page.click('#record-toggle');  // the first press below starts the sound
        await page.mouse.move(cx, 36 + cy);
        for (let i = 0; i < 6; i++) {
            await sleep(300).then(() => page.mouse.down());
            await sleep(300).then(() => page.mouse.up());
        }
        const state = await run(page, () => window.tessaline.sound.state);
        const trials = await run(page, () => JSON.parse(window.tessaline.module.ccall('tess_record_csv', 'string', ['string'], ['x.csv']))[1]
            .text.trim().split('\n').slice(1).map((row) => row.split(',').slice(1, 3).map(Number)));
        const said = `sound ${state}; trials ${trials.map(([a, b]) => `${a.toFixed(2)}-${b.toFixed(2)}`).join(' ')}`;
        check(state === 'playing' && trials.length === 6, said);
        check(trials.every(([a, b], i) => b - a > 0.15 && b - a < 1 && (i === 0 || Math.abs(a - trials[i - 1][0] - 0.6) < 0.4)), said);
        return said;
    },

    // Anything that fails inside the start-up is shown to the student.
    async startfail({ page }) {
        await page.waitForFunction(() => document.getElementById('message').open, { timeout: 20000 });
        check(await message(page) === 'Error Error initializing application Tessaline OK', `start-up failure shown as: ${await message(page)}`);
    },

    random: randomEvents,
};

export const moreOptions = {
    touch: { touch: true },
    // Intervals are kept for the check to run, not started.
    access: { before: () => { window.intervals = []; window.setInterval = (f, ms) => window.intervals.push([f, ms]); } },
    soundstart: { before: () => { AudioContext.prototype.resume = () => new Promise(() => {}); } },
    slowstart: { width: 1300, height: 760, before: () => {
        const resume = AudioContext.prototype.resume;
        AudioContext.prototype.resume = function slow() { return new Promise((ok) => setTimeout(ok, 2000)).then(() => resume.call(this)); };
    } },
    // A page script that breaks part-way through the start-up.
    startfail: { ready: false, errorsAllowed: /./, before: () => { delete window.ResizeObserver; } },
};
