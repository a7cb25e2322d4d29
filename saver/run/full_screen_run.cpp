#include "saver/run/full_screen_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

#include "common/bmp_file.h"
#include "common/texture_files.h"
#include "common/user_folders.h"
#include "saver/forms/end_signals.h"
#include "saver/forms/errors.h"
#include "saver/forms/files.h"
#include "saver/forms/process.h"
#include "saver/forms/program.h"
#include "saver/forms/random.h"
#include "saver/forms/screen.h"
#include "saver/forms/window.h"
#include "saver/hosted/hosted_run.h"
#include "saver/mode_letter.h"
#include "saver/music/music.h"
#include "saver/shell_state.h"

namespace Lumevar_S {

orvanth::run::PlanetOrderArray PlanetOrder{};
std::string RendererPath;

}  // namespace Lumevar_S

namespace orvanth::run {

using forms::step;

// A hosted run asks the host window this often whether it is still there.
constexpr int kHostWatchIntervalMs = 250;

namespace {

constexpr int kTimer1Interval = 1000;
constexpr int kTimer2Interval = 200;
constexpr int kTimer3Interval = 50;

// The renderer's grace between the request to end and the kill: the whole
// end must stay within the second a host allows.
constexpr std::chrono::milliseconds kRendererGrace{500};
// At the mouse watch's end the renderer normally ends on its own test of the
// same move; it gets this long for that before it is ended.
constexpr std::chrono::milliseconds kRendererOwnEnd{1000};
// The longest the shell waits for the renderer's first frame before it
// starts its own runtime and the music anyway; llvmpipe takes about 0.3 s.
constexpr std::chrono::milliseconds kRendererFirstFrame{1500};
// What the end may take at most, even when stopping the music never returns
// (seen in Wine's MP3 player): the renderer's end comes first, then the
// music gets a second.
constexpr std::chrono::milliseconds kEndLimit =
    kRendererOwnEnd + kRendererGrace + std::chrono::milliseconds{1000};

// Module state (one form, one thread): the loaded form's controls, the
// renderer this run started, and a hosted run's watch on its host window.
struct RunState {
  std::unique_ptr<Lumevar_S::Controls> controls;
  forms::ProcessId renderer = forms::kNoProcess;
  std::unique_ptr<forms::Timer> host_watch;
};
RunState state;

double reseeded_draw() {
  forms::randomize();
  return forms::rnd();
}

// Creates the form's controls and connects the timers, without running
// Form_Load. Safe to call more than once.
void make_controls() {
  if (state.controls) {
    return;
  }
  state.controls = std::make_unique<Lumevar_S::Controls>();
  Lumevar_S::Controls& c = *state.controls;
  const double twips_x = forms::twips_per_pixel_x();
  const double twips_y = forms::twips_per_pixel_y();
  for (int i = 1; i <= kPictureCount; ++i) {
    Lumevar_S::PictureBox& box = c.Pic_Planet.at(static_cast<std::size_t>(i));
    box.picture = art::planet_map(i);
    box.size = box_size(box.picture, twips_x, twips_y);
  }
  c.Timer1.set_interval(kTimer1Interval);
  c.Timer2.set_interval(kTimer2Interval);
  c.Timer3.set_interval(kTimer3Interval);
  c.Timer1.on_tick(&Lumevar_S::Timer1_Timer);
  c.Timer2.on_tick(&Lumevar_S::Timer2_Timer);
  c.Timer3.on_tick(&Lumevar_S::Timer3_Timer);
  // Enabled here, ticking once Form_Load has returned to the event loop. A
  // host owns the mouse and ends a hosted run itself.
  if (!hosted::is_hosted()) {
    c.Timer3.set_enabled(true);
  }
}

// Writes a picture box's image to path as a texture file; says why on
// stderr when it cannot.
bool write_box(const Lumevar_S::PictureBox& box, const std::string& path) {
  const std::vector<std::uint8_t> rgb = box.image();
  std::string error;
  if (write_bmp_file(path, box.size.width, box.size.height, rgb.data(), &error)) {
    return true;
  }
  // The run shows nothing; the renderer's box names only the missing file.
  std::fprintf(stderr, "Orvanth.scr: cannot write the texture %s: %s\n", path.c_str(),
               error.c_str());
  std::fflush(stderr);
  return false;
}

// True when the pointer at `now` is more than the mouse test allows from
// `from`.
bool moved_far(const std::optional<forms::PointerPosition>& from,
               const std::optional<forms::PointerPosition>& now) {
  return from && now && cursor_moved_far(from->x, from->y, now->x, now->y);
}

// Waits up to kRendererFirstFrame for the renderer's first frame, so that the
// shell's runtime and the music start after it rather than beside it on the
// same cores. Gives the pointer's position from before the wait: a far move
// from there, during the wait or the start-up after it, ends the wait and
// makes that position the run's sample, so the watch's first tick ends the
// run.
std::optional<forms::PointerPosition> wait_for_first_frame() {
  const auto from = forms::pointer_position();
  const auto deadline = std::chrono::steady_clock::now() + kRendererFirstFrame;
  constexpr std::chrono::milliseconds kSlice{kTimer3Interval};
  while (std::chrono::steady_clock::now() < deadline &&
         !moved_far(from, forms::pointer_position())) {
    const auto slice_end = std::chrono::steady_clock::now() + kSlice;
    if (forms::process_ready_within(state.renderer, kSlice)) {
      break;
    }
    // A renderer that can no longer say anything (it ended, or had no
    // socket): what is left of the slice waits for its end instead.
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        slice_end - std::chrono::steady_clock::now());
    if (forms::process_ends_within(state.renderer, std::max(left, std::chrono::milliseconds{0}))) {
      break;
    }
  }
  return from;
}

// The program ends by itself a few seconds from now, even if a step of its
// end never returns.
void arm_end_limit() {
  step([] { forms::end_program_after(kEndLimit); });
}

// The renderer this run started is given a moment to end on its own test of
// the move that ended the run, then ended and reaped.
void end_renderer_after_own_end() {
  step([] {
    if (!forms::process_ends_within(state.renderer, kRendererOwnEnd)) {
      forms::end_process(state.renderer, kRendererGrace);
    }
  });
}

}  // namespace

void end_run_steps() {
  music::stop_music(Lumevar_S::controls().Timer2);
  step([] {
    // A hosted run never hid the cursor.
    if (mode_letter(forms::command_line()) == 'S' && !hosted::is_hosted()) {
      forms::show_cursor();
    }
  });
}

void end_run_and_renderer() {
  arm_end_limit();
  step([] { forms::end_process(state.renderer, kRendererGrace); });
  end_run_steps();
  forms::end_program();
}

}  // namespace orvanth::run

namespace Lumevar_S {

using namespace orvanth;
using forms::step;

std::vector<std::uint8_t> PictureBox::image() const { return run::box_image(picture, size); }

Controls& controls() {
  run::make_controls();
  return *run::state.controls;
}

void ShufflePlanets() { PlanetOrder = run::shuffle_planets(run::reseeded_draw); }

void Form_Load() {
  Controls& c = controls();
  const auto files = TextureFileNames();
  step([] { ShufflePlanets(); });
  for (std::size_t i = 1; i <= 6; ++i) {
    step([&] {
      // Deleted only when the new file could not be written: the atomic
      // replace leaves the same result without a moment in which another
      // copy's renderer finds the file missing.
      const auto picture = static_cast<std::size_t>(PlanetOrder.at(i));
      if (!run::write_box(c.Pic_Planet.at(picture), files[i])) {
        forms::delete_file(files[i]);
      }
    });
  }
  step([&] {
    const auto k = static_cast<std::size_t>(run::water_picture(run::reseeded_draw()));
    run::write_box(c.Pic_Planet.at(k), files[0]);
  });
  step([] {
    RendererPath = path_in(forms::program_folder(), "Orvanth.data");
    run::state.renderer = forms::start_process(RendererPath, hosted::hosted_run().window);
  });
  // The picture first; a renderer that never shows one only delays the rest.
  std::optional<forms::PointerPosition> before;
  step([&] { before = run::wait_for_first_frame(); });
  step([] { forms::start_runtime(); });
  music::start_music(c.Timer1, c.Timer2);
  step([&] {
    const auto now = forms::pointer_position();
    const auto p = run::moved_far(before, now) ? before : now;
    MouseX = p ? static_cast<std::int16_t>(p->x) : std::int16_t{0};
    MouseY = p ? static_cast<std::int16_t>(p->y) : std::int16_t{0};
  });
}

void Timer1_Timer() {
  step([] { PollMp3(); });
}

void Timer2_Timer() {
  step([] { PollCd(); });
  step([] { controls().Timer2.set_enabled(CdActive); });
}

void Timer3_Timer() {
  step([] {
    const auto p = forms::pointer_position();
    const int x = p ? p->x : 0;
    const int y = p ? p->y : 0;
    // Where no client can read the pointer (a Wayland session) the renderer
    // alone sees the mouse: the run ends with it, and its music with it.
    const bool picture_gone =
        !p && forms::process_ends_within(run::state.renderer, std::chrono::milliseconds{0});
    if (picture_gone || run::cursor_moved_far(MouseX, MouseY, x, y)) {
      controls().Timer3.set_enabled(false);
      Form_QueryUnload();
    }
  });
}

void Form_QueryUnload() {
  run::arm_end_limit();
  // A hung renderer would otherwise hold the screen with nothing left to end
  // it; ended before the music, whose stop may never return.
  run::end_renderer_after_own_end();
  run::end_run_steps();
  forms::end_program();
}

}  // namespace Lumevar_S

// Main's hand-over: the form is loaded, never shown. A close request from
// the system (a signal) ends the run as the mouse watch does, and the
// renderer with it, so no picture is left on a screen whose cursor is hidden.
void load_full_screen_run() {
  using namespace orvanth;
  run::make_controls();
  forms::watch_end_signals([] { run::end_run_and_renderer(); });
  if (const auto host = hosted::hosted_run().window) {
    auto watch = std::make_unique<forms::Timer>();
    watch->set_interval(run::kHostWatchIntervalMs);
    watch->on_tick([window = *host] {
      if (!forms::window_exists(window)) {
        run::end_run_and_renderer();
      }
    });
    watch->set_enabled(true);
    run::state.host_watch = std::move(watch);
  }
  orvanth::forms::note_form_loaded();
  Lumevar_S::Form_Load();
}
