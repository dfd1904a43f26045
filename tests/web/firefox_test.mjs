// The one-file page in Firefox ESR over WebDriver BiDi, from disk, typed into
// with real keys: what another engine could do differently from Chromium. Ready
// with the focus in the HV box, then the first row of tests/conversions.txt for
// each box and the first that fails (the message, then seven empty boxes) under
// French, the box menu's "Couper" down to nothing emptying the six other boxes
// (its text gone with no key), and one row with points under English.
//   node firefox_test.mjs KESTAL_HTML CONVERSIONS_TXT DESCRIPTION_JSON
import {mkdtempSync, readFileSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join, resolve} from 'node:path';
import {pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';

const [html, conversions, description] = process.argv.slice(2);
const CUT = JSON.parse(readFileSync(description, 'utf8'))
                .boxEntries.find((entry) => entry.command === 'cut')
                .text.replace('&', '');
const SCALES = ['HV', 'HB', 'HRA', 'HRB', 'HRC', 'HRD', 'Rm'];  // the boxes Text1 to Text7
const BOXES = `[1, 2, 3, 4, 5, 6, 7].map(k => document.getElementById('Text' + k).value)`;
const MESSAGE = `document.getElementById('NotANumberMessage')`;
const empty = SCALES.map(() => '');

// Each row: its box, the text typed there (or the box menu's entry chosen over all it
// holds), the seven texts afterwards ('' for each after a failure).
const rows = readFileSync(conversions, 'utf8').split('\n').flatMap((line) => {
  const [scale, boxes] = line.split('\t');
  if (line.startsWith('#') || !SCALES.includes(scale)) return [];
  const texts = boxes.replace(/ FAIL$/, '').split('|');
  const failed = boxes.endsWith(' FAIL');
  const column = SCALES.indexOf(scale);
  return [{column, typed: texts[column], failed, texts: failed ? empty : texts}];
});
const french = [
  ...SCALES.map((_, k) => rows.find((row) => row.column === k && !row.failed)),
  {column: SCALES.length - 1, typed: CUT, cut: true, texts: empty},  // all the Rm box holds
  rows.find((row) => row.failed)
];
const pointed = (text) => text.replace(/(?<=\d),(?=\d)/g, '.');
const english = [rows.find((row) => !row.failed && row.typed.includes(','))].map(
    (row) => ({...row, typed: pointed(row.typed), texts: row.texts.map(pointed)}));

const profiles = mkdtempSync(join(tmpdir(), 'kestal-firefox-'));
const failures = [];
const browsers = [];
const watchdog = setTimeout(() => {
  failures.push('still running after 120 s');
  finish();
}, 120000);

async function typeRows(language, typed) {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: true,
    timeout: 15000,
    protocolTimeout: 15000,
    userDataDir: join(profiles, language),
    extraPrefsFirefox: {'intl.accept_languages': language},
  });
  browsers.push(browser);
  const page = await browser.newPage();
  page.setDefaultTimeout(5000);
  page.on('pageerror', (error) => failures.push(`${language}: ${error.message}`));
  await page.goto(pathToFileURL(resolve(html)).href);
  await page.waitForFunction(`performance.getEntriesByName('kestal-ready').length`);
  const [first, focus] =
      await page.evaluate(() => [navigator.languages[0], document.activeElement.id]);
  if (first !== language || focus !== 'Text1')
    failures.push(`${language}: ${first}, focus in ${focus}`);
  for (const row of typed) {
    const box = `#Text${row.column + 1}`;
    if (row.cut) {
      await page.$eval(box, (element) => element.select());
      await page.click(box, {button: 'right'});
      await page.click(`#BoxMenu ::-p-text(${CUT})`);
    } else {
      await page.click(box, {count: 3});  // over what the box holds
      await page.keyboard.type(row.typed);
    }
    if (row.failed) {
      await page.waitForFunction(`${MESSAGE}?.open`);
      await page.keyboard.press('Enter');  // on its OK button
      await page.waitForFunction(`!${MESSAGE}`);
    }
    const want = row.texts.join('|');
    const shown = await page.waitForFunction(`${BOXES}.join('|') === ${JSON.stringify(want)}`)
                      .then(() => want, () => page.evaluate(`${BOXES}.join('|')`));
    if (shown !== want) failures.push(`${language} "${row.typed}": ${shown}, wanted ${want}`);
  }
}

async function finish() {
  clearTimeout(watchdog);
  await Promise.race([
    Promise.allSettled(browsers.map((browser) => browser.close())),
    new Promise((wait) => setTimeout(wait, 5000))
  ]);
  for (const browser of browsers) browser.process()?.kill('SIGKILL');
  rmSync(profiles, {recursive: true, force: true, maxRetries: 5});
  for (const failure of failures) console.error(`firefox_test: ${failure}`);
  process.exit(failures.length ? 1 : 0);
}

try {
  await typeRows('fr-FR', french);
  await typeRows('en-US', english);
} catch (error) {
  failures.push(error.stack ?? String(error));
}
await finish();
