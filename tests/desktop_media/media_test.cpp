// Real playback of effects and music through SDL's "disk" audio driver (it
// writes what would be heard into a file at the device's own pace), so
// lengths, silence and cuts can be measured. The bounds on time are one-sided
// or wide: a loaded machine only makes playing slower.
#include "media.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace kalvitor::media::testing {
QByteArray SongBytes(const std::vector<std::string>& tracks);  // in midi_file_test.cpp
}  // namespace kalvitor::media::testing

namespace {

using kalvitor::media::Audio;
using kalvitor::media::EffectBytes;
using Clock = std::chrono::steady_clock;

// Effects are mono, 16-bit, 22050 Hz after a 44-byte header (assets test).
double Seconds(const QByteArray& wav) { return static_cast<double>(wav.size() - 44) / (22050 * 2); }

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Sends everything the mixer plays into a file of signed 16-bit samples;
// Audio objects must be made after this one.
class DiskAudio {
 public:
  DiskAudio() {
    path_ = dir_.filePath(QStringLiteral("out.raw")).toStdString();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
  }

  // How many samples were louder than a tenth of full scale.
  qsizetype LoudSamples() const {
    QFile file(QString::fromStdString(path_));
    const QByteArray raw = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    qsizetype loud = 0;
    for (qsizetype i = 0; i + 1 < raw.size(); i += 2) {
      int16_t v = 0;
      std::memcpy(&v, raw.constData() + i, 2);
      loud += std::abs(static_cast<int>(v)) > 3276;
    }
    return loud;
  }

 private:
  QTemporaryDir dir_;
  std::string path_;
};

bool SoundLibrariesLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libSDL2_mixer");
}

TEST(MediaPlayback, EffectsBlockForTheirLengthOneAfterAnotherCutEachOtherAndAreHeard) {
  // The program starts with Qt's libraries only, and the first sound loads
  // the sound ones: seen when this test has a process of its own (ctest).
  const bool alone = !SoundLibrariesLoaded();
  DiskAudio disk;
  double played = 0;
  Audio audio;
  audio.Enable();
  audio.MusicStop();
  audio.CloseIdleDevice(0);
  EXPECT_FALSE(alone && SoundLibrariesLoaded()) << "nothing asked for a sound yet";
  // Each blocks for at least its length, one after the other, and the
  // windows keep painting meanwhile (pumped about every 10 ms).
  for (const char* name : {"MONTHUP", "WINDOWS", "DEAD"}) {
    const QByteArray wav = EffectBytes(QString::fromLatin1(name));
    int pumps = 0;
    const auto start = Clock::now();
    audio.PlayEffect(wav, [&pumps] { ++pumps; });
    EXPECT_GE(SecondsSince(start), Seconds(wav) * 0.9) << name;
    EXPECT_GE(pumps, 5) << name;
    played += Seconds(wav);
  }
  // Heard for a good part of their length (both channels count).
  EXPECT_GT(static_cast<double>(disk.LoudSamples()), played * 0.3 * 44100 * 2);

  // Bytes that do not decode, and no bytes at all, play nothing: they return
  // as soon as the sound thread says so, not after the ten seconds an
  // effect may wait for its start.
  auto start = Clock::now();
  audio.PlayEffect(QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24), [] {});
  audio.PlayEffect(QByteArray(), [] {});
  EXPECT_LT(SecondsSince(start), 3.0);

  // An idle device is let go, and comes back for the next sound. A click
  // handled while that long effect plays starts its own sound: the long one
  // stops, and both calls return once the short one has ended.
  audio.CloseIdleDevice(0);
  const QByteArray longOne = EffectBytes(QStringLiteral("LOGOSOUND"));
  bool clicked = false;
  start = Clock::now();
  audio.PlayEffect(longOne, [&] {
    if (clicked || SecondsSince(start) < 0.1) return;
    clicked = true;
    audio.PlayEffect(EffectBytes(QStringLiteral("BUTTONS")), [] {});
  });
  EXPECT_TRUE(clicked);
  EXPECT_LT(SecondsSince(start), Seconds(longOne) * 0.75);
  // Nothing of the long one after the cut, nor of the sounds before the
  // device was let go: the file starts anew when the device opens again.
  std::this_thread::sleep_for(std::chrono::duration<double>(Seconds(longOne)));
  EXPECT_LT(disk.LoudSamples(), 20000);
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
}

TEST(MediaMusic, BrokenFileStaysStoppedGoodOnePlaysOnceToItsEnd) {
  if (!QFile::exists(QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2"))) {
    GTEST_SKIP() << "no General MIDI soundfont installed";
  }
  DiskAudio disk;
  QTemporaryDir folder;
  auto path = [&folder](const char* name) { return folder.filePath(QString::fromLatin1(name)).toStdString(); };
  // A one-second tune: four piano notes of a quarter second each. Junk goes
  // to the MIDI reader by its name, or to the mixer's decoders.
  const QByteArray tune = kalvitor::media::testing::SongBytes(
      {"00C000 00903C64 30803C40 00904064 30804040 00904364 30804340 00904864 30804840"});
  for (const auto& [name, bytes] :
       {std::pair{"good.mid", tune}, {"broken.mid", QByteArray(4000, 'Z')}, {"broken.ogg", QByteArray(4000, 'Z')}}) {
    QFile file(QString::fromStdString(path(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  }
  Audio audio;
  ASSERT_TRUE(audio.Open());
  for (const char* bad : {"broken.mid", "broken.ogg", "missing.mid"}) {
    audio.MusicSetFile(path(bad));
    audio.MusicPlay();
    audio.Settle();  // the audio thread has tried it
    EXPECT_EQ(audio.MusicState(), 0) << bad;
  }
  audio.MusicSetFile(path("good.mid"));
  audio.MusicPlay();
  EXPECT_EQ(audio.MusicState(), 1);  // playing until the audio thread has tried it
  const auto start = Clock::now();
  audio.Settle();
  EXPECT_EQ(audio.MusicState(), 1);
  // Played once, not looped: the state falls to 0 at the tune's end.
  while (audio.MusicState() != 0 && SecondsSince(start) < 8.0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(audio.MusicState(), 0);
  EXPECT_GT(SecondsSince(start), 0.6);
  EXPECT_GT(disk.LoudSamples(), 1000);  // the soundfont really made sound

  // A finished tune starts again; a new file stops the old one at once.
  audio.MusicPlay();
  audio.Settle();
  EXPECT_EQ(audio.MusicState(), 1);
  audio.MusicSetFile(path("broken.mid"));
  EXPECT_EQ(audio.MusicState(), 0);
}

// Tracks the player's folders may hold by the time they play: a pipe no one
// writes to (swapped in after the list was made), a link to a device, a
// file over 64 MB. None is played, and meanwhile effects keep their own
// length, not the ten seconds an effect may wait for the sound.
TEST(MediaMusic, APipeADeviceOrAHugeFileIsDroppedAndEffectsKeepTheirTime) {
  DiskAudio disk;
  QTemporaryDir folder;
  auto path = [&folder](const char* name) { return folder.filePath(QString::fromLatin1(name)).toStdString(); };
  ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", path("zero.wav").c_str()), 0);
  QFile big(QString::fromStdString(path("big.ogg")));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize((64 << 20) + 1));  // sparse: nothing to read
  Audio audio;
  ASSERT_TRUE(audio.Open());
  for (const char* name : {"song.mid", "zero.wav", "big.ogg"}) {
    audio.MusicSetFile(path(name));
    if (std::string(name) == "song.mid") {
      ASSERT_EQ(std::rename(path("pipe").c_str(), path(name).c_str()), 0);
    }
    audio.MusicPlay();
    const QByteArray wav = EffectBytes(QStringLiteral("BUTTONS"));
    const auto start = Clock::now();
    audio.PlayEffect(wav, [] {});
    EXPECT_LT(SecondsSince(start), Seconds(wav) + 5.0) << name;
    audio.Settle();
    EXPECT_EQ(audio.MusicState(), 0) << name;
  }
}

}  // namespace
