// The invisible full-screen form Lumevar_S: writes the seven texture files,
// starts the renderer and the music, and ends the run when the mouse has
// moved far enough (or the system asks the shell to close).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "saver/art/resources.h"
#include "saver/forms/timer.h"
#include "saver/run/run_rules.h"

// The form's handlers and variables carry the form's name, as the other
// forms of the shell have handlers of the same names.
namespace Lumevar_S {

// A picture box: one planet map drawn at its top-left corner on grey 128.
struct PictureBox {
  orvanth::art::Picture picture{};
  orvanth::run::BoxSize size{};
  // The box's image at its inner size, RGB top row first.
  std::vector<std::uint8_t> image() const;
};

// The form's controls, made when the form loads.
struct Controls {
  std::array<PictureBox, 13> Pic_Planet{};  // indices 1 to 12
  orvanth::forms::Timer Timer1;             // 1000 ms, off: MP3 poll
  orvanth::forms::Timer Timer2;             // 200 ms, off: CD poll
  orvanth::forms::Timer Timer3;             // 50 ms, on: mouse watch
};
Controls& controls();

// Form variables.
extern orvanth::run::PlanetOrderArray PlanetOrder;
extern std::string RendererPath;

void Form_Load();
void ShufflePlanets();
void Timer1_Timer();
void Timer2_Timer();
void Timer3_Timer();
// The end of the run: music stopped, cursor shown again for "S", program
// ended at once.
void Form_QueryUnload();

}  // namespace Lumevar_S

namespace orvanth::run {

// Steps 1 to 3 of Form_QueryUnload: everything but the end of the program.
void end_run_steps();

// The end on a close signal or a vanished host window: the renderer this run
// started is ended and reaped, then the run's end steps, then the program.
[[noreturn]] void end_run_and_renderer();

}  // namespace orvanth::run

// Loads (does not show) the invisible full-screen form Lumevar_S, whose load
// handler starts the run.
void load_full_screen_run();
