// SPDX-License-Identifier: MIT
// The web page's cost: what it transfers, and its times from navigation to first paint and
// to a playable form, against a blank page that loads the same fonts (blank.html), on
// loopback and on Chromium's "Fast 3G" and "Slow 3G" profiles. Each round loads both pages
// cold, in a fresh browser context, one after the other; the server compresses as a web
// server would (brotli or gzip, as the browser asks).
// Usage: node startup.mjs SITE_DIR ROUNDS
import path from "node:path";
import zlib from "node:zlib";

const here = path.dirname(new URL(import.meta.url).pathname);
const { launchChromium, serveFiles, PredefinedNetworkConditions } =
  await import(path.join(here, "../../tests/web/chromium.mjs"));
const [site, rounds = "10"] = process.argv.slice(2);

const { server, origin } = await serveFiles((name) => name === "/blank.html"
  ? path.join(here, "blank.html") : path.join(site, name), { compress: true });
const browser = await launchChromium();
const PROFILES = { loopback: null, "Fast 3G": PredefinedNetworkConditions["Fast 3G"],
                   "Slow 3G": PredefinedNetworkConditions["Slow 3G"] };

// One cold load: the files it fetched (decoded), its times in ms from navigation, and the
// bytes it had transferred by the time it was ready (headers and compressed bodies).
async function load(url, readyMark, conditions) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setCacheEnabled(false);
  if (conditions) await page.emulateNetworkConditions(conditions);
  const files = new Map();
  page.on("response", async (response) => {
    try {
      files.set(new URL(response.url()).pathname, await response.buffer());
    } catch {}
  });
  await page.goto(url, { waitUntil: "domcontentloaded", timeout: 120000 });
  const times = await page.evaluate(async (mark) => {
    const at = (name) => performance.getEntriesByName(name)[0]?.startTime;
    while (at(mark) === undefined || at("first-contentful-paint") === undefined)
      await new Promise((resolve) => setTimeout(resolve, 10));
    const ready = at(mark);
    const entries = [performance.getEntriesByType("navigation")[0],
                     ...performance.getEntriesByType("resource")];
    return { firstPaint: at("first-paint"), firstContentfulPaint: at("first-contentful-paint"),
             ready, bytesBeforeReady: entries.filter((e) => e.responseEnd <= ready)
               .reduce((sum, e) => sum + e.transferSize, 0) };
  }, readyMark);
  await context.close();
  return { files, times };
}

function sizes(files) {
  let raw = 0, gzip = 0, brotli = 0;
  for (const data of files.values()) {
    raw += data.length;
    gzip += zlib.gzipSync(data, { level: 9 }).length;
    brotli += zlib.brotliCompressSync(data).length;
  }
  return { files: files.size, raw, gzip, brotli };
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};

const summary = {};
for (const [profile, conditions] of Object.entries(PROFILES)) {
  const runs = { game: [], blank: [] };
  let files = {};
  for (let round = 0; round < Number(rounds); round++) {
    const game = await load(origin + "/", "wordrop-ready", conditions);
    const blank = await load(origin + "/blank.html", "ready", conditions);
    runs.game.push(game.times);
    runs.blank.push(blank.times);
    files = { game: game.files, blank: blank.files };
  }
  const result = {};
  for (const page of ["game", "blank"]) {
    const of = (key) => median(runs[page].map((t) => t[key]));
    result[page] = { firstPaintMs: of("firstPaint"),
                     firstContentfulPaintMs: of("firstContentfulPaint"), readyMs: of("ready"),
                     bytesBeforeReady: of("bytesBeforeReady") };
    if (!conditions) {
      result[page].transfer = sizes(files[page]);
      result[page].files = [...files[page].keys()].sort();
    }
  }
  result.ratios = {
    firstPaint: result.game.firstPaintMs / result.blank.firstPaintMs,
    firstContentfulPaint: result.game.firstContentfulPaintMs / result.blank.firstContentfulPaintMs,
    ready: result.game.readyMs / result.blank.readyMs,
  };
  summary[profile] = result;
  console.error(`${profile}: game ready ${result.game.readyMs.toFixed(0)} ms, ` +
                `${result.game.bytesBeforeReady} bytes before`);
}
console.log(JSON.stringify(summary, null, 2));
await browser.close();
server.close();
