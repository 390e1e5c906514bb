// Libraries opened while the program runs, by the system's own loader
// (dlopen on Linux, LoadLibrary on Windows), and the names the sound
// libraries have on each system. This file's .cpp is the only place in the
// media library for calls of POSIX or of Windows.
#pragma once

#include <string>

namespace kalvitor::media {

// The run-time names: the sonames on Linux (not the development links, which
// exist only where the -dev packages are installed), the DLLs of MSYS2's
// packages on Windows.
extern const char* const kSdlLibrary;
extern const char* const kMixerLibrary;
extern const char* const kFluidSynthLibrary;

// The library, or null with the reason in `error`. It stays loaded.
void* OpenLibrary(const char* name, std::string& error);
// The address of a function of the library, or null.
void* LibraryFunction(void* library, const char* name);

// The General MIDI soundfont the music is played with: the system's
// (Debian's fluid-soundfont-gm) on Linux, the one beside the program on
// Windows.
std::string SoundFontPath();
// A file name as FluidSynth opens it: the local 8-bit encoding on Linux,
// UTF-8 on Windows (FluidSynth turns it into the wide form there).
std::string FluidSynthFileName(const std::string& utf8);

}  // namespace kalvitor::media
