// kalvitor-headless: runs the real engine from a script of player actions and
// prints what the player would see and hear.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "headless_port.h"
#include "windows/forms/form.h"
#include "windows/game.h"

namespace kalvitor::headless {

struct Options {
  std::string dir = ".";
  uint64_t seed = 20020601;
  int32_t nowDate = 0;
  int64_t nowMillis = 12LL * 3600 * 1000;
};

class Driver {
 public:
  Driver(const Options& options, std::ostream& out);
  // Runs the whole script; returns the exit status (0, or 2 after ERROR).
  int Run(std::istream& script);

 private:
  void Execute(const std::string& command, const std::string& rest);
  void Click(const std::string& target);
  void Type(const std::string& target, const std::string& text);
  void Select(const std::string& target, const std::string& index);
  void Key(const std::string& ch);
  void PressKey(WindowKey key);
  void MenuCommand(const std::string& path);
  void Close(const std::string& formName);
  void Minimize();
  void Set(const std::string& name, const std::string& value);
  void Call(const std::string& routine, const std::string& rest);
  void Dump(const std::string& what, const std::string& rest);

  Form& ShownForm(const std::string& name);
  Control& ControlOf(Form& form, const std::string& target);
  void RequireMainUsable();

  std::ostream& out_;
  HeadlessPort port_;
  Game game_;
};

}  // namespace kalvitor::headless
