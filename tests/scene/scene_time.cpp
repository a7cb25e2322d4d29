// The frame loop's clock, for programs that drive the scene without the loop.
#include <cstdint>

std::int32_t SceneTime = 0;
