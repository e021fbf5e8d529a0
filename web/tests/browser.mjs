// Debian's Chromium driven by playwright-core, with a fresh profile and
// nothing that would reach the network.
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { chromium } from "playwright-core";

export const chromiumPath = process.env.KELMORA_CHROMIUM ?? "/usr/bin/chromium";

export const chromiumFlags = [
  "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];

// A browser context with its own user-data dir, removed by close().
export async function launch(options = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "kelmora-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath,
    headless: true,
    args: chromiumFlags,
    viewport: { width: 800, height: 600 },
    ...options,
  });
  const close = async () => {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { context, close };
}
