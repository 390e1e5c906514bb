// The desktop windows over a real game, where the system tests under Xvfb do
// not reach: labels follow the engine, the main window keeps its size, death
// inside a screen, a screen closed from its title bar, ticks dropped under a
// message box, letters typed from one timer, the generic view of any kind of
// control, the message line showing only the letters typed so far, and the
// statistics menu item when the statistics' module is missing or broken.
// (Screens are modal with the clock ticking behind them:
// tests/system/crash_test.sh.)
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "control_widgets.h"
#include "desk.h"
#include "form_dialog.h"
#include "main_window.h"
#include "qt_port.h"
#include "tool_windows.h"
#include "windows/game.h"
#include "windows/screens/counters.h"
#include "windows/shell/frm_main.h"

using namespace kalvitor;
using namespace kalvitor::qt;

namespace {

// Checks the modal window on top every 10 ms and hands it to act until act
// says it is done. Modal windows run their own event loops, so a test meets
// them from a timer, never from a single shot that might come too early.
void WhenModal(std::function<bool(QWidget*)> act) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
    QWidget* w = QApplication::activeModalWidget();
    if (w == nullptr || !w->isVisible() || !act(w)) return;
    poll->stop();
    poll->deleteLater();
  });
  poll->start(10);
}

bool AnswerName(QWidget* w, const QString& name) {
  if (w->objectName() != QLatin1String("frmPlayerNameWindow")) return false;
  auto* edit = w->findChild<QLineEdit*>(QStringLiteral("Text1"));
  QTest::keyClicks(edit, name);
  QTest::keyClick(edit, Qt::Key_Return);  // Enter presses OK
  return true;
}

// Presses OK in the next message box; `seen` keeps its title and text.
void WhenBox(QString& seen) {
  WhenModal([&seen](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (box == nullptr) return false;
    seen = box->windowTitle() + QStringLiteral(": ") + box->text();
    box->button(QMessageBox::Ok)->click();
    return true;
  });
}

// The shared desk, with a game started through the name dialog.
struct Desk : kalvitor::qt::testing::Desk {
  explicit Desk(QStringList moduleFolders = {}) : kalvitor::qt::testing::Desk(7, std::move(moduleFolders)) {}

  void Start(const QString& name = QStringLiteral("Tester")) {
    WhenModal([name](QWidget* w) { return AnswerName(w, name); });
    game->RunMain();
  }
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
  void typedMessageShowsOnlyItsTypedLetters() {
    const QString typed = QStringLiteral("Сообщение от хирурга: ");
    const QString message = typed + QStringLiteral("Мдаа мужик! Не изменяй больше жене никогда!");
    GameLabel label(nullptr);
    label.resize(600, 30);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto shot = [&](const QString& shown) {
      label.SetTyping(message, shown, 600);
      return label.grab().toImage();
    };
    const QImage blank = shot(QString()), part = shot(typed), whole = shot(message);
    QCOMPARE(label.ShownText(), message);
    // Left of where the typed letters end the line is as when it is whole;
    // right of it, as before anything was typed.
    const int end = QFontMetrics(label.font()).horizontalAdvance(typed);
    auto strip = [](const QImage& image, int from, int to) { return image.copy(from, 0, to - from, image.height()); };
    QVERIFY(strip(part, 0, end - 3) == strip(whole, 0, end - 3));
    QVERIFY(strip(part, 0, end - 3) != strip(blank, 0, end - 3));
    QVERIFY(strip(part, end + 3, 600) == strip(blank, end + 3, 600));
    QVERIFY(strip(whole, end + 3, 600) != strip(blank, end + 3, 600));
    // A text that is not the message's start is shown as it is.
    label.SetTyping(message, QStringLiteral("Другое"), 600);
    QVERIFY(!label.Typing());
    QCOMPARE(label.ShownText(), QStringLiteral("Другое"));
  }

  void mainWindowFollowsTheEngineKeepsItsSizeAndReadsTheSwitches() {
    Desk d;
    d.Start();
    auto* money = d.MainWidget<QLabel>("lblMoney");
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
    // The window refuses resizing.
    MainWindow* w = d.main();
    QCOMPARE(w->view()->size(), QSize(434, 492));
    const QSize size = w->size();
    w->resize(800, 700);
    QCOMPARE(w->size(), size);
    // The menu bar follows the model: greyed items, the level menu unavailable.
    QVERIFY(!w->ActionOf("mnuGameFlat")->isEnabled());
    QVERIFY(!w->ActionOf("mnuLevelNormal")->isEnabled());
    QVERIFY(w->ActionOf("mnuFileNew")->isEnabled());

    // The sound menu reads the switches as it opens: changed behind the
    // game's back, the menu shows it when it drops down.
    QAction* effects = w->ActionOf("mnuMusicSFX");
    QVERIFY(!effects->isChecked());
    d.port->SettingSet("Effects", "1");
    emit w->menuBar()->findChild<QMenu*>(QStringLiteral("mnuMusic"))->aboutToShow();
    QVERIFY(effects->isChecked());
    QCOMPARE(d.game->s.SfxOn, kTrue);
    QVERIFY(!w->ActionOf("mnuMusicMusic")->isChecked());
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
    QString death;
    WhenBox(death);
    WhenModal([](QWidget* w) { return AnswerName(w, QStringLiteral("Reborn")); });
    QTest::mouseClick(d.MainWidget<QWidget>("cmdShop"), Qt::LeftButton);
    QVERIFY2(death.contains(QStringLiteral("15 этажа")), qPrintable(death));
    QVERIFY(!d.game->Window<FrmShop>().Loaded());
    QVERIFY(d.port->DialogOf(d.game->Window<FrmShop>()) == nullptr);
    QCOMPARE(d.main()->windowTitle(), QStringLiteral("Brindlex Kalvitor 1.6 -- Reborn"));
    QCOMPARE(d.game->s.Money, 450);  // the new game did not pay for the meal
    // The screen opens again, as new, on the next visit; the title bar's
    // close goes to the game like its "Назад".
    WhenModal([](QWidget* w) {
      if (w->objectName() != QLatin1String("frmShopWindow")) return false;
      w->close();
      return true;
    });
    QTest::mouseClick(d.MainWidget<QWidget>("cmdShop"), Qt::LeftButton);
    QVERIFY(!d.game->Window<FrmShop>().Shown());
  }

  // The statistics window comes from its module, looked for in the given
  // folders in order. Without it, or when the first file found is no module,
  // a box says so, no window opens, and the game goes on.
  void statsWithoutTheirModuleSayWhyAndTheGameGoesOn() {
    QTemporaryDir none, broken;
    const QString name = QStringLiteral(KALVITOR_TEST_MODULE_NAME);
    const QString module = QStringLiteral(KALVITOR_TEST_MODULE_DIR);
    QFile junk(broken.filePath(name));
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a library\n") > 0);
    junk.close();
    const QString box = QStringLiteral("Brindlex Kalvitor 1.6: Окно статистики не открывается: ");
    const std::pair<QStringList, QString> cases[] = {
        {{none.path()}, box + QStringLiteral("не найден его модуль %1.\nИскали в папках:\n%2").arg(name, none.path())},
        {{none.path(), broken.path(), module},
         box + QStringLiteral("его модуль %1 не загрузился.\n").arg(junk.fileName())},
        {{none.path(), module}, QString()},
    };
    for (const auto& [folders, said] : cases) {
      const QString what = folders.join(QLatin1Char(';'));
      Desk d(folders);
      d.Start();
      QString seen;
      if (!said.isEmpty()) WhenBox(seen);
      d.game->MainForm().FindItemByName("mnuGameStats")->action();
      ToolWindows* tools = d.port->tools();
      if (!said.isEmpty()) {
        QVERIFY2(seen.startsWith(said), qPrintable(what + QStringLiteral(": ") + seen));
        QVERIFY(tools->statsWindow() == nullptr);
      } else {
        QVERIFY2(tools->statsWindow() != nullptr && tools->statsWindow()->isVisible(), qPrintable(what));
      }
      // The game goes on.
      const int time = d.game->s.GameTime;
      QTRY_VERIFY(d.game->s.GameTime != time);
      QVERIFY(d.main()->isVisible());
    }
  }

  void messageBoxInsideATickDropsTheTicks() {
    Desk d;
    d.Start();
    // The next tick shows the victory message. The clock stands while it is
    // open, though four ticks fall due meanwhile; then a new game begins.
    int polls = 0, atOpen = -1, atClose = -2;
    WhenModal([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box == nullptr) return false;
      if (polls == 0) atOpen = d.game->s.GameTime;
      if (++polls < 80) return false;
      atClose = d.game->s.GameTime;
      box->button(QMessageBox::Ok)->click();
      return true;
    });
    WhenModal([](QWidget* w) { return AnswerName(w, QStringLiteral("Again")); });
    d.game->StateForSetUp().CheatWin = kTrue;
    QTRY_COMPARE_WITH_TIMEOUT(d.main()->windowTitle(), QStringLiteral("Brindlex Kalvitor 1.6 -- Again"), 10000);
    QCOMPARE(atClose, atOpen);
  }

  // A message types its letters one by one from one timer. A letter that
  // falls due while a box is open (one the player opened meanwhile) waits
  // for it to close, and then the letters go on to the last.
  void lettersOfAMessageWaitForABoxOpenedMeanwhile() {
    Desk d;
    bool boxOpen = false;
    int steps = 0, underTheBox = 0, stepsBeforeTheBox = -1;
    QTimer::singleShot(25, [&] {
      WhenModal([polls = 0](QWidget* w) mutable {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box == nullptr || ++polls < 6) return false;
        box->button(QMessageBox::Ok)->click();
        return true;
      });
      stepsBeforeTheBox = steps;
      boxOpen = true;
      d.port->MessageBox("Подождите", "", MsgIcon::None, MsgButtons::Ok);
      boxOpen = false;
    });
    d.port->Repeat(10, [&] {
      if (boxOpen) ++underTheBox;
      return ++steps < 8;
    });
    QVERIFY(stepsBeforeTheBox > 0 && stepsBeforeTheBox < 8);
    QCOMPARE(underTheBox, 0);
    QCOMPARE(steps, 8);
  }

  void genericViewOfAnyWindow() {
    Desk d;
    ProbeForm probe(*d.game);
    QString box;
    WhenBox(box);
    QStringList faults;
    auto expect = [&faults](bool ok, const char* what) {
      if (!ok) faults << QLatin1String(what);
    };
    WhenModal([&](QWidget* w) {
      auto* dialog = qobject_cast<FormDialog*>(w);
      if (dialog == nullptr || w->objectName() != QLatin1String("frmProbeWindow")) return false;
      FormView* view = dialog->view();
      // A missing picture: the window opens without one and still works.
      expect(!view->HasPicture() && view->size() == QSize(300, 200), "the window without its picture");
      expect(dialog->windowTitle() == QLatin1String("Brindlex Kalvitor 1.6"), "the game's name as the title");
      auto* combo = view->findChild<QComboBox*>(QStringLiteral("cboPick"));
      expect(combo->count() == 3, "the list's items");
      emit combo->activated(2);
      expect(probe.Find("cboPick")->props.listIndex == 2 && probe.picks == std::vector<int>{2}, "the pick");
      // A disabled panel disables what sits on it.
      auto* inside = view->ButtonOf("cmdInside");
      expect(inside->isEnabled(), "a button on a panel");
      probe.frame->SetEnabled(false);
      expect(!inside->isEnabled(), "a button on a disabled panel");
      // Esc alone leaves a game window open; its own button closes it.
      QTest::keyClick(dialog, Qt::Key_Escape);
      expect(probe.Shown(), "the window after Esc");
      QTest::mouseClick(view->ButtonOf("cmdDone"), Qt::LeftButton);
      return true;
    });
    probe.ShowModal();
    // The missing picture is told in a box titled with the game's name.
    QVERIFY2(box.startsWith(QStringLiteral("Brindlex Kalvitor 1.6: ")) && box.contains(QStringLiteral("NOSUCHPICTURE")),
             qPrintable(box));
    QCOMPARE(faults, QStringList());
    QVERIFY(!probe.Shown());
    QVERIFY(!d.port->DialogOf(probe)->isVisible());
  }
};

QTEST_MAIN(QtViewsTest)
#include "qt_views_test.moc"
