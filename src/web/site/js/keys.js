// The keyboard as on the desktop (src/qt/main_window.cpp, form_dialog.cpp):
// Enter and Esc press a window's own buttons (Form::DefaultButton and
// CancelButton: Esc leaves a place), Enter and Space press the control
// that has the keyboard, F10 opens the menu bar, the menus' shortcuts work
// from any window of the game; p/з pauses from any window of the game but
// not while the player types into a text box of another window, and c/с
// (in the main window) opens the cheat box, whose Enter and Esc answer it.
import { send } from "./bridge.js";
import { closeMenu, focusMenuBar, menuOpen, runShortcut } from "./menus.js";
import { entryOfFrame, expectCheatBox, mainEntry, topFrame } from "./windows.js";

function isTextBox(el) {
  return (el instanceof HTMLInputElement && el.type === "text") || el instanceof HTMLTextAreaElement
    ? !el.readOnly
    : false;
}

// The window the keyboard is in: the frame of the focused element, else the
// one on top that takes input.
function activeFrame() {
  const f = document.activeElement?.closest?.(".frame");
  if (f && !f.inert) return f;
  return topFrame()?.frame ?? null;
}

function modalOver() {
  const top = topFrame();
  return top && top.kind === "modal";
}

function placeOpen() {
  const top = topFrame();
  return top && top.kind === "place";
}

function onKeyDown(e) {
  if (e.defaultPrevented || e.isComposing) return;
  const frame = activeFrame();
  const main = mainEntry();
  const inMain = main && frame === main.frame;
  if (e.key === "F10" && !e.ctrlKey && !e.altKey && !e.shiftKey) {
    e.preventDefault();
    if (inMain) focusMenuBar();
    return;
  }
  if ((e.ctrlKey || e.altKey) && e.key.length === 1) {
    if (!modalOver() && runShortcut(e, placeOpen())) e.preventDefault();
    return;
  }
  if (menuOpen() || document.activeElement?.closest?.(".menubar")) return;
  const entry = frame ? entryOfFrame(frame) : null;
  if (entry && (e.key === "Enter" || e.key === "Escape") && !e.ctrlKey && !e.altKey) {
    if (pressWindowKey(e, entry)) return;
  }
  if (e.ctrlKey || e.altKey || e.metaKey || e.repeat) return;
  const pause = e.key === "p" || e.key === "з";
  const cheat = e.key === "c" || e.key === "с";
  if (!pause && !cheat) return;
  if (!main || !frame || frame.inert) return;
  if (!inMain) {
    // Another window of the game: only the pause, and not in a text box,
    // where a "p" is only a letter.
    if (!pause || isTextBox(document.activeElement)) return;
  }
  // The letter still goes into a text box that has the keyboard; the game
  // hears it right after.
  if (cheat && inMain) expectCheatBox();
  setTimeout(() => send("key", e.key), 0);
}

// A window's own buttons for Enter and Esc; Enter without one presses the
// button that has the keyboard.
function pressWindowKey(e, entry) {
  const form = entry.form;
  const enter = e.key === "Enter";
  const id = enter ? form.defaultButton : form.cancelButton;
  const el = id >= 0 ? entry.els[id] : null;
  if (el && !el.hidden && !el.disabled) {
    e.preventDefault();
    send("press", form.name, enter ? "enter" : "esc");
    return true;
  }
  const focused = document.activeElement;
  if (enter && focused instanceof HTMLButtonElement && entry.frame.contains(focused)) {
    e.preventDefault();
    focused.click();
    return true;
  }
  if (!enter) e.preventDefault(); // Esc alone does not close a game window
  return !enter;
}

export function installKeys() {
  document.addEventListener("keydown", onKeyDown);
  document.addEventListener("pointerdown", (e) => {
    if (!e.target.closest?.(".menubar")) closeMenu();
  });
}
