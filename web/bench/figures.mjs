// Prints the web front end's figures (measured, never asserted), each load
// in a new page of headless Chromium, medians of 10, all in one run so that
// the ratios are the figures:
//   - navigation to ready for input: the boxes parsed and typeable (the
//     document interactive), on the screen with the first one focused (first
//     paint), and DOMContentLoaded done; for kelmora.html and for a floor page
//     (the same 21 boxes and button as static HTML, no script), both from file://;
//   - navigation to the core ready;
//   - the site from 127.0.0.1 on a first visit and on repeat visits served
//     by its service worker;
//   - one Calculate from the key event to the results written;
//   - calculate() calls per second in node; the sizes of the files, plain and gzip.
//   node bench/figures.mjs
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import zlib from "node:zlib";

import { launch } from "../tests/browser.mjs";
import { serve } from "../tests/serve.mjs";
import { siteDir, webDir } from "../tests/web_dir.mjs";

const loads = 10;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (x) => `${x.toFixed(1)} ms`;
const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;
const gzip = (bytes) => zlib.gzipSync(bytes, { level: 9 }).length;

const core = await import(pathToFileURL(path.join(webDir, "kelmora-core.mjs")).href);
const layout = await core.design();

// The floor: the window's boxes and button at their places, nothing else.
const floorFile = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "kelmora-floor-")), "floor.html");
fs.writeFileSync(floorFile, `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1"><title>floor</title></head>
<body><div style="position:relative;width:${layout.width}px;height:${layout.height}px">
${layout.controls.filter((c) => c.focus > 0).map((c) => {
  const place = `position:absolute;left:${c.left}px;top:${c.top}px;width:${c.width}px;height:${c.height}px`;
  return c.kind === "button" ? `<button id="${c.name}" style="${place}">Calculate!</button>`
    : `<input id="${c.name}" style="${place}" value="${c.defaultText}"${c.focus === 1 ? " autofocus" : ""}>`;
}).join("\n")}
</div></body></html>`);

// One load's times from navigation start.
async function timesOf(page, url, { waitCore }) {
  await page.goto(url);
  if (waitCore) await page.waitForSelector("body[data-ready]");
  else await page.waitForLoadState("load");
  await page.waitForFunction(() => performance.getEntriesByName("first-contentful-paint").length > 0);
  return page.evaluate(() => ({
    interactive: performance.getEntriesByType("navigation")[0].domInteractive,
    ready: performance.getEntriesByType("navigation")[0].domContentLoadedEventEnd,
    paint: performance.getEntriesByName("first-contentful-paint")[0].startTime,
    core: performance.getEntriesByName("kelmora-core-ready")[0]?.startTime,
  }));
}

async function measure(context, url, options, reuse = false, count = loads) {
  const samples = [];
  let page = reuse ? await context.newPage() : null;
  for (let i = 0; i < count; i++) {
    if (!reuse) page = await context.newPage();
    samples.push(await timesOf(page, url, options));
    if (!reuse) await page.close();
  }
  if (reuse) await page.close();
  const pick = (key) => median(samples.map((s) => s[key]));
  return { interactive: pick("interactive"), ready: pick("ready"), paint: pick("paint"),
    core: options.waitCore ? pick("core") : undefined };
}

const browser = await launch();
const server = await serve(siteDir);
try {
  const pageUrl = pathToFileURL(path.join(webDir, "kelmora.html")).href;
  // Floor and page in turns, so that the machine's drift hits both alike.
  const floorSamples = [];
  const singleSamples = [];
  for (let i = 0; i < loads; i++) {
    floorSamples.push(await measure(browser.context, pathToFileURL(floorFile).href, { waitCore: false }, false, 1));
    singleSamples.push(await measure(browser.context, pageUrl, { waitCore: true }, false, 1));
  }
  const medianOf = (samples) => ({
    interactive: median(samples.map((s) => s.interactive)),
    ready: median(samples.map((s) => s.ready)),
    paint: median(samples.map((s) => s.paint)),
    core: samples[0].core === undefined ? undefined : median(samples.map((s) => s.core)),
  });
  const floor = medianOf(floorSamples);
  const single = medianOf(singleSamples);
  // The site: a first visit in a fresh profile, then visits served by its worker.
  const fresh = await launch();
  let first;
  try {
    const page = await fresh.context.newPage();
    first = await timesOf(page, `${server.origin}/`, { waitCore: true });
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.close();
  } finally {
    await fresh.close();
  }
  const siteWarm = await launch();
  let repeat;
  try {
    const page = await siteWarm.context.newPage();
    await page.goto(`${server.origin}/`);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.close();
    repeat = await measure(siteWarm.context, `${server.origin}/`, { waitCore: true }, true);
  } finally {
    await siteWarm.close();
  }

  const row = (name, t) =>
    `  ${name.padEnd(36)} interactive ${ms(t.interactive).padStart(8)}  paint ${ms(t.paint).padStart(8)}` +
    `  DOMContentLoaded ${ms(t.ready).padStart(8)}` + (t.core === undefined ? "" : `  core ${ms(t.core).padStart(8)}`);
  console.log(`navigation to ready for input and to the core ready (medians of ${loads}):`);
  console.log(row("floor page (static boxes, file://)", floor));
  console.log(row("kelmora.html (file://)", single));
  console.log(row("site, first visit", first));
  console.log(row("site, repeat visits (service worker)", repeat));
  const ratios = (t) => ["interactive", "paint", "ready"]
    .map((key) => `${key === "ready" ? "DOMContentLoaded" : key} ${(t[key] / floor[key]).toFixed(2)} ×`).join(", ");
  console.log(`  kelmora.html / floor: ${ratios(single)}`);
  console.log(`  site repeat visits / floor: ${ratios(repeat)}`);

  // From the keydown of Alt+C to the last result box written.
  const page = await browser.context.newPage();
  await page.addInitScript(() => {
    window.keyTimes = [];
    window.writeTimes = [];
    document.addEventListener("keydown", (e) => window.keyTimes.push(e.timeStamp), true);
    const { get, set } = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, "value");
    Object.defineProperty(HTMLInputElement.prototype, "value", {
      get,
      set(text) {
        set.call(this, text);
        if (this.id === "txt_mahi") window.writeTimes.push(performance.now());
      },
    });
  });
  await page.goto(pageUrl);
  await page.waitForSelector("body[data-ready]");
  for (let i = 0; i < 50; i++) {
    await page.fill("#txt_hpval", i % 2 ? "487" : "488");
    await page.keyboard.down("Alt");
    await page.keyboard.press("KeyC");
    await page.keyboard.up("Alt");
    await page.waitForFunction((n) => window.writeTimes.length > n, i);
  }
  const spans = await page.evaluate(() => {
    const presses = window.keyTimes.filter((_, i) => i % 2 === 1);  // Alt, then C
    return window.writeTimes.map((t, i) => t - presses[i]);
  });
  console.log(`one Calculate, key event to results written: median ${median(spans).toFixed(3)} ms (50 presses)`);
} finally {
  await browser.close();
  await server.close();
}

const texts = ["487", "8", "108", "37", "30", "108", "22", "34", "97", "74", "7", "94", "99"];
await core.calculate(texts);
let calls = 0;
const start = performance.now();
while (performance.now() - start < 1000) {
  await core.calculate(texts);
  calls++;
}
console.log(`calculate() in node: ${Math.round(calls / ((performance.now() - start) / 1000))} calls per second`);

console.log("sizes (plain, gzip -9):");
const sized = (name, file) => {
  const bytes = fs.readFileSync(file);
  console.log(`  ${name.padEnd(22)} ${kib(bytes.length).padStart(10)} ${kib(gzip(bytes)).padStart(10)}`);
};
sized("kelmora-core.wasm", path.join(siteDir, "kelmora-core.wasm"));
sized("kelmora.html", path.join(webDir, "kelmora.html"));
sized("kelmora-core.mjs", path.join(webDir, "kelmora-core.mjs"));
const siteFiles = fs.readdirSync(siteDir).map((name) => fs.readFileSync(path.join(siteDir, name)));
console.log(`  ${"site (all files)".padEnd(22)} ${kib(siteFiles.reduce((n, b) => n + b.length, 0)).padStart(10)} ` +
            `${kib(siteFiles.reduce((n, b) => n + gzip(b), 0)).padStart(10)}`);
