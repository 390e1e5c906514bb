// What the browser game's music costs, played one way or the other, each
// beside its yardstick in the same run (bench/web_sound.sh makes the sites):
//  - bytes on the wire, as a static host serves them compressed (gzip -9 of
//    each file fetched): before the first window (the name dialog), and in
//    all once the first tune plays and the shop's effects have sounded
//    (music, effects, and beside them the game's own bytes); all four tunes
//    as the site serves them;
//  - the processor: the whole browser's (every process of it) over 20 s
//    while the game runs with a tune playing, beside the same game with the
//    music switched off in its settings, in turns, each in a new browser.
//   node bench/web_sound.mjs NAME=SITE_FOLDER... [--rounds N] [--seconds S]
import { spawn } from "node:child_process";
import { existsSync, readFileSync, readdirSync, writeFileSync } from "node:fs";
import { join, dirname } from "node:path";
import { fileURLToPath } from "node:url";
import { gzipSync } from "node:zlib";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { chromium } from "../tests/web/node_modules/playwright-core/index.mjs";

const root = join(dirname(fileURLToPath(import.meta.url)), "..");
const args = process.argv.slice(2);
const option = (name, fallback) => {
  const i = args.indexOf(name);
  return i >= 0 ? Number(args.splice(i, 2)[1]) : fallback;
};
const rounds = option("--rounds", 3);
const seconds = option("--seconds", 20);
const sites = args.map((a) => a.split("="));
const TICK = 100; // clock ticks per second in /proc/PID/stat

// The tests' browser (tests/web/lib.js), but heard: Playwright mutes it.
async function browser() {
  const profile = mkdtempSync(join(tmpdir(), "kalvitor-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.KALVITOR_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    viewport: { width: 1000, height: 720 },
    ignoreDefaultArgs: ["--mute-audio"],
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
      "--disable-sync", "--no-first-run"],
  });
  const page = context.pages()[0] ?? (await context.newPage());
  const errors = [];
  page.on("pageerror", (e) => errors.push(String(e)));
  return {
    page,
    errors,
    close: async () => {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// The site, every path it serves written down (the audio worklet's fetches
// are no page's requests).
async function serve(folder) {
  const port = 18000 + Math.floor(Math.random() * 2000);
  const log = join(mkdtempSync(join(tmpdir(), "kalvitor-served-")), "paths");
  writeFileSync(log, "");
  const server = spawn("python3", [join(root, "scripts", "web_serve.py"), folder, String(port)], {
    stdio: ["ignore", "pipe", "inherit"],
    env: { ...process.env, KALVITOR_SERVE_LOG: log },
  });
  await new Promise((resolve, reject) => {
    server.stdout.once("data", resolve);
    server.once("exit", (code) => reject(new Error(`the server ended (${code})`)));
  });
  const served = () => readFileSync(log, "utf8").split("\n").filter(Boolean);
  return { url: `http://127.0.0.1:${port}/`, served, stop: () => server.kill() };
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
function wireBytes(folder, served) {
  const path = decodeURIComponent(new URL(served, "http://site/").pathname).replace(/^\/$/, "/index.html");
  const file = join(folder, path);
  if (!gzipped.has(file)) gzipped.set(file, existsSync(file) ? gzipSync(readFileSync(file), { level: 9 }).length : 0);
  return gzipped.get(file);
}
const isMusic = (path) => /^\/(music|synth)\//.test(path);
const isEffect = (path) => /^\/sfx\//.test(path);
const isSound = (url) => isMusic(url) || isEffect(url);

// Every tune as the site serves it, compressed: what a player who hears
// them all fetches.
function tunesBytes(folder) {
  const files = readdirSync(join(folder, "music"));
  const engine = existsSync(join(folder, "synth")) ? readdirSync(join(folder, "synth")).map((f) => `synth/${f}`) : [];
  return [...files.map((f) => `/music/${f}`), ...engine.map((f) => `/${f}`)].reduce((n, f) => n + wireBytes(folder, f), 0);
}

// One game in a new browser, the music switched on or off in the settings
// before it starts; then `seconds` of the processor while the game runs.
async function session(server, folder, musicOn) {
  const b = await browser();
  try {
    const { page } = b;
    const already = server.served().length;
    const fetched = () => server.served().slice(already);
    // The same chance and the same computer clock: the same first tune both ways.
    await page.goto(`${server.url}?seed=7&now=2026-12-07T12:00:00`);
    const nameBox = page.getByRole("textbox", { name: "Введите Ваше имя" });
    await nameBox.waitFor();
    const beforeDialog = fetched();
    await page.evaluate((on) => localStorage.setItem("kalvitor.Music", on ? "1" : "0"), musicOn);
    await nameBox.fill("Вася");
    await page.getByRole("dialog", { name: "Добро пожаловать" }).getByRole("button", { name: "OK" }).click();
    const tips = page.getByRole("dialog", { name: "Советы новичку" });
    await tips.waitFor();
    await tips.getByRole("button", { name: "Закрыть", exact: true }).last().click();
    // The tips paused the game.
    await page.locator(".client .label", { hasText: /^Пауза$/ }).first().waitFor();
    await page.keyboard.press("p");
    await page.locator(".client .label", { hasText: /^Пауза$/ }).waitFor({ state: "hidden" });
    const music = musicOn ? "playing" : "stopped";
    await page.waitForFunction((m) => document.documentElement.dataset.music === m, music, { timeout: 60000 });
    // Effects: the shop opened and left.
    await page.getByRole("button", { name: "Магазин" }).click();
    await page.getByRole("dialog", { name: "Магазин" }).waitFor();
    await page.keyboard.press("Escape");
    await page.getByRole("dialog", { name: "Магазин" }).waitFor({ state: "hidden" });
    const firstTune = fetched();
    const cpu = await cpuOver(seconds);
    const tune = await page.evaluate(() => document.documentElement.dataset.musicTrack);
    if (b.errors.length) console.log(`page errors: ${b.errors.join(" | ")}`);
    return { beforeDialog, firstTune, cpu, tune };
  } finally {
    await b.close();
  }
}

const sum = (folder, urls, pick) => urls.filter(pick).reduce((n, u) => n + wireBytes(folder, u), 0);
const median = (v) => [...v].sort((x, y) => x - y)[Math.floor(v.length / 2)];
const kb = (n) => (n / 1024).toFixed(0);

// Rounds in turns: each way with the music on, then off.
const results = sites.map(() => ({ on: [], off: [], last: null }));
const servers = await Promise.all(sites.map(([, folder]) => serve(folder)));
try {
  for (let i = 0; i < rounds; ++i)
    for (const [k, [, folder]] of sites.entries()) {
      const on = await session(servers[k], folder, true);
      results[k].on.push(on.cpu);
      results[k].last = on;
      results[k].off.push((await session(servers[k], folder, false)).cpu);
    }
} finally {
  for (const s of servers) s.stop();
}
for (const [k, [name, folder]] of sites.entries()) {
  const { on, off, last } = results[k];
  console.log(
    `${name}: before_dialog_kb=${kb(sum(folder, last.beforeDialog, () => true))}` +
      ` (sound ${kb(sum(folder, last.beforeDialog, isSound))})` +
      ` first_tune_kb=${kb(sum(folder, last.firstTune, isMusic))} effects_kb=${kb(sum(folder, last.firstTune, isEffect))}` +
      ` game_kb=${kb(sum(folder, last.firstTune, (u) => !isSound(u)))} all_tunes_kb=${kb(tunesBytes(folder))}` +
      ` cpu_music_on=${median(on).toFixed(1)}% cpu_music_off=${median(off).toFixed(1)}%` +
      ` ratio=${(median(on) / median(off)).toFixed(2)} tune=${last.tune}` +
      ` rounds=${rounds}x${seconds}s [on ${on.map((v) => v.toFixed(1)).join(" ")} | off ${off.map((v) => v.toFixed(1)).join(" ")}]`,
  );
}
