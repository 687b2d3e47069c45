// Screenshots of the page for a person to look at (not a ctest):
//   node shoot.mjs <build-web> <out.png> [hidden]
import { openPage, sleep } from './browser.mjs';

const [root, out] = process.argv.slice(2);
const { page, errors, close } = await openPage(root);
await sleep(600);
await page.screenshot({ path: out });
console.log(errors.length ? errors : 'no console errors');
await close();
