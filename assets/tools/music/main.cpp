// gen_music OUTPUT_DIR: writes the game's background tunes as standard MIDI
// files into OUTPUT_DIR.
#include <cstdio>
#include <exception>
#include <string>

#include "tunes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  try {
    for (const tunes::Tune& tune : tunes::allTunes()) {
      const std::string path = std::string(argv[1]) + "/" + tune.fileName;
      if (!tune.song.write(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
      }
      std::printf("%-28s %6.1f s\n", tune.fileName.c_str(), tune.seconds);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gen_music: %s\n", e.what());
    return 1;
  }
  return 0;
}
