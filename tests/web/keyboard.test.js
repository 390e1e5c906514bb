// A life with the keyboard alone, no mouse at all (the page counts every
// pointer it sees): the name dialog answered with Enter after its level is
// chosen with the arrows, the tips closed with Esc, the pause with p and
// with the Russian з, Tab and Shift+Tab through the main window in its
// order, a place opened with Enter and with Space, a job and a meal bought
// with Space and Enter, the place left with Esc and the keyboard back where
// it was, F10 and the arrows in the menu bar for a save and a load (the
// saved game chosen in its list with the arrows), the cheat box with c.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { address, browser, money, paused, pressKey, quietDays, seen, serve, value, waitValue } from "./lib.js";

let server, b, page;
before(async () => {
  server = await serve();
  b = await browser();
  page = b.page;
  await page.goto(address(server.url, { seed: 9, rnd: quietDays(30), now: "2026-06-10T10:00:00" }));
  await page.evaluate(() => {
    window.pointers = 0;
    document.addEventListener("pointerdown", () => ++window.pointers, true);
  });
});
after(async () => {
  await b?.close();
  server?.stop();
});

const focused = () =>
  page.evaluate(() => {
    const el = document.activeElement;
    return { role: el.getAttribute("role") || el.tagName.toLowerCase(), name: el.getAttribute("aria-label") || el.textContent };
  });
const inMain = () => page.evaluate(() => document.activeElement.closest(".main-window") !== null);

// Tab (or Shift+Tab) until the control named NAME has the keyboard.
async function tabTo(name, key = "Tab", limit = 40) {
  for (let i = 0; i < limit; ++i) {
    if ((await focused()).name === name) return;
    await page.keyboard.press(key);
  }
  assert.fail(`${key} never reached ${name}`);
}

// F10, the menu's title with the arrows, Down into it, Down to the item, Enter.
async function menu(title, item) {
  await page.keyboard.press("F10");
  for (let i = 0; (await focused()).name !== title; ++i) {
    assert.ok(i < 8, `the menu bar never reached ${title}`);
    await page.keyboard.press("ArrowRight");
  }
  await page.keyboard.press("ArrowDown");
  for (let i = 0; !(await focused()).name.startsWith(item); ++i) {
    assert.ok(i < 20, `the menu ${title} never reached ${item}`);
    await page.keyboard.press("ArrowDown");
  }
  await page.keyboard.press("Enter");
}

test("the name dialog, the tips and the main window by keys", { timeout: 60000 }, async () => {
  // The name box has the keyboard from the start.
  await page.getByRole("textbox", { name: "Введите Ваше имя" }).waitFor();
  assert.equal((await focused()).name, "Введите Ваше имя");
  // Typed as fast as the keys go, the whole name reaches the game.
  await page.keyboard.type("Петя Иванов-Петров");
  // The level with the arrows in its list, then back to the name, Enter.
  await page.keyboard.press("Tab");
  assert.deepEqual(await focused(), { role: "select", name: "Уровень сложности" });
  await page.keyboard.press("ArrowUp");
  await page.keyboard.press("Shift+Tab");
  assert.equal((await focused()).name, "Введите Ваше имя");
  await page.keyboard.press("Enter");
  await page.getByRole("region", { name: "Brindlex Kalvitor 1.6 -- Петя Иванов-Петров" }).waitFor();
  await waitValue(page, "Сложность", "Лёгкая");
  // The tips pause the game; Esc closes them, the keyboard goes back to the
  // main window, whose pause the reader hears.
  await page.getByRole("dialog", { name: "Советы новичку" }).waitFor();
  await page.keyboard.press("Escape");
  await page.getByRole("dialog", { name: "Советы новичку" }).waitFor({ state: "hidden" });
  assert.equal((await focused()).name, "Работа", "the keyboard is back in the main window");
  await page.waitForFunction(() => document.getElementById("announcer").textContent === "Пауза");
  // The Russian letter resumes as p does.
  await pressKey(page, "з", "KeyP");
  await paused(page).waitFor({ state: "hidden" });
  // Tab goes through the menu column in the window's order; Shift+Tab back.
  await tabTo("Работа");
  const order = [];
  for (let i = 0; i < 10; ++i) {
    await page.keyboard.press("Tab");
    order.push(await focused());
  }
  assert.deepEqual(
    order.map((f) => f.name),
    ["Магазин", "Семья", "Больница", "Отдых", "Программы", "Железо", "Сеть", "Банк", "Учеба", "Свернуть игру"],
  );
  assert.ok(order.every((f) => f.role === "button"));
  await page.keyboard.press("Shift+Tab");
  assert.equal((await focused()).name, "Учеба");
});

test("a job with Space, a meal with Enter under the pause, each place left with Esc", { timeout: 60000 }, async () => {
  await tabTo("Работа", "Shift+Tab");
  await page.keyboard.press("Enter");
  const work = page.getByRole("dialog", { name: "Работа", exact: true });
  await work.waitFor();
  assert.equal(await inMain(), false, "the keyboard is in the place");
  await tabTo("Дворник - $10");
  await page.keyboard.press("Space");
  await waitValue(page, "Работа", "Дворник ($10/день)");
  await page.keyboard.press("Escape");
  await work.waitFor({ state: "hidden" });
  assert.equal((await focused()).name, "Работа", "the keyboard is back where it was");

  await tabTo("Магазин");
  await page.keyboard.press("Space");
  const shop = page.getByRole("dialog", { name: "Магазин", exact: true });
  await shop.waitFor();
  // The pause from inside the place: no day passes while the meal is paid.
  await page.keyboard.press("p");
  await paused(page).waitFor();
  const [had, full, mood] = [await money(page), await value(page, "Сытость"), await value(page, "Настроение")];
  await tabTo("Яичница с чесноком +15%-$10-20%h");
  await page.keyboard.press("Enter");
  await waitValue(page, "Бюджет", `$${had - 10}`);
  assert.equal(await value(page, "Сытость"), `${parseInt(full) + 15}%`);
  assert.equal(await value(page, "Настроение"), `${parseInt(mood) - 20}%`);
  await page.keyboard.press("p");
  await paused(page).waitFor({ state: "hidden" });
  await page.keyboard.press("Escape");
  await shop.waitFor({ state: "hidden" });
  assert.equal((await focused()).name, "Магазин");
});

test("a save and a load through F10 and the arrows", { timeout: 60000 }, async () => {
  await menu("Файл", "Сохранить игру...");
  const save = page.getByRole("dialog", { name: "Сохранение игры" });
  await save.waitFor();
  assert.deepEqual(await focused(), { role: "input", name: "Сохранение игры" });
  await page.keyboard.type("keys");
  const saved = await money(page);
  await page.keyboard.press("Enter");
  await save.waitFor({ state: "hidden" });
  await page.waitForFunction(() => !document.documentElement.dataset.storing);
  // A cheat's $100, which the load takes back.
  await page.keyboard.press("c");
  await page.waitForFunction(() => document.activeElement?.dataset.name === "txtCheat");
  await page.keyboard.type("QARVENTOS");
  await page.keyboard.press("Enter");
  await waitValue(page, "Бюджет", (v) => Number(v.slice(1)) >= saved + 100);
  assert.ok(await inMain(), "the keyboard is back in the main window");

  await menu("Файл", "Загрузить игру...");
  const load = page.getByRole("dialog", { name: "Загрузка игры" });
  await load.waitFor();
  await page.keyboard.press("Shift+Tab");
  assert.deepEqual(await focused(), { role: "select", name: "Существующие имена игр" });
  await page.keyboard.press("ArrowDown");
  await page.waitForFunction(() => document.activeElement.closest(".frame").querySelector("input").value === "keys.ksv");
  await page.keyboard.press("Enter");
  await load.waitFor({ state: "hidden" });
  // The saved money comes back after the cheat's.
  await page.waitForFunction((m) => window.kvSeen["Бюджет"].at(-1) === `$${m}` || window.kvSeen["Бюджет"].slice(-2)[0] === `$${m}`, saved);
  const shown = (await seen(page, "Бюджет")).map((v) => Number(v.slice(1)));
  assert.ok(shown.lastIndexOf(saved) > shown.findIndex((m) => m >= saved + 100), `the money went ${shown}`);
});

test("the cheat box with c, left with Esc; the pause with p; no pointer all along", { timeout: 60000 }, async () => {
  await tabTo("Банк");
  await page.keyboard.press("c");
  await page.waitForFunction(() => document.activeElement?.dataset.name === "txtCheat");
  await page.keyboard.press("Escape");
  await page.getByRole("textbox", { name: "Чит" }).waitFor({ state: "hidden" });
  assert.equal((await focused()).name, "Банк", "the keyboard is back where it was");
  await page.keyboard.press("p");
  await paused(page).waitFor();
  await page.keyboard.press("p");
  await paused(page).waitFor({ state: "hidden" });
  assert.equal(await page.evaluate(() => window.pointers), 0);
  assert.deepEqual(b.errors, []);
});
