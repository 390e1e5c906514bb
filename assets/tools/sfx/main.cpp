// gen_sfx OUTPUT_DIR: writes every effect of the game as OUTPUT_DIR/NAME.wav.
#include <cstdio>
#include <string>

#include "effects.h"
#include "wav_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  for (const sfx::Effect& effect : sfx::allEffects()) {
    sfx::Sound sound(effect.seconds);
    effect.build(sound);
    sfx::finish(sound, effect.peak, 0.002, effect.fadeOut);
    const std::string path = dir + "/" + effect.name + ".wav";
    if (!sfx::writeWav(path, sound)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%-14s %.3f s\n", effect.name.c_str(), sound.seconds());
  }
  return 0;
}
