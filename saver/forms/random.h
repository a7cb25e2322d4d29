// The runtime's time-seeded pseudo-random generator (Randomize / Rnd).
#pragma once

#include <cstdint>

namespace orvanth::forms {

class RandomGenerator {
 public:
  // Mixes seed into the state instead of replacing it, so reseeding with the
  // same seed (the same second) does not repeat the previous draw.
  void randomize(double seed);
  // A uniform value in [0, 1).
  double next();

 private:
  std::uint64_t state_ = 0x853C49E6748FEA9BULL;
};

// Seconds since midnight, local time, with fractions.
double seconds_since_midnight();

// The process-wide generator (one thread, no locking).
void randomize();  // seeds from seconds_since_midnight()
double rnd();

}  // namespace orvanth::forms
