// In a page written for tests only: the viewer's state where the browser tests
// and benchmarks read and drive it, window.stirpaViewer. It comes before the
// viewer, which tells Stirpa.watcher what it does.

Stirpa.watcher = (function () {
const hooks = { firstPaint: null, listDone: null, draws: [], finds: [], finding: false, view: null, redraw: null };
window.stirpaViewer = hooks;

return {
  // drawing: whether a frame is still to come; tiles off draws every box each frame, to compare.
  // relate: the sentences of how the persons of two record ids are related;
  // persons: the record ids of the family the page holds.
  started({ view, redraw, drawing, relate, persons }) {
    hooks.view = view;
    hooks.redraw = redraw;
    hooks.relate = relate;
    hooks.persons = persons;
    Object.defineProperty(hooks, 'drawing', { get: () => drawing.asked });
    Object.defineProperty(hooks, 'tiles', { get: () => drawing.tiles, set: (on) => { drawing.tiles = on; } });
  },
  drew(took) {
    hooks.draws.push(took);
    if (hooks.firstPaint === null) hooks.firstPaint = performance.now();
  },
  findAsked() { hooks.finding = true; },
  found(took) {
    hooks.finds.push(took);
    hooks.finding = false;
  },
  listed() { hooks.listDone = performance.now(); },
};
})();
