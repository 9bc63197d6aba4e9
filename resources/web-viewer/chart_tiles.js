// The chart zoomed out, from pictures: squares of device pixels painted once
// at the scale a view asked for and kept, so that a pan or a zoom step draws a
// few images however many boxes are in view. A square not painted yet is
// painted on the frame that needs it, a few per frame; until it is, the last
// scale shown completely stands in for it, stretched.

Stirpa.chartTiles = (function () {
const TILE = 256; // device pixels, at most
const TILE_REACH = 6400; // chart pixels a square spans at most, so none holds too many boxes to paint in a frame
const MOST_PIXELS = 240 * TILE * TILE; // about 60 MB of pictures

// The side of the squares at a scale: 256 pixels, halved (to 32) while they would span more of the chart.
function tileSize(scale) {
  let size = TILE;
  while (size > 32 && size / scale > TILE_REACH) size /= 2;
  return size;
}

class ChartTiles {
  constructor(painter) {
    this.painter = painter;
    this.tiles = new Map(); // scale key and square -> canvas, least recently used first
    this.pixels = 0;
    this.lineage = null;
    this.complete = null; // the last scale of which a view was drawn whole
  }

  // Draws the background and boxes of the view in device pixels, the corner
  // rounded to a whole pixel. Painting squares stops once `budget` ms have
  // passed; answers false when some square was left for a later frame.
  draw(ctx, view, lineage, budget) {
    if (lineage !== this.lineage) {
      this.tiles.clear();
      this.pixels = 0;
      this.complete = null;
      this.lineage = lineage;
    }
    const scale = view.zoom * view.ratio, key = scale.toPrecision(10), size = tileSize(scale);
    const x = Math.round(view.left * scale), y = Math.round(view.top * scale);
    const { width, height } = ctx.canvas;
    const squares = [];
    for (let ty = Math.floor(y / size); ty * size < y + height; ++ty) {
      for (let tx = Math.floor(x / size); tx * size < x + width; ++tx) squares.push([tx, ty]);
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
        tile = this.paintTile(view, scale, size, tx, ty);
        this.pixels += size * size;
      } else {
        whole = false;
        continue;
      }
      this.tiles.set(name, tile);
      ctx.drawImage(tile, tx * size - x, ty * size - y);
    }
    ctx.restore();
    if (whole) this.complete = { key, scale, size };
    for (const [name, tile] of this.tiles) {
      if (this.pixels <= MOST_PIXELS) break;
      this.pixels -= tile.width * tile.height;
      this.tiles.delete(name);
    }
    return whole;
  }

  paintTile(view, scale, size, tx, ty) {
    const tile = new OffscreenCanvas(size, size);
    const ctx = tile.getContext('2d', { willReadFrequently: true });
    const square = { zoom: view.zoom, ratio: view.ratio, left: tx * size / scale, top: ty * size / scale,
      width: size / view.ratio, height: size / view.ratio };
    this.painter.paintBoxes(ctx, square, this.lineage);
    return tile;
  }

  // The squares of the last complete scale that reach the view, stretched to this one.
  drawStandIn(ctx, view, scale) {
    const from = this.complete, stretch = scale / from.scale, side = from.size * stretch;
    const left = view.left * from.scale, top = view.top * from.scale;
    const right = left + ctx.canvas.width / stretch, bottom = top + ctx.canvas.height / stretch;
    for (let ty = Math.floor(top / from.size); ty * from.size < bottom; ++ty) {
      for (let tx = Math.floor(left / from.size); tx * from.size < right; ++tx) {
        const tile = this.tiles.get(from.key + ' ' + tx + ' ' + ty);
        if (tile) ctx.drawImage(tile, (tx * from.size - left) * stretch, (ty * from.size - top) * stretch, side, side);
      }
    }
  }
}

return { ChartTiles };
})();
