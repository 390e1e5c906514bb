// A first game in the browser, with the mouse and the keys as a player
// would: a name typed with real key events, the shop opened by a click, a
// meal bought, the money seen to change, the pause, a save, the page
// loaded anew and the game loaded back with the same money. Everything is
// read from what the page shows and from its accessibility tree.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { browser, serve } from "./lib.js";

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

const main = () => page.getByRole("region", { name: /Brindlex Kalvitor 1\.6/ });
// The money as the main window shows it, "$450", read the way a screen
// reader reads it: "Бюджет: $450".
async function money() {
  const text = await main().getByText(/^Бюджет: \$-?\d+$/).textContent();
  return Number(text.replace(/^Бюджет: \$/, ""));
}

async function startGame(name) {
  const box = page.getByRole("textbox", { name: "Введите Ваше имя" });
  await box.waitFor();
  await box.focus();
  await page.keyboard.type(name, { delay: 20 });
  await page.getByRole("dialog", { name: "Добро пожаловать" }).getByRole("button", { name: "OK" }).click();
  await main().waitFor();
  // The tips for a new player hold the game while they are read.
  const tips = page.getByRole("dialog", { name: "Советы новичку" });
  await tips.waitFor();
  await tips.getByRole("checkbox", { name: "Больше не показывать" }).check();
  await tips.getByRole("button", { name: "Закрыть", exact: true }).last().click();
  await assert.doesNotReject(page.getByText("Пауза", { exact: true }).first().waitFor());
  await page.keyboard.press("p");
}

test("a meal bought, the game saved, the page reloaded and the game loaded back", { timeout: 120000 }, async () => {
  await page.goto(server.url);
  await startGame("Вася");
  // The pause plate has gone: the clock runs.
  await page.locator(".client .label", { hasText: /^Пауза$/ }).waitFor({ state: "hidden" });

  // Wait for a quiet moment on the money, then buy the big meal ($60).
  const shopButton = main().getByRole("button", { name: "Магазин" });
  await shopButton.click();
  const shop = page.getByRole("dialog", { name: "Магазин" });
  await shop.waitFor();
  // A place blocks the main window: its controls are out of reach.
  await assert.rejects(main().getByRole("button", { name: "Работа" }).click({ trial: true, timeout: 500 }));
  const before = await money();
  await shop.getByRole("button", { name: /Просто нормально пожрать/ }).click();
  await page.waitForFunction(
    (was) => {
      const t = [...document.querySelectorAll(".main-window .label")].map((e) => e.textContent).find((s) => /^Бюджет: /.test(s));
      return t && t !== `Бюджет: $${was}`;
    },
    before,
  );
  const after = await money();
  assert.ok(after < before, `the money went from ${before} to ${after}`);
  // Esc leaves the place.
  await page.keyboard.press("Escape");
  await shop.waitFor({ state: "hidden" });

  // The pause with p: the plate says so, and the menus that change the
  // game are out of use until p again.
  await main().getByRole("button", { name: "Работа" }).waitFor();
  await page.keyboard.press("p");
  await page.locator(".client .label", { hasText: /^Пауза$/ }).waitFor();
  assert.equal(await main().getByRole("menuitem", { name: "Файл" }).isDisabled(), true);
  await page.keyboard.press("p");
  await page.locator(".client .label", { hasText: /^Пауза$/ }).waitFor({ state: "hidden" });

  // Save as "smoke" through the file menu. The clock runs meanwhile, and a
  // message the line is typing holds the save back until it is done (as on
  // the desktop): the money saved is the one shown as the page starts to
  // store the files, which it says on the page's root while it does.
  await main().getByRole("menuitem", { name: "Файл" }).click();
  await page.getByRole("menuitem", { name: /^Сохранить игру/ }).click();
  const dialog = page.getByRole("dialog", { name: /Сохранение/ });
  await dialog.waitFor();
  await dialog.getByRole("textbox").last().fill("smoke");
  await page.evaluate(() => {
    window.stored = new Promise((resolve) => {
      let money = null;
      new MutationObserver((_, watch) => {
        const storing = document.documentElement.dataset.storing;
        if (storing && money === null) {
          const label = [...document.querySelectorAll(".main-window .label")].find((e) => /^Бюджет: /.test(e.textContent));
          money = label.textContent;
        } else if (!storing && money !== null) {
          watch.disconnect();
          resolve(money);
        }
      }).observe(document.documentElement, { attributes: true, attributeFilter: ["data-storing"] });
    });
  });
  await dialog.getByRole("button", { name: "Сохранить" }).click();
  await dialog.waitFor({ state: "hidden" });
  const saved = Number((await page.evaluate(() => window.stored)).replace(/^Бюджет: \$/, ""));

  // A new page: the saved game is still there, and loads with its money.
  await page.reload();
  const load = page.getByRole("dialog", { name: "Добро пожаловать" });
  await load.getByRole("button", { name: "Загрузить игру" }).click();
  const loadDialog = page.getByRole("dialog", { name: /Загрузка/ });
  await loadDialog.waitFor();
  await loadDialog.getByRole("listbox").selectOption("smoke.ksv");
  await loadDialog.getByRole("button", { name: "Загрузить" }).click();
  await main().waitFor();
  await page.waitForFunction(
    (want) => [...document.querySelectorAll(".main-window .label")].some((e) => e.textContent === `Бюджет: $${want}`),
    saved,
  );
  assert.equal(await money(), saved);
  assert.deepEqual(b.errors, []);
});
