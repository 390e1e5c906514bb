// A minute of random input: clicks at random places of the page, random
// keys and letters, random menu items, as fast as a restless player, from
// a seed of its own (KALVITOR_MONKEY_SEED; KALVITOR_MONKEY_SECONDS sets the
// length). Deaths, new games, loads, the exit question, the end of the
// game and a start again come as they come. Nothing may go wrong on the
// page (no error in its console, no exception, no crash), and afterwards
// the game still answers: whatever is open is answered or left, and the
// pause comes and goes with p.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { address, browser, mainWindow, newGame, serve } from "./lib.js";

const SECONDS = Number(process.env.KALVITOR_MONKEY_SECONDS || 60);
const seed = Number(process.env.KALVITOR_MONKEY_SEED || Date.now() % 100000);
let state = seed;
const random = () => (state = (state * 1103515245 + 12345) % 2147483648) / 2147483648;
const pick = (list) => list[Math.floor(random() * list.length)];

// Keys a player uses, and a few more.
const KEYS = ["p", "c", "Escape", "Enter", "Tab", "Shift+Tab", "Space", "ArrowDown", "ArrowUp", "ArrowLeft", "ArrowRight",
  "F10", "Backspace", "a", "1", "n", "y", "Control+j", "Control+t"];

let server, b, page;
const crashes = [];
before(async () => {
  server = await serve();
  b = await browser();
  page = b.page;
  page.on("crash", () => crashes.push("the page crashed"));
  // Links go nowhere: the page itself stays, the windows they open close.
  await b.context.route((url) => !url.href.startsWith(server.url), (route) => route.abort());
  b.context.on("page", (p) => p !== page && p.close().catch(() => {}));
  await page.goto(address(server.url, { seed }));
});
after(async () => {
  await b?.close();
  server?.stop();
});

// One random act; whatever it meets is the page's affair. Returns its kind.
async function act() {
  const r = random();
  if (r < 0.45) {
    await page.mouse.click(Math.floor(random() * 1000), Math.floor(random() * 720));
    return "clicks";
  } else if (r < 0.75) {
    await page.keyboard.press(pick(KEYS));
    return "keys";
  } else if (r < 0.8) {
    await page.keyboard.type(pick(["abc", "з", "с", "QARVENTOS", "Вася"]));
    return "words";
  } else {
    // A menu, and an item of it, clicked where they show (a window over
    // the menu bar takes the click instead).
    const titles = page.locator(".main-window:not([inert]) .menubar .menu-title:not(:disabled)");
    const n = await titles.count();
    if (n === 0) {
      await page.keyboard.press(pick(KEYS));
      return "keys";
    }
    await clickWhereItShows(titles.nth(Math.floor(random() * n)));
    const items = page.getByRole("menu").locator(".menu-item:not(:disabled)");
    const k = await items.count();
    if (k === 0) return "menus";
    await clickWhereItShows(items.nth(Math.floor(random() * k)));
    return "menu items";
  }
}

async function clickWhereItShows(locator) {
  const r = await locator.boundingBox({ timeout: 500 });
  if (r) await page.mouse.click(r.x + r.width / 2, r.y + r.height / 2);
}

// The pause's label, whatever its words.
const paused = (page) => page.locator('.main-window [data-name="lblPause"]');

// Back to a game that answers: the end's "start again", a name for a new
// game, Esc for a box or a menu, each window's close box (given the
// keyboard, and Enter: another window may lie over it); then the main window
// unfolded. Found by their places, not their words: the monkey may have
// chosen another language from the menu.
async function settle() {
  for (let i = 0; i < 60; ++i) {
    const again = page.locator(".ended button");
    const name = page.locator('.frame[data-form="frmPlayerName"] input[type="text"]');
    const unfold = page.locator("button.restore");
    const windows = page.locator(".frame:not(.main-window):not([inert])");
    if (await again.isVisible()) {
      await again.click();
      await name.waitFor();
    } else if (await page.getByRole("alertdialog").count()) {
      // Given the keyboard first: a click beside it may have left it on the page.
      await page.getByRole("alertdialog").last().locator("input, button").first().focus({ timeout: 1000 }).catch(() => {});
      await page.keyboard.press("Escape");
    } else if (await page.getByRole("menu").count()) {
      await page.keyboard.press("Escape");
    } else if (await name.isVisible()) {
      await name.fill("");
      await name.focus();
      await page.keyboard.type("Живой");
      await page.keyboard.press("Enter");
    } else if (await windows.count()) {
      await windows.last().locator(".titlebar .close").focus({ timeout: 1000 }).catch(() => {});
      await page.keyboard.press("Enter");
    } else if (await unfold.isVisible()) {
      // (After the windows: the journal or the statistics may lie over it.)
      await unfold.click();
    } else if (await mainWindow(page).isVisible()) {
      return;
    }
    await page.waitForTimeout(100);
  }
  const frames = await page.evaluate(() =>
    [...document.querySelectorAll(".frame, .ended")].map((f) => `${f.querySelector(".title")?.textContent} inert=${f.inert} z=${f.style.zIndex}`),
  );
  assert.fail(`the game did not come back: ${frames.join("; ")}; focus on ${await page.evaluate(() => document.activeElement.outerHTML.slice(0, 80))}`);
}

test(`a minute of random input: no error, no crash, and the game answers afterwards`, { timeout: (SECONDS + 120) * 1000 }, async (t) => {
  await newGame(page, "Мартышка");
  const end = Date.now() + SECONDS * 1000;
  const acts = {};
  while (Date.now() < end) {
    const kind = await act().catch(() => "missed");
    acts[kind] = (acts[kind] ?? 0) + 1;
    await page.waitForTimeout(Math.floor(random() * 60));
  }
  t.diagnostic(`seed ${seed} in ${SECONDS} s: ${Object.entries(acts).map(([k, n]) => `${n} ${k}`).join(", ")}`);
  await settle();
  // The game answers: the pause comes and goes.
  await page.locator('.main-window [data-name="cmdWork"]').focus();
  if (await paused(page).isVisible()) {
    await page.keyboard.press("p");
    await paused(page).waitFor({ state: "hidden" });
  }
  await page.keyboard.press("p");
  await paused(page).waitFor();
  await page.keyboard.press("p");
  await paused(page).waitFor({ state: "hidden" });
  assert.deepEqual(crashes, []);
  assert.deepEqual(b.errors, []);
});
