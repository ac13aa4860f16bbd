// SPDX-License-Identifier: MIT
// What a key costs with a long text in the box: a megabyte typed into the game's text box,
// then each further key pressed and its frame drawn, against the same in a bare text box
// (input.html). Each round opens both pages afresh.
// Usage: node typing.mjs SITE_DIR ROUNDS [KEYS]
import path from "node:path";

const here = path.dirname(new URL(import.meta.url).pathname);
const { launchChromium, serveFiles } =
  await import(path.join(here, "../../tests/web/chromium.mjs"));
const [site, rounds = "3", keys = "10"] = process.argv.slice(2);
const LENGTH = 1 << 20;

const { server, origin } = await serveFiles((name) => name === "/input.html"
  ? path.join(here, "input.html") : path.join(site, name));
const browser = await launchChromium();

// The milliseconds of each key, from its press to the frame after it, and of script run
// for it (Chromium's ScriptDuration).
async function keyCosts(url, start) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(url);
  await start(page);
  await page.focus("input");
  await page.keyboard.sendCharacter("ab ".repeat(LENGTH / 4) + "a".repeat(LENGTH / 4));
  await page.evaluate(() => new Promise(requestAnimationFrame));
  const client = await page.createCDPSession();
  await client.send("Performance.enable");
  const script = async () => (await client.send("Performance.getMetrics")).metrics
    .find((metric) => metric.name === "ScriptDuration").value * 1000;
  const costs = [];
  for (let k = 0; k < Number(keys); k++) {
    const [begun, scriptBefore] = [performance.now(), await script()];
    await page.keyboard.press("a");
    await page.evaluate(() => new Promise(requestAnimationFrame));
    costs.push({ key: performance.now() - begun, script: await script() - scriptBefore });
  }
  const length = await page.$eval("input", (box) => box.value.length);
  if (length !== LENGTH + Number(keys)) throw new Error(`${url}: the box holds ${length}`);
  await context.close();
  return costs;
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};

const runs = { game: [], bare: [] };
for (let round = 0; round < Number(rounds); round++) {
  runs.game.push(...await keyCosts(origin + "/", async (page) => {
    await page.waitForSelector("body[data-ready]");
    await page.keyboard.press("F2");
    await page.waitForSelector("#form input:not([hidden])");
  }));
  runs.bare.push(...await keyCosts(origin + "/input.html", async () => {}));
}
const of = (page, what) => median(runs[page].map((cost) => cost[what]));
const result = { textBytes: LENGTH, keyMs: { game: of("game", "key"), bare: of("bare", "key") },
                 scriptMs: { game: of("game", "script"), bare: of("bare", "script") } };
result.ratio = result.keyMs.game / result.keyMs.bare;
console.log(JSON.stringify(result, null, 2));
await browser.close();
server.close();
