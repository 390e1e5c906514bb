#include "life/computer/hardware_catalogue.h"

#include <vector>

#include "util/tr.h"

namespace kalvitor {
namespace {

// A slot's name has the context "hardware": "Звук" is a sound card here and
// the sound menu on the main window.
struct Slot {
  const char* name;
  std::vector<const char*> entries;  // models 1..top
};

const Slot kSlots[] = {
    {KV_NC("hardware", "Процессор"),
     {"486 DX2-66 MHz|25", "Pentium 133 MHz|60", "Celeron 300A|90", "Pentium II 300 MHz MMX|125",
      "Pentium III 650 MHz SSE2|200", "Pentium III EB 850 MHz|250", "AMD Athlon 900 MHz|300", "AMD Athlon 1100 MHz|420",
      "Intel Pentium 4 1300 MHz|500", "Intel Pentium 4 1500 MHz|620"}},
    {KV_NC("hardware", "ОЗУ"),
     {"8 Mb|10", "16 Mb|25", "32 Mb|35", "64 Mb|50", "128 Mb|85", "256 Mb|200", "512 Mb DDR SDRAM|700"}},
    {KV_NC("hardware", "Видеокарта"),
     {"S3 Trio 1 Mb|8", "nVidia Riva 128 4 Mb|15", "nVidia Riva TNT 8 Mb|30", "nVidia Riva TNT2 Ultra 32 Mb|75",
      "nVidia GeForce 256 32 Mb|125", "nVidia GeForce 2 32 Mb|175", "3DFX Voodoo V 64 Mb 6 GPU|250"}},
    {KV_NC("hardware", "Винчестер"),
     {"850 Mb IDE|40", "1.3 Gb IDE|85", "4.8 Gb IDE|100", "10 Gb IDE|150", "32 Gb EIDE|200", "72 Gb UWSCSI/320|350",
      "80 Gb 15000 rpm FC 2GB/S|650"}},
    {"CD-ROM",
     {"4x Speed|8", "24x Speed|20", "40x Speed|50", "4x/4x/32x Speed CD-RW|170", "12x/40x Speed DVD|200",
      "4x/2x/8x Speed DVD-RW|850"}},
    {KV_NC("hardware", "Модем"),
     {"9600 bps|10", "14400 bps|16", "33600 bps|30", "56000 bps V90|50", "T128 baud ISDN Device|200",
      "DVB 2 Mb/s Satelette Device|600"}},
    {KV_NC("hardware", "Звук"),
     {"22 kHz 8 bit ESS|5", "44 kHz 16 bit ESS ES1688|10", "44 kHz 16 bit SB32|50", "48 kHz 16 bit 3D SB32PRO|75",
      "90 kHz 32 bit 3D Sound Studio Device|200", "90 kHz 32 bit 3D Hardware Mixer Device|250"}},
    {KV_NC("hardware", "Сканер"),
     {"Agfa Home-4 Manual|20", "Mustek ScanExpress 600CP|60", "Mustek ScanExpress 6000P USB|70",
      "Mustek Paragon Pro SCSI|150", "UMAX Astra 4000 SCSI|250", "ProfScan S450 A0 14000 dpi SCSI|14500"}},
    {KV_NC("hardware", "Принтер"), {"Epson LX400|50", "Xerox C6|100", "HP LaserJet 1400 dpi|400", "Lexmark T610|1000"}},
};

constexpr int kSlotCount = static_cast<int>(sizeof kSlots / sizeof kSlots[0]);

}  // namespace

int HardwareTopModel(int slot) {
  if (slot < 0 || slot >= kSlotCount) return -1;
  return static_cast<int>(kSlots[slot].entries.size());
}

std::string GetHardwareEntry(int slot, int model) {
  int top = HardwareTopModel(slot);
  if (top < 0 || model < 0 || model > top) return "";
  if (model == 0) return KV_N("Нет вооще") "|0";
  return kSlots[slot].entries[static_cast<size_t>(model - 1)];
}

std::string GetHardwareName(int slot, int model) {
  std::string entry = GetHardwareEntry(slot, model);
  size_t bar = entry.find('|');
  if (bar == std::string::npos) return "";
  return Tr(entry.substr(0, bar));
}

int16_t GetHardwarePrice(int slot, int model) {
  std::string entry = GetHardwareEntry(slot, model);
  size_t bar = entry.find('|');
  if (bar == std::string::npos) return 0;
  return static_cast<int16_t>(std::stoi(entry.substr(bar + 1)));
}

std::string GetHardwareSlotName(int slot) {
  if (slot < 0 || slot >= kSlotCount) return "";
  return TrC("hardware", kSlots[slot].name);
}

bool IsHardwareAtTop(int slot, int model) {
  if (model >= 32767) return true;
  return GetHardwareName(slot, model + 1).empty();
}

}  // namespace kalvitor
