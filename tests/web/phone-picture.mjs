// SPDX-License-Identifier: MIT
// Draws the README's picture of the page: a phone, 375 x 667 at twice its pixels, a game
// under way by the letter pad.
// Usage: cd tests/web && node phone-picture.mjs SITE OUT.png  (SITE: build-web/site)
import path from "node:path";
import { launchChromium, serveFiles } from "./chromium.mjs";
import { BACKGROUND, TWIPS_PER_PIXEL } from "../support/points.mjs";

const [site, out] = process.argv.slice(2);
const { server, origin } = await serveFiles((name) => path.join(site, name));
const browser = await launchChromium();
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 375, height: 667, deviceScaleFactor: 2, isMobile: true,
                           hasTouch: true });
  await page.goto(origin + "/");
  await page.waitForSelector("body[data-ready]");
  const form = await (await page.$("#form")).boundingBox();
  const scale = form.width / 683;
  await page.touchscreen.tap(form.x + BACKGROUND[0] / TWIPS_PER_PIXEL * scale,
                             form.y + BACKGROUND[1] / TWIPS_PER_PIXEL * scale);
  await page.waitForSelector("#pad button:not([disabled])");
  for (const letter of "prxaeg") {
    const key = await (await page.$(`#pad button:nth-child(${letter.charCodeAt(0) - 96})`))
      .boundingBox();
    await page.touchscreen.tap(key.x + key.width / 2, key.y + key.height / 2);
    await page.waitForFunction((n) => document.querySelector(`#pad button:nth-child(${n})`)
      .className !== "", {}, letter.charCodeAt(0) - 96);
  }
  await page.screenshot({ path: out });
} finally {
  await browser.close();
  server.close();
}
