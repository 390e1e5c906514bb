#include "windows/places.h"

#include <cstring>

#include "windows/network/frm_network.h"
#include "windows/screens/counters.h"
#include "windows/screens/frm_bank.h"
#include "windows/screens/frm_education.h"
#include "windows/screens/frm_family.h"
#include "windows/screens/frm_hard.h"
#include "windows/screens/frm_soft.h"
#include "windows/screens/frm_work.h"

namespace kalvitor {
namespace {

template <class F>
std::unique_ptr<Form> Make(Game& game) {
  return std::make_unique<F>(game);
}

const Place kPlaces[] = {
    {"frmWork", Make<FrmWork>, "cmdWork", "Работа", "Работа: зарплата каждый день.", "mnuGameWork", "Центр занятости",
     5},
    {"frmShop", Make<FrmShop>, "cmdShop", "Магазин", "Еда: сытость.", "mnuGameShop", "Магазин", 4},
    {"frmFamily", Make<FrmFamily>, "cmdFamily", "Семья", "Свадьба и развод.", "mnuGameFamily", "Семья", 8},
    {"frmHospital", Make<FrmHospital>, "cmdHealth", "Больница", "Лечение: здоровье.", "mnuGameHospital", "Больница", 3},
    {"frmHappy", Make<FrmHappy>, "cmdHappy", "Отдых", "Развлечения: настроение.", "mnuGameHappy", "Развлечения", 2},
    {"frmSoft", Make<FrmSoft>, "cmdSoft", "Программы", "Установка программ: бесплатно, если компьютер потянет.",
     "mnuGameSoft", "Установка ПО", 1},
    {"frmHard", Make<FrmHard>, "cmdHard", "Железо", "Покупка деталей компьютера.", "mnuGameHard", "Апгрейд компьютера",
     0},
    {"frmNetwork", Make<FrmNetwork>, "cmdInNet", "Сеть", "Интернет и доска объявлений: нужны модем и браузер.",
     "mnuGameNet", "Выход в свет", 7, true},
    {"frmBank", Make<FrmBank>, "cmdBank", "Банк", "Вклад и ссуда.", "mnuGameBank", "Банк", 9},
    {"frmEducation", Make<FrmEducation>, "cmdSchool", "Учеба", "Школа (образование) и компьютерные курсы (статус).",
     "mnuGameSchool", "Школа", 6},
    // The flat is on the menu and never open.
    {nullptr, nullptr, nullptr, nullptr, nullptr, "mnuGameFlat", "Квартира", 10},
};

}  // namespace

std::span<const Place> Places() { return kPlaces; }

const Place* FindPlace(const char* window) {
  for (const Place& p : kPlaces)
    if (p.window != nullptr && std::strcmp(p.window, window) == 0) return &p;
  return nullptr;
}

}  // namespace kalvitor
