// The desktop frontend: the port of the engine made of Qt windows, Qt timers
// and the media library. It keeps one view per shown window, runs a nested
// event loop for every modal window until the model hides or unloads it,
// drives the main window's two timers, plays effects blocking while the
// windows keep painting, and ends the program when the game says so.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "form_dialog.h"
#include "main_window.h"
#include "media.h"
#include "port.h"
#include "tool_windows.h"
#include "windows/game.h"

class QEventLoop;
class QMessageBox;

namespace kalvitor::qt {

struct QtPortOptions {
  bool openAudio = true;
  // Empty: the user's own settings store; else an INI file (tests).
  QString settingsFile;
  // Replaces the end of the program (tests). It must not return: it throws.
  std::function<void()> endProgram;
  // Where the statistics window's module is looked for, in order
  // (app_folders.h; the tests name the build's).
  QStringList moduleFolders;
};

// Qt's own texts (the standard buttons) in the game's language now.
void FollowLanguageInQt();

class QtPort : public QObject, public FrontendPort {
  Q_OBJECT
 public:
  explicit QtPort(QtPortOptions options = {});
  ~QtPort() override;
  void Attach(Game& game) { game_ = &game; }

  MainWindow* mainWindow() const { return main_.data(); }
  FormDialog* DialogOf(const Form& form) const;
  // The view of any shown window, the main one included.
  FormView* ViewOf(const Form& form) const;
  bool EffectPlaying() const { return effectPlaying_; }
  // Called once a window has been put on the screen (start-up figures,
  // answering the name dialog unattended).
  std::function<void(Form&)> onShown;

  // FrontendPort
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                      const std::string& defaultText) override;
  void RunModal(Form& form) override;
  void OnFormEvent(Form& form, FormEvent event) override;
  void OnControlChanged(Form& form, Control& control) override;
  int64_t MonotonicMs() override;
  void WaitUntil(int64_t monotonicMs) override;
  void Repeat(int intervalMs, const std::function<bool()>& step) override;
  void PlayEffect(const std::string& name, bool audible) override;
  void MusicSetFile(const std::string& path) override;
  void MusicPlay() override;
  void MusicStop() override;
  int MusicState() override;
  std::optional<std::string> SettingGet(const std::string& name) override;
  bool SettingSet(const std::string& name, const std::string& value) override;
  void OnMessageTyping(const std::string& text) override;
  void OnMessageTyped(const std::string& text) override;
  void MinimizeMainWindow() override;
  void ShowToolWindow(ToolWindow which) override;
  ToolWindows* tools() const { return tools_.get(); }
  void OpenLink(const std::string& target) override;
  void ShowTextFile(const std::string& path) override;
  bool OffersLanguages() const override { return true; }
  void LanguageChanged() override;
  WallClock Now() override;
  [[noreturn]] void EndProgram() override;

 private:
  bool IsMain(const Form& form) const;
  void MainEvent(FormEvent event);
  FormDialog* EnsureDialog(Form& form);
  void QuitModalLoops(const Form& form);
  void SyncTimers();
  void ClockTimeout();
  void MusicTimeout();
  QWidget* MessageOwner() const;
  // Windows the model has let go of: deleted only once no nested loop of
  // the game (a modal window, a message box, a wait, an effect) runs, for
  // any of those loops may have started from one of them or show over it.
  void Retire(QWidget* w);
  void ReapRetired();
  void Place(QWidget* w, const Form& form);
  void ActivateTopWindow();
  friend class NestedLoop;

  int nestedLoops_ = 0;
  std::vector<QPointer<QWidget>> retired_;
  // Where each place stood when it was closed: it opens there again (the
  // dialogs open afresh over the window the player is in).
  std::map<std::string, QPoint> placed_;

  QtPortOptions options_;
  Game* game_ = nullptr;
  QElapsedTimer monotonic_;
  std::unique_ptr<QSettings> settings_;
  media::Audio audio_;
  QTimer clock_;
  QTimer music_;
  QTimer audioIdle_;  // lets the sound device go when nothing has played for a while
  bool effectPlaying_ = false;
  QPointer<MainWindow> main_;
  std::unique_ptr<ToolWindows> tools_;
  std::map<const Form*, QPointer<FormDialog>> dialogs_;
  std::map<const Form*, std::vector<QEventLoop*>> modalLoops_;
};

}  // namespace kalvitor::qt
