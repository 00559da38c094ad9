#include "sounds.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace assetmaker {

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;  // -1 .. 1

Samples Silence(double seconds) {
  return Samples(static_cast<size_t>(seconds * kRate), 0.0);
}

// A tone whose frequency glides from f0 to f1, with a short attack and an exponential decay.
Samples Tone(double f0, double f1, double seconds, double decay, double volume = 0.5,
             double harmonics = 0.3) {
  Samples s(static_cast<size_t>(seconds * kRate));
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double f = f0 + (f1 - f0) * t / seconds;
    phase += 2.0 * kPi * f / kRate;
    const double attack = std::min(1.0, t / 0.005);
    const double release = std::min(1.0, (seconds - t) / 0.01);
    const double env = attack * release * std::exp(-decay * t);
    s[i] = volume * env *
           (std::sin(phase) + harmonics * std::sin(2.0 * phase) + harmonics * 0.5 * std::sin(3.0 * phase)) /
           (1.0 + 1.5 * harmonics);
  }
  return s;
}

// Filtered noise with an exponential decay (explosions, clicks).
Samples Noise(double seconds, double decay, double smoothing, double volume, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  Samples s(static_cast<size_t>(seconds * kRate));
  double low = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    low += (u(rng) - low) * smoothing;
    const double release = std::min(1.0, (seconds - t) / 0.01);
    s[i] = volume * release * std::exp(-decay * t) * low;
  }
  return s;
}

// Mixes b into a from `at` seconds on.
void Mix(Samples& a, const Samples& b, double at) {
  const size_t start = static_cast<size_t>(at * kRate);
  if (a.size() < start + b.size()) a.resize(start + b.size(), 0.0);
  for (size_t i = 0; i < b.size(); ++i) a[start + i] += b[i];
}

Samples Sequence(const std::vector<double>& notes, double step, double length, double decay, double volume) {
  Samples s;
  for (size_t i = 0; i < notes.size(); ++i) Mix(s, Tone(notes[i], notes[i], length, decay, volume), step * i);
  return s;
}

bool WriteWave(const QString& path, const Samples& samples) {
  QByteArray data;
  data.reserve(static_cast<qsizetype>(samples.size() * 2));
  for (double v : samples) {
    const auto x = static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32000.0));
    data.append(static_cast<char>(x & 0xff));
    data.append(static_cast<char>((x >> 8) & 0xff));
  }
  auto u32 = [](QByteArray& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xff));
  };
  auto u16 = [](QByteArray& b, uint16_t v) {
    b.append(static_cast<char>(v & 0xff));
    b.append(static_cast<char>(v >> 8));
  };
  QByteArray file("RIFF");
  u32(file, static_cast<uint32_t>(36 + data.size()));
  file.append("WAVEfmt ");
  u32(file, 16);
  u16(file, 1);  // PCM
  u16(file, 1);  // mono
  u32(file, kRate);
  u32(file, kRate * 2);
  u16(file, 2);
  u16(file, 16);
  file.append("data");
  u32(file, static_cast<uint32_t>(data.size()));
  file.append(data);
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly)) return false;
  out.write(file);
  return out.commit();
}

}  // namespace

bool WriteSounds(const QString& folder) {
  const QDir dir(folder);
  struct Sound {
    const char* name;
    std::function<Samples()> make;
  };
  const std::vector<Sound> sounds = {
      // The title's fanfare: a rising arpeggio over a low drone.
      {"gamestart.wav",
       [] {
         Samples s = Tone(110, 110, 1.6, 1.2, 0.35, 0.6);
         Mix(s, Sequence({262, 330, 392, 523, 659}, 0.16, 0.9, 2.5, 0.3), 0.05);
         return s;
       }},
      // Button presses: short ticks.
      {"click1.wav",
       [] {
         Samples s = Noise(0.03, 120, 0.6, 0.6, 1);
         Mix(s, Tone(1800, 1200, 0.025, 100, 0.3), 0);
         return s;
       }},
      {"click2.wav",
       [] {
         Samples s = Noise(0.025, 140, 0.4, 0.4, 2);
         Mix(s, Tone(1200, 900, 0.02, 120, 0.2), 0);
         return s;
       }},
      {"turn.wav",
       [] {
         return Sequence({784, 1047}, 0.12, 0.35, 7, 0.4);
       }},
      {"battlestart.wav",
       [] {
         Samples s;
         for (int i = 0; i < 3; ++i) Mix(s, Tone(520, 780, 0.22, 2, 0.45, 0.8), 0.26 * i);
         return s;
       }},
      {"battlewon.wav",
       [] {
         Samples s = Sequence({392, 523, 659}, 0.14, 0.3, 4, 0.35);
         Mix(s, Tone(784, 784, 0.8, 2.5, 0.35, 0.5), 0.42);
         Mix(s, Tone(523, 523, 0.8, 2.5, 0.25, 0.5), 0.42);
         return s;
       }},
      {"battlelost.wav",
       [] {
         Samples s = Sequence({440, 392, 349}, 0.22, 0.4, 3, 0.35);
         Mix(s, Tone(294, 220, 0.9, 2.0, 0.4, 0.6), 0.66);
         return s;
       }},
      {"bomb.wav",
       [] {
         Samples s = Noise(1.2, 3.5, 0.08, 0.9, 3);
         Mix(s, Tone(90, 40, 0.8, 4, 0.5, 0.2), 0);
         return s;
       }},
      {"reinforcements.wav",
       [] {
         return Sequence({523, 659, 784}, 0.1, 0.25, 8, 0.4);
       }},
      // The pulse bomb: a wide sweep that wobbles.
      {"pulse.wav",
       [] {
         Samples s(static_cast<size_t>(1.2 * kRate));
         double phase = 0;
         for (size_t i = 0; i < s.size(); ++i) {
           const double t = static_cast<double>(i) / kRate;
           const double f = 200 + 500 * t + 80 * std::sin(2 * kPi * 9 * t);
           phase += 2 * kPi * f / kRate;
           s[i] = 0.45 * std::sin(phase) * std::min(1.0, t / 0.02) * std::min(1.0, (1.2 - t) / 0.3);
         }
         return s;
       }},
      {"pulsegot.wav",
       [] {
         Samples s = Tone(1600, 300, 0.45, 3, 0.45, 0.5);
         Mix(s, Noise(0.3, 10, 0.3, 0.3, 4), 0);
         return s;
       }},
      // A scout's sonar ping and its echo.
      {"scout.wav",
       [] {
         Samples s = Tone(1320, 1320, 0.5, 6, 0.45, 0.05);
         Mix(s, Tone(1320, 1320, 0.5, 8, 0.15, 0.05), 0.3);
         return s;
       }},
      {"gameinfo.wav",
       [] {
         return Sequence({880, 1175}, 0.07, 0.18, 14, 0.35);
       }},
      {"timer.wav",
       [] {
         Samples s;
         for (int i = 0; i < 3; ++i) Mix(s, Tone(1000, 1000, 0.12, 4, 0.4, 0.4), 0.18 * i);
         return s;
       }},
      {"message.wav",
       [] {
         return Sequence({1047, 1397}, 0.09, 0.2, 12, 0.35);
       }},
  };
  for (const Sound& sound : sounds) {
    Samples s = sound.make();
    Mix(s, Silence(0.02), static_cast<double>(s.size()) / kRate);
    if (!WriteWave(dir.filePath(QString::fromLatin1(sound.name)), s)) return false;
  }
  return true;
}

}  // namespace assetmaker
