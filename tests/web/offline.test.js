// The installed game: after one visit it starts and plays with the network
// cut (the server gone and the browser offline); a new version of the site
// replaces the kept one whole at the next visit, every file of it, with the
// old version's cache gone and the saved games still there; Chromium finds
// the site installable; the page asks at once for every file the name
// dialog needs (none waits for the file that names it).
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { appendFileSync, cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, utimesSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { test } from "node:test";
import { browser, serve, site } from "./lib.js";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
const NAME = "Введите Ваше имя";
const main = (page) => page.getByRole("region", { name: /Brindlex Kalvitor 1\.6/ });

// The version and the files (with their SHA-256) the build wrote into a
// site's sw.js.
function siteVersion(dir) {
  const text = readFileSync(join(dir, "sw.js"), "utf8");
  const version = text.match(/^const VERSION = "([0-9a-f]+)";$/m)[1];
  const files = JSON.parse(text.match(/^const FILES = (\{[\s\S]*?\});$/m)[1].replace(/,\n\}$/, "\n}"));
  return { version, files };
}

// Waits until the page is kept by the worker of `version`, its cache the
// only one of ours, across the page's own reloads.
async function keptAs(page, version) {
  const deadline = Date.now() + 60000;
  for (;;) {
    const now = await page
      .evaluate(async () => ({ controlled: !!navigator.serviceWorker.controller, caches: await caches.keys() }))
      .catch(() => null);
    if (now?.controlled && now.caches.length === 1 && now.caches[0] === `kalvitor-${version}`) return;
    if (Date.now() > deadline) assert.fail(`not kept as ${version}: ${JSON.stringify(now)}`);
    await page.waitForTimeout(200);
  }
}

// Each of the site's files as the page gets it now (from the worker's
// cache when the network is gone): the paths whose bytes differ from `files`.
async function differing(page, files) {
  return page.evaluate(async (files) => {
    const hex = (b) => [...new Uint8Array(b)].map((x) => x.toString(16).padStart(2, "0")).join("");
    const wrong = [];
    for (const [path, hash] of Object.entries(files)) {
      const response = await fetch(path).catch(() => null);
      const got = response?.ok ? hex(await crypto.subtle.digest("SHA-256", await response.arrayBuffer())) : "none";
      if (got !== hash) wrong.push(path);
    }
    return wrong;
  }, files);
}

async function startGame(page, name) {
  const box = page.getByRole("textbox", { name: NAME });
  await box.fill(name);
  await page.keyboard.press("Enter");
  await main(page).waitFor();
}

async function money(page) {
  const text = await main(page).getByText(/^Бюджет: \$-?\d+$/).textContent();
  return Number(text.replace(/^Бюджет: \$/, ""));
}

test("after one visit the game starts and plays with the network cut", { timeout: 120000 }, async () => {
  // A server of its own, to be gone.
  const server = await serve({ dir: site });
  const b = await browser();
  try {
    const page = b.page;
    await page.goto(server.url);
    await page.evaluate(() => localStorage.setItem("kalvitor.Tips", "0"));
    await page.getByRole("textbox", { name: NAME }).waitFor();
    const { version, files } = siteVersion(site);
    await keptAs(page, version);

    await server.stop();
    await b.context.setOffline(true);
    await page.reload();
    await startGame(page, "Оффлайн");
    await main(page).getByRole("button", { name: "Магазин", exact: true }).click();
    const shop = page.getByRole("dialog", { name: "Магазин" });
    const before = await money(page);
    await shop.getByRole("button", { name: /Просто нормально пожрать/ }).click();
    await page.waitForFunction(
      (was) => [...document.querySelectorAll(".main-window .label")].some((e) => /^Бюджет: /.test(e.textContent) && e.textContent !== `Бюджет: $${was}`),
      before,
    );
    assert.ok((await money(page)) < before);
    assert.deepEqual(await differing(page, files), [], "every file of the site comes from the kept version");
  } finally {
    await b.close();
    await server.stop();
  }
});

test("a new version replaces the kept one whole at the next visit; the saved games stay", { timeout: 180000 }, async () => {
  // Two versions of the site: the second with one file changed and its
  // worker written again by the build's own script.
  const tmp = mkdtempSync(join(tmpdir(), "kalvitor-versions-"));
  const first = join(tmp, "first"), second = join(tmp, "second");
  cpSync(site, first, { recursive: true });
  cpSync(site, second, { recursive: true });
  appendFileSync(join(second, "kalvitor.css"), "\n/* the next version */\n");
  execFileSync("cmake", [`-DSITE=${second}`, `-DSOURCE=${join(root, "src/web/service_worker.js")}`, "-P", join(root, "src/web/site_version.cmake")], { stdio: "ignore" });
  // Put up a minute later, as far as the host's dates (to the second) can tell.
  const later = new Date(Date.now() + 60000);
  for (const f of readdirSync(second, { recursive: true })) utimesSync(join(second, f), later, later);
  const old = siteVersion(first), next = siteVersion(second);
  assert.notEqual(old.version, next.version);
  assert.notEqual(old.files["kalvitor.css"], next.files["kalvitor.css"]);
  assert.equal(old.files["kalvitor.wasm"], next.files["kalvitor.wasm"]);

  let server = await serve({ dir: first });
  const b = await browser();
  try {
    const page = b.page;
    await page.goto(server.url);
    await page.evaluate(() => localStorage.setItem("kalvitor.Tips", "0"));
    await page.reload();
    await keptAs(page, old.version);
    // A saved game, stored in the browser.
    await startGame(page, "Версия");
    await main(page).getByRole("menuitem", { name: "Файл" }).click();
    await page.getByRole("menuitem", { name: /^Сохранить игру/ }).click();
    const dialog = page.getByRole("dialog", { name: /Сохранение/ });
    await dialog.getByRole("textbox").last().fill("version");
    await dialog.getByRole("button", { name: "Сохранить" }).click();
    await dialog.waitFor({ state: "hidden" });
    await page.waitForFunction(() => !document.documentElement.dataset.storing);

    // The next version at the same address; the next visit comes from the
    // kept version, installs the new one whole, and (no game begun yet at
    // the name dialog) starts again in it.
    await server.stop();
    server = await serve({ dir: second, port: server.port });
    await page.goto(server.url);
    await keptAs(page, next.version);
    await page.getByRole("textbox", { name: NAME }).waitFor();
    await server.stop();
    await b.context.setOffline(true);
    assert.deepEqual(await differing(page, next.files), [], "every file of the new version, none of the old");

    // The saved game is still there to load.
    await page.getByRole("dialog", { name: "Добро пожаловать" }).getByRole("button", { name: "Загрузить игру" }).click();
    const load = page.getByRole("dialog", { name: /Загрузка/ });
    const saves = await load.getByRole("listbox").evaluate((l) => [...l.options].map((o) => o.text));
    assert.ok(saves.includes("version.ksv"), `the saved games: ${saves}`);
  } finally {
    await b.close();
    await server.stop();
    rmSync(tmp, { recursive: true, force: true });
  }
});

// A first visit in a browser of its own, up to the name dialog.
async function atNameDialog(play) {
  const server = await serve();
  const b = await browser();
  try {
    await b.page.goto(server.url);
    await b.page.getByRole("textbox", { name: NAME }).waitFor();
    await play(b.page, b);
  } finally {
    await b.close();
    await server.stop();
  }
}

test("Chromium finds the site installable", { timeout: 60000 }, () =>
  atNameDialog(async (page, b) => {
    await keptAs(page, siteVersion(site).version);
    const cdp = await b.context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    assert.deepEqual(installabilityErrors, []);
    const { errors } = await cdp.send("Page.getAppManifest");
    assert.deepEqual(errors, []);
    assert.deepEqual(b.errors, []);
  }),
);

test("the page asks at once for its script and the program the name dialog needs", { timeout: 60000 }, () =>
  atNameDialog(async (page) => {
    // A file asked for only when the file naming it has come is asked for
    // after the page's script has come: none may be.
    const late = await page.evaluate(() => {
      const files = performance.getEntriesByType("resource").filter((e) => /\/(js\/.*\.js|kalvitor\.(js|wasm|data))$/.test(e.name));
      const first = files.find((e) => e.name.endsWith("/js/page.js"));
      return files.filter((e) => e !== first && e.startTime >= first.responseEnd).map((e) => new URL(e.name).pathname);
    });
    assert.deepEqual(late, []);
  }),
);
