// A student let loose on the page: a seeded stream of pointer moves, drags,
// clicks, wheel turns, key presses, toolbar and menu choices and bad values
// typed into every dialog field, for about a minute. The ticks must keep
// coming, no console error may appear, and every record must stay within
// what the program itself lets it become.
import { check, sleep, selectAllAndType } from './browser.mjs';

const SEED = Number(process.env.TESSALINE_EVENT_SEED || 20261208);
const SECONDS = Number(process.env.TESSALINE_EVENT_SECONDS || 60);
const BAD_TEXTS = ['1e30', '-5', 'abc', '', 'NaN', '1e-30', '99999', '0', '-0.0001', '3.5'];
const TINY = 1.4e-45, HUGE = 3.4e38, MAX_TRACE = 7680, MAX_MARKS = 100;
// What each control lets a value become, whatever the order of the input;
// what is kept in degrees only has to be finite.
const RANGES = [
    ['stimulus.stimulusType', 1, 4], ['stimulus.barLength', 0, 14], ['stimulus.barWidth', 0, 14],
    ['stimulus.orientation', 0, 360], ['stimulus.gratingRadius', TINY, 8], ['stimulus.gratingSf', 0, 100],
    ['stimulus.gratingPhase', 0, 360], ['stimulus.gratingVelocity', 0, 20], ['stimulus.modulationRate', 0, 20],
    ['stimulus.contrastPercent', 0, 100], ['receptiveField.cellType', 1, 5], ['receptiveField.orientation', 0, 360],
    ['receptiveField.centreSigma', TINY, 10], ['receptiveField.surroundSigma', TINY, 50],
    ['receptiveField.displayMode', 1, 4], ['modelOptions.surroundWeight', 0.02, 4], ['modelOptions.gammaOrder', 1, 10],
    ['modelOptions.halfMaxContrast', 1, 100], ['modelOptions.currentMaxRate', 200, 250],
    ['modelOptions.currentSpontaneousRate', 0, 101], ['traces.traceIndex', 1, MAX_TRACE + 1],
    ['stimulus.spotRadius', 0, HUGE], ['stimulus.stimX', -HUGE, HUGE], ['stimulus.stimY', -HUGE, HUGE],
    ['receptiveField.centreX', -HUGE, HUGE], ['receptiveField.centreY', -HUGE, HUGE],
    ['receptiveField.phase', -HUGE, HUGE], ['receptiveField.spatialFrequency', -HUGE, HUGE],
    ['receptiveField.width', -HUGE, HUGE], ['receptiveField.length', -HUGE, HUGE], ['simulation.peakRate', 0, HUGE],
];

// mulberry32: the same seed gives the same choices.
function generator(seed) {
    let a = seed >>> 0;
    const next = () => {
        a = (a + 0x6d2b79f5) >>> 0;
        let t = Math.imul(a ^ (a >>> 15), 1 | a);
        t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
    const int = (lo, hi) => lo + Math.floor(next() * (hi - lo + 1));
    return { next, int, any: (list) => list[int(0, list.length - 1)] };
}

async function outOfRange(page) {
    return page.evaluate((ranges, maxMarks) => {
        const M = window.tessaline.module;
        const bad = [];
        for (const [name, lo, hi] of ranges) {
            const v = M.ccall('tess_get', 'number', ['string'], [name]);
            if (!(v >= lo && v <= hi)) bad.push(`${name} = ${v}`);
        }
        const marks = M._tess_mark_count();
        if (!(marks >= 0 && marks <= maxMarks)) bad.push(`marks = ${marks}`);
        return bad;
    }, RANGES, MAX_MARKS);
}

// Closes whatever dialog an event left open, with its own button.
async function closeDialogs(page) {
    for (let i = 0; i < 3; i++) {
        const button = await page.$('dialog[open] .buttons button');
        if (!button) return;
        await button.click();
    }
}

// One dialog from the menu: every field typed into, then random changes.
async function driveDialog(page, rnd, typed, command) {
    await page.click('#options-button');
    await page.click(`#options-menu [data-command="${command}"]`);
    const form = 'dialog.form[open]';
    const fields = await page.$$(`${form} input.number:not([readonly])`);
    typed.count.set(command, fields.length);
    const turn = typed.turns.get(command) || 0;
    typed.turns.set(command, turn + 1);
    for (let i = 0; i < fields.length; i++) {
        if (await fields[i].evaluate((f) => f.disabled)) continue;
        // Every bad text into every field in turn, then any.
        await selectAllAndType(page, fields[i], turn < BAD_TEXTS.length ? BAD_TEXTS[turn] : rnd.any(BAD_TEXTS));
        typed.done.add(`${command}/${i}`);
    }
    for (let i = rnd.int(0, 6); i > 0; i--) {
        const kind = rnd.int(0, 3);
        if (kind === 0) {
            await page.$$eval(`${form} input[type=range]`, (r, pick, value) => {
                if (r.length === 0) return;
                const s = r[Math.floor(pick * r.length)];
                s.value = String(Number(s.min) + value * (Number(s.max) - Number(s.min)));
                s.dispatchEvent(new Event('input'));
            }, rnd.next(), rnd.next() * 1.2 - 0.1);
        } else if (kind === 1) {
            const arrows = await page.$$(`${form} .arrow`);
            if (arrows.length) for (let n = rnd.int(1, 12), a = rnd.any(arrows); n > 0; n--) await a.click();
        } else if (kind === 2) {
            const choices = await page.$$(`${form} input[type=radio], ${form} input[type=checkbox]`);
            if (choices.length) await rnd.any(choices).click();
        } else {
            const select = await page.$(`${form} select`);
            const count = select ? await select.evaluate((s) => s.options.length) : 0;
            if (count) await select.evaluate((s, i) => { s.selectedIndex = i; s.dispatchEvent(new Event('change')); }, rnd.int(0, count - 1));
        }
    }
    await closeDialogs(page);
}

// The field's pointer events, keys and toolbar, one seeded choice a call.
async function fieldEvent(page, rnd, box) {
    const point = () => [box.x + rnd.int(0, box.width - 1), box.y + rnd.int(-30, box.height - 1)];
    const kind = rnd.int(0, 9);
    if (kind <= 1) {
        await page.mouse.move(...point(), { steps: rnd.int(1, 4) });
    } else if (kind === 2) {
        await page.mouse.move(...point());
        await page.mouse.down();
        for (let n = rnd.int(1, 10); n > 0; n--) await page.mouse.move(...point(), { steps: 2 });
        await page.mouse.up();
    } else if (kind === 3) {
        await page.mouse.click(...point(), { clickCount: rnd.int(1, 2) });
    } else if (kind === 4) {
        await page.mouse.move(...point());
        await page.mouse.wheel({ deltaY: rnd.any([-1, 1]) * rnd.any([3, 40, 100, 120, 400, 1e4]) });
    } else if (kind <= 6) {
        // Held keys stay short: a spot grown without end is another matter.
        const key = rnd.any(['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', '+', '-', 'Enter']);
        for (let n = key.startsWith('Arrow') ? rnd.int(1, 15) : 1; n > 0; n--) await page.keyboard.press(key);
    } else if (kind <= 8) {
        const tools = await page.$$('#toolbar button');
        await rnd.any(tools).click();
    }
}

export async function randomEvents({ page, errors }) {
    const rnd = generator(SEED);
    const canvas = await page.$('#canvas');
    const box = await canvas.boundingBox();
    await canvas.focus();
    const typed = { done: new Set(), count: new Map(), turns: new Map() };
    const end = Date.now() + SECONDS * 1000;
    let events = 0, dialogsDriven = 0, lastTicks = await page.evaluate(() => window.tessaline.stats.ticks);
    while (Date.now() < end) {
        const driven = rnd.int(0, 19) === 0;
        if (driven) {
            // Each dialog in turn first, then any.
            await driveDialog(page, rnd, typed, dialogsDriven < 3 ? [30016, 30017, 30018][dialogsDriven] : rnd.any([30016, 30017, 30018]));
            dialogsDriven++;
        } else {
            await fieldEvent(page, rnd, box);
        }
        await closeDialogs(page);
        if (++events % 25 === 0 || driven) {
            const bad = await outOfRange(page);
            check(bad.length === 0, `after ${events} events (seed ${SEED}): ${bad.join(', ')}`);
            await sleep(60);
            const ticks = await page.evaluate(() => window.tessaline.stats.ticks);
            check(ticks > lastTicks, `no tick up to event ${events} (seed ${SEED})`);
            lastTicks = ticks;
        }
    }
    const bad = await outOfRange(page);
    check(bad.length === 0, `at the end (seed ${SEED}): ${bad.join(', ')}`);
    const typable = [...typed.count.values()].reduce((a, b) => a + b, 0);
    check(typed.count.size === 3 && typable > 0 && typed.done.size === typable,
        `${dialogsDriven} dialogs driven, ${typed.done.size} of ${typable} fields typed into`);
    check(errors.length === 0, `console errors: ${errors.join('; ')}`);
    const s = await page.evaluate(() => window.tessaline.stats);
    console.log(`${events} events, ${dialogsDriven} dialogs, ${typed.done.size} fields typed into; ` +
        `${s.ticks} ticks, ${s.lateTicks} late, worst tick ${s.maxTickMs.toFixed(1)} ms`);
}
