// The audio thread and the calls that hand it work. SDL2_mixer plays the
// effects on one channel and the music; MIDI songs come from one FluidSynth
// synthesizer through the mixer's music hook.
#include "audio.h"

#include <system_error>

#include "audio_stack.h"
#include "midi_file.h"
#include "midi_synth.h"
#include "shared_library.h"
#include "track_file.h"

namespace kalvitor::media {
namespace {

using Clock = std::chrono::steady_clock;

// Effects play on one channel of their own, so a new one cuts the old one.
constexpr int kEffectChannel = 0;
constexpr int kMixFrequency = 44100;
constexpr int kMixChunkFrames = 1024;
constexpr qint64 kLargestMidi = 16 * 1024 * 1024;
// Music files are read whole: an hour of MP3 fits.
constexpr int64_t kLargestTrack = 64 * 1024 * 1024;
// How long a music file may take to be read before the track is given up.
constexpr auto kTrackReadWait = std::chrono::seconds(10);
// How long an effect may wait for the device to be opened.
constexpr auto kDeviceWait = std::chrono::seconds(10);

}  // namespace

// The audio thread's own state. The mixer's callbacks are plain functions:
// they find the one device through `current`.
struct Audio::Device {
  const AudioStack* a = nullptr;
  bool mixerUp = false;  // SDL's audio and the mixer's decoders are set up
  bool open = false;
  int rate = kMixFrequency;
  int channels = 2;
  Uint16 format = AUDIO_S16SYS;
  Mix_Chunk* chunk = nullptr;  // the effect playing or the last one played
  Mix_Music* music = nullptr;  // a song that is not MIDI
  QByteArray musicBytes;       // its file, which the mixer reads as it plays
  uint64_t wantedTrack = 0;    // the play command whose file is being read
  MidiSynth synth;
  std::atomic<bool> trackIsMidi{false};
  std::atomic<bool> mixSounding{false};
  Clock::time_point lastUse;

  static inline std::atomic<Audio*> current{nullptr};
};

// Shared with the threads that read music files: one may still be reading
// when this object goes, and must then find no one to hand its bytes to.
struct Audio::Mailbox {
  std::mutex mutex;
  Audio* audio = nullptr;
};

Audio::Audio() : device_(std::make_unique<Device>()), mailbox_(std::make_shared<Mailbox>()) { mailbox_->audio = this; }

Audio::~Audio() {
  {
    std::lock_guard lock(mailbox_->mutex);
    mailbox_->audio = nullptr;
  }
  if (!thread_.joinable()) return;
  Post({Work::Quit});
  thread_.join();
}

// --- The caller's side

void Audio::Post(Command command) {
  {
    std::lock_guard lock(mutex_);
    if (!thread_.joinable()) thread_ = std::thread(&Audio::Run, this);
    queue_.push_back(std::move(command));
    ++posted_;
  }
  wake_.notify_one();
}

void Audio::Settle() {
  std::unique_lock lock(mutex_);
  const uint64_t target = posted_;
  settled_.wait(lock, [&] { return done_ >= target; });
  // A music file being read, then what its reader posted.
  if (reading_ != 0) settled_.wait_until(lock, readingUntil_, [&] { return reading_ == 0; });
  settled_.wait(lock, [&] { return done_ >= posted_; });
}

bool Audio::Open() {
  wanted_ = true;
  Post({Work::Open});
  Settle();
  return verdict_ > 0;
}

void Audio::Enable() { wanted_ = true; }

bool Audio::IsOpen() const { return wanted_ && verdict_ >= 0; }

void Audio::CloseIdleDevice(unsigned idleMs) {
  if (deviceOpen_) Post({Work::CloseIdle, 0, {}, {}, idleMs});
}

void Audio::PlayEffect(const QByteArray& wav, const std::function<void()>& pump) {
  if (!wanted_ || verdict_ < 0 || wav.isEmpty()) return;
  const uint64_t id = ++lastEffect_;
  Post({Work::Effect, id, wav});
  // The sound's own length, with a generous margin, once it has started: if
  // the device stops taking samples the game must not hang on the effect.
  Clock::time_point deadline = Clock::now() + kDeviceWait;
  bool started = false;
  while (effectDone_ < id) {
    if (!started && effectStarted_ >= id) {
      started = true;
      deadline = Clock::now() + std::chrono::milliseconds(effectLengthMs_ + 2000);
    }
    if (Clock::now() >= deadline) break;
    if (pump) pump();
    if (effectDone_ >= id) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (effectDone_ < id) Post({Work::StopEffect, id});
}

void Audio::MusicSetFile(const std::string& path) {
  MusicStop();
  musicFile_ = path;
}

void Audio::MusicPlay() {
  if (!wanted_ || verdict_ < 0 || musicFile_.empty()) return;
  // Starting a player that is already playing changes nothing.
  if (MusicState() != 0) return;
  playCommand_ = ++lastMusicCommand_;
  playAsked_ = Clock::now();
  Post({Work::Play, playCommand_, {}, musicFile_});
}

void Audio::MusicStop() {
  playCommand_ = 0;
  if (lastMusicCommand_ == 0) return;  // nothing was ever played
  Post({Work::Stop, ++lastMusicCommand_});
}

bool Audio::TrackSounding() const {
  return device_->trackIsMidi ? device_->synth.Sounding() : device_->mixSounding.load();
}

int Audio::MusicState() const {
  if (playCommand_ == 0) return 0;
  // Still being started; a file that takes too long to read is given up.
  if (musicHandled_ < playCommand_)
    return trackRead_ >= playCommand_ || Clock::now() - playAsked_ < kTrackReadWait ? 1 : 0;
  return trackCommand_ == playCommand_ && TrackSounding() ? 1 : 0;
}

// --- The audio thread

void Audio::ReadTrackLater(uint64_t id, const std::string& path) {
  {
    std::lock_guard lock(mutex_);
    reading_ = id;
    readingUntil_ = Clock::now() + kTrackReadWait;
  }
  try {
    std::thread([mailbox = mailbox_, id, path] {
      std::optional<QByteArray> bytes = ReadTrackFile(path, kLargestTrack);
      std::lock_guard lock(mailbox->mutex);
      if (mailbox->audio != nullptr) mailbox->audio->Deliver(id, path, std::move(bytes));
    }).detach();
  } catch (const std::system_error&) {
    Deliver(id, path, std::nullopt);  // no thread to read it with: not played
  }
}

void Audio::Deliver(uint64_t id, std::string path, std::optional<QByteArray> bytes) {
  uint64_t read = trackRead_;
  while (read < id && !trackRead_.compare_exchange_weak(read, id)) {
  }
  {
    std::lock_guard lock(mutex_);
    const bool readable = bytes.has_value();
    queue_.push_back({Work::Start, id, readable ? std::move(*bytes) : QByteArray(), std::move(path), 0, readable});
    ++posted_;
    if (reading_ == id) reading_ = 0;
  }
  wake_.notify_one();
  settled_.notify_all();
}

void Audio::Run() {
  for (;;) {
    Command command;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return !queue_.empty(); });
      command = std::move(queue_.front());
      queue_.pop_front();
    }
    const bool quit = command.work == Work::Quit;
    Do(command);
    {
      std::lock_guard lock(mutex_);
      ++done_;
    }
    settled_.notify_all();
    if (quit) return;
  }
}

void Audio::Do(Command& c) {
  Device& d = *device_;

  auto ensureDevice = [&]() -> bool {
    if (verdict_ < 0) return false;
    d.lastUse = Clock::now();
    if (d.open) return true;
    if (d.a == nullptr) d.a = LoadAudioStack();
    if (d.a == nullptr) {
      verdict_ = -1;
      return false;
    }
    if (!d.mixerUp) {
      if (d.a->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        verdict_ = -1;
        return false;
      }
      // Decoders that are missing only mean those music files stay silent.
      d.a->Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);
      d.mixerUp = true;
    }
    if (d.a->Mix_OpenAudio(kMixFrequency, AUDIO_S16SYS, 2, kMixChunkFrames) != 0) {
      // No device the first time: none for this run. Later: busy for now.
      if (verdict_ == 0) verdict_ = -1;
      return false;
    }
    d.a->Mix_QuerySpec(&d.rate, &d.format, &d.channels);
    d.a->Mix_AllocateChannels(1);
    Device::current = this;
    d.a->Mix_ChannelFinished([](int) {
      if (Audio* self = Device::current) self->effectDone_.store(self->effectStarted_.load());
    });
    d.a->Mix_HookMusicFinished([] {
      if (Audio* self = Device::current) self->device_->mixSounding = false;
    });
    d.open = true;
    deviceOpen_ = true;
    verdict_ = 1;
    return true;
  };

  auto stopTrack = [&] {
    d.synth.Stop();
    if (d.music != nullptr) {
      d.a->Mix_HaltMusic();
      d.a->Mix_FreeMusic(d.music);
      d.music = nullptr;
    }
    d.musicBytes.clear();
    d.mixSounding = false;
  };

  auto closeDevice = [&] {
    if (!d.open) return;
    stopTrack();
    d.a->Mix_HookMusic(nullptr, nullptr);
    d.a->Mix_HaltChannel(-1);
    if (d.chunk != nullptr) d.a->Mix_FreeChunk(d.chunk);
    d.chunk = nullptr;
    d.a->Mix_CloseAudio();
    Device::current = nullptr;
    d.open = false;
    deviceOpen_ = false;
  };

  auto startTrack = [&](const std::string& path, const QByteArray& bytes) {
    // FluidSynth takes any bytes for a song and finds out only while
    // playing: MIDI files are read and checked here first. Other types are
    // judged by the mixer's decoders.
    if (LooksLikeMidi(QString::fromStdString(path), bytes.left(12))) {
      if (bytes.size() > kLargestMidi) return;
      const std::optional<MidiSong> song = ReadMidiSong(bytes);
      if (!song || !d.synth.Prepare(*d.a, d.rate, SoundFontPath())) return;
      d.trackIsMidi = true;
      trackCommand_ = c.id;
      d.a->Mix_HookMusic(
          [](void* device, Uint8* stream, int bytes) {
            auto* dev = static_cast<Device*>(device);
            dev->synth.Render(stream, bytes, dev->channels);
          },
          &d);
      d.synth.Start(*song);
      return;
    }
    d.a->Mix_HookMusic(nullptr, nullptr);
    d.musicBytes = bytes;
    SDL_RWops* rw = d.a->SDL_RWFromConstMem(d.musicBytes.constData(), static_cast<int>(d.musicBytes.size()));
    d.music = rw != nullptr ? d.a->Mix_LoadMUS_RW(rw, 1) : nullptr;
    if (d.music == nullptr) {
      d.musicBytes.clear();
      return;
    }
    d.trackIsMidi = false;
    d.mixSounding = true;
    trackCommand_ = c.id;
    if (d.a->Mix_PlayMusic(d.music, 0) != 0) {
      d.mixSounding = false;
      d.a->Mix_FreeMusic(d.music);
      d.music = nullptr;
      d.musicBytes.clear();
    }
  };

  switch (c.work) {
    case Work::Open:
      ensureDevice();
      break;
    case Work::Effect: {
      if (!ensureDevice()) {
        effectDone_ = c.id;
        break;
      }
      SDL_RWops* rw = d.a->SDL_RWFromConstMem(c.bytes.constData(), static_cast<int>(c.bytes.size()));
      Mix_Chunk* chunk = rw != nullptr ? d.a->Mix_LoadWAV_RW(rw, 1) : nullptr;
      if (chunk == nullptr) {
        effectDone_ = c.id;
        break;
      }
      const uint64_t bytesPerSecond =
          static_cast<uint64_t>(d.rate) * static_cast<uint64_t>(d.channels) * (SDL_AUDIO_BITSIZE(d.format) / 8);
      // The channel is halted before its chunk is freed; halting reports the
      // effect before as done.
      d.a->Mix_HaltChannel(kEffectChannel);
      if (d.chunk != nullptr) d.a->Mix_FreeChunk(d.chunk);
      d.chunk = chunk;
      effectLengthMs_ = bytesPerSecond == 0 ? 0 : static_cast<uint64_t>(chunk->alen) * 1000 / bytesPerSecond;
      effectStarted_ = c.id;
      if (d.a->Mix_PlayChannelTimed(kEffectChannel, chunk, 0, -1) < 0) effectDone_ = c.id;
      break;
    }
    case Work::StopEffect:
      if (d.open && effectStarted_ == c.id && effectDone_ < c.id) d.a->Mix_HaltChannel(kEffectChannel);
      if (effectDone_ < c.id) effectDone_ = c.id;
      break;
    case Work::Play:
      stopTrack();
      d.wantedTrack = 0;
      if (!ensureDevice()) {
        musicHandled_ = c.id;
        break;
      }
      d.wantedTrack = c.id;
      ReadTrackLater(c.id, c.path);
      break;
    case Work::Start:
      // A track stopped or replaced while its file was read is not started.
      if (c.id != d.wantedTrack) break;
      d.wantedTrack = 0;
      if (c.readable && ensureDevice()) startTrack(c.path, c.bytes);
      musicHandled_ = c.id;
      break;
    case Work::Stop:
      d.wantedTrack = 0;
      if (d.open) stopTrack();
      d.lastUse = Clock::now();
      musicHandled_ = c.id;
      break;
    case Work::CloseIdle:
      if (!d.open) break;
      if (effectDone_ < effectStarted_ || TrackSounding() || d.wantedTrack != 0) {
        d.lastUse = Clock::now();
      } else if (Clock::now() - d.lastUse >= std::chrono::milliseconds(c.idleMs)) {
        closeDevice();
      }
      break;
    case Work::Quit:
      closeDevice();
      if (d.mixerUp) {
        d.a->Mix_Quit();
        d.a->SDL_QuitSubSystem(SDL_INIT_AUDIO);
        d.mixerUp = false;
      }
      break;
  }
}

}  // namespace kalvitor::media
