// Standard MIDI file writer (format 1): a conductor track with tempo and
// metre, then one track per part. Events are kept with absolute ticks and
// turned into delta times when the file is written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace midi {

class Track {
 public:
  explicit Track(std::string name) : name_(std::move(name)) {}

  void tempo(std::uint32_t tick, double bpm);
  void timeSignature(std::uint32_t tick, int numerator, int denominatorPower);
  void program(std::uint32_t tick, int channel, int program);
  void controller(std::uint32_t tick, int channel, int number, int value);
  // A note from `tick` for `length` ticks; the note-off comes first when
  // another note starts at the very tick this one ends.
  void note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

  const std::string& name() const { return name_; }
  std::uint32_t endTick() const;
  // The track chunk's body: events with delta times, closed by end-of-track.
  std::vector<std::uint8_t> encode() const;

 private:
  struct Event {
    std::uint32_t tick;
    int order;  // meta 0, set-up 1, note-off 2, note-on 3
    std::uint32_t serial;
    std::vector<std::uint8_t> bytes;
  };
  void add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes);

  std::string name_;
  std::vector<Event> events_;
};

class Song {
 public:
  explicit Song(int ticksPerQuarter) : ppq_(ticksPerQuarter) {}
  int ticksPerQuarter() const { return ppq_; }
  Track& addTrack(const std::string& name);
  Track& track(std::size_t index) { return tracks_[index]; }
  std::size_t trackCount() const { return tracks_.size(); }
  std::vector<std::uint8_t> encode() const;
  bool write(const std::string& path) const;

 private:
  int ppq_;
  std::vector<Track> tracks_;
};

}  // namespace midi
