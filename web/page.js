// The page: builds the Kelmora window from the design tables the core
// exports, adapts the browser's events to the Calculate command, and shows
// its message. Captions, places, messages and results all come from C++.
async function startKelmora() {
  const layout = await design();
  document.title = layout.caption;
  const panel = document.getElementById("kelmora");
  const client = document.getElementById("client");
  document.getElementById("caption").textContent = layout.caption;
  client.style.width = `${layout.width}px`;
  client.style.height = `${layout.height}px`;
  panel.setAttribute("aria-label", layout.caption);

  const boxes = new Map();
  let button = null;
  for (const control of layout.controls) {
    const element = createControl(control);
    element.id = control.name;
    element.classList.add("control", control.kind);
    if (control.bold) element.classList.add("bold");
    Object.assign(element.style, {
      left: `${control.left}px`,
      top: `${control.top}px`,
      width: `${control.width}px`,
      height: `${control.height}px`,
    });
    if (control.focus > 0) element.tabIndex = control.focus;
    if (control.label !== undefined) boxes.set(control.name, element);
    if (control.kind === "button") button = element;
    client.append(element);
  }

  const form = {
    getText: (name) => wellFormed(boxes.get(name).value),
    setText: (name, text) => {
      boxes.get(name).value = text;
    },
  };
  const dialog = createDialog(layout.caption);
  const press = async () => {
    if (dialog.isOpen()) return;
    const outcome = await calculatePage(form);
    if (outcome.error) {
      const target = boxes.get(outcome.error.fieldToFix);
      dialog.show(outcome.error.message, () => {
        if (target) {
          target.focus();
          target.select();
        }
      });
    }
  };
  button.addEventListener("click", press);
  // Alt+C anywhere, as the underlined C promises; one Calculate per press.
  document.addEventListener("keydown", (event) => {
    if (event.altKey && !event.ctrlKey && !event.metaKey && event.code === "KeyC") {
      event.preventDefault();
      if (!event.repeat) press();
    }
  });
  fitCaptions(client, layout);
  fitToScreen(panel, layout);
  window.addEventListener("resize", () => fitToScreen(panel, layout));
  boxes.get("txt_hpval").focus();
  performance.mark("kelmora-ready");
  document.body.dataset.ready = "true";
}

function createControl(control) {
  switch (control.kind) {
    case "groupBox": {
      const group = document.createElement("div");
      group.setAttribute("role", "group");
      const legend = document.createElement("span");
      legend.className = "legend";
      legend.textContent = control.caption;
      group.append(legend);
      group.setAttribute("aria-label", control.caption);
      return group;
    }
    case "label": {
      const label = document.createElement("div");
      label.textContent = control.caption;
      if (!control.wraps) label.classList.add("nowrap");
      return label;
    }
    case "inputBox":
    case "resultBox": {
      const box = document.createElement("input");
      box.type = "text";
      box.value = control.defaultText;
      box.spellcheck = false;
      box.autocomplete = "off";
      box.setAttribute("aria-label", control.label);
      if (control.maxLength > 0) box.maxLength = control.maxLength;
      if (control.kind === "resultBox") box.readOnly = true;
      return box;
    }
    case "button": {
      const button = document.createElement("button");
      button.type = "button";
      appendWithAccessKey(button, control.caption);
      return button;
    }
  }
  throw new Error(`unknown control kind ${control.kind}`);
}

// "&Calculate!": the character after "&" is the access key, shown underlined.
function appendWithAccessKey(element, caption) {
  const at = caption.indexOf("&");
  if (at < 0 || at + 1 >= caption.length) {
    element.textContent = caption;
    return;
  }
  const key = document.createElement("u");
  key.textContent = caption[at + 1];
  element.append(caption.slice(0, at), key, caption.slice(at + 2));
  element.setAttribute("aria-keyshortcuts", `Alt+${caption[at + 1].toUpperCase()}`);
}

// A modal message: focus on OK, Escape or Enter closes it, the page behind
// takes neither clicks nor keys meanwhile.
function createDialog(caption) {
  const backdrop = document.getElementById("backdrop");
  const box = document.getElementById("message");
  const text = document.getElementById("message-text");
  const ok = document.getElementById("message-ok");
  document.getElementById("message-caption").textContent = caption;
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

// Tahoma is the design's face; where a wider stand-in is drawn instead, the
// window's font shrinks in quarter pixels until every caption fits its box
// (the bold controls keep their size), as the desktop window does.
function fitCaptions(client, layout) {
  const captioned = layout.controls
    .filter((c) => !c.bold && c.kind !== "inputBox" && c.kind !== "resultBox")
    .map((c) => document.getElementById(c.name));
  const overflows = (e) => e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight;
  for (let size = 11; size >= 9 && captioned.some(overflows); size -= 0.25) {
    client.style.fontSize = `${size}px`;
  }
}

// On a screen narrower than the window, the window scales as one piece.
function fitToScreen(panel, layout) {
  const frame = panel.parentElement;
  const natural = layout.width + 2;  // the client area and the panel's border
  const room = document.documentElement.clientWidth - 16;
  const scale = Math.min(1, room / natural);
  panel.style.transform = scale < 1 ? `scale(${scale})` : "";
  frame.style.width = `${natural * scale}px`;
  frame.style.height = `${panel.offsetHeight * scale}px`;
}

startKelmora();
