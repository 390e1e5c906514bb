// The employment centre's offers and the taking of a job.
#include "life/rules/job_offers.h"

#include "life/life.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

// The wages in the captions are the daily wages SetJob assigns to jobs 1..12.
// The designer's refusal speaks of LAMER while the test asks for GAMER (3):
// the test decides.
constexpr JobOffer kOffers[] = {
    {KV_N("Дворник - $10"), 1, 0, 0, 0, 0, 0, 0, nullptr},
    {KV_N("Сантехник -$15"), 2, 25, 0, 0, 0, 0, 0, KV_N("Поумнейте до 25%")},
    {KV_N("Инженер - $20"), 3, 35, 2, 1, 0, 0, 0, KV_N("Поумнейте до 35% и станьте Юзером с Windows 3.1")},
    {KV_N("Менеджер - $80"), 4, 45, 2, 2, 0, 0, 0, KV_N("Поумнейте до 45% и станьте Юзером с Windows 95")},
    {KV_N("Дизайнер $95"), 5, 60, 3, 3, 2, 2, 0,
     KV_N("Приобретите компьютер с Windows 98 и Adobe Photoshop 6 и сканером Mustek 600 CP, станьте Ламером и "
          "поумнейте до 60%")},
    {KV_N("Архитектор - $115"), 6, 65, 4, 3, 2, 0, 0,
     KV_N("Приобретите компьютер с Windows 98 и Adobe Photoshop 6, станьте Ламером и поумнейте до 65%")},
    {KV_N("Бухгалтер - $125"), 7, 70, 2, 3, 0, 0, 0,
     KV_N("Приобретите компьютер с Windows 98, станьте Юзером и поумнейте до 70%")},
    {KV_N("Программист - $150"), 8, 85, 5, 5, 0, 0, 0,
     KV_N("Приобретите компьютер с Windows NT4, станьте Программером и поумнейте до 85%")},
    {KV_N("Сисадмин - $175"), 9, 85, 6, 6, 0, 0, 4,
     KV_N("Приобретите компьютер с Windows 2000 с 56000 bps V.90 модемом, станьте Сисадмином и поумнейте до 85%")},
    {KV_N("Спец. по комп. безоп. $200"), 10, 90, 6, 4, 0, 0, 0,
     KV_N("Приобретите компьютер с Windows Millenium, станьте Сисадмином и поумнейте до 90%")},
    {KV_N("Хакер - $540"), 11, 98, 7, 7, 0, 0, 6,
     KV_N("Приобретите компьютер с Linux с DVB 2 Mb/s Satelette Device за $600, станьте Хакером и поумнейте до 98")},
    {KV_N("Босс hakc-фирмы - $750"), 12, 100, 8, 8, 0, 0, 6,
     KV_N("Приобретите компьютер с Unix с DVB 2 Mb/s Satelette Device за $600, станьте Профи и поумнейте до 100")},
};

bool AtLeast(int16_t have, int16_t need) { return need == 0 || have >= need; }

}  // namespace

std::span<const JobOffer> JobOffers() { return kOffers; }

bool Qualifies(const JobOffer& offer, const GameState& s) {
  return offer.refusal == nullptr ||
         (AtLeast(s.Education, offer.education) && AtLeast(s.StatusRank, offer.rank) &&
          AtLeast(s.Soft[kSoftOs], offer.os) && AtLeast(s.Soft[kSoftGraphics], offer.graphics) &&
          AtLeast(s.Hw[kHwScanner], offer.scanner) && AtLeast(s.Hw[kHwModem], offer.modem));
}

// Taking the job held already sets its own wage again: a raise is lost.
void Life::ApplyForJob(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kOffers))) return;
  const JobOffer& offer = kOffers[index];
  if (Qualifies(offer, s)) {
    SetJob(offer.job);
  } else {
    MsgBox(Tr(offer.refusal), Tr("Нифига!"), MsgIcon::Information);
  }
}

}  // namespace kalvitor
