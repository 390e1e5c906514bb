#include "tunes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <stdexcept>

#include "score.h"

namespace tunes {

namespace {

constexpr int kPpq = 480;
constexpr int kDrums = 9;  // channel 10 of General MIDI

// General MIDI programs (numbered from 0) and drum keys we use.
enum Program {
  kPiano = 0,
  kElectricPiano = 4,
  kVibraphone = 11,
  kAccordion = 21,
  kAcousticBass = 32,
  kFingerBass = 33,
  kSynthBass = 38,
  kViolin = 40,
  kStrings = 49,
  kAltoSax = 65,
  kFlute = 73,
  kSquareLead = 80,
  kSawLead = 81,
  kWarmPad = 89,
};
enum DrumKey {
  kKick = 36,
  kSoftKick = 35,
  kSideStick = 37,
  kSnare = 38,
  kClosedHat = 42,
  kPedalHat = 44,
  kOpenHat = 46,
  kCrash = 49,
  kRide = 51,
};

// Small fixed-seed generator, used only to breathe a little life into velocities.
class Humanizer {
 public:
  explicit Humanizer(std::uint32_t seed) : state_(seed) {}
  int vary(int velocity, int spread) {
    state_ = state_ * 1664525u + 1013904223u;
    const int r = static_cast<int>((state_ >> 16) % static_cast<std::uint32_t>(2 * spread + 1)) - spread;
    return std::clamp(velocity + r, 1, 127);
  }

 private:
  std::uint32_t state_;
};

// Places notes given in steps; with swing on, off-beat eighths come late,
// two thirds into the beat, as a jazz band plays them.
class Sequencer {
 public:
  Sequencer(midi::Song& song, int stepTicks, bool swing, std::uint32_t seed)
      : song_(song), stepTicks_(stepTicks), swing_(swing), human_(seed) {}

  std::uint32_t tickAt(double step) const {
    const double t = step * stepTicks_;
    if (!swing_) return static_cast<std::uint32_t>(std::lround(t));
    const double beat = std::floor(t / kPpq);
    const double f = t / kPpq - beat;
    const double g = f <= 0.5 ? f * 4.0 / 3.0 : 2.0 / 3.0 + (f - 0.5) * 2.0 / 3.0;
    return static_cast<std::uint32_t>(std::lround((beat + g) * kPpq));
  }

  void note(std::size_t track, int channel, double step, double length, int key, int velocity, double gate = 0.92,
            int spread = 6) {
    const std::uint32_t a = tickAt(step);
    const std::uint32_t b = tickAt(step + length);
    const auto len = static_cast<std::uint32_t>(std::max(1.0, std::floor((b - a) * gate)));
    song_.track(track).note(a, len, channel, key, human_.vary(velocity, spread));
  }

  void phrase(std::size_t track, int channel, const std::vector<score::Note>& notes, int offset, int transpose,
              int velocity, double gate) {
    for (const score::Note& n : notes) {
      for (int key : n.keys) {
        // Notes on the beat sound a touch stronger than those between.
        const bool onBeat = (n.start % 2) == 0;
        note(track, channel, offset + n.start, n.length, key + transpose, velocity + (onBeat ? 6 : -4), gate);
      }
    }
  }

 private:
  midi::Song& song_;
  int stepTicks_;
  bool swing_;
  Humanizer human_;
};

std::size_t addPart(midi::Song& song, const char* name, int channel, int program, int volume, int pan, int reverb) {
  midi::Track& t = song.addTrack(name);
  if (channel != kDrums) t.program(0, channel, program);
  t.controller(0, channel, 7, volume);
  t.controller(0, channel, 10, pan);
  t.controller(0, channel, 91, reverb);
  return song.trackCount() - 1;
}

struct Section {
  const char* name;
  const char* melody;  // empty: the chords alone set the length
  const char* chords;
  int voice;  // which lead plays the melody: 0, 1, or -1 for none
  int transpose;
  int mood;  // the tune's own marker: intro, break, outro...
};

struct Placed {
  const Section& section;
  int offset;  // in steps
  std::vector<score::Note> melody;
  std::vector<score::Chord> chords;
};

// Lays the sections end to end; checks that melody and chords agree.
std::vector<Placed> place(const std::vector<Section>& sections, int stepsPerBar, int& totalSteps) {
  std::vector<Placed> out;
  int at = 0;
  for (const Section& s : sections) {
    Placed p{s, at, score::parseNotes(s.melody), score::parseChords(s.chords)};
    const int len = score::lengthOf(p.chords);
    if (!p.melody.empty() && score::lengthOf(p.melody) != len) {
      throw std::invalid_argument(std::string("melody and chords differ in length in ") + s.name);
    }
    if (len % stepsPerBar != 0) {
      throw std::invalid_argument(std::string("section is not whole bars: ") + s.name);
    }
    at += len;
    out.push_back(std::move(p));
  }
  totalSteps = at;
  return out;
}

// The key a semitone beside the next chord's root, for walking lines.
int approach(int from, int nextRoot) {
  int best = from;
  int bestDist = 1000;
  for (int k = from - 7; k <= from + 7; ++k) {
    const int pc = ((k % 12) + 12) % 12;
    if (pc == (nextRoot + 1) % 12 || pc == (nextRoot + 11) % 12) {
      const int d = std::abs(k - from);
      if (d > 0 && d < bestDist) {
        best = k;
        bestDist = d;
      }
    }
  }
  return best;
}

// Up to `count` chord tones from `low` upwards, leaving the root out when asked.
std::vector<int> voicing(const score::Chord& c, int low, int high, std::size_t count, bool rootless) {
  std::vector<int> out;
  for (int k : c.tonesIn(low, high)) {
    if (rootless && ((k % 12) == c.root)) continue;
    out.push_back(k);
    if (out.size() == count) break;
  }
  return out;
}

double seconds(int totalSteps, int stepTicks, double bpm) {
  return static_cast<double>(totalSteps) * stepTicks / kPpq * 60.0 / bpm;
}

// ---------------------------------------------------------------------------
// 01 Office morning: a calm theme for the working day, vibraphone over an
// electric piano, with a flute taking the bridge.

Tune officeMorning() {
  const double bpm = 92.0;
  const int stepTicks = kPpq / 2;  // a step is an eighth
  midi::Song song(kPpq);
  midi::Track& conductor = song.addTrack("Office Morning");
  conductor.tempo(0, bpm);
  conductor.timeSignature(0, 4, 2);
  const std::size_t vib = addPart(song, "Vibraphone", 0, kVibraphone, 120, 72, 60);
  const std::size_t flute = addPart(song, "Flute", 1, kFlute, 92, 56, 70);
  const std::size_t keys = addPart(song, "Electric piano", 2, kElectricPiano, 84, 48, 50);
  const std::size_t pad = addPart(song, "Warm pad", 3, kWarmPad, 60, 64, 80);
  const std::size_t bass = addPart(song, "Bass", 4, kFingerBass, 100, 64, 20);
  const std::size_t drums = addPart(song, "Drums", kDrums, 0, 80, 64, 40);

  const char* aMelody =
      "r/1 c5/1 f5/2 e5/1 f5/1 a5/2 | g5/3 e5/1 c#5/2 e5/2 | f5/2 d5/1 e5/1 f5/2 a5/2 |"
      "g5/2 bb4/1 c5/1 eb5/2 a4/2 | d5/3 f5/1 a5/2 g5/2 | e5/3 c5/1 a4/4 |"
      "bb4/2 d5/2 f5/2 e5/1 d5/1 | e5/6 r/2";
  const char* aChords = "Fmaj7:8 Em7:4 A7:4 Dm7:8 Cm7:4 F7:4 Bbmaj7:8 Am7:8 Gm7:8 C7:8";
  const char* a2Melody =
      "r/1 c5/1 f5/2 e5/1 f5/1 a5/2 | g5/3 e5/1 c#5/2 e5/2 | f5/2 d5/1 e5/1 f5/2 a5/2 |"
      "g5/2 bb4/1 c5/1 eb5/2 a4/2 | d5/3 f5/1 a5/2 g5/2 | e5/3 c5/1 a4/4 |"
      "bb4/2 d5/2 f5/2 e5/1 d5/1 | f5/6 r/2";
  const char* a2Chords = "Fmaj7:8 Em7:4 A7:4 Dm7:8 Cm7:4 F7:4 Bbmaj7:8 Am7:8 Gm7:4 C7:4 Fmaj7:8";
  const char* bMelody =
      "d6/2 c6/1 bb5/1 a5/4 | g5/2 a5/1 bb5/1 c6/4 | e5/2 g5/2 c6/2 a5/1 g5/1 | f5/6 r/2 |"
      "bb5/2 a5/1 g5/1 f5/2 d5/2 | e5/2 g5/2 bb5/4 | a5/3 g5/1 f5/2 e5/2 | d5/2 e5/2 g5/4";
  const char* bChords = "Bbmaj7:8 C7:8 Am7:8 Dm7:8 Gm7:8 C7:8 Fmaj7:8 C7:8";
  enum { kPlain, kIntro, kOutro };
  const std::vector<Section> sections = {
      {"intro", "", "Fmaj7:8 Dm7:8 Gm7:8 C7:8", -1, 0, kIntro},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"A2", a2Melody, a2Chords, 0, 0, kPlain},
      {"B", bMelody, bChords, 1, 0, kPlain},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"A2", a2Melody, a2Chords, 1, 0, kPlain},
      {"outro", "a5/4 g5/4 | f5/4 d5/4 | e5/4 g5/4 | f5/8", "Fmaj7:8 Bbmaj7:8 Gm7:4 C7:4 Fmaj7:8", 0, 0, kOutro},
  };
  int total = 0;
  const std::vector<Placed> placed = place(sections, 8, total);
  Sequencer seq(song, stepTicks, false, 101);
  for (const Placed& p : placed) {
    if (p.section.voice == 0) seq.phrase(vib, 0, p.melody, p.offset, p.section.transpose, 98, 0.95);
    if (p.section.voice == 1) seq.phrase(flute, 1, p.melody, p.offset, p.section.transpose, 80, 0.9);
    for (std::size_t i = 0; i < p.chords.size(); ++i) {
      const score::Chord& c = p.chords[i];
      const int at = p.offset + c.start;
      const bool last = p.section.mood == kOutro && i + 1 == p.chords.size();
      // Electric piano: on the beat, then pushed onto the "and" of two.
      for (int k : voicing(c, 53, 70, 4, false)) {
        seq.note(keys, 2, at, last ? c.length : std::min(3, c.length), k, 62);
        if (c.length > 3 && !last) seq.note(keys, 2, at + 3, c.length - 3, k, 54);
      }
      for (int k : voicing(c, 60, 76, 3, true)) seq.note(pad, 3, at, c.length, k, 44, 1.0, 2);
      // Bass: root, a pickup, the fifth, and a step into the next chord.
      const int root = c.rootFrom(36);
      const int next = i + 1 < p.chords.size() ? p.chords[i + 1].root : c.root;
      if (last) {
        seq.note(bass, 4, at, c.length, root, 90);
      } else if (c.length >= 8) {
        seq.note(bass, 4, at, 3, root, 92);
        seq.note(bass, 4, at + 3, 1, root, 70);
        seq.note(bass, 4, at + 4, 3, root + 7, 84);
        seq.note(bass, 4, at + 7, 1, approach(root + 7, next), 74);
      } else {
        seq.note(bass, 4, at, 3, root, 90);
        seq.note(bass, 4, at + 3, 1, approach(root, next), 72);
      }
    }
    const int bars = score::lengthOf(p.chords) / 8;
    for (int bar = 0; bar < bars; ++bar) {
      const int at = p.offset + bar * 8;
      if (bar == 0 && p.section.mood != kIntro) seq.note(drums, kDrums, at, 2, kCrash, 70);
      if (p.section.mood == kOutro && bar == bars - 1) {
        seq.note(drums, kDrums, at, 4, kSoftKick, 70);
        break;
      }
      for (int s = 0; s < 8; ++s) seq.note(drums, kDrums, at + s, 1, kClosedHat, s % 2 ? 42 : 58);
      if (p.section.mood == kIntro) continue;
      seq.note(drums, kDrums, at, 1, kKick, 84);
      seq.note(drums, kDrums, at + 5, 1, kKick, 66);
      seq.note(drums, kDrums, at + 2, 1, kSideStick, 64);
      seq.note(drums, kDrums, at + 6, 1, kSideStick, 64);
    }
  }
  return {"01_office_morning.mid", std::move(song), seconds(total, stepTicks, bpm)};
}

// ---------------------------------------------------------------------------
// 02 Pixel rush: an upbeat tune in the manner of old home-computer sound
// chips, square lead, running arpeggios and a jumping octave bass.

Tune pixelRush() {
  const double bpm = 148.0;
  const int stepTicks = kPpq / 2;
  midi::Song song(kPpq);
  midi::Track& conductor = song.addTrack("Pixel Rush");
  conductor.tempo(0, bpm);
  conductor.timeSignature(0, 4, 2);
  const std::size_t lead = addPart(song, "Square lead", 0, kSquareLead, 72, 64, 30);
  const std::size_t lead2 = addPart(song, "Saw lead", 1, kSawLead, 66, 70, 40);
  const std::size_t arp = addPart(song, "Arpeggio", 2, kSquareLead, 48, 40, 50);
  const std::size_t bass = addPart(song, "Synth bass", 3, kSynthBass, 84, 64, 10);
  const std::size_t drums = addPart(song, "Drums", kDrums, 0, 76, 64, 20);

  const char* aMelody =
      "a5/2 e5/1 a5/1 c6/2 b5/1 a5/1 | c6/2 a5/1 f5/1 a5/4 | g5/1 e5/1 g5/1 c6/1 e6/2 d6/1 c6/1 |"
      "d6/3 b5/1 g5/4 | a5/1 a5/1 e6/2 d6/1 c6/1 b5/1 a5/1 | c6/2 f6/2 e6/2 c6/2 |"
      "d6/2 b5/1 g5/1 d6/2 e6/1 f6/1 | e6/4 g#5/4";
  const char* aChords = "Am:8 F:8 C:8 G:8 Am:8 F:8 G:8 E7:8";
  const char* bMelody =
      "e6/3 d6/1 c6/2 g5/2 | d6/3 c6/1 b5/2 g5/2 | c6/2 b5/1 a5/1 e6/2 a5/2 | b5/6 r/2 |"
      "a5/2 c6/2 f6/2 e6/1 d6/1 | e6/2 c6/2 g5/4 | f#6/2 e6/1 d6/1 a5/2 f#5/2 | g#5/2 b5/2 e6/2 d6/2";
  const char* bChords = "C:8 G:8 Am:8 Em:8 F:8 C:8 D:8 E7:8";
  enum { kPlain, kIntro, kBreak, kOutro };
  const std::vector<Section> sections = {
      {"intro", "", "Am:8 F:8 C:8 G:8", -1, 0, kIntro},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"B", bMelody, bChords, 1, 0, kPlain},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"break", "d6/8 | c6/8 | a5/8 | b5/8 | f6/8 | e6/8 | c6/4 d6/4 | e6/8", "Dm:8 Am:8 Dm:8 E7:8 Dm:8 Am:8 F:8 E7:8",
       1, 0, kBreak},
      {"B", bMelody, bChords, 0, 0, kPlain},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"outro", "a5/8 | c6/8 | b5/4 g#5/4 | a5/8", "Am:8 F:8 E7:8 Am:8", 0, 0, kOutro},
  };
  int total = 0;
  const std::vector<Placed> placed = place(sections, 8, total);
  Sequencer seq(song, stepTicks, false, 202);
  for (const Placed& p : placed) {
    if (p.section.voice == 0) seq.phrase(lead, 0, p.melody, p.offset, 0, 92, 0.82);
    if (p.section.voice == 1) seq.phrase(lead2, 1, p.melody, p.offset, 0, 86, 0.9);
    for (std::size_t i = 0; i < p.chords.size(); ++i) {
      const score::Chord& c = p.chords[i];
      const int at = p.offset + c.start;
      const bool last = p.section.mood == kOutro && i + 1 == p.chords.size();
      const int root = c.rootFrom(33);
      if (last) {
        seq.note(bass, 3, at, c.length, root, 100);
        for (int k : voicing(c, 57, 72, 4, false)) seq.note(arp, 2, at, c.length, k, 70);
        continue;
      }
      // Running sixteenths up and down the chord.
      const std::vector<int> tones = voicing(c, 57, 79, 5, false);
      const int n = static_cast<int>(tones.size());
      for (int s = 0; s < c.length * 2; ++s) {
        const int cycle = 2 * (n - 1);
        const int pos = s % cycle;
        const int idx = pos < n ? pos : cycle - pos;
        seq.note(arp, 2, at + s * 0.5, 0.5, tones[static_cast<std::size_t>(idx)], p.section.mood == kBreak ? 50 : 62,
                 0.7, 4);
      }
      // Octave-jumping bass in eighths; the break holds long roots.
      if (p.section.mood == kBreak) {
        seq.note(bass, 3, at, c.length, root, 92);
      } else {
        for (int s = 0; s < c.length; ++s) seq.note(bass, 3, at + s, 1, root + (s % 2 ? 12 : 0), 96, 0.75);
      }
    }
    const int bars = score::lengthOf(p.chords) / 8;
    for (int bar = 0; bar < bars; ++bar) {
      const int at = p.offset + bar * 8;
      if (bar == 0 && p.section.mood != kIntro) seq.note(drums, kDrums, at, 2, kCrash, 90);
      if (p.section.mood == kOutro && bar == bars - 1) {
        seq.note(drums, kDrums, at, 2, kKick, 110);
        seq.note(drums, kDrums, at, 8, kCrash, 96);
        break;
      }
      for (int s = 0; s < 8; ++s) {
        seq.note(drums, kDrums, at + s, 1, s == 7 ? kOpenHat : kClosedHat, s % 2 ? 56 : 74);
      }
      if (p.section.mood == kIntro && bar < 2) continue;
      if (p.section.mood == kBreak) {
        for (int b = 0; b < 4; ++b) seq.note(drums, kDrums, at + 2 * b, 1, kKick, 92);
        continue;
      }
      seq.note(drums, kDrums, at, 1, kKick, 108);
      seq.note(drums, kDrums, at + 3, 1, kKick, 84);
      seq.note(drums, kDrums, at + 4, 1, kKick, 100);
      seq.note(drums, kDrums, at + 2, 1, kSnare, 100);
      seq.note(drums, kDrums, at + 6, 1, kSnare, 100);
      if (bar % 4 == 3) seq.note(drums, kDrums, at + 7, 1, kSnare, 80);
    }
  }
  return {"02_pixel_rush.mid", std::move(song), seconds(total, stepTicks, bpm)};
}

// ---------------------------------------------------------------------------
// 03 Lounge after hours: a swinging tune for the casino and the bar, alto
// sax and vibraphone over piano, walking bass and brushes on the ride.

Tune loungeAfterHours() {
  const double bpm = 112.0;
  const int stepTicks = kPpq / 2;
  midi::Song song(kPpq);
  midi::Track& conductor = song.addTrack("Lounge After Hours");
  conductor.tempo(0, bpm);
  conductor.timeSignature(0, 4, 2);
  const std::size_t sax = addPart(song, "Alto sax", 0, kAltoSax, 96, 70, 60);
  const std::size_t vibes = addPart(song, "Vibraphone", 1, kVibraphone, 96, 56, 60);
  const std::size_t piano = addPart(song, "Piano", 2, kPiano, 78, 44, 50);
  const std::size_t bass = addPart(song, "Upright bass", 3, kAcousticBass, 108, 64, 30);
  const std::size_t drums = addPart(song, "Drums", kDrums, 0, 72, 64, 40);

  const char* aMelody =
      "r/1 f5/1 g5/1 a5/1 d6/3 c6/1 | b5/2 g5/1 f5/1 d5/2 r/2 | eb5/1 f5/1 g5/1 bb5/1 d6/2 c6/2 |"
      "a5/4 r/2 f5/1 g5/1 | a5/2 f5/2 d6/2 b5/2 | c6/2 bb5/1 g5/1 a5/2 eb5/2 | d5/3 f5/1 g5/4 |"
      "r/2 eb5/1 f5/1 a5/2 c6/2";
  const char* aChords = "Bbmaj7:8 G7:8 Cm7:8 F7:8 Dm7:4 G7:4 Cm7:4 F7:4 Bb6:8 Cm7:4 F7:4";
  const char* bMelody =
      "ab5/2 g5/1 f5/1 d5/2 ab5/2 | g5/6 r/2 | gb5/2 f5/1 eb5/1 c5/2 gb5/2 | f5/4 b4/2 d5/2 |"
      "eb5/2 g5/2 bb5/2 d6/2 | c6/3 a5/1 f5/4 | a5/1 c6/1 f6/2 b5/2 d6/2 | eb6/2 d6/1 c6/1 a5/2 f5/2";
  const char* bChords = "Fm7:4 Bb7:4 Ebmaj7:8 Ebm7:4 Ab7:4 Dm7:4 G7:4 Cm7:8 F7:8 Dm7:4 G7:4 Cm7:4 F7:4";
  const char* solo =
      "d5/1 f5/1 a5/1 c6/1 d6/1 c6/1 a5/1 f5/1 | b5/1 d6/1 f6/1 d6/1 b5/2 g5/2 |"
      "c6/1 bb5/1 g5/1 eb5/1 g5/1 bb5/1 d6/2 | c6/1 a5/1 f5/1 eb5/1 d5/2 r/2 |"
      "f5/1 a5/1 c6/1 a5/1 b5/1 d6/1 f6/2 | eb6/1 d6/1 c6/1 bb5/1 a5/1 c6/1 eb6/2 |"
      "d6/4 bb5/2 g5/2 | f5/1 g5/1 a5/1 c6/1 eb6/2 c6/2";
  enum { kPlain, kIntro, kOutro };
  const std::vector<Section> sections = {
      {"intro", "", "Cm7:4 F7:4 Bbmaj7:4 G7:4 Cm7:4 F7:4 Bbmaj7:8", -1, 0, kIntro},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"B", bMelody, bChords, 0, 0, kPlain},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"solo", solo, aChords, 1, 0, kPlain},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"outro", "eb5/2 a5/2 r/4 | bb5/8 | c6/4 eb6/4 | d6/8", "Cm7:4 F7:4 Bbmaj7:8 Ebmaj7:8 Bbmaj7:8", 0, 0, kOutro},
  };
  int total = 0;
  const std::vector<Placed> placed = place(sections, 8, total);
  Sequencer seq(song, stepTicks, true, 303);
  int bassKey = 34;
  for (const Placed& p : placed) {
    if (p.section.voice == 0) seq.phrase(sax, 0, p.melody, p.offset, 0, 84, 0.88);
    if (p.section.voice == 1) seq.phrase(vibes, 1, p.melody, p.offset, 0, 88, 0.8);
    for (std::size_t i = 0; i < p.chords.size(); ++i) {
      const score::Chord& c = p.chords[i];
      const int at = p.offset + c.start;
      const bool last = p.section.mood == kOutro && i + 1 == p.chords.size();
      const std::vector<int> comp = voicing(c, 58, 74, 4, true);
      if (last) {
        for (int k : comp) seq.note(piano, 2, at, c.length, k, 60);
        seq.note(bass, 3, at, c.length, c.rootFrom(34), 92);
        continue;
      }
      // Piano comping: short stabs on the "and" of one or of two.
      const int stab = (c.length >= 8 || (i % 2 == 1)) ? 3 : 1;
      for (int k : comp) {
        if (stab < c.length) seq.note(piano, 2, at + stab, 1, k, 58, 0.8);
        if (c.length >= 8) seq.note(piano, 2, at + 6, 1, k, 50, 0.8);
      }
      // Walking bass: the root on the chord, chord tones, then a half
      // step into the next chord's root.
      const int nextRoot = i + 1 < p.chords.size() ? p.chords[i + 1].root : c.root;
      const int beats = c.length / 2;
      int key = c.rootFrom(bassKey > 40 ? 28 : 33);
      const std::vector<int> tones = c.tonesIn(key + 1, key + 12);
      for (int b = 0; b < beats; ++b) {
        int k = key;
        if (b == beats - 1 && beats > 1) {
          k = approach(bassKey, nextRoot);
        } else if (b > 0) {
          k = tones[static_cast<std::size_t>(b - 1) % tones.size()];
        }
        seq.note(bass, 3, at + 2 * b, 2, k, b == 0 ? 96 : 84, 0.9, 5);
        bassKey = k;
      }
    }
    const int bars = score::lengthOf(p.chords) / 8;
    for (int bar = 0; bar < bars; ++bar) {
      const int at = p.offset + bar * 8;
      if (p.section.mood == kOutro && bar == bars - 1) {
        seq.note(drums, kDrums, at, 8, kRide, 70);
        seq.note(drums, kDrums, at, 8, kSoftKick, 60);
        break;
      }
      // The ride's swing: ding, ding-a, ding, ding-a.
      for (int s : {0, 2, 3, 4, 6, 7}) seq.note(drums, kDrums, at + s, 1, kRide, s % 2 ? 46 : 64);
      seq.note(drums, kDrums, at + 2, 1, kPedalHat, 56);
      seq.note(drums, kDrums, at + 6, 1, kPedalHat, 56);
      if (p.section.mood == kIntro) continue;
      seq.note(drums, kDrums, at, 1, kSoftKick, 52);
      seq.note(drums, kDrums, at + 5, 1, kSnare, 26);
      if (bar % 2 == 1) seq.note(drums, kDrums, at + 7, 1, kSnare, 34);
    }
  }
  return {"03_lounge_after_hours.mid", std::move(song), seconds(total, stepTicks, bpm)};
}

// ---------------------------------------------------------------------------
// 04 Rainy waltz: a melancholic waltz in D minor for the long evenings,
// accordion and violin taking turns over a piano's oom-pah-pah.

Tune rainyWaltz() {
  const double bpm = 132.0;
  const int stepTicks = kPpq / 2;
  midi::Song song(kPpq);
  midi::Track& conductor = song.addTrack("Rainy Waltz");
  conductor.tempo(0, bpm);
  conductor.timeSignature(0, 3, 2);
  const std::size_t accordion = addPart(song, "Accordion", 0, kAccordion, 104, 52, 60);
  const std::size_t violin = addPart(song, "Violin", 1, kViolin, 112, 76, 70);
  const std::size_t piano = addPart(song, "Piano", 2, kPiano, 98, 60, 50);
  const std::size_t bass = addPart(song, "Bass", 3, kAcousticBass, 112, 64, 30);
  const std::size_t strings = addPart(song, "Strings", 4, kStrings, 68, 64, 80);

  const char* aMelody =
      "a4/2 d5/2 f5/2 | a5/4 g5/1 f5/1 | g5/2 bb4/2 d5/2 | g5/4 f5/1 e5/1 | e5/2 g5/2 bb5/2 |"
      "a5/3 g5/1 f5/1 e5/1 | f5/2 a5/2 c6/2 | e5/4 c#5/2 | d5/2 f5/2 a5/2 | d6/4 c6/1 bb5/1 |"
      "bb5/2 g5/2 d5/2 | bb5/4 a5/1 g5/1 | f5/2 d5/2 bb4/2 | g5/3 f5/1 e5/2 | c#5/2 e5/2 g5/2 | d5/6";
  const char* aChords = "Dm:12 Gm:12 C7:12 F:6 A7:6 Dm:12 Gm:12 Bb:6 Em7b5:6 A7:6 Dm:6";
  const char* bMelody =
      "c6/3 a5/1 f5/2 | g5/3 e5/1 c5/2 | a5/2 c6/2 f6/2 | e6/4 d6/2 | d6/3 c6/1 bb5/2 |"
      "bb5/2 g5/2 e5/2 | a5/4 g5/1 a5/1 | c#6/4 a5/2 | f5/2 e5/2 d5/2 | d6/4 bb5/2 |"
      "a5/2 g5/2 bb5/2 | a5/4 e5/2 | f5/3 e5/1 d5/2 | g5/2 bb5/2 d6/2 | c#6/2 a5/2 g5/2 | a5/6";
  const char* bChords = "F:6 C7:6 F:6 Dm:6 Bb:6 C7:6 F:6 A7:6 Dm:6 Bb:6 Gm:6 A7:6 Dm:6 Gm:6 A7:12";
  enum { kPlain, kIntro, kOutro };
  const std::vector<Section> sections = {
      {"intro", "", "Dm:6 Dm:6 Gm:6 A7:6", -1, 0, kIntro},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"B", bMelody, bChords, 1, 0, kPlain},
      {"A high", aMelody, aChords, 1, 12, kPlain},
      {"B", bMelody, bChords, 0, 0, kPlain},
      {"A", aMelody, aChords, 0, 0, kPlain},
      {"outro", "bb5/4 a5/2 | c#5/4 e5/2 | d5/12", "Gm:6 A7:6 Dm:12", 1, 0, kOutro},
  };
  int total = 0;
  const std::vector<Placed> placed = place(sections, 6, total);
  Sequencer seq(song, stepTicks, false, 404);
  for (const Placed& p : placed) {
    if (p.section.voice == 0) seq.phrase(accordion, 0, p.melody, p.offset, p.section.transpose, 80, 0.93);
    if (p.section.voice == 1) seq.phrase(violin, 1, p.melody, p.offset, p.section.transpose, 82, 0.97);
    for (std::size_t i = 0; i < p.chords.size(); ++i) {
      const score::Chord& c = p.chords[i];
      const bool last = p.section.mood == kOutro && i + 1 == p.chords.size();
      for (int k : voicing(c, 50, 66, 3, false)) {
        seq.note(strings, 4, p.offset + c.start, c.length, k, 42, 1.0, 2);
      }
      for (int bar = 0; bar < c.length / 6; ++bar) {
        const int at = p.offset + c.start + bar * 6;
        const int root = c.rootFrom(38);
        // Every second bar of a long chord the bass steps to the fifth.
        const int low = (bar % 2 == 1) ? root - 5 : root;
        if (last) {
          if (bar == 0) {
            seq.note(bass, 3, at, c.length, root, 88);
            for (int k : voicing(c, 57, 69, 3, false)) seq.note(piano, 2, at, c.length, k, 56);
          }
          continue;
        }
        seq.note(bass, 3, at, 2, low, 90, 0.9);
        for (int k : voicing(c, 57, 69, 3, false)) {
          seq.note(piano, 2, at + 2, 2, k, 54, 0.6);
          seq.note(piano, 2, at + 4, 2, k, 48, 0.6);
        }
      }
    }
  }
  return {"04_rainy_waltz.mid", std::move(song), seconds(total, stepTicks, bpm)};
}

}  // namespace

std::vector<Tune> allTunes() {
  std::vector<Tune> out;
  out.push_back(officeMorning());
  out.push_back(pixelRush());
  out.push_back(loungeAfterHours());
  out.push_back(rainyWaltz());
  return out;
}

}  // namespace tunes
