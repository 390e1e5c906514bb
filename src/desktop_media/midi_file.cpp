#include "midi_file.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdint>

namespace kalvitor::media {
namespace {

constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;

uint32_t Be32(const QByteArray& b, qsizetype at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3]));
}

uint32_t Le32(const QByteArray& b, qsizetype at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

// A channel message that decides instruments: note on, controller (bank
// select), program change. Ordered by time, then by track, then by place.
struct Event {
  uint64_t tick;
  int order;
  uint8_t status;
  uint8_t data1;
  uint8_t data2;
};

// Reads a variable-length number; false past the end or beyond 4 bytes.
bool ReadVarLen(const QByteArray& b, qsizetype& at, qsizetype end, uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= end) return false;
    const auto byte = static_cast<uint8_t>(b[at++]);
    value = value << 7 | (byte & 0x7F);
    if ((byte & 0x80) == 0) return true;
  }
  return false;
}

// The instrument-deciding events of one track. A track that breaks off
// midway gives what came before the break.
void ReadTrack(const QByteArray& b, qsizetype at, qsizetype end, std::vector<Event>& events) {
  uint64_t tick = 0;
  uint8_t running = 0;
  while (at < end) {
    uint32_t delta = 0;
    if (!ReadVarLen(b, at, end, delta) || at >= end) return;
    tick += delta;
    auto status = static_cast<uint8_t>(b[at]);
    if (status == 0xFF || status == 0xF0 || status == 0xF7) {  // meta event, system exclusive
      at += status == 0xFF ? 2 : 1;
      uint32_t length = 0;
      if (at > end || !ReadVarLen(b, at, end, length) || length > static_cast<uint64_t>(end - at)) return;
      at += static_cast<qsizetype>(length);
      if (status != 0xFF) running = 0;
      continue;
    }
    if (status >= 0xF0) return;  // no other system message belongs in a file
    if (status & 0x80) {
      ++at;
      running = status;
    } else if (running == 0) {
      return;  // data without a status
    }
    status = running;
    const int kind = status >> 4;
    const qsizetype size = kind == 0xC || kind == 0xD ? 1 : 2;
    if (end - at < size) return;
    const auto data1 = static_cast<uint8_t>(b[at]);
    const auto data2 = size == 2 ? static_cast<uint8_t>(b[at + 1]) : uint8_t{0};
    at += size;
    if (kind == 0x9 || kind == 0xB || kind == 0xC)
      events.push_back({tick, static_cast<int>(events.size()), status, data1, data2});
  }
}

std::optional<MidiSong> ReadStandardFile(const QByteArray& b) {
  if (b.size() < 14 || !b.startsWith("MThd") || Be32(b, 4) < 6) return std::nullopt;
  std::vector<Event> events;
  int tracks = 0;
  qsizetype at = 8 + static_cast<qsizetype>(Be32(b, 4));
  while (at + 8 <= b.size()) {
    const uint32_t size = Be32(b, at + 4);
    if (at + 8 + static_cast<qsizetype>(size) > b.size()) break;
    if (b.mid(at, 4) == "MTrk" && size > 0) {
      ++tracks;
      ReadTrack(b, at + 8, at + 8 + static_cast<qsizetype>(size), events);
    }
    at += 8 + static_cast<qsizetype>(size);
  }
  if (tracks == 0) return std::nullopt;

  // The tracks play side by side: follow each channel's bank and program
  // through time, noting the instrument of every note.
  std::stable_sort(events.begin(), events.end(), [](const Event& x, const Event& y) { return x.tick < y.tick; });
  MidiSong song;
  song.smf = b;
  MidiPreset current[16];
  int bankSelect[16] = {};
  current[kDrumChannel].bank = kDrumBank;
  for (const Event& e : events) {
    const int channel = e.status & 0x0F;
    switch (e.status >> 4) {
      case 0xB:
        if (e.data1 == 0) bankSelect[channel] = e.data2;
        break;
      case 0xC:
        current[channel] = {channel == kDrumChannel ? kDrumBank : bankSelect[channel], e.data1};
        break;
      case 0x9:
        if (e.data2 == 0) break;  // a note on at velocity 0 ends a note
        if (!song.firstPreset[channel]) song.firstPreset[channel] = current[channel];
        if (std::find(song.presets.begin(), song.presets.end(), current[channel]) == song.presets.end())
          song.presets.push_back(current[channel]);
        song.notes.push_back({current[channel], e.data1, e.data2});
        break;
    }
  }
  std::sort(song.presets.begin(), song.presets.end());
  std::sort(song.notes.begin(), song.notes.end());
  song.notes.erase(std::unique(song.notes.begin(), song.notes.end()), song.notes.end());
  return song;
}

}  // namespace

bool LooksLikeMidi(const QString& fileName, const QByteArray& head) {
  const bool riffMidi = head.size() >= 12 && head.startsWith("RIFF") && head.mid(8, 4) == "RMID";
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  return head.startsWith("MThd") || riffMidi || suffix == QStringLiteral("mid") || suffix == QStringLiteral("midi") ||
         suffix == QStringLiteral("rmi") || suffix == QStringLiteral("kar");
}

std::optional<MidiSong> ReadMidiSong(const QByteArray& bytes) {
  if (!(bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "RMID")) return ReadStandardFile(bytes);
  // A RIFF MIDI file carries the standard file in its "data" chunk.
  qsizetype at = 12;
  while (at + 8 <= bytes.size()) {
    const uint32_t size = Le32(bytes, at + 4);
    if (bytes.mid(at, 4) == "data") return ReadStandardFile(bytes.mid(at + 8, size));
    at += 8 + static_cast<qsizetype>(size) + (size & 1);
  }
  return std::nullopt;
}

}  // namespace kalvitor::media
