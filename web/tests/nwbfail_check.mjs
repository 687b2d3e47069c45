// An NWB export whose writer cannot be fetched (a school's network that
// drops the large HDF5 file): the student sees one message that says so,
// the button is ready again, and nothing is thrown.
//   node nwbfail_check.mjs <build-web>
import { runCheck, check, sleep } from './browser.mjs';

const [root] = process.argv.slice(2);
// With no offline copy the page fetches the writer itself, where the
// interception below can refuse it: that refusal is the only error allowed.
const options = { errorsAllowed: /^(failed: .*\/h5wasm\/|Failed to load resource)/, before: () => { delete Navigator.prototype.serviceWorker; } };
await runCheck('nwbfail', root, options, async ({ page }) => {
    await page.setRequestInterception(true);
    page.on('request', (r) => (r.url().includes('/h5wasm/') ? r.abort() : r.continue()));
    await page.click('#measure-button');
    await page.click('#raster-item');
    // Every text the message box is given, each on its own.
    await page.evaluate(() => {
        window.messages = [];
        new MutationObserver((changes) => changes.forEach((c) => window.messages.push(c.addedNodes[0]?.textContent ?? '')))
            .observe(document.getElementById('message-text'), { childList: true });
    });
    await page.click('#record-nwb');
    // The button is ready again once the export has ended, however it ended.
    await page.waitForFunction(() => !document.getElementById('record-nwb').disabled, { timeout: 20000 });
    await sleep(500);  // room for a second message or a late throw
    const messages = await page.evaluate(() => window.messages);
    check(await page.$eval('#message', (m) => m.open), 'no message is open');
    check(messages.length === 1 && messages[0].startsWith('The NWB writer could not be loaded'),
          `messages: ${JSON.stringify(messages)}`);
    return messages[0].split('\n')[0];
});
