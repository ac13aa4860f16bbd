// SPDX-License-Identifier: MIT
// The page on phones, a tablet and a large screen: the letter pad, a tap that goes to one
// target, the tap that puts the on-screen keyboard away, and the form as large as each
// screen allows. Taps are the DevTools protocol's touches, with a finger's radius: Chromium
// alone emulates a phone's touch screen, so this suite runs in Chromium only.
// Usage: node --test phone.test.mjs  (WORDROP_SITE: the page built for the suite)
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import path from "node:path";
import { launchChromium, recordNarration, serveFiles } from "./chromium.mjs";
import { ENGINES } from "./engines.mjs";
import { pressKey } from "./keys.mjs";
import { decodeInPage } from "./pixels.mjs";
import { BACKGROUND, BANNER, STRIP, TWIPS_PER_PIXEL } from "../support/points.mjs";

const SITE = process.env.WORDROP_SITE;
const NEW_GAME = "A new game: the word has 11 letters. Pick a letter.";
const touch = { deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const SCREENS = {
  "phone 375×667": { width: 375, height: 667, ...touch },
  "phone 667×375": { width: 667, height: 375, ...touch },
  "tablet 768×1024": { width: 768, height: 1024, deviceScaleFactor: 2, isMobile: true,
                       hasTouch: true },
  "screen 2560×1440": { width: 2560, height: 1440, deviceScaleFactor: 1 },
};
const PHONE = SCREENS["phone 375×667"];
// Ok! and the text box, in twips, as the form lays them out.
const OK = { left: 6120, top: 3360, width: 1935, height: 375 };

let browser;
let origin;
let files;

before(async () => {
  ({ server: files, origin } = await serveFiles((name) => path.join(SITE, name)));
  if (ENGINES.includes("chromium")) browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  files?.close();
});

async function open(viewport) {
  const context = await browser.createBrowserContext();
  const page = Object.assign(await context.newPage(), { engine: "chromium" });
  const complaints = [];
  page.on("console", (message) => {
    if (["error", "warn"].includes(message.type())) complaints.push(message.text());
  });
  page.on("pageerror", (error) => complaints.push(error.message));
  await recordNarration(page);
  await page.setViewport(viewport);
  await page.goto(origin + "/");
  await page.waitForSelector("body[data-ready]");
  const cdp = await page.createCDPSession();
  const box = async (selector) => (await page.$(selector)).boundingBox();
  // A finger's touch at a point of the page, 15 px in radius, as a phone reports one.
  const touchAt = async (x, y) => {
    const point = { x, y, radiusX: 15, radiusY: 15, force: 1, id: 0 };
    await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [point] });
    await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  };
  const game = {
    page, cdp, box, touchAt,
    // A point of the form, in twips, on the page.
    async at([x, y]) {
      const form = await box("#form");
      const scale = form.width / 683;
      return [form.x + x / TWIPS_PER_PIXEL * scale, form.y + y / TWIPS_PER_PIXEL * scale];
    },
    tap: async (place) => touchAt(...await game.at(place)),
    async tapElement(selector) {
      const { x, y, width, height } = await box(selector);
      await touchAt(x + width / 2, y + height / 2);
    },
    said: () => page.evaluate(() => window.said.slice()),
    // Waits for the page to say what it says next, and returns it.
    async next(count) {
      await page.waitForFunction((n) => window.said.length > n, {}, count);
      return (await game.said())[count];
    },
    pad: () => page.$$eval("#pad button", (keys) => keys.map((key) =>
      [key.textContent, key.className, key.ariaLabel, key.disabled])),
    async close(told = []) {
      await context.close();
      assert.deepEqual(complaints, told, "the console tells only what failed");
    },
  };
  return game;
}

// Tap the pad's key for a letter, and what the page says of it.
async function pick(game, letter) {
  const count = (await game.said()).length;
  await game.tapElement(`#pad button:nth-child(${letter.charCodeAt(0) - 96})`);
  return game.next(count);
}

const ONLY_CHROMIUM = { skip: !ENGINES.includes("chromium") && "touch is Chromium's to emulate" };

describe("on a phone, by the letter pad", ONLY_CHROMIUM, () => {
  test("a game lost and one won by the pad alone, each key marked after each guess",
       async () => {
    const game = await open(PHONE);
    const keys = await game.pad();
    assert.equal(keys.map(([letter]) => letter).join(""), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    assert.ok(keys.every(([, , , disabled]) => disabled), "no game yet: no key picks");
    const tree = await game.page.accessibility.snapshot({ interestingOnly: false });
    const find = (node) => node.name === "Letter pad" ? node
      : (node.children || []).map(find).find(Boolean);
    const group = find(tree);
    assert.equal(group?.role, "group");
    assert.equal(group.children.filter((node) => node.role === "button").length, 26);

    await game.tap(BACKGROUND);
    assert.equal(await game.next(0), NEW_GAME);
    const guesses = [
      ["b", '"b" is wrong. 8 wrong guesses left.', "wrong", "B, not in the word"],
      ["p", "P appears at position 1.", "right", "P, in the word"],
      ["c", '"c" is wrong. 7 wrong guesses left.', "wrong", "C, not in the word"],
      ["d", '"d" is wrong. 6 wrong guesses left.', "wrong", "D, not in the word"],
      ["e", '"e" is wrong. 5 wrong guesses left.', "wrong", "E, not in the word"],
      ["f", '"f" is wrong. 4 wrong guesses left.', "wrong", "F, not in the word"],
      ["h", '"h" is wrong. 3 wrong guesses left.', "wrong", "H, not in the word"],
      ["j", '"j" is wrong. 2 wrong guesses left.', "wrong", "J, not in the word"],
      ["k", '"k" is wrong. 1 wrong guess left.', "wrong", "K, not in the word"],
    ];
    for (const [letter, says, kind, name] of guesses) {
      assert.equal(await pick(game, letter), says);
      const key = (await game.pad())[letter.charCodeAt(0) - 97];
      assert.deepEqual(key.slice(1, 3), [kind, name], letter);
      assert.equal((await game.pad()).filter(([, marked]) => marked).length,
                   guesses.findIndex(([l]) => l === letter) + 1, "one more key marked");
    }
    assert.equal(await pick(game, "l"), "You lose!");
    assert.ok((await game.pad()).every(([, , , disabled]) => disabled), "lost: no key picks");

    const count = (await game.said()).length;
    await game.tap(STRIP);
    assert.equal(await game.next(count), NEW_GAME);
    assert.ok((await game.pad()).every(([, kind]) => !kind), "the last game's marks are gone");
    for (const letter of "rogamin") await pick(game, letter);
    assert.deepEqual((await game.pad()).filter(([, kind]) => kind === "right")
      .map(([letter]) => letter).join(""), "AGIMNOR", "P is this game's to guess again");
    assert.equal(await pick(game, "p"), "You win! The word was PROGRAMMING.");

    // To the closing screen, and from there a new window.
    const closing = (await game.said()).length;
    await game.tap(BANNER);
    assert.equal(await game.next(closing), "Please exit and try again.");
    await game.page.waitForSelector("#again:not([hidden])");
    await game.tapElement("#again");
    await game.page.waitForSelector("#how-to-start:not([hidden])");
    assert.equal(await game.page.$eval("#how-to-play", (help) => help.textContent),
                 "Click the window or press F2 to start a game.");
    assert.ok((await game.pad()).every(([, kind, , disabled]) => !kind && disabled),
              "a fresh window: nothing marked");
    const fresh = (await game.said()).length;
    await game.tap(BACKGROUND);
    assert.equal(await game.next(fresh), NEW_GAME);
    assert.equal(await pick(game, "x"), '"x" is wrong. 8 wrong guesses left.',
                 "the new window's first game counts from its start");
    await game.close();
  });

  test("a tap near Ok! or the box is at most one action", async () => {
    const game = await open(PHONE);
    const offsets = [5, 10, 15, 20, 25];
    const centres = {
      ok: [OK.left + OK.width / 2, OK.top + OK.height / 2],
      box: null,
    };
    const failures = [];
    for (const [name, centre] of Object.entries(centres)) {
      for (const d of offsets) {
        for (const [dx, dy] of [[0, -d], [0, d], [-d, 0], [d, 0]]) {
          // A game with one wrong guess, the focus on the window: no keyboard up.
          await pressKey(game.page, "F2");
          await pick(game, "z");
          await game.page.waitForFunction(() => window.said.at(-1).startsWith('"z" is wrong'));
          await game.page.$eval("#form", (form) => form.focus());
          const from = (await game.said()).length;
          const textBox = await game.box("#form input");
          const [x, y] = centre ? await game.at(centre)
            : [textBox.x + textBox.width / 2, textBox.y + textBox.height / 2];
          await game.touchAt(x + dx, y + dy);
          // What the tap did is all said before the next pick's guess is.
          await pick(game, "y");
          await game.page.waitForFunction(() => window.said.at(-1).startsWith('"y" is wrong'));
          const actions = (await game.said()).slice(from, -1);
          if (actions.length > 1) failures.push(`${name} ${dx},${dy}: ${actions.join(" / ")}`);
        }
      }
    }
    assert.deepEqual(failures, []);
    await game.close();
  });

  test("the tap that puts the keyboard away does nothing else", async () => {
    const game = await open(PHONE);
    await game.tap(BACKGROUND);
    await game.next(0);
    await game.tapElement("#form input");
    await game.page.waitForFunction(() => document.activeElement?.matches("#form input"));
    assert.equal(await pick(game, "z"), '"z" is wrong. 8 wrong guesses left.');
    await game.tapElement("#form input");
    await game.page.waitForFunction(() => document.activeElement?.matches("#form input"));
    await game.tap(BACKGROUND);
    await game.page.waitForFunction(() => !document.activeElement?.matches("#form input"));
    // The next tap is a click on the background again: a new game, and the only news.
    const count = (await game.said()).length;
    await game.tap(BACKGROUND);
    assert.equal(await game.next(count), NEW_GAME);
    assert.deepEqual((await game.said()).slice(count - 1), ['"z" is wrong. 8 wrong guesses left.',
                                                            NEW_GAME]);
    await game.close();
  });
});

describe("the page's own parts", ONLY_CHROMIUM, () => {
  test("its text has a contrast of 4.5:1 or more, the pad's keys in each state too",
       async () => {
    const game = await open(PHONE);
    await game.tap(BACKGROUND);
    await game.next(0);
    await pick(game, "p");
    await pick(game, "x");
    const low = await game.page.evaluate(() => {
      const rgb = (text) => text.match(/[\d.]+/g).map(Number);
      const luminance = ([r, g, b]) => [r, g, b].map((c) => {
        const v = c / 255;
        return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
      }).reduce((sum, v, i) => sum + v * [0.2126, 0.7152, 0.0722][i], 0);
      const background = (element) => {
        for (let e = element; e; e = e.parentElement) {
          const colour = rgb(getComputedStyle(e).backgroundColor);
          if (colour.length === 3 || colour[3] > 0) return colour.slice(0, 3);
        }
        return [255, 255, 255];
      };
      const parts = ["#how-to-start", "#again", "#show-pad", "#title-bar", "#status",
                     "#pad button:not(:disabled)"];
      return parts.flatMap((selector) => [...document.querySelectorAll(selector)])
        .map((element) => {
          const [a, b] = [luminance(rgb(getComputedStyle(element).color)),
                          luminance(background(element))];
          return [element.id || element.textContent, (Math.max(a, b) + 0.05) /
                  (Math.min(a, b) + 0.05)];
        }).filter(([, ratio]) => ratio < 4.5);
    });
    assert.deepEqual(low, []);
    await game.close();
  });

  test("what the keys focus shows it, by a mark of 3:1 against what it lies on", async () => {
    const game = await open({ width: 900, height: 800, deviceScaleFactor: 1 });
    await game.page.click("#show-pad");
    await game.page.evaluate(() => {
      window.wordropBoot.report("Something went wrong.");
      document.activeElement.blur();
    });
    await pressKey(game.page, "F2");
    await game.next(0);
    await pressKey(game.page, "Tab");
    // Each place Tab reaches, seen with the focus on it and once it has moved on, once
    // round the page.
    const marks = [];
    const places = [];
    const shot = (clip) => game.page.screenshot({ clip, encoding: "base64",
                                                  captureBeyondViewport: false });
    for (;;) {
      const [place, clip] = await game.page.evaluate(() => {
        const focused = document.activeElement;
        const { x, y, width, height } = focused.getBoundingClientRect();
        return [focused === document.body ? "" : focused.ariaLabel || focused.textContent,
                { x: x - 8, y: y - 8, width: width + 16, height: height + 16 }];
      });
      if (!place || places.includes(place)) break;
      places.push(place);
      const focused = await shot(clip);
      await pressKey(game.page, "Tab");
      await decodeInPage(game.page);
      const marked = await game.page.evaluate(async (a, b) => {
        const [p, q] = [(await pixelsOf(a)).data, (await pixelsOf(b)).data];
        const luminance = (d, i) => [0, 1, 2].map((c) => {
          const v = d[i + c] / 255;
          return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
        }).reduce((sum, v, c) => sum + v * [0.2126, 0.7152, 0.0722][c], 0);
        let count = 0;
        for (let i = 0; i < p.length; i += 4) {
          const [x, y] = [luminance(p, i), luminance(q, i)];
          if ((Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05) >= 3) count++;
        }
        return count;
      }, "data:image/png;base64," + focused, "data:image/png;base64," + await shot(clip));
      // At least a ring one pixel wide around it.
      if (marked < 2 * (clip.width + clip.height - 32)) marks.push(`${place}: ${marked} px`);
    }
    assert.deepEqual(marks, []);
    assert.equal(places.length, 2 + 1 + 26 + 1, places.join());
    await game.close(["Something went wrong."]);
  });

  test("in forced colours they take the system's colours, the form keeps its own", async () => {
    const game = await open(PHONE);
    await game.tap(BACKGROUND);
    await game.next(0);
    await pick(game, "p");
    await pick(game, "x");
    const colours = () => game.page.evaluate(() => {
      const of = (selector) => {
        const style = getComputedStyle(document.querySelector(selector));
        return [style.backgroundColor, style.color, style.borderTopColor];
      };
      const probe = document.body.appendChild(document.createElement("i"));
      const system = ["Canvas", "CanvasText", "ButtonFace", "ButtonText", "Highlight",
                      "HighlightText", "GrayText"].map((name) => {
        probe.style.color = name;
        return getComputedStyle(probe).color;
      });
      probe.remove();
      return { system, form: ["#form input", "#form button", "#form .reader"].map(of),
               page: ["body", "#title-bar", "#show-pad", "#error", "#pad button",
                      "#pad .right", "#pad .wrong"].map(of) };
    });
    const own = await colours();
    await game.cdp.send("Emulation.setEmulatedMedia",
                        { features: [{ name: "forced-colors", value: "active" }] });
    const forced = await colours();
    assert.deepEqual(forced.form, own.form, "the form's own colours, its readers unseen");
    const transparent = "rgba(0, 0, 0, 0)";
    const foreign = forced.page.flat().filter((colour) => colour !== transparent &&
                                              !forced.system.includes(colour));
    assert.deepEqual(foreign, [], "the page's parts in system colours only");
    const [plain, right, wrong] = forced.page.slice(-3).map((colours) => colours.join(" "));
    assert.equal(new Set([plain, right, wrong]).size, 3, "a key's state still shows");
    await game.close();
  });
});

describe("the form as large as each screen allows", ONLY_CHROMIUM, () => {
  // The room left to the window by the page's line and the pad.
  async function free(game, viewport) {
    const line = await game.box("#line");
    const pad = await game.box("#pad");
    const top = line.y + line.height;
    if (!pad) return { x: 0, y: top, width: viewport.width, height: viewport.height - top };
    if (pad.y >= top + 1) return { x: 0, y: top, width: viewport.width, height: pad.y - top };
    return { x: 0, y: 0, width: pad.x, height: viewport.height };
  }

  test("on each screen the window fills its room, the pad's keys are 44 px or more", async (t) => {
    const sizes = [];
    for (const [name, viewport] of Object.entries(SCREENS)) {
      const game = await open(viewport);
      if (!viewport.hasTouch) {
        assert.equal(await game.box("#pad"), null, `${name}: the pad only on request`);
        await game.page.click("#show-pad");
        await game.page.waitForSelector("#pad:not([hidden])");
      }
      assert.equal(await game.page.$eval("#how-to-start", (line) => line.innerText.trim()),
                   viewport.hasTouch ? "Tap the window to start a new game."
                     : "Click the window or press F2 to start a new game.", name);
      await game.tap(BACKGROUND);
      await game.next(0);
      await pick(game, "p");
      const window = await game.box("#stage");
      const room = await free(game, viewport);
      const inside = (outer, inner) => inner.x >= outer.x - 0.5 && inner.y >= outer.y - 0.5 &&
        inner.x + inner.width <= outer.x + outer.width + 0.5 &&
        inner.y + inner.height <= outer.y + outer.height + 0.5;
      assert.ok(inside(room, window), `${name}: ${JSON.stringify([window, room])}`);
      assert.ok(window.width >= room.width - 1 || window.height >= room.height - 1,
                `${name}: the window fills its room on one side`);
      const overflow = await game.page.evaluate(() => {
        const view = document.documentElement;
        return [view.scrollWidth - view.clientWidth, view.scrollHeight - view.clientHeight];
      });
      assert.deepEqual(overflow, [0, 0], `${name}: nothing to scroll`);
      const keys = await game.page.$$eval("#pad button", (all) => all.map((key) => {
        const { width, height } = key.getBoundingClientRect();
        return [width, height];
      }));
      assert.ok(keys.every(([w, h]) => w >= 44 && h >= 44), `${name}: ${JSON.stringify(keys[0])}`);
      // The sizes a finger and an eye meet, in CSS pixels.
      const letter = await game.page.evaluate(() => {
        const texts = [...document.querySelectorAll("#form svg text")];
        const p = texts.find((text) => text.textContent === "P");
        const { height } = p.getBoundingClientRect();
        return height;
      });
      const [ok, box] = [await game.box("#form button"), await game.box("#form input")];
      const size = ({ width, height }) => `${width.toFixed(1)}×${height.toFixed(1)}`;
      sizes.push(`${name}: Ok! ${size(ok)}, box ${size(box)}, pad key ` +
                 `${size({ width: keys[0][0], height: keys[0][1] })}, P ${letter.toFixed(1)} tall`);
      await game.close();
    }
    t.diagnostic(sizes.join("\n"));
  });

  // Headless chromium has no on-screen keyboard: the page is made as short as the part a
  // keyboard over half the screen leaves, as a browser that resizes the page for it does.
  test("with the keyboard up, the box, the word and the figure stay in view", async (t) => {
    const sizes = [];
    for (const name of ["phone 667×375", "phone 375×667"]) {
      const viewport = SCREENS[name];
      const game = await open(viewport);
      await game.tap(BACKGROUND);
      await game.next(0);
      for (const letter of "bc") await pick(game, letter);  // the figure has a head
      await game.tapElement("#form input");
      await game.page.waitForFunction(() => document.activeElement?.matches("#form input"));
      const seen = () => game.page.evaluate(() => {
        const bounds = (selector) => {
          const boxes = [...document.querySelectorAll(selector)]
            .map((element) => element.getBoundingClientRect());
          return [Math.min(...boxes.map((box) => box.left)),
                  Math.min(...boxes.map((box) => box.top)),
                  Math.max(...boxes.map((box) => box.right)),
                  Math.max(...boxes.map((box) => box.bottom))];
        };
        const { offsetLeft: x, offsetTop: y, width, height } = visualViewport;
        const parts = { box: bounds("#form input"), word: bounds("#form svg line"),
                        figure: bounds("#form svg circle") };
        // The blanks' pen reaches half a pixel past their lines.
        const out = Object.keys(parts).filter((part) => {
          const [left, top, right, bottom] = parts[part];
          return left < x || top < y || right > x + width || bottom + 0.5 > y + height;
        });
        return { parts, out, scale: document.getElementById("form").getBoundingClientRect()
          .width / 683 };
      });
      const down = await seen();
      const stage = await game.page.$eval("#stage", (element) =>
        element.getBoundingClientRect().toJSON());
      await game.page.setViewport({ ...viewport, height: Math.floor(viewport.height / 2) });
      await game.page.waitForFunction((before) => JSON.stringify(before) !== JSON.stringify(
        document.getElementById("stage").getBoundingClientRect()), {}, stage);
      const up = await seen();
      assert.deepEqual(up.out, [], `${name}: ${JSON.stringify(up)}`);
      assert.ok(up.scale > 1 / 3, `${name}: not shrunk to a third: ${up.scale}`);
      assert.equal(await game.page.evaluate(() => document.activeElement?.matches("#form input")),
                   true, `${name}: the box keeps the focus`);
      await game.page.setViewport(viewport);
      await game.page.waitForSelector("#pad", { visible: true });
      assert.deepEqual(await game.page.$eval("#stage", (element) =>
        element.getBoundingClientRect().toJSON()), stage, `${name}: as before, the keyboard away`);
      const size = ({ scale, parts }) => `form ×${scale.toFixed(3)}, ` + Object.entries(parts)
        .map(([part, box]) => `${part} ${box.map((v) => v.toFixed(1))}`).join(", ");
      sizes.push(`${name}, keyboard down: ${size(down)}`, `${name}, keyboard up: ${size(up)}`);
      await game.close();
    }
    t.diagnostic(sizes.join("\n"));
  });
});
