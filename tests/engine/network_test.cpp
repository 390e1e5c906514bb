#include <gtest/gtest.h>

#include <functional>

#include "harness.h"
#include "util/date.h"
#include "windows/network/frm_network.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

// The driver's port that also notes every text the two status lines show,
// with the virtual time it was shown at, and may act when a text appears.
class StatusPort : public headless::HeadlessPort {
 public:
  using HeadlessPort::HeadlessPort;
  struct Shown {
    std::string label, text;
    int64_t at;
  };
  std::vector<Shown> shown;
  std::function<void(const std::string&)> onText;

  void OnControlChanged(Form& form, Control& control) override {
    if (form.Name() == "frmNetwork" && (control.name == "Label1" || control.name == "Label2")) {
      shown.push_back({control.name, control.Text(), NowMs()});
      if (onText) onText(control.Text());
    }
    HeadlessPort::OnControlChanged(form, control);
  }
};

// A started game with a modem and a browser, effects off (so that no effect
// takes time), the clock paused unless a test lets it run, and the network
// screen open.
struct Net {
  explicit Net(bool paused = true)
      : port(out, ParseShortDate("06.12.2026").value_or(0), (21 * 60 + 47) * 60 * 1000LL), game(port, h.dir.string()) {
    port.Attach(game);
    port.settings["Effects"] = "0";
    port.playerAnswers.push_back({headless::PlayerAnswer::Ok, 1, "Вася"});
    game.RunMain();
    game.StateForSetUp().Hw[5] = 1;
    game.StateForSetUp().Soft[4] = 1;
    if (paused) game.MainForm().FormKeyPress("p");
    game.MainForm().Click("cmdInNet", -1);
  }
  FrmNetwork& net() { return game.Window<FrmNetwork>(); }
  std::vector<std::string> Texts(const std::string& label) {
    std::vector<std::string> v;
    for (auto& s : port.shown)
      if (s.label == label) v.push_back(s.text);
    return v;
  }
  void Connect() { net().Click("Command1", -1); }

  Harness h;  // its folder only
  std::ostringstream out;
  StatusPort port;
  Game game;
};

TEST(Network, DiallingShowsTheStatusTextsOverTheirWaits) {
  Net n;
  ASSERT_TRUE(n.net().Shown());
  EXPECT_EQ(n.net().Background(), "NET");
  EXPECT_FALSE(n.net().sites.Enabled());
  const int64_t start = n.port.NowMs();
  n.Connect();
  ASSERT_EQ(n.port.shown.size(), 5u);
  const char* texts[] = {"Status: Initializing...", "Status: Dialing...", "Status: Connecting...",
                         "Status: Verifying...", "Status: Connected"};
  // Each wait of n seconds ends when the elapsed time rounds to n: half a second early.
  const int64_t at[] = {0, 501, 501 + 4501, 501 + 4501 + 501, 501 + 4501 + 501 + 2501};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(n.port.shown[i].text, texts[i]);
    EXPECT_EQ(n.port.shown[i].at - start, at[i]) << texts[i];
  }
  EXPECT_EQ(n.game.s.InternetConnected, kTrue);
  EXPECT_TRUE(n.net().sites.Enabled());
  EXPECT_TRUE(n.net().internetDial.Enabled());
  // No site is shown before one is chosen; a choice shows that site alone.
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(n.net().Find("picLocation", i)->Visible());
  n.net().Click("cmdChangeLocation", 1);
  EXPECT_TRUE(n.net().Find("picLocation", 1)->Visible());
  n.net().Click("cmdChangeLocation", 2);
  EXPECT_FALSE(n.net().Find("picLocation", 1)->Visible());
  EXPECT_TRUE(n.net().Find("picLocation", 2)->Visible());
  EXPECT_TRUE(n.net().Find("Command7")->Usable());

  n.port.shown.clear();
  const int64_t hangUp = n.port.NowMs();
  n.Connect();
  ASSERT_EQ(n.Texts("Label1"), (std::vector<std::string>{"Status: Disconnecting...", "Status: Disconnected"}));
  EXPECT_EQ(n.port.shown[1].at - hangUp, 501);
  EXPECT_EQ(n.game.s.InternetConnected, kFalse);
  EXPECT_FALSE(n.net().sites.Enabled());
}

TEST(Network, BillsADollarPerCountedHour) {
  Net n;
  // Three hours, two hours, and within one game hour: free.
  for (auto [hours, money] : {std::pair{3, 447}, {2, 445}, {0, 445}}) {
    n.Connect();
    for (int i = 0; i < hours; ++i) n.game.HourlyPass();
    n.Connect();
    EXPECT_EQ(n.game.s.Money, money);
  }
  EXPECT_EQ(n.game.MainForm().lblMoney.Text(), "$445");
  // Hours are counted only while connected.
  n.game.HourlyPass();
  n.Connect();
  n.Connect();
  EXPECT_EQ(n.game.s.Money, 445);
}

TEST(Network, OneConnectionAtATime) {
  Net n;
  n.net().Click("Command5", -1);
  EXPECT_EQ(n.game.s.BbsConnected, kTrue);
  EXPECT_TRUE(n.net().boardButtons.Enabled());
  n.port.shown.clear();
  const int64_t t = n.port.NowMs();
  n.Connect();
  EXPECT_TRUE(n.port.shown.empty());
  EXPECT_EQ(n.port.NowMs(), t);
  EXPECT_EQ(n.game.s.InternetConnected, kFalse);
  n.net().Click("Command8", -1);  // "Hang-Up" on the board's panel
  EXPECT_EQ(n.game.s.BbsConnected, kFalse);
  n.Connect();
  n.port.shown.clear();
  n.net().Click("Command5", -1);
  EXPECT_TRUE(n.port.shown.empty());
  EXPECT_EQ(n.game.s.BbsConnected, kFalse);
}

TEST(Network, ButtonsDoNothingWhileASequenceRuns) {
  Net n;
  // The board's button pressed while the internet is still dialling.
  n.port.onText = [&](const std::string& text) {
    if (text == "Status: Dialing...") n.net().Click("Command5", -1);
  };
  n.Connect();
  n.port.onText = nullptr;
  EXPECT_EQ(n.game.s.InternetConnected, kTrue);
  EXPECT_EQ(n.game.s.BbsConnected, kFalse);
  EXPECT_TRUE(n.Texts("Label2").empty());
}

TEST(Network, LeavingDuringDiallingStopsTheSequence) {
  Net n;
  n.port.onText = [&](const std::string& text) {
    if (text == "Status: Connecting...") n.net().Click("Command9", -1);
  };
  n.Connect();
  EXPECT_FALSE(n.net().Loaded());
  EXPECT_EQ(n.game.s.InternetConnected, kFalse);
  EXPECT_EQ(n.Texts("Label1").back(), "Status: Connecting...");
  EXPECT_EQ(n.game.s.Money, 450);
}

TEST(Network, SitesDownloadAndTheBoardTransfers) {
  Net n;
  n.Connect();
  n.game.rnd.Force(0.7);  // 7
  int64_t t = n.port.NowMs();
  n.net().Click("Command6", -1);
  EXPECT_EQ(n.port.NowMs() - t, 6501);
  EXPECT_EQ(n.Texts("Label1").end()[-2], "Status: Downloading 7 Mb...");
  EXPECT_EQ(n.net().internetStatus.Text(), "Status: Connected");
  EXPECT_EQ(n.game.s.DownloadedMb, 7);
  EXPECT_EQ(n.game.MainForm().lblOther.Text(), "7 Мб");
  EXPECT_FALSE(n.net().softDownload.Enabled());
  EXPECT_TRUE(n.net().antivirusDownload.Enabled());
  n.game.rnd.Force(0.0);  // 0: at once, nothing added
  t = n.port.NowMs();
  n.net().Click("Command7", -1);
  EXPECT_EQ(n.port.NowMs(), t);
  EXPECT_EQ(n.Texts("Label1").end()[-2], "Status: Downloading 0 Mb...");
  EXPECT_EQ(n.game.s.DownloadedMb, 7);
  EXPECT_FALSE(n.net().antivirusDownload.Enabled());
  // Both come back when the screen is opened again.
  n.net().Click("Command9", -1);
  EXPECT_EQ(n.game.s.InternetConnected, kFalse);
  n.game.MainForm().Click("cmdInNet", -1);
  EXPECT_TRUE(n.net().softDownload.Enabled());
  EXPECT_EQ(n.net().internetStatus.Text(), "Status: Disconnected");

  n.net().Click("Command5", -1);
  n.game.rnd.Force(0.3);
  n.net().Click("cmdBBSDownload", -1);
  EXPECT_EQ(n.Texts("Label2").end()[-2], "Status: Receiving 3072 bytes of data...");
  EXPECT_EQ(n.game.s.DownloadedMb, 10);
  n.game.rnd.Force(0.5);  // 5
  n.net().Click("cmdBBSUpload", -1);
  EXPECT_EQ(n.Texts("Label2").end()[-2], "Status: Sending 5120 bytes of data...");
  EXPECT_EQ(n.net().boardStatus.Text(), "Status: Connected");
  EXPECT_EQ(n.game.s.DownloadedMb, 10);
  // The counter stops at its top.
  n.game.StateForSetUp().DownloadedMb = 32765;
  n.game.rnd.Force(0.9);
  n.net().Click("cmdBBSDownload", -1);
  EXPECT_EQ(n.game.s.DownloadedMb, 32767);
}

TEST(Network, LeavingHangsUpAndBills) {
  Net n;
  n.Connect();
  n.game.HourlyPass();
  n.game.HourlyPass();
  n.net().Click("Command9", -1);
  EXPECT_EQ(n.game.s.Money, 448);
  // The close box does the same.
  n.game.MainForm().Click("cmdInNet", -1);
  n.net().Click("Command5", -1);
  n.net().CloseBox();
  EXPECT_EQ(n.game.s.BbsConnected, kFalse);
  EXPECT_FALSE(n.net().Loaded());
  EXPECT_EQ(n.game.s.Money, 448);
}

TEST(Network, ADeathDuringASequenceLeavesTheNewGameAlone) {
  Net n(false);
  // The next tick crosses midnight; the day's wear kills the player.
  n.game.StateForSetUp().Health = -49;
  n.game.StateForSetUp().GameTime = 23 * 60 + 45;
  for (int i = 0; i < 3; ++i) n.game.rnd.Force(0.0);  // no virus, no family event, no event
  n.port.playerAnswers.push_back({headless::PlayerAnswer::Ok, 1, "Петя"});
  n.Connect();
  EXPECT_EQ(n.game.s.PlayerName, "Петя");
  EXPECT_FALSE(n.net().Shown());  // (the next hour loads it again, unseen)
  EXPECT_EQ(n.game.s.InternetConnected, kFalse);
  EXPECT_NE(n.Texts("Label1").back(), "Status: Connected");
  EXPECT_EQ(n.game.s.Money, 450);
}

// A download's megabytes come when its time is up, also when the player has
// left the screen meanwhile ("Назад"), or left and come back; the status
// line of the screen opened again is not touched. Another game (a death on
// the way) gets nothing.
TEST(Network, LeavingDuringADownloadKeepsTheMegabytes) {
  struct Case {
    const char* what;
    bool board;
    const char* button;
    int site;  // the panel to choose first; -1 for the board
    const char* shown;
    bool reopen;
  };
  const Case cases[] = {
      {"site, left", false, "Command6", 1, "Status: Downloading 7 Mb...", false},
      {"antivirus, left", false, "Command7", 2, "Status: Downloading 7 Mb...", false},
      {"board, left", true, "cmdBBSDownload", -1, "Status: Receiving 7168 bytes of data...", false},
      {"site, left and opened again", false, "Command6", 1, "Status: Downloading 7 Mb...", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Net n;
    n.net().Click(c.board ? "Command5" : "Command1", -1);
    if (c.site >= 0) n.net().Click("cmdChangeLocation", c.site);
    n.game.rnd.Force(0.7);  // 7
    bool left = false;
    n.port.onText = [&](const std::string& text) {
      if (text != c.shown || left) return;
      left = true;
      n.net().Click("Command9", -1);
      if (c.reopen) n.game.MainForm().Click("cmdInNet", -1);
    };
    n.net().Click(c.button, -1);
    n.port.onText = nullptr;
    ASSERT_TRUE(left);
    EXPECT_EQ(n.game.s.DownloadedMb, 7);
    EXPECT_EQ(n.game.MainForm().lblOther.Text(), "7 Мб");
    EXPECT_EQ(n.game.s.InternetConnected, kFalse);
    EXPECT_EQ(n.game.s.BbsConnected, kFalse);
    EXPECT_EQ(n.net().Loaded(), c.reopen);
    if (c.reopen) {
      EXPECT_EQ(n.net().internetStatus.Text(), "Status: Disconnected");
      EXPECT_TRUE(n.net().internetDial.Enabled());
    }
  }
}

TEST(Network, ANewGameDuringADownloadGetsNothing) {
  Net n(false);
  n.Connect();
  n.net().Click("cmdChangeLocation", 1);
  // Ten seconds from 23:45: the midnight's wear kills the player.
  n.game.StateForSetUp().Health = -49;
  n.game.StateForSetUp().GameTime = 23 * 60 + 45;
  n.game.rnd.Force(0.999);                            // 10 Mb
  for (int i = 0; i < 3; ++i) n.game.rnd.Force(0.0);  // no virus, no family event, no event
  n.port.playerAnswers.push_back({headless::PlayerAnswer::Ok, 1, "Петя"});
  n.net().Click("Command6", -1);
  EXPECT_EQ(n.game.s.PlayerName, "Петя");
  EXPECT_EQ(n.game.s.DownloadedMb, 0);
  EXPECT_EQ(n.game.MainForm().lblOther.Text(), "0 Мб");
}

TEST(Network, TheJokesSiteShowsAJoke) {
  Net n;
  n.h.WriteFile("anecdot.dat", "**ANECDOT DATA FILE**\r\n\xD0\xE0\xE7<CRLF>\xC4\xE2\xE0\r\n");
  n.Connect();
  n.net().Click("cmdChangeLocation", 0);
  n.net().Click("cmdRnd", -1);
  EXPECT_EQ(n.net().txtAnecdot.Text(), "Раз\r\nДва");
}

}  // namespace
}  // namespace kalvitor::testing
