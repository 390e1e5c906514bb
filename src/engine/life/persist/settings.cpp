// The two sound switches in the per-user settings store. Only the exact "1"
// is on; a value that is missing (or too long to read) reads as "1".
#include "life/life.h"

namespace kalvitor {

std::string Life::RegGetString(const std::string& name, const std::string& defaultValue) {
  std::optional<std::string> v = port.SettingGet(name);
  if (!v || v->size() > 254) return defaultValue;
  return *v;
}

bool Life::RegSetString(const std::string& name, const std::string& text) { return port.SettingSet(name, text); }

void Life::ReadSoundSwitches() {
  s.MusicOn = Bool16(RegGetString("Music", "1") == "1");
  s.SfxOn = Bool16(RegGetString("Effects", "1") == "1");
  View().Changed(Fact::SoundSwitches);
}

}  // namespace kalvitor
