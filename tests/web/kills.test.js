// The browser killed in the middle of saves, 50 times: the game is saved
// again and again under two names, each save with $100 more (a cheat), and
// the browser's process is ended the hard way (SIGKILL) at a random moment
// of the last save of a turn: by turns, while the game writes its files
// (between the key that confirms the save and the moment the page began to
// store the saves before) and while the page stores them (a few
// milliseconds after it says it stores). At every next start each saved
// game loads
// whole with its journal: no box says the journal was not written with it,
// the money is that of the last save stored or of the one cut short (the
// page stores a game and its journal in one transaction: either is right,
// nothing between), and the journal tells the same money. Two browsers,
// each with its own profile and games, take turns at the kills side by
// side. KALVITOR_KILLS sets the number, KALVITOR_KILLS_SEED the chance.
import assert from "node:assert/strict";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";
import { address, browser, cheat, mainWindow, money, newGame, quietDays, readJournal, serve } from "./lib.js";

const KILLS = Number(process.env.KALVITOR_KILLS || 50);
const LANES = Number(process.env.KALVITOR_KILL_LANES || 2);
const NAMES = ["alpha", "beta"];
// The days' wear would end the life: satiety and health every fourth start.
const VITALS = ["BALNOSH", "MELKIR"];

let server;
const profiles = [];
before(async () => {
  server = await serve();
});
after(() => {
  server?.stop();
  for (const p of profiles) rmSync(p, { recursive: true, force: true });
});

// A small generator of our own, so that a run can be repeated.
const seed = Number(process.env.KALVITOR_KILLS_SEED || Date.now() % 100000);
function generator(n) {
  let state = seed * 7 + n;
  return () => (state = (state * 1103515245 + 12345) % 2147483648) / 2147483648;
}

// The keyboard has the file menu's item: F10, Down into the menu, Down to
// the item, Enter.
async function fileMenu(page, steps) {
  await page.keyboard.press("F10");
  await page.keyboard.press("ArrowDown");
  for (let i = 0; i < steps; ++i) await page.keyboard.press("ArrowDown");
  await page.keyboard.press("Enter");
}
const SAVE = 1; // "Новая игра", "Сохранить игру...", "Загрузить игру..."
const LOAD = 2;

// The save or load dialog's name box has the keyboard: the name, Enter.
async function answerFileDialog(page, title, name) {
  await page.getByRole("dialog", { name: title }).getByRole("textbox", { name: title }).waitFor();
  await page.waitForFunction(() => document.activeElement?.dataset.name === "txtFilename");
  await page.keyboard.type(name);
  await page.keyboard.press("Enter");
}

// Loads NAME and waits for one of the moneys it may have been saved with.
async function load(page, name, want, fromNameDialog) {
  if (fromNameDialog) await page.getByRole("dialog", { name: "Добро пожаловать" }).getByRole("button", { name: "Загрузить игру" }).click();
  else await fileMenu(page, LOAD);
  await answerFileDialog(page, "Загрузка игры", name);
  await page.getByRole("dialog", { name: "Загрузка игры" }).waitFor({ state: "hidden" });
  for (let wait = 0; ; ++wait) {
    const boxes = await page.getByRole("alertdialog").allTextContents();
    assert.deepEqual(boxes, [], `a box at the load of ${name}`);
    const shown = (await mainWindow(page).count()) ? await money(page) : null;
    if (want.includes(shown)) return shown;
    assert.ok(wait < 200, `${name} loaded with $${shown}, saved with ${want.map((m) => `$${m}`).join(" or ")}`);
    await page.waitForTimeout(25);
  }
}

// The save over an existing game: its name, Enter, and Enter again for the
// question's Да (its default button). Returns as the last key is pressed;
// window.stored then says when the page has stored the files.
async function saveOver(page, name) {
  await fileMenu(page, SAVE);
  await answerFileDialog(page, "Сохранение игры", name);
  await page.getByRole("alertdialog", { name: "Вопрос" }).getByRole("button", { name: "Да" }).waitFor();
  await page.waitForFunction(() => document.activeElement?.textContent === "Да");
  await page.evaluate(() => {
    window.stored = new Promise((resolve) => {
      new MutationObserver((_, watch) => {
        if (document.documentElement.dataset.storing) return;
        watch.disconnect();
        resolve();
      }).observe(document.documentElement, { attributes: true, attributeFilter: ["data-storing"] });
    });
  });
  await page.keyboard.press("Enter");
}

// A promise's value, or a failure after `ms`.
async function within(promise, ms, what) {
  let timer;
  const late = new Promise((_, fail) => (timer = setTimeout(() => fail(new Error(what)), ms)));
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

// One browser's turns: a start, the saved games loaded, saves, a kill.
async function lane(n, kills, t) {
  const random = generator(n);
  const profile = mkdtempSync(join(tmpdir(), "kalvitor-kills-"));
  profiles.push(profile);
  // Per name: the money of the last save known stored, and of the one cut short.
  const games = Object.fromEntries(NAMES.map((name) => [name, { stored: null, cut: null }]));
  // Per moment of the kill: saves cut short and kept whole, or lost; and
  // how long from a save's confirmation the page began to store it.
  const outcome = { writing: { kept: 0, lost: 0 }, storing: { kept: 0, lost: 0 }, delays: [] };
  let turn = 0;
  for (let start = 0; start <= kills; ++start) {
    const b = await browser({ profile, tips: false });
    const [page, pid] = [b.page, b.pid()];
    t.after(() => b.close());
    // The page's word that it stores (its root's data-storing), at once.
    let onStoring = null;
    await page.exposeBinding("kvStoring", () => onStoring?.());
    await page.addInitScript(() =>
      new MutationObserver(() => document.documentElement.dataset.storing && window.kvStoring()).observe(document, {
        subtree: true,
        attributes: true,
        attributeFilter: ["data-storing"],
      }),
    );
    await page.goto(address(server.url, { seed: n * 1000 + start, rnd: quietDays(40) }));
    await page.getByRole("dialog", { name: "Добро пожаловать" }).waitFor();
    // Every saved game, loaded and read.
    for (const [k, name] of NAMES.entries()) {
      const g = games[name];
      if (start === 0) break;
      const shown = await load(page, `${name}.ksv`, [g.stored, g.cut].filter((m) => m !== null), k === 0);
      // The journal of the save cut short: its last change of money before
      // the load is the game's. (A journal that is not the game's the load
      // itself says in a box.)
      if (g.cut !== null) {
        ++outcome[g.when][shown === g.cut ? "kept" : "lost"];
        const last = (await readJournal(page)).find((e) => /стало \$-?\d+$/.test(e.text));
        assert.equal(last?.text.replace(/.*стало \$/, ""), String(shown), `the journal of ${name} tells its money`);
      }
      [g.stored, g.cut] = [shown, null];
    }
    if (start === 0) await newGame(page, `Живучий ${n}`);
    if (start % 4 === 0) for (const code of VITALS) await cheat(page, code);
    if (start === kills) {
      assert.deepEqual(b.errors, []);
      await b.close();
      return outcome;
    }
    // The first start writes both games whole; then one or two saves, the
    // last cut short.
    if (start === 0)
      for (const name of NAMES) {
        await cheat(page, "QARVENTOS");
        const m = await money(page);
        const began = new Promise((resolve) => (onStoring = resolve));
        await fileMenu(page, SAVE);
        await answerFileDialog(page, "Сохранение игры", name);
        await within(began, 20000, "the page never said it stored");
        await page.waitForFunction(() => !document.documentElement.dataset.storing);
        games[name].stored = m;
      }
    const saves = 1 + Math.floor(random() * 2);
    for (let i = 0; i < saves; ++i, ++turn) {
      const name = NAMES[turn % NAMES.length];
      const had = await money(page);
      await cheat(page, "QARVENTOS");
      const m = await money(page);
      assert.ok(m >= had + 100, `the cheat's $100: $${had} -> $${m}`);
      // When the page begins to store, in this process's time.
      const began = new Promise((resolve) => (onStoring = () => resolve(Date.now())));
      await saveOver(page, name);
      const confirmed = Date.now();
      if (i < saves - 1) {
        outcome.delays.push((await within(began, 20000, "the page never said it stored")) - confirmed);
        await page.evaluate(() => window.stored);
        games[name] = { stored: m, cut: null };
        continue;
      }
      // By turns: at a random moment from the confirmation to the storing
      // (as long as it took before), or a few milliseconds into the storing.
      const storing = start % 2 === 1;
      let killAt;
      if (storing) {
        killAt = (await within(began, 20000, "the page never said it stored")) + random() * 8;
      } else {
        const d = outcome.delays;
        killAt = confirmed + random() * (d.length ? d.reduce((a, x) => a + x, 0) / d.length : 60);
      }
      while (Date.now() < killAt) await new Promise((r) => setImmediate(r));
      process.kill(pid, "SIGKILL");
      await b.close();
      games[name] = { ...games[name], cut: m, when: storing ? "storing" : "writing" };
    }
  }
}

test(`the browser killed ${KILLS} times in the middle of saves: every saved game whole, with its own journal`, { timeout: 1500000 }, async (t) => {
  const share = (n) => Math.floor(KILLS / LANES) + (n < KILLS % LANES ? 1 : 0);
  const lanes = await Promise.all(Array.from({ length: LANES }, (_, n) => lane(n, share(n), t)));
  const sum = (f) => lanes.reduce((a, o) => a + f(o), 0);
  const delays = lanes.flatMap((o) => o.delays);
  const told = (when) => `${sum((o) => o[when].kept)} stored whole, ${sum((o) => o[when].lost)} left the game before whole`;
  t.diagnostic(
    `seed ${seed}: of the saves cut short while the game wrote them ${told("writing")}; ` +
      `while the page stored them ${told("storing")}; the page began to store ${Math.round(delays.reduce((a, x) => a + x, 0) / delays.length)} ms after a save's confirmation`,
  );
  assert.equal(sum((o) => o.writing.kept + o.writing.lost + o.storing.kept + o.storing.lost), KILLS);
});
