// The places the player visits from the main window: the employment centre,
// the shop, the hospital, entertainment, education and the family screen.
#include <gtest/gtest.h>

#include "harness.h"
#include "windows/screens/counters.h"
#include "windows/screens/frm_about.h"
#include "windows/screens/frm_education.h"
#include "windows/screens/frm_family.h"
#include "windows/screens/frm_work.h"
#include "windows/shell/frm_main.h"
#include "windows/shell/frm_player_name.h"

namespace kalvitor::testing {
namespace {

// A started game with a place opened from the main window, its opening
// sounds already read.
struct Place {
  Harness h;
  Form* form = nullptr;
  explicit Place(const std::string& menuLabel) {
    h.Start();
    h.game.MainForm().Click(menuLabel, -1);
    form = h.game.ActiveModal();
    h.Lines();
  }
  void Click(const std::string& control, int index = -1) { form->Click(control, index); }
};

// ---------------------------------------------------------------- Work

// The job conditions as the employment centre posts them; a 0 is no test.
struct JobRow {
  const char* caption;
  int16_t job, education, rank, os, graphics, scanner, modem;
  const char* refusal;
};

const JobRow kJobs[] = {
    {"Дворник - $10", 1, 0, 0, 0, 0, 0, 0, nullptr},
    {"Сантехник -$15", 2, 25, 0, 0, 0, 0, 0, "Поумнейте до 25%"},
    {"Инженер - $20", 3, 35, 2, 1, 0, 0, 0, "Поумнейте до 35% и станьте Юзером с Windows 3.1"},
    {"Менеджер - $80", 4, 45, 2, 2, 0, 0, 0, "Поумнейте до 45% и станьте Юзером с Windows 95"},
    {"Дизайнер $95", 5, 60, 3, 3, 2, 2, 0,
     "Приобретите компьютер с Windows 98 и Adobe Photoshop 6 и сканером Mustek 600 CP, станьте Ламером и "
     "поумнейте до 60%"},
    {"Архитектор - $115", 6, 65, 4, 3, 2, 0, 0,
     "Приобретите компьютер с Windows 98 и Adobe Photoshop 6, станьте Ламером и поумнейте до 65%"},
    {"Бухгалтер - $125", 7, 70, 2, 3, 0, 0, 0, "Приобретите компьютер с Windows 98, станьте Юзером и поумнейте до 70%"},
    {"Программист - $150", 8, 85, 5, 5, 0, 0, 0,
     "Приобретите компьютер с Windows NT4, станьте Программером и поумнейте до 85%"},
    {"Сисадмин - $175", 9, 85, 6, 6, 0, 0, 4,
     "Приобретите компьютер с Windows 2000 с 56000 bps V.90 модемом, станьте Сисадмином и поумнейте до 85%"},
    {"Спец. по комп. безоп. $200", 10, 90, 6, 4, 0, 0, 0,
     "Приобретите компьютер с Windows Millenium, станьте Сисадмином и поумнейте до 90%"},
    {"Хакер - $540", 11, 98, 7, 7, 0, 0, 6,
     "Приобретите компьютер с Linux с DVB 2 Mb/s Satelette Device за $600, станьте Хакером и поумнейте до 98"},
    {"Босс hakc-фирмы - $750", 12, 100, 8, 8, 0, 0, 6,
     "Приобретите компьютер с Unix с DVB 2 Mb/s Satelette Device за $600, станьте Профи и поумнейте до 100"},
};

// The six quantities a job may ask for, as places in the game state.
std::vector<std::pair<const char*, int16_t*>> Needs(GameState& s) {
  return {{"Education", &s.Education},  {"StatusRank", &s.StatusRank}, {"SoftOs", &s.Soft[0]},
          {"SoftGraphics", &s.Soft[3]}, {"HwScanner", &s.Hw[7]},       {"HwModem", &s.Hw[5]}};
}

void MeetExactly(GameState& s, const JobRow& row) {
  const int16_t need[] = {row.education, row.rank, row.os, row.graphics, row.scanner, row.modem};
  auto places = Needs(s);
  for (size_t i = 0; i < places.size(); ++i) *places[i].second = need[i];
}

TEST(Work, EveryConditionGrantsAtItsThresholdAndRefusesOneBelow) {
  Place p("cmdWork");
  GameState& s = p.h.s();
  for (int i = 0; i < 12; ++i) {
    const JobRow& row = kJobs[i];
    SCOPED_TRACE(row.caption);
    EXPECT_EQ(p.form->Find("cmdWork", i)->Text(), row.caption);

    MeetExactly(s, row);
    p.h.game.SetJob(0);
    p.h.Lines();
    p.Click("cmdWork", i);
    EXPECT_EQ(s.JobIndex, row.job);
    EXPECT_EQ(p.h.Lines(), (std::vector<std::string>{"SFX BUTTONS", "SFX WORK"}));

    const int16_t need[] = {row.education, row.rank, row.os, row.graphics, row.scanner, row.modem};
    for (size_t k = 0; k < 6; ++k) {
      if (need[k] == 0) continue;
      SCOPED_TRACE(Needs(s)[k].first);
      MeetExactly(s, row);
      *Needs(s)[k].second = static_cast<int16_t>(need[k] - 1);
      p.h.game.SetJob(1);
      s.Wage = 13;  // a raise won by an event survives a refusal
      p.h.Lines();
      p.Click("cmdWork", i);
      EXPECT_EQ(s.JobIndex, 1);
      EXPECT_EQ(s.Wage, 13);
      EXPECT_EQ(s.JobTitle, "Дворник");
      EXPECT_EQ(p.h.Lines(), (std::vector<std::string>{"SFX BUTTONS", InfoBox("Нифига!", row.refusal)}));
    }
  }
}

TEST(Work, TestsAreAtLeastAndTheYardKeeperIsAlwaysTaken) {
  Place p("cmdWork");
  GameState& s = p.h.s();
  // The top of everything but a graphics program and a scanner.
  s.Education = 100;
  s.StatusRank = 8;
  s.Soft[0] = 8;
  s.Hw[5] = 6;
  for (int i : {2, 3, 6, 7, 8, 9, 10, 11}) {
    p.Click("cmdWork", i);
    EXPECT_EQ(s.JobIndex, kJobs[i].job) << i;
  }
  EXPECT_EQ(s.Wage, 750);
  for (int i : {4, 5}) {
    p.h.Lines();
    p.Click("cmdWork", i);
    EXPECT_EQ(s.JobIndex, 12);
    EXPECT_TRUE(p.h.Saw(InfoBox("Нифига!", kJobs[i].refusal))) << i;
  }
  // Windows 2000 is not Linux or Unix.
  s.Soft[0] = 6;
  p.Click("cmdWork", 9);
  EXPECT_EQ(s.JobIndex, 10);
  p.Click("cmdWork", 10);
  EXPECT_EQ(s.JobIndex, 10);
}

// ---------------------------------------------------------------- Shop

struct MealRow {
  const char* button;
  int32_t price;
  int16_t satiety, mood;
  bool clicksUnpaid;  // the happy meal clicks only once it is paid for
};
const MealRow kMeals[] = {
    {"Command1", 15, 10, 0, true},   {"Command2", 45, 20, -15, false}, {"Command3", 120, 50, 0, true},
    {"Command4", 10, 15, -20, true}, {"Command5", 60, 75, 0, true},
};
const char* const kChef = "Шеф-Повор: А ну убирайся отсюда!!!!!!";

TEST(Shop, SellsAtExactlyThePriceAndRefusesOneDollarLess) {
  Place p("cmdShop");
  GameState& s = p.h.s();
  for (const MealRow& m : kMeals) {
    SCOPED_TRACE(m.button);
    s.Satiety = 30;
    s.Mood = 50;
    s.Money = m.price;
    p.h.Lines();
    p.Click(m.button);
    EXPECT_EQ(p.h.Lines(), std::vector<std::string>{"SFX BUTTONS"});
    EXPECT_EQ(s.Money, 0);
    EXPECT_EQ(s.Satiety, 30 + m.satiety);
    EXPECT_EQ(s.Mood, 50 + m.mood);
    EXPECT_EQ(p.h.Label("lblMoney"), "$0");

    s.Money = m.price - 1;
    p.Click(m.button);
    EXPECT_EQ(s.Money, m.price - 1);
    EXPECT_EQ(s.Satiety, 30 + m.satiety);
    std::vector<std::string> refused = {"SFX BUTTONS", InfoBox("Идиот!", kChef)};
    if (!m.clicksUnpaid) refused.erase(refused.begin());
    EXPECT_EQ(p.h.Lines(), refused);
  }
}

TEST(Shop, ADeathWhileEatingClosesTheShopAndTheNewGameDoesNotPay) {
  Place p("cmdShop");
  p.h.s().Satiety = -45;  // starving, not yet checked
  p.h.QueuePlayer("Петя");
  p.Click("Command2");  // +20 gives -25: dead of hunger before paying
  EXPECT_TRUE(p.h.Saw(InfoBox("Желаю тебе быть большим и тольстым", "Вы умерли голодной смертью!")));
  EXPECT_TRUE(p.h.Saw("UNLOAD frmShop"));
  EXPECT_FALSE(p.form->Loaded());
  EXPECT_EQ(p.h.s().PlayerName, "Петя");
  EXPECT_EQ((std::vector<int>{p.h.s().Money, p.h.s().Mood, p.h.s().Satiety}), (std::vector<int>{450, 25, 75}));
}

// ---------------------------------------------------------------- Hospital

struct TreatmentRow {
  const char* button;
  int32_t price;
  int16_t health, mood;
};
const TreatmentRow kTreatments[] = {
    {"Command1", 250, 50, 0},   {"Command2", 100, 15, 0}, {"Command3", 20, 2, 0},   {"Command4", 2, 0, 0},
    {"Command5", 250, 75, -50}, {"Command6", 20, 10, 0},  {"Command7", 25, 10, 10},
};
const char* const kCarter = "Доктор Картер: Извините, но мы лечем только за деньги";
const char* const kClinic = "Центральная клиническая больница";

TEST(Hospital, TreatsAtExactlyThePriceAndNotForADollarLess) {
  Place p("cmdHealth");
  GameState& s = p.h.s();
  for (const TreatmentRow& t : kTreatments) {
    SCOPED_TRACE(t.button);
    s.Health = 20;
    s.Mood = 60;
    s.Money = t.price;
    p.Click(t.button);
    EXPECT_EQ(s.Money, 0);
    EXPECT_EQ(s.Health, 20 + t.health);
    EXPECT_EQ(s.Mood, 60 + t.mood);

    s.Money = t.price - 1;
    p.h.Lines();
    p.Click(t.button);
    EXPECT_EQ(s.Money, t.price - 1);
    EXPECT_EQ(s.Health, 20 + t.health);
    EXPECT_EQ(p.h.Lines(), (std::vector<std::string>{"SFX BUTTONS", InfoBox(kClinic, kCarter)}));
  }
}

TEST(Hospital, TheExaminationStillRunsTheDeathCheck) {
  Place p("cmdHealth");
  p.h.s().Health = -60;  // beyond death, not yet checked
  p.h.QueuePlayer("Петя");
  p.Click("Command4");
  EXPECT_TRUE(p.h.Saw("SFX LOSE"));
  EXPECT_TRUE(p.h.Saw("UNLOAD frmHospital"));
  EXPECT_EQ(p.h.s().Money, 450);  // the new game is not billed $2
}

TEST(Hospital, ADeliveryChecksHealthThenMoodBeforeBillingAndTheNurse) {
  Place p("cmdHealth");
  p.h.s().Money = 300;
  p.Click("Command5");
  EXPECT_EQ(p.h.Lines(),
            (std::vector<std::string>{"SFX BUTTONS",
                                      InfoBox("Медсестра", "Альфред Бурмистер: Поздравляю! У тебя -- Юниор!!!")}));
  EXPECT_EQ(p.h.s().Daughters + p.h.s().Sons, 0);
  // The mood's fall kills: no bill, no nurse.
  p.h.s().Mood = -60;
  p.h.s().Money = 300;
  p.h.QueuePlayer("Петя");
  p.Click("Command5");
  for (const std::string& l : p.h.Lines()) EXPECT_EQ(l.find("Медсестра"), std::string::npos);
  EXPECT_EQ(p.h.s().Money, 450);
  EXPECT_EQ(p.h.s().Mood, 25);
}
// ---------------------------------------------------------------- Entertainment

struct PastimeRow {
  const char* button;
  int32_t price;
  int16_t mood;
};
const PastimeRow kPastimes[] = {
    {"Command1", 25, 20}, {"Command2", 50, 25}, {"Command3", 75, 50}, {"Command4", 5, 5}, {"Command5", 15, 10},
};

TEST(Happy, SellsOnlyWhenMoneyIsMoreThanThePrice) {
  Place p("cmdHappy");
  GameState& s = p.h.s();
  for (const PastimeRow& r : kPastimes) {
    SCOPED_TRACE(r.button);
    s.Mood = 30;
    s.Money = r.price;
    p.h.Lines();
    p.Click(r.button);
    EXPECT_EQ(s.Money, r.price);
    EXPECT_EQ(s.Mood, 30);
    EXPECT_EQ(p.h.Lines(),
              (std::vector<std::string>{"SFX BUTTONS", InfoBox("Тонкий кошелёк", "Вам это не по карману")}));

    s.Money = r.price + 1;
    p.Click(r.button);
    EXPECT_EQ(s.Money, 1);
    EXPECT_EQ(s.Mood, 30 + r.mood);
    EXPECT_EQ(p.h.Label("lblHappy"), std::to_string(30 + r.mood) + "%");
  }
}

// ---------------------------------------------------------------- Education

TEST(Education, CaptionsFollowTheFlagsAndAFinishedSchoolStaysDisabledUntilANewGame) {
  Harness h;
  h.Start();
  h.s().AttendsCourses = kTrue;
  h.s().Money = 0;
  h.game.MainForm().Click("cmdSchool", -1);
  FrmEducation& e = h.game.Window<FrmEducation>();
  EXPECT_EQ(e.coursesButton.Text() + " / " + e.schoolButton.Text(), "Бросить эти курсы / Ходить в школу");
  e.Click("Command2", -1);
  EXPECT_EQ(h.s().AttendsCourses, kFalse);
  EXPECT_EQ(e.coursesButton.Text(), "Ходить на курсы");
  h.s().AttendsSchool = 1;  // anything but True counts as not attending
  e.Click("Command1", -1);  // free, with no money at all
  EXPECT_EQ(h.s().AttendsSchool, kTrue);
  EXPECT_EQ(e.schoolButton.Text(), "Бросить эту школу");
  EXPECT_EQ(h.s().Money, 0);
  e.Click("Command8", -1);
  h.s().Education = 100;
  h.game.DailyPass();
  EXPECT_EQ(h.s().AttendsSchool, kFalse);
  h.game.MainForm().Click("cmdSchool", -1);
  EXPECT_FALSE(e.schoolButton.Enabled());
  EXPECT_EQ(e.schoolButton.Text(), "Бросить эту школу");  // not loaded again meanwhile
  e.Click("Command8", -1);
  h.QueuePlayer("Петя");
  h.game.NewGame();
  h.game.MainForm().Click("cmdSchool", -1);
  EXPECT_TRUE(e.schoolButton.Enabled());
  EXPECT_EQ(e.schoolButton.Text(), "Ходить в школу");
}

// ---------------------------------------------------------------- Family

TEST(Family, MarryDivorceAndMarryAgainThroughTheScreen) {
  Place p("cmdFamily");
  GameState& s = p.h.s();
  s.Alimony = 30;
  p.Click("Command1");
  EXPECT_EQ(p.h.Lines()[0], "SFX BUTTONS");
  EXPECT_EQ(s.Money, 400);
  p.Click("Command1");  // already married: only the click
  EXPECT_EQ(p.h.Lines(), std::vector<std::string>{"SFX BUTTONS"});
  // The caption's $15 and 15% are not charged; no children, no alimony change.
  p.Click("Label2");
  EXPECT_EQ((std::vector<int>{s.Married, s.WasMarried, s.Money, s.Mood, s.Alimony}),
            (std::vector<int>{kFalse, kTrue, 400, 50, 30}));
  p.h.Lines();
  p.Click("Label2");  // not married: the click and the divorce sound only
  EXPECT_EQ(p.h.Lines(), (std::vector<std::string>{"SFX BUTTONS", "SFX DIVORCE"}));
}

// ---------------------------------------------------------------- Every place

TEST(Places, OpenOverTheirPictureAndLeaveByHidingOrUnloading) {
  const struct {
    const char* menuLabel;
    const char* form;
    const char* caption;
    const char* background;
    const char* leaving;  // what "Назад" does
  } screens[] = {
      {"cmdWork", "frmWork", "Работа", "WORK", "HIDE"},
      {"cmdShop", "frmShop", "Магазин", "SHOP", "HIDE"},
      {"cmdHealth", "frmHospital", "Госпиталь", "HOSP", "HIDE"},
      {"cmdHappy", "frmHappy", "Развлечения", "HAPPY", "HIDE"},
      {"cmdSchool", "frmEducation", "Повышение квалификации", "EDUC", "HIDE"},
      {"cmdFamily", "frmFamily", "", "FAMILY", "UNLOAD"},
      {"cmdSoft", "frmSoft", "Софт", "SOFT", "HIDE"},
      {"cmdHard", "frmHard", "Железо", "HARD", "UNLOAD"},
      {"cmdBank", "frmBank", "The Bank of New York", "BANK", "UNLOAD"},
  };
  Harness h;
  h.Start();
  for (const auto& sc : screens) {
    SCOPED_TRACE(sc.form);
    h.Lines();
    h.game.MainForm().Click(sc.menuLabel, -1);
    EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX WINDOWS", "SFX BUTTONS", std::string("SHOW ") + sc.form}));
    Form& f = *h.game.FindForm(sc.form);
    EXPECT_EQ(f.Caption(), sc.caption);
    EXPECT_EQ(f.Background(), sc.background);
    f.Click("Command8", -1);
    EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BUTTONS", std::string(sc.leaving) + " " + sc.form}));
    EXPECT_EQ(f.Loaded(), std::string(sc.leaving) == "HIDE");
  }
}
// ---------------------------------------------------------------- About box

TEST(About, PlaysTheLogoLinksStayOpenAndOkUnloads) {
  Harness h;
  h.Start();
  h.Lines();
  FrmMain& m = h.game.MainForm();
  m.FindItem(*m.FindMenu("Справка"), "О программе...")->action();
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BUTTONS", "SFX LOGOSOUND", "SHOW frmAbout"}));
  Form& about = h.game.Window<FrmAbout>();
  EXPECT_EQ(about.Caption(), "О Brindlex Kalvitor 1.6");
  EXPECT_EQ(about.Find("txtHeartText")->Text().find("Программирование"), 0u);

  about.Click("lblHyperlink", 0);
  about.Click("lblHyperlink", 1);
  about.Click("lblHyperlink", 2);
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BUTTONS", std::string("LINK \"") + kMakerWeb + "\"",
                                                 "SFX BUTTONS", std::string("LINK \"mailto:") + kMakerMail + "\"",
                                                 "SFX BUTTONS", std::string("LINK \"mailto:") + kMakerMail2 + "\""}));
  EXPECT_EQ(about.Find("lblHyperlink", 1)->Text(), kMakerMail);
  EXPECT_TRUE(about.Shown());

  about.Click("Command1", -1);
  EXPECT_EQ(h.Lines(), (std::vector<std::string>{"SFX BUTTONS", "UNLOAD frmAbout"}));

  // With the effects switched off the logo is silent.
  h.s().SfxOn = kFalse;
  m.FindItem(*m.FindMenu("Справка"), "О программе...")->action();
  EXPECT_TRUE(h.Saw("SFX LOGOSOUND muted"));
}

}  // namespace
}  // namespace kalvitor::testing
