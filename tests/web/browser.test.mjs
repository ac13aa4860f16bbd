// SPDX-License-Identifier: MIT
// The web page played in Debian's chromium, headless, with real clicks and key presses.
// Usage: node --test browser.test.mjs  (WORDROP_SITE: the built page; WORDROP_GOLDEN: the
// desktop's golden screens; WORDROP_ARTIFACTS: where failing screens go)
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { launchChromium, serveFiles } from "./chromium.mjs";

const SITE = process.env.WORDROP_SITE;
const GOLDEN = process.env.WORDROP_GOLDEN;
const ARTIFACTS = process.env.WORDROP_ARTIFACTS || "web-failures";
const TWIPS_PER_PIXEL = 15;
// Places in twips, from the window's layout.
const BACKGROUND = [4500, 4000];
const BANNER = [3000, 3000];
const STRIP = [10230, 4000];
// The browser rasterises fonts its own way: a screen may differ from the desktop's in this
// share of its pixels, by more than a faint shade.
const TOLERANCE = 0.02;

let server;
let browser;
let origin;

before(async () => {
  ({ server, origin } = await serveFiles((name) => name.startsWith("/golden/")
    ? path.join(GOLDEN, name.slice(8)) : path.join(SITE, name)));
  browser = await launchChromium(["--force-device-scale-factor=1"]);
});

after(async () => {
  await browser?.close();
  server?.close();
});

// A page with the game loaded, everything it says out loud and everything it complains of.
async function open(deviceScaleFactor = 1) {
  const page = await browser.newPage();
  const complaints = [];
  page.on("console", (message) => {
    if (["error", "warn"].includes(message.type())) complaints.push(message.text());
  });
  page.on("pageerror", (error) => complaints.push(error.message));
  page.on("requestfailed", (request) => complaints.push("failed: " + request.url()));
  await page.setViewport({ width: 760, height: 640, deviceScaleFactor });
  await page.goto(origin + "/");
  await page.waitForSelector("body[data-ready]");
  await page.evaluate(() => {
    window.said = [];
    const region = document.getElementById("narration");
    new MutationObserver(() => region.textContent && window.said.push(region.textContent))
      .observe(region, { childList: true, characterData: true, subtree: true });
  });
  const box = await (await page.$("#form")).boundingBox();
  const game = {
    page, complaints, box,
    click: (x, y) => page.mouse.click(box.x + x / TWIPS_PER_PIXEL, box.y + y / TWIPS_PER_PIXEL),
    async guess(text, by = "enter") {
      await page.click("#form input");
      await page.keyboard.type(text);
      if (by === "enter") await page.keyboard.press("Enter");
      else await page.click("#form button");
    },
    async guessAll(texts, by) {
      for (const text of texts) await game.guess(text, by);
    },
    said: () => page.evaluate(async () => {
      await new Promise(requestAnimationFrame);
      return window.said;
    }),
    text: () => page.$eval("#form", (form) => [...form.querySelectorAll("svg text")]
      .filter((t) => !t.closest("[aria-hidden]")).map((t) => t.textContent.trim()).join("|")),
    async close() {
      await page.close();
      assert.deepEqual(complaints, [], "the console stays clean");
    },
  };
  return game;
}

// The page's picture against the desktop's golden screen, compared inside the browser.
async function compareWithGolden(game, name) {
  const shot = await (await game.page.$("#form")).screenshot({ encoding: "base64" });
  const result = await game.page.evaluate(async (shotData, goldenUrl) => {
    const load = (src) => new Promise((resolve, reject) => {
      const image = new Image();
      image.onload = () => resolve(image);
      image.onerror = reject;
      image.src = src;
    });
    const pixels = (image) => {
      const canvas = new OffscreenCanvas(image.width, image.height);
      const context = canvas.getContext("2d");
      context.drawImage(image, 0, 0);
      return context.getImageData(0, 0, image.width, image.height).data;
    };
    const [mine, golden] = await Promise.all([load("data:image/png;base64," + shotData),
                                              load(goldenUrl)]);
    if (mine.width !== golden.width || mine.height !== golden.height)
      return { size: `${mine.width}x${mine.height} against ${golden.width}x${golden.height}` };
    const a = pixels(mine);
    const b = pixels(golden);
    let differing = 0;
    for (let i = 0; i < a.length; i += 4) {
      const distance = Math.abs(a[i] - b[i]) + Math.abs(a[i + 1] - b[i + 1]) +
                       Math.abs(a[i + 2] - b[i + 2]);
      if (distance > 96) differing++;
    }
    return { share: differing / (a.length / 4) };
  }, shot, `${origin}/golden/${name}.png`);
  if (result.size || result.share > TOLERANCE) {
    fs.mkdirSync(ARTIFACTS, { recursive: true });
    fs.writeFileSync(path.join(ARTIFACTS, name + ".png"), Buffer.from(shot, "base64"));
  }
  console.log(`${name}: ${((result.share || 0) * 100).toFixed(2)} % of the pixels differ`);
  assert.equal(result.size, undefined, `${name}: the picture's size`);
  assert.ok(result.share <= TOLERANCE,
            `${name}: ${(result.share * 100).toFixed(2)} % of the pixels differ`);
  return result.share;
}

const NEW_GAME = "A new game: the word has 11 letters. Pick a letter.";

describe("the page", () => {
  test("a won game by mouse and keys, to its closing screen", async () => {
    const game = await open();
    assert.equal(await game.page.title(), "Form1");
    await compareWithGolden(game, "start");
    await game.click(...BACKGROUND);
    await compareWithGolden(game, "playing");
    await game.guessAll(["g", "x"], "mouse");
    await game.guessAll(["r", "q", "e"]);
    await game.page.keyboard.type("m");
    await compareWithGolden(game, "guesses");
    await game.page.keyboard.press("Backspace");
    await game.guessAll(["p", "o", "a"]);
    await game.page.keyboard.type("m");
    await game.page.keyboard.down("Alt");  // the button's access key
    await game.page.keyboard.press("o");
    await game.page.keyboard.up("Alt");
    await game.guessAll(["i", "n"]);
    await compareWithGolden(game, "won");
    await game.click(...BANNER);
    await compareWithGolden(game, "closed-after-win");
    assert.deepEqual(await game.said(), [
      NEW_GAME, "G appears at positions 4 and 11.", '"x" is wrong. 8 wrong guesses left.',
      "R appears at positions 2 and 5.", '"q" is wrong. 7 wrong guesses left.',
      '"e" is wrong. 6 wrong guesses left.', "P appears at position 1.",
      "O appears at position 3.", "A appears at position 6.", "M appears at positions 7 and 8.",
      "I appears at position 9.", "You win! The word was PROGRAMMING.",
      "Please exit and try again."]);
    await game.close();
  });

  test("a lost game by keys, a new game from the strip, and a second loss", async () => {
    const game = await open();
    await game.page.keyboard.press("F2");
    await game.guessAll(["p", "a", "b", "c", "d", "e", "f", "h", "j", "k", "l"]);
    await compareWithGolden(game, "lost");
    assert.equal((await game.said()).at(-1), "You lose!");
    await game.page.keyboard.press("F2");  // the strip makes a new game possible
    await game.guessAll(["g", "b", "c", "d", "e", "f", "h", "j", "k", "l"]);
    await game.click(...STRIP);
    await game.guessAll(["p", "z"]);
    await compareWithGolden(game, "started-from-the-strip");
    await game.guessAll(["b", "c", "d", "e", "f", "h", "j", "k"]);
    await game.page.keyboard.press("Space");
    await compareWithGolden(game, "closed-after-loss");
    await game.page.keyboard.press("F2");  // the closing screen is final
    await compareWithGolden(game, "closed-after-loss");
    await game.close();
  });

  test("at zoom 2 the page draws as the desktop does at scale 2", async () => {
    const game = await open(2);
    await game.click(...BACKGROUND);
    await game.guessAll(["g", "x", "r", "q", "e"]);
    await game.page.keyboard.type("m");
    await compareWithGolden(game, "guesses@2x");
    await game.page.keyboard.press("Backspace");
    await game.guessAll(["p", "o", "a", "m", "i", "n"]);
    await game.click(...BANNER);
    await compareWithGolden(game, "closed-after-win@2x");
    await game.close();
  });

  test("eight presses of p do not win", async () => {
    const game = await open();
    await game.click(...BACKGROUND);
    await game.guessAll(Array(8).fill("p"));
    assert.ok(!(await game.text()).includes("You Win"), await game.text());
    assert.equal((await game.said()).at(-1), "Nothing new appears.");
    await game.close();
  });

  test("a megabyte pasted into the box is one wrong guess", async () => {
    const game = await open();
    await game.click(...BACKGROUND);
    await game.page.click("#form input");
    await game.page.keyboard.sendCharacter("ab ".repeat(349526));
    await game.page.keyboard.press("Enter");
    assert.match((await game.said()).at(-1), /is wrong\. 8 wrong guesses left\.$/);
    await game.guessAll(["supercalifragilistic", "x y"]);
    assert.equal((await game.said()).at(-1), '"x y" is wrong. 6 wrong guesses left.');
    assert.equal(await game.page.$eval("#form input", (box) => box.value), "");
    await game.close();
  });

  test("a run-time error is shown and logged, and the page plays on", async () => {
    const game = await open();
    await game.page.evaluate(() => window.wordropTesting.failOperation(3));
    await game.click(...BACKGROUND);
    const shown = await game.page.$eval("#error", (box) => !box.hidden && box.textContent);
    assert.match(shown, /^Run-time error: /);
    assert.deepEqual(game.complaints.splice(0), [shown], "logged to the console once");
    await game.page.keyboard.press("F2");
    await game.guess("g");
    assert.equal((await game.said()).at(-1), "G appears at positions 4 and 11.");
    await game.close();
  });

  test("the accessibility tree holds what a sighted player sees", async () => {
    const game = await open();
    const tree = async () => {
      const lines = [];
      const walk = (node, depth) => {
        if (node.role !== "generic" && node.role !== "none")
          lines.push(`${node.role}${node.name ? ` "${node.name}"` : ""}`);
        for (const child of node.children || []) walk(child, depth + 1);
      };
      walk(await game.page.accessibility.snapshot({ root: await game.page.$("#form") }), 0);
      return lines;
    };
    assert.deepEqual(await tree(), ['application "Form1"']);
    await game.click(...BACKGROUND);
    assert.deepEqual(await tree(), [
      'application "Form1"', 'StaticText "Wordrop??"', 'StaticText "Are you ready to play"',
      'StaticText "Pick a letter"', 'button "Ok!"', 'textbox "Pick a letter"']);
    await game.guessAll(["g", "x"]);
    const playing = await tree();
    assert.ok(playing.includes('StaticText "x"') && playing.includes('StaticText "G"'),
              playing.join("\n"));
    assert.ok(!playing.includes('StaticText "P"'), "hidden letters stay hidden");
    await game.guessAll(["p", "r", "o", "a", "m", "i", "n"]);
    assert.deepEqual(await tree(), ['application "Form1"', 'button "You Win!!!"',
                                    'StaticText "The Word was: PROGRAMMING"']);
    await game.page.keyboard.press("Enter");
    assert.deepEqual(await tree(), ['application "Form1"', 'StaticText "Please Exit"',
                                    'StaticText "and Try Again!"']);
    await game.close();
  });
});
