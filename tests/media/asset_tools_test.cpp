// Unit checks of the media generators' building blocks: the tune notation,
// the MIDI writer's encoding and the synthesiser's envelopes, finishing and
// WAVE output. A slip here would quietly put wrong notes or clicks into
// every generated file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "music/midi_writer.h"
#include "music/score.h"
#include "sfx/synth.h"
#include "sfx/wav_writer.h"

namespace {

// --- notation --------------------------------------------------------------

TEST(Score, NotesReadPitchesAccidentalsRestsAndCarriedLengths) {
    const auto notes = score::parseNotes("c4/1 d#4/2 bb3 | r/1 b4 c4+e4+g4/4");
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_EQ(notes[0].keys, std::vector<int>{60});
    EXPECT_EQ(notes[1].keys, std::vector<int>{63});
    EXPECT_EQ(notes[1].length, 2);
    EXPECT_EQ(notes[2].keys, std::vector<int>{58}) << "bb3 is B flat, not B";
    EXPECT_EQ(notes[2].length, 2) << "a length carries over to the next notes";
    EXPECT_TRUE(notes[3].keys.empty());
    EXPECT_EQ(notes[3].start, notes[2].start + 2);
    EXPECT_EQ(notes[4].keys, std::vector<int>{71}) << "b4 is B natural";
    EXPECT_EQ(notes[5].keys, (std::vector<int>{60, 64, 67}));
    EXPECT_EQ(score::lengthOf(notes), notes[5].start + 4);
}

TEST(Score, FirstNoteWithoutALengthAndMalformedTokensAreRejected) {
    EXPECT_THROW(score::parseNotes("c4"), std::invalid_argument);
    for (const char* bad : {"h4/1", "c/1", "c4/0", "c4/x", "c4+/1", "r/-1"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(score::parseNotes(bad), std::invalid_argument);
    }
}

TEST(Score, ChordsReadRootsQualitiesAndLengths) {
    const auto chords = score::parseChords("Fmaj7:8 Em7:4 A7 Bb C#m7b5:6");
    ASSERT_EQ(chords.size(), 5u);
    EXPECT_EQ(chords[0].root, 5);
    EXPECT_EQ(chords[0].intervals, (std::vector<int>{0, 4, 7, 11}));
    EXPECT_EQ(chords[1].root, 4);
    EXPECT_EQ(chords[2].length, 4);
    EXPECT_EQ(chords[2].start, 12);
    EXPECT_EQ(chords[3].root, 10);
    EXPECT_EQ(chords[3].intervals, (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(chords[4].root, 1);
    EXPECT_EQ(chords[4].intervals, (std::vector<int>{0, 3, 6, 10}));
    EXPECT_EQ(score::lengthOf(chords), 8 + 4 + 4 + 4 + 6);
    for (const char* bad : {"Xm:4", "Cfoo:4", "c:4", "C", "C:0"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(score::parseChords(bad), std::invalid_argument);
    }
}

TEST(Score, ChordTonesAndRootsAreFoundInARange) {
    const auto c = score::parseChords("Am7:8").front();
    EXPECT_EQ(c.tonesIn(55, 67), (std::vector<int>{55, 57, 60, 64, 67}));
    EXPECT_EQ(c.rootFrom(33), 33);
    EXPECT_EQ(c.rootFrom(34), 45);
    EXPECT_TRUE(c.has(-3)) << "pitch classes wrap below zero";
}

// --- MIDI writer -----------------------------------------------------------

using Bytes = std::vector<std::uint8_t>;

TEST(MidiWriter, DeltaTimesUseVariableLengthQuantities) {
    midi::Track t("x");
    t.note(0x80, 0x3F80, 0, 60, 100);  // on at 128, off at 0x4000
    // The name meta, the note-on after a two-byte delta, the note-off 0x3F80
    // ticks later (FF 00), the end of the track.
    EXPECT_EQ(t.encode(), (Bytes{0x00, 0xFF, 0x03, 0x01, 'x', 0x81, 0x00, 0x90, 60, 100, 0xFF, 0x00, 0x80, 60, 64,
                                 0x00, 0xFF, 0x2F, 0x00}));
}

TEST(MidiWriter, ARepeatedNoteIsReleasedBeforeItStrikesAgain) {
    midi::Track t("");
    t.note(0, 100, 2, 64, 90);
    t.note(100, 100, 2, 64, 90);
    const Bytes b = t.encode();
    ASSERT_GE(b.size(), 14u);
    // After the empty name: on at 0; at 100 the off comes before the on.
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 14), (Bytes{0x00, 0x92, 64, 90, 100, 0x82, 64, 64, 0x00, 0x92}));
}

TEST(MidiWriter, HeaderTempoAndTrackChunksAreWellFormed) {
    midi::Song song(480);
    song.addTrack("conductor").tempo(0, 120.0);
    song.addTrack("lead").program(0, 0, 11);
    const auto bytes = song.encode();
    const std::vector<std::uint8_t> header = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 14), header);
    // The conductor's tempo: 500000 microseconds per quarter.
    const std::vector<std::uint8_t> tempo = {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), tempo.begin(), tempo.end()), bytes.end());
}

// --- synthesiser -----------------------------------------------------------

TEST(Synth, EnvelopeRisesHoldsAndReleasesToSilence) {
    const sfx::Envelope e{0.01, 0.1, 0.5, 0.2};
    // time, gate, level; the last: a gate shorter than the attack releases from where the rise got to.
    const double rows[][3] = {{0.0, 1.0, 0.0},  {0.005, 1.0, 0.5}, {0.01, 1.0, 1.0}, {0.5, 1.0, 0.5},
                              {1.1, 1.0, 0.25}, {1.2, 1.0, 0.0},   {1.3, 1.0, 0.0},  {0.105, 0.005, 0.25}};
    for (const auto& r : rows) EXPECT_NEAR(e.at(r[0], r[1]), r[2], 1e-9) << r[0] << " " << r[1];
}

TEST(Synth, FinishScalesToThePeakAndFadesBothEndsToZero) {
    sfx::Sound s(0.5);
    sfx::Voice v;
    v.wave = sfx::Wave::Square;
    v.freq = 220.0;
    v.amp = 3.0;  // far too loud on purpose
    v.env = {0.0, 0.0, 1.0, 0.0};
    s.mix(0.0, sfx::renderVoice(v, 0.6));
    sfx::finish(s, 0.8, 0.003, 0.01);
    double peak = 0.0;
    for (double x : s.samples()) peak = std::max(peak, std::abs(x));
    EXPECT_NEAR(peak, 0.8, 1e-9);
    EXPECT_NEAR(s.samples().front(), 0.0, 1e-12);
    EXPECT_LT(std::abs(s.samples().back()), 0.01);
    EXPECT_EQ(s.size(), 11025u);
}

TEST(WavWriter, WritesA44ByteHeaderAndClampedLittleEndianSamples) {
    sfx::Sound s(3.0 / sfx::kSampleRate);
    s.samples() = {0.5, -2.0, 2.0};
    const auto path = std::filesystem::temp_directory_path() / "kalvitor_wav_writer_test.wav";
    ASSERT_TRUE(sfx::writeWav(path.string(), s));
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    ASSERT_EQ(b.size(), 44u + 6u);  // the header itself is checked on the shipped files
    auto sample = [&](int i) { return static_cast<std::int16_t>(b[44 + 2 * i] | (b[45 + 2 * i] << 8)); };
    EXPECT_EQ(sample(0), 16384);
    EXPECT_EQ(sample(1), -32767);
    EXPECT_EQ(sample(2), 32767);
}

}  // namespace
