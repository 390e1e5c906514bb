// The game at home on any screen: the desk with every window of the game on
// it keeps the windows' own pixel sizes and places and is scaled as a whole
// (a CSS transform) to the browser's room, with the main window whole in it.
// Where that keeps at least 85% of the fitting size, the scale is a whole
// number of the screen's own pixels per game pixel (1 on a screen of
// density 2 where 1.15 would fit, 3 on a 4K screen of density 1 where 3.4
// would), so that lines and pictures stay sharp; otherwise it is exactly
// what fits.
//
// The page's own "Вид" control, in the page's top right corner and outside
// the game's windows, lets the player choose the game larger than the room
// (the page then scrolls) or at its own pixel size; the choice is kept in the
// browser's local storage (kalvitor.View).
import { settingGet, settingSet } from "./bridge.js";
import { KV_N, onLanguage, tr, trc } from "./lang.js";

const MARGIN = 8; // page pixels kept around the game
const SNAP = 0.85; // a whole-pixel scale is taken when it keeps this much of the fitting one
// The player's choices: the room's fitting scale times a factor, or the
// game's own pixels.
const VIEWS = [
  ["fit", KV_N("По размеру окна"), 1],
  ["larger", KV_N("Крупнее"), 1.25],
  ["largest", KV_N("Ещё крупнее"), 1.5],
  ["actual", KV_N("Как задумано (1:1)"), 0],
];

let scale = 1;
let mainFrame = null;
let design = null; // the main window's client size, before its frame is measured
const stored = settingGet("View");
let view = VIEWS.some(([v]) => v === stored) ? stored : "fit";
let frameChrome = { w: 2, h: 51 }; // a frame's borders, title bar and menu bar until measured

const stage = () => document.getElementById("stage");
const desk = () => document.getElementById("desk");

export function currentScale() {
  return scale;
}

// A point of the page's viewport in the desk's own pixels.
export function toDesk(clientX, clientY) {
  const r = desk().getBoundingClientRect();
  return { x: (clientX - r.left) / scale, y: (clientY - r.top) / scale };
}

// The main window's client size (the program tells it before any window
// shows) and, once built, its frame: the game area the room is fitted to.
export function setGameArea(clientW, clientH) {
  design = { w: clientW, h: clientH };
  fit();
}

export function setMainFrame(frame) {
  if (frame === mainFrame) return;
  mainFrame = frame;
  watch.disconnect();
  watch.observe(frame);
}

function gameSize() {
  if (mainFrame?.isConnected && !mainFrame.classList.contains("minimized") && mainFrame.offsetWidth > 0) {
    const client = mainFrame.querySelector(".client");
    frameChrome = { w: mainFrame.offsetWidth - client.offsetWidth, h: mainFrame.offsetHeight - client.offsetHeight };
    return { w: mainFrame.offsetWidth, h: mainFrame.offsetHeight };
  }
  return design ? { w: design.w + frameChrome.w, h: design.h + frameChrome.h } : null;
}

// The largest scale at which the game fits the room beside the "Вид"
// control: the control in a strip above the game, or in the margin at its
// side, whichever leaves the game larger.
function fittingScale(room, game, control) {
  const w = room.w - 2 * MARGIN, h = room.h - 2 * MARGIN;
  const above = Math.min(w / game.w, (h - control.h) / game.h);
  const beside = Math.min((w - 2 * control.w) / game.w, h / game.h);
  return above >= beside ? { scale: above, strip: control.h } : { scale: beside, strip: 0 };
}

// A whole number of device pixels per game pixel, when that keeps most of
// the size.
function snapped(s, dpr) {
  const whole = Math.floor(s * dpr + 1e-6) / dpr;
  return whole > 0 && whole >= SNAP * s ? whole : s;
}

function fit() {
  const game = gameSize();
  const control = document.getElementById("view");
  const room = { w: document.documentElement.clientWidth, h: window.innerHeight };
  const box = control ? { w: control.offsetWidth + MARGIN, h: control.offsetHeight + MARGIN } : { w: 0, h: 0 };
  let strip = box.h;
  if (game) {
    const [, , factor] = VIEWS.find(([v]) => v === view);
    const fitted = fittingScale(room, game, box);
    strip = fitted.strip;
    scale = factor > 0 ? snapped(fitted.scale * factor, window.devicePixelRatio || 1) : 1;
  }
  // The stage is the scaled desk in page pixels: the room, or more when the
  // game is larger than the room (the page scrolls).
  const w = Math.max(room.w, game ? game.w * scale + 2 * MARGIN : 0);
  const h = Math.max(room.h, game ? game.h * scale + 2 * MARGIN + strip : 0);
  const s = stage().style;
  s.width = `${w}px`;
  s.height = `${h}px`;
  const d = desk();
  d.style.top = `${strip}px`;
  d.style.width = `${w / scale}px`;
  d.style.height = `${(h - strip) / scale}px`;
  d.style.transform = `scale(${scale})`;
  d.style.setProperty("--desk-w", `${w / scale}px`);
  document.documentElement.style.setProperty("--scale", String(scale));
  document.documentElement.dataset.scale = scale.toFixed(3);
}

const watch = new ResizeObserver(() => fit());

// "Вид ▾": a small plate with the browser's own list over it, unseen, so
// that a click, a tap or the keyboard opens the list the browser draws
// (the phone's picker on a phone).
function buildControl() {
  const box = document.createElement("div");
  box.id = "view";
  const face = document.createElement("span");
  face.setAttribute("aria-hidden", "true");
  const select = document.createElement("select");
  for (const [value] of VIEWS) select.add(new Option("", value, false, value === view));
  // In the game's language, and again when it changes; the game's room
  // follows the plate's new width.
  const label = () => {
    // TRANSLATORS: the plate of the page's control of the game's size
    // ("View"), not the journal's column of kinds.
    face.textContent = trc("the game's size", "Вид") + " ▾";
    select.setAttribute("aria-label", tr("Вид: размер игры на странице"));
    select.title = tr("Размер игры на странице");
    VIEWS.forEach(([, text], i) => (select.options[i].text = tr(text)));
  };
  label();
  onLanguage(() => (label(), fit()));
  select.addEventListener("change", () => {
    view = select.value;
    settingSet("View", view);
    fit();
  });
  // The page's control, not the game's: its keys stay with it.
  select.addEventListener("keydown", (e) => e.stopPropagation());
  box.append(face, select);
  stage().appendChild(box);
}

// A window moved to a screen of another density is fitted again.
function watchDensity() {
  window
    .matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`)
    .addEventListener("change", () => (fit(), watchDensity()), { once: true });
}

export function installScale() {
  buildControl();
  window.addEventListener("resize", fit);
  watchDensity();
  fit();
}
