// Test support: records what reaches the test sound server's null sink (its
// monitor, via parec) and judges level and dominant frequency of the latest
// audio.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace orvanth::test {

struct Sound {
  double rms = 0;          // 0..1 of full scale
  double dominant_hz = 0;  // strongest frequency between 100 and 2000 Hz
};

inline constexpr int kCaptureRate = 8000;

Sound analyse(const std::vector<std::int16_t>& samples);

class SinkCapture {
 public:
  SinkCapture();  // starts recording; started() tells whether it worked
  SinkCapture(const SinkCapture&) = delete;
  SinkCapture& operator=(const SinkCapture&) = delete;
  ~SinkCapture();

  bool started() const { return pid_ > 0; }
  // The last window_ms of audio; shorter when less has arrived.
  std::vector<std::int16_t> latest(int window_ms) const;
  Sound now(int window_ms = 100) const { return analyse(latest(window_ms)); }
  // Total samples received so far.
  std::size_t received() const;

 private:
  void read_loop();

  pid_t pid_ = -1;
  int fd_ = -1;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::int16_t> samples_;
  std::thread reader_;
};

bool is_tone(const Sound& s, double hz);
bool is_silent(const Sound& s);

}  // namespace orvanth::test
