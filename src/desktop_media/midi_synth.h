// The music synthesizer: one FluidSynth synthesizer for the whole run. The
// General MIDI soundfont's directory is read once; FluidSynth gets a font cut
// down to the zones the song sounds (sound_font.h), made on the audio thread
// before the song starts, never while the sound is being made. Its sound goes
// to the mixer through the mixer's music hook, so SDL2_mixer keeps playing
// the effects on top.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "audio_stack.h"
#include "midi_file.h"
#include "sound_font.h"

namespace kalvitor::media {

class MidiSynth {
 public:
  MidiSynth() = default;
  ~MidiSynth();
  MidiSynth(const MidiSynth&) = delete;
  MidiSynth& operator=(const MidiSynth&) = delete;

  // Makes the synthesizer at the device's rate and reads the soundfont's
  // directory the first time; false when that failed (then every song stays
  // silent).
  bool Prepare(const AudioStack& stack, int rate, const std::string& soundFont);
  // Starts a song from its beginning in place of the one playing; false when
  // FluidSynth refuses it. A song that needs zones the font in use lacks
  // gets a font of its own, and the old font is let go first.
  bool Start(const MidiSong& song);
  void Stop();
  // A song is playing and has not reached its end.
  bool Sounding() const { return sounding_; }

  // Fills the mixer's buffer of signed 16-bit frames (the mixer's thread).
  void Render(uint8_t* stream, int bytes, int channels);

 private:
  void StopLocked();
  void LoadFontFor(const std::vector<MidiNote>& notes);

  const AudioStack* a_ = nullptr;
  bool tried_ = false;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  SoundFontIndex index_;
  std::vector<MidiNote> covered_;  // sorted
  int font_ = -1;                  // the cut font in use
  std::mutex mutex_;               // the player, between the audio thread and the mixer's
  fluid_player_t* player_ = nullptr;
  std::atomic<bool> sounding_{false};
  std::vector<int16_t> frames_;  // stereo frames made before they go out
};

}  // namespace kalvitor::media
