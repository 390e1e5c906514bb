// The tip the pointer shows over a control (the model's ControlProps::tip):
// a plate near the pointer after a short rest, gone when it moves away. On
// a touch screen a long press shows it (and does not click); the next touch
// takes it away. The plate is scaled with the game (scale.js). A screen
// reader finds the same words as the control's description.
import { currentScale } from "./scale.js";

const REST_MS = 500;
const LONG_PRESS_MS = 550;
const SLOP = 10; // page pixels a finger may wander during a long press
let timer = 0;
let over = null;
let press = null; // { timer, x, y }
let pressedTip = false; // a long press showed a tip: its click is swallowed

function tipEl() {
  return document.getElementById("tip");
}

function hide() {
  clearTimeout(timer);
  over = null;
  tipEl().hidden = true;
}

// The plate beside the point (page's viewport pixels), below the control
// where there is room, else above it.
function show(target, x0) {
  if (!target.isConnected || target.hidden) return;
  const t = tipEl();
  t.textContent = target.dataset.tip;
  t.style.transform = `scale(${currentScale()})`;
  t.hidden = false;
  const size = t.getBoundingClientRect();
  const r = target.getBoundingClientRect();
  const x = Math.min(x0 + 12, window.innerWidth - size.width - 4);
  const below = r.bottom + 6 + size.height < window.innerHeight;
  t.style.left = `${Math.max(4, x) + window.scrollX}px`;
  t.style.top = `${(below ? r.bottom + 6 : Math.max(4, r.top - size.height - 6)) + window.scrollY}px`;
}

function cancelPress() {
  if (press) clearTimeout(press.timer);
  press = null;
}

function onPointerDown(e) {
  hide();
  cancelPress();
  pressedTip = false;
  if (e.pointerType !== "touch") return;
  const target = e.target.closest?.("[data-tip]");
  if (!target) return;
  press = {
    x: e.clientX,
    y: e.clientY,
    timer: setTimeout(() => {
      press = null;
      pressedTip = true;
      show(target, e.clientX);
    }, LONG_PRESS_MS),
  };
}

export function installTips() {
  document.addEventListener("pointerover", (e) => {
    if (e.pointerType === "touch") return;
    const target = e.target.closest?.("[data-tip]");
    if (target === over) return;
    hide();
    if (!target) return;
    over = target;
    timer = setTimeout(() => {
      if (over === target) show(target, e.clientX);
    }, REST_MS);
  });
  document.addEventListener("pointerdown", onPointerDown);
  document.addEventListener("pointermove", (e) => {
    if (press && Math.hypot(e.clientX - press.x, e.clientY - press.y) > SLOP) cancelPress();
  });
  document.addEventListener("pointerup", cancelPress);
  document.addEventListener("pointercancel", cancelPress);
  // A long press shows the tip; it neither clicks nor opens the browser's menu.
  document.addEventListener(
    "click",
    (e) => {
      if (!pressedTip) return;
      pressedTip = false;
      e.preventDefault();
      e.stopPropagation();
    },
    true,
  );
  document.addEventListener("contextmenu", (e) => {
    if (pressedTip || press) e.preventDefault();
  });
  document.addEventListener("keydown", hide);
}
