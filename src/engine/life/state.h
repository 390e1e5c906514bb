// The state of the one current game, and the few values that outlive a game
// (the two sound switches, the save/load dialog's answer, the network
// screen's connections). Booleans are 16-bit: True is -1, False 0.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kalvitor {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;
inline int16_t Bool16(bool b) { return b ? kTrue : kFalse; }

constexpr int kHardwareSlots = 9;
constexpr int kSoftwareSlots = 6;

// The hardware slots, HwCpu .. HwPrinter, by index.
enum HardwareSlot : int {
  kHwCpu,
  kHwMemory,
  kHwVideo,
  kHwDisk,
  kHwCdRom,
  kHwModem,
  kHwSound,
  kHwScanner,
  kHwPrinter,
};

// The software slots, SoftOs .. SoftGames, by index.
enum SoftwareSlot : int {
  kSoftOs,
  kSoftAntivirus,
  kSoftProgramming,
  kSoftGraphics,
  kSoftBrowser,
  kSoftGames,
};

struct GameState {
  // Vitals and money.
  int32_t Money = 0;
  int16_t Mood = 0;
  int16_t Health = 0;
  int16_t Satiety = 0;

  // Clock and settings of the game.
  int32_t GameDate = 0;  // day serial; 0 is 30.12.1899
  int GameTime = 0;      // minutes after midnight
  int16_t TickMinutes = 0;
  int16_t WinMoney = 0;
  int16_t DifficultyCode = 0;
  int16_t CheatWin = kFalse;

  // Career, education and family.
  int16_t StatusRank = 0;
  int16_t Education = 0;
  int16_t AttendsCourses = kFalse;
  int16_t AttendsSchool = kFalse;
  int16_t JobIndex = 0;
  std::string JobTitle;
  int16_t Wage = 0;
  int16_t Married = kFalse;
  int16_t WasMarried = kFalse;
  int16_t Daughters = 0;
  int16_t Sons = 0;
  int16_t Alimony = 0;
  std::string PlayerName;

  // Bank.
  int32_t BankDeposit = 0;
  int32_t BankLoan = 0;

  // The computer: hardware slots HwCpu..HwPrinter, software slots
  // SoftOs..SoftGames, and HwModels(1..9) kept equal to the hardware slots.
  std::array<int16_t, kHardwareSlots> Hw{};
  std::array<int16_t, kSoftwareSlots> Soft{};
  std::array<int16_t, kHardwareSlots> HwModels{};
  int16_t DownloadedMb = 0;

  // The save/load dialog's answer.
  std::string SaveLoadFileName;
  int16_t SaveLoadCancelled = kFalse;

  // The network screen's connections; they live for the whole run.
  int16_t InternetConnected = kFalse;
  int16_t BbsConnected = kFalse;
  int16_t ConnectedHours = 0;

  // The two switches kept in the settings store.
  int16_t MusicOn = kFalse;
  int16_t SfxOn = kFalse;
};

}  // namespace kalvitor
