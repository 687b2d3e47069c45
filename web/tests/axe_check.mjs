// The page against WCAG 2.2 A and AA as axe-core reads it, on every screen
// from a small phone to a projector: at rest with the sound prompt, with each menu, the
// help, each dialog and the feedback window open, a message, the recorder
// with a recording, the tuning panel before and after a sweep, the noise
// map and a lesson's instructions. Every violation is listed with the nodes it found.
//   node axe_check.mjs <build-web>
import { createRequire } from 'node:module';
import { SCREENS, runCheck, check, everyState } from './browser.mjs';

const [root] = process.argv.slice(2);

async function audit(page, phone) {
    const began = Date.now(), faults = [];
    await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
    const look = async (what) => faults.push(...await page.evaluate((w) => window.axe.run(document, { runOnly: { type: 'tag',
        values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] } }).then((r) => r.violations.map((v) =>
        `${w}: ${v.id} (${v.impact}) ${v.help}${v.nodes.map((n) => `\n    ${n.target.join(' ')}  ${n.html}`).join('')}`)), what));
    await everyState(page, phone, look);
    check(faults.length === 0, `${faults.length} violations:\n${faults.join('\n')}`);
    return `${((Date.now() - began) / 1000).toFixed(1)} s`;
}

for (const [width, height, scale] of SCREENS) {
    const phone = scale > 1 && width < 900;
    await runCheck(`axe ${width}x${height} @${scale}`, root, { width, height, scale, touch: phone }, ({ page }) => audit(page, phone));
}
