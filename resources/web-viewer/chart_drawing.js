// The picture of the chart, as the editor paints it: background, generation
// column, boxes with their connectors in list order, at the editor's levels of
// detail (text from 35 %, frames from 8 %, below that filled cells).

Stirpa.chartDrawing = (function () {
const { ORIGIN_Y, contGeometry } = Stirpa.chartModel;

const COLOUR = {
  red: '#ff0000', darkblue: '#000055', paleyellow: '#ffffaa', palecyan: '#aaffff',
  paleblue: '#aaaaff', white: '#ffffff', generationFill: '#b4b4c8', findMark: '#ff8c00',
};
const RGBA = { red: 0xff0000ff, paleyellow: 0xffaaffff, palecyan: 0xffffffaa };

// A box's fill as CSS and as the pixel of an image's Uint32Array, the standard one unless it has its own.
function fillCss(model, i, standard) {
  const rgb = model.fill(i);
  return rgb < 0 ? standard : '#' + rgb.toString(16).padStart(6, '0');
}
function fillPixel(model, i, standard) {
  const rgb = model.fill(i);
  return rgb < 0 ? standard : (0xff000000 | (rgb & 0xff) << 16 | (rgb & 0xff00) | rgb >> 16) >>> 0;
}
const BOX_ROUNDNESS = 0.15;
// Lineage bits beside the connectors' (1 right, 2 down): a box on a line the
// family's records draw, its frame red where no connector leads to it.
const ON_LINE = 8;
const TEXT_INSET = 2, CLIP_INSET_FAR = 4, LINE_SPACING = 12;
const FONT_FACES = 'Arial, "Liberation Sans", Helvetica, sans-serif';
const NUMBER_HEIGHT = 16, LEGIBLE_HEIGHT = 11, TEXT_REACH = 256;

const Detail = { Full: 0, Frames: 1, Cells: 2 };
const TEXT_ZOOM = 0.35; // the least zoom that shows text
function detailAt(scale) { return scale < 0.08 ? Detail.Cells : scale < TEXT_ZOOM ? Detail.Frames : Detail.Full; }

// A font asked for by its character cell height, as the editor does: the largest
// pixel size whose ascent and descent (Arial's proportions) fit the height.
const fontCache = new Map();
function chartFont(height, bold) {
  const key = height * 2 + (bold ? 1 : 0);
  let font = fontCache.get(key);
  if (!font) {
    let pixels = height;
    while (pixels > 1 && Math.round(pixels * 0.905) + Math.round(pixels * 0.212) > height) --pixels;
    const ascent = Math.round(pixels * 0.905), descent = Math.round(pixels * 0.212);
    font = { css: (bold ? 'bold ' : '') + pixels + 'px ' + FONT_FACES, ascent, height: ascent + descent };
    fontCache.set(key, font);
  }
  return font;
}

// A name wrapped onto nameLines lines counts as one line.
function smallFontStart(smallFontLine, nameLines) {
  const start = smallFontLine <= 3 ? smallFontLine : 100;
  return start > 0 ? start + nameLines - 1 : start;
}

class ChartPainter {
  constructor(model) {
    this.model = model;
  }

  // view: zoom, left and top (the chart pixel at the canvas's corner), width and
  // height in CSS pixels, ratio (device pixels per CSS pixel). lineage: bits per
  // box. matches: boxes framed in orange; current: the one framed heavier.
  // boxes, when given, draws the background and boxes instead (zoomed out only,
  // where the generation column comes last).
  paint(ctx, view, lineage, matches, current, boxes) {
    const area = this.begin(ctx, view, lineage);
    const grown = LEGIBLE_HEIGHT / view.zoom > NUMBER_HEIGHT;
    this.paintBackground();
    if (boxes) {
      boxes();
    } else {
      if (!grown) this.paintGenerationColumn(view.zoom);
      this.paintBoxList(ctx, view);
    }
    for (const i of matches.visible(area)) this.paintMark(i, i === current);
    if (grown) this.paintGenerationColumn(view.zoom);
  }

  // The background and the boxes alone: what a picture of the zoomed-out chart holds.
  paintBoxes(ctx, view, lineage) {
    this.begin(ctx, view, lineage);
    this.paintBackground();
    this.paintBoxList(ctx, view);
  }

  begin(ctx, view, lineage) {
    const scale = view.zoom * view.ratio;
    this.ctx = ctx;
    this.device = 1 / scale; // one device pixel in chart pixels
    this.lineage = lineage;
    // Zoomed out, the picture comes from tiles placed at whole device pixels:
    // whatever is drawn over them, and the same picture drawn box by box, too.
    const whole = detailAt(view.zoom) !== Detail.Full;
    this.shiftX = whole ? -Math.round(view.left * scale) : -view.left * scale;
    this.shiftY = whole ? -Math.round(view.top * scale) : -view.top * scale;
    ctx.setTransform(scale, 0, 0, scale, this.shiftX, this.shiftY);
    this.area = { left: view.left, top: view.top,
      right: view.left + view.width / view.zoom, bottom: view.top + view.height / view.zoom };
    return this.area;
  }

  paintBackground() {
    const area = this.area;
    this.ctx.fillStyle = this.model.chartBackground ? COLOUR.paleblue : COLOUR.white;
    this.ctx.fillRect(area.left, area.top, area.right - area.left, area.bottom - area.top);
  }

  paintBoxList(ctx, view) {
    const m = this.model;
    const boxes = m.boxesInArea(this.area);
    const detail = detailAt(view.zoom);
    if (detail === Detail.Cells) {
      this.paintCells(ctx, view, boxes);
    } else {
      for (const i of boxes) {
        if (m.isPlain(i)) this.paintPlain(i, detail); else this.paintContinuation(i, detail);
      }
    }
  }

  line(colour, x0, y0, x1, y1) {
    const ctx = this.ctx, width = Math.max(1, this.device);
    ctx.fillStyle = colour;
    // The pixels from the start up to the one before the end, as the editor's pen.
    if (y0 === y1 && x0 !== x1) ctx.fillRect(x1 > x0 ? x0 : x1 + 1, y0, Math.abs(x1 - x0), width);
    else if (x0 === x1 && y0 !== y1) ctx.fillRect(x0, y1 > y0 ? y0 : y1 + 1, width, Math.abs(y1 - y0));
  }

  frame(x, y, w, h, roundness, outline, fill) {
    const ctx = this.ctx;
    ctx.beginPath();
    const inset = 0.5 * Math.max(1, this.device);
    if (roundness === 0) {
      ctx.rect(x + inset, y + inset, w - 2 * inset, h - 2 * inset);
    } else {
      const rx = Math.trunc(w * roundness) / 2, ry = Math.trunc(h * roundness) / 2;
      ctx.roundRect(x + inset, y + inset, w - 2 * inset, h - 2 * inset, [{ x: rx, y: ry }]);
    }
    ctx.fillStyle = fill;
    ctx.fill();
    ctx.lineWidth = Math.max(1, this.device);
    ctx.strokeStyle = outline;
    ctx.stroke();
  }

  text(lines, x, y, w, h, firstBaseline, smallFrom, boldStart) {
    const clip = { left: x + TEXT_INSET, top: y + TEXT_INSET, right: x + w - CLIP_INSET_FAR, bottom: y + h - CLIP_INSET_FAR };
    if (!(clip.left < clip.right && clip.top < clip.bottom)) return;
    const ctx = this.ctx;
    ctx.save();
    ctx.beginPath();
    ctx.rect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    ctx.clip();
    ctx.fillStyle = COLOUR.darkblue;
    let font = chartFont(boldStart ? 16 : 14, boldStart);
    for (let i = 0; i < lines.length; ++i) {
      if (i === smallFrom) font = chartFont(14, false);
      const bottom = y + firstBaseline + LINE_SPACING * i;
      if (bottom - font.height > clip.bottom) break;
      ctx.font = font.css;
      ctx.fillText(lines[i], x + TEXT_INSET, bottom - font.height + font.ascent);
    }
    ctx.restore();
  }

  paintPlain(i, detail) {
    const m = this.model;
    const o = m.cellOrigin(m.column[i], m.level[i]);
    const w = m.boxWidth, h = m.boxHeight, bits = this.lineage[i];
    const redRight = (bits & 1) !== 0, redDown = (bits & 2) !== 0;
    if (m.right[i] !== 0) this.line(redRight ? COLOUR.red : COLOUR.darkblue, o.x + w, o.y + Math.trunc(h / 2), o.x + w + m.right[i], o.y + Math.trunc(h / 2));
    if (m.down[i] !== 0) this.line(redDown ? COLOUR.red : COLOUR.darkblue, o.x + Math.trunc(w / 2), o.y + h, o.x + Math.trunc(w / 2), o.y + h + m.down[i]);
    this.frame(o.x, o.y, w, h, BOX_ROUNDNESS, bits & ON_LINE ? COLOUR.red : COLOUR.darkblue, fillCss(m, i, COLOUR.paleyellow));
    if (detail === Detail.Full) {
      this.text(descriptionLines(m.texts[i]), o.x, o.y, w, h, 16, smallFontStart(m.smallFontLine, 1 + m.nameWraps[i]), true);
    }
  }

  paintContinuation(i, detail) {
    const m = this.model;
    const g = contGeometry(m, i);
    if (g.line) this.line(COLOUR.darkblue, g.line.x0, g.line.y0, g.line.x1, g.line.y1);
    this.frame(g.x, g.y, g.w, g.h, BOX_ROUNDNESS, COLOUR.darkblue, fillCss(m, i, COLOUR.palecyan));
    if (detail === Detail.Full) this.text(descriptionLines(m.texts[i]), g.x, g.y, g.w, g.h, 14, -1, false);
  }

  // Filled cells straight into the pixels: at this size a chart can show a
  // million boxes at once. Red lineage connectors stay, each under the cells after it.
  paintCells(ctx, view, boxes) {
    const m = this.model;
    const ratio = view.ratio, scale = view.zoom * ratio;
    const width = ctx.canvas.width, height = ctx.canvas.height;
    const image = ctx.getImageData(0, 0, width, height);
    const pixels = new Uint32Array(image.data.buffer);
    const fill = (x0, y0, x1, y1, colour) => {
      let left = Math.floor(x0 * scale) + this.shiftX, top = Math.floor(y0 * scale) + this.shiftY;
      let right = Math.max(left + 1, Math.floor(x1 * scale) + this.shiftX);
      let bottom = Math.max(top + 1, Math.floor(y1 * scale) + this.shiftY);
      left = Math.max(0, left); top = Math.max(0, top);
      right = Math.min(width, right); bottom = Math.min(height, bottom);
      for (let y = top; y < bottom; ++y) pixels.fill(colour, y * width + left, y * width + right);
    };
    const w = m.boxWidth, h = m.boxHeight;
    for (const i of boxes) {
      const o = m.cellOrigin(m.column[i], m.level[i]);
      if (m.isPlain(i)) {
        const bits = this.lineage[i];
        if ((bits & 1) && m.right[i] !== 0) {
          const y = o.y + Math.trunc(h / 2), x1 = o.x + w + m.right[i];
          fill(Math.min(o.x + w, x1), y, Math.max(o.x + w, x1), y + 1, RGBA.red);
        }
        if ((bits & 2) && m.down[i] !== 0) {
          const x = o.x + Math.trunc(w / 2), y1 = o.y + h + m.down[i];
          fill(x, Math.min(o.y + h, y1), x + 1, Math.max(o.y + h, y1), RGBA.red);
        }
        fill(o.x, o.y, o.x + w, o.y + h, bits !== 0 ? RGBA.red : fillPixel(m, i, RGBA.paleyellow));
      } else {
        const g = contGeometry(m, i);
        fill(g.x, g.y, g.x + g.w, g.y + g.h, fillPixel(m, i, RGBA.palecyan));
      }
    }
    ctx.putImageData(image, 0, 0);
  }

  paintMark(i, current) {
    const m = this.model, ctx = this.ctx;
    const o = m.cellOrigin(m.column[i], m.level[i]);
    const width = Math.max(current ? 4 : 2, (current ? 3 : 2) * this.device);
    const offset = 3 + (current ? width - 2 : 0);
    const left = o.x - offset, top = o.y - offset;
    const right = o.x + m.boxWidth + offset, bottom = o.y + m.boxHeight + offset;
    ctx.fillStyle = COLOUR.findMark;
    ctx.fillRect(left, top, right - left, width);
    ctx.fillRect(left, bottom - width, right - left, width);
    ctx.fillRect(left, top, width, bottom - top);
    ctx.fillRect(right - width, top, width, bottom - top);
  }

  paintGenerationColumn(zoom) {
    const m = this.model, ctx = this.ctx;
    if (m.generationMode === 'h' || m.deepestLevel < 0) return;
    const levels = m.deepestLevel + 1, pitch = m.pitchY, half = Math.trunc(pitch / 2);
    this.frame(0, 0, 25, levels * pitch - half + ORIGIN_Y + 20, 0, COLOUR.darkblue, COLOUR.generationFill);
    const legible = LEGIBLE_HEIGHT / zoom;
    const every = Math.max(1, Math.ceil(legible / pitch));
    const height = Math.max(NUMBER_HEIGHT, Math.trunc(legible));
    const font = chartFont(LEGIBLE_HEIGHT / zoom > NUMBER_HEIGHT ? height : NUMBER_HEIGHT, true);
    const downward = m.generationMode === 'd';
    const firstBottom = downward ? ORIGIN_Y + 20 + (pitch - 2 * half) : ORIGIN_Y + 40;
    const from = Math.max(0, Math.trunc((this.area.top - firstBottom) / pitch) - 1);
    const to = Math.min(levels - 1, Math.trunc((this.area.bottom + Math.max(TEXT_REACH, height) - firstBottom) / pitch) + 1);
    ctx.font = font.css;
    ctx.fillStyle = COLOUR.darkblue;
    for (let level = to; level >= from; --level) {
      if (level % every !== 0) continue;
      const number = m.generationStart + (downward ? level : levels - 1 - level);
      ctx.fillText(String(number), 2, level * pitch + firstBottom - font.height + font.ascent);
    }
  }
}

// A description's lines: split at each bar; no empty last line after a trailing bar.
function descriptionLines(text) {
  if (text.length === 0) return [];
  const lines = text.split('|');
  if (lines[lines.length - 1] === '') lines.pop();
  return lines;
}

// The whole chart small, as filled cells, for the overview.
function paintOverview(model, canvas, scale) {
  const ctx = canvas.getContext('2d');
  const width = canvas.width, height = canvas.height;
  ctx.fillStyle = model.chartBackground ? COLOUR.paleblue : COLOUR.white;
  ctx.fillRect(0, 0, width, height);
  const image = ctx.getImageData(0, 0, width, height);
  const pixels = new Uint32Array(image.data.buffer);
  const w = Math.max(1, Math.round(model.boxWidth * scale)), h = Math.max(1, Math.round(model.boxHeight * scale));
  for (let i = 0; i < model.count; ++i) {
    const o = model.cellOrigin(model.column[i], model.level[i]);
    const left = Math.max(0, Math.floor(o.x * scale)), top = Math.max(0, Math.floor(o.y * scale));
    const right = Math.min(width, left + w), bottom = Math.min(height, top + h);
    const colour = model.savedLineage(i) ? RGBA.red : fillPixel(model, i, model.isPlain(i) ? RGBA.paleyellow : RGBA.palecyan);
    for (let y = top; y < bottom; ++y) pixels.fill(colour, y * width + left, y * width + right);
  }
  ctx.putImageData(image, 0, 0);
}

return { ChartPainter, paintOverview, descriptionLines, detailAt, Detail, TEXT_ZOOM, COLOUR, ON_LINE };
})();
