// Find as the editor's: descriptions folded (lower case, no accents, blanks and
// line breaks as one blank between words) and searched for the folded query;
// matches in reading order, one per cell.

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

class ChartSearch {
  constructor(model) {
    this.model = model;
    this.folded = null;
  }

  // Folds every description once, in reading order, each ended by a line feed
  // that no folded query holds, so no match runs across two boxes.
  prepare() {
    if (this.folded !== null) return;
    const m = this.model, parts = new Array(m.count);
    this.ends = new Int32Array(m.count);
    let length = 0;
    for (let k = 0; k < m.count; ++k) {
      parts[k] = foldedForSearch(m.texts[m.reading[k]]);
      length += parts[k].length;
      this.ends[k] = length;
      length += 1;
    }
    this.folded = parts.join('\n');
  }

  // The first box at each matching cell, in reading order.
  find(query) {
    const folded = foldedForSearch(query);
    const found = [];
    if (folded.length === 0) return found;
    this.prepare();
    const m = this.model;
    let k = 0, lastColumn = null, lastLevel = null;
    for (let at = this.folded.indexOf(folded); at !== -1;) {
      let low = k, high = m.count;
      while (low < high) { const mid = (low + high) >> 1; if (this.ends[mid] <= at) low = mid + 1; else high = mid; }
      k = low;
      const i = m.reading[k];
      if (m.column[i] !== lastColumn || m.level[i] !== lastLevel) {
        found.push(m.boxAt(m.column[i], m.level[i]));
        lastColumn = m.column[i];
        lastLevel = m.level[i];
      }
      at = this.folded.indexOf(folded, this.ends[k] + 1);
    }
    return found;
  }
}
