// From a press to its clicks on the web page, in headless Chromium or
// Firefox: twenty presses of a spot on an ON-centre cell, each at a random
// phase of the page's ticks. The play position at each press is taken in the
// page's own pointerdown handler (capture phase, before the page's); the
// clicks are found in the samples the worklet played. Prints the latency of
// every press to the first click of its burst, the median, the 95th
// percentile, the half-rise of a 5 ms histogram over all presses and the
// clicks lost. With BUSY_SECONDS, a grating held over a complex cell instead.
//   node web_latency.mjs <build-web> [chromium|firefox] [presses]
const [root, which = 'chromium', count = '20'] = process.argv.slice(2);
// The browsers' launcher reads which browser to start as it loads.
process.env.TESSALINE_BROWSER = which;
const { openPage, sleep } = await import('../../web/tests/browser.mjs');
const presses = Number(count);
const session = await openPage(root);
const { page } = session;

// A grating held over a complex cell for that many seconds (beside the
// burners run.sh starts), with the lead and the losses every 10 s.
async function holdGrating(seconds) {
    await page.click('#toolbar button[data-command="30028"]');  // a complex cell
    await page.click('#toolbar button[data-command="30022"]');  // a grating
    await page.mouse.down();
    for (let s = 0; s < seconds; s += 10) {
        await sleep(1000 * Math.min(10, seconds - s));
        const t = await page.evaluate(() => window.tessaline.stats);
        console.log(`${String(s + 10).padStart(4)} s: lead ${t.lead} samples (${(t.lead / 44.1).toFixed(1)} ms), ` +
            `${t.lateTicks} late page ticks, ${t.lostClicks} lost clicks`);
    }
    await page.mouse.up();
}

try {
    await page.click('#toolbar button[data-command="30024"]');  // an ON-centre cell
    const [cx, cy] = await page.evaluate(() => {
        const M = window.tessaline.module;
        const get = (n) => M.ccall('tess_get', 'number', ['string'], [n]);
        return [Math.round(get('receptiveField.centreX') * 38), Math.round(get('receptiveField.centreY') * 38)];
    });
    // No spontaneous clicks, set in More options as a student would: the first
    // click after a press is then its burst's.
    await page.click('#options-button');
    await page.click('#options-menu [data-command="30018"]');
    const form = 'dialog.form[aria-label="More options"]';
    for (let i = 0; i < 30; i++) await page.$$eval(`${form} .arrow[aria-label=down]`, (a) => a[2].click());
    await page.click(`${form} .buttons button`);
    const rest = await page.evaluate(() => window.tessaline.module.ccall('tess_get', 'number', ['string'],
        ['modelOptions.currentSpontaneousRate']));
    if (rest !== 0) throw new Error(`the spontaneous rate is ${rest}, not 0`);
    await page.mouse.click(20, 36 + 650);  // a gesture that starts the sound, away from the field
    await page.waitForFunction(() => window.tessaline.sound.state !== 'starting' && window.tessaline.sound.state !== 'waiting',
        { timeout: 15000 });
    const state = await page.evaluate(() => window.tessaline.sound.state);
    if (state !== 'playing') throw new Error(`no sound in ${which}: ${state}`);
    await page.mouse.move(cx, 36 + cy);
    const busySeconds = Number(process.env.BUSY_SECONDS || 0);
    if (busySeconds > 0) await holdGrating(busySeconds);
    else await measurePresses();
} finally {
    await session.close();
}

// The model alone on this page, as a machine with no delay would play it:
// the page's ticks paused, the same presses at random phases of scripted
// ticks, each tick's clicks timed from the start of its slice as if that
// slice were heard the moment the tick runs. Returns the press-to-first-click
// times in ms.
function modelAlone(count) {
    const M = window.tessaline.module;
    window.tessaline.pause();
    let t = performance.now(), position = window.tessaline.sound.playPosition(), seed = 11;
    let clicks = [];
    const tick = () => {
        M._tess_scene_tick(t);
        M._tess_neuron_tick(position);
        const start = M._tess_audio_slice_start(), length = M._tess_audio_slice_length();
        const samples = new Int16Array(M.HEAP16.buffer, M._tess_audio_slice(), length);
        for (let i = 0; i < length; i++)
            if (samples[i] === 20000 && (i === 0 || samples[i - 1] !== 20000)) clicks.push(t + i * 1000 / 44100);
        t += 20;
        position += 882;
        return start;
    };
    const latencies = [];
    for (let i = 0; i < count; i++) {
        for (let k = 0; k < 40; k++) tick();
        seed = (seed * 1103515245 + 12345) % 2147483648;
        const pressed = t - (seed % 2000) / 100;
        clicks = [];
        M._tess_button_down();
        for (let k = 0; k < 15; k++) tick();
        M._tess_button_up();
        if (clicks.length) latencies.push(clicks[0] - pressed);
    }
    window.tessaline.resume();
    return latencies;
}

async function measurePresses() {
    // A while before the first press, so a lead grown by the late ticks of
    // start-up has come back down.
    await sleep(1000 * Number(process.env.WARMUP_SECONDS || 15));
    await page.evaluate(() => {
        window.pressedAt = [];
        document.addEventListener('pointerdown', () => window.pressedAt.push(window.tessaline.sound.playPosition()),
            { capture: true });
        window.tessaline.sound.startTap();
    });
    let seed = 7;
    for (let i = 0; i < presses; i++) {
        seed = (seed * 1103515245 + 12345) % 2147483648;
        await sleep(900 + (seed % 20));
        await page.mouse.down();
        await sleep(300);
        await page.mouse.up();
    }
    await sleep(600);
    const r = await page.evaluate(() => {
        const s = window.tessaline.sound;
        // Click onsets in stream positions (at 44.1 kHz the worklet plays
        // one stream sample a frame).
        const onsets = [];
        const level = 20000 / 32768;
        let previous = 0;
        s.tap.forEach((chunk, k) => {
            const start = s.tapEnds[k] - chunk.length;
            for (let i = 0; i < chunk.length; i++) {
                const at = Math.abs(chunk[i] - level) < 1e-3;
                if (at && !previous) onsets.push(start + i);
                previous = at;
            }
        });
        return { onsets, pressedAt: window.pressedAt, rate: s.context.sampleRate, stats: window.tessaline.stats };
    });
    if (r.rate !== 44100) console.log(`(output at ${r.rate} Hz: positions in stream samples all the same)`);
    const ms = (samples) => samples * 1000 / 44100;
    const latencies = [];
    const histogram = new Array(200).fill(0);  // 5 ms bins over a second
    for (const press of r.pressedAt) {
        const after = r.onsets.filter((o) => o >= press && ms(o - press) < 1000);
        if (after.length) latencies.push(ms(after[0] - press));
        for (const o of after) histogram[Math.floor(ms(o - press) / 5)]++;
    }
    latencies.sort((a, b) => a - b);
    const at = (v, q) => v[Math.min(v.length - 1, Math.round(q * (v.length - 1)))];
    const pick = (q) => at(latencies, q);
    const peak = Math.max(...histogram);
    const rise = histogram.findIndex((n) => 2 * n >= peak);
    console.log(`${which}: ${latencies.length} of ${r.pressedAt.length} presses heard`);
    console.log(`  press to first click: median ${pick(0.5).toFixed(1)} ms, 95th percentile ${pick(0.95).toFixed(1)} ms;` +
        ` half-rise of the 5 ms histogram ${rise * 5}-${rise * 5 + 5} ms`);
    const model = (await page.evaluate(modelAlone, 20 * presses)).sort((a, b) => a - b);
    console.log(`  the model alone on this page (each slice heard as its tick runs), ${model.length} presses: ` +
        `median ${at(model, 0.5).toFixed(1)} ms, 95th percentile ${at(model, 0.95).toFixed(1)} ms; ` +
        `the machine adds ${(pick(0.5) - at(model, 0.5)).toFixed(1)} ms at the median`);
    console.log(`  lead at the end ${r.stats.lead} samples (${ms(r.stats.lead).toFixed(1)} ms), ` +
        `${r.stats.lateTicks} late page ticks, ${r.stats.lostClicks} lost clicks`);
}
