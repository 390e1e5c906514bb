#include "effects.h"

#include <algorithm>
#include <cmath>

namespace sfx {

namespace {

// Church bell: hum an octave down, prime, minor-third tierce, quint, nominal
// and a few bright upper partials; the low ones ring longest.
const std::vector<Partial> kBell = {
    {0.5, 0.45, 1.4},   {1.0, 0.80, 1.0},   {1.19, 0.45, 0.8},  {1.5, 0.25, 0.6},   {2.0, 0.70, 0.7},
    {2.52, 0.25, 0.35}, {2.66, 0.20, 0.30}, {3.01, 0.18, 0.22}, {4.07, 0.10, 0.15},
};

// Free metal bar (glockenspiel): strongly inharmonic overtones that fade fast.
const std::vector<Partial> kGlock = {
    {1.0, 1.0, 0.55},
    {2.756, 0.30, 0.12},
    {5.404, 0.12, 0.05},
};

// Small coin: modes of a thin disc, all short.
const std::vector<Partial> kCoin = {
    {1.0, 1.0, 0.10}, {1.59, 0.6, 0.07}, {2.14, 0.45, 0.05}, {2.30, 0.35, 0.05}, {2.65, 0.25, 0.04}, {2.92, 0.15, 0.03},
};

// Music-box tine: nearly a sine with a short metallic ping on top.
const std::vector<Partial> kTine = {
    {1.0, 1.0, 0.9},
    {3.0, 0.25, 0.08},
    {5.9, 0.10, 0.03},
};

// Timpani: a pitched drum with a strong fundamental and a thump.
const std::vector<Partial> kTimpani = {
    {1.0, 1.0, 0.45},
    {1.5, 0.45, 0.30},
    {1.99, 0.30, 0.25},
    {2.44, 0.15, 0.15},
};

double hz(double midiNote) { return midiToHz(midiNote); }

// A brass voice: two slightly detuned saws behind a filter that opens with
// the envelope, and a little vibrato on held notes.
Voice brass(double note, double amp) {
  Voice v;
  v.wave = Wave::Saw;
  v.freq = hz(note);
  v.amp = amp;
  v.detuneCents = 7.0;
  v.cutoff = 500.0;
  v.cutoffEnv = 2600.0;
  v.env = {0.025, 0.12, 0.75, 0.12};
  v.vibratoHz = 5.2;
  v.vibratoCents = 10.0;
  return v;
}

void timpaniHit(Sound& s, Rng& rng, double at, double note, double amp) {
  s.mix(at, renderStrike(hz(note), amp, kTimpani, 1.4));
  s.mix(at, renderNoiseHit(rng, 0.15, amp * 0.5, 0.025, 900.0));
}

void cymbal(Sound& s, Rng& rng, double at, double amp, double decay) {
  s.mix(at, renderFilteredNoise(
                rng, decay * 4.0, [=](double t) { return amp * std::min(t / 0.003, 1.0) * std::exp(-t / decay); },
                [](double t) { return 6500.0 - 1500.0 * std::min(t, 1.0); }, 0.8));
}

void coin(Sound& s, double at, double freq, double amp) { s.mix(at, renderStrike(freq, amp, kCoin, 0.5)); }

// --- the effects -----------------------------------------------------------

void buttons(Sound& s) {
  Rng rng(11);
  s.mix(0.002, renderNoiseHit(rng, 0.05, 0.6, 0.004, 5200.0));
  s.mix(0.002, renderStrike(1750.0, 0.55, {{1.0, 1.0, 0.008}, {2.31, 0.4, 0.004}}, 0.05));
}

void windows(Sound& s) {
  Rng rng(22);
  const double len = s.seconds();
  // Air rushing past: band-passed noise that swells, rises and settles.
  auto swell = [len](double t) {
    const double x = t / len;
    return std::pow(std::sin(3.14159265 * std::pow(x, 0.8)), 2.0);
  };
  auto centre = [len](double t) {
    const double x = t / len;
    return 280.0 * std::pow(12.0, std::sin(3.14159265 * 0.85 * x));
  };
  s.mix(0.0, renderFilteredNoise(
                 rng, len, [&](double t) { return 0.9 * swell(t); }, centre, 1.1));
  s.mix(0.0, renderFilteredNoise(
                 rng, len, [&](double t) { return 0.35 * swell(t); }, [&](double t) { return centre(t) * 2.1; }, 3.0));
  Voice tone;
  tone.wave = Wave::Triangle;
  tone.freq = 220.0;
  tone.glideTo = 660.0;
  tone.amp = 0.06;
  tone.env = {0.25, 0.2, 0.6, 0.25};
  s.mix(0.05, renderVoice(tone, 0.5));
}

void messages(Sound& s) {
  Voice v;
  v.wave = Wave::Square;
  v.cutoff = 1800.0;
  v.cutoffEnv = 2000.0;
  v.amp = 0.4;
  v.env = {0.003, 0.04, 0.55, 0.025};
  v.freq = hz(83);  // B5
  s.mix(0.004, renderVoice(v, 0.06));
  v.freq = hz(88);  // E6
  s.mix(0.09, renderVoice(v, 0.07));
}

void monthUp(Sound& s) {
  const double notes[] = {79, 84, 88, 91};  // G5 C6 E6 G6
  const double times[] = {0.0, 0.11, 0.22, 0.36};
  for (int i = 0; i < 4; ++i) {
    s.mix(times[i] + 0.003, renderStrike(hz(notes[i]), i == 3 ? 0.55 : 0.45, kGlock, 1.2));
  }
  // A soft low bell gives the chime some body.
  s.mix(0.36, renderStrike(hz(60), 0.18, kBell, 1.0));
}

void yearUp(Sound& s) {
  Rng rng(33);
  struct N {
    double at, note, gate;
  };
  const N melody[] = {{0.0, 67, 0.09},  {0.13, 67, 0.09}, {0.26, 67, 0.09},
                      {0.40, 72, 0.38}, {0.82, 67, 0.16}, {1.02, 72, 0.95}};
  for (const N& n : melody) s.mix(n.at + 0.003, renderVoice(brass(n.note, 0.32), n.gate));
  // Harmony a third and a fifth below on the two long notes.
  for (double note : {64.0, 60.0}) s.mix(0.40, renderVoice(brass(note, 0.18), 0.38));
  for (double note : {76.0, 67.0, 64.0, 48.0}) s.mix(1.02, renderVoice(brass(note, 0.16), 0.95));
  timpaniHit(s, rng, 0.40, 43, 0.35);
  timpaniHit(s, rng, 1.02, 48, 0.45);
  cymbal(s, rng, 1.02, 0.25, 0.35);
}

void marry(Sound& s) {
  // A small peal: four bells falling down the scale, then two answering.
  const double notes[] = {72, 69, 67, 64, 67, 72};
  for (int i = 0; i < 6; ++i) {
    const double at = 0.004 + 0.24 * i;
    s.mix(at, renderStrike(hz(notes[i]), 0.32, kBell, 1.9 - at));
  }
}

void baby(Sound& s) {
  Rng rng(44);
  // The rattle: four shakes, each a spray of tiny beads hitting the shell.
  for (int shake = 0; shake < 4; ++shake) {
    const double base = 0.01 + 0.27 * shake;
    for (int bead = 0; bead < 9; ++bead) {
      const double at = base + 0.06 * rng.unit() + 0.004 * bead;
      const double centre = 3200.0 + 2200.0 * rng.unit();
      const double amp = 0.25 + 0.25 * rng.unit();
      s.mix(at,
            renderFilteredNoise(
                rng, 0.05, [=](double t) { return amp * std::exp(-t / 0.008); }, [=](double) { return centre; }, 4.0));
    }
  }
  // Then a little lullaby on a music box, three bars of three.
  struct N {
    double beat, note;
  };
  const N tune[] = {{0, 76}, {1, 79}, {2, 81}, {3, 79}, {4.5, 76}, {5, 74}, {6, 72}, {7, 74}, {8, 76}, {9, 74}};
  const double beat = 0.3;
  const double start = 1.25;
  for (const N& n : tune) {
    s.mix(start + n.beat * beat, renderStrike(hz(n.note), 0.35, kTine, 1.2));
  }
  const N bass[] = {{0, 48}, {3, 53}, {6, 55}, {9, 48}};
  for (const N& n : bass) s.mix(start + n.beat * beat, renderStrike(hz(n.note + 12), 0.22, kTine, 1.3));
}

void divorce(Sound& s) {
  Rng rng(55);
  // The slam: a heavy low thump, the latch, and the hallway answering twice.
  for (int echo = 0; echo < 3; ++echo) {
    const double at = 0.003 + 0.085 * echo;
    const double g = std::pow(0.35, echo);
    s.mix(at, renderNoiseHit(rng, 0.4, 0.9 * g, 0.07, 320.0));
    Voice thump;
    thump.freq = 75.0;
    thump.glideTo = 42.0;
    thump.amp = 0.8 * g;
    thump.env = {0.002, 0.2, 0.0, 0.02};
    s.mix(at, renderVoice(thump, 0.2));
    s.mix(at + 0.008, renderNoiseHit(rng, 0.08, 0.3 * g, 0.012, 3200.0));
  }
  // Then the sad slide down: four falling notes on a muted horn.
  const double notes[] = {55, 54, 53};
  for (int i = 0; i < 3; ++i) {
    Voice v = brass(notes[i], 0.34);
    v.cutoff = 350.0;
    v.cutoffEnv = 1100.0;
    v.vibratoCents = 0.0;
    s.mix(0.55 + 0.42 * i, renderVoice(v, 0.34));
  }
  Voice last = brass(52, 0.36);
  last.cutoff = 350.0;
  last.cutoffEnv = 1100.0;
  last.glideTo = hz(50);
  last.vibratoHz = 6.0;
  last.vibratoCents = 45.0;
  last.env.release = 0.2;
  s.mix(1.81, renderVoice(last, 0.85));
}

void work(Sound& s) {
  Rng rng(66);
  const double e = 0.12;  // one eighth
  struct N {
    double at, note, gate;
  };
  const N lead[] = {{0, 72, 0.1}, {1, 76, 0.1}, {2, 79, 0.1}, {3, 76, 0.1}, {4, 77, 0.1},
                    {5, 81, 0.1}, {6, 79, 0.2}, {8, 83, 0.1}, {9, 84, 0.32}};
  for (const N& n : lead) {
    Voice v;
    v.wave = Wave::Pulse25;
    v.freq = hz(n.note);
    v.amp = 0.28;
    v.cutoff = 2200.0;
    v.cutoffEnv = 1800.0;
    v.env = {0.004, 0.06, 0.6, 0.06};
    s.mix(0.003 + n.at * e, renderVoice(v, n.gate));
  }
  const N bass[] = {{0, 48, 0.3}, {4, 53, 0.22}, {6, 55, 0.22}, {9, 48, 0.36}};
  for (const N& n : bass) {
    Voice v;
    v.wave = Wave::Triangle;
    v.freq = hz(n.note);
    v.amp = 0.4;
    v.env = {0.004, 0.1, 0.7, 0.06};
    s.mix(0.003 + n.at * e, renderVoice(v, n.gate));
  }
  for (int i = 0; i < 10; ++i) {
    const double amp = (i % 2 == 0) ? 0.12 : 0.07;
    s.mix(0.003 + i * e, renderNoiseHit(rng, 0.06, amp, 0.012, 9000.0));
  }
  s.mix(0.003 + 9 * e, renderStrike(hz(96), 0.12, kGlock, 0.5));
}

// An organ voice for the dirge: a sine with its octave, slow and sombre.
void organ(Sound& s, double at, double note, double gate, double amp) {
  Voice v;
  v.wave = Wave::Sine;
  v.freq = hz(note);
  v.amp = amp;
  v.env = {0.06, 0.2, 0.8, 0.18};
  v.vibratoHz = 4.5;
  v.vibratoCents = 6.0;
  v.detuneCents = 3.0;
  s.mix(at, renderVoice(v, gate));
  v.freq = hz(note + 12);
  v.amp = amp * 0.35;
  s.mix(at, renderVoice(v, gate));
  v.wave = Wave::Triangle;
  v.freq = hz(note + 19);
  v.amp = amp * 0.12;
  s.mix(at, renderVoice(v, gate));
}

void lose(Sound& s) {
  struct Chord {
    double at, gate;
    std::vector<double> notes;
  };
  const Chord chords[] = {
      {0.02, 0.78, {45, 52, 57, 60, 64}},  // A minor
      {0.92, 0.78, {50, 53, 57, 62, 65}},  // D minor
      {1.82, 0.70, {40, 52, 56, 59, 64}},  // E major, the hope that fails
      {2.60, 0.78, {33, 45, 52, 57, 60}},  // A minor, low and final
  };
  for (const Chord& c : chords) {
    for (double n : c.notes) organ(s, c.at, n, c.gate, 0.09);
  }
  // The tolling of a distant low bell on every chord.
  for (const Chord& c : chords) s.mix(c.at, renderStrike(hz(45), 0.12, kBell, 0.9));
}

void win(Sound& s) {
  Rng rng(77);
  struct N {
    double at, note, gate;
  };
  const N melody[] = {
      {0.00, 72, 0.08}, {0.10, 72, 0.08}, {0.20, 72, 0.08}, {0.30, 79, 0.40}, {0.75, 76, 0.12},
      {0.90, 79, 0.26}, {1.20, 84, 0.68}, {1.95, 81, 0.22}, {2.20, 77, 0.22}, {2.45, 81, 0.22},
      {2.70, 84, 0.22}, {2.95, 83, 0.22}, {3.20, 86, 0.28}, {3.55, 84, 1.05},
  };
  for (const N& n : melody) s.mix(n.at + 0.004, renderVoice(brass(n.note, 0.26), n.gate));
  struct C {
    double at, gate;
    std::vector<double> notes;
  };
  const C chords[] = {
      {1.20, 0.68, {60, 64, 67, 48}},
      {1.95, 0.70, {65, 69, 72, 41}},
      {2.70, 0.78, {67, 71, 74, 43}},
      {3.55, 1.05, {60, 64, 67, 72, 48, 36}},
  };
  for (const C& c : chords) {
    for (double n : c.notes) s.mix(c.at + 0.004, renderVoice(brass(n, 0.11), c.gate));
  }
  timpaniHit(s, rng, 0.30, 43, 0.3);
  timpaniHit(s, rng, 1.20, 48, 0.4);
  timpaniHit(s, rng, 1.95, 41, 0.3);
  // A timpani roll into the last chord.
  for (int i = 0; i < 7; ++i) timpaniHit(s, rng, 3.0 + 0.075 * i, 43, 0.12 + 0.03 * i);
  timpaniHit(s, rng, 3.55, 48, 0.5);
  cymbal(s, rng, 1.20, 0.2, 0.3);
  cymbal(s, rng, 3.55, 0.3, 0.45);
}

void logo(Sound& s) {
  Rng rng(88);
  // A rising breath of air that lands on the logo chord.
  s.mix(0.0,
        renderFilteredNoise(
            rng, 0.45, [](double t) { return 0.5 * std::pow(t / 0.45, 2.0) * (t < 0.42 ? 1.0 : (0.45 - t) / 0.03); },
            [](double t) { return 250.0 * std::pow(16.0, t / 0.45); }, 1.3));
  const double hit = 0.42;
  for (double n : {50.0, 57.0, 62.0, 66.0, 69.0}) s.mix(hit, renderStrike(hz(n), 0.16, kBell, 1.38));
  for (double n : {62.0, 69.0, 74.0}) {
    Voice pad = brass(n, 0.1);
    pad.env = {0.08, 0.3, 0.6, 0.4};
    pad.cutoff = 400.0;
    pad.cutoffEnv = 1500.0;
    s.mix(hit, renderVoice(pad, 0.8));
  }
  const double sparkle[] = {86, 90, 93, 98};  // D6 F#6 A6 D7
  for (int i = 0; i < 4; ++i) s.mix(hit + 0.08 + 0.07 * i, renderStrike(hz(sparkle[i]), 0.22, kGlock, 0.9));
}

void dead(Sound& s) {
  Rng rng(99);
  Voice body;
  body.freq = 110.0;
  body.glideTo = 38.0;
  body.amp = 0.9;
  body.env = {0.003, 0.55, 0.0, 0.05};
  s.mix(0.003, renderVoice(body, 0.55));
  s.mix(0.003, renderNoiseHit(rng, 0.5, 0.7, 0.06, 220.0));
  s.mix(0.003, renderNoiseHit(rng, 0.05, 0.15, 0.006, 2500.0));
}

void increaseMoney(Sound& s) {
  // Coins stacking up, each a step higher, then the cash drawer's ring.
  const double steps[] = {0, 2, 4, 5, 7, 9, 11, 12};
  for (int i = 0; i < 8; ++i) {
    coin(s, 0.004 + 0.095 * i, 1900.0 * std::pow(2.0, steps[i] / 12.0), 0.35);
  }
  s.mix(0.82, renderStrike(hz(96), 0.35, kGlock, 0.55));
  s.mix(0.86, renderStrike(hz(103), 0.3, kGlock, 0.5));
}

void decreaseMoney(Sound& s) {
  Rng rng(111);
  // Coins slipping away: each bounce lower, quieter and later than the last.
  double at = 0.004;
  double gap = 0.07;
  for (int i = 0; i < 9; ++i) {
    coin(s, at, 3400.0 * std::pow(2.0, -i / 7.0) * (1.0 + 0.02 * rng.bipolar()), 0.4 * std::pow(0.86, i));
    at += gap;
    gap *= 1.17;
  }
  Voice fall;
  fall.wave = Wave::Triangle;
  fall.freq = 620.0;
  fall.glideTo = 160.0;
  fall.amp = 0.16;
  fall.env = {0.02, 0.3, 0.7, 0.2};
  s.mix(0.15, renderVoice(fall, 0.95));
}

}  // namespace

const std::vector<Effect>& allEffects() {
  static const std::vector<Effect> effects = {
      {"LOGOSOUND", 1.8, logo, 0.12, 0.85},
      {"BUTTONS", 0.06, buttons, 0.008, 0.6},
      {"WINDOWS", 0.9, windows, 0.05, 0.7},
      {"MESSAGES", 0.2, messages, 0.02, 0.55},
      {"MONTHUP", 1.4, monthUp, 0.15, 0.85},
      {"YEARUP", 2.3, yearUp, 0.15, 0.85},
      {"MARRY", 1.9, marry, 0.3, 0.85},
      {"BABY", 4.4, baby, 0.3, 0.85},
      {"DIVORCE", 2.9, divorce, 0.1, 0.85},
      {"WORK", 1.6, work, 0.08, 0.85},
      {"LOSE", 3.6, lose, 0.25, 0.85},
      {"WIN", 5.0, win, 0.3, 0.85},
      {"DEAD", 0.9, dead, 0.08, 0.85},
      {"INCREASEMONEY", 1.4, increaseMoney, 0.15, 0.85},
      {"DECREASEMONEY", 1.5, decreaseMoney, 0.15, 0.85},
  };
  return effects;
}

}  // namespace sfx
