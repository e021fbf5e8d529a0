// Prints the web front end's figures (measured, never asserted): the page's
// size, the time from navigation to ready for input in headless Chromium
// from file://, one Calculate from the key event to the results written, and
// calculate() calls per second in node.
//   node bench/figures.mjs
import fs from "node:fs";
import path from "node:path";
import { pathToFileURL } from "node:url";
import zlib from "node:zlib";

import { launch } from "../tests/browser.mjs";
import { webDir } from "../tests/web_dir.mjs";

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};

const html = fs.readFileSync(path.join(webDir, "kelmora.html"));
console.log(`kelmora.html: ${(html.length / 1024).toFixed(1)} KiB, ` +
            `${(zlib.gzipSync(html, { level: 9 }).length / 1024).toFixed(1)} KiB gzipped`);

const url = pathToFileURL(path.join(webDir, "kelmora.html")).href;
const browser = await launch();
try {
  const loads = [];
  for (let i = 0; i < 10; i++) {
    const page = await browser.context.newPage();
    await page.goto(url);
    await page.waitForSelector("body[data-ready]");
    loads.push(await page.evaluate(() => performance.getEntriesByName("kelmora-ready")[0].startTime));
    await page.close();
  }
  console.log(`navigation start to ready for input: median ${median(loads).toFixed(1)} ms ` +
              `(min ${Math.min(...loads).toFixed(1)}, max ${Math.max(...loads).toFixed(1)}, 10 loads)`);

  const page = await browser.context.newPage();
  await page.goto(url);
  await page.waitForSelector("body[data-ready]");
  // From the keydown of Alt+C to the last result box written.
  await page.evaluate(async () => {
    const instance = await kelmoraCore;
    window.keyTimes = [];
    window.writeTimes = [];
    document.addEventListener("keydown", (e) => window.keyTimes.push(e.timeStamp), true);
    let form = null;
    Object.defineProperty(instance, "pageForm", {
      get: () => form,
      set: (given) => {
        form = { ...given, setText: (name, text) => {
          given.setText(name, text);
          if (name === "txt_mahi") window.writeTimes.push(performance.now());
        } };
      },
    });
  });
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
}

const { calculate } = await import(pathToFileURL(path.join(webDir, "kelmora-core.mjs")).href);
const texts = ["487", "8", "108", "37", "30", "108", "22", "34", "97", "74", "7", "94", "99"];
await calculate(texts);
let calls = 0;
const start = performance.now();
while (performance.now() - start < 1000) {
  await calculate(texts);
  calls++;
}
console.log(`calculate() in node: ${Math.round(calls / ((performance.now() - start) / 1000))} calls per second`);
