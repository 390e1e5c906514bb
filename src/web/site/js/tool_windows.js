// The journal and the statistics (journal.js, stats.js): windows of their
// own beside the game's, as on the desktop. They stand apart from the places
// (they open and work while the game is paused and while a place is open),
// one of each: asked for again, it comes to the front. Esc and its button
// close it, and the program then stops sending its news.
import { send } from "./bridge.js";
import { closeFrame, makeFrame, openFrame, raiseFrame } from "./windows.js";

const frames = new Map(); // "journal" | "stats" -> frame

// Opens the window `which`, or brings it to the front; `build(body)` fills
// a new one and returns what it needs to hear when it closes.
export function openTool(which, title, className, build) {
  const open = frames.get(which);
  if (open) {
    raiseFrame(open);
    return open;
  }
  let closed = () => {};
  const close = () => {
    if (!frames.has(which)) return;
    frames.delete(which);
    closed();
    closeFrame(frame);
    send("toolclosed", which);
  };
  const frame = makeFrame(title, close);
  frame.classList.add("tool-window", className);
  const body = document.createElement("div");
  body.className = "tool-body";
  const row = document.createElement("div");
  row.className = "box-buttons";
  const button = document.createElement("button");
  button.type = "button";
  button.textContent = "Закрыть";
  button.addEventListener("click", close);
  row.appendChild(button);
  frame.append(body, row);
  frame.addEventListener("keydown", (e) => {
    if (e.key === "Escape" && !e.ctrlKey && !e.altKey) {
      e.preventDefault();
      e.stopPropagation();
      close();
    }
  });
  frames.set(which, frame);
  closed = build(body) || closed;
  openFrame(frame, "tool");
  return frame;
}
