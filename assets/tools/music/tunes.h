// The game's background tunes, composed here as note data and arranged for
// General MIDI instruments.
#pragma once

#include <string>
#include <vector>

#include "midi_writer.h"

namespace tunes {

struct Tune {
  std::string fileName;  // e.g. "01_office_morning.mid"
  midi::Song song;
  double seconds;  // playing time, from the bars and the tempo
};

// Throws std::invalid_argument when a phrase is malformed or its melody and
// chords disagree in length.
std::vector<Tune> allTunes();

}  // namespace tunes
