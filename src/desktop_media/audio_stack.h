// The sound libraries (SDL2, SDL2_mixer and FluidSynth), loaded by the
// system's loader (shared_library.h) the first time a sound is wanted: the program starts with Qt's libraries
// only, and a player who never hears a sound never loads them. The headers
// give the functions' types; the addresses come from the loaded libraries.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <string>

namespace kalvitor::media {

#define KALVITOR_SDL_FUNCTIONS(X) \
  X(SDL_InitSubSystem)            \
  X(SDL_QuitSubSystem)            \
  X(SDL_RWFromConstMem)

#define KALVITOR_MIXER_FUNCTIONS(X) \
  X(Mix_Init)                       \
  X(Mix_Quit)                       \
  X(Mix_OpenAudio)                  \
  X(Mix_CloseAudio)                 \
  X(Mix_QuerySpec)                  \
  X(Mix_AllocateChannels)           \
  X(Mix_LoadWAV_RW)                 \
  X(Mix_FreeChunk)                  \
  X(Mix_PlayChannelTimed)           \
  X(Mix_HaltChannel)                \
  X(Mix_ChannelFinished)            \
  X(Mix_LoadMUS_RW)                 \
  X(Mix_FreeMusic)                  \
  X(Mix_PlayMusic)                  \
  X(Mix_HaltMusic)                  \
  X(Mix_HookMusic)                  \
  X(Mix_HookMusicFinished)

#define KALVITOR_FLUID_FUNCTIONS(X) \
  X(fluid_set_log_function)         \
  X(new_fluid_settings)             \
  X(delete_fluid_settings)          \
  X(fluid_settings_setint)          \
  X(fluid_settings_setnum)          \
  X(new_fluid_synth)                \
  X(delete_fluid_synth)             \
  X(fluid_synth_sfload)             \
  X(fluid_synth_sfunload)           \
  X(fluid_synth_program_select)     \
  X(fluid_synth_unset_program)      \
  X(fluid_synth_all_sounds_off)     \
  X(fluid_synth_cc)                 \
  X(fluid_synth_write_s16)          \
  X(new_fluid_player)               \
  X(delete_fluid_player)            \
  X(fluid_player_add_mem)           \
  X(fluid_player_play)              \
  X(fluid_player_stop)              \
  X(fluid_player_get_status)

struct AudioStack {
#define KALVITOR_POINTER(name) decltype(&::name) name = nullptr;
  KALVITOR_SDL_FUNCTIONS(KALVITOR_POINTER)
  KALVITOR_MIXER_FUNCTIONS(KALVITOR_POINTER)
  KALVITOR_FLUID_FUNCTIONS(KALVITOR_POINTER)
#undef KALVITOR_POINTER
};

// The libraries, loaded on the first call (from any thread; later calls wait
// for the first). Null when one of them or one of its functions is missing;
// the reason is then in *error. They stay loaded until the program ends.
const AudioStack* LoadAudioStack(std::string* error = nullptr);

}  // namespace kalvitor::media
