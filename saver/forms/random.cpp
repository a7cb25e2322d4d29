#include "saver/forms/random.h"

#include <bit>
#include <chrono>
#include <ctime>

namespace orvanth::forms {
namespace {

std::uint64_t splitmix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31U);
}

RandomGenerator process_generator;  // module state: Randomize / Rnd

}  // namespace

void RandomGenerator::randomize(double seed) {
  state_ ^= std::bit_cast<std::uint64_t>(seed);
  splitmix(state_);
}

double RandomGenerator::next() { return static_cast<double>(splitmix(state_) >> 11U) * 0x1.0p-53; }

double seconds_since_midnight() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  // Only the GUI thread asks, so the C library's shared result is safe.
  std::tm local{};
  if (const std::tm* shared = std::localtime(&t)) {
    local = *shared;
  }
  const auto micros =
      std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count() %
      1000000;
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
         static_cast<double>(micros) / 1e6;
}

void randomize() { process_generator.randomize(seconds_since_midnight()); }

double rnd() { return process_generator.next(); }

}  // namespace orvanth::forms
