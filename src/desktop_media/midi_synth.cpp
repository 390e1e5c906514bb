#include "midi_synth.h"

#include <QDir>
#include <QTemporaryFile>
#include <algorithm>

#include "shared_library.h"

namespace kalvitor::media {
namespace {

constexpr int kChannels = 16;
constexpr int kResetAllControllers = 121;
// FluidSynth's own level (0.2) is far below the effects'; this is the level
// the music had when SDL2_mixer ran FluidSynth itself.
constexpr double kGain = 1.2;
// The game's songs are a few parts with a drum kit: 64 voices leave room for
// their releases, at half the memory of FluidSynth's 256.
constexpr int kVoices = 64;
constexpr size_t kScratchFrames = 4096;

}  // namespace

MidiSynth::~MidiSynth() {
  if (a_ == nullptr) return;
  {
    std::lock_guard lock(mutex_);
    StopLocked();
  }
  if (synth_ != nullptr) a_->delete_fluid_synth(synth_);
  if (settings_ != nullptr) a_->delete_fluid_settings(settings_);
}

bool MidiSynth::Prepare(const AudioStack& stack, int rate, const std::string& soundFont) {
  if (tried_) return synth_ != nullptr && index_.IsRead();
  tried_ = true;
  a_ = &stack;
  if (!index_.Read(soundFont)) return false;
  settings_ = a_->new_fluid_settings();
  if (settings_ == nullptr) return false;
  a_->fluid_settings_setnum(settings_, "synth.sample-rate", rate);
  a_->fluid_settings_setnum(settings_, "synth.gain", kGain);
  a_->fluid_settings_setint(settings_, "synth.polyphony", kVoices);
  a_->fluid_settings_setint(settings_, "synth.lock-memory", 0);
  // A new song must not reset the synthesizer: the channels are set up here.
  a_->fluid_settings_setint(settings_, "player.reset-synth", 0);
  synth_ = a_->new_fluid_synth(settings_);
  frames_.assign(kScratchFrames * 2, 0);
  return synth_ != nullptr;
}

void MidiSynth::LoadFontFor(const std::vector<MidiNote>& notes) {
  // FluidSynth reads fonts from files; this one lives just long enough.
  QTemporaryFile file(QDir::tempPath() + QStringLiteral("/kalvitor-instruments-XXXXXX.sf2"));
  if (!file.open() || !index_.WriteCut(notes, file) || !file.flush()) return;
  font_ = a_->fluid_synth_sfload(synth_, FluidSynthFileName(file.fileName().toStdString()).c_str(), 0);
  if (font_ < 0) return;
  covered_ = notes;
}

bool MidiSynth::Start(const MidiSong& song) {
  if (synth_ == nullptr) return false;
  {
    std::lock_guard lock(mutex_);
    StopLocked();
  }
  if (font_ < 0 || !std::includes(covered_.begin(), covered_.end(), song.notes.begin(), song.notes.end())) {
    // The old song's font goes before the new one is read: only one song's
    // samples are held at a time.
    for (int channel = 0; channel < kChannels; ++channel) a_->fluid_synth_unset_program(synth_, channel);
    if (font_ >= 0) a_->fluid_synth_sfunload(synth_, font_, 0);
    font_ = -1;
    covered_.clear();
    LoadFontFor(song.notes);
    if (font_ < 0) return false;
  }
  std::lock_guard lock(mutex_);
  for (int channel = 0; channel < kChannels; ++channel) {
    a_->fluid_synth_all_sounds_off(synth_, channel);
    a_->fluid_synth_cc(synth_, channel, kResetAllControllers, 0);
    if (const auto& first = song.firstPreset[channel])
      a_->fluid_synth_program_select(synth_, channel, font_, first->bank, first->program);
    else
      a_->fluid_synth_unset_program(synth_, channel);
  }
  player_ = a_->new_fluid_player(synth_);
  if (player_ != nullptr && a_->fluid_player_add_mem(player_, song.smf.constData(), song.smf.size()) == FLUID_OK &&
      a_->fluid_player_play(player_) == FLUID_OK) {
    sounding_ = true;
    return true;
  }
  StopLocked();
  return false;
}

void MidiSynth::Stop() {
  if (a_ == nullptr) return;
  std::lock_guard lock(mutex_);
  StopLocked();
}

void MidiSynth::StopLocked() {
  sounding_ = false;
  if (player_ == nullptr) return;
  a_->fluid_player_stop(player_);
  a_->delete_fluid_player(player_);
  player_ = nullptr;
  for (int channel = 0; channel < kChannels; ++channel) a_->fluid_synth_all_sounds_off(synth_, channel);
}

void MidiSynth::Render(uint8_t* stream, int bytes, int channels) {
  if (channels <= 0) return;
  std::lock_guard lock(mutex_);
  if (player_ == nullptr) return;  // the mixer has filled the buffer with silence
  auto* out = reinterpret_cast<int16_t*>(stream);
  size_t left = static_cast<size_t>(bytes) / sizeof(int16_t) / static_cast<size_t>(channels);
  while (left > 0) {
    const size_t n = std::min(left, kScratchFrames);
    a_->fluid_synth_write_s16(synth_, static_cast<int>(n), frames_.data(), 0, 2, frames_.data(), 1, 2);
    for (size_t i = 0; i < n; ++i) {
      const int16_t l = frames_[2 * i];
      const int16_t r = frames_[2 * i + 1];
      if (channels == 1) {
        *out++ = static_cast<int16_t>((l + r) / 2);
      } else {
        *out++ = l;
        *out++ = r;
        for (int c = 2; c < channels; ++c) *out++ = 0;
      }
    }
    left -= n;
  }
  if (sounding_ && a_->fluid_player_get_status(player_) == FLUID_PLAYER_DONE) sounding_ = false;
}

}  // namespace kalvitor::media
