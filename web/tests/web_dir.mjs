// Where the built page and module are: KELMORA_WEB_DIR, or the wasm preset's build.
import path from "node:path";
import { fileURLToPath } from "node:url";

export const webDir =
  process.env.KELMORA_WEB_DIR ??
  path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../../build/wasm/web");
