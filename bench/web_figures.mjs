// The browser game's figures, each printed beside a yardstick that this
// script builds and measures in the same browser (Debian's Chromium,
// headless), in turns with the game, as medians of several rounds:
//
//   start   navigation to the name dialog ready for typing (its text box has
//           the keyboard), in a new browser context each round (no cache),
//           beside a bare page that instantiates a WebAssembly module of the
//           game's byte size and shows one dialog with a text box (its bytes
//           a custom section: nothing to compile), and beside one that
//           compiles and instantiates the game's own module, not running it;
//   bytes   what was transferred before that moment, as a static host
//           compresses it (gzip -9 for text, JavaScript and WebAssembly;
//           pictures, sounds and the game's data as they are), by kind;
//   cpu     the renderer's main-thread time while the clock ticks (music
//           and effects off), beside a bare page that changes one label
//           four times a second;
//   memory  the JavaScript heap and the program's memory after each of ten
//           game years at the fastest speed (the program's time warped by
//           the page's address, ?warp=N), beside the bare page's heap.
//
// --before DIR measures an earlier build of the site (served at /before/)
// in the same rounds, for the start and the processor.
//
//   node bench/web_figures.mjs [--rounds N] [--only start|bytes|cpu|memory] [--years N] [--seconds N] [--before DIR]
import { createRequire } from "node:module";
import { mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import http from "node:http";
import { tmpdir } from "node:os";
import { extname, join, dirname, normalize } from "node:path";
import { fileURLToPath } from "node:url";
import { gzipSync } from "node:zlib";

const root = join(dirname(fileURLToPath(import.meta.url)), "..");
const { chromium } = createRequire(join(root, "tests", "web", "package.json"))("playwright-core");
const site = process.env.KALVITOR_SITE || join(root, "build", "web", "site");

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const i = args.indexOf(`--${name}`);
  return i >= 0 ? args[i + 1] : fallback;
};
const rounds = Number(option("rounds", 5));
const only = option("only", "");
const years = Number(option("years", 10));
const seconds = Number(option("seconds", 20));
const before = option("before", "");
const wanted = (figure) => !only || only === figure || (only === "start" && figure === "bytes");

// --- The yardsticks: a folder of bare pages

const NAME_BOX = "Введите Ваше имя";

// A valid module of exactly `size` bytes: the header and one custom section
// whose payload is the game's own bytes, so that it compresses alike; a
// custom section is not compiled, so instantiating it costs next to nothing.
function dummyWasm(game) {
  const name = Buffer.from("pad");
  const leb = (n) => {
    const out = [];
    do {
      let b = n & 0x7f;
      n >>>= 7;
      if (n) b |= 0x80;
      out.push(b);
    } while (n);
    return Buffer.from(out);
  };
  for (let payload = game.length - 8 - 1 - name.length - 1; payload > 0; --payload) {
    const body = 1 + name.length + payload;
    const total = 8 + 1 + leb(body).length + body;
    if (total === game.length)
      return Buffer.concat([
        Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0, 0]),
        leb(body),
        Buffer.from([name.length]),
        name,
        game.subarray(8, 8 + payload),
      ]);
  }
  throw new Error("no module of that size");
}

function bareSite() {
  const dir = mkdtempSync(join(tmpdir(), "kalvitor-bare-"));
  writeFileSync(join(dir, "bare.wasm"), dummyWasm(readFileSync(join(site, "kalvitor.wasm"))));
  writeFileSync(
    join(dir, "dialog.html"),
    `<!DOCTYPE html><html lang="ru"><head><meta charset="utf-8"><title>Диалог</title></head><body>
<script type="module">
await WebAssembly.instantiateStreaming(fetch("bare.wasm"), {});
const d = document.createElement("dialog");
d.innerHTML = '<p>${NAME_BOX}</p><input type="text" aria-label="${NAME_BOX}"><button>OK</button>';
document.body.append(d);
d.show();
d.querySelector("input").focus();
</script></body></html>`,
  );
  // The second yardstick: the game's own module, compiled as it downloads
  // and instantiated with do-nothing imports, but never run.
  writeFileSync(join(dir, "game.wasm"), readFileSync(join(site, "kalvitor.wasm")));
  writeFileSync(
    join(dir, "dialog-code.html"),
    `<!DOCTYPE html><html lang="ru"><head><meta charset="utf-8"><title>Диалог</title></head><body>
<script type="module">
const module = await WebAssembly.compileStreaming(fetch("game.wasm"));
const imports = {};
for (const i of WebAssembly.Module.imports(module)) (imports[i.module] ??= {})[i.name] = () => 0;
await WebAssembly.instantiate(module, imports);
const d = document.createElement("dialog");
d.innerHTML = '<p>${NAME_BOX}</p><input type="text" aria-label="${NAME_BOX}"><button>OK</button>';
document.body.append(d);
d.show();
d.querySelector("input").focus();
</script></body></html>`,
  );
  writeFileSync(
    join(dir, "label.html"),
    `<!DOCTYPE html><html lang="ru"><head><meta charset="utf-8"><title>Часы</title></head><body>
<p id="clock">0</p>
<script>let n = 0; setInterval(() => { document.getElementById("clock").textContent = "Тик " + ++n; }, 250);</script>
</body></html>`,
  );
  return dir;
}

// --- A static host: the site at /, the yardsticks at /bare/, compressed as
// hosts do (gzip for text, JavaScript and WebAssembly, by the type).

const TYPES = {
  ".html": ["text/html; charset=utf-8", true],
  ".css": ["text/css", true],
  ".js": ["text/javascript", true],
  ".mjs": ["text/javascript", true],
  ".json": ["application/json", true],
  ".webmanifest": ["application/manifest+json", true],
  ".svg": ["image/svg+xml", true],
  ".txt": ["text/plain; charset=utf-8", true],
  ".wasm": ["application/wasm", true],
  ".data": ["application/octet-stream", false],
  ".jpg": ["image/jpeg", false],
  ".png": ["image/png", false],
  ".wav": ["audio/wav", false],
  ".opus": ["audio/ogg", false],
};

function host(roots) {
  const packed = new Map();
  const server = http.createServer((req, res) => {
    const path = decodeURIComponent(new URL(req.url, "http://x").pathname);
    const [prefix, dir] = Object.entries(roots).find(([p]) => path.startsWith(p));
    let file = normalize(join(dir, path.slice(prefix.length)));
    if (!file.startsWith(dir)) return res.writeHead(403).end();
    try {
      if (statSync(file).isDirectory()) file = join(file, "index.html");
    } catch {
      return res.writeHead(404).end();
    }
    const [type, compress] = TYPES[extname(file)] || ["application/octet-stream", false];
    const key = `${file}:${statSync(file).mtimeMs}`;
    if (!packed.has(key)) {
      const body = readFileSync(file);
      packed.set(key, { body, gz: compress ? gzipSync(body, { level: 9 }) : null });
    }
    const { body, gz } = packed.get(key);
    const zip = gz && /\bgzip\b/.test(req.headers["accept-encoding"] || "");
    res.writeHead(200, {
      "Content-Type": type,
      "Content-Length": (zip ? gz : body).length,
      "Cache-Control": "no-cache",
      ...(zip ? { "Content-Encoding": "gzip", Vary: "Accept-Encoding" } : {}),
    });
    res.end(req.method === "HEAD" ? undefined : zip ? gz : body);
  });
  return new Promise((resolve) =>
    server.listen(0, "127.0.0.1", () => resolve({ url: `http://127.0.0.1:${server.address().port}/`, server })),
  );
}

// --- Measuring

const median = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];
const mb = (bytes) => (bytes / 1048576).toFixed(1);
const kb = (bytes) => (bytes / 1024).toFixed(0);
const viewport = { width: 1000, height: 720 };
const settings = () => {
  // Music, effects and the tips for a new player off, as a quiet game.
  for (const [k, v] of [["Tips", "0"], ["Music", "0"], ["Effects", "0"]]) localStorage.setItem(`kalvitor.${k}`, v);
};

// The processor seconds each of the browser's page processes (renderers)
// has used so far, by its id: unlike the time, hardly changed by other work
// on a busy machine. `since` gives the seconds used since an earlier
// reading by the processes alive now (a closed page's process going away
// meanwhile does not count).
let browserSession = null;
async function rendererCpu(browser) {
  browserSession ??= await browser.newBrowserCDPSession();
  const { processInfo } = await browserSession.send("SystemInfo.getProcessInfo");
  return new Map(processInfo.filter((p) => p.type === "renderer").map((p) => [p.id, p.cpuTime]));
}
const since = (now, then) => [...now].reduce((sum, [id, t]) => sum + t - (then.get(id) ?? 0), 0);

// Milliseconds from navigation to the name box having the keyboard, the
// page processes' processor milliseconds meanwhile, and what was
// transferred by then.
async function coldStart(browser, url) {
  // The game's worker comes after the dialog; its install is no part of the start.
  const context = await browser.newContext({ viewport, serviceWorkers: "block" });
  await context.addInitScript((name) => {
    document.addEventListener(
      "focusin",
      (e) => {
        if (window.readyAt === undefined && e.target.matches?.(`input[aria-label="${name}"]`))
          window.readyAt = performance.now();
      },
      true,
    );
  }, NAME_BOX);
  const page = await context.newPage();
  await page.waitForTimeout(200);
  const cpu0 = await rendererCpu(browser);
  await page.goto(url, { waitUntil: "commit" });
  await page.waitForFunction(() => window.readyAt !== undefined, null, { timeout: 120000, polling: 50 });
  const cpu = since(await rendererCpu(browser), cpu0);
  const r = await page.evaluate(() => {
    const entries = [...performance.getEntriesByType("navigation"), ...performance.getEntriesByType("resource")];
    return {
      ms: window.readyAt,
      files: entries
        .filter((e) => e.startTime <= window.readyAt)
        .map((e) => ({ path: new URL(e.name).pathname, bytes: e.encodedBodySize, end: e.responseEnd })),
    };
  });
  await context.close();
  return { ...r, cpu: cpu * 1000 };
}

const KINDS = [
  ["wasm", /\.wasm$/],
  ["js", /\.m?js$/],
  ["data", /\.data$/],
  ["pictures", /\.(jpg|png|svg)$/],
  ["sound", /\.(wav|opus)$/],
  ["css", /\.css$/],
  ["html", /(\.html|\/)$/],
  ["other", /./],
];

// Each round visits the bare page, the game (and the earlier build) one
// after the other; the ratio is taken round by round, then its median.
const pairedRatio = (a, b) => median(a.map((v, i) => v / b[i]));

async function startFigures(browser, server) {
  const game = [], bare = [], code = [], earlier = [];
  let files = [];
  for (let i = 0; i < rounds; ++i) {
    bare.push(await coldStart(browser, `${server.url}bare/dialog.html`));
    code.push(await coldStart(browser, `${server.url}bare/dialog-code.html`));
    const r = await coldStart(browser, server.url);
    game.push(r);
    files = r.files;
    if (before) earlier.push(await coldStart(browser, `${server.url}before/`));
  }
  const list = (v, k) => v.map((x) => x[k].toFixed(0)).join(" ");
  const figures = (v, y, k) => `${median(v.map((r) => r[k])).toFixed(0)} ms, ratio ${pairedRatio(v.map((r) => r[k]), y.map((r) => r[k])).toFixed(2)}`;
  console.log(`start: name dialog ready ${figures(game, bare, "ms")} to the bare page with a module of the same size ` +
    `(${median(bare.map((r) => r.ms)).toFixed(0)} ms; goal <= 1.5; median of ${rounds} cold visits side by side) ` +
    `[game ${list(game, "ms")}; bare ${list(bare, "ms")}]`);
  console.log(`start: name dialog ready ${figures(game, code, "ms")} to the bare page that compiles and instantiates the ` +
    `game's own module without running it (${median(code.map((r) => r.ms)).toFixed(0)} ms; goal <= 1.5) [code ${list(code, "ms")}]`);
  console.log(`start: the page processes' processor time meanwhile ${figures(game, bare, "cpu")} to the bare page's ` +
    `(${median(bare.map((r) => r.cpu)).toFixed(0)} ms) [game ${list(game, "cpu")}; bare ${list(bare, "cpu")}]`);
  if (before)
    for (const k of ["ms", "cpu"])
      console.log(`start: the earlier build ${k === "ms" ? "ready" : "processor"} ${figures(earlier, bare, k)} to the bare page, ` +
        `this build to the earlier ${pairedRatio(game.map((r) => r[k]), earlier.map((r) => r[k])).toFixed(2)} [${list(earlier, k)}]`);
  const byKind = new Map();
  for (const f of files) {
    const kind = KINDS.find(([, re]) => re.test(f.path))[0];
    byKind.set(kind, (byKind.get(kind) || 0) + f.bytes);
  }
  const total = files.reduce((s, f) => s + f.bytes, 0);
  console.log(`bytes: ${kb(total)} KB transferred before the name dialog, compressed as a host does (goal <= 2048 KB), ` +
    `${files.length} files: ${[...byKind].map(([k, v]) => `${k} ${kb(v)} KB`).join(", ")}`);
  const last = [...files].sort((a, b) => a.end - b.end).map((f) => `${f.path} ${f.end.toFixed(0)}`).join(", ");
  console.log(`bytes: each file's arrival (ms): ${last}`);
}

async function metrics(cdp) {
  const { metrics: list } = await cdp.send("Performance.getMetrics");
  return Object.fromEntries(list.map((m) => [m.name, m.value]));
}

// Main-thread seconds spent per wall second over the measured stretch.
async function cpuOf(browser, url, prepare) {
  const context = await browser.newContext({ viewport, serviceWorkers: "block" });
  await context.addInitScript(settings);
  const page = await context.newPage();
  await page.goto(url);
  await prepare(page);
  const cdp = await context.newCDPSession(page);
  await cdp.send("Performance.enable");
  await page.waitForTimeout(2000);
  const a = await metrics(cdp);
  const cpu0 = await rendererCpu(browser);
  await page.waitForTimeout(seconds * 1000);
  const b = await metrics(cdp);
  const cpu = since(await rendererCpu(browser), cpu0);
  await context.close();
  const wall = b.Timestamp - a.Timestamp;
  const share = (name) => (b[name] - a[name]) / wall;
  return {
    task: share("TaskDuration"),
    script: share("ScriptDuration"),
    layout: share("LayoutDuration"),
    style: share("RecalcStyleDuration"),
    process: cpu / wall,
  };
}

async function startGame(page, name = "Вася") {
  const box = page.getByRole("textbox", { name: NAME_BOX });
  await box.waitFor({ timeout: 120000 });
  await box.fill(name);
  await page.keyboard.press("Enter");
  await page.getByRole("region", { name: /Brindlex Kalvitor/ }).waitFor();
}

async function cpuFigures(browser, server) {
  const game = [], bare = [], earlier = [];
  const pct = (v) => `${(v * 100).toFixed(2)}%`;
  const query = "?seed=7&now=2026-03-02T10:00:00";
  for (let i = 0; i < Math.max(1, Math.min(rounds, 3)); ++i) {
    bare.push(await cpuOf(browser, `${server.url}bare/label.html`, async () => {}));
    game.push(await cpuOf(browser, `${server.url}${query}`, (p) => startGame(p)));
    if (before) earlier.push(await cpuOf(browser, `${server.url}before/${query}`, (p) => startGame(p)));
  }
  const task = (list) => list.map((r) => r.task);
  const part = (list) => ["script", "layout", "style"].map((k) => `${k} ${pct(median(list.map((r) => r[k])))}`).join(", ");
  console.log(`cpu: main thread busy ${pct(median(task(game)))} of the time while the clock ticks, bare label page ` +
    `${pct(median(task(bare)))}, ratio ${pairedRatio(task(game), task(bare)).toFixed(2)} (goal <= 1.5; median of ${game.length} ` +
    `runs of ${seconds} s side by side) [game: ${part(game)}; bare: ${part(bare)}]`);
  const proc = (list) => list.map((r) => r.process);
  console.log(`cpu: the page's whole process ${pct(median(proc(game)))} of a processor, the bare page's ${pct(median(proc(bare)))}, ` +
    `ratio ${pairedRatio(proc(game), proc(bare)).toFixed(2)}`);
  if (before)
    console.log(`cpu: the earlier build ${pct(median(task(earlier)))} (its process ${pct(median(proc(earlier)))}), ratio to the bare page ` +
      `${pairedRatio(task(earlier), task(bare)).toFixed(2)} (process ${pairedRatio(proc(earlier), proc(bare)).toFixed(2)}), ` +
      `this build to the earlier ${pairedRatio(task(game), task(earlier)).toFixed(2)} (process ${pairedRatio(proc(game), proc(earlier)).toFixed(2)}) [${part(earlier)}]`);
}

// The game lives `years` game years at the fastest speed with its time
// warped, one life all along as far as the cheat box can keep it: each game
// day it feeds, heals, cheers or pays the player who needs it (the game's
// own codes). Boxes are answered with
// their default button; should a life end all the same, a new game begins
// (the lives are counted). Game days are counted from the main window's
// clock, across lives.
const WARP = 1000;
function pageHelper() {
  // The code, the value it raises, and below what the player needs it.
  const CODES = [["BALNOSH", "Сытость", 50], ["MELKIR", "Здоровье", 70], ["TRUVO", "Настроение", 40], ["QARVENTOS", "Бюджет", 100]];
  const value = (caption) => {
    const text = [...main().querySelectorAll(".label")].map((e) => e.textContent).find((t) => t.startsWith(`${caption}: `));
    return Number((text || "").replace(/[^-0-9]/g, "") || 0);
  };
  window.gameDays = 0;
  window.lives = 1;
  let lastDate = "";
  let answered = 0;
  let asked = 0;
  let owed = [];
  const main = () => document.querySelector(".main-window");
  setInterval(() => {
    const box = document.querySelector(".frame[role=alertdialog]:not([inert]) .box-buttons button.default");
    if (box) box.click();
    const name = document.querySelector('input[aria-label="Введите Ваше имя"]');
    if (name && !name.closest("[inert]") && name.offsetParent) {
      // One new life per dialog, however long it takes to go.
      if (performance.now() - answered > 1000) ++window.lives;
      answered = performance.now();
      name.value = "Вася";
      name.dispatchEvent(new Event("input"));
      name.closest(".frame").querySelector("button.default")?.click();
      return;
    }
    // "2 марта 2026 / 12:00": the date before the slash.
    const time = main()?.querySelector('[data-name="lblTime"]')?.textContent || "";
    const date = time.split(" / ")[0];
    if (date && date !== lastDate) {
      if (lastDate) ++window.gameDays;
      lastDate = date;
      owed = CODES.filter(([, caption, least]) => value(caption) < least).map(([code]) => code);
    }
    if (!owed.length || !main() || main().inert) return;
    const cheat = main().querySelector('[data-name="txtCheat"]');
    if (cheat && !cheat.hidden && !cheat.disabled) {
      if (cheat.value !== owed[0]) {
        cheat.value = owed[0];
        cheat.dispatchEvent(new Event("input"));
      } else {
        main().querySelector('[data-name="cmdCheatOk"]').click();
        owed.shift();
      }
    } else if (performance.now() - asked > 100) {
      asked = performance.now();
      document.dispatchEvent(new KeyboardEvent("keydown", { key: "c", bubbles: true }));
    }
  }, 5);
}

async function memorySample(page, cdp) {
  await cdp.send("HeapProfiler.collectGarbage");
  const m = await metrics(cdp);
  const [wasm, lives] = await page.evaluate(() => [window.Module?.HEAP8?.buffer.byteLength ?? 0, window.lives]);
  return { js: m.JSHeapUsedSize, wasm, nodes: m.Nodes, listeners: m.JSEventListeners, lives };
}

async function memoryFigures(browser, server) {
  const context = await browser.newContext({ viewport, serviceWorkers: "block" });
  await context.addInitScript(settings);
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send("Performance.enable");
  await page.goto(`${server.url}?seed=7&now=2026-03-02T10:00:00&warp=${WARP}`);
  await startGame(page);
  const main = page.getByRole("region", { name: /Brindlex Kalvitor/ });
  await page.evaluate(pageHelper);
  // The fastest speed, once no box of the warped first days is in the way.
  for (let tries = 0; ; ++tries) {
    try {
      await main.getByRole("menuitem", { name: "Скорость игры" }).click({ timeout: 2000 });
      await page.getByRole("menuitem", { name: "Быстрый" }).click({ timeout: 2000 });
      break;
    } catch (e) {
      if (tries === 20) throw e;
      await page.keyboard.press("Escape");
    }
  }
  const samples = [await memorySample(page, cdp)];
  const t0 = Date.now();
  for (let year = 1; year <= years; ++year) {
    await page.waitForFunction((days) => window.gameDays >= days, year * 365, { timeout: 3600000, polling: 500 });
    samples.push(await memorySample(page, cdp));
    const s = samples[year];
    console.log(`memory: year ${year}: JS heap ${mb(s.js)} MB, program ${mb(s.wasm)} MB, total ${mb(s.js + s.wasm)} MB, ` +
      `${s.nodes} DOM nodes, ${s.listeners} listeners, life ${s.lives} (${((Date.now() - t0) / 1000).toFixed(0)} s)`);
  }
  await context.close();

  const bare = await browser.newContext({ viewport });
  const bp = await bare.newPage();
  const bcdp = await bare.newCDPSession(bp);
  await bcdp.send("Performance.enable");
  await bp.goto(`${server.url}bare/label.html`);
  await bp.waitForTimeout(1000);
  const y = await memorySample(bp, bcdp);
  await bare.close();
  const first = samples[1], last = samples[samples.length - 1];
  const total = (s) => s.js + s.wasm;
  console.log(`memory: after ${years} game years ${mb(total(last))} MB (JS heap ${mb(last.js)} + program ${mb(last.wasm)}), ` +
    `goal <= 64 MB; growth after the first year ${mb(total(last) - total(first))} MB (goal 0); ` +
    `at the start ${mb(total(samples[0]))} MB; bare label page's JS heap ${mb(y.js)} MB`);
}

// --- The run

const bareDir = bareSite();
const server = await host({ "/bare/": bareDir, ...(before ? { "/before/": before } : {}), "/": site });
const browser = await chromium.launch({
  executablePath: process.env.KALVITOR_CHROMIUM || "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});
try {
  console.log(`web figures: ${site}, Chromium ${browser.version()}, ${rounds} rounds`);
  if (wanted("start")) await startFigures(browser, server);
  if (wanted("cpu")) await cpuFigures(browser, server);
  if (wanted("memory")) await memoryFigures(browser, server);
} finally {
  await browser.close();
  server.server.close();
  rmSync(bareDir, { recursive: true, force: true });
}
