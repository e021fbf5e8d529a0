// axe-core (WCAG 2.1 A and AA, and best practice) over kelmora.html in each
// of its states, at a desktop size and on phones, light and dark: nothing.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { describe, test } from "node:test";
import { pathToFileURL } from "node:url";

import { violationsInEachState } from "./a11y_states.mjs";
import { chromiumPath, launch } from "./browser.mjs";
import { openPage } from "./page_driver.mjs";
import { webDir } from "./web_dir.mjs";

const pageUrl = pathToFileURL(path.join(webDir, "kelmora.html")).href;
const skip = fs.existsSync(chromiumPath) ? false : `no Chromium at ${chromiumPath}`;

const phone = (width) => ({ viewport: { width, height: 800 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
const setups = [
  ["desktop, light", { viewport: { width: 1024, height: 768 } }],
  ["desktop, dark", { viewport: { width: 1024, height: 768 }, colorScheme: "dark" }],
  ["320 px phone, light", phone(320)],
  ["360 px phone, dark", { ...phone(360), colorScheme: "dark" }],
  ["412 px phone, light", phone(412)],
];

describe("axe-core finds nothing in kelmora.html", { skip }, () => {
  for (const [name, options] of setups) {
    test(name, async () => {
      const browser = await launch(options);
      const offences = [];
      try {
        const page = await openPage(browser.context, pageUrl, offences);
        assert.deepEqual(await violationsInEachState(page), []);
      } finally {
        await browser.close();
      }
      assert.deepEqual(offences, []);
    });
  }
});
