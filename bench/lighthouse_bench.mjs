// Lighthouse's four scores and total blocking time for the page's first
// visit, as a lab's intranet serves it: the site (build/web/site/) and the one
// file (build/web/kestal.html), each over http from 127.0.0.1, each under
// Lighthouse's mobile profile (a mid-range phone, its CPU slowed four times,
// a slow 4G network simulated) and its desktop one.
//
//   node bench/lighthouse_bench.mjs BUILD_WEB_DIR [RUNS]
//
// Each score is the median of RUNS runs (3 by default) in a fresh headless
// Chromium; the targets are accessibility and best practices 100, SEO at
// least 90, mobile performance at least 98 and total blocking time at most
// 100 ms. Lighthouse (pinned in tests/web/package-lock.json, installed there
// by scripts/setup) drives Debian's chromium. A benchmark: it exits 0 whatever
// the figures, non-zero only when it cannot run.
import {createReadStream, existsSync, statSync} from 'node:fs';
import {createServer} from 'node:http';
import {createRequire} from 'node:module';
import {extname, join, resolve} from 'node:path';
import {pathToFileURL} from 'node:url';

const tools = createRequire(new URL('../tests/web/package.json', import.meta.url));
const lighthouse = (await import(pathToFileURL(tools.resolve('lighthouse')))).default;
const launcher = await import(pathToFileURL(tools.resolve('chrome-launcher')));
const {desktopConfig} =
    await import(pathToFileURL(join(tools.resolve('lighthouse'), '../config/desktop-config.js')));

const CHROMIUM = '/usr/bin/chromium';
// Headless, and nothing asked of a network this machine does not have.
const FLAGS = [
  '--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run', '--lang=fr-FR'
];
const CATEGORIES = ['performance', 'accessibility', 'best-practices', 'seo'];
const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

function fail(message) {
  console.error(`lighthouse_bench: ${message}`);
  process.exit(2);
}

const [build, runsText = '3'] = process.argv.slice(2);
const runs = Number(runsText);
if (!build || !(runs >= 1)) fail('usage: node bench/lighthouse_bench.mjs BUILD_WEB_DIR [RUNS]');
const root = resolve(build);
for (const path of [join(root, 'site/index.html'), join(root, 'kestal.html'), CHROMIUM]) {
  if (!existsSync(path)) fail(`${path} is missing (build the page: cmake --workflow --preset web)`);
}

// build/web over http: /site/ and /kestal.html, as a plain static server gives them.
const server = createServer((request, response) => {
  let path = join(root, decodeURIComponent(new URL(request.url, 'http://x').pathname));
  if (!path.startsWith(root)) path = root;
  if (existsSync(path) && statSync(path).isDirectory()) path = join(path, 'index.html');
  if (!existsSync(path)) {
    response.writeHead(404).end();
    return;
  }
  response.writeHead(200, {'Content-Type': TYPES[extname(path)] ?? 'application/octet-stream'});
  createReadStream(path).pipe(response);
});
await new Promise((listening) => server.listen(0, '127.0.0.1', listening));
const origin = `http://127.0.0.1:${server.address().port}`;

const median = (values) => values.toSorted((a, b) => a - b)[Math.floor(values.length / 2)];

async function score(url, config) {
  const chrome = await launcher.launch({chromePath: CHROMIUM, chromeFlags: FLAGS});
  try {
    const {lhr} = await lighthouse(
        url, {port: chrome.port, output: 'json', logLevel: 'error', onlyCategories: CATEGORIES},
        config);
    if (lhr.runtimeError) fail(`${url}: ${lhr.runtimeError.message}`);
    // The audits that cost a category points.
    const failed = CATEGORIES.flatMap((category) => lhr.categories[category].auditRefs)
                       .filter(
                           (ref) => ref.weight > 0 && lhr.audits[ref.id].score !== null &&
                               lhr.audits[ref.id].score < 1)
                       .map((ref) => ref.id);
    return {
      scores: CATEGORIES.map((category) => Math.round(lhr.categories[category].score * 100)),
      tbt: lhr.audits['total-blocking-time'].numericValue,
      failed,
    };
  } finally {
    await chrome.kill();
  }
}

const pad = (text, width) => String(text).padStart(width);
console.log(`Lighthouse ${(await import(pathToFileURL(tools.resolve('lighthouse/package.json')), {
                            with: {type: 'json'}
                          })).default.version}, ${CHROMIUM} headless; median of ${runs} runs each`);
console.log(`${'page, profile'.padEnd(26)}${pad('perf', 6)}${pad('a11y', 6)}${pad('best', 6)}${
    pad('SEO', 6)}${pad('TBT', 10)}   audits below 1`);
try {
  for (const [page, path] of [['site', '/site/'], ['kestal.html', '/kestal.html']]) {
    for (const [profile, config] of [['mobile', undefined], ['desktop', desktopConfig]]) {
      const results = [];
      for (let k = 0; k < runs; k++) results.push(await score(origin + path, config));
      const scores = CATEGORIES.map((_, c) => median(results.map((result) => result.scores[c])));
      const tbt = median(results.map((result) => result.tbt));
      const failed = [...new Set(results.flatMap((result) => result.failed))].join(' ');
      console.log(`${`${page}, ${profile}`.padEnd(26)}${scores.map((s) => pad(s, 6)).join('')}${
          pad(`${tbt.toFixed(0)} ms`, 10)}   ${failed || '-'}`);
    }
  }
} finally {
  server.close();
}
