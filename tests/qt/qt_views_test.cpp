// The desktop windows over a real game, where the system tests under Xvfb do
// not reach: labels follow the engine, the main window keeps its size, modal
// screens with the clock ticking behind them, death inside a screen, ticks
// dropped under a message box, and the generic view of any kind of control.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "control_widgets.h"
#include "form_dialog.h"
#include "game.h"
#include "main_window.h"
#include "qt_port.h"
#include "screens/frm_shop.h"
#include "shell/frm_main.h"

using namespace kalvitor;
using namespace kalvitor::qt;

namespace {

struct ProgramEnded {};

// Checks the modal window on top every 10 ms and hands it to act until act
// says it is done. Modal windows run their own event loops, so a test meets
// them from a timer, never from a single shot that might come too early.
void WhenModal(std::function<bool(QWidget*)> act) {
  auto* poll = new QTimer(qApp);
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
    QWidget* w = QApplication::activeModalWidget();
    if (w == nullptr || !w->isVisible()) return;
    if (act(w)) {
      poll->stop();
      poll->deleteLater();
    }
  });
  poll->start();
}

bool AnswerName(QWidget* w, const QString& name) {
  if (w->objectName() != QLatin1String("frmPlayerNameWindow")) return false;
  auto* edit = w->findChild<QLineEdit*>(QStringLiteral("Text1"));
  if (edit == nullptr) return false;
  QTest::keyClicks(edit, name);
  QTest::keyClick(edit, Qt::Key_Return);  // Enter presses OK
  return true;
}

QAbstractButton* BoxButton(QWidget* w, QMessageBox::StandardButton which) {
  auto* box = qobject_cast<QMessageBox*>(w);
  return box != nullptr ? box->button(which) : nullptr;
}

// A game on the Qt frontend in a folder of its own, silent, with the end of
// the program turned into an exception the test can catch.
struct Desk {
  QTemporaryDir folder;
  QTemporaryDir config;
  std::unique_ptr<QtPort> port;
  std::unique_ptr<Game> game;

  Desk() {
    const QString ini = config.filePath(QStringLiteral("settings.ini"));
    {
      QSettings s(ini, QSettings::IniFormat);
      s.setValue(QStringLiteral("Music"), QStringLiteral("0"));
      s.setValue(QStringLiteral("Effects"), QStringLiteral("0"));
    }
    QtPortOptions options;
    options.openAudio = false;
    options.settingsFile = ini;
    options.endProgram = [] { throw ProgramEnded{}; };
    port = std::make_unique<QtPort>(options);
    game = std::make_unique<Game>(*port, folder.path().toStdString(), 7);
    port->Attach(*game);
  }
  ~Desk() {
    port.reset();  // the windows go first: they look at the game's forms
    game.reset();
  }

  void Start(const QString& name = QStringLiteral("Tester")) {
    WhenModal([name](QWidget* w) { return AnswerName(w, name); });
    game->RunMain();
  }
  MainWindow* main() const { return port->mainWindow(); }
  template <class T>
  T* MainWidget(const char* name) const {
    return main()->view()->findChild<T*>(QLatin1String(name));
  }
};

// A window made for the test: every kind of control the generic view draws.
class ProbeForm : public Form {
 public:
  explicit ProbeForm(Game& g) : Form(g, "frmProbe", "") {
    SetClientSize(300, 200);
    Add("lblInfo", ControlKind::Label, "Привет").At(10, 10, 200, 20).Color(0x000000);
    Control& cbo = Add("cboPick", ControlKind::ComboBox, "").At(10, 40, 150, 24);
    cbo.design.items = {"один", "два", "три"};
    cbo.props = cbo.design;
    Add("cmdDone", ControlKind::Button, "Готово").At(10, 80, 100, 26);
    frame = &Add("fraBox", ControlKind::Panel, "Рамка").At(150, 100, 140, 90);
    Add("cmdInside", ControlKind::Button, "Внутри", frame).At(160, 130, 100, 26);
    OnClick("cboPick", [this](int) { picks.push_back(Find("cboPick")->props.listIndex); });
    OnClick("cmdDone", [this](int) { Hide(); });
  }
  Control* frame;
  std::vector<int> picks;

 protected:
  void FormLoad() override { SetBackground("NOSUCHPICTURE"); }
};

}  // namespace

class QtViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void mainWindowFollowsTheEngineKeepsItsSizeAndReadsTheSwitches() {
    Desk d;
    d.Start();
    QVERIFY(d.main() != nullptr && d.main()->isVisible());
    QCOMPARE(d.main()->windowTitle(), QStringLiteral("Brindlex Kalvitor 1.6 -- Tester"));
    auto* money = d.MainWidget<QLabel>("lblMoney");
    QVERIFY(money != nullptr);
    QCOMPARE(money->text(), QStringLiteral("$450"));
    d.game->SetMoney(-20);
    QCOMPARE(money->text(), QStringLiteral("$-20"));

    auto* health = d.MainWidget<GameLabel>("lblHealth");
    for (int16_t value : {90, -40}) {
      d.game->SetHealth(value);
      const uint32_t rgb = d.game->MainForm().lblHealth.props.color;
      QCOMPARE(health->TextColor(), QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
      QCOMPARE(health->text(), QString::fromStdString(d.game->MainForm().lblHealth.Text()));
    }
    // The clock writes the time label on its own.
    auto* time = d.MainWidget<QLabel>("lblTime");
    const QString before = time->text();
    QTRY_VERIFY_WITH_TIMEOUT(time->text() != before, 3000);

    // The window refuses resizing.
    MainWindow* w = d.main();
    QCOMPARE(w->view()->size(), QSize(434, 464));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    const QSize size = w->size();
    QCOMPARE(size.width(), 434);
    QVERIFY(size.height() > 464);  // the menu bar sits above the client area
    w->resize(800, 700);
    QCOMPARE(w->size(), size);
    // The menu bar follows the model: greyed items, the level menu unavailable.
    QVERIFY(!w->ActionOf("mnuGameFlat")->isEnabled());
    QVERIFY(!w->ActionOf("mnuLevelNormal")->isEnabled());
    QVERIFY(w->ActionOf("mnuFileNew")->isEnabled());

    // The sound menu reads the switches as it opens.
    QAction* effects = d.main()->ActionOf("mnuMusicSFX");
    QVERIFY(!effects->isChecked());
    // Changed behind the game's back: the menu shows it when it drops down.
    d.port->SettingSet("Effects", "1");
    auto* menu = d.main()->menuBar()->findChild<QMenu*>(QStringLiteral("mnuMusic"));
    emit menu->aboutToShow();
    QVERIFY(effects->isChecked());
    QCOMPARE(d.game->s.SfxOn, kTrue);
    QVERIFY(!d.main()->ActionOf("mnuMusicMusic")->isChecked());
  }

  void placeScreenIsModalAndTheClockTicks() {
    Desk d;
    d.Start();
    bool sawScreen = false, ticked = false;
    int start = -1;
    WhenModal([&](QWidget* w) {
      if (w->objectName() != QLatin1String("frmShopWindow")) return false;
      sawScreen = true;
      if (start < 0) start = d.game->s.GameTime;
      if (d.game->s.GameTime == start) return false;
      ticked = true;
      w->close();  // the title-bar close goes to the model
      return true;
    });
    QTest::mouseClick(d.MainWidget<QWidget>("cmdShop"), Qt::LeftButton);
    // The click returns only when the screen has been closed.
    QVERIFY(sawScreen);
    QVERIFY(ticked);
    QVERIFY(!d.game->ShopForm().Shown());
    FormDialog* dialog = d.port->DialogOf(d.game->ShopForm());
    QVERIFY(dialog == nullptr || !dialog->isVisible());
  }

  void deathInsideAScreenClosesIt() {
    Desk d;
    d.Start();
    d.game->SetMood(-85);  // the garlic eggs (-20 mood) will be the end
    WhenModal([](QWidget* w) {
      if (w->objectName() != QLatin1String("frmShopWindow")) return false;
      QPointer<FormView> view = static_cast<FormDialog*>(w)->view();
      // Clicked from the screen's own event loop, as the player would.
      QTimer::singleShot(0, view, [view] { QTest::mouseClick(view->ButtonOf("Command4"), Qt::LeftButton); });
      return true;
    });
    int phase = 0;
    QString death;
    WhenModal([&](QWidget* w) {
      if (phase == 0) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box == nullptr) return false;
        death = box->text();
        box->button(QMessageBox::Ok)->click();
        phase = 1;
        return false;
      }
      if (!AnswerName(w, QStringLiteral("Reborn"))) return false;
      phase = 2;
      return true;
    });
    QTest::mouseClick(d.MainWidget<QWidget>("cmdShop"), Qt::LeftButton);
    QCOMPARE(phase, 2);
    QVERIFY(death.contains(QStringLiteral("15 этажа")));
    QVERIFY(!d.game->ShopForm().Loaded());
    QVERIFY(d.port->DialogOf(d.game->ShopForm()) == nullptr);
    QCOMPARE(d.main()->windowTitle(), QStringLiteral("Brindlex Kalvitor 1.6 -- Reborn"));
    QCOMPARE(d.game->s.Money, 450);  // the new game did not pay for the meal
    // The screen opens again, as new, on the next visit.
    WhenModal([](QWidget* w) {
      if (w->objectName() != QLatin1String("frmShopWindow")) return false;
      QTest::mouseClick(static_cast<FormDialog*>(w)->view()->ButtonOf("Command8"), Qt::LeftButton);
      return true;
    });
    QTest::mouseClick(d.MainWidget<QWidget>("cmdShop"), Qt::LeftButton);
    QVERIFY(!d.game->ShopForm().Shown());
  }

  void messageBoxInsideATickDropsTheTicks() {
    Desk d;
    d.Start();
    int phase = 0, polls = 0, atOpen = -1, atClose = -2;
    QString title;
    WhenModal([&](QWidget* w) {
      if (phase == 0) {
        if (qobject_cast<QMessageBox*>(w) == nullptr) return false;
        title = w->windowTitle();
        atOpen = d.game->s.GameTime;
        phase = 1;
      } else if (phase == 1) {
        if (++polls < 80) return false;  // four ticks fall due meanwhile
        atClose = d.game->s.GameTime;
        BoxButton(w, QMessageBox::Ok)->click();
        phase = 2;
      } else if (AnswerName(w, QStringLiteral("Again"))) {
        phase = 3;
        return true;
      }
      return false;
    });
    d.game->s.CheatWin = kTrue;  // the next tick shows the victory message
    QTRY_COMPARE_WITH_TIMEOUT(phase, 3, 10000);
    QCOMPARE(title, QStringLiteral("Наконец-то"));
    QCOMPARE(atClose, atOpen);
    QCOMPARE(d.main()->windowTitle(), QStringLiteral("Brindlex Kalvitor 1.6 -- Again"));
  }

  void genericViewOfAnyWindow() {
    Desk d;
    ProbeForm probe(*d.game);
    int phase = 0;
    QString boxTitle, boxText;
    QMessageBox::Icon boxIcon = QMessageBox::Critical;
    bool checked = false;
    WhenModal([&](QWidget* w) {
      if (phase == 0) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box == nullptr) return false;
        boxTitle = box->windowTitle();
        boxText = box->text();
        boxIcon = box->icon();
        box->button(QMessageBox::Ok)->click();
        phase = 1;
        return false;
      }
      auto* dialog = qobject_cast<FormDialog*>(w);
      if (dialog == nullptr || w->objectName() != QLatin1String("frmProbeWindow")) return false;
      FormView* view = dialog->view();
      // A missing picture: the window opens without one and still works.
      // A window without a caption of its own is titled with the game's name.
      checked = !view->HasPicture() && dialog->windowTitle() == QLatin1String("Brindlex Kalvitor 1.6") &&
                view->size() == QSize(300, 200);
      auto* combo = view->findChild<QComboBox*>(QStringLiteral("cboPick"));
      checked = checked && combo->count() == 3;
      emit combo->activated(2);
      checked = checked && probe.Find("cboPick")->props.listIndex == 2 && probe.picks == std::vector<int>{2};
      // A disabled panel disables what sits on it.
      auto* inside = view->ButtonOf("cmdInside");
      checked = checked && inside->isEnabled();
      probe.frame->SetEnabled(false);
      checked = checked && !inside->isEnabled();
      // Esc alone leaves a game window open; its own button closes it.
      QTest::keyClick(dialog, Qt::Key_Escape);
      checked = checked && probe.Shown();
      QTest::mouseClick(view->ButtonOf("cmdDone"), Qt::LeftButton);
      return true;
    });
    probe.ShowModal();
    QCOMPARE(boxTitle, QStringLiteral("Brindlex Kalvitor 1.6"));
    QVERIFY(boxText.contains(QStringLiteral("NOSUCHPICTURE")));
    QCOMPARE(boxIcon, QMessageBox::NoIcon);
    QVERIFY(checked);
    QVERIFY(!probe.Shown());
    QVERIFY(!d.port->DialogOf(probe)->isVisible());
  }
};

QTEST_MAIN(QtViewsTest)
#include "qt_views_test.moc"
