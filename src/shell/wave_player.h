// Plays a wave file to its end before returning, as the game's sounds are played: the window
// waits while a sound plays. Where no audio output exists the call is silent and returns at
// once, and every wait is bounded by the sound's own length, so a sound never stalls the game.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace zarnath {

struct WaveSound {
  QAudioFormat format;
  QByteArray samples;  // the PCM data
  qint64 durationMs = 0;
};

// Reads a RIFF wave file of 8- or 16-bit PCM, mono or stereo; nothing for anything else.
std::optional<WaveSound> ParseWave(const QByteArray& file);

// True when the desktop has an audio output to play on.
bool HasAudioOutput();

// Plays sounds to their end through the desktop's sound server (PulseAudio or PipeWire). The
// sound is handed to the server on a thread of its own while the caller's thread waits,
// handling no events; the wait is bounded by the sound's length plus a short margin, so a
// stuck server costs at most that, and while it stays stuck later sounds are silent.
class WavePlayer {
 public:
  WavePlayer();
  ~WavePlayer();
  WavePlayer(const WavePlayer&) = delete;
  WavePlayer& operator=(const WavePlayer&) = delete;

  // Silent and immediate without an audio output.
  void PlayToEnd(const WaveSound& sound);

 private:
  struct Output;
  std::shared_ptr<Output> output_;
};

}  // namespace zarnath
