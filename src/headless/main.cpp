// kalvitor-headless [--dir PATH] [--seed N] [--now "DD.MM.YYYY HH:MM:SS"] [--lang CODE] [SCRIPT]
#ifdef _WIN32
#include <windows.h>
// After windows.h, which they need.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "driver.h"
#include "util/date.h"
#include "util/paths.h"
#include "util/tr.h"

using kalvitor::headless::Driver;
using kalvitor::headless::Options;

namespace {

int Usage(const std::string& why) {
  std::cout << "ERROR " << why << "\n";
  std::cerr << "usage: kalvitor-headless [--dir PATH] [--seed N] [--now \"DD.MM.YYYY HH:MM:SS\"] [--lang CODE] "
               "[SCRIPT]\n";
  return 2;
}

// The arguments in UTF-8. Windows hands main() its arguments in the
// computer's 8-bit code page, which cannot spell every name: they are taken
// from the wide command line instead.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  for (int i = 0; wide != nullptr && i < count; ++i) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(std::max(size, 1)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    args.push_back(utf8);
  }
  ::LocalFree(wide);
  return args;
#else
  return std::vector<std::string>(argv, argv + argc);
#endif
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The bytes as they are, as on Linux: no CR added before each line end
  // of the output, none taken from the script.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> argument = Arguments(argc, argv);
  argc = static_cast<int>(argument.size());
  Options options;
  options.nowDate = kalvitor::SerialFromCivil(2002, 6, 1);
  std::string scriptPath;
  for (int i = 1; i < argc; ++i) {
    const std::string& a = argument[static_cast<size_t>(i)];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) return "";
      return argument[static_cast<size_t>(++i)];
    };
    if (a == "--dir") {
      options.dir = value();
      if (options.dir.empty()) return Usage("--dir needs a path");
    } else if (a == "--seed") {
      std::string v = value();
      try {
        size_t used = 0;
        options.seed = std::stoull(v, &used);
        if (used != v.size()) return Usage("--seed needs a whole number");
      } catch (...) {
        return Usage("--seed needs a whole number");
      }
    } else if (a == "--now") {
      std::string v = value();
      size_t space = v.find(' ');
      auto date = kalvitor::ParseShortDate(v.substr(0, space));
      std::optional<int> minutes;
      int seconds = 0;
      if (space != std::string::npos) {
        std::string t = v.substr(space + 1);
        minutes = kalvitor::ParseTimeOfDay(t);
        if (t.size() >= 3 && t[t.size() - 3] == ':' && std::count(t.begin(), t.end(), ':') == 2)
          seconds = std::stoi(t.substr(t.size() - 2));
      }
      if (!date || !minutes) return Usage("--now needs \"DD.MM.YYYY HH:MM:SS\"");
      options.nowDate = *date;
      options.nowMillis = (static_cast<int64_t>(*minutes) * 60 + seconds) * 1000;
    } else if (a == "--lang") {
      // The game's own language unless asked; never the environment's, so
      // that a script gives the same output on every machine.
      const std::string code = value();
      if (!kalvitor::SetLanguage(code)) {
        std::string known;
        for (const std::string& c : kalvitor::AvailableLanguages()) known += (known.empty() ? "" : ", ") + c;
        return Usage("--lang needs one of the game's languages: " + known);
      }
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      return Usage("unknown option: " + a);
    } else {
      scriptPath = a;
    }
  }
  Driver driver(options, std::cout);
  if (scriptPath.empty() || scriptPath == "-") return driver.Run(std::cin);
  std::ifstream in(kalvitor::PathFromUtf8(scriptPath), std::ios::binary);
  if (!in) return Usage("cannot read the script " + scriptPath);
  return driver.Run(in);
}
