// The table window: the conversion table, a status line and the curve behind
// the last run, following the main window live. It is modeless and stands in
// the page beside the main window, or below it where the screen is too
// narrow, never over it; it leaves the focus in the box being typed in.
// Asked for again (F8 or the box menu's entry) it takes the focus, so that
// the keyboard reaches it. Escape or its close box close it. The module keeps
// what it shows and says what changed; this file builds the window and draws
// the views it is given.

import {drawPlot} from './plot_view.js';
import {RecordWindow} from './record_window.js';
import {buildWindow, pixelsOf} from './window_view.js';

// The keys that take the plot to the next scale to the left or right.
const STEPS = {
  ArrowLeft: -1,
  ArrowRight: 1
};

export class TableWindow {
  #page;
  #main;
  #kestal;
  #dialog = null;
  #grid = null;   // the frame that scrolls the rows
  #table = null;  // the grid itself, which takes the focus
  #columns = [];  // the <col> of each column of the table
  #heads = [];    // and its header cell
  #rows = null;
  #hit = [];       // the highlighted rows
  #status = null;  // the status line's text
  #plot = null;
  #plotSize = '';  // as the module last drew it, "width x height" in pixels
  #resizing = null;
  #returnFocus = null;
  #record;

  constructor(page, mainElement, kestal) {
    this.#page = page;
    this.#main = mainElement;
    this.#kestal = kestal;
    this.#record = new RecordWindow(page, kestal);
  }

  // The validation record's window, over every other while it is open.
  get record() {
    return this.#record;
  }

  open() {
    if (this.#dialog) {
      this.#table.focus();
      return;
    }
    // A touch screen has neither F8 nor Escape: its opening says so.
    const {columns, rows, view} = this.#kestal.openTable(matchMedia('(pointer: coarse)').matches);
    const described = this.#page.windows[2];
    const dialog = document.createElement('dialog');
    const {controls} = buildWindow(dialog, described, this.#page, {onClose: () => this.close()});
    this.#grid = controls.get('Grid1');
    this.#table = this.#grid.querySelector('table');
    // The status line, and at its end the way to the validation record.
    this.#status = document.createElement('span');
    this.#status.className = 'status-text';
    const check = document.createElement('button');
    check.type = 'button';
    check.id = 'TableWindow_Check';
    check.textContent = this.#page.checkKestal;
    check.addEventListener('click', () => this.#record.open());
    controls.get('Label1').replaceChildren(this.#status, check);
    this.#plot = controls.get('Picture1');
    const plotRect = described.controls.find((control) => control.kind === 'plot').rect;
    this.#plotSize = plotRect.slice(2).map((twips) => pixelsOf(this.#page, twips)).join('x');
    this.#fill(columns, rows);
    this.#grid.addEventListener('click', (event) => {
      const cell = event.target.closest('th, td');
      if (cell) this.show(this.#kestal.chooseColumn(cell.cellIndex));
    });
    this.#grid.addEventListener('keydown', (event) => this.#step(event));
    // A click anywhere in it brings the focus in, as into an activated
    // window, so that Escape then closes it.
    dialog.tabIndex = -1;
    dialog.addEventListener('keydown', (event) => {
      if (event.key !== 'Escape') return;
      event.preventDefault();
      this.close();
    });
    dialog.addEventListener('focusin', (event) => {
      if (!dialog.contains(event.relatedTarget)) this.#returnFocus = event.relatedTarget;
    });
    this.#dialog = dialog;
    this.#main.after(dialog);
    // Opened rather than shown: show() moves the focus into a dialog, and the
    // box being typed in keeps it, as beside a desktop window shown without
    // activating it.
    dialog.open = true;
    this.show(view);
    // Drawn again for the size it is shown at, where that is not its design's.
    this.#resizing = new ResizeObserver(() => this.#fitPlot());
    this.#resizing.observe(this.#plot);
    // Below the main window, where there is no room beside it: brought into view.
    if (dialog.getBoundingClientRect().top >= this.#main.getBoundingClientRect().bottom) {
      dialog.scrollIntoView({block: 'nearest'});
    }
  }

  // Back to where the focus came from, if it is in here: else to the main window.
  close() {
    if (!this.#dialog) return;
    const focused = this.#dialog.contains(document.activeElement);
    this.#kestal.closeTable();
    this.#resizing.disconnect();
    this.#dialog.close();
    this.#dialog.remove();
    this.#dialog = null;
    this.#hit = [];
    if (focused) (this.#returnFocus ?? this.#main.querySelector('input'))?.focus();
  }

  // The source column marked, the rows the run went by highlighted and in
  // sight, the status line and the plot, from the module's view.
  show(view) {
    if (!this.#dialog || !view) return;
    const {roles, firstRow, lastRow, status, plot} = view;
    this.#columns.forEach((column, k) => {
      column.classList.toggle('source', roles[k] === 'source');
      column.classList.toggle('target', roles[k] === 'target');
    });
    this.#heads.forEach((head, k) => {
      head.classList.toggle('source', roles[k] === 'source');
      const button = head.firstElementChild;
      if (!button) return;
      button.setAttribute('aria-pressed', String(roles[k] === 'target'));
      // One stop in the tab order: the target's; the arrows go to the others.
      button.tabIndex = roles[k] === 'target' ? 0 : -1;
    });
    for (const row of this.#hit) {
      row.classList.remove('hit');
      row.setAttribute('aria-selected', 'false');
    }
    this.#hit = firstRow ? [...this.#rows].slice(firstRow - 1, lastRow) : [];
    for (const row of this.#hit) {
      row.classList.add('hit');
      row.setAttribute('aria-selected', 'true');
    }
    this.#scrollTo(this.#hit);
    this.#status.textContent = status;
    drawPlot(this.#plot, plot, this.#page);
  }

  #fitPlot() {
    const {width, height} = this.#plot.getBoundingClientRect();
    const size = `${Math.round(width)}x${Math.round(height)}`;
    if (!this.#dialog || !width || size === this.#plotSize) return;
    this.#plotSize = size;
    this.show(this.#kestal.resizePlot(Math.round(width), Math.round(height)));
  }

  // Header cells for the columns, each scale's a button choosing it as the
  // plot's target, and one for each row, its number. Widths are shares of
  // the table's, as the description gives them; on a phone each column takes
  // what its figures need of the window's width.
  #fill(columns, rows) {
    const table = this.#table;
    const [columnGroup, head, body] = table.children;
    const header = head.insertRow();
    const width = columns.reduce((sum, column) => sum + column.width, 0);
    columns.forEach(({caption, width: twips}, k) => {
      const column = document.createElement('col');
      column.style.setProperty('--share', `${(100 * twips) / width}%`);
      columnGroup.append(column);
      const cell = headerCell('col', caption);
      if (k > 0) {
        const button = document.createElement('button');
        button.type = 'button';
        button.tabIndex = -1;
        button.textContent = caption;
        cell.replaceChildren(button);
      }
      header.append(cell);
    });
    table.style.setProperty('--table-width', `${pixelsOf(this.#page, width)}px`);
    for (const [number, ...figures] of rows) {
      const row = body.insertRow();
      row.setAttribute('aria-selected', 'false');
      row.append(headerCell('row', number));
      for (const figure of figures) row.insertCell().textContent = figure;
    }
    this.#columns = [...columnGroup.children];
    this.#heads = [...header.cells];
    this.#rows = body.rows;
  }

  #step(event) {
    const step = STEPS[event.key];
    if (!step || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
    event.preventDefault();
    const onButton = this.#heads.includes(document.activeElement.parentElement);
    const view = this.#kestal.chooseNext(step);
    this.show(view);
    if (onButton) this.#heads[view.target]?.firstElementChild?.focus();
  }

  // The highlighted rows in the middle of the frame, below its header.
  #scrollTo(rows) {
    if (!rows.length) return;
    const top = rows[0].offsetTop;
    const bottom = rows.at(-1).offsetTop + rows.at(-1).offsetHeight;
    const below = this.#heads[0].offsetHeight;
    this.#grid.scrollTop = (top + bottom - below - this.#grid.clientHeight) / 2;
  }
}

function headerCell(scope, text) {
  const cell = document.createElement('th');
  cell.scope = scope;
  cell.textContent = text;
  return cell;
}
