// SPDX-License-Identifier: MIT
// A first visit on a slow link that the page and its service worker share (50 KB/s, 400 ms
// a file, served compressed by a server whose files the browser may keep): the bytes the
// server sends in all, worker included, and the times from navigation until the page is
// playable and until it plays offline (its worker's cache holds the page, its scripts and
// style sheets and the program). Each round is a fresh browser profile.
// Usage: node offline.mjs SITE_DIR ROUNDS
import path from "node:path";

const here = path.dirname(new URL(import.meta.url).pathname);
const { launchChromium, serveFiles } =
  await import(path.join(here, "../../tests/web/chromium.mjs"));
const [site, rounds = "3"] = process.argv.slice(2);
const LINK = { bytesPerSecond: 50_000, latencyMs: 400 };
const OFFLINE = ["index.html", "boot.js", "view.js", "page.css", "fonts.css", "wordrop.js",
                 "wordrop.wasm"];

let log = [];
const { server, origin } = await serveFiles((name) => path.join(site, name), {
  compress: true, link: () => LINK, headers: { "Cache-Control": "no-cache" },
  served: (name, bytes) => log.push({ name, bytes, at: performance.now() }) });
const browser = await launchChromium();

async function visit() {
  log = [];
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(origin + "/", { waitUntil: "domcontentloaded", timeout: 120_000 });
  const times = await page.evaluate(async (needed) => {
    const at = (name) => performance.getEntriesByName(name)[0]?.startTime;
    let offline;
    while (offline === undefined || at("wordrop-ready") === undefined) {
      await new Promise((resolve) => setTimeout(resolve, 50));
      if (offline !== undefined) continue;
      const kept = new Set();
      for (const name of await caches.keys()) {
        for (const request of await (await caches.open(name)).keys())
          kept.add(new URL(request.url).pathname.slice(1) || "index.html");
      }
      if (needed.every((file) => kept.has(file))) offline = performance.now();
    }
    return { readyMs: at("wordrop-ready"), offlineMs: offline };
  }, OFFLINE);
  // Everything the visit fetches, the worker's too: until the server has sent nothing for
  // five seconds.
  let quiet = performance.now();
  for (let last = log.length; performance.now() - quiet < 5000;) {
    await new Promise((resolve) => setTimeout(resolve, 250));
    if (log.length !== last) [last, quiet] = [log.length, performance.now()];
  }
  await context.close();
  const names = log.map((entry) => entry.name);
  return { ...times, bytes: log.reduce((sum, entry) => sum + entry.bytes, 0),
           files: names.length, twice: names.filter((name, k) => names.indexOf(name) !== k) };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const runs = [];
for (let round = 0; round < Number(rounds); round++) runs.push(await visit());
const result = { link: LINK, bytes: median(runs.map((run) => run.bytes)),
                 files: median(runs.map((run) => run.files)),
                 readyMs: median(runs.map((run) => run.readyMs)),
                 offlineMs: median(runs.map((run) => run.offlineMs)), fetchedTwice: runs[0].twice };
console.log(JSON.stringify(result, null, 2));
await browser.close();
server.close();
