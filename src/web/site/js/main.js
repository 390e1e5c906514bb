// The page: loads the program (kalvitor.js, kalvitor.wasm and the game's
// data, kalvitor.data, all beside this page) and connects its news to the
// windows, the boxes, the journal and the statistics, the saved games'
// files, the keyboard and the sound.
import { kv, on, send } from "./bridge.js";
import { onBox, onBoxClosed, onEnded, onTextFile, openTips, tipsWanted } from "./boxes.js";
import { onJournal, openJournal } from "./journal.js";
import { installKeys } from "./keys.js";
import { configureMenus } from "./menus.js";
import { onDownload } from "./saved_files.js";
import { playEffect, playTrack, trackPlaying } from "./sound.js";
import { onStats, openStats } from "./stats.js";
import { mainEntry, onControl, onForm, onMenus, onTyped, onTyping, topFrame } from "./windows.js";
import { installTips } from "./tips.js";
import { keepOffline } from "./offline.js";
import { installScale, setGameArea } from "./scale.js";
import { openPlayerStore } from "./store.js";
import { onLanguage, setLanguage, tr } from "./lang.js";

const whenIdle = (f) => (window.requestIdleCallback ? requestIdleCallback(f, { timeout: 1000 }) : setTimeout(f, 100));

let tipsOffered = false;
let gameBegun = false;

on("form", (news) => {
  onForm(news);
  document.getElementById("loading")?.remove();
  if (news.main && news.shown) gameBegun = true;
  // The worker after the window has come up and the page is idle: its
  // registration is no part of the start.
  if (news.shown) whenIdle(() => keepOffline(() => gameBegun));
  if (news.main && news.shown && !tipsOffered) {
    // The tips for a new player, once the first game's window is up.
    tipsOffered = true;
    if (tipsWanted()) setTimeout(() => openTips(true), 0);
  }
});
on("gamearea", (news) => setGameArea(news.w, news.h));
on("language", setLanguage);
on("control", onControl);
on("menus", onMenus);
on("typing", onTyping);
on("typed", onTyped);
on("box", onBox);
on("boxclosed", onBoxClosed);
on("textfile", onTextFile);
on("tool", (news) => (news.which === "journal" ? openJournal() : openStats()));
on("journal", onJournal);
on("stats", onStats);
on("download", onDownload);
on("ended", onEnded);
on("link", (news) => window.open(news.target, "_blank", "noopener"));
// "Свернуть игру": the main window folds to its title bar, with a button
// that unfolds it.
on("minimize", () => {
  const main = mainEntry();
  if (!main || main.frame.classList.contains("minimized")) return;
  main.frame.classList.add("minimized");
  const restore = document.createElement("button");
  restore.type = "button";
  restore.className = "restore";
  const label = () => (restore.textContent = tr("Развернуть игру"));
  label();
  onLanguage(() => restore.isConnected && label());
  restore.addEventListener("click", () => {
    main.frame.classList.remove("minimized");
    restore.remove();
    main.frame.querySelector(".client [tabindex='0']")?.focus();
  });
  main.frame.querySelector(".titlebar").after(restore);
  restore.focus();
});

configureMenus({
  mainEnabled: () => mainEntry()?.form.enabled ?? false,
  blocked: () => topFrame()?.kind === "modal",
  help: { caption: () => tr("Советы новичку"), action: () => openTips(false) },
});
installScale();
installKeys();
installTips();

// Out of sight (another tab, the browser minimised): as a minimised window.
document.addEventListener("visibilitychange", () => {
  if (document.hidden && mainEntry()) send("minimized");
});

// Leaving while the player's files are being stored would lose the save.
window.addEventListener("beforeunload", (e) => {
  if (document.documentElement.dataset.storing) e.preventDefault();
});

window.Module = {
  kv: { ...kv, playEffect, playTrack, trackPlaying },
  kvPlayerStore: openPlayerStore(),
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  locateFile: (path) => path,
  // The program, compiled by the page's first script as it came (index.html).
  instantiateWasm: (imports, receive) => {
    window.kvProgram
      .then((module) => WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module)))
      .catch((e) => console.error("kalvitor: the program could not be started", e));
    return {};
  },
};
const program = document.createElement("script");
program.src = "kalvitor.js";
document.body.appendChild(program);
