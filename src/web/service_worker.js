// The game's service worker: it keeps one whole version of the site in the
// browser, so that the game starts and plays without the network, and puts
// a new version in its place only once all of it is there. The build writes
// this file as the site's sw.js, after two constants: VERSION, a hash of all
// the site's files, and FILES, each file with its SHA-256. Any change of a
// file is a new sw.js, which the browser installs beside the old one.
//
// One cache per version ("kalvitor-VERSION"), filled whole and checked
// file by file before the new worker may take over; the old caches go only
// once the new worker is active. The player's saved games live in IndexedDB,
// which the worker never touches.
const CACHE = `kalvitor-${VERSION}`;
const OURS = "kalvitor-";

const hex = (buffer) => [...new Uint8Array(buffer)].map((b) => b.toString(16).padStart(2, "0")).join("");

// A fresh copy of every file, each of this version's bytes. The browser's
// own cache is asked to check with the host first; a file it still keeps
// from another version (a host's dates are only to the second) is fetched
// again past it. A host met halfway through putting up another version
// fails the install, which the browser tries again at a later visit.
// Nothing is kept of a failed install.
async function fetchOne(path, hash) {
  for (const cache of ["no-cache", "reload"]) {
    const response = await fetch(path, { cache });
    if (!response.ok) throw new Error(`${path}: ${response.status}`);
    const bytes = await response.clone().arrayBuffer();
    if (hex(await crypto.subtle.digest("SHA-256", bytes)) === hash) return [path, response];
  }
  throw new Error(`${path}: of another version`);
}

async function fetchAll() {
  const got = await Promise.all(Object.entries(FILES).map(([path, hash]) => fetchOne(path, hash)));
  try {
    const cache = await caches.open(CACHE);
    for (const [path, response] of got) await cache.put(path, response);
  } catch (e) {
    await caches.delete(CACHE);
    throw e;
  }
}

self.addEventListener("install", (event) => event.waitUntil(fetchAll()));

// The page asks a new version to take over while the player has not begun a
// game; otherwise it waits until every page of the old one is gone.
self.addEventListener("message", (event) => {
  if (event.data === "take over") self.skipWaiting();
});

self.addEventListener("activate", (event) =>
  event.waitUntil(
    (async () => {
      for (const name of await caches.keys()) if (name.startsWith(OURS) && name !== CACHE) await caches.delete(name);
      await self.clients.claim();
    })(),
  ),
);

// The site's own files from this version's cache, whatever the address's
// query (?seed=7); anything else from the network.
self.addEventListener("fetch", (event) => {
  const request = event.request;
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (request.method !== "GET" || url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) return;
  let path = url.pathname.slice(scope.pathname.length);
  if (path === "" && request.mode === "navigate") path = "index.html";
  if (!Object.hasOwn(FILES, path)) return;
  event.respondWith(
    caches
      .open(CACHE)
      .then((cache) => cache.match(path))
      .then((hit) => hit || fetch(request)),
  );
});
