// SPDX-License-Identifier: MIT
// Plays the page offline. The page, once its game is playable, tells the worker which of
// its files it has fetched, and the worker keeps those, taken from the page (the program)
// or the browser's cache rather than the network where it can; any other file of the page
// is kept when the page first uses it (a face's rest for a guess that needs it, a licence
// when asked for), and never before.
// Later visits are answered from the cache. The build writes in each file's SHA-256 and
// names the cache after them all: a new build's worker keeps what it can of the old cache,
// fetches only the files that changed, and takes over at once.
"use strict";

const CACHE = "@WORDROP_CACHE@";
const FILES = { "@WORDROP_FILES@": "" };

// A file of the page by its name in the site, "index.html" for any page in scope.
function nameOf(url, navigate = false) {
  if (navigate) return "index.html";
  const scope = new URL(self.registration.scope);
  const address = new URL(url, scope);
  if (address.origin !== scope.origin || !address.pathname.startsWith(scope.pathname)) return null;
  const name = address.pathname.slice(scope.pathname.length) || "index.html";
  return name in FILES ? name : null;
}

async function digestOf(response) {
  const bytes = new Uint8Array(await crypto.subtle.digest("SHA-256",
                                                          await response.clone().arrayBuffer()));
  return Array.from(bytes, (byte) => byte.toString(16).padStart(2, "0")).join("");
}

// The file as this build has it: first as the browser already holds it (in the old
// build's cache, in the page's hands or in its HTTP cache), else from the network; anything
// else (an older copy) is not kept.
async function keep(cache, name, older, url = name, held = null) {
  if (await cache.match(name)) return;
  const candidates = [() => older?.match(name), () => held,
                      () => fetch(new Request(url, { cache: "force-cache" })),
                      () => fetch(new Request(name, { cache: "reload" }))];
  for (const candidate of candidates) {
    const response = await Promise.resolve().then(candidate).catch(() => null);
    if (response?.ok && await digestOf(response) === FILES[name]) {
      await cache.put(name, response);
      return;
    }
  }
}

// A file the page asks for again while it is being kept (it asks once it plays, and again
// once its faces are in) is kept once: not every browser's worker finds the page's files
// in the browser's cache, and WebKit's would fetch each of them twice more.
const keeping = new Map();  // file -> its keeping
async function keepAll(names, older, page, held = new Map()) {
  const cache = await caches.open(CACHE);
  await Promise.all(names.map((name) => {
    if (!keeping.has(name)) {
      keeping.set(name, keep(cache, name, older, name === "index.html" && page ? page : name,
                             held.get(name))
        .finally(() => keeping.delete(name)));
    }
    return keeping.get(name);
  }));
}

// A new build keeps what the old one had kept, and takes over at once: the next load is
// the new build's.
self.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    const old = (await caches.keys()).find((name) => name.startsWith("wordrop-") &&
                                                     name !== CACHE);
    if (old) {
      const older = await caches.open(old);
      const names = (await older.keys()).map((request) => nameOf(request.url)).filter(Boolean);
      await keepAll(names, older);
    }
    await self.skipWaiting();
  })());
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith("wordrop-") &&
                                                         name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page's list of what it fetched, its own address first, with the files it holds
// whole: kept, then answered, so that the page can tell it plays offline. The page is kept
// as the browser fetched it, under whatever address it was opened at.
self.addEventListener("message", (event) => {
  const [page, ...files] = event.data?.keep || [];
  if (!page) return;
  const names = files.map((url) => nameOf(url)).filter((name) => name && name !== "index.html");
  const held = new Map((event.data.held || []).map(({ url, type, bytes }) => [nameOf(url),
    new Response(bytes, { headers: { "Content-Length": String(bytes.byteLength),
                                     ...(type && { "Content-Type": type }) } })]));
  event.waitUntil(keepAll(["index.html", ...names], null, page.split("#")[0], held)
    .then(() => event.source?.postMessage({ kept: names.length + 1 })));
});

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET") return;
  const name = nameOf(request.url, request.mode === "navigate");
  if (!name) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const cached = await cache.match(name);
    if (cached) return cached;
    const response = await fetch(request);
    if (response.ok && response.type === "basic" && await digestOf(response) === FILES[name])
      await cache.put(name, response.clone());
    return response;
  })());
});
