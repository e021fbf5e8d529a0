// The calculator's JavaScript surface over the WebAssembly core: the design
// tables, the Calculate command, the Levels commands. No arithmetic, parsing
// or wording happens here: every answer comes from the C++ command, texts in
// and texts out. (kelmoraCoreOptions() comes first: it says where the wasm is.)
let kelmoraCore = null;

// The core, started once; compiling begins at the first call.
function loadKelmoraCore() {
  kelmoraCore ??= createKelmoraCore(kelmoraCoreOptions());
  return kelmoraCore;
}

// Takes the JSON string that `pointer` holds, and frees it.
function takeJson(core, pointer) {
  try {
    return JSON.parse(core.UTF8ToString(pointer));
  } finally {
    core._free(pointer);
  }
}

// A lone surrogate has no UTF-8 form: it becomes U+FFFD, which is simply not
// a number (and shows as such in a message).
function wellFormed(text) {
  return text.replace(/[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/g, "\uFFFD");
}

// Calls the core's `entry` on texts laid end to end as UTF-8, with their lengths.
async function callWithTexts(entry, texts) {
  const core = await loadKelmoraCore();
  const strings = texts.map((text) => wellFormed(String(text)));
  const lengths = strings.map((text) => core.lengthBytesUTF8(text));
  const total = lengths.reduce((sum, n) => sum + n, 0);
  const bytes = core._malloc(total + 1);
  const lengthArray = core._malloc(4 * Math.max(1, lengths.length));
  try {
    let offset = 0;
    strings.forEach((text, i) => {
      core.stringToUTF8(text, bytes + offset, lengths[i] + 1);
      offset += lengths[i];
      core.HEAPU32[(lengthArray >> 2) + i] = lengths[i];
    });
    return takeJson(core, core[entry](bytes, lengthArray, lengths.length));
  } finally {
    core._free(bytes);
    core._free(lengthArray);
  }
}

function inputTexts(texts, caller) {
  if (!Array.isArray(texts) || texts.length !== 13) {
    throw new TypeError(`${caller}() takes an array of the 13 input texts`);
  }
  return texts;
}

function textList(list, caller, what) {
  if (!Array.isArray(list)) throw new TypeError(`${caller}() takes an array of ${what}`);
  return list;
}

// The window's design: caption, client size, every control with its place,
// caption, focus stop, font, length limit and (for boxes) field; the page's wording.
async function design() {
  const core = await loadKelmoraCore();
  return takeJson(core, core._kelmora_design());
}

// The Calculate command on the 13 input texts in reading order (txt_hpval,
// txt_hpc, txt_hpm, txt_mpval, ... txt_mam, txt_level). Returns
// { results: [8 texts] } or { error: { kind, place, message, fieldToFix } }.
async function calculate(texts) {
  return callWithTexts("_kelmora_calculate", inputTexts(texts, "calculate"));
}

// The ranges of calculate(texts) shown at each level of `levels` (texts):
// { ranges: [8 texts], levels: [{ level, shown: [[min, max] × 4], display }] }
// or { error }.
async function project(texts, levels) {
  return callWithTexts("_kelmora_project",
    [...inputTexts(texts, "project"), ...textList(levels, "project", "level texts")]);
}

// Per stat, the initial range that fits the window's sighting (the 13 texts)
// and every further one ({ level, values: [4 texts] }): { ranges, sightings:
// [{ level, values, ranges, display }], narrowed: [{ range, display } or
// { conflict: [first, second], message }] } or { error }.
async function narrow(texts, sightings) {
  const flat = textList(sightings, "narrow", "sightings").flatMap((s) => {
    if (!s || !Array.isArray(s.values) || s.values.length !== 4) {
      throw new TypeError("narrow() takes sightings of { level, values: [4 texts] }");
    }
    return [s.level, ...s.values];
  });
  return callWithTexts("_kelmora_narrow", [...inputTexts(texts, "narrow"), ...flat]);
}

// The Levels table for the 13 texts, with the extra level texts: { caption,
// ranges, rows: [{ level, own, extra, shown, display } or { level, own, extra, error }] }.
async function levelTable(texts, extra) {
  return callWithTexts("_kelmora_level_table",
    [...inputTexts(texts, "levelTable"), ...textList(extra, "levelTable", "level texts")]);
}

// A level typed to add to the table: { level } or { error }.
async function readLevel(text) {
  return callWithTexts("_kelmora_read_level", [text]);
}

// The Calculate command on the page's own boxes, through `form`
// ({ getText(name), setText(name, text) }).
async function calculatePage(form) {
  const core = await loadKelmoraCore();
  core.pageForm = form;
  return takeJson(core, core._kelmora_page_calculate());
}
