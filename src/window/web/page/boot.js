// SPDX-License-Identifier: MIT
// The page around the game: it says what is loading and what failed, fetches the program,
// draws the form at a scale that fits the window, fetches the faces once the game runs,
// and lets the page play offline. The view (view.js) asks it for these through
// window.wordropBoot; none of it decides anything about the game.
"use strict";

(() => {
  // The scripts are deferred: the document has every element already.
  const [status, errorBox, stage, windowElement, titleBar, form, line, pad, showPadButton] =
    ["status", "error", "stage", "window", "title-bar", "form", "line", "pad", "show-pad"]
      .map((id) => document.getElementById(id));
  let errorLines;
  const RETRY = "Check the connection and reload the page.";
  const lines = new Map();  // what failed -> its line in the box
  const early = [];         // lines told before the box was there
  let loading = true;

  // One line for each thing that went wrong, in the box run-time errors use, and once in
  // the console. A line under a key already told is rewritten: the faces that failed are
  // named together, and a fuller account of a failure replaces the first.
  function report(message, key = message) {
    const previous = lines.get(key);
    if (previous?.text === message) return;
    lines.set(key, { text: message, element: previous?.element });
    console.error(message);
    show(key);
  }

  function show(key) {
    if (!errorLines) return early.push(key);
    const line = lines.get(key);
    line.element ??= errorLines.appendChild(document.createElement("p"));
    line.element.textContent = line.text;
    errorBox.hidden = false;
    if (loading) status.hidden = true;
  }

  document.addEventListener("DOMContentLoaded", () => {
    errorLines = errorBox.appendChild(document.createElement("div"));
    const close = errorBox.insertBefore(document.createElement("button"), errorLines);
    Object.assign(close, { type: "button", className: "close", ariaLabel: "Close" });
    close.addEventListener("click", () => { errorBox.hidden = true; });
    early.splice(0).forEach(show);
  });

  // While loading, the first failure is the one worth telling: the rest follow from it.
  let programFailed = false;
  function programFailure(message) {
    if (programFailed) return;
    programFailed = true;
    report(message, "program");
  }

  const reason = (error) => (error && error.message) || String(error);

  // A server whose Content-Security-Policy forbids compiling WebAssembly: the browser's
  // own words for it say nothing a visitor can act on.
  const POLICY = "The game could not be started: this server's Content-Security-Policy " +
    "does not let the page run WebAssembly. The server must allow 'wasm-unsafe-eval' in " +
    "the policy's script-src.";
  let policyRefused = false;
  document.addEventListener("securitypolicyviolation", (event) => {
    if (event.blockedURI !== "wasm-eval") return;
    policyRefused = programFailed = true;
    report(POLICY, "program");
  });
  // The browser's error may come before its report of the violation: Firefox's says "blocked
  // by CSP".
  const refusedByPolicy = (error) =>
    policyRefused || /Content Security Policy|wasm-unsafe-eval|\bCSP\b/i.test(reason(error));

  // A script or style sheet that did not arrive, or an error no script caught.
  function missing(element) {
    const name = (element.src || element.href).split("/").pop();
    if (element instanceof HTMLLinkElement) {
      report(name === "fonts.css"
        ? `The page's faces could not be loaded: ${name} did not arrive. The game goes on ` +
          `with stand-in faces. ${RETRY}`
        : `The page's style sheet ${name} did not arrive: the page may be laid out wrong. ` +
          RETRY);
    } else {
      programFailure(`The game could not be loaded: ${name} did not arrive. ${RETRY}`);
    }
  }
  window.addEventListener("error", (event) => {
    if (event instanceof ErrorEvent) return report(String(event.message));
    const element = event.target;
    if (element instanceof HTMLScriptElement ||
        element instanceof HTMLLinkElement && element.rel === "stylesheet") missing(element);
  }, true);
  // This script is deferred, so as not to hold up the page's first paint: the style sheets
  // before it have arrived or failed by the time it runs, and one that failed has no rules
  // (a page opened from a file may not read them at all: those arrived).
  const arrived = (link) => {
    try {
      return link.sheet?.cssRules.length > 0;
    } catch {
      return true;
    }
  };
  // WebKit may run it before a sheet is in, though: one the browser has not finished
  // with yet tells by its own events.
  for (const link of document.querySelectorAll("link[rel=stylesheet]")) {
    if (arrived(link)) continue;
    if (performance.getEntriesByName(link.href).length) missing(link);
    else link.addEventListener("load", () => arrived(link) || missing(link));
  }
  // Firefox tells of a deferred script that did not arrive as soon as its answer comes,
  // maybe before this script listens. So once they have all run, one that did not arrive
  // is found by what it did not do: the program's (wordrop.js) defines createWordrop, and
  // the view's (view.js) asks to start.
  let viewRan = false;
  const programScript = () => typeof createWordrop === "function";
  document.addEventListener("DOMContentLoaded", () => {
    for (const [name, ran] of [["wordrop.js", programScript()], ["view.js", viewRan]]) {
      if (!ran) missing(document.querySelector(`script[src="${name}"]`));
    }
  });
  window.addEventListener("unhandledrejection", (event) => {
    event.preventDefault();  // told here, once
    report(loading ? `The game could not be started: ${reason(event.reason)}. ${RETRY}`
                   : reason(event.reason));
  });

  // A browser lets no page opened from a file fetch its program.
  const fromFile = location.protocol === "file:";
  if (fromFile) {
    programFailure("This page has to come from a web server: a browser does not let a page " +
                   "opened from a file load its program. In this page's folder, run\n" +
                   "    python3 -m http.server 8080 --bind 127.0.0.1\n" +
                   "and open http://127.0.0.1:8080/ (from the source tree: make serve).");
  }

  // The program, asked for by the page's inline script (index.html), or here where a
  // server's policy refused that script; by XMLHttpRequest, which tells its progress, and
  // which Chromium, unlike a fetch() that the service worker answered, never marks as
  // cancelled after every byte of it arrived. Whether it arrived is told once the program
  // is needed.
  const kb = (bytes) => Math.round(bytes / 1024);
  let programRequest = null;  // until the worker is handed the program
  function programArrival() {
    let request = programRequest = window.wordropProgramRequest;
    if (!request) {
      request = new XMLHttpRequest();
      request.open("GET", "wordrop.wasm");
      request.responseType = "arraybuffer";
      request.send();
      programRequest = request;
    }
    request.addEventListener("progress", (event) => {
      // A compressed answer's length is not the program's.
      const total = request.getResponseHeader("Content-Encoding") ? 0 : event.total;
      status.textContent = total ? `Loading the game… ${kb(event.loaded)} of ${kb(total)} KB`
                                 : `Loading the game… ${kb(event.loaded)} KB`;
    });
    return new Promise((resolve, reject) => {
      const settle = () => {
        if (request.status === 200) resolve(request.response);
        else if (!request.status) reject(new Error("wordrop.wasm did not arrive"));
        else reject(new Error(`wordrop.wasm answered ${request.status} ${request.statusText}`.trim()));
      };
      if (request.readyState === XMLHttpRequest.DONE) settle();
      else request.addEventListener("loadend", settle);
    });
  }
  const programArrives = fromFile ? null : programArrival();
  programArrives?.catch(() => {});

  async function instantiate(imports, receive) {
    const { instance, module } = await WebAssembly.instantiate(await programArrives, imports);
    status.textContent = "Starting the game…";
    receive(instance, module);
  }

  // The window (title bar and form) as large as the screen allows, with the page's line
  // above it and, where shown, the letter pad below it or beside it, whichever leaves the
  // form larger; the pad's keys between 44 and 64 pixels square. Nothing is cut, nothing
  // scrolls, and the screen is the layout viewport: an on-screen keyboard shrinks only the
  // visual one, which the browser moves to keep the text box in view.
  const KEY = { least: 44, most: 64, gap: 4, edge: 4 };
  const LINE = 44;
  const span = (count, key) => count * key + (count - 1) * KEY.gap + 2 * KEY.edge;
  function lineHeight(width) {
    Object.assign(line.style, { width: width + "px", height: "" });
    return Math.max(LINE, line.offsetHeight);
  }
  function layouts(width, height, room) {
    const above = lineHeight(room.width);
    const whole = { scale: Math.min(room.width / width, (room.height - above) / height),
                    line: [0, 0, room.width, above],
                    form: [0, above, room.width, room.height - above] };
    if (pad.hidden) return [whole];
    const found = [];
    for (const columns of [4, 5, 6, 7, 9, 13]) {
      const rows = Math.ceil(26 / columns);
      // Below the form, the line above it.
      const below = Math.min(KEY.most, Math.floor(
        (room.width - 2 * KEY.edge - (columns - 1) * KEY.gap) / columns));
      const padBelow = [span(columns, below), span(rows, below)];
      const lineBelow = lineHeight(room.width);
      found.push({ key: below, columns, line: [0, 0, room.width, lineBelow],
                   scale: Math.min(room.width / width,
                                   (room.height - lineBelow - padBelow[1]) / height),
                   pad: [(room.width - padBelow[0]) / 2, room.height - padBelow[1], ...padBelow],
                   form: [0, lineBelow, room.width, room.height - lineBelow - padBelow[1]] });
      // Beside it, on the right, the line under the pad.
      const guess = lineHeight(span(columns, KEY.least));
      const beside = Math.min(KEY.most, Math.floor(
        (room.height - guess - 2 * KEY.edge - (rows - 1) * KEY.gap) / rows));
      const padBeside = [span(columns, beside), span(rows, beside)];
      const lineBeside = lineHeight(padBeside[0]);
      const top = (room.height - padBeside[1] - lineBeside) / 2;
      if (top < 0) continue;
      found.push({ key: beside, columns, line: [room.width - padBeside[0], top + padBeside[1],
                                                 padBeside[0], lineBeside],
                   scale: Math.min((room.width - padBeside[0]) / width, room.height / height),
                   pad: [room.width - padBeside[0], top, ...padBeside],
                   form: [0, 0, room.width - padBeside[0], room.height] });
    }
    // Where no room is left for keys large enough, the largest keys there are.
    const most = Math.max(...found.map((layout) => layout.key));
    return found.filter((layout) => layout.key >= Math.min(KEY.least, most));
  }
  // Placed whole, so that the page keeps its shape without its style sheet too.
  function place(element, [x, y, width, height]) {
    Object.assign(element.style, { position: "absolute", left: x + "px", top: y + "px",
                                   width: width + "px", height: height + "px" });
  }
  // The rows of the form that hold anything drawn or any widget, in its own pixels: all
  // of it but the bare background, with a pixel more either side for a level line's pen,
  // which its box leaves out.
  function drawnRows() {
    const bounds = form.getBoundingClientRect();
    const scale = bounds.height / form.offsetHeight;
    let [top, bottom] = [Infinity, -Infinity];
    for (const part of form.querySelectorAll(":scope > svg > *, :scope > :not(svg, [hidden])")) {
      const box = part.getBoundingClientRect();
      if (box.width >= bounds.width - 1 && box.height >= bounds.height - 1) continue;
      if (!box.width && !box.height) continue;
      top = Math.min(top, (box.top - bounds.top) / scale - 1);
      bottom = Math.max(bottom, (box.bottom - bounds.top) / scale + 1);
    }
    return top < bottom ? [Math.max(0, top), Math.min(form.offsetHeight, bottom)]
                        : [0, form.offsetHeight];
  }
  // With the on-screen keyboard up the visible part of the page, the visual viewport, is
  // much shorter than it was before the text box took the focus: a browser may shrink it
  // alone or the whole page with it. Then the form alone fills it, as large as its drawn
  // rows fit, its bare margin and the title bar cut off, and the page's line and the pad
  // set aside (the keyboard is the input now), so that the box, the word and the figure
  // stay in view rather than the whole window shrinking to a fraction.
  const viewport = window.visualViewport;
  let before = 0;  // the visible height while the box did not have the focus
  function keyboardRoom() {
    if (!viewport || viewport.scale > 1.01) return null;  // zoomed in: the player's view
    const typing = touch.matches && document.activeElement?.matches("#form input");
    if (!typing || viewport.height > 0.75 * before) {
      if (!typing) before = viewport.height;
      return null;
    }
    return { x: viewport.offsetLeft, y: viewport.offsetTop, width: viewport.width,
             height: viewport.height };
  }
  function fitTyping(width, room) {
    const [top, bottom] = drawnRows();
    const scale = Math.min(room.width / width, room.height / (bottom - top));
    const skip = (titleBar.offsetHeight + top) * scale;
    place(stage, [room.x, room.y, room.width, room.height]);
    stage.style.overflow = "hidden";
    line.style.visibility = "hidden";
    pad.style.display = "none";
    windowElement.style.width = width + "px";
    windowElement.style.transformOrigin = "0 0";
    windowElement.style.transform = `translate(${(room.width - width * scale) / 2}px, ` +
      `${(room.height - (bottom - top) * scale) / 2 - skip}px) scale(${scale})`;
  }
  function fit() {
    const width = form.offsetWidth;  // the form's own size: a transform leaves it alone
    const height = form.offsetHeight + titleBar.offsetHeight;
    if (!width || !form.offsetHeight) return;
    const typing = keyboardRoom();
    if (typing) return fitTyping(width, typing);
    Object.assign(stage.style, { overflow: "" });
    line.style.visibility = pad.style.display = "";
    const view = document.documentElement;
    // What failed is told below everything, and keeps its room.
    Object.assign(errorBox.style, { position: "absolute", left: "0", right: "0", bottom: "0" });
    const message = errorBox.hidden ? 0 : errorBox.offsetHeight + 16;
    const room = { width: view.clientWidth, height: view.clientHeight - message };
    const best = layouts(width, height, room).reduce((a, b) => (b.scale > a.scale ? b : a));
    const scale = Math.max(0.01, best.scale);
    if (best.pad) {
      place(pad, best.pad);
      pad.style.gridTemplateColumns = `repeat(${best.columns}, ${best.key}px)`;
      pad.style.gridAutoRows = best.key + "px";
    }
    place(line, best.line);
    const area = best.form;
    const shown = [width * scale, height * scale];
    place(stage, [area[0] + (area[2] - shown[0]) / 2, area[1] + (area[3] - shown[1]) / 2,
                  ...shown]);
    windowElement.style.width = width + "px";
    windowElement.style.transformOrigin = "0 0";
    windowElement.style.transform = scale === 1 ? "" : `scale(${scale})`;
    if (scale * devicePixelRatio !== deviceScale) {
      deviceScale = scale * devicePixelRatio;
      rescaled?.();
    }
  }
  // The device pixels to each of the form's own: its lines are drawn at least one thick.
  let deviceScale = devicePixelRatio;
  let rescaled = null;

  // The letter pad shows on a touch screen, and elsewhere when asked for.
  const touch = matchMedia("(pointer: coarse)");
  function showPad() {
    pad.hidden = !(touch.matches || showPadButton.getAttribute("aria-pressed") === "true");
    fit();
  }
  showPadButton.addEventListener("click", () => {
    showPadButton.setAttribute("aria-pressed",
                               String(showPadButton.getAttribute("aria-pressed") !== "true"));
    showPad();
  });
  touch.addEventListener("change", showPad);

  // The page's own faces, and their stand-ins (fonts.css), which are the system's. A
  // browser may load a stand-in only once it draws with it, and measure with the generic
  // face until then: they are asked for at once, which takes no network.
  const familyOf = (face) => face.family.replace(/^"|"$/g, "");
  const standIn = (face) => familyOf(face).endsWith(" stand-in");
  const ownFaces = () => [...document.fonts].filter((face) => !standIn(face));
  const nameOf = (face) => familyOf(face) + (face.weight === "700" ? " Bold" : "");
  const standIns = [...document.fonts].filter(standIn).map((face) => face.load().catch(() => {}));

  // The faces that failed are told together once the browser has tried them all, in the
  // order fonts.css gives them; a face that fails later (the rest of a face, for a typed
  // guess) is told with them. Each face says so by its own promise: not every browser
  // fires the font loading events.
  const failedFaces = new Set();
  function tellFaces() {
    const named = new Set(ownFaces().map(nameOf));
    const [one, ...more] = [...named].filter((name) => failedFaces.has(name));
    report(more.length
      ? `The faces ${[one, ...more].slice(0, -1).join(", ")} and ${more.at(-1)} could not be ` +
        `loaded: the game goes on with stand-in faces in their place. ${RETRY}`
      : `The face ${one} could not be loaded: the game goes on with a stand-in face in its ` +
        `place. ${RETRY}`, "faces");
  }
  let facesTried = false;
  let faceArrived = null;  // what to do when a face comes in, late or not
  function watchFaces() {
    for (const face of ownFaces()) {
      face.loaded.then(() => faceArrived?.(), () => {
        failedFaces.add(nameOf(face));
        if (facesTried) tellFaces();
      });
    }
  }
  // Each face's Latin subset holds every glyph the game writes itself; the rest of a face
  // comes only for a typed guess that needs it.
  const covers = (face, code) => face.unicodeRange.split(",").some((range) => {
    const [low, high = low] = range.trim().slice(2).split("-").map((hex) => parseInt(hex, 16));
    return low <= code && code <= high;
  });
  async function faces() {
    const latin = ownFaces().filter((face) => covers(face, 0x41));
    await Promise.allSettled([...standIns, ...latin.map((face) => face.load())]);
    facesTried = true;
    if (failedFaces.size) tellFaces();
  }

  // Once the game is playable, the worker keeps what the page has fetched so far, and again
  // once the faces are in. A worker of a new build takes over at once; the page says so,
  // and the next load is the new one.
  const worker = "serviceWorker" in navigator && !fromFile ? navigator.serviceWorker : null;
  const hadWorker = Boolean(worker?.controller);
  // The files the page holds whole, handed to the worker once to keep as they are: a
  // browser may keep nothing in an HTTP cache for the worker to take them from (WebKit, in
  // a private window, or for a file sent as no-cache with no validator), and the worker
  // would fetch them again. The program is the one the page holds.
  function heldFiles() {
    const request = programRequest;
    programRequest = null;
    if (request?.status !== 200) return [];
    return [{ url: request.responseURL, type: request.getResponseHeader("Content-Type"),
              bytes: request.response }];
  }
  async function keepForOffline() {
    if (!worker) return;
    const registration = await worker.register("sw.js").catch((error) => {
      console.warn(`The page will not play offline: ${reason(error)}`);
    });
    if (!registration) return;
    const active = (await worker.ready).active;
    const fetched = performance.getEntriesByType("resource")
      .filter((entry) => entry.responseEnd > 0).map((entry) => entry.name);
    active.postMessage({ keep: [location.href, ...fetched], held: heldFiles() });
  }
  worker?.addEventListener("message", (event) => {
    if (!event.data?.kept) return;
    performance.mark("wordrop-offline");
    document.body.dataset.offline = "true";
  });
  worker?.addEventListener("controllerchange", () => {
    if (!hadWorker) return;
    status.replaceChildren("A new version of the game is ready. ");
    const reload = status.appendChild(document.createElement("button"));
    Object.assign(reload, { type: "button", textContent: "Play it" });
    reload.addEventListener("click", () => location.reload());
    status.hidden = false;
  });

  window.wordropBoot = {
    // The view asks whether to start the game: not from a file, nor without its program.
    canStart() {
      viewRan = true;
      return !fromFile && programScript();
    },
    program: {
      instantiateWasm(imports, receive) {
        instantiate(imports, receive).catch((error) =>
          programFailure(refusedByPolicy(error) ? POLICY
                         : `The game could not be loaded: ${reason(error)}. ${RETRY}`));
        return {};
      },
    },
    // The page's line or the pad changed what it shows.
    fit,
    deviceScale: () => deviceScale,
    scaled(then) { rescaled = then; },
    failed: (error) => programFailure(refusedByPolicy(error) ? POLICY
                                      : `The game could not be started: ${reason(error)}`),
    report: (message) => report(message),
    // The start screen is drawn and takes input.
    started() {
      loading = false;
      status.hidden = true;
      showPad();
      const resized = new ResizeObserver(fit);
      for (const element of [form, titleBar, errorBox]) resized.observe(element);
      window.addEventListener("resize", fit);
      viewport?.addEventListener("resize", fit);
      // Panned with the keyboard up: the form follows what is in view.
      viewport?.addEventListener("scroll", () => stage.style.overflow && fit());
      performance.mark("wordrop-ready");
      keepForOffline();
    },
    // Once the game is drawn: then is called whenever a face arrives.
    async faces(then) {
      watchFaces();
      await faces();
      faceArrived = then;
      performance.mark("wordrop-faces");
      keepForOffline();
    },
  };
})();
