// The page's own windows: message and input boxes (the program waits for
// their answer), the text files (readme, licence), the tips for a new
// player and the end of the game.
import { send, settingGet, settingSet } from "./bridge.js";
import { closeFrame, makeFrame, openFrame } from "./windows.js";
import { currentLanguage, KV_N, onLanguage, tr, trf } from "./lang.js";

const boxes = new Map(); // id -> frame

const ICONS = {
  information: { sign: "i", name: KV_N("Информация") },
  exclamation: { sign: "!", name: KV_N("Внимание") },
  critical: { sign: "×", name: KV_N("Ошибка") },
  question: { sign: "?", name: KV_N("Вопрос") },
};
const BUTTONS = {
  ok: [["ok", "OK"]],
  yesno: [["yes", KV_N("Да")], ["no", KV_N("Нет")]],
  yesnocancel: [["yes", KV_N("Да")], ["no", KV_N("Нет")], ["cancel", KV_N("Отмена")]],
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
    i.setAttribute("aria-label", tr(icon.name));
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
      const b = button(tr(label), () => answer(box.id, value));
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
    button(tr("Отмена"), () => answer(box.id, "cancel")),
  );
}

export function onBoxClosed(news) {
  const frame = boxes.get(news.id);
  boxes.delete(news.id);
  if (frame) closeFrame(frame);
}

// The text windows open, each with what labels it again in another language.
const textWindows = new Map(); // frame -> label()

// A window of text to read, with a button to close it (Esc closes it too).
// `title()` and `build(body)` make it in the game's language, and again
// when the language changes while it is open.
function textWindow(title, build, className) {
  const frame = makeFrame("", () => closeText(frame));
  frame.classList.add("text-window", ...className.split(" "));
  const body = document.createElement("div");
  body.className = "text-body";
  const row = document.createElement("div");
  row.className = "box-buttons";
  const close = button("", () => closeText(frame));
  row.appendChild(close);
  frame.append(body, row);
  const label = () => {
    frame.querySelector(".titlebar .title").textContent = title();
    close.textContent = tr("Закрыть");
    body.replaceChildren();
    build(body);
  };
  label();
  textWindows.set(frame, label);
  frame.addEventListener("keydown", (e) => {
    if (e.key === "Escape") {
      e.preventDefault();
      e.stopPropagation();
      closeText(frame);
    }
  });
  openFrame(frame, "tool");
  return frame;
}

function closeText(frame) {
  textWindows.delete(frame);
  closeFrame(frame);
}

onLanguage(() => {
  for (const label of textWindows.values()) label();
});

function readOnlyText(text) {
  const t = document.createElement("textarea");
  t.readOnly = true;
  t.value = text.replace(/\r\n/g, "\n");
  t.dataset.autofocus = "";
  return t;
}

export function onTextFile(news) {
  textWindow(() => news.title, (body) => {
    if (news.found) body.appendChild(readOnlyText(news.text)).setAttribute("aria-label", news.title);
    else body.textContent = trf("Файл %s не найден.", news.title);
  }, "text-file");
}

// The tips for a new player: offered at the first start while the game
// waits, and from the help menu.
export function tipsWanted() {
  return settingGet("Tips") !== "0";
}

// The tips in the game's language (tips.en.txt), or the Russian ones.
function tipsText() {
  for (const name of [`tips.${currentLanguage()}.txt`, "tips.txt"]) {
    try {
      return window.Module.FS.readFile(`/data/${name}`, { encoding: "utf8" });
    } catch {
      // The next one.
    }
  }
  return null;
}

export function openTips(atStart) {
  if (tipsText() === null) return;
  if (atStart) send("pause");
  textWindow(() => tr("Советы новичку"), (body) => {
    if (atStart) {
      const note = document.createElement("p");
      note.className = "pause-note";
      note.textContent = tr("Игра стоит на паузе, пока вы читаете. Клавиша P пустит время.");
      body.appendChild(note);
    }
    body.appendChild(readOnlyText(tipsText() ?? "")).setAttribute("aria-label", tr("Советы новичку"));
    const never = document.createElement("label");
    never.className = "never";
    const box = Object.assign(document.createElement("input"), { type: "checkbox", checked: !tipsWanted() });
    box.addEventListener("change", () => settingSet("Tips", box.checked ? "0" : "1"));
    never.append(box, " " + tr("Больше не показывать"));
    body.appendChild(never);
  }, "tips-window beside");
}

export function onEnded() {
  const desk = document.getElementById("desk");
  const end = document.createElement("section");
  end.className = "ended";
  end.setAttribute("role", "alertdialog");
  end.setAttribute("aria-labelledby", "ended-text");
  const p = Object.assign(document.createElement("p"), { id: "ended-text", textContent: tr("Игра окончена.") });
  const again = button(tr("Начать снова"), () => location.reload());
  end.append(p, again);
  desk.replaceChildren(end);
  again.focus();
}
