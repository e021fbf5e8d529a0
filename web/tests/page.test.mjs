// kelmora.html in real headless Chromium, opened from disk as a player would:
// layout against the design table, focus order, typing limits, read-only
// results, every way to calculate, the error dialog, spoken names, the fit on
// a phone, and not one network request or console error.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { after, before, describe, test } from "node:test";
import { pathToFileURL } from "node:url";

import { launch, chromiumPath } from "./browser.mjs";
import { webDir } from "./web_dir.mjs";

const pageUrl = pathToFileURL(path.join(webDir, "kelmora.html")).href;
const core = await import(pathToFileURL(path.join(webDir, "kelmora-core.mjs")).href);
const layout = await core.design();
const inputs = layout.controls.filter((c) => c.input);
const results = layout.controls.filter((c) => c.label !== undefined && !c.input);

const skip = fs.existsSync(chromiumPath) ? false : `no Chromium at ${chromiumPath}`;

let browser;
let page;
const offences = [];  // network requests and console errors, all along

async function openPage(context, url = pageUrl) {
  const opened = await context.newPage();
  // The page itself, and the core's inlined wasm read through a data: URL.
  opened.on("request", (request) => {
    const address = request.url();
    if (address !== url && !address.startsWith("data:")) offences.push(`request: ${address}`);
  });
  opened.on("console", (message) => {
    if (message.type() === "error") offences.push(`console: ${message.text()}`);
  });
  opened.on("pageerror", (error) => offences.push(`page error: ${error.message}`));
  await opened.goto(url);
  await opened.waitForSelector("body[data-ready]");
  // Count the Calculate commands that run: each reads txt_hpval first, once,
  // through the form the page hands the core.
  await opened.evaluate(async () => {
    const instance = await kelmoraCore;
    window.calculations = 0;
    let form = null;
    Object.defineProperty(instance, "pageForm", {
      get: () => form,
      set: (given) => {
        form = {
          ...given,
          getText: (name) => {
            if (name === "txt_hpval") window.calculations += 1;
            return given.getText(name);
          },
        };
      },
    });
  });
  return opened;
}

const value = (name) => page.inputValue(`#${name}`);
const focused = () => page.evaluate(() => document.activeElement.id);
const calculations = () => page.evaluate(() => window.calculations);

async function setBox(name, text) {
  await page.click(`#${name}`);
  await page.keyboard.press("Control+A");
  if (text === "") await page.keyboard.press("Backspace");
  else await page.keyboard.type(text);
}

async function resetInputs() {
  for (const box of inputs) {
    await page.fill(`#${box.name}`, box.defaultText);
  }
}

describe("kelmora.html in Chromium", { skip }, () => {
  before(async () => {
    browser = await launch();
    page = await openPage(browser.context);
  });
  after(async () => {
    await browser?.close();
    assert.deepEqual(offences, [], "no network request and no console error from load to close");
  });

  test("starts with the caption, the default inputs, empty results and focus in txt_hpval", async () => {
    assert.equal(await page.title(), layout.caption);
    assert.equal(await page.textContent("#caption"), layout.caption);
    for (const box of inputs) assert.equal(await value(box.name), box.defaultText, box.name);
    for (const box of results) assert.equal(await value(box.name), "", box.name);
    assert.equal(await focused(), "txt_hpval");
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

  test("Tab visits the 22 stops in the design's order", async () => {
    const stops = layout.controls.filter((c) => c.focus > 0).sort((a, b) => a.focus - b.focus);
    assert.equal(stops.length, 22);
    await page.focus("#txt_hpval");
    const visited = [await focused()];
    for (let i = 1; i < stops.length; i++) {
      await page.keyboard.press("Tab");
      visited.push(await focused());
    }
    assert.deepEqual(visited, stops.map((c) => c.name));
  });

  test("a 3-character box refuses a fourth character; txt_maval and txt_mac do not", async () => {
    for (const box of inputs) {
      await setBox(box.name, "12345");
      assert.equal(await value(box.name), box.maxLength === 3 ? "123" : "12345", box.name);
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
      const before = await calculations();
      await activate();
      await page.waitForFunction((n) => window.calculations > n, before);
      await page.waitForTimeout(50);
      assert.equal(await calculations(), before + 1, `${name}: one Calculate`);
      assert.equal(await value("txt_hplo"), hp === "488" ? "622701" : "621423", name);
    }
    await resetInputs();
    await page.click("#btn_calc");
    // calculate() answers HP min, HP max, MP min, MP max, PA min, PA max, MA min, MA max.
    const resultOrder = ["txt_hplo", "txt_hphi", "txt_mplo", "txt_mphi",
      "txt_palo", "txt_pahi", "txt_malo", "txt_mahi"];
    const shown = [];
    for (const name of resultOrder) shown.push(await value(name));
    const expected = await core.calculate(inputs.map((c) => c.defaultText));
    assert.deepEqual(shown, expected.results);

    const before = await calculations();
    await setBox("txt_hpval", "9");
    await page.keyboard.press("Enter");
    assert.equal(await calculations(), before, "typing and Enter in a box never calculate");
    assert.equal(await value("txt_hplo"), expected.results[0], "nor clear the results");
    await resetInputs();
  });

  test("result boxes take focus and select, but refuse typing, pasting, cutting and deleting", async () => {
    await page.click("#btn_calc");
    const shown = await value("txt_hplo");
    await page.focus("#txt_hplo");
    assert.equal(await focused(), "txt_hplo");
    await page.keyboard.press("Control+A");
    const selection = await page.evaluate(() => {
      const e = document.activeElement;
      return [e.selectionStart, e.selectionEnd];
    });
    assert.deepEqual(selection, [0, shown.length]);
    for (const key of ["9", "Backspace", "Delete", "Control+X", "Control+V"]) {
      await page.keyboard.press(key);
    }
    await page.keyboard.insertText("77");
    assert.equal(await value("txt_hplo"), shown);
    assert.equal(await page.getAttribute("#txt_hplo", "readonly"), "");
  });

  for (const [closer, clickBehind] of [["Escape", false], ["Enter", false], ["Enter", true]]) {
    test(`an error opens a dialog; ${clickBehind ? "after a click behind it, " : ""}${closer} closes it and the box to fix is selected`, async () => {
      await page.click("#btn_calc");
      const before = [];
      for (const box of results) before.push(await value(box.name));
      await page.fill("#txt_mpm", "0");
      const texts = [];
      for (const box of inputs) texts.push(await value(box.name));
      const { error } = await core.calculate(texts);

      await page.focus("#txt_hpval");
      await page.keyboard.press("Alt+C");
      const dialog = page.locator('[role="alertdialog"]');
      await dialog.waitFor({ state: "visible" });
      assert.equal(await page.textContent("#message-text"), error.message);
      assert.equal(await focused(), "message-ok");
      if (clickBehind) {
        await page.mouse.click(5, 5);
        assert.equal(await focused(), "message-ok", "the click behind keeps the keyboard on the dialog");
      }
      await page.keyboard.press(closer);
      await dialog.waitFor({ state: "hidden" });
      assert.equal(await focused(), error.fieldToFix);
      const selected = await page.evaluate(() => {
        const e = document.activeElement;
        return e.value.slice(e.selectionStart, e.selectionEnd);
      });
      assert.equal(selected, "0");
      const after = [];
      for (const box of results) after.push(await value(box.name));
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

  test("on a 360 px wide screen the whole window fits, scaled as one piece", async () => {
    const phone = await openPage(browser.context);
    await phone.setViewportSize({ width: 360, height: 640 });
    await phone.waitForTimeout(100);
    const fits = await phone.evaluate(() =>
      document.documentElement.scrollWidth <= document.documentElement.clientWidth);
    assert.ok(fits, "no horizontal scrolling");
    const client = await phone.locator("#client").boundingBox();
    assert.ok(client.x >= 0 && client.x + client.width <= 360, "the client area is on screen");
    const scale = client.width / layout.width;
    for (const control of layout.controls) {
      const box = await phone.locator(`#${control.name}`).boundingBox();
      assert.ok(Math.abs(box.x - client.x - control.left * scale) < 1, control.name);
      assert.ok(Math.abs(box.y - client.y - control.top * scale) < 1, control.name);
    }
    await phone.close();
  });
});
