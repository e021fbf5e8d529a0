// The Levels section of kelmora.html in Chromium, by keyboard alone: the
// table of shown values at other levels after a Calculate (and only then), a
// level of one's own, further sightings and the narrowed ranges, a conflict,
// and a bad box named in the message with nothing typed lost.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { after, before, describe, test } from "node:test";
import { pathToFileURL } from "node:url";

import { chromiumPath, launch } from "./browser.mjs";
import { focused, openPage, selectedText, value } from "./page_driver.mjs";
import { webDir } from "./web_dir.mjs";

const pageUrl = pathToFileURL(path.join(webDir, "kelmora.html")).href;
const core = await import(pathToFileURL(path.join(webDir, "kelmora-core.mjs")).href);
const layout = await core.design();
const inputs = layout.controls.filter((c) => c.input);
const skip = fs.existsSync(chromiumPath) ? false : `no Chromium at ${chromiumPath}`;

let browser;
let page;
const offences = [];

const windowTexts = () => Promise.all(inputs.map((box) => value(page, box.name)));
const tableRows = () =>
  page.$$eval("#levels-rows tr", (rows) =>
    rows.map((row) => [...row.children].slice(0, 5).map((cell) => cell.textContent)));
const narrowedCells = () => page.$$eval("#narrowed-table td", (cells) => cells.map((c) => c.textContent));

// Presses the focused control, as a keyboard user does.
async function pressKey(key) {
  await page.keyboard.press(key);
  await page.waitForTimeout(30);
}
async function tabTo(id) {
  for (let i = 0; i < 80 && (await focused(page)) !== id; i++) await page.keyboard.press("Tab");
  assert.equal(await focused(page), id);
}
async function typeInto(id, text) {
  await tabTo(id);
  await page.keyboard.press("Control+A");
  await page.keyboard.type(text);
}
async function calculate() {
  await page.keyboard.press("Alt+C");
  await page.waitForFunction(() => !document.querySelector(".table-frame").hidden);
  await page.waitForTimeout(50);
}

describe("the Levels section", { skip }, () => {
  before(async () => {
    browser = await launch({ viewport: { width: 1024, height: 900 } });
    page = await openPage(browser.context, pageUrl, offences);
  });
  after(async () => {
    await browser?.close();
    assert.deepEqual(offences, []);
  });

  test("is empty until a Calculate, then shows the table the core gives", async () => {
    assert.ok(await page.locator(".table-frame").isHidden());
    await calculate();
    const expected = await core.levelTable(await windowTexts(), []);
    const rows = await tableRows();
    assert.deepEqual(rows.map((r) => r[0].split(" ")[0]), expected.rows.map((r) => r.level));
    assert.deepEqual(rows.map((r) => r.slice(1)), expected.rows.map((r) => r.display));
    assert.equal(await page.textContent("#levels-for"), expected.caption);
    assert.deepEqual(await page.$$eval("#levels-rows tr.own th", (ths) => ths.map((th) => th.textContent)),
      [`99 ${layout.wording.ownLevelMark}`]);
    // The table's headers, for screen readers.
    const headers = await page.$$eval("#levels-table thead th", (ths) => ths.map((th) => th.scope));
    assert.ok(headers.every((scope) => scope === "col"));
  });

  test("later edits leave the table alone until the next Calculate", async () => {
    const before = await tableRows();
    const caption = await page.textContent("#levels-for");
    await typeInto("txt_hpval", "41");
    await typeInto("txt_level", "1");
    assert.deepEqual(await tableRows(), before);
    assert.equal(await page.textContent("#levels-for"), caption);
    await calculate();
    const rows = await tableRows();
    // HP 41 at level 1 is 487 … 499 at level 99.
    assert.deepEqual(rows.find((r) => r[0].startsWith("99")).slice(1, 2), ["487 \u2026 499"]);
    assert.notEqual(await page.textContent("#levels-for"), caption);
  });

  test("a level of one's own joins the table in order, and leaves it again", async () => {
    await typeInto("txt_newlevel", "4.5e1");
    await pressKey("Enter");
    const rows = await tableRows();
    const levels = rows.map((r) => r[0].split(" ")[0]);
    assert.deepEqual(levels.slice(0, 7), ["1", "10", "20", "30", "40", "45", "50"]);
    assert.equal(await value(page, "txt_newlevel"), "", "the box is ready for the next level");
    await tabTo("txt_newlevel");
    await page.keyboard.press("Shift+Tab");
    assert.match(await page.evaluate(() => document.activeElement.getAttribute("aria-label")), /45$/);
    await pressKey("Space");
    assert.ok(!(await tableRows()).some((r) => r[0].startsWith("45")));
  });

  test("a bad level is named, and the text stays in its box, selected", async () => {
    await typeInto("txt_newlevel", "4x");
    await pressKey("Enter");
    await page.locator('[role="alertdialog"]').waitFor({ state: "visible" });
    assert.match(await page.textContent("#message-text"), /Level to show: "4x" is not a number/);
    await pressKey("Enter");
    assert.equal(await focused(page), "txt_newlevel");
    assert.equal(await selectedText(page), "4x");
    await page.keyboard.press("Backspace");
  });

  test("sightings narrow the ranges; the window's is the first", async () => {
    await tabTo("btn_addsighting");
    await pressKey("Enter");
    assert.equal(await focused(page), "sightings[2]/txt_level");
    // The character as the table says it shows at level 99.
    const at99 = (await tableRows()).find((r) => r[0].startsWith("99")).slice(1).map((t) => t.split(" ")[0]);
    for (const text of ["99", ...at99]) {
      await page.keyboard.type(text);
      await page.keyboard.press("Tab");
    }
    await calculate();
    const sightings = [{ level: "99", values: at99 }];
    const expected = await core.narrow(await windowTexts(), sightings);
    assert.ok(expected.narrowed.every((n) => n.range), "one character, seen twice");
    assert.deepEqual(await narrowedCells(), expected.narrowed.map((n) => n.display));
    assert.equal(expected.narrowed[0].display, "621990 \u2026 622700");
    const shown = await page.$$eval('[id="sightings[2]/txt_level"]', ([box]) =>
      [...box.closest("li").querySelectorAll("dd")].map((dd) => dd.textContent));
    assert.deepEqual(shown, expected.sightings[1].display);
    assert.equal(await page.getAttribute("#narrowed", "role"), "status");
  });

  test("sightings that cannot be one character are named, per stat", async () => {
    await typeInto("sightings[2]/txt_mpval", "60");
    await calculate();
    const cells = await narrowedCells();
    assert.match(cells[1], /sightings 1 and 2 disagree on MP/);
    assert.equal(cells[0], "621990 \u2026 622700", "the other stats still narrow");
  });

  test("a bad box in a sighting is named with its row, and nothing typed is lost", async () => {
    await tabTo("btn_addsighting");
    await pressKey("Enter");
    await page.keyboard.type("50");
    await page.keyboard.press("Tab");
    await page.keyboard.type("abc");
    await calculate().catch(() => {});
    await page.locator('[role="alertdialog"]').waitFor({ state: "visible" });
    assert.match(await page.textContent("#message-text"), /Sighting 3 HP stat value: "abc" is not a number/);
    await pressKey("Escape");
    assert.equal(await focused(page), "sightings[3]/txt_hpval");
    assert.equal(await selectedText(page), "abc");
    assert.equal(await value(page, "sightings[3]/txt_level"), "50");
    assert.equal(await value(page, "sightings[2]/txt_mpval"), "60");
  });

  test("removing a sighting renumbers the ones after it", async () => {
    await tabTo("sightings[2]/txt_level");
    // The row's boxes, then its Remove button.
    for (let i = 0; i < 5; i++) await page.keyboard.press("Tab");
    assert.match(await page.evaluate(() => document.activeElement.getAttribute("aria-label")), /2$/);
    await pressKey("Enter");
    assert.equal(await focused(page), "btn_addsighting");
    assert.equal(await value(page, "sightings[2]/txt_level"), "50", "sighting 3 is now sighting 2");
    assert.equal(await value(page, "sightings[2]/txt_hpval"), "abc");
  });
});
