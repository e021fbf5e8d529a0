// The site's service worker, made by Workbox: every file of the build
// precached under a revision of its content. A new build's worker waits until
// the pages of the old one are closed, so that no page ever mixes two builds,
// then deletes the outdated entries. Its runtime is inline: nothing loads
// from elsewhere.
import path from "node:path";

export async function writeServiceWorker(site) {
  let generateSW;
  try {
    ({ generateSW } = await import("workbox-build"));
  } catch (error) {
    if (error.code !== "ERR_MODULE_NOT_FOUND") throw error;
    throw new Error("workbox-build is missing: run `make web`, which installs web/node_modules");
  }
  const { count, size, warnings } = await generateSW({
    globDirectory: site,
    globPatterns: ["**/*"],
    swDest: path.join(site, "sw.js"),
    inlineWorkboxRuntime: true,
    cleanupOutdatedCaches: true,
    mode: "production",
    sourcemap: false,
  });
  for (const warning of warnings) console.warn(`workbox: ${warning}`);
  console.log(`site: ${count} files precached, ${(size / 1024).toFixed(1)} KiB`);
}
