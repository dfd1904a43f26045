// The page in Firefox ESR over WebDriver BiDi, typed into with real keys: the
// one file from disk and the site over http start with the focus in the HV box;
// rows of tests/conversions.txt come back in the seven boxes under French (a
// value that is not a number: the message, then seven empty boxes), and one
// with decimal points under American English.
//   node firefox_test.mjs KESTAL_HTML SITE_DIR CONVERSIONS_TXT
import {mkdtempSync, rmSync} from 'node:fs';
import {readFile} from 'node:fs/promises';
import {createServer} from 'node:http';
import {tmpdir} from 'node:os';
import {extname, join, resolve, sep} from 'node:path';
import {pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';

const [html, siteDir, conversions] = process.argv.slice(2);
if (!conversions) {
  console.error('usage: node firefox_test.mjs KESTAL_HTML SITE_DIR CONVERSIONS_TXT');
  process.exit(2);
}
const WAIT_MS = 5000;   // any one wait but a browser's start (15 s)
const RUN_MS = 120000;  // the whole run
// The columns of tests/conversions.txt, which are the boxes Text1 to Text7.
const SCALES = ['HV', 'HB', 'HRA', 'HRB', 'HRC', 'HRD', 'Rm'];
const BOXES = SCALES.map((_, k) => `Text${k + 1}`);

// Each row: its box, the text typed there, and the seven texts after it, none
// for a failed run (whose message, once closed, leaves every box empty).
const rows = (await readFile(conversions, 'utf8')).split('\n').flatMap((line) => {
  const [scale, boxes] = line.split('\t');
  const column = SCALES.indexOf(scale);
  if (line.startsWith('#') || boxes === undefined || column < 0) return [];
  const texts = boxes.replace(/ FAIL$/, '').split('|');
  return [
    {scale, box: BOXES[column], typed: texts[column], texts: !boxes.endsWith(' FAIL') && texts}
  ];
});
// Under French the first row typed in each box and the first that fails; under
// a point language the first with a decimal separator that fills another box.
const frenchRows = [
  ...SCALES.map((scale) => rows.find((row) => row.scale === scale && row.texts)),
  rows.find((row) => !row.texts),
];
const decimal = rows.find(
    (row) => row.texts && row.typed.includes(',') &&
        row.texts.some((text, k) => text && BOXES[k] !== row.box));
if (frenchRows.includes(undefined) || !decimal) throw new Error(`too few rows in ${conversions}`);

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json'
};
const root = resolve(siteDir);
const server = createServer(async (request, response) => {
  const path = resolve(join(root, new URL(request.url, 'http://host').pathname));
  const file = path === root ? join(root, 'index.html') : path;
  const body = file.startsWith(root + sep) && (await readFile(file).catch(() => null));
  response.writeHead(body ? 200 : 404, {'Content-Type': TYPES[extname(file)] ?? 'text/plain'});
  response.end(body || undefined);
});

const failures = [];
const check = (ok, what) => Boolean(ok) || (failures.push(what), false);
const browsers = [];
const profiles = mkdtempSync(join(tmpdir(), 'kestal-firefox-'));
const watchdog = setTimeout(() => finish(`still running after ${RUN_MS / 1000} s`), RUN_MS);

// Once: every browser closed (killed if it will not close), the server stopped.
let finished = false;
async function finish(failure) {
  if (failure) failures.push(failure);
  if (finished) return;
  finished = true;
  clearTimeout(watchdog);
  const closed = Promise.allSettled(browsers.map((browser) => browser.close()));
  await Promise.race([closed, new Promise((wait) => setTimeout(wait, WAIT_MS))]);
  await Promise.all(
      browsers.map((browser) => browser.process())
          .map(
              (firefox) => firefox?.exitCode === null && firefox.signalCode === null &&
                  new Promise((exited) => firefox.once('exit', exited).kill('SIGKILL'))));
  server.closeAllConnections();
  server.close();
  rmSync(profiles, {recursive: true, force: true});
  for (const each of failures) console.error(`firefox_test: ${each}`);
  console.log(
      failures.length ? `firefox_test: FAILED, ${failures.length} failure(s)` :
                        `firefox_test: ok, ${frenchRows.length + 2} rows typed in Firefox`);
  process.exit(failures.length ? 1 : 0);
}

// Page expressions: the seven texts between bars, the message while open.
const BOX_TEXTS =
    `${JSON.stringify(BOXES)}.map((id) => document.getElementById(id).value).join('|')`;
const MESSAGE = 'document.querySelector(\'dialog#NotANumberMessage[open]\')';
const EMPTY = BOXES.map(() => '').join('|');
const until = (page, expression) => page.waitForFunction(expression).then(() => true, () => false);

// A browser whose first language is `language`; opening a page in it waits
// until the page says it is ready for a key.
async function launch(language) {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: true,
    timeout: 15000,
    protocolTimeout: WAIT_MS,
    userDataDir: join(profiles, language),
    extraPrefsFirefox: {'intl.accept_languages': language},
  });
  browsers.push(browser);
  return async (url) => {
    const page = await browser.newPage();
    page.setDefaultTimeout(WAIT_MS);
    page.on('pageerror', (error) => failures.push(`${url}: ${error.message}`));
    await page.goto(url);
    if (!(await until(page, 'performance.getEntriesByName(\'kestal-ready\').length > 0'))) {
      throw new Error(`${url}: not ready for a key after ${WAIT_MS} ms`);
    }
    const [first, focus] =
        await page.evaluate(() => [navigator.languages[0], document.activeElement?.id]);
    check(first === language, `${url}: navigator.languages starts with ${first}, not ${language}`);
    check(focus === 'Text1', `${url}: the focus in ${focus} when ready, not in the HV box`);
    check((await page.evaluate(BOX_TEXTS)) === EMPTY, `${url}: boxes not all empty when ready`);
    return page;
  };
}

// Types the row in its box over what the box held, then reads the boxes back;
// under a point language, with a point for each of the row's commas.
async function type(page, row, label, point = false) {
  const local = (text) => (point ? text.replaceAll(',', '.') : text);
  const what = `${label}: ${row.scale} ${JSON.stringify(local(row.typed))}`;
  await page.click(`#${row.box}`, {count: 3});  // selects what it holds
  await page.keyboard.type(local(row.typed));
  if (row.texts) {
    const want = local(row.texts.join('|'));
    await until(page, `${BOX_TEXTS} === ${JSON.stringify(want)}`);
    const got = await page.evaluate(BOX_TEXTS);
    return check(got === want, `${what}: boxes ${got}, wanted ${want}`);
  }
  if (!check(await until(page, `${MESSAGE}?.textContent.trim()`), `${what}: no message`)) return;
  await page.keyboard.press('Enter');  // on its OK button, which has the focus
  await until(page, `!${MESSAGE} && ${BOX_TEXTS} === '${EMPTY}'`);
  const [open, after] = await page.evaluate(`[Boolean(${MESSAGE}), ${BOX_TEXTS}]`);
  check(
      !open && after === EMPTY, `${what}: after Enter on OK, message open ${open}, boxes ${after}`);
}

try {
  await new Promise((listening) => server.listen(0, '127.0.0.1', listening));
  const site = `http://127.0.0.1:${server.address().port}/`;
  const french = await launch('fr-FR');
  const fromFile = await french(pathToFileURL(resolve(html)).href);
  for (const row of frenchRows) await type(fromFile, row, 'fr-FR kestal.html');
  await type(await french(site), frenchRows[0], 'fr-FR site');
  await type(await (await launch('en-US'))(site), decimal, 'en-US site', true);
} catch (error) {
  failures.push(error.stack ?? String(error));
}
await finish();
