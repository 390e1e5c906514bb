// kalvitor-headless [--dir PATH] [--seed N] [--now "DD.MM.YYYY HH:MM:SS"] [SCRIPT]
#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

#include "driver.h"
#include "util/date.h"

using kalvitor::headless::Driver;
using kalvitor::headless::Options;

namespace {

int Usage(const std::string& why) {
  std::cout << "ERROR " << why << "\n";
  std::cerr << "usage: kalvitor-headless [--dir PATH] [--seed N] [--now \"DD.MM.YYYY HH:MM:SS\"] [SCRIPT]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  Options options;
  options.nowDate = kalvitor::SerialFromCivil(2002, 6, 1);
  std::string scriptPath;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) return "";
      return argv[++i];
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
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      return Usage("unknown option: " + a);
    } else {
      scriptPath = a;
    }
  }
  Driver driver(options, std::cout);
  if (scriptPath.empty() || scriptPath == "-") return driver.Run(std::cin);
  std::ifstream in(scriptPath, std::ios::binary);
  if (!in) return Usage("cannot read the script " + scriptPath);
  return driver.Run(in);
}
