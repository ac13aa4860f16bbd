// SPDX-License-Identifier: MIT
// Plays the page offline: the first visit caches every file of the page, and later visits
// are answered from that cache, the network asked only for what it lacks. The build writes
// in the list of files and names the cache after their contents, so that a new build's
// worker replaces the cache.
"use strict";

const CACHE = "@WORDROP_CACHE@";
const FILES = ["@WORDROP_FILES@"];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: "reload" }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith("wordrop-") &&
                                                         name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
  // Every page in the worker's scope is the game's one page.
  const key = request.mode === "navigate"
    ? new URL("index.html", self.registration.scope).href : request;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(key, { ignoreSearch: true }))
    .then((cached) => cached || fetch(request)));
});
