// Writes the page's markup and its design-dependent style from the design
// tables the core exports: every caption, place, size, focus stop and spoken
// name comes from C++, none is copied here.

const escapes = { "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" };
export const escapeHtml = (text) => String(text).replace(/[&<>"]/g, (c) => escapes[c]);

// The document order is the focus order: every box and the button in the
// order of their focus stops, each caption just before the stop that follows
// it in the design.
function inDocumentOrder(controls) {
  const keyed = [];
  let pending = [];
  for (const control of controls) {
    if (control.focus > 0) {
      keyed.push(...pending.map((c) => [control.focus - 0.5, c]), [control.focus, control]);
      pending = [];
    } else {
      pending.push(control);
    }
  }
  keyed.push(...pending.map((c) => [Infinity, c]));
  return keyed.sort((a, b) => a[0] - b[0]).map(([, c]) => c);
}

// A caption whose words stand apart by runs of blanks (the column headings)
// keeps its text and blanks, each word in an element of its own that a
// narrow layout can place by itself.
function captionMarkup(caption) {
  const parts = caption.split(/( {2,})/);
  if (parts.length === 1) return escapeHtml(caption);
  let word = 0;
  return parts
    .map((part) => (/^ +$/.test(part) ? part : `<span class="word-${word++}">${escapeHtml(part)}</span>`))
    .join("");
}

function controlMarkup(control) {
  const classes = ["control", control.kind, control.bold ? "bold" : "", control.wraps ? "" : "nowrap"]
    .filter(Boolean)
    .join(" ");
  switch (control.kind) {
    case "groupBox":
      return `<div id="${control.name}" class="${classes}"><span class="legend">${escapeHtml(control.caption)}</span></div>`;
    case "label":
      return `<div id="${control.name}" class="${classes}">${captionMarkup(control.caption)}</div>`;
    case "inputBox":
    case "resultBox": {
      const attributes = [
        `id="${control.name}"`, `class="${classes}"`, 'type="text"',
        `value="${escapeHtml(control.defaultText)}"`, `aria-label="${escapeHtml(control.label)}"`,
        'autocomplete="off"', 'spellcheck="false"',
      ];
      if (control.maxLength > 0) attributes.push(`maxlength="${control.maxLength}"`);
      if (control.kind === "resultBox") attributes.push("readonly");
      if (control.focus === 1) attributes.push("autofocus");
      return `<input ${attributes.join(" ")}>`;
    }
    case "button": {
      // "&Calculate!": the character after "&" is the access key, shown underlined.
      const at = control.caption.indexOf("&");
      const key = control.caption[at + 1];
      const text = `${escapeHtml(control.caption.slice(0, at))}<u>${escapeHtml(key)}</u>${escapeHtml(control.caption.slice(at + 2))}`;
      return `<button id="${control.name}" class="${classes}" type="button" aria-keyshortcuts="Alt+${key.toUpperCase()}">${text}</button>`;
    }
  }
  throw new Error(`unknown control kind ${control.kind}`);
}

function windowMarkup(design) {
  const controls = inDocumentOrder(design.controls).map(controlMarkup).join("\n");
  return `<div id="kelmora">
<h1 id="caption">${escapeHtml(design.caption)}</h1>
<div id="client">
${controls}
</div>
</div>`;
}

function levelsMarkup({ wording: w, controls }) {
  const statHeads = w.stats.map((s) => `<th scope="col">${escapeHtml(s)}</th>`).join("");
  const ranges = `<dl class="ranges" hidden>${w.stats.map((s) => `<div><dt>${escapeHtml(s)}</dt><dd></dd></div>`).join("")}</dl>`;
  const statCells = w.stats.map((s) => `<tr><th scope="row">${escapeHtml(s)}</th><td></td></tr>`).join("");
  // A sighting's boxes bear the names of the window's level and stat value boxes.
  const level = controls.find((c) => c.role === "level");
  const values = controls.filter((c) => c.role === "value").sort((a, b) => a.stat - b.stat);
  const boxes = [[level.name, w.levelBox], ...values.map((c) => [c.name, w.stats[c.stat]])]
    .map(([box, label]) => `<label><span>${escapeHtml(label)}</span><input data-box="${box}" type="text" autocomplete="off" spellcheck="false"></label>`)
    .join("");
  return `<section id="levels" aria-labelledby="levels-title">
<h2 id="levels-title">${escapeHtml(w.levels)}</h2>
<section class="part" aria-labelledby="at-levels-title">
<h3 id="at-levels-title">${escapeHtml(w.atOtherLevels)}</h3>
<p id="levels-for">${escapeHtml(w.atOtherLevelsNote)}</p>
<div class="table-frame" hidden><table id="levels-table" aria-labelledby="at-levels-title levels-for">
<thead><tr><th scope="col">${escapeHtml(w.levelColumn)}</th>${statHeads}<th scope="col"><span class="visually-hidden">${escapeHtml(w.removeLevel)}</span></th></tr></thead>
<tbody id="levels-rows"></tbody>
</table></div>
<div class="add-level">
<label for="${w.newLevelBox}">${escapeHtml(w.newLevelLabel)}</label>
<input id="${w.newLevelBox}" type="text" autocomplete="off" spellcheck="false">
<button id="btn_addlevel" type="button">${escapeHtml(w.addLevel)}</button>
</div>
</section>
<section class="part" aria-labelledby="sightings-title">
<h3 id="sightings-title">${escapeHtml(w.moreSightings)}</h3>
<p>${escapeHtml(w.moreSightingsNote)}</p>
<ol id="sighting-list">
<li class="sighting" id="window-sighting"><h4>${escapeHtml(w.windowSighting)}</h4>${ranges}</li>
</ol>
<button id="btn_addsighting" type="button">${escapeHtml(w.addSighting)}</button>
<div id="narrowed" role="status">
<h4 id="narrowed-title">${escapeHtml(w.narrowed)}</h4>
<p id="narrowed-note">${escapeHtml(w.narrowedNote)}</p>
<table id="narrowed-table" aria-labelledby="narrowed-title" hidden><tbody>${statCells}</tbody></table>
</div>
<template id="sighting-template">
<li class="sighting"><fieldset><legend>${escapeHtml(w.sighting)} <span class="number"></span></legend>
<div class="boxes">${boxes}</div>
<button type="button" class="remove">${escapeHtml(w.removeSighting)}</button>
${ranges}
</fieldset></li>
</template>
<template id="remove-level-template"><button type="button" class="remove">${escapeHtml(w.removeLevel)}</button></template>
<template id="own-level-template"><span class="mark">${escapeHtml(w.ownLevelMark)}</span></template>
</section>
</section>`;
}

function dialogMarkup(design) {
  return `<div id="backdrop" hidden>
<div id="message" role="alertdialog" aria-modal="true" aria-labelledby="message-caption" aria-describedby="message-text">
<div id="message-caption">${escapeHtml(design.caption)}</div>
<p id="message-text"></p>
<button id="message-ok" type="button">OK</button>
</div>
</div>`;
}

// Everything between <body> and the script.
export function bodyMarkup(design) {
  return `<main>
${windowMarkup(design)}
${levelsMarkup(design)}
${dialogMarkup(design)}
</main>`;
}

// The design's places at twips ÷ 15 on wider screens, and on narrow ones the
// grid area of each box: its stat and role ("hp-value", "ma-max", "level").
export function designCss(design) {
  const placed = design.controls
    .map((c) => `#${c.name}{left:${c.left}px;top:${c.top}px;width:${c.width}px;height:${c.height}px}`)
    .join("\n");
  const stats = design.wording.stats.map((s) => s.toLowerCase());
  const areas = design.controls
    .filter((c) => c.role !== undefined)
    .map((c) => `#${c.name}{grid-area:${c.stat === undefined ? c.role : `${stats[c.stat]}-${c.role}`}}`);
  const heads = stats.map((s, i) => `#Label4>.word-${i}{grid-area:${s}-head}`);
  return `@media (min-width: 481px) {
#client{width:${design.width}px;height:${design.height}px}
${placed}
}
@media (max-width: 480px) {
${[...areas, ...heads].join("\n")}
}
`;
}
