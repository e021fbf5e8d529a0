// The page's behaviour. Its boxes are in the document from the first paint
// (written at build time from the design tables); this script adapts the
// browser's events to the commands and shows their answers. Captions,
// messages, results and every number come from C++.
const byId = (id) => document.getElementById(id);

function startKelmora() {
  // The core is fetched and compiled once the boxes are on the screen (the
  // first frame painted), or at the first press if that comes sooner; the
  // boxes take input meanwhile.
  let started = null;
  const core = () =>
    (started ??= loadKelmoraCore().then((instance) => {
      performance.mark("kelmora-core-ready");
      document.body.dataset.ready = "true";
      return instance;
    }));
  requestAnimationFrame(() => setTimeout(core, 0));
  const client = byId("client");
  const boxes = new Map([...client.querySelectorAll("input")].map((box) => [box.id, box]));
  // The input boxes in the order the command reads them: their focus order.
  const inputs = [...client.querySelectorAll("input:not([readonly])")];
  const form = {
    getText: (name) => wellFormed(boxes.get(name).value),
    setText: (name, text) => {
      boxes.get(name).value = text;
    },
  };
  const dialog = createDialog();
  const levels = createLevels(dialog);

  // A press before the core is ready runs as soon as it is, once.
  const press = async () => {
    await core();
    if (dialog.isOpen()) return;
    const outcome = await calculatePage(form);
    if (outcome.error) {
      dialog.show(outcome.error.message, focusBox(outcome.error.fieldToFix));
      return;
    }
    await levels.calculated(inputs.map((box) => box.value));
  };
  byId("btn_calc").addEventListener("click", press);
  // Alt+C anywhere, as the underlined C promises; one Calculate per press.
  document.addEventListener("keydown", (event) => {
    if (event.altKey && !event.ctrlKey && !event.metaKey && event.code === "KeyC") {
      event.preventDefault();
      if (!event.repeat) press();
    }
  });

  // Before the first frame is painted, not in the way of the boxes' readiness.
  const desktop = window.matchMedia("(min-width: 481px)");
  const fit = () => fitCaptions(client, desktop.matches);
  desktop.addEventListener("change", fit);
  requestAnimationFrame(fit);
}

// Gives the keyboard back to the box named `id`, its text selected.
function focusBox(id) {
  return () => {
    const box = id ? byId(id) : null;
    if (box) {
      box.focus();
      box.select();
    }
  };
}

// A modal message: focus on OK, Escape or Enter closes it, the page behind
// takes neither clicks nor keys meanwhile.
function createDialog() {
  const backdrop = byId("backdrop");
  const box = byId("message");
  const text = byId("message-text");
  const ok = byId("message-ok");
  let onClose = null;
  const close = () => {
    backdrop.hidden = true;
    const then = onClose;
    onClose = null;
    if (then) then();
  };
  ok.addEventListener("click", close);
  box.addEventListener("keydown", (event) => {
    if (event.key === "Escape" || event.key === "Enter") {
      event.preventDefault();
      event.stopPropagation();
      close();
    } else if (event.key === "Tab") {
      event.preventDefault();  // OK is the only stop
    }
  });
  // A click behind the message hands the keyboard back to it.
  backdrop.addEventListener("mousedown", (event) => {
    if (!box.contains(event.target)) {
      event.preventDefault();
      ok.focus();
    }
  });
  return {
    isOpen: () => !backdrop.hidden,
    show(message, then) {
      text.textContent = message;
      onClose = then;
      backdrop.hidden = false;
      ok.focus();
    },
  };
}

// The Levels section: the last Calculate's ranges at other levels, and the
// ranges narrowed by further sightings. Both follow the inputs of the last
// successful Calculate, never later edits.
function createLevels(dialog) {
  const extra = [];  // levels the player added, as the core wrote them
  let lastTexts = null;
  const rows = byId("levels-rows");
  const caption = byId("levels-for");
  const newLevel = byId("txt_newlevel");
  const list = byId("sighting-list");
  const sightingTemplate = byId("sighting-template").content.firstElementChild;
  const removeTemplate = byId("remove-level-template").content.firstElementChild;
  const ownTemplate = byId("own-level-template").content.firstElementChild;
  const narrowedNote = byId("narrowed-note");
  const narrowedTable = byId("narrowed-table");
  const fail = (error) => dialog.show(error.message, focusBox(error.fieldToFix));

  const cell = (tag, text) => {
    const element = document.createElement(tag);
    element.textContent = text;
    return element;
  };

  function tableRow(row) {
    const tr = document.createElement("tr");
    const head = cell("th", row.level);
    head.scope = "row";
    if (row.own) {
      tr.classList.add("own");
      head.append(" ", ownTemplate.cloneNode(true));
    }
    tr.append(head);
    if (row.error) {
      const message = cell("td", row.error.message);
      message.colSpan = 4;  // across the four stats' columns
      message.className = "row-error";
      tr.append(message);
    } else {
      tr.append(...row.display.map((text) => cell("td", text)));
    }
    const actions = document.createElement("td");
    if (row.extra) {
      const remove = removeTemplate.cloneNode(true);
      remove.setAttribute("aria-label", `${remove.textContent} ${row.level}`);
      remove.addEventListener("click", async () => {
        extra.splice(extra.indexOf(row.level), 1);
        newLevel.focus();
        await showTable();
      });
      actions.append(remove);
    }
    tr.append(actions);
    return tr;
  }

  async function showTable() {
    if (!lastTexts) return;
    const table = await levelTable(lastTexts, extra);
    if (table.error) return fail(table.error);
    caption.textContent = table.caption;
    rows.replaceChildren(...table.rows.map(tableRow));
    rows.closest(".table-frame").hidden = false;
  }

  async function addLevel() {
    const read = await readLevel(newLevel.value);
    if (read.error) return fail(read.error);
    if (!extra.includes(read.level)) extra.push(read.level);
    newLevel.value = "";
    await showTable();
  }
  byId("btn_addlevel").addEventListener("click", addLevel);
  newLevel.addEventListener("keydown", (event) => {
    if (event.key === "Enter") {
      event.preventDefault();
      addLevel();
    }
  });

  const sightings = () => [...list.children].filter((item) => item.id !== "window-sighting");

  // Sighting n's boxes are named as the core names their places.
  function renumber() {
    sightings().forEach((item, i) => {
      const n = String(i + 2);
      item.querySelector(".number").textContent = n;
      for (const box of item.querySelectorAll("input")) box.id = `sightings[${n}]/${box.dataset.box}`;
      const remove = item.querySelector(".remove");
      remove.setAttribute("aria-label", `${remove.textContent} ${n}`);
    });
  }

  byId("btn_addsighting").addEventListener("click", () => {
    const item = sightingTemplate.cloneNode(true);
    item.querySelector(".remove").addEventListener("click", () => {
      item.remove();
      renumber();
      byId("btn_addsighting").focus();
    });
    list.append(item);
    renumber();
    item.querySelector("input").focus();
  });

  function showRanges(item, display) {
    const ranges = item.querySelector(".ranges");
    ranges.querySelectorAll("dd").forEach((dd, i) => {
      dd.textContent = display[i];
    });
    ranges.hidden = false;
  }

  async function showSightings() {
    const items = sightings();
    const typed = items.map((item) => {
      const [level, ...values] = [...item.querySelectorAll("input")].map((box) => box.value);
      return { level, values };
    });
    const answer = await narrow(lastTexts, typed);
    if (answer.error) return fail(answer.error);
    showRanges(byId("window-sighting"), answer.sightings[0].display);
    items.forEach((item, i) => showRanges(item, answer.sightings[i + 1].display));
    narrowedTable.querySelectorAll("tbody tr").forEach((tr, i) => {
      const narrowed = answer.narrowed[i];
      tr.classList.toggle("conflict", Boolean(narrowed.conflict));
      tr.querySelector("td").textContent = narrowed.display ?? narrowed.message;
    });
    narrowedNote.hidden = true;
    narrowedTable.hidden = false;
  }

  return {
    async calculated(texts) {
      lastTexts = texts;
      await showTable();
      await showSightings();
    },
  };
}

// Tahoma is the design's face; where a wider stand-in is drawn instead, the
// window's font shrinks in quarter pixels until every caption fits its box
// (the bold controls keep their size), as the desktop window does. The
// narrow layout has room to spare, and its own sizes.
function fitCaptions(client, designLayout) {
  client.style.fontSize = "";
  if (!designLayout) return;
  const captioned = [...client.querySelectorAll(".label:not(.bold), .groupBox, .button")];
  const overflows = (e) => e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight;
  // One measure of how far the widest caption overflows gives the first size
  // to try, so that the window is laid out twice or so, not once a step.
  const worst = Math.max(1, ...captioned.map((e) => e.scrollWidth / Math.max(1, e.clientWidth)));
  let size = Math.min(11, Math.ceil((11 / worst) * 4) / 4);
  if (size < 11) client.style.fontSize = `${size}px`;
  for (; size > 9 && captioned.some(overflows); size -= 0.25) {
    client.style.fontSize = `${size - 0.25}px`;
  }
}

startKelmora();
