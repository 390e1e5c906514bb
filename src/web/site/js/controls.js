// The controls of a window drawn from the model's facts, as the desktop's
// view draws them (src/qt/form_view.cpp): each at its pixel place in the
// window, by its kind. Whatever they show is read from the model's copy
// the program sent; a click or an edit goes back as an event.
import { send } from "./bridge.js";

const SMALLEST_PT = 7;
const PLATE_INSET = 8; // a label with a colour of its own keeps its text off the edges

export function rgb(n) {
  return `rgb(${(n >> 16) & 255},${(n >> 8) & 255},${n & 255})`;
}
function rgba(n, a) {
  return `rgba(${(n >> 16) & 255},${(n >> 8) & 255},${n & 255},${a})`;
}

// Shown and usable only when the control and every panel it sits on are.
export function visibleInModel(form, c) {
  for (let p = c; p; p = p.parent >= 0 ? form.controls[p.parent] : null) if (!p.visible) return false;
  return true;
}
export function enabledInModel(form, c) {
  for (let p = c; p; p = p.parent >= 0 ? form.controls[p.parent] : null) if (!p.enabled) return false;
  return true;
}

// What a screen reader calls the control (src/qt/accessibility.cpp's ReaderName).
function captionText(form, c) {
  const cap = c.caption >= 0 ? form.controls[c.caption] : null;
  return cap ? cap.text.trim().replace(/:+$/, "").trim() : "";
}
export function readerName(form, c) {
  switch (c.kind) {
    case "label":
      return c.caption >= 0 ? `${captionText(form, c)}: ${c.text}` : c.text;
    case "textbox":
    case "list":
    case "combo":
      return c.caption >= 0 ? captionText(form, c) : form.title;
    default:
      return c.text;
  }
}

// A label laid over an Image control that shows a picture (the logo's words).
function liesOnPicture(form, label) {
  return form.controls.some(
    (c) =>
      c.kind === "image" && c.picture && visibleInModel(form, c) &&
      label.x >= c.x && label.y >= c.y && label.x + label.w <= c.x + c.w && label.y + label.h <= c.y + c.h,
  );
}

function make(form, c) {
  let el;
  switch (c.kind) {
    case "clicklabel":
      el = document.createElement("div");
      el.setAttribute("role", "button");
      el.tabIndex = 0;
      el.addEventListener("click", () => {
        if (el.getAttribute("aria-disabled") !== "true") send("click", form.name, c.id);
      });
      el.addEventListener("keydown", (e) => {
        if ((e.key === " " || e.key === "Enter") && !e.ctrlKey && !e.altKey && !e.repeat) {
          e.preventDefault();
          e.stopPropagation();
          if (el.getAttribute("aria-disabled") !== "true") send("click", form.name, c.id);
        }
      });
      break;
    case "button":
      el = document.createElement("button");
      el.type = "button";
      el.addEventListener("click", () => send("click", form.name, c.id));
      break;
    case "textbox":
      el = document.createElement(c.multiLine ? "textarea" : "input");
      if (!c.multiLine) el.type = "text";
      el.spellcheck = false;
      el.autocomplete = "off";
      el.sent = [];
      el.addEventListener("input", () => {
        el.sent.push(el.value);
        send("text", form.name, c.id, el.value);
      });
      break;
    case "list":
      el = document.createElement("select");
      el.size = Math.max(2, Math.floor(c.h / 16));
      el.addEventListener("change", () => send("pick", form.name, c.id, el.selectedIndex));
      break;
    case "combo":
      el = document.createElement("select");
      el.addEventListener("change", () => send("pick", form.name, c.id, el.selectedIndex));
      break;
    default:
      el = document.createElement("div");
  }
  el.className = `control ${c.kind}`;
  el.dataset.name = c.name;
  return el;
}

// The stacking of the desktop's view: panels lowest, then the controls in
// the window's order, then those that only appear later (the pause and the
// cheat box), so that what pops up covers what stands.
function stacking(form, c) {
  if (c.kind === "panel") return 1;
  return c.designHidden ? 3 : 2;
}

export function buildControls(form, client) {
  const els = [];
  for (const c of form.controls) {
    if (c.kind === "timer") {
      els.push(null);
      continue;
    }
    c.designHidden = !c.visible;
    const el = make(form, c);
    el.style.zIndex = String(stacking(form, c));
    client.appendChild(el);
    els.push(el);
  }
  return els;
}

function setText(el, text) {
  if (el.textContent !== text) el.textContent = text;
}

// A line of text in the game's font, measured on a canvas: that needs no
// layout of the page, which measuring the label itself would force.
let ruler = null;
let family = "";
let rulerFont = "";
function lineWidth(text, pt, bold) {
  if (!ruler) {
    ruler = document.createElement("canvas").getContext("2d");
    family = getComputedStyle(document.documentElement).fontFamily;
  }
  // Setting the font parses it: only when it changes.
  const font = `${bold ? "bold " : ""}${pt}pt ${family}`;
  if (font !== rulerFont) ruler.font = rulerFont = font;
  return ruler.measureText(text).width;
}

const LINE_HEIGHT = 1.2; // the labels' line height (kalvitor.css), in ems

// Most labels (the clock's every tick) hold their one line at the model's
// size with room to spare; that much is told without laying out the page.
function fitsOneLine(c, text, pt) {
  const across = c.transparent ? 0 : 2 * (PLATE_INSET + 1); // a plate's inset and border at both sides
  const down = c.transparent ? 0 : 2; // its border
  const lineH = (LINE_HEIGHT * pt * 96) / 72;
  return !text.includes("\n") && lineWidth(text, pt, c.bold) + across + 2 <= c.w && lineH + down <= c.h;
}

// The model's font, or a point or two smaller while the text would not fit
// its box; long texts wrap where the box holds two lines.
function fitLabel(el, c, text) {
  el.style.whiteSpace = "pre";
  let pt = c.pt > 0 ? c.pt : 9;
  el.style.fontSize = `${pt}pt`;
  if (!text || c.w <= 0 || c.h <= 0 || fitsOneLine(c, text, pt)) return;
  const fits = () => el.scrollWidth <= el.clientWidth + 1 && el.scrollHeight <= el.clientHeight + 1;
  for (;;) {
    const lineH = parseFloat(getComputedStyle(el).lineHeight) || pt * 1.6;
    const roomForLines = c.h >= 2 * lineH;
    if (!text.includes("\n") && fits()) return;
    if (roomForLines) {
      el.style.whiteSpace = "pre-wrap";
      el.classList.add("wrapped");
      if (fits()) return;
    }
    if (pt <= SMALLEST_PT) return;
    el.style.whiteSpace = "pre";
    el.classList.remove("wrapped");
    pt -= 0.5;
    el.style.fontSize = `${pt}pt`;
  }
}

// A button's caption fitted to its width: in two lines when the button is
// tall enough, else smaller, down to 7 pt, and as a last resort cut with an
// ellipsis, the whole caption then shown by the pointer's tip.
function fitButton(el, c) {
  setText(el, c.text);
  el.classList.remove("cut");
  el.style.whiteSpace = "pre";
  let pt = c.pt > 0 ? c.pt : 9;
  el.style.fontSize = `${pt}pt`;
  el.dataset.cutCaption = "";
  if (!c.text || c.w <= 0 || !el.isConnected || el.hidden) return;
  const lineH = parseFloat(getComputedStyle(el).lineHeight) || pt * 1.6;
  if (el.scrollWidth > el.clientWidth + 1 && c.h >= 2 * lineH + 6) el.style.whiteSpace = "pre-wrap";
  while (el.scrollWidth > el.clientWidth + 1 && pt > SMALLEST_PT) {
    pt -= 0.5;
    el.style.fontSize = `${pt}pt`;
  }
  if (el.scrollWidth > el.clientWidth + 1) {
    el.classList.add("cut");
    el.dataset.cutCaption = c.text;
  }
}

function applyLabel(form, c, el, hasPicture) {
  el.classList.toggle("plate", !c.transparent);
  el.classList.toggle("shadow", c.transparent && (hasPicture || liesOnPicture(form, c)));
  el.classList.remove("wrapped");
  el.style.color = rgb(c.color);
  el.style.background = c.transparent ? "" : rgb(c.back);
  el.style.padding = c.transparent ? "0" : `0 ${PLATE_INSET}px`;
  el.style.justifyContent = { left: "flex-start", center: "center", right: "flex-end" }[c.align];
  el.style.textAlign = c.align;
  el.style.setProperty("--hover", rgba(c.color, 48 / 255));
  const name = readerName(form, c);
  if (c.caption >= 0 && c.kind === "label") {
    // Read as "Здоровье: 80%": the caption goes with the value.
    el.replaceChildren(Object.assign(document.createElement("span"), { className: "reader-only", textContent: `${captionText(form, c)}: ` }), document.createTextNode(c.text));
  } else {
    setText(el, c.text);
  }
  fitLabel(el, c, c.text);
  if (c.kind === "clicklabel") el.setAttribute("aria-label", name);
}

// The message line types its message letter by letter: it is laid out for
// the whole message from the first letter on (the rest waits unseen), on a
// plate as tall as the message needs within the line's box. A screen reader
// hears each message once, whole, from the page's announcer.
function applyMessageLine(c, el, whole) {
  const target = whole && whole.startsWith(c.text) ? whole : c.text;
  el.classList.add("message");
  el.style.color = rgb(c.color);
  el.style.fontSize = `${c.pt > 0 ? c.pt : 9}pt`;
  el.style.maxHeight = `${c.h}px`;
  el.style.height = "auto";
  el.setAttribute("aria-hidden", "true");
  let typed = el.firstChild, rest = el.lastChild;
  if (!typed || typed === rest) {
    typed = document.createElement("span");
    rest = document.createElement("span");
    rest.className = "untyped";
    el.replaceChildren(typed, rest);
  }
  setText(typed, c.text);
  setText(rest, target.slice(c.text.length));
  el.classList.toggle("empty", c.text === "");
}

function applyItems(el, c) {
  const shown = Array.from(el.options, (o) => o.text);
  if (shown.length !== c.items.length || shown.some((t, i) => t !== c.items[i])) {
    el.replaceChildren(...c.items.map((t) => new Option(t)));
  }
  if (el.selectedIndex !== c.listIndex) el.selectedIndex = c.listIndex;
}

function applyPanel(c, el, hasPicture) {
  el.classList.toggle("over-picture", hasPicture);
  let title = el.firstChild;
  if (c.text) {
    if (!title) {
      title = document.createElement("div");
      title.className = "panel-title";
      el.appendChild(title);
    }
    setText(title, c.text);
    title.style.color = hasPicture ? rgb(c.color) : "";
    el.setAttribute("role", "group");
    el.setAttribute("aria-label", c.text);
  } else if (title) {
    title.remove();
  }
}

function applyImage(c, el) {
  el.style.setProperty("--tone", rgb(c.back));
  el.style.backgroundImage = c.picture ? `url("pictures/${c.picture.toUpperCase()}.jpg")` : "";
  el.classList.toggle("picture", !!c.picture);
}

export function applyControl(form, c, el, view) {
  if (!el) return;
  el.style.left = `${c.x}px`;
  el.style.top = `${c.y}px`;
  el.style.width = `${c.w}px`;
  el.style.height = `${c.h}px`;
  el.style.fontSize = `${c.pt > 0 ? c.pt : 9}pt`;
  el.style.fontWeight = c.bold ? "bold" : "";
  // A window out of use (the paused main window) takes no clicks: its
  // controls are out of use with it, as the desktop's view disables them.
  const enabled = form.enabled && enabledInModel(form, c);
  // An empty message line shows nothing: it comes into sight with a message.
  const visible = visibleInModel(form, c) && !(c.typed && c.text === "");
  const wasVisible = !el.hidden;
  // Shown first, so that a label is fitted to its text where it stands.
  el.hidden = !visible;
  switch (c.kind) {
    case "label":
    case "clicklabel":
      if (c.typed) {
        applyMessageLine(c, el, view.messageWhole);
      } else {
        applyLabel(form, c, el, view.hasPicture);
      }
      break;
    case "button":
      fitButton(el, c);
      el.disabled = !enabled;
      break;
    case "textbox": {
      // The model's echo of what the player typed earlier is no news: the
      // box keeps the letters typed since.
      const echo = el.sent.indexOf(c.text);
      if (echo >= 0) el.sent.splice(0, echo + 1);
      else if (el.value !== c.text) el.value = c.text;
      el.readOnly = c.locked;
      el.disabled = !enabled;
      if (c.maxLength > 0) el.maxLength = c.maxLength;
      if (c.color !== 0xffffff) el.style.color = rgb(c.color);
      el.setAttribute("aria-label", readerName(form, c));
      break;
    }
    case "list":
    case "combo":
      applyItems(el, c);
      el.disabled = !enabled;
      el.setAttribute("aria-label", readerName(form, c));
      break;
    case "panel":
      applyPanel(c, el, view.hasPicture);
      break;
    case "shape":
      el.classList.toggle("filled", !c.transparent);
      // A shape a pixel or two across is a line: drawn as the desktop's
      // pen draws it, thin and light.
      el.classList.toggle("line", c.w <= 2 || c.h <= 2);
      el.style.setProperty("--fill", rgb(c.back));
      break;
    case "image":
      applyImage(c, el);
      break;
  }
  if (c.kind === "clicklabel") {
    el.setAttribute("aria-disabled", enabled ? "false" : "true");
    el.tabIndex = enabled ? 0 : -1;
  }
  el.classList.toggle("disabled", !enabled);
  if (c.readerHidden) el.setAttribute("aria-hidden", "true");
  else if (!c.typed) el.removeAttribute("aria-hidden");
  // The model's tip, after the whole caption of a button that shows it cut.
  const tip = [el.dataset.cutCaption, c.tip].filter(Boolean).join("\n");
  if (tip) {
    el.dataset.tip = tip;
    if (c.tip) el.setAttribute("aria-description", c.tip);
  } else {
    delete el.dataset.tip;
    el.removeAttribute("aria-description");
  }
  // The pause's "Пауза": said the moment it shows.
  if (c.announced && visible && !wasVisible) view.announce(c.text);
}
