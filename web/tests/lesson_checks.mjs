// Lessons in the page, in a real browser:
//   node lesson_checks.mjs <build-web> <desktop lesson> <web lesson out>
// A desktop lesson opened through the file picker is saved again value for
// value; the page's session is saved for the desktop; a share link opens with
// its instructions and places a seeded hidden field the same way twice.
import { readFileSync, writeFileSync } from 'node:fs';
import { BASE, runCheck, check, sleep, field } from './browser.mjs';

const [root, desktopFile, webFile] = process.argv.slice(2);

// Every value of a lesson by its path ("cell.x"), so two can be compared one by one.
const flatten = (value, prefix = '') => Object.entries(value).flatMap(([k, v]) =>
    (v !== null && typeof v === 'object' ? flatten(v, `${prefix}${k}.`) : [[prefix + k, v]]));
const base64url = (text) => Buffer.from(text).toString('base64url');

const taught = JSON.stringify({
    format: 'tessaline-lesson', version: 1, seed: 777, title: 'Hidden complex cell',
    instructions: 'Map the field with + and -.\nThen press Enter. <img src=x onerror="window.injected=1">',
    area: { width: 1000, height: 700 },
    cell: { type: 'complex', display: 'hidden' }, stimulus: { type: 'bar', contrast: 50 },
});

await runCheck('lesson', root, {}, async ({ page, port }) => {
    // Desktop to web: the file picker, then a save with the field's place.
    await (await page.$('#lesson-file')).uploadFile(desktopFile);
    await page.waitForFunction(() => window.tessaline.module.ccall('tess_get', 'number', ['string'], ['stimulus.stimulusType']) === 4);
    const saved = await page.evaluate(() => window.tessaline.lesson.saveText(true));
    const [desktop, again] = [readFileSync(desktopFile, 'utf8'), saved].map((t) => Object.fromEntries(flatten(JSON.parse(t))));
    const keys = new Set([...Object.keys(desktop), ...Object.keys(again)]);
    const differ = [...keys].filter((k) => desktop[k] !== again[k]).map((k) => `${k}: ${desktop[k]} / ${again[k]}`);
    check(differ.length === 0, `desktop lesson saved again by the page: ${differ.join('; ')}`);

    // Web to desktop: the page's own session, changed by its toolbar.
    await page.evaluate(() => { window.tessaline.run(30026); window.tessaline.run(30019); });
    writeFileSync(webFile, await page.evaluate(() => window.tessaline.lesson.saveText(true)));

    // Bad links, as the link and as the lesson (the core's tests hold each
    // message): each is shown and the page keeps the defaults.
    const good = base64url(taught);
    const bad = [[good.slice(0, 4 * 20 + 1), 'it may have been cut short'], ['%%%', 'expected base64url'],
        [base64url(taught.replace('"contrast":50', '"contrast":500')), 'stimulus.contrast: expected a number from 0 to 100']];
    // A fresh page each time: a change of fragment alone does not reload one.
    const openFresh = async (address) => {
        await page.goto('about:blank');
        await page.goto(address);
        await page.waitForFunction(() => window.tessaline && window.tessaline.stats.ticks > 5);
    };
    for (const [fragment, says] of bad) {
        await openFresh(`http://127.0.0.1:${port}${BASE}#lesson=${fragment}`);
        const shown = await page.$eval('#message', (m) => (m.open ? m.querySelector('p').textContent : ''));
        check(shown.includes(says) && shown.startsWith('This lesson cannot be opened'), `link ${fragment.slice(0, 12)}…: "${shown}"`);
        check(await field(page, 'receptiveField.cellType') === 3 && await field(page, 'stimulus.contrastPercent') === 100 &&
              Math.round(await field(page, 'receptiveField.centreX') * 38) === 500, 'a bad link changed the defaults');
        check(await page.$eval('#instructions', (p) => p.hidden), 'instructions shown for a bad link');
    }

    // A share link: made by the page, opened twice, the same hidden field.
    await openFresh(`http://127.0.0.1:${port}${BASE}#lesson=${good}`);
    const link = await page.evaluate(() => window.tessaline.lesson.link());
    const places = [];
    for (let opening = 0; opening < 2; opening++) {
        await openFresh(link);
        places.push(await Promise.all(['centreX', 'centreY', 'orientation'].map((f) => field(page, `receptiveField.${f}`))));
    }
    check(JSON.stringify(places[0]) === JSON.stringify(places[1]), `seeded field moved: ${JSON.stringify(places)}`);
    check(await field(page, 'receptiveField.displayMode') === 3 && await field(page, 'receptiveField.cellType') === 5,
        'the link did not bring the hidden complex cell');
    const carried = JSON.parse(Buffer.from(link.split('#lesson=')[1], 'base64url').toString());
    check(carried.cell.x === undefined && carried.seed === 777 && link.length < 1500, `link of ${link.length} characters`);
    const panel = await page.$eval('#instructions', (p) => ({ hidden: p.hidden, text: p.querySelector('p').textContent,
        elements: p.querySelector('p').children.length, title: p.querySelector('h2').textContent }));
    check(!panel.hidden && panel.title === 'Hidden complex cell' && panel.text.includes('<img src=x') && panel.elements === 0,
        `instructions panel ${JSON.stringify(panel)}`);
    check(await page.evaluate(() => window.injected === undefined), 'markup in the instructions ran');
    const canvasWidth = async () => { await sleep(300); return page.$eval('#canvas', (c) => c.width); };
    check(await canvasWidth() === 740, 'the canvas does not make room for the panel');
    await page.click('#instructions-hide');
    check(await page.$eval('#instructions', (p) => p.hidden) && await canvasWidth() === 1000, 'the panel did not hide');
    // Another link followed in the same tab changes the fragment alone.
    await page.evaluate((l) => { location.hash = l; }, `lesson=${base64url(taught.replace('"complex"', '"simple"'))}`);
    await page.waitForFunction(() => !document.getElementById('instructions').hidden, { timeout: 5000 });
    check(await field(page, 'receptiveField.cellType') === 3, 'a link followed in the open page was not opened');
    return `${keys.size} values compared, link ${link.length} characters`;
});
