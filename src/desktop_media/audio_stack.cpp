#include "audio_stack.h"

#include <mutex>

#include "shared_library.h"

namespace kalvitor::media {
namespace {

bool Resolve(void* library, const char* name, void** slot, std::string& error) {
  *slot = LibraryFunction(library, name);
  if (*slot == nullptr) error = std::string("missing function ") + name;
  return *slot != nullptr;
}

template <typename F>
bool Bind(void* library, const char* name, F& pointer, std::string& error) {
  void* address = nullptr;
  if (!Resolve(library, name, &address, error)) return false;
  pointer = reinterpret_cast<F>(address);
  return true;
}

bool Load(AudioStack& s, std::string& error) {
  void* libraries[3] = {};
  const char* names[3] = {kSdlLibrary, kMixerLibrary, kFluidSynthLibrary};
  for (int i = 0; i < 3; ++i) {
    libraries[i] = OpenLibrary(names[i], error);
    if (libraries[i] == nullptr) return false;
  }
  bool ok = true;
#define KALVITOR_BIND(library) [&](const char* name, auto& pointer) { ok = ok && Bind(library, name, pointer, error); }
  auto sdl = KALVITOR_BIND(libraries[0]);
  auto mixer = KALVITOR_BIND(libraries[1]);
  auto fluid = KALVITOR_BIND(libraries[2]);
#undef KALVITOR_BIND
#define KALVITOR_SDL(name) sdl(#name, s.name);
#define KALVITOR_MIXER(name) mixer(#name, s.name);
#define KALVITOR_FLUID(name) fluid(#name, s.name);
  KALVITOR_SDL_FUNCTIONS(KALVITOR_SDL)
  KALVITOR_MIXER_FUNCTIONS(KALVITOR_MIXER)
  KALVITOR_FLUID_FUNCTIONS(KALVITOR_FLUID)
#undef KALVITOR_SDL
#undef KALVITOR_MIXER
#undef KALVITOR_FLUID
  return ok;
}

}  // namespace

const AudioStack* LoadAudioStack(std::string* error) {
  static AudioStack stack;
  static bool loaded = false;
  static std::string why;
  static std::once_flag once;
  std::call_once(once, [] { loaded = Load(stack, why); });
  if (!loaded && error != nullptr) *error = why;
  return loaded ? &stack : nullptr;
}

}  // namespace kalvitor::media
