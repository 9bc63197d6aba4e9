// The charts one page holds, a book's or a chart alone: each chart's model by
// its name, the box of the chart above that leads to each, the family's
// persons when the page has them, and all charts as one list for find.

Stirpa.bookModel = (function () {
const { ChartModel, parseNumbers, minusOne } = Stirpa.chartModel;
const CHART_ADDRESS = '#chart=';

// The persons of the family file: parents and spouses as places in the table, -1 for none.
class FamilyModel {
  constructor(data) {
    const n = data.count;
    this.count = n;
    this.ids = n > 0 ? data.ids.split('\n') : [];
    this.names = n > 0 ? data.names.split('\n') : [];
    this.sexes = data.sexes;
    this.father = minusOne(parseNumbers(data.fathers, n));
    this.mother = minusOne(parseNumbers(data.mothers, n));
    const counts = parseNumbers(data.spouseCounts, n);
    this.spouseStart = new Int32Array(n + 1);
    for (let p = 0; p < n; ++p) this.spouseStart[p + 1] = this.spouseStart[p] + counts[p];
    this.spouseList = minusOne(parseNumbers(data.spouses, this.spouseStart[n]));
  }

  spouses(p) { return this.spouseList.subarray(this.spouseStart[p], this.spouseStart[p + 1]); }
  // The children of each person, gathered the first time they are asked for.
  childrenOf(p) {
    this.gatherChildren();
    return this.childList.subarray(this.childStart[p], this.childStart[p + 1]);
  }

  // Whether a child of the person passes the test: without a list made, for searches
  // that ask it of thousands of ancestors.
  anyChild(p, test) {
    this.gatherChildren();
    for (let k = this.childStart[p]; k < this.childStart[p + 1]; ++k) if (test(this.childList[k])) return true;
    return false;
  }

  gatherChildren() {
    if (!this.childStart) {
      const n = this.count, start = new Int32Array(n + 2), parents = [this.father, this.mother];
      for (const parent of parents) for (let c = 0; c < n; ++c) if (parent[c] >= 0) start[parent[c] + 2]++;
      for (let q = 2; q < n + 2; ++q) start[q] += start[q - 1];
      const list = new Int32Array(start[n + 1]);
      // Each person's children in the order of the table, as the file's families hold them.
      for (let c = 0; c < n; ++c) for (const parent of parents) if (parent[c] >= 0) list[start[parent[c] + 1]++] = c;
      this.childStart = start;
      this.childList = list;
    }
  }
  parentsOf(p) { return [this.father[p], this.mother[p]].filter((q) => q >= 0); }
  // A person by record id, or -1: asked once for an address, where a search
  // of the list costs less than a table of a hundred thousand ids.
  indexOf(id) { return this.ids.indexOf(id); }
}

class BookModel {
  constructor(data) {
    this.charts = data.charts.map((chart) => new ChartModel(chart));
    this.shown = data.shown;
    this.family = data.family ? new FamilyModel(data.family) : null;
    this.byName = new Map(this.charts.map((model, k) => [model.name, k]));
    // The chart each continuation box leads to, and the first box leading to each chart.
    this.leadsTo = this.charts.map(() => new Map());
    this.up = this.charts.map(() => null);
    this.charts.forEach((model, k) => {
      for (const [box, address] of model.address) {
        if (!address || !address.startsWith(CHART_ADDRESS)) continue;
        const target = this.byName.get(address.slice(CHART_ADDRESS.length));
        if (target === undefined) continue;
        this.leadsTo[k].set(box, target);
        if (target !== k && this.up[target] === null) this.up[target] = { chart: k, box };
      }
    });
    this.recordBoxes = this.charts.map(() => null);
  }

  get isBook() { return this.charts.length > 1; }

  // The box of the person in the chart, or -1: its own box before a see box.
  boxOf(k, person) {
    const model = this.charts[k];
    if (!model.record || person < 0) return -1;
    if (!this.recordBoxes[k]) {
      const boxes = new Map();
      for (let i = 0; i < model.count; ++i) {
        const p = model.record[i];
        if (p >= 0 && (!boxes.has(p) || model.seeChart[boxes.get(p)] >= 0 && model.seeChart[i] < 0)) boxes.set(p, i);
      }
      this.recordBoxes[k] = boxes;
    }
    const box = this.recordBoxes[k].get(person);
    return box === undefined ? -1 : box;
  }

  // Where a box leads in the book: { chart, box } for a continuation box (the
  // chart's root) and a see box (the person's own box there); null for others.
  leadOf(k, i) {
    const model = this.charts[k];
    if (this.leadsTo[k].has(i)) {
      const target = this.leadsTo[k].get(i);
      return { chart: target, box: this.charts[target].root };
    }
    if (model.seeChart && model.seeChart[i] >= 0) {
      const target = model.seeChart[i], box = this.boxOf(target, model.record[i]);
      return { chart: target, box: box >= 0 ? box : this.charts[target].root };
    }
    return null;
  }

  // Every chart's boxes as one list, in the charts' order, each chart's in reading
  // order: what find searches. A box's place in it is its chart's start plus the box.
  searchModel() {
    const counts = this.charts.map((m) => m.count), total = counts.reduce((a, b) => a + b, 0);
    this.starts = new Int32Array(this.charts.length + 1);
    counts.forEach((count, k) => { this.starts[k + 1] = this.starts[k] + count; });
    const reading = new Int32Array(total), column = new Int32Array(total), level = new Float64Array(total);
    this.charts.forEach((m, k) => {
      const start = this.starts[k];
      for (let i = 0; i < m.count; ++i) {
        reading[start + i] = start + m.reading[i];
        column[start + i] = m.column[i];
        // Apart from every other chart's, so that no two charts share a cell.
        level[start + i] = m.level[i] + k * 4294967296;
      }
    });
    const texts = this.charts.filter((m) => m.count > 0).map((m) => m.joinedTexts).join('\n');
    return { count: total, reading, column, level, joinedTexts: texts };
  }

  // The chart of a place in the list searchModel gives.
  chartOfPlace(place) {
    let low = 0, high = this.charts.length - 1;
    while (low < high) {
      const mid = (low + high + 1) >> 1;
      if (this.starts[mid] <= place) low = mid; else high = mid - 1;
    }
    return low;
  }
}

return { BookModel, CHART_ADDRESS };
})();
