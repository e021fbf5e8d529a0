// Lighthouse over a page in Debian's Chromium: the four categories' scores
// and every audit that scored below 1, mobile or desktop.
import fs from "node:fs";
import net from "node:net";
import os from "node:os";
import path from "node:path";

import lighthouse, { desktopConfig } from "lighthouse";
import { chromium } from "playwright-core";

import { chromiumFlags, chromiumPath } from "./browser.mjs";

const freePort = () =>
  new Promise((resolve) => {
    const probe = net.createServer().listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });

// { scores: { performance, accessibility, "best-practices", seo }, below: [{ id, title, score }],
//   metrics: { fcp, lcp, tbt, cls } } for `url`, formFactor "mobile" or "desktop".
export async function runLighthouse(url, formFactor) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "kelmora-lighthouse-"));
  const port = await freePort();
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath,
    headless: true,
    args: [...chromiumFlags, `--remote-debugging-port=${port}`],
  });
  try {
    const { lhr } = await lighthouse(
      url,
      { port, output: "json", logLevel: "error" },
      formFactor === "desktop" ? desktopConfig : undefined,
    );
    const scores = Object.fromEntries(Object.entries(lhr.categories).map(([id, c]) => [id, c.score]));
    const below = Object.values(lhr.categories)
      .flatMap((c) => c.auditRefs.filter((ref) => ref.weight > 0).map((ref) => lhr.audits[ref.id]))
      .filter((audit) => audit.score !== null && audit.score < 1)
      .map((audit) => ({ id: audit.id, title: audit.title, score: audit.score }));
    const metric = (id) => lhr.audits[id]?.numericValue;
    return {
      scores,
      below,
      metrics: { fcp: metric("first-contentful-paint"), lcp: metric("largest-contentful-paint"),
        tbt: metric("total-blocking-time"), cls: metric("cumulative-layout-shift") },
    };
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}
