// Lighthouse over the single page and the site, each served on 127.0.0.1,
// mobile and desktop: every category's score, the paint and layout metrics,
// and each audit that scored below 1. Figures, not assertions (the web tests
// assert the deterministic categories).
//   node bench/audit.mjs
import { runLighthouse } from "../tests/lighthouse_run.mjs";
import { serve } from "../tests/serve.mjs";
import { siteDir, webDir } from "../tests/web_dir.mjs";

const page = await serve(webDir);
const site = await serve(siteDir);
try {
  for (const [name, url] of [["kelmora.html", `${page.origin}/kelmora.html`], ["site", `${site.origin}/`]]) {
    for (const formFactor of ["mobile", "desktop"]) {
      const { scores, below, metrics } = await runLighthouse(url, formFactor);
      const categories = Object.entries(scores).map(([id, score]) => `${id} ${score.toFixed(2)}`).join(", ");
      const ms = (x) => `${Math.round(x)} ms`;
      console.log(`${name}, ${formFactor}: ${categories}`);
      console.log(`  FCP ${ms(metrics.fcp)}, LCP ${ms(metrics.lcp)}, TBT ${ms(metrics.tbt)}, CLS ${metrics.cls.toFixed(3)}`);
      for (const audit of below) console.log(`  below 1: ${audit.id} (${audit.score}) ${audit.title}`);
    }
  }
} finally {
  await page.close();
  await site.close();
}
