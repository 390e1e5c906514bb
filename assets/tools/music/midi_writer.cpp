#include "midi_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace midi {

namespace {

void putVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

void putBig(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
}

std::uint8_t clamp7(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 127)); }

}  // namespace

void Track::add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes) {
  events_.push_back({tick, order, static_cast<std::uint32_t>(events_.size()), std::move(bytes)});
}

void Track::tempo(std::uint32_t tick, double bpm) {
  const auto micros = static_cast<std::uint32_t>(std::lround(60'000'000.0 / bpm));
  add(tick, 0,
      {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>((micros >> 8) & 0xFF),
       static_cast<std::uint8_t>(micros & 0xFF)});
}

void Track::timeSignature(std::uint32_t tick, int numerator, int denominatorPower) {
  add(tick, 0, {0xFF, 0x58, 0x04, clamp7(numerator), clamp7(denominatorPower), 24, 8});
}

void Track::program(std::uint32_t tick, int channel, int program) {
  add(tick, 1, {static_cast<std::uint8_t>(0xC0 | (channel & 0x0F)), clamp7(program)});
}

void Track::controller(std::uint32_t tick, int channel, int number, int value) {
  add(tick, 1, {static_cast<std::uint8_t>(0xB0 | (channel & 0x0F)), clamp7(number), clamp7(value)});
}

void Track::note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
  if (length == 0) return;
  const auto ch = static_cast<std::uint8_t>(channel & 0x0F);
  add(tick, 3, {static_cast<std::uint8_t>(0x90 | ch), clamp7(key), clamp7(std::max(velocity, 1))});
  add(tick + length, 2, {static_cast<std::uint8_t>(0x80 | ch), clamp7(key), 64});
}

std::uint32_t Track::endTick() const {
  std::uint32_t end = 0;
  for (const Event& e : events_) end = std::max(end, e.tick);
  return end;
}

std::vector<std::uint8_t> Track::encode() const {
  std::vector<Event> sorted = events_;
  std::sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
    if (a.tick != b.tick) return a.tick < b.tick;
    if (a.order != b.order) return a.order < b.order;
    return a.serial < b.serial;
  });
  std::vector<std::uint8_t> out;
  // Track name first.
  out.push_back(0x00);
  out.push_back(0xFF);
  out.push_back(0x03);
  putVarLen(out, static_cast<std::uint32_t>(name_.size()));
  out.insert(out.end(), name_.begin(), name_.end());
  std::uint32_t last = 0;
  for (const Event& e : sorted) {
    putVarLen(out, e.tick - last);
    last = e.tick;
    out.insert(out.end(), e.bytes.begin(), e.bytes.end());
  }
  out.insert(out.end(), {0x00, 0xFF, 0x2F, 0x00});
  return out;
}

Track& Song::addTrack(const std::string& name) {
  tracks_.emplace_back(name);
  return tracks_.back();
}

std::vector<std::uint8_t> Song::encode() const {
  std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd'};
  putBig(out, 6, 4);
  putBig(out, 1, 2);  // format 1: parallel tracks
  putBig(out, static_cast<std::uint32_t>(tracks_.size()), 2);
  putBig(out, static_cast<std::uint32_t>(ppq_), 2);
  for (const Track& t : tracks_) {
    const std::vector<std::uint8_t> body = t.encode();
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    putBig(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
  }
  return out;
}

bool Song::write(const std::string& path) const {
  const std::vector<std::uint8_t> bytes = encode();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace midi
