// The main window's menu bar from the model's menus: items with check
// marks, separators and shortcuts; F10 opens it, the arrows move, Enter
// chooses, Esc closes. While the game is paused (the main window out of
// use) only what just shows the game can be chosen, and only menus that
// hold such an item open. The help menu starts with the page's own
// "Советы новичку".
import { send } from "./bridge.js";
import { onLanguage, tr } from "./lang.js";

let menus = [];
let bar = null;
let open = -1; // the menu dropped down, -1 for none
let mainEnabled = () => true;
let blockedNow = () => false;
let extraHelp = null; // { caption(), action }

export function configureMenus(opts) {
  mainEnabled = opts.mainEnabled;
  blockedNow = opts.blocked;
  extraHelp = opts.help;
}

export function usable(menu, item) {
  return item.enabled && menu.enabled && (mainEnabled() || item.onlyShows);
}

function menuUsable(menu) {
  return menu.enabled && (mainEnabled() || menu.items.some((it) => usable(menu, it)) || menu.help);
}

export function buildMenuBar() {
  bar = document.createElement("nav");
  bar.className = "menubar";
  bar.setAttribute("role", "menubar");
  bar.addEventListener("keydown", onKey);
  document.addEventListener("pointerdown", (e) => {
    if (open >= 0 && !bar.contains(e.target)) closeMenu();
  });
  render();
  onLanguage(render);
  // Once on the page, and whenever its room changes.
  new ResizeObserver(tighten).observe(bar);
  return bar;
}

export function setMenus(list) {
  menus = list;
  render();
}

function titles() {
  return bar ? Array.from(bar.querySelectorAll(":scope > .menu > .menu-title")) : [];
}

function render() {
  if (!bar) return;
  bar.closest(".frame")?.classList.toggle("menu-open", open >= 0);
  const focused = document.activeElement && bar.contains(document.activeElement) ? document.activeElement.id : "";
  bar.setAttribute("aria-label", tr("Меню"));
  bar.replaceChildren();
  menus.forEach((menu, m) => {
    const wrap = document.createElement("div");
    wrap.className = "menu";
    const title = document.createElement("button");
    title.type = "button";
    title.className = "menu-title";
    title.id = `menu-${m}`;
    title.tabIndex = -1;
    title.setAttribute("role", "menuitem");
    title.setAttribute("aria-haspopup", "menu");
    title.setAttribute("aria-expanded", String(open === m));
    title.textContent = menu.caption;
    title.disabled = !menuUsable(menu);
    title.addEventListener("click", () => (open === m ? closeMenu() : openMenu(m, false)));
    title.addEventListener("pointerenter", () => {
      if (open >= 0 && open !== m && !title.disabled) openMenu(m, false);
    });
    wrap.appendChild(title);
    if (open === m) wrap.appendChild(dropDown(menu, m));
    bar.appendChild(wrap);
  });
  if (bar.isConnected) tighten();
  if (focused) document.getElementById(focused)?.focus();
}

// The menus closer together when they would take two lines (kalvitor.css).
function tighten() {
  const wraps = () => {
    const all = titles();
    return all.length > 1 && all[all.length - 1].getBoundingClientRect().top > all[0].getBoundingClientRect().bottom - 1;
  };
  bar.classList.remove("tight");
  if (wraps()) bar.classList.add("tight");
}

function itemButton(caption, shortcut, enabled, checked, onChoose, id) {
  const b = document.createElement("button");
  b.type = "button";
  b.id = id;
  b.className = "menu-item";
  b.tabIndex = -1;
  b.setAttribute("role", checked ? "menuitemcheckbox" : "menuitem");
  if (checked) b.setAttribute("aria-checked", "true");
  b.disabled = !enabled;
  const mark = Object.assign(document.createElement("span"), { className: "check", textContent: checked ? "✓" : "" });
  const text = Object.assign(document.createElement("span"), { className: "caption", textContent: caption });
  const keys = Object.assign(document.createElement("span"), { className: "shortcut", textContent: shortcut || "" });
  mark.setAttribute("aria-hidden", "true");
  if (shortcut) b.setAttribute("aria-keyshortcuts", shortcut.replace("Ctrl", "Control"));
  b.append(mark, text, keys);
  b.addEventListener("click", () => {
    if (b.disabled) return;
    closeMenu();
    onChoose();
  });
  return b;
}

function dropDown(menu, m) {
  const list = document.createElement("div");
  list.className = "dropdown";
  list.setAttribute("role", "menu");
  list.setAttribute("aria-labelledby", `menu-${m}`);
  if (menu.help && extraHelp) {
    list.appendChild(itemButton(extraHelp.caption(), "", true, false, extraHelp.action, `item-${m}-help`));
    list.appendChild(separator());
  }
  menu.items.forEach((item, i) => {
    if (item.separatorBefore) list.appendChild(separator());
    list.appendChild(
      itemButton(item.caption, item.shortcut, usable(menu, item), item.checked, () => send("menu", m, i), `item-${m}-${i}`),
    );
  });
  return list;
}

function separator() {
  const s = document.createElement("div");
  s.className = "separator";
  s.setAttribute("role", "separator");
  return s;
}

function items() {
  return bar ? Array.from(bar.querySelectorAll(".dropdown .menu-item:not(:disabled)")) : [];
}

export function openMenu(m, focusFirst) {
  open = m;
  // The menu's own click: the sound menu reads its switches again, and the
  // program sends the menus anew.
  send("menuopen", m);
  render();
  const title = document.getElementById(`menu-${m}`);
  if (focusFirst && items().length) items()[0].focus();
  else title?.focus();
}

export function closeMenu() {
  if (open < 0) return;
  open = -1;
  render();
}

// F10: the first menu that can be opened gets the keyboard.
export function focusMenuBar() {
  if (!bar || blockedNow()) return false;
  const first = titles().find((t) => !t.disabled);
  if (!first) return false;
  first.focus();
  return true;
}

export function menuOpen() {
  return open >= 0;
}

function moveAcross(step) {
  const all = titles();
  const i = all.indexOf(document.activeElement.closest(".menu")?.querySelector(".menu-title"));
  for (let k = 1; k <= all.length; ++k) {
    const t = all[(i + step * k + all.length * k) % all.length];
    if (!t.disabled) {
      const m = all.indexOf(t);
      if (open >= 0) openMenu(m, true);
      else t.focus();
      return;
    }
  }
}

function onKey(e) {
  const list = items();
  const at = list.indexOf(document.activeElement);
  const onTitle = document.activeElement?.classList.contains("menu-title");
  if (e.key === "ArrowRight" || e.key === "ArrowLeft") moveAcross(e.key === "ArrowRight" ? 1 : -1);
  else if (e.key === "ArrowDown" && onTitle) openMenu(titles().indexOf(document.activeElement), true);
  else if (e.key === "ArrowDown" && list.length) list[(at + 1) % list.length].focus();
  else if (e.key === "ArrowUp" && list.length) list[(at - 1 + list.length) % list.length].focus();
  else if (e.key === "Escape") {
    const m = open;
    closeMenu();
    if (m >= 0) document.getElementById(`menu-${m}`)?.focus();
    else document.activeElement.blur();
  } else if ((e.key === "Enter" || e.key === " ") && onTitle) {
    openMenu(titles().indexOf(document.activeElement), true);
  } else return;
  e.preventDefault();
  e.stopPropagation();
}

// A shortcut ("Ctrl+J") from any window of the game, unless a box or a
// dialog the game waits for has the keyboard; behind a place only what
// just shows the game.
export function runShortcut(e, placeOpen) {
  const parts = [];
  if (e.ctrlKey) parts.push("Ctrl");
  if (e.altKey) parts.push("Alt");
  if (e.shiftKey) parts.push("Shift");
  const key = e.key.length === 1 ? e.key.toUpperCase() : e.key;
  parts.push(key);
  const pressed = parts.join("+");
  for (let m = 0; m < menus.length; ++m)
    for (let i = 0; i < menus[m].items.length; ++i) {
      const item = menus[m].items[i];
      if (!item.shortcut || item.shortcut !== pressed) continue;
      if (!usable(menus[m], item) || (placeOpen && !item.onlyShows)) return false;
      send("menu", m, i);
      return true;
    }
  return false;
}
