// The calculator's JavaScript surface over the WebAssembly core: the design
// tables, and the Calculate command on 13 texts. No arithmetic, parsing or
// wording happens here: every answer comes from the C++ command.
let kelmoraCore = null;

// The core, started once.
function loadKelmoraCore() {
  kelmoraCore ??= createKelmoraCore();
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

// The window's design: caption, client size, and every control with its
// place, caption, focus stop, font, length limit and (for boxes) field.
async function design() {
  const core = await loadKelmoraCore();
  return takeJson(core, core._kelmora_design());
}

// The Calculate command on the 13 input texts in reading order (txt_hpval,
// txt_hpc, txt_hpm, txt_mpval, ... txt_mam, txt_level). Returns
// { results: [8 texts] } or { error: { kind, place, message, fieldToFix } }.
async function calculate(texts) {
  if (!Array.isArray(texts) || texts.length !== 13) {
    throw new TypeError("calculate() takes an array of the 13 input texts");
  }
  const core = await loadKelmoraCore();
  const strings = texts.map((text) => wellFormed(String(text)));
  // Each text as UTF-8, end to end.
  const lengths = strings.map((text) => core.lengthBytesUTF8(text));
  const total = lengths.reduce((sum, n) => sum + n, 0);
  const bytes = core._malloc(total + 1);
  const lengthArray = core._malloc(4 * lengths.length);
  try {
    let offset = 0;
    strings.forEach((text, i) => {
      core.stringToUTF8(text, bytes + offset, lengths[i] + 1);
      offset += lengths[i];
      core.HEAPU32[(lengthArray >> 2) + i] = lengths[i];
    });
    return takeJson(core, core._kelmora_calculate(bytes, lengthArray, lengths.length));
  } finally {
    core._free(bytes);
    core._free(lengthArray);
  }
}

// The Calculate command on the page's own boxes, through `form`
// ({ getText(name), setText(name, text) }).
async function calculatePage(form) {
  const core = await loadKelmoraCore();
  core.pageForm = form;
  return takeJson(core, core._kelmora_page_calculate());
}
