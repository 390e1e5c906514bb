// Unit checks of the media generators' building blocks: the tune notation,
// the MIDI writer's encoding and the synthesiser's envelopes. A slip here
// would quietly put wrong notes into every generated file; the finishing and
// the WAVE output are checked on every shipped effect by the assets test.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "music/midi_writer.h"
#include "music/score.h"
#include "sfx/synth.h"

namespace {

TEST(Score, NotesReadPitchesAccidentalsRestsAndCarriedLengths) {
  // bb3 is B flat, b4 B natural; a length carries over to the next notes.
  const auto notes = score::parseNotes("c4/1 d#4/2 bb3 | r/1 b4 c4+e4+g4/4");
  const score::Note expected[] = {{0, 1, {60}}, {1, 2, {63}}, {3, 2, {58}},
                                  {5, 1, {}},   {6, 1, {71}}, {7, 4, {60, 64, 67}}};
  ASSERT_EQ(notes.size(), std::size(expected));
  for (std::size_t i = 0; i < notes.size(); ++i) {
    EXPECT_EQ(notes[i].start, expected[i].start) << i;
    EXPECT_EQ(notes[i].length, expected[i].length) << i;
    EXPECT_EQ(notes[i].keys, expected[i].keys) << i;
  }
  EXPECT_EQ(score::lengthOf(notes), 11);
  // "c4": the first note must give its length.
  for (const char* bad : {"c4", "h4/1", "c/1", "c4/0", "c4/x", "c4+/1", "r/-1"}) {
    EXPECT_THROW(score::parseNotes(bad), std::invalid_argument) << bad;
  }
}

TEST(Score, ChordsReadRootsQualitiesAndLengths) {
  const auto chords = score::parseChords("Fmaj7:8 Em7:4 A7 Bb C#m7b5:6");
  const score::Chord expected[] = {{0, 8, 5, {0, 4, 7, 11}},
                                   {8, 4, 4, {0, 3, 7, 10}},
                                   {12, 4, 9, {0, 4, 7, 10}},
                                   {16, 4, 10, {0, 4, 7}},
                                   {20, 6, 1, {0, 3, 6, 10}}};
  ASSERT_EQ(chords.size(), std::size(expected));
  for (std::size_t i = 0; i < chords.size(); ++i) {
    EXPECT_EQ(chords[i].start, expected[i].start) << i;
    EXPECT_EQ(chords[i].length, expected[i].length) << i;
    EXPECT_EQ(chords[i].root, expected[i].root) << i;
    EXPECT_EQ(chords[i].intervals, expected[i].intervals) << i;
  }
  EXPECT_EQ(score::lengthOf(chords), 26);
  for (const char* bad : {"Xm:4", "Cfoo:4", "c:4", "C", "C:0"}) {
    EXPECT_THROW(score::parseChords(bad), std::invalid_argument) << bad;
  }
}

TEST(Score, ChordTonesAndRootsAreFoundInARange) {
  const auto c = score::parseChords("Am7:8").front();
  EXPECT_EQ(c.tonesIn(55, 67), (std::vector<int>{55, 57, 60, 64, 67}));
  EXPECT_EQ(c.rootFrom(33), 33);
  EXPECT_EQ(c.rootFrom(34), 45);
  EXPECT_TRUE(c.has(-3)) << "pitch classes wrap below zero";
}

using Bytes = std::vector<std::uint8_t>;

TEST(MidiWriter, DeltaTimesUseVariableLengthQuantitiesAndARepeatedNoteIsReleasedFirst) {
  midi::Track t("x");
  t.note(0x80, 0x3F80, 2, 60, 100);  // on at 128, off at 0x4000, on the third channel
  t.note(0x4000, 0x10, 2, 60, 100);  // struck again at the very tick it ends
  // The name meta; the note-on after a two-byte delta; 0x3F80 ticks later
  // (FF 00) the note-off, and only then the new note-on; the end of track.
  EXPECT_EQ(t.encode(), (Bytes{0x00, 0xFF, 0x03, 0x01, 'x', 0x81, 0x00, 0x92, 60, 100,  0xFF, 0x00, 0x82, 60,
                               64,   0x00, 0x92, 60,   100, 0x10, 0x82, 60,   64, 0x00, 0xFF, 0x2F, 0x00}));
}

TEST(MidiWriter, SongIsAHeaderAndItsTrackChunks) {
  midi::Song song(480);
  song.addTrack("c").tempo(0, 120.0);
  // Format 1, one track, 480 ticks a beat; the track: its name, then a
  // tempo of 500000 microseconds a beat.
  EXPECT_EQ(song.encode(), (Bytes{'M',  'T',  'h',  'd',  0,    0,    0,    6,    0,    1,    0,    1,    0x01,
                                  0xE0, 'M',  'T',  'r',  'k',  0,    0,    0,    16,   0x00, 0xFF, 0x03, 0x01,
                                  'c',  0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00}));
}

TEST(Synth, EnvelopeRisesHoldsAndReleasesToSilence) {
  const sfx::Envelope e{0.01, 0.1, 0.5, 0.2};
  // time, gate, level; the last: a gate shorter than the attack releases from where the rise got to.
  const double rows[][3] = {{0.0, 1.0, 0.0},  {0.005, 1.0, 0.5}, {0.01, 1.0, 1.0}, {0.5, 1.0, 0.5},
                            {1.1, 1.0, 0.25}, {1.2, 1.0, 0.0},   {1.3, 1.0, 0.0},  {0.105, 0.005, 0.25}};
  for (const auto& r : rows) EXPECT_NEAR(e.at(r[0], r[1]), r[2], 1e-9) << r[0] << " " << r[1];
}

}  // namespace
