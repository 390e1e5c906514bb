// A life in the browser with the mouse and the keys, as a player lives it:
// a name, the first day's event (chance fixed through the page's address),
// the yard keeper's job, the shop and the hospital with the game paused
// (p, and з on a Russian layout), a deposit through the bank's input box
// while the clock runs on, a place that keeps the main window from the
// mouse, the exit question, a save as the game ends, the page loaded anew
// and the game loaded back with its money, date and journal; then a death,
// whose box blocks every window until a new game asks for a name. Prices
// and effects are the game's own: the meal of $60 gives 75% satiety, the
// sprain's treatment 2% health for $20, the grandmother $150.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import {
  address,
  box,
  browser,
  chooseMenu,
  clock,
  day,
  dialog,
  mainWindow,
  money,
  newGame,
  paused,
  seen,
  pressKey,
  quietDays,
  readJournal,
  serve,
  value,
  waitValue,
  watchStoring,
  storedLabels,
  loadGame,
  cheat,
} from "./lib.js";

const GIFT = "Бабушка вам подарила 150 долларов! Скажите ей спасибо!";
let server, b, page;
before(async () => {
  server = await serve();
  b = await browser({ tips: false });
  page = b.page;
  // The first midnight comes at the first tick (23:40 + 30 minutes) with
  // the grandmother's gift; the days after it bring nothing.
  await page.goto(address(server.url, { seed: 3, rnd: [...day(24), ...quietDays(30)], now: "2026-06-10T23:40:00" }));
});
after(async () => {
  await b?.close();
  server?.stop();
});

const main = () => mainWindow(page);
const number = (v) => Number(v.replace(/[$%]/g, ""));
const date = (shown) => shown.split(" / ")[0];

// Real pointer clicks at a control's middle, wherever it stands on the page.
async function clickAt(locator) {
  const r = await locator.boundingBox();
  await page.mouse.click(r.x + r.width / 2, r.y + r.height / 2);
}

test("the first day's event types its message; a place keeps the main window from the mouse; the yard keeper's job", { timeout: 60000 }, async () => {
  await newGame(page, "Вася");
  // The message line types while the player goes on: the work place
  // meanwhile. A job the player cannot have yet says why in a box.
  await main().getByRole("button", { name: "Работа", exact: true }).click();
  const work = dialog(page, "Работа");
  await work.getByRole("button", { name: "Сантехник -$15" }).click();
  const refusal = page.getByRole("alertdialog", { name: "Нифига!" });
  // After the click's sound, as on the desktop.
  await refusal.waitFor();
  assert.equal(await refusal.getByText("Поумнейте до 25%").count(), 1);
  await refusal.getByRole("button", { name: "OK" }).click();
  await refusal.waitFor({ state: "hidden" });

  // While the place is open, a click on the main window does nothing: the
  // shop's label, clicked where it shows beside the place, opens nothing;
  // the place's own "Назад" after it is the next thing the game hears.
  const shop = main().getByRole("button", { name: "Магазин", exact: true });
  const apart = (a, b) => a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
  assert.ok(apart(await shop.boundingBox(), await work.boundingBox()), "the shop's label shows beside the place");
  await clickAt(shop);
  await work.getByRole("button", { name: "Назад" }).click();
  await work.waitFor({ state: "hidden" });
  assert.equal(await dialog(page, "Магазин").count(), 0, "the click on the main window opened the shop");

  // The gift: the whole message typed on the line, then the money.
  await waitValue(page, "Бюджет", "$600", 30000);
  assert.ok((await seen(page, "message")).includes(GIFT));
  assert.deepEqual((await seen(page, "Бюджет")).slice(0, 2), ["$450", "$600"]);
  assert.equal(date(await clock(page)), "11 июня 2026");

  await main().getByRole("button", { name: "Работа", exact: true }).click();
  await work.getByRole("button", { name: "Дворник - $10" }).click();
  await waitValue(page, "Работа", "Дворник ($10/день)");
  await page.keyboard.press("Escape");
  await work.waitFor({ state: "hidden" });
});

test("the shop and the hospital, with the game paused by p and by з", { timeout: 60000 }, async () => {
  // A place, then the pause from it: the clock stands still, the prices
  // and effects are read without a day's wear or wage between them.
  const cases = [
    // label, title, pause key, offer, money, value, its change
    ["Магазин", "Магазин", ["p", "KeyP"], "Просто нормально пожрать +75%-$60", -60, "Сытость", +75],
    ["Больница", "Госпиталь", ["з", "KeyP"], "Вывих - +2% - $20", -20, "Здоровье", +2],
  ];
  for (const [label, title, [key, code], offer, cost, caption, change] of cases) {
    await main().getByRole("button", { name: label, exact: true }).click();
    const place = dialog(page, title);
    await place.waitFor();
    await pressKey(page, key, code);
    await paused(page).waitFor();
    // While paused, the menus that change the game are out of use.
    assert.equal(await main().getByRole("menuitem", { name: "Файл" }).isDisabled(), true);
    const shown = await clock(page);
    const [before, had] = [await money(page), number(await value(page, caption))];
    await place.getByRole("button", { name: offer }).click();
    await waitValue(page, "Бюджет", `$${before + cost}`);
    assert.equal(number(await value(page, caption)), had + change, `${caption} after ${offer}`);
    assert.equal(await clock(page), shown, "the clock stood still");
    await pressKey(page, key, code);
    await paused(page).waitFor({ state: "hidden" });
    await page.keyboard.press("Escape");
    await place.waitFor({ state: "hidden" });
  }
});

test("a deposit through the bank's input box, asked while the clock runs on", { timeout: 60000 }, async () => {
  await main().getByRole("button", { name: "Банк", exact: true }).click();
  const bank = dialog(page, "The Bank of New York");
  const [before, then] = [await money(page), date(await clock(page))];
  await bank.getByRole("button", { name: "Вложить деньги под процент (мин. $100; 15%/мес)" }).click();
  const ask = page.getByRole("alertdialog", { name: "The Bank of New York" });
  const amount = ask.getByRole("textbox", { name: "Сколько вы хотите вложить долларов под 15% в месяц:" });
  assert.equal(await amount.inputValue(), "100");
  // The clock goes on while the box asks.
  const shown = await clock(page);
  await page.waitForFunction(
    (was) => [...document.querySelectorAll(".main-window .label")].some((e) => / \/ \d\d:\d\d$/.test(e.textContent) && e.textContent !== was),
    shown,
  );
  await amount.fill("250");
  await page.keyboard.press("Enter");
  await ask.waitFor({ state: "hidden" });
  await bank.getByText("Долг банка: $250").waitFor();
  // A midnight meanwhile pays the yard keeper's $10.
  const wages = date(await clock(page)) === then ? 0 : 10;
  assert.equal(await money(page), before - 250 + wages);
  await page.keyboard.press("Escape");
  await bank.waitFor({ state: "hidden" });
});

let saved, journal;
test("the exit question: Отмена goes on; Да saves the game and ends it", { timeout: 60000 }, async () => {
  await chooseMenu(page, "Файл", "Выход");
  const question = page.getByRole("alertdialog", { name: "Внимание!" });
  await question.waitFor();
  assert.equal(await question.getByText("Сохранить игру сейчас???").count(), 1);
  await question.getByRole("button", { name: "Отмена" }).click();
  await question.waitFor({ state: "hidden" });
  // The place shows after its sounds: Esc then leaves it.
  await main().getByRole("button", { name: "Работа", exact: true }).click();
  await dialog(page, "Работа").waitFor();
  await page.keyboard.press("Escape");
  await dialog(page, "Работа").waitFor({ state: "hidden" });

  // What the journal tells of the life so far, newest first.
  journal = await readJournal(page);
  const told = [
    /^Новая игра: Вася, сложность нормальная, \$450$/,
    new RegExp(`^${GIFT}$`),
    /^Событие: \+\$150, стало \$600$/,
    /^Новая работа: Дворник \(\$10\/день\)$/,
    /^Магазин, обед: -\$60, стало \$\d+$/,
    /^Больница, вывих: -\$20, стало \$\d+$/,
    /^Банк, вклад: -\$250, стало \$\d+$/,
  ];
  const texts = journal.map((e) => e.text).reverse();
  const at = told.map((re) => texts.findIndex((t) => re.test(t)));
  assert.ok(at.every((i, k) => i >= 0 && (k === 0 || i > at[k - 1])), `the journal tells the life in order: ${texts.join(" | ")}`);
  await chooseMenu(page, "Файл", "Выход");
  await question.getByRole("button", { name: "Да" }).click();
  const save = page.getByRole("dialog", { name: "Сохранение игры" });
  await save.getByRole("textbox", { name: "Сохранение игры" }).fill("life");
  // What the main window shows as the page begins to store the files is
  // what the game saved: the clock does not tick inside the save.
  await watchStoring(page);
  await save.getByRole("button", { name: "Сохранить" }).click();
  saved = await storedLabels(page);
  await page.getByText("Игра окончена.").waitFor();
});

test("the page loaded anew: the game loads with its money, date and journal", { timeout: 60000 }, async () => {
  await page.getByRole("button", { name: "Начать снова" }).click();
  await dialog(page, "Добро пожаловать").waitFor();
  await loadGame(page, "life.ksv");
  await page.getByRole("region", { name: "Brindlex Kalvitor 1.6 -- Вася" }).waitFor();
  // The saved values show (a midnight may move them on at once: every
  // value shown is kept).
  const savedValue = (caption) => saved.find((t) => t.startsWith(`${caption}: `)).slice(caption.length + 2);
  await page.waitForFunction((m) => window.kvSeen["Бюджет"]?.includes(m), savedValue("Бюджет"));
  for (const caption of ["Работа", "Сытость", "Здоровье"]) assert.ok((await seen(page, caption)).includes(savedValue(caption)), caption);
  // The loaded game's clock shows its time at its first tick, 30 minutes on
  // (the main window's first shows the date before any game).
  const [savedDate, savedTime] = saved.find((t) => / \/ \d\d:\d\d$/.test(t)).split(" / ");
  const [h, m] = savedTime.split(":").map(Number);
  const later = h * 60 + m + 30;
  const expected =
    later < 24 * 60
      ? `${savedDate} / ${String(Math.floor(later / 60)).padStart(2, "0")}:${String(later % 60).padStart(2, "0")}`
      : `${Number(savedDate.split(" ")[0]) + 1} ${savedDate.split(" ").slice(1).join(" ")} / 00:00`;
  await page.waitForFunction(() => window.kvSeen.clock.some((t) => !t.endsWith("1899 / 00:00")));
  const times = (await seen(page, "clock")).filter((t) => !t.endsWith("1899 / 00:00"));
  assert.equal(times[0], expected);
  // The journal: the life's entries as they were, then the exit question,
  // the save and the load (a midnight before the save may have paid a
  // wage; what came after the load is left out).
  const loadedAt = `Загрузка игры: ${savedValue("Бюджет")}`;
  const loaded = await readJournal(page);
  const since = loaded.slice(loaded.findIndex((e) => e.text === loadedAt));
  assert.deepEqual(since.slice(-journal.length), journal);
  assert.deepEqual(
    since
      .slice(0, -journal.length)
      .map((e) => e.text)
      .filter((t) => !t.startsWith("Зарплата: ")),
    [loadedAt, "Загрузка игры: life.ksv", "Сохранение игры: life.ksv", "«Внимание!» Сохранить игру сейчас???"],
  );
});

test("a death by the cheat box: its box blocks every window; a new game asks for a name", { timeout: 60000 }, async () => {
  await main().getByRole("button", { name: "Работа", exact: true }).focus();
  await cheat(page, "GRIMLO");
  const death = "Вы спрыгнули с 15 этажа и разбились насмерть!!!";
  await box(page, death).waitFor();
  // The main window is out of the mouse's reach.
  await assert.rejects(main().getByRole("button", { name: "Работа" }).click({ trial: true, timeout: 500 }));
  // The clock goes on under the box and under the name dialog after it: a
  // midnight's wear may find the life ended again and say so in a box of
  // its own, over the others. Each box is answered with Enter (the
  // keyboard is in the box on top), the name given, until the new game.
  const name = page.getByRole("textbox", { name: "Введите Ваше имя" });
  const begun = page.getByRole("region", { name: "Brindlex Kalvitor 1.6 -- Даша" });
  const answered = [];
  for (let turn = 0; !(await begun.isVisible()); ++turn) {
    assert.ok(turn < 100, `no new game; the boxes answered: ${answered.join(" | ")}`);
    // (A box answered goes out of use at once, before it closes.)
    const top = page.locator("[role=alertdialog]:not([inert])").last();
    if (await top.count()) {
      answered.push(await top.textContent());
      await page.keyboard.press("Enter");
    } else if ((await name.isVisible()) && (await name.inputValue()) === "") {
      await name.focus();
      await page.keyboard.type("Даша");
      await page.keyboard.press("Enter");
    }
    // Until the new game, a box or an empty name box.
    await page.waitForFunction(
      () =>
        document.title.endsWith(" -- Даша") ||
        document.querySelector("[role=alertdialog]:not([inert])") ||
        [...document.querySelectorAll("input")].some(
          (i) => i.getAttribute("aria-label") === "Введите Ваше имя" && i.value === "" && i.checkVisibility() && !i.closest("[inert]"),
        ),
    );
  }
  assert.ok(answered[0]?.includes(death), `the boxes answered: ${answered.join(" | ")}`);
  assert.deepEqual(b.errors, []);
});
