// The game's sound in the browser, read from the sound state the page
// shows on its root element (docs/web.md, "Sound"). The browser is left to
// its own rule that a page sounds only after the player's first click or
// key: the sound must start with the first answer to the name dialog.
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

const sound = () => page.evaluate(() => ({ ...document.documentElement.dataset }));
const soundIs = (key, value) =>
  page.waitForFunction(([k, v]) => document.documentElement.dataset[k] === v, [key, value], { timeout: 20000 });
const main = () => page.getByRole("region", { name: /Brindlex Kalvitor 1\.6/ });

async function nameTyped(address) {
  await page.goto(address);
  const box = page.getByRole("textbox", { name: "Введите Ваше имя" });
  await box.waitFor();
  await box.focus();
  // Latin letters: each one a key pressed (Cyrillic text is inserted without keys).
  await page.keyboard.type("Petya", { delay: 20 });
}

// The tips for a new player are closed, not to come again, and the game,
// which they paused, goes on.
async function playOn() {
  const tips = page.getByRole("dialog", { name: "Советы новичку" });
  await tips.waitFor();
  await tips.getByRole("checkbox", { name: "Больше не показывать" }).check();
  await tips.getByRole("button", { name: "Закрыть", exact: true }).last().click();
  await page.locator(".client .label", { hasText: /^Пауза$/ }).first().waitFor();
  await page.keyboard.press("p");
  await page.locator(".client .label", { hasText: /^Пауза$/ }).waitFor({ state: "hidden" });
}

// The Звук menu's item: chosen, or only read (whether it is checked).
async function soundMenu(item, { choose = true } = {}) {
  await main().getByRole("menuitem", { name: "Звук" }).click();
  const entry = page.getByRole("menu").locator(".menu-item", { hasText: item });
  if (!choose) {
    const checked = (await entry.getAttribute("aria-checked")) === "true";
    await page.keyboard.press("Escape");
    return checked;
  }
  await entry.click();
}

const effectsPlayed = async () => Number((await sound()).effectsPlayed);

test("the sound starts with the first answer to the name dialog, not before", { timeout: 60000 }, async () => {
  await nameTyped(`${server.url}?seed=5`);
  // The keys typed into the name are no answer: still silent, the program's
  // first sound (the logo's, switched off until the settings are read) not played.
  const silent = await sound();
  assert.deepEqual([silent.sound, silent.music, silent.effectsPlayed], ["off", "stopped", "0"]);
  await page.keyboard.press("Enter");
  await soundIs("sound", "on");
  // The game begins with the work sound, and the main window starts a tune.
  await soundIs("music", "playing");
  await main().waitFor();
  const s = await sound();
  assert.equal(s.effect, "WORK");
  assert.equal(s.effectsPlayed, "1");
  assert.match(s.musicTrack, /^0[1-4]_[a-z_]+\.mid$/);
});

test("a place's effects hold the game for their length, and a purchase plays its own", { timeout: 60000 }, async () => {
  await playOn();
  const before = await effectsPlayed();
  // Opening a place sounds its window (0.9 s) and a click; the place shows
  // once both have ended, as on the desktop, where the game stands still.
  const t0 = Date.now();
  await main().getByRole("button", { name: "Магазин" }).click();
  const shop = page.getByRole("dialog", { name: "Магазин" });
  await shop.waitFor();
  assert.ok(Date.now() - t0 >= 900, `the shop showed ${Date.now() - t0} ms after the click`);
  assert.equal(await effectsPlayed(), before + 2);
  await shop.getByRole("button", { name: /Просто нормально пожрать/ }).click();
  await page.waitForFunction((n) => Number(document.documentElement.dataset.effectsPlayed) === n, before + 3);
  assert.equal((await sound()).effect, "BUTTONS");
  await page.keyboard.press("Escape");
  await shop.waitFor({ state: "hidden" });
});

test("the Звук menu switches the music off and on and the effects off, kept in the browser", { timeout: 60000 }, async () => {
  // The switch as the browser keeps it, once the program has stored it.
  const stored = (name, value) =>
    page.waitForFunction(([n, v]) => localStorage.getItem(`kalvitor.${n}`) === v, [name, value]);
  await soundMenu("Музыка");
  await soundIs("music", "stopped");
  await stored("Music", "0");
  assert.equal(await soundMenu("Музыка", { choose: false }), false);
  await soundMenu("Музыка");
  await soundIs("music", "playing");
  await stored("Music", "1");
  assert.equal(await soundMenu("Музыка", { choose: false }), true);

  await soundMenu("Эффекты");
  await stored("Effects", "0");
  assert.equal(await soundMenu("Эффекты", { choose: false }), false);
  const before = await effectsPlayed();
  await main().getByRole("button", { name: "Магазин" }).click();
  const shop = page.getByRole("dialog", { name: "Магазин" });
  await shop.waitFor();
  await shop.getByRole("button", { name: /Просто нормально пожрать/ }).click();
  await page.keyboard.press("Escape");
  await shop.waitFor({ state: "hidden" });
  assert.equal(await effectsPlayed(), before);
  await soundMenu("Эффекты");
  await stored("Effects", "1");
});

test("the music moves on to another tune when one ends", { timeout: 90000 }, async () => {
  // Each tune played from two seconds before its end (a hook for tests).
  await page.evaluate(() => localStorage.clear());
  await nameTyped(`${server.url}?seed=9&tuneleft=2`);
  await page.evaluate(() => {
    window.musicSeen = [];
    new MutationObserver(() => {
      const m = document.documentElement.dataset.music;
      if (window.musicSeen.at(-1) !== m) window.musicSeen.push(m);
    }).observe(document.documentElement, { attributeFilter: ["data-music"] });
  });
  await page.keyboard.press("Enter");
  // The game's music check (every 2 s) finds the tune ended and starts
  // another, which ends too, and so on: three tunes one after another.
  await page.waitForFunction(() => window.musicSeen.filter((m) => m === "playing").length >= 3, null, {
    timeout: 60000,
  });
  const seen = await page.evaluate(() => window.musicSeen);
  const firstEnd = seen.indexOf("stopped", seen.indexOf("playing"));
  assert.ok(firstEnd > 0, `the first tune ended: ${seen.join(" ")}`);
});
