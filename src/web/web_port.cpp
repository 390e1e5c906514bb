#include "web_port.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <utility>

#include "bridge.h"
#include "form_json.h"
#include "json.h"
#include "saved_files.h"
#include "util/cp1251.h"
#include "util/date.h"
#include "util/program_name.h"
#include "util/tr.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::web {
namespace {

constexpr int kClockMs = 250;   // the main window's clock, tmrTime
constexpr int kMusicMs = 2000;  // the music's check, tmrMusic
constexpr char kSeparator = '\x1F';

std::vector<std::string> SplitFields(const std::string& event) {
  std::vector<std::string> fields;
  std::string field;
  for (const char ch : event) {
    if (ch == kSeparator) {
      fields.push_back(field);
      field.clear();
    } else {
      field += ch;
    }
  }
  fields.push_back(field);
  return fields;
}

int Number(const std::string& s) {
  char* end = nullptr;
  const long v = std::strtol(s.c_str(), &end, 10);
  return end == s.c_str() ? -1 : static_cast<int>(v);
}

const char* IconName(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information:
      return "information";
    case MsgIcon::Exclamation:
      return "exclamation";
    case MsgIcon::Critical:
      return "critical";
    case MsgIcon::Question:
      return "question";
    case MsgIcon::None:
      break;
  }
  return "";
}

const char* ButtonsName(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo:
      return "yesno";
    case MsgButtons::YesNoCancel:
      return "yesnocancel";
    case MsgButtons::Ok:
      break;
  }
  return "ok";
}

bool IsUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

// The program's time runs as fast as the page's address asks (1: real time).
double Warp() {
  static const double warp = TimeWarpFromPage();
  return warp;
}

std::string TitleOr(const std::string& title) { return title.empty() ? std::string(kProgramTitle) : title; }

}  // namespace

// The page fits its room to the main window from the start (site/js/scale.js),
// before any window shows: the name dialog comes at the game's scale.
void WebPort::Attach(Game& game) {
  game_ = &game;
  tools_ = std::make_unique<ToolNews>(game);
  const Form& main = game.MainForm();
  Post("gamearea", Json().Begin().Int("w", main.Width()).Int("h", main.Height()).End().Text());
  TellLanguage();
}

// The page speaks the game's language: its own texts (site/js/lang.js) and
// its root's lang.
void WebPort::TellLanguage() { Post("language", Json().Begin().Str("code", Language()).End().Text()); }

// The game's windows have been relabelled (each sent anew); the page's own
// follow, and the journal and statistics windows hear everything again in
// the new language (the kinds' and the ranks' names).
void WebPort::LanguageChanged() {
  TellLanguage();
  if (tools_) tools_->Relabel();
  menusSent_.clear();
  AfterEvent();
}

// --- The pump

int64_t WebPort::MonotonicMs() { return static_cast<int64_t>(NowMs() * Warp()); }

int64_t WebPort::NextTimer() const {
  int64_t next = -1;
  for (const int64_t due : {clockDue_, musicDue_})
    if (due >= 0 && (next < 0 || due < next)) next = due;
  return next;
}

void WebPort::Pump(const std::function<bool()>& done, int64_t deadline) {
  waitedForPlayer_ = true;
  while (!done()) {
    if (deadline >= 0 && MonotonicMs() >= deadline) return;
    FireTimers();
    if (done()) return;
    int64_t until = NextTimer();
    if (deadline >= 0 && (until < 0 || deadline < until)) until = deadline;
    // The journal may have grown within whatever ran last (a box asked
    // inside a tick is waited for here).
    if (tools_) tools_->Follow();
    const int64_t timeout = until < 0 ? 60000 : std::max<int64_t>(0, until - MonotonicMs());
    // The page waits in its own time.
    const std::string event = NextEvent(static_cast<double>(timeout) / Warp());
    if (!event.empty()) Dispatch(event);
  }
}

// The main window's two timers, as Qt's: a tick falls due in whichever
// wait runs at the time, and the next one counts from there (none is made up).
void WebPort::FireTimers() {
  const int64_t now = MonotonicMs();
  if (clockDue_ >= 0 && now >= clockDue_) {
    clockDue_ = now + kClockMs;
    FrmMain& m = game_->MainForm();
    // The pause stops the clock; a tick that falls due while another runs
    // is dropped.
    if (m.Loaded() && !m.Paused() && !game_->InTick()) {
      game_->ClockTick();
      AfterEvent();
    }
  }
  if (musicDue_ >= 0 && MonotonicMs() >= musicDue_) {
    musicDue_ = MonotonicMs() + kMusicMs;
    if (game_->MainForm().Loaded()) game_->MusicTimer();
  }
}

void WebPort::SyncTimers() {
  const bool loaded = game_ != nullptr && game_->MainForm().Loaded();
  const bool clockOn = loaded && game_->MainForm().tmrTime.props.enabled;
  const bool musicOn = loaded && game_->MainForm().tmrMusic.props.enabled;
  if (clockOn && clockDue_ < 0) clockDue_ = MonotonicMs() + kClockMs;
  if (!clockOn) clockDue_ = -1;
  if (musicOn && musicDue_ < 0) musicDue_ = MonotonicMs() + kMusicMs;
  if (!musicOn) musicDue_ = -1;
}

void WebPort::RunForever() {
  for (;;) Pump([] { return false; }, -1);
}

void WebPort::WaitUntil(int64_t monotonicMs) {
  if (monotonicMs <= MonotonicMs()) return;
  Pump([] { return false; }, monotonicMs);
}

void WebPort::RunModal(Form& form) {
  Pump([&form] { return !form.Loaded() || !form.Shown(); }, -1);
}

// --- The page's events

void WebPort::Dispatch(const std::string& event) {
  using Handler = void (WebPort::*)(const Fields&);
  static const std::map<std::string, Handler> kHandlers = {
      {"click", &WebPort::OnClick},       {"text", &WebPort::OnText},           {"pick", &WebPort::OnPick},
      {"key", &WebPort::OnKey},           {"press", &WebPort::OnPress},         {"menu", &WebPort::OnMenu},
      {"menuopen", &WebPort::OnMenuOpen}, {"close", &WebPort::OnClose},         {"answer", &WebPort::OnAnswer},
      {"pause", &WebPort::OnPause},       {"minimized", &WebPort::OnMinimized}, {"toolclosed", &WebPort::OnToolClosed},
      {"export", &WebPort::OnExport},     {"import", &WebPort::OnImport},
  };
  const Fields f = SplitFields(event);
  auto it = kHandlers.find(f[0]);
  if (it == kHandlers.end() || game_ == nullptr) return;
  (this->*(it->second))(f);
  AfterEvent();
}

// The menus' marks and availability follow whatever an event changed.
void WebPort::AfterEvent() {
  if (game_ == nullptr || !game_->MainForm().Loaded()) return;
  std::string menus = MenusJson(game_->MainForm().Menus());
  if (menus == menusSent_) return;
  menusSent_ = std::move(menus);
  Post("menus", menusSent_);
}

Form* WebPort::FormNamed(const std::string& name) const {
  Form* form = game_->FindForm(name);
  return form != nullptr && form->Loaded() ? form : nullptr;
}

// The control an event names by its window and its place in it, when the
// window is loaded and takes clicks.
Control* WebPort::ControlOf(const Fields& f) const {
  if (f.size() < 3) return nullptr;
  Form* form = FormNamed(f[1]);
  const int id = Number(f[2]);
  if (form == nullptr || !form->Enabled() || id < 0 || id >= static_cast<int>(form->Controls().size())) return nullptr;
  Control& c = const_cast<Control&>(form->Controls()[static_cast<size_t>(id)]);
  return c.Usable() ? &c : nullptr;
}

void WebPort::OnClick(const Fields& f) {
  // The handler may unload the window; nothing here touches it afterwards.
  if (Control* c = ControlOf(f)) c->form.Click(c->name, c->index);
}

void WebPort::OnText(const Fields& f) {
  Control* c = ControlOf(f);
  if (c != nullptr && f.size() > 3 && c->kind == ControlKind::TextBox && !c->props.locked) c->SetText(f[3]);
}

void WebPort::OnPick(const Fields& f) {
  Control* c = ControlOf(f);
  const int row = f.size() > 3 ? Number(f[3]) : -1;
  if (c == nullptr || row < 0 || row >= static_cast<int>(c->props.items.size()) || c->props.listIndex == row) return;
  c->SetListIndex(row);
  if (c->form.HasHandler(c->name)) c->form.Click(c->name, c->index);
}

// A letter typed for the game (the pause, the cheat box); the page sends
// only what the desktop's keyboard watch passes on.
void WebPort::OnKey(const Fields& f) {
  if (f.size() > 1 && game_->MainForm().Loaded()) game_->MainForm().FormKeyPress(f[1]);
}

void WebPort::OnPress(const Fields& f) {
  Form* form = f.size() > 2 ? FormNamed(f[1]) : nullptr;
  if (form != nullptr) form->Press(f[2] == "esc" ? WindowKey::Esc : WindowKey::Enter);
}

void WebPort::OnMenu(const Fields& f) {
  FrmMain& m = game_->MainForm();
  const int menu = f.size() > 2 ? Number(f[1]) : -1, item = f.size() > 2 ? Number(f[2]) : -1;
  if (!m.Loaded() || menu < 0 || menu >= static_cast<int>(m.Menus().size())) return;
  const Menu& bar = m.Menus()[static_cast<size_t>(menu)];
  if (item < 0 || item >= static_cast<int>(bar.items.size())) return;
  const MenuItem& chosen = bar.items[static_cast<size_t>(item)];
  // While paused or behind a place only what just shows the game.
  const bool usable = chosen.enabled && bar.enabled && (m.Enabled() || chosen.onlyShows);
  if (!usable || !chosen.action) return;
  const std::function<void()> action = chosen.action;  // the menus may be rebuilt meanwhile
  action();
}

void WebPort::OnMenuOpen(const Fields& f) {
  FrmMain& m = game_->MainForm();
  const int menu = f.size() > 1 ? Number(f[1]) : -1;
  if (!m.Loaded() || menu < 0 || menu >= static_cast<int>(m.Menus().size())) return;
  const std::function<void()> open = m.Menus()[static_cast<size_t>(menu)].onOpen;
  if (open) open();
}

void WebPort::OnClose(const Fields& f) {
  if (Form* form = f.size() > 1 ? FormNamed(f[1]) : nullptr) form->CloseBox();
}

void WebPort::OnAnswer(const Fields& f) {
  if (f.size() > 2) answers_[Number(f[1])] = f.size() > 3 ? f[2] + kSeparator + f[3] : f[2];
}

// The tips the page offers at the first start hold the game while read.
void WebPort::OnPause(const Fields&) {
  if (game_->MainForm().Loaded()) game_->MainForm().Pause();
}

// The page went out of sight (another tab, the browser minimised): the
// game pauses as a minimised window does when the player asked for it.
void WebPort::OnMinimized(const Fields&) {
  if (game_->MainForm().Loaded()) game_->MainForm().WindowMinimized();
}

void WebPort::OnToolClosed(const Fields& f) {
  if (f.size() > 1 && tools_) tools_->Closed(f[1] == "journal" ? ToolWindow::Journal : ToolWindow::Stats);
}

// The page's own buttons in the save/load dialog (they act while it is up).
void WebPort::OnExport(const Fields&) { ExportSelectedGame(*game_); }

// "import" then name, size and the page's copy of each file picked.
void WebPort::OnImport(const Fields& f) {
  std::vector<PickedFile> files;
  for (size_t i = 1; i + 2 < f.size(); i += 3)
    files.push_back(PickedFile{f[i], std::strtod(f[i + 1].c_str(), nullptr), f[i + 2]});
  ImportPickedFiles(*game_, files);
}

// --- Boxes

int WebPort::NewBox(const std::string& json) {
  Post("box", json);
  return lastBox_;
}

std::string WebPort::AnswerOf(int box) {
  Pump([this, box] { return answers_.count(box) != 0; }, -1);
  std::string answer = answers_[box];
  answers_.erase(box);
  Post("boxclosed", Json().Begin().Int("id", box).End().Text());
  return answer;
}

MsgAnswer WebPort::MessageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) {
  const int id = ++lastBox_;
  NewBox(Json()
             .Begin()
             .Int("id", id)
             .Str("kind", "message")
             .Str("title", TitleOr(title))
             .Str("text", text)
             .Str("icon", IconName(icon))
             .Str("buttons", ButtonsName(buttons))
             .End()
             .Text());
  const std::string a = AnswerOf(id);
  if (a == "yes") return MsgAnswer::Yes;
  if (a == "no") return MsgAnswer::No;
  if (a == "cancel") return MsgAnswer::Cancel;
  if (a == "ok") return MsgAnswer::Ok;
  // Closed by its title bar: as Esc.
  return buttons == MsgButtons::YesNo ? MsgAnswer::No : buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

std::optional<std::string> WebPort::InputBox(const std::string& title, const std::string& prompt,
                                             const std::string& defaultText) {
  const int id = ++lastBox_;
  NewBox(Json()
             .Begin()
             .Int("id", id)
             .Str("kind", "input")
             .Str("title", TitleOr(title))
             .Str("text", prompt)
             .Str("value", defaultText)
             .End()
             .Text());
  const std::string a = AnswerOf(id);
  if (a.rfind(std::string("ok") + kSeparator, 0) == 0) return a.substr(3);
  return std::nullopt;
}

// --- Windows

void WebPort::OnFormEvent(Form& form, FormEvent event) {
  if (game_ == nullptr) return;
  const bool isMain = &form == &game_->MainForm();
  switch (event) {
    case FormEvent::Loaded:
    case FormEvent::Shown:
    case FormEvent::Changed:
      Post("form", FormJson(form, isMain));
      break;
    case FormEvent::Hidden:
    case FormEvent::Unloaded:
      Post("form", Json()
                       .Begin()
                       .Str("name", form.Name())
                       .Bool("main", isMain)
                       .Bool("loaded", form.Loaded())
                       .Bool("shown", form.Shown())
                       .Bool("gone", true)
                       .End()
                       .Text());
      break;
  }
  if (isMain) {
    SyncTimers();
    menusSent_.clear();
    AfterEvent();
  }
}

void WebPort::OnControlChanged(Form& form, Control& control) {
  if (game_ == nullptr) return;
  if (control.kind == ControlKind::Timer) {
    if (&form == &game_->MainForm()) SyncTimers();
    return;
  }
  Post("control", ControlJson(form, control));
}

void WebPort::OnMessageTyping(const std::string& text) {
  Post("typing", Json().Begin().Str("text", text).End().Text());
}

void WebPort::OnMessageTyped(const std::string& text) { Post("typed", Json().Begin().Str("text", text).End().Text()); }

void WebPort::MinimizeMainWindow() {
  Post("minimize", "{}");
  if (game_ != nullptr && game_->MainForm().Loaded()) game_->MainForm().WindowMinimized();
}

void WebPort::ShowToolWindow(ToolWindow which) {
  if (tools_) tools_->Open(which);
}

// --- Sound (site/js/sound.js): the page plays the effects and the music.

// The game stands still while an effect plays, as on the desktop: the
// program is suspended until the sound has ended, the player's clicks and
// keys wait in the page's queue and run afterwards, and a tick of the clock
// or of the music's check that falls due meanwhile is dropped. Switched off,
// or before the page may sound, nothing is heard and nothing waits.
void WebPort::PlayEffect(const std::string& name, bool audible) {
  if (!audible || !PlayPageEffect(name)) return;
  const int64_t now = MonotonicMs();
  for (auto [due, interval] : {std::pair{&clockDue_, kClockMs}, std::pair{&musicDue_, kMusicMs}})
    if (*due >= 0 && *due <= now) *due += ((now - *due) / interval + 1) * interval;
}

// The tunes are served beside the page, found there by their file's name;
// the program's music folder holds their names only (web/CMakeLists.txt).
void WebPort::MusicSetFile(const std::string& path) {
  MusicStop();
  musicFile_ = path.substr(path.find_last_of('/') + 1);
}

// Starting a player that is already playing changes nothing.
void WebPort::MusicPlay() {
  if (!musicFile_.empty() && MusicState() == 0) PlayPageTrack(musicFile_);
}

void WebPort::MusicStop() { PlayPageTrack(""); }

int WebPort::MusicState() { return PageTrackPlaying() ? 1 : 0; }

// --- Settings, files, links, the date, the end

std::optional<std::string> WebPort::SettingGet(const std::string& name) {
  std::string v = StoredSetting(name);
  if (v == "\x01") return std::nullopt;
  return v;
}

bool WebPort::SettingSet(const std::string& name, const std::string& value) { return StoreSetting(name, value); }

// Until the program first waits for the player, all it can have written is
// a first start's games log header: that is stored in the background, and
// the name dialog comes without waiting for the browser's store.
void WebPort::PlayerFilesWritten() { SyncPlayerFiles(waitedForPlayer_); }

void WebPort::OpenLink(const std::string& target) { Post("link", Json().Begin().Str("target", target).End().Text()); }

// readme.txt and license.txt: UTF-8, or the old code page.
void WebPort::ShowTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const bool found = in.is_open();
  std::ostringstream bytes;
  if (found) bytes << in.rdbuf();
  std::string text = bytes.str();
  if (!IsUtf8(text)) text = Cp1251ToUtf8(text);
  const std::string title = path.substr(path.find_last_of('/') + 1);
  Post("textfile", Json().Begin().Str("title", title).Str("text", text).Bool("found", found).End().Text());
}

WallClock WebPort::Now() {
  int t[4] = {};
  LocalTime(t);
  return WallClock{SerialFromCivil(t[0], t[1], t[2]), t[3]};
}

void WebPort::EndProgram() {
  SyncPlayerFiles(true);
  Post("ended", "{}");
  Halt();
}

}  // namespace kalvitor::web
