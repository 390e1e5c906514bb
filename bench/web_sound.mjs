// What the browser game's music costs, played one way or the other, each
// beside its yardstick in the same run (bench/web_sound.sh makes the sites):
//  - bytes on the wire, as a static host serves them compressed (gzip -9 of
//    each file fetched): before the first window (the name dialog), and in
//    all once a tune has played 20 s and an effect has sounded; beside the
//    same page's bytes that are no sound;
//  - the processor: the whole browser's (every process of it) over 20 s
//    while the tune plays, beside the same page with the music switched off
//    from the Звук menu, in turns.
//   node bench/web_sound.mjs NAME=SITE_FOLDER... [--rounds N] [--seconds S]
import { spawn } from "node:child_process";
import { readFileSync, readdirSync, existsSync } from "node:fs";
import { join, dirname } from "node:path";
import { fileURLToPath } from "node:url";
import { gzipSync } from "node:zlib";
import { browser } from "../tests/web/lib.js";

const root = join(dirname(fileURLToPath(import.meta.url)), "..");
const args = process.argv.slice(2);
const option = (name, fallback) => {
  const i = args.indexOf(name);
  return i >= 0 ? Number(args.splice(i, 2)[1]) : fallback;
};
const rounds = option("--rounds", 2);
const seconds = option("--seconds", 20);
const sites = args.map((a) => a.split("="));
const TICK = 100; // clock ticks per second in /proc/PID/stat

async function serve(folder) {
  const port = 18000 + Math.floor(Math.random() * 2000);
  const server = spawn("python3", [join(root, "scripts", "web_serve.py"), folder, String(port)], {
    stdio: ["ignore", "pipe", "inherit"],
  });
  await new Promise((resolve, reject) => {
    server.stdout.once("data", resolve);
    server.once("exit", (code) => reject(new Error(`the server ended (${code})`)));
  });
  return { url: `http://127.0.0.1:${port}/`, stop: () => server.kill() };
}

// Processor time (clock ticks) of every process below this one: the browser
// and all its helpers.
function browserTicks() {
  const parent = new Map(), ticks = new Map();
  for (const pid of readdirSync("/proc").filter((p) => /^\d+$/.test(p))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, "latin1");
      const f = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
      parent.set(pid, f[1]);
      ticks.set(pid, Number(f[11]) + Number(f[12]));
    } catch {
      // ended meanwhile
    }
  }
  const mine = (pid) => {
    for (let p = pid; p && p !== "1" && p !== "0"; p = parent.get(p)) if (p === String(process.pid)) return true;
    return false;
  };
  const out = new Map();
  for (const [pid, t] of ticks) if (pid !== String(process.pid) && mine(pid) && !isPython(pid)) out.set(pid, t);
  return out;
}
function isPython(pid) {
  try {
    return readFileSync(`/proc/${pid}/comm`, "latin1").startsWith("python");
  } catch {
    return false;
  }
}

// Percent of one core the browser used over the next `s` seconds.
async function cpuOver(s) {
  const first = browserTicks();
  await new Promise((r) => setTimeout(r, s * 1000));
  let used = 0;
  for (const [pid, t] of browserTicks()) used += t - (first.get(pid) ?? 0);
  return (100 * used) / TICK / s;
}

const gzipped = new Map();
function wireBytes(folder, url) {
  const path = decodeURIComponent(new URL(url).pathname).replace(/^\/$/, "/index.html");
  const file = join(folder, path);
  if (!gzipped.has(file)) gzipped.set(file, existsSync(file) ? gzipSync(readFileSync(file), { level: 9 }).length : 0);
  return gzipped.get(file);
}
const isSound = (url) => /\/(music|sfx|synth)\//.test(new URL(url).pathname);

async function menu(page, item) {
  await page.getByRole("menuitem", { name: "Звук" }).click();
  await page.getByRole("menuitem", { name: item }).click();
}

async function measure(name, folder) {
  const server = await serve(folder);
  const b = await browser();
  const { page } = b;
  const fetched = [];
  let beforeDialog = null;
  page.on("requestfinished", (r) => fetched.push(r.url()));
  // The same chance and the same computer clock: the same first tune both ways.
  await page.goto(`${server.url}?seed=7&now=2026-12-07T12:00:00`);
  const nameBox = page.getByRole("textbox", { name: "Введите Ваше имя" });
  await nameBox.waitFor();
  beforeDialog = [...fetched];
  await nameBox.fill("Вася");
  await page.getByRole("dialog", { name: "Добро пожаловать" }).getByRole("button", { name: "OK" }).click();
  const tips = page.getByRole("dialog", { name: "Советы новичку" });
  await tips.waitFor();
  await tips.getByRole("button", { name: "Закрыть", exact: true }).last().click();
  await page.waitForFunction(() => document.documentElement.dataset.music === "playing", null, { timeout: 60000 });
  // An effect: the shop opened and left.
  await page.getByRole("button", { name: "Магазин" }).click();
  await page.getByRole("dialog", { name: "Магазин" }).waitFor();
  await page.keyboard.press("Escape");

  const on = [], off = [];
  for (let i = 0; i < rounds; ++i) {
    on.push(await cpuOver(seconds));
    await menu(page, "Музыка");
    await page.waitForFunction(() => document.documentElement.dataset.music === "stopped");
    off.push(await cpuOver(seconds));
    await menu(page, "Музыка");
    await page.waitForFunction(() => document.documentElement.dataset.music === "playing", null, { timeout: 60000 });
  }
  const sum = (urls, pick) => urls.filter(pick).reduce((n, u) => n + wireBytes(folder, u), 0);
  const all = [...fetched];
  const median = (v) => [...v].sort((x, y) => x - y)[Math.floor(v.length / 2)];
  const kb = (n) => (n / 1024).toFixed(0);
  console.log(
    `${name}: before_dialog_kb=${kb(sum(beforeDialog, () => true))} (sound ${kb(sum(beforeDialog, isSound))})` +
      ` in_all_kb=${kb(sum(all, () => true))} sound_kb=${kb(sum(all, isSound))} game_kb=${kb(sum(all, (u) => !isSound(u)))}` +
      ` cpu_music_on=${median(on).toFixed(1)}% cpu_music_off=${median(off).toFixed(1)}%` +
      ` ratio=${(median(on) / median(off)).toFixed(2)} effects=${await page.evaluate(() => document.documentElement.dataset.effectsPlayed)}` +
      ` track=${await page.evaluate(() => document.documentElement.dataset.musicTrack)}` +
      ` rounds=${rounds}x${seconds}s [on ${on.map((v) => v.toFixed(1)).join(" ")} | off ${off.map((v) => v.toFixed(1)).join(" ")}]`,
  );
  if (b.errors.length) console.log(`${name}: page errors: ${b.errors.join(" | ")}`);
  await b.close();
  server.stop();
}

for (const [name, folder] of sites) await measure(name, folder);
