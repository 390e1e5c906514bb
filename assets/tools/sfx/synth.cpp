#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sfx {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Band-limited step correction, so saws and squares do not hiss with aliases
// at our modest sample rate.
double polyBlep(double phase, double dt) {
  if (phase < dt) {
    const double t = phase / dt;
    return t + t - t * t - 1.0;
  }
  if (phase > 1.0 - dt) {
    const double t = (phase - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double oscillator(Wave wave, double phase, double dt) {
  switch (wave) {
    case Wave::Sine:
      return std::sin(kTwoPi * phase);
    case Wave::Saw:
      return 2.0 * phase - 1.0 - polyBlep(phase, dt);
    case Wave::Square: {
      double v = phase < 0.5 ? 1.0 : -1.0;
      v += polyBlep(phase, dt);
      v -= polyBlep(std::fmod(phase + 0.5, 1.0), dt);
      return v;
    }
    case Wave::Pulse25: {
      double v = phase < 0.25 ? 1.0 : -1.0;
      v += polyBlep(phase, dt);
      v -= polyBlep(std::fmod(phase + 0.75, 1.0), dt);
      return v;
    }
    case Wave::Triangle:
      return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
  }
  return 0.0;
}

// Topology-preserving state-variable filter: stays stable while its cutoff moves.
class Svf {
 public:
  struct Out {
    double low, band, high;
  };
  Out process(double in, double cutoffHz, double q) {
    const double fc = std::clamp(cutoffHz, 20.0, 0.45 * kSampleRate);
    const double g = std::tan(std::numbers::pi * fc / kSampleRate);
    const double k = 1.0 / std::max(q, 0.05);
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = in - ic2_;
    const double v1 = a1 * ic1_ + a2 * v3;
    const double v2 = ic2_ + a2 * ic1_ + a3 * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return {v2, v1, in - k * v1 - v2};
  }

 private:
  double ic1_ = 0.0;
  double ic2_ = 0.0;
};

std::size_t samplesFor(double seconds) {
  return static_cast<std::size_t>(std::max(0.0, std::round(seconds * kSampleRate)));
}

}  // namespace

double Rng::unit() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  const std::uint64_t r = state_ * 0x2545F4914F6CDD1Dull;
  return static_cast<double>(r >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::bipolar() { return 2.0 * unit() - 1.0; }

Sound::Sound(double seconds) : samples_(samplesFor(seconds), 0.0) {}

void Sound::mix(double startSeconds, const std::vector<double>& snippet, double gain) {
  const std::size_t start = samplesFor(startSeconds);
  for (std::size_t i = 0; i < snippet.size() && start + i < samples_.size(); ++i) {
    samples_[start + i] += gain * snippet[i];
  }
}

double Envelope::at(double t, double gate) const {
  auto held = [&](double u) {
    if (u < attack) return attack > 0.0 ? u / attack : 1.0;
    const double d = u - attack;
    if (d < decay) return 1.0 - (1.0 - sustain) * (d / decay);
    return sustain;
  };
  if (t < 0.0) return 0.0;
  if (t < gate) return held(t);
  const double level = held(gate);
  const double r = t - gate;
  if (release <= 0.0 || r >= release) return 0.0;
  return level * (1.0 - r / release);
}

double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

std::vector<double> renderVoice(const Voice& v, double gate) {
  const double length = gate + v.env.release;
  std::vector<double> out(samplesFor(length), 0.0);
  double phaseA = 0.0;
  double phaseB = 0.37;
  Svf filter;
  const double detune = std::pow(2.0, v.detuneCents / 1200.0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double f = v.freq;
    if (v.glideTo > 0.0 && gate > 0.0) {
      const double k = std::min(t / gate, 1.0);
      f = v.freq * std::pow(v.glideTo / v.freq, k);
    }
    if (v.vibratoHz > 0.0) {
      // Vibrato eases in, as a singer or a horn player would.
      const double depth = v.vibratoCents * std::min(t / 0.25, 1.0);
      f *= std::pow(2.0, depth * std::sin(kTwoPi * v.vibratoHz * t) / 1200.0);
    }
    const double dtA = f / kSampleRate;
    double s = oscillator(v.wave, phaseA, dtA);
    if (v.detuneCents != 0.0) {
      const double dtB = dtA * detune;
      s = 0.5 * (s + oscillator(v.wave, phaseB, dtB));
      phaseB = std::fmod(phaseB + dtB, 1.0);
    }
    phaseA = std::fmod(phaseA + dtA, 1.0);
    const double e = v.env.at(t, gate);
    if (v.cutoff > 0.0) {
      s = filter.process(s, v.cutoff + v.cutoffEnv * e, 0.7).low;
    }
    out[i] = v.amp * e * s;
  }
  return out;
}

std::vector<double> renderStrike(double freq, double amp, const std::vector<Partial>& partials, double length) {
  std::vector<double> out(samplesFor(length), 0.0);
  for (const Partial& p : partials) {
    const double f = freq * p.ratio;
    if (f >= 0.45 * kSampleRate) continue;
    const double w = kTwoPi * f / kSampleRate;
    for (std::size_t i = 0; i < out.size(); ++i) {
      const double t = static_cast<double>(i) / kSampleRate;
      // A 2 ms onset keeps the strike from clicking.
      const double onset = std::min(t / 0.002, 1.0);
      out[i] += amp * p.amp * onset * std::exp(-t / p.decay) * std::sin(w * static_cast<double>(i));
    }
  }
  return out;
}

std::vector<double> renderFilteredNoise(Rng& rng, double length, const std::function<double(double)>& amp,
                                        const std::function<double(double)>& centreHz, double q) {
  std::vector<double> out(samplesFor(length), 0.0);
  Svf filter;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    out[i] = amp(t) * filter.process(rng.bipolar(), centreHz(t), q).band;
  }
  return out;
}

std::vector<double> renderNoiseHit(Rng& rng, double length, double amp, double decay, double cutoffHz) {
  std::vector<double> out(samplesFor(length), 0.0);
  Svf filter;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double onset = std::min(t / 0.001, 1.0);
    out[i] = amp * onset * std::exp(-t / decay) * filter.process(rng.bipolar(), cutoffHz, 0.6).low;
  }
  return out;
}

void finish(Sound& sound, double peak, double fadeInSeconds, double fadeOutSeconds) {
  auto& s = sound.samples();
  if (s.empty()) return;
  // A gentle one-pole high-pass removes DC and sub-bass rumble.
  double prevIn = 0.0;
  double prevOut = 0.0;
  const double r = std::exp(-kTwoPi * 25.0 / kSampleRate);
  for (double& x : s) {
    const double y = x - prevIn + r * prevOut;
    prevIn = x;
    prevOut = y;
    x = y;
  }
  // Raised-cosine fades: no click at either end, whatever the sound does there.
  auto fade = [&](std::size_t n, bool atEnd) {
    n = std::min(n, s.size() / 2);
    for (std::size_t i = 0; i < n; ++i) {
      const double g = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
      s[atEnd ? s.size() - 1 - i : i] *= g;
    }
  };
  fade(samplesFor(fadeInSeconds), false);
  fade(samplesFor(fadeOutSeconds), true);
  double top = 0.0;
  for (double x : s) top = std::max(top, std::abs(x));
  if (top > 0.0) {
    for (double& x : s) x *= peak / top;
  }
}

}  // namespace sfx
