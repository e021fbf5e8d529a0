// Lighthouse's own verdict, mobile and desktop: accessibility 1.00 for the
// single page; accessibility, best practices and SEO 1.00 for the site.
// (Performance is timing, so it stays a figure: make web-audit.)
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { after, before, describe, test } from "node:test";

import { chromiumPath } from "./browser.mjs";
import { runLighthouse } from "./lighthouse_run.mjs";
import { serve } from "./serve.mjs";
import { siteDir, webDir } from "./web_dir.mjs";

const skip = fs.existsSync(chromiumPath) ? false : `no Chromium at ${chromiumPath}`;

describe("Lighthouse", { skip }, () => {
  let page;
  let site;
  before(async () => {
    page = await serve(webDir);
    site = await serve(siteDir);
  });
  after(async () => {
    await page?.close();
    await site?.close();
  });

  const cases = [
    ["kelmora.html", () => `${page.origin}/kelmora.html`, ["accessibility"]],
    ["the site", () => `${site.origin}/`, ["accessibility", "best-practices", "seo"]],
  ];
  for (const [name, url, categories] of cases) {
    for (const formFactor of ["mobile", "desktop"]) {
      test(`${name}, ${formFactor}: ${categories.join(", ")} 1.00`, async () => {
        const { scores, below } = await runLighthouse(url(), formFactor);
        for (const category of categories) {
          assert.equal(scores[category], 1, `${category}: ${JSON.stringify(below)}`);
        }
      });
    }
  }
});
