// Takes the README's picture of the page: kelmora.html in headless Chromium
// after one Calculate with the default inputs.
//   node screenshot.mjs OUTPUT.png
import path from "node:path";
import { pathToFileURL } from "node:url";

import { launch } from "./tests/browser.mjs";
import { webDir } from "./tests/web_dir.mjs";

const output = process.argv[2] ?? "kelmora-web.png";
const browser = await launch({ viewport: { width: 440, height: 380 } });
try {
  const page = await browser.context.newPage();
  await page.goto(pathToFileURL(path.join(webDir, "kelmora.html")).href);
  await page.waitForSelector("body[data-ready]");
  await page.click("#btn_calc");
  await page.focus("#txt_hpval");
  await page.screenshot({ path: output });
} finally {
  await browser.close();
}
