// The published page in Debian's Chromium, driven through the DevTools protocol:
// it opens from file:// without fetching anything, links centre a box, find
// matches as the editor's does, a click draws the lineage the editor's Find
// parent draws, and hostile descriptions stay text.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const stirpa = process.env.STIRPA_EXE;
const source = path.resolve(import.meta.dirname, '../..');
const data = path.join(source, 'tests/data');
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
let browser, folder;

// The page written by stirpa --export-web for a chart file, with the state the
// tests read on window.stirpaViewer unless `hooks` is false.
function publish(chart, name, hooks = true, more = []) {
  const out = path.join(folder, name + '.html');
  execFileSync(stirpa, ['--export-web', chart, out, ...(hooks ? ['--test-hooks'] : []), ...more], { stdio: 'pipe' });
  return out;
}

function tsvRows(file) {
  return readFileSync(file, 'utf8').split('\n').filter((l) => l && !l.startsWith('#')).map((l) => l.split('\t'));
}

async function open(file, hash = '') {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 600 });
  const requests = [];
  // The worker that find runs in is made from the page's own script (blob:), fetched from nowhere.
  page.on('request', (request) => { if (!request.url().startsWith('blob:')) requests.push(request.url()); });
  await page.goto(pathToFileURL(file).href + hash);
  await page.waitForFunction(() => window.stirpaViewer && window.stirpaViewer.firstPaint !== null);
  page.requests = requests;
  return page;
}

// The view: zoom and the chart pixel at the canvas's corner, and where the canvas is.
function viewOf(page) {
  return page.evaluate(() => {
    const v = window.stirpaViewer.view, box = document.getElementById('chart').getBoundingClientRect();
    return { zoom: v.zoom, left: v.left, top: v.top, width: v.width, height: v.height, x: box.left, y: box.top };
  });
}

// Chart pixel of a cell's box corner, with the default box size.
function cellCorner(column, level) { return { x: 35 + column * 140, y: 10 + level * 70 }; }

// Waits until what was asked of the page is drawn: zoomed out, the squares take frames.
async function settled(page) {
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  await page.waitForFunction(() => !window.stirpaViewer.drawing);
}

async function pixelAt(page, chartX, chartY) {
  await settled(page);
  return page.evaluate((x, y) => {
    const v = window.stirpaViewer.view, canvas = document.getElementById('chart');
    const px = Math.floor((x - v.left) * v.zoom * v.ratio), py = Math.floor((y - v.top) * v.zoom * v.ratio);
    const [r, g, b] = canvas.getContext('2d').getImageData(px, py, 1, 1).data;
    return '#' + [r, g, b].map((c) => c.toString(16).padStart(2, '0')).join('');
  }, chartX, chartY);
}

// The count once find has answered the last keystroke.
async function count(page) {
  await page.waitForFunction(() => !window.stirpaViewer.finding);
  return page.$eval('#find-count', (o) => o.value);
}

// The cell whose box is at the centre of the view.
async function centredCell(page) {
  const v = await viewOf(page);
  const x = v.left + v.width / 2 / v.zoom, y = v.top + v.height / 2 / v.zoom;
  return Math.floor((x - 35) / 140) + ',' + Math.floor((y - 10) / 70);
}

// A chart file of `columns` by `levels` named boxes of the width given.
function gridChart(name, width, columns, levels) {
  const chart = path.join(folder, name + '.txt');
  let file = `Stirpa ${width}j50 50j200 d1 1\n`;
  for (let c = 0; c < columns; ++c) {
    for (let l = 0; l < levels; ++l) file += `P ${c}j${l} ${String(c).length + 7}:Person ${c} 20j0 0\n`;
  }
  writeFileSync(chart, file);
  return chart;
}

before(async () => {
  assert.ok(stirpa, 'STIRPA_EXE names the program');
  folder = mkdtempSync(path.join(tmpdir(), 'stirpa-web-'));
  browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: path.join(folder, 'profile'),
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--no-first-run', '--disable-sync'],
  });
});

after(async () => {
  if (browser) await browser.close();
  if (folder) rmSync(folder, { recursive: true, force: true });
});

test('the page opens from file:// and fetches nothing', async () => {
  const file = publish(path.join(source, 'resources/sample.txt'), 'sample');
  const page = await open(file);
  assert.deepEqual(page.requests, [pathToFileURL(file).href]);
  assert.equal(await pixelAt(page, 35 + 60, 10 + 25), '#ffffaa', 'a box is painted');
  assert.equal(await page.title(), 'sample');
  await page.close();
});

test('a page as published adds no name to the window', async () => {
  const names = async (file) => {
    const page = await browser.newPage();
    await page.goto(pathToFileURL(file).href);
    await page.waitForFunction(() => document.title === 'blank' || document.querySelector('#person-list a'));
    const own = await page.evaluate(() => Object.getOwnPropertyNames(window));
    await page.close();
    return own;
  };
  writeFileSync(path.join(folder, 'blank.html'), '<!DOCTYPE html><title>blank</title>');
  const before = new Set(await names(path.join(folder, 'blank.html')));
  const added = await names(publish(path.join(source, 'resources/sample.txt'), 'plain', false));
  assert.deepEqual(added.filter((name) => !before.has(name)), []);
});

test('a #find= link centres the named box and frames it', async () => {
  const file = publish(path.join(source, 'resources/sample.txt'), 'sample');
  const page = await open(file, '#find=Zo%C3%AB%20Pell');
  assert.equal(await count(page), '1 of 1');
  assert.equal(await centredCell(page), '5,2');
  const corner = cellCorner(5, 2);
  assert.equal(await pixelAt(page, corner.x - 3.5, corner.y + 25), '#ff8c00');
  await page.close();
});

test('a #find= address that is not well formed is taken as typed', async () => {
  const file = publish(path.join(source, 'resources/sample.txt'), 'sample');
  for (const hash of ['#find=%', '#find=100%', '#find=%E0%A4%A']) {
    const errors = [];
    const page = await browser.newPage();
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(pathToFileURL(file).href + hash);
    await page.waitForFunction(() => window.stirpaViewer && window.stirpaViewer.firstPaint !== null);
    assert.deepEqual(errors, [], hash);
    assert.equal(await page.evaluate(() => document.getElementById('find').value), hash.slice(6));
    await page.close();
  }
});

test('a #box= link centres that box', async () => {
  const file = publish(path.join(source, 'resources/sample.txt'), 'sample');
  const page = await open(file, '#box=6,4');
  assert.equal(await centredCell(page), '6,4');
  await page.close();
});

test('typing in the find field frames each match in reading order and counts them', async () => {
  const file = publish(path.join(data, 'web/accents.txt'), 'accents');
  const page = await open(file);
  for (const [query, cells] of tsvRows(path.join(data, 'web/find_cases.tsv'))) {
    await page.keyboard.press('/');
    await page.keyboard.down('Control');
    await page.keyboard.press('a');
    await page.keyboard.up('Control');
    await page.keyboard.press('Backspace');
    await page.keyboard.type(query);
    const expected = cells ? cells.split(' ') : [];
    if (expected.length === 0) {
      assert.equal(await count(page), 'no match', query);
      continue;
    }
    const seen = [];
    for (let k = 0; k < expected.length; ++k) {
      assert.equal(await count(page), (k + 1) + ' of ' + expected.length, query);
      seen.push(await centredCell(page));
      await page.keyboard.press('Enter');
    }
    assert.deepEqual(seen, expected, query);
    assert.equal(await count(page), '1 of ' + expected.length, 'Enter goes round: ' + query);
    await page.keyboard.down('Shift');
    await page.keyboard.press('Enter');
    await page.keyboard.up('Shift');
    assert.equal(await centredCell(page), expected[expected.length - 1], 'Shift+Enter goes back: ' + query);
  }
  await page.close();
});

test('a click draws the lineage that the editor\'s Find parent draws', async () => {
  const chart = path.join(data, 'web/lineage.txt');
  const file = publish(chart, 'lineage');
  const boxes = readFileSync(chart, 'latin1').split('\n').slice(1).filter(Boolean).map((line) => {
    const [, kind, column, level, rest] = /^(P|p\d) (-?\d+)j(-?\d+) \d+:(.*)$/.exec(line);
    const links = / (-?\d+)j(-?\d+) -?\d+$/.exec(rest);
    return { plain: kind === 'P', column: +column, level: +level, right: +links[1], down: +links[2] };
  });
  const page = await open(file), rows = tsvRows(path.join(data, 'web/lineage_expected.tsv'));
  // Below 35 % the boxes come from squares painted once: one click after another must repaint them.
  for (const [zoom, clicked, marks, names] of [1, 0.2].flatMap((zoom) => rows.map((row) => [zoom, ...row]))) {
    await page.evaluate((zoom) => {
      const viewer = window.stirpaViewer;
      if (viewer.view.zoom === zoom) return;
      Object.assign(viewer.view, { zoom, left: 0, top: 0 });
      viewer.redraw();
    }, zoom);
    const [column, level] = clicked.split(',').map(Number);
    const v = await viewOf(page);
    const corner = cellCorner(column, level);
    await page.mouse.click(v.x + (corner.x + 60 - v.left) * v.zoom, v.y + (corner.y + 25 - v.top) * v.zoom);
    const expected = new Map((marks || '').split(' ').filter(Boolean).map((m) => m.split(':')));
    for (const box of boxes.filter((b) => b.plain)) {
      const o = cellCorner(box.column, box.level), cell = box.column + ',' + box.level;
      const bits = Number(expected.get(cell) || 0);
      if (box.right) {
        const colour = await pixelAt(page, o.x + 120 + box.right / 2, o.y + 25);
        assert.equal(colour, bits & 1 ? '#ff0000' : '#000055', `right connector of ${cell} after a click on ${clicked} at ${zoom * 100} %`);
      }
      if (box.down) {
        const colour = await pixelAt(page, o.x + 60, o.y + 50 + box.down / 2);
        assert.equal(colour, bits & 2 ? '#ff0000' : '#000055', `down connector of ${cell} after a click on ${clicked} at ${zoom * 100} %`);
      }
    }
    const shown = await page.$$eval('#lineage-names a', (links) => links.map((a) => a.textContent));
    assert.equal(shown.map((n) => n.trim()).join('|'), names, 'names along the line from ' + clicked);
    if (zoom < 1) continue; // the next click replaces this line
    await page.keyboard.press('Escape');
    assert.equal(await page.$eval('#lineage', (panel) => panel.hidden), true, 'Esc clears');
  }
  await page.close();
});

test('a continuation box of a page of its own links to the page of the chart it names', async () => {
  const file = publish(path.join(data, 'web/lineage.txt'), 'lineage', true, ['--chart-only']);
  const page = await open(file);
  await page.waitForFunction(() => document.querySelectorAll('#person-list a').length === 14);
  const links = await page.$$eval('#person-list a', (all) => all.map((a) => a.getAttribute('href')));
  assert.ok(links.includes('lineage07.html'), links.join(' '));
  assert.ok(links.includes('#box=1,2'));
  await page.close();
});

test('keys move and zoom the view', async () => {
  const file = publish(path.join(source, 'resources/sample.txt'), 'sample');
  const page = await open(file);
  await page.focus('#chart');
  const zoom = async () => (await viewOf(page)).zoom;
  await page.keyboard.press('0');
  await page.keyboard.press('+');
  assert.equal(await zoom(), 1.25);
  await page.keyboard.press('-');
  await page.keyboard.press('-');
  assert.equal(await zoom(), 0.8);
  await page.keyboard.press('0');
  assert.equal(await zoom(), 1);
  for (let k = 0; k < 40; ++k) await page.keyboard.press('-');
  assert.equal(await zoom(), 0.02, 'no smaller than 2 %');
  for (let k = 0; k < 60; ++k) await page.keyboard.press('+');
  assert.equal(await zoom(), 4, 'no larger than 400 %');
  await page.keyboard.press('9');
  assert.ok(await zoom() <= 1);
  const before = await viewOf(page);
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowDown');
  const moved = await viewOf(page);
  assert.ok(moved.left > before.left && moved.top > before.top);
  await page.keyboard.press('/');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'find');
  await page.close();
});

test('a chart wider than 50,000 pixels opens on a readable name and shows whole', async () => {
  const page = await open(publish(gridChart('wide', 240, 220, 3), 'wide'));
  let v = await viewOf(page);
  assert.ok(v.zoom === 1 && v.left <= 35 && v.top <= 10, 'the top-left box at actual size');
  const x = v.left + v.width / 2, y = v.top + v.height / 2;
  const centre = [35 + Math.floor((x - 35) / 260) * 260 + 120, 10 + Math.floor((y - 10) / 70) * 70 + 25];
  assert.equal(await pixelAt(page, ...centre), '#ffffaa', 'a box at the centre');
  await page.focus('#chart');
  await page.keyboard.press('9');
  v = await viewOf(page);
  assert.ok(v.zoom < 0.02 && v.left + v.width / v.zoom >= 35 + 219 * 260 + 240, `whole at ${v.zoom}`);
  assert.equal(await pixelAt(page, 35 + 219 * 260 + 120, 10 + 2 * 70 + 1), '#ffffaa', 'the last box, as a cell');
  await page.close();
});

test('1:1 right after opening shows the middle of the chart', async () => {
  const page = await open(publish(gridChart('flat', 120, 14, 2), 'flat'));
  await page.focus('#chart');
  await page.keyboard.press('0');
  assert.equal(await pixelAt(page, 35 + 7 * 140 + 60, 10 + 70 + 25), '#ffffaa');
  await page.close();
});

test('zoomed out, the picture from tiles is the picture of every box drawn', async () => {
  // 2,000 boxes with red lineage, connectors and continuation boxes among them.
  const chart = path.join(folder, 'tiled.txt');
  let file = 'Stirpa 120j50 50j200 d1 1\n';
  for (let k = 0; k < 2000; ++k) {
    const kind = k % 11 === 5 ? 'p' + (k % 5) : 'P', text = `Person ${k}`;
    file += `${kind} ${k % 50}j${Math.floor(k / 50)} ${text.length}:${text} ${k % 3 ? 20 : 0}j${k % 4 ? 0 : 20} ${k % 7 ? 0 : 3}\n`;
  }
  writeFileSync(chart, file);
  const page = await open(publish(chart, 'tiled'));
  for (const [zoom, left, top] of [[0.08, 0, 0], [0.08, 333.3, 77.7], [0.03, 50, 20]]) {
    // Pixels that differ by more than 8 of 255 in a channel: an antialiased edge
    // worked out from a tile's corner rounds a few levels apart, where a box
    // missing, moved by a pixel or coloured otherwise differs by a hundred or
    // more. The canvas's outermost rows and columns are left out: a frame cut
    // by the canvas's edge is antialiased otherwise there.
    const differing = await page.evaluate(async (zoom, left, top) => {
      const viewer = window.stirpaViewer, canvas = document.getElementById('chart');
      const picture = async (tiles) => {
        viewer.tiles = tiles;
        Object.assign(viewer.view, { zoom, left, top });
        viewer.redraw();
        while (viewer.drawing) await new Promise((done) => requestAnimationFrame(done));
        return canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      };
      const tiled = await picture(true), drawn = await picture(false), w = canvas.width, h = canvas.height;
      const out = [];
      for (let y = 1; y < h - 1; ++y) {
        for (let x = 1, k = 4 * (y * w + 1); x < w - 1; ++x, k += 4) {
          if ([0, 1, 2].some((c) => Math.abs(tiled[k + c] - drawn[k + c]) > 8)) out.push(x + ',' + y);
        }
      }
      return out;
    }, zoom, left, top);
    assert.deepEqual(differing.slice(0, 5), [], `${differing.length} pixels differ at ${zoom * 100} %`);
  }
  await page.close();
});

test('hostile descriptions stay text', async () => {
  const texts = ['</script><script>window.injected = 1</script>', '<img src=x onerror="window.injected = 2">',
    '<!-- a comment', '&amp; &lt;b&gt;', '"quoted" \'too\'', 'line\u2028separator'];
  const chart = path.join(folder, 'hostile.txt');
  let file = 'Stirpa 120j50 50j200 d1 1\n';
  texts.forEach((text, k) => { file += `P ${k}j0 ${Buffer.byteLength(text)}:${text} 0j0 0\n`; });
  writeFileSync(chart, file);
  const page = await open(publish(chart, 'hostile'));
  await page.waitForFunction((n) => document.querySelectorAll('#person-list a').length === n, {}, texts.length);
  assert.equal(await page.evaluate(() => window.injected), undefined);
  assert.equal(await page.$$eval('img', (images) => images.length), 0);
  const shown = await page.$$eval('#person-list a', (all) => all.map((a) => a.textContent));
  assert.deepEqual(shown, texts);
  assert.deepEqual(page.requests.length, 1);
  await page.close();
});

test('the persons list numbers every person once, in reading order, however long', async () => {
  for (const n of [999, 1000, 1001, 2001]) {
    const chart = path.join(folder, `row${n}.txt`);
    let file = 'Stirpa 120j50 50j200 d1 1\n';
    for (let k = 0; k < n; ++k) {
      const text = `Person ${k}`;
      file += `P ${k % 37}j${Math.floor(k / 37)} ${text.length}:${text} 0j0 0\n`;
    }
    writeFileSync(chart, file);
    const page = await open(publish(chart, `row${n}`));
    await page.waitForFunction(() => window.stirpaViewer.listDone !== null);
    const items = await page.$$eval('#person-list li', (all) =>
      all.map((li) => [li.parentElement.start + [...li.parentElement.children].indexOf(li), li.textContent]));
    assert.equal(items.length, n, `${n} persons`);
    items.forEach(([number, text], k) => {
      assert.equal(number, k + 1, `number of ${text} of ${n}`);
      assert.equal(text, `Person ${k}`, `item ${k + 1} of ${n}`);
    });
    await page.close();
  }
});

// A village as a family file: founders' children marry outsiders, cousins and,
// widowed, a second spouse; some stay single. Seeded, so every run is the same.
function villageFile(seed, generations) {
  let state = seed;
  const random = (n) => { state = (state * 48271) % 2147483647; return state % n; };
  const persons = [], families = [];
  const person = (sex, famc) => {
    persons.push({ id: persons.length + 1, sex, famc, fams: [] });
    return persons[persons.length - 1];
  };
  const marry = (husband, wife) => {
    const family = { id: families.length + 1, husband, wife, children: [] };
    families.push(family);
    husband.fams.push(family.id);
    wife.fams.push(family.id);
    return family;
  };
  let couples = [];
  for (let k = 0; k < 4; ++k) couples.push(marry(person('M', 0), person('F', 0)));
  for (let g = 1; g < generations; ++g) {
    const young = [];
    for (const family of couples) {
      for (let c = random(5) + 1; c > 0; --c) {
        const child = person(random(2) ? 'M' : 'F', family.id);
        family.children.push(child);
        young.push(child);
      }
    }
    couples = [];
    const single = young.filter(() => random(5) > 0);
    for (const man of single.filter((p) => p.sex === 'M')) {
      const cousin = single.find((p) => p.sex === 'F' && !p.fams.length && p.famc !== man.famc && random(3) === 0);
      couples.push(marry(man, cousin || person('F', 0)));
      if (random(4) === 0) couples.push(marry(man, person('F', 0))); // a second marriage
    }
  }
  let text = '0 HEAD\n1 CHAR UTF-8\n';
  for (const p of persons) {
    text += `0 @I${p.id}@ INDI\n1 NAME Given${p.id} /Surname${p.id}/\n1 SEX ${p.sex}\n`;
    if (p.famc) text += `1 FAMC @F${p.famc}@\n`;
    for (const f of p.fams) text += `1 FAMS @F${f}@\n`;
  }
  for (const f of families) {
    text += `0 @F${f.id}@ FAM\n1 HUSB @I${f.husband.id}@\n1 WIFE @I${f.wife.id}@\n`;
    for (const c of f.children) text += `1 CHIL @I${c.id}@\n`;
  }
  return { text: text + '0 TRLR\n', count: persons.length };
}

// A book of a generated village, its page opened on its main chart.
async function villageBook(seed) {
  const village = villageFile(seed, 5), family = path.join(folder, `village${seed}.ged`);
  writeFileSync(family, village.text);
  const chart = path.join(folder, `village${seed}.txt`);
  execFileSync(stirpa, ['--import-gedcom', family, chart, '--root', 'I1', '--descendants', '6', '--split', '16', '--replace'], { stdio: 'pipe' });
  return { family, page: await open(publish(chart, `village${seed}`)) };
}

test('a book\'s page leads from chart to chart and back, and finds in all of them', async () => {
  const { page } = await villageBook(3);
  const charts = await page.$$eval('#charts option', (all) => all.map((o) => o.textContent));
  assert.ok(charts.length > 1, 'a book of several charts');
  assert.match(await page.title(), /^Given1 Surname1 — village3\.ged$/);
  // A continuation box of the main chart leads to the root of its chart, whose way up leads back to it.
  await page.waitForFunction(() => window.stirpaViewer.listDone !== null);
  const [lead] = await page.$$eval('#person-list a[href^="#chart=village3"]:not([href^="#chart=village3&"])',
    (all) => all.map((a) => a.getAttribute('href')));
  await page.evaluate((hash) => { window.location.hash = hash; }, lead);
  await page.waitForFunction((hash) => window.location.hash === hash, {}, lead);
  await page.waitForFunction(() => !document.getElementById('up').hidden);
  const up = await page.$eval('#up', (a) => a.getAttribute('href'));
  assert.match(up, /^#chart=village3&box=-?\d+,-?\d+$/);
  await page.click('#up');
  await page.waitForFunction(() => document.getElementById('up').hidden);
  assert.match(await page.title(), /^Given1 Surname1/);
  // The root of the last chart is found from the main chart: its continuation box in the chart above, its own box.
  const name = charts[charts.length - 1].split(' — ')[0];
  await page.type('#find', name);
  await page.waitForFunction(() => !window.stirpaViewer.finding && document.getElementById('find-count').value);
  const [, total] = /^1 of (\d+)$/.exec(await page.$eval('#find-count', (o) => o.value));
  const chartsShown = new Set();
  for (let n = 0; n < Number(total); ++n) {
    chartsShown.add(await page.$eval('#charts', (s) => s.value));
    await page.keyboard.press('Enter');
  }
  assert.ok(chartsShown.has(String(charts.length - 1)) && chartsShown.size > 1, [...chartsShown].join(' '));
  await page.close();
});

test('the page says how two persons are related as stirpa --relate does', async (t) => {
  // The relationships are the family library's: compared where the program has --relate.
  const relate = process.env.STIRPA_RELATE_EXE || stirpa;
  if (!execFileSync(relate, ['--help']).toString().includes('--relate')) {
    t.skip('this stirpa has no --relate');
    return;
  }
  for (const seed of [1, 2]) {
    const { family, page } = await villageBook(seed);
    // The persons of the book, their spouses and ancestors: those the page can relate.
    const ids = await page.evaluate(() => window.stirpaViewer.persons());
    let state = seed;
    for (let n = 0; n < 100; ++n) {
      state = (state * 48271) % 2147483647;
      const a = ids[state % ids.length], b = ids[Math.floor(state / ids.length) % ids.length];
      if (a === b) continue;
      const shown = await page.evaluate((a, b) => window.stirpaViewer.relate(a, b), a, b);
      const told = execFileSync(relate, ['--relate', family, a, b]).toString()
        .split('\n').filter((line) => line && !line.startsWith(' '));
      assert.deepEqual(shown, told, `${a} to ${b}`);
    }
    await page.close();
  }
});
