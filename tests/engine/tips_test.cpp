// The tips over the places' buttons: what each action does and what it
// needs, with the prices, effects and requirements of the game's tables
// typed here from the rules.
#include <gtest/gtest.h>

#include "harness.h"
#include "windows/screens/frm_education.h"
#include "windows/screens/frm_hard.h"
#include "windows/screens/frm_soft.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::testing {
namespace {

std::string Tip(Form& form, const std::string& control, int index = -1) {
  Control* c = form.Find(control, index);
  return c == nullptr ? "(no control)" : c->props.tip;
}

}  // namespace

TEST(Tips, EffectsAndPricesOfThePlaces) {
  Harness h;
  h.Start();
  struct Row {
    const char* form;
    const char* control;
    const char* tip;
  };
  const Row rows[] = {
      {"frmShop", "Command1", "Сытость +10%. Цена $15."},
      {"frmShop", "Command2", "Сытость +20%, настроение -15%. Цена $45."},
      {"frmShop", "Command4", "Сытость +15%, настроение -20%. Цена $10."},
      {"frmHospital", "Command4", "Ничего не меняет. Цена $2."},
      {"frmHospital", "Command5", "Здоровье +75%, настроение -50%. Цена $250."},
      {"frmHospital", "Command7", "Здоровье +10%, настроение +10%. Цена $25."},
      {"frmHappy", "Command3", "Настроение +50%. Цена $75."},
  };
  for (const Row& r : rows) EXPECT_EQ(Tip(*h.game.FindForm(r.form), r.control), r.tip) << r.form << "." << r.control;

  Form& work = *h.game.FindForm("frmWork");
  EXPECT_EQ(Tip(work, "cmdWork", 0), "Зарплата $10 в день. Берут всех.");
  EXPECT_EQ(Tip(work, "cmdWork", 1), "Зарплата $15 в день.\nНужно: образование от 25%.");
  EXPECT_EQ(Tip(work, "cmdWork", 4),
            "Зарплата $95 в день.\nНужно: образование от 60%, статус GAMER или выше, ОС не ниже Microsoft Windows 98, "
            "графика не ниже Adobe Photoshop 6.0, сканер не хуже Mustek ScanExpress 600CP.");
  EXPECT_EQ(Tip(work, "cmdWork", 8),
            "Зарплата $175 в день.\nНужно: образование от 85%, статус ADMIN или выше, ОС не ниже Microsoft Windows "
            "2000, модем не хуже 56000 bps V90.");

  // The school's tips follow the buttons: to enrol, then to leave.
  h.game.MainForm().Click("cmdSchool", -1);
  FrmEducation& school = h.game.Window<FrmEducation>();
  EXPECT_EQ(school.schoolButton.props.tip, "Образование +1% в каждый чётный день месяца, до 100%. Плата $50 в месяц.");
  school.Click("Command2", -1);
  EXPECT_EQ(school.coursesButton.props.tip,
            "Бросить курсы: статус больше не растёт, платить $75 в месяц больше не надо.");
}

// Hardware: the price, the slot's model now, and what needs this model at
// least (an operating system, a graphics program, a job).
TEST(Tips, HardwareSaysItsPriceAndWhatNeedsIt) {
  Harness h;
  h.Start();
  h.game.BuyHardware(7, 1, kFalse);  // a scanner: the next one is a designer's
  h.game.BuyHardware(8, 4, kFalse);  // the top printer
  h.game.MainForm().Click("cmdHard", -1);
  FrmHard& hard = h.game.Window<FrmHard>();
  EXPECT_EQ(Tip(hard, "cmdUpggrade", 0),
            "486 DX2-66 MHz за $25.\nСейчас: Нет вооще.\nНужен для: Microsoft Windows 3.1.");
  EXPECT_EQ(Tip(hard, "cmdUpggrade", 1),
            "8 Mb за $10.\nСейчас: Нет вооще.\nНужен для: Microsoft Windows 3.1, Microsoft Windows 95.");
  EXPECT_EQ(Tip(hard, "cmdUpggrade", 4), "4x Speed за $8.\nСейчас: Нет вооще.");
  EXPECT_EQ(Tip(hard, "cmdUpggrade", 7),
            "Mustek ScanExpress 600CP за $60.\nСейчас: Agfa Home-4 Manual.\nНужен для: работы «Дизайнер».");
  EXPECT_EQ(Tip(hard, "cmdUpggrade", 8), "Лучше уже не бывает.");
  // After a purchase the tip speaks of the next model.
  hard.Click("cmdUpggrade", 2);
  EXPECT_EQ(Tip(hard, "cmdUpggrade", 2),
            "nVidia Riva 128 4 Mb за $15.\nСейчас: S3 Trio 1 Mb.\nНужен для: Microsoft Windows 2000, Adobe Photoshop "
            "6.0.");
}

// Software: free; each condition, and whether the computer has it now.
TEST(Tips, SoftwareSaysWhatItNeedsAndWhatIsThere) {
  Harness h;
  h.Start();
  h.game.BuyHardware(0, 1, kFalse);
  h.game.MainForm().Click("cmdSoft", -1);
  FrmSoft& soft = h.game.Window<FrmSoft>();
  EXPECT_EQ(Tip(soft, "cmdUpgrade", 0),
            "Microsoft Windows 3.1, бесплатно.\nНужно:\n· Процессор не хуже 486 DX2-66 MHz — есть\n· ОЗУ не хуже 8 "
            "Mb — нет\n· Винчестер не хуже 850 Mb IDE — нет\n· Видеокарта не хуже S3 Trio 1 Mb — нет");
  EXPECT_EQ(Tip(soft, "cmdUpgrade", 2),
            "Borland Pascal 7.0, бесплатно.\nНужно:\n· ОС не ниже Microsoft Windows 3.1 — нет");
  // One program wants one system and no other.
  h.s().Soft[2] = 4;
  h.s().Soft[0] = 7;
  soft.Hide();
  h.game.MainForm().Click("cmdSoft", -1);
  EXPECT_EQ(Tip(soft, "cmdUpgrade", 2), "Assembler PRO, бесплатно.\nНужно:\n· ОС только Unix Professional — нет");
  h.s().Soft[5] = 6;
  soft.Hide();
  h.game.MainForm().Click("cmdSoft", -1);
  EXPECT_EQ(Tip(soft, "cmdUpgrade", 5), "Лучше уже не бывает.");
}

}  // namespace kalvitor::testing
