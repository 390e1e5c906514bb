// Games for the tests: one begun in the page, the save/load dialog and its
// page buttons, and games played and saved by the driver
// (build/check/src/headless/kalvitor-headless, as scripts/test.sh builds it).
import { spawnSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { mainLabels, mainWindow } from "./lib.js";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
export const driverPath =
  process.env.KALVITOR_DRIVER || join(root, "build", "check", "src", "headless", "kalvitor-headless");

// The main window and its labels, as every test reads them.
export { mainLabels, mainWindow };

// A new game named `name` at the address's seed and clock, without the tips.
export async function newGame(page, url, name) {
  await page.goto(url);
  await page.evaluate(() => localStorage.setItem("kalvitor.Tips", "0"));
  await page.reload();
  await page.getByRole("textbox", { name: "Введите Ваше имя" }).fill(name);
  await page.keyboard.press("Enter");
  await mainWindow(page).waitFor();
}

// The save/load dialog, its list of games and its page buttons.
export function saveLoadDialog(page) {
  const dialog = page.getByRole("dialog", { name: /^(Загрузка игры|Сохранение игры)$/ });
  return {
    dialog,
    list: dialog.getByRole("listbox"),
    names: () => dialog.getByRole("listbox").evaluate((l) => [...l.options].map((o) => o.textContent)),
    // Waits until the list holds `count` games.
    listed: (count) =>
      dialog.getByRole("listbox").evaluate(
        (l, n) =>
          new Promise((resolve) => {
            const check = () => (l.options.length === n ? resolve() : setTimeout(check, 50));
            check();
          }),
        count,
      ),
    download: dialog.getByRole("button", { name: "Скачать" }),
    open: dialog.getByRole("button", { name: "Открыть файл…" }),
  };
}

// Picks files with the page's "Открыть файл…", as the player would.
export async function openFiles(page, paths) {
  const { open } = saveLoadDialog(page);
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"), open.click()]);
  await chooser.setFiles(paths);
}

// The files "Скачать" hands over: { name: Buffer }.
export async function downloadSelected(page, count) {
  const { download } = saveLoadDialog(page);
  const files = {};
  const got = new Promise((resolve) => {
    page.on("download", async function take(d) {
      files[d.suggestedFilename()] = readFileSync(await d.path());
      if (Object.keys(files).length === count) {
        page.off("download", take);
        resolve(files);
      }
    });
  });
  await download.click();
  return got;
}

// The driver plays `script` in a folder of its own (06.12.2026 00:01, seed 5
// unless told otherwise): its output, its saved games and the folder.
export function runDriver(script, { now = "06.12.2026 00:01:00", seed = 5 } = {}) {
  const dir = mkdtempSync(join(tmpdir(), "kalvitor-driver-"));
  const scriptDir = mkdtempSync(join(tmpdir(), "kalvitor-script-"));
  const scriptFile = join(scriptDir, "script.txt");
  writeFileSync(scriptFile, script);
  const run = spawnSync(driverPath, ["--dir", dir, "--now", now, "--seed", String(seed), scriptFile], {
    encoding: "utf8",
  });
  rmSync(scriptDir, { recursive: true, force: true });
  if (run.error) throw new Error(`no driver at ${driverPath} (scripts/web_test.sh builds it; KALVITOR_DRIVER names another)`);
  if (run.status !== 0) throw new Error(`the driver ended with ${run.status}: ${run.stdout}${run.stderr}`);
  return {
    dir,
    out: run.stdout,
    saved: (name) => join(dir, "Save", name),
    bytes: (name) => readFileSync(join(dir, "Save", name)),
    remove: () => rmSync(dir, { recursive: true, force: true }),
  };
}
