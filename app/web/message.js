// The failure message: modal, with the application's title as its caption,
// its text and OK only. Once the user has closed it, by OK or Escape, `closed`
// runs, and then the message leaves the page.

import {applyFont} from './window_view.js';

export function showMessage(page, text, closed) {
  const dialog = document.createElement('dialog');
  dialog.id = 'NotANumberMessage';
  dialog.className = 'window message';
  applyFont(dialog, page.windows[0].font);
  const bar = document.createElement('div');
  bar.className = 'caption';
  const title = document.createElement('h1');
  title.id = 'NotANumberMessage_caption';
  title.textContent = page.title;
  bar.append(title);
  const body = document.createElement('p');
  body.id = 'NotANumberMessage_text';
  body.textContent = text;
  const ok = document.createElement('button');
  ok.type = 'button';
  ok.textContent = page.ok;
  ok.addEventListener('click', () => dialog.close());
  dialog.setAttribute('aria-labelledby', title.id);
  dialog.setAttribute('aria-describedby', body.id);
  dialog.append(bar, body, ok);
  document.body.append(dialog);
  dialog.addEventListener('close', () => {
    closed();
    dialog.remove();
  });
  dialog.showModal();
  ok.focus();
}
