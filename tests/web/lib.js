// Debian's Chromium, headless, driven through playwright-core (which
// brings no browser of its own), over the site served on this machine.
import { spawn } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, dirname } from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
export const site = process.env.KALVITOR_SITE || join(root, "build", "web", "site");

// The site (or another folder) on a free port of this machine (or the port
// given); resolves once it answers.
export async function serve({ dir = site, port = 18000 + Math.floor(Math.random() * 2000) } = {}) {
  const server = spawn("python3", [join(root, "scripts", "web_serve.py"), dir, String(port)], {
    stdio: ["ignore", "pipe", "inherit"],
  });
  await new Promise((resolve, reject) => {
    server.stdout.once("data", resolve);
    server.once("exit", (code) => reject(new Error(`the server ended (${code})`)));
  });
  const ended = new Promise((resolve) => server.once("exit", resolve));
  return { url: `http://127.0.0.1:${port}/`, port, stop: () => (server.kill(), ended) };
}

// A browser with a new empty profile; `scale` is the device's pixel ratio,
// `device` more of Playwright's context options (viewport, hasTouch, isMobile).
export async function browser({ scale = 1, device = {} } = {}) {
  const profile = mkdtempSync(join(tmpdir(), "kalvitor-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.KALVITOR_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    deviceScaleFactor: scale,
    viewport: { width: 1000, height: 720 },
    ...device,
    args: [
      "--no-sandbox",
      "--disable-gpu",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      "--no-first-run",
    ],
  });
  const page = context.pages()[0] ?? (await context.newPage());
  const errors = [];
  page.on("pageerror", (e) => errors.push(String(e)));
  page.on("console", (m) => {
    if (m.type() === "error") errors.push(m.text());
  });
  return {
    context,
    page,
    errors,
    close: async () => {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A key pressed as the keyboard sends it, through the browser's own input:
// also the letters of a Russian layout, which Playwright's keyboard does not
// know (`code` is the key's place on the keyboard: "KeyP" for з).
export async function pressKey(page, key, code) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send("Input.dispatchKeyEvent", { type: "keyDown", key, code, text: key, unmodifiedText: key });
  await cdp.send("Input.dispatchKeyEvent", { type: "keyUp", key, code });
  await cdp.detach();
}
