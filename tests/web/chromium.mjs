// SPDX-License-Identifier: MIT
// What the browser suite and the page's benchmark share: a static server on loopback and
// Debian's chromium, headless, kept off this machine's closed network.
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import zlib from "node:zlib";
import puppeteer from "puppeteer-core";

const TYPES = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css",
                ".wasm": "application/wasm", ".woff2": "font/woff2", ".png": "image/png",
                ".svg": "image/svg+xml", ".txt": "text/plain",
                ".webmanifest": "application/manifest+json" };

// Serves the file that locate(root, name) names for each request path (none, or one that
// is not there: 404), never from the browser's cache; the origin it answers at is returned
// with the server. Options: headers, sent with every file; hold(name), a promise that the
// answer waits for (a slow file); compress, to send gzip or brotli as the browser asks.
export async function serveFiles(locate, { headers = {}, hold, compress = false } = {}) {
  const server = http.createServer(async (request, response) => {
    const name = path.normalize(new URL(request.url, "http://localhost").pathname)
      .replace(/^(\.\.[/\\])+/, "");
    const file = locate(name === "/" ? "/index.html" : name);
    await hold?.(name);
    fs.readFile(file || "", (error, data) => {
      if (error) return response.writeHead(404).end();
      const head = { "Content-Type": TYPES[path.extname(file)] || "text/plain",
                     "Cache-Control": "no-store", ...headers };
      const accepted = String(request.headers["accept-encoding"] || "");
      if (compress && /\bbr\b/.test(accepted)) {
        head["Content-Encoding"] = "br";
        data = zlib.brotliCompressSync(data);
      } else if (compress && /\bgzip\b/.test(accepted)) {
        head["Content-Encoding"] = "gzip";
        data = zlib.gzipSync(data, { level: 9 });
      }
      response.writeHead(200, head);
      response.end(data);
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
