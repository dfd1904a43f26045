// Draws a plot control's view (app/plot_view.hpp) into its <svg>: the axes
// and ticks in black, the curve as segments from row to row with a dot at
// each, the typed value's mark with its lines to both axes, and the texts,
// each placed against its anchor as the view says. The view places all of it
// in twips; the page maps them to pixels as it maps every control. The mark
// is a larger dot than the rows' and its figures bold, so that it stands out
// where colours do not (the user's own, in high contrast).

import {pixelsOf} from './window_view.js';

const SVG = 'http://www.w3.org/2000/svg';
const DOT_RADIUS_PX = 2;
const MARK_RADIUS_PX = 3.5;
// A text's left end, middle or right end at its anchor; its top, middle or bottom.
const ACROSS = {
  start: 'start',
  centre: 'middle',
  end: 'end'
};
const DOWN = {
  start: 'text-before-edge',
  centre: 'central',
  end: 'text-after-edge'
};

function shape(name, attributes, text = '') {
  const made = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) made.setAttribute(key, value);
  made.textContent = text;
  return made;
}

export function drawPlot(svg, plot, page) {
  const px = (twips) => pixelsOf(page, twips);
  const curve = page.curveColour;
  const mark = page.markColour;
  const line = ([left1, top1, left2, top2], colour, kind = 'axis') => shape(
      'line',
      {x1: px(left1), y1: px(top1), x2: px(left2), y2: px(top2), stroke: colour, class: kind});
  const dot = ([left, top], colour, kind = 'curve', r = DOT_RADIUS_PX) =>
      shape('circle', {cx: px(left), cy: px(top), r, fill: colour, class: kind});
  const label = ({text, left, top, across, down, marked}) => {
    const placed = {x: px(left), y: px(top), fill: marked ? mark : '#000000'};
    if (marked) placed.class = 'mark';
    placed['text-anchor'] = ACROSS[across];
    placed['dominant-baseline'] = DOWN[down];
    return shape('text', placed, text);
  };
  const points = plot.curve.map(([left, top]) => `${px(left)},${px(top)}`).join(' ');
  svg.setAttribute('aria-label', plot.title);
  svg.replaceChildren(
      ...plot.axes.map((axis) => line(axis, '#000000')),
      shape('polyline', {points, fill: 'none', stroke: curve, class: 'curve'}),
      ...plot.curve.map((point) => dot(point, curve)),
      ...plot.markLines.map((markLine) => line(markLine, mark, 'mark')),
      ...(plot.mark ? [dot(plot.mark, mark, 'mark', MARK_RADIUS_PX)] : []),
      ...plot.texts.map(label),
  );
}
