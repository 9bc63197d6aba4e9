// Times how two persons are related in a published book's page: the page's own
// search over the family it holds, for pairs of its persons drawn at random.
// Usage: node web_relate_bench.mjs PAGE.html   (prints one line per figure)
import path from 'node:path';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';

const require = createRequire(path.resolve(import.meta.dirname, '../tests/browser/package.json'));
const puppeteer = require('puppeteer-core');
const [file] = process.argv.slice(2);
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
});
const page = await browser.newPage();
await page.goto(pathToFileURL(file).href);
await page.waitForFunction(() => window.stirpaViewer && window.stirpaViewer.firstPaint !== null, { timeout: 0 });
const figures = await page.evaluate(() => {
  const ids = window.stirpaViewer.persons();
  let state = 7;
  const times = [];
  for (let n = 0; n < 101; ++n) {
    state = (state * 48271) % 2147483647;
    const a = ids[state % ids.length], b = ids[Math.floor(state / ids.length) % ids.length];
    const start = performance.now();
    window.stirpaViewer.relate(a, b);
    times.push(performance.now() - start);
  }
  const first = times[0];
  times.sort((x, y) => x - y);
  return { persons: ids.length, median: times[50], most: times[100], first };
});
console.log(`persons in the page's family\t${figures.persons}`);
console.log(`the first relationship asked (the page readies its family)\t${figures.first.toFixed(1)} ms\t<= 100 ms`);
console.log(`relationship of two persons\tmedian ${figures.median.toFixed(1)} ms, most ${figures.most.toFixed(1)} ms\t<= 100 ms`);
await browser.close();
