// Saved games beyond the browser: two buttons of the page's own under the
// game's save/load dialog (the program's side: src/web/saved_files.cpp).
// "Скачать" asks the program for the selected game's files and hands them
// to the player as they lie in the player's folder; "Открыть файл…" puts the
// files the player picks into the program's memory and lets the program
// check them and bring the game into its list. Whatever is wrong, the
// program says in the game's own message box.
import { send } from "./bridge.js";
import { addToWindow } from "./windows.js";
import { onLanguage, tr } from "./lang.js";

// A file this big is not read at all (reading it would hold the page up);
// a saved game and its journal are a few hundred bytes and a few megabytes.
const TOO_BIG = 64 * 1024 * 1024;
let picks = 0;

// The buttons made, each labelled in the game's language and again when it
// changes, also while its dialog is hidden (off the page); those of a dialog
// gone for good are let go.
const made = new Set(); // WeakRef of each button
onLanguage(() => {
  for (const ref of made) {
    const b = ref.deref();
    if (b) b.label();
    else made.delete(ref);
  }
});

function button(text, description, onClick) {
  const b = Object.assign(document.createElement("button"), { type: "button" });
  b.label = () => {
    b.textContent = text();
    b.setAttribute("aria-description", description());
    b.title = description();
  };
  b.label();
  made.add(new WeakRef(b));
  b.addEventListener("click", onClick);
  // Enter presses the button itself, not the dialog's default one (keys.js).
  b.addEventListener("keydown", (e) => {
    if (e.key === "Enter") e.stopPropagation();
  });
  return b;
}

// The picked files for the program: name, size and where their bytes are
// ("" for one too big to read, "-" for one that could not be read).
async function bringIn(files) {
  const pick = ++picks;
  const fields = [];
  for (const [i, file] of [...files].entries()) {
    let path = "";
    if (file.size < TOO_BIG) {
      try {
        const bytes = new Uint8Array(await file.arrayBuffer());
        path = `/tmp/picked-${pick}-${i}`;
        window.Module.FS.writeFile(path, bytes);
      } catch {
        path = "-";
      }
    }
    fields.push(file.name, file.size, path);
  }
  send("import", ...fields);
}

addToWindow("frmSaveLoad", (frame) => {
  const chooser = Object.assign(document.createElement("input"), { type: "file", multiple: true, hidden: true });
  chooser.accept = ".ksv,.kjl";
  chooser.addEventListener("change", () => {
    const files = [...chooser.files];
    chooser.value = "";
    if (files.length) bringIn(files);
  });
  const row = document.createElement("div");
  row.className = "page-buttons";
  row.append(
    button(
      () => tr("Скачать"),
      () => tr("Сохранить на этот компьютер файлы выбранной игры (.ksv и её журнал .kjl)"),
      () => send("export"),
    ),
    button(
      () => tr("Открыть файл…"),
      () => tr("Добавить в список игру, сохранённую на этом компьютере (.ksv и, если есть, .kjl)"),
      () => chooser.click(),
    ),
    chooser,
  );
  frame.append(row);
});

// The program's answer to "Скачать": the files, each handed over as it is.
export function onDownload(news) {
  for (const f of news.files) {
    const bytes = window.Module.FS.readFile(f.path);
    const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    const a = Object.assign(document.createElement("a"), { href: url, download: f.name });
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }
}
