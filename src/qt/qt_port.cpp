#include "qt_port.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTranslator>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "accessibility.h"
#include "form_dialog.h"
#include "main_window.h"
#include "text_viewer.h"
#include "util/date.h"
#include "util/program_name.h"
#include "util/text_format.h"
#include "util/tr.h"
#include "window_room.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::qt {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString TitleOr(const std::string& title) { return title.empty() ? QString::fromLatin1(kProgramTitle) : Q(title); }

// Keeps a window wholly on the screen it is on.
QPoint OnScreen(QPoint at, QSize size, const QWidget* w) {
  QScreen* screen = w->screen() != nullptr ? w->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return at;
  const QRect room = screen->availableGeometry();
  at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - size.width())));
  at.setY(std::max(room.top(), std::min(at.y(), room.bottom() + 1 - size.height())));
  return at;
}

// A screen reader hears what a message box's picture means.
void NameIcon(QMessageBox& box, MsgIcon icon) {
  const char* name = "";
  switch (icon) {
    case MsgIcon::None:
      return;
    case MsgIcon::Information:
      name = KV_N("Информация");
      break;
    case MsgIcon::Exclamation:
      name = KV_N("Внимание");
      break;
    case MsgIcon::Critical:
      name = KV_N("Ошибка");
      break;
    case MsgIcon::Question:
      name = KV_N("Вопрос");
      break;
  }
  for (QLabel* l : box.findChildren<QLabel*>())
    if (!l->pixmap().isNull()) l->setAccessibleName(QString::fromUtf8(Tr(name)));
}

}  // namespace

// Counts the game's nested event loops for as long as one runs.
class NestedLoop {
 public:
  explicit NestedLoop(QtPort& port) : port_(port) { ++port_.nestedLoops_; }
  ~NestedLoop() {
    if (--port_.nestedLoops_ == 0 && !port_.retired_.empty())
      QTimer::singleShot(0, &port_, [p = &port_] { p->ReapRetired(); });
  }
  NestedLoop(const NestedLoop&) = delete;
  NestedLoop& operator=(const NestedLoop&) = delete;

 private:
  QtPort& port_;
};

QtPort::QtPort(QtPortOptions options) : options_(std::move(options)) {
  monotonic_.start();
  InstallAccessibility();
  // The system's own store: on Windows the registry key the game always
  // used, HKEY_CURRENT_USER\Software\Brindlex\Kalvitor 1.6, whose values
  // Music and Effects are strings (REG_SZ) "1" or "0"; on Linux
  // ~/.config/Brindlex/Kalvitor 1.6.conf.
  if (options_.settingsFile.isEmpty())
    settings_ = std::make_unique<QSettings>(QString::fromLatin1(kMaker), QString::fromLatin1(kProduct));
  else
    settings_ = std::make_unique<QSettings>(options_.settingsFile, QSettings::IniFormat);
  // The sound libraries load and the device opens on the audio thread when
  // the first sound is wanted, not while the first window is being shown.
  if (options_.openAudio) audio_.Enable();
  clock_.setInterval(250);
  music_.setInterval(2000);
  connect(&clock_, &QTimer::timeout, this, &QtPort::ClockTimeout);
  connect(&music_, &QTimer::timeout, this, &QtPort::MusicTimeout);
  // An open sound device keeps its thread busy even in silence.
  audioIdle_.setInterval(1000);
  connect(&audioIdle_, &QTimer::timeout, this, [this] { audio_.CloseIdleDevice(1500); });
  if (options_.openAudio) audioIdle_.start();
}

QtPort::~QtPort() {
  clock_.stop();
  music_.stop();
  audioIdle_.stop();
  for (auto& [form, dialog] : dialogs_) delete dialog.data();
  for (auto& w : retired_) delete w.data();
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

// Message boxes belong to the main window, which lives as long as the
// program: never to a screen or dialog, which the game may let go of while
// the box is open. Before the first game they have no owner.
QWidget* QtPort::MessageOwner() const {
  if (main_ && main_->isVisible()) return main_.data();
  return nullptr;
}

void QtPort::Retire(QWidget* w) {
  w->hide();
  retired_.emplace_back(w);
  if (nestedLoops_ == 0) QTimer::singleShot(0, this, [this] { ReapRetired(); });
}

void QtPort::ReapRetired() {
  // Only from the program's own event loop: a handler of a retired window
  // may still be on the stack of any nested one.
  if (nestedLoops_ > 0) return;
  std::vector<QPointer<QWidget>> gone;
  gone.swap(retired_);
  for (auto& w : gone) delete w.data();
}

// A place opens where it stood when it was last closed. Anything else opens
// over the middle of the window the player is in (the modal window on top,
// as the name dialog for its load dialog, else the main window); the name
// dialog, which belongs to no window, and the main window itself over the
// middle of the screen.
void QtPort::Place(QWidget* w, const Form& form) {
  // A window not shown yet has no size of its own yet, only Qt's guess: it
  // will take the size its contents ask for.
  const QSize size = w->isVisible() ? w->frameGeometry().size() : w->sizeHint();
  QPoint at;
  auto it = placed_.find(form.Name());
  const QWidget* over = nullptr;
  if (form.OwnedByMain() && !IsMain(form)) {
    over = QApplication::activeModalWidget();
    if (over == nullptr || over == w || !over->isVisible()) over = main_ && main_->isVisible() ? main_.data() : nullptr;
  }
  if (it != placed_.end() && !form.IsDialog()) {
    at = it->second;
  } else if (over != nullptr) {
    at = over->frameGeometry().center() - QPoint(size.width() / 2, size.height() / 2);
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    at = screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2);
  }
  w->move(OnScreen(at, size, w));
}

// After a window closes, the keyboard goes to the game's window on top.
void QtPort::ActivateTopWindow() {
  QWidget* top = QApplication::activeModalWidget();
  if (top == nullptr || !top->isVisible()) top = main_.data();
  if (top != nullptr && top->isVisible()) {
    top->raise();
    top->activateWindow();
  }
}

// --- Message and input boxes

MsgAnswer QtPort::MessageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) {
  // A heap object, watched: whatever happens in its loop, it is never
  // destroyed twice.
  QPointer<QMessageBox> box = new QMessageBox(MessageOwner());
  box->setObjectName(QStringLiteral("messageBox"));
  box->setWindowTitle(TitleOr(title));
  box->setText(Q(text));
  switch (icon) {
    case MsgIcon::None:
      box->setIcon(QMessageBox::NoIcon);
      break;
    case MsgIcon::Information:
      box->setIcon(QMessageBox::Information);
      break;
    case MsgIcon::Exclamation:
      box->setIcon(QMessageBox::Warning);
      break;
    case MsgIcon::Critical:
      box->setIcon(QMessageBox::Critical);
      break;
    case MsgIcon::Question:
      box->setIcon(QMessageBox::Question);
      break;
  }
  NameIcon(*box, icon);
  switch (buttons) {
    case MsgButtons::Ok:
      box->setStandardButtons(QMessageBox::Ok);
      box->setEscapeButton(QMessageBox::Ok);
      break;
    case MsgButtons::YesNo:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box->setDefaultButton(QMessageBox::Yes);
      box->setEscapeButton(QMessageBox::No);
      break;
    case MsgButtons::YesNoCancel:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box->setDefaultButton(QMessageBox::Yes);
      box->setEscapeButton(QMessageBox::Cancel);
      break;
  }
  WidenForTitle(box);
  {
    NestedLoop nested(*this);
    box->exec();
  }
  QMessageBox::StandardButton b = QMessageBox::NoButton;
  if (box) {
    if (QAbstractButton* clicked = box->clickedButton()) b = box->standardButton(clicked);
    box->hide();
    box->deleteLater();
  }
  ActivateTopWindow();
  switch (b) {
    case QMessageBox::Yes:
      return MsgAnswer::Yes;
    case QMessageBox::No:
      return MsgAnswer::No;
    case QMessageBox::Cancel:
      return MsgAnswer::Cancel;
    case QMessageBox::Ok:
      return MsgAnswer::Ok;
    default:
      break;
  }
  switch (buttons) {
    case MsgButtons::Ok:
      return MsgAnswer::Ok;
    case MsgButtons::YesNo:
      return MsgAnswer::No;
    case MsgButtons::YesNoCancel:
      return MsgAnswer::Cancel;
  }
  return MsgAnswer::Ok;
}

std::optional<std::string> QtPort::InputBox(const std::string& title, const std::string& prompt,
                                            const std::string& defaultText) {
  QPointer<QInputDialog> box = new QInputDialog(MessageOwner());
  box->setObjectName(QStringLiteral("inputBox"));
  box->setWindowTitle(TitleOr(title));
  box->setLabelText(Q(prompt));
  box->setTextValue(Q(defaultText));
  WidenForTitle(box);
  int result = QDialog::Rejected;
  {
    NestedLoop nested(*this);
    result = box->exec();
  }
  std::optional<std::string> text;
  if (box) {
    if (result == QDialog::Accepted) text = box->textValue().toStdString();
    box->hide();
    box->deleteLater();
  }
  ActivateTopWindow();
  return text;
}

// --- Windows

FormDialog* QtPort::EnsureDialog(Form& form) {
  if (FormDialog* d = DialogOf(form)) return d;
  // Screens and dialogs are owned by the main window; the name dialog, which
  // opens before the main window and between games, has no owner.
  QWidget* owner = (!form.OwnedByMain() || !main_) ? nullptr : main_.data();
  auto* d = new FormDialog(form, *this, owner);
  dialogs_[&form] = d;
  Place(d, form);
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
  NestedLoop nested(*this);
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
      if (!main_->isVisible()) Place(main_.data(), m);
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
      // A screen the player opened blocks the main window and what belongs
      // to it (the journal and the statistics stand apart and still work); a
      // dialog the game waits for blocks every window.
      const bool waitedFor = form.IsDialog() || !form.OwnedByMain();
      d->setWindowModality(!form.Modal() ? Qt::NonModal : waitedFor ? Qt::ApplicationModal : Qt::WindowModal);
      d->show();
      d->raise();
      d->activateWindow();
      if (onShown) onShown(form);
      break;
    }
    case FormEvent::Hidden: {
      // Only a window the player saw hands the keyboard on when it goes.
      FormDialog* d = DialogOf(form);
      const bool wasShown = d != nullptr && d->isVisible();
      if (wasShown && !form.IsDialog()) placed_[form.Name()] = d->geometry().topLeft();
      if (d != nullptr) d->hide();
      QuitModalLoops(form);
      if (wasShown) ActivateTopWindow();
      break;
    }
    case FormEvent::Unloaded: {
      FormDialog* d = DialogOf(form);
      const bool wasShown = d != nullptr && d->isVisible();
      if (d != nullptr) {
        // The view may be on the call stack right now (a death inside one of
        // its handlers unloads it), or a loop may run over it: it is let go
        // now and deleted when every such loop has returned.
        if (wasShown && !form.IsDialog()) placed_[form.Name()] = d->geometry().topLeft();
        dialogs_.erase(&form);
        d->Detach();
        Retire(d);
      }
      QuitModalLoops(form);
      if (wasShown) ActivateTopWindow();
      break;
    }
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

void QtPort::OnMessageTyping(const std::string& text) {
  if (main_ && game_ != nullptr) main_->view()->SetFinalText(game_->MainForm().lblMessage, Q(text));
}

void QtPort::OnMessageTyped(const std::string&) {
  if (main_ && game_ != nullptr) main_->view()->MessageTyped(game_->MainForm().lblMessage);
}

void QtPort::MinimizeMainWindow() {
  if (main_) main_->showMinimized();
}

// Qt's own texts (the standard buttons, the text boxes' menus) follow the
// game's language: Qt's catalogue for it, where the system has one.
void FollowLanguageInQt() {
  static QTranslator* qtTexts = nullptr;
  if (qtTexts != nullptr) QCoreApplication::removeTranslator(qtTexts);
  delete qtTexts;
  qtTexts = new QTranslator;
  if (qtTexts->load(QStringLiteral("qtbase_") + QString::fromStdString(Language()),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qtTexts);
}

void QtPort::LanguageChanged() {
  FollowLanguageInQt();
  if (main_) main_->LanguageChanged();
  if (tools_) tools_->LanguageChanged(main_.data());
}

void QtPort::ShowToolWindow(ToolWindow which) {
  if (game_ == nullptr) return;
  if (!tools_) tools_ = std::make_unique<ToolWindows>(*game_, options_.moduleFolders);
  // Without the statistics' module the player is told why, and plays on.
  const QString why = tools_->Show(which, main_.data());
  if (!why.isEmpty()) MessageBox(why.toStdString(), "", MsgIcon::Exclamation, MsgButtons::Ok);
}

// --- Time and the two timers of the main window

int64_t QtPort::MonotonicMs() { return monotonic_.elapsed(); }

void QtPort::WaitUntil(int64_t monotonicMs) {
  const int64_t left = monotonicMs - MonotonicMs();
  if (left <= 0) return;
  // The windows go on painting, clicks and clock ticks run; the processor
  // sleeps until the deadline or the next event. A deadline that passes
  // while a window opened meanwhile is up ends the wait when it closes.
  Repeat(static_cast<int>(std::min<int64_t>(left, 24LL * 3600 * 1000)), [] { return false; });
}

// One timer and one event loop for the whole run of steps (a typed
// message: one step a letter). A step falls due only in this loop, never
// inside a window or box opened meanwhile: then the loop is left, and the
// step is taken, late, once that window has closed.
void QtPort::Repeat(int intervalMs, const std::function<bool()>& step) {
  NestedLoop nested(*this);
  const int depth = nestedLoops_;
  QEventLoop loop;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  bool late = false;
  connect(&timer, &QTimer::timeout, &loop, [&] {
    if (nestedLoops_ != depth) {
      timer.stop();
      late = true;
      loop.quit();
      return;
    }
    if (!step()) {
      timer.stop();
      loop.quit();
    }
  });
  timer.start(intervalMs);
  for (;;) {
    loop.exec();
    if (!late) break;
    late = false;
    if (!step()) break;
    timer.start(intervalMs);
  }
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
    MessageBox(FormatText(Tr("Ошибка при записи файла '%s': resource not found"), {name}), "", MsgIcon::None,
               MsgButtons::Ok);
    return;
  }
  if (!audible || effectPlaying_) return;
  effectPlaying_ = true;
  NestedLoop nested(*this);
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
  // The clock reseeds from this at every tick: the offset from UTC (which
  // means reading the system's time zone) is looked up once a minute only.
  static qint64 offsetMs = 0;
  static qint64 offsetCheckedMs = -1;
  const qint64 utcMs = QDateTime::currentMSecsSinceEpoch();
  if (offsetCheckedMs < 0 || utcMs - offsetCheckedMs >= 60000 || utcMs < offsetCheckedMs) {
    offsetMs = static_cast<qint64>(QDateTime::fromMSecsSinceEpoch(utcMs).offsetFromUtc()) * 1000;
    offsetCheckedMs = utcMs;
  }
  const QDateTime now = QDateTime::fromMSecsSinceEpoch(utcMs + offsetMs, Qt::UTC);
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
