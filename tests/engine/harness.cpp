#include "harness.h"

#ifdef _WIN32
#include <process.h>
#include <windows.h>
// windows.h names its own MessageBox; the port's is meant here.
#undef MessageBox
#else
#include <spawn.h>
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>

#include "util/date.h"
#include "util/paths.h"
#include "windows/shell/frm_main.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace kalvitor::testing {

std::filesystem::path FreshDir() {
  static std::mt19937_64 gen(std::random_device{}());
  auto p = std::filesystem::temp_directory_path() / ("kalvitor-test-" + std::to_string(gen()));
  std::filesystem::create_directories(p);
  return p;
}

int RunTestInChild(const std::string& test, const std::string& name, const std::string& value) {
  const std::string filter = "--gtest_filter=" + test;
  const std::string disabled = "--gtest_also_run_disabled_tests";
#ifdef _WIN32
  std::wstring self(32768, L'\0');
  self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  const std::wstring wideName = PathFromUtf8(name).wstring();
  ::_wputenv_s(wideName.c_str(), PathFromUtf8(value).wstring().c_str());
  const std::wstring quotedSelf = L"\"" + self + L"\"", wideFilter = PathFromUtf8(filter).wstring(),
                     wideDisabled = PathFromUtf8(disabled).wstring();
  const wchar_t* argv[] = {quotedSelf.c_str(), wideFilter.c_str(), wideDisabled.c_str(), nullptr};
  const intptr_t status = ::_wspawnv(_P_WAIT, self.c_str(), argv);
  ::_wputenv_s(wideName.c_str(), L"");
  return static_cast<int>(status);
#else
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  ::setenv(name.c_str(), value.c_str(), 1);
  std::string a0 = self, a1 = filter, a2 = disabled;
  char* argv[] = {a0.data(), a1.data(), a2.data(), nullptr};
  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, environ);
  ::unsetenv(name.c_str());
  int status = 0;
  if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
#endif
}

std::string ValueFromParent(const std::string& name) {
#ifdef _WIN32
  const wchar_t* value = ::_wgetenv(PathFromUtf8(name).wstring().c_str());
  return value == nullptr ? "" : Utf8FromPath(std::filesystem::path(value));
#else
  const char* value = std::getenv(name.c_str());
  return value == nullptr ? "" : value;
#endif
}

namespace {

int32_t DateOf(const std::string& now) { return ParseShortDate(now.substr(0, 10)).value_or(0); }

int64_t MillisOf(const std::string& now) {
  int h = std::stoi(now.substr(11, 2)), m = std::stoi(now.substr(14, 2)), s = std::stoi(now.substr(17, 2));
  return ((h * 60LL + m) * 60 + s) * 1000;
}

}  // namespace

void MeanwhilePort::RunMeanwhile(const std::string& text) {
  if (!meanwhile) return;
  waitText = text;
  const std::function<void()> then = std::move(meanwhile);
  meanwhile = nullptr;
  then();
}

MsgAnswer MeanwhilePort::MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                    MsgButtons buttons) {
  RunMeanwhile(text);
  if (answerAll && msgAnswers.empty() && buttons != MsgButtons::Ok) msgAnswers.push_back(MsgAnswer::Yes);
  return HeadlessPort::MessageBox(text, title, icon, buttons);
}

std::optional<std::string> MeanwhilePort::InputBox(const std::string& title, const std::string& prompt,
                                                   const std::string& defaultText) {
  RunMeanwhile(prompt);
  if (answerAll && inputs.empty()) inputs.push_back("100");
  return HeadlessPort::InputBox(title, prompt, defaultText);
}

void MeanwhilePort::OnMessageTyping(const std::string& text) {
  RunMeanwhile(text);
  HeadlessPort::OnMessageTyping(text);
}

void Harness::LoadMeanwhile(const std::string& name) {
  port.meanwhile = [this, name] {
    port.fileAnswers.push_back(headless::FileAnswer{headless::FileAnswer::Name, name, 0});
    game.LoadGame();
  };
}

Harness::Harness(const std::string& now, uint64_t seed)
    : dir(FreshDir()), port(out, DateOf(now), MillisOf(now)), game(port, Utf8FromPath(dir), seed) {
  port.Attach(game);
}

Harness::Harness(const InFolder& folder)
    : dir((std::filesystem::create_directories(folder.path), folder.path)),
      port(out, DateOf("06.12.2026 21:47:00"), MillisOf("06.12.2026 21:47:00")),
      game(port, Utf8FromPath(dir), 1),
      ownDir_(false) {
  port.Attach(game);
}

Harness::~Harness() {
  if (!ownDir_) return;
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

bool Harness::Saw(const std::string& line) {
  const std::vector<std::string> lines = Pending();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

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
  std::ifstream in(dir / PathFromUtf8(relative), std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Harness::WriteFile(const std::string& relative, const std::string& bytes) {
  const std::filesystem::path p = dir / PathFromUtf8(relative);
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
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
