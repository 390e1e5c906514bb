// The main window's model: keys, pause, the cheat box, menus, the sound
// switches in the settings store, and the exit question; the readme and the
// manual page name its shortcuts.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "harness.h"
#include "util/text.h"
#include "windows/shell/frm_main.h"
#include "windows/shell/frm_player_name.h"

namespace kalvitor::testing {
namespace {

MenuItem& Item(Harness& h, const std::string& menu, const std::string& item) {
  FrmMain& m = h.game.MainForm();
  Menu* mm = m.FindMenu(menu);
  EXPECT_NE(mm, nullptr);
  MenuItem* it = m.FindItem(*mm, item);
  EXPECT_NE(it, nullptr);
  return *it;
}

void Choose(Harness& h, const std::string& menu, const std::string& item) {
  Menu* mm = h.game.MainForm().FindMenu(menu);
  if (mm->onOpen) mm->onOpen();
  MenuItem& it = Item(h, menu, item);
  if (it.action) it.action();
}

}  // namespace

TEST(MainWindow, ThePauseShowsItsSignOverADisabledWindow) {
  Harness h;
  h.Start();
  FrmMain& m = h.game.MainForm();
  m.FormKeyPress("p");
  EXPECT_FALSE(m.Enabled());
  EXPECT_TRUE(m.lblPause.Visible());
  EXPECT_TRUE(m.shpMsgShape.Visible());
  m.FormKeyPress("з");
  EXPECT_TRUE(m.Enabled());
  EXPECT_FALSE(m.lblPause.Visible());
}

TEST(MainWindow, CheatBoxAndThePauseShareTheShape) {
  Harness h;
  h.Start();
  FrmMain& m = h.game.MainForm();
  h.Lines();
  m.FormKeyPress("с");  // Cyrillic
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BUTTONS"}));
  EXPECT_TRUE(m.txtCheat.Visible());
  EXPECT_TRUE(m.cmdCheatOk.Visible());
  m.FormKeyPress("p");
  m.FormKeyPress("p");
  EXPECT_FALSE(m.shpMsgShape.Visible());  // the pause hid the shared shape
  EXPECT_TRUE(m.txtCheat.Visible());
  m.txtCheat.SetText("qarventos");
  h.Lines();
  m.Click("cmdCheatOk", -1);
  EXPECT_EQ(h.LinesStarting("SFX BUTTONS").size(), 2u);
  EXPECT_FALSE(m.txtCheat.Visible());
  EXPECT_EQ(h.s().Money, 550);
  m.FormKeyPress("c");
  EXPECT_EQ(m.txtCheat.Text(), "qarventos");  // the box keeps its text
  m.Click("cmdCheatCancel", -1);
  EXPECT_FALSE(m.lblCheatInstr.Visible());
  EXPECT_EQ(h.s().Money, 550);
}

TEST(MainWindow, SpeedMenuAndUnavailableMenus) {
  Harness h;
  h.Start();
  Choose(h, "Скорость игры", "Быстрый");
  EXPECT_EQ(h.Label("lblGameSpeed"), "Скорость игры: Быстрая");
  Choose(h, "Скорость игры", "Медленный");
  EXPECT_EQ(h.Label("lblGameSpeed"), "Скорость игры: Медленная");
  EXPECT_FALSE(h.game.MainForm().FindMenu("Уровень игры")->enabled);
  EXPECT_FALSE(Item(h, "Игра", "Квартира").enabled);
}

// What a player reads must keep up with the menus: each shortcut of the menu
// bar is named in the game's readme and in the manual page.
TEST(MainWindow, TheReadmeAndTheManualNameEveryShortcutOfTheMenus) {
  Harness h;
  h.Start();
  for (const char* doc : {"assets/readme.txt", "packaging/kalvitor.6"}) {
    std::ifstream in(std::string(KALVITOR_SOURCE_DIR) + "/" + doc, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty()) << doc;
    for (const Menu& menu : h.game.MainForm().Menus()) {
      for (const MenuItem& item : menu.items) {
        if (item.shortcut.empty()) continue;
        EXPECT_NE(text.find(item.shortcut), std::string::npos) << doc << ": " << item.shortcut;
      }
    }
  }
}

TEST(MainWindow, SoundSwitchesFollowTheStore) {
  Harness h;
  h.Start();
  EXPECT_EQ(h.s().MusicOn, kTrue);
  EXPECT_EQ(h.s().SfxOn, kTrue);
  EXPECT_TRUE(Item(h, "Звук", "Музыка").checked);
  EXPECT_TRUE(h.port.settings.empty());  // nothing stored until the first toggle
  h.Lines();
  Choose(h, "Звук", "Эффекты");
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BUTTONS"}));  // heard: the old setting
  EXPECT_EQ(h.port.settings["Effects"], "0");
  EXPECT_FALSE(Item(h, "Звук", "Эффекты").checked);
  Choose(h, "Звук", "Эффекты");
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BUTTONS muted"}));
  h.port.settings["Music"] = "2";  // edited outside the game
  h.game.MainForm().FindMenu("Звук")->onOpen();
  EXPECT_EQ(h.s().MusicOn, kFalse);
  EXPECT_FALSE(Item(h, "Звук", "Музыка").checked);
  h.Lines();
  Choose(h, "Звук", "Следующая");  // music off: the click only
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BUTTONS"}));
}

TEST(MainWindow, MusicOffAtStartStaysSilentAndToggleStartsATrack) {
  Harness h;
  h.WriteFile("Music/b.mid", "x");
  h.WriteFile("Music/A.mid", "x");
  h.port.settings["Music"] = "0";
  h.Start();
  EXPECT_TRUE(h.LinesStarting("MUSIC").empty());
  h.Rnd({0.9});  // k = 2 of 2: the second by name
  Choose(h, "Звук", "Музыка");
  EXPECT_EQ(h.port.settings["Music"], "1");
  EXPECT_TRUE(h.Saw("MUSIC play " + Quoted((h.dir / "Music" / "b.mid").string())));
  EXPECT_EQ(h.game.MusicTracks(),
            (std::vector<std::string>{(h.dir / "Music" / "A.mid").string(), (h.dir / "Music" / "b.mid").string()}));
  h.Lines();
  Choose(h, "Звук", "Музыка");
  EXPECT_TRUE(h.Saw("MUSIC stop"));
  EXPECT_FALSE(h.game.MainForm().tmrMusic.Enabled());
}

TEST(Music, TheTimerStartsAnotherTrackWhenOneEnds) {
  Harness h;
  h.WriteFile("Music/only.mid", "x");
  h.Rnd({0.0, 0.7});  // a draw of 0 is drawn again
  h.Start();
  const std::string play = "MUSIC play " + Quoted((h.dir / "Music" / "only.mid").string());
  // Started once at start-up: by the main window's load, not again after it.
  EXPECT_EQ(h.LinesStarting("MUSIC"), (std::vector<std::string>{play}));
  h.Lines();
  h.Ticks(8);  // two seconds: still playing
  h.port.MusicEnded();
  h.Ticks(8);
  EXPECT_EQ(h.LinesStarting("MUSIC"), (std::vector<std::string>{"MUSIC stop", play, play}));
}

TEST(MainWindow, NetworkNeedsAModemAndABrowser) {
  Harness h;
  h.Start();
  h.game.BuyHardware(5, 1, kFalse);
  h.Lines();
  h.game.MainForm().Click("cmdInNet", -1);
  EXPECT_TRUE(
      h.Saw("MSGBOX information \"Слабая машинка\" \"Установи 9600 bps модем, Microsoft Windows 95 и Mirosoft "
            "Internet Explorer 3.0\" -> ok"));
  EXPECT_FALSE(h.Saw("SFX WINDOWS"));
}

TEST(MainWindow, ExitQuestionYesWithAFailedSaveKeepsTheGame) {
  Harness h;
  h.Start();
  h.WriteFile("Save", "a file where the folder should be");
  h.Answer(MsgAnswer::Yes);
  h.port.fileAnswers.push_back({headless::FileAnswer::Name, "game", 0});
  h.game.MainForm().CloseBox();  // no END: the player keeps the game
  EXPECT_TRUE(h.Saw("MSGBOX question \"Внимание!\" \"Сохранить игру сейчас???\" -> yes"));
  EXPECT_FALSE(h.Saw("END"));
  EXPECT_EQ(h.LinesStarting("MSGBOX critical \"Сохранение игры\"").size(), 1u);
  // Cancelling the file name ends the program all the same.
  h.Answer(MsgAnswer::Yes);
  h.port.fileAnswers.push_back({headless::FileAnswer::Cancel, "", 0});
  EXPECT_THROW(h.game.MainForm().CloseBox(), headless::ProgramEnded);
}

TEST(NewGame, ADeathInsideALoadFromTheNameDialogStartsOneGameOnly) {
  Harness h;
  h.Start();
  h.s().Health = -60;  // saved as it is: the death comes when it is loaded
  ASSERT_TRUE(h.Save("dead"));
  h.port.playerAnswers.push_back({headless::PlayerAnswer::Load, 1, ""});
  h.port.fileAnswers.push_back({headless::FileAnswer::Name, "dead", 0});
  h.QueuePlayer("Новый");
  h.game.NewGame();
  std::string log = h.ReadFile("games.log");
  size_t created = 0;
  for (size_t p = log.find("CREATED"); p != std::string::npos; p = log.find("CREATED", p + 1)) ++created;
  EXPECT_EQ(created, 2u);  // Вася's game and the one after the death
  EXPECT_EQ(h.s().Health, 40);
  EXPECT_TRUE(h.port.playerAnswers.empty());
}

// "Новая игра" over a game in progress: leaving the name dialog without a
// new game (Отмена, Esc, its close box, OK with no name) asks the exit
// question. Cancel goes back to the game as it was; No ends the program;
// Yes saves first. At the start of the program Отмена ends it at once.
TEST(NewGame, LeavingTheDialogOverAGameInProgressAsksTheExitQuestion) {
  using headless::PlayerAnswer;
  const std::string question = "MSGBOX question \"Внимание!\" \"Сохранить игру сейчас???\" -> ";
  for (PlayerAnswer::Kind leave : {PlayerAnswer::Cancel, PlayerAnswer::Close, PlayerAnswer::Ok}) {
    SCOPED_TRACE(leave);
    Harness h;
    h.Start("Вася", 2);
    h.game.SetMoney(777);
    const Guard running = h.game.ThisGame();
    h.port.playerAnswers.push_back({leave, 0, ""});
    h.Answer(MsgAnswer::Cancel);
    h.Lines();
    Choose(h, "Файл", "Новая игра");
    EXPECT_TRUE(h.Saw(question + "cancel"));
    EXPECT_FALSE(h.Saw("END"));
    EXPECT_FALSE(running.Over());
    EXPECT_EQ(h.s().PlayerName, "Вася");
    EXPECT_EQ(h.s().Money, 777);
    EXPECT_EQ(h.s().DifficultyCode, 0);  // the level chosen in the dialog is not taken
    EXPECT_FALSE(h.game.Window<FrmPlayerName>().Shown());
    EXPECT_TRUE(h.game.MainForm().Shown());
    const std::string log = h.ReadFile("games.log");
    EXPECT_EQ(log.find("CREATED", log.find("CREATED") + 1), std::string::npos);  // no new game was begun
  }
  {
    Harness h;
    h.Start();
    h.port.playerAnswers.push_back({PlayerAnswer::Cancel, 1, ""});
    h.Answer(MsgAnswer::No);
    EXPECT_THROW(Choose(h, "Файл", "Новая игра"), headless::ProgramEnded);
    EXPECT_TRUE(h.Saw(question + "no"));
    EXPECT_FALSE(std::filesystem::exists(h.dir / "Save" / "kept.ksv"));
  }
  {
    Harness h;
    h.Start();
    h.game.SetMoney(777);
    h.port.playerAnswers.push_back({PlayerAnswer::Cancel, 1, ""});
    h.Answer(MsgAnswer::Yes);
    h.port.fileAnswers.push_back({headless::FileAnswer::Name, "kept", 0});
    EXPECT_THROW(Choose(h, "Файл", "Новая игра"), headless::ProgramEnded);
    EXPECT_TRUE(h.Saw(question + "yes"));
    EXPECT_NE(h.ReadFile("Save/kept.ksv").find("777"), std::string::npos);
  }
  // A game after a death is no game in progress: Отмена ends at once.
  {
    Harness h;
    h.Start();
    h.port.playerAnswers.push_back({PlayerAnswer::Cancel, 1, ""});
    h.Lines();
    EXPECT_THROW(h.game.SetHealth(-50), headless::ProgramEnded);
    EXPECT_TRUE(h.LinesStarting("MSGBOX question").empty());
  }
}

// The menu column: the places in their order, one row under another, all of
// them within the column's frame and above "Свернуть игру".
TEST(MainWindow, TheMenuColumnListsThePlacesAboveTheMinimiseButton) {
  Harness h;
  FrmMain& m = h.game.MainForm();
  const char* captions[] = {"Работа",    "Магазин", "Семья", "Больница", "Отдых",
                            "Программы", "Железо",  "Сеть",  "Банк",     "Учеба"};
  std::vector<const Control*> rows;
  for (const Control& c : m.Controls())
    if (c.kind == ControlKind::ClickLabel) rows.push_back(&c);
  ASSERT_EQ(rows.size(), std::size(captions));
  const ControlProps& frame = m.Find("fraMenu")->props;
  const ControlProps& minimise = m.Find("Command1")->props;
  int top = frame.y;
  for (size_t i = 0; i < rows.size(); ++i) {
    const ControlProps& r = rows[i]->props;
    EXPECT_EQ(r.text, captions[i]);
    EXPECT_GE(r.y, top) << r.text;
    EXPECT_TRUE(r.x >= frame.x && r.x + r.w <= frame.x + frame.w) << r.text;
    top = r.y + r.h;
  }
  EXPECT_LE(top, minimise.y);
}

// A click handler needs a control of its name: a handler without one would
// take clicks that never come, and the control's clicks would do nothing.
TEST(Windows, EveryClickHandlerHasItsControl) {
  Harness h;
  for (Form* f : h.game.AllForms()) EXPECT_TRUE(f->HandlersWithoutControl().empty()) << f->Name();
}

}  // namespace kalvitor::testing
