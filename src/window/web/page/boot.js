// SPDX-License-Identifier: MIT
// The page around the game: it says what is loading and what failed, fetches the program,
// draws the form at a scale that fits the window, fetches the faces once the game runs,
// and lets the page play offline. The view (view.js) asks it for these through
// window.wordropBoot; none of it decides anything about the game.
"use strict";

(() => {
  const status = document.getElementById("status");
  const errorBox = document.getElementById("error");
  const stage = document.getElementById("stage");
  const form = document.getElementById("form");
  const RETRY = "Check the connection and reload the page.";
  const shown = new Set();
  let loading = true;

  // One message for each thing that went wrong, in the box run-time errors use, and once
  // in the console.
  function report(message) {
    if (shown.has(message)) return;
    shown.add(message);
    console.error(message);
    errorBox.textContent = errorBox.hidden ? message : errorBox.textContent + "\n" + message;
    errorBox.hidden = false;
    if (loading) status.hidden = true;
  }

  // While loading, the first failure is the one worth telling: the rest follow from it.
  let programFailed = false;
  function programFailure(message) {
    if (programFailed) return;
    programFailed = true;
    report(message);
  }

  const reason = (error) => (error && error.message) || String(error);

  // A script or style sheet that did not arrive, or an error no script caught. The
  // program's preload is only a head start: its own fetch tells whether it arrived.
  window.addEventListener("error", (event) => {
    if (event instanceof ErrorEvent) return report(String(event.message));
    const element = event.target;
    if (!(element instanceof HTMLScriptElement || element instanceof HTMLLinkElement) ||
        element.rel === "preload") return;
    const name = (element.src || element.href).split("/").pop();
    programFailure(`The game could not be loaded: ${name} did not arrive. ${RETRY}`);
  }, true);
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
  // whole, without scrolling.
  function fit() {
    const width = form.offsetWidth;  // the form's own size: a transform leaves it alone
    const height = form.offsetHeight;
    if (!width || !height) return;
    const view = document.documentElement;
    const scale = Math.min(1, view.clientWidth / width, view.clientHeight / height);
    form.style.transform = scale < 1 ? `scale(${scale})` : "";
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
  document.fonts.addEventListener("loadingerror", (event) => {
    for (const face of event.fontfaces) {
      const name = face.family.replace(/^"|"$/g, "") + (face.weight === "700" ? " Bold" : "");
      report(`The face ${name} could not be loaded: the game goes on with a stand-in ` +
             `face in its place. ${RETRY}`);
    }
  });

  // Once everything the game draws is in, the page is kept for playing offline.
  function keepForOffline() {
    if (!("serviceWorker" in navigator) || fromFile) return;
    navigator.serviceWorker.register("sw.js").catch((error) => {
      console.warn(`The page will not play offline: ${reason(error)}`);
    });
  }

  window.wordropBoot = {
    canStart: !fromFile,
    program: {
      instantiateWasm(imports, receive) {
        instantiate(imports, receive).catch((error) =>
          programFailure(`The game could not be loaded: ${reason(error)}. ${RETRY}`));
        return {};
      },
    },
    failed: (error) => programFailure(`The game could not be started: ${reason(error)}`),
    // The start screen is drawn and takes input.
    started() {
      loading = false;
      status.hidden = true;
      fit();
      new ResizeObserver(fit).observe(form);
      window.addEventListener("resize", fit);
      performance.mark("wordrop-ready");
    },
    async faces() {
      await faces();
      performance.mark("wordrop-faces");
      keepForOffline();
    },
  };
})();
