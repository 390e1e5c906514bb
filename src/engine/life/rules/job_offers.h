// The employment centre's twelve buttons, from yard keeper to the boss of a
// hacker firm: each the job it gives and its entry conditions. A job is
// granted at once when all of them hold (Life::ApplyForJob); otherwise the
// button's refusal says what to get.
#pragma once

#include <cstdint>
#include <span>

namespace kalvitor {

struct GameState;

// Every minimum is an at-least test on a model or rank number; 0 means the
// job does not ask for it.
struct JobOffer {
  const char* caption;
  int16_t job;  // JobIndex given by SetJob
  int16_t education;
  int16_t rank;
  int16_t os;           // SoftOs
  int16_t graphics;     // SoftGraphics
  int16_t scanner;      // HwScanner
  int16_t modem;        // HwModem
  const char* refusal;  // nullptr: always granted
};

// The twelve offers, in button order (cmdWork(0) .. cmdWork(11)).
std::span<const JobOffer> JobOffers();
bool Qualifies(const JobOffer& offer, const GameState& s);

}  // namespace kalvitor
