// A small offline synthesiser for the game's sound effects: mono buffers at
// 22050 samples a second, a few oscillators, envelopes, noise, resonant
// filters and struck-metal partials. Everything is deterministic, so the
// same source always yields the same WAVE bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sfx {

constexpr int kSampleRate = 22050;

// Fixed-seed generator (xorshift64*): the effects must come out identical on
// every machine, which the standard distributions do not promise.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
  double unit();     // [0, 1)
  double bipolar();  // [-1, 1)

 private:
  std::uint64_t state_;
};

// One effect being built: a buffer of exactly the effect's length.
class Sound {
 public:
  explicit Sound(double seconds);
  std::size_t size() const { return samples_.size(); }
  double seconds() const { return static_cast<double>(samples_.size()) / kSampleRate; }
  std::vector<double>& samples() { return samples_; }
  const std::vector<double>& samples() const { return samples_; }
  // Mixes a rendered snippet in at a start time; parts beyond the end are dropped.
  void mix(double startSeconds, const std::vector<double>& snippet, double gain = 1.0);

 private:
  std::vector<double> samples_;
};

enum class Wave { Sine, Square, Saw, Triangle, Pulse25 };

// Attack/decay/sustain/release; the release starts when the gate closes.
struct Envelope {
  double attack = 0.005;
  double decay = 0.08;
  double sustain = 0.7;
  double release = 0.08;
  double at(double t, double gate) const;
};

// A pitched voice: one or two detuned oscillators, optional glide, vibrato
// and a low-pass filter that opens with the envelope (brass, plucks).
struct Voice {
  Wave wave = Wave::Sine;
  double freq = 440.0;
  double glideTo = 0.0;  // end frequency of a straight glide; 0 = none
  double amp = 0.3;
  Envelope env;
  double vibratoHz = 0.0;
  double vibratoCents = 0.0;
  double detuneCents = 0.0;  // adds a second oscillator this far sharp
  double cutoff = 0.0;       // low-pass cutoff in Hz; 0 = unfiltered
  double cutoffEnv = 0.0;    // extra cutoff in Hz at full envelope
};

double midiToHz(double note);

// Renders a voice whose gate is open for `gate` seconds (plus its release).
std::vector<double> renderVoice(const Voice& v, double gate);

// Renders a struck metal body: partials at the given frequency ratios,
// each decaying exponentially; higher partials die sooner.
struct Partial {
  double ratio;
  double amp;
  double decay;  // seconds to fall to 1/e
};
std::vector<double> renderStrike(double freq, double amp, const std::vector<Partial>& partials, double length);

// Renders white noise shaped by an amplitude curve and a resonant band-pass
// whose centre follows a curve; q near 0.5 is broad, higher rings more.
std::vector<double> renderFilteredNoise(Rng& rng, double length, const std::function<double(double)>& amp,
                                        const std::function<double(double)>& centreHz, double q);

// Renders low-passed noise with an exponential decay: thumps, clicks, slams.
std::vector<double> renderNoiseHit(Rng& rng, double length, double amp, double decay, double cutoffHz);

// Removes any DC offset, fades both ends so the effect starts and stops at
// silence, and scales it to the wanted peak.
void finish(Sound& sound, double peak, double fadeInSeconds, double fadeOutSeconds);

}  // namespace sfx
