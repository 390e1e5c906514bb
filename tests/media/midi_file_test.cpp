// Which instruments a MIDI song uses: the music player loads exactly those
// instruments' samples before the song starts, so a missed one would be read
// while the music sounds and an extra one would waste memory.
#include "midi_file.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using kalvitor::media::LooksLikeMidi;
using kalvitor::media::MidiPreset;
using kalvitor::media::ReadMidiSong;

QByteArray Be(uint32_t v, int bytes) {
  QByteArray out;
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out.append(static_cast<char>((v >> shift) & 0xFF));
  return out;
}

// A track from "delta status data..." events written as hex bytes; the end
// of track is added.
QByteArray Track(const std::string& hex) {
  QByteArray body = QByteArray::fromHex(QByteArray::fromStdString(hex));
  body.append("\x00\xFF\x2F\x00", 4);
  return QByteArray("MTrk", 4) + Be(static_cast<uint32_t>(body.size()), 4) + body;
}

QByteArray Song(std::initializer_list<std::string> tracks) {
  QByteArray midi = QByteArray("MThd", 4) + Be(6, 4) + Be(1, 2) + Be(static_cast<uint32_t>(tracks.size()), 2) + Be(96, 2);
  for (const std::string& t : tracks) midi += Track(t);
  return midi;
}

struct Case {
  const char* what;
  std::vector<std::string> tracks;
  std::vector<MidiPreset> presets;  // sorted
};

const Case kCases[] = {
    {"no program change: piano, and the standard kit on channel 10", {"00903C40 00994240"}, {{0, 0}, {128, 0}}},
    {"a program change before the notes", {"00C018 00903C40"}, {{0, 24}}},
    {"bank select then program change", {"00B00008 00C005 00903C40"}, {{8, 5}}},
    {"a program change on channel 10 picks a kit", {"00C910 00992440"}, {{128, 16}}},
    {"a change after some notes: both instruments", {"00903C40 10803C00 00C028 00903C40"}, {{0, 0}, {0, 40}}},
    {"a change with no note after it is not loaded", {"00C028 00903C40 00C030"}, {{0, 40}}},
    {"note on at velocity 0 is a note off", {"00C028 00903C00 00C030 00903C40"}, {{0, 48}}},
    {"running status: the later notes are on the same channel", {"00C121 00913C40 003E40"}, {{0, 33}}},
    {"tracks play side by side: a change in one, notes in another", {"00C238", "00923C40"}, {{0, 56}}},
    {"later in time wins, whatever the track order", {"60C238", "00923C40 70923E40"}, {{0, 0}, {0, 56}}},
    {"meta events and system exclusive are stepped over", {"00FF0303414243 00F003010203 00C034 00903C40"}, {{0, 52}}},
    {"a track that breaks off keeps what came before", {"00C004 00903C40 00F5"}, {{0, 4}}},
};

TEST(MidiSong, InstrumentsOfTheNotes) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    QByteArray midi;
    if (c.tracks.size() == 1) midi = Song({c.tracks[0]});
    else midi = Song({c.tracks[0], c.tracks[1]});
    const auto song = ReadMidiSong(midi);
    ASSERT_TRUE(song.has_value());
    EXPECT_EQ(song->presets, c.presets);
    EXPECT_EQ(song->smf, midi);
  }
}

TEST(MidiSong, FirstInstrumentOfEachChannel) {
  const auto song = ReadMidiSong(Song({"00903C40 00C028 00903C40 00994240 00C31C 00933C40"}));
  ASSERT_TRUE(song.has_value());
  for (int channel = 0; channel < 16; ++channel) {
    SCOPED_TRACE(channel);
    if (channel == 0) EXPECT_EQ(song->firstPreset[channel], (MidiPreset{0, 0}));
    else if (channel == 3) EXPECT_EQ(song->firstPreset[channel], (MidiPreset{0, 28}));
    else if (channel == 9) EXPECT_EQ(song->firstPreset[channel], (MidiPreset{128, 0}));
    else EXPECT_FALSE(song->firstPreset[channel].has_value());
  }
}

TEST(MidiSong, OnlyWholeSongsAreSongs) {
  const QByteArray good = Song({"00C018 00903C40"});
  EXPECT_TRUE(ReadMidiSong(good).has_value());
  EXPECT_FALSE(ReadMidiSong(QByteArray()).has_value());
  EXPECT_FALSE(ReadMidiSong(good.left(20)).has_value());  // the track is cut short
  EXPECT_FALSE(ReadMidiSong(QByteArray("MThd\0\0\0\6\0\1\0\0\0\x60", 14)).has_value());  // no track
  QByteArray notMidi = good;
  notMidi[0] = 'X';
  EXPECT_FALSE(ReadMidiSong(notMidi).has_value());

  // A RIFF MIDI file carries the same song in its data chunk.
  QByteArray riff("RIFF", 4);
  QByteArray body = QByteArray("RMID", 4) + QByteArray("data", 4);
  for (int shift = 0; shift < 32; shift += 8) body.append(static_cast<char>((good.size() >> shift) & 0xFF));
  body += good;
  for (int shift = 0; shift < 32; shift += 8) riff.append(static_cast<char>((body.size() >> shift) & 0xFF));
  riff += body;
  const auto song = ReadMidiSong(riff);
  ASSERT_TRUE(song.has_value());
  EXPECT_EQ(song->smf, good);
  EXPECT_EQ(song->presets, (std::vector<MidiPreset>{{0, 24}}));
}

TEST(MidiSong, MidiByContentOrName) {
  EXPECT_TRUE(LooksLikeMidi(QStringLiteral("tune.ogg"), QByteArray("MThd\0\0\0\6", 8)));
  EXPECT_TRUE(LooksLikeMidi(QStringLiteral("tune"), QByteArray("RIFF\0\0\0\0RMID", 12)));
  for (const char* name : {"a.mid", "b.MIDI", "c.rmi", "d.Kar"}) EXPECT_TRUE(LooksLikeMidi(QString::fromLatin1(name), "xxxx"));
  EXPECT_FALSE(LooksLikeMidi(QStringLiteral("tune.ogg"), QByteArray("OggS", 4)));
  EXPECT_FALSE(LooksLikeMidi(QStringLiteral("tune.wav"), QByteArray("RIFF\0\0\0\0WAVE", 12)));
}

}  // namespace
