// Puts the browser front end together from the compiled core:
//   OUT/kelmora-core.mjs  the core and its API as an ES module, the wasm inline
//   OUT/kelmora.html      one self-contained page: style, script and wasm inline
//   SITE/                 the same page with its style, script and wasm as files
//                         of their own, a web app manifest, icons, robots.txt
//                         and a Workbox service worker that keeps it offline
// The page's markup is printed by the core's own module from the design tables.
//   node assemble.mjs --core kelmora-core.js --icons DIR --svg ICON.svg
//                     --version 1.00 --out DIR --site DIR
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { parseArgs } from "node:util";

import { bodyMarkup, designCss, escapeHtml } from "./render.mjs";
import { writeServiceWorker } from "./service_worker.mjs";

const { values: args } = parseArgs({
  options: Object.fromEntries(
    ["core", "icons", "svg", "version", "out", "site"].map((name) => [name, { type: "string" }])),
});
const webSource = path.dirname(path.dirname(fileURLToPath(import.meta.url)));
const source = (name) => fs.readFileSync(path.join(webSource, name), "utf8");

const glue = fs.readFileSync(args.core, "utf8");
const wasm = fs.readFileSync(args.core.replace(/\.js$/, ".wasm"));
const api = source("api.js");
const page = source("page.js");

// Where the core's wasm comes from: inline, handed over as wasmBinary (in the
// module a string; in the page a data block, which no script parser has to
// read through); or the file beside the script, which the browser compiles as
// it streams in.
const base64Wasm = wasm.toString("base64");
const wasmFrom = (base64) => `function kelmoraCoreOptions() {
  return { wasmBinary: Uint8Array.from(atob(${base64}), (c) => c.charCodeAt(0)) };
}`;
const inlineWasm = `// The core's WebAssembly, carried inline.
const kelmoraWasm = "${base64Wasm}";
${wasmFrom("kelmoraWasm")}`;
const blockWasm = `// The core's WebAssembly, carried inline in the page's data block.
${wasmFrom('document.getElementById("kelmora-wasm").textContent')}`;
const wasmBeside = `// The core's WebAssembly is kelmora-core.wasm, beside this script.
function kelmoraCoreOptions() {
  return {};
}`;

// 1. The module; then the design, from the module itself.
fs.mkdirSync(args.out, { recursive: true });
const modulePath = path.join(args.out, "kelmora-core.mjs");
fs.writeFileSync(modulePath, [glue, inlineWasm, api,
  "export { calculate, design, calculatePage, project, narrow, levelTable, readLevel };\n"].join("\n"));
const design = await (await import(pathToFileURL(modulePath).href)).design();
const style = `${source("page.css")}\n${designCss(design)}`;
const body = bodyMarkup(design);

function pageHtml({ policy, head, script }) {
  const fill = { POLICY: policy, CAPTION: escapeHtml(design.caption),
    DESCRIPTION: escapeHtml(design.wording.description), HEAD: head, BODY: body, SCRIPT: script };
  return source("page.html").replace(/@([A-Z]+)@/g, (whole, key) => fill[key] ?? whole);
}

// 2. The single file: nothing to fetch, so its policy allows no network at all.
// Its script is a module, run once the document is parsed: the boxes come first.
const inlineScript = [glue, blockWasm, api, page].join("\n");
if (/<\/script/i.test(inlineScript)) throw new Error("the page's script contains </script");
const icon = fs.readFileSync(args.svg);
fs.writeFileSync(path.join(args.out, "kelmora.html"), pageHtml({
  policy: "default-src 'none'; script-src 'unsafe-inline' 'wasm-unsafe-eval'; " +
    "style-src 'unsafe-inline'; img-src data:",
  head: `<link rel="icon" type="image/svg+xml" href="data:image/svg+xml;base64,${icon.toString("base64")}">\n` +
    `<style>\n${style}</style>`,
  script: `<script id="kelmora-wasm" type="application/octet-stream">${base64Wasm}</script>\n` +
    `<script type="module">\n${inlineScript}\n</script>`,
}));

// 3. The site: a folder of its own, rebuilt whole so that nothing of an older
// build stays behind.
const site = args.site;
fs.rmSync(site, { recursive: true, force: true });
fs.mkdirSync(site, { recursive: true });
const put = (name, content) => fs.writeFileSync(path.join(site, name), content);
put("index.html", pageHtml({
  policy: "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; " +
    "img-src 'self'; connect-src 'self'; worker-src 'self'; manifest-src 'self'; " +
    "object-src 'none'; base-uri 'none'; form-action 'none'",
  head: [
    '<link rel="manifest" href="manifest.webmanifest">',
    '<link rel="icon" type="image/svg+xml" href="favicon.svg">',
    '<link rel="icon" type="image/png" sizes="32x32" href="icon-32.png">',
    '<link rel="apple-touch-icon" href="icon-180.png">',
    '<link rel="stylesheet" href="kelmora.css">',
    '<script src="kelmora.js" defer></script>',
  ].join("\n"),
  script: "",
}));
put("kelmora.css", style);
put("kelmora.js", [glue, wasmBeside, api, page, source("register_sw.js")].join("\n"));
put("kelmora-core.wasm", wasm);
put("favicon.svg", icon);
for (const name of fs.readdirSync(args.icons).filter((n) => n.endsWith(".png"))) {
  fs.copyFileSync(path.join(args.icons, name), path.join(site, name));
}
put("robots.txt", "User-agent: *\nAllow: /\n");
const lightTheme = "#0a246a";
put("manifest.webmanifest", `${JSON.stringify({
  id: "./",
  name: "Kelmora",
  short_name: "Kelmora",
  description: design.wording.description,
  version: args.version,
  lang: "en",
  dir: "ltr",
  start_url: "./",
  scope: "./",
  display: "standalone",
  background_color: "#ece9d8",
  theme_color: lightTheme,
  categories: ["games", "utilities"],
  icons: [
    { src: "icon-192.png", sizes: "192x192", type: "image/png", purpose: "any" },
    { src: "icon-512.png", sizes: "512x512", type: "image/png", purpose: "any" },
    { src: "icon-maskable-512.png", sizes: "512x512", type: "image/png", purpose: "maskable" },
  ],
}, null, 2)}\n`);

// 4. The service worker.
await writeServiceWorker(site);
