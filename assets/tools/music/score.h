// The little notation our tunes are written in.
//
// Notes: "e5/2 g5 a5/4 r/2 c5+e5+g5/8" — a pitch is a letter, an optional
// sharp (#) or flat (b) and an octave (c4 is middle C); "r" is a rest; "+"
// joins a chord; "/n" is the length in steps (what a step is, the tune says)
// and carries over to the following notes until changed. "|" may mark bars
// and is ignored.
//
// Chords: "Fmaj7:8 Em7:4 A7:4" — a root in capitals, a quality (none, m, 7,
// m7, maj7, 6, m6, dim, m7b5, sus4, 9), ":n" the length in steps, carried
// over likewise.
#pragma once

#include <string_view>
#include <vector>

namespace score {

struct Note {
  int start = 0;          // in steps from the start of the phrase
  int length = 0;         // in steps
  std::vector<int> keys;  // MIDI key numbers; empty for a rest
};

struct Chord {
  int start = 0;
  int length = 0;
  int root = 0;                // pitch class, C = 0
  std::vector<int> intervals;  // semitones above the root, root included

  bool has(int pitchClass) const;
  // Chord tones between low and high (inclusive), ascending.
  std::vector<int> tonesIn(int low, int high) const;
  // The root's lowest key at or above `low`.
  int rootFrom(int low) const;
};

// Both parsers throw std::invalid_argument on a malformed token, so a typo in
// a tune stops the generator instead of writing a wrong note.
std::vector<Note> parseNotes(std::string_view text);
std::vector<Chord> parseChords(std::string_view text);

int lengthOf(const std::vector<Note>& notes);
int lengthOf(const std::vector<Chord>& chords);

}  // namespace score
