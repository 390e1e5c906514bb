// Backgrounds and effects come from the Qt resources compiled into the
// program (":/backgrounds/NAME.jpg", ":/sfx/NAME.wav"); effects and music are
// played with SDL2_mixer.
#include "media.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <cstdint>
#include <cstdlib>
#include <mutex>

// The resources live in a static library: register them explicitly, once,
// so the linker keeps them and Qt knows them before the first lookup.
static void RegisterMediaResources() { Q_INIT_RESOURCE(media); }

namespace kalvitor::media {
namespace {

// The General MIDI soundfont FluidSynth plays the music with.
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
// Effects play on one channel of their own, so a new one cuts the old one.
constexpr int kEffectChannel = 0;
constexpr int kMixFrequency = 44100;
constexpr int kMixChunkFrames = 1024;

void EnsureResources() {
  static std::once_flag once;
  std::call_once(once, RegisterMediaResources);
}

// The resource path for a name in any letter case; empty for names that are
// not plain words (no path tricks into other resources).
QString ResourcePath(const QString& folder, const QString& name, const QString& extension) {
  if (name.isEmpty()) return {};
  for (const QChar c : name) {
    if (!(c.isLetterOrNumber() || c == u'_')) return {};
  }
  return QStringLiteral(":/") + folder + u'/' + name.toUpper() + extension;
}

QString BackgroundPath(const QString& name) {
  return ResourcePath(QStringLiteral("backgrounds"), name, QStringLiteral(".jpg"));
}

QString EffectPath(const QString& name) { return ResourcePath(QStringLiteral("sfx"), name, QStringLiteral(".wav")); }

Mix_Music* AsMusic(void* music) { return static_cast<Mix_Music*>(music); }

uint32_t Be32(const QByteArray& b, qsizetype at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3]));
}

uint32_t Le32(const QByteArray& b, qsizetype at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

// A standard MIDI file: the header chunk and at least one whole track chunk.
bool StandardMidiIsWhole(const QByteArray& b) {
  if (b.size() < 14 || !b.startsWith("MThd") || Be32(b, 4) < 6) return false;
  qsizetype at = 8 + static_cast<qsizetype>(Be32(b, 4));
  int tracks = 0;
  while (at + 8 <= b.size()) {
    const uint32_t size = Be32(b, at + 4);
    if (at + 8 + static_cast<qsizetype>(size) > b.size()) break;
    if (b.mid(at, 4) == "MTrk" && size > 0) ++tracks;
    at += 8 + static_cast<qsizetype>(size);
  }
  return tracks > 0;
}

// FluidSynth accepts any bytes as a MIDI song and only finds out while
// playing, so the player would report "playing" for a moment on a broken
// file. Files that are MIDI by name or by content are checked first; other
// types are judged by their decoders when loaded.
bool MidiFileIsPlayable(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  constexpr qint64 kLargestMidi = 16 * 1024 * 1024;
  const QByteArray head = file.read(12);
  const QString suffix = QFileInfo(file.fileName()).suffix().toLower();
  const bool riffMidi = head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "RMID";
  const bool isMidi = head.startsWith("MThd") || riffMidi || suffix == QStringLiteral("mid") ||
                      suffix == QStringLiteral("midi") || suffix == QStringLiteral("rmi") ||
                      suffix == QStringLiteral("kar");
  if (!isMidi) return true;
  if (file.size() > kLargestMidi || !file.seek(0)) return false;
  const QByteArray bytes = file.readAll();
  if (!riffMidi) return StandardMidiIsWhole(bytes);
  // A RIFF MIDI file carries the standard file in its "data" chunk.
  qsizetype at = 12;
  while (at + 8 <= bytes.size()) {
    const uint32_t size = Le32(bytes, at + 4);
    if (bytes.mid(at, 4) == "data") return StandardMidiIsWhole(bytes.mid(at + 8, size));
    at += 8 + static_cast<qsizetype>(size) + (size & 1);
  }
  return false;
}

}  // namespace

QImage Background(const QString& name) {
  EnsureResources();
  const QString path = BackgroundPath(name);
  if (path.isEmpty() || !QFileInfo::exists(path)) return {};
  QImage image;
  if (!image.load(path, "JPG")) return {};
  return image;
}

bool HasBackground(const QString& name) {
  EnsureResources();
  const QString path = BackgroundPath(name);
  return !path.isEmpty() && QFileInfo::exists(path);
}

QByteArray EffectBytes(const QString& name) {
  EnsureResources();
  const QString path = EffectPath(name);
  if (path.isEmpty()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

Audio::Audio() = default;

Audio::~Audio() {
  if (!available_) return;
  MusicStop();
  if (open_) {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
  }
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = available_ = false;
}

bool Audio::EnsureDevice() {
  if (!available_) return false;
  lastUseMs_ = SDL_GetTicks64();
  if (open_) return true;
  if (Mix_OpenAudio(kMixFrequency, AUDIO_S16SYS, 2, kMixChunkFrames) != 0) return false;
  if (QFileInfo::exists(QString::fromUtf8(kSoundFont))) Mix_SetSoundFonts(kSoundFont);
  Mix_AllocateChannels(1);
  open_ = true;
  return true;
}

void Audio::CloseIdleDevice(unsigned idleMs) {
  if (!open_ || playing_ || music_ != nullptr) return;
  if (SDL_GetTicks64() - lastUseMs_ < idleMs) return;
  Mix_CloseAudio();
  open_ = false;
}

bool Audio::Open() {
  if (available_) return true;
  const bool haveSoundFont = QFileInfo::exists(QString::fromUtf8(kSoundFont));
  if (haveSoundFont) {
    // MIDI goes through FluidSynth with this soundfont, so no Timidity
    // configuration is needed; a soundfont the user chose wins.
    setenv("SDL_SOUNDFONTS", kSoundFont, 0);
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  // Decoders that are missing only mean those music files stay silent.
  Mix_Init(MIX_INIT_MID | MIX_INIT_OGG | MIX_INIT_MP3);
  if (Mix_OpenAudio(kMixFrequency, AUDIO_S16SYS, 2, kMixChunkFrames) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  if (haveSoundFont) Mix_SetSoundFonts(kSoundFont);
  Mix_AllocateChannels(1);
  open_ = available_ = true;
  lastUseMs_ = SDL_GetTicks64();
  return true;
}

void Audio::PlayEffect(const QByteArray& wav, const std::function<void()>& pump) {
  if (wav.isEmpty() || !EnsureDevice()) return;
  SDL_RWops* rw = SDL_RWFromConstMem(wav.constData(), static_cast<int>(wav.size()));
  if (rw == nullptr) return;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);
  if (chunk == nullptr) return;

  // The sound's own length, with a generous margin: if the device stops
  // consuming samples the game must not hang waiting for the effect's end.
  int frequency = kMixFrequency;
  Uint16 format = AUDIO_S16SYS;
  int channels = 2;
  Mix_QuerySpec(&frequency, &format, &channels);
  const Uint64 bytesPerSecond =
      static_cast<Uint64>(frequency) * static_cast<Uint64>(channels) * (SDL_AUDIO_BITSIZE(format) / 8);
  const Uint64 lengthMs = bytesPerSecond == 0 ? 0 : static_cast<Uint64>(chunk->alen) * 1000 / bytesPerSecond;
  const Uint64 deadline = SDL_GetTicks64() + lengthMs + 2000;

  Mix_HaltChannel(kEffectChannel);
  const int channel = Mix_PlayChannel(kEffectChannel, chunk, 0);
  const bool wasPlaying = playing_;
  playing_ = true;
  if (channel >= 0) {
    while (Mix_Playing(channel) != 0 && SDL_GetTicks64() < deadline) {
      if (pump) pump();
      SDL_Delay(10);
    }
    // An effect started by the pump (a nested call) may own the channel now;
    // stop only what is still ours.
    if (Mix_GetChunk(channel) == chunk) Mix_HaltChannel(channel);
  }
  playing_ = wasPlaying;
  lastUseMs_ = SDL_GetTicks64();
  Mix_FreeChunk(chunk);
}

void Audio::MusicSetFile(const std::string& path) {
  MusicStop();
  musicFile_ = path;
}

void Audio::MusicPlay() {
  if (!available_) return;
  // Starting a player that is already playing changes nothing.
  if (music_ != nullptr && Mix_PlayingMusic() != 0) return;
  if (music_ == nullptr) {
    if (musicFile_.empty()) return;
    if (!MidiFileIsPlayable(musicFile_)) return;
    if (!EnsureDevice()) return;
    music_ = Mix_LoadMUS(musicFile_.c_str());
    if (music_ == nullptr) return;
  }
  if (Mix_PlayMusic(AsMusic(music_), 0) != 0) {
    Mix_FreeMusic(AsMusic(music_));
    music_ = nullptr;
  }
}

void Audio::MusicStop() {
  if (!open_) return;
  Mix_HaltMusic();
  if (music_ != nullptr) {
    Mix_FreeMusic(AsMusic(music_));
    music_ = nullptr;
  }
  lastUseMs_ = SDL_GetTicks64();
}

int Audio::MusicState() const {
  if (!open_ || music_ == nullptr) return 0;
  return Mix_PlayingMusic() != 0 ? 1 : 0;
}

}  // namespace kalvitor::media
