#include "windows/places.h"

#include <cstring>

#include "util/tr.h"
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
    {"frmWork", Make<FrmWork>, "cmdWork", KV_N("Работа"), KV_N("Работа: зарплата каждый день."), "mnuGameWork",
     KV_N("Центр занятости"), 5},
    {"frmShop", Make<FrmShop>, "cmdShop", KV_N("Магазин"), KV_N("Еда: сытость."), "mnuGameShop", KV_N("Магазин"), 4},
    {"frmFamily", Make<FrmFamily>, "cmdFamily", KV_N("Семья"), KV_N("Свадьба и развод."), "mnuGameFamily",
     KV_N("Семья"), 8},
    {"frmHospital", Make<FrmHospital>, "cmdHealth", KV_N("Больница"), KV_N("Лечение: здоровье."), "mnuGameHospital",
     KV_N("Больница"), 3},
    {"frmHappy", Make<FrmHappy>, "cmdHappy", KV_N("Отдых"), KV_N("Развлечения: настроение."), "mnuGameHappy",
     KV_N("Развлечения"), 2},
    {"frmSoft", Make<FrmSoft>, "cmdSoft", KV_N("Программы"),
     KV_N("Установка программ: бесплатно, если компьютер потянет."), "mnuGameSoft", KV_N("Установка ПО"), 1},
    {"frmHard", Make<FrmHard>, "cmdHard", KV_N("Железо"), KV_N("Покупка деталей компьютера."), "mnuGameHard",
     KV_N("Апгрейд компьютера"), 0},
    {"frmNetwork", Make<FrmNetwork>, "cmdInNet", KV_N("Сеть"),
     KV_N("Интернет и доска объявлений: нужны модем и браузер."), "mnuGameNet", KV_N("Выход в свет"), 7, true},
    {"frmBank", Make<FrmBank>, "cmdBank", KV_N("Банк"), KV_N("Вклад и ссуда."), "mnuGameBank", KV_N("Банк"), 9},
    {"frmEducation", Make<FrmEducation>, "cmdSchool", KV_N("Учеба"),
     KV_N("Школа (образование) и компьютерные курсы (статус)."), "mnuGameSchool", KV_N("Школа"), 6},
    // The flat is on the menu and never open.
    {nullptr, nullptr, nullptr, nullptr, nullptr, "mnuGameFlat", KV_N("Квартира"), 10},
};

}  // namespace

std::span<const Place> Places() { return kPlaces; }

const Place* FindPlace(const char* window) {
  for (const Place& p : kPlaces)
    if (p.window != nullptr && std::strcmp(p.window, window) == 0) return &p;
  return nullptr;
}

}  // namespace kalvitor
