// What a screen reader finds in every window the game opens: each place
// (opened over the main window under its own title, blocking it, left with
// Esc), the boxes (a refusal, the bank's input box, the network's, the
// exit question), the dialogs (the name, save and load dialogs, the about
// box, the texts, the tips, the journal and the statistics, the cheat box)
// and every menu: every control in Chromium's accessibility tree with a
// role and a name, values read with their captions. A box is said once,
// whole, as the window it is (its title its name, its text its
// description, the keyboard in it); the typed message line once, whole, by
// the page's live region as it starts to type, the same words again when
// they come again; the pause as it shows.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import {
  address,
  audit,
  browser,
  chooseMenu,
  day,
  dialog,
  mainWindow,
  menuTitle,
  newGame,
  paused,
  quietDays,
  sayings,
  serve,
  waitValue,
} from "./lib.js";

const GIFT = "Бабушка вам подарила 150 долларов! Скажите ей спасибо!";
let server, b, page;
const faults = [];
before(async () => {
  server = await serve();
  b = await browser({ tips: false });
  page = b.page;
  // The grandmother's gift at the first two midnights, then nothing.
  await page.goto(address(server.url, { seed: 5, rnd: [...day(24), ...day(24), ...quietDays(20)], now: "2026-06-10T23:40:00" }));
});
after(async () => {
  await b?.close();
  server?.stop();
});

const main = () => mainWindow(page);
const check = async (where) => faults.push(...(await audit(page, where)));

// The boxes in the accessibility tree: name, description, and whether the
// keyboard is in them.
async function boxesRead() {
  const cdp = await page.context().newCDPSession(page);
  const { nodes } = await cdp.send("Accessibility.getFullAXTree");
  await cdp.detach();
  const byId = new Map(nodes.map((n) => [n.nodeId, n]));
  // (The page itself says it is focused too: the element is the last.)
  const focused = nodes.filter((n) => n.properties?.some((p) => p.name === "focused" && p.value.value)).at(-1);
  const inside = (n, box) => {
    for (let at = n; at; at = byId.get(at.parentId)) if (at === box) return true;
    return false;
  };
  return nodes
    .filter((n) => !n.ignored && n.role?.value === "alertdialog")
    .map((n) => ({ name: n.name?.value, text: n.description?.value, keyboard: !!focused && inside(focused, n) }));
}

// A box that comes up is said as one window: its title, its whole text,
// the keyboard in it; the live region keeps out of it.
async function boxSaid(title, text) {
  const box = page.getByRole("alertdialog", { name: title, exact: true });
  await box.waitFor();
  await check(`«${title}»`);
  assert.deepEqual(await boxesRead(), [{ name: title, text, keyboard: true }]);
  assert.ok(!(await sayings(page)).some((s) => s.said.includes(text)), `the live region repeats «${title}»`);
  return box;
}

test("the name dialog and the main window: every control named, values with their captions", { timeout: 60000 }, async () => {
  await page.getByRole("textbox", { name: "Введите Ваше имя" }).waitFor();
  await check("the name dialog");
  await newGame(page, "Вася");
  // The main window takes the keyboard at its first control.
  await page.waitForFunction(() => document.activeElement.getAttribute("aria-label") === "Работа");
  await check("the main window");
  const tree = await main().ariaSnapshot();
  assert.match(tree, /Сытость: -?\d+%/);
  assert.doesNotMatch(tree, /Сытость(?!:)/);
  assert.match(tree, /button "Магазин"/);
  assert.match(tree, /group "Информационная панель"/);
  await chooseMenu(page, "Скорость игры", "Быстрый");
  await waitValue(page, "Скорость игры", "Быстрая");
});

// The menu column's label, and the title of the window it opens.
const PLACES = [
  ["Работа", "Работа"],
  ["Магазин", "Магазин"],
  ["Семья", "Семья"],
  ["Больница", "Госпиталь"],
  ["Отдых", "Развлечения"],
  ["Программы", "Софт"],
  ["Железо", "Железо"],
  ["Банк", "The Bank of New York"],
  ["Учеба", "Повышение квалификации"],
];

test("every place opens over the main window under its title, blocks it, is read whole and left with Esc", { timeout: 90000 }, async () => {
  for (const [label, title] of PLACES) {
    await main().getByRole("button", { name: label, exact: true }).click();
    const place = dialog(page, title);
    await place.waitFor();
    assert.equal(await page.locator(".main-window").getAttribute("inert"), "", `${label} blocks the main window`);
    await check(`the place «${title}»`);
    if (label === "Работа") {
      await place.getByRole("button", { name: "Сантехник -$15" }).click();
      const box = await boxSaid("Нифига!", "Поумнейте до 25%");
      await page.keyboard.press("Enter");
      await box.waitFor({ state: "hidden" });
    }
    if (label === "Банк") {
      await place.getByRole("button", { name: /^Взять ссуду/ }).click();
      const ask = page.getByRole("alertdialog", { name: "The Bank of New York" });
      await ask.waitFor();
      await check("the bank's input box");
      const prompt = "Сколько вы хотите взять в кредит у банка (мин. 500 долларов под 10% в месяц):";
      assert.deepEqual(await boxesRead(), [{ name: "The Bank of New York", text: prompt, keyboard: true }]);
      await ask.getByRole("textbox", { name: prompt }).waitFor();
      await page.keyboard.press("Escape");
      const refusal = await boxSaid("The Bank of New York", "Не получилось!");
      await page.keyboard.press("Enter");
      await refusal.waitFor({ state: "hidden" });
    }
    await page.keyboard.press("Escape");
    await place.waitFor({ state: "hidden" });
  }
  assert.equal(await page.locator(".main-window").getAttribute("inert"), null);
  // The network asks for its modem and browser first.
  await main().getByRole("button", { name: "Сеть", exact: true }).click();
  const weak = page.getByRole("alertdialog", { name: "Слабая машинка" });
  await weak.waitFor();
  const [{ text }] = await boxesRead();
  assert.match(text, /модем.*Internet Explorer/s);
  await boxSaid("Слабая машинка", text);
  await page.keyboard.press("Enter");
  await weak.waitFor({ state: "hidden" });
});

test("every menu and the windows it opens, the cheat box, the tip, the folded window", { timeout: 90000 }, async () => {
  for (const menu of ["Файл", "Игра", "Скорость игры", "Звук", "Справка"]) {
    await menuTitle(page, menu).click();
    await page.getByRole("menu", { name: menu }).waitFor();
    await check(`the menu «${menu}»`);
    await page.keyboard.press("Escape");
    await page.getByRole("menu").waitFor({ state: "hidden" });
  }
  // A place from the game menu.
  await chooseMenu(page, "Игра", "Центр занятости");
  await dialog(page, "Работа").waitFor();
  await page.keyboard.press("Escape");
  await dialog(page, "Работа").waitFor({ state: "hidden" });

  // The windows the menus open, each read and closed by its own way.
  const WINDOWS = [
    // menu, item (or a shortcut), the window's title, how it closes
    ["Файл", "Сохранить игру...", "Сохранение игры", "Отмена"],
    ["Файл", "Загрузить игру...", "Загрузка игры", "Отмена"],
    ["Справка", "Советы новичку", "Советы новичку", "Escape"],
    ["Справка", "Справка", "readme.txt", "Escape"],
    ["Справка", "Лицензионное соглашение", "license.txt", "Escape"],
    ["Справка", "О программе...", "О Brindlex Kalvitor 1.6", "Escape"],
    [null, "Control+j", "Журнал событий", "Escape"],
    [null, "Control+t", "Статистика", "Escape"],
  ];
  for (const [menu, item, title, close] of WINDOWS) {
    if (menu) await chooseMenu(page, menu, item);
    else await page.keyboard.press(item);
    const w = dialog(page, title);
    await w.waitFor();
    await check(`«${title}»`);
    if (title === "license.txt")
      assert.match(await w.getByRole("textbox").inputValue(), /^Brindlex Kalvitor 1\.6\nCopyright \(C\) 2026 Brindlex/);
    if (close === "Escape") await page.keyboard.press("Escape");
    else await w.getByRole("button", { name: close }).click();
    await w.waitFor({ state: "hidden" });
  }
  // The exit question, answered Отмена.
  await chooseMenu(page, "Файл", "Выход");
  const question = await boxSaid("Внимание!", "Сохранить игру сейчас???");
  await question.getByRole("button", { name: "Отмена" }).click();
  await question.waitFor({ state: "hidden" });

  // The cheat box takes the keyboard, named by its caption.
  await main().getByRole("button", { name: "Работа", exact: true }).focus();
  await page.keyboard.press("c");
  const cheat = main().getByRole("textbox", { name: "Чит" });
  await cheat.waitFor();
  await check("the cheat box");
  await page.keyboard.press("Escape");
  await cheat.waitFor({ state: "hidden" });

  // The pointer's tip over a place's label, also said as its description.
  await main().getByRole("button", { name: "Магазин", exact: true }).hover();
  const tip = page.getByRole("tooltip");
  await tip.waitFor();
  assert.equal(await tip.textContent(), "Еда: сытость.");
  assert.equal(await main().getByRole("button", { name: "Магазин", exact: true }).getAttribute("aria-description"), "Еда: сытость.");
  await page.mouse.move(0, 0);

  // "Свернуть игру" folds the main window, with a button to unfold it.
  await main().getByRole("button", { name: "Свернуть игру" }).click();
  const unfold = page.getByRole("button", { name: "Развернуть игру" });
  await unfold.waitFor();
  await check("the folded main window");
  await unfold.click();
  await unfold.waitFor({ state: "hidden" });
  await main().getByRole("button", { name: "Работа", exact: true }).waitFor();
});

test("the typed message said once, whole, as it starts to type; the pause as it shows", { timeout: 90000 }, async () => {
  // The gift comes at each of the first two midnights: the line types it
  // whole twice, and the reader hears it twice, no more.
  await page.waitForFunction((gift) => window.kvSeen.message.filter((m) => m === gift).length >= 2, GIFT, { timeout: 60000 });
  const said = (await sayings(page)).filter((s) => s.said !== "Пауза");
  assert.deepEqual(
    said.map((s) => s.said),
    [GIFT, GIFT],
  );
  assert.ok(said.every((s) => s.shown.length < 3), `said before it typed: ${JSON.stringify(said)}`);
  // The line itself, typing letter by letter, is kept from the reader.
  assert.equal(await page.locator(".label.message").getAttribute("aria-hidden"), "true");
  // The pause, once each time it shows.
  const pauses = async () => (await sayings(page)).filter((s) => s.said === "Пауза").length;
  const before = await pauses();
  await main().getByRole("button", { name: "Работа", exact: true }).focus();
  for (const k of [1, 2]) {
    await page.keyboard.press("p");
    await paused(page).waitFor();
    await page.waitForFunction((n) => window.kvSaid.filter((s) => s.said === "Пауза").length >= n, before + k);
    await page.keyboard.press("p");
    await paused(page).waitFor({ state: "hidden" });
  }
  assert.equal(await pauses(), before + 2);
  assert.deepEqual(faults, []);
  assert.deepEqual(b.errors, []);
});
