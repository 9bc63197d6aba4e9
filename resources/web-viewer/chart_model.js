// The chart as the page holds it: the boxes in list order as typed columns,
// their reading order (level, then column, then list order), the rows for cell
// lookups, and the geometry of the editor's grid.

Stirpa.chartModel = (function () {
const GAP = 20;
const ORIGIN_X = 25 + 10; // the generation column, then a margin
const ORIGIN_Y = 10;
const PLAIN_KIND_LIMIT = 4; // kinds 0 to 3 (and 9) are plain boxes, 4 to 8 continuation boxes

// Integers joined by commas, an empty one standing for 0.
function parseNumbers(text, count) {
  const values = new Int32Array(count);
  let at = 0, value = 0, negative = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text.charCodeAt(i);
    if (c === 44) { // ','
      values[at++] = negative ? -value : value;
      value = 0;
      negative = false;
    } else if (c === 45) { // '-'
      negative = true;
    } else {
      value = value * 10 + (c - 48);
    }
  }
  if (count > 0) values[at] = negative ? -value : value;
  return values;
}

// Indices 0..n-1 ordered by key (stable), by counting: linear in n and the key range.
function countingSort(order, keys, min, max) {
  const counts = new Int32Array(max - min + 2);
  for (let i = 0; i < order.length; ++i) counts[keys[order[i]] - min + 1]++;
  for (let k = 1; k < counts.length; ++k) counts[k] += counts[k - 1];
  const sorted = new Int32Array(order.length);
  for (let i = 0; i < order.length; ++i) sorted[counts[keys[order[i]] - min]++] = order[i];
  return sorted;
}

function range(values) {
  let min = 0, max = 0;
  for (let i = 0; i < values.length; ++i) {
    if (i === 0 || values[i] < min) min = values[i];
    if (i === 0 || values[i] > max) max = values[i];
  }
  return [min, max];
}

class ChartModel {
  constructor(data) {
    const n = data.count;
    this.count = n;
    this.name = data.name;
    this.title = data.title;
    this.boxWidth = data.boxWidth;
    this.boxHeight = data.boxHeight;
    this.pitchX = data.boxWidth + GAP;
    this.pitchY = data.boxHeight + GAP;
    this.generationMode = data.generationMode;
    this.generationStart = data.generationStart;
    this.smallFontLine = data.smallFontLine;
    this.chartBackground = data.chartBackground;
    // The size the editor draws the chart at, and the box the page opens on.
    this.width = data.width;
    this.height = data.height;
    this.root = data.root;
    this.joinedTexts = data.texts; // for find's worker
    this.texts = n > 0 ? data.texts.split('\n') : [];

    const cells = parseNumbers(data.cells, 2 * n);
    const links = parseNumbers(data.links, 2 * n);
    this.column = new Int32Array(n);
    this.level = new Int32Array(n);
    this.right = new Int32Array(n);
    this.down = new Int32Array(n);
    let column = 0, level = 0;
    this.reachRight = 0;
    this.reachDown = 0;
    for (let i = 0; i < n; ++i) {
      column += cells[2 * i];
      level += cells[2 * i + 1];
      this.column[i] = column;
      this.level[i] = level;
      this.right[i] = links[2 * i];
      this.down[i] = links[2 * i + 1];
      this.reachRight = Math.max(this.reachRight, Math.abs(this.right[i]));
      this.reachDown = Math.max(this.reachDown, Math.abs(this.down[i]));
    }
    this.kind = parseNumbers(data.kinds, n);
    this.nameWraps = parseNumbers(data.nameWraps, n);
    this.fills = parseNumbers(data.fills, n);
    this.legend = data.legend || []; // [colour as CSS, label] of each colour the scheme gave
    this.parents = parseNumbers(data.parents, 2 * n);

    this.address = new Map();
    const addresses = data.addresses.split('\n');
    for (let i = 0, next = 0; i < n; ++i) {
      if (!this.isPlain(i)) this.address.set(i, addresses[next++]);
    }
    // Of a chart linked to its family file: each box's person (-1: none), and
    // the chart a see box names (-1: no see box).
    this.record = data.records === undefined ? null : minusOne(parseNumbers(data.records, n));
    this.seeChart = data.seeCharts === undefined ? null : minusOne(parseNumbers(data.seeCharts, n));

    this.sortRows();
    this.measure();
  }

  // A box's own or its scheme's colour as 0xRRGGBB, -1 for the standard one.
  fill(i) { return this.fills[i] ? this.fills[i] & 0xffffff : -1; }
  isPlain(i) { return this.kind[i] < PLAIN_KIND_LIMIT || this.kind[i] === 9; }
  direction(i) { return this.kind[i] - PLAIN_KIND_LIMIT; }
  // The lineage bits of the chart as saved (any other value: red as a cell only).
  savedLineage(i) { return this.kind[i] === 9 ? 4 : this.isPlain(i) ? this.kind[i] : 0; }

  sortRows() {
    const n = this.count;
    let order = new Int32Array(n);
    for (let i = 0; i < n; ++i) order[i] = i;
    const [minColumn, maxColumn] = range(this.column);
    const [minLevel, maxLevel] = range(this.level);
    order = countingSort(order, this.column, minColumn, maxColumn);
    this.reading = countingSort(order, this.level, minLevel, maxLevel);
    // rowStart[level - minLevel] .. rowStart[level - minLevel + 1]: that level's boxes.
    this.minLevel = minLevel;
    this.maxLevel = maxLevel;
    this.rowStart = new Int32Array(maxLevel - minLevel + 2);
    for (let i = 0; i < n; ++i) this.rowStart[this.level[i] - minLevel + 1]++;
    for (let k = 1; k < this.rowStart.length; ++k) this.rowStart[k] += this.rowStart[k - 1];
    this.readingColumn = new Int32Array(n);
    for (let k = 0; k < n; ++k) this.readingColumn[k] = this.column[this.reading[k]];
  }

  // The first place in reading order at or after the cell, within its row.
  rowSearch(level, column) {
    if (level < this.minLevel || level > this.maxLevel) return [0, 0];
    let low = this.rowStart[level - this.minLevel];
    let high = this.rowStart[level - this.minLevel + 1];
    const end = high;
    while (low < high) {
      const mid = (low + high) >> 1;
      if (this.readingColumn[mid] < column) low = mid + 1; else high = mid;
    }
    return [low, end];
  }

  // The first box in list order at a cell, or -1: the box every lookup of the editor finds.
  boxAt(column, level) {
    const [at, end] = this.rowSearch(level, column);
    return at < end && this.readingColumn[at] === column ? this.reading[at] : -1;
  }

  // The first box of each cell of a row from column `from` up to (not including) `to`.
  forEachFirstInRow(level, from, to, visit) {
    let [at, end] = this.rowSearch(level, from);
    let last = null;
    for (; at < end && this.readingColumn[at] < to; ++at) {
      if (this.readingColumn[at] !== last) visit(this.reading[at]);
      last = this.readingColumn[at];
    }
  }

  measure() {
    let deepest = -1, best = -1;
    for (let i = 0; i < this.count; ++i) {
      if (this.isPlain(i) && this.level[i] > best) { best = this.level[i]; deepest = i; }
    }
    this.deepestLevel = deepest >= 0 ? this.level[deepest] : -1;
  }

  // Find parent's step up from a box: the parent's box, or -1 at the top.
  // With bits, the step is marked as the editor marks it: 1 along the row, 2 the parent.
  parentStep(box, bits) {
    const up = this.parents[2 * box], offset = this.parents[2 * box + 1];
    const column = this.column[box], level = this.level[box];
    if (up === 0) {
      if (bits) this.forEachFirstInRow(level, column + offset, column, (b) => { bits[b] |= 1; });
      return -1;
    }
    const parentColumn = column + offset, parent = this.boxAt(parentColumn, level - up);
    if (bits) {
      this.forEachFirstInRow(level, Math.min(column, parentColumn), Math.max(column, parentColumn), (b) => { bits[b] |= 1; });
      bits[parent] |= 2;
    }
    return parent;
  }

  cellOrigin(column, level) {
    return { x: ORIGIN_X + column * this.pitchX, y: ORIGIN_Y + level * this.pitchY };
  }

  // The pixels a box's drawing can cover: its frame and its connectors or pointer stub.
  drawnBounds(i) {
    const o = this.cellOrigin(this.column[i], this.level[i]);
    const w = this.boxWidth, h = this.boxHeight;
    let b;
    if (this.isPlain(i)) {
      b = { left: o.x, top: o.y, right: o.x + w, bottom: o.y + h };
      cover(b, o.x + w, o.y + trunc(h / 2), o.x + w + this.right[i], o.y + trunc(h / 2));
      cover(b, o.x + trunc(w / 2), o.y + h, o.x + trunc(w / 2), o.y + h + this.down[i]);
      return b;
    }
    const g = contGeometry(this, i);
    b = { left: g.x, top: g.y, right: g.x + g.w, bottom: g.y + g.h };
    if (g.line) cover(b, g.line.x0, g.line.y0, g.line.x1, g.line.y1);
    return b;
  }

  // Every box whose drawing reaches the area, in list order (paint order).
  boxesInArea(area) {
    const left = area.left - this.reachRight - this.boxWidth, right = area.right + this.reachRight;
    const top = area.top - this.reachDown - this.boxHeight, bottom = area.bottom + this.reachDown;
    const c0 = Math.floor((left - ORIGIN_X) / this.pitchX), c1 = Math.floor((right - ORIGIN_X) / this.pitchX);
    const l0 = Math.max(this.minLevel, Math.floor((top - ORIGIN_Y) / this.pitchY));
    const l1 = Math.min(this.maxLevel, Math.floor((bottom - ORIGIN_Y) / this.pitchY));
    const found = [];
    const test = (i) => { if (intersects(this.drawnBounds(i), area)) found.push(i); };
    if ((l1 - l0 + 1) > this.count) {
      for (let i = 0; i < this.count; ++i) test(i);
      return found;
    }
    for (let level = l0; level <= l1; ++level) {
      let [at, end] = this.rowSearch(level, c0);
      for (; at < end && this.readingColumn[at] <= c1; ++at) test(this.reading[at]);
    }
    return Int32Array.from(found).sort();
  }
}

function minusOne(values) {
  for (let i = 0; i < values.length; ++i) values[i] -= 1;
  return values;
}

function trunc(value) { return Math.trunc(value); }

function cover(b, x0, y0, x1, y1) {
  b.left = Math.min(b.left, x0, x1);
  b.top = Math.min(b.top, y0, y1);
  b.right = Math.max(b.right, x0, x1);
  b.bottom = Math.max(b.bottom, y0, y1);
}

function intersects(a, b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// A continuation box: its smaller frame toward the side it points to, and its pointer line.
const DIRECTION_FACTORS = [[1, 0], [2, 1], [1, 2], [0, 1], [1, 1]];
function contGeometry(model, i) {
  const o = model.cellOrigin(model.column[i], model.level[i]);
  const w = model.boxWidth, h = model.boxHeight;
  const d = model.direction(i);
  const [fx, fy] = DIRECTION_FACTORS[d >= 0 && d <= 4 ? d : 4];
  const g = {
    x: o.x + trunc(w * 0.15) * fx, y: o.y + trunc(h * 0.15) * fy,
    w: trunc(w * 0.7), h: trunc(h * 0.7), line: null,
  };
  if (d < 4) {
    const ax = o.x + trunc(w * 0.5) * fx, ay = o.y + trunc(h * 0.5) * fy;
    g.line = { x0: ax, y0: ay, x1: ax + model.right[i] * (fx - 1), y1: ay + model.down[i] * (fy - 1) };
  }
  return g;
}

return { ChartModel, ORIGIN_Y, contGeometry, parseNumbers, minusOne };
})();
