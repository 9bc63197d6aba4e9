// The key to the chart's colours: a swatch and a label for each colour its
// scheme gave the boxes, in a corner of the view; nothing for a chart without.

Stirpa.colourKey = (function () {
function showColourKey(element, legend) {
  if (!legend || legend.length === 0) return;
  const list = element.querySelector('ul');
  for (const [colour, label] of legend) {
    const item = document.createElement('li');
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    swatch.style.background = colour;
    item.append(swatch, document.createTextNode(label));
    list.append(item);
  }
  element.hidden = false;
}

return { showColourKey };
})();
