// How long the browser game takes to show its first window (the name
// dialog) in headless Chromium, against a page of the same site that runs
// no program (the licence as a plain file), loaded side by side in turns in
// fresh pages of one browser. Prints both medians and their ratio.
//   node bench/web_startup.mjs [ROUNDS]   (after scripts/web.sh --build-only)
import { browser, serve } from "../tests/web/lib.js";

const rounds = Number(process.argv[2] || 7);
const server = await serve();
const b = await browser();
const game = [], plain = [];
for (let i = 0; i < rounds; ++i) {
  for (const [list, url, ready] of [
    [plain, `${server.url}kalvitor.css`, (p) => p.waitForLoadState("load")],
    [game, server.url, (p) => p.getByRole("textbox", { name: "Введите Ваше имя" }).waitFor()],
  ]) {
    const page = await b.context.newPage();
    const t0 = performance.now();
    await page.goto(url);
    await ready(page);
    list.push(performance.now() - t0);
    await page.close();
  }
}
const median = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];
console.log(`name_dialog_ms=${median(game).toFixed(0)} plain_page_ms=${median(plain).toFixed(0)} ` +
  `ratio=${(median(game) / median(plain)).toFixed(1)} rounds=${rounds}`);
await b.close();
server.stop();
