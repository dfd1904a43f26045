// Builds a window from its description into the window's own element: a
// caption bar, then the client area with each control where the description
// puts it, in twips turned into CSS pixels. A control's element has the
// control's name as its id, with the window's name in front in every window
// but the main one, whose names the others reuse. Rectangles and font sizes go
// to the style sheet as custom properties, which it multiplies by the
// window's --scale: a phone's width fits the main window by that alone.
//
// The controls stand on a grid whose lines are their edges, each row as tall
// as the design makes it or as its text needs: a text that needs more room
// (the user's own spacing of lines, letters and words, a larger font) makes
// its row taller, and what lies below moves down rather than under it.

export function controlId(window, name) {
  return window.name === 'Form1' ? name : `${window.name}_${name}`;
}

// Twips as CSS pixels, for every rectangle and every point drawn.
export const pixelsOf = (page, twips) => twips / page.twipsPerPixel;

// Puts a dialog where the design puts its window against the main window's
// (`mainElement`, described by `main`), as far right as the screen allows.
export function placeWindow(dialog, described, mainElement, main, page) {
  const anchor = mainElement.getBoundingClientRect();
  // Its height first: left where the page ends, it could bring a scroll bar
  // that narrows the room across.
  dialog.style.top = `${anchor.top + pixelsOf(page, described.top - main.top) + window.scrollY}px`;
  const room = document.documentElement.clientWidth - dialog.offsetWidth;
  const left =
      Math.max(0, Math.min(anchor.left + pixelsOf(page, described.left - main.left), room));
  dialog.style.left = `${left + window.scrollX}px`;
}

export function applyFont(element, font) {
  const generic = font.serif ? 'serif' : 'sans-serif';
  element.style.fontFamily = [...font.families.map((family) => `"${family}"`), generic].join(', ');
  element.style.setProperty('--font-size', `${font.points}pt`);
  element.style.fontWeight = font.bold ? 'bold' : 'normal';
}

// A rectangle's size in twips, for the style sheet; its grid places it.
function sizeAt(element, page, [, , width, height]) {
  const pixels = (twips) => `${pixelsOf(page, twips)}px`;
  element.style.setProperty('--width', pixels(width));
  element.style.setProperty('--height', pixels(height));
  element.style.setProperty('--aspect', `${width} / ${height}`);
}

// `children`, [element, rectangle in twips], on their parent's grid, which
// is `width` by `height` twips at its smallest.
function placeOnGrid(parent, children, page, width, height) {
  const lines = (edges) => [...new Set(edges)].sort((a, b) => a - b);
  const across = lines([0, width, ...children.flatMap(([, [left, , w]]) => [left, left + w])]);
  const down = lines([0, height, ...children.flatMap(([, [, top, , h]]) => [top, top + h])]);
  const tracks = (edges, least) => edges.slice(1).map((edge, k) => {
    const size = `calc(${pixelsOf(page, edge - edges[k])}px * var(--scale))`;
    return least ? `minmax(${size}, auto)` : size;
  });
  parent.style.gridTemplateColumns = tracks(across, false).join(' ');
  parent.style.gridTemplateRows = tracks(down, true).join(' ');
  for (const [element, [left, top, w, h]] of children) {
    element.style.gridColumn = `${across.indexOf(left) + 1} / ${across.indexOf(left + w) + 1}`;
    element.style.gridRow = `${down.indexOf(top) + 1} / ${down.indexOf(top + h) + 1}`;
  }
}

// "&Effacer tout" shown with its access letter underlined; returns the letter.
function withAccessLetter(element, text) {
  const at = text.indexOf('&');
  if (at < 0 || at + 1 >= text.length) {
    element.textContent = text;
    return null;
  }
  const letter = document.createElement('u');
  letter.textContent = text[at + 1];
  element.append(text.slice(0, at), letter, text.slice(at + 2));
  return text[at + 1].toUpperCase();
}

function newControl(window, control, letters, page) {
  switch (control.kind) {
    case 'box': {
      const box = document.createElement('input');
      Object.assign(box, {type: 'text', autocomplete: 'off', spellcheck: false});
      box.setAttribute('inputmode', 'decimal');
      box.setAttribute('autocapitalize', 'off');
      box.setAttribute('aria-labelledby', controlId(window, control.caption));
      box.setAttribute('aria-describedby', controlId(window, page.hint));
      box.value = control.name;  // emptied when the window loads
      return box;
    }
    case 'frame': {
      const frame = document.createElement('fieldset');
      const legend = document.createElement('legend');
      const line = document.createElement('div');
      legend.textContent = control.text;
      line.className = 'frame-line';
      frame.append(line, legend);
      return frame;
    }
    case 'button': {
      const button = document.createElement('button');
      button.type = 'button';
      const letter = withAccessLetter(button, control.text);
      if (letter) {
        button.setAttribute('aria-keyshortcuts', `Alt+${letter}`);
        letters.set(letter, button);
      }
      return button;
    }
    case 'table': {
      // Rows and columns come from the module when the window opens; the
      // frame scrolls them under a header that stays, as the keys that
      // scroll the focused grid move it.
      const frame = document.createElement('div');
      frame.className = 'grid';
      // A grid, so that the rows a run went by (two, between which a value
      // lies) are selected for a screen reader as they are highlighted on
      // the screen; described by the keys that choose the plotted scale.
      const table = document.createElement('table');
      table.tabIndex = 0;
      table.setAttribute('role', 'grid');
      table.setAttribute('aria-readonly', 'true');
      table.setAttribute('aria-multiselectable', 'true');
      table.setAttribute('aria-labelledby', `${window.name}_caption`);
      const keys = document.createElement('p');
      keys.id = `${controlId(window, control.name)}_keys`;
      keys.hidden = true;
      keys.textContent = page.gridKeys;
      table.setAttribute('aria-describedby', keys.id);
      table.append(
          document.createElement('colgroup'), document.createElement('thead'),
          document.createElement('tbody'));
      frame.append(table, keys);
      return frame;
    }
    case 'plot': {
      const plot = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
      plot.setAttribute('role', 'img');
      plot.classList.add('plot');
      return plot;
    }
    default: {
      const label = document.createElement('div');
      label.className = control.wraps ? 'label wraps' : 'label';
      label.textContent = control.text;
      return label;
    }
  }
}

// A window's caption bar, its icon, its caption and, given `onClose`, its close box.
export function buildCaption(root, window, page, onClose) {
  root.id = window.name;
  root.classList.add('window');
  const bar = document.createElement('div');
  bar.className = 'caption';
  const icon = document.createElement('img');
  icon.src = document.querySelector('link[rel~="icon"]')?.href ?? '';
  icon.alt = '';
  const title = document.createElement('h1');
  title.id = `${window.name}_caption`;
  title.textContent = window.caption;
  bar.append(icon, title);
  if (onClose) {
    const close = document.createElement('button');
    close.type = 'button';
    close.className = 'close';
    close.tabIndex = -1;
    close.textContent = '×';
    close.setAttribute('aria-label', page.close);
    close.addEventListener('click', onClose);
    bar.append(close);
  }
  root.setAttribute('aria-labelledby', title.id);
  root.append(bar);
}

// Returns the controls by name and the buttons by access letter ("E").
export function buildWindow(root, window, page, {onClose} = {}) {
  applyFont(root, window.font);
  buildCaption(root, window, page, onClose);

  const client = document.createElement('div');
  client.className = 'client';
  sizeAt(client, page, [0, 0, window.width, window.height]);

  const controls = new Map();
  const letters = new Map();
  const placed = new Map([['', []]]);  // each parent's controls, '' the client's
  for (const control of window.controls) {
    const element = newControl(window, control, letters, page);
    element.id = controlId(window, control.name);
    element.classList.add('control');
    sizeAt(element, page, control.rect);
    if (control.centred) element.classList.add('centred');
    if (control.font) applyFont(element, control.font);
    if (control.colour) element.style.color = control.colour;
    (controls.get(control.parent) ?? client).append(element);
    controls.set(control.name, element);
    placed.get(control.parent)?.push([element, control.rect]);
    if (control.kind === 'frame') placed.set(control.name, []);
  }
  for (const [parent, children] of placed) {
    const {rect: [, , width, height]} = window.controls.find(({name}) => name === parent) ??
        {rect: [0, 0, window.width, window.height]};
    placeOnGrid(controls.get(parent) ?? client, children, page, width, height);
  }
  // The hint on the decimal separator describes the boxes: a screen reader
  // reads it before them.
  const hint = controls.get(page.hint);
  if (hint) client.prepend(hint);
  root.append(client);
  root.addEventListener('keydown', (event) => wrapTab(event, root));
  return {controls, letters};
}

// Tab and Shift+Tab go round the window's controls, as in a desktop window,
// rather than out of the page.
function wrapTab(event, root) {
  if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey) return;
  const chain =
      [...root.querySelectorAll('.client :is(input, button, [tabindex="0"]):not([tabindex="-1"])')];
  const at = chain.indexOf(document.activeElement);
  const last = chain.length - 1;
  if (at < 0 || at !== (event.shiftKey ? 0 : last)) return;
  event.preventDefault();
  chain[event.shiftKey ? last : 0].focus();
}
