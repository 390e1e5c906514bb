// The game's pictures and sounds: backgrounds and effects compiled into the
// program as resources, effects played with SDL2_mixer (blocking, while the
// windows keep painting), and the music player over Mix_Music.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <string>

namespace kalvitor::media {

// A background picture by name in any letter case ("net" is NET); a null
// image when there is no such resource or it does not decode.
QImage Background(const QString& name);
bool HasBackground(const QString& name);
// The WAVE bytes of an effect by name in any letter case; empty when missing.
QByteArray EffectBytes(const QString& name);

class Audio {
 public:
  Audio();
  ~Audio();
  Audio(const Audio&) = delete;
  Audio& operator=(const Audio&) = delete;

  // Opens the audio device and the mixer; false when there is none (or it is
  // busy): then every call below is silent and returns at once.
  bool Open();
  bool IsOpen() const { return available_; }
  // Lets the device go after idleMs without an effect or music: an open
  // device keeps a thread busy. The next sound opens it again.
  void CloseIdleDevice(unsigned idleMs);

  // Plays WAVE bytes and returns when the sound has ended, calling pump()
  // about every 10 ms meanwhile. A second effect never overlaps the first.
  void PlayEffect(const QByteArray& wav, const std::function<void()>& pump);

  // The music player: MIDI (through FluidSynth with the General MIDI
  // soundfont), OGG, MP3 and WAV. A file that cannot be played leaves the
  // player stopped.
  void MusicSetFile(const std::string& path);
  void MusicPlay();
  void MusicStop();
  int MusicState() const;  // 0 when stopped or ended

 private:
  bool EnsureDevice();
  bool available_ = false;  // a device could be opened
  bool open_ = false;       // the device is open now
  bool playing_ = false;
  unsigned long long lastUseMs_ = 0;
  std::string musicFile_;
  void* music_ = nullptr;  // Mix_Music*
};

}  // namespace kalvitor::media
