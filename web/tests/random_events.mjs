// A student let loose on the page for a minute: seeded pointer moves, drags,
// clicks, wheel turns, keys, toolbar and menu choices and bad values typed
// into every dialog field. The ticks must keep coming, and every record stay
// within what the program itself lets it become.
import { check, sleep, selectAllAndType, openDialog } from './browser.mjs';

const SEED = Number(process.env.TESSALINE_EVENT_SEED || 20261208);
const SECONDS = Number(process.env.TESSALINE_EVENT_SECONDS || 60);
const BAD_TEXTS = ['1e30', '-5', 'abc', '', 'NaN', '1e-30', '99999', '0', '-0.0001', '3.5'];
const DIALOGS = [30016, 30017, 30018];
const TINY = 1.4e-45, HUGE = 3.4e38;
// What each control lets a value become, whatever the order of the input;
// what is kept in degrees only has to be finite.
const RANGES = Object.entries({
    stimulus: { stimulusType: [1, 6], barLength: [0, 14], barWidth: [0, 14], orientation: [0, 360], gratingRadius: [TINY, 8],
        gratingSf: [0, 100], gratingPhase: [0, 360], gratingVelocity: [0, 20], modulationRate: [0, 20], contrastPercent: [0, 100],
        spotRadius: [0, HUGE] },
    receptiveField: { cellType: [1, 5], orientation: [0, 360], centreSigma: [TINY, 10], surroundSigma: [TINY, 50], displayMode: [1, 4] },
    modelOptions: { surroundWeight: [0.02, 4], gammaOrder: [1, 10], halfMaxContrast: [1, 100], currentMaxRate: [200, 250],
        currentSpontaneousRate: [0, 101] },
    traces: { traceIndex: [1, 7681] },
    simulation: { peakRate: [0, HUGE] },
}).flatMap(([record, fields]) => Object.entries(fields).map(([f, [lo, hi]]) => [`${record}.${f}`, lo, hi])).concat(
    ['stimulus.stimX', 'stimulus.stimY', ...['centreX', 'centreY', 'phase', 'spatialFrequency', 'width', 'length']
        .map((f) => `receptiveField.${f}`)].map((n) => [n, -HUGE, HUGE]));

// A seeded generator (32-bit linear congruential): the same seed, the same choices.
function generator(seed) {
    let a = seed >>> 0;
    const next = () => (a = (Math.imul(a, 1664525) + 1013904223) >>> 0) / 4294967296;
    const int = (lo, hi) => lo + Math.floor(next() * (hi - lo + 1));
    return { next, int, any: (list) => list[int(0, list.length - 1)] };
}

const outOfRange = (page) => page.evaluate((ranges) => {
    const M = window.tessaline.module;
    const bad = ranges.map(([n, lo, hi]) => [n, M.ccall('tess_get', 'number', ['string'], [n]), lo, hi])
        .filter(([, v, lo, hi]) => !(v >= lo && v <= hi)).map(([n, v]) => `${n} = ${v}`);
    const marks = M._tess_mark_count();
    return marks >= 0 && marks <= 100 ? bad : [...bad, `marks = ${marks}`];
}, RANGES);

// Closes whatever dialog an event left open, with its own button.
async function closeDialogs(page) {
    for (let button; (button = await page.$('dialog[open] .buttons button'));) await button.click();
}

// One dialog from the menu: every field typed into (each bad text in turn
// at each opening, then any), then random changes of its other controls.
async function driveDialog(page, rnd, typed, command) {
    const form = await openDialog(page, command);
    const turn = typed.turns.get(command) || 0;
    typed.turns.set(command, turn + 1);
    // Each entry of its list in turn, last first, so that every field gets enabled and typed into.
    await page.$eval(`${form} select`, (s, t) => { s.selectedIndex = s.options.length - 1 - t % s.options.length; s.dispatchEvent(new Event('change')); }, turn);
    const fields = await page.$$(`${form} input.number:not([readonly])`);
    for (const [i, input] of fields.entries()) {
        if (await input.evaluate((f) => f.disabled)) continue;
        await selectAllAndType(page, input, turn < BAD_TEXTS.length ? BAD_TEXTS[turn] : rnd.any(BAD_TEXTS));
        typed.done.add(`${command}/${i}`);
    }
    typed.count.set(command, fields.length);
    // Sliders (a little past their ends too), arrows and boxes, each scoped to the open form.
    for (let i = rnd.int(0, 6); i > 0; i--) {
        const kind = rnd.int(0, 2);
        const controls = await page.$$([['input[type=range]'], ['.arrow'], ['input[type=radio]', 'input[type=checkbox]']][kind]
            .map((p) => `${form} ${p}`).join(', '));
        if (controls.length === 0) continue;
        const control = rnd.any(controls);
        if (kind === 0) {
            await control.evaluate((s, v) => {
                s.value = String(Number(s.min) + v * (Number(s.max) - Number(s.min)));
                s.dispatchEvent(new Event('input'));
            }, rnd.next() * 1.2 - 0.1);
        } else for (let n = kind === 1 ? rnd.int(1, 12) : 1; n > 0; n--) await control.click();
    }
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
        const key = rnd.any(['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', '+', '-', 'Enter']);
        for (let n = key.startsWith('Arrow') ? rnd.int(1, 15) : 1; n > 0; n--) await page.keyboard.press(key);
    } else {
        await rnd.any(await page.$$('#toolbar button')).click();
    }
}

export async function randomEvents({ page }) {
    const rnd = generator(SEED);
    const canvas = await page.$('#canvas');
    const box = await canvas.boundingBox();
    await canvas.focus();
    const typed = { done: new Set(), count: new Map(), turns: new Map() };
    const ticks = () => page.evaluate(() => window.tessaline.stats.ticks);
    let events = 0, driven = 0, last = await ticks();
    for (const end = Date.now() + SECONDS * 1000; Date.now() < end;) {
        // Each dialog in turn first, then any; the records after each.
        const dialog = rnd.int(0, 19) === 0;
        if (dialog) await driveDialog(page, rnd, typed, driven < 3 ? DIALOGS[driven] : rnd.any(DIALOGS));
        else await fieldEvent(page, rnd, box);
        driven += dialog;
        await closeDialogs(page);
        if (++events % 25 !== 0 && !dialog) continue;
        const bad = await outOfRange(page);
        check(bad.length === 0, `after ${events} events (seed ${SEED}): ${bad.join(', ')}`);
        await sleep(60);
        const now = await ticks();
        check(now > last, `no tick up to event ${events} (seed ${SEED})`);
        last = now;
    }
    const typable = [...typed.count.values()].reduce((a, b) => a + b, 0);
    check(typed.count.size === 3 && typable > 0 && typed.done.size === typable,
        `${driven} dialogs driven, ${typed.done.size} of ${typable} fields typed into`);
}
