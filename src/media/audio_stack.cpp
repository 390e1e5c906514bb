#include "audio_stack.h"

#include <dlfcn.h>

#include <mutex>

namespace kalvitor::media {
namespace {

// The run-time names of the libraries (their sonames), not the development
// links: those exist only where the -dev packages are installed.
constexpr const char* kSdl = "libSDL2-2.0.so.0";
constexpr const char* kMixer = "libSDL2_mixer-2.0.so.0";
constexpr const char* kFluid = "libfluidsynth.so.3";

bool Resolve(void* library, const char* name, void** slot, std::string& error) {
  *slot = dlsym(library, name);
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
  const char* names[3] = {kSdl, kMixer, kFluid};
  for (int i = 0; i < 3; ++i) {
    libraries[i] = dlopen(names[i], RTLD_NOW | RTLD_LOCAL);
    if (libraries[i] == nullptr) {
      const char* why = dlerror();
      error = why != nullptr ? why : names[i];
      return false;
    }
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
