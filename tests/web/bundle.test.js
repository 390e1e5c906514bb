// The page's modules made one script (src/web/bundle_page.mjs): what the
// bundle does is what the modules did, and what it cannot bundle right it
// refuses, never writing a page that breaks in the browser.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync, mkdtempSync, readFileSync, readdirSync, writeFileSync, mkdirSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, dirname } from "node:path";
import { fileURLToPath } from "node:url";
import { test } from "node:test";

const bundler = join(dirname(fileURLToPath(import.meta.url)), "..", "..", "src", "web", "bundle_page.mjs");

// Bundles the modules (file name -> text) into a fresh site folder holding
// a stale module; returns the folder, or throws with the bundler's words.
function bundle(modules) {
  const dir = mkdtempSync(join(tmpdir(), "kalvitor-bundle-"));
  mkdirSync(join(dir, "src"));
  mkdirSync(join(dir, "site"));
  for (const [name, text] of Object.entries(modules)) writeFileSync(join(dir, "src", name), text);
  writeFileSync(join(dir, "site", "stale.js"), "old");
  execFileSync(process.execPath, [bundler, join(dir, "src"), join(dir, "site")], { stdio: "pipe" });
  return join(dir, "site");
}

// Runs the page's script as the browser would (a module), returning what
// it put in `globalThis.out`.
async function run(site) {
  const file = join(site, "page.mjs");
  writeFileSync(file, `${readFileSync(join(site, "page.js"), "utf8")}\nexport {};`);
  globalThis.out = [];
  await import(file);
  return globalThis.out;
}

test("the modules run in their order, their exports and renamed imports reaching the importers", async () => {
  const site = bundle({
    "main.js": `import { hello, COUNT as n } from "./greet.js";\nimport { log } from "./log.js";\nlog(hello("Вася") + " " + n);\n`,
    "greet.js": `import { log } from "./log.js";\nlog("greet");\nexport const COUNT = 3;\nexport function hello(name) {\n  return "привет, " + name;\n}\n`,
    "log.js": `export function log(x) {\n  globalThis.out.push(x);\n}\n`,
    "lazy.js": `export const late = 1;\n`,
  });
  assert.deepEqual(await run(site), ["greet", "привет, Вася 3"]);
  // The old modules are gone; a module nothing imports is no part of it.
  assert.deepEqual(readdirSync(site).sort(), ["page.js", "page.mjs"]);
});

test("a module loaded lazily stays a file of its own beside the page", () => {
  const site = bundle({
    "main.js": `const play = () => import("./music.js");\n`,
    "music.js": `export async function startTune() {}\n`,
  });
  assert.ok(existsSync(join(site, "music.js")));
  assert.equal(readFileSync(join(site, "music.js"), "utf8"), "export async function startTune() {}\n");
});

test("what it cannot bundle right is refused", () => {
  const refused = {
    "a module importing a name its neighbour does not export": {
      "main.js": `import { nothing } from "./b.js";\n`,
      "b.js": `export function something() {}\n`,
    },
    "modules importing each other": {
      "main.js": `import { b } from "./b.js";\nexport function a() {}\n`,
      "b.js": `import { a } from "./main.js";\nexport function b() {}\n`,
    },
    "an exported variable (its changes would not reach the importers)": {
      "main.js": `import { count } from "./b.js";\n`,
      "b.js": `export let count = 0;\n`,
    },
    "a default export": {
      "main.js": `import { b } from "./b.js";\n`,
      "b.js": `export function b() {}\nexport default b;\n`,
    },
    "an import from elsewhere": {
      "main.js": `import * as b from "./b.js";\n`,
      "b.js": `export function b() {}\n`,
    },
    "a module both imported and loaded lazily": {
      "main.js": `import { b } from "./b.js";\nconst later = () => import("./b.js");\n`,
      "b.js": `export function b() {}\n`,
    },
  };
  for (const [what, modules] of Object.entries(refused))
    assert.throws(() => bundle(modules), undefined, `not refused: ${what}`);
});
