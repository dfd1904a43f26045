// Each scale box's context menu, from a right click, the menu key or a long
// press: the box's reason on top, an entry that touch and the arrows reach
// too, then the standard entries of a text box, then the window's two copies
// and the entry that opens the table window.

import {applyFont} from './window_view.js';

const LONG_PRESS_MS = 550;
const LONG_PRESS_SLACK_PX = 10;

export async function copyText(text) {
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    // Outside a secure context (a plain-http intranet) there is no Clipboard
    // API: the older way, through a selected text area, still copies.
    const area = document.createElement('textarea');
    area.className = 'offscreen';
    area.value = text;
    document.body.append(area);
    area.select();
    document.execCommand('copy');
    area.remove();
  }
}

const selected = (box) => box.selectionStart !== box.selectionEnd;

// What each standard entry does to its box, and when it can.
const EDITS = {
  undo: {run: () => document.execCommand('undo'), applies: () => true},
  cut: {run: () => document.execCommand('cut'), applies: selected},
  copy: {run: () => document.execCommand('copy'), applies: selected},
  paste: {
    run: async (box) => {
      const text = await navigator.clipboard.readText();
      box.setRangeText(text, box.selectionStart, box.selectionEnd, 'end');
      // Heard as the browser's own paste is: the other boxes follow.
      box.dispatchEvent(new InputEvent('input', {inputType: 'insertFromPaste', data: text}));
    },
    applies: () => Boolean(navigator.clipboard?.readText),
  },
  delete: {run: () => document.execCommand('delete'), applies: selected},
  selectAll: {
    run: (box) => box.select(),
    applies: (box) => box.value.length > 0 &&
        !(box.selectionStart === 0 && box.selectionEnd === box.value.length),
  },
};

// `main` gives the texts of the two copies, "" where there is nothing to copy,
// and shows the table window.
export class BoxMenu {
  #page;
  #main;
  #element = null;
  #box = null;
  #pressTimer = 0;
  #pressedLong = false;

  constructor(page, main) {
    this.#page = page;
    this.#main = main;
  }

  attach(box) {
    // The menu key or Shift+F10, whose menu opens under the box with its first
    // entry chosen (a browser places such a menu at the caret, not at 0, 0).
    let fromKeys = false;
    box.addEventListener('keydown', (event) => {
      fromKeys = event.key === 'ContextMenu' || (event.key === 'F10' && event.shiftKey);
    });
    box.addEventListener('contextmenu', (event) => {
      event.preventDefault();
      const keyboard = fromKeys;
      fromKeys = false;
      if (this.#pressedLong) {
        this.#pressedLong = false;  // the long press has opened it already
        return;
      }
      const rect = box.getBoundingClientRect();
      if (keyboard) {
        this.open(box, rect.left, rect.bottom, {keyboard});
      } else {
        this.open(box, event.clientX, event.clientY);
      }
    });
    box.addEventListener('pointerdown', (event) => {
      if (event.pointerType !== 'touch') return;
      const [x, y] = [event.clientX, event.clientY];
      this.#pressedLong = false;
      clearTimeout(this.#pressTimer);
      this.#pressTimer = setTimeout(() => {
        this.#pressedLong = true;
        this.open(box, x, y);
      }, LONG_PRESS_MS);
      const cancel = (moved) => {
        if (moved && Math.hypot(moved.clientX - x, moved.clientY - y) < LONG_PRESS_SLACK_PX) return;
        clearTimeout(this.#pressTimer);
        box.removeEventListener('pointermove', cancel);
      };
      box.addEventListener('pointermove', cancel);
      box.addEventListener('pointerup', () => cancel(), {once: true});
      box.addEventListener('pointercancel', () => cancel(), {once: true});
    });
    // The finger lifted after a long press chooses nothing in the menu it opened.
    box.addEventListener('touchend', (event) => {
      if (this.#element) event.preventDefault();
    });
  }

  // From the keyboard the first entry is chosen, as in a desktop menu; from a
  // pointer none is, but the arrows still reach them.
  open(box, x, y, {keyboard = false} = {}) {
    this.close(false);
    this.#box = box;
    const menu = document.createElement('div');
    menu.id = 'BoxMenu';
    menu.className = 'menu';
    applyFont(menu, this.#page.windows[0].font);
    menu.setAttribute('role', 'menu');
    // Named as its box is, after the box's scale.
    menu.setAttribute('aria-labelledby', box.getAttribute('aria-labelledby'));
    // Choosing the reason only closes the menu.
    if (box.title) menu.append(this.#item(box.title, true, () => {}, 'reason'));
    for (const entry of this.#page.boxEntries) {
      const edit = EDITS[entry.command];
      if (entry.separatorBefore) menu.append(separator());
      menu.append(this.#item(entry.text, edit.applies(box), () => edit.run(box)));
    }
    menu.append(separator());
    const values = this.#main.sevenValues();
    const report = values && this.#main.report();
    menu.append(this.#item(this.#page.copySevenValues, Boolean(values), () => copyText(values)));
    menu.append(this.#item(this.#page.copyForReport, Boolean(report), () => copyText(report)));
    menu.append(this.#item(this.#page.showInTable, true, () => this.#main.showInTable()));

    menu.addEventListener('keydown', (event) => this.#key(event));
    // In its box's window, whose landmark and scale it takes.
    box.closest('.window').append(menu);
    // Within the screen, at the pointer or below the box.
    const room = document.documentElement;
    menu.style.left = `${Math.max(0, Math.min(x, room.clientWidth - menu.offsetWidth))}px`;
    menu.style.top = `${Math.max(0, Math.min(y, room.clientHeight - menu.offsetHeight))}px`;
    this.#element = menu;
    setTimeout(() => document.addEventListener('pointerdown', this.#outside, true));
    menu.tabIndex = -1;
    (keyboard ? menu.querySelector('[role="menuitem"]:not(:disabled)') : menu)?.focus();
  }

  close(refocus = true) {
    if (!this.#element) return;
    document.removeEventListener('pointerdown', this.#outside, true);
    this.#element.remove();
    this.#element = null;
    if (refocus) this.#box?.focus();
  }

  #outside = (event) => {
    if (!this.#element?.contains(event.target)) this.close();
  };

  #item(text, enabled, action, className = '') {
    const item = document.createElement('button');
    item.type = 'button';
    item.className = className;
    item.setAttribute('role', 'menuitem');
    item.textContent = text.replace('&', '');
    item.disabled = !enabled;
    item.addEventListener('click', () => {
      this.close();
      action();
    });
    return item;
  }

  #key(event) {
    const items = [...this.#element.querySelectorAll('[role="menuitem"]:not(:disabled)')];
    const at = items.indexOf(document.activeElement);
    if (event.key === 'Escape' || event.key === 'Tab') {
      event.preventDefault();
      this.close();
    } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
      event.preventDefault();
      const down = event.key === 'ArrowDown';
      const next = at < 0 ? (down ? 0 : items.length - 1) : at + (down ? 1 : items.length - 1);
      items[next % items.length]?.focus();
    }
  }
}

function separator() {
  const line = document.createElement('hr');
  line.setAttribute('role', 'separator');
  return line;
}
