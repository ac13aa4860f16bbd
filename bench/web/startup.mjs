// SPDX-License-Identifier: MIT
// The web page's cost: what it transfers, and its time from navigation to first paint and
// to a playable form, against a blank page that loads the same fonts, in the same run.
// Each round loads both pages cold, in a fresh browser context, one after the other.
// Usage: node startup.mjs SITE_DIR ROUNDS
import path from "node:path";
import zlib from "node:zlib";

const here = path.dirname(new URL(import.meta.url).pathname);
const { launchChromium, serveFiles } = await import(path.join(here, "../../tests/web/chromium.mjs"));
const [site, rounds = "15"] = process.argv.slice(2);

const { server, origin } = await serveFiles((name) => name === "/blank.html"
  ? path.join(here, "blank.html") : path.join(site, name));
const browser = await launchChromium();

// One cold load: the files it fetched, and its times in ms from navigation.
async function load(url, readyMark) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setCacheEnabled(false);
  const files = new Map();
  page.on("response", async (response) => {
    try {
      files.set(new URL(response.url()).pathname, await response.buffer());
    } catch {}
  });
  await page.goto(url, { waitUntil: "load" });
  const times = await page.evaluate(async (mark) => {
    const at = (name) => performance.getEntriesByName(name)[0]?.startTime;
    while (at(mark) === undefined || at("first-contentful-paint") === undefined)
      await new Promise((resolve) => setTimeout(resolve, 10));
    return { firstPaint: at("first-paint"), firstContentfulPaint: at("first-contentful-paint"),
             ready: at(mark) };
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

const runs = { game: [], blank: [] };
let files = {};
for (let round = 0; round < Number(rounds); round++) {
  const game = await load(origin + "/", "wordrop-ready");
  const blank = await load(origin + "/blank.html", "ready");
  runs.game.push(game.times);
  runs.blank.push(blank.times);
  files = { game: game.files, blank: blank.files };
}
const summary = {};
for (const page of ["game", "blank"]) {
  summary[page] = { transfer: sizes(files[page]),
                    firstPaintMs: median(runs[page].map((t) => t.firstPaint)),
                    firstContentfulPaintMs: median(runs[page].map((t) => t.firstContentfulPaint)),
                    readyMs: median(runs[page].map((t) => t.ready)),
                    files: [...files[page].keys()].sort() };
}
summary.added = {
  gzipBytes: summary.game.transfer.gzip - summary.blank.transfer.gzip,
  brotliBytes: summary.game.transfer.brotli - summary.blank.transfer.brotli,
  firstPaintRatio: summary.game.firstPaintMs / summary.blank.firstPaintMs,
  firstContentfulPaintRatio:
    summary.game.firstContentfulPaintMs / summary.blank.firstContentfulPaintMs,
  readyRatio: summary.game.readyMs / summary.blank.readyMs,
};
console.log(JSON.stringify(summary, null, 2));
await browser.close();
server.close();
