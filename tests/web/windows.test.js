// Every place opens over the main window from its menu column, shows its
// title and is left with Esc; the network asks for its modem and browser
// first; a place opens from the game menu too; the pointer's tip tells
// what a place gives; the licence opens in a window of the page.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { browser, serve } from "./lib.js";

let server, b, page;
before(async () => {
  server = await serve();
  b = await browser();
  page = b.page;
  await page.goto(server.url);
  await page.evaluate(() => localStorage.setItem("kalvitor.Tips", "0"));
  await page.reload();
  await page.getByRole("textbox", { name: "Введите Ваше имя" }).fill("Коля");
  await page.keyboard.press("Enter");
});
after(async () => {
  await b?.close();
  server?.stop();
});

const main = () => page.getByRole("region", { name: /Brindlex Kalvitor 1\.6/ });

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

test("every place opens over the main window and Esc leaves it", { timeout: 90000 }, async () => {
  for (const [label, title] of PLACES) {
    await main().getByRole("button", { name: label, exact: true }).click();
    const place = page.getByRole("dialog", { name: title, exact: true });
    await place.waitFor();
    assert.equal(await page.locator(".main-window").getAttribute("inert"), "", `${label} blocks the main window`);
    await page.keyboard.press("Escape");
    await place.waitFor({ state: "hidden" });
  }
  assert.equal(await page.locator(".main-window").getAttribute("inert"), null);
});

test("the network first asks for a modem and a browser", { timeout: 30000 }, async () => {
  await main().getByRole("button", { name: "Сеть", exact: true }).click();
  const box = page.getByRole("alertdialog", { name: "Слабая машинка" });
  await box.waitFor();
  assert.match(await box.textContent(), /модем.*Internet Explorer/);
  await page.keyboard.press("Enter");
  await box.waitFor({ state: "hidden" });
});

test("a place from the game menu, and the tip over a place's label", { timeout: 30000 }, async () => {
  await main().getByRole("menuitem", { name: "Игра" }).click();
  await page.getByRole("menuitem", { name: "Центр занятости" }).click();
  await page.getByRole("dialog", { name: "Работа", exact: true }).waitFor();
  await page.keyboard.press("Escape");
  await main().getByRole("button", { name: "Магазин" }).hover();
  const tip = page.getByRole("tooltip");
  await tip.waitFor();
  assert.equal(await tip.textContent(), "Еда: сытость.");
});

test("the licence in a window of the page", { timeout: 30000 }, async () => {
  await main().getByRole("menuitem", { name: "Справка" }).click();
  await page.getByRole("menu").getByRole("menuitem", { name: "Лицензионное соглашение" }).click();
  const licence = page.getByRole("dialog", { name: "license.txt" });
  await licence.waitFor();
  assert.match(await licence.getByRole("textbox").inputValue(), /^Brindlex Kalvitor 1\.6\nCopyright \(C\) 2026 Brindlex/);
  await page.keyboard.press("Escape");
  await licence.waitFor({ state: "hidden" });
  assert.deepEqual(b.errors, []);
});
