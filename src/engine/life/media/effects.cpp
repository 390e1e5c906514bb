#include "life/media/effects.h"

namespace kalvitor {
namespace {

const EffectInfo kEffects[] = {
    {"LOGOSOUND", 1800}, {"BUTTONS", 60}, {"WINDOWS", 900}, {"MESSAGES", 200},       {"MONTHUP", 1400},
    {"YEARUP", 2300},    {"MARRY", 1900}, {"BABY", 4400},   {"DIVORCE", 2900},       {"WORK", 1600},
    {"LOSE", 3600},      {"WIN", 5000},   {"DEAD", 900},    {"INCREASEMONEY", 1400}, {"DECREASEMONEY", 1500},
};

}  // namespace

const EffectInfo* Effects(size_t* count) {
  *count = sizeof kEffects / sizeof kEffects[0];
  return kEffects;
}

const EffectInfo* FindEffect(const std::string& upperName) {
  for (const EffectInfo& e : kEffects)
    if (upperName == e.name) return &e;
  return nullptr;
}

}  // namespace kalvitor
