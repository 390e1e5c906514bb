#!/usr/bin/env bash
# The browser game's music played two ways, measured side by side by
# bench/web_sound.mjs (bytes on the wire, the processor while a tune plays):
#   rendered  the site as built: the tunes rendered to Opus when the site
#             is built, played by an audio element (the way the game keeps);
#   synth     a copy of it that plays the MIDI tunes with FluidSynth in the
#             page (js-synthesizer, pinned in bench/web_sound/package-lock.json),
#             each tune with the soundfont cut to its notes by the desktop's
#             own code (bench/tools/cut_sound_font.cpp).
# Usage: bench/web_sound.sh [--rounds N] [--seconds S]   (after scripts/web.sh --build-only)
set -euo pipefail
cd "$(dirname "$0")/.."
site=build/web/site
[[ -f $site/kalvitor.wasm ]] || { echo "build the site first: scripts/web.sh --build-only" >&2; exit 2; }
soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2

if [[ ! -d bench/web_sound/node_modules ]] || [[ bench/web_sound/package-lock.json -nt bench/web_sound/node_modules ]]; then
  (cd bench/web_sound && npm ci --no-audit --no-fund --silent)
fi
tools=build/bench-tools
cmake -S bench/tools -B "$tools" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$tools" -j2 --target cut_sound_font >/dev/null

# Copies without the service worker: its background fetch of every file,
# for playing offline, would bring all the tunes either way.
rendered=build/web/site-rendered
synth=build/web/site-synth
rm -rf "$rendered" "$synth"
cp -r "$site" "$rendered"
rm -f "$rendered/sw.js"
cp -r "$rendered" "$synth"
rm -f "$synth"/music/*.opus
cp bench/web_sound/music_synth.js "$synth/js/music.js"
js=bench/web_sound/node_modules/js-synthesizer
mkdir -p "$synth/synth"
cp "$js/dist/js-synthesizer.min.js" "$js/dist/js-synthesizer.worklet.min.js" "$js/externals/libfluidsynth-2.4.6.js" \
  "$synth/synth/"
for tune in assets/music/*.mid; do
  cp "$tune" "$synth/music/"
  "$tools/cut_sound_font" "$soundfont" "$synth/music/$(basename "$tune" .mid).sf2" "$tune"
done
exec node bench/web_sound.mjs rendered="$rendered" synth="$synth" "$@"
