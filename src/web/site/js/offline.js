// The site kept in the browser by its service worker (sw.js, written by the
// build): registered once the first window is up and the page is idle, so
// that it never competes with the program at the start. The worker fetches
// a new version whole in the background; it takes over at the next start of
// the page, or at once while the player has not begun a game (the page then
// starts again in the new version: nothing is lost at the name dialog).
let registered = false;

export function keepOffline(gameBegun) {
  if (registered || !("serviceWorker" in navigator)) return;
  registered = true;
  const sw = navigator.serviceWorker;
  const hadWorker = !!sw.controller;
  const takeOver = (worker) => {
    if (worker && !gameBegun()) worker.postMessage("take over");
  };
  sw.addEventListener("controllerchange", () => {
    // The first visit's worker only starts to keep the page it found.
    if (hadWorker && !gameBegun()) location.reload();
  });
  // A new worker may be waiting already, on its way, or still to be asked
  // for: the page looks for a new version at every visit (the browser
  // alone may wait a day for it).
  const whenInstalled = (worker) => {
    if (worker?.state === "installed") takeOver(worker);
    else worker?.addEventListener("statechange", () => worker.state === "installed" && takeOver(worker));
  };
  sw.register("sw.js")
    .then((reg) => {
      if (!hadWorker) return;
      whenInstalled(reg.waiting);
      whenInstalled(reg.installing);
      reg.addEventListener("updatefound", () => whenInstalled(reg.installing));
      // Without the network there is none to find.
      reg.update().catch(() => {});
    })
    .catch((e) => console.warn("kalvitor: the game is not kept for playing offline", e));
}
