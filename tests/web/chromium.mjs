// SPDX-License-Identifier: MIT
// What the browser suite and the page's benchmark share: a static server on loopback and
// Debian's chromium, headless, kept off this machine's closed network.
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import zlib from "node:zlib";
import puppeteer from "puppeteer-core";

export { PredefinedNetworkConditions } from "puppeteer-core";

const TYPES = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css",
                ".wasm": "application/wasm", ".woff2": "font/woff2", ".png": "image/png",
                ".svg": "image/svg+xml", ".txt": "text/plain",
                ".webmanifest": "application/manifest+json" };

// Serves the file that locate(root, name) names for each request path (none, or one that
// is not there: 404), never from the browser's cache; the origin it answers at is returned
// with the server. Options: headers, sent with every file (or a function giving them);
// hold(name), a promise that the answer waits for (a slow file); compress, to send gzip or
// brotli as the browser asks; link(), the slow link every answer shares, if any, as
// { bytesPerSecond, latencyMs }; served(name, bytes), told of each answer sent.
export async function serveFiles(locate, { headers = {}, hold, compress = false, link,
                                           served } = {}) {
  const compressed = new Map();
  let linkFreeAt = 0;  // when the shared link has sent everything queued on it
  const send = async (response, data) => {
    const slow = link?.();
    if (!slow) return response.end(data);
    await new Promise((resolve) => setTimeout(resolve, slow.latencyMs));
    const CHUNK = 4096;
    for (let at = 0; at < data.length; at += CHUNK) {
      const chunk = data.subarray(at, at + CHUNK);
      linkFreeAt = Math.max(linkFreeAt, performance.now()) +
        chunk.length / slow.bytesPerSecond * 1000;
      await new Promise((resolve) => setTimeout(resolve, linkFreeAt - performance.now()));
      if (response.destroyed) return;
      response.write(chunk);
    }
    response.end();
  };
  const server = http.createServer(async (request, response) => {
    const name = path.normalize(new URL(request.url, "http://localhost").pathname)
      .replace(/^(\.\.[/\\])+/, "");
    await hold?.(name);
    const file = locate(name === "/" ? "/index.html" : name);  // as it is once let go
    fs.readFile(file || "", (error, data) => {
      if (error) return response.writeHead(404).end();
      const head = { "Content-Type": TYPES[path.extname(file)] || "text/plain",
                     "Cache-Control": "no-store",
                     ...(typeof headers === "function" ? headers() : headers) };
      const accepted = String(request.headers["accept-encoding"] || "");
      const encoding = !compress ? null : /\bbr\b/.test(accepted) ? "br"
        : /\bgzip\b/.test(accepted) ? "gzip" : null;
      if (encoding) {
        // Compressed once per file, as a server that keeps its files compressed answers.
        const key = `${encoding} ${file}`;
        if (!compressed.has(key) || !compressed.get(key).source.equals(data)) {
          compressed.set(key, { source: data, body: encoding === "br"
            ? zlib.brotliCompressSync(data) : zlib.gzipSync(data, { level: 9 }) });
        }
        head["Content-Encoding"] = encoding;
        data = compressed.get(key).body;
      }
      served?.(name, data.length);
      response.writeHead(200, head);
      send(response, data);
    });
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return { server, origin: `http://127.0.0.1:${server.address().port}` };
}

export function launchChromium(extraArgs = []) {
  return puppeteer.launch({
    executablePath: "/usr/bin/chromium", headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync", "--disable-quic", ...extraArgs],
  });
}

// Every sentence a page of the game says out loud, from its first moment on (in WebKit,
// from its load on), in window.said.
export function recordNarration(page) {
  return page.evaluateOnNewDocument(() => {
    window.said = [];
    const listen = () => {
      const region = document.getElementById("narration");
      if (!region) return;  // not the game's page
      new MutationObserver(() => region.textContent && window.said.push(region.textContent))
        .observe(region, { childList: true, characterData: true, subtree: true });
    };
    if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", listen);
    else listen();
  });
}
