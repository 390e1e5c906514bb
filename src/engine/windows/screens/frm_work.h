// frmWork, the employment centre: twelve jobs from yard keeper to the boss of
// a hacker firm. A job is granted at once when all its entry conditions hold
// (education, status rank, operating system, and for some a graphics program,
// a scanner or a modem); otherwise the button's refusal text says what to get.
#pragma once

#include <cstdint>
#include <span>

#include "windows/forms/form.h"

namespace kalvitor {

// One button of the employment centre. Every minimum is an at-least test on
// a model or rank number; 0 means the job does not ask for it.
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

class FrmWork : public Form {
 public:
  explicit FrmWork(Game& game);

  void cmdWork_Click(int index);
  void Command8_Click();

 protected:
  void FormLoad() override;

 private:
  bool Qualifies(const JobOffer& offer) const;
};

}  // namespace kalvitor
