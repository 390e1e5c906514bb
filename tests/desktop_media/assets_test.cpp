// The media the game ships: each file it names is there, compiled into the
// program as the game's loaders find it, and is what its generator makes today
// (so a change to a generator cannot go unshipped, and the generators stay
// deterministic).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QGuiApplication>
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
#include <tuple>
#include <vector>

#include "backgrounds/paint_kit.h"
#include "backgrounds/scenes.h"
#include "media.h"
#include "midi_file.h"
#include "music/tunes.h"
#include "pictures/pictures.h"
#include "sfx/effects.h"
#include "sfx/synth.h"
#include "sfx/wav_writer.h"

namespace fs = std::filesystem;

namespace {

using kalvitor::media::Background;
using kalvitor::media::EffectBytes;
using kalvitor::media::HasBackground;
using kalvitor::media::Picture;
using Bytes = std::vector<std::uint8_t>;
const fs::path kAssets = KALVITOR_ASSETS_DIR;

Bytes ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
QByteArray ToQt(const Bytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), std::ssize(b)); }
std::size_t Le(const Bytes& b, std::size_t at, int n) {
  std::size_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
  return v;
}

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

// Labels and buttons are drawn over the pictures in light colours: the
// picture as a whole stays dark, with hardly a near-white pixel.
void ExpectDarkEnoughForLightLabels(const QImage& img) {
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

// The generators paint under a Gui application, and a painter draws some
// things otherwise without one; it lives to the end of the run.
void EnsureGuiApplication() {
  static int argc = 1;
  static char name[] = "assets_test";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance() != nullptr) return;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  new QGuiApplication(argc, argv);
}

// A shipped picture: a baseline JPEG in the JFIF container.
void ExpectBaselineJpeg(const Bytes& jpeg) {
  ASSERT_GT(jpeg.size(), 20u);
  EXPECT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 10), "JFIF");
  EXPECT_EQ(FrameMarker(jpeg), 0xC0) << "not a baseline (SOF0) frame";
}

// The game asks for a picture by name in any letter case.
TEST(Backgrounds, EachIsABaselineJpegOfItsWindowsSizeDarkEnoughForLightLabelsAndTheGeneratorsOwn) {
  const std::tuple<const char*, int, int> pictures[] = {
      {"MAIN", 440, 520},   {"HARD", 239, 383}, {"SOFT", 280, 280},  {"WORK", 387, 282},
      {"SHOP", 317, 247},   {"HOSP", 232, 248}, {"HAPPY", 228, 247}, {"EDUC", 318, 303},
      {"FAMILY", 234, 281}, {"BANK", 203, 237}, {"NET", 311, 335},
  };
  ASSERT_EQ(bg::allBackgrounds().size(), std::size(pictures));
  EnsureGuiApplication();
  for (const auto& [upper, width, height] : pictures) {
    SCOPED_TRACE(upper);
    const Bytes jpeg = ReadAll(kAssets / "backgrounds" / (std::string(upper) + ".jpg"));
    ExpectBaselineJpeg(jpeg);
    const auto made = std::find_if(bg::allBackgrounds().begin(), bg::allBackgrounds().end(),
                                   [&](const bg::Background& b) { return std::string(b.name) == upper; });
    ASSERT_NE(made, bg::allBackgrounds().end());
    EXPECT_TRUE(ToQt(jpeg) == bg::baselineJpeg(bg::paint(*made))) << "not what the generator makes";
    const QString name = QString::fromLatin1(upper);
    EXPECT_TRUE(HasBackground(name.left(1) + name.mid(1).toLower()));
    const QImage img = Background(name.toLower());
    EXPECT_EQ(img, QImage::fromData(ToQt(jpeg), "JPG"));
    ASSERT_EQ(img.size(), QSize(width, height));
    ExpectDarkEnoughForLightLabels(img);
  }
}

// The pictures of the small dialogs' Image controls (the logo's words are
// labels laid over it), painted at twice the control's size for screens of
// double density.
TEST(Pictures, EachIsABaselineJpegOfTwiceItsControlsSizeDarkAndTheGeneratorsOwn) {
  const std::tuple<const char*, int, int> pictures[] = {{"VIRUS", 64, 64}, {"LOGO", 120, 96}};
  ASSERT_EQ(pictures::allPictures().size(), std::size(pictures));
  EnsureGuiApplication();
  for (const auto& [upper, width, height] : pictures) {
    SCOPED_TRACE(upper);
    const Bytes jpeg = ReadAll(kAssets / "pictures" / (std::string(upper) + ".jpg"));
    ExpectBaselineJpeg(jpeg);
    const auto made = std::find_if(pictures::allPictures().begin(), pictures::allPictures().end(),
                                   [&](const pictures::Picture& p) { return std::string(p.name) == upper; });
    ASSERT_NE(made, pictures::allPictures().end());
    EXPECT_TRUE(ToQt(jpeg) == bg::baselineJpeg(pictures::paint(*made))) << "not what the generator makes";
    const QImage img = Picture(QString::fromLatin1(upper).toLower());
    EXPECT_EQ(img, QImage::fromData(ToQt(jpeg), "JPG"));
    ASSERT_EQ(img.size(), QSize(2 * width, 2 * height));
    ExpectDarkEnoughForLightLabels(img);
    EXPECT_FALSE(HasBackground(QString::fromLatin1(upper))) << "a picture is no window's background";
  }
  for (const char* name : {"", "NOPE", "MAIN", "VIRUS.jpg", "../backgrounds/MAIN", "/pictures/LOGO"})
    EXPECT_TRUE(Picture(name).isNull()) << name;
}

// The game waits while an effect plays, so its length is part of the game's
// pace. The game asks for an effect by name in any letter case.
TEST(SoundEffects, EachIsMonoPcmOfItsLengthUnclippedSilentAtBothEndsAndTheGeneratorsOwn) {
  std::set<std::string> made;
  for (const sfx::Effect& effect : sfx::allEffects()) {
    sfx::Sound sound(effect.seconds);
    effect.build(sound);
    sfx::finish(sound, effect.peak, 0.002, effect.fadeOut);
    const fs::path tmp = fs::temp_directory_path() / ("kalvitor_assets_test_" + effect.name + ".wav");
    ASSERT_TRUE(sfx::writeWav(tmp.string(), sound));
    EXPECT_TRUE(ReadAll(tmp) == ReadAll(kAssets / "sfx" / (effect.name + ".wav"))) << effect.name;
    fs::remove(tmp);
    made.insert(effect.name);
  }
  const std::pair<const char*, double> effects[] = {
      {"LOGOSOUND", 1.8}, {"BUTTONS", 0.06}, {"WINDOWS", 0.9}, {"MESSAGES", 0.2},      {"MONTHUP", 1.4},
      {"YEARUP", 2.3},    {"MARRY", 1.9},    {"BABY", 4.4},    {"DIVORCE", 2.9},       {"WORK", 1.6},
      {"LOSE", 3.6},      {"WIN", 5.0},      {"DEAD", 0.9},    {"INCREASEMONEY", 1.4}, {"DECREASEMONEY", 1.5},
  };
  for (const auto& [name, seconds] : effects) {
    SCOPED_TRACE(name);
    EXPECT_EQ(made.count(name), 1u);
    const Bytes b = ReadAll(kAssets / "sfx" / (std::string(name) + ".wav"));
    EXPECT_EQ(EffectBytes(QString::fromLatin1(name).toLower()), ToQt(b));
    ASSERT_GT(b.size(), 44u + 200u);
    // The plain 44-byte header: RIFF WAVE, PCM, mono, 22050 Hz, 16 bits, data.
    const std::string tags = std::string(b.begin(), b.begin() + 4) + std::string(b.begin() + 8, b.begin() + 16);
    EXPECT_EQ(tags + std::string(b.begin() + 36, b.begin() + 40), "RIFFWAVEfmt data");
    const std::size_t fields[] = {Le(b, 4, 4), Le(b, 20, 2), Le(b, 22, 2), Le(b, 24, 4), Le(b, 34, 2), Le(b, 40, 4)};
    EXPECT_EQ(std::vector(std::begin(fields), std::end(fields)),
              (std::vector<std::size_t>{b.size() - 8, 1, 1, 22050, 16, b.size() - 44}));
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

TEST(MediaResources, UnknownNamesFindNothing) {
  // No path tricks into other resources, no effect by a picture's name or back.
  for (const char* name : {"", "NOPE", "MAIN.jpg", "WIN.wav", "MAIN ", "../sfx/WIN", "../backgrounds/MAIN",
                           "/backgrounds/MAIN", "/sfx/WIN"}) {
    EXPECT_FALSE(HasBackground(name)) << name;
    EXPECT_TRUE(Background(name).isNull()) << name;
    EXPECT_TRUE(EffectBytes(name).isEmpty()) << name;
  }
  EXPECT_FALSE(HasBackground(QStringLiteral("BUTTONS")));
  EXPECT_TRUE(EffectBytes(QStringLiteral("NET")).isEmpty());
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
    const auto song = kalvitor::media::ReadMidiSong(ToQt(file));
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
  auto count = [&text](const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  ASSERT_EQ(text.rfind("**ANECDOT DATA FILE**\r\n", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(count("\n"), count("\r\n")) << "a bare LF";
  EXPECT_EQ(count("\r"), count("\r\n")) << "a bare CR";
  EXPECT_EQ(count("\r\n\r\n"), 0u) << "an empty record";
  EXPECT_GE(count("\r\n"), 61u) << "the marker and sixty jokes";
  EXPECT_NE(text.find("<CRLF>"), std::string::npos) << "no joke uses the line break";
  EXPECT_EQ(count("\x98"), 0u) << "no character in CP1251";
  const auto high = std::count_if(b.begin(), b.end(), [](std::uint8_t c) { return c >= 0x80; });
  const auto cyrillic = std::count_if(b.begin(), b.end(), [](std::uint8_t c) { return c >= 0xC0; });
  EXPECT_GT(cyrillic, high * 8 / 10) << "most high bytes should be CP1251 letters";
  EXPECT_EQ(text.find("\xD0\xBE"), std::string::npos) << "looks like UTF-8";
  for (const char* name : {"readme.txt", "license.txt", "tips.txt"})
    EXPECT_GT(ReadAll(kAssets / name).size(), 500u) << name;
}

}  // namespace
