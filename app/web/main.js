// Start-up: the module loaded, the main window built from its description
// for the browser's language, loaded, and ready for a key in the HV box.

import {loadKestal} from './kestal.js';
import {MainWindow} from './main_window.js';
import {numberSymbols} from './numbers.js';

// The module's bytes: inside the page in its one-file form, else beside it.
async function moduleBytes() {
  const inside = document.getElementById('kestal-module');
  if (inside) return Uint8Array.from(atob(inside.textContent.trim()), (c) => c.charCodeAt(0));
  const response = await fetch(new URL('kestal.wasm', import.meta.url));
  if (!response.ok) throw new Error(`kestal.wasm: ${response.status} ${response.statusText}`);
  return response.arrayBuffer();
}

const main = new MainWindow(document.getElementById('Form1'));
const kestal = await loadKestal(await moduleBytes(), main);
main.build(kestal.start(numberSymbols(navigator.languages)), kestal);
main.load();
performance.mark('kestal-ready');

// Served as a site, the page keeps its files for use offline.
if ('serviceWorker' in navigator && document.querySelector('link[rel="manifest"]')) {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
