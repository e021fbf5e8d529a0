// A small static server on 127.0.0.1 for the page and the site, with the MIME
// types a host must give (application/wasm for streaming compilation,
// application/manifest+json) and gzip where the browser asks for it, as
// static hosts do; it logs every request it answers.
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import zlib from "node:zlib";

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".mjs": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".webmanifest": "application/manifest+json",
  ".json": "application/json",
  ".svg": "image/svg+xml",
  ".png": "image/png",
  ".txt": "text/plain; charset=utf-8",
};

// Serves `root` (a folder, or a function giving one) until close(). `requests`
// lists every request as { url, status }.
export async function serve(root) {
  const requests = [];
  const server = http.createServer((request, response) => {
    const folder = typeof root === "function" ? root() : root;
    let name = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    if (name.endsWith("/")) name += "index.html";
    const file = path.join(folder, path.normalize(name));
    const found = file.startsWith(folder) && fs.existsSync(file) && fs.statSync(file).isFile();
    const status = found ? 200 : 404;
    requests.push({ url: request.url, status });
    if (!found) {
      response.writeHead(404, { "content-type": "text/plain" }).end("not found");
      return;
    }
    const headers = {
      "content-type": types[path.extname(file)] ?? "application/octet-stream",
      "cache-control": "no-cache",
    };
    let body = fs.readFileSync(file);
    if (/\bgzip\b/.test(request.headers["accept-encoding"] ?? "") && !file.endsWith(".png")) {
      body = zlib.gzipSync(body);
      headers["content-encoding"] = "gzip";
    }
    response.writeHead(200, headers).end(body);
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  const origin = `http://127.0.0.1:${server.address().port}`;
  return {
    origin,
    requests,
    close: () => {
      server.closeAllConnections();
      return new Promise((resolve) => server.close(resolve));
    },
  };
}
