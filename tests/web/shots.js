// Pictures of the browser game to look at, beside the desktop's
// (KALVITOR_SHOTS=dir tests/system/run.sh build/check/game fit): the name
// dialog, the main window, a place over it, a message box and the paused
// window with the cheat box, at device scales 1 and 2; then the name
// dialog, the main window and a place on screens of several sizes (a 4K
// one, a plain one, a phone held either way) at device scales 1 and 2
// (SIZE_name_dialog@2x.png...); and the first three in English on a plain
// screen and a phone.
//   node tests/web/shots.js OUT_DIR
import { mkdirSync } from "node:fs";
import { join } from "node:path";
import { browser, serve } from "./lib.js";

const out = process.argv[2] || "shots";
mkdirSync(out, { recursive: true });
const server = await serve();
for (const scale of [1, 2]) {
  const b = await browser({ scale });
  const page = b.page;
  const shot = (name) => page.screenshot({ path: join(out, `${name}@${scale}x.png`) });
  await page.goto(server.url);
  await page.evaluate(() => localStorage.setItem("kalvitor.Tips", "0"));
  await page.reload();
  await page.getByRole("textbox", { name: "Введите Ваше имя" }).waitFor();
  await shot("name_dialog");
  await page.keyboard.type("Вася");
  await page.keyboard.press("Enter");
  const main = page.getByRole("region", { name: /Brindlex Kalvitor/ });
  await main.waitFor();
  await page.waitForTimeout(1500);
  await shot("main_window");
  await main.getByRole("button", { name: "Железо" }).click();
  await page.waitForTimeout(400);
  await shot("place");
  await page.keyboard.press("Escape");
  await main.getByRole("button", { name: "Закрыть" }).click();
  await page.getByRole("alertdialog").waitFor();
  await shot("message_box");
  await page.keyboard.press("Escape");
  await page.keyboard.press("p");
  await page.keyboard.press("p");
  await page.keyboard.press("c");
  await page.waitForTimeout(400);
  await shot("cheat_box");
  await b.close();
}
for (const [width, height] of [[1024, 768], [3840, 2160], [360, 640], [640, 360]]) {
  for (const scale of [1, 2]) {
    const phone = width < 700;
    const b = await browser({ scale, device: { viewport: { width, height }, hasTouch: phone, isMobile: phone } });
    const page = b.page;
    const shot = (name) => page.screenshot({ path: join(out, `${width}x${height}_${name}@${scale}x.png`) });
    await page.goto(`${server.url}?seed=7&now=2026-03-02T10:00:00`);
    await page.evaluate(() => localStorage.setItem("kalvitor.Tips", "0"));
    await page.reload();
    await page.getByRole("textbox", { name: "Введите Ваше имя" }).fill("Вася");
    await page.waitForTimeout(300);
    await shot("name_dialog");
    await page.keyboard.press("Enter");
    const main = page.getByRole("region", { name: /Brindlex Kalvitor/ });
    await main.waitFor();
    await page.waitForTimeout(1000);
    await shot("main_window");
    await main.getByRole("button", { name: "Магазин", exact: true }).click();
    await page.waitForTimeout(400);
    await shot("place");
    await b.close();
  }
}
// In English (a browser asking for it): the name dialog, the main window
// and a place at device scales 1 and 2, and on a phone (en_SIZE_name@2x.png).
for (const [width, height] of [[1024, 768], [360, 640]]) {
  for (const scale of [1, 2]) {
    const phone = width < 700;
    const device = { viewport: { width, height }, hasTouch: phone, isMobile: phone };
    const b = await browser({ scale, lang: "en-US", tips: false, device });
    const page = b.page;
    const shot = (name) => page.screenshot({ path: join(out, `en_${width}x${height}_${name}@${scale}x.png`) });
    await page.goto(`${server.url}?seed=7&now=2026-03-02T10:00:00`);
    const name = page.locator(".frame input[type=text]").first();
    await name.fill("Vasya");
    await page.waitForTimeout(300);
    await shot("name_dialog");
    await page.keyboard.press("Enter");
    await page.locator(".main-window").waitFor();
    await page.waitForTimeout(1000);
    await shot("main_window");
    await page.locator('.main-window [data-name="cmdShop"]').click();
    await page.waitForTimeout(400);
    await shot("place");
    await b.close();
  }
}
server.stop();
console.log(`shots in ${out}`);
