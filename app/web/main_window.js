// The main window on the page. Every key and change in a scale box goes to
// the module, which runs the shared key-stroke rule and conversion and writes
// back here; this file only maps the module's writes, the three commands, the
// message, the reasons, the copies, the announcements and the table window's
// shortcut to the page, and fits the window to a phone's width.

import {BoxMenu, copyText} from './box_menu.js';
import {HelpWindow} from './help_window.js';
import {LiveRegion} from './live_region.js';
import {showMessage} from './message.js';
import {TableWindow} from './table_window.js';
import {buildWindow, pixelsOf} from './window_view.js';

// A touch keyboard names no key (key code 229, key "Unidentified"), and an
// input method's keys are its own ("Process"), their releases often another
// key's: none of them is a key held in the box.
const isUnidentified = (event) =>
    event.keyCode === 229 || event.key === 'Unidentified' || event.key === 'Process';

// The access letter of Alt+letter: the letter the layout gives (an AZERTY
// keyboard's A is not where a QWERTY's is), else the key's place, where Alt
// makes another character of it (a Mac's Option).
function accessLetter(event) {
  if (!event.altKey || event.ctrlKey || event.metaKey) return null;
  if (/^[a-z]$/i.test(event.key)) return event.key.toUpperCase();
  return /^Key[A-Z]$/.test(event.code) ? event.code.slice(3) : null;
}

const isCopySevenValues = (event) =>
    event.ctrlKey && event.shiftKey && !event.altKey && event.key.toUpperCase() === 'C';

const isShowInTable = (event, page) => event.key === page.showInTableKey && !event.altKey &&
    !event.ctrlKey && !event.metaKey && !event.shiftKey;

export class MainWindow {
  #root;
  #page = null;
  #kestal = null;
  #boxes = [];
  #reasons = [];  // each box's reason, which describes it after the hint
  #letters = new Map();
  #help = null;
  #table = null;
  #menu = null;
  #held = null;  // the writes waiting for the message to be closed
  #live = null;
  #report = '';
  #listening = new AbortController();

  constructor(root) {
    this.#root = root;
  }

  // What the module asks of the page.
  boxText(scale) {
    return this.#boxes[scale].value;
  }

  setBoxText(scale, text) {
    this.#write(() => {
      this.#boxes[scale].value = text;
    });
  }

  // The message is modal but a page cannot wait for it: what the run writes
  // after it (emptying the boxes) waits until the user has closed it.
  showNotANumber() {
    this.#held = [];
    showMessage(this.#page, this.#page.notANumber, () => {
      const held = this.#held;
      this.#held = null;
      for (const write of held) write();
    });
  }

  setNotes({reasons, report}) {
    this.#write(() => {
      this.#boxes.forEach((box, scale) => {
        if (reasons[scale])
          box.title = reasons[scale];
        else
          box.removeAttribute('title');
        this.#reasons[scale].textContent = reasons[scale];
      });
      this.#report = report;
    });
  }

  // What the open table window shows after a run or once the boxes are
  // emptied, in step with the boxes (held as they are behind the message).
  setTableView(view) {
    this.#write(() => this.#table.show(view));
  }

  announce(text, settleMs) {
    this.#write(() => this.#live.say(text, settleMs));
  }

  #write(change) {
    if (this.#held)
      this.#held.push(change);
    else
      change();
  }

  build(page, kestal) {
    this.#page = page;
    this.#kestal = kestal;
    const [form1] = page.windows;
    // Fitted first, so that the window is laid out once, as it is.
    this.#fit();
    const {controls, letters} = buildWindow(this.#root, form1, page);
    this.#letters = letters;
    this.#live = new LiveRegion();
    document.title = form1.caption;
    this.#help = new HelpWindow(page, this.#root);
    this.#table = new TableWindow(page, this.#root, kestal);
    this.#menu = new BoxMenu(page, {
      sevenValues: () => kestal.sevenValues(),
      report: () => this.#report,
      showInTable: () => this.#table.open(),
    });
    for (const control of form1.controls) {
      if (control.kind === 'box') this.#wireBox(controls.get(control.name), control.scale);
    }
    controls.get('Command1').addEventListener('click', () => kestal.clearAll());
    controls.get('Command2').addEventListener('click', () => this.#end());
    controls.get('Command3').addEventListener('click', () => this.#help.open());
    document.addEventListener('keydown', (event) => this.#shortcut(event), {
      capture: true,
      signal: this.#listening.signal,
    });
    addEventListener('resize', () => this.#fit(), {signal: this.#listening.signal});
  }

  // A phone's screen, upright or on its side, is too narrow for the table
  // window beside the main window or too short for the main window's boxes,
  // and a touch screen is a phone's or a tablet's: the windows stand in one
  // column, the main one scaled to the width of the screen's shorter side, no
  // text smaller than 12 pixels.
  #fit() {
    const [main, , table] = this.#page.windows;
    const page = document.documentElement;
    const style = getComputedStyle(page);
    const frame = 2 * parseFloat(style.getPropertyValue('--frame'));
    const margin = parseFloat(style.getPropertyValue('--margin'));
    const width = document.body.clientWidth;  // less a scroll bar's, in every browser
    const height = page.clientHeight;
    const narrow = width < pixelsOf(this.#page, table.width) + frame + 2 * margin ||
        height < pixelsOf(this.#page, main.height) || matchMedia('(pointer: coarse)').matches;
    page.classList.toggle('narrow', narrow);
    const side = Math.min(width, height);
    const scale = narrow ? (side - frame) / pixelsOf(this.#page, main.width) : 1;
    this.#root.style.setProperty('--scale', String(scale));
  }

  // Form_Load: the boxes emptied, then the focus in the HV box.
  load() {
    this.#kestal.load();
    this.#boxes[0].focus();
  }

  #wireBox(box, scale) {
    const kestal = this.#kestal;
    this.#boxes[scale] = box;
    box.addEventListener('keydown', (event) => {
      if (isUnidentified(event))
        kestal.unidentifiedKeyDown(scale);
      else
        kestal.keyDown(scale, event.keyCode);
    });
    box.addEventListener('keyup', (event) => kestal.keyUp(scale, event.keyCode));
    // Every change of the text, whatever made it: a key (converted at its
    // release), or a paste, cut or delete from a menu, a drop, dictation.
    box.addEventListener('input', () => {
      kestal.textChanged(scale);
      // Typed into from below the table window, on a phone: back in sight.
      box.scrollIntoView({block: 'nearest'});
    });
    box.addEventListener('blur', () => kestal.focusLeft(scale));
    this.#menu.attach(box);
    // Its reason, for a screen reader after the hint, as the tooltip shows it.
    const reason = document.createElement('span');
    reason.id = `${box.id}_reason`;
    reason.hidden = true;
    box.after(reason);
    box.setAttribute('aria-describedby', `${box.getAttribute('aria-describedby')} ${reason.id}`);
    this.#reasons[scale] = reason;
  }

  // Access letters, Ctrl+Shift+C and the table window's key, before the box
  // or the browser takes the key.
  #shortcut(event) {
    if (document.querySelector('dialog.message[open]') || this.#table.record.isOpen) return;
    const letter = accessLetter(event);
    const button = letter && (this.#help.isOpen ? this.#help.letters : this.#letters).get(letter);
    const inMain = !this.#help.isOpen && this.#root.contains(event.target);
    const copy = inMain && isCopySevenValues(event);
    const table = inMain && isShowInTable(event, this.#page);
    if (!button && !copy && !table) return;
    event.preventDefault();
    event.stopPropagation();
    if (button)
      button.click();
    else if (copy)
      copyText(this.#kestal.sevenValues());
    else
      this.#table.open();
  }

  // "Terminé". A window the browser lets the page close (an installed app's)
  // closes; a tab stays, and the program ends in it all the same.
  #end() {
    window.close();
    if (window.closed) return;
    this.#listening.abort();
    this.#help.close();
    this.#table.close();
    this.#menu.close(false);
    const ended = document.createElement('main');
    ended.id = 'Ended';
    ended.className = 'ended';
    const heading = document.createElement('h1');
    heading.textContent = this.#page.windows[0].caption;
    const text = document.createElement('p');
    text.textContent = this.#page.ended;
    const again = document.createElement('button');
    again.type = 'button';
    again.textContent = this.#page.restart;
    again.addEventListener('click', () => location.reload());
    ended.append(heading, text, again);
    this.#root.replaceWith(ended);
    again.focus();
    // What was said of the last run no longer holds.
    this.#live.say(this.#page.ended, 0);
  }
}
