#include "tests/support/sink_capture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <numbers>

#include "tests/support/wait.h"

namespace orvanth::test {

namespace {

double power_at(const std::vector<std::int16_t>& s, double hz) {
  const double w = 2.0 * std::numbers::pi * hz / kCaptureRate;
  const double coeff = 2.0 * std::cos(w);
  double s1 = 0;
  double s2 = 0;
  for (std::int16_t v : s) {
    const double s0 = v + coeff * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return s1 * s1 + s2 * s2 - coeff * s1 * s2;
}

}  // namespace

Sound analyse(const std::vector<std::int16_t>& samples) {
  Sound out;
  if (samples.empty()) {
    return out;
  }
  double sum = 0;
  for (std::int16_t v : samples) {
    sum += static_cast<double>(v) * v;
  }
  out.rms = std::sqrt(sum / static_cast<double>(samples.size())) / 32768.0;
  double best = -1;
  for (int bin = 10; bin <= 200; ++bin) {
    const double hz = bin * 10.0;
    const double p = power_at(samples, hz);
    if (p > best) {
      best = p;
      out.dominant_hz = hz;
    }
  }
  return out;
}

bool is_tone(const Sound& s, double hz) {
  return s.rms > 0.05 && std::fabs(s.dominant_hz - hz) <= 30;
}

bool is_silent(const Sound& s) { return s.rms < 0.005; }

SinkCapture::SinkCapture() {
  int fds[2];
  if (pipe(fds) != 0) {
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    execlp("parec", "parec", "-d", "orvanth_null.monitor", "--raw", "--format=s16le", "--rate=8000",
           "--channels=1", "--latency-msec=10", "--process-time-msec=10",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  if (pid_ < 0) {
    close(fds[0]);
    return;
  }
  fd_ = fds[0];
  reader_ = std::thread([this] { read_loop(); });
  // Recording has begun once the first audio (silence included) arrives.
  if (!wait_for([this] { return received() > 0; }, std::chrono::seconds(10))) {
    kill(pid_, SIGTERM);
    pid_ = -1;
  }
}

SinkCapture::~SinkCapture() {
  stop_ = true;
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
  }
  if (reader_.joinable()) {
    reader_.join();
  }
  if (fd_ >= 0) {
    close(fd_);
  }
  if (pid_ > 0) {
    waitpid(pid_, nullptr, 0);
  }
}

void SinkCapture::read_loop() {
  std::vector<char> buf(4096);
  bool odd = false;
  char carry = 0;
  while (!stop_) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) {
      continue;
    }
    const ssize_t n = read(fd_, buf.data(), buf.size());
    if (n <= 0) {
      return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (ssize_t i = 0; i < n; ++i) {
      if (!odd) {
        carry = buf[static_cast<std::size_t>(i)];
      } else {
        const auto lo = static_cast<std::uint8_t>(carry);
        const auto hi = static_cast<std::uint8_t>(buf[static_cast<std::size_t>(i)]);
        samples_.push_back(static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8))));
      }
      odd = !odd;
    }
  }
}

std::vector<std::int16_t> SinkCapture::latest(int window_ms) const {
  const std::size_t want = static_cast<std::size_t>(window_ms) * kCaptureRate / 1000;
  std::lock_guard<std::mutex> lock(mutex_);
  const std::size_t n = std::min(want, samples_.size());
  return {samples_.end() - static_cast<std::ptrdiff_t>(n), samples_.end()};
}

std::size_t SinkCapture::received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return samples_.size();
}

}  // namespace orvanth::test
