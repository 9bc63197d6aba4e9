// Times a published page in headless Chromium: the first full paint after
// navigation, the persons list, pan and zoom steps at 100, 35, 8 and 2 % (the
// page's own drawing time of each frame), and find, keystroke by keystroke. Usage: node web_bench.mjs PAGE.html NAME   (prints one line per figure)
import path from 'node:path';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { pathToFileURL } from 'node:url';
import { createRequire } from 'node:module';

const require = createRequire(path.resolve(import.meta.dirname, '../tests/browser/package.json'));
const puppeteer = require('puppeteer-core');
const [file, name] = process.argv.slice(2);
const median = (values) => { const v = [...values].sort((a, b) => a - b); return v[Math.floor(v.length / 2)]; };
const started = performance.now();
// Progress on standard error, so a slow step shows where it is.
const note = (what) => console.error(`${name}: ${what} at ${((performance.now() - started) / 1000).toFixed(1)} s`);
const profile = mkdtempSync(path.join(tmpdir(), 'stirpa-bench-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, userDataDir: profile,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
    '--disable-component-update', '--no-first-run', '--disable-sync', '--disable-dev-shm-usage'],
});
const page = await browser.newPage();
await page.setViewport({ width: 1280, height: 800 });
// Tasks of more than 50 ms, during which the page answers no key nor click.
await page.evaluateOnNewDocument(() => {
  window.longTasks = [];
  new PerformanceObserver((list) => { for (const task of list.getEntries()) window.longTasks.push(task); })
    .observe({ type: 'longtask', buffered: true });
});
await page.goto(pathToFileURL(file).href, { timeout: 120000 });
await page.waitForFunction(() => window.stirpaViewer && window.stirpaViewer.firstPaint !== null, { timeout: 120000 });
note('first paint');
const firstPaint = await page.evaluate(() => window.stirpaViewer.firstPaint);
const drawn = () => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
// The folded texts and the persons list are made while the page idles after its
// first paint; the steps are timed once they are there.
await page.waitForFunction(() => window.stirpaViewer.listDone !== null, { timeout: 0, polling: 500 });
const listDone = await page.evaluate(() => window.stirpaViewer.listDone);
const listParts = await page.evaluate(() => document.querySelectorAll('#person-list li').length);
const blocked = await page.evaluate((from, to) => Math.max(0, ...window.longTasks
  .filter((task) => task.startTime >= from && task.startTime < to).map((task) => task.duration)), firstPaint, listDone);
note('persons list');

async function steps(keys) {
  const before = await page.evaluate(() => window.stirpaViewer.draws.length);
  for (const key of keys) { await page.keyboard.press(key); await drawn(); }
  // A picture left unfinished by a step is finished in the frames after it: they count too.
  await page.waitForFunction(() => !window.stirpaViewer.drawing, { polling: 50, timeout: 0 });
  return page.evaluate((from) => window.stirpaViewer.draws.slice(from), before);
}
// Centred where it is, at `zoom`; then 50 pan steps around a square and 50 zoom
// steps out and back in.
async function atZoom(zoom) {
  await page.evaluate((z) => {
    const v = window.stirpaViewer.view, x = v.left + v.width / 2 / v.zoom, y = v.top + v.height / 2 / v.zoom;
    v.zoom = z;
    v.left = x - v.width / 2 / z;
    v.top = y - v.height / 2 / z;
    window.stirpaViewer.redraw();
  }, zoom);
  await drawn();
  const pan = await steps(Array.from({ length: 50 }, (_, k) => ['ArrowRight', 'ArrowDown', 'ArrowLeft', 'ArrowUp'][k % 4]));
  const zoomed = await steps(Array.from({ length: 50 }, (_, k) => k % 2 ? '+' : '-'));
  note(`steps at ${zoom * 100} %`);
  return { pan, zoomed };
}
await page.focus('#chart');
await page.keyboard.press('0'); // actual size, where a chart is read, about the root
await drawn();
const levels = [];
for (const zoom of [1, 0.35, 0.08, 0.02]) levels.push([zoom, await atZoom(zoom)]);
await page.keyboard.press('9');
await drawn();
const whole = await steps(['ArrowRight', 'ArrowLeft', 'ArrowRight', 'ArrowLeft', 'ArrowRight']);
note('whole chart steps');
await page.focus('#find');
for (const key of 'Leonard Pell') {
  await page.keyboard.type(key);
  await page.waitForFunction(() => !window.stirpaViewer.finding, { polling: 10 });
}
note('find');
const finds = await page.evaluate(() => window.stirpaViewer.finds);
const found = await page.$eval('#find-count', (o) => o.value);
const memory = await page.evaluate(() => performance.memory ? performance.memory.usedJSHeapSize / 1048576 : 0);
await browser.close();
rmSync(profile, { recursive: true, force: true });

const row = (what, value, unit, target) => console.log(`${name}\t${what}\t${value.toFixed(1)} ${unit}\t${target}`);
const big = Number(name) >= 1000000;
row('first full paint after navigation', firstPaint, 'ms', big ? '<= 2000 ms' : '<= 1500 ms');
row(`persons list (${listParts} names) complete after the first paint`, listDone - firstPaint, 'ms', '<= 10000 ms');
row('longest task from the first paint until the list is complete', blocked, 'ms', '-');
for (const [zoom, { pan, zoomed }] of levels) {
  row(`pan step at ${zoom * 100} %, median of ${pan.length} frames (slowest ${Math.max(...pan).toFixed(1)})`,
    median(pan), 'ms', big ? '<= 33 ms' : '<= 16 ms');
  row(`zoom step about ${zoom * 100} %, median of ${zoomed.length} frames (slowest ${Math.max(...zoomed).toFixed(1)})`,
    median(zoomed), 'ms', big ? '<= 33 ms' : '<= 16 ms');
}
row(`pan step with the whole chart in view, median of ${whole.length} frames`, median(whole), 'ms', big ? '<= 33 ms' : '<= 16 ms');
row(`find, median keystroke of "Leonard Pell" (slowest ${Math.max(...finds).toFixed(1)}; ${found})`, median(finds), 'ms', '<= 50 ms');
row('JavaScript heap after find', memory, 'MB', '-');
