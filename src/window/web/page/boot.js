// SPDX-License-Identifier: MIT
// The page around the game: it says what is loading and what failed, fetches the program,
// draws the form at a scale that fits the window, fetches the faces once the game runs,
// and lets the page play offline. The view (view.js) asks it for these through
// window.wordropBoot; none of it decides anything about the game.
"use strict";

(() => {
  // The elements of the page, once the document has them.
  let status, errorBox, errorLines, stage, form;
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
    if (!errorBox) return early.push(key);
    const line = lines.get(key);
    line.element ??= errorLines.appendChild(document.createElement("p"));
    line.element.textContent = line.text;
    errorBox.hidden = false;
    if (loading) status.hidden = true;
  }

  document.addEventListener("DOMContentLoaded", () => {
    [status, errorBox, stage, form] = ["status", "error", "stage", "form"]
      .map((id) => document.getElementById(id));
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
  const refusedByPolicy = (error) =>
    policyRefused || /Content Security Policy|wasm-unsafe-eval/i.test(reason(error));

  // A script or style sheet that did not arrive, or an error no script caught. The
  // program's preload is only a head start: its own fetch tells whether it arrived.
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
  for (const link of document.querySelectorAll("link[rel=stylesheet]"))
    if (!arrived(link)) missing(link);
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

  // The program, fetched with its progress told, and compiled while it arrives.
  async function instantiate(imports, receive) {
    const response = await fetch("wordrop.wasm", { credentials: "same-origin" }).catch(
      (error) => { throw new Error(`wordrop.wasm did not arrive (${reason(error)})`); });
    if (!response.ok)
      throw new Error(`wordrop.wasm answered ${response.status} ${response.statusText}`.trim());
    const total = response.headers.get("Content-Encoding")
      ? 0 : Number(response.headers.get("Content-Length"));
    let received = 0;
    const counted = response.body.pipeThrough(new TransformStream({
      transform(chunk, controller) {
        received += chunk.length;
        const kb = (bytes) => Math.round(bytes / 1024);
        status.textContent = total ? `Loading the game… ${kb(received)} of ${kb(total)} KB`
                                   : `Loading the game… ${kb(received)} KB`;
        controller.enqueue(chunk);
      },
    }));
    const { instance, module } = await WebAssembly.instantiateStreaming(
      new Response(counted, { headers: { "Content-Type": "application/wasm" } }), imports);
    status.textContent = "Starting the game…";
    receive(instance, module);
  }

  // The form at its own size where the window has room for it, else scaled down to fit,
  // whole, without scrolling, and beside or above the message box when that is shown.
  function fit() {
    const width = form.offsetWidth;  // the form's own size: a transform leaves it alone
    const height = form.offsetHeight;
    if (!width || !height) return;
    const view = document.documentElement;
    const message = errorBox.hidden ? 0 : errorBox.offsetHeight + 16;
    const scale = Math.min(1, view.clientWidth / width, (view.clientHeight - message) / height);
    // Scaled from its corner into the stage, with or without the page's style sheet.
    Object.assign(form.style, { transformOrigin: "0 0",
                                transform: scale < 1 ? `scale(${scale})` : "" });
    stage.style.width = width * scale + "px";
    stage.style.height = height * scale + "px";
  }

  // Each face's Latin subset holds every glyph the game writes itself; the rest of a face
  // comes only for a typed guess that needs it.
  function faces() {
    const loads = new Map();
    for (const face of document.fonts) {
      const font = `${face.style} ${face.weight} 16px "${face.family.replace(/"/g, "")}"`;
      if (!loads.has(font)) loads.set(font, document.fonts.load(font, "A").catch(() => {}));
    }
    return Promise.all(loads.values());
  }
  // The faces that failed are told together once the browser has tried them all.
  const failedFaces = new Set();
  function tellFaces() {
    const [one, ...more] = [...failedFaces].sort();
    report(more.length
      ? `The faces ${[one, ...more].slice(0, -1).join(", ")} and ${more.at(-1)} could not be ` +
        `loaded: the game goes on with stand-in faces in their place. ${RETRY}`
      : `The face ${one} could not be loaded: the game goes on with a stand-in face in its ` +
        `place. ${RETRY}`, "faces");
  }
  document.fonts.addEventListener("loadingerror", (event) => {
    for (const face of event.fontfaces)
      failedFaces.add(face.family.replace(/^"|"$/g, "") + (face.weight === "700" ? " Bold" : ""));
    document.fonts.ready.then(tellFaces);
  });

  // Once the game is playable, the worker keeps what the page has fetched so far, and again
  // once the faces are in. A worker of a new build takes over at once; the page says so,
  // and the next load is the new one.
  const worker = "serviceWorker" in navigator && !fromFile ? navigator.serviceWorker : null;
  const hadWorker = Boolean(worker?.controller);
  async function keepForOffline() {
    if (!worker) return;
    const registration = await worker.register("sw.js").catch((error) => {
      console.warn(`The page will not play offline: ${reason(error)}`);
    });
    if (!registration) return;
    const active = (await worker.ready).active;
    active.postMessage({ keep: [location.href, ...performance.getEntriesByType("resource")
      .filter((entry) => entry.responseEnd > 0).map((entry) => entry.name)] });
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
    canStart: !fromFile,
    program: {
      instantiateWasm(imports, receive) {
        instantiate(imports, receive).catch((error) =>
          programFailure(refusedByPolicy(error) ? POLICY
                         : `The game could not be loaded: ${reason(error)}. ${RETRY}`));
        return {};
      },
    },
    failed: (error) => programFailure(refusedByPolicy(error) ? POLICY
                                      : `The game could not be started: ${reason(error)}`),
    report: (message) => report(message),
    // The start screen is drawn and takes input.
    started() {
      loading = false;
      status.hidden = true;
      fit();
      new ResizeObserver(fit).observe(form);
      new ResizeObserver(fit).observe(errorBox);
      window.addEventListener("resize", fit);
      performance.mark("wordrop-ready");
      keepForOffline();
    },
    async faces() {
      await faces();
      performance.mark("wordrop-faces");
      keepForOffline();
    },
  };
})();
