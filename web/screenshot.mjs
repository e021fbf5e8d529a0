// Takes the README's pictures of the page in headless Chromium, after one
// Calculate with the default inputs: the desktop window, a 360 px phone in
// light and in dark, and the Levels section with a level of one's own and a
// second sighting.
//   node screenshot.mjs DIRECTORY
import path from "node:path";
import { pathToFileURL } from "node:url";

import { launch } from "./tests/browser.mjs";
import { webDir } from "./tests/web_dir.mjs";

const out = process.argv[2] ?? ".";
const url = pathToFileURL(path.join(webDir, "kelmora.html")).href;
const phone = { viewport: { width: 360, height: 740 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true };

async function shoot(options, file, prepare = async () => {}) {
  const browser = await launch(options);
  try {
    const page = await browser.context.newPage();
    await page.goto(url);
    await page.waitForSelector("body[data-ready]");
    await page.click("#btn_calc");
    await page.waitForSelector(".table-frame:not([hidden])");
    const target = await prepare(page);
    await page.focus("#txt_hpval");
    await (target ?? page).screenshot({ path: path.join(out, file) });
  } finally {
    await browser.close();
  }
}

await shoot({ viewport: { width: 440, height: 380 } }, "kelmora-web.png");
await shoot(phone, "kelmora-phone-light.png");
await shoot({ ...phone, colorScheme: "dark" }, "kelmora-phone-dark.png");
await shoot({ viewport: { width: 700, height: 1200 } }, "kelmora-levels.png", async (page) => {
  await page.fill("#txt_newlevel", "45");
  await page.click("#btn_addlevel");
  await page.click("#btn_addsighting");
  for (const [box, text] of [["txt_level", "50"], ["txt_hpval", "264"], ["txt_mpval", "22"],
    ["txt_paval", "13"], ["txt_maval", "39"]]) {
    await page.fill(`[id="sightings[2]/${box}"]`, text);
  }
  await page.click("#btn_calc");
  await page.waitForSelector("#narrowed-table:not([hidden])");
  return page.locator("#levels");
});
