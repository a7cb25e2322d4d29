// The per-frame simulation work allocates nothing.
#include <gtest/gtest.h>

#include <string>

#include "renderer/scene/planets.h"
#include "renderer/scene/water.h"
#include "renderer/scene/water_clock.h"
#include "tests/scene/alloc_counter.h"

namespace {

TEST(SceneSimulationAllocations, FramesOfBounceAndWaterAllocateNothing) {
  orvanth::clear_water();
  orvanth::reset_planets();
  orvanth::test::start_counting_allocations();
  for (std::int32_t frame = 0; frame < 400; ++frame) {
    orvanth::update_planets(frame * 37);
    orvanth::advance_water();
    orvanth::advance_water_to(frame * 37);
  }
  const std::size_t counted = orvanth::test::stop_counting_allocations();
  EXPECT_EQ(counted, 0U);
}

TEST(SceneSimulationAllocations, CounterSeesAllocations) {
  orvanth::test::start_counting_allocations();
  auto* probe = new std::string(100, 'x');
  const std::size_t counted = orvanth::test::stop_counting_allocations();
  const std::size_t counted_new = orvanth::test::counted_new_allocations();
  delete probe;
  EXPECT_GE(counted, 1U);
  EXPECT_GE(counted_new, 1U);
}

}  // namespace
