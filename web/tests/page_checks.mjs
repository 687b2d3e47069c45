// What a student would check on the web edition, in a real browser (and the checks of reach_checks.mjs).
//   node page_checks.mjs <check> <build-web/site> [reference frame]
import { readFileSync } from 'node:fs';
import { SCREENS, runCheck, canvasPixels, check, firefox, fieldCentre, field, frames, at, isGrey, selectAllAndType, mapDrawn, sweepRaisesRate,
    startSound, message, openDialog } from './browser.mjs';
import { moreChecks, moreOptions } from './reach_checks.mjs';

const [name, root, reference] = process.argv.slice(2);

// The worklet's own code on a scripted clock at an output rate: `ticks` of the
// core's neuron ticks at the positions it reports, each tick's 20 ms rendered
// in quanta of 128 frames, then on until all it was handed is played. Counts
// the spikes, the whole clicks played and any other shape.
function scriptedWorklet(page, rate, ticks) {
    return page.evaluate(async (rate, ticks) => {
        const t = window.tessaline, M = t.module;
        t.pause();
        let Worklet = null;
        class Processor { constructor() { this.port = { postMessage() {} }; } }
        new Function('AudioWorkletProcessor', 'registerProcessor', 'sampleRate', 'currentFrame',
            await (await fetch('worklet.js')).text())(Processor, (name, c) => { Worklet = c; }, rate, 0);
        // The core's stream rate and click level, as the page hands them over.
        const worklet = new Worklet({ processorOptions: JSON.parse(M.UTF8ToString(M._tess_names())).constants });
        const origin = Math.ceil(t.sound.playPosition()), out = [new Float32Array(128)];
        worklet.receive({ origin });
        // A first tick unheard: a tick of the page's own that came late is not counted.
        M._tess_neuron_tick(origin);
        const level = 20000 / 32768, length = 6 * rate / 44100;
        let spikes = 0, frames = 0, end = 0, played = '';
        // One tick more than counted hands over the tail of a click that the
        // last counted slice ends in; only sounds that begin before its end count.
        for (let tick = 1; end === 0 || worklet.position < end + 2 * 882; tick++) {
            if (tick <= ticks + 1) {
                const fired = M._tess_neuron_tick(worklet.position);
                if (tick <= ticks) spikes += fired;
                const start = M._tess_audio_slice_start(), n = M._tess_audio_slice_length();
                const samples = new Int16Array(M.HEAP16.buffer, M._tess_audio_slice(), n).slice();
                // The first slice may open with the rest of the unheard tick's last click.
                for (let i = 0; tick === 1 && i < n && samples[i] !== 0; i++) samples[i] = 0;
                worklet.receive({ start, samples });
                if (tick === ticks) end = start + n;
            }
            for (; frames < tick * rate / 50; frames += 128) {
                worklet.process([], [out]);
                played += Array.from(out[0], (v) => (v === level ? 'u' : v === -level ? 'd' : v ? 'x' : '0')).join('');
            }
        }
        t.resume();
        // Each sound played: a whole click is `length` frames up, then as many down.
        const cut = Math.floor((end - origin) * rate / 44100);  // the last counted slice's end, in frames
        const sounds = [...played.slice(0, cut).matchAll(/u+d+|[udx]+/g)]
            .map((m) => (m.index + m[0].length < cut ? m[0] : played.slice(m.index).match(/^(u+d+|[udx]+)/)[0]));
        const heard = sounds.filter((s) => /^u+d+$/.test(s) && Math.abs(s.indexOf('d') - length) <= 1
            && Math.abs(s.length - s.indexOf('d') - length) <= 1).length;
        return { spikes, heard, misshapen: sounds.length - heard, lost: worklet.lostClicks, moved: worklet.position - origin, frames };
    }, rate, ticks);
}

// The readouts over a field 300 to 900 pixels wide in 3-pixel steps, a grating's three texts and a bar's two:
// the peak rate never touches the others.
function readoutsOfEveryWidth(page) {
    return page.evaluate(async () => {
        const said = [], stage = document.getElementById('stage');
        for (const type of [30022, 30021]) {
            window.tessaline.run(type);
            for (let width = 300; width <= 900; width += 3) {
                stage.style.flex = `0 0 ${width}px`;
                for (const t = window.tessaline.stats.ticks; window.tessaline.stats.ticks < t + 3;) await new Promise((r) => setTimeout(r, 5));
                const r = window.tessaline.readouts, peak = r.at(-1), touch = (t) => t.right + 3 > peak.left && t.bottom > peak.top;
                if (r.slice(0, -1).some(touch)) said.push(`${width}: ${JSON.stringify(r)}`);
            }
        }
        return (stage.style.flex = '', said);
    });
}

// A phone turned from upright to wide and back, the field and the stimulus placed by a lesson measured on this
// field (once the last panel has given its room back): their offsets from its centre in degrees stay, and their sizes.
async function turned(page) {
    await frames(page);
    const read = (place) => page.evaluate((place) => {
        const M = window.tessaline.module, c = document.getElementById('canvas'), [x, y] = [c.width / 76, c.height / 76];
        const lesson = { format: 'tessaline-lesson', version: 1, area: { width: c.width, height: c.height },
            cell: { x: x + 1.5, y: y - 2 }, stimulus: { type: 'bar', x: x - 2, y: y + 1 } };
        if (place) window.tessaline.lesson.openLink(`#lesson=${btoa(JSON.stringify(lesson)).replace(/=+$/, '').replace(/\+/g, '-').replace(/\//g, '_')}`);
        return ['receptiveField.centreX', 'receptiveField.centreY', 'stimulus.stimX', 'stimulus.stimY', 'stimulus.barLength', 'stimulus.barWidth']
            .map((n, i) => (M.ccall('tess_get', 'number', ['string'], [n]) - [x, y, x, y, 0, 0][i]).toFixed(3)).join(' ');
    }, place);
    const said = [], before = await read(true);
    for (const [width, height] of [[844, 390], [390, 844]]) {
        await page.setViewport({ width, height, deviceScaleFactor: 3, isMobile: !firefox, hasTouch: true });
        await frames(page);
        if (await read(false) !== before) said.push(`turned to ${width}x${height}: ${await read(false)} (was ${before})`);
    }
    return said;
}

const checks = {
    async load({ page }) {
        const img = await canvasPixels(page);
        check(img.width === 1000 && img.height === 700, `canvas backing ${img.canvas}`);
        check(isGrey(at(img, 20, img.height - 20)) && isGrey(at(img, img.width - 20, img.height / 2)),
            'the background is not grey');
        const centre = await fieldCentre(page);
        check(Math.abs(centre[0] - 500) <= 1 && Math.abs(centre[1] - 350) <= 1, `field centre ${centre}`);
        await mapDrawn(page, centre);
        const tools = await page.$$eval('#toolbar button', (b) => b.map((x) => [x.title, x.querySelector('img').naturalWidth]));
        check(tools.length === 11 && tools[10][0] === 'Help' && tools.every((t) => t[1] === 32), `toolbar ${JSON.stringify(tools)}`);
        check(await page.$eval('#sound-note', (n) => !n.hidden), 'the page does not say how to start the sound');
        await page.click('#toolbar button[data-command="30029"]');
        check((await page.$eval('#help-text', (t) => t.value)).startsWith('Tessaline simulates'), 'help text missing');
    },

    // The bar, upright like the field's bars, swept to and fro across it
    // with the sound started: the rate rises and a click is played.
    async drag({ page }) {
        const centre = await fieldCentre(page);
        await startSound(page);
        await page.evaluate(() => window.tessaline.sound.startTap());
        check(await page.$eval('#sound-note', (n) => n.hidden), 'the sound note stays after the sound started');
        await page.mouse.move(centre[0] - 120, 36 + centre[1]);
        await page.mouse.down();
        await sweepRaisesRate(page, centre, (x, y) => page.mouse.move(x, y), 'dragging');
        await page.mouse.up();
        // The clicks written so far lie up to a lead and a tick ahead of the
        // play position: heard once the worklet has played that far.
        const written = await page.evaluate(() => window.tessaline.module._tess_audio_slice_start() +
            window.tessaline.module._tess_audio_slice_length());
        await page.waitForFunction((end) => window.tessaline.sound.reported >= end, {}, written);
        // A whole click: six samples at the top level, then six at the bottom.
        const played = await page.evaluate(() => window.tessaline.sound.tap.map((c) => Array.from(c,
            (v) => (Math.abs(Math.abs(v) - 20000 / 32768) < 1e-3 ? (v > 0 ? 'u' : 'd') : '0')).join('')).join(''));
        check(/(?<!u)u{5,7}d{5,7}(?!d)/.test(played), 'no whole click in the worklet\'s output');
    },

    // Where the browser will not play at 44.1 kHz, the page plays at its rate
    // and the worklet plays each stream sample at its place in time: 10 s of
    // stream on the scripted clock at 48 kHz, every spike one whole click.
    async resampled({ page }) {
        await page.click('#toolbar button[data-command="30024"]');  // an ON-centre cell at rest
        await startSound(page);
        check(await page.evaluate(() => window.tessaline.sound.context.sampleRate) === 48000, 'not at 48 kHz');
        const r = await scriptedWorklet(page, 48000, 500);
        // The stream moves on 44,100 samples for every 48,000 frames played.
        check(r.moved === Math.floor(r.frames * 44100 / 48000), `${r.moved} stream samples in ${r.frames} frames`);
        check(r.spikes > 100 && r.heard === r.spikes && r.misshapen + r.lost === 0,
            `${r.heard} whole clicks heard of ${r.spikes} spikes, ${r.misshapen} misshapen, ${r.lost} too late`);
    },

    // 200 s of stream on the scripted clock, played by the worklet's code:
    // every spike is heard once as a whole click, none lost, far past where a
    // stream of fixed length would have started over.
    async session({ page }) {
        await page.click('#toolbar button[data-command="30024"]');  // an ON-centre cell
        const [cx, cy] = await fieldCentre(page);
        await page.mouse.move(cx, 36 + cy);
        await page.mouse.down();  // a spot on its centre, held
        await frames(page);
        const r = await scriptedWorklet(page, 44100, 10000);
        await page.mouse.up();
        check(r.spikes > 2000 && r.moved === r.frames, `only ${r.spikes} spikes in 200 s, ${r.moved} samples in ${r.frames} frames`);
        check(r.heard === r.spikes && r.misshapen + r.lost === 0,
            `${r.heard} clicks heard of ${r.spikes} spikes, ${r.misshapen} misshapen, ${r.lost} lost`);
    },

    async toolbar({ page }) {
        const [cx, cy] = await fieldCentre(page);
        const symmetry = (img) => Math.abs(at(img, cx + 10, cy)[1] - at(img, cx, cy + 10)[1]);
        const before = await canvasPixels(page);
        check(symmetry(before) > 40, 'the simple cell\'s map is not striped');
        await page.click('#toolbar button[data-command="30024"]');
        await frames(page);
        check(await field(page, 'receptiveField.cellType') === 1, 'the ON-centre button made no ON-centre cell');
        const after = await canvasPixels(page);
        check(symmetry(after) <= 2, 'the ON-centre map is not round');
        check(at(after, cx, cy)[1] > 170, 'the ON-centre map has no bright centre');
    },

    // On a screen of two device pixels per CSS pixel (the canvas holds one
    // pixel per CSS pixel, and the marks land under the pointer), in a
    // browser with no sound to be had.
    async handplot({ page }) {
        const [cx, cy] = await fieldCentre(page);
        const near = [cx - 100, cy - 100, 200, 200];
        const img = await canvasPixels(page, near);
        check(img.canvas[0] === 1000 && img.canvas[1] === 700, `canvas backing ${img.canvas} at ratio 2`);
        const to = (x, y) => [x, 36 + y];
        // Hidden, as the receptive-field dialog would set it.
        await field(page, 'receptiveField.displayMode', 3);
        // Nothing else can be written from the page, whatever is typed into its console.
        check(await field(page, 'traces.traceIndex', 1e9) <= 7680, 'the trace index took a write');
        check(await field(page, 'receptiveField.displayMode', 99) === 3, 'the display mode left its range');
        await page.mouse.click(...to(cx - 60, cy + 200));
        await page.waitForFunction(() => window.tessaline.sound.state === 'none');
        check(await message(page) === 'Tessaline Error preparing wave header OK', `no-sound message: ${await message(page)}`);
        await page.click('#message-ok');
        await frames(page);
        const hidden = await canvasPixels(page, near);
        check(isGrey(at(hidden, cx, cy)) && isGrey(at(hidden, cx + 10, cy)), 'the hidden field is still drawn');
        await page.mouse.move(...to(cx, cy));
        await page.keyboard.type('+');
        await page.mouse.move(...to(cx + 40, cy));
        await page.keyboard.type('-');
        await frames(page);
        const marked = await canvasPixels(page, near);
        check(at(marked, cx, cy).every((v) => v === 255), 'no white plus mark at the first place');
        check(at(marked, cx + 40, cy).every((v) => v === 255), 'no white minus mark at the second place');
        await page.keyboard.press('Enter');
        await frames(page);
        const revealed = await canvasPixels(page, [cx - 60, cy - 60, 121, 121]);
        const drawn = [...Array(121 * 121).keys()].filter((i) => !isGrey(at(revealed, cx - 60 + i % 121, cy - 60 + Math.floor(i / 121)))).length;
        check(drawn > 4 * 2 + 100, `the revealed field shows only ${drawn} pixels`);
    },

    // The dialogs' forms write the records through the core's rules, live.
    async dialogs({ page }) {
        const label = (form, text) => page.evaluateHandle((f, t) => [...document.querySelectorAll(`${f} label`)]
            .find((l) => l.textContent === t).querySelector('input'), form, text);
        const form = await openDialog(page, 30016);
        check(await field(page, 'stimulus.stimulusOn') === 1, 'the stimulus is not shown while its dialog is open');
        await page.select(`${form} select`, 'Sine wave grating');
        check(await field(page, 'stimulus.stimulusType') === 4, 'the list chose no grating');
        await selectAllAndType(page, await page.$(`${form} input.number`), '1.5');
        check(await field(page, 'stimulus.gratingRadius') === 1.5, 'the typed radius did not reach the stimulus');
        const sensitivity = () => page.$$eval(`${form} input.number`, (f) => f[5].value);
        await page.$$eval(`${form} input[type=range]`, (r) => { r[4].value = '20'; r[4].dispatchEvent(new Event('input')); });
        check(await field(page, 'stimulus.contrastPercent') === 10 && await sensitivity() === '10',
            `contrast slider: ${await field(page, 'stimulus.contrastPercent')} %, sensitivity ${await sensitivity()}`);
        // Noise: a refused grid says why; the first frames under 100 ms wait for the flicker notice.
        await page.select(`${form} select`, 'White noise');
        const noise = await page.$$(`${form} input[aria-label^="Noise parameters"]`);
        await selectAllAndType(page, noise[0], '1');
        const said = await page.$eval(`${form} p.message`, (p) => p.textContent);
        check(said.includes('2 to 32') && await field(page, 'stimulus.noiseColumns') === 8, `grid of 1: "${said}"`);
        await selectAllAndType(page, noise[0], '12');
        await selectAllAndType(page, noise[2], '40');
        await page.waitForSelector('#message[open]');
        check(await field(page, 'stimulus.noiseFrameTicks') === 5, 'the short frames came before the notice');
        await page.click('#message-ok');
        await frames(page, 1);  // the message's close event comes after the click
        check(await field(page, 'stimulus.stimulusType') === 6 && await field(page, 'stimulus.noiseColumns') === 12 &&
            await field(page, 'stimulus.noiseFrameTicks') === 2, 'the noise fields did not reach the stimulus');
        await page.click(`${form} .buttons button`);
        await frames(page, 1);
        check(await field(page, 'stimulus.stimulusOn') === 0, 'closing left the stimulus on');

        await openDialog(page, 30017);
        await page.select(`${form} select`, 'Complex cell');
        check(await field(page, 'receptiveField.cellType') === 5, 'the list chose no complex cell');
        const sf = await field(page, 'receptiveField.spatialFrequency');
        await page.$$eval(`${form} fieldset .arrow[aria-label=up]`, (a) => a[0].click());
        check(await field(page, 'receptiveField.spatialFrequency') > sf, 'the SF arrow did not step');
        await (await label(form, 'Hide')).click();
        check(await field(page, 'receptiveField.displayMode') === 3, 'Hide did not hide the field');
        await page.keyboard.press('Escape');

        await openDialog(page, 30018);
        await (await label(form, 'Add background hash')).click();
        check(await field(page, 'modelOptions.backgroundHash') === 1, 'the hash box did not turn the hash on');
        await page.$$eval(`${form} .arrow[aria-label=up]`, (a) => a[1].click());
        check(await field(page, 'modelOptions.gammaOrder') === 7, 'the gamma arrow did not step');
        await page.click(`${form} .buttons button`);

        // A hand plot of the hidden field ends in its feedback table.
        await page.mouse.move(480, 36 + 330);
        await page.keyboard.type('+');
        await page.keyboard.press('Enter');
        const table = await page.waitForSelector('dialog.form[aria-label="Feedback"]');
        const shown = await table.$$eval('input', (f) => f.map((x) => x.value));
        check(shown[0] === 'complex' && shown[1] === '90' && shown.length === 14, `feedback fields ${JSON.stringify(shown)}`);
    },

    // A degree is 38 CSS pixels on every screen, 76 at 200 %, kept after a
    // reload: a spot of known diameter, shown under the mouse, measured on
    // the canvas's own pixels (its backing over its CSS size).
    async degree({ page }) {
        const said = [];
        const measure = async (label) => {
            await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 2, { timeout: 20000 });
            await field(page, 'receptiveField.displayMode', 3);
            await page.click('#toolbar button img[src$="spot.png"]');
            // The sound's prompt leaves once the sound starts, and the field moves up into its line.
            await page.keyboard.press('Shift');
            await page.waitForFunction(() => document.getElementById('sound-note').hidden, { timeout: 10000 });
            const box = await page.$eval('#canvas', (c) => { const r = c.getBoundingClientRect(); return [r.left, r.top, r.width, r.height, c.width]; });
            const [mx, my] = [Math.round(box[0] + box[2] / 2), Math.round(box[1] + box[3] / 2)];
            await page.mouse.move(mx, my);
            await page.mouse.down();
            for (let i = 0; i < 12; i++) await page.mouse.wheel({ deltaY: -100 });  // a larger spot, by the wheel
            await frames(page);
            const degrees = 2 * await field(page, 'stimulus.spotRadius');
            const scale = box[2] / box[4];  // CSS pixels per backing pixel
            const y = Math.floor((my - box[1]) / scale);
            const row = await canvasPixels(page, [0, y, box[4], 1]);
            const lit = [...Array(box[4]).keys()].filter((x) => !isGrey(at(row, x, y)));
            await page.mouse.up();
            // The information line's canvas is at the device's resolution.
            const sharp = await page.$eval('#overlay', (o) => o.width === Math.round(o.getBoundingClientRect().width * devicePixelRatio));
            const perDegree = lit.length * scale / degrees;
            const centre = lit.length ? box[0] + (lit[0] + lit[lit.length - 1] + 1) / 2 * scale : NaN;
            said.push(`${label}: ${perDegree.toFixed(1)} CSS px a degree, spot centre ${(centre - mx).toFixed(1)} px off the mouse${sharp ? '' : ', line not sharp'}`);
            return [perDegree, sharp ? Math.abs(centre - mx) : Infinity];
        };
        // A reload once the page has started (a new screen may have reloaded it already).
        const reload = async () => {
            await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 2, { timeout: 20000 });
            await page.reload();
        };
        const results = [];
        for (const [width, height, scale] of SCREENS) {
            const mobile = scale > 1 && width < 900;
            await page.setViewport({ width, height, deviceScaleFactor: scale, isMobile: mobile && !firefox, hasTouch: mobile });
            await reload();
            results.push([38, 1, ...await measure(`${width}x${height} @${scale}`)]);
        }
        for (let i = 0; i < 3; i++) {
            if (await page.$eval('#options-menu', (m) => m.hidden)) await page.click('#options-button');
            await page.click('#options-menu [data-name="zoomIn"]');
        }
        results.push([76, 2, ...await measure('200 %')]);
        await reload();
        results.push([76, 2, ...await measure('200 % after a reload')]);
        check(results.every(([want, within, got, off]) => Math.abs(got - want) <= within && off <= 2), said.join('; '));
        return said.join('; ');
    },

    // From a small phone to a projector, with no panel and with each panel in turn: every shown control on
    // the screen and at least 24 × 24, the panel's close button in sight, nothing scrolls sideways, the sound
    // prompt and the information line clear of each other and of every control, the readouts of each other and
    // of every panel, the on-screen keys of the field's centre. Then every width's readouts, and a phone turned.
    async viewports({ page }) {
        const faults = [];
        const lesson = Buffer.from(JSON.stringify({ format: 'tessaline-lesson', version: 1,
            instructions: 'Turn the bar with the arrow keys until the cell fires most.' })).toString('base64url');
        for (const [width, height, scale] of SCREENS) {
            const mobile = scale > 1 && width < 900;
            await page.setViewport({ width, height, deviceScaleFactor: scale, isMobile: mobile && !firefox, hasTouch: mobile });
            await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 2, { timeout: 20000 });
            // As after a first touch, which shows the on-screen keys.
            await page.evaluate(() => document.body.classList.add('touch'));
            for (const panel of ['', 'record', 'tuning', 'map', 'lesson', 'help']) {
                const said = await page.evaluate(async (panel, lesson) => {
                    const $ = (id) => document.getElementById(id);
                    const [open, close] = { record: [() => $('record-toggle').click(), '#record-panel .head > button:last-child'],
                        tuning: [() => $('tuning-item').click(), '#tuning-close'], map: [() => $('map-item').click(), '#map-close'], help: [() => window.tessaline.run(30029), '#help-close'],
                        lesson: [() => window.tessaline.lesson.openLink(`#lesson=${lesson}`), '#instructions-hide'] }[panel] || [];
                    if (open) open();
                    for (const t = window.tessaline.stats.ticks; window.tessaline.stats.ticks < t + 4;) await new Promise((r) => setTimeout(r, 5));
                    const box = (e) => e.getBoundingClientRect();
                    const shown = [...document.querySelectorAll('button, a[href], input, select, textarea')].filter((e) => e.checkVisibility());
                    // A panel's controls may lie below the fold of its own scrolling.
                    const said = shown.filter((e) => { const r = box(e), sheet = e.closest('#panels') ? box($('panels')) : r;
                        return r.left < 0 || sheet.top < 0 || r.right > innerWidth || sheet.bottom > innerHeight
                            || r.width < 24 || r.height < 24; }).map((e) => e.id || e.title || e.textContent);
                    // The body's too: it clips what would otherwise make the page scroll.
                    const wide = Math.max(document.documentElement.scrollWidth, document.body.scrollWidth);
                    if (wide > innerWidth) said.push(`scrolls to ${wide}`);
                    const overlap = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
                    const clear = [$('sound-note'), $('overlay')];
                    for (const [i, c] of clear.entries()) {
                        for (const e of [...shown, ...clear.slice(i + 1)]) if (c.checkVisibility() && overlap(box(c), box(e))) said.push(`${c.id} over ${e.id || e.title}`);
                    }
                    const keys = box($('touch-keys')), field = box($('canvas'));
                    const [x, y] = [field.left + field.width / 2, field.top + field.height / 2];
                    if (x > keys.left && x < keys.right && y > keys.top && y < keys.bottom) said.push('keys over the centre');
                    // The peak rate (last) a few pixels clear of the texts before it.
                    const readouts = window.tessaline.readouts, peak = readouts.at(-1);
                    if (readouts.slice(0, -1).some((r) => r.right + 3 > peak.left && r.bottom > peak.top)) said.push(`readouts touch ${JSON.stringify(readouts)}`);
                    const panels = [...document.querySelectorAll('#panels > *, dialog[open], [id$="-panel"]')].filter((e) => e.checkVisibility());
                    for (const p of panels) for (const r of readouts) if (overlap(box(p), r)) said.push(`${p.id} over "${r.text}"`);
                    if (close) {
                        const c = document.querySelector(close), b = box(c);
                        if (!c.contains(document.elementFromPoint(b.left + b.width / 2, b.top + b.height / 2))) said.push(`${close} out of sight`);
                        c.click(), panel === 'record' && $('record-toggle').click();  // closed, and the recording stopped
                    }
                    return said;
                }, panel, lesson);
                if (said.length) faults.push(`${width}x${height} ${panel}: ${said.join(', ')}`);
            }
            if (width === 1280) faults.push(...await readoutsOfEveryWidth(page));
            if (width === 390) faults.push(...await turned(page));
        }
        check(faults.length === 0, faults.join('; '));
    },

    async frame({ page }) {
        const bytes = readFileSync(reference);
        const [w, h] = new Int32Array(bytes.buffer, bytes.byteOffset, 2);
        // The same records and clock readings as the native core's frame.
        const frame = await page.evaluate((width, height) => {
            const M = window.tessaline.module;
            window.tessaline.pause();
            M._tess_start(width, height, 12345);
            M._tess_command(30028);  // complex cell
            M._tess_command(30022);  // grating
            M._tess_pointer_move(300, 250 + 36);
            M._tess_button_down();
            for (const ms of [1000, 1020, 1040]) M._tess_scene_tick(ms);
            const p = M._tess_frame();
            const info = Array.from(new Int32Array(M.HEAP32.buffer, M._tess_frame_info(), 3));
            return { info, data: Array.from(M.HEAPU8.subarray(p, p + width * height * 4)) };
        }, w, h);
        check(frame.info[0] === w && frame.info[1] === h, `frame ${frame.info}`);
        // The most a channel differs from reference frame n, and where.
        // Reference bytes: blue, green, red, unused; the page's: red, green, blue, alpha.
        const differs = (data, n) => {
            let worst = 0, where = '';
            for (let i = 0; i < w * h; i++) {
                const d = Math.max(...[2, 1, 0].map((c, k) => Math.abs(data[4 * i + k] - bytes[8 + 4 * (n * w * h + i) + c])));
                if (d > worst) [worst, where] = [d, `${i % w}, ${Math.floor(i / w)}`];
            }
            return `${worst} grey levels at ${where}`;
        };
        const first = differs(frame.data, 0);
        check(first.startsWith('0 ') || first.startsWith('1 '), `frame differs from the native one by ${first}`);
        // Ten ticks of a drag painted as a slow machine paints them, every
        // other frame left out: the canvas ends as the native tenth frame.
        await page.evaluate(async () => {
            const { FrameView } = await import('./frame_view.js');
            const M = window.tessaline.module;
            FrameView.cleared = true;
            for (let k = 0; k < 10; k++) {
                M._tess_pointer_move(300 + 7 * k, 286 + 3 * k);
                M._tess_scene_tick(1060 + 20 * k);
                if (k % 2) FrameView.paint();
                else M._tess_frame_note();
            }
        });
        const last = differs((await canvasPixels(page, [0, 0, w, h])).data, 1);
        check(last.startsWith('0 ') || last.startsWith('1 '), `the canvas after a drag differs from the native frame by ${last}`);
    },
};

const run = checks[name] || moreChecks[name];
if (!run) throw new Error(`unknown check ${name}`);
const options = {
    // A browser without audio worklets, as some still are.
    handplot: { scale: 2, before: () => { delete window.AudioWorkletNode; } },
    // A browser that plays at 48 kHz alone and refuses any other rate.
    resampled: { before: () => {
        window.AudioContext = class extends window.AudioContext {
            constructor(options = {}) {
                if (![undefined, 48000].includes(options.sampleRate)) throw new DOMException('rate refused', 'NotSupportedError');
                super({ ...options, sampleRate: 48000 });
            }
        };
    } },
    ...moreOptions,
};
await runCheck(name, root, options[name] || {}, run);
