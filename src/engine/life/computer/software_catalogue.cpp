#include "life/computer/software_catalogue.h"

#include <vector>

#include "life/state.h"
#include "util/tr.h"

namespace kalvitor {
namespace {

constexpr int kCpu = 0, kRam = 1, kVideo = 2, kHdd = 3;
constexpr int kOs = 0;

const std::vector<const char*> kNames[] = {
    {"Microsoft Windows 3.1", "Microsoft Windows 95", "Microsoft Windows 98", "Microsoft Windows Millenium",
     "Microsoft Windows NT4", "Microsoft Windows 2000", "Linux (Last Version)", "Unix Professional"},
    {"Doctor Web", "Antivirial Toolkit Pro", "Norton Anti-Virus 2001", "AVP 3.5 Gold for Servers"},
    {"Borland Pascal 7.0", "Microsoft Visual Basic", "Borland Delphi 5.0", "Microsoft Visual C++", "Assembler PRO"},
    {"Microsoft Paint", "Adobe Photoshop 6.0", "3D Studio MAX 4", "3D DesignStudio 2001"},
    {"Internet Explorer 3.0", "Internet Explorer 4.0", "Internet Explorer 5.0", "Netscape Navigator", "Opera 5.1"},
    {"DOOM-II", "Duke 3 for MSDOS", "Quake I", "Quake II", "Quake III Arena", "Half-Life"},
};

constexpr int kSlotCount = static_cast<int>(sizeof kNames / sizeof kNames[0]);

RequirementRow Machine(int cpu, int ram, int hdd, int video) {
  return RequirementRow{
      {{true, kCpu, cpu}, {true, kRam, ram}, {true, kHdd, hdd}, {true, kVideo, video}}, 4, KV_N("Слабая машинка!!!!")};
}

RequirementRow Os(int os, const char* refusal) { return RequirementRow{{{false, kOs, os}}, 1, refusal}; }

RequirementRow OsExact(int os, const char* refusal) { return RequirementRow{{{false, kOs, os, true}}, 1, refusal}; }

RequirementRow OsAndVideo(int os, int video, const char* refusal) {
  return RequirementRow{{{false, kOs, os}, {true, kVideo, video}}, 2, refusal};
}

const std::vector<RequirementRow> kRows[] = {
    // Operating systems need the machine.
    {Machine(1, 1, 1, 1), Machine(2, 1, 1, 1), Machine(2, 2, 2, 1), Machine(3, 2, 3, 1), Machine(3, 2, 3, 1),
     Machine(4, 3, 3, 2), Machine(3, 2, 3, 1), Machine(5, 3, 4, 3)},
    // Antivirus.
    {Os(1, KV_N("Установи Windows 3.1!!!!")), Os(2, KV_N("Установи Windows 95!!!!")),
     Os(6, KV_N("Установи Windows 2000!!!!")), Os(6, KV_N("Установи Windows 2000!!!!"))},
    // Programming.
    {Os(1, KV_N("Установи Windows 3.1!!!!")), Os(2, KV_N("Установи Windows 95!!!!")),
     Os(3, KV_N("Установи Windows 98!!!!")), Os(5, KV_N("Установи Windows NT4!!!!")),
     OsExact(8, KV_N("Установи UNIX!!!!"))},
    // Graphics.
    {Os(2, KV_N("Установи Windows 95!!!!")), OsAndVideo(3, 2, KV_N("Установи Windows 98 и nVidia Riva TNT!!!!")),
     OsAndVideo(3, 4, KV_N("Установи Windows 98 и nVidia Riva TNT2!!!!")),
     OsAndVideo(3, 5, KV_N("Установи Windows 98 и nVidia GeForce 256!!!!"))},
    // Internet.
    {Os(2, KV_N("Установи Windows 95")), Os(2, KV_N("Установи Windows 95")), Os(3, KV_N("Установи Windows 98")),
     Os(3, KV_N("Установи Windows 98")), Os(4, KV_N("Установи Windows Millenium"))},
    // Games.
    {Os(1, KV_N("Установи Windows 3.1")), Os(1, KV_N("Установи Windows 3.1")), Os(2, KV_N("Установи Windows 95")),
     Os(3, KV_N("Установи Windows 98")), Os(3, KV_N("Установи Windows 98")), Os(3, KV_N("Установи Windows 98"))},
};

}  // namespace

int SoftwareTopModel(int slot) {
  if (slot < 0 || slot >= kSlotCount) return -1;
  return static_cast<int>(kNames[slot].size());
}

std::string GetSoftwareName(int slot, int model) {
  int top = SoftwareTopModel(slot);
  if (top < 0 || model < 0 || model > top) return "";
  if (model == 0) return Tr("Нет вооще");
  return kNames[slot][static_cast<size_t>(model - 1)];
}

const RequirementRow* GetRequirementRow(int slot, int model) {
  int top = SoftwareTopModel(slot);
  if (top < 0 || model < 1 || model > top) return nullptr;
  return &kRows[slot][static_cast<size_t>(model - 1)];
}

bool Meets(const Requirement& c, const GameState& s) {
  const int16_t have = c.hardware ? s.Hw[static_cast<size_t>(c.slot)] : s.Soft[static_cast<size_t>(c.slot)];
  return c.exact ? have == c.model : have >= c.model;
}

const RequirementRow* UnmetRequirements(int slot, int model, const GameState& s) {
  const RequirementRow* row = GetRequirementRow(slot, model);
  for (int i = 0; row != nullptr && i < row->count; ++i)
    if (!Meets(row->conditions[i], s)) return row;
  return nullptr;
}

}  // namespace kalvitor
