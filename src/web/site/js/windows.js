// The windows on the page: one frame per window the program shows (the
// main window, the places, the dialogs), the page's own windows (boxes,
// texts, tips), and what blocks what, as on the desktop: a place blocks the
// main window and what belongs to it; a dialog the game waits for and a
// message box block every window; the journal, the statistics, the texts
// and the tips stand apart from the places.
import { send } from "./bridge.js";
import { applyControl, buildControls } from "./controls.js";
import { buildMenuBar, setMenus } from "./menus.js";
import { setMainFrame, toDesk } from "./scale.js";
import { onLanguage, tr } from "./lang.js";

const desk = () => document.getElementById("desk");
const forms = new Map(); // name -> { form, frame, client, els, ... }
const stack = []; // open frames, the last on top: { frame, kind, name? }
let messageWhole = "";
let mainName = "";
let pendingCheatFocus = false;

export function announce(text) {
  const a = document.getElementById("announcer");
  a.textContent = "";
  // A new node each time: the same words said again are said again.
  setTimeout(() => {
    a.textContent = text;
  }, 30);
}

// How a window blocks: "main", "place" (blocks the main window and what
// belongs to it), "modal" (blocks everything), "tool" (blocks nothing and
// is blocked only by what blocks everything).
function kindOf(form) {
  if (form.main) return "main";
  if (!form.modal) return "tool";
  return form.dialog || !form.ownedByMain ? "modal" : "place";
}

export function topFrame() {
  for (let i = stack.length - 1; i >= 0; --i) if (!stack[i].frame.inert) return stack[i];
  return null;
}

// Sets which frames take input, and keeps the keyboard in one that does.
export function restack() {
  stack.forEach((entry, i) => {
    const above = stack.slice(i + 1);
    const blocked =
      above.some((m) => m.kind === "modal") ||
      (entry.kind !== "tool" && entry.kind !== "modal" && above.some((m) => m.kind === "place"));
    entry.frame.inert = blocked;
    entry.frame.classList.toggle("blocked", blocked);
    entry.frame.style.zIndex = String(10 + i);
  });
  const top = stack[stack.length - 1];
  const active = document.activeElement;
  if (top && (!active || active === document.body || active.closest(".frame")?.inert)) focusInto(top.frame);
}

// The keyboard into a window: what asks for it, else its first text box,
// its default button, its first control; the first of them that can take
// it (a control out of sight or out of use cannot: the main window's
// default button is the hidden cheat box's).
export function focusInto(frame) {
  const candidates = [
    ...frame.querySelectorAll("[data-autofocus]"),
    ...frame.querySelectorAll(".client input:not([readonly]), .client textarea"),
    ...frame.querySelectorAll("button.default"),
    ...frame.querySelectorAll(".client [tabindex='0'], .client button, .client select"),
  ];
  for (const el of candidates) {
    if (!takesKeyboard(el)) continue;
    el.focus({ preventScroll: true });
    if (document.activeElement === el) return;
  }
  frame.focus({ preventScroll: true });
}

function takesKeyboard(el) {
  return el.isConnected && !el.disabled && el.tabIndex >= 0 && el.checkVisibility() && !el.closest("[inert]");
}

// `onPage` runs once the frame is on the page, before it is placed and
// given the keyboard.
export function openFrame(frame, kind, name, onPage = null) {
  // When it closes, the keyboard goes back to where it was.
  stack.push({ frame, kind, name, returnFocus: document.activeElement });
  desk().appendChild(frame);
  onPage?.();
  place(frame);
  restack();
  focusInto(frame);
}

// A window already open comes to the front with the keyboard in it.
export function raiseFrame(frame) {
  const i = stack.findIndex((e) => e.frame === frame);
  if (i < 0) return;
  stack.push(...stack.splice(i, 1));
  restack();
  if (!frame.inert && !frame.contains(document.activeElement)) focusInto(frame);
}

export function closeFrame(frame) {
  const i = stack.findIndex((e) => e.frame === frame);
  const back = i >= 0 ? stack[i].returnFocus : null;
  if (i >= 0) stack.splice(i, 1);
  const hadFocus = frame.contains(document.activeElement);
  frame.remove();
  restack();
  const top = topFrame();
  if (!top || (!hadFocus && document.activeElement !== document.body)) return;
  const usable = back && back.isConnected && !back.closest(".frame")?.inert && !back.closest("[hidden]") && !back.disabled;
  if (usable && top.frame.contains(back)) back.focus({ preventScroll: true });
  else if (!top.frame.contains(document.activeElement)) focusInto(top.frame);
}

// Over the middle of the main window (or of the room), kept in the room;
// in the desk's own pixels, whatever the page's scale.
function place(frame) {
  if (frame.classList.contains("main-window")) return;
  const main = forms.get(mainName)?.frame;
  const room = { w: desk().clientWidth, h: desk().clientHeight };
  const over =
    main && main.isConnected && stack.some((e) => e.frame === main)
      ? { left: main.offsetLeft, top: main.offsetTop, width: main.offsetWidth, height: main.offsetHeight }
      : null;
  // The tips: a narrow page to the right of the main window, where there is room.
  if (frame.classList.contains("beside") && over && over.left + over.width + 8 + frame.offsetWidth <= room.w) {
    frame.style.left = `${Math.round(over.left + over.width + 8)}px`;
    frame.style.top = `${Math.round(over.top)}px`;
    return;
  }
  const w = frame.offsetWidth, h = frame.offsetHeight;
  const cx = over ? over.left + over.width / 2 : room.w / 2;
  const cy = over ? over.top + over.height / 2 : room.h / 2;
  frame.style.left = `${Math.max(0, Math.min(Math.round(cx - w / 2), room.w - w))}px`;
  frame.style.top = `${Math.max(0, Math.min(Math.round(cy - h / 2), room.h - h))}px`;
}

// A window's frame: its title bar with the close box, and what it holds.
export function makeFrame(title, onClose, role = "dialog") {
  const frame = document.createElement("section");
  frame.className = "frame";
  frame.setAttribute("role", role);
  frame.tabIndex = -1;
  const bar = document.createElement("div");
  bar.className = "titlebar";
  const caption = document.createElement("h2");
  caption.className = "title";
  caption.id = `title-${Math.random().toString(36).slice(2)}`;
  caption.textContent = title;
  frame.setAttribute("aria-labelledby", caption.id);
  const close = document.createElement("button");
  close.type = "button";
  close.className = "close";
  close.tabIndex = -1;
  close.setAttribute("aria-label", tr("Закрыть"));
  close.textContent = "×";
  close.addEventListener("click", onClose);
  bar.append(caption, close);
  frame.appendChild(bar);
  dragBy(bar, frame);
  return frame;
}

// The close boxes of the windows on the page and of the game's windows out
// of sight.
onLanguage(() => {
  const frames = new Set([...desk().querySelectorAll(".frame"), ...[...forms.values()].map((e) => e.frame)]);
  for (const frame of frames) frame.querySelector(".titlebar .close")?.setAttribute("aria-label", tr("Закрыть"));
});

// The title bar moves its window.
function dragBy(bar, frame) {
  bar.addEventListener("pointerdown", (e) => {
    if (e.target.closest("button") || frame.classList.contains("main-window")) return;
    const at = toDesk(e.clientX, e.clientY);
    const x0 = at.x - frame.offsetLeft, y0 = at.y - frame.offsetTop;
    const move = (m) => {
      const to = toDesk(m.clientX, m.clientY);
      frame.style.left = `${Math.max(0, to.x - x0)}px`;
      frame.style.top = `${Math.max(0, to.y - y0)}px`;
    };
    const up = () => {
      bar.removeEventListener("pointermove", move);
      bar.removeEventListener("pointerup", up);
    };
    bar.setPointerCapture(e.pointerId);
    bar.addEventListener("pointermove", move);
    bar.addEventListener("pointerup", up);
  });
}

function viewOf(entry) {
  return { messageWhole, hasPicture: !!entry.form.background, announce };
}

function setTitle(entry) {
  const h = entry.frame.querySelector(".titlebar .title");
  if (h.textContent !== entry.form.title) h.textContent = entry.form.title;
  if (entry.form.main) document.title = entry.form.title || document.title;
}

// What the page adds of its own to a window of the game, by its name:
// fn(frame, form) once the frame is built.
const additions = new Map();
export function addToWindow(name, fn) {
  additions.set(name, fn);
}

function build(form) {
  const frame = makeFrame(form.title, () => send("close", form.name), form.main ? "region" : "dialog");
  frame.dataset.form = form.name;
  if (form.main) frame.classList.add("main-window");
  if (kindOf(form) === "modal" || kindOf(form) === "place") frame.setAttribute("aria-modal", "true");
  const client = document.createElement("div");
  client.className = "client";
  if (form.main) frame.appendChild(buildMenuBar());
  frame.appendChild(client);
  const entry = { form, frame, client, els: buildControls(form, client) };
  additions.get(form.name)?.(frame, form);
  forms.set(form.name, entry);
  return entry;
}

function applyForm(entry) {
  const { form, client } = entry;
  client.style.width = `${form.w}px`;
  client.style.height = `${form.h}px`;
  if (form.main) setMainFrame(entry.frame);
  client.style.backgroundImage = form.background ? `url("backgrounds/${form.background.toUpperCase()}.jpg")` : "";
  client.classList.toggle("has-picture", !!form.background);
  // A paused main window takes no clicks (its controls say they are out of
  // use); its keys still reach the game.
  client.classList.toggle("disabled", !form.enabled);
  client.inert = !form.enabled && !form.main;
  setTitle(entry);
  const view = viewOf(entry);
  form.controls.forEach((c, i) => applyControl(form, c, entry.els[i], view));
  const def = form.defaultButton >= 0 ? entry.els[form.defaultButton] : null;
  entry.els.forEach((el) => el && el.classList.toggle("default", el === def));
}

const onStack = (entry) => stack.some((e) => e.frame === entry.frame);

function show(entry) {
  if (onStack(entry)) return;
  // Applied on the page, where its labels are fitted to their texts as
  // they stand, before it is placed and given the keyboard.
  openFrame(entry.frame, kindOf(entry.form), entry.form.name, () => applyForm(entry));
}

function hide(entry) {
  if (onStack(entry)) closeFrame(entry.frame);
}

export function onForm(news) {
  let entry = forms.get(news.name);
  if (news.main) mainName = news.name;
  if (news.gone) {
    if (!entry) return;
    hide(entry);
    if (!news.loaded) forms.delete(news.name);
    return;
  }
  // Built anew when it loads again: a new game gives the windows their
  // designed state.
  if (entry && entry.form.controls.length !== news.controls.length) {
    hide(entry);
    forms.delete(news.name);
    entry = null;
  }
  if (!entry) entry = build(news);
  entry.form = news;
  entry.form.controls.forEach((c, i) => (c.designHidden = entry.els[i] ? entry.els[i].style.zIndex === "3" : false));
  // A window coming into sight is applied once, where it stands (show).
  if (news.shown && !onStack(entry)) return show(entry);
  applyForm(entry);
  if (!news.shown) hide(entry);
}

export function onControl(news) {
  const entry = forms.get(news.form);
  if (!entry) return;
  const active = document.activeElement;
  const c = news.control;
  const old = entry.form.controls[c.id];
  c.designHidden = old ? old.designHidden : false;
  entry.form.controls[c.id] = c;
  const view = viewOf(entry);
  applyControl(entry.form, c, entry.els[c.id], view);
  // What sits on a panel follows it.
  if (c.kind === "panel")
    entry.form.controls.forEach((d, i) => {
      if (sitsOn(entry.form, d, c.id)) applyControl(entry.form, d, entry.els[i], view);
    });
  const cheatBox = entry.els[c.id];
  if (c.name === "txtCheat" && pendingCheatFocus && !cheatBox.hidden && !cheatBox.disabled) {
    pendingCheatFocus = false;
    if (active !== cheatBox) {
      entry.keyboardBefore = active;
      cheatBox.focus();
    }
  }
  // A control that goes out of sight with the keyboard in it (the cheat box
  // once answered) gives it back where it was before, or to its window.
  // Only the control itself or a panel can have taken it out of sight;
  // asking anything else would lay out the page at every change (the
  // clock's every tick).
  const mayHaveGone = active === entry.els[c.id] || c.kind === "panel";
  if (mayHaveGone && entry.client.contains(active) && !active.checkVisibility()) {
    const back = entry.keyboardBefore;
    entry.keyboardBefore = null;
    if (back && entry.frame.contains(back) && takesKeyboard(back)) back.focus({ preventScroll: true });
    else if (!entry.frame.inert) focusInto(entry.frame);
  }
}

function sitsOn(form, c, panelId) {
  for (let p = c.parent; p >= 0; p = form.controls[p].parent) if (p === panelId) return true;
  return false;
}

export function onTyping(news) {
  messageWhole = news.text;
  if (news.text) announce(news.text);
}

export function onTyped() {}

// The c just pressed opens the cheat box, which then takes the keyboard,
// however long the program takes to answer.
export function expectCheatBox() {
  pendingCheatFocus = true;
}

export function mainEntry() {
  return forms.get(mainName);
}

export function entryOfFrame(frame) {
  for (const e of forms.values()) if (e.frame === frame) return e;
  return null;
}

export function onMenus(news) {
  setMenus(news.menus);
}
