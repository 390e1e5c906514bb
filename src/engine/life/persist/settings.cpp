// The two sound switches in the per-user settings store. Only the exact "1"
// is on; a value that is missing (or too long to read) reads as "1". The
// sound menu turns them over and stores them at once.
#include "life/life.h"

namespace kalvitor {

std::string Life::RegGetString(const std::string& name, const std::string& defaultValue) {
  std::optional<std::string> v = port.SettingGet(name);
  if (!v || v->size() > 254) return defaultValue;
  return *v;
}

bool Life::RegSetString(const std::string& name, const std::string& text) { return port.SettingSet(name, text); }

void Life::ReadSoundSwitches() {
  state_.MusicOn = Bool16(RegGetString("Music", "1") == "1");
  state_.SfxOn = Bool16(RegGetString("Effects", "1") == "1");
  View().Changed(Fact::SoundSwitches);
}

void Life::SwitchMusic(bool on) {
  state_.MusicOn = Bool16(on);
  View().Changed(Fact::SoundSwitches);
  RegSetString("Music", on ? "1" : "0");
  if (on) {
    PlayRandomTrack();
  } else {
    StopMusic();
  }
}

void Life::SwitchEffects(bool on) {
  state_.SfxOn = Bool16(on);
  View().Changed(Fact::SoundSwitches);
  RegSetString("Effects", on ? "1" : "0");
}

}  // namespace kalvitor
