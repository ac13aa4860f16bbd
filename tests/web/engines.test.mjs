// SPDX-License-Identifier: MIT
// What each browser engine does its own way, in Debian's chromium and firefox-esr: lines
// in a window smaller than the form, where captions stand, and a first visit whose faces
// all fail.
// Usage: node --test engines.test.mjs  (WORDROP_SITE: the page built for the suite;
// WORDROP_GOLDEN: the desktop's golden screens)
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import path from "node:path";
import puppeteer from "puppeteer-core";
import { launchChromium, serveFiles } from "./chromium.mjs";
import { BACKGROUND, TWIPS_PER_PIXEL } from "../support/points.mjs";

const SITE = process.env.WORDROP_SITE;
const GOLDEN = process.env.WORDROP_GOLDEN;
const ENGINES = {
  chromium: () => launchChromium(),
  firefox: () => puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr",
                                    headless: true }),
};
const AT_FORM_SIZE = { width: 683, height: 44 + 22 + 561 };  // the page's line, title bar, form
const px = (twips) => twips / TWIPS_PER_PIXEL;

// The blanks and the whole figure, in the form's pixels: [x1, y1, x2, y2] or [cx, cy, r].
const BLANKS = Array.from({ length: 11 }, (_, n) => [px(5040 + 480 * n), px(7320),
                                                     px(5400 + 480 * n), px(7320)]);
const FIGURE = [[3000, 1600, 600], [2800, 1450, 75], [3200, 1450, 75],
                [2800, 1900, 3200, 1900], [3000, 5000, 3000, 2200], [3000, 5000, 2000, 6500],
                [3000, 5000, 4000, 6500], [3000, 3500, 3800, 3000], [3000, 3500, 2200, 3000]]
  .map((shape) => shape.map(px));

const state = { missing: null, held: null };
let server;
let origin;
before(async () => {
  ({ server, origin } = await serveFiles(
    (name) => name.startsWith("/golden/") ? path.join(GOLDEN, name.slice(8))
      : state.missing?.test(name) ? null : path.join(SITE, name),
    { hold: (name) => state.held?.names.test(name) && state.held.released }));
});
after(() => server?.close());

// The form's pixels as RGB rows, from a screenshot or a golden screen: in the page, where
// every engine decodes PNG.
async function formPixels(page, golden) {
  const shot = golden ? null : await page.screenshot({ encoding: "base64" });
  return page.evaluate(async (data, url) => {
    const image = new Image();
    image.src = url || "data:image/png;base64," + data;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    canvas.getContext("2d").drawImage(image, 0, 0);
    const form = document.getElementById("form").getBoundingClientRect();
    const scale = url ? 1 : devicePixelRatio;
    const [left, top] = url ? [0, 0] : [form.left * scale, form.top * scale];
    return { left, top, width: image.width, scale: url ? 1 : form.width * scale / 683,
             rgb: Array.from(canvas.getContext("2d").getImageData(0, 0, image.width,
                                                                   image.height).data) };
  }, shot, golden && `${origin}/golden/${golden}.png`);
}

function pixelAt(picture, x, y) {
  const i = (Math.round(y) * picture.width + Math.round(x)) * 4;
  return picture.rgb.slice(i, i + 3);
}

// Black, or near it: the figure's and the blanks' pen.
const inked = ([r, g, b]) => r + g + b < 240;

// The stretches of a line or circle with no ink within a device pixel, one device pixel at
// a time along it.
function gaps(picture, shape) {
  const at = (x, y) => [picture.left + x * picture.scale, picture.top + y * picture.scale];
  const point = shape.length === 3
    ? (t) => at(shape[0] + shape[2] * Math.cos(2 * Math.PI * t),
                shape[1] + shape[2] * Math.sin(2 * Math.PI * t))
    : (t) => at(shape[0] + (shape[2] - shape[0]) * t, shape[1] + (shape[3] - shape[1]) * t);
  const length = shape.length === 3 ? 2 * Math.PI * shape[2]
    : Math.hypot(shape[2] - shape[0], shape[3] - shape[1]);
  const steps = Math.ceil(length * picture.scale);
  let missing = 0;
  for (let step = 0; step <= steps; step++) {
    const [x, y] = point(step / steps);
    let found = false;
    for (let dy = -1; dy <= 1 && !found; dy++)
      for (let dx = -1; dx <= 1 && !found; dx++) found = inked(pixelAt(picture, x + dx, y + dy));
    if (!found) missing++;
  }
  return missing;
}

// The first row, from the form's top, with a pixel of the caption's colour in the box.
function firstRow(picture, [x0, y0, x1, y1], colour) {
  for (let y = y0; y < y1; y++) {
    for (let x = x0; x < x1; x++) {
      if (colour(pixelAt(picture, picture.left + x, picture.top + y))) return y;
    }
  }
  return null;
}

const red = ([r, g, b]) => r > 200 && g < 80 && b < 80;
const white = ([r, g, b]) => r > 200 && g > 200 && b > 200;
const dark = ([r, g, b]) => r + g + b < 200;

for (const [engine, launch] of Object.entries(ENGINES)) {
  describe(engine, () => {
    let browser;
    before(async () => { browser = await launch(); });
    after(() => browser?.close());

    async function open(viewport, ready = "body[data-ready]") {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      const requests = [];  // the page's own, not its service worker's
      page.on("request", (request) => requests.push(new URL(request.url()).pathname));
      await page.setViewport({ ...viewport, deviceScaleFactor: 1 });
      await page.goto(origin + "/");
      await page.waitForSelector(ready);
      const guess = async (text) => {
        await page.click("#form input");
        await page.keyboard.type(text);
        await page.keyboard.press("Enter");
      };
      return { page, guess, requests, close: () => context.close() };
    }

    // At one device pixel per CSS pixel the page draws the form smaller than its own
    // pixels: no line may thin away, nor a circle break into dots.
    test("in a phone-sized window every line of the figure and every blank is whole",
         async () => {
      for (const viewport of [{ width: 375, height: 667 }, { width: 320, height: 568 }]) {
        const game = await open(viewport);
        await game.page.keyboard.press("F2");
        for (const letter of "bcdefhjk") await game.guess(letter);
        await game.page.evaluate(() => window.wordropTesting.drawFigurePiece(8));
        const picture = await formPixels(game.page);
        assert.ok(picture.scale < 1, "the form is drawn smaller than its own pixels");
        const broken = [...BLANKS, ...FIGURE].map((shape) => [shape, gaps(picture, shape)])
          .filter(([, missing]) => missing > 0);
        assert.deepEqual(broken, [], `${viewport.width}x${viewport.height}: [shape, gaps]`);
        await game.close();
      }
    });

    // Each caption's first inked row against the desktop's: the banner's, the word's under
    // it, a revealed letter's and the button's.
    test("captions stand where the desktop's do, within a pixel", async () => {
      const game = await open(AT_FORM_SIZE);
      await game.page.keyboard.press("F2");
      await game.guess("g");
      const rows = async (golden, boxes) => {
        const picture = await formPixels(game.page, golden);
        return boxes.map(([name, box, colour]) => [name, firstRow(picture, box, colour)]);
      };
      const playing = [["letter", [432, 464, 457, 481], dark], ["Ok!", [410, 226, 535, 247], dark]];
      const won = [["banner", [0, 0, 683, 420], red], ["word", [104, 424, 633, 457], white]];
      const seen = await rows(null, playing);
      for (const letter of "proamin") await game.guess(letter);
      seen.push(...await rows(null, won));
      const golden = [...await rows("guesses", playing), ...await rows("won", won)];
      for (const [n, [name, row]] of seen.entries()) {
        assert.ok(row !== null && Math.abs(row - golden[n][1]) <= 1,
                  `${name}: row ${row}, the desktop's ${golden[n][1]}`);
      }
      await game.close();
    });

    // Faces that are slow to come, or that all answer 404: no caption breaks in their
    // stand-ins, the page tells those that failed, and the program is fetched once.
    test("while the faces load, and when they all fail", async () => {
      for (const faces of ["loading", "failed"]) {
        let release;
        if (faces === "loading") {
          state.held = { names: /^\/fonts\//, released: new Promise((go) => { release = go; }) };
        } else {
          state.missing = /^\/fonts\//;
        }
        try {
          // The game takes a click once its start screen is drawn.
          const game = await open(AT_FORM_SIZE, "#status[hidden]");
          if (faces === "failed") {
            await game.page.waitForSelector("body[data-ready]");
            assert.match(await game.page.$eval("#error", (box) => !box.hidden && box.textContent),
                         /^The faces Comic Neue, EB Garamond Bold, .* could not be loaded: /);
          }
          // The form is drawn smaller where a notice needs the room.
          const box = await (await game.page.$("#form")).boundingBox();
          const scale = box.width / 683;
          await game.page.mouse.click(box.x + px(BACKGROUND[0]) * scale,
                                      box.y + px(BACKGROUND[1]) * scale);
          const captions = await game.page.$$eval("#form svg text", (texts) =>
            texts.map((text) => text.textContent.trim()).filter(Boolean));
          assert.deepEqual(captions.sort(), ["Are you ready to play", "Pick a letter", "Wordrop??"],
                           faces);
          assert.deepEqual(game.requests.filter((name) => name.endsWith(".wasm")),
                           ["/wordrop.wasm"]);
          await game.close();
        } finally {
          release?.();
          Object.assign(state, { missing: null, held: null });
        }
      }
    });
  });
}
