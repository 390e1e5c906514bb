// The journal and the statistics (journal.js, stats.js): windows of their
// own beside the game's, as on the desktop. They stand apart from the places
// (they open and work while the game is paused and while a place is open),
// one of each: asked for again, it comes to the front. Esc and its button
// close it, and the program then stops sending its news. A change of the
// game's language builds what they show again, where they stand.
import { send } from "./bridge.js";
import { onLanguage, tr } from "./lang.js";
import { closeFrame, makeFrame, openFrame, raiseFrame } from "./windows.js";

const frames = new Map(); // "journal" | "stats" -> { frame, label() }

// Opens the window `which`, or brings it to the front; `title()` names it
// and `build(body)` fills a new one, each in the game's language, and
// returns what it needs to hear when it closes.
export function openTool(which, title, className, build) {
  const open = frames.get(which);
  if (open) {
    raiseFrame(open.frame);
    return open.frame;
  }
  let closed = () => {};
  const close = () => {
    if (!frames.has(which)) return;
    frames.delete(which);
    closed();
    closeFrame(frame);
    send("toolclosed", which);
  };
  const frame = makeFrame("", close);
  frame.classList.add("tool-window", className);
  const body = document.createElement("div");
  body.className = "tool-body";
  const row = document.createElement("div");
  row.className = "box-buttons";
  const button = document.createElement("button");
  button.type = "button";
  button.addEventListener("click", close);
  row.appendChild(button);
  frame.append(body, row);
  const label = () => {
    closed();
    frame.querySelector(".titlebar .title").textContent = title();
    button.textContent = tr("Закрыть");
    body.replaceChildren();
    closed = build(body) || (() => {});
  };
  frame.addEventListener("keydown", (e) => {
    if (e.key === "Escape" && !e.ctrlKey && !e.altKey) {
      e.preventDefault();
      e.stopPropagation();
      close();
    }
  });
  frames.set(which, { frame, label });
  label();
  openFrame(frame, "tool");
  return frame;
}

onLanguage(() => {
  for (const { label } of frames.values()) label();
});
