// The desktop game: Qt windows over the engine. The game's folders are the
// program's own (portable) or the installed ones (app_folders.h).
//
// Unattended runs (for the figures in bench/ and for pictures of the
// screens) are steered by environment variables:
//   KALVITOR_BENCH_STARTUP=1     print "startup_ms=N" once the name dialog is
//                                on the screen, and leave
//   KALVITOR_AUTOPLAY=NAME       answer the name dialog with NAME and OK
//   KALVITOR_AUTOCLICK=NAME      click that control or menu item of the main
//                                window once, 1.5 s after it appears
//                                (cmdShop, mnuHelpAbout ...); "key:p" types
//                                a key; "say:TEXT" types TEXT on the message
//                                line over and over (the last step); several
//                                steps are separated by commas
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "app_folders.h"
#include "command_line.h"
#include "form_dialog.h"
#include "qt_port.h"
#include "test_hooks.h"
#include "util/tr.h"
#include "windows/game.h"
#include "windows/shell/frm_main.h"
#include "windows/shell/frm_player_name.h"

namespace {

using kalvitor::Form;
using kalvitor::qt::FormDialog;
using kalvitor::qt::QtPort;

void SetUpLook(QApplication& app) {
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // One family for every window: a compact sans serif with Cyrillic letters.
  QFont font = app.font();
  font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setPointSize(9);
  app.setFont(font);
}

void WhenExposed(QWidget* w, std::function<void()> then) {
  QPointer<QWidget> guard(w);
  auto* poll = new QTimer(qApp);
  poll->setInterval(1);
  QObject::connect(poll, &QTimer::timeout, poll, [guard, poll, then] {
    if (!guard || guard->windowHandle() == nullptr || !guard->windowHandle()->isExposed()) return;
    poll->stop();
    poll->deleteLater();
    then();
  });
  poll->start();
}

void SetUpUnattended(QtPort& port, kalvitor::Game& game, const QElapsedTimer& started) {
  const bool benchStartup = qEnvironmentVariableIntValue("KALVITOR_BENCH_STARTUP") == 1;
  const QString autoName = qEnvironmentVariable("KALVITOR_AUTOPLAY");
  const QString autoClick = qEnvironmentVariable("KALVITOR_AUTOCLICK");
  if (!benchStartup && autoName.isEmpty() && autoClick.isEmpty()) return;
  auto clicked = std::make_shared<bool>(false);
  port.onShown = [&port, &game, &started, benchStartup, autoName, autoClick, clicked](Form& form) {
    if (&form == &game.Window<kalvitor::FrmPlayerName>()) {
      FormDialog* d = port.DialogOf(form);
      if (benchStartup && d != nullptr) {
        WhenExposed(d, [&started] {
          std::printf("startup_ms=%lld\n", static_cast<long long>(started.elapsed()));
          std::fflush(stdout);
          std::_Exit(0);
        });
      } else if (!autoName.isEmpty() && d != nullptr) {
        QPointer<FormDialog> dialog(d);
        QTimer::singleShot(300, d, [dialog, autoName] {
          if (!dialog) return;
          Form* f = dialog->view()->form();
          if (f == nullptr) return;
          auto& name = static_cast<kalvitor::FrmPlayerName&>(*f);
          if (auto* edit = qobject_cast<QLineEdit*>(dialog->view()->WidgetOf(name.Text1))) {
            edit->setText(autoName);
            emit edit->textEdited(autoName);
          }
          if (QPushButton* ok = dialog->view()->ButtonOf(*name.DefaultButton())) ok->click();
        });
      }
    } else if (&form == &game.MainForm() && !autoClick.isEmpty() && !*clicked) {
      *clicked = true;
      QTimer::singleShot(1500, &port, [&game, autoClick] {
        for (const QString& step : autoClick.split(QLatin1Char(','))) {
          const std::string name = step.toStdString();
          kalvitor::MenuItem* item = game.MainForm().FindItemByName(name);
          if (step.startsWith(QLatin1String("key:"))) {
            game.MainForm().FormKeyPress(step.mid(4).toStdString());
          } else if (step.startsWith(QLatin1String("say:"))) {
            for (;;) game.ShowMessage(step.mid(4).toStdString());
          } else if (item != nullptr && item->action) {
            auto action = item->action;
            action();
          } else {
            game.MainForm().Click(name, -1);
          }
        }
      });
    }
  };
}

// The tips for a new player, once the first game's window is up; not in the
// unattended runs, where nobody reads.
void OfferTipsAtStart(QtPort& port, kalvitor::Game& game) {
  for (const char* v : {"KALVITOR_BENCH_STARTUP", "KALVITOR_AUTOPLAY", "KALVITOR_AUTOCLICK"})
    if (qEnvironmentVariableIsSet(v)) return;
  auto offered = std::make_shared<bool>(false);
  port.onShown = [&port, &game, previous = port.onShown, offered](Form& form) {
    if (previous) previous(form);
    if (*offered || &form != &game.MainForm() || port.mainWindow() == nullptr) return;
    *offered = true;
    QPointer<kalvitor::qt::MainWindow> window = port.mainWindow();
    QTimer::singleShot(0, window, [window] {
      if (window) window->OfferTips();
    });
  };
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer started;
  started.start();
  if (std::optional<int> status = kalvitor::qt::HandleCommandLine(argc, argv)) return *status;
  // SDL would otherwise turn SIGTERM and SIGINT into its own quit event and
  // the program would not end when the system asks it to.
  qputenv("SDL_NO_SIGNAL_HANDLERS", "1");
  // The game's windows are small and change a little at a time: the clock
  // four times a second, a message one letter at a time. Drawn through
  // shared memory with the X server, every such change waits for the
  // server's answer before the next paint; sent over the connection it is
  // one write. Read once, when the display opens; left as the player set it,
  // if they did, and not handed on to programs the game opens (a browser).
  const bool noSharedMemory = !qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
  if (noSharedMemory) qputenv("QT_XCB_NO_MITSHM", "1");
  QApplication app(argc, argv);
  if (noSharedMemory) qunsetenv("QT_XCB_NO_MITSHM");
  // The program ends only when the game says so.
  app.setQuitOnLastWindowClosed(false);
  kalvitor::qt::SetUpIdentity();
  SetUpLook(app);
  // The game speaks the language the player's system asks for, when it has
  // it, and Russian otherwise; Qt's own texts (the standard buttons) follow.
  kalvitor::SetLanguage(kalvitor::ChooseLanguage(
      {std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")},
      kalvitor::AvailableLanguages()));
  kalvitor::qt::FollowLanguageInQt();

  kalvitor::qt::QtPortOptions options;
  options.moduleFolders = kalvitor::qt::ModuleFolders();
  QtPort port(options);
  const auto seed = kalvitor::qt::TestSeed().value_or(static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch()) ^
                                                      static_cast<uint64_t>(QCoreApplication::applicationPid()));
  kalvitor::Game game(port, kalvitor::qt::ChooseAppFolders(), seed);
  port.Attach(game);
  // The language chosen from the game's menu, kept from the last run, comes
  // before the system's.
  game.SpeakChosenLanguage();
  kalvitor::qt::SetUpTestHooks(game, port);
  SetUpUnattended(port, game, started);
  OfferTipsAtStart(port, game);

  game.RunMain();
  return app.exec();
}
