// The time-seeded generator.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "saver/forms/random.h"

namespace {

using orvanth::forms::RandomGenerator;

TEST(Random, ReseedingWithOneSecondsSeedDoesNotRepeatTheDraw) {
  RandomGenerator generator;
  std::set<double> draws;
  for (int i = 0; i < 12; ++i) {
    generator.randomize(41000.0);  // the same second before every draw
    draws.insert(generator.next());
  }
  EXPECT_EQ(draws.size(), 12U);
}

TEST(Random, DrawsAreUniformInTheHalfOpenUnitInterval) {
  RandomGenerator generator;
  generator.randomize(12345.678);
  std::array<int, 10> buckets{};
  for (int i = 0; i < 100000; ++i) {
    const double v = generator.next();
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
    ++buckets[static_cast<std::size_t>(v * 10)];
  }
  for (const int count : buckets) {
    EXPECT_NEAR(count, 10000, 500);
  }
}

TEST(Random, DifferentSeedsGiveDifferentSequences) {
  RandomGenerator a;
  RandomGenerator b;
  a.randomize(1.0);
  b.randomize(2.0);
  EXPECT_NE(a.next(), b.next());
}

TEST(Random, TheClockSeedIsSecondsSinceMidnight) {
  const double s = orvanth::forms::seconds_since_midnight();
  EXPECT_GE(s, 0.0);
  EXPECT_LT(s, 86401.0);
}

}  // namespace
