#include "headless_port.h"

#include <algorithm>

#include "life/media/effects.h"
#include "util/date.h"
#include "util/text.h"
#include "windows/forms/form.h"
#include "windows/screens/frm_virus.h"
#include "windows/shell/frm_main.h"
#include "windows/shell/frm_player_name.h"

namespace kalvitor::headless {
namespace {

const char* IconWord(MsgIcon icon) {
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
  return "none";
}

const char* AnswerWord(MsgAnswer a) {
  switch (a) {
    case MsgAnswer::Ok:
      return "ok";
    case MsgAnswer::Yes:
      return "yes";
    case MsgAnswer::No:
      return "no";
    case MsgAnswer::Cancel:
      return "cancel";
  }
  return "ok";
}

bool Fits(MsgAnswer a, MsgButtons b) {
  switch (b) {
    case MsgButtons::Ok:
      return a == MsgAnswer::Ok;
    case MsgButtons::YesNo:
      return a == MsgAnswer::Yes || a == MsgAnswer::No;
    case MsgButtons::YesNoCancel:
      return a == MsgAnswer::Yes || a == MsgAnswer::No || a == MsgAnswer::Cancel;
  }
  return false;
}

constexpr int64_t kDayMs = 24LL * 3600 * 1000;

}  // namespace

HeadlessPort::HeadlessPort(std::ostream& out, int32_t startDate, int64_t startMillisOfDay)
    : out_(out), startDate_(startDate), startMillis_(startMillisOfDay) {}

MsgAnswer HeadlessPort::MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                   MsgButtons buttons) {
  MsgAnswer answer = MsgAnswer::Ok;
  if (buttons != MsgButtons::Ok) {
    if (msgAnswers.empty()) throw ScriptError("no queued answer for the message box " + Quoted(text));
    answer = msgAnswers.front();
    msgAnswers.pop_front();
    if (!Fits(answer, buttons))
      throw ScriptError(std::string("answer ") + AnswerWord(answer) + " does not fit the message box " + Quoted(text));
  }
  out_ << "MSGBOX " << IconWord(icon) << " " << Quoted(title) << " " << Quoted(text) << " -> " << AnswerWord(answer)
       << "\n";
  return answer;
}

std::optional<std::string> HeadlessPort::InputBox(const std::string& title, const std::string& prompt,
                                                  const std::string& defaultText) {
  if (inputs.empty()) throw ScriptError("no queued input for the input box " + Quoted(prompt));
  std::optional<std::string> answer = inputs.front();
  inputs.pop_front();
  out_ << "INPUT " << Quoted(title) << " " << Quoted(prompt) << " " << Quoted(defaultText) << " -> "
       << (answer ? Quoted(*answer) : std::string("cancel")) << "\n";
  return answer;
}

void HeadlessPort::RunModal(Form& form) {
  // Screens the player opens just stay shown; the script clicks on them.
  if (!form.IsDialog()) return;
  while (form.Shown()) AnswerDialog(form);
}

void HeadlessPort::AnswerDialog(Form& form) {
  const std::string& name = form.Name();
  if (name == "frmPlayerName") {
    if (playerAnswers.empty()) throw ScriptError("no queued answer for frmPlayerName");
    PlayerAnswer a = playerAnswers.front();
    playerAnswers.pop_front();
    auto& dialog = static_cast<FrmPlayerName&>(form);
    if (a.kind == PlayerAnswer::Cancel) {
      dialog.Command2_Click();
    } else if (a.kind == PlayerAnswer::Load) {
      dialog.Command3_Click();
    } else if (a.kind == PlayerAnswer::Close) {
      dialog.CloseBox();
    } else {
      dialog.cboLevel.SetListIndex(a.level);
      dialog.Text1.SetText(a.name);
      dialog.Command1_Click();
    }
  } else if (name == "frmSaveLoad") {
    if (fileAnswers.empty()) throw ScriptError("no queued answer for frmSaveLoad");
    FileAnswer a = fileAnswers.front();
    fileAnswers.pop_front();
    switch (a.kind) {
      case FileAnswer::Name:
        form.Find("txtFilename")->SetText(a.name);
        form.Click("cmdOk", -1);
        break;
      case FileAnswer::Pick: {
        Control* list = form.Find("lstFilenames");
        if (a.index < 0 || a.index >= static_cast<int>(list->props.items.size()))
          throw ScriptError("no entry " + std::to_string(a.index) + " in frmSaveLoad.lstFilenames");
        list->SetListIndex(a.index);
        form.Click("lstFilenames", -1);
        form.Click("cmdOk", -1);
        break;
      }
      case FileAnswer::Cancel:
        form.Click("cmdCancel", -1);
        break;
      case FileAnswer::Close:
        form.CloseBox();
        break;
    }
  } else if (name == "frmVirus") {
    if (virusFights.empty()) throw ScriptError("no queued answer for frmVirus");
    bool fight = virusFights.front();
    virusFights.pop_front();
    auto& dialog = static_cast<FrmVirus&>(form);
    if (fight)
      dialog.Command1_Click();
    else
      dialog.Command2_Click();
  } else {
    throw ScriptError("no answers for the dialog " + name);
  }
}

void HeadlessPort::OnFormEvent(Form& form, FormEvent event) {
  switch (event) {
    case FormEvent::Shown:
      out_ << "SHOW " << form.Name() << "\n";
      break;
    case FormEvent::Hidden:
      out_ << "HIDE " << form.Name() << "\n";
      break;
    case FormEvent::Unloaded:
      out_ << "UNLOAD " << form.Name() << "\n";
      if (&form == &game_->MainForm()) clock_.enabled = music_.enabled = false;
      break;
    case FormEvent::Loaded:
      if (&form == &game_->MainForm()) {
        FrmMain& m = game_->MainForm();
        clock_ = TimerClock{now_ + m.tmrTime.props.interval, m.tmrTime.props.enabled};
        music_ = TimerClock{now_ + m.tmrMusic.props.interval, m.tmrMusic.props.enabled};
      }
      break;
    case FormEvent::Changed:
      break;
  }
}

void HeadlessPort::OnControlChanged(Form& form, Control& control) {
  if (game_ == nullptr || &form != &game_->MainForm() || control.kind != ControlKind::Timer) return;
  TimerClock& t = control.name == "tmrTime" ? clock_ : music_;
  bool on = control.props.enabled;
  if (on && !t.enabled) t.nextDue = now_ + control.props.interval;  // an enabled timer starts counting anew
  t.enabled = on;
}

void HeadlessPort::DropDue(TimerClock& t, int interval) {
  if (interval <= 0) return;
  if (t.nextDue <= now_) t.nextDue += ((now_ - t.nextDue) / interval + 1) * interval;
}

void HeadlessPort::RunAt(int64_t dueMs, std::function<void()> action) {
  auto at = std::find_if(later_.begin(), later_.end(), [dueMs](const Later& l) { return l.due > dueMs; });
  later_.insert(at, Later{dueMs, std::move(action)});
}

void HeadlessPort::RunUntil(int64_t target) {
  FrmMain& m = game_->MainForm();
  for (;;) {
    TimerClock* next = nullptr;
    if (clock_.enabled && m.Loaded()) next = &clock_;
    if (music_.enabled && m.Loaded() && (next == nullptr || music_.nextDue < next->nextDue)) next = &music_;
    if (!later_.empty() && later_.front().due <= target && (next == nullptr || later_.front().due <= next->nextDue)) {
      Later l = std::move(later_.front());
      later_.pop_front();
      if (l.due > now_) now_ = l.due;
      l.action();
      continue;
    }
    if (next == nullptr || next->nextDue > target) break;
    if (next->nextDue > now_) now_ = next->nextDue;
    if (next == &clock_) {
      clock_.nextDue += m.tmrTime.props.interval;
      // Ticks never overlap, and the pause stops the clock: such a tick is dropped.
      if (!m.Paused() && !game_->InTick()) game_->ClockTick();
    } else {
      music_.nextDue += m.tmrMusic.props.interval;
      game_->MusicTimer();
    }
  }
  if (target > now_) now_ = target;
}

void HeadlessPort::PlayEffect(const std::string& name, bool audible) {
  out_ << "SFX " << name << (audible ? "" : " muted") << "\n";
  if (!audible) return;
  const EffectInfo* e = FindEffect(name);
  if (e == nullptr) return;
  // The game stands still while an effect plays: timers that fall due are dropped.
  now_ += e->lengthMs;
  if (game_ != nullptr && game_->MainForm().Loaded()) {
    DropDue(clock_, game_->MainForm().tmrTime.props.interval);
    DropDue(music_, game_->MainForm().tmrMusic.props.interval);
  }
}

void HeadlessPort::MusicPlay() {
  out_ << "MUSIC play " << Quoted(musicFile_) << "\n";
  musicState_ = musicFile_.empty() ? 0 : 2;
}

void HeadlessPort::MusicStop() {
  out_ << "MUSIC stop\n";
  musicState_ = 0;
}

std::optional<std::string> HeadlessPort::SettingGet(const std::string& name) {
  auto it = settings.find(name);
  if (it == settings.end()) return std::nullopt;
  return it->second;
}

bool HeadlessPort::SettingSet(const std::string& name, const std::string& value) {
  settings[name] = value;
  return true;
}

void HeadlessPort::OnMessageTyped(const std::string& text) { out_ << "TYPED " << Quoted(text) << "\n"; }

void HeadlessPort::ShowToolWindow(ToolWindow which) {
  out_ << "WINDOW " << (which == ToolWindow::Journal ? "journal" : "stats") << "\n";
}

void HeadlessPort::OpenLink(const std::string& target) { out_ << "LINK " << Quoted(target) << "\n"; }

void HeadlessPort::ShowTextFile(const std::string& path) { out_ << "TEXTFILE " << Quoted(path) << "\n"; }

WallClock HeadlessPort::Now() {
  int64_t ms = startMillis_ + now_;
  return WallClock{static_cast<int32_t>(startDate_ + ms / kDayMs), ms % kDayMs};
}

void HeadlessPort::EndProgram() {
  out_ << "END\n";
  throw ProgramEnded{};
}

}  // namespace kalvitor::headless
