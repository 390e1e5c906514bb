#include "midi_synth.h"

#include <algorithm>
#include <cstring>

namespace kalvitor::media {
namespace {

constexpr int kChannels = 16;
constexpr int kResetAllControllers = 121;
// FluidSynth's own level (0.2) is far below the effects'.
constexpr double kGain = 0.6;
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
  if (tried_) return font_ >= 0;
  tried_ = true;
  a_ = &stack;
  settings_ = a_->new_fluid_settings();
  if (settings_ == nullptr) return false;
  a_->fluid_settings_setnum(settings_, "synth.sample-rate", rate);
  a_->fluid_settings_setnum(settings_, "synth.gain", kGain);
  // Samples are read when an instrument is chosen (or pinned), not all the
  // soundfont's 140 MB at once.
  a_->fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
  a_->fluid_settings_setint(settings_, "synth.lock-memory", 0);
  // A new song must not reset the synthesizer: a reset chooses the default
  // instruments on every channel, and so reads their samples.
  a_->fluid_settings_setint(settings_, "player.reset-synth", 0);
  synth_ = a_->new_fluid_synth(settings_);
  if (synth_ == nullptr) return false;
  // Not choosing the default instruments now either (reset_presets = 0).
  font_ = a_->fluid_synth_sfload(synth_, soundFont.c_str(), 0);
  if (font_ < 0) font_ = -1;
  frames_.assign(kScratchFrames * 2, 0);
  return font_ >= 0;
}

bool MidiSynth::Pin(const MidiPreset& p) {
  return a_->fluid_synth_pin_preset(synth_, font_, p.bank, p.program) == FLUID_OK;
}

void MidiSynth::Unpin(const MidiPreset& p) { a_->fluid_synth_unpin_preset(synth_, font_, p.bank, p.program); }

bool MidiSynth::Start(const MidiSong& song) {
  if (font_ < 0) return false;
  // The new song's instruments are read first, while the old song goes on.
  std::vector<MidiPreset> pinned;
  for (const MidiPreset& p : song.presets) {
    if (std::find(pinned_.begin(), pinned_.end(), p) != pinned_.end() || Pin(p)) pinned.push_back(p);
  }
  bool started = false;
  {
    std::lock_guard lock(mutex_);
    StopLocked();
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
      started = true;
      sounding_ = true;
    } else {
      StopLocked();
    }
  }
  // The old song's instruments that the new one does not use are let go.
  for (const MidiPreset& p : pinned_) {
    if (std::find(pinned.begin(), pinned.end(), p) == pinned.end()) Unpin(p);
  }
  pinned_ = std::move(pinned);
  return started;
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
