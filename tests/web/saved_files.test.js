// Saved games beyond the browser: "Скачать" hands over the same bytes the
// driver (and so the desktop game) writes for the same game, and "Открыть
// файл…" brings them into a fresh browser, where they load with the same
// money, date and journal; files that are not a whole saved game are refused
// with a message and change nothing.
import assert from "node:assert/strict";
import { mkdtempSync, rmSync, truncateSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";
import { browser, serve } from "./lib.js";
import { downloadSelected, mainLabels, mainWindow, newGame, openFiles, runDriver, saveLoadDialog } from "./games.js";

let server, b;
const work = mkdtempSync(join(tmpdir(), "kalvitor-files-"));
before(async () => {
  server = await serve();
  b = await browser();
});
after(async () => {
  await b?.close();
  server?.stop();
  rmSync(work, { recursive: true, force: true });
});

// The game clock at 00:01 leaves 47 ticks (some twelve seconds) before the
// first midnight, whose events the driver's clock would draw differently:
// everything below is done well within them.
const START = "2026-12-06T00:01:00";
const START_MINUTES = 1;
const TICK_MINUTES = 30;

function entryTime(journal, text) {
  const line = journal.split("\n").find((l) => l.includes(`"${text}"`));
  assert.ok(line, `the journal has "${text}"`);
  const [, h, m] = line.match(/^JOURNAL \S+ (\d\d):(\d\d) /);
  return Number(h) * 60 + Number(m);
}

async function chooseFromMenu(page, menu, item) {
  await mainWindow(page).getByRole("menuitem", { name: menu }).click();
  await page.getByRole("menuitem", { name: item }).click();
}

let exported = null;

test("Скачать: the files of a game are the bytes the driver writes for it", { timeout: 120000 }, async () => {
  const page = b.page;
  await newGame(page, `${server.url}?seed=5&now=${START}`, "Вася");
  await mainWindow(page).getByRole("button", { name: "Магазин" }).click();
  const shop = page.getByRole("dialog", { name: "Магазин" });
  await shop.getByRole("button", { name: /^Биг-Мак/ }).click();
  await page.waitForFunction(() =>
    [...document.querySelectorAll(".main-window .label")].some((e) => e.textContent === "Бюджет: $435"),
  );
  await page.keyboard.press("Escape");
  await shop.waitFor({ state: "hidden" });
  await chooseFromMenu(page, "Файл", /^Сохранить игру/);
  let dialog = saveLoadDialog(page);
  await dialog.dialog.getByRole("textbox").last().fill("web");
  await dialog.dialog.getByRole("button", { name: "Сохранить" }).click();
  await dialog.dialog.waitFor({ state: "hidden" });
  await page.waitForFunction(() => !document.documentElement.dataset.storing);

  // Nothing chosen yet: the game says what to do, and hands over nothing.
  await chooseFromMenu(page, "Файл", /^Загрузить игру/);
  dialog = saveLoadDialog(page);
  assert.deepEqual(await dialog.names(), ["web.ksv"]);
  await dialog.download.click();
  const box = page.getByRole("alertdialog", { name: "Скачать игру" });
  await box.waitFor();
  await page.keyboard.press("Enter");
  await box.waitFor({ state: "hidden" });
  await dialog.list.selectOption("web.ksv");
  const files = await downloadSelected(page, 2);
  assert.deepEqual(Object.keys(files).sort(), ["web.kjl", "web.ksv"]);
  await dialog.dialog.getByRole("button", { name: "Отмена" }).click();

  // The driver plays the same game: as many clock ticks before the meal
  // and before the save as the page's journal shows.
  const journal = files["web.kjl"].toString("utf8");
  assert.ok(!journal.includes(" 07.12.2026 "), "saved before the game's first midnight (the page was too slow for this test)");
  const meal = entryTime(journal, "Магазин, биг-мак: -$15, стало $435");
  const save = entryTime(journal, "Сохранение игры: web.ksv");
  const driver = runDriver(
    [
      "player 1 Вася",
      "start",
      `tick ${(meal - START_MINUTES) / TICK_MINUTES}`,
      "click frmMain.cmdShop",
      "click frmShop.Command1",
      "esc",
      `tick ${(save - meal) / TICK_MINUTES}`,
      "file web",
      'menu "Файл/Сохранить игру..."',
      "",
    ].join("\n"),
  );
  try {
    assert.ok(files["web.ksv"].equals(driver.bytes("web.ksv")), "the saved game's bytes");
    assert.equal(journal, driver.bytes("web.kjl").toString("utf8"));
    assert.ok(files["web.kjl"].equals(driver.bytes("web.kjl")), "the journal's bytes");
  } finally {
    driver.remove();
  }
  exported = files;
  assert.deepEqual(b.errors, []);
});

test("Открыть файл…: the exported game in a fresh browser loads with its money, date and journal", { timeout: 120000 }, async (t) => {
  if (!exported) return t.skip("nothing was exported");
  const paths = Object.entries(exported).map(([name, bytes]) => {
    writeFileSync(join(work, name), bytes);
    return join(work, name);
  });
  const fresh = await browser();
  try {
    const page = fresh.page;
    await page.goto(server.url);
    await page.evaluate(() => localStorage.setItem("kalvitor.Tips", "0"));
    await page.reload();
    await page.getByRole("dialog", { name: "Добро пожаловать" }).getByRole("button", { name: "Загрузить игру" }).click();
    const dialog = saveLoadDialog(page);
    await dialog.dialog.waitFor();
    assert.deepEqual(await dialog.names(), []);
    await openFiles(page, paths);
    // Listed and chosen, as a click on it would.
    await dialog.listed(1);
    assert.deepEqual(await dialog.names(), ["web.ksv"]);
    assert.equal(await dialog.dialog.getByRole("textbox").last().inputValue(), "web.ksv");
    await dialog.dialog.getByRole("button", { name: "Загрузить" }).click();
    await mainWindow(page).waitFor();
    // The date is written at the clock's next tick, as after every load
    // from the name dialog.
    await page.waitForFunction(() =>
      [...document.querySelectorAll(".main-window .label")].some((e) => /^6 декабря 2026 \/ /.test(e.textContent)),
    );
    assert.ok((await mainLabels(page)).includes("Бюджет: $435"));
    // The journal is the saved one, and goes on from there.
    await page.keyboard.press("Control+j");
    const journal = page.getByRole("dialog", { name: "Журнал событий" });
    await journal.waitFor();
    const texts = await journal.locator("tbody td:nth-child(3)").allTextContents();
    assert.deepEqual(texts.slice(0, 5).reverse(), [
      "Новая игра: Вася, сложность нормальная, $450",
      "Магазин, биг-мак: -$15, стало $435",
      "Сохранение игры: web.ksv",
      "Загрузка игры: web.ksv",
      "Загрузка игры: $435",
    ]);
    // Stored: the page loaded anew still lists it.
    await page.reload();
    await page.getByRole("dialog", { name: "Добро пожаловать" }).getByRole("button", { name: "Загрузить игру" }).click();
    await dialog.dialog.waitFor();
    assert.deepEqual(await dialog.names(), ["web.ksv"]);
    assert.deepEqual(fresh.errors, []);
  } finally {
    await fresh.close();
  }
});

test("a file that is not a whole saved game is refused with a message and changes nothing", { timeout: 120000 }, async () => {
  const driver = runDriver('player 1 Вася\nstart\ncall SetMoney 777\nfile good\nmenu "Файл/Сохранить игру..."\n');
  const page = b.page;
  const cut = join(work, "cut.ksv"), text = join(work, "notes.ksv"), huge = join(work, "huge.ksv");
  const bytes = driver.bytes("good.ksv");
  writeFileSync(cut, bytes.subarray(0, bytes.length >> 1));
  writeFileSync(text, "Список покупок: хлеб, молоко\r\n");
  writeFileSync(huge, "");
  truncateSync(huge, 64 * 1024 * 1024);
  const other = runDriver('player 1 Петя\nstart\nfile other\nmenu "Файл/Сохранить игру..."\n');
  const cases = [
    [[text], /^Файл 'notes\.ksv' не является сохранённой игрой\./],
    [[cut], /^Файл 'cut\.ksv' повреждён/],
    [[huge], /^Файл 'huge\.ksv' слишком велик \(64 МБ\)/],
    [[driver.saved("good.ksv"), other.saved("other.kjl")], /^Журнал 'other\.kjl' записан не с игрой 'good\.ksv'\./],
    [[driver.saved("good.kjl")], /^Выберите файл сохранённой игры/],
  ];
  try {
    await chooseFromMenu(page, "Файл", /^Загрузить игру/);
    const dialog = saveLoadDialog(page);
    await dialog.dialog.waitFor();
    const before = await dialog.names();
    for (const [paths, message] of cases) {
      await openFiles(page, paths);
      const box = page.getByRole("alertdialog", { name: /^Открытие игры$/ });
      await box.waitFor();
      assert.match(await box.locator(".box-text").textContent(), message);
      await page.keyboard.press("Enter");
      await box.waitFor({ state: "hidden" });
      assert.deepEqual(await dialog.names(), before, `the list after ${paths}`);
    }
    // And a whole one goes in.
    await openFiles(page, [driver.saved("good.ksv"), driver.saved("good.kjl")]);
    await dialog.listed(before.length + 1);
    assert.deepEqual(await dialog.names(), [...before, "good.ksv"].sort());
    // The same name again: the game asks before it replaces the game.
    await openFiles(page, [driver.saved("good.ksv")]);
    const question = page.getByRole("alertdialog", { name: /^Открытие игры$/ });
    assert.equal(await question.locator(".box-text").textContent(), "Игра 'good.ksv' уже есть в списке. Заменить её?");
    await question.getByRole("button", { name: "Нет" }).click();
    await question.waitFor({ state: "hidden" });
    assert.deepEqual(await dialog.names(), [...before, "good.ksv"].sort());
    await dialog.dialog.getByRole("button", { name: "Отмена" }).click();
  } finally {
    driver.remove();
    other.remove();
  }
  assert.deepEqual(b.errors, []);
});
