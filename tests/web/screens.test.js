// The game on screens of every size: the windows whole in the browser's
// room (every window's and control's box inside the viewport, the page's
// own journal window too) from a phone held either way to a 4K screen,
// where the game is not left small; a phone's touches: a tap buys in the
// shop, a long press shows a control's tip and clicks nothing; the page's
// "Вид" makes the game larger and is remembered.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { browser, outOfView, serve } from "./lib.js";

let server;
before(async () => {
  server = await serve();
});
after(async () => {
  await server?.stop();
});

const NAME = "Введите Ваше имя";
const main = (page) => page.getByRole("region", { name: /Brindlex Kalvitor 1\.6/ });
const PHONE = { viewport: { width: 360, height: 640 }, hasTouch: true, isMobile: true };

async function open(device, scale = 1) {
  const b = await browser({ scale, device });
  await b.page.goto(`${server.url}?seed=7&now=2026-03-02T10:00:00`);
  await b.page.evaluate(() => localStorage.setItem("kalvitor.Tips", "0"));
  await b.page.reload();
  await b.page.getByRole("textbox", { name: NAME }).waitFor();
  return b;
}

// How much of the room the main window takes, along its fuller side.
function share(page) {
  return page.evaluate(() => {
    const r = document.querySelector(".main-window").getBoundingClientRect();
    return Math.max(r.width / innerWidth, r.height / innerHeight);
  });
}

const SCREENS = [
  [1024, 768],
  [3840, 2160],
  [360, 640],
  [640, 360],
];

test("the windows whole from a phone either way up to a 4K screen", { timeout: 240000 }, async () => {
  for (const [width, height] of SCREENS) {
    const b = await open({ viewport: { width, height } });
    const page = b.page;
    const where = `${width}×${height}`;
    try {
      assert.deepEqual(await outOfView(page), [], `the name dialog at ${where}`);
      await page.getByRole("textbox", { name: NAME }).fill("Вася");
      await page.keyboard.press("Enter");
      await main(page).waitFor();
      assert.deepEqual(await outOfView(page), [], `the main window at ${where}`);
      // Not small in a large room: the main window fills it along one side.
      assert.ok((await share(page)) > 0.8, `the main window fills the room at ${where}`);
      for (const [label, title] of [["Железо", "Железо"], ["Банк", "The Bank of New York"]]) {
        await main(page).getByRole("button", { name: label, exact: true }).click();
        await page.getByRole("dialog", { name: title }).waitFor();
        assert.deepEqual(await outOfView(page), [], `${title} at ${where}`);
        await page.keyboard.press("Escape");
        await page.getByRole("dialog", { name: title }).waitFor({ state: "hidden" });
      }
      // The page's own window, wider than a phone.
      await page.keyboard.press("Control+j");
      const journal = page.getByRole("dialog", { name: "Журнал событий" });
      await journal.waitFor();
      assert.deepEqual(await outOfView(page), [], `the journal at ${where}`);
      await page.keyboard.press("Escape");
      await journal.waitFor({ state: "hidden" });
      await main(page).getByRole("button", { name: "Закрыть" }).click();
      await page.getByRole("alertdialog").waitFor();
      assert.deepEqual(await outOfView(page), [], `a message box at ${where}`);
      assert.deepEqual(b.errors, []);
    } finally {
      await b.close();
    }
  }
});

test("on a phone a tap buys in the shop and a long press shows a tip", { timeout: 120000 }, async () => {
  const b = await open(PHONE, 2);
  const page = b.page;
  try {
    // The name is typed into a real text box, as a phone's keyboard types.
    const box = page.getByRole("textbox", { name: NAME });
    assert.equal(await box.evaluate((e) => e instanceof HTMLInputElement && e.type === "text"), true);
    await box.tap();
    await page.keyboard.type("Тапыч");
    await page.getByRole("dialog", { name: "Добро пожаловать" }).getByRole("button", { name: "OK" }).tap();
    await main(page).waitFor();

    // A long press on a place's label: its tip, and the place stays shut.
    const label = main(page).getByRole("button", { name: "Магазин", exact: true });
    const r = await label.boundingBox();
    const cdp = await b.context.newCDPSession(page);
    const at = [{ x: r.x + r.width / 2, y: r.y + r.height / 2 }];
    await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: at });
    await page.waitForTimeout(900);
    await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    const tip = page.getByRole("tooltip");
    await tip.waitFor();
    assert.equal(await tip.textContent(), await label.getAttribute("aria-description"));
    await page.waitForTimeout(300);
    assert.equal(await page.getByRole("dialog", { name: "Магазин" }).count(), 0, "a long press clicks nothing");

    // A tap opens the shop and buys a meal: the money falls.
    const money = async () => Number((await main(page).getByText(/^Бюджет: \$-?\d+$/).textContent()).replace(/^Бюджет: \$/, ""));
    await label.tap();
    const shop = page.getByRole("dialog", { name: "Магазин" });
    await shop.waitFor();
    await tip.waitFor({ state: "hidden" });
    const was = await money();
    await shop.getByRole("button", { name: /Просто нормально пожрать/ }).tap();
    await page.waitForFunction(
      (was) => [...document.querySelectorAll(".main-window .label")].some((e) => /^Бюджет: /.test(e.textContent) && e.textContent !== `Бюджет: $${was}`),
      was,
    );
    assert.ok((await money()) < was);
    assert.deepEqual(b.errors, []);
  } finally {
    await b.close();
  }
});

test("'Вид' makes the game larger than the room, and the page remembers it", { timeout: 60000 }, async () => {
  const b = await open({ viewport: { width: 1024, height: 768 } });
  const page = b.page;
  try {
    const view = page.getByRole("combobox", { name: /^Вид/ });
    await page.getByRole("textbox", { name: NAME }).fill("Вася");
    await page.keyboard.press("Enter");
    await main(page).waitFor();
    const size = () => main(page).evaluate((e) => e.getBoundingClientRect().height);
    const fitted = await size();
    await view.selectOption({ label: "Ещё крупнее" });
    // Half as large again, or a little less where that comes to whole pixels.
    const ratio = (await size()) / fitted;
    assert.ok(ratio > 1.5 * 0.85 && ratio < 1.501, `larger by ${ratio}`);
    // The page scrolls to the rest of it.
    assert.ok(await page.evaluate(() => document.scrollingElement.scrollHeight > innerHeight));
    // Keys in the list are the list's: p does not pause the game.
    await view.focus();
    await page.keyboard.press("p");
    await page.waitForTimeout(300);
    assert.equal(await page.locator(".client .label", { hasText: /^Пауза$/ }).first().isVisible(), false);
    const scale = await page.evaluate(() => document.documentElement.dataset.scale);

    await page.reload();
    await page.getByRole("textbox", { name: NAME }).waitFor();
    assert.equal(await view.inputValue(), "largest");
    assert.equal(await page.evaluate(() => document.documentElement.dataset.scale), scale);
    assert.deepEqual(b.errors, []);
  } finally {
    await b.close();
  }
});
