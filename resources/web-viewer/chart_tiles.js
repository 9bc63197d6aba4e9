// The chart zoomed out, from pictures: squares of device pixels painted once
// at the scale a view asked for and kept, so that a pan or a zoom step draws a
// few images however many boxes are in view. A square not painted yet is
// painted on the frame that needs it, a few per frame; until it is, the last
// scale shown completely stands in for it, stretched.

const TILE = 256; // device pixels
const MOST_TILES = 240; // about 60 MB of pictures

class ChartTiles {
  constructor(painter) {
    this.painter = painter;
    this.tiles = new Map(); // scale key and square -> canvas, least recently used first
    this.lineage = null;
    this.complete = null; // the last scale of which a view was drawn whole
  }

  // Draws the background and boxes of the view in device pixels, the corner
  // rounded to a whole pixel. Painting squares stops once `budget` ms have
  // passed; answers false when some square was left for a later frame.
  draw(ctx, view, lineage, budget) {
    if (lineage !== this.lineage) {
      this.tiles.clear();
      this.complete = null;
      this.lineage = lineage;
    }
    const scale = view.zoom * view.ratio, key = scale.toPrecision(10);
    const x = Math.round(view.left * scale), y = Math.round(view.top * scale);
    const { width, height } = ctx.canvas;
    const squares = [];
    for (let ty = Math.floor(y / TILE); ty * TILE < y + height; ++ty) {
      for (let tx = Math.floor(x / TILE); tx * TILE < x + width; ++tx) squares.push([tx, ty]);
    }
    ctx.save();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    const ready = (tx, ty) => this.tiles.has(key + ' ' + tx + ' ' + ty);
    if (this.complete && this.complete.key !== key && !squares.every(([tx, ty]) => ready(tx, ty))) {
      this.drawStandIn(ctx, view, scale);
    }
    const end = performance.now() + budget;
    let whole = true;
    for (const [tx, ty] of squares) {
      const name = key + ' ' + tx + ' ' + ty;
      let tile = this.tiles.get(name);
      if (tile) {
        this.tiles.delete(name);
      } else if (performance.now() < end) {
        tile = this.paintTile(view, scale, tx, ty);
      } else {
        whole = false;
        continue;
      }
      this.tiles.set(name, tile);
      ctx.drawImage(tile, tx * TILE - x, ty * TILE - y);
    }
    ctx.restore();
    if (whole) this.complete = { key, scale };
    for (const name of this.tiles.keys()) {
      if (this.tiles.size <= MOST_TILES) break;
      this.tiles.delete(name);
    }
    return whole;
  }

  paintTile(view, scale, tx, ty) {
    const tile = new OffscreenCanvas(TILE, TILE);
    const ctx = tile.getContext('2d', { willReadFrequently: true });
    const square = { zoom: view.zoom, ratio: view.ratio, left: tx * TILE / scale, top: ty * TILE / scale,
      width: TILE / view.ratio, height: TILE / view.ratio };
    this.painter.paintBoxes(ctx, square, this.lineage);
    return tile;
  }

  // The squares of the last complete scale that reach the view, stretched to this one.
  drawStandIn(ctx, view, scale) {
    const from = this.complete, stretch = scale / from.scale, size = TILE * stretch;
    const left = view.left * from.scale, top = view.top * from.scale;
    const right = left + ctx.canvas.width / stretch, bottom = top + ctx.canvas.height / stretch;
    for (let ty = Math.floor(top / TILE); ty * TILE < bottom; ++ty) {
      for (let tx = Math.floor(left / TILE); tx * TILE < right; ++tx) {
        const tile = this.tiles.get(from.key + ' ' + tx + ' ' + ty);
        if (tile) ctx.drawImage(tile, (tx * TILE - left) * stretch, (ty * TILE - top) * stretch, size, size);
      }
    }
  }
}
