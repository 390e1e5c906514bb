// The tunes as the site serves them: rendered when the site is built
// (music/NAME.opus for the game's NAME.mid), each fetched when it is to be
// played and streamed by an audio element, which decodes it as it plays.
const LOAD_MS = 30000;

// Starts the tune of that file name; resolves with { stop } once it sounds,
// rejects when it cannot be played. `ended` is called when it has played
// to its end (or broke off); `left` > 0 starts it that many seconds before.
export async function startTune(fileName, { left, ended }) {
  const stem = fileName.replace(/\.[^.]*$/, "");
  const response = await fetch(`music/${encodeURIComponent(stem)}.opus`, { signal: AbortSignal.timeout(LOAD_MS) });
  if (!response.ok) throw new Error(`HTTP ${response.status}`);
  // Whole in memory (a megabyte or so): it can be sought in without the
  // server's help.
  const url = URL.createObjectURL(await response.blob());
  const audio = new Audio(url);
  let stopped = false;
  const stop = () => {
    if (stopped) return;
    stopped = true;
    audio.pause();
    audio.removeAttribute("src");
    audio.load();
    URL.revokeObjectURL(url);
  };
  const end = () => {
    if (stopped) return;
    stop();
    ended();
  };
  audio.addEventListener("ended", end);
  try {
    if (left > 0) {
      await new Promise((resolve, reject) => {
        audio.addEventListener("loadedmetadata", resolve, { once: true });
        audio.addEventListener("error", () => reject(audio.error), { once: true });
      });
      audio.currentTime = Math.max(0, audio.duration - left);
    }
    await audio.play();
  } catch (e) {
    stop();
    throw e;
  }
  audio.addEventListener("error", end);
  return { stop };
}
