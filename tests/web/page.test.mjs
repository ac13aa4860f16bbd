// SPDX-License-Identifier: MIT
// The page as people meet it, in Chromium, Firefox and WebKit: on a phone by touch and its
// on-screen keyboard (Chromium's emulation), in windows of any size and zoom, before its
// faces arrive, offline after a first visit, with a file that does not arrive, opened from
// a file, served by `make serve` under its Content-Security-Policy, and installed as an app.
// Usage: node --test page.test.mjs  (WORDROP_SITE: the page built for the suite;
// WORDROP_PUBLIC_SITE: the page `make web` builds; WORDROP_ENGINES)
import { after, afterEach, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { recordNarration, serveFiles } from "./chromium.mjs";
import { ENGINES, NARROWEST, insertText, launch } from "./engines.mjs";
import { pressKey, typeWhileComposing } from "./keys.mjs";
import { decodeInPage } from "./pixels.mjs";
import { BACKGROUND, BANNER, STRIP, TWIPS_PER_PIXEL } from "../support/points.mjs";

const SITE = process.env.WORDROP_SITE;
const PUBLIC_SITE = process.env.WORDROP_PUBLIC_SITE;
const FORM = { width: 683, height: 561 };  // the form's own size in CSS pixels
const NEW_GAME = "A new game: the word has 11 letters. Pick a letter.";
const PHONE = { width: 375, height: 667, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
// The blanks and the whole figure, in twips: a line's [x1, y1, x2, y2], a circle's [cx, cy, r].
const BLANKS = Array.from({ length: 11 }, (_, n) => [5040 + 480 * n, 7320, 5400 + 480 * n, 7320]);
const FIGURE = [[3000, 1600, 600], [2800, 1450, 75], [3200, 1450, 75], [2800, 1900, 3200, 1900],
                [3000, 5000, 3000, 2200], [3000, 5000, 2000, 6500], [3000, 5000, 4000, 6500],
                [3000, 3500, 3800, 3000], [3000, 3500, 2200, 3000]];
// The captions once a game starts, each whole on one line in whichever faces draw them.
const PROMPTS = ["Are you ready to play", "Pick a letter", "Wordrop??"];
const captions = (page) => page.$$eval("#form svg text", (texts) =>
  texts.map((text) => text.textContent.trim()).filter(Boolean).sort());
const LATIN_FACES = fs.readdirSync(path.join(SITE, "fonts"))
  .filter((name) => name.endsWith(".latin.woff2")).map((name) => "/fonts/" + name);

// What the server does, set by each case and put back after it.
// A slow link is one every answer shares, the worker's too; headers replace the usual
// "never from the browser's cache"; log has each answer's path and bytes.
const PLAIN = { missing: new Set(), down: false, held: null, worker: null, link: null,
                headers: {}, log: [] };
const server = { ...PLAIN };
afterEach(() => Object.assign(server, { ...PLAIN, missing: new Set(), log: [] }));

let browser;
let origin;
let files;

before(async () => {
  ({ server: files, origin } = await serveFiles(
    (name) => server.down || server.missing.has(name) ? null
      : name === "/sw.js" && server.worker ? server.worker : path.join(SITE, name),
    { hold: (name) => server.held?.names.has(name) && server.held.released,
      link: () => server.link, headers: () => server.headers,
      served: (name, bytes) => server.log.push({ name, bytes }) }));
});

after(() => files?.close());

// The browser's own lines about a file it could not fetch, as against the page's.
const FROM_BROWSER = new RegExp("^(Failed to load resource|Access to .* blocked by CORS " +
  "policy|downloadable font: download failed|Content-Security-Policy: |Executing inline " +
  "script violates)");
// Classic WebDriver runs nothing in WebKit's page before the page's own scripts: what the
// page complains of or breaches while it loads is not heard there.
const hearsTheLoad = (page) => page.engine !== "webkit";

// A page in a fresh profile of its own (no service worker or cache from another case), with
// what it says out loud, its own complaints, the files it asked for and any breach of its
// Content-Security-Policy.
async function open(url = origin + "/", { viewport = { width: 760, height: 640 },
                                          ready = true, fresh = true } = {}) {
  const page = await browser.newPage({ viewport, fresh });
  const complaints = [];
  const requests = [];
  page.on("console", (message) => {
    if (["error", "warn"].includes(message.type()) && !FROM_BROWSER.test(message.text()))
      complaints.push(message.text());
  });
  page.on("pageerror", (error) => FROM_BROWSER.test(error.message) ||
                                  complaints.push(error.message));
  page.on("request", (request) => requests.push(new URL(request.url()).pathname));
  await page.evaluateOnNewDocument(() => {
    window.violations = [];
    document.addEventListener("securitypolicyviolation",
                              (e) => window.violations.push(`${e.violatedDirective} ${e.blockedURI}`));
  });
  await recordNarration(page);
  const response = await page.goto(url);
  if (ready) await page.waitForSelector("body[data-ready]");
  const where = async () => {
    const box = await (await page.$("#form")).boundingBox();
    return { ...box, scale: box.width / FORM.width };
  };
  const at = async ([x, y]) => {
    const box = await where();
    return [box.x + x / TWIPS_PER_PIXEL * box.scale, box.y + y / TWIPS_PER_PIXEL * box.scale];
  };
  const game = {
    page, response, complaints, requests, where,
    click: async (place) => page.mouse.click(...await at(place)),
    tap: async (place) => page.touchscreen.tap(...await at(place)),
    tapElement: async (selector) => {
      const box = await (await page.$(selector)).boundingBox();
      await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    },
    // As a phone's keyboard types: each letter composed, then a real Enter.
    async phoneType(text) {
      for (const letter of text) await typeWhileComposing(page, letter);
    },
    phoneEnter: () => pressKey(page, "Enter"),
    said: () => page.evaluate(async () => {
      await new Promise(requestAnimationFrame);
      return window.said;
    }),
    async saidLast() {
      return (await game.said()).at(-1);
    },
    // The message box's lines, one a failure, or false while it is not shown.
    error: () => page.$eval("#error", (box) => !box.hidden &&
      [...box.querySelectorAll("p")].map((line) => line.textContent).join("\n")),
    async close() {
      const violations = await page.evaluate(() => window.violations);
      await page.done();
      assert.deepEqual(violations, [], "nothing breaches the Content-Security-Policy");
      assert.deepEqual(complaints, [], "the console stays clean");
    },
  };
  return game;
}

// Whether at least count of the page's own faces are on their way: asked for, and neither
// in nor failed by their promises, which the page waits on. WebKit's FontFace.status says
// "error" for a face still on its way once its block period is over.
async function facesOnTheWay(count) {
  // The stand-ins are local faces, loaded at once.
  const faces = [...document.fonts].filter((face) => !/stand-in"?$/.test(face.family));
  const settled = await Promise.all(faces.map((face) => Promise.race([
    face.loaded.then(() => true, () => true),
    new Promise((resolve) => setTimeout(resolve, 0, false))])));
  return faces.filter((face, k) => face.status !== "unloaded" && !settled[k]).length >= count;
}

// How far two pictures of the form are apart: the most any channel of a pixel differs
// between them, compared in the page; 256 when their sizes differ.
async function apart(page, pictures) {
  await decodeInPage(page);
  return page.evaluate(async (...data) => {
    const [a, b] = await Promise.all(data.map((picture) =>
      pixelsOf("data:image/png;base64," + picture)));
    if (a.width !== b.width || a.height !== b.height) return 256;
    let most = 0;
    for (let i = 0; i < a.data.length; i++) most = Math.max(most, Math.abs(a.data[i] - b.data[i]));
    return most;
  }, ...pictures.map((picture) => picture.toString("base64")));
}

// The window (title bar and form) as large as its room allows, the room being what the
// page's line and the letter pad leave; nothing cut and nothing to scroll.
async function assertFits(game, viewport) {
  const [stage, line, pad] = await Promise.all(["#stage", "#line", "#pad"].map(
    async (selector) => (await game.page.$(selector)).boundingBox()));
  const top = line.y + line.height;
  const room = !pad ? { x: 0, y: top, width: viewport.width, height: viewport.height - top }
    : pad.y >= top + 1 ? { x: 0, y: top, width: viewport.width, height: pad.y - top }
      : { x: 0, y: 0, width: pad.x, height: viewport.height };
  assert.ok(stage.x >= room.x - 0.5 && stage.y >= room.y - 0.5 &&
            stage.x + stage.width <= room.x + room.width + 0.5 &&
            stage.y + stage.height <= room.y + room.height + 0.5,
            JSON.stringify({ stage, room }));
  assert.ok(stage.width >= room.width - 1 || stage.height >= room.height - 1,
            `the window fills its room on one side: ${JSON.stringify({ stage, room })}`);
  const box = await game.where();
  assert.ok(Math.abs(box.width / box.height - FORM.width / FORM.height) < 1e-3, "not stretched");
  const overflow = await game.page.evaluate(() => {
    const view = document.documentElement;
    return [view.scrollWidth - view.clientWidth, view.scrollHeight - view.clientHeight];
  });
  assert.deepEqual(overflow, [0, 0], "nothing to scroll");
}

for (const engine of ENGINES) describe(`in ${engine}`, () => {
  before(async () => {
    browser = await launch(engine);
  });
  after(() => browser?.close());

  describe("the page on any screen", () => {
    // Touch and an on-screen keyboard's composing are emulated over CDP, Chromium's alone.
    test("a phone plays a whole game by taps and its on-screen keyboard",
         { skip: engine !== "chromium" && "touch is emulated over CDP" }, async () => {
      const game = await open(origin + "/", { viewport: PHONE });
      await assertFits(game, PHONE);
      await game.tap(BACKGROUND);
      assert.equal(await game.saidLast(), NEW_GAME);
      await game.tapElement("#form input");
      assert.deepEqual(await game.page.$eval("#form input", (box) => [
        document.activeElement === box, box.getAttribute("autocapitalize"),
        box.getAttribute("autocorrect"), box.autocomplete, box.spellcheck]),
      [true, "off", "off", "off", false], "the box has the focus, and its keyboard no say");
      // A lost game, guesses sent by the keyboard's Enter and by a tap on Ok!, in turn.
      const guesses = ["p", "a", "b", "c", "d", "e", "f", "h", "j", "k", "l"];
      for (const [n, letter] of guesses.entries()) {
        await game.tapElement("#form input");
        await game.phoneType(letter);
        if (n % 2 === 0) await game.phoneEnter();
        else await game.tapElement("#form button");
      }
      const lost = await game.said();
      assert.equal(lost[1], "P appears at position 1.");
      assert.equal(lost[3], '"b" is wrong. 8 wrong guesses left.');
      assert.equal(lost.at(-1), "You lose!");
      await game.tap(STRIP);
      assert.equal(await game.saidLast(), NEW_GAME, "the strip starts a new game");
      for (const letter of ["g", "r", "o", "a", "m", "i", "n", "p"]) {
        await game.tapElement("#form input");
        await game.phoneType(letter);
        await game.phoneEnter();
      }
      assert.equal(await game.saidLast(), "You win! The word was PROGRAMMING.");
      await game.tap(BANNER);
      assert.equal(await game.saidLast(), "Please exit and try again.");
      await assertFits(game, PHONE);
      await game.close();
    });

    test("the form fits every window, as large as it can be", async () => {
      const windows = [
        { width: 320, height: 568, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
        { width: 667, height: 375, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
        { width: 640, height: 400, deviceScaleFactor: 2 },  // 200 % zoom in 1280 x 800
        { width: 714, height: 900 },
        { width: 683, height: 561 },
        { width: 1280, height: 800 },
      ];
      for (const viewport of windows.filter(({ width }) => width >= NARROWEST[engine])) {
        const game = await open(origin + "/", { viewport });
        await game.click(BACKGROUND);
        assert.equal(await game.saidLast(), NEW_GAME, JSON.stringify(viewport));
        await assertFits(game, viewport);
        await game.close();
      }
    });

    // In a phone's window at one device pixel per CSS pixel the form is drawn smaller than
    // its own pixels: no line of the figure or blank may thin away, nor a circle break into
    // dots. Each is followed a device pixel at a time, for ink within a device pixel.
    test("in a small window every line of the figure and every blank is whole", async (t) => {
      for (const [width, height] of [[320, 568], [Math.max(375, NARROWEST[engine]), 667]]) {
        await t.test(`${width}×${height}`, { skip: width < NARROWEST[engine] &&
          `MiniBrowser's window is at least ${NARROWEST[engine]} px wide` }, async () => {
          const game = await open(origin + "/", { viewport: { width, height,
                                                               deviceScaleFactor: 1 } });
          await game.click(BACKGROUND);
          for (const letter of ["b", "c", "d", "e", "f", "h", "j", "k"]) {
            await game.page.click("#form input");
            await game.page.keyboard.type(letter);
            await game.page.keyboard.press("Enter");
          }
          await game.page.evaluate(() => window.wordropTesting.drawFigurePiece(8));
          // The whole window's picture, whose pixels the form's box is measured in.
          const shot = await (await game.page.$("html")).screenshot({ encoding: "base64" });
          await decodeInPage(game.page);
          const { scale, broken } = await game.page.evaluate(async (picture, shapes) => {
            const image = await pixelsOf("data:image/png;base64," + picture);
            const { data } = image;
            const form = document.getElementById("form").getBoundingClientRect();
            const scale = form.width / 683 / 15;  // pixels a twip
            const inked = (x, y) => {
              const i = (Math.round(y) * image.width + Math.round(x)) * 4;
              return data[i] + data[i + 1] + data[i + 2] < 240;  // black, or near it
            };
            // A circle's [cx, cy, r] or a line's [x1, y1, x2, y2], from end to end.
            const along = ([a, b, c, d], k) => d === undefined
              ? [a + c * Math.cos(2 * Math.PI * k), b + c * Math.sin(2 * Math.PI * k)]
              : [a + (c - a) * k, b + (d - b) * k];
            const gaps = (shape) => {
              const [a, b, c, d] = shape;
              const steps = Math.ceil(scale * (d === undefined ? 2 * Math.PI * c
                : Math.hypot(c - a, d - b)));
              let missing = 0;
              for (let step = 0; step <= steps; step++) {
                const [x, y] = along(shape, step / steps)
                  .map((v, k) => (k ? form.top : form.left) + v * scale);
                if (![-1, 0, 1].some((dy) => [-1, 0, 1].some((dx) => inked(x + dx, y + dy))))
                  missing++;
              }
              return missing;
            };
            return { scale: scale * 15, broken: shapes.map((shape) => [shape, gaps(shape)])
              .filter(([, missing]) => missing > 0) };
          }, shot, [...BLANKS, ...FIGURE]);
          assert.ok(scale < 1, `the form is drawn smaller than its own pixels: ${scale}`);
          assert.deepEqual(broken, [], "[shape in twips, device pixels with no ink near]");
          await game.close();
        });
      }
    });

    test("at 200 % zoom in a 1280 px window, clicks land where they point", async () => {
      const game = await open(origin + "/", { viewport: { width: 640, height: 400,
                                                           deviceScaleFactor: 2 } });
      await game.click(BACKGROUND);
      for (const letter of ["p", "a", "b", "c", "d", "e", "f", "h", "j", "k", "l"]) {
        await game.page.click("#form input");
        await game.page.keyboard.type(letter);
        await game.page.keyboard.press("Enter");
      }
      assert.equal(await game.saidLast(), "You lose!");
      await game.click(STRIP);
      assert.equal(await game.saidLast(), NEW_GAME);
      await game.page.click("#form input");
      await game.page.keyboard.type("z");
      await game.page.click("#form button");
      assert.match(await game.saidLast(), / 8 wrong guesses left\.$/, "a guess in the new game");
      await game.close();
    });
  });

  describe("the page starts at once and says what failed", () => {
    test("the start screen comes before the faces, and a click then starts a game", async () => {
      let release;
      server.held = { names: new Set(LATIN_FACES), released: new Promise((r) => { release = r; }) };
      const game = await open(origin + "/", { ready: false });
      await game.page.waitForFunction(() => performance.getEntriesByName("wordrop-ready").length);
      // Every Latin subset asked for and none in: the faces wait on the server, and the
      // page tells of no failure meanwhile.
      await game.page.waitForFunction(facesOnTheWay, {}, LATIN_FACES.length);
      assert.equal(await game.page.$eval("#status", (status) => status.hidden), true);
      assert.equal(await game.error(), false, "no face told as failed");
      await game.click(BACKGROUND);
      assert.equal(await game.saidLast(), NEW_GAME);
      assert.deepEqual(await captions(game.page), PROMPTS, "in the stand-in faces");
      release();
      await game.page.waitForSelector("body[data-ready]");
      const late = await (await game.page.$("#form")).screenshot();
      // Only the Latin subsets were fetched, even for a guess no Latin subset has.
      await game.page.click("#form input");
      await insertText(game.page, "ł");
      await game.page.keyboard.press("Enter");
      assert.equal(await game.saidLast(), '"ł" is wrong. 8 wrong guesses left.');
      const faces = server.log.map((entry) => entry.name).filter((name) => name.endsWith(".woff2"));
      assert.deepEqual([...new Set(faces)].sort(), [...LATIN_FACES].sort());
      await game.close();

      // Redrawn in its faces, the board is the one a page that had its faces draws. WebKit
      // shades a few glyph and box edges in the part it repainted a little apart (by 24 of
      // 255 at most); a caption left in its stand-in or out of place differs by far more.
      const prompt = await open();
      await prompt.click(BACKGROUND);
      const shot = await (await prompt.page.$("#form")).screenshot();
      const most = await apart(prompt.page, [late, shot]);
      await prompt.close();
      assert.ok(most <= (engine === "webkit" ? 32 : 0),
                `the board redrawn once its faces arrived: pixels ${most} apart`);
    });

    // One line a failure, in a box below the form and never over it, that a button closes.
    test("a file that does not arrive, a policy that refuses the program, a page from a file",
         async (t) => {
      const cases = [
        { missing: ["/fonts/ComicNeue-Regular.latin.woff2",
                    "/fonts/LiberationSerif-Bold.latin.woff2"], plays: true,
          says: /^The faces Comic Neue and Liberation Serif Bold could not be loaded: .*stand-in faces.*reload the page\.$/ },
        { label: "every face", missing: LATIN_FACES, plays: true,
          says: /^The faces Comic Neue, EB Garamond Bold, .* could not be loaded: .*stand-in/ },
        { missing: ["/fonts/ComicNeue-Regular.latin.woff2"], plays: true,
          says: /^The face Comic Neue could not be loaded: .*stand-in.*reload the page\.$/ },
        { missing: ["/page.css"], plays: true,
          says: /^The page's style sheet page\.css did not arrive: .*reload the page\.$/ },
        { missing: ["/fonts.css"], plays: true,
          says: /^The page's faces could not be loaded: fonts\.css did not arrive\. .*stand-in/ },
        { missing: ["/wordrop.wasm"],
          says: /^The game could not be loaded: wordrop\.wasm answered 404.*reload the page\.$/ },
        { missing: ["/wordrop.js"], says: /^The game could not be loaded: wordrop\.js did not/ },
        { missing: ["/view.js"], says: /^The game could not be loaded: view\.js did not arrive/ },
        { policy: "default-src 'self'", refused: /^script-src/,
          says: /^The game could not be started: this server's Content-Security-Policy does not let the page run WebAssembly\. The server must allow 'wasm-unsafe-eval' in the policy's script-src\.$/ },
        { file: true, says: /has to come from a web server[\s\S]*http:\/\/127\.0\.0\.1:8080\// },
      ];
      // A phone's window, as narrow as the engine's window can be.
      const phone = { ...PHONE, width: Math.max(PHONE.width, NARROWEST[engine]) };
      for (const { label, missing = [], file, plays, says, policy, refused } of cases) {
        const name = label || missing.join() || policy || "file";
        await t.test(name, async () => {
          server.missing = new Set(missing);
          if (policy) server.headers = { "Content-Security-Policy": policy };
          const game = await open(file ? `file://${SITE}/index.html` : origin + "/",
                                  { ready: false, viewport: phone });
          try {
            const told = await game.page.waitForFunction(
              () => !document.getElementById("error").hidden).then(() => true, () => false);
            if (plays) await game.page.waitForSelector("body[data-ready]");
            const shown = await game.error();
            t.diagnostic(`${engine}, ${name}: ${shown || "nothing is shown"}`);
            assert.ok(told, `${name}: nothing is shown`);
            assert.match(shown, says, name);
            const logged = game.complaints.splice(0);
            assert.deepEqual(logged, hearsTheLoad(game.page) || logged.length ? [shown] : [],
                             `${name}: the console has it once`);
            assert.equal(await game.page.$eval("#status", (status) => status.hidden), true);
            // Below the form or beside it, on a phone too.
            const [board, box] = await game.page.evaluate(() => ["form", "error"]
              .map((id) => document.getElementById(id).getBoundingClientRect().toJSON()));
            const overlap =
              Math.max(0, Math.min(board.right, box.right) - Math.max(board.left, box.left)) *
              Math.max(0, Math.min(board.bottom, box.bottom) - Math.max(board.top, box.top));
            assert.equal(overlap, 0, `${name}: the box is over the board`);
            assert.ok(box.bottom <= PHONE.height + 0.01, `${name}: the box is in the window`);
            if (plays && !missing.includes("/page.css")) {
              await game.click(BACKGROUND);
              assert.equal(await game.saidLast(), NEW_GAME, "the game goes on");
              assert.deepEqual(await captions(game.page), PROMPTS, `${name}: the captions`);
            } else if (!plays) {
              assert.equal(await game.page.$("#form svg"), null, `${name}: no game`);
            }
            await game.page.click("#error .close");
            assert.equal(await game.error(), false, `${name}: closed`);
            if (refused && hearsTheLoad(game.page)) {
              const violations = await game.page.evaluate(() => window.violations.splice(0));
              assert.ok(violations.length && violations.every((v) => refused.test(v)),
                        violations.join());
            }
            assert.deepEqual(game.complaints, [], "nothing more went wrong");
            await game.close();
          } finally {
            server.headers = {};
            await game.page.done().catch(() => {});
          }
        });
      }
    });
  });

  describe("the page installs and plays offline", () => {
    // On a slow link that the worker's fetches share, from a server whose files the browser
    // may keep: offline once the game shows, before any face has arrived, with each file
    // fetched once and none the page does not use; then a new build, taken with one reload.
    test("offline as soon as the game shows, each file fetched once; a new build in one reload",
         async (t) => {
      Object.assign(server, { link: { bytesPerSecond: 100_000, latencyMs: 200 },
                              headers: { "Cache-Control": "no-cache" } });
      // One face held back (more would hold every connection the browser opens to a server).
      let release;
      server.held = { names: new Set(LATIN_FACES.slice(0, 1)),
                      released: new Promise((r) => { release = r; }) };
      const game = await open(origin + "/", { ready: false });
      await game.page.waitForSelector("body[data-offline]", { timeout: 60_000 });
      assert.equal(await game.page.evaluate(facesOnTheWay, 1), true, "a face to come");
      const fetched = server.log.map((entry) => entry.name);
      const bytes = server.log.reduce((sum, entry) => sum + entry.bytes, 0);
      t.diagnostic(`${engine}: ${fetched.length} files, ${bytes} bytes until offline, the ` +
                   `worker's included, one face held back: ${fetched.join(" ")}`);
      const twice = fetched.filter((name, k) => fetched.indexOf(name) !== k);
      assert.ok(!twice.includes("/wordrop.wasm"), "the program, which the page holds, once");
      await t.test("each file fetched once", { todo: engine === "webkit" &&
        "WebDriver's WebKit session is a private one, which keeps no HTTP cache: the worker " +
        "has no copy of the page, its scripts, style sheets, faces or icon to take, and " +
        "fetches them again" },
      () => {
        assert.deepEqual(twice, []);
      });

      // No server at all: the game plays, in stand-in faces.
      server.down = true;
      release();
      // WebDriver gives WebKit no offline mode: there the server answers nothing.
      await game.page.setOfflineMode?.(true);
      await game.page.reload();
      await game.page.waitForFunction(() => performance.getEntriesByName("wordrop-ready").length);
      await game.click(BACKGROUND);
      assert.equal(await game.saidLast(), NEW_GAME);
      await t.test("the faces that did not come are told", async () => {
        await game.page.waitForFunction(() => !document.getElementById("error").hidden);
        assert.match(await game.error(), /^The faces? .* could not be loaded/);
      });
      game.complaints.splice(0);

      // Back online, the faces come and are kept as they arrive.
      Object.assign(server, { down: false, link: null });
      await game.page.setOfflineMode?.(false);
      await game.page.reload();
      await game.page.waitForSelector("body[data-ready]");
      await game.page.waitForFunction(async (count) => {
        const [name] = await caches.keys();
        const kept = await (await caches.open(name)).keys();
        return kept.filter((request) => request.url.endsWith(".latin.woff2")).length === count;
      }, { polling: 100 }, LATIN_FACES.length);
      const all = server.log.map((entry) => entry.name);
      assert.deepEqual(all.filter((name) => /\.rest\.woff2$|LICENSE/.test(name)), [],
                       "nothing the page does not use");

      // The next build's worker keeps what the old one kept, from it, and the page says so.
      const worker = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "wordrop-")), "sw.js");
      fs.writeFileSync(worker, fs.readFileSync(path.join(SITE, "sw.js"), "utf8")
        .replace(/"wordrop-[0-9a-f]+"/, '"wordrop-0123456789abcdef"'));
      Object.assign(server, { worker, log: [] });
      await game.page.reload();
      await game.page.waitForSelector("#status:not([hidden]) button");
      assert.match(await game.page.$eval("#status", (status) => status.textContent),
                   /^A new version of the game is ready\./);
      assert.deepEqual(server.log.map((entry) => entry.name), ["/sw.js"], "nothing else fetched");
      await Promise.all([game.page.waitForNavigation(), game.page.click("#status button")]);
      await game.page.waitForSelector("body[data-ready]");
      assert.deepEqual(await game.page.evaluate(() => caches.keys()), ["wordrop-0123456789abcdef"]);
      await game.close();
    });

    test("make serve sends the policy; the public page keeps it, installs, has no test hook",
         async () => {
      const serve = spawn("python3", [path.resolve("../../scripts/serve-web.py"), PUBLIC_SITE, "0"],
                          { stdio: ["ignore", "pipe", "inherit"] });
      try {
        const url = await new Promise((resolve, reject) => {
          serve.stdout.on("data", (data) => {
            const found = /http:\/\/127\.0\.0\.1:\d+\//.exec(String(data));
            if (found) resolve(found[0]);
          });
          serve.on("exit", (code) => reject(new Error(`serve-web.py stopped: ${code}`)));
        });
        // The default profile: Chromium installs no app from a private one.
        const game = await open(url, { fresh: false });
        const policy = (await fetch(url)).headers.get("content-security-policy");
        assert.match(policy, /script-src 'self' 'sha256-[^']+' 'wasm-unsafe-eval';/);
        assert.doesNotMatch(policy, /'unsafe-inline'|'unsafe-eval'/);
        assert.equal(policy, await game.page.$eval("meta[http-equiv=Content-Security-Policy]",
          (meta) => meta.content) + "; frame-ancestors 'none'");
        await game.click(BACKGROUND);
        await game.page.click("#form input");
        await game.page.keyboard.type("x");
        await game.page.keyboard.press("Enter");
        assert.equal(await game.saidLast(), '"x" is wrong. 8 wrong guesses left.');
        const exports = (site) => game.page.evaluate(async (address) =>
          WebAssembly.Module.exports(await WebAssembly.compileStreaming(fetch(address)))
            .map((e) => e.name), site);
        assert.equal(await game.page.evaluate(() => typeof window.wordropTesting), "undefined");
        assert.ok(!(await exports("wordrop.wasm")).includes("wordrop_fail_operation"));
        // Whether the page installs, Chromium alone tells, over CDP.
        if (engine === "chromium") {
          const client = await game.page.createCDPSession();
          const { installabilityErrors } = await client.send("Page.getInstallabilityErrors");
          assert.deepEqual(installabilityErrors, []);
        }
        const manifest = await game.page.evaluate(async () =>
          (await fetch(document.querySelector("link[rel=manifest]").href)).json());
        assert.deepEqual([manifest.name, manifest.display, manifest.background_color],
                         ["Wordrop", "standalone", "#c0c0c0"]);
        await game.close();
        // The suite's page is the public one with the hook, so the check above can fail.
        const testing = await open();
        assert.equal(await testing.page.evaluate(() => typeof window.wordropTesting), "object");
        await testing.close();
      } finally {
        serve.kill();
      }
    });
  });
});
