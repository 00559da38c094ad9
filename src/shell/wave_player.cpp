#include "shell/wave_player.h"

#include <pulse/simple.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace zarnath {

namespace {

uint32_t U32(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
  return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24);
}

uint16_t U16(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// Time the server may take beyond the sound's length before the caller goes on.
constexpr qint64 kLatencyMarginMs = 300;

}  // namespace

std::optional<WaveSound> ParseWave(const QByteArray& file) {
  if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return std::nullopt;
  int channels = 0, bits = 0;
  uint32_t rate = 0;
  bool haveFormat = false;
  qsizetype at = 12;
  while (at + 8 <= file.size()) {
    const QByteArray id = file.mid(at, 4);
    const qint64 size = U32(file, at + 4);
    const qsizetype body = at + 8;
    if (size > file.size() - body) {
      // A data chunk cut short keeps what is there; any other short chunk spoils the file.
      if (id != "data" || !haveFormat) return std::nullopt;
    }
    const qsizetype available = static_cast<qsizetype>(std::min<qint64>(size, file.size() - body));
    if (id == "fmt ") {
      if (available < 16 || U16(file, body) != 1) return std::nullopt;  // PCM only
      channels = U16(file, body + 2);
      rate = U32(file, body + 4);
      bits = U16(file, body + 14);
      if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < 1000 || rate > 192000)
        return std::nullopt;
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return std::nullopt;
      WaveSound sound;
      sound.format.setSampleRate(static_cast<int>(rate));
      sound.format.setChannelCount(channels);
      sound.format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
      const int frameBytes = channels * bits / 8;
      sound.samples = file.mid(body, available - available % frameBytes);
      sound.durationMs = sound.samples.size() / frameBytes * 1000 / rate;
      return sound;
    }
    at = body + available + (available & 1);  // chunks are padded to even sizes
  }
  return std::nullopt;
}

bool HasAudioOutput() {
  return !QMediaDevices::audioOutputs().isEmpty();
}

// What the caller and the thread that feeds the server share; the thread keeps it alive even
// when the player is gone.
struct WavePlayer::Output {
  std::mutex mutex;
  std::condition_variable ended;
  bool busy = false;  // the server still holds an earlier sound
};

WavePlayer::WavePlayer() : output_(std::make_shared<Output>()) {}

WavePlayer::~WavePlayer() = default;

void WavePlayer::PlayToEnd(const WaveSound& sound) {
  if (sound.samples.isEmpty()) return;
  if (QMediaDevices::audioOutputs().isEmpty()) return;
  std::shared_ptr<Output> out = output_;
  {
    std::lock_guard lock(out->mutex);
    if (out->busy) return;
    out->busy = true;
  }
  pa_sample_spec sampleFormat{};
  sampleFormat.format = sound.format.sampleFormat() == QAudioFormat::UInt8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
  sampleFormat.rate = static_cast<uint32_t>(sound.format.sampleRate());
  sampleFormat.channels = static_cast<uint8_t>(sound.format.channelCount());
  const QByteArray samples = sound.samples;
  std::thread([out, sampleFormat, samples] {
    int error = 0;
    if (pa_simple* stream = pa_simple_new(nullptr, "Zarnath", PA_STREAM_PLAYBACK, nullptr, "game sound",
                                          &sampleFormat, nullptr, nullptr, &error)) {
      if (pa_simple_write(stream, samples.constData(), static_cast<size_t>(samples.size()), &error) == 0)
        pa_simple_drain(stream, &error);
      pa_simple_free(stream);
    }
    std::lock_guard lock(out->mutex);
    out->busy = false;
    out->ended.notify_all();
  }).detach();
  std::unique_lock lock(out->mutex);
  out->ended.wait_for(lock, std::chrono::milliseconds(sound.durationMs + kLatencyMarginMs),
                      [&] { return !out->busy; });
}

}  // namespace zarnath
