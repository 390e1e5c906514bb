// The hardware and software catalogues, purchases and requirements.
#include <gtest/gtest.h>

#include "computer/hardware_catalogue.h"
#include "computer/software_catalogue.h"
#include "harness.h"
#include "shell/frm_main.h"

namespace kalvitor::testing {

TEST(HardwareCatalogue, EntriesAndTops) {
  EXPECT_EQ(GetHardwareEntry(0, 1), "486 DX2-66 MHz|25");
  EXPECT_EQ(GetHardwareEntry(3, 0), "Нет вооще|0");
  EXPECT_EQ(GetHardwareEntry(0, 11), "");
  EXPECT_EQ(GetHardwareEntry(8, 5), "");
  EXPECT_EQ(GetHardwareEntry(9, 1), "");
  EXPECT_EQ(GetHardwareEntry(-1, 0), "");
  EXPECT_EQ(GetHardwareName(0, -1), "");
  EXPECT_EQ(GetHardwarePrice(7, 6), 14500);
  EXPECT_TRUE(IsHardwareAtTop(0, 10));
  EXPECT_TRUE(IsHardwareAtTop(8, 4));
  EXPECT_FALSE(IsHardwareAtTop(8, 3));
  EXPECT_EQ(GetHardwareSlotName(4), "CD-ROM");
  EXPECT_EQ(GetHardwareSlotName(9), "");
  int sum = 0;
  for (int slot = 0; slot < 9; ++slot) sum += HardwareTopModel(slot);
  EXPECT_EQ(sum, 59);
  for (int slot = 0; slot < 9; ++slot)
    for (int model = 1; model <= HardwareTopModel(slot); ++model) EXPECT_GT(GetHardwarePrice(slot, model), 0);
}

TEST(BuyHardware, PaysExactlyAndRefusesOneDollarShort) {
  Harness h;
  h.Start();
  h.game.SetMoney(25);
  h.game.BuyHardware(0, 1, kTrue);
  EXPECT_EQ(h.s().Money, 0);
  EXPECT_EQ(h.s().Hw[0], 1);
  EXPECT_EQ(h.s().HwModels[0], 1);
  EXPECT_EQ(h.game.MainForm().lblhard[0]->Text(), "486 DX2-66 MHz");

  h.game.SetMoney(14499);
  h.Lines();
  h.game.BuyHardware(7, 6, kTrue);
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"MSGBOX information \"Я тоже много хочу!!!\" \"У вас недостаточно "
                                                  "денег на покупку ProfScan S450 A0 14000 dpi SCSI за $14500\" -> ok"}));
  EXPECT_EQ(h.s().Hw[7], 0);
  EXPECT_EQ(h.s().Money, 14499);

  h.game.BuyHardware(0, 0, kTrue);  // emptying costs nothing
  EXPECT_EQ(h.s().Hw[0], 0);
  EXPECT_EQ(h.game.MainForm().lblhard[0]->Text(), "Нет вооще");
  h.game.BuyHardware(1, 3, 1);  // only -1 pays
  EXPECT_EQ(h.s().Money, 14499);
  EXPECT_EQ(h.s().Hw[1], 3);
  h.game.BuyHardware(1, 99, kTrue);  // no such model: nothing happens
  h.game.BuyHardware(12, 1, kTrue);
  EXPECT_EQ(h.s().Hw[1], 3);
  for (size_t i = 0; i < 9; ++i) EXPECT_EQ(h.s().Hw[i], h.s().HwModels[i]);
}

TEST(SoftwareCatalogue, NamesAndBounds) {
  EXPECT_EQ(GetSoftwareName(0, 8), "Unix Professional");
  EXPECT_EQ(GetSoftwareName(3, 0), "Нет вооще");
  EXPECT_EQ(GetSoftwareName(0, 9), "");
  EXPECT_EQ(GetSoftwareName(5, 7), "");
  EXPECT_EQ(GetSoftwareName(6, 1), "");
  EXPECT_EQ(GetSoftwareName(1, -1), "");
}

struct Install {
  int16_t cpu, ram, hdd, video, os;  // the computer before
  int16_t slot, model;
  const char* refusal;               // nullptr: accepted
};

class InstallRows : public ::testing::TestWithParam<Install> {};

TEST_P(InstallRows, RequirementsDecide) {
  const Install c = GetParam();
  Harness h;
  h.Start();
  h.s().Hw[0] = c.cpu;
  h.s().Hw[1] = c.ram;
  h.s().Hw[3] = c.hdd;
  h.s().Hw[2] = c.video;
  h.s().Soft[0] = c.os;
  h.Lines();
  const bool ok = h.game.InstallSoftware(c.slot, c.model);
  EXPECT_EQ(ok, c.refusal == nullptr);
  if (c.refusal != nullptr) {
    EXPECT_EQ(h.Lines(), (std::vector<std::string>{std::string("MSGBOX information \"Ну у Вас и запросы...\" \"") +
                                                   c.refusal + "\" -> ok"}));
    EXPECT_NE(h.s().Soft[static_cast<size_t>(c.slot)], c.model);
  } else {
    EXPECT_EQ(h.s().Soft[static_cast<size_t>(c.slot)], c.model);
    EXPECT_EQ(h.game.MainForm().SoftwareLabel(c.slot).Text(), GetSoftwareName(c.slot, c.model));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InstallRows,
    ::testing::Values(Install{0, 0, 0, 0, 0, 0, 1, "Слабая машинка!!!!"}, Install{1, 1, 1, 1, 0, 0, 1, nullptr},
                      Install{4, 2, 3, 2, 0, 0, 6, "Слабая машинка!!!!"}, Install{4, 2, 3, 2, 0, 0, 7, nullptr},
                      Install{4, 3, 3, 1, 0, 0, 6, "Слабая машинка!!!!"}, Install{5, 3, 4, 3, 0, 0, 8, nullptr},
                      Install{5, 3, 3, 3, 0, 0, 8, "Слабая машинка!!!!"},
                      Install{0, 0, 0, 0, 7, 2, 5, "Установи UNIX!!!!"}, Install{0, 0, 0, 0, 8, 2, 5, nullptr},
                      Install{0, 0, 0, 0, 5, 2, 4, nullptr}, Install{0, 0, 0, 0, 4, 2, 4, "Установи Windows NT4!!!!"},
                      Install{0, 0, 0, 0, 7, 1, 3, nullptr}, Install{0, 0, 0, 0, 5, 1, 3, "Установи Windows 2000!!!!"},
                      Install{0, 0, 0, 2, 3, 3, 2, nullptr},
                      Install{0, 0, 0, 1, 3, 3, 2, "Установи Windows 98 и nVidia Riva TNT!!!!"},
                      Install{0, 0, 0, 3, 7, 3, 3, "Установи Windows 98 и nVidia Riva TNT2!!!!"},
                      Install{0, 0, 0, 5, 7, 3, 4, nullptr},
                      Install{0, 0, 0, 0, 1, 4, 1, "Установи Windows 95"}, Install{0, 0, 0, 0, 3, 4, 5,
                                                                                 "Установи Windows Millenium"},
                      Install{0, 0, 0, 0, 0, 5, 1, "Установи Windows 3.1"}, Install{0, 0, 0, 0, 2, 5, 4,
                                                                                  "Установи Windows 98"},
                      Install{0, 0, 0, 0, 0, 0, 0, nullptr}, Install{0, 0, 0, 0, 0, 3, 0, nullptr}));

TEST(InstallSoftware, OutsideTheCatalogueNothingHappens) {
  Harness h;
  h.Start();
  h.Lines();
  EXPECT_FALSE(h.game.InstallSoftware(0, 9));
  EXPECT_FALSE(h.game.InstallSoftware(6, 1));
  EXPECT_FALSE(h.game.InstallSoftware(-1, 0));
  EXPECT_TRUE(h.Lines().empty());
}

TEST(InstallSoftware, ProgramsStayWhenTheSystemGoes) {
  Harness h;
  h.Start();
  h.s().Soft[0] = 3;
  ASSERT_TRUE(h.game.InstallSoftware(5, 1));
  EXPECT_EQ(h.game.MainForm().lblGames.Text(), "DOOM-II");
  ASSERT_TRUE(h.game.InstallSoftware(0, 0));
  EXPECT_EQ(h.s().Soft[5], 1);
}

}  // namespace kalvitor::testing
