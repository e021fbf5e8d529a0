// Driving the page in Chromium as a player would, and watching it: every
// request it makes and every console error, the Calculate commands it runs,
// and what axe-core finds.
import fs from "node:fs";
import { createRequire } from "node:module";

const require = createRequire(import.meta.url);
const axeSource = fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");

export const axeTags = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "best-practice"];

// Opens `url` in a new page of `context` and waits until the core is ready.
// `allowed(address)` says which requests are the page's own; anything else,
// and any console error or uncaught exception, goes into `offences`.
export async function openPage(context, url, offences, allowed = (address) => address === url) {
  const page = await context.newPage();
  page.on("request", (request) => {
    if (!allowed(request.url())) offences.push(`request: ${request.url()}`);
  });
  page.on("console", (message) => {
    if (message.type() === "error") offences.push(`console: ${message.text()}`);
  });
  page.on("pageerror", (error) => offences.push(`page error: ${error.message}`));
  await countCalculations(page);
  await page.goto(url);
  await page.waitForSelector("body[data-ready]");
  return page;
}

// Counts the Calculate commands that succeed: each writes txt_hplo once. (The
// page keeps its names to itself, so the count watches the box.)
export async function countCalculations(page) {
  await page.addInitScript(() => {
    window.calculations = 0;
    const { get, set } = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, "value");
    Object.defineProperty(HTMLInputElement.prototype, "value", {
      get,
      set(text) {
        if (this.id === "txt_hplo") window.calculations += 1;
        set.call(this, text);
      },
    });
  });
}

export const value = (page, name) => page.evaluate((id) => document.getElementById(id).value, name);
export const focused = (page) => page.evaluate(() => document.activeElement.id);
export const calculations = (page) => page.evaluate(() => window.calculations);
export const selectedText = (page) =>
  page.evaluate(() => {
    const e = document.activeElement;
    return e.value.slice(e.selectionStart, e.selectionEnd);
  });

// The ids that real Tab presses visit from txt_hpval, `count` stops in all.
export async function tabThrough(page, count) {
  await page.focus("#txt_hpval");
  const visited = [await focused(page)];
  for (let i = 1; i < count; i++) {
    await page.keyboard.press("Tab");
    visited.push(await focused(page));
  }
  return visited;
}

// Types `text` into a box as a player would: click, select all, type.
export async function setBox(page, name, text) {
  await page.click(`[id="${name}"]`);
  await page.keyboard.press("Control+A");
  if (text === "") await page.keyboard.press("Backspace");
  else await page.keyboard.type(text);
}

// The violations axe-core finds on the page as it is now.
export async function axeViolations(page) {
  // Evaluated through the debugging protocol, which the page's policy does not govern.
  await page.evaluate(axeSource);
  const results = await page.evaluate((tags) =>
    axe.run(document, { runOnly: { type: "tag", values: tags }, resultTypes: ["violations"] }), axeTags);
  return results.violations.map((v) =>
    `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`);
}
