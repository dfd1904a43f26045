// The page's one live region: what changed where the user's focus is not,
// said politely by a screen reader. The module words it and says how long a
// run's figures wait for the typing to pause, so that fast keys give one
// announcement.

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

  say(text, settleMs) {
    clearTimeout(this.#timer);
    if (settleMs > 0)
      this.#timer = setTimeout(() => this.#show(text), settleMs);
    else
      this.#show(text);
  }

  #show(text) {
    this.#element.textContent = text;
  }
}
