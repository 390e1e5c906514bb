#include "driver.h"

#include <sstream>

#include "life/state_fields.h"
#include "script.h"
#include "util/int_math.h"
#include "util/text.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::headless {
namespace {

std::string Hex(uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%06X", rgb & 0xFFFFFF);
  return buf;
}

long long WholeArg(const std::string& text, const std::string& what) {
  std::optional<long long> v = ParseWhole(text);
  if (!v) throw ScriptError("not a whole number for " + what + ": " + Quoted(text));
  return *v;
}

int16_t Arg16(const std::vector<std::string>& args, size_t i, const std::string& what) {
  if (i >= args.size()) throw ScriptError("missing argument for " + what);
  return Sat16(WholeArg(args[i], what));
}

int32_t Arg32(const std::vector<std::string>& args, size_t i, const std::string& what) {
  if (i >= args.size()) throw ScriptError("missing argument for " + what);
  return Sat32(WholeArg(args[i], what));
}

// "frmWork.cmdWork(3)" -> form, control, index
struct Target {
  std::string form, control;
  int index = -1;
};

Target ParseTarget(const std::string& target) {
  Target t;
  size_t dot = target.find('.');
  if (dot == std::string::npos) throw ScriptError("expected FORM.CONTROL: " + Quoted(target));
  t.form = target.substr(0, dot);
  std::string c = target.substr(dot + 1);
  size_t open = c.find('(');
  if (open != std::string::npos && !c.empty() && c.back() == ')') {
    std::optional<long long> idx = ParseWhole(c.substr(open + 1, c.size() - open - 2));
    if (!idx || *idx < 0 || *idx > 1000) throw ScriptError("bad control index: " + Quoted(target));
    t.index = static_cast<int>(*idx);
    c = c.substr(0, open);
  }
  t.control = c;
  return t;
}

double SecondsArg(const std::string& text) {
  std::istringstream in(text);
  double v = 0;
  if (!(in >> v) || !in.eof() || v < 0 || v > 1e9) throw ScriptError("bad number of seconds: " + Quoted(text));
  return v;
}

}  // namespace

Driver::Driver(const Options& options, std::ostream& out)
    : out_(out), port_(out, options.nowDate, options.nowMillis), game_(port_, options.dir, options.seed) {
  port_.Attach(game_);
}

int Driver::Run(std::istream& script) {
  std::string text;
  try {
    while (std::getline(script, text)) {
      std::optional<Line> line = SplitLine(text);
      if (!line) continue;
      Execute(line->command, line->rest);
      out_.flush();
    }
  } catch (const ProgramEnded&) {
    out_.flush();
    return 0;
  } catch (const ScriptError& e) {
    out_ << "ERROR " << e.what() << "\n";
    out_.flush();
    return 2;
  }
  return 0;
}

void Driver::Execute(const std::string& cmd, const std::string& rest) {
  auto args = [&](size_t n) { return Arguments(rest, n); };
  if (cmd == "start") {
    game_.RunMain();
  } else if (cmd == "click") {
    Click(rest);
  } else if (cmd == "type") {
    auto a = args(2);
    if (a.empty()) throw ScriptError("type needs FORM.CONTROL");
    Type(a[0], a.size() > 1 ? a[1] : "");
  } else if (cmd == "select") {
    auto a = args(2);
    if (a.size() < 2) throw ScriptError("select needs FORM.CONTROL INDEX");
    Select(a[0], a[1]);
  } else if (cmd == "key") {
    auto a = args(1);
    if (a.empty()) throw ScriptError("key needs a character");
    Key(a[0]);
  } else if (cmd == "enter" || cmd == "esc") {
    if (!rest.empty()) throw ScriptError(cmd + " takes no argument");
    PressKey(cmd == "enter" ? WindowKey::Enter : WindowKey::Esc);
  } else if (cmd == "menu") {
    auto a = args(1);
    if (a.empty()) throw ScriptError("menu needs a path");
    MenuCommand(a[0]);
  } else if (cmd == "close") {
    Close(rest);
  } else if (cmd == "minimize") {
    Minimize();
  } else if (cmd == "tick") {
    long long n = rest.empty() ? 1 : WholeArg(rest, "tick");
    if (n < 0 || n > 100000000) throw ScriptError("bad number of ticks: " + rest);
    port_.RunFor(n * 250);
  } else if (cmd == "wait") {
    port_.RunFor(static_cast<int64_t>(SecondsArg(rest) * 1000.0 + 0.5));
  } else if (cmd == "later") {
    // later SECONDS COMMAND...: the command runs when its time comes, inside
    // whatever the game is doing then.
    const size_t space = rest.find_first_of(" \t");
    if (space == std::string::npos) throw ScriptError("later needs SECONDS COMMAND");
    const int64_t due = port_.NowMs() + static_cast<int64_t>(SecondsArg(rest.substr(0, space)) * 1000.0 + 0.5);
    std::optional<Line> line = SplitLine(rest.substr(space));
    if (!line) throw ScriptError("later needs SECONDS COMMAND");
    port_.RunAt(due, [this, command = line->command, args = line->rest] { Execute(command, args); });
  } else if (cmd == "rnd") {
    std::istringstream in(rest);
    std::string v;
    while (in >> v) {
      std::istringstream num(v);
      double d = 0;
      if (!(num >> d) || !num.eof() || !(d >= 0.0) || d >= 1.0) throw ScriptError("rnd values lie in [0, 1): " + v);
      game_.rnd.Force(d);
    }
  } else if (cmd == "set") {
    auto a = args(2);
    if (a.empty()) throw ScriptError("set needs a variable");
    Set(a[0], a.size() > 1 ? a[1] : "");
  } else if (cmd == "call") {
    auto a = args(2);
    if (a.empty()) throw ScriptError("call needs a routine");
    Call(a[0], a.size() > 1 ? rest.substr(rest.find(a[0]) + a[0].size()) : "");
  } else if (cmd == "registry") {
    auto a = args(2);
    if (a.size() < 2) throw ScriptError("registry needs NAME VALUE");
    if (a[1] == "-")
      port_.settings.erase(a[0]);
    else
      port_.settings[a[0]] = a[1];
  } else if (cmd == "music-end") {
    port_.MusicEnded();
  } else if (cmd == "dump") {
    auto a = args(2);
    if (a.empty()) throw ScriptError("dump needs state, labels, form, menu, registry, journal or stats");
    Dump(a[0], a.size() > 1 ? a[1] : "");
  } else if (cmd == "player") {
    auto a = args(2);
    if (a.empty()) throw ScriptError("player needs LEVEL NAME");
    long long level = WholeArg(a[0], "player level");
    if (level < 0 || level > 2) throw ScriptError("player level is 0, 1 or 2");
    port_.playerAnswers.push_back(PlayerAnswer{PlayerAnswer::Ok, static_cast<int>(level), a.size() > 1 ? a[1] : ""});
  } else if (cmd == "player-cancel") {
    port_.playerAnswers.push_back(PlayerAnswer{PlayerAnswer::Cancel, 1, ""});
  } else if (cmd == "player-close") {
    port_.playerAnswers.push_back(PlayerAnswer{PlayerAnswer::Close, 1, ""});
  } else if (cmd == "player-load") {
    port_.playerAnswers.push_back(PlayerAnswer{PlayerAnswer::Load, 1, ""});
  } else if (cmd == "file") {
    auto a = args(1);
    port_.fileAnswers.push_back(FileAnswer{FileAnswer::Name, a.empty() ? "" : a[0], 0});
  } else if (cmd == "file-pick") {
    long long i = WholeArg(rest, "file-pick");
    port_.fileAnswers.push_back(FileAnswer{FileAnswer::Pick, "", static_cast<int>(Sat16(i))});
  } else if (cmd == "file-cancel") {
    port_.fileAnswers.push_back(FileAnswer{FileAnswer::Cancel, "", 0});
  } else if (cmd == "file-close") {
    port_.fileAnswers.push_back(FileAnswer{FileAnswer::Close, "", 0});
  } else if (cmd == "answer") {
    static const std::pair<const char*, MsgAnswer> kAnswers[] = {
        {"ok", MsgAnswer::Ok}, {"yes", MsgAnswer::Yes}, {"no", MsgAnswer::No}, {"cancel", MsgAnswer::Cancel}};
    for (const auto& [word, a] : kAnswers) {
      if (rest == word) {
        port_.msgAnswers.push_back(a);
        return;
      }
    }
    throw ScriptError("answer is ok, yes, no or cancel: " + Quoted(rest));
  } else if (cmd == "input") {
    auto a = args(1);
    port_.inputs.push_back(a.empty() ? std::string() : a[0]);
  } else if (cmd == "input-cancel") {
    port_.inputs.push_back(std::nullopt);
  } else if (cmd == "virus") {
    if (rest != "fight" && rest != "letgo") throw ScriptError("virus is fight or letgo");
    port_.virusFights.push_back(rest == "fight");
  } else {
    throw ScriptError("unknown command: " + cmd);
  }
}

Form& Driver::ShownForm(const std::string& name) {
  Form* form = game_.FindForm(name);
  if (form == nullptr) throw ScriptError("unknown form: " + name);
  if (!form->Shown()) throw ScriptError("form not shown: " + name);
  Form* modal = game_.ActiveModal();
  if (modal != nullptr && modal != form) {
    if (form == &game_.MainForm()) throw ScriptError("the main window is behind the modal " + modal->Name());
    throw ScriptError(name + " is behind the modal " + modal->Name());
  }
  return *form;
}

Control& Driver::ControlOf(Form& form, const std::string& target) {
  Target t = ParseTarget(target);
  Control* c = form.Find(t.control, t.index);
  if (c == nullptr) throw ScriptError("unknown control: " + target);
  return *c;
}

void Driver::Click(const std::string& target) {
  Target t = ParseTarget(target);
  Form& form = ShownForm(t.form);
  Control& c = ControlOf(form, target);
  if (!form.Enabled()) throw ScriptError("the window is disabled: " + t.form);
  if (!c.Usable()) throw ScriptError("control is disabled or hidden: " + target);
  form.Click(t.control, t.index);
}

void Driver::Type(const std::string& target, const std::string& text) {
  Target t = ParseTarget(target);
  Form& form = ShownForm(t.form);
  Control& c = ControlOf(form, target);
  if (c.kind != ControlKind::TextBox) throw ScriptError("not a text box: " + target);
  if (!c.Usable()) throw ScriptError("control is disabled or hidden: " + target);
  c.SetText(text);
}

void Driver::Select(const std::string& target, const std::string& index) {
  Target t = ParseTarget(target);
  Form& form = ShownForm(t.form);
  Control& c = ControlOf(form, target);
  if (c.kind != ControlKind::ListBox && c.kind != ControlKind::ComboBox) throw ScriptError("not a list: " + target);
  if (!form.Enabled() || !c.Usable()) throw ScriptError("control is disabled or hidden: " + target);
  long long i = WholeArg(index, "select");
  if (i < 0 || i >= static_cast<long long>(c.props.items.size()))
    throw ScriptError("no entry " + index + " in " + target);
  c.SetListIndex(static_cast<int>(i));
  form.Click(t.control, t.index);
}

void Driver::RequireMainUsable() {
  FrmMain& m = game_.MainForm();
  if (!m.Shown()) throw ScriptError("the main window is not shown");
  if (Form* modal = game_.ActiveModal()) throw ScriptError("the main window is behind the modal " + modal->Name());
}

void Driver::Key(const std::string& ch) {
  RequireMainUsable();
  game_.MainForm().FormKeyPress(ch);
}

void Driver::PressKey(WindowKey key) {
  Form* top = game_.TopWindow();
  if (top == nullptr) throw ScriptError("no window is shown");
  top->Press(key);
}

void Driver::MenuCommand(const std::string& path) {
  FrmMain& m = game_.MainForm();
  if (!m.Shown()) throw ScriptError("the main window is not shown");
  size_t slash = path.find('/');
  std::string menuCaption = path.substr(0, slash);
  Menu* menu = m.FindMenu(menuCaption);
  if (menu == nullptr) throw ScriptError("unknown menu: " + Quoted(menuCaption));
  MenuItem* item = nullptr;
  if (slash != std::string::npos) {
    item = m.FindItem(*menu, path.substr(slash + 1));
    if (item == nullptr) throw ScriptError("unknown menu item: " + Quoted(path));
  }
  // An item that only shows the game works while paused and behind a place.
  if (item == nullptr || !item->onlyShows) {
    RequireMainUsable();
    if (!m.Enabled()) throw ScriptError("the window is disabled (paused)");
  }
  if (!menu->enabled) throw ScriptError("menu not available: " + Quoted(menuCaption));
  if (menu->onOpen) menu->onOpen();
  if (item == nullptr) return;
  if (!item->enabled) throw ScriptError("menu item not available: " + Quoted(path));
  if (item->action) {
    auto action = item->action;
    action();
  }
}

void Driver::Close(const std::string& name) {
  Form& form = ShownForm(name);
  form.CloseBox();
}

void Driver::Minimize() {
  FrmMain& m = game_.MainForm();
  if (!m.Shown()) throw ScriptError("the main window is not shown");
  m.WindowMinimized();
}

void Driver::Set(const std::string& name, const std::string& value) {
  const StateField* f = FindStateField(name);
  if (f == nullptr) throw ScriptError("unknown variable: " + name);
  if (!f->settable) throw ScriptError(name + " is set only through BuyHardware");
  if (!f->set(game_.StateForSetUp(), value)) throw ScriptError("bad value for " + name + ": " + Quoted(value));
}

void Driver::Call(const std::string& routine, const std::string& rest) {
  Game& g = game_;
  auto args = [&](size_t n) { return Arguments(rest, n); };
  auto one16 = [&] { return Arg16(args(1), 0, routine); };
  auto result = [&](const std::string& v) { out_ << "RESULT " << v << "\n"; };
  auto flag = [](bool b) { return std::string(b ? "-1" : "0"); };

  if (routine == "SetMoney")
    g.SetMoney(Arg32(args(1), 0, routine));
  else if (routine == "SetMood")
    g.SetMood(one16());
  else if (routine == "SetHealth")
    g.SetHealth(one16());
  else if (routine == "SetSatiety")
    g.SetSatiety(one16());
  else if (routine == "SetJob")
    g.SetJob(one16());
  else if (routine == "SetStatus")
    g.SetStatus(one16());
  else if (routine == "SetEducation")
    g.SetEducation(one16());
  else if (routine == "SetSpeed")
    g.SetSpeed(one16());
  else if (routine == "SetDifficulty")
    g.SetDifficulty(one16());
  else if (routine == "SetDownloadedMb")
    g.SetDownloadedMb(one16());
  else if (routine == "FamilyEvent")
    g.FamilyEvent(one16());
  else if (routine == "BuyHardware") {
    auto a = args(3);
    g.BuyHardware(Arg16(a, 0, routine), Arg16(a, 1, routine), Arg16(a, 2, routine));
  } else if (routine == "InstallSoftware") {
    auto a = args(2);
    result(flag(g.InstallSoftware(Arg16(a, 0, routine), Arg16(a, 1, routine))));
  } else if (routine == "BankOperation") {
    auto a = args(2);
    g.BankOperation(Arg16(a, 0, routine), Arg32(a, 1, routine));
  } else if (routine == "ApplyCheatCode") {
    auto a = args(1);
    g.ApplyCheatCode(a.empty() ? "" : a[0]);
  } else if (routine == "HourlyPass")
    g.HourlyPass();
  else if (routine == "DailyPass")
    g.DailyPass();
  else if (routine == "DailyEvents")
    g.DailyEvents(one16() != 0);
  else if (routine == "YearlyPass")
    g.YearlyPass();
  else if (routine == "NewGame")
    g.NewGame();
  else if (routine == "SaveGame")
    g.SaveGame();
  else if (routine == "LoadGame")
    result(flag(g.LoadGame()));
  else if (routine == "ShowMessage") {
    auto a = args(1);
    g.ShowMessage(a.empty() ? "" : a[0]);
  } else if (routine == "GetRandomAnecdote")
    result(Quoted(g.GetRandomAnecdote()));
  // Beyond the list every script relies on:
  else if (routine == "StatusName")
    result(Quoted(Game::StatusName(one16())));
  else if (routine == "RefreshFamilyLabel")
    g.RefreshFamilyLabel();
  else if (routine == "TrafficEvent")
    g.TrafficEvent();
  else if (routine == "WaitSeconds")
    g.WaitSeconds(one16());
  else if (routine == "PlayRandomTrack")
    g.PlayRandomTrack();
  else if (routine == "StopMusic")
    g.StopMusic();
  else if (routine == "AskSaveLoadFileName")
    result(Quoted(g.AskSaveLoadFileName(one16())));
  else if (routine == "PlaySfx") {
    auto a = args(1);
    g.PlaySfx(a.empty() ? "" : a[0]);
  } else
    throw ScriptError("unknown routine: " + routine);
}

void Driver::Dump(const std::string& what, const std::string& rest) {
  if (what == "state") {
    out_ << StateDump(game_.s);
  } else if (what == "labels") {
    FrmMain& m = game_.MainForm();
    for (Control* c : m.GameLabels())
      out_ << "LABEL frmMain." << c->FullName() << " " << Quoted(c->Text()) << " " << Hex(c->props.color) << "\n";
    out_ << "CAPTION frmMain " << Quoted(m.Caption()) << "\n";
  } else if (what == "form") {
    Form* form = game_.FindForm(rest);
    if (form == nullptr) throw ScriptError("unknown form: " + rest);
    for (const Control& c : form->Controls())
      out_ << "CONTROL " << form->Name() << "." << c.FullName() << " " << Quoted(c.Text())
           << " enabled=" << (c.props.enabled ? 1 : 0) << " visible=" << (c.props.visible ? 1 : 0) << "\n";
    out_ << "FORM " << form->Name() << " loaded=" << (form->Loaded() ? 1 : 0) << " shown=" << (form->Shown() ? 1 : 0)
         << "\n";
  } else if (what == "registry") {
    for (const auto& [name, value] : port_.settings) out_ << "REGISTRY " << name << " " << Quoted(value) << "\n";
  } else if (what == "journal") {
    for (const JournalEntry& e : game_.journal.Entries()) out_ << JournalLine(e) << "\n";
  } else if (what == "stats") {
    for (const StatsSample& s : game_.journal.Samples()) out_ << StatsLine(s) << "\n";
  } else if (what == "menu") {
    for (Menu& menu : game_.MainForm().Menus())
      for (MenuItem& item : menu.items)
        out_ << "MENU " << Quoted(menu.caption + "/" + item.caption)
             << " enabled=" << (menu.enabled && item.enabled ? 1 : 0) << " checked=" << (item.checked ? 1 : 0) << "\n";
  } else {
    throw ScriptError("unknown dump: " + what);
  }
}

}  // namespace kalvitor::headless
