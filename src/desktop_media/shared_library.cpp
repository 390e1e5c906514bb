#include "shared_library.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kalvitor::media {

#ifdef _WIN32

const char* const kSdlLibrary = "SDL2.dll";
const char* const kMixerLibrary = "SDL2_mixer.dll";
const char* const kFluidSynthLibrary = "libfluidsynth-3.dll";

void* OpenLibrary(const char* name, std::string& error) {
  // From the program's own folder first, where the package puts them.
  const std::wstring wide = QString::fromUtf8(name).toStdWString();
  HMODULE library =
      ::LoadLibraryExW(wide.c_str(), nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (library == nullptr) error = std::string(name) + ": Windows error " + std::to_string(::GetLastError());
  return reinterpret_cast<void*>(library);
}

void* LibraryFunction(void* library, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

std::string SoundFontPath() {
  return (QCoreApplication::applicationDirPath() + QStringLiteral("/FluidR3_GM.sf2")).toStdString();
}

std::string FluidSynthFileName(const std::string& utf8) { return utf8; }

#else

const char* const kSdlLibrary = "libSDL2-2.0.so.0";
const char* const kMixerLibrary = "libSDL2_mixer-2.0.so.0";
const char* const kFluidSynthLibrary = "libfluidsynth.so.3";

void* OpenLibrary(const char* name, std::string& error) {
  void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* why = dlerror();
    error = why != nullptr ? why : name;
  }
  return library;
}

void* LibraryFunction(void* library, const char* name) { return dlsym(library, name); }

std::string SoundFontPath() { return "/usr/share/sounds/sf2/FluidR3_GM.sf2"; }

std::string FluidSynthFileName(const std::string& utf8) {
  return QFile::encodeName(QString::fromStdString(utf8)).toStdString();
}

#endif

}  // namespace kalvitor::media
