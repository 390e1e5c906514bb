// The game's sound: effects played with SDL2_mixer (blocking, while the
// windows keep painting) and the music player (MIDI through one FluidSynth
// synthesizer, other files through SDL2_mixer's decoders).
//
// Everything slow happens on an audio thread of its own: loading the sound
// libraries (on first need), opening and letting go of the device, reading
// the soundfont and a song's instruments. The calls below only hand work to
// that thread and read what it reports; the only one that waits is
// PlayEffect, which pumps the caller's events meanwhile. A music file is
// read on a thread of its own again, so that no file ever holds up the
// audio thread and the effects behind it.
#pragma once

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kalvitor::media {

class Audio {
 public:
  Audio();
  ~Audio();
  Audio(const Audio&) = delete;
  Audio& operator=(const Audio&) = delete;

  // Loads the sound libraries and opens the device and the mixer now,
  // waiting for the answer: false when there is none (or it is busy); then every
  // call below is silent and returns at once.
  bool Open();
  // Sounds are wanted, but nothing is loaded or opened yet: the audio thread
  // does that when the first sound is asked for (an effect waits for it,
  // pumping; the music does not wait at all).
  void Enable();
  // Sounds are wanted and a device is there, or not known to be missing yet.
  bool IsOpen() const;
  // Lets the device go after idleMs without an effect or music: an open
  // device keeps a thread busy. The next sound opens it again.
  void CloseIdleDevice(unsigned idleMs);

  // Plays WAVE bytes and returns when the sound has ended, calling pump()
  // about every 10 ms meanwhile. A second effect never overlaps the first:
  // one started from pump() cuts it.
  void PlayEffect(const QByteArray& wav, const std::function<void()>& pump);

  // The music player: MIDI (through FluidSynth with the General MIDI
  // soundfont), OGG, MP3 and WAV. A file that cannot be played leaves the
  // player stopped once the audio thread has tried it; until then the player
  // reads as playing. Only regular files are played, of up to 64 MB; one
  // whose reading has not ended ten seconds after MusicPlay is given up.
  void MusicSetFile(const std::string& path);
  void MusicPlay();
  void MusicStop();
  int MusicState() const;  // 0 when stopped or ended

  // Waits until the audio thread has done everything asked of it so far, a
  // music file being read included (until it is read or given up).
  void Settle();

 private:
  using Clock = std::chrono::steady_clock;
  // Start: a track's file has been read (bytes, readable) for that play command.
  enum class Work { Open, Effect, StopEffect, Play, Start, Stop, CloseIdle, Quit };
  struct Command {
    Work work = Work::Open;
    uint64_t id = 0;     // the effect's or the music command's number
    QByteArray bytes{};  // the effect's WAVE bytes, or the track's file
    std::string path{};
    unsigned idleMs = 0;
    bool readable = false;
  };
  struct Device;   // the audio thread's own state
  struct Mailbox;  // where a file's reader hands its bytes, while this object lives
  void Post(Command command);
  void Run();
  void Do(Command& command);
  bool TrackSounding() const;
  // On the audio thread: reads the track's file on a thread of its own,
  // which then posts Start.
  void ReadTrackLater(uint64_t id, const std::string& path);
  void Deliver(uint64_t id, std::string path, std::optional<QByteArray> bytes);

  std::mutex mutex_;
  std::condition_variable wake_;     // the audio thread: new work
  std::condition_variable settled_;  // callers: work done
  std::deque<Command> queue_;
  uint64_t posted_ = 0;
  uint64_t done_ = 0;
  std::thread thread_;
  std::unique_ptr<Device> device_;
  std::shared_ptr<Mailbox> mailbox_;
  uint64_t reading_ = 0;  // the play command whose file is being read, 0 for none
  Clock::time_point readingUntil_{};

  // What the audio thread reports.
  std::atomic<int> verdict_{0};  // 1 a device opens, -1 none, 0 not known yet
  std::atomic<bool> deviceOpen_{false};
  std::atomic<uint64_t> effectStarted_{0};
  std::atomic<uint64_t> effectDone_{0};
  std::atomic<uint64_t> effectLengthMs_{0};
  std::atomic<uint64_t> musicHandled_{0};  // the last music command done
  std::atomic<uint64_t> trackCommand_{0};  // the play command of the track loaded
  std::atomic<uint64_t> trackRead_{0};     // the last play command whose file was read

  // The caller's side.
  bool wanted_ = false;  // Open or Enable was called
  uint64_t lastEffect_ = 0;
  uint64_t lastMusicCommand_ = 0;
  uint64_t playCommand_ = 0;  // the play command in force, 0 after a stop
  Clock::time_point playAsked_{};
  std::string musicFile_;
};

}  // namespace kalvitor::media
