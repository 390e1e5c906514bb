// Every day's family draw, random event and wear; at a month change also the
// monthly accounts.
#include "computer/hardware_catalogue.h"
#include "game.h"
#include "screens/frm_education.h"
#include "shell/frm_main.h"
#include "util/int_math.h"
#include "util/text.h"

namespace kalvitor {
namespace {

// Columns by difficulty: hard, normal, easy.
struct ByLevel {
  int hard, normal, easy;
  int Pick(int16_t code) const { return code == 0 ? hard : code == 1 ? normal : easy; }
};

const ByLevel kWearMood{-5, -2, -1};
const ByLevel kWearSatiety{-10, -5, -2};
const ByLevel kWearHealth{-5, -2, -1};

}  // namespace

void Game::DailyEvents(bool newMonth) {
  const uint64_t serial = gameSerial_;
  auto over = [&] { return gameSerial_ != serial; };
  const int16_t level = s.DifficultyCode;
  auto mood = [&](int d) { SetMood(Sat16(int64_t{s.Mood} + d)); };
  auto health = [&](int d) { SetHealth(Sat16(int64_t{s.Health} + d)); };
  auto satiety = [&](int d) { SetSatiety(Sat16(int64_t{s.Satiety} + d)); };
  auto money = [&](int64_t d, MoneyCause cause = MoneyCause::Event) { SetMoney(Sat32(int64_t{s.Money} + d), cause); };

  ReseedFromTimer();
  const int f = rnd.DrawInt(75);
  ReseedFromTimer();
  ReseedFromTimer();
  const int e = rnd.DrawInt(32);

  if (f != 8) FamilyEvent(static_cast<int16_t>(f));
  if (over()) return;

  const bool employed = s.Wage > 0;
  const bool married = s.Married == kTrue;
  bool skipWear = false;

  // Each event: its message first, then its effects in the order written;
  // any of them may end the game, and then the rest is dropped.
  switch (e) {
    case 2:
      if (!employed) {
        skipWear = true;
        break;
      }
      ShowMessage("Сообщение от Вашего босса: Уважаемый " + s.PlayerName + "! Вы уволены!!!");
      SetJob(0);
      health(ByLevel{-30, -15, -5}.Pick(level));
      if (over()) return;
      satiety(ByLevel{-60, -20, -10}.Pick(level));
      break;
    case 4: {
      const int64_t m = s.Money;
      int64_t stolen = 0, left = 0;
      if (level == 0) {
        stolen = DivRoundHalfEven(m, 4);
        left = DivRoundHalfEven(3 * m, 4);
      } else if (level == 1) {
        const int64_t a = m < 0 ? -m : m;  // a tenth of the amount's size
        stolen = DivRoundHalfEven(a, 10);
        left = DivRoundHalfEven(10 * m - a, 10);
      } else {
        stolen = DivRoundHalfEven(m, 50);
        left = DivRoundHalfEven(49 * m, 50);
      }
      ShowMessage(
          "Сообщение от Майора Милиции Петрова А.Н.: Мне очень жаль, но к вам пробрались грабители и "
          "стащили " +
          std::to_string(stolen) + " долларов.");
      SetMoney(Sat32(left), MoneyCause::Event);
      mood(ByLevel{-50, -20, -10}.Pick(level));
      if (over()) return;
      health(ByLevel{-30, -15, -5}.Pick(level));
      if (over()) return;
      satiety(ByLevel{-40, -20, -10}.Pick(level));
      break;
    }
    case 6:
      ShowMessage("Сообщение от хирурга Жукина В.М.: Кто-то напал на Вас и сломал ребро!");
      mood(ByLevel{-60, -45, -25}.Pick(level));
      if (over()) return;
      health(ByLevel{-40, -30, -15}.Pick(level));
      if (over()) return;
      satiety(ByLevel{-5, 2, 10}.Pick(level));
      break;
    case 8:
      if (married && (s.Daughters > 0 || s.Sons > 0)) {
        const int k = rnd.DrawInt(8);
        ShowMessage(
            "Сообщение от твоего ребенка: Папа я тут на твой компьютер... ну... молоко парное... туда... "
            "того... И чё-то искры посыпались с " +
            LowerCase(GetHardwareSlotName(k)));
        BuyHardware(static_cast<int16_t>(k), 0, kFalse);
      }
      break;
    case 10:
      if (married) {
        ShowMessage(
            "Сообщение от твоей жены: Ах ты дрянь! Ты где деньги деваешь? А? Какой такой пентиум! Какой "
            "такой джифорс! Ты чё??? Совсем уже...");
        mood(-10);
      }
      break;
    case 12:
      ShowMessage(
          "Сообщение от соседки: Ах ты пьянь, ах ты падла... Ты посмотри что ты на полу наделал! С тебя 50 "
          "долларов");
      money(-50);
      break;
    case 14:
      if (married) {
        ShowMessage(
            "Сообщение от Майора Милиции Петрова А.Н.: Слушай ты чё? Совсем офигел? Ты же вчера чуть жену не "
            "утопил в унитазе? Чё? Какое такое Интел! Какой такое ISDN??? Чего? RAID-контроллер купить "
            "хочешь? А она деньги забрала? Ясно. Ну штраф заплати 150 долларов!");
        money(-150);
      }
      break;
    case 16:
      if (married) {
        ShowMessage(
            "Сообщение от хирурга Жукина В.М.: Мдаа мужик! Не изменяй больше жене никогда! Мы тебе 70 "
            "кубиков адреналина ввели чтобы завести тебя! Что? Где рука? У жены спроси! За операцию 350 "
            "долларов!");
        money(-350);
      }
      break;
    case 18:
      if (employed) {
        ShowMessage("Вы понравились боссу. Ваша зарплата повышена на 25%!");
        s.Wage = Sat16(DivRoundHalfEven(int64_t{s.Wage} * 5, 4));
        Main().lblCurrWork.SetText("Работа: " + s.JobTitle + " ($" + std::to_string(s.Wage) + "/день)");
      }
      break;
    case 20: {
      const int k = rnd.DrawInt(8);
      const int16_t m = s.HwModels[static_cast<size_t>(k)];
      if (!IsHardwareAtTop(k, m)) {
        ShowMessage("Поздравляем! Грег Маккен вам подарил новый " + LowerCase(GetHardwareSlotName(k)) + " " +
                    GetHardwareName(k, m + 1));
        BuyHardware(static_cast<int16_t>(k), static_cast<int16_t>(m + 1), kFalse);
      }
      break;
    }
    case 22:
      ShowMessage("Поздравляем! Вы сегодня приглашены на день рождения к своему другу!");
      mood(50);
      money(-50);
      satiety(100);
      break;
    case 24:
      ShowMessage("Бабушка вам подарила 150 долларов! Скажите ей спасибо!");
      money(150);
      break;
    case 26:
      ShowMessage("Вас сбила машина!");
      health(-50);
      break;
    case 28:
      ShowMessage("Вы нашли на дороге 100 долларов! 25% ваших!");
      money(25);
      mood(50);
      break;
    case 30:
      if (employed) {
        ShowMessage("Поздравляем! Вы ударили по морде босса! Вы уволены!");
        SetJob(0);
      }
      break;
    case 32:
      ShowMessage("Вы познакомились с интересной девушкой!");
      mood(75);
      if (over()) return;
      health(-10);
      break;
    default:
      break;
  }
  if (over()) return;

  if (!skipWear) {
    mood(kWearMood.Pick(level));
    if (over()) return;
    satiety(kWearSatiety.Pick(level));
    if (over()) return;
    health(kWearHealth.Pick(level));
    if (over()) return;
  }

  if (!newMonth) return;

  // The monthly accounts.
  PlaySfx("MONTHUP");
  if (s.Alimony > 0) money(-s.Alimony, MoneyCause::MonthlyAccounts);
  s.BankDeposit = Sat32(int64_t{s.BankDeposit} + DivRoundHalfEven(int64_t{s.BankDeposit} * 15, 100));
  s.BankLoan = Sat32(int64_t{s.BankLoan} + DivRoundHalfEven(int64_t{s.BankLoan} * 10, 100));
  if (s.AttendsCourses == kTrue && s.StatusRank < 8) {
    money(-75, MoneyCause::School);
    SetStatus(Sat16(int64_t{s.StatusRank} + 1));
    if (s.StatusRank == 8) {
      MsgBox("Вы прошли компьютерные курсы!", "Доцент", MsgIcon::Information);
      s.AttendsCourses = kFalse;
      FrmEducation& school = EducationForm();
      school.Load();
      school.Command2.SetEnabled(false);
    } else {
      MsgBox("Поздравляем. Теперь Вы -- " + StatusName(s.StatusRank), "Доцент", MsgIcon::Information);
    }
  }
  if (s.AttendsSchool == kTrue && s.Education < 100) money(-50, MoneyCause::School);
}

}  // namespace kalvitor
