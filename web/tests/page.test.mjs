// The page in real headless Chromium at a desktop size, as kelmora.html opened
// from disk and as the site served from 127.0.0.1: the design's window
// (places, captions, fonts), the focus order from the document, typing
// limits, read-only results, every way to calculate (also before the core is
// ready), the error dialog, spoken names, and not one request beyond the page's
// own files or console error.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { after, before, describe, test } from "node:test";
import { pathToFileURL } from "node:url";

import { chromiumPath, launch } from "./browser.mjs";
import { serve } from "./serve.mjs";
import { calculations, countCalculations, focused, openPage, selectedText, setBox, tabThrough, value } from "./page_driver.mjs";
import { siteDir, webDir } from "./web_dir.mjs";

const core = await import(pathToFileURL(path.join(webDir, "kelmora-core.mjs")).href);
const layout = await core.design();
const inputs = layout.controls.filter((c) => c.input);
const results = layout.controls.filter((c) => c.label !== undefined && !c.input);
const stops = layout.controls.filter((c) => c.focus > 0).sort((a, b) => a.focus - b.focus);

const skip = fs.existsSync(chromiumPath) ? false : `no Chromium at ${chromiumPath}`;

// Each target: where it is, and which requests are its own.
const targets = [
  { name: "kelmora.html", open: async () => {
    const url = pathToFileURL(path.join(webDir, "kelmora.html")).href;
    return { url, own: (address) => address === url, close: async () => {} };
  } },
  { name: "the site", open: async () => {
    const server = await serve(siteDir);
    return { url: `${server.origin}/`, own: (address) => address.startsWith(`${server.origin}/`),
      close: server.close };
  } },
];

for (const target of targets) {
  describe(`${target.name} in Chromium`, { skip }, () => {
    let browser;
    let page;
    let where;
    let pageUrl;
    const offences = [];  // network requests and console errors, all along

    async function resetInputs() {
      for (const box of inputs) await page.fill(`#${box.name}`, box.defaultText);
    }

    before(async () => {
      where = await target.open();
      pageUrl = where.url;
      browser = await launch();
      page = await openPage(browser.context, pageUrl, offences, where.own);
    });
    after(async () => {
      await browser?.close();
      await where?.close();
      assert.deepEqual(offences, [], "no request beyond the page's own and no console error from load to close");
    });

    test("starts with the caption as its heading, the default inputs, empty results and focus in txt_hpval", async () => {
      assert.equal(await page.title(), layout.caption);
      const heading = page.getByRole("heading", { level: 1 });
      assert.equal(await heading.textContent(), layout.caption);
      assert.ok(await heading.isVisible());
      assert.equal(await page.locator("main").count(), 1);
      for (const box of inputs) assert.equal(await value(page, box.name), box.defaultText, box.name);
      for (const box of results) assert.equal(await value(page, box.name), "", box.name);
      assert.equal(await focused(page), "txt_hpval");
    });

    test("every control sits at the design's place and size, with its caption and font", async () => {
      const client = await page.locator("#client").boundingBox();
      assert.equal(client.width, layout.width);
      assert.equal(client.height, layout.height);
      for (const control of layout.controls) {
        const element = page.locator(`#${control.name}`);
        const box = await element.boundingBox();
        const place = [box.x - client.x, box.y - client.y, box.width, box.height];
        assert.deepEqual(place.map(Math.round),
          [control.left, control.top, control.width, control.height], control.name);
        const weight = await element.evaluate((e) => getComputedStyle(e).fontWeight);
        assert.equal(weight === "700", control.bold, `${control.name} bold`);
        if (control.kind === "label" || control.kind === "groupBox") {
          assert.equal((await element.textContent()).trim(), control.caption.trim(), control.name);
        }
      }
      assert.equal(await page.textContent("#btn_calc"), "Calculate!");
      assert.equal(await page.textContent("#btn_calc u"), "C");
    });

    test("Tab visits the 22 stops in the design's order, taken from the document alone", async () => {
      assert.equal(stops.length, 22);
      const positive = await page.evaluate(() =>
        [...document.querySelectorAll("[tabindex]")].filter((e) => e.tabIndex > 0).map((e) => e.id));
      assert.deepEqual(positive, [], "no positive tabindex");
      assert.deepEqual(await tabThrough(page, stops.length), stops.map((c) => c.name));
    });

    test("a 3-character box refuses a fourth character; txt_maval and txt_mac do not", async () => {
      for (const box of inputs) {
        await setBox(page, box.name, "12345");
        assert.equal(await value(page, box.name), box.maxLength === 3 ? "123" : "12345", box.name);
      }
      await resetInputs();
    });

    test("every activation runs exactly one Calculate; typing runs none", async () => {
      const activations = [
        ["a click", () => page.click("#btn_calc")],
        ["Space on the button", async () => { await page.focus("#btn_calc"); await page.keyboard.press("Space"); }],
        ["Enter on the button", async () => { await page.focus("#btn_calc"); await page.keyboard.press("Enter"); }],
        ["Alt+C in a box", async () => { await page.focus("#txt_level"); await page.keyboard.press("Alt+C"); }],
        ["Alt+C on a result", async () => { await page.focus("#txt_mahi"); await page.keyboard.press("Alt+C"); }],
      ];
      let hp = "487";
      for (const [name, activate] of activations) {
        hp = hp === "487" ? "488" : "487";
        await page.fill("#txt_hpval", hp);
        const before = await calculations(page);
        await activate();
        await page.waitForFunction((n) => window.calculations > n, before);
        await page.waitForTimeout(50);
        assert.equal(await calculations(page), before + 1, `${name}: one Calculate`);
        assert.equal(await value(page, "txt_hplo"), hp === "488" ? "622701" : "621423", name);
      }
      await resetInputs();
      await page.click("#btn_calc");
      // calculate() answers HP min, HP max, MP min, MP max, PA min, PA max, MA min, MA max.
      const resultOrder = ["txt_hplo", "txt_hphi", "txt_mplo", "txt_mphi",
        "txt_palo", "txt_pahi", "txt_malo", "txt_mahi"];
      const shown = [];
      for (const name of resultOrder) shown.push(await value(page, name));
      const expected = await core.calculate(inputs.map((c) => c.defaultText));
      assert.deepEqual(shown, expected.results);

      const before = await calculations(page);
      await setBox(page, "txt_hpval", "9");
      await page.keyboard.press("Enter");
      assert.equal(await calculations(page), before, "typing and Enter in a box never calculate");
      assert.equal(await value(page, "txt_hplo"), expected.results[0], "nor clear the results");
      await resetInputs();
    });

    test("result boxes take focus and select, but refuse typing, pasting, cutting and deleting", async () => {
      await page.click("#btn_calc");
      const shown = await value(page, "txt_hplo");
      await page.focus("#txt_hplo");
      assert.equal(await focused(page), "txt_hplo");
      await page.keyboard.press("Control+A");
      assert.equal(await selectedText(page), shown);
      for (const key of ["9", "Backspace", "Delete", "Control+X", "Control+V"]) {
        await page.keyboard.press(key);
      }
      await page.keyboard.insertText("77");
      assert.equal(await value(page, "txt_hplo"), shown);
      assert.equal(await page.getAttribute("#txt_hplo", "readonly"), "");
    });

    for (const [closer, clickBehind] of [["Escape", false], ["Enter", false], ["Enter", true]]) {
      test(`an error opens a dialog; ${clickBehind ? "after a click behind it, " : ""}${closer} closes it and the box to fix is selected`, async () => {
        await page.click("#btn_calc");
        const before = [];
        for (const box of results) before.push(await value(page, box.name));
        await page.fill("#txt_mpm", "0");
        const texts = [];
        for (const box of inputs) texts.push(await value(page, box.name));
        const { error } = await core.calculate(texts);

        await page.focus("#txt_hpval");
        await page.keyboard.press("Alt+C");
        const dialog = page.locator('[role="alertdialog"]');
        await dialog.waitFor({ state: "visible" });
        assert.equal(await page.textContent("#message-text"), error.message);
        assert.equal(await focused(page), "message-ok");
        if (clickBehind) {
          await page.mouse.click(5, 5);
          assert.equal(await focused(page), "message-ok", "the click behind keeps the keyboard on the dialog");
        }
        await page.keyboard.press(closer);
        await dialog.waitFor({ state: "hidden" });
        assert.equal(await focused(page), error.fieldToFix);
        assert.equal(await selectedText(page), "0");
        const after = [];
        for (const box of results) after.push(await value(page, box.name));
        assert.deepEqual(after, before, "a failed Calculate changes no result");
        await resetInputs();
      });
    }

    test("every box has the spoken name of the desktop, results are read-only", async () => {
      const cdp = await browser.context.newCDPSession(page);
      const { nodes } = await cdp.send("Accessibility.getFullAXTree");
      const boxes = nodes.filter((n) => n.role?.value === "textbox");
      const named = new Map(boxes.map((n) => [n.name?.value, n]));
      for (const control of [...inputs, ...results]) {
        const node = named.get(control.label);
        assert.ok(node, `no textbox named "${control.label}"`);
        const readonly = node.properties?.find((p) => p.name === "readonly")?.value.value ?? false;
        assert.equal(readonly, !control.input, `${control.label} read-only`);
      }
      const button = nodes.find((n) => n.role?.value === "button" && n.name?.value === "Calculate!");
      assert.ok(button, "the button is named Calculate!");
    });

    test("the boxes are there before the core is ready, and a Calculate pressed meanwhile runs once when it is", async () => {
      const early = await browser.context.newPage();
      // Hold the core's compilation until released.
      await early.addInitScript(() => {
        for (const name of ["instantiate", "instantiateStreaming"]) {
          const real = WebAssembly[name];
          WebAssembly[name] = (...args) => new Promise((resolve) => {
            window.releaseCore = () => resolve(real.apply(WebAssembly, args));
          });
        }
      });
      await countCalculations(early);
      early.on("pageerror", (error) => offences.push(`page error: ${error.message}`));
      await early.goto(pageUrl);
      await early.waitForFunction(() => typeof window.releaseCore === "function");
      assert.equal(await focused(early), "txt_hpval", "focus is in the first box before the core is ready");
      await early.click("#btn_calc");
      await early.waitForTimeout(100);
      assert.equal(await value(early, "txt_hplo"), "", "nothing is calculated before the core is ready");
      await early.evaluate(() => window.releaseCore());
      await early.waitForSelector("body[data-ready]");
      await early.waitForFunction(() => document.getElementById("txt_hplo").value !== "");
      await early.waitForTimeout(100);
      assert.equal(await calculations(early), 1, "exactly one Calculate");
      assert.equal(await value(early, "txt_hplo"), "621423");
      await early.close();
    });
  });
}
