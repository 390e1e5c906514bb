// The game's waits in the browser: an input box asked from inside a place
// (the bank's loan), and a death by the cheat box, whose message box waits
// for the player before a new game asks for a name. The clock goes on in
// each wait, as in the desktop's nested loops.
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
  await page.getByRole("textbox", { name: "Введите Ваше имя" }).fill("Маша");
  await page.keyboard.press("Enter");
});
after(async () => {
  await b?.close();
  server?.stop();
});

const main = () => page.getByRole("region", { name: /Brindlex Kalvitor 1\.6/ });

test("the bank's input box: a loan of $700 taken from inside the bank", { timeout: 60000 }, async () => {
  await main().getByRole("button", { name: "Банк" }).click();
  const bank = page.getByRole("dialog", { name: "The Bank of New York" });
  await bank.getByRole("button", { name: /^Взять ссуду/ }).click();
  const box = page.getByRole("alertdialog", { name: "The Bank of New York" });
  const amount = box.getByRole("textbox");
  assert.equal(await amount.inputValue(), "500");
  // The clock runs while the box asks (the time label moves on).
  const time = () => main().locator(".label", { hasText: / \/ \d\d:\d\d$/ }).textContent();
  const was = await time();
  await page.waitForFunction(
    (t) => [...document.querySelectorAll(".main-window .label")].some((e) => / \/ \d\d:\d\d$/.test(e.textContent) && e.textContent !== t),
    was,
  );
  await amount.fill("700");
  await page.keyboard.press("Enter");
  await box.waitFor({ state: "hidden" });
  await bank.getByText("Долг банку: $700").waitFor();
  await page.keyboard.press("Escape");
  await bank.waitFor({ state: "hidden" });
});

test("a death by the cheat box: its box waits, then a new game asks for a name", { timeout: 60000 }, async () => {
  await main().locator(".client").click({ position: { x: 5, y: 5 } });
  await page.keyboard.press("c");
  await page.waitForFunction(() => document.activeElement?.dataset.name === "txtCheat");
  await page.keyboard.type("GRIMLO");
  await page.keyboard.press("Enter");
  const death = page.getByRole("alertdialog").filter({ hasText: "Вы спрыгнули с 15 этажа и разбились насмерть!!!" });
  await death.first().waitFor();
  // The box blocks every window: the main window's controls are out of reach.
  await assert.rejects(main().getByRole("button", { name: "Работа" }).click({ trial: true, timeout: 500 }));
  // The clock goes on under the box: a tick's wear may find the life ended
  // again and say so in a box of its own, over the first. Each is answered.
  const name = page.getByRole("textbox", { name: "Введите Ваше имя" });
  while (!(await name.isVisible())) {
    await death.last().getByRole("button", { name: "OK" }).click();
    await Promise.race([name.waitFor(), page.waitForTimeout(300)]);
  }
  await name.fill("Даша");
  await page.keyboard.press("Enter");
  await page.getByRole("region", { name: /Brindlex Kalvitor 1\.6 -- Даша/ }).waitFor();
  assert.deepEqual(b.errors, []);
});
