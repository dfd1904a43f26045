// Build step: the page's description, as the page gets it under French
// conventions, printed as JSON from the built module for the packer.
//   node describe.mjs kestal.wasm
import {readFile} from 'node:fs/promises';

import {loadKestal} from './kestal.js';
import {numberSymbols} from './numbers.js';

const ignore = () => {};
const page = {
  boxText: () => '',
  setBoxText: ignore,
  showNotANumber: ignore,
  setNotes: ignore,
  setTableView: ignore,
  announce: ignore
};
const kestal = await loadKestal(await readFile(process.argv[2]), page);
process.stdout.write(JSON.stringify(kestal.start(numberSymbols([]))));
