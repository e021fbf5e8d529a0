// The site keeps itself for offline use: its service worker (sw.js, made by
// Workbox at build time) precaches every file of this build.
if ("serviceWorker" in navigator) {
  window.addEventListener("load", () => {
    navigator.serviceWorker.register("sw.js").catch(() => {
      // Without it the page still works while online; nothing to tell.
    });
  });
}
