// The page's one live region: what changed where the user's focus is not,
// said politely by a screen reader. The module words it; a run's figures
// wait until the typing pauses, so that fast keys give one announcement.

const SETTLE_MS = 500;

export class LiveRegion {
  #element;
  #timer = 0;

  constructor() {
    this.#element = document.createElement('div');
    this.#element.id = 'LiveRegion';
    this.#element.className = 'unseen';
    this.#element.setAttribute('role', 'status');
    document.body.append(this.#element);
  }

  say(text, settled) {
    clearTimeout(this.#timer);
    if (settled)
      this.#timer = setTimeout(() => this.#show(text), SETTLE_MS);
    else
      this.#show(text);
  }

  #show(text) {
    this.#element.textContent = text;
  }
}
