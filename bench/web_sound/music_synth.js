// The other way of playing the tunes, in place of the site's js/music.js
// in the copy of the site bench/web_sound.sh makes: FluidSynth in the page
// (js-synthesizer, its synthesizer in an AudioWorklet), at the desktop's
// level and number of voices, each tune with a soundfont cut to the notes
// it sounds (music/NAME.sf2, by the desktop's own cutting code:
// bench/tools/cut_sound_font.cpp), the tune itself as its MIDI file. The
// synthesizer renders for as long as it lives, silence too: it is let go
// when the music stops, as the desktop lets its idle device go.
const LOAD_MS = 30000;
let scripts = null; // a promise: FluidSynth and js-synthesizer loaded, once
let synthesizer = null; // a promise of { synth, node }, made for a tune
let playing = 0; // the tune whose end is awaited

function script(src) {
  return new Promise((resolve, reject) => {
    const s = document.createElement("script");
    s.src = src;
    s.onload = resolve;
    s.onerror = () => reject(new Error(`${src} not loaded`));
    document.head.appendChild(s);
  });
}

async function bytes(url) {
  const r = await fetch(url, { signal: AbortSignal.timeout(LOAD_MS) });
  if (!r.ok) throw new Error(`${url}: HTTP ${r.status}`);
  return r.arrayBuffer();
}

async function makeSynthesizer(context) {
  scripts ??= (async () => {
    await script("synth/js-synthesizer.min.js");
    await context.audioWorklet.addModule("synth/libfluidsynth-2.4.6.js");
    await context.audioWorklet.addModule("synth/js-synthesizer.worklet.min.js");
  })();
  await scripts;
  const synth = new globalThis.JSSynth.AudioWorkletNodeSynthesizer();
  synth.init(context.sampleRate, { initialGain: 1.2, polyphony: 64 });
  const node = synth.createAudioNode(context);
  node.connect(context.destination);
  return { synth, node };
}

function letGo() {
  const made = synthesizer;
  synthesizer = null;
  made?.then(({ synth, node }) => {
    node.disconnect();
    synth.close();
  });
}

export async function startTune(fileName, { context, ended }) {
  synthesizer ??= makeSynthesizer(context);
  const stem = fileName.replace(/\.[^.]*$/, "");
  const [{ synth }, smf, sf2] = await Promise.all([
    synthesizer,
    bytes(`music/${encodeURIComponent(stem)}.mid`),
    bytes(`music/${encodeURIComponent(stem)}.sf2`),
  ]);
  const mine = ++playing;
  await synth.stopPlayer();
  await synth.resetPlayer();
  await synth.loadSFont(sf2);
  await synth.addSMFDataToPlayer(smf);
  await synth.playPlayer();
  synth.waitForPlayerStopped().then(() => {
    if (mine !== playing) return;
    ++playing;
    letGo();
    ended();
  });
  return {
    stop: () => {
      if (mine !== playing) return;
      ++playing;
      letGo();
    },
  };
}
