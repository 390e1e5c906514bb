// The two catalogues as the game's rules give them, row by row: every price
// at the exact money and a dollar short, every requirement at its value and
// one below.
#include <gtest/gtest.h>

#include "harness.h"
#include "life/computer/hardware_catalogue.h"
#include "life/computer/software_catalogue.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

struct Model {
  const char* name;
  int16_t price;
};
struct Slot {
  const char* name;
  std::vector<Model> models;  // from model 1 up; the last is the top
};
const Slot kHardware[] = {
    {"Процессор",
     {{"486 DX2-66 MHz", 25},
      {"Pentium 133 MHz", 60},
      {"Celeron 300A", 90},
      {"Pentium II 300 MHz MMX", 125},
      {"Pentium III 650 MHz SSE2", 200},
      {"Pentium III EB 850 MHz", 250},
      {"AMD Athlon 900 MHz", 300},
      {"AMD Athlon 1100 MHz", 420},
      {"Intel Pentium 4 1300 MHz", 500},
      {"Intel Pentium 4 1500 MHz", 620}}},
    {"ОЗУ",
     {{"8 Mb", 10},
      {"16 Mb", 25},
      {"32 Mb", 35},
      {"64 Mb", 50},
      {"128 Mb", 85},
      {"256 Mb", 200},
      {"512 Mb DDR SDRAM", 700}}},
    {"Видеокарта",
     {{"S3 Trio 1 Mb", 8},
      {"nVidia Riva 128 4 Mb", 15},
      {"nVidia Riva TNT 8 Mb", 30},
      {"nVidia Riva TNT2 Ultra 32 Mb", 75},
      {"nVidia GeForce 256 32 Mb", 125},
      {"nVidia GeForce 2 32 Mb", 175},
      {"3DFX Voodoo V 64 Mb 6 GPU", 250}}},
    {"Винчестер",
     {{"850 Mb IDE", 40},
      {"1.3 Gb IDE", 85},
      {"4.8 Gb IDE", 100},
      {"10 Gb IDE", 150},
      {"32 Gb EIDE", 200},
      {"72 Gb UWSCSI/320", 350},
      {"80 Gb 15000 rpm FC 2GB/S", 650}}},
    {"CD-ROM",
     {{"4x Speed", 8},
      {"24x Speed", 20},
      {"40x Speed", 50},
      {"4x/4x/32x Speed CD-RW", 170},
      {"12x/40x Speed DVD", 200},
      {"4x/2x/8x Speed DVD-RW", 850}}},
    {"Модем",
     {{"9600 bps", 10},
      {"14400 bps", 16},
      {"33600 bps", 30},
      {"56000 bps V90", 50},
      {"T128 baud ISDN Device", 200},
      {"DVB 2 Mb/s Satelette Device", 600}}},
    {"Звук",
     {{"22 kHz 8 bit ESS", 5},
      {"44 kHz 16 bit ESS ES1688", 10},
      {"44 kHz 16 bit SB32", 50},
      {"48 kHz 16 bit 3D SB32PRO", 75},
      {"90 kHz 32 bit 3D Sound Studio Device", 200},
      {"90 kHz 32 bit 3D Hardware Mixer Device", 250}}},
    {"Сканер",
     {{"Agfa Home-4 Manual", 20},
      {"Mustek ScanExpress 600CP", 60},
      {"Mustek ScanExpress 6000P USB", 70},
      {"Mustek Paragon Pro SCSI", 150},
      {"UMAX Astra 4000 SCSI", 250},
      {"ProfScan S450 A0 14000 dpi SCSI", 14500}}},
    {"Принтер", {{"Epson LX400", 50}, {"Xerox C6", 100}, {"HP LaserJet 1400 dpi", 400}, {"Lexmark T610", 1000}}},
};

const std::vector<const char*> kSoftware[] = {
    {"Microsoft Windows 3.1", "Microsoft Windows 95", "Microsoft Windows 98", "Microsoft Windows Millenium",
     "Microsoft Windows NT4", "Microsoft Windows 2000", "Linux (Last Version)", "Unix Professional"},
    {"Doctor Web", "Antivirial Toolkit Pro", "Norton Anti-Virus 2001", "AVP 3.5 Gold for Servers"},
    {"Borland Pascal 7.0", "Microsoft Visual Basic", "Borland Delphi 5.0", "Microsoft Visual C++", "Assembler PRO"},
    {"Microsoft Paint", "Adobe Photoshop 6.0", "3D Studio MAX 4", "3D DesignStudio 2001"},
    {"Internet Explorer 3.0", "Internet Explorer 4.0", "Internet Explorer 5.0", "Netscape Navigator", "Opera 5.1"},
    {"DOOM-II", "Duke 3 for MSDOS", "Quake I", "Quake II", "Quake III Arena", "Half-Life"},
};

// What a program needs: processor, memory, hard disk, video card (at least),
// the operating system (at least, or exactly), and the refusal.
struct Needs {
  int16_t slot, model, cpu, ram, hdd, video, os;
  bool exactOs;
  const char* refusal;
};
const char* const kWeak = "Слабая машинка!!!!";
const Needs kNeeds[] = {
    {0, 1, 1, 1, 1, 1, 0, false, kWeak},
    {0, 2, 2, 1, 1, 1, 0, false, kWeak},
    {0, 3, 2, 2, 2, 1, 0, false, kWeak},
    {0, 4, 3, 2, 3, 1, 0, false, kWeak},
    {0, 5, 3, 2, 3, 1, 0, false, kWeak},
    {0, 6, 4, 3, 3, 2, 0, false, kWeak},
    {0, 7, 3, 2, 3, 1, 0, false, kWeak},
    {0, 8, 5, 3, 4, 3, 0, false, kWeak},
    {1, 1, 0, 0, 0, 0, 1, false, "Установи Windows 3.1!!!!"},
    {1, 2, 0, 0, 0, 0, 2, false, "Установи Windows 95!!!!"},
    {1, 3, 0, 0, 0, 0, 6, false, "Установи Windows 2000!!!!"},
    {1, 4, 0, 0, 0, 0, 6, false, "Установи Windows 2000!!!!"},
    {2, 1, 0, 0, 0, 0, 1, false, "Установи Windows 3.1!!!!"},
    {2, 2, 0, 0, 0, 0, 2, false, "Установи Windows 95!!!!"},
    {2, 3, 0, 0, 0, 0, 3, false, "Установи Windows 98!!!!"},
    {2, 4, 0, 0, 0, 0, 5, false, "Установи Windows NT4!!!!"},
    {2, 5, 0, 0, 0, 0, 8, true, "Установи UNIX!!!!"},
    {3, 1, 0, 0, 0, 0, 2, false, "Установи Windows 95!!!!"},
    {3, 2, 0, 0, 0, 2, 3, false, "Установи Windows 98 и nVidia Riva TNT!!!!"},
    {3, 3, 0, 0, 0, 4, 3, false, "Установи Windows 98 и nVidia Riva TNT2!!!!"},
    {3, 4, 0, 0, 0, 5, 3, false, "Установи Windows 98 и nVidia GeForce 256!!!!"},
    {4, 1, 0, 0, 0, 0, 2, false, "Установи Windows 95"},
    {4, 2, 0, 0, 0, 0, 2, false, "Установи Windows 95"},
    {4, 3, 0, 0, 0, 0, 3, false, "Установи Windows 98"},
    {4, 4, 0, 0, 0, 0, 3, false, "Установи Windows 98"},
    {4, 5, 0, 0, 0, 0, 4, false, "Установи Windows Millenium"},
    {5, 1, 0, 0, 0, 0, 1, false, "Установи Windows 3.1"},
    {5, 2, 0, 0, 0, 0, 1, false, "Установи Windows 3.1"},
    {5, 3, 0, 0, 0, 0, 2, false, "Установи Windows 95"},
    {5, 4, 0, 0, 0, 0, 3, false, "Установи Windows 98"},
    {5, 5, 0, 0, 0, 0, 3, false, "Установи Windows 98"},
    {5, 6, 0, 0, 0, 0, 3, false, "Установи Windows 98"},
};

}  // namespace

TEST(BuyHardware, EveryModelSellsAtItsPriceAndNotADollarShort) {
  Harness h;
  h.Start();
  for (int16_t slot = 0; slot < 9; ++slot) {
    EXPECT_EQ(GetHardwareSlotName(slot), kHardware[slot].name);
    for (size_t i = 0; i < kHardware[slot].models.size(); ++i) {
      const Model& m = kHardware[slot].models[i];
      const int16_t model = static_cast<int16_t>(i + 1);
      SCOPED_TRACE(m.name);
      h.game.SetMoney(m.price - 1);
      h.Lines();
      h.game.BuyHardware(slot, model, kTrue);
      EXPECT_EQ(h.Lines(),
                std::vector<std::string>{"MSGBOX information \"Я тоже много хочу!!!\" \"У вас недостаточно "
                                         "денег на покупку " +
                                         std::string(m.name) + " за $" + std::to_string(m.price) + "\" -> ok"});
      EXPECT_EQ(h.s().Hw[static_cast<size_t>(slot)], model - 1);
      EXPECT_EQ(h.s().Money, m.price - 1);

      h.game.SetMoney(m.price);
      h.game.BuyHardware(slot, model, kTrue);
      EXPECT_EQ(h.s().Money, 0);
      EXPECT_EQ(h.s().Hw[static_cast<size_t>(slot)], model);
      EXPECT_EQ(h.s().HwModels[static_cast<size_t>(slot)], model);
      EXPECT_EQ(h.game.MainForm().lblhard[static_cast<size_t>(slot)]->Text(), m.name);
      EXPECT_EQ(h.Label("lblMoney"), "$0");
      EXPECT_EQ(IsHardwareAtTop(slot, model), i + 1 == kHardware[slot].models.size());
    }
    EXPECT_EQ(GetHardwareName(slot, static_cast<int>(kHardware[slot].models.size()) + 1), "");
  }
  EXPECT_EQ(GetHardwareName(0, -1), "");
  EXPECT_EQ(GetHardwareEntry(9, 1), "");
  EXPECT_EQ(GetHardwareSlotName(9), "");
  // Emptying a slot costs nothing; only -1 pays; no entry, no change.
  h.game.BuyHardware(0, 0, kTrue);
  EXPECT_EQ(h.game.MainForm().lblhard[0]->Text(), "Нет вооще");
  h.game.BuyHardware(1, 3, 1);
  h.game.BuyHardware(1, 99, kTrue);
  EXPECT_EQ(h.s().Hw[1], 3);
  EXPECT_EQ(h.s().Money, 0);
  EXPECT_EQ(h.s().HwModels, h.s().Hw);
}

TEST(SoftwareCatalogue, NamesAndBounds) {
  for (int16_t slot = 0; slot < 6; ++slot) {
    const int top = static_cast<int>(kSoftware[slot].size());
    EXPECT_EQ(GetSoftwareName(slot, 0), "Нет вооще");
    EXPECT_EQ(GetSoftwareName(slot, top + 1), "") << slot;
    EXPECT_EQ(GetSoftwareName(slot, -1), "");
  }
  EXPECT_EQ(GetSoftwareName(6, 1), "");
}

TEST(InstallSoftware, EveryRequirementHoldsAtItsValueAndFailsOneBelow) {
  Harness h;
  h.Start();
  for (const Needs& n : kNeeds) {
    const std::string name = kSoftware[n.slot][static_cast<size_t>(n.model - 1)];
    SCOPED_TRACE(name);
    const int16_t need[5] = {n.cpu, n.ram, n.hdd, n.video, n.os};
    // -1 meets every need exactly; 0..4 leaves that one need a model short.
    for (int shortOf = -1; shortOf < 5; ++shortOf) {
      if (shortOf >= 0 && need[shortOf] == 0) continue;
      int16_t have[5];
      for (int k = 0; k < 5; ++k) have[k] = static_cast<int16_t>(need[k] - (k == shortOf ? 1 : 0));
      const int16_t hwSlot[4] = {0, 1, 3, 2};
      for (int k = 0; k < 4; ++k) h.game.BuyHardware(hwSlot[k], have[k], kFalse);
      h.s().Soft[0] = have[4];
      h.s().Soft[static_cast<size_t>(n.slot)] = 0;
      h.game.MainForm().SoftwareLabel(n.slot).SetText("before");
      h.Lines();
      const bool ok = h.game.InstallSoftware(n.slot, n.model);
      EXPECT_EQ(ok, shortOf < 0) << "short of need " << shortOf;
      if (ok) {
        EXPECT_EQ(h.s().Soft[static_cast<size_t>(n.slot)], n.model);
        EXPECT_EQ(h.game.MainForm().SoftwareLabel(n.slot).Text(), name);
        EXPECT_TRUE(h.Lines().empty());
      } else {
        EXPECT_EQ(h.s().Soft[static_cast<size_t>(n.slot)], 0);
        EXPECT_EQ(h.game.MainForm().SoftwareLabel(n.slot).Text(), "before");
        EXPECT_EQ(h.Lines(), std::vector<std::string>{"MSGBOX information \"Ну у Вас и запросы...\" \"" +
                                                      std::string(n.refusal) + "\" -> ok"});
      }
    }
    // Only Assembler PRO asks for one system exactly; the others take a better one.
    if (n.slot > 0) {
      h.s().Soft[0] = 8;
      h.s().Soft[static_cast<size_t>(n.slot)] = 0;
      h.game.BuyHardware(2, 7, kFalse);
      EXPECT_TRUE(h.game.InstallSoftware(n.slot, n.model));
      if (n.exactOs) {
        h.s().Soft[0] = 7;
        EXPECT_FALSE(h.game.InstallSoftware(n.slot, n.model));
      }
    }
  }
  // Uninstalling always works; outside the catalogue nothing happens at all.
  h.game.BuyHardware(0, 0, kFalse);
  EXPECT_TRUE(h.game.InstallSoftware(0, 0));
  h.Lines();
  EXPECT_FALSE(h.game.InstallSoftware(0, 9));
  EXPECT_FALSE(h.game.InstallSoftware(6, 1));
  EXPECT_TRUE(h.Lines().empty());
}

TEST(InstallSoftware, ProgramsStayWhenTheSystemGoes) {
  Harness h;
  h.Start();
  h.s().Soft[0] = 3;
  ASSERT_TRUE(h.game.InstallSoftware(5, 1));
  ASSERT_TRUE(h.game.InstallSoftware(0, 0));
  EXPECT_EQ(h.s().Soft[5], 1);
  EXPECT_EQ(h.game.MainForm().lblGames.Text(), "DOOM-II");
}

}  // namespace kalvitor::testing
