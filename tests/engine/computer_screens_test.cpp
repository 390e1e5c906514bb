// The hardware upgrade and software screens: captions built from the
// player's computer, purchases and installs, refusals, top models.
#include <gtest/gtest.h>

#include "harness.h"
#include "windows/screens/frm_hard.h"
#include "windows/screens/frm_soft.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

std::vector<std::string> Looks(const std::vector<Control*>& buttons) {
  std::vector<std::string> v;
  for (const Control* c : buttons) v.push_back(c->Text() + (c->Enabled() ? "" : " (disabled)"));
  return v;
}

}  // namespace

TEST(HardScreen, OffersTheNextModelBuysItAndDisablesTheTop) {
  Harness h;
  h.Start();
  h.game.BuyHardware(0, 9, kFalse);
  h.game.BuyHardware(2, 7, kFalse);
  h.game.BuyHardware(7, 5, kFalse);
  h.s().Money = 1000;
  h.game.MainForm().Click("cmdHard", -1);
  FrmHard& hard = h.game.Window<FrmHard>();
  EXPECT_EQ(Looks(hard.cmdUpggrade),
            (std::vector<std::string>{
                "Процессор - Intel Pentium 4 1500 MHz - $620", "ОЗУ - 8 Mb - $10",
                "Видеокарта - 3DFX Voodoo V 64 Mb 6 GPU - $250 (disabled)", "Винчестер - 850 Mb IDE - $40",
                "CD-ROM - 4x Speed - $8", "Модем - 9600 bps - $10", "Звук - 22 kHz 8 bit ESS - $5",
                "Сканер - ProfScan S450 A0 14000 dpi SCSI - $14500", "Принтер - Epson LX400 - $50"}));
  h.Lines();
  hard.Click("cmdUpggrade", 0);
  EXPECT_EQ(h.Lines(), std::vector<std::string>{"SFX BUTTONS"});
  EXPECT_EQ(h.s().Money, 380);
  EXPECT_EQ(h.game.MainForm().lblhard[0]->Text(), "Intel Pentium 4 1500 MHz");
  EXPECT_EQ(Looks(hard.cmdUpggrade)[0], "Процессор - Intel Pentium 4 1500 MHz - $620 (disabled)");
  hard.Click("cmdUpggrade", 5);
  EXPECT_EQ(Looks(hard.cmdUpggrade)[5], "Модем - 14400 bps - $16");
  // Too little money: the message, and nothing changes.
  const auto before = Looks(hard.cmdUpggrade);
  hard.Click("cmdUpggrade", 7);
  EXPECT_TRUE(
      h.Saw("MSGBOX information \"Я тоже много хочу!!!\" \"У вас недостаточно денег на покупку ProfScan "
            "S450 A0 14000 dpi SCSI за $14500\" -> ok"));
  EXPECT_EQ(Looks(hard.cmdUpggrade), before);
  // Leaving unloads; the next opening builds the screen afresh.
  hard.Click("Command8", -1);
  h.game.MainForm().Click("cmdHard", -1);
  EXPECT_EQ(Looks(hard.cmdUpggrade), before);
}

TEST(SoftScreen, OffersTheNextModelAndKeepsItOnARefusal) {
  Harness h;
  h.Start();
  h.game.MainForm().Click("cmdSoft", -1);
  FrmSoft& soft = h.game.Window<FrmSoft>();
  EXPECT_EQ(
      Looks(soft.cmdUpgrade),
      (std::vector<std::string>{"ОС - Microsoft Windows 3.1", "Антивирус - Doctor Web", "Прог-е - Borland Pascal 7.0",
                                "Графика - Microsoft Paint", "Интернет - Internet Explorer 3.0", "Игра - DOOM-II"}));
  h.Lines();
  soft.Click("cmdUpgrade", 4);
  EXPECT_EQ(h.Lines(),
            (std::vector<std::string>{"SFX BUTTONS", InfoBox("Ну у Вас и запросы...", "Установи Windows 95")}));
  EXPECT_EQ(soft.cmdUpgrade[4]->Text(), "Интернет - Internet Explorer 3.0");
  h.s().Soft[0] = 1;
  soft.Click("cmdUpgrade", 5);
  EXPECT_EQ(soft.cmdUpgrade[5]->Text(), "Игра - Duke 3 for MSDOS");
  EXPECT_EQ(h.Label("lblGames"), "DOOM-II");
  // The top model is shown disabled.
  for (auto [slot, model] : {std::pair{0, 5}, {1, 3}, {3, 4}, {2, 3}}) h.game.BuyHardware(slot, model, kFalse);
  h.s().Soft[0] = 7;
  soft.Click("cmdUpgrade", 0);
  EXPECT_EQ(Looks(soft.cmdUpgrade)[0], "ОС - Unix Professional (disabled)");
  // Leaving hides it; a new game unloads it and the offers start again.
  soft.Click("Command8", -1);
  h.QueuePlayer("Петя");
  h.game.NewGame();
  h.game.MainForm().Click("cmdSoft", -1);
  EXPECT_EQ(soft.cmdUpgrade[5]->Text(), "Игра - DOOM-II");
}

}  // namespace kalvitor::testing
