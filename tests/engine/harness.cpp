#include "harness.h"

#include <algorithm>
#include <fstream>
#include <random>

#include "shell/frm_main.h"
#include "util/date.h"

namespace kalvitor::testing {

std::filesystem::path FreshDir() {
  static std::mt19937_64 gen(std::random_device{}());
  auto p = std::filesystem::temp_directory_path() / ("kalvitor-test-" + std::to_string(gen()));
  std::filesystem::create_directories(p);
  return p;
}

namespace {

int32_t DateOf(const std::string& now) { return ParseShortDate(now.substr(0, 10)).value_or(0); }

int64_t MillisOf(const std::string& now) {
  int h = std::stoi(now.substr(11, 2)), m = std::stoi(now.substr(14, 2)), s = std::stoi(now.substr(17, 2));
  return ((h * 60LL + m) * 60 + s) * 1000;
}

}  // namespace

Harness::Harness(const std::string& now, uint64_t seed)
    : dir(FreshDir()), port(out, DateOf(now), MillisOf(now)), game(port, dir.string(), seed) {
  port.Attach(game);
}

Harness::~Harness() {
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

void Harness::QueuePlayer(const std::string& name, int level) {
  port.playerAnswers.push_back(headless::PlayerAnswer{headless::PlayerAnswer::Ok, level, name});
}

void Harness::Start(const std::string& name, int level) {
  QueuePlayer(name, level);
  game.RunMain();
}

void Harness::Rnd(std::initializer_list<double> values) {
  for (double v : values) game.rnd.Force(v);
}

std::vector<std::string> Harness::Pending() const {
  std::vector<std::string> lines;
  std::istringstream in(out.str());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Harness::Lines() {
  std::vector<std::string> lines = Pending();
  out.str("");
  out.clear();
  return lines;
}

bool Harness::Saw(const std::string& line) { return std::ranges::count(Pending(), line) > 0; }

std::vector<std::string> Harness::LinesStarting(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& l : Pending())
    if (l.rfind(prefix, 0) == 0) found.push_back(l);
  return found;
}

std::string Harness::Label(const std::string& name) {
  Control* c = game.MainForm().Find(name);
  return c == nullptr ? "<no such label>" : c->Text();
}

uint32_t Harness::LabelColor(const std::string& name) {
  Control* c = game.MainForm().Find(name);
  return c == nullptr ? 0 : c->props.color;
}

std::string Harness::ReadFile(const std::string& relative) {
  std::ifstream in(dir / relative, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Harness::WriteFile(const std::string& relative, const std::string& bytes) {
  std::filesystem::create_directories((dir / relative).parent_path());
  std::ofstream(dir / relative, std::ios::binary | std::ios::trunc) << bytes;
}

bool Harness::Save(const std::string& name) {
  port.fileAnswers.push_back({headless::FileAnswer::Name, name, 0});
  return game.SaveGame();
}

bool Harness::Load(const std::string& name) {
  port.fileAnswers.push_back({headless::FileAnswer::Name, name, 0});
  return game.LoadGame();
}

}  // namespace kalvitor::testing
