// The help window: "Aide" puts the main window out of use (inert) and shows
// it; "Retour", Alt+R or its close box bring the main window back into use
// first, then close it. It is built afresh at each opening.

import {buildWindow, placeWindow} from './window_view.js';

export class HelpWindow {
  #page;
  #main;
  #dialog = null;
  #letters = new Map();
  #returnFocus = null;

  constructor(page, mainElement) {
    this.#page = page;
    this.#main = mainElement;
  }

  get isOpen() {
    return this.#dialog !== null;
  }

  get letters() {
    return this.#letters;
  }

  open() {
    if (this.#dialog) return;
    const [main, help] = this.#page.windows;
    this.#returnFocus = document.activeElement;
    this.#main.inert = true;
    const dialog = document.createElement('dialog');
    const {controls, letters} = buildWindow(dialog, help, this.#page, {
      onClose: () => this.close(),
    });
    controls.get('Command1').addEventListener('click', () => this.close());
    // Escape closes nothing here, as in the desktop windows.
    dialog.addEventListener('cancel', (event) => event.preventDefault());
    this.#dialog = dialog;
    this.#letters = letters;
    document.body.append(dialog);
    dialog.show();
    // At the main window's right-hand edge, lower than its top.
    placeWindow(dialog, help, this.#main, main, this.#page);
    controls.get('Command1').focus();
  }

  close() {
    if (!this.#dialog) return;
    this.#main.inert = false;
    this.#dialog.close();
    this.#dialog.remove();
    this.#dialog = null;
    this.#letters = new Map();
    this.#returnFocus?.focus();
  }
}
