// The compiled-in pictures and sounds, and real playback through SDL's "disk"
// audio driver (it writes what would be heard into a file at the device's
// own pace), so lengths, silence and overlaps can be measured.
#include "media.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using kalvitor::media::Audio;
using kalvitor::media::Background;
using kalvitor::media::EffectBytes;
using kalvitor::media::HasBackground;
using Clock = std::chrono::steady_clock;

struct Picture {
  const char* name;
  int width;
  int height;
};

const Picture kPictures[] = {
    {"MAIN", 440, 520},   {"HARD", 239, 383}, {"SOFT", 280, 280},  {"WORK", 387, 282},
    {"SHOP", 317, 247},   {"HOSP", 232, 248}, {"HAPPY", 228, 247}, {"EDUC", 318, 303},
    {"FAMILY", 234, 281}, {"BANK", 203, 237}, {"NET", 311, 335},
};

const char* const kEffects[] = {"LOGOSOUND", "BUTTONS", "WINDOWS", "MESSAGES",      "MONTHUP",
                                "YEARUP",    "MARRY",   "BABY",    "DIVORCE",       "WORK",
                                "LOSE",      "WIN",     "DEAD",    "INCREASEMONEY", "DECREASEMONEY"};

// Effects are plain WAVE files with the 44-byte header, mono, 16-bit, 22050
// Hz (the shipped files' headers are checked by the assets test).
double Seconds(const QByteArray& wav) { return static_cast<double>(wav.size() - 44) / (22050 * 2); }

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Sends everything the mixer plays into a file of signed 16-bit stereo
// frames; Open() must come after this object is made.
class DiskAudio {
 public:
  DiskAudio() {
    path_ = dir_.filePath(QStringLiteral("out.raw")).toStdString();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
  }

  struct Output {
    qsizetype bytes = 0;
    int peak = 0;
    qsizetype loudSamples = 0;  // samples above a tenth of full scale
  };

  Output Read() const {
    Output out;
    QFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::ReadOnly)) return out;
    const QByteArray raw = file.readAll();
    out.bytes = raw.size();
    for (qsizetype i = 0; i + 1 < raw.size(); i += 2) {
      int16_t v = 0;
      std::memcpy(&v, raw.constData() + i, 2);
      out.peak = std::max(out.peak, std::abs(static_cast<int>(v)));
      out.loudSamples += std::abs(static_cast<int>(v)) > 3276;
    }
    return out;
  }

 private:
  QTemporaryDir dir_;
  std::string path_;
};

constexpr double kDeviceBytesPerSecond = 44100.0 * 2 * 2;

TEST(MediaResources, BackgroundsDecodeAtTheirSizesInAnyCase) {
  for (const Picture& p : kPictures) {
    SCOPED_TRACE(p.name);
    const QString upper = QString::fromLatin1(p.name);
    const QString lower = upper.toLower();
    const QString mixed = upper.left(1) + lower.mid(1);
    EXPECT_TRUE(HasBackground(upper));
    EXPECT_TRUE(HasBackground(mixed));
    const QImage image = Background(lower);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), p.width);
    EXPECT_EQ(image.height(), p.height);
    EXPECT_EQ(image, Background(upper));
    // Carried as JPEG, like every window picture of the game.
    QFile file(QStringLiteral(":/backgrounds/") + upper + QStringLiteral(".jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(3) == QByteArray("\xFF\xD8\xFF", 3));
  }
}

TEST(MediaResources, EffectsAreWavesInAnyCase) {
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    const QString upper = QString::fromLatin1(name);
    const QByteArray bytes = EffectBytes(upper.toLower());
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(bytes, EffectBytes(upper));
    EXPECT_TRUE(bytes.startsWith("RIFF") && bytes.mid(8, 8) == "WAVEfmt ");
    EXPECT_EQ(bytes.mid(36, 4), "data");
    EXPECT_GT(Seconds(bytes), 0.03);
  }
}

TEST(MediaResources, UnknownNamesFindNothing) {
  for (const char* name : {"", "NOPE", "MAIN.jpg", "MAIN ", "../sfx/WIN", "/backgrounds/MAIN", "BUTTONS"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(HasBackground(QString::fromLatin1(name)));
    EXPECT_TRUE(Background(QString::fromLatin1(name)).isNull());
  }
  for (const char* name : {"", "NOPE", "WIN.wav", "../backgrounds/MAIN", "NET"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(EffectBytes(QString::fromLatin1(name)).isEmpty());
  }
}

TEST(MediaPlayback, EffectsBlockForTheirLengthOneAfterAnotherAndAreHeard) {
  DiskAudio disk;
  const QByteArray wav = EffectBytes(QStringLiteral("MONTHUP"));
  const double length = Seconds(wav);
  ASSERT_GT(length, 0.5);
  double elapsed = 0;
  {
    Audio audio;
    ASSERT_TRUE(audio.Open());
    EXPECT_TRUE(audio.IsOpen());
    int pumps = 0;
    const auto start = Clock::now();
    audio.PlayEffect(wav, [&pumps] { ++pumps; });
    elapsed = SecondsSince(start);
    // It blocks for at least its length (a loaded machine only makes that
    // longer), and the windows keep painting meanwhile.
    EXPECT_GE(elapsed, length * 0.9);
    EXPECT_GE(pumps, 5);

    // Bytes that do not decode, and no bytes at all, play nothing: at most
    // the moment the sound thread takes to say so, not a sound's length.
    int idle = 0;
    audio.PlayEffect(QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24), [&idle] { ++idle; });
    audio.PlayEffect(QByteArray(), [&idle] { ++idle; });
    EXPECT_LT(idle, pumps / 4);

    // Two in a row play one after the other, not mixed.
    const QByteArray first = EffectBytes(QStringLiteral("WINDOWS"));
    const QByteArray second = EffectBytes(QStringLiteral("DEAD"));
    auto from = Clock::now();
    audio.PlayEffect(first, [] {});
    audio.PlayEffect(second, [] {});
    EXPECT_GE(SecondsSince(from), (Seconds(first) + Seconds(second)) * 0.9);

    // An idle device is let go and comes back for the next sound.
    audio.CloseIdleDevice(60000);  // not idle long enough: stays open
    audio.CloseIdleDevice(0);      // lets it go
    EXPECT_TRUE(audio.IsOpen());   // a device is still there to be had
    from = Clock::now();
    audio.PlayEffect(wav, [] {});
    EXPECT_GE(SecondsSince(from), length * 0.9);  // really played, on a device opened again
  }
  const DiskAudio::Output out = disk.Read();
  EXPECT_GE(static_cast<double>(out.bytes), length * kDeviceBytesPerSecond * 0.75);
  EXPECT_GT(out.peak, 8000);
  // Heard for a good part of its length (both channels count).
  EXPECT_GT(static_cast<double>(out.loudSamples), length * 0.3 * 44100 * 2);
}

TEST(MediaPlayback, EffectStartedDuringAnotherCutsIt) {
  // A click handled while a long effect plays starts its own sound: the long
  // one stops, and both calls return once the short one has ended.
  DiskAudio disk;
  const QByteArray longOne = EffectBytes(QStringLiteral("LOGOSOUND"));
  const QByteArray click = EffectBytes(QStringLiteral("BUTTONS"));
  Audio audio;
  ASSERT_TRUE(audio.Open());
  bool clicked = false;
  const auto start = Clock::now();
  audio.PlayEffect(longOne, [&] {
    if (clicked || SecondsSince(start) < 0.1) return;
    clicked = true;
    audio.PlayEffect(click, [] {});
  });
  EXPECT_TRUE(clicked);
  // Cut: far shorter than the long effect would have taken.
  EXPECT_LT(SecondsSince(start), Seconds(longOne) * 0.75);
}

bool SoundLibrariesLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libSDL2_mixer");
}

TEST(MediaPlayback, SoundLibrariesLoadWithTheFirstSoundAndItIsHeard) {
  // The program starts with Qt's libraries only.
  if (SoundLibrariesLoaded()) GTEST_SKIP() << "an earlier test in this process loaded them";
  DiskAudio disk;
  const QByteArray wav = EffectBytes(QStringLiteral("MONTHUP"));
  {
    Audio audio;
    audio.Enable();
    EXPECT_TRUE(audio.IsOpen());
    audio.MusicStop();
    audio.CloseIdleDevice(0);
    EXPECT_FALSE(SoundLibrariesLoaded());
    int pumps = 0;
    audio.PlayEffect(wav, [&pumps] { ++pumps; });
    EXPECT_TRUE(SoundLibrariesLoaded());
    EXPECT_GT(pumps, 0);
  }
  EXPECT_GT(disk.Read().peak, 8000);
}

TEST(MediaPlayback, WithoutDeviceEverythingIsSilentAndImmediate) {
  setenv("SDL_AUDIODRIVER", "kalvitor_no_such_driver", 1);
  Audio audio;
  EXPECT_FALSE(audio.Open());
  EXPECT_FALSE(audio.IsOpen());
  int pumps = 0;
  audio.PlayEffect(EffectBytes(QStringLiteral("WIN")), [&pumps] { ++pumps; });
  EXPECT_EQ(pumps, 0);  // returned at once: no waiting loop ran
  audio.MusicSetFile("/nonexistent/tune.mid");
  audio.MusicPlay();
  EXPECT_EQ(audio.MusicState(), 0);
  audio.MusicStop();
}

// A one-second tune: four quarter notes at 120 beats per minute.
QByteArray TinyMidi() {
  QByteArray track;
  track.append("\x00\xFF\x51\x03\x07\xA1\x20", 7);  // tempo 500000 us per beat
  track.append("\x00\xC0\x00", 3);                  // piano
  for (const char note : {'\x3C', '\x40', '\x43', '\x48'}) {
    track.append('\x00').append('\x90').append(note).append('\x64');
    track.append('\x81').append('\x70').append('\x80').append(note).append('\x40');  // 240 ticks later
  }
  track.append("\x00\xFF\x2F\x00", 4);
  QByteArray midi("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0", 14);  // format 0, 480 ticks per beat
  midi.append("MTrk", 4);
  const auto size = static_cast<uint32_t>(track.size());
  for (int shift = 24; shift >= 0; shift -= 8) midi.append(static_cast<char>((size >> shift) & 0xFF));
  return midi.append(track);
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool WaitForState(const Audio& audio, int state, double seconds) {
  const auto start = Clock::now();
  while (audio.MusicState() != state) {
    if (SecondsSince(start) > seconds) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

TEST(MediaMusic, BrokenFileStaysStoppedGoodOnePlaysOnceToItsEnd) {
  if (!QFile::exists(QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2"))) {
    GTEST_SKIP() << "no General MIDI soundfont installed";
  }
  DiskAudio disk;
  QTemporaryDir folder;
  const QString good = folder.filePath(QStringLiteral("good.mid"));
  const QString broken = folder.filePath(QStringLiteral("broken.mid"));
  ASSERT_TRUE(WriteFile(good, TinyMidi()));
  ASSERT_TRUE(WriteFile(broken, QByteArray(4000, '\x5A')));
  const QString truncated = folder.filePath(QStringLiteral("truncated.mid"));
  ASSERT_TRUE(WriteFile(truncated, TinyMidi().left(30)));
  {
    Audio audio;
    ASSERT_TRUE(audio.Open());
    EXPECT_EQ(audio.MusicState(), 0);

    for (const QString& bad : {broken, truncated, folder.filePath(QStringLiteral("missing.mid"))}) {
      SCOPED_TRACE(bad.toStdString());
      audio.MusicSetFile(bad.toStdString());
      audio.MusicPlay();
      audio.Settle();  // the audio thread has tried it
      EXPECT_EQ(audio.MusicState(), 0);
    }

    audio.MusicSetFile(good.toStdString());
    EXPECT_EQ(audio.MusicState(), 0);
    audio.MusicPlay();
    EXPECT_EQ(audio.MusicState(), 1);
    const auto start = Clock::now();
    audio.Settle();
    EXPECT_EQ(audio.MusicState(), 1);
    audio.MusicPlay();  // starting it again does not restart it
    EXPECT_EQ(audio.MusicState(), 1);
    // Played once, not looped: the state falls to 0 at the tune's end.
    ASSERT_TRUE(WaitForState(audio, 0, 8.0));
    EXPECT_GT(SecondsSince(start), 0.6);

    // A finished tune starts again; a new file stops the old one at once.
    audio.MusicPlay();
    audio.Settle();
    EXPECT_EQ(audio.MusicState(), 1);
    audio.MusicSetFile(broken.toStdString());
    EXPECT_EQ(audio.MusicState(), 0);
    audio.MusicPlay();
    audio.Settle();
    EXPECT_EQ(audio.MusicState(), 0);

    audio.MusicSetFile(good.toStdString());
    audio.MusicPlay();
    audio.Settle();
    EXPECT_EQ(audio.MusicState(), 1);
    audio.MusicStop();
    EXPECT_EQ(audio.MusicState(), 0);
  }
  // The soundfont really made sound.
  const DiskAudio::Output out = disk.Read();
  EXPECT_GT(out.peak, 2000);
  EXPECT_GT(out.loudSamples, 1000);
}

}  // namespace
