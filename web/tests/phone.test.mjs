// kelmora.html on phones: 320, 360 and 412 CSS px wide, touch, device scale
// 2 to 3. The same elements laid out for fingers: nothing scrolls sideways,
// every target is at least 44 × 44 and none overlaps another, box text is at
// least 16 px and no text is below 12 px, each stat's boxes stay together,
// and the behaviour is the desktop's: focus order, activations, the dialog.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { after, before, describe, test } from "node:test";
import { pathToFileURL } from "node:url";

import { chromiumPath, launch } from "./browser.mjs";
import { calculations, focused, openPage, selectedText, tabThrough, value } from "./page_driver.mjs";
import { webDir } from "./web_dir.mjs";

const pageUrl = pathToFileURL(path.join(webDir, "kelmora.html")).href;
const core = await import(pathToFileURL(path.join(webDir, "kelmora-core.mjs")).href);
const layout = await core.design();
const inputs = layout.controls.filter((c) => c.input);
const stops = layout.controls.filter((c) => c.focus > 0).sort((a, b) => a.focus - b.focus);

const skip = fs.existsSync(chromiumPath) ? false : `no Chromium at ${chromiumPath}`;

const phones = [
  { width: 320, height: 568, deviceScaleFactor: 2 },
  { width: 360, height: 740, deviceScaleFactor: 3 },
  { width: 412, height: 915, deviceScaleFactor: 2.625 },
];

// Every visible control a finger can hit, with its box.
const targets = (page) =>
  page.evaluate(() =>
    [...document.querySelectorAll("input, button")]
      .filter((e) => e.offsetParent !== null)
      .map((e) => {
        const r = e.getBoundingClientRect();
        return { id: e.id || e.textContent, x: r.x, y: r.y + scrollY, width: r.width, height: r.height };
      }));

for (const phone of phones) {
  describe(`kelmora.html on a ${phone.width} px phone`, { skip }, () => {
    let browser;
    let page;
    const offences = [];

    before(async () => {
      browser = await launch({
        viewport: { width: phone.width, height: phone.height },
        deviceScaleFactor: phone.deviceScaleFactor,
        isMobile: true,
        hasTouch: true,
      });
      page = await openPage(browser.context, pageUrl, offences);
      // Results and the Levels section filled in, as after a first Calculate.
      await page.tap("#btn_calc");
      await page.waitForFunction(() => document.querySelector("#levels-rows tr"));
      await page.click("#btn_addsighting");
      for (const [box, text] of [["txt_level", "50"], ["txt_hpval", "264"], ["txt_mpval", "22"],
        ["txt_paval", "13"], ["txt_maval", "39"]]) {
        await page.fill(`[id="sightings[2]/${box}"]`, text);
      }
    });
    after(async () => {
      await browser?.close();
      assert.deepEqual(offences, []);
    });

    test("nothing scrolls sideways", async () => {
      const { scroll, client } = await page.evaluate(() => ({
        scroll: document.documentElement.scrollWidth,
        client: document.documentElement.clientWidth,
      }));
      assert.equal(client, phone.width);
      assert.ok(scroll <= client, `${scroll} px of content in ${client} px`);
    });

    test("every target is at least 44 × 44 CSS px, and no two overlap", async () => {
      const all = await targets(page);
      assert.ok(all.length >= 22 + 3, "the window's 22 stops and the Levels section's controls");
      for (const t of all) {
        assert.ok(t.width >= 44 && t.height >= 44, `${t.id}: ${t.width} × ${t.height}`);
      }
      for (let i = 0; i < all.length; i++) {
        for (let j = i + 1; j < all.length; j++) {
          const [a, b] = [all[i], all[j]];
          const apart = a.x + a.width <= b.x || b.x + b.width <= a.x ||
            a.y + a.height <= b.y || b.y + b.height <= a.y;
          assert.ok(apart, `${a.id} and ${b.id} overlap`);
        }
      }
    });

    test("box text is at least 16 px, and no text is below 12 px", async () => {
      const sizes = await page.evaluate(() => {
        const boxes = [...document.querySelectorAll("input")]
          .filter((e) => e.offsetParent !== null)
          .map((e) => [e.id, parseFloat(getComputedStyle(e).fontSize)]);
        const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
        const texts = [];
        for (let node = walker.nextNode(); node; node = walker.nextNode()) {
          const element = node.parentElement;
          if (!node.textContent.trim() || element.closest("[hidden], template, script, style")) continue;
          if (element.getClientRects().length === 0) continue;
          texts.push([node.textContent.trim().slice(0, 30), parseFloat(getComputedStyle(element).fontSize)]);
        }
        return { boxes, texts };
      });
      for (const [id, size] of sizes.boxes) assert.ok(size >= 16, `${id}: ${size} px`);
      for (const [text, size] of sizes.texts) assert.ok(size >= 12, `"${text}": ${size} px`);
    });

    test("each stat's three inputs and two results sit together under its name", async () => {
      for (const [i, stat] of layout.wording.stats.entries()) {
        const band = await page.locator(`#Label4 .word-${i}`).boundingBox();
        assert.equal(await page.locator(`#Label4 .word-${i}`).textContent(), stat);
        const own = layout.controls.filter((c) => c.stat === i && c.role !== undefined);
        assert.equal(own.length, 5);
        for (const control of own) {
          const box = await page.locator(`#${control.name}`).boundingBox();
          assert.ok(box.y >= band.y - 1 && box.y + box.height <= band.y + band.height + 1,
            `${control.name} lies within the ${stat} band`);
        }
      }
    });

    test("the level and the Calculate button share a row under the stats", async () => {
      const level = await page.locator("#txt_level").boundingBox();
      const button = await page.locator("#btn_calc").boundingBox();
      const lastResult = await page.locator("#txt_mahi").boundingBox();
      assert.ok(Math.abs(level.y + level.height / 2 - (button.y + button.height / 2)) < 4);
      assert.ok(level.y > lastResult.y);
    });

    test("Tab visits the design's 22 stops in order", async () => {
      assert.deepEqual(await tabThrough(page, stops.length), stops.map((c) => c.name));
    });

    test("a tap, Space and Enter on the button and Alt+C each run one Calculate", async () => {
      const activations = [
        () => page.tap("#btn_calc"),
        async () => { await page.focus("#btn_calc"); await page.keyboard.press("Space"); },
        async () => { await page.focus("#btn_calc"); await page.keyboard.press("Enter"); },
        async () => { await page.focus("#txt_mam"); await page.keyboard.press("Alt+C"); },
      ];
      for (const [i, activate] of activations.entries()) {
        await page.fill("#txt_hpval", i % 2 ? "487" : "488");
        const before = await calculations(page);
        await activate();
        await page.waitForFunction((n) => window.calculations > n, before);
        await page.waitForTimeout(50);
        assert.equal(await calculations(page), before + 1);
        assert.equal(await value(page, "txt_hplo"), i % 2 ? "621423" : "622701");
      }
      await page.fill("#txt_hpval", "487");
    });

    test("an error's dialog fits the screen, closes by a tap on OK and selects the box to fix", async () => {
      await page.fill("#txt_pam", "0");
      const texts = [];
      for (const box of inputs) texts.push(await value(page, box.name));
      const { error } = await core.calculate(texts);
      await page.tap("#btn_calc");
      const dialog = page.locator('[role="alertdialog"]');
      await dialog.waitFor({ state: "visible" });
      assert.equal(await page.textContent("#message-text"), error.message);
      const box = await dialog.boundingBox();
      assert.ok(box.x >= 0 && box.x + box.width <= phone.width, "the dialog fits the width");
      const ok = await page.locator("#message-ok").boundingBox();
      assert.ok(ok.width >= 44 && ok.height >= 44);
      await page.tap("#message-ok");
      await dialog.waitFor({ state: "hidden" });
      assert.equal(await focused(page), error.fieldToFix);
      assert.equal(await selectedText(page), "0");
      await page.fill("#txt_pam", "97");
    });
  });
}
