// The validation record in a window of the page, for the lab whose PC or phone
// has no command line: the module runs the checks and writes the record as one
// page; this window shows it as it prints, with "Imprimer" (the browser's
// print, the record's own print layout), "Enregistrer" (the page as a file)
// and "Fermer". The record names this page and the browser it ran in.

import {applyFont, buildCaption} from './window_view.js';

// Where the user agent names them, in the order that tells one from another.
const AGENTS = [
  [/Firefox\/([\d.]+)/, 'Firefox'],
  [/Edg\/([\d.]+)/, 'Edge'],
  [/OPR\/([\d.]+)/, 'Opera'],
  [/Chrom(?:e|ium)\/([\d.]+)/, 'Chrome'],
  [/Version\/([\d.]+).*Safari/, 'Safari'],
];

// "Chromium 156", from the brands a Chromium gives, else from the user agent.
function browser() {
  const brands = navigator.userAgentData?.brands?.filter(({brand}) => !/not.a.brand/i.test(brand));
  const named = brands?.find(({brand}) => brand !== 'Chromium') ?? brands?.[0];
  if (named) return `${named.brand} ${named.version}`;
  const agent = navigator.userAgent;
  for (const [pattern, name] of AGENTS) {
    const found = agent.match(pattern);
    if (found) return `${name} ${found[1]}`;
  }
  return agent;
}

function system() {
  return navigator.userAgentData?.platform || navigator.platform || navigator.userAgent;
}

export class RecordWindow {
  #page;
  #kestal;
  #dialog = null;
  #returnFocus = null;

  constructor(page, kestal) {
    this.#page = page;
    this.#kestal = kestal;
  }

  get isOpen() {
    return this.#dialog !== null;
  }

  // Runs the checks and shows the record, over the other windows until closed.
  open() {
    if (this.#dialog) return;
    const page = this.#page;
    const language = navigator.languages?.[0] ?? navigator.language;
    const when = this.#kestal.recordTime(new Date());
    const html = this.#kestal.validationRecord(
        when, system(), browser(), language || 'français, faute de langue du navigateur');
    this.#returnFocus = document.activeElement;
    const dialog = document.createElement('dialog');
    dialog.className = 'window record';
    applyFont(dialog, page.windows[2].font);
    buildCaption(dialog, {name: 'RecordWindow', caption: page.record}, page, () => this.close());
    const client = document.createElement('div');
    client.className = 'client';
    const frame = document.createElement('iframe');
    frame.id = 'RecordWindow_Document';
    frame.title = page.record;
    frame.srcdoc = html;
    // The record keeps its keys and its focus to itself: Escape closes the
    // window from within it too, and its frame shows when it has the keyboard,
    // which no style sees from outside.
    frame.addEventListener('load', () => {
      const shown = frame.contentWindow;
      shown.addEventListener('keydown', (event) => {
        if (event.key === 'Escape') this.close();
      });
      shown.addEventListener('focus', () => frame.classList.add('focused'));
      shown.addEventListener('blur', () => frame.classList.remove('focused'));
    });
    const commands = document.createElement('div');
    commands.className = 'commands';
    const command = (id, text, action) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.id = id;
      button.textContent = text;
      button.addEventListener('click', action);
      commands.append(button);
      return button;
    };
    const print = command('RecordWindow_Print', page.print, () => frame.contentWindow.print());
    command(
        'RecordWindow_Save', page.save,
        () => save(html, `kestal-validation-${when.slice(0, 10)}.html`));
    command('RecordWindow_Close', page.close, () => this.close());
    client.append(frame, commands);
    dialog.append(client);
    dialog.addEventListener('close', () => this.close());
    this.#dialog = dialog;
    document.body.append(dialog);
    dialog.showModal();
    print.focus();
  }

  close() {
    if (!this.#dialog) return;
    const dialog = this.#dialog;
    this.#dialog = null;
    if (dialog.open) dialog.close();
    dialog.remove();
    this.#returnFocus?.focus();
  }
}

// The record as a file the browser offers to keep.
function save(html, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([html], {type: 'text/html;charset=utf-8'}));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}
