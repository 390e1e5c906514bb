// The media the game ships: each file it names is there and is what its
// generator makes today (so a change to a generator cannot go unshipped, and
// the generators are deterministic), every background is a baseline JPEG dark
// enough for light labels, every effect lasts as long as the game waits for it
// and starts and ends in silence, every tune is read by the game's own MIDI
// reader, and the jokes file is CP1251 text with CR LF line ends.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "midi_file.h"
#include "music/tunes.h"
#include "sfx/effects.h"
#include "sfx/synth.h"
#include "sfx/wav_writer.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;
const fs::path kAssets = KALVITOR_ASSETS_DIR;

Bytes ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
std::uint32_t Le(const Bytes& b, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
  return v;
}

const char* const kBackgrounds[] = {"MAIN", "HARD", "SOFT", "WORK",   "SHOP", "HOSP",
                                    "HAPPY", "EDUC", "FAMILY", "BANK", "NET"};

// The first frame marker (SOFn) met by walking the segments, 0 if none.
int FrameMarker(const Bytes& jpeg) {
  for (std::size_t at = 2; at + 4 <= jpeg.size() && jpeg[at] == 0xFF;) {
    const int marker = jpeg[at + 1];
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) return marker;
    if (marker == 0xDA) return 0;
    at += 2 + ((std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
  }
  return 0;
}

// Labels and buttons are drawn over the pictures in light colours.
TEST(Backgrounds, EachIsABaselineJpegDarkEnoughForLightLabels) {
  for (const char* name : kBackgrounds) {
    SCOPED_TRACE(name);
    const fs::path path = kAssets / "backgrounds" / (std::string(name) + ".jpg");
    const Bytes jpeg = ReadAll(path);
    ASSERT_GT(jpeg.size(), 20u);
    EXPECT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 10), "JFIF");
    EXPECT_EQ(FrameMarker(jpeg), 0xC0) << "not a baseline (SOF0) frame";
    QImage img;
    ASSERT_TRUE(img.load(QString::fromStdString(path.string()), "JPG"));
    double sum = 0.0;
    int bright = 0;
    for (int y = 0; y < img.height(); ++y) {
      for (int x = 0; x < img.width(); ++x) {
        const int lum = qGray(img.pixel(x, y));
        sum += lum;
        bright += lum > 200;
      }
    }
    const double pixels = static_cast<double>(img.width()) * img.height();
    EXPECT_LT(sum / pixels, 90.0) << "mean brightness";
    EXPECT_GT(sum / pixels, 15.0) << "so dark it shows nothing";
    EXPECT_LT(bright / pixels, 0.02) << "share of near-white pixels";
  }
}

// name, seconds: the game waits while an effect plays, so its length is
// part of the game's pace.
const std::pair<const char*, double> kEffects[] = {
    {"LOGOSOUND", 1.8}, {"BUTTONS", 0.06}, {"WINDOWS", 0.9}, {"MESSAGES", 0.2},      {"MONTHUP", 1.4},
    {"YEARUP", 2.3},    {"MARRY", 1.9},    {"BABY", 4.4},    {"DIVORCE", 2.9},       {"WORK", 1.6},
    {"LOSE", 3.6},      {"WIN", 5.0},      {"DEAD", 0.9},    {"INCREASEMONEY", 1.4}, {"DECREASEMONEY", 1.5},
};

TEST(SoundEffects, EachIsMonoPcmOfItsLengthUnclippedAndSilentAtBothEnds) {
  for (const auto& [name, seconds] : kEffects) {
    SCOPED_TRACE(name);
    const Bytes b = ReadAll(kAssets / "sfx" / (std::string(name) + ".wav"));
    ASSERT_GT(b.size(), 44u + 200u);
    // The plain 44-byte header: RIFF WAVE, PCM, mono, 22050 Hz, 16 bits, data.
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4) + std::string(b.begin() + 8, b.begin() + 16), "RIFFWAVEfmt ");
    EXPECT_EQ(Le(b, 4, 4) + 8, b.size());
    EXPECT_EQ(std::vector<std::uint32_t>({Le(b, 20, 2), Le(b, 22, 2), Le(b, 24, 4), Le(b, 34, 2)}),
              std::vector<std::uint32_t>({1, 1, 22050, 16}));
    ASSERT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    ASSERT_EQ(Le(b, 40, 4), b.size() - 44);
    std::vector<int> s;
    for (std::size_t i = 44; i + 1 < b.size(); i += 2) s.push_back(static_cast<std::int16_t>(Le(b, i, 2)));
    EXPECT_NEAR(s.size() / 22050.0, seconds, seconds * 0.10);
    int peak = 0;
    for (int x : s) peak = std::max(peak, std::abs(x));
    EXPECT_LT(peak, 32767 * 95 / 100) << "clipped or too hot";
    EXPECT_GT(peak, 32767 / 10) << "nearly silent";
    EXPECT_LT(std::abs(s.front()), 330) << "a click at the start";
    EXPECT_LT(std::abs(s.back()), 330) << "a click at the end";
  }
}

TEST(SoundEffects, TheShippedFilesAreWhatTheGeneratorMakes) {
  std::set<std::string> made;
  for (const sfx::Effect& effect : sfx::allEffects()) {
    SCOPED_TRACE(effect.name);
    made.insert(effect.name);
    sfx::Sound sound(effect.seconds);
    effect.build(sound);
    sfx::finish(sound, effect.peak, 0.002, effect.fadeOut);
    const fs::path tmp = fs::temp_directory_path() / ("kalvitor_assets_test_" + effect.name + ".wav");
    ASSERT_TRUE(sfx::writeWav(tmp.string(), sound));
    const Bytes fresh = ReadAll(tmp);
    fs::remove(tmp);
    EXPECT_TRUE(fresh == ReadAll(kAssets / "sfx" / (effect.name + ".wav")));
  }
  for (const auto& effect : kEffects) EXPECT_EQ(made.count(effect.first), 1u) << effect.first;
}

// The game plays every file of its music folder; each must be a whole song
// for the game's reader, last one to three minutes, and be what the
// generator makes.
TEST(Music, EachTuneIsReadByTheGameLastsOneToThreeMinutesAndIsTheGeneratorsOwn) {
  std::set<std::string> shipped;
  for (const auto& entry : fs::directory_iterator(kAssets / "music")) shipped.insert(entry.path().filename().string());
  std::set<std::string> made;
  for (const tunes::Tune& tune : tunes::allTunes()) {
    SCOPED_TRACE(tune.fileName);
    made.insert(tune.fileName);
    const Bytes file = ReadAll(kAssets / "music" / tune.fileName);
    EXPECT_TRUE(file == tune.song.encode());
    const auto song =
        kalvitor::media::ReadMidiSong(QByteArray(reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size())));
    ASSERT_TRUE(song.has_value());
    EXPECT_GE(song->presets.size(), 2u) << "instruments";
    EXPECT_GE(song->notes.size(), 20u) << "distinct notes";
    EXPECT_GE(tune.seconds, 60.0);
    EXPECT_LE(tune.seconds, 180.0);
  }
  EXPECT_GE(made.size(), 4u);
  EXPECT_EQ(shipped, made);
}

TEST(Anecdotes, SixtyJokesInCp1251UnderTheMarkerWithCrLfOnEveryLine) {
  const Bytes b = ReadAll(kAssets / "anecdot.dat");
  const std::string text(b.begin(), b.end());
  const std::string marker = "**ANECDOT DATA FILE**\r\n";
  ASSERT_EQ(text.substr(0, marker.size()), marker);
  ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
  int lines = 0, cyrillic = 0, high = 0;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] == '\n') {
      ++lines;
      ASSERT_EQ(b[i - 1], '\r') << "bare LF at byte " << i;
      if (i + 1 < b.size()) {
        ASSERT_NE(b[i + 1], '\r') << "empty record at byte " << i;
      }
    }
    if (b[i] == '\r') {
      ASSERT_EQ(b.at(i + 1), '\n') << "bare CR at byte " << i;
    }
    EXPECT_NE(b[i], 0x98) << "no character in CP1251";
    cyrillic += b[i] >= 0xC0;
    high += b[i] >= 0x80;
  }
  EXPECT_GE(lines - 1, 60);
  EXPECT_NE(text.find("<CRLF>"), std::string::npos) << "no joke uses the line break";
  EXPECT_GT(cyrillic, high * 8 / 10) << "most high bytes should be CP1251 letters";
  EXPECT_EQ(text.find("\xD0\xBE"), std::string::npos) << "looks like UTF-8";
  for (const char* name : {"readme.txt", "license.txt"}) EXPECT_GT(ReadAll(kAssets / name).size(), 500u) << name;
}

}  // namespace
