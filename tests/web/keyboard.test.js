// The game with the keyboard alone, and what a screen reader finds: the
// name dialog answered with Enter, Tab through the main window in its
// order, a place opened and a purchase made with the keys, Esc leaving
// the place, F10 and the arrows in the menu bar, the pause with p and with
// the Russian з, the cheat box with c; roles and names from the models,
// the message line and the pause said once, whole.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { browser, pressKey, serve } from "./lib.js";

let server, b, page;
before(async () => {
  server = await serve();
  b = await browser();
  page = b.page;
  // A chance and a computer's clock that bring a message at the first midnight.
  await page.goto(`${server.url}?seed=1&now=2026-12-31T23:50:00`);
  // Everything the reader is told, with what the message line showed then.
  await page.evaluate(() => {
    window.sayings = [];
    const announcer = document.getElementById("announcer");
    new MutationObserver(() => {
      if (!announcer.textContent) return;
      const line = document.querySelector(".label.message span");
      window.sayings.push({ said: announcer.textContent, shown: line ? line.textContent : "" });
    }).observe(announcer, { childList: true, characterData: true, subtree: true });
  });
});
after(async () => {
  await b?.close();
  server?.stop();
});

const main = () => page.getByRole("region", { name: /Brindlex Kalvitor 1\.6/ });
const focused = () =>
  page.evaluate(() => {
    const el = document.activeElement;
    return { role: el.getAttribute("role") || el.tagName.toLowerCase(), name: el.getAttribute("aria-label") || el.textContent };
  });
const announced = () => page.evaluate(() => document.getElementById("announcer").textContent);

async function tabTo(name, limit = 60) {
  for (let i = 0; i < limit; ++i) {
    if ((await focused()).name === name) return;
    await page.keyboard.press("Tab");
  }
  assert.fail(`Tab never reached ${name}`);
}

test("the name dialog, the tips and the main window by keys", { timeout: 60000 }, async () => {
  // The name box has the keyboard from the start; Enter presses OK.
  await page.getByRole("textbox", { name: "Введите Ваше имя" }).waitFor();
  assert.equal((await focused()).name, "Введите Ваше имя");
  // Typed as fast as the keys go, the whole name reaches the game.
  await page.keyboard.type("Петя Иванов-Петров");
  await page.keyboard.press("Enter");
  await page.getByRole("region", { name: "Brindlex Kalvitor 1.6 -- Петя Иванов-Петров" }).waitFor();
  // The tips pause the game; Esc closes them, the keyboard goes back to the
  // main window, whose pause plate the reader hears.
  await page.getByRole("dialog", { name: "Советы новичку" }).waitFor();
  await page.keyboard.press("Escape");
  await page.getByRole("dialog", { name: "Советы новичку" }).waitFor({ state: "hidden" });
  await page.waitForFunction(() => document.getElementById("announcer").textContent === "Пауза");
  // The Russian letter resumes as p does.
  await pressKey(page, "з", "KeyP");
  await page.locator(".client .label", { hasText: /^Пауза$/ }).waitFor({ state: "hidden" });
  // Tab goes through the menu column in the window's order.
  await tabTo("Работа");
  await page.keyboard.press("Tab");
  assert.equal((await focused()).name, "Магазин");
  assert.equal((await focused()).role, "button");
});

test("a place opened, used and left by keys", { timeout: 60000 }, async () => {
  await page.keyboard.press("Enter");
  const shop = page.getByRole("dialog", { name: "Магазин" });
  await shop.waitFor();
  const money = await main().getByText(/^Бюджет: /).textContent();
  await tabTo("Яичница с чесноком +15%-$10-20%h");
  await page.keyboard.press("Space");
  await page.waitForFunction(
    (was) => [...document.querySelectorAll(".main-window .label")].some((e) => /^Бюджет: /.test(e.textContent) && e.textContent !== was),
    money,
  );
  await page.keyboard.press("Escape");
  await shop.waitFor({ state: "hidden" });
  // The keyboard is back in the main window.
  assert.ok(await page.evaluate(() => document.activeElement.closest(".main-window") !== null));
});

test("F10 and the arrows in the menu bar", { timeout: 60000 }, async () => {
  await page.keyboard.press("F10");
  assert.deepEqual(await focused(), { role: "menuitem", name: "Файл" });
  await page.keyboard.press("ArrowRight");
  assert.equal((await focused()).name, "Игра");
  await page.keyboard.press("ArrowDown");
  const menu = page.getByRole("menu");
  await menu.waitFor();
  assert.ok((await menu.getByRole("menuitem").count()) > 3);
  await page.keyboard.press("Escape");
  await menu.waitFor({ state: "hidden" });
  await page.keyboard.press("Escape");
});

test("the cheat box opens with c and takes the keyboard; Esc answers it", { timeout: 60000 }, async () => {
  await main().locator(".client").click({ position: { x: 5, y: 5 } });
  await page.keyboard.press("c");
  const box = main().getByRole("textbox");
  await box.waitFor();
  await page.waitForFunction(() => document.activeElement?.dataset.name === "txtCheat");
  await page.keyboard.press("Escape");
  await box.waitFor({ state: "hidden" });
});

test("what a screen reader finds: names from the models, messages said whole", { timeout: 60000 }, async () => {
  // A value is read with its caption; the captions and pictures stay out.
  const tree = await main().ariaSnapshot();
  assert.match(tree, /Сытость: -?\d+%/);
  assert.doesNotMatch(tree, /Сытость(?!:)/);
  assert.match(tree, /button "Магазин"/);
  assert.match(tree, /group "Информационная панель"/);
  // The typed line is said once, whole, as it starts to type: the line
  // itself, typing letter by letter, is kept from the reader.
  await page.waitForFunction(() => window.sayings.some((s) => s.said.length > 20), null, { timeout: 20000 });
  const sayings = await page.evaluate(() => window.sayings);
  const messages = sayings.filter((s) => s.said.length > 20);
  assert.ok(messages.every((m) => m.shown.length < 3), JSON.stringify(messages));
  assert.equal(new Set(messages.map((m) => m.said)).size, messages.length, "each message said once");
  assert.ok(sayings.some((s) => s.said === "Пауза"));
  assert.equal(await page.locator(".label.message").getAttribute("aria-hidden"), "true");
  assert.deepEqual(b.errors, []);
});
