// The site as a player keeps it: served from 127.0.0.1 by a small static
// server, in Debian's Chromium with a fresh persistent profile. Installable
// (the manifest, real icon sizes, no installability error), offline after the
// first visit, updated whole by a new build with nothing outdated left in the
// caches; no request leaves the origin, no 404, no console error; axe-core
// finds nothing.
import assert from "node:assert/strict";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { after, before, describe, test } from "node:test";
import { fileURLToPath } from "node:url";

import { writeServiceWorker } from "../build/service_worker.mjs";
import { violationsInEachState } from "./a11y_states.mjs";
import { chromiumPath, launch } from "./browser.mjs";
import { openPage, value } from "./page_driver.mjs";
import { serve } from "./serve.mjs";
import { siteDir } from "./web_dir.mjs";

const skip = fs.existsSync(chromiumPath) ? false : `no Chromium at ${chromiumPath}`;
const projectVersion = fs
  .readFileSync(path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../../CMakeLists.txt"), "utf8")
  .match(/project\(kelmora VERSION (\S+)/)[1];
const defaultResults = ["621423", "622700", "134912", "138538", "97790", "102234", "97344", "98663"];
const resultOrder = ["txt_hplo", "txt_hphi", "txt_mplo", "txt_mphi", "txt_palo", "txt_pahi", "txt_malo", "txt_mahi"];

// The width and height a PNG says it has.
function pngSize(file) {
  const bytes = fs.readFileSync(file);
  assert.equal(bytes.toString("latin1", 1, 4), "PNG", `${file} is a PNG`);
  return [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];
}

describe("the site", { skip }, () => {
  // A copy of the built site, so that a rebuild can be played on it.
  const root = fs.mkdtempSync(path.join(os.tmpdir(), "kelmora-site-"));
  fs.cpSync(siteDir, root, { recursive: true });
  let server;
  let browser;
  let url;
  const offences = [];
  const own = (address) => address.startsWith(`${server.origin}/`);
  const results = async (page) => Promise.all(resultOrder.map((name) => value(page, name)));

  before(async () => {
    server = await serve(root);
    url = `${server.origin}/kelmora/`;
    // Served from a sub-path, as a fan site would.
    fs.mkdirSync(path.join(root, "kelmora"));
    for (const name of fs.readdirSync(root).filter((n) => n !== "kelmora")) {
      fs.renameSync(path.join(root, name), path.join(root, "kelmora", name));
    }
    browser = await launch();
  });
  after(async () => {
    await browser?.close();
    await server?.close();
    fs.rmSync(root, { recursive: true, force: true });
    assert.deepEqual(offences, [], "no request beyond the origin, no console error");
    assert.deepEqual(server.requests.filter((r) => r.status !== 200), [], "no 404");
  });

  test("its manifest describes an installable app, with icons of their real sizes", async () => {
    const response = await fetch(`${url}manifest.webmanifest`);
    assert.equal(response.headers.get("content-type"), "application/manifest+json");
    const manifest = await response.json();
    assert.equal(manifest.name, "Kelmora");
    assert.ok(manifest.short_name && manifest.short_name.length <= 12);
    assert.ok(manifest.description.length > 40);
    assert.equal(manifest.version, projectVersion);
    for (const key of ["start_url", "scope", "id"]) assert.equal(manifest[key], "./", key);
    assert.equal(manifest.display, "standalone");
    assert.match(manifest.theme_color, /^#[0-9a-f]{6}$/);
    assert.match(manifest.background_color, /^#[0-9a-f]{6}$/);
    const folder = path.join(root, "kelmora");
    const sizes = manifest.icons.map((icon) => [icon.purpose, icon.sizes, pngSize(path.join(folder, icon.src)).join("x")]);
    assert.deepEqual(sizes, [["any", "192x192", "192x192"], ["any", "512x512", "512x512"],
      ["maskable", "512x512", "512x512"]]);
    assert.deepEqual(pngSize(path.join(folder, "icon-180.png")), [180, 180], "apple-touch-icon");
    assert.deepEqual(pngSize(path.join(folder, "icon-32.png")), [32, 32], "favicon");
    const robots = await fetch(`${url}robots.txt`);
    assert.match(await robots.text(), /^User-agent: \*/);
    const wasm = await fetch(`${url}kelmora-core.wasm`);
    assert.equal(wasm.headers.get("content-type"), "application/wasm");
  });

  test("Chromium finds nothing that stops installing it", async () => {
    const page = await openPage(browser.context, url, offences, own);
    const cdp = await browser.context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    assert.deepEqual(installabilityErrors, []);
    const themes = await page.evaluate(() =>
      [...document.querySelectorAll('meta[name="theme-color"]')].map((m) => m.media));
    assert.deepEqual(themes, ["(prefers-color-scheme: light)", "(prefers-color-scheme: dark)"]);
    await page.close();
  });

  test("after one reload its service worker controls the page, and offline it still calculates", async () => {
    const page = await openPage(browser.context, url, offences, own);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForSelector("body[data-ready]");
    assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));

    const served = server.requests.length;
    await browser.context.setOffline(true);
    await page.reload();
    await page.waitForSelector("body[data-ready]");
    await page.click("#btn_calc");
    await page.waitForFunction(() => document.getElementById("txt_hplo").value !== "");
    assert.deepEqual(await results(page), defaultResults);
    assert.equal(server.requests.length, served, "no request reached the server while offline");
    await browser.context.setOffline(false);
    await page.close();
  });

  test("a new build replaces the old one whole, and leaves nothing outdated in the caches", async () => {
    const folder = path.join(root, "kelmora");
    fs.appendFileSync(path.join(folder, "kelmora.css"), "\nbody { --build: rebuilt; }\n");
    await writeServiceWorker(folder);
    const revisions = new Map(
      [...fs.readFileSync(path.join(folder, "sw.js"), "utf8").matchAll(/url:"([^"]+)",revision:"([^"]+)"/g)]
        .map(([, file, revision]) => [file, revision]));
    assert.ok(revisions.has("kelmora.css"));

    // The next visit finds the new worker; it takes over once the old pages are gone.
    let page = await openPage(browser.context, url, offences, own);
    await page.evaluate(async () => (await navigator.serviceWorker.ready).update());
    await page.close();
    let build = "";
    for (let attempt = 0; attempt < 20 && build !== "rebuilt"; attempt++) {
      page = await openPage(browser.context, url, offences, own);
      build = await page.evaluate(() => getComputedStyle(document.body).getPropertyValue("--build").trim());
      if (build !== "rebuilt") {
        await page.close();
        await new Promise((resolve) => setTimeout(resolve, 250));
      }
    }
    assert.equal(build, "rebuilt", "the new build is served");
    const cached = await page.evaluate(async () => {
      const entries = [];
      for (const name of await caches.keys()) {
        for (const request of await (await caches.open(name)).keys()) entries.push(request.url);
      }
      return entries;
    });
    const expected = [...revisions].map(([file, revision]) => `${url}${file}?__WB_REVISION__=${revision}`);
    assert.deepEqual(cached.sort(), expected.sort(), "the caches hold this build's files, and only them");
    await page.click("#btn_calc");
    await page.waitForFunction(() => document.getElementById("txt_hplo").value !== "");
    assert.deepEqual(await results(page), defaultResults);
    await page.close();
  });

  for (const [name, options] of [["desktop", {}], ["phone, dark", { viewport: { width: 360, height: 800 },
    deviceScaleFactor: 3, isMobile: true, hasTouch: true, colorScheme: "dark" }]]) {
    test(`axe-core finds nothing on it (${name})`, async () => {
      const own2 = [];
      const other = await launch(options);
      try {
        const page = await openPage(other.context, url, own2, own);
        assert.deepEqual(await violationsInEachState(page), []);
      } finally {
        await other.close();
      }
      assert.deepEqual(own2, []);
    });
  }
});
