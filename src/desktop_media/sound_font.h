// The General MIDI soundfont, cut down to what the songs play. The whole
// font is 140 MB of samples, and read by FluidSynth it takes over 11 MB for
// its zones alone even when the samples stay on disk; the game's songs sound
// a few dozen of its zones. The font's directory is read once; a cut-down
// font holds the presets the songs use, only the zones their notes sound and
// only those zones' samples, and FluidSynth is given that font instead.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <cstdint>
#include <string>
#include <vector>

#include "midi_file.h"

namespace kalvitor::media {

class SoundFontIndex {
 public:
  // Reads the directory of a SoundFont 2 file (not its samples); false when
  // it cannot be read or is not a soundfont.
  bool Read(const std::string& path);
  bool IsRead() const { return !presets_.empty(); }

  // Writes a SoundFont 2 file with what the notes sound, the samples going
  // straight from one file to the other; false when they cannot be read or
  // written. Every note's instrument is there, found as the synthesizer
  // finds a missing one: another bank's drum kit falls back to the standard
  // kit, another bank's instrument to bank 0's.
  bool WriteCut(const std::vector<MidiNote>& notes, QIODevice& out) const;

 private:
  struct Generator {
    uint16_t oper;
    uint16_t amount;
  };
  struct Bag {
    uint16_t generator;
    uint16_t modulator;
  };
  struct Header {       // a preset's or an instrument's
    QByteArray record;  // as in the file, to be written back
    int bank = 0;
    int program = 0;
    size_t bag = 0;
  };
  struct Sample {
    QByteArray record;
    uint32_t start, end, loopStart, loopEnd;
    uint16_t link, type;
  };
  int FindPreset(const MidiPreset& preset) const;

  std::string path_;
  int64_t samplesAt_ = 0;                      // where the sample points start in the file
  int64_t sampleCount_ = 0;                    // 16-bit sample points
  std::vector<Header> presets_, instruments_;  // each with its closing record
  std::vector<Bag> presetBags_, instrumentBags_;
  std::vector<QByteArray> presetModulators_, instrumentModulators_;
  std::vector<Generator> presetGenerators_, instrumentGenerators_;
  std::vector<Sample> samples_;
};

}  // namespace kalvitor::media
