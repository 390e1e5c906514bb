// Writes a finished effect as a RIFF/WAVE file: PCM, mono, 16 bits.
#pragma once

#include <string>

#include "synth.h"

namespace sfx {

// Returns false when the file cannot be written.
bool writeWav(const std::string& path, const Sound& sound);

}  // namespace sfx
