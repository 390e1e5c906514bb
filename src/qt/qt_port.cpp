#include "qt_port.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QEventLoop>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "form_dialog.h"
#include "main_window.h"
#include "shell/frm_main.h"
#include "text_viewer.h"
#include "util/date.h"

namespace kalvitor::qt {
namespace {

const char* const kProgramTitle = "Brindlex Kalvitor 1.6";

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString TitleOr(const std::string& title) { return title.empty() ? QString::fromLatin1(kProgramTitle) : Q(title); }

}  // namespace

QtPort::QtPort(QtPortOptions options) : options_(std::move(options)) {
  monotonic_.start();
  if (options_.settingsFile.isEmpty())
    settings_ = std::make_unique<QSettings>(QStringLiteral("Brindlex"), QStringLiteral("Kalvitor 1.6"));
  else
    settings_ = std::make_unique<QSettings>(options_.settingsFile, QSettings::IniFormat);
  if (options_.openAudio) audio_.Open();
  clock_.setInterval(250);
  music_.setInterval(2000);
  connect(&clock_, &QTimer::timeout, this, &QtPort::ClockTimeout);
  connect(&music_, &QTimer::timeout, this, &QtPort::MusicTimeout);
  // An open sound device keeps its thread busy even in silence.
  audioIdle_.setInterval(1000);
  connect(&audioIdle_, &QTimer::timeout, this, [this] { audio_.CloseIdleDevice(1500); });
  if (audio_.IsOpen()) audioIdle_.start();
}

QtPort::~QtPort() {
  clock_.stop();
  music_.stop();
  audioIdle_.stop();
  for (auto& [form, dialog] : dialogs_) delete dialog.data();
  delete main_.data();
}

bool QtPort::IsMain(const Form& form) const { return game_ != nullptr && &form == &game_->MainForm(); }

FormDialog* QtPort::DialogOf(const Form& form) const {
  auto it = dialogs_.find(&form);
  return it == dialogs_.end() ? nullptr : it->second.data();
}

FormView* QtPort::ViewOf(const Form& form) const {
  if (IsMain(form)) return main_ ? main_->view() : nullptr;
  FormDialog* d = DialogOf(form);
  return d != nullptr ? d->view() : nullptr;
}

QWidget* QtPort::MessageOwner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (main_ && main_->isVisible()) return main_.data();
  return nullptr;
}

// --- Message and input boxes

MsgAnswer QtPort::MessageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(MessageOwner());
  box.setWindowTitle(TitleOr(title));
  box.setText(Q(text));
  switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
  }
  switch (buttons) {
    case MsgButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
      break;
    case MsgButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::No);
      break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
  }
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  const QMessageBox::StandardButton b = clicked != nullptr ? box.standardButton(clicked) : QMessageBox::NoButton;
  switch (b) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Ok: return MsgAnswer::Ok;
    default: break;
  }
  switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::YesNoCancel: return MsgAnswer::Cancel;
  }
  return MsgAnswer::Ok;
}

std::optional<std::string> QtPort::InputBox(const std::string& title, const std::string& prompt,
                                            const std::string& defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(MessageOwner(), TitleOr(title), Q(prompt), QLineEdit::Normal, Q(defaultText), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

// --- Windows

FormDialog* QtPort::EnsureDialog(Form& form) {
  if (FormDialog* d = DialogOf(form)) return d;
  // Screens and dialogs are owned by the main window; the name dialog, which
  // opens before the main window and between games, has no owner.
  QWidget* owner = (form.Name() == "frmPlayerName" || !main_) ? nullptr : main_.data();
  auto* d = new FormDialog(form, *this, owner);
  dialogs_[&form] = d;
  return d;
}

void QtPort::QuitModalLoops(const Form& form) {
  auto it = modalLoops_.find(&form);
  if (it == modalLoops_.end()) return;
  for (QEventLoop* loop : it->second) loop->quit();
}

void QtPort::RunModal(Form& form) {
  if (!form.Loaded() || !form.Shown()) return;
  EnsureDialog(form);
  QEventLoop loop;
  modalLoops_[&form].push_back(&loop);
  // The model alone ends the modal display: by hiding or unloading the form.
  while (form.Loaded() && form.Shown()) loop.exec(QEventLoop::DialogExec);
  auto& loops = modalLoops_[&form];
  loops.erase(std::remove(loops.begin(), loops.end(), &loop), loops.end());
}

void QtPort::MainEvent(FormEvent event) {
  FrmMain& m = game_->MainForm();
  switch (event) {
    case FormEvent::Loaded:
      if (!main_) main_ = new MainWindow(m, *this, [this] { return effectPlaying_; });
      main_->SyncAll();
      SyncTimers();
      break;
    case FormEvent::Shown:
      if (!main_) main_ = new MainWindow(m, *this, [this] { return effectPlaying_; });
      main_->SyncAll();
      main_->show();
      main_->raise();
      main_->activateWindow();
      if (onShown) onShown(m);
      break;
    case FormEvent::Hidden:
      if (main_) main_->hide();
      break;
    case FormEvent::Unloaded:
      if (main_) main_->hide();
      SyncTimers();
      break;
    case FormEvent::Changed:
      if (main_) main_->SyncForm();
      break;
  }
}

void QtPort::OnFormEvent(Form& form, FormEvent event) {
  if (game_ == nullptr) return;
  if (IsMain(form)) {
    MainEvent(event);
    return;
  }
  switch (event) {
    case FormEvent::Loaded:
      if (FormDialog* d = DialogOf(form)) d->SyncAll();
      break;
    case FormEvent::Shown: {
      FormDialog* d = EnsureDialog(form);
      d->SyncAll();
      d->setWindowModality(form.Modal() ? Qt::ApplicationModal : Qt::NonModal);
      d->show();
      d->raise();
      d->activateWindow();
      if (onShown) onShown(form);
      break;
    }
    case FormEvent::Hidden:
      if (FormDialog* d = DialogOf(form)) d->hide();
      QuitModalLoops(form);
      break;
    case FormEvent::Unloaded:
      if (FormDialog* d = DialogOf(form)) {
        // The view may be on the call stack right now (a death inside one of
        // its handlers unloads it): it is let go now and deleted later.
        dialogs_.erase(&form);
        d->Detach();
        d->hide();
        d->deleteLater();
      }
      QuitModalLoops(form);
      break;
    case FormEvent::Changed:
      if (FormDialog* d = DialogOf(form)) d->SyncForm();
      break;
  }
}

void QtPort::OnControlChanged(Form& form, Control& control) {
  if (game_ == nullptr) return;
  if (IsMain(form) && control.kind == ControlKind::Timer) {
    SyncTimers();
    return;
  }
  if (FormView* v = ViewOf(form)) v->SyncControl(control);
}

void QtPort::MinimizeMainWindow() {
  if (main_) main_->showMinimized();
}

void QtPort::ShowToolWindow(ToolWindow which) {
  if (game_ == nullptr) return;
  if (!tools_) tools_ = std::make_unique<ToolWindows>(*game_);
  tools_->Show(which, main_.data());
}

// --- Time and the two timers of the main window

int64_t QtPort::MonotonicMs() { return monotonic_.elapsed(); }

void QtPort::WaitUntil(int64_t monotonicMs) {
  const int64_t left = monotonicMs - MonotonicMs();
  if (left <= 0) return;
  // The windows go on painting, clicks and clock ticks run; the processor
  // sleeps until the deadline or the next event.
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.setTimerType(Qt::PreciseTimer);
  connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  deadline.start(static_cast<int>(std::min<int64_t>(left, 24LL * 3600 * 1000)));
  loop.exec();
}

void QtPort::SyncTimers() {
  const bool loaded = game_ != nullptr && game_->MainForm().Loaded();
  const bool clockOn = loaded && game_->MainForm().tmrTime.props.enabled;
  const bool musicOn = loaded && game_->MainForm().tmrMusic.props.enabled;
  if (clockOn && !clock_.isActive()) clock_.start();
  if (!clockOn) clock_.stop();
  // An enabled timer counts its interval anew.
  if (musicOn && !music_.isActive()) music_.start();
  if (!musicOn) music_.stop();
}

void QtPort::ClockTimeout() {
  if (game_ == nullptr || !game_->MainForm().Loaded()) return;
  FrmMain& m = game_->MainForm();
  // The pause stops the clock; a tick that falls due while another one runs
  // or while an effect plays is dropped, not made up.
  if (m.Paused() || game_->InTick() || effectPlaying_) return;
  game_->ClockTick();
}

void QtPort::MusicTimeout() {
  if (game_ == nullptr || !game_->MainForm().Loaded() || effectPlaying_) return;
  game_->MusicTimer();
}

// --- Sound

void QtPort::PlayEffect(const std::string& name, bool audible) {
  const QByteArray wav = media::EffectBytes(Q(name));
  if (wav.isEmpty()) {
    // A missing sound is reported whether or not effects are switched on.
    MessageBox("Ошибка при записи файла '" + name + "': resource not found", "", MsgIcon::None, MsgButtons::Ok);
    return;
  }
  if (!audible || effectPlaying_) return;
  effectPlaying_ = true;
  // The game stands still while the sound plays; the windows keep painting.
  audio_.PlayEffect(wav, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
  effectPlaying_ = false;
}

void QtPort::MusicSetFile(const std::string& path) { audio_.MusicSetFile(path); }
void QtPort::MusicPlay() { audio_.MusicPlay(); }
void QtPort::MusicStop() { audio_.MusicStop(); }
int QtPort::MusicState() { return audio_.MusicState(); }

// --- Settings, links, files, the date

std::optional<std::string> QtPort::SettingGet(const std::string& name) {
  const QString key = Q(name);
  if (!settings_->contains(key)) return std::nullopt;
  return settings_->value(key).toString().toStdString();
}

bool QtPort::SettingSet(const std::string& name, const std::string& value) {
  settings_->setValue(Q(name), Q(value));
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

void QtPort::OpenLink(const std::string& target) { QDesktopServices::openUrl(QUrl(Q(target))); }

void QtPort::ShowTextFile(const std::string& path) { TextViewer::Open(Q(path), main_.data()); }

WallClock QtPort::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  return WallClock{SerialFromCivil(d.year(), d.month(), d.day()), now.time().msecsSinceStartOfDay()};
}

void QtPort::EndProgram() {
  if (options_.endProgram) options_.endProgram();
  // Leave at once: no window is closed one by one and no event loop is
  // unwound; what the game wrote is already on disk.
  audio_.MusicStop();
  settings_->sync();
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace kalvitor::qt
