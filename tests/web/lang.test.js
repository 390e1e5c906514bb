// The game in the browser's language: a browser asking for English starts
// in English (and a screen reader hears every control named), the menu "Язык" (Language) relabels whatever is up at once and
// is remembered, and the windows fit in English as in Russian. What English
// says is read from the translators' own file, po/en.po; a text it lacks is
// shown in Russian, which is no fault.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { after, before, test } from "node:test";
import { audit, browser, chooseMenu, cutTexts, mainLabels, mainWindow, menuTitle, outOfView, serve } from "./lib.js";

// --- po/en.po: Russian -> English, the translated entries (those with a
// context apart).
function readPo(path) {
  // An entry a block of lines between empty ones: its flags ("#, fuzzy") and
  // its fields, each a quoted string over one line or more.
  const entries = readFileSync(path, "utf8")
    .split(/\n\s*\n/)
    .map((block) => {
      const e = { fuzzy: /^#,.*\bfuzzy\b/m.test(block) };
      let field = null;
      for (const line of block.split("\n")) {
        const m = line.match(/^(msgctxt|msgid|msgid_plural|msgstr(?:\[\d+\])?) (".*")$/);
        if (m) e[(field = m[1])] = JSON.parse(m[2]);
        else if (line.startsWith('"') && field) e[field] += JSON.parse(line);
      }
      return e;
    });
  const english = new Map();
  const inContext = new Map(); // "context\x04Russian" -> English
  let untranslated = 0;
  for (const e of entries) {
    if (!e.msgid) continue;
    if (e.fuzzy || !(e.msgstr || e["msgstr[0]"])) ++untranslated;
    else if (e.msgid_plural !== undefined) continue;
    else if (e.msgctxt !== undefined) inContext.set(`${e.msgctxt}\x04${e.msgid}`, e.msgstr);
    else english.set(e.msgid, e.msgstr);
  }
  return { english, inContext, complete: untranslated === 0 };
}
const po = readPo(join(dirname(fileURLToPath(import.meta.url)), "..", "..", "po", "en.po"));
const en = (russian) => po.english.get(russian) ?? russian;
const ru = (russian) => russian;
// A caption as a screen reader names what it labels ("Введите Ваше имя:"),
// in a language (ru, en).
const named = (caption, say = en) => say(caption).replace(/:+$/, "").trim();

let server;
before(async () => {
  server = await serve();
});
after(async () => {
  await server?.stop();
});

const START = "?seed=7&now=2026-03-02T10:00:00";

async function open(lang, device = {}) {
  const b = await browser({ lang, tips: false, device });
  await b.page.goto(server.url + START);
  return b;
}

// Every text the page shows or names (text, a reader's name, a tip, a
// placeholder, a list's entries) that po/en.po translates, left in Russian.
// The journal's entries keep the language they were written in, and the
// message line its message.
async function leftInRussian(page) {
  const shown = await page.evaluate(() => {
    const texts = [];
    const skip = ".journal-rows td.text, .label.message, #announcer";
    for (const el of document.body.querySelectorAll("*")) {
      if (el.closest(skip) || el.closest("[hidden]") || el.closest("[inert]")) continue;
      const visible = el.checkVisibility() || (el.tagName === "OPTION" && el.parentElement.checkVisibility());
      if (!visible) continue;
      const where = el.closest(".frame")?.dataset.form ?? el.closest("[id]")?.id ?? el.tagName;
      for (const n of el.childNodes) if (n.nodeType === Node.TEXT_NODE) texts.push([where, n.textContent]);
      for (const a of ["aria-label", "aria-description", "title", "placeholder"])
        if (el.hasAttribute(a)) texts.push([where, el.getAttribute(a)]);
    }
    return texts;
  });
  return shown
    .map(([where, text]) => [where, text.trim()])
    .filter(([, text]) => text && po.english.has(text) && po.english.get(text) !== text)
    .map(([where, text]) => `${where}: ${text}`);
}

// Cyrillic letters on the page but in the player's name and Russian's own
// name in the language menu.
const ALLOWED = ["Вася", "Русский"];
async function cyrillic(page) {
  const text = await page.evaluate(() => document.body.innerText);
  return text
    .split("\n")
    .map((line) => ALLOWED.reduce((l, a) => l.replaceAll(a, ""), line))
    .filter((line) => /\p{Script=Cyrillic}/u.test(line));
}

async function newGame(page, name, say) {
  const box = page.getByRole("textbox", { name: named("Введите Ваше имя:", say) });
  await box.fill(name);
  await page.keyboard.press("Enter");
  await mainWindow(page).waitFor();
}

test("a browser asking for English starts the game in English", { timeout: 90000 }, async () => {
  const b = await open("en-US");
  const page = b.page;
  try {
    const welcome = page.getByRole("dialog", { name: en("Добро пожаловать"), exact: true });
    await welcome.waitFor();
    assert.equal(await page.evaluate(() => document.documentElement.lang), "en");
    await welcome.getByRole("textbox", { name: named("Введите Ваше имя:") }).waitFor();
    await welcome.getByRole("button", { name: en("Загрузить игру"), exact: true }).waitFor();
    // The page's own "Вид" beside the game.
    assert.equal(await page.locator("#view span").textContent(), `${po.inContext.get("the game's size\x04Вид") ?? "Вид"} ▾`);
    await page.getByRole("combobox", { name: en("Вид: размер игры на странице") }).waitFor();
    assert.deepEqual(await leftInRussian(page), [], "the name dialog");
    if (po.complete) assert.deepEqual(await cyrillic(page), [], "the name dialog");
    assert.deepEqual(await audit(page, "the name dialog in English"), []);

    await newGame(page, "Вася", en);
    assert.ok((await mainLabels(page)).includes(en("Сложность: Нормальная")));
    await page.getByRole("menubar").getByRole("menuitem", { name: en("Файл"), exact: true }).waitFor();
    assert.deepEqual(await leftInRussian(page), [], "the main window");
    // The help menu with the page's own item first.
    await page.getByRole("menubar").getByRole("menuitem", { name: en("Справка"), exact: true }).click();
    await page.getByRole("menu").getByRole("menuitem", { name: en("Советы новичку"), exact: true }).waitFor();
    assert.deepEqual(await leftInRussian(page), [], "the help menu");
    if (po.complete) assert.deepEqual(await cyrillic(page), [], "the main window");
    assert.deepEqual(await audit(page, "the help menu in English"), []);
    await page.keyboard.press("Escape");
    assert.deepEqual(b.errors, []);
  } finally {
    await b.close();
  }
});

test("the language menu relabels everything at once and is remembered", { timeout: 90000 }, async () => {
  const b = await open("ru-RU");
  const page = b.page;
  try {
    await newGame(page, "Вася", ru);
    assert.equal(await page.evaluate(() => document.documentElement.lang), "ru");
    const main = mainWindow(page);
    // The shop, left (it stays loaded, out of sight); the journal open.
    await main.getByRole("button", { name: "Магазин", exact: true }).click();
    const shop = page.getByRole("dialog", { name: "Магазин", exact: true });
    await shop.getByRole("button", { name: "Назад", exact: true }).click();
    await shop.waitFor({ state: "hidden" });
    await page.keyboard.press("Control+j");
    const journal = page.getByRole("dialog", { name: "Журнал событий", exact: true });
    await journal.waitFor();
    // Dragged by its title bar off the menu bar.
    const bar = await page.getByRole("menubar").boundingBox();
    const title = await journal.locator(".titlebar .title").boundingBox();
    await page.mouse.move(title.x + 10, title.y + title.height / 2);
    await page.mouse.down();
    await page.mouse.move(title.x + 10, bar.y + bar.height + 60, { steps: 5 });
    await page.mouse.up();

    // English by its own name, as its catalogue gives it (its code when it
    // has none).
    const english = po.inContext.get("language's own name\x04Русский") ?? "en";
    await chooseMenu(page, "Язык", english);
    await page.waitForFunction(() => document.documentElement.lang === "en");
    // At once: the main window, its menus, the journal.
    assert.ok((await mainLabels(page)).includes(en("Сложность: Нормальная")));
    await page.getByRole("menubar").getByRole("menuitem", { name: en("Файл"), exact: true }).waitFor();
    const journalNow = page.getByRole("dialog", { name: en("Журнал событий"), exact: true });
    await journalNow.getByRole("columnheader", { name: en("Дата"), exact: true }).waitFor();
    assert.deepEqual(await leftInRussian(page), [], "after the change");
    await journalNow.getByRole("button", { name: en("Закрыть"), exact: true }).last().click();
    await journalNow.waitFor({ state: "hidden" });
    // The shop comes back in English.
    await main.getByRole("button", { name: en("Магазин"), exact: true }).click();
    const shopNow = page.getByRole("dialog", { name: en("Магазин"), exact: true });
    await shopNow.getByRole("button", { name: en("Назад"), exact: true }).waitFor();
    assert.deepEqual(await leftInRussian(page), [], "the shop");
    await shopNow.getByRole("button", { name: en("Назад"), exact: true }).click();
    await shopNow.waitFor({ state: "hidden" });
    // The menu marks the language spoken.
    await menuTitle(page, en("Язык")).click();
    assert.deepEqual(await page.getByRole("menu").getByRole("menuitemcheckbox").allTextContents(), [`✓${english}`]);
    await page.keyboard.press("Escape");

    // The next start speaks it too, whatever the browser asks for.
    await page.reload();
    await page.getByRole("textbox", { name: named("Введите Ваше имя:") }).waitFor();
    assert.equal(await page.evaluate(() => document.documentElement.lang), "en");
    assert.deepEqual(await leftInRussian(page), [], "the name dialog after a reload");
    assert.deepEqual(b.errors, []);
  } finally {
    await b.close();
  }
});

// The same fit checks in both languages: every window's box and its
// controls' inside the viewport, and no text cut off, on a plain screen
// and a phone: the name dialog, the main window, three places, the journal
// and a message box.
const SCREENS = [
  [1024, 768, {}],
  [360, 640, { hasTouch: true, isMobile: true }],
];
test("the windows fit and their texts are whole in English as in Russian", { timeout: 240000 }, async () => {
  const faults = [];
  for (const lang of ["ru-RU", "en-US"]) {
    const say = lang === "ru-RU" ? ru : en;
    for (const [width, height, touch] of SCREENS) {
      const b = await open(lang, { viewport: { width, height }, ...touch });
      const page = b.page;
      const check = async (what) => {
        for (const fault of [...(await outOfView(page)), ...(await cutTexts(page))])
          faults.push(`${lang} ${width}×${height} ${what}: ${fault}`);
      };
      try {
        await page.getByRole("textbox", { name: named("Введите Ваше имя:", say) }).waitFor();
        await check("the name dialog");
        await newGame(page, "Вася", say);
        await check("the main window");
        for (const [label, form] of [["cmdShop", "frmShop"], ["cmdHard", "frmHard"], ["cmdBank", "frmBank"]]) {
          await page.locator(`.main-window [data-name="${label}"]`).click();
          const place = page.locator(`.frame[data-form="${form}"]`);
          await place.waitFor();
          await check(form);
          await page.keyboard.press("Escape");
          await place.waitFor({ state: "hidden" });
        }
        await page.keyboard.press("Control+j");
        await page.locator(".frame.journal-window").waitFor();
        await check("the journal");
        await page.keyboard.press("Escape");
        await mainWindow(page).getByRole("button", { name: say("Закрыть"), exact: true }).click();
        await page.getByRole("alertdialog").waitFor();
        await check("a message box");
        assert.deepEqual(b.errors, []);
      } finally {
        await b.close();
      }
    }
  }
  assert.deepEqual(faults, []);
});
