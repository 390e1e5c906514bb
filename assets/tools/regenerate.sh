#!/usr/bin/env bash
# Rebuilds the game's media from the generators in this folder and rewrites
# assets/backgrounds, assets/pictures, assets/icons, assets/sfx, assets/music and
# assets/anecdot.dat and assets/anecdot.en.dat.
# The output is deterministic: running it twice gives the same files.
#
# Usage: assets/tools/regenerate.sh [BUILD_DIR]   (default /tmp/kalvitor-assets-build)
set -euo pipefail

tools_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
assets_dir="$(dirname "$tools_dir")"
build_dir="${1:-/tmp/kalvitor-assets-build}"

cmake -S "$tools_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" --parallel 2 >/dev/null

mkdir -p "$assets_dir/backgrounds" "$assets_dir/pictures" "$assets_dir/sfx" "$assets_dir/music" "$assets_dir/icons"
QT_QPA_PLATFORM=offscreen "$build_dir/gen_backgrounds" "$assets_dir/backgrounds"
QT_QPA_PLATFORM=offscreen "$build_dir/gen_pictures" "$assets_dir/pictures"
QT_QPA_PLATFORM=offscreen "$build_dir/gen_icon" "$assets_dir/icons"
"$build_dir/gen_sfx" "$assets_dir/sfx"
rm -f "$assets_dir"/music/*.mid
"$build_dir/gen_music" "$assets_dir/music"

# Jokes: UTF-8 source, one per line, to Windows-1251 with CR LF on every line;
# the Russian ones and the English ones (anecdot.en.*, plain ASCII, the same in
# both encodings), each language's file read the same way.
for jokes in anecdot anecdot.en; do
  iconv -f UTF-8 -t CP1251 "$tools_dir/$jokes.txt" | LC_ALL=C sed 's/$/\r/' > "$assets_dir/$jokes.dat.tmp"
  mv "$assets_dir/$jokes.dat.tmp" "$assets_dir/$jokes.dat"
  echo "$jokes.dat: $(($(wc -l < "$assets_dir/$jokes.dat") - 1)) jokes"
done
