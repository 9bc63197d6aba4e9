// The viewer: moving around (drag, wheel, pinch, keys, overview), the charts of
// a book, find, the line of ancestors of a box, the address that holds the
// view, and the list of persons for screen readers and the browser's own find.
// It starts as it loads.

(function () {
const { ORIGIN_Y, contGeometry } = Stirpa.chartModel;
const { BookModel, CHART_ADDRESS } = Stirpa.bookModel;
const { familyLine } = Stirpa.familyLines;
const { describeRelations } = Stirpa.relationship;
const { ChartPainter, paintOverview, descriptionLines, detailAt, Detail, TEXT_ZOOM, COLOUR, ON_LINE } = Stirpa.chartDrawing;
const { ChartTiles } = Stirpa.chartTiles;
const { ChartSearch } = Stirpa.searchFolding;
const { showColourKey } = Stirpa.colourKey;
// Handed the view to drive and told of each frame, find and the finished list: only in a page
// written for tests (test_hooks.js).
const watcher = Object.assign({ started() {}, drew() {}, findAsked() {}, found() {}, listed() {} }, Stirpa.watcher);

const MIN_ZOOM = 0.02, MAX_ZOOM = 4, ZOOM_STEP = 1.25, CLICK_SLOP = 4;

const page = { $: (id) => document.getElementById(id) };
const book = new BookModel(JSON.parse(page.$('chart-data').textContent));
const search = new ChartSearch(book.searchModel());
// The chart shown, and what draws it; each chart's are made the first time it is shown.
let shown = -1, model, painter, tiles, savedLineage;
const drawers = book.charts.map(() => null);

// Zoomed far out the cells are written straight into the pixels, read back each time.
const canvas = page.$('chart'), ctx = canvas.getContext('2d', { willReadFrequently: true });
const overview = page.$('overview');
const view = { zoom: 1, left: 0, top: 0, width: 0, height: 0, ratio: 0 };
// A frame asked for and not drawn yet; with tiles off every box is drawn each frame (tests compare the two).
const drawing = { asked: false, tiles: true };
let painted = false;
// matches and current: the shown chart's matches and the one in view; found and at: the whole book's.
// relateFrom: the person picked to relate to the next one clicked; relation: the relationships shown.
const state = {
  lineage: null, lineageFrom: -1, matches: [], current: -1, query: '', found: [], at: -1, relateFrom: -1, relation: null,
};
const TILE_BUDGET = 8; // ms of painting pictures per frame, the rest of a 60 Hz frame left to the browser

const untitled = document.title;

// The charts of the book

function showChart(k) {
  if (k === shown) return;
  shown = k;
  model = book.charts[k];
  if (!drawers[k]) {
    const saved = new Uint8Array(model.count);
    for (let i = 0; i < model.count; ++i) saved[i] = model.savedLineage(i);
    // The tiles' own painter: they paint amid the view's painting.
    drawers[k] = { painter: new ChartPainter(model), tiles: new ChartTiles(new ChartPainter(model)), saved };
  }
  ({ painter, tiles, saved: savedLineage } = drawers[k]);
  state.lineageFrom = -1;
  if (state.relation) {
    state.lineage = relationBits(k, state.relation.relations);
  } else {
    state.lineage = savedLineage;
    page.$('lineage').hidden = true;
  }
  document.title = model.title || untitled;
  showColourKey(page.$('colour-key'), model.legend);
  page.$('charts').value = String(k);
  const up = book.up[k];
  page.$('up').hidden = up === null;
  if (up !== null) {
    page.$('up').href = boxAddress(up.chart, up.box);
    page.$('up').textContent = '\u2191 ' + book.charts[up.chart].title;
  }
  matchesOfChart();
  if (painted) {
    placeOverview(true);
    drawOverviewFrame();
    buildPersonList();
  }
  requestDraw();
}

function listCharts() {
  const list = page.$('charts');
  book.charts.forEach((chart, k) => {
    const option = document.createElement('option');
    option.value = String(k);
    option.textContent = chart.title;
    list.append(option);
  });
  list.hidden = !book.isBook;
  list.addEventListener('change', () => {
    setAddress(chartAddress(Number(list.value)));
    showChart(Number(list.value));
    openingView();
  });
}

// The address of a chart, and of a box in it.
function chartAddress(k) { return book.isBook ? 'chart=' + encodeURIComponent(book.charts[k].name) : ''; }
function boxAddress(k, i) {
  const box = 'box=' + book.charts[k].column[i] + ',' + book.charts[k].level[i];
  return '#' + (book.isBook ? chartAddress(k) + '&' : '') + box;
}

// Drawing

function requestDraw() {
  if (drawing.asked) return;
  drawing.asked = true;
  requestAnimationFrame(draw);
}

// The matches are in reading order, by level: those in the levels in view are looked at.
const matchSet = {
  visible(area) {
    const m = model, matches = state.matches, out = [];
    const firstAt = (level) => {
      let low = 0, high = matches.length;
      while (low < high) { const mid = (low + high) >> 1; if (m.level[matches[mid]] < level) low = mid + 1; else high = mid; }
      return low;
    };
    const end = firstAt(Math.floor((area.bottom + 8 - ORIGIN_Y) / m.pitchY) + 1);
    for (let k = firstAt(Math.floor((area.top - m.boxHeight - 8 - ORIGIN_Y) / m.pitchY)); k < end; ++k) {
      const i = matches[k], o = m.cellOrigin(m.column[i], m.level[i]);
      if (o.x + m.boxWidth + 8 >= area.left && o.x - 8 <= area.right &&
          o.y + m.boxHeight + 8 >= area.top && o.y - 8 <= area.bottom) out.push(i);
    }
    return out;
  },
};

function draw() {
  drawing.asked = false;
  const start = performance.now();
  const current = state.current >= 0 ? state.matches[state.current] : -1;
  let whole = true;
  const fromTiles = drawing.tiles && detailAt(view.zoom) !== Detail.Full
    ? () => { whole = tiles.draw(ctx, view, state.lineage, TILE_BUDGET); } : undefined;
  painter.paint(ctx, view, state.lineage, matchSet, current, fromTiles);
  if (!whole) requestDraw();
  drawOverviewFrame();
  const took = performance.now() - start;
  watcher.drew(took);
  if (!painted) {
    painted = true;
    setTimeout(() => {
      paintOverview(model, overviewPicture, overviewScale);
      drawOverviewFrame();
    }, 0);
    setTimeout(buildPersonList, 0);
  }
  page.$('zoom').value = Math.round(view.zoom * 100) + ' %';
}

function resize() {
  const box = canvas.getBoundingClientRect();
  const ratio = window.devicePixelRatio || 1;
  // A new size clears the canvas: only a real change of size may.
  if (box.width === view.width && box.height === view.height && ratio === view.ratio) return;
  view.ratio = ratio;
  view.width = box.width;
  view.height = box.height;
  canvas.width = Math.max(1, Math.round(box.width * view.ratio));
  canvas.height = Math.max(1, Math.round(box.height * view.ratio));
  placeOverview();
  requestDraw();
}

// Moving around

// The whole chart in view, never above actual size.
function wholeChartZoom() {
  return Math.min(Math.max(1, view.width) / model.width, Math.max(1, view.height) / model.height, 1);
}

// 2 %, or less where the whole chart takes less.
function leastZoom() { return Math.min(MIN_ZOOM, wholeChartZoom()); }

function zoomAbout(zoom, x, y) {
  zoom = Math.min(MAX_ZOOM, Math.max(leastZoom(), zoom));
  const chartX = view.left + x / view.zoom, chartY = view.top + y / view.zoom;
  view.zoom = zoom;
  view.left = chartX - x / zoom;
  view.top = chartY - y / zoom;
  requestDraw();
}

function zoomStep(factor) { zoomAbout(view.zoom * factor, view.width / 2, view.height / 2); }

function panBy(dx, dy) {
  view.left += dx / view.zoom;
  view.top += dy / view.zoom;
  requestDraw();
}

function centreOn(x, y) {
  view.left = x - view.width / 2 / view.zoom;
  view.top = y - view.height / 2 / view.zoom;
  requestDraw();
}

function centreOnBox(i) {
  // Far out, a box is too small to read: come close enough for its text.
  if (view.zoom < 0.5) view.zoom = 1;
  const o = model.cellOrigin(model.column[i], model.level[i]);
  centreOn(o.x + model.boxWidth / 2, o.y + model.boxHeight / 2);
}

function fitChart() {
  view.zoom = wholeChartZoom();
  view.left = 0;
  view.top = 0;
  requestDraw();
}

// The whole chart where its names can be read so, else its root at actual
// size, centred as far as the chart reaches: no empty paper beside it.
function openingView() {
  if (model.count === 0 || wholeChartZoom() >= TEXT_ZOOM) {
    fitChart();
    return;
  }
  centreOnBox(model.root);
  view.left = withinChart(view.left, view.width / view.zoom, model.width);
  view.top = withinChart(view.top, view.height / view.zoom, model.height);
}

// Where a view of `shown` pixels starting at `start` comes within a chart of
// `length`: centred on a chart shorter than it.
function withinChart(start, shown, length) {
  return shown >= length ? (length - shown) / 2 : Math.max(0, Math.min(start, length - shown));
}

// Centred on the middle of what of the chart is in view: the middle of the
// view may lie past a chart shown whole.
function actualSize() {
  const middle = (start, shown, length) => (Math.max(start, 0) + Math.min(start + shown, length)) / 2;
  const x = middle(view.left, view.width / view.zoom, model.width);
  const y = middle(view.top, view.height / view.zoom, model.height);
  view.zoom = 1;
  centreOn(x, y);
}

// The box whose frame holds a chart point, the one painted last winning.
function boxAtPoint(x, y) {
  const found = model.boxesInArea({ left: x, top: y, right: x, bottom: y });
  for (let k = found.length - 1; k >= 0; --k) {
    const i = found[k];
    let left, top, w, h;
    if (model.isPlain(i)) {
      const o = model.cellOrigin(model.column[i], model.level[i]);
      left = o.x; top = o.y; w = model.boxWidth; h = model.boxHeight;
    } else {
      const g = contGeometry(model, i);
      left = g.x; top = g.y; w = g.w; h = g.h;
    }
    if (x >= left && x < left + w && y >= top && y < top + h) return i;
  }
  return -1;
}

const pointers = new Map();
let gesture = null;

function pointerPoint(event) {
  const box = canvas.getBoundingClientRect();
  return { x: event.clientX - box.left, y: event.clientY - box.top };
}

canvas.addEventListener('pointerdown', (event) => {
  canvas.setPointerCapture(event.pointerId);
  pointers.set(event.pointerId, pointerPoint(event));
  gesture = { moved: false, start: pointerPoint(event), last: pointerPoint(event), spread: spread() };
});

function spread() {
  if (pointers.size < 2) return 0;
  const [a, b] = [...pointers.values()];
  return Math.hypot(a.x - b.x, a.y - b.y);
}

canvas.addEventListener('pointermove', (event) => {
  if (!gesture || !pointers.has(event.pointerId)) return;
  const p = pointerPoint(event);
  pointers.set(event.pointerId, p);
  if (pointers.size >= 2) {
    // A pinch: zoom about the middle of the two fingers.
    const now = spread(), [a, b] = [...pointers.values()];
    if (gesture.spread > 0 && now > 0) zoomAbout(view.zoom * now / gesture.spread, (a.x + b.x) / 2, (a.y + b.y) / 2);
    gesture.spread = now;
    gesture.moved = true;
    return;
  }
  if (Math.hypot(p.x - gesture.start.x, p.y - gesture.start.y) > CLICK_SLOP) gesture.moved = true;
  if (gesture.moved) panBy(gesture.last.x - p.x, gesture.last.y - p.y);
  gesture.last = p;
});

function endPointer(event) {
  pointers.delete(event.pointerId);
  if (!gesture) return;
  if (!gesture.moved && event.type === 'pointerup') clickAt(pointerPoint(event));
  if (pointers.size === 0) gesture = null;
}
canvas.addEventListener('pointerup', endPointer);
canvas.addEventListener('pointercancel', endPointer);

canvas.addEventListener('wheel', (event) => {
  event.preventDefault();
  const p = pointerPoint(event);
  // Lines and pages as pixels; a touchpad pinch comes as a wheel with Ctrl held.
  const unit = event.deltaMode === 1 ? 40 : event.deltaMode === 2 ? 800 : 1;
  zoomAbout(view.zoom * Math.exp(-event.deltaY * unit * 0.002), p.x, p.y);
}, { passive: false });

// Where a box leads: a continuation box to its chart's page or, in a book, to
// the chart, a see box to the person's own box; empty for other boxes and for a
// box that marks a generation limit, which names no chart.
function leadAddress(i) {
  const lead = book.leadOf(shown, i);
  if (lead) return boxAddress(lead.chart, lead.box);
  return model.isPlain(i) ? '' : model.address.get(i);
}

function clickAt(p) {
  const i = boxAtPoint(view.left + p.x / view.zoom, view.top + p.y / view.zoom);
  if (i < 0) return;
  if (leadAddress(i)) {
    window.location.href = leadAddress(i);
    return;
  }
  if (state.relateFrom >= 0 && model.record && model.record[i] >= 0) {
    const a = state.relateFrom, b = model.record[i];
    setAddress('relate=' + encodeURIComponent(book.family.ids[a]) + ',' + encodeURIComponent(book.family.ids[b]));
    showRelation(a, b);
    return;
  }
  setAddress(boxAddress(shown, i).slice(1));
  showLineage(i);
}

// Relationships: the sentences of stirpa --relate, and each line red in every chart that holds its persons.

function relationBits(k, relations) {
  const chart = book.charts[k], bits = new Uint8Array(chart.count);
  for (const relation of relations) {
    const boxes = relation.line.map((person) => book.boxOf(k, person));
    boxes.forEach((box, n) => {
      if (box < 0) return;
      bits[box] |= ON_LINE;
      // The connector between a child and a parent next to it on the line, where the chart draws one.
      for (const other of [boxes[n - 1], boxes[n + 1]]) {
        if (other >= 0 && chart.parentStep(box, null) === other) chart.parentStep(box, bits);
      }
    });
  }
  return bits;
}

function showRelation(a, b) {
  state.relateFrom = -1;
  const { relations, sentences } = describeRelations(book.family, a, b);
  state.relation = { relations };
  // The chart of A's box, when the one shown holds neither.
  if (book.boxOf(shown, a) < 0 && book.boxOf(shown, b) < 0) {
    const k = book.charts.findIndex((chart, n) => book.boxOf(n, a) >= 0);
    if (k >= 0) showChart(k);
  }
  state.lineage = relationBits(shown, relations);
  state.lineageFrom = -1;
  page.$('lineage-title').textContent = 'Relationship';
  page.$('lineage-names').replaceChildren();
  page.$('lineage-note').textContent = '';
  const shownRelation = page.$('relation');
  shownRelation.replaceChildren();
  sentences.forEach((sentence, n) => {
    const text = document.createElement('p');
    text.textContent = sentence;
    shownRelation.append(text);
    if (!relations[n]) return;
    const line = document.createElement('ol');
    for (const person of relations[n].line) {
      const item = document.createElement('li');
      const place = personPlace(person);
      const name = place ? document.createElement('a') : item;
      if (place) {
        name.href = boxAddress(place.chart, place.box);
        item.append(name);
      }
      name.textContent = book.family.names[person];
      line.append(item);
    }
    shownRelation.append(line);
  });
  page.$('relate').hidden = true;
  page.$('lineage').hidden = false;
  const box = book.boxOf(shown, a);
  if (box >= 0) centreOnBox(box);
  requestDraw();
}

// The person's box in the chart shown, else in the first chart that holds it; null for none.
function personPlace(person) {
  for (const k of [shown, ...book.charts.keys()]) {
    const box = book.boxOf(k, person);
    if (box >= 0) return { chart: k, box };
  }
  return null;
}

// Lineage: the editor's Find parent, ancestor by ancestor, from the answers the
// page was written with.

// In a chart linked to its family file the line follows the family's records
// (an in-law's line is her own); else the connectors, as the editor's Find parent.
function showLineage(from) {
  const line = model.record && model.record[from] >= 0 && book.family
    ? familyLine(book, shown, from, firstLine(shown, from)) : connectorLine(from);
  if (line.boxes.length === 1 && !line.drawn) {
    clearLineage();
    showLineagePanel(line.boxes, line.note);
    return;
  }
  state.lineage = line.bits;
  state.lineageFrom = from;
  showLineagePanel(line.boxes, line.note);
  requestDraw();
}

function connectorLine(from) {
  const bits = new Uint8Array(model.count), boxes = [from];
  if (model.parents[2 * from] === 0) return { boxes, bits, note: 'No parent found.', drawn: false };
  for (let box = model.parentStep(from, bits); box >= 0; box = model.parentStep(box, bits)) boxes.push(box);
  return { boxes, bits, note: '', drawn: true };
}

function firstLine(k, i) { return descriptionLines(book.charts[k].texts[i])[0] || ''; }

function showLineagePanel(boxes, note) {
  state.relation = null;
  page.$('lineage-title').textContent = 'Line of ancestors';
  page.$('relation').replaceChildren();
  page.$('relate').hidden = !(book.family && model.record && model.record[boxes[0]] >= 0);
  page.$('relate').dataset.person = page.$('relate').hidden ? '' : String(model.record[boxes[0]]);
  const list = page.$('lineage-names');
  list.replaceChildren();
  for (const i of boxes) {
    const item = document.createElement('li');
    const link = document.createElement('a');
    link.href = leadAddress(i) || boxAddress(shown, i);
    link.textContent = firstLine(shown, i);
    item.append(link);
    list.append(item);
  }
  page.$('lineage-note').textContent = note;
  page.$('lineage').hidden = false;
}

function clearLineage() {
  state.relation = null;
  state.relateFrom = -1;
  state.lineage = savedLineage;
  state.lineageFrom = -1;
  page.$('lineage').hidden = true;
  requestDraw();
}

// Find

const findField = page.$('find');

// The answer comes from find's worker; the time is from the keystroke to it.
function runFind(query, keepAddress) {
  const start = performance.now();
  state.query = query;
  watcher.findAsked();
  search.find(query, (found) => {
    state.found = found;
    // The first match in the chart shown, else the book's first.
    const here = found.findIndex((place) => book.chartOfPlace(place) === shown);
    state.at = found.length ? Math.max(here, 0) : -1;
    watcher.found(performance.now() - start);
    showMatch();
  });
  if (!keepAddress) setAddressSoon(query ? 'find=' + encodeURIComponent(query) : '');
}

function stepMatch(by) {
  if (state.found.length === 0) return;
  state.at = (state.at + by + state.found.length) % state.found.length;
  showMatch();
}

// The book's matches that are in the chart shown, as its boxes, and the one in view.
function matchesOfChart() {
  const start = book.starts[shown], end = book.starts[shown + 1];
  state.matches = state.found.filter((place) => place >= start && place < end).map((place) => place - start);
  const current = state.at >= 0 ? state.found[state.at] - start : -1;
  state.current = state.matches.indexOf(current);
}

function showMatch() {
  const count = page.$('find-count');
  if (state.found.length === 0) {
    count.value = state.query ? 'no match' : '';
    state.matches = [];
    state.current = -1;
    requestDraw();
    return;
  }
  const place = state.found[state.at], k = book.chartOfPlace(place);
  count.value = (state.at + 1) + ' of ' + state.found.length;
  showChart(k);
  matchesOfChart();
  centreOnBox(place - book.starts[k]);
}

findField.addEventListener('input', () => runFind(findField.value));
findField.addEventListener('keydown', (event) => {
  if (event.key === 'Enter') {
    event.preventDefault();
    stepMatch(event.shiftKey ? -1 : 1);
  } else if (event.key === 'Escape') {
    event.preventDefault();
    canvas.focus();
  }
});
page.$('find-next').addEventListener('click', () => stepMatch(1));
page.$('find-previous').addEventListener('click', () => stepMatch(-1));

// The address

let addressTimer = 0;

function setAddress(fragment) {
  clearTimeout(addressTimer);
  history.replaceState(null, '', fragment ? '#' + fragment : window.location.pathname + window.location.search);
}

// Once typing pauses: on a big page the browser takes tens of ms to write the address.
function setAddressSoon(fragment) {
  clearTimeout(addressTimer);
  addressTimer = setTimeout(() => setAddress(fragment), 300);
}

// A hand-typed address may hold a lone '%': taken as it stands, never thrown on.
function decodedAddress(text) {
  try {
    return decodeURIComponent(text);
  } catch (error) {
    return text;
  }
}

function followAddress() {
  let hash = window.location.hash.slice(1);
  // A book's address names the chart first: "chart=NAME" or "chart=NAME&box=C,L".
  const chart = /^chart=([^&]*)&?/.exec(hash);
  if (chart) {
    const k = book.byName.get(decodedAddress(chart[1]));
    if (k === undefined) return false;
    hash = hash.slice(chart[0].length);
    if (k !== shown || !hash) {
      showChart(k);
      if (!hash) {
        openingView();
        return true;
      }
    }
  }
  const relate = /^relate=([^,]*),(.*)$/.exec(hash);
  if (relate && book.family) {
    const a = book.family.indexOf(decodedAddress(relate[1])), b = book.family.indexOf(decodedAddress(relate[2]));
    if (a < 0 || b < 0) return false;
    showRelation(a, b);
    return true;
  }
  if (hash.startsWith('find=')) {
    const query = decodedAddress(hash.slice(5));
    findField.value = query;
    runFind(query, true);
    return true;
  }
  const cell = /^box=(-?\d+),(-?\d+)$/.exec(hash);
  if (cell) {
    const i = model.boxAt(Number(cell[1]), Number(cell[2]));
    if (i >= 0) {
      state.found = [book.starts[shown] + i];
      state.at = 0;
      matchesOfChart();
      centreOnBox(i);
      return true;
    }
  }
  return false;
}
window.addEventListener('hashchange', followAddress);

// Keys

document.addEventListener('keydown', (event) => {
  if (event.target === findField || event.ctrlKey || event.metaKey || event.altKey) return;
  const inList = event.target.closest && event.target.closest('#persons, #lineage');
  const pan = Math.max(40, Math.min(view.width, view.height) / 8);
  const keys = {
    '+': () => zoomStep(ZOOM_STEP), '=': () => zoomStep(ZOOM_STEP), '-': () => zoomStep(1 / ZOOM_STEP),
    '0': actualSize, '9': fitChart, '/': () => { findField.focus(); findField.select(); },
    Escape: clearLineage,
    ArrowLeft: () => panBy(-pan, 0), ArrowRight: () => panBy(pan, 0),
    ArrowUp: () => panBy(0, -pan), ArrowDown: () => panBy(0, pan),
  };
  if (event.target === canvas && (event.key === 'Enter' || event.key === 'l')) {
    const i = state.current >= 0 ? state.matches[state.current] : -1;
    if (i >= 0 && model.isPlain(i)) showLineage(i);
    event.preventDefault();
    return;
  }
  if (inList && event.key.startsWith('Arrow')) return;
  const action = keys[event.key];
  if (!action) return;
  event.preventDefault();
  action();
});

page.$('zoom-in').addEventListener('click', () => zoomStep(ZOOM_STEP));
page.$('zoom-out').addEventListener('click', () => zoomStep(1 / ZOOM_STEP));
page.$('actual-size').addEventListener('click', actualSize);
page.$('fit').addEventListener('click', fitChart);
page.$('lineage-close').addEventListener('click', clearLineage);
page.$('relate').addEventListener('click', () => {
  state.relateFrom = Number(page.$('relate').dataset.person);
  page.$('lineage-note').textContent = 'Click the other person.';
  page.$('relate').hidden = true;
});

// The overview: the whole chart small in a corner; a click goes there.

const overviewPicture = document.createElement('canvas');
let overviewScale = 1;

function placeOverview(newChart) {
  const most = Math.min(220, view.width / 3), tall = Math.min(160, view.height / 3);
  overviewScale = Math.min(most / model.width, tall / model.height);
  const width = Math.max(20, Math.round(model.width * overviewScale));
  const height = Math.max(20, Math.round(model.height * overviewScale));
  if (overview.width === width && overview.height === height && !newChart) return;
  overview.width = overviewPicture.width = width;
  overview.height = overviewPicture.height = height;
  overview.style.width = width + 'px';
  overview.style.height = height + 'px';
  // The first time, after the chart's first paint: the overview can wait for it.
  if (painted) paintOverview(model, overviewPicture, overviewScale);
}

function drawOverviewFrame() {
  const o = overview.getContext('2d');
  o.drawImage(overviewPicture, 0, 0);
  o.strokeStyle = COLOUR.red;
  o.lineWidth = 1.5;
  // Never smaller than a mark: on a very wide chart the view is a speck.
  o.strokeRect(view.left * overviewScale, view.top * overviewScale,
    Math.max(4, view.width / view.zoom * overviewScale), Math.max(4, view.height / view.zoom * overviewScale));
}

function overviewGo(event) {
  const box = overview.getBoundingClientRect();
  centreOn((event.clientX - box.left) / overviewScale, (event.clientY - box.top) / overviewScale);
}
overview.addEventListener('pointerdown', (event) => {
  overview.setPointerCapture(event.pointerId);
  overviewGo(event);
});
overview.addEventListener('pointermove', (event) => {
  if (overview.hasPointerCapture(event.pointerId)) overviewGo(event);
});

// The persons in reading order, as text: built in pieces after the first paint,
// as many as fit while the page is idle (at least a slice of time between its
// other work). Each piece is a list of its own that the browser lays out only
// when it comes into view, so a long list costs the same per piece, however
// many came before. Its rows are copies of one row: cheaper than making each.

const LIST_SLICE = 12; // ms, when the page is never idle
const whenIdle = window.requestIdleCallback
  ? (work) => requestIdleCallback(work, { timeout: 50 }) : (work) => setTimeout(work, 0);

let listing = 0; // the list being built: a chart shown later starts its own

function buildPersonList() {
  const list = page.$('person-list');
  const chunk = 1000, row = document.createElement('li');
  row.append(document.createElement('a'));
  list.replaceChildren();
  let k = 0;
  const serial = ++listing;
  const more = (idle) => {
    if (serial !== listing) return;
    const until = performance.now() + Math.max(LIST_SLICE, idle && !idle.didTimeout ? idle.timeRemaining() : 0);
    do {
      const part = document.createElement('ol');
      part.className = 'persons-part';
      part.start = k + 1;
      for (const end = Math.min(model.count, k + chunk); k < end; ++k) {
        const i = model.reading[k];
        const item = row.cloneNode(true);
        item.firstChild.href = leadAddress(i) || boxAddress(shown, i);
        item.firstChild.textContent = descriptionLines(model.texts[i]).join(', ');
        part.append(item);
      }
      list.append(part);
    } while (k < model.count && performance.now() < until);
    if (k < model.count) whenIdle(more);
    else {
      watcher.listed();
      // Find's worker folds the descriptions after: on two cores each halves the other's speed.
      setTimeout(() => search.prepare(), 0);
    }
  };
  more();
}

watcher.started({
  view, redraw: requestDraw, drawing,
  relate: (a, b) => describeRelations(book.family, book.family.indexOf(a), book.family.indexOf(b)).sentences,
  persons: () => (book.family ? book.family.ids : []),
});
listCharts();
showChart(book.shown);
new ResizeObserver(resize).observe(canvas);
resize();
if (!followAddress()) openingView();
})();
