// The key to the shown chart's colours: a swatch and a label for each colour
// its scheme gave the boxes, in a corner of the view; hidden for a chart without.

Stirpa.colourKey = (function () {
function showColourKey(element, legend) {
  const list = element.querySelector('ul');
  list.replaceChildren();
  element.hidden = !legend || legend.length === 0;
  if (element.hidden) return;
  for (const [colour, label] of legend) {
    const item = document.createElement('li');
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    swatch.style.background = colour;
    item.append(swatch, document.createTextNode(label));
    list.append(item);
  }
}

return { showColourKey };
})();
