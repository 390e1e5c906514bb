// Debian's Chromium, headless, driven through playwright-core (which
// brings no browser of its own), over the site served on this machine, and
// the few moves of a player the tests share. Everything is read from what
// the page shows and from its accessibility tree; input is the browser's
// own (mouse, keyboard), never an event made up in the page.
import { spawn } from "node:child_process";
import { mkdtempSync, readdirSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, dirname } from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
export const site = process.env.KALVITOR_SITE || join(root, "build", "web", "site");

// The site (or another folder) on a free port of this machine (or the port
// given); resolves once it answers. The suite's runner (run.js) starts one
// for every file and names it in KALVITOR_URL: the site's own is that one.
export async function serve({ dir = null, port = null } = {}) {
  if (process.env.KALVITOR_URL && dir === null && port === null) return { url: process.env.KALVITOR_URL, stop: () => {} };
  for (let attempt = 0; ; ++attempt) {
    const at = port ?? 18000 + Math.floor(Math.random() * 2000);
    const server = spawn("python3", [join(root, "scripts", "web_serve.py"), dir ?? site, String(at)], {
      stdio: ["ignore", "pipe", "pipe"],
    });
    let said = "";
    server.stderr.on("data", (d) => (said += d));
    const up = await new Promise((resolve) => {
      server.stdout.once("data", () => resolve(true));
      server.once("exit", () => resolve(false));
    });
    if (up) {
      const ended = new Promise((resolve) => server.once("exit", resolve));
      return { url: `http://127.0.0.1:${at}/`, port: at, stop: () => (server.kill(), ended) };
    }
    if (attempt === 5 || port !== null) throw new Error(`the server did not start: ${said}`);
  }
}

const ARGS = [
  "--no-sandbox",
  "--disable-gpu",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--no-first-run",
];

// A browser with its own profile (a new empty one unless `profile` names
// one to keep); `scale` is the device's pixel ratio; `tips: false` says the
// tips for a new player have been read before; `sound: true` leaves the music
// and the effects on, as for a new player (else they are switched off, as in
// the desktop's system tests: no draw of chance goes to the choice of tunes,
// and no effect holds the game while a test's keys wait);
// `lang` the browser's language (its navigator.languages and
// Accept-Language; the game follows it): Russian unless a test asks for
// another, whatever the machine's; `device` more of Playwright's
// context options (viewport, hasTouch, isMobile). `errors` collects what the
// page's console reports as an error and every exception of the page.
export async function browser({ scale = 1, profile = null, tips = true, sound = false, lang = "ru-RU", device = {} } = {}) {
  const dir = profile ?? mkdtempSync(join(tmpdir(), "kalvitor-chromium-"));
  const context = await chromium.launchPersistentContext(dir, {
    executablePath: process.env.KALVITOR_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    deviceScaleFactor: scale,
    locale: lang,
    viewport: { width: 1000, height: 720 },
    ...device,
    args: ARGS,
  });
  if (!tips) await context.addInitScript(() => localStorage.setItem("kalvitor.Tips", "0"));
  if (!sound)
    await context.addInitScript(() => {
      for (const name of ["Music", "Effects"]) localStorage.getItem(`kalvitor.${name}`) ?? localStorage.setItem(`kalvitor.${name}`, "0");
    });
  await context.addInitScript(recordValues);
  const page = context.pages()[0] ?? (await context.newPage());
  const errors = [];
  page.on("pageerror", (e) => errors.push(String(e)));
  page.on("console", (m) => {
    if (m.type() === "error") errors.push(m.text());
  });
  return {
    context,
    page,
    errors,
    profile: dir,
    // The browser's own process (the one the profile belongs to, not one
    // of its helpers), for the tests that end it the hard way.
    pid: () => browserPid(dir),
    close: async () => {
      await context.close().catch(() => {});
      if (!profile) rmSync(dir, { recursive: true, force: true });
    },
  };
}

function browserPid(profile) {
  for (const entry of readdirSync("/proc")) {
    if (!/^\d+$/.test(entry)) continue;
    let args;
    try {
      args = readFileSync(`/proc/${entry}/cmdline`, "utf8").split("\0");
    } catch {
      continue;
    }
    if (args.includes(`--user-data-dir=${profile}`) && !args.some((a) => a.startsWith("--type="))) return Number(entry);
  }
  return null;
}

// The page's address with the test's settings: `seed` fixes chance,
// `rnd` its first draws, `now` stops the computer's clock at a time.
export function address(url, { seed, rnd, now } = {}) {
  const q = new URLSearchParams();
  if (seed !== undefined) q.set("seed", String(seed));
  if (rnd !== undefined) q.set("rnd", rnd.join(","));
  if (now !== undefined) q.set("now", now);
  const s = q.toString();
  return s ? `${url}?${s}` : url;
}

// Chance for the daily pass: the virus's draw, the family's and the day's
// event, three draws a day. A draw of 0..32 is Rnd × 32 rounded: event e
// comes with e / 32; event 1 is none. The family's 0.10667 × 75 = 8 is the
// wedding, which a day never brings: no family news.
export const day = (event) => [0, 0.10667, event / 32];
export const quietDays = (n) => Array.from({ length: n }, () => day(1)).flat();

// A key pressed as the keyboard sends it, through the browser's own input:
// also the letters of a Russian layout, which Playwright's keyboard does not
// know (`code` is the key's place on the keyboard: "KeyP" for з).
export async function pressKey(page, key, code) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send("Input.dispatchKeyEvent", { type: "keyDown", key, code, text: key, unmodifiedText: key });
  await cdp.send("Input.dispatchKeyEvent", { type: "keyUp", key, code });
  await cdp.detach();
}

// --- What the page shows

// Every value the main window's labels show, in the order shown, kept by
// the page from its start (read with `seen`): by caption ("Бюджет":
// ["$450", "$600"]), the date and time under "clock", the message line's
// typed letters under "message".
function recordValues() {
  const seen = (window.kvSeen = {});
  const note = () => {
    for (const el of document.querySelectorAll(".main-window .label")) {
      let key, v;
      if (el.classList.contains("message")) [key, v] = ["message", el.firstChild?.textContent ?? ""];
      else if (/ \/ \d\d:\d\d$/.test(el.textContent)) [key, v] = ["clock", el.textContent];
      else {
        const at = el.textContent.indexOf(": ");
        if (at < 0) continue;
        [key, v] = [el.textContent.slice(0, at), el.textContent.slice(at + 2)];
      }
      const list = (seen[key] ??= []);
      if (list.at(-1) !== v) list.push(v);
    }
  };
  // What the page's live region says, each time it says something, with
  // the letters the message line showed at that moment.
  const said = (window.kvSaid = []);
  let last = "";
  const listen = () => {
    const now = document.getElementById("announcer")?.textContent ?? "";
    if (now !== last && now !== "") {
      const line = document.querySelector(".main-window .label.message");
      said.push({ said: now, shown: line?.firstChild?.textContent ?? "" });
    }
    last = now;
  };
  new MutationObserver(() => {
    note();
    listen();
  }).observe(document, { childList: true, characterData: true, subtree: true });
}
export const seen = (page, key) => page.evaluate((k) => window.kvSeen[k] ?? [], key);
export const sayings = (page) => page.evaluate(() => window.kvSaid);

export const mainWindow = (page) => page.getByRole("region", { name: /^Brindlex Kalvitor 1\.6/ });

// The main window's labels as a screen reader reads them: "Бюджет: $450".
export function mainLabels(page) {
  return page.evaluate(() => [...document.querySelectorAll(".main-window .label")].map((e) => e.textContent));
}
// The value a caption names in the main window ("Бюджет" -> "$450").
export async function value(page, caption) {
  const found = (await mainLabels(page)).find((t) => t.startsWith(`${caption}: `));
  return found === undefined ? undefined : found.slice(caption.length + 2);
}
export const money = async (page) => Number((await value(page, "Бюджет")).replace("$", ""));
// The date and time: "11 июня 2026 / 00:30".
export const clock = async (page) => (await mainLabels(page)).find((t) => / \/ \d\d:\d\d$/.test(t));

// Waits until the caption's value passes `test` (a value or a predicate).
export async function waitValue(page, caption, test, timeout = 15000) {
  const want = typeof test === "function" ? null : String(test);
  const deadline = Date.now() + timeout;
  for (;;) {
    const v = await value(page, caption);
    if (want === null ? v !== undefined && test(v) : v === want) return v;
    if (Date.now() > deadline) throw new Error(`${caption} stays ${v}, not ${want ?? test}`);
    await page.waitForTimeout(40);
  }
}

export const dialog = (page, name) => page.getByRole("dialog", { name, exact: true });
export const box = (page, text) => page.getByRole("alertdialog").filter({ hasText: text });
export const paused = (page) => page.locator(".main-window .label", { hasText: /^Пауза$/ });

// --- Fits

// The boxes of the windows shown and of their controls that stick out of
// the viewport (half a pixel of rounding allowed).
export function outOfView(page) {
  return page.evaluate(() => {
    const out = [];
    for (const el of document.querySelectorAll(".frame, .frame .control")) {
      if (el.closest("[hidden]") || el.closest(".minimized .client")) continue;
      const r = el.getBoundingClientRect();
      if (r.width === 0 || r.height === 0) continue;
      if (r.left < -0.5 || r.top < -0.5 || r.right > innerWidth + 0.5 || r.bottom > innerHeight + 0.5)
        out.push(`${el.dataset.name || el.dataset.form || el.className} ${[r.left, r.top, r.right, r.bottom].map(Math.round)}`);
    }
    return out;
  });
}

// The texts shown cut off: a button's caption that had to be cut (shown
// whole only in its tip), a label's or a page's own button's text running
// out of its box, a window's title out of its title bar.
export function cutTexts(page) {
  return page.evaluate(() => {
    const out = [];
    const over = (el) => el.scrollWidth > el.clientWidth + 1 || el.scrollHeight > el.clientHeight + 1;
    const shown = (el) => el.checkVisibility() && !el.closest("[hidden]") && !el.closest(".minimized .client");
    for (const el of document.querySelectorAll(".frame .control.button, .frame .control.label, .frame .control.clicklabel")) {
      if (!shown(el) || el.classList.contains("message")) continue;
      if (el.classList.contains("cut") || (!el.classList.contains("button") && over(el)))
        out.push(`${el.closest(".frame").dataset.form}.${el.dataset.name}: ${el.dataset.cutCaption || el.textContent}`);
    }
    for (const el of document.querySelectorAll(".frame .box-buttons button, .frame .page-buttons button, .frame .titlebar .title, #view")) {
      if (shown(el) && over(el)) out.push(`${el.closest(".frame")?.dataset.form ?? "page"}: ${el.textContent}`);
    }
    return out;
  });
}

// --- The accessibility tree

// Chromium's own accessibility tree, as a screen reader gets it: every
// element a player can reach with the mouse or the keys (buttons, boxes,
// lists, menus, anything focusable, the windows themselves) must be in it,
// with a role and a name, unless it is out of sight or blocked by a window
// over it; and no picture may be there without a name. Returns the faults,
// each with the element's place ("где" names the windows open).
const REACHABLE = new Set(["BUTTON", "INPUT", "SELECT", "TEXTAREA"]);
const ROLES_OF_WINDOWS = new Set(["dialog", "alertdialog", "region", "menu", "menubar", "tooltip"]);
const NAMELESS_ROLES = new Set(["", "generic", "none", "presentation", "GenericContainer", "Unknown"]);
const OUT_OF_SIGHT = ["notRendered", "notVisible", "inertElement", "inertSubtree", "activeModalDialog", "ariaModalDialog"];
export async function audit(page, where) {
  const cdp = await page.context().newCDPSession(page);
  try {
    const { root } = await cdp.send("DOM.getDocument", { depth: -1 });
    const { nodes } = await cdp.send("Accessibility.getFullAXTree");
    const ax = new Map(nodes.filter((n) => n.backendDOMNodeId).map((n) => [n.backendDOMNodeId, n]));
    const faults = [];
    // A window blocked by another (inert) is out of everyone's reach,
    // the reader's too.
    const walk = (el) => {
      const attrs = {};
      for (let i = 0; i + 1 < (el.attributes ?? []).length; i += 2) attrs[el.attributes[i]] = el.attributes[i + 1];
      if ("inert" in attrs || "hidden" in attrs) return;
      const reachable =
        REACHABLE.has(el.nodeName) || "tabindex" in attrs || ROLES_OF_WINDOWS.has(attrs.role) || attrs.role === "button";
      if (el.nodeType === 1 && reachable) check(el, attrs);
      for (const child of el.children ?? []) walk(child);
    };
    const check = (el, attrs) => {
      const node = ax.get(el.backendNodeId);
      const what = `${where}: <${el.nodeName.toLowerCase()}${attrs["data-name"] ? ` ${attrs["data-name"]}` : ""}${attrs.class ? ` .${attrs.class}` : ""}>`;
      if (!node) return missing.push([el.backendNodeId, what]);
      if (node.ignored) {
        const why = (node.ignoredReasons ?? []).map((r) => r.name);
        if (!why.some((r) => OUT_OF_SIGHT.includes(r))) faults.push(`${what} is kept from the reader (${why.join(", ")})`);
        return;
      }
      const role = node.role?.value ?? "";
      const name = (node.name?.value ?? "").trim();
      if (NAMELESS_ROLES.has(role)) faults.push(`${what} has no role`);
      else if (!name && role !== "option") faults.push(`${what} (${role}) has no name`);
    };
    const missing = [];
    walk(root);
    // Out of the tree: out of sight (no box on the page), or a fault.
    for (const [backendNodeId, what] of missing) {
      const shown = await cdp.send("DOM.getBoxModel", { backendNodeId }).then(() => true, () => false);
      if (shown) faults.push(`${what} is not in the tree`);
    }
    for (const n of nodes)
      if (!n.ignored && ["image", "img"].includes(n.role?.value) && !(n.name?.value ?? "").trim())
        faults.push(`${where}: a picture without a name`);
    return faults;
  } finally {
    await cdp.detach();
  }
}

// --- A player's moves with the mouse and the keys

// A new game from the name dialog: the name typed into its box, Enter.
export async function newGame(page, name) {
  const box = page.getByRole("textbox", { name: "Введите Ваше имя" });
  await box.waitFor();
  await box.click();
  await page.keyboard.type(name);
  await page.keyboard.press("Enter");
  await page.getByRole("region", { name: `Brindlex Kalvitor 1.6 -- ${name}` }).waitFor();
}

// A menu item of the main window by its captions, with the mouse.
export const menuTitle = (page, menu) => page.getByRole("menubar").getByRole("menuitem", { name: menu, exact: true }).first();
export async function chooseMenu(page, menu, item) {
  await menuTitle(page, menu).click();
  await page.getByRole("menu").getByRole("menuitem", { name: item, exact: true }).click();
}

// The cheat box: c, the code over what it kept from the last time, Enter.
export async function cheat(page, code) {
  await page.keyboard.press("c");
  await page.waitForFunction(() => document.activeElement?.dataset.name === "txtCheat");
  await page.keyboard.press("Control+a");
  await page.keyboard.type(code);
  await page.keyboard.press("Enter");
  await mainWindow(page).getByRole("textbox").waitFor({ state: "hidden" });
}

// Watches the page's root while it stores the player's files: the values
// the main window showed as the storing began, in window.stored (a promise
// for the next storing's).
export function watchStoring(page) {
  return page.evaluate(() => {
    window.stored = new Promise((resolve) => {
      let shown = null;
      new MutationObserver((_, watch) => {
        const storing = document.documentElement.dataset.storing;
        if (storing && shown === null) {
          shown = [...document.querySelectorAll(".main-window .label")].map((e) => e.textContent);
        } else if (!storing && shown !== null) {
          watch.disconnect();
          resolve(shown);
        }
      }).observe(document.documentElement, { attributes: true, attributeFilter: ["data-storing"] });
    });
  });
}
export const storedLabels = (page) => page.evaluate(() => window.stored);

// Loads the saved game FILE ("life.ksv") from the name dialog, or from the
// file menu when a game is on.
export async function loadGame(page, file) {
  const welcome = dialog(page, "Добро пожаловать");
  await welcome.or(mainWindow(page)).first().waitFor();
  if (await welcome.isVisible()) await welcome.getByRole("button", { name: "Загрузить игру" }).click();
  else await chooseMenu(page, "Файл", "Загрузить игру...");
  const d = page.getByRole("dialog", { name: /^Загрузка/ });
  await d.waitFor();
  await d.getByRole("listbox").selectOption(file);
  await d.getByRole("button", { name: "Загрузить" }).click();
  await d.waitFor({ state: "hidden" });
  await mainWindow(page).waitFor();
}

// The game's journal as its window (Ctrl+J) shows it, newest first: each
// entry's date and time, kind and text.
export async function readJournal(page) {
  await page.keyboard.press("Control+j");
  const w = dialog(page, "Журнал событий");
  await w.getByRole("cell").first().waitFor();
  const cells = await w.getByRole("cell").allTextContents();
  await page.keyboard.press("Escape");
  await w.waitFor({ state: "hidden" });
  const rows = [];
  for (let i = 0; i + 2 < cells.length; i += 3) rows.push({ when: cells[i], kind: cells[i + 1], text: cells[i + 2] });
  return rows;
}
