// kelmora-core.mjs as a script uses it: the default results, the first error
// in reading and calculating order, and hostile texts that must come back as
// a clean error or result, never a crash.
import assert from "node:assert/strict";
import path from "node:path";
import { describe, test } from "node:test";
import { pathToFileURL } from "node:url";

import { webDir } from "./web_dir.mjs";

const { calculate } = await import(pathToFileURL(path.join(webDir, "kelmora-core.mjs")).href);

const readingOrder = ["txt_hpval", "txt_hpc", "txt_hpm", "txt_mpval", "txt_mpc", "txt_mpm",
  "txt_paval", "txt_pac", "txt_pam", "txt_maval", "txt_mac", "txt_mam", "txt_level"];
const defaults = ["487", "8", "108", "37", "30", "108", "22", "34", "97", "74", "7", "94", "99"];
const defaultResults = ["621423", "622700", "134912", "138538", "97790", "102234", "97344", "98663"];

// The default texts with some fields changed.
function texts(edits = {}) {
  return readingOrder.map((name, i) => (name in edits ? edits[name] : defaults[i]));
}

describe("results", () => {
  const cases = [
    { name: "the default inputs", edits: {}, results: defaultResults },
    { name: "a negative stat value", edits: { txt_hpval: "-5" },
      results: ["-6380", "-5105", ...defaultResults.slice(2)] },
    { name: "HP at level 1", edits: { txt_level: "1" }, first: ["7387974", "7403147"] },
    { name: "blanks and exponents", edits: { txt_hpval: " 4.87e2 ", txt_hpm: "+108." },
      results: defaultResults },
  ];
  for (const c of cases) {
    test(c.name, async () => {
      const outcome = await calculate(texts(c.edits));
      assert.equal(outcome.error, undefined, JSON.stringify(outcome.error));
      if (c.results) assert.deepEqual(outcome.results, c.results);
      if (c.first) assert.deepEqual(outcome.results.slice(0, 2), c.first);
    });
  }
});

describe("errors", () => {
  const dash = "\u2014";
  const cases = [
    { name: "an empty C-value", edits: { txt_hpc: "" }, kind: "TypeMismatch", place: "txt_hpc",
      fix: "txt_hpc", message: `Type mismatch ${dash} HP C-value: "" is not a number` },
    { name: "the first bad field read wins", edits: { txt_level: "x", txt_hpval: "abc" },
      kind: "TypeMismatch", place: "txt_hpval", fix: "txt_hpval" },
    { name: "a long MA value", edits: { txt_maval: "40000" }, kind: "Overflow",
      place: "txt_maval", fix: "txt_maval" },
    { name: "a zero multiplier", edits: { txt_mpm: "0" }, kind: "DivisionByZero",
      place: "txt_mplo", fix: "txt_mpm",
      message: `Division by zero ${dash} MP minimum: the multiplier is 0 %` },
    { name: "zero over zero", edits: { txt_pam: "0", txt_paval: "0" }, kind: "InvalidOperation",
      place: "txt_palo", fix: "txt_pam" },
    { name: "the top stat value fails only the maximum", edits: { txt_mpval: "32767" },
      kind: "Overflow", place: "txt_mphi", fix: "txt_mpval" },
    { name: "C-value plus level out of range", edits: { txt_mac: "32700" }, kind: "Overflow",
      place: "txt_malo", fix: "txt_mac",
      message: `Overflow ${dash} MA minimum: C-value 32700 plus level 99 is outside -32768\u202632767` },
    { name: "C-value -1", edits: { txt_mac: "-1" }, kind: "DivisionByZero", place: "txt_malo",
      fix: "txt_mac" },
    { name: "an earlier stat fails first", edits: { txt_mac: "-1", txt_hpm: "0" },
      kind: "DivisionByZero", place: "txt_hplo", fix: "txt_hpm" },
  ];
  for (const c of cases) {
    test(c.name, async () => {
      const { error, results } = await calculate(texts(c.edits));
      assert.equal(results, undefined);
      assert.equal(error.kind, c.kind);
      assert.equal(error.place, c.place);
      assert.equal(error.fieldToFix, c.fix);
      if (c.message) assert.equal(error.message, c.message);
    });
  }
});

describe("hostile texts", () => {
  const cases = [
    { name: "empty", text: "", kind: "TypeMismatch" },
    { name: "100 000 digits", text: "9".repeat(100000), kind: "Overflow" },
    { name: "100 000 zeros then 7", text: "0".repeat(100000) + "7", result: "8937" },
    { name: "a huge exponent", text: "1e999999999", kind: "Overflow" },
    { name: "a NUL inside", text: "4\u00007", kind: "TypeMismatch" },
    { name: "Arabic-Indic digits", text: "\u0664\u0668\u0667", kind: "TypeMismatch" },
    { name: "fullwidth digits", text: "\uff14\uff18\uff17", kind: "TypeMismatch" },
    { name: "a lone high surrogate", text: "\ud800", kind: "TypeMismatch", shows: "\ufffd" },
    { name: "a lone low surrogate", text: "4\udc008", kind: "TypeMismatch" },
    { name: "control characters", text: "\u0001\u001b\u007f", kind: "TypeMismatch" },
  ];
  for (const c of cases) {
    test(c.name, async () => {
      const outcome = await calculate(texts({ txt_hpval: c.text }));
      if (c.kind) {
        assert.equal(outcome.error?.kind, c.kind, JSON.stringify(outcome).slice(0, 300));
        assert.equal(outcome.error.place, "txt_hpval");
        assert.equal(typeof outcome.error.message, "string");
        if (c.shows) assert.ok(outcome.error.message.includes(`"${c.shows}"`), outcome.error.message);
      } else {
        assert.equal(outcome.results[0], c.result);
      }
    });
  }

  test("anything but 13 texts is refused", async () => {
    await assert.rejects(calculate(defaults.slice(1)), TypeError);
    await assert.rejects(calculate("487"), TypeError);
  });
});
