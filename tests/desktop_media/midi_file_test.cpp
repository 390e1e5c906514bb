// The MIDI reader and the cut-down soundfont. The music player loads exactly
// the instruments a song uses before it starts: a missed one would be read
// while the music sounds, an extra one would waste memory. FluidSynth must
// sound a song with the cut font exactly as with the whole General MIDI font.
#include "midi_file.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sound_font.h"

namespace kalvitor::media::testing {  // shared with media_test.cpp

// A number in so many bytes, most significant first (MIDI) or last (RIFF).
QByteArray Number(uint32_t v, int bytes, bool bigEndian = true) {
  QByteArray out;
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((v >> ((bigEndian ? bytes - 1 - i : i) * 8)) & 0xFF));
  return out;
}

// A standard MIDI file of 96 ticks a beat at 120 beats a minute; each track
// is "delta status data..." events written as hex bytes, its end added.
QByteArray SongBytes(const std::vector<std::string>& tracks) {
  const auto count = static_cast<uint32_t>(tracks.size());
  QByteArray midi = QByteArray("MThd", 4) + Number(6, 4) + Number(1, 2) + Number(count, 2) + Number(96, 2);
  for (const std::string& hex : tracks) {
    QByteArray body = QByteArray::fromHex(QByteArray::fromStdString("00FF510307A120 " + hex + " 00FF2F00"));
    midi += QByteArray("MTrk", 4) + Number(static_cast<uint32_t>(body.size()), 4) + body;
  }
  return midi;
}

}  // namespace kalvitor::media::testing

namespace {

using kalvitor::media::LooksLikeMidi;
using kalvitor::media::MidiNote;
using kalvitor::media::MidiPreset;
using kalvitor::media::MidiSong;
using kalvitor::media::ReadMidiSong;
using kalvitor::media::SoundFontIndex;
using kalvitor::media::testing::Number;
using kalvitor::media::testing::SongBytes;

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

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
    {"system exclusive is stepped over", {"00F003010203 00C034 00903C40"}, {{0, 52}}},
    {"a track that breaks off keeps what came before", {"00C004 00903C40 00F5"}, {{0, 4}}},
};

TEST(MidiSong, InstrumentsOfTheNotes) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const QByteArray midi = SongBytes(c.tracks);
    const auto song = ReadMidiSong(midi);
    ASSERT_TRUE(song.has_value());
    EXPECT_EQ(song->presets, c.presets);
    EXPECT_EQ(song->smf, midi);
  }
}

TEST(MidiSong, FirstInstrumentOfEachChannel) {
  const auto song = ReadMidiSong(SongBytes({"00903C40 00C028 00903C40 00994240 00C31C 00933C40"}));
  ASSERT_TRUE(song.has_value());
  const std::optional<MidiPreset> expected[16] = {MidiPreset{0, 0},  {}, {}, MidiPreset{0, 28}, {}, {}, {}, {}, {},
                                                  MidiPreset{128, 0}};
  for (int channel = 0; channel < 16; ++channel) EXPECT_EQ(song->firstPreset[channel], expected[channel]) << channel;
}

TEST(MidiSong, OnlyWholeSongsAreSongsAndRiffCarriesOne) {
  const QByteArray good = SongBytes({"00C018 00903C40"});
  QByteArray notMidi = good;
  notMidi[0] = 'X';
  for (const QByteArray& bad : {QByteArray(), good.left(30), notMidi, good.left(14)}) {
    EXPECT_FALSE(ReadMidiSong(bad).has_value()) << bad.size();  // the last: a header without a track
  }
  // A RIFF MIDI file carries the song in its "data" chunk (sizes little-endian).
  const QByteArray body = QByteArray("RMIDdata") + Number(good.size(), 4, false) + good;
  const auto song = ReadMidiSong(QByteArray("RIFF") + Number(body.size(), 4, false) + body);
  ASSERT_TRUE(song.has_value());
  EXPECT_EQ(song->smf, good);
  EXPECT_EQ(song->presets, (std::vector<MidiPreset>{{0, 24}}));
}

TEST(MidiSong, MidiByContentOrName) {
  EXPECT_TRUE(LooksLikeMidi(QStringLiteral("tune.ogg"), QByteArray("MThd\0\0\0\6", 8)));
  EXPECT_TRUE(LooksLikeMidi(QStringLiteral("tune"), QByteArray("RIFF\0\0\0\0RMID", 12)));
  for (const char* name : {"a.mid", "b.MIDI", "c.rmi", "d.Kar"}) EXPECT_TRUE(LooksLikeMidi(name, "xxxx")) << name;
  EXPECT_FALSE(LooksLikeMidi(QStringLiteral("tune.ogg"), QByteArray("OggS", 4)));
  EXPECT_FALSE(LooksLikeMidi(QStringLiteral("tune.wav"), QByteArray("RIFF\0\0\0\0WAVE", 12)));
}

// Two seconds of the song from a fresh synthesizer with the given font.
std::vector<int16_t> Render(const std::string& font, const MidiSong& song) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);  // the whole font: only what plays
  fluid_settings_setint(settings, "synth.lock-memory", 0);
  fluid_synth_t* synth = new_fluid_synth(settings);
  std::vector<int16_t> out;
  if (fluid_synth_sfload(synth, font.c_str(), 1) >= 0) {
    fluid_player_t* player = new_fluid_player(synth);
    fluid_player_add_mem(player, song.smf.constData(), song.smf.size());
    fluid_player_play(player);
    out.resize(44100 * 2 * 2);
    fluid_synth_write_s16(synth, 44100 * 2, out.data(), 0, 2, out.data(), 1, 2);
    delete_fluid_player(player);
  }
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return out;
}

TEST(SoundFontCut, SoundsAsTheWholeFontWithAFractionOfIt) {
  if (!QFile::exists(QString::fromLatin1(kSoundFont))) GTEST_SKIP() << "no General MIDI soundfont installed";
  SoundFontIndex index;
  ASSERT_TRUE(index.Read(kSoundFont));
  // Piano notes soft and loud, a change to strings, drums on channel 10 and
  // a bank the font lacks (its instrument comes from bank 0).
  const auto song =
      ReadMidiSong(SongBytes({"00903C20 30903C00 00907F7F 30907F00 00C030 00904860 30904800 "
                              "00992460 00992A40 30992400 00B1000B 00C118 00914050 60914000"}));
  ASSERT_TRUE(song.has_value());
  QTemporaryFile cut;
  ASSERT_TRUE(cut.open() && index.WriteCut(song->notes, cut) && cut.flush());
  // A fraction of the 140 MB: a few zones of four instruments.
  EXPECT_LT(cut.size(), 8 * 1024 * 1024);

  const std::vector<int16_t> whole = Render(kSoundFont, *song);
  ASSERT_FALSE(whole.empty());
  EXPECT_GT(*std::max_element(whole.begin(), whole.end()), 1000);  // there is something to compare
  EXPECT_EQ(Render(cut.fileName().toStdString(), *song), whole);
}

TEST(SoundFontCut, NotASoundFontIsRefused) {
  SoundFontIndex index;
  EXPECT_FALSE(index.Read("/nonexistent/font.sf2"));
  EXPECT_FALSE(index.Read("/proc/self/exe"));  // a file, but not a soundfont
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  EXPECT_FALSE(index.WriteCut({MidiNote{{0, 0}, 60, 100}}, out));
}

}  // namespace
