// SPDX-License-Identifier: MIT
// The three engines people play the page in, each behind the same small page API: Debian's
// chromium (DevTools protocol) and firefox-esr (WebDriver BiDi), both driven by
// puppeteer-core, whose Page the suites use; and WebKitGTK's MiniBrowser, driven by
// WebKitWebDriver (classic WebDriver) through WebKitPage below, which has the part of Page
// the suites use. WebKitGTK has no headless mode: its windows go on an X server of the
// suite's own. WORDROP_ENGINES names the engines to run ("chromium firefox webkit").
import { execFile, spawn } from "node:child_process";
import { promisify } from "node:util";
import fs from "node:fs";
import path from "node:path";
import net from "node:net";
import puppeteer from "puppeteer-core";
import { launchChromium } from "./chromium.mjs";

export const ENGINES = (process.env.WORDROP_ENGINES || "chromium firefox webkit")
  .split(/[\s,]+/).filter(Boolean);
// The narrowest viewport an engine's window has: MiniBrowser's toolbar keeps it this wide.
export const NARROWEST = { chromium: 0, firefox: 0, webkit: 447 };

// Firefox's services that would reach out on their own; the rest puppeteer turns off.
const FIREFOX_PREFS = {
  "network.captive-portal-service.enabled": false,
  "network.connectivity-service.enabled": false,
  "network.dns.disablePrefetch": true,
  "network.predictor.enabled": false,
  "network.trr.mode": 5,
  "dom.push.connection.enabled": false,
  "toolkit.telemetry.enabled": false,
  "toolkit.telemetry.server": "",
  "browser.region.network.url": "",
  "browser.safebrowsing.provider.mozilla.updateURL": "",
  "extensions.blocklist.enabled": false,
  "messaging-system.rsexperimentloader.enabled": false,
  "app.shield.optoutstudies.enabled": false,
};

// A browser of the engine: newPage({ viewport, fresh }) opens a page with that viewport
// (width, height, deviceScaleFactor, and for Chromium isMobile and hasTouch), in a profile
// of its own unless fresh is false; page.engine names its engine, page.done() closes it.
export async function launch(engine, chromiumArgs = []) {
  if (engine === "webkit") return launchWebKit();
  const browser = engine === "chromium" ? await launchChromium(chromiumArgs)
    : await puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr",
                               headless: true, extraPrefsFirefox: FIREFOX_PREFS });
  return {
    engine,
    async newPage({ viewport, fresh = true } = {}) {
      const context = fresh ? await browser.createBrowserContext()
        : browser.defaultBrowserContext();
      const page = await context.newPage();
      // Touch and a phone's layout are Chromium's alone to emulate.
      if (viewport) {
        const { width, height, deviceScaleFactor } = viewport;
        await page.setViewport(engine === "chromium" ? viewport
          : { width, height, deviceScaleFactor });
      }
      return Object.assign(page, { engine, done: () => fresh ? context.close() : page.close() });
    },
    close: () => browser.close(),
  };
}

// Text put into the focused box at once, as a paste or an input method's commit.
export async function insertText(page, text) {
  if (page.engine === "chromium") return page.keyboard.sendCharacter(text);
  return page.evaluate((t) => document.execCommand("insertText", false, t), text);
}

async function launchWebKit() {
  const display = await startXServer();
  const pages = new Set();
  return {
    engine: "webkit",
    newPage: ({ viewport } = {}) => WebKitPage.open(display.name, viewport, pages),
    async close() {
      for (const page of pages) await page.done();
      display.stop();
    },
  };
}

// What the suite started, ended with it however it ends.
const started = new Set();
process.on("exit", () => { for (const child of started) child.kill(); });
for (const signal of ["SIGINT", "SIGTERM"]) process.once(signal, () => process.exit(1));

// An X server of its own, for as long as the suite runs, on a display of its own: a
// high number picked at random, as other suites on the machine take the low ones.
async function startXServer() {
  for (let tries = 1; ; tries++) {
    const number = 100 + Math.floor(Math.random() * 900);
    const xvfb = spawn("Xvfb", [`:${number}`, "-displayfd", "3", "-screen", "0",
                                "2600x1500x24", "-nolisten", "tcp"],
                       { stdio: ["ignore", "ignore", "ignore", "pipe"] });
    const up = await new Promise((resolve, reject) => {
      xvfb.stdio[3].once("data", () => resolve(true));
      xvfb.once("exit", () => resolve(false));  // the display was taken
      xvfb.once("error", reject);  // no Xvfb
    });
    if (up) {
      started.add(xvfb);
      return { name: `:${number}`, stop: () => xvfb.kill() };
    }
    if (tries === 20) throw new Error("Xvfb found no free display");
  }
}

async function freePort() {
  const probe = net.createServer();
  await new Promise((resolve) => probe.listen(0, "127.0.0.1", resolve));
  const { port } = probe.address();
  await new Promise((resolve) => probe.close(resolve));
  return port;
}

// webkit2gtk-driver's MiniBrowser, under the folder of its API version for this machine's
// architecture, which differ between Debian's releases.
const MINIBROWSER = (() => {
  const within = (folder, pattern) => {
    try {
      return fs.readdirSync(folder).filter((name) => pattern.test(name))
        .map((name) => path.join(folder, name));
    } catch {
      return [];
    }
  };
  return within("/usr/lib", /-linux-gnu/).flatMap((lib) => within(lib, /^webkit.*gtk-/))
    .flatMap((api) => within(api, /^MiniBrowser$/))[0];
})();
// Puppeteer's names of the keys the suites press, as WebDriver's code points.
const WEBDRIVER_KEYS = { Enter: "\uE007", Tab: "\uE004", Backspace: "\uE003", F2: "\uE032",
                         Alt: "\uE00A", Control: "\uE009", Shift: "\uE008", Space: "\uE00D",
                         End: "\uE010", Home: "\uE011", ArrowLeft: "\uE012",
                         Delete: "\uE017" };
const webDriverKey = (name) => WEBDRIVER_KEYS[name] ?? name;

// What the page complains of, kept from the moment the suite first reaches it: classic
// WebDriver reads no console, so errors and warnings are copied from the page's own.
function hookComplaints() {
  if (window.wordropComplaints) return;
  window.wordropComplaints = [];
  for (const level of ["error", "warn"]) {
    const log = console[level].bind(console);
    console[level] = (...parts) => {
      window.wordropComplaints.push(parts.join(" "));
      log(...parts);
    };
  }
  addEventListener("error", (event) => window.wordropComplaints.push(event.message));
}

// One MiniBrowser window, with its own WebKitWebDriver: the device scale is the window's
// GDK_SCALE, fixed when it opens; each window has a fresh, ephemeral profile.
class WebKitPage {
  engine = "webkit";
  listeners = [];
  onNewDocument = [];
  pointer = { x: 0, y: 0 };

  static async open(display, viewport = { width: 800, height: 600 }, pages = new Set()) {
    const page = await WebKitPage.start(display, viewport.deviceScaleFactor || 1);
    page.pages = pages.add(page);
    await page.setViewport(viewport).catch(async (error) => {
      await page.done();
      throw error;
    });
    return page;
  }

  // A driver and its window. On a loaded machine a MiniBrowser now and then fails to reach
  // the X server, and its driver to answer: another is started then, twice at most.
  static async start(display, scale) {
    for (let tries = 1; ; tries++) {
      const port = await freePort();
      const driver = spawn("WebKitWebDriver", [`--port=${port}`], {
        stdio: ["ignore", "ignore", "inherit"],
        env: { ...process.env, DISPLAY: display, GDK_SCALE: String(scale), GDK_BACKEND: "x11" },
      });
      started.add(driver);
      const page = new WebKitPage(`http://127.0.0.1:${port}`, driver);
      page.display = display;
      try {
        // A page is there once its document is, which the page polls for: its faces may be
        // held back on purpose, and WebKitWebDriver's "eager" waits for ever on a page
        // whose service worker is installing.
        const session = await page.send("POST", "/session", { capabilities: { alwaysMatch: {
          pageLoadStrategy: "none",
          "webkitgtk:browserOptions": { binary: MINIBROWSER, args: ["--automation"] } } } });
        page.base += `/session/${session.sessionId}`;
        return page;
      } catch (error) {
        driver.kill();
        started.delete(driver);
        if (tries === 3) throw error;
      }
    }
  }

  constructor(base, driver) {
    this.base = base;
    this.driver = driver;
    this.keyboard = {
      down: (key) => this.keys([{ type: "keyDown", value: webDriverKey(key) }]),
      up: (key) => this.keys([{ type: "keyUp", value: webDriverKey(key) }]),
      press: (key) => this.keys(["keyDown", "keyUp"].map((type) => ({ type,
                                                                      value: webDriverKey(key) }))),
      type: (text) => this.keys([...text].flatMap((value) => [{ type: "keyDown", value },
                                                                { type: "keyUp", value }])),
      sendCharacter: (text) => insertText(this, text),
    };
    const button = (type) => ({ type, button: 0 });
    this.mouse = {
      move: async (x, y, { steps = 1 } = {}) => {
        const from = this.pointer;
        const moves = Array.from({ length: steps }, (_, k) => ({
          type: "pointerMove", origin: "viewport",
          x: Math.round(from.x + (x - from.x) * (k + 1) / steps),
          y: Math.round(from.y + (y - from.y) * (k + 1) / steps) }));
        this.pointer = { x, y };
        await this.pointerActions(moves);
      },
      down: () => this.pointerActions([button("pointerDown")]),
      up: () => this.pointerActions([button("pointerUp")]),
      click: async (x, y) => {
        this.pointer = { x, y };
        await this.pointerActions([{ type: "pointerMove", origin: "viewport", x: Math.round(x),
                                     y: Math.round(y) }, button("pointerDown"),
                                   button("pointerUp")]);
      },
    };
  }

  // A WebDriver command; the driver may still be starting.
  async send(method, path, body) {
    for (let tries = 0; ; tries++) {
      try {
        const answer = await fetch(this.base + path, {
          method, headers: { "Content-Type": "application/json" },
          body: body && JSON.stringify(body) });
        const { value } = await answer.json();
        if (value?.error) throw new Error(`WebDriver ${path}: ${value.error}: ${value.message}`);
        return value;
      } catch (error) {
        if (error.cause?.code !== "ECONNREFUSED" || tries > 200) throw error;
        await new Promise((resolve) => setTimeout(resolve, 25));
      }
    }
  }

  keys(actions) {
    return this.send("POST", "/actions", { actions: [{ type: "key", id: "keyboard", actions }] });
  }

  // Keys held down on the window's X server, which repeats them as it repeats a player's
  // (WebKitWebDriver drops a second down of a key): xdotool's names, such as "alt+o".
  // Done once the page has had the main key's release.
  async holdKeys(keys, milliseconds) {
    const run = async (command, ...args) => (await promisify(execFile)(command, args, {
      env: { ...process.env, DISPLAY: this.display } })).stdout.trim().split("\n");
    const [browser] = await run("pgrep", "-P", String(this.driver.pid), "MiniBrowser");
    const shown = (await run("xdotool", "search", "--onlyvisible", "--pid", browser)).pop();
    await run("xdotool", "windowfocus", "--sync", shown);
    const key = keys.split("+").pop();
    await this.evaluate((name) => {
      window.wordropReleased = new Promise((resolve) => addEventListener("keyup", (event) => {
        if (event.key.toLowerCase() === name) resolve();
      }, true));
    }, key === "Return" ? "enter" : key === "space" ? " " : key.toLowerCase());
    await run("xdotool", "keydown", keys);
    await new Promise((resolve) => setTimeout(resolve, milliseconds));  // as long as it is held
    await run("xdotool", "keyup", keys);
    await this.evaluate(() => window.wordropReleased);
  }

  pointerActions(actions) {
    return this.send("POST", "/actions", { actions: [{
      type: "pointer", id: "mouse", parameters: { pointerType: "mouse" }, actions }] });
  }

  // The window sized so that its page's viewport is the one asked for: the window's frame
  // and toolbar are learnt from each size. Each size reaches the page a little later, and
  // on a loaded machine the toolbar may settle later still, so the window is sized again
  // until the viewport is right, four times at most.
  async setViewport({ width, height }) {
    const resize = async (outer) => {
      await this.send("POST", "/window/rect", outer);
      return this.waitForFunction(({ width: w, height: h }) => outerWidth === w &&
        outerHeight === h && [innerWidth, innerHeight], { timeout: 5000 }, outer)
        .catch(() => this.evaluate(() => [innerWidth, innerHeight]));
    };
    let outer = { width, height };
    let had = [];
    for (let tries = 0; tries < 4; tries++) {
      had = await resize(outer);
      if (had[0] === width && had[1] === height) return;
      outer = { width: outer.width + width - had[0], height: outer.height + height - had[1] };
    }
    throw new Error(`MiniBrowser has a ${had.join("×")} viewport for ${width}×${height}`);
  }

  on(event, listener) {
    if (event === "console" || event === "pageerror") this.listeners.push({ event, listener });
  }

  // A function run in the page with its arguments (elements as handles), awaited there;
  // what the page complained of meanwhile goes to the listeners.
  async evaluate(fn, ...args) {
    const script = `const done = arguments[arguments.length - 1];
      (${hookComplaints})();
      Promise.resolve().then(() => (${fn}).apply(null, [].slice.call(arguments, 0, -1)))
        .then((value) => done({ value, complaints: window.wordropComplaints.splice(0) }),
              (error) => done({ error: String(error && error.stack || error),
                                complaints: window.wordropComplaints.splice(0) }));`;
    const answer = await this.send("POST", "/execute/async", {
      script, args: args.map((arg) => arg instanceof WebKitElement ? arg.ref : arg) });
    for (const text of answer.complaints) {
      const message = { type: () => "error", text: () => text };
      for (const { event, listener } of this.listeners) {
        if (event === "console") listener(message);
      }
    }
    if (answer.error) throw new Error(answer.error);
    return answer.value;
  }

  async $(selector) {
    const ref = await this.evaluate((s) => document.querySelector(s), selector);
    return ref && new WebKitElement(this, ref);
  }

  $eval(selector, fn, ...args) {
    return this.evaluate(new Function("selector", "...args",
      `const element = document.querySelector(selector);
       if (!element) throw new Error("no " + selector);
       return (${fn})(element, ...args);`), selector, ...args);
  }

  $$eval(selector, fn, ...args) {
    return this.evaluate(new Function("selector", "...args",
      `return (${fn})([...document.querySelectorAll(selector)], ...args);`), selector, ...args);
  }

  // Polled until true, as puppeteer waits; options as puppeteer's.
  async waitForFunction(fn, { timeout = 30_000, polling = 50 } = {}, ...args) {
    const end = Date.now() + timeout;
    for (;;) {
      // A page between documents answers with an error: polled again, as puppeteer does.
      const value = await this.evaluate(fn, ...args).catch((error) => {
        if (Date.now() > end) throw error;
      });
      if (value) return value;
      if (Date.now() > end) throw new Error(`waited ${timeout} ms for ${fn}`);
      await new Promise((resolve) => setTimeout(resolve, polling));
    }
  }

  async waitForSelector(selector, options) {
    await this.waitForFunction((s) => document.querySelector(s) !== null, options, selector);
    return this.$(selector);
  }

  // Classic WebDriver runs no script before the page's own: these run once it has loaded.
  evaluateOnNewDocument(fn) {
    this.onNewDocument.push(fn);
  }

  // A navigation: done once the old document is gone and the new one is parsed. From
  // then on, what the page complains of is heard.
  async navigate(start) {
    await this.evaluate(() => { window.wordropOldDocument = true; });
    await start();
    await this.waitForFunction(() => !window.wordropOldDocument &&
                               document.readyState !== "loading");
    for (const fn of this.onNewDocument) await this.evaluate(fn);
  }

  async goto(url) {
    await this.navigate(() => this.send("POST", "/url", { url }));
    return null;
  }

  reload() {
    return this.navigate(() => this.send("POST", "/refresh", {}));
  }

  // A navigation the page starts itself.
  waitForNavigation() {
    return this.navigate(() => {});
  }

  title() {
    return this.send("GET", "/title");
  }

  focus(selector) {
    return this.$eval(selector, (element) => element.focus());
  }

  async click(selector) {
    const box = await (await this.$(selector)).boundingBox();
    await this.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  }

  async type(selector, text) {
    await this.focus(selector);
    await this.keyboard.type(text);
  }

  async done() {
    if (!this.pages.delete(this)) return;
    await this.send("DELETE", "").catch(() => {});
    this.driver.kill();
    started.delete(this.driver);
  }
}

class WebKitElement {
  constructor(page, ref) {
    this.page = page;
    this.ref = ref;
    this.id = Object.values(ref)[0];
  }

  // As puppeteer's: null for an element not laid out.
  boundingBox() {
    return this.page.evaluate((element) => {
      if (!element.getClientRects().length) return null;
      const { x, y, width, height } = element.getBoundingClientRect();
      return { x, y, width, height };
    }, this);
  }

  // Cut from the window's picture: WebKitWebDriver's own picture of an element leaves out
  // its part below the window's first height.
  async screenshot({ encoding } = {}) {
    // What the page drew last, on the screen: WebKit takes the window's last frame.
    await this.page.evaluate(async () => {
      for (let k = 0; k < 2; k++) await new Promise(requestAnimationFrame);
    });
    const window = await this.page.send("GET", "/screenshot");
    const data = await this.page.evaluate(async (element, picture) => {
      const image = new Image();
      image.src = picture;
      await image.decode();
      const scale = image.width / innerWidth;
      const box = element.getBoundingClientRect();
      const [x, y, width, height] = [box.x, box.y, box.width, box.height]
        .map((v) => Math.round(v * scale));
      const canvas = new OffscreenCanvas(width, height);
      canvas.getContext("2d").drawImage(image, x, y, width, height, 0, 0, width, height);
      const bytes = new Uint8Array(await (await canvas.convertToBlob()).arrayBuffer());
      let text = "";
      for (let at = 0; at < bytes.length; at += 0x8000)
        text += String.fromCharCode(...bytes.subarray(at, at + 0x8000));
      return btoa(text);
    }, this, "data:image/png;base64," + window);
    return encoding === "base64" ? data : Buffer.from(data, "base64");
  }
}
