#include "command_line.h"

#include <cstdio>
#include <string_view>

namespace kalvitor::qt {
namespace {

constexpr const char* kUsage =
    "Usage: kalvitor [OPTION]\n"
    "Brindlex Kalvitor " KALVITOR_VERSION
    ": the life of a computer user, a game in Russian.\n"
    "\n"
    "  -h, --help       show this text and exit\n"
    "  -v, --version    show the version and exit\n"
    "\n"
    "Qt's own options (-platform, -display, -style ...) are accepted too.\n"
#ifdef _WIN32
    "Saved games and the games log are kept in %APPDATA%\\Brindlex\\Kalvitor 1.6\\\n"
#else
    "Saved games and the games log are kept in ~/.local/share/Brindlex/Kalvitor 1.6/\n"
#endif
    "(beside the program when it runs from a writable folder that holds the game).\n";

// The options QApplication reads itself; the first group takes a value.
constexpr std::string_view kQtWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry", "geometry",   "qwindowtitle",
    "title",    "qwindowicon",        "icon",          "display", "style",           "stylesheet", "session",
    "name",     "qmljsdebugger"};
constexpr std::string_view kQtFlags[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

template <size_t N>
bool Among(std::string_view name, const std::string_view (&names)[N]) {
  for (std::string_view n : names)
    if (n == name) return true;
  return false;
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "-v" || arg == "--version") {
      std::puts("kalvitor " KALVITOR_VERSION);
      return 0;
    }
    std::string_view name = arg;
    if (name.starts_with("--"))
      name.remove_prefix(2);
    else if (name.starts_with("-"))
      name.remove_prefix(1);
    else
      name = {};
    const size_t equals = name.find('=');
    const bool valueAttached = equals != std::string_view::npos;
    if (valueAttached) name = name.substr(0, equals);
    if (Among(name, kQtWithValue) && (valueAttached || i + 1 < argc)) {
      if (!valueAttached) ++i;
      continue;
    }
    if (Among(name, kQtFlags) && !valueAttached) continue;
    std::fprintf(stderr, "kalvitor: unknown option '%s'\n%s", argv[i], kUsage);
    return 2;
  }
  return std::nullopt;
}

}  // namespace kalvitor::qt
