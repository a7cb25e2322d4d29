// The planet-over-water scene, as the frame loop sees it.
#pragma once

#include <cstdint>

// Smoothed milliseconds since the frame loop began; written by the loop once
// per frame before DrawFrame, read by the scene.
extern std::int32_t SceneTime;

// One-time GL state and the thirteen texture objects; the GL context is current
// and the window shown. A texture that cannot be loaded ends the process.
bool SetupScene();

// Draws one frame into the back buffer; called once per monitor, it moves
// the simulation on only in the first.
void DrawFrame();
