// What a student would check on the web edition, in a real browser.
//   node page_checks.mjs <check> <build-web/site> [reference frame]
// Checks: load, drag, resampled, toolbar, handplot, dialogs, frame, and
// those of reach_checks.mjs.
import { readFileSync } from 'node:fs';
import { openPage, canvasPixels, check, sleep, fieldCentre, field, frames, at, isGrey, selectAllAndType, range } from './browser.mjs';
import { moreChecks, moreOptions } from './reach_checks.mjs';

const [name, root, reference] = process.argv.slice(2);
// Clicks played at an output rate: a run of frames at the top level then one
// at the bottom, each about as long in time as six stream samples.
function countClicks(chunks, rate) {
    const level = 20000 / 32768, frames = 6 * rate / 44100;
    const samples = chunks.flatMap((c) => Array.from(c));
    const runAt = (i, want) => { let n = 0; while (Math.abs(samples[i + n] - want) < 1e-3) n++; return n; };
    let clicks = 0, misshapen = 0;
    for (let i = 0; i < samples.length; i++) {
        if (Math.abs(samples[i] - level) >= 1e-3 || (i > 0 && Math.abs(samples[i - 1] - level) < 1e-3)) continue;
        const up = runAt(i, level), down = runAt(i + up, -level);
        if (i + up + down >= samples.length) break;  // cut off by the end of the recording
        if (Math.abs(up - frames) <= 1 && Math.abs(down - frames) <= 1) clicks++;
        else misshapen++;
        i += up + down - 1;
    }
    return { clicks, misshapen };
}

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
        const worklet = new Worklet(), origin = Math.ceil(t.sound.playPosition()), out = [new Float32Array(128)];
        worklet.receive({ origin });
        // A first tick unheard: a tick of the page's own that came late is not counted.
        M._tess_neuron_tick(origin);
        const level = 20000 / 32768, length = 6 * rate / 44100;
        let spikes = 0, heard = 0, misshapen = 0, up = 0, down = 0, frames = 0, end = 0;
        const shape = () => {
            if (up || down) Math.abs(up - length) <= 1 && Math.abs(down - length) <= 1 ? heard++ : misshapen++;
            up = down = 0;
        };
        for (let tick = 1; end === 0 || worklet.position < end + 882; tick++) {
            if (tick <= ticks) {
                spikes += M._tess_neuron_tick(worklet.position);
                const start = M._tess_audio_slice_start(), n = M._tess_audio_slice_length();
                const samples = new Int16Array(M.HEAP16.buffer, M._tess_audio_slice(), n).slice();
                // The first slice may open with the rest of the unheard tick's last click.
                for (let i = 0; tick === 1 && i < n && samples[i] !== 0; i++) samples[i] = 0;
                worklet.receive({ start, samples });
                if (tick === ticks) end = start + n;
            }
            for (; frames < tick * rate / 50; frames += 128) {
                worklet.process([], [out]);
                for (const v of out[0]) {
                    if (v === level && down === 0) up++;
                    else if (v === -level && up > 0) down++;
                    else shape(), v === level ? up++ : v !== 0 && misshapen++;
                }
            }
        }
        t.resume();
        return { spikes, heard, misshapen, lost: worklet.lostClicks, moved: worklet.position - origin, frames };
    }, rate, ticks);
}

const checks = {
    async load({ page, errors }) {
        const img = await canvasPixels(page);
        check(img.width === 1000 && img.height === 700, `canvas backing ${img.canvas}`);
        check(isGrey(at(img, 20, img.height - 20)) && isGrey(at(img, img.width - 20, img.height / 2)),
            'the background is not grey');
        const [cx, cy] = await fieldCentre(page);
        check(Math.abs(cx - 500) <= 1 && Math.abs(cy - 350) <= 1, `field centre ${cx}, ${cy}`);
        const [lo, hi] = range(img, cx, cy, 30);
        check(lo < 90 && hi > 170, `no receptive-field map in the middle (green ${lo}..${hi})`);
        const tools = await page.$$eval('#toolbar button', (b) => b.map((x) => [x.title, x.querySelector('img').naturalWidth]));
        check(tools.length === 11, `${tools.length} toolbar buttons`);
        check(tools[1][0] === 'Annulus ' && tools[10][0] === 'Help', `tooltips ${JSON.stringify(tools)}`);
        check(tools.every((t) => t[1] === 32), 'a toolbar picture did not load');
        const menu = await page.$$eval('#options-menu button', (b) => b.map((x) => x.textContent));
        check(menu.join('|') === 'Select stimulus|Select receptive field|More options|Open lesson…|Save lesson…|' +
            'Save teacher\'s copy…|Share link|Exit', `menu ${menu}`);
        // The items' commands come from the core's ids by name.
        const commands = await page.$$eval('#options-menu [data-command]', (b) => b.map((x) => x.dataset.command));
        check(commands.join() === '30016,30017,30018,30001', `menu commands ${commands}`);
        check(await page.$eval('#sound-note', (n) => !n.hidden), 'the page does not say how to start the sound');
        await page.click('#toolbar button[data-command="30029"]');
        const help = await page.$eval('#help-text', (t) => t.value);
        check(help.startsWith('Tessaline simulates'), 'help text missing');
        check(errors.length === 0, `console errors: ${errors.join('; ')}`);
    },

    async drag({ page, errors }) {
        const [cx, cy] = await fieldCentre(page);
        const spontaneous = await field(page, 'modelOptions.currentSpontaneousRate');
        // The first click starts the sound; then listen to what is played.
        await page.mouse.click(20, 36 + 600);
        await page.waitForFunction(() => window.tessaline.sound.state === 'playing', { timeout: 10000 });
        await page.evaluate(() => window.tessaline.sound.startTap());
        check(await page.$eval('#sound-note', (n) => n.hidden), 'the sound note stays after the sound started');
        // The bar, upright like the field's bars, swept to and fro across it.
        await page.mouse.move(cx - 120, 36 + cy);
        await page.mouse.down();
        // The readout as the student would watch it, highest while sweeping.
        const readout = async () => Number(/peak rate = *([0-9.]+)/.exec(await page.evaluate(() => {
            const M = window.tessaline.module;
            return M.UTF8ToString(M._tess_overlay_text(2));
        }))[1]);
        let rate = 0;
        for (let sweep = 0; sweep < 4; sweep++) {
            const dir = sweep % 2 === 0 ? 1 : -1;
            for (let s = 0; s <= 40; s++) {
                await page.mouse.move(cx + dir * (-120 + 6 * s), 36 + cy);
                await sleep(15);
                if (s % 4 === 0) rate = Math.max(rate, await readout());
            }
        }
        await page.mouse.up();
        check(rate > spontaneous + 5, `peak rate ${rate} while dragging, spontaneous ${spontaneous}`);
        // The clicks written so far lie up to a lead and a tick ahead of the
        // play position: heard once the worklet has played that far.
        const written = await page.evaluate(() => window.tessaline.module._tess_audio_slice_start() +
            window.tessaline.module._tess_audio_slice_length());
        await page.waitForFunction((end) => window.tessaline.sound.reported >= end, {}, written);
        const { clicks } = countClicks(await page.evaluate(() => window.tessaline.sound.tap.map((c) => Array.from(c))), 44100);
        check(clicks > 0, 'no click in the worklet\'s output');
        check(errors.length === 0, `console errors: ${errors.join('; ')}`);
    },

    // Where the browser will not play at 44.1 kHz, the page plays at its rate
    // and the worklet plays each stream sample at its place in time: 10 s of
    // stream on the scripted clock at 48 kHz, every spike one whole click.
    async resampled({ page, errors }) {
        await page.click('#toolbar button[data-command="30024"]');  // an ON-centre cell at rest
        await page.mouse.click(20, 36 + 600);
        await page.waitForFunction(() => window.tessaline.sound.state === 'playing', { timeout: 10000 });
        check(await page.evaluate(() => window.tessaline.sound.context.sampleRate) === 48000, 'not at 48 kHz');
        const r = await scriptedWorklet(page, 48000, 500);
        // The stream moves on 44,100 samples for every 48,000 frames played.
        check(r.moved === Math.floor(r.frames * 44100 / 48000), `${r.moved} stream samples in ${r.frames} frames`);
        check(r.spikes > 100 && r.heard === r.spikes && r.misshapen + r.lost === 0,
            `${r.heard} whole clicks heard of ${r.spikes} spikes, ${r.misshapen} misshapen, ${r.lost} too late`);
        check(errors.length === 0, `console errors: ${errors.join('; ')}`);
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

    // On a screen of two device pixels per CSS pixel (the marks land under
    // the pointer in device pixels), in a browser with no sound to be had.
    async handplot({ page }) {
        const [cx, cy] = await fieldCentre(page);
        const near = [cx - 100, cy - 100, 200, 200];
        const img = await canvasPixels(page, near);
        check(img.canvas[0] === 2000 && img.canvas[1] === 1400, `canvas backing ${img.canvas} at ratio 2`);
        const to = (x, y) => [x / 2, 36 + y / 2];
        // Hidden, as the receptive-field dialog would set it.
        await field(page, 'receptiveField.displayMode', 3);
        // Nothing else can be written from the page, whatever is typed into its console.
        check(await field(page, 'traces.traceIndex', 1e9) <= 7680, 'the trace index took a write');
        check(await field(page, 'receptiveField.displayMode', 99) === 3, 'the display mode left its range');
        await page.mouse.click(...to(cx - 60, cy + 200));
        await page.waitForFunction(() => window.tessaline.sound.state === 'none');
        const message = await page.$eval('#message', (m) => m.open && m.textContent.replace(/\s+/g, ' ').trim());
        check(message === 'Tessaline Error preparing wave header OK', `no-sound message: ${message}`);
        await page.click('#message-ok');
        await frames(page);
        const hidden = await canvasPixels(page, near);
        check(isGrey(at(hidden, cx, cy)) && isGrey(at(hidden, cx + 10, cy)), 'the hidden field is still drawn');
        await page.mouse.move(...to(cx, cy));
        await page.keyboard.type('+');
        await page.mouse.move(...to(cx + 40, cy));
        await page.keyboard.type('-');
        await frames(page);
        check(await page.evaluate(() => window.tessaline.module._tess_mark_count()) === 2, 'two keys left no two marks');
        const marked = await canvasPixels(page, near);
        check(at(marked, cx, cy).every((v) => v === 255), 'no white plus mark at the first place');
        check(at(marked, cx + 40, cy).every((v) => v === 255), 'no white minus mark at the second place');
        await page.keyboard.press('Enter');
        await frames(page);
        check(await field(page, 'receptiveField.displayMode') === 4, 'Enter did not reveal the field');
        const revealed = await canvasPixels(page, near);
        let drawn = 0;
        for (let y = cy - 60; y <= cy + 60; y++) {
            for (let x = cx - 60; x <= cx + 60; x++) if (!isGrey(at(revealed, x, y))) drawn++;
        }
        check(drawn > 4 * 2 + 100, `the revealed field shows only ${drawn} pixels`);
    },

    // The dialogs' forms write the records through the core's rules, live.
    async dialogs({ page, errors }) {
        const open = async (command, title) => {
            await page.click('#options-button');
            await page.click(`#options-menu [data-command="${command}"]`);
            return `dialog.form[aria-label="${title}"]`;
        };
        const label = (form, text) => page.evaluateHandle((f, t) => [...document.querySelectorAll(`${f} label`)]
            .find((l) => l.textContent === t).querySelector('input'), form, text);
        let form = await open(30016, 'Select stimulus');
        check(await field(page, 'stimulus.stimulusOn') === 1, 'the stimulus is not shown while its dialog is open');
        await page.select(`${form} select`, 'Sine wave grating');
        check(await field(page, 'stimulus.stimulusType') === 4, 'the list chose no grating');
        const radius = await page.$(`${form} input.number`);
        await selectAllAndType(page, radius, '1.5');
        check(await field(page, 'stimulus.gratingRadius') === 1.5, 'the typed radius did not reach the stimulus');
        const sensitivity = () => page.$$eval(`${form} input.number`, (f) => f[5].value);
        await page.$$eval(`${form} input[type=range]`, (r) => {
            r[4].value = '20';
            r[4].dispatchEvent(new Event('input'));
        });
        check(await field(page, 'stimulus.contrastPercent') === 10 && await sensitivity() === '10',
            `contrast slider: ${await field(page, 'stimulus.contrastPercent')} %, sensitivity ${await sensitivity()}`);
        await page.click(`${form} .buttons button`);
        await frames(page, 1);
        check(await field(page, 'stimulus.stimulusOn') === 0, 'closing left the stimulus on');

        form = await open(30017, 'Receptive field parameters');
        await page.select(`${form} select`, 'Complex cell');
        check(await field(page, 'receptiveField.cellType') === 5, 'the list chose no complex cell');
        const sf = await field(page, 'receptiveField.spatialFrequency');
        await page.$$eval(`${form} fieldset .arrow[aria-label=up]`, (a) => a[0].click());
        check(await field(page, 'receptiveField.spatialFrequency') > sf, 'the SF arrow did not step');
        await (await label(form, 'Hide')).click();
        check(await field(page, 'receptiveField.displayMode') === 3, 'Hide did not hide the field');
        await page.keyboard.press('Escape');

        form = await open(30018, 'More options');
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
        check(errors.length === 0, `console errors: ${errors.join('; ')}`);
    },

    async frame({ page }) {
        const bytes = readFileSync(reference);
        const [w, h] = new Int32Array(bytes.buffer, bytes.byteOffset, 2);
        // The same records and clock readings as the native core's frame.
        const frame = await page.evaluate((width, height) => {
            const t = window.tessaline;
            t.pause();
            const M = t.module;
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
        let worst = 0, where = '';
        for (let i = 0; i < w * h; i++) {
            // Reference bytes: blue, green, red, unused; the page's: red, green, blue, alpha.
            const o = 8 + 4 * i;
            const d = Math.max(Math.abs(frame.data[4 * i] - bytes[o + 2]), Math.abs(frame.data[4 * i + 1] - bytes[o + 1]),
                Math.abs(frame.data[4 * i + 2] - bytes[o]));
            if (d > worst) { worst = d; where = `${i % w}, ${Math.floor(i / w)}`; }
        }
        check(worst <= 1, `frame differs from the native one by ${worst} grey levels at ${where}`);
    },
};

const run = checks[name] || moreChecks[name];
if (!run) {
    console.error(`unknown check ${name}`);
    process.exit(2);
}
const options = { handplot: { scale: 2, noAudio: true }, resampled: { outputRate: 48000 }, ...moreOptions };
const session = await openPage(root, options[name] || {});
try {
    await run(session);
    console.log(`${name}: passed`);
} catch (failure) {
    console.error(`${name}: ${failure.stack}`);
    process.exitCode = 1;
} finally {
    await session.close();
}
