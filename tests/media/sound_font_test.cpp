// The cut-down soundfont: FluidSynth must sound a song with it exactly as
// with the whole General MIDI soundfont, and it must hold only a small part
// of the whole.
#include "sound_font.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace {

using kalvitor::media::MidiNote;
using kalvitor::media::MidiSong;
using kalvitor::media::ReadMidiSong;
using kalvitor::media::SoundFontIndex;

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

QByteArray Be(uint32_t v, int bytes) {
  QByteArray out;
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out.append(static_cast<char>((v >> shift) & 0xFF));
  return out;
}

// One track of hex events; tempo 500000 us per beat, 96 ticks per beat.
QByteArray Song(const std::string& hex) {
  QByteArray body = QByteArray::fromHex("00FF510307A120") + QByteArray::fromHex(QByteArray::fromStdString(hex));
  body.append("\x00\xFF\x2F\x00", 4);
  return QByteArray("MThd", 4) + Be(6, 4) + Be(0, 2) + Be(1, 2) + Be(96, 2) + QByteArray("MTrk", 4) +
         Be(static_cast<uint32_t>(body.size()), 4) + body;
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
  const auto song = ReadMidiSong(Song(
      "00903C20 30903C00 00907F7F 30907F00 00C030 00904860 30904800 00992460 00992A40 30992400 00B1000B 00C118 "
      "00914050 60914000"));
  ASSERT_TRUE(song.has_value());

  QTemporaryDir folder;
  const QString cutPath = folder.filePath(QStringLiteral("cut.sf2"));
  QFile cut(cutPath);
  ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
  ASSERT_TRUE(index.WriteCut(song->notes, cut));
  cut.close();
  // A fraction of the 140 MB: a few zones of four instruments.
  EXPECT_LT(cut.size(), 8 * 1024 * 1024);
  EXPECT_GT(cut.size(), 1024);

  const std::vector<int16_t> whole = Render(kSoundFont, *song);
  const std::vector<int16_t> part = Render(cutPath.toStdString(), *song);
  ASSERT_FALSE(whole.empty());
  ASSERT_EQ(part.size(), whole.size());
  int loudest = 0;
  for (int16_t v : whole) loudest = std::max(loudest, std::abs(static_cast<int>(v)));
  EXPECT_GT(loudest, 1000);  // there is something to compare
  EXPECT_EQ(part, whole);
}

TEST(SoundFontCut, NotASoundFontIsRefused) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("not.sf2"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("RIFF\x04\0\0\0WAVE", 12);
  file.close();
  SoundFontIndex index;
  EXPECT_FALSE(index.Read(path.toStdString()));
  EXPECT_FALSE(index.Read(folder.filePath(QStringLiteral("missing.sf2")).toStdString()));
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  EXPECT_FALSE(index.WriteCut({MidiNote{{0, 0}, 60, 100}}, out));
}

}  // namespace
