// kelmora-core.mjs as a script uses it: the default results, the first error
// in reading and calculating order, and hostile texts that must come back as
// a clean error or result, never a crash.
import assert from "node:assert/strict";
import path from "node:path";
import { describe, test } from "node:test";
import { pathToFileURL } from "node:url";

import { webDir } from "./web_dir.mjs";

const { calculate, project, narrow, levelTable, readLevel } =
  await import(pathToFileURL(path.join(webDir, "kelmora-core.mjs")).href);

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

// The worked example: HP 41 at level 1 (C-value 8, 108 %) is 621990 … 637163.
const hp41AtLevel1 = texts({ txt_hpval: "41", txt_level: "1" });
const ellipsis = "\u2026";

describe("project", () => {
  test("shows the worked example at levels 99 and 50", async () => {
    const { ranges, levels, error } = await project(hp41AtLevel1, ["99", "50"]);
    assert.equal(error, undefined);
    assert.deepEqual(ranges.slice(0, 2), ["621990", "637163"]);
    assert.deepEqual(levels.map((l) => l.level), ["99", "50"]);
    assert.deepEqual(levels[0].shown[0], ["487", "499"]);
    assert.deepEqual(levels[1].shown[0], ["264", "270"]);
    assert.equal(levels[0].display[0], `487 ${ellipsis} 499`);
  });

  test("the default row shows 40 to 41 at level 1, and itself at its own level", async () => {
    const { levels } = await project(defaults, ["1", "99"]);
    assert.deepEqual(levels[0].shown[0], ["40", "41"]);
    assert.deepEqual(levels[1].shown, [["487", "487"], ["37", "37"], ["22", "22"], ["74", "74"]]);
    assert.equal(levels[1].display[0], "487");
  });

  const failures = [
    { name: "an unreadable level", levels: ["10", "abc"], place: "levels[2]", fix: "txt_newlevel",
      kind: "TypeMismatch" },
    { name: "a count beyond every shown value", levels: ["30000"], place: "levels[1]@30000/txt_hplo",
      fix: "txt_newlevel", kind: "Overflow" },
    { name: "the window's own error first", edits: { txt_hpc: "" }, levels: ["x"], place: "txt_hpc",
      fix: "txt_hpc", kind: "TypeMismatch" },
  ];
  for (const c of failures) {
    test(c.name, async () => {
      const { error, levels } = await project(texts(c.edits), c.levels);
      assert.equal(levels, undefined);
      assert.equal(error.kind, c.kind);
      assert.equal(error.place, c.place);
      assert.equal(error.fieldToFix, c.fix);
    });
  }

  const hostile = [
    ["an empty level", "", "TypeMismatch"],
    ["100 000 digits", "9".repeat(100000), "Overflow"],
    ["a NUL inside", "5\u00000", "TypeMismatch"],
    ["a huge exponent", "1e999999999", "Overflow"],
    ["fullwidth digits", "\uff15\uff10", "TypeMismatch"],
    ["a lone surrogate", "\udc00", "TypeMismatch"],
  ];
  for (const [name, text, kind] of hostile) {
    test(`${name} as a level is a clean error`, async () => {
      const { error } = await project(defaults, ["50", text]);
      assert.equal(error.kind, kind);
      assert.equal(error.place, "levels[2]");
      assert.equal(typeof error.message, "string");
    });
  }

  test("levels must be an array of texts", async () => {
    await assert.rejects(project(defaults, "99"), TypeError);
    await assert.rejects(project(defaults.slice(1), []), TypeError);
  });
});

describe("narrow", () => {
  test("a sighting at level 99 narrows the worked example", async () => {
    const { narrowed, sightings, error } = await narrow(hp41AtLevel1, [{ level: "99", values: ["487", "37", "22", "74"] }]);
    assert.equal(error, undefined);
    assert.equal(sightings.length, 2);
    assert.deepEqual(sightings[1].ranges[0], ["621423", "622700"]);
    assert.deepEqual(narrowed[0].range, ["621990", "622700"]);
    assert.equal(narrowed[0].display, `621990 ${ellipsis} 622700`);
  });

  test("sightings that do not fit one C-value and multiplier are named", async () => {
    const { narrowed } = await narrow(defaults, [{ level: "99", values: ["487", "60", "22", "74"] }]);
    assert.deepEqual(narrowed[1].conflict, [1, 2]);
    assert.match(narrowed[1].message, /sightings 1 and 2 disagree on MP/);
    assert.match(narrowed[1].message, /do not fit one C-value and multiplier/);
    assert.ok(narrowed[0].range, "HP still narrows");
  });

  test("a bad box names its sighting", async () => {
    const { error } = await narrow(defaults, [
      { level: "50", values: ["264", "37", "22", "74"] },
      { level: "1", values: ["41", "\ud800", "1", "1"] },
    ]);
    assert.equal(error.kind, "TypeMismatch");
    assert.equal(error.place, "sightings[3]/txt_mpval");
    assert.equal(error.fieldToFix, "sightings[3]/txt_mpval");
    assert.match(error.message, /Sighting 3 MP stat value: "\ufffd" is not a number/);
  });

  test("sightings must carry four values", async () => {
    await assert.rejects(narrow(defaults, [{ level: "1", values: ["1"] }]), TypeError);
  });
});

describe("the Levels table", () => {
  test("holds the table levels, the own level marked and the extra ones", async () => {
    const { rows, caption } = await levelTable(texts({ txt_level: "45" }), ["37"]);
    assert.deepEqual(rows.map((r) => r.level),
      ["1", "10", "20", "30", "37", "40", "45", "50", "60", "70", "80", "90", "99"]);
    assert.deepEqual(rows.filter((r) => r.own).map((r) => r.level), ["45"]);
    assert.deepEqual(rows.filter((r) => r.extra).map((r) => r.level), ["37"]);
    assert.match(caption, /HP 487, C-value 8, 108 %/);
  });

  test("a row without shown values carries its message", async () => {
    const { rows } = await levelTable(defaults, ["30000"]);
    const last = rows.at(-1);
    assert.equal(last.shown, undefined);
    assert.equal(last.error.kind, "Overflow");
  });

  test("a level to add is read as the level box is", async () => {
    assert.deepEqual(await readLevel(" 3.7e1 "), { level: "37" });
    const { error } = await readLevel("abc");
    assert.equal(error.fieldToFix, "txt_newlevel");
    assert.equal((await readLevel("9".repeat(100000))).error.kind, "Overflow");
  });
});
