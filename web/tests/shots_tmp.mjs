import { openPage, sleep, fieldCentre, field } from './browser.mjs';
const out = '/tmp/web_shots/' + (process.env.TESSALINE_BROWSER || 'chromium');
// Touch run
{
  const s = await openPage('/work/wt/web/build-web/site', { touch: true });
  const p = s.page;
  const [cx, cy] = await fieldCentre(p);
  const f = await p.touchscreen.touchStart(cx - 100, 36 + cy);
  for (let x = -100; x <= 100; x += 5) { await f.move(cx + x, 36 + cy); await sleep(15); }
  await sleep(300);
  await p.screenshot({ path: out + '-touch-drag.png' });
  await f.end();
  const a = await p.touchscreen.touchStart(cx, 36 + cy), b = await p.touchscreen.touchStart(cx + 80, 36 + cy);
  for (let d = 0; d <= 45; d += 5) { const r = d * Math.PI / 180; await b.move(cx + 80 * Math.cos(r), 36 + cy - 80 * Math.sin(r)); }
  await sleep(200);
  await p.screenshot({ path: out + '-touch-twist.png' });
  await b.end(); await a.end();
  await field(p, 'receptiveField.displayMode', 3);
  const plus = await (await p.$('#touch-keys [data-key="+"]')).boundingBox();
  const minus = await (await p.$('#touch-keys [data-key="-"]')).boundingBox();
  for (const [x, y, key] of [[cx - 40, cy, plus], [cx + 40, cy, minus], [cx, cy - 40, plus]]) {
    await p.touchscreen.tap(x, 36 + y);
    await p.touchscreen.tap(key.x + key.width / 2, key.y + key.height / 2);
  }
  await sleep(300);
  await p.screenshot({ path: out + '-touch-marks.png' });
  console.log('marks', await p.evaluate(() => window.tessaline.module._tess_mark_count()), 'readout', await p.$eval('#readout', (r) => r.textContent));
  await s.close();
}
// Keyboard-only hand plot
{
  const s = await openPage('/work/wt/web/build-web/site');
  const p = s.page;
  await p.evaluate(() => document.activeElement.blur());
  const order = [];
  for (let i = 0; i < 16; i++) { await p.keyboard.press('Tab'); await sleep(60); order.push(await p.evaluate(() => document.activeElement.getAttribute('aria-label') || document.activeElement.id)); if (order.at(-1) === 'Visual field') break; }
  console.log('tab order:', order.join(' > '));
  await p.screenshot({ path: out + '-kbd-focus.png' });
  await field(p, 'receptiveField.displayMode', 3);
  const sh = async (k, n) => { await p.keyboard.down('Shift'); for (let i = 0; i < n; i++) await p.keyboard.press(k); await p.keyboard.up('Shift'); };
  await sh('ArrowUp', 3);
  for (const [k, n, m] of [['ArrowLeft', 6, '+'], ['ArrowRight', 12, '-'], ['ArrowDown', 6, '+']]) { await sh(k, n); await p.keyboard.type(m); }
  await sleep(200);
  await p.screenshot({ path: out + '-kbd-marks.png' });
  await p.keyboard.press('Enter');
  await sleep(500);
  await p.screenshot({ path: out + '-kbd-revealed.png' });
  console.log('marks', await p.evaluate(() => window.tessaline.module._tess_mark_count()), 'display', await field(p, 'receptiveField.displayMode'));
  if (!process.env.TESSALINE_BROWSER) {
    const tree = await p.accessibility.snapshot();
    const names = [];
    const walk = (n, d) => { if (n.role !== 'generic' && n.role !== 'none') names.push('  '.repeat(d) + `${n.role}: ${JSON.stringify(n.name || '')}`); for (const c of n.children || []) walk(c, d + 1); };
    walk(tree, 0);
    console.log(names.join('\n'));
  }
  await s.close();
}
