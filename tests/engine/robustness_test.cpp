// No value the scripted driver can give makes the engine crash, wrap or
// misbehave under the sanitizers: every variable at its extremes, every
// routine with the extremes of its arguments, and the clock running on.
#include <gtest/gtest.h>

#include <sstream>

#include "driver.h"
#include "harness.h"
#include "screens/frm_virus.h"
#include "state_fields.h"

namespace kalvitor::testing {
namespace {

const char* const kWholeExtremes[] = {"-9223372036854775808", "-2147483649", "-32769", "-1", "0",
                                      "32768", "2147483648", "9223372036854775807"};

std::string Script() {
  std::ostringstream s;
  for (int i = 0; i < 400; ++i) s << "player 1 Игрок" << i << "\nvirus letgo\n";
  s << "start\n";
  for (const char* v : kWholeExtremes) {
    for (const StateField& f : StateFields()) {
      if (!f.settable) continue;
      if (f.type == FieldType::Int16 || f.type == FieldType::Int32 || f.type == FieldType::Bool)
        s << "set " << f.name << " " << v << "\n";
    }
    s << "set GameDate 31.12.9999\nset GameTime 23:59\n";
    for (const char* routine : {"SetMoney", "SetMood", "SetHealth", "SetSatiety", "SetJob", "SetStatus",
                                "SetEducation", "SetSpeed", "SetDifficulty", "SetDownloadedMb", "FamilyEvent",
                                "DailyEvents"})
      s << "call " << routine << " " << v << "\n";
    s << "call BuyHardware " << v << " " << v << " -1\n";
    s << "call InstallSoftware " << v << " " << v << "\n";
    s << "call BankOperation " << v << " " << v << "\n";
    s << "call BankOperation 0 " << v << "\ncall BankOperation 1 " << v << "\n";
    s << "call BankOperation 2 " << v << "\ncall BankOperation 3 " << v << "\n";
    s << "call HourlyPass\ncall DailyPass\ncall YearlyPass\n";
    s << "rnd 0.999 0.999 0.999 0.999\ntick 200\n";
  }
  s << "call ApplyCheatCode \"\\\\\\\"\\n\"\ndump state\n";
  return s.str();
}

}  // namespace

TEST(Robustness, ExtremeValuesThroughTheDriver) {
  Harness dir;  // only for a scratch program folder
  headless::Options options;
  options.dir = dir.dir.string();
  std::ostringstream out;
  headless::Driver driver(options, out);
  std::istringstream script(Script());
  EXPECT_EQ(driver.Run(script), 0) << out.str().substr(out.str().size() > 2000 ? out.str().size() - 2000 : 0);
  EXPECT_NE(out.str().find("STATE PlayerName"), std::string::npos);
}

TEST(VirusDialog, TheCloseBoxLetsTheVirusGo) {
  Harness h;
  h.Start();
  h.s().Money = 1000;
  FrmVirus& virus = h.game.VirusForm();
  virus.Load();
  h.Lines();
  virus.CloseBox();
  EXPECT_TRUE(h.Saw("MSGBOX exclamation \"Сообщение\" \"Вирус сожрал 50 баксов!\" -> ok"));
  EXPECT_EQ(h.s().Money, 950);
}

}  // namespace kalvitor::testing
