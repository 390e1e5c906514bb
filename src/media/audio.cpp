// The audio thread and the calls that hand it work. SDL2_mixer plays the
// effects on one channel and the music; MIDI songs come from one FluidSynth
// synthesizer through the mixer's music hook.
#include "audio.h"

#include <QFile>
#include <chrono>

#include "audio_stack.h"
#include "midi_file.h"
#include "midi_synth.h"
#include "shared_library.h"

namespace kalvitor::media {
namespace {

using Clock = std::chrono::steady_clock;

// Effects play on one channel of their own, so a new one cuts the old one.
constexpr int kEffectChannel = 0;
constexpr int kMixFrequency = 44100;
constexpr int kMixChunkFrames = 1024;
constexpr qint64 kLargestMidi = 16 * 1024 * 1024;
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
  MidiSynth synth;
  std::atomic<bool> trackIsMidi{false};
  std::atomic<bool> mixSounding{false};
  Clock::time_point lastUse;

  static inline std::atomic<Audio*> current{nullptr};
};

Audio::Audio() : device_(std::make_unique<Device>()) {}

Audio::~Audio() {
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
  if (musicHandled_ < playCommand_) return 1;  // still being started
  return trackCommand_ == playCommand_ && TrackSounding() ? 1 : 0;
}

// --- The audio thread

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

  auto startTrack = [&](const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return;
    // FluidSynth takes any bytes for a song and finds out only while
    // playing: MIDI files are read and checked here first. Other types are
    // judged by the mixer's decoders.
    if (LooksLikeMidi(file.fileName(), file.peek(12))) {
      if (file.size() > kLargestMidi) return;
      const std::optional<MidiSong> song = ReadMidiSong(file.readAll());
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
    file.close();
    d.a->Mix_HookMusic(nullptr, nullptr);
    d.music = d.a->Mix_LoadMUS(path.c_str());
    if (d.music == nullptr) return;
    d.trackIsMidi = false;
    d.mixSounding = true;
    trackCommand_ = c.id;
    if (d.a->Mix_PlayMusic(d.music, 0) != 0) {
      d.mixSounding = false;
      d.a->Mix_FreeMusic(d.music);
      d.music = nullptr;
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
      SDL_RWops* rw = d.a->SDL_RWFromConstMem(c.wav.constData(), static_cast<int>(c.wav.size()));
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
      if (ensureDevice()) startTrack(c.path);
      musicHandled_ = c.id;
      break;
    case Work::Stop:
      if (d.open) stopTrack();
      d.lastUse = Clock::now();
      musicHandled_ = c.id;
      break;
    case Work::CloseIdle:
      if (!d.open) break;
      if (effectDone_ < effectStarted_ || TrackSounding()) {
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
