// Find as the editor's: descriptions folded (lower case, no accents, blanks and
// line breaks as one blank between words) and searched for the folded query;
// matches in reading order, one per cell. The descriptions are folded once, in
// a worker, with an index of their words, so that typing stays quick.

Stirpa.searchFolding = (function () {
// What find needs, in one function: a worker is made from its text.
function searchParts() {
  // Latin-1 letters U+00C0 to U+00FF without accents; '\0' where there is no letter to fold.
  const LATIN1_BASE = 'aaaaaaaceeeeiiii' + 'dnooooo\0ouuuuyts' + 'aaaaaaaceeeeiiii' + 'dnooooo\0ouuuuyty';
  // Latin Extended-A U+0100 to U+017F: each pair of capital and small letter.
  const EXTENDED_A_BASE = 'aaaaaaccccccccdd' + 'ddeeeeeeeeeegggg' + 'gggghhhhiiiiiiii' + 'iijjjjkkklllllll' +
    'lllnnnnnnnnnoooo' + 'oooorrrrrrssssss' + 'ssttttttuuuuuuuu' + 'uuuuwwyyyzzzzzzs';

  function foldedForSearch(text) {
    let out = '', started = false, blank = false;
    for (const ch of text) {
      const code = ch.codePointAt(0);
      if (code === 0x7c || code === 0x20 || code === 0x09 || code === 0x0a || code === 0x0d) {
        blank = started;
        continue;
      }
      if (blank) out += ' ';
      blank = false;
      started = true;
      if (code >= 0x41 && code <= 0x5a) out += String.fromCharCode(code + 32);
      else if (code < 0x80) out += ch;
      else if (code === 0xdf) out += 'ss';
      else if (code === 0xc6 || code === 0xe6) out += 'ae';
      else if (code === 0x152 || code === 0x153) out += 'oe';
      else if (code >= 0xc0 && code <= 0xff && LATIN1_BASE[code - 0xc0] !== '\0') out += LATIN1_BASE[code - 0xc0];
      else if (code >= 0x100 && code <= 0x17f) out += EXTENDED_A_BASE[code - 0x100];
      else out += ch;
    }
    return out;
  }

  // The folded descriptions in reading order and, for each folded word, the
  // places in reading order of the descriptions that hold it.
  class FoldedTexts {
    constructor(joined, reading) {
      const texts = reading.length > 0 ? joined.split('\n') : [];
      const ids = new Map(), lists = [];
      this.folded = Array.from(reading, (i) => foldedForSearch(texts[i]));
      for (let k = 0; k < reading.length; ++k) {
        for (const word of this.folded[k].split(' ')) {
          if (word === '') continue;
          let id = ids.get(word);
          if (id === undefined) {
            id = lists.length;
            ids.set(word, id);
            lists.push([]);
          }
          const list = lists[id];
          if (list[list.length - 1] !== k) list.push(k);
        }
      }
      // The words joined by line feeds, which no folded query holds.
      this.words = [...ids.keys()].join('\n');
      this.wordEnds = new Int32Array(lists.length);
      let end = -1;
      for (const [word, id] of ids) this.wordEnds[id] = end += word.length + 1;
      this.lists = lists.map((list) => Int32Array.from(list));
      this.marks = new Uint8Array(reading.length);
    }

    // The ids of the words that hold `part` (no blank), and how many
    // descriptions they name together.
    wordsHolding(part) {
      const ids = [];
      let count = 0;
      for (let at = this.words.indexOf(part); at !== -1;) {
        let low = 0, high = this.wordEnds.length - 1;
        while (low < high) { const mid = (low + high) >> 1; if (this.wordEnds[mid] < at) low = mid + 1; else high = mid; }
        ids.push(low);
        count += this.lists[low].length;
        at = this.words.indexOf(part, this.wordEnds[low] + 1);
      }
      return { ids, count };
    }

    // The box of each cell whose folded description holds `folded`, in reading
    // order (cellBox: for each place, the first box in list order of its cell).
    // Each word of the query lies within a word of such a description: those
    // with words that hold the query's two rarest words are looked at.
    find(folded, cellBox) {
      const parts = folded.split(' ').map((part) => this.wordsHolding(part)).sort((a, b) => a.count - b.count);
      const marks = this.marks, steps = Math.min(parts.length, 2);
      marks.fill(0);
      let count = 0;
      for (let step = 0; step < steps; ++step) count = markPlaces(this.lists, parts[step].ids, marks, step);
      const found = new Int32Array(count), check = parts.length > 1;
      let size = 0, last = -1;
      for (let k = 0; k < marks.length; ++k) {
        if (marks[k] !== steps || cellBox[k] === last || (check && !this.folded[k].includes(folded))) continue;
        found[size++] = last = cellBox[k];
      }
      return size === count ? found : found.slice(0, size);
    }
  }

  // Raises the mark of each place marked `step` in the words' lists to
  // step + 1; gives how many it raised. One plain loop: a million places on
  // the first keystroke.
  function markPlaces(lists, ids, marks, step) {
    let raised = 0;
    for (const id of ids) {
      const list = lists[id];
      for (let n = 0; n < list.length; ++n) {
        const place = list[n];
        if (marks[place] === step) {
          marks[place] = step + 1;
          ++raised;
        }
      }
    }
    return raised;
  }

  return { foldedForSearch, FoldedTexts };
}

// The worker: given the descriptions, folds them; then answers each query.
function searchWorker() {
  const { FoldedTexts } = searchParts();
  let texts = null, cellBox = null;
  onmessage = (event) => {
    const ask = event.data;
    if (ask.joined !== undefined) {
      texts = new FoldedTexts(ask.joined, ask.reading);
      cellBox = ask.cellBox;
      // The first query compiles the search's loops: asked now, not at the first keystroke.
      texts.find('e', cellBox);
      return;
    }
    const found = texts.find(ask.query, cellBox);
    postMessage({ serial: ask.serial, found }, [found.buffer]);
  };
}

const { foldedForSearch } = searchParts();

class ChartSearch {
  constructor(model) {
    this.model = model;
    this.port = null;
    this.serial = 0;
    this.waiting = null;
  }

  // Starts folding the descriptions, once. A browser that allows no worker to
  // the page gets the same work done here.
  prepare() {
    if (this.port) return;
    try {
      const code = new Blob([searchParts + '\n(' + searchWorker + ')();'], { type: 'text/javascript' });
      this.port = new Worker(URL.createObjectURL(code));
      this.port.onerror = () => this.workHere();
      this.port.onmessage = (event) => this.answered(event.data);
    } catch (error) {
      this.workHere();
      return;
    }
    this.port.postMessage({ joined: this.model.joinedTexts, reading: this.model.reading, cellBox: this.cellBox() });
  }

  workHere() {
    const texts = new (searchParts().FoldedTexts)(this.model.joinedTexts, this.model.reading), cellBox = this.cellBox();
    this.port = { postMessage: (ask) => setTimeout(() => this.answered({ serial: ask.serial, found: texts.find(ask.query, cellBox) })) };
    if (this.waiting) this.port.postMessage(this.waiting);
  }

  // For each place in reading order, the first box in list order of its cell:
  // the box the editor finds there.
  cellBox() {
    const m = this.model, first = new Int32Array(m.count);
    for (let k = 0; k < m.count; ++k) {
      const a = m.reading[k - 1], b = m.reading[k];
      first[k] = k > 0 && m.column[a] === m.column[b] && m.level[a] === m.level[b] ? first[k - 1] : b;
    }
    return first;
  }

  // Calls answer with the first box at each matching cell, in reading order;
  // a query asked later drops the answer to this one.
  find(query, answer) {
    const folded = foldedForSearch(query);
    this.waiting = folded.length > 0 ? { serial: ++this.serial, query: folded, answer } : null;
    if (!this.waiting) {
      answer([]);
      return;
    }
    this.prepare();
    this.port.postMessage({ serial: this.waiting.serial, query: folded });
  }

  answered({ serial, found }) {
    if (!this.waiting || serial !== this.waiting.serial) return;
    const answer = this.waiting.answer;
    this.waiting = null;
    answer(found);
  }
}

return { ChartSearch };
})();
