// The page's own windows: message and input boxes (the program waits for
// their answer), the text files (readme, licence), the tips for a new
// player and the end of the game.
import { send, settingGet, settingSet } from "./bridge.js";
import { closeFrame, makeFrame, openFrame } from "./windows.js";

const boxes = new Map(); // id -> frame

const ICONS = {
  information: { sign: "i", name: "Информация" },
  exclamation: { sign: "!", name: "Внимание" },
  critical: { sign: "×", name: "Ошибка" },
  question: { sign: "?", name: "Вопрос" },
};
const BUTTONS = {
  ok: [["ok", "OK"]],
  yesno: [["yes", "Да"], ["no", "Нет"]],
  yesnocancel: [["yes", "Да"], ["no", "Нет"], ["cancel", "Отмена"]],
};
// Esc's answer, as on the desktop: OK, No, Cancel.
const ESCAPE = { ok: "ok", yesno: "no", yesnocancel: "cancel" };

function button(text, onClick) {
  const b = document.createElement("button");
  b.type = "button";
  b.textContent = text;
  b.addEventListener("click", onClick);
  return b;
}

function answer(id, ...fields) {
  if (!boxes.has(id)) return;
  send("answer", id, ...fields);
  // The frame goes when the program has taken the answer ("boxclosed").
  boxes.get(id).inert = true;
}

export function onBox(box) {
  const frame = makeFrame(box.title, () => answer(box.id, box.kind === "input" ? "cancel" : ESCAPE[box.buttons]));
  frame.classList.add("box");
  frame.setAttribute("role", "alertdialog");
  const body = document.createElement("div");
  body.className = "box-body";
  const icon = ICONS[box.icon];
  if (icon) {
    const i = document.createElement("div");
    i.className = `box-icon ${box.icon}`;
    i.textContent = icon.sign;
    i.setAttribute("role", "img");
    i.setAttribute("aria-label", icon.name);
    body.appendChild(i);
  }
  const text = document.createElement("p");
  text.className = "box-text";
  text.id = `box-text-${box.id}`;
  text.textContent = box.text;
  frame.setAttribute("aria-describedby", text.id);
  body.appendChild(text);
  frame.appendChild(body);
  const row = document.createElement("div");
  row.className = "box-buttons";
  if (box.kind === "input") inputRow(box, body, row);
  else
    BUTTONS[box.buttons].forEach(([value, label], i) => {
      const b = button(label, () => answer(box.id, value));
      if (i === 0) b.classList.add("default"), (b.dataset.autofocus = "");
      row.appendChild(b);
    });
  frame.appendChild(row);
  frame.addEventListener("keydown", (e) => {
    if (e.key === "Escape") {
      e.preventDefault();
      e.stopPropagation();
      answer(box.id, box.kind === "input" ? "cancel" : ESCAPE[box.buttons]);
    } else if (e.key === "Enter" && box.kind === "input") {
      e.preventDefault();
      e.stopPropagation();
      answer(box.id, "ok", frame.querySelector("input").value);
    }
  });
  boxes.set(box.id, frame);
  openFrame(frame, "modal");
}

function inputRow(box, body, row) {
  const input = document.createElement("input");
  input.type = "text";
  input.value = box.value;
  input.dataset.autofocus = "";
  input.setAttribute("aria-label", box.text);
  body.appendChild(input);
  row.append(
    Object.assign(button("OK", () => answer(box.id, "ok", input.value)), { className: "default" }),
    button("Отмена", () => answer(box.id, "cancel")),
  );
}

export function onBoxClosed(news) {
  const frame = boxes.get(news.id);
  boxes.delete(news.id);
  if (frame) closeFrame(frame);
}

// A window of text to read, with a button to close it (Esc closes it too).
function textWindow(title, build, className) {
  const frame = makeFrame(title, () => closeFrame(frame));
  frame.classList.add("text-window", ...className.split(" "));
  const body = document.createElement("div");
  body.className = "text-body";
  build(body);
  const row = document.createElement("div");
  row.className = "box-buttons";
  const close = button("Закрыть", () => closeFrame(frame));
  row.appendChild(close);
  frame.append(body, row);
  frame.addEventListener("keydown", (e) => {
    if (e.key === "Escape") {
      e.preventDefault();
      e.stopPropagation();
      closeFrame(frame);
    }
  });
  openFrame(frame, "tool");
  return frame;
}

function readOnlyText(text) {
  const t = document.createElement("textarea");
  t.readOnly = true;
  t.value = text.replace(/\r\n/g, "\n");
  t.dataset.autofocus = "";
  return t;
}

export function onTextFile(news) {
  textWindow(news.title, (body) => {
    if (news.found) body.appendChild(readOnlyText(news.text)).setAttribute("aria-label", news.title);
    else body.textContent = `Файл ${news.title} не найден.`;
  }, "text-file");
}

// The tips for a new player: offered at the first start while the game
// waits, and from the help menu.
export function tipsWanted() {
  return settingGet("Tips") !== "0";
}

export function openTips(atStart) {
  let text = "";
  try {
    text = window.Module.FS.readFile("/data/tips.txt", { encoding: "utf8" });
  } catch {
    return;
  }
  if (atStart) send("pause");
  textWindow("Советы новичку", (body) => {
    if (atStart) {
      const note = document.createElement("p");
      note.className = "pause-note";
      note.textContent = "Игра стоит на паузе, пока вы читаете. Клавиша P пустит время.";
      body.appendChild(note);
    }
    body.appendChild(readOnlyText(text)).setAttribute("aria-label", "Советы новичку");
    const never = document.createElement("label");
    never.className = "never";
    const box = Object.assign(document.createElement("input"), { type: "checkbox", checked: !tipsWanted() });
    box.addEventListener("change", () => settingSet("Tips", box.checked ? "0" : "1"));
    never.append(box, " Больше не показывать");
    body.appendChild(never);
  }, "tips-window beside");
}

export function onEnded() {
  const desk = document.getElementById("desk");
  const end = document.createElement("section");
  end.className = "ended";
  end.setAttribute("role", "alertdialog");
  end.setAttribute("aria-labelledby", "ended-text");
  const p = Object.assign(document.createElement("p"), { id: "ended-text", textContent: "Игра окончена." });
  const again = button("Начать снова", () => location.reload());
  end.append(p, again);
  desk.replaceChildren(end);
  again.focus();
}
