// The journal and the statistics in windows of their own: opened by the
// menu while paused and by their keys behind a place; the journal shows
// what the game just wrote, and its filter and search narrow it; the
// statistics draw a game's days (a game the driver lived for some days,
// brought in through "Открыть файл…") and the days that follow; Esc closes
// them.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { browser, serve } from "./lib.js";
import { mainWindow, newGame, openFiles, runDriver, saveLoadDialog } from "./games.js";

let server, b, page;
before(async () => {
  server = await serve();
  b = await browser();
  page = b.page;
});
after(async () => {
  await b?.close();
  server?.stop();
});

const pausePlate = () => page.locator(".client .label", { hasText: /^Пауза$/ });
async function pause(on) {
  await page.keyboard.press("p");
  await pausePlate().waitFor({ state: on ? "visible" : "hidden" });
}
const journalWindow = () => page.getByRole("dialog", { name: "Журнал событий" });
const rowTexts = () => journalWindow().locator("tbody td:nth-child(3)").allTextContents();
const count = () => journalWindow().locator(".count").textContent();

test("the journal: by the menu while paused, by Ctrl+J behind a place; it follows, filters and searches", { timeout: 90000 }, async () => {
  await newGame(page, `${server.url}?now=2026-12-06T00:01:00`, "Журналист");
  await mainWindow(page).getByRole("button", { name: "Работа" }).focus();
  await pause(true);
  await mainWindow(page).getByRole("menuitem", { name: "Игра" }).click();
  await page.getByRole("menuitem", { name: "Журнал событий..." }).click();
  await journalWindow().waitFor();
  assert.deepEqual(await rowTexts(), ["Новая игра: Журналист, сложность нормальная, $450"]);
  // The search box has the keyboard; Esc closes the window.
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute("aria-label")), "Поиск");
  await page.keyboard.press("Escape");
  await journalWindow().waitFor({ state: "hidden" });
  await pause(false);

  // Behind the shop, by its key; the shop still takes the player's input,
  // and the meal bought is on top of the journal at once.
  await mainWindow(page).getByRole("button", { name: "Магазин" }).click();
  const shop = page.getByRole("dialog", { name: "Магазин" });
  await shop.waitFor();
  await page.keyboard.press("Control+j");
  await journalWindow().waitFor();
  const meal = shop.getByRole("button", { name: /^Биг-Мак/ });
  await meal.focus();
  await page.keyboard.press(" ");
  await page.waitForFunction(() =>
    [...document.querySelectorAll(".journal-table tbody tr")].some((r) => r.textContent.includes("биг-мак")),
  );
  assert.equal((await rowTexts())[0], "Магазин, биг-мак: -$15, стало $435");
  const all = (await rowTexts()).length;
  assert.equal(await count(), `Записей: ${all} из ${all}`);
  // Each row reads as its date, kind and text.
  const cells = await journalWindow().getByRole("row").nth(1).getByRole("cell").allTextContents();
  assert.match(cells[0], /^06\.12\.2026 \d\d:\d\d$/);
  assert.deepEqual(cells.slice(1), ["Деньги", "Магазин, биг-мак: -$15, стало $435"]);

  // The filter by kind, then a search typed with the keys.
  const kind = journalWindow().getByRole("combobox", { name: "Показать:" });
  await kind.selectOption({ label: "Игра" });
  assert.deepEqual(await rowTexts(), ["Новая игра: Журналист, сложность нормальная, $450"]);
  await kind.selectOption({ label: "Все записи" });
  await journalWindow().getByRole("textbox", { name: "Поиск" }).focus();
  await page.keyboard.type("БИГ");
  assert.deepEqual(await rowTexts(), ["Магазин, биг-мак: -$15, стало $435"]);
  assert.equal(await count(), `Записей: 1 из ${all}`);
  await page.keyboard.type("-мак p");
  assert.deepEqual(await rowTexts(), []);
  // Typed into the search, p is a letter: the game goes on.
  assert.equal(await pausePlate().isVisible(), false);

  // Esc closes it, and the keyboard is back in the shop.
  await page.keyboard.press("Escape");
  await journalWindow().waitFor({ state: "hidden" });
  await shop.waitFor();
  await page.keyboard.press("Escape");
  await shop.waitFor({ state: "hidden" });
  assert.deepEqual(b.errors, []);
});

test("the statistics draw the days a game has lived, by the menu while paused and by Ctrl+T behind a place", { timeout: 120000 }, async () => {
  // Some eight days of a life, saved in the morning.
  const driver = runDriver(
    'player 1 Вася\nstart\ncall SetMoney 777\ntick 400\nfile days\nmenu "Файл/Сохранить игру..."\ndump stats\n',
  );
  const samples = driver.out.split("\n").filter((l) => l.startsWith("STATS "));
  assert.ok(samples.length >= 5, driver.out);
  const last = samples.at(-1).split(" ").slice(2).map(Number);
  await newGame(page, `${server.url}?now=2026-12-06T00:01:00`, "Статистик");
  try {
    await mainWindow(page).getByRole("menuitem", { name: "Файл" }).click();
    await page.getByRole("menuitem", { name: /^Загрузить игру/ }).click();
    const dialog = saveLoadDialog(page);
    await openFiles(page, [driver.saved("days.ksv"), driver.saved("days.kjl")]);
    await dialog.dialog.getByRole("textbox").last().waitFor();
    await page.waitForFunction(() => document.querySelector(".frame [data-name='txtFilename']")?.value === "days.ksv");
    await dialog.dialog.getByRole("button", { name: "Загрузить" }).click();
    await dialog.dialog.waitFor({ state: "hidden" });
  } finally {
    driver.remove();
  }
  await mainWindow(page).getByRole("button", { name: "Работа" }).focus();
  await pause(true);
  await mainWindow(page).getByRole("menuitem", { name: "Игра" }).click();
  await page.getByRole("menuitem", { name: "Статистика..." }).click();
  const stats = page.getByRole("dialog", { name: "Статистика" });
  await stats.waitFor();
  assert.match(await stats.locator(".stats-summary").textContent(), /^Дней прожито: \d+ {5}Лучшие деньги: \$\d+ {5}Работ: 0 {5}Детей: \d+\nЗа этот запуск игры — смертей: 0, побед: 0$/);

  // Three charts, named by their titles, each with a point for every day
  // lived, the last day's values read out, and its lines drawn.
  const charts = [
    ["Деньги и банк, $", `Деньги: $${last[0]}, Вклад: $${last[1]}, Долг банку: $${last[2]}`, 0x1f7a1f],
    // (its lines' colours are also those of the death lines)
    ["Здоровье, сытость, настроение, %", `Здоровье: ${last[3]}%, Сытость: ${last[4]}%, Настроение: ${last[5]}%`, null],
    ["Образование, % и статус", new RegExp(`^Образование: ${last[6]}%, Статус: \\S`), 0x1f6fa0],
  ];
  for (const [title, said, color] of charts) {
    const chart = stats.getByRole("img", { name: title, exact: true });
    await chart.locator("canvas").waitFor();
    assert.equal(await chart.getAttribute("data-days"), String(samples.length), title);
    if (typeof said === "string") assert.equal(await chart.getAttribute("aria-description"), said);
    else assert.match(await chart.getAttribute("aria-description"), said);
    if (color === null) continue;
    const inked = await chart.locator("canvas").evaluate((canvas, rgb) => {
      const { data } = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height);
      const want = [(rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255];
      let n = 0;
      for (let i = 0; i < data.length; i += 4)
        if (want.every((v, k) => Math.abs(data[i + k] - v) < 24) && data[i + 3] > 200) ++n;
      return n;
    }, color);
    assert.ok(inked > 50, `${title}: ${inked} pixels of its first line`);
  }
  await page.keyboard.press("Escape");
  await stats.waitFor({ state: "hidden" });

  // Behind a place, by its key.
  await pause(false);
  await mainWindow(page).getByRole("button", { name: "Банк" }).click();
  const bank = page.getByRole("dialog", { name: "The Bank of New York" });
  await bank.waitFor();
  await page.keyboard.press("Control+t");
  await stats.waitFor();
  assert.equal(await stats.getByRole("img", { name: "Деньги и банк, $" }).getAttribute("data-days"), String(samples.length));
  await page.keyboard.press("Escape");
  await stats.waitFor({ state: "hidden" });
  await bank.waitFor();

  // Opened again, it follows the game: the next midnight brings a day.
  await page.keyboard.press("Control+t");
  await stats.waitFor();
  await page.waitForFunction(
    (n) => document.querySelector(".stats-window .chart")?.dataset.days === String(n),
    samples.length + 1,
    { timeout: 40000 },
  );
  assert.match(await stats.locator(".stats-summary").textContent(), /^Дней прожито: \d+/);
  assert.deepEqual(b.errors, []);
});
