// Lines through the family's records, in a chart linked to its family file:
// a person's line of ancestors is her own, whichever connectors reach her box.

Stirpa.familyLines = (function () {
const { ON_LINE } = Stirpa.chartDrawing;
// From the box up through the boxes of the person's parents in the chart: the
// one the connectors reach when they reach a parent (the connector is drawn
// then), else the father's, else the mother's. Stops at a see box, whose line
// goes on in its chart, and says so where the parents have no box here.
function familyLine(book, k, from, name) {
  const model = book.charts[k], family = book.family;
  const bits = new Uint8Array(model.count), boxes = [from], seen = new Set([from]);
  let note = '';
  for (let box = from; model.seeChart[box] < 0 || box === from;) {
    const person = model.record[box];
    const parents = person >= 0 ? family.parentsOf(person) : [];
    if (parents.length === 0) {
      if (box === from) note = 'No parent found.';
      break;
    }
    const byConnector = model.parentStep(box, null);
    let next;
    if (byConnector >= 0 && parents.includes(model.record[byConnector])) {
      next = model.parentStep(box, bits);
    } else {
      const own = parents.map((parent) => book.boxOf(k, parent)).filter((b) => b >= 0);
      if (own.length === 0) {
        note = 'The parents of ' + (box === from ? name : family.names[person]) + ' are not in this chart.';
        break;
      }
      next = own[0];
      bits[box] |= ON_LINE;
      bits[next] |= ON_LINE;
    }
    // A chart may hold a person twice: each box is passed once.
    if (seen.has(next)) break;
    seen.add(next);
    boxes.push(next);
    box = next;
  }
  return { boxes, bits, note, drawn: boxes.length > 1 };
}

return { familyLine };
})();
