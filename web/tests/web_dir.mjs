// Where the built page, module and site are: KELMORA_WEB_DIR and
// KELMORA_SITE_DIR, or the wasm preset's build.
import path from "node:path";
import { fileURLToPath } from "node:url";

const build = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../../build/wasm");
export const webDir = process.env.KELMORA_WEB_DIR ?? path.join(build, "web");
export const siteDir = process.env.KELMORA_SITE_DIR ?? path.join(build, "site");
