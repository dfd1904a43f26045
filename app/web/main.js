// Start-up: the module compiled as it arrives while the page reads the
// browser's number conventions, then the main window built from its
// description for them, loaded, and ready for a key in the HV box.

import {loadKestal} from './kestal.js';
import {MainWindow} from './main_window.js';
import {numberSymbols} from './numbers.js';

// The module: inside the page in its one-file form, gzipped, else beside it.
function moduleSource() {
  const inside = document.getElementById('kestal-module');
  if (inside) {
    const base64 = inside.textContent.trim();
    let packed;
    if (Uint8Array.fromBase64) {
      packed = Uint8Array.fromBase64(base64);
    } else {
      const text = atob(base64);
      packed = new Uint8Array(text.length);
      for (let k = 0; k < text.length; k++) packed[k] = text.charCodeAt(k);
    }
    const unpacked = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
    return Promise.resolve(new Response(unpacked, {headers: {'Content-Type': 'application/wasm'}}));
  }
  return fetch(new URL('kestal.wasm', import.meta.url)).then((response) => {
    if (!response.ok) throw new Error(`kestal.wasm: ${response.status} ${response.statusText}`);
    return response;
  });
}

// Back to the browser between the steps of the start, each short enough not
// to hold up a phone's first taps.
const pause = () =>
    globalThis.scheduler?.yield?.() ?? new Promise((resume) => setTimeout(resume, 0));

const main = new MainWindow(document.getElementById('Form1'));
// Compiling from here on, away from the page's thread, which meanwhile reads
// the number conventions: a language's first number format is slow to make.
const loading = loadKestal(await moduleSource(), main);
const symbols = numberSymbols(navigator.languages);
const kestal = await loading;
await pause();
const page = kestal.start(symbols);
await pause();
main.build(page, kestal);
await pause();
main.load();
performance.mark('kestal-ready');

// Served as a site, the page keeps its files for use offline.
if ('serviceWorker' in navigator && document.querySelector('link[rel="manifest"]')) {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
