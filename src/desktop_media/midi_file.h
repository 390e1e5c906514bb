// Standard MIDI files as the music player needs them: whether a file is a
// whole song at all, and which instruments its channels play, so that their
// samples can be loaded before the song starts rather than while it sounds.
#pragma once

#include <QByteArray>
#include <QString>
#include <compare>
#include <optional>
#include <vector>

namespace kalvitor::media {

// A General MIDI instrument: bank 128 holds the drum kits.
struct MidiPreset {
  int bank = 0;
  int program = 0;
  auto operator<=>(const MidiPreset&) const = default;
};

// A note as the synthesizer sees it: which instrument, key and loudness.
struct MidiNote {
  MidiPreset preset;
  int key = 0;
  int velocity = 0;
  auto operator<=>(const MidiNote&) const = default;
};

struct MidiSong {
  QByteArray smf;  // the standard MIDI file (taken out of a RIFF wrapper)
  // Every instrument some note is played with, sorted, each once.
  std::vector<MidiPreset> presets;
  // Every distinct note of the song, sorted.
  std::vector<MidiNote> notes;
  // The instrument each of the 16 channels plays its first note with; empty
  // for channels without notes.
  std::optional<MidiPreset> firstPreset[16];
};

// MIDI by its first bytes ("MThd", or a RIFF RMID file) or by its name's
// suffix (mid, midi, rmi, kar).
bool LooksLikeMidi(const QString& fileName, const QByteArray& head);

// The song in a standard MIDI file or a RIFF MIDI file; nothing unless there
// is a header and at least one whole track.
std::optional<MidiSong> ReadMidiSong(const QByteArray& bytes);

}  // namespace kalvitor::media
