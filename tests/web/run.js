// The browser tests, side by side: one server for the site, and the test
// files three at a time, the longest first (each file has a browser and a
// profile of its own). Prints how long the suite took.
//   node tests/web/run.js [FILE.test.js ...]   (all by default)
import { spawn } from "node:child_process";
import { readdirSync } from "node:fs";
import { dirname } from "node:path";
import { fileURLToPath } from "node:url";
import { serve } from "./lib.js";

const here = dirname(fileURLToPath(import.meta.url));
const LONGEST_FIRST = ["kills.test.js", "monkey.test.js", "life.test.js", "a11y.test.js", "keyboard.test.js"];
const all = readdirSync(here).filter((f) => f.endsWith(".test.js"));
const files = process.argv.length > 2 ? process.argv.slice(2) : [...LONGEST_FIRST.filter((f) => all.includes(f)), ...all.filter((f) => !LONGEST_FIRST.includes(f))];

const started = Date.now();
const server = await serve();
const tests = spawn(process.execPath, ["--test", "--test-concurrency=3", ...files], {
  cwd: here,
  stdio: "inherit",
  env: { ...process.env, KALVITOR_URL: server.url },
});
const code = await new Promise((resolve) => tests.on("exit", (c, signal) => resolve(signal ? 1 : c)));
server.stop();
console.log(`web tests: ${files.length} files in ${Math.round((Date.now() - started) / 1000)} s`);
process.exit(code);
