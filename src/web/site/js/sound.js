// The game's sound in the page: the effects through Web Audio, the music
// through the tune player (music.js). A browser lets a page sound only
// after the player has done something on it, so the sound starts with the
// first answer to the name dialog (its OK, Enter, or any of its buttons):
// the audio context is made and started inside that click or key. Before
// it an effect is dropped at once (the player could not have heard it) and
// a track waits to start then.
//
// The page shows its sound on its root element, for tests and tools:
//   data-sound          "on" once the page may sound
//   data-music          "stopped", "waiting" (for the sound to start),
//                       "loading" or "playing"
//   data-music-track    the file name of the track asked for last
//   data-effects-played how many effects have been played
//   data-effect         the last one
import { watch } from "./bridge.js";

// How long an effect may take to be fetched and decoded before it is
// dropped; it is kept for the next time.
const EFFECT_LOAD_MS = 5000;
// An effect that sounds longer than its length by this much has lost its
// device: the game goes on.
const EFFECT_GRACE_MS = 2000;

// The tune player (music.js) is loaded with the first tune, not with the page.
const startTune = (name, how) => import("./music.js").then((music) => music.startTune(name, how));

const root = document.documentElement;
const params = new URLSearchParams(location.search);
let context = null;
let running = null; // resolves when the context runs (or will not)
const effects = new Map(); // name: Promise of its AudioBuffer, or null
let effectsPlayed = 0;
// The track asked for: { name, state, tune (its player, once it plays) }.
let track = null;

function show() {
  root.dataset.sound = context?.state === "running" ? "on" : "off";
  root.dataset.music = track ? track.state : "stopped";
  root.dataset.effectsPlayed = String(effectsPlayed);
}

function within(promise, ms) {
  return Promise.race([promise, new Promise((resolve) => setTimeout(() => resolve(null), ms))]);
}

// Inside the player's click or key: the context is made and started, and a
// track that waited starts now.
function startSound() {
  if (!context) {
    try {
      context = new AudioContext();
    } catch (e) {
      console.warn("kalvitor: no sound in this browser", e);
      return;
    }
    context.addEventListener("statechange", show);
  } else if (context.state === "running") {
    return;
  }
  running = context.state === "running" ? Promise.resolve() : context.resume();
  running.then(
    () => {
      show();
      if (context.state === "running" && track?.state === "waiting") begin(track);
    },
    () => {},
  );
}

// The first answer to the name dialog starts the sound; an answer by a key
// that is no gesture to the browser (Esc) leaves it to the next click or key.
watch((fields) => {
  if (fields[1] === "frmPlayerName" && (fields[0] === "click" || fields[0] === "press")) startSound();
});
for (const type of ["pointerdown", "keydown"])
  document.addEventListener(type, () => context && context.state !== "running" && startSound(), true);

function effectBuffer(name) {
  if (!effects.has(name)) {
    const loading = fetch(`sfx/${encodeURIComponent(name)}.wav`)
      .then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(new Error(`${r.status}`))))
      .then((bytes) => context.decodeAudioData(bytes))
      .catch((e) => {
        console.warn("kalvitor: effect", name, e);
        effects.delete(name);
        return null;
      });
    effects.set(name, loading);
  }
  return effects.get(name);
}

// Resolves once the effect has ended: true, or false at once when it could
// not be heard.
export async function playEffect(name) {
  if (!context) return false;
  await within(running, EFFECT_LOAD_MS);
  if (context.state !== "running") return false;
  const buffer = await within(effectBuffer(name), EFFECT_LOAD_MS);
  if (!buffer) return false;
  const source = context.createBufferSource();
  source.buffer = buffer;
  source.connect(context.destination);
  ++effectsPlayed;
  root.dataset.effect = name;
  show();
  await new Promise((resolve) => {
    source.addEventListener("ended", resolve);
    setTimeout(resolve, buffer.duration * 1000 + EFFECT_GRACE_MS);
    source.start();
  });
  return true;
}

function begin(t) {
  t.state = "loading";
  show();
  startTune(t.name, {
    context,
    // Tests play the end of a tune only: ?tuneleft=SECONDS.
    left: Number(params.get("tuneleft")) || 0,
    ended: () => {
      if (track !== t) return;
      track = null;
      show();
    },
  }).then(
    (tune) => {
      if (track !== t) return tune.stop();
      t.tune = tune;
      t.state = "playing";
      show();
    },
    (e) => {
      console.warn("kalvitor: tune", t.name, e);
      if (track !== t) return;
      track = null;
      show();
    },
  );
}

// The track of that file name in place of the one playing; "" stops.
export function playTrack(name) {
  if (track) {
    track.tune?.stop();
    track = null;
  }
  if (name) {
    track = { name, state: "waiting", tune: null };
    root.dataset.musicTrack = name;
    if (context?.state === "running") begin(track);
  }
  show();
}

// A track is playing, being loaded or waiting for the sound to start.
export function trackPlaying() {
  return track !== null;
}

show();
