#include "saver/run/full_screen_run.h"

#include <chrono>
#include <exception>
#include <memory>

#include "common/bmp_file.h"
#include "common/texture_files.h"
#include "saver/run/end_signals.h"
#include "saver/forms/files.h"
#include "saver/forms/process.h"
#include "saver/forms/program.h"
#include "saver/forms/random.h"
#include "saver/forms/screen.h"
#include "saver/hosted/hosted_run.h"
#include "saver/music/music.h"
#include "saver/shell_state.h"
#include "saver/startup_support.h"

namespace Lumevar_S {

orvanth::run::PlanetOrderArray PlanetOrder{};
std::string RendererPath;

}  // namespace Lumevar_S

namespace orvanth::run {

// A hosted run asks the host window this often whether it is still there.
constexpr int kHostWatchIntervalMs = 250;

namespace {

constexpr int kTimer1Interval = 1000;
constexpr int kTimer2Interval = 200;
constexpr int kTimer3Interval = 50;

// SIGTERM's grace for the renderer before SIGKILL: the whole end must stay
// within the second a host allows.
constexpr std::chrono::milliseconds kRendererGrace{500};

// Module state: the loaded form's controls (one form, one thread).
std::unique_ptr<Lumevar_S::Controls> form_controls;
pid_t renderer_pid = -1;

// On error, continue with the next step.
template <typename Step>
void step(Step&& body) {
  try {
    body();
  } catch (const std::exception&) {
  }
}

double reseeded_draw() {
  forms::randomize();
  return forms::rnd();
}

music::FileKind bgm_file_kind() { return music::file_kind(BgmFile); }

}  // namespace

void make_controls() {
  if (form_controls) {
    return;
  }
  form_controls = std::make_unique<Lumevar_S::Controls>();
  Lumevar_S::Controls& c = *form_controls;
  const double twips_x = forms::twips_per_pixel_x();
  const double twips_y = forms::twips_per_pixel_y();
  for (int i = 1; i <= kPictureCount; ++i) {
    c.Pic_Planet[i].picture = art::PlanetMap(i);
    c.Pic_Planet[i].size = box_size(c.Pic_Planet[i].picture, twips_x, twips_y);
  }
  c.Timer1.setInterval(kTimer1Interval);
  c.Timer2.setInterval(kTimer2Interval);
  c.Timer3.setInterval(kTimer3Interval);
  QObject::connect(&c.Timer1, &QTimer::timeout, &Lumevar_S::Timer1_Timer);
  QObject::connect(&c.Timer2, &QTimer::timeout, &Lumevar_S::Timer2_Timer);
  QObject::connect(&c.Timer3, &QTimer::timeout, &Lumevar_S::Timer3_Timer);
  // Started here, ticking once Form_Load has returned to the event loop. A
  // host owns the mouse and ends a hosted run itself.
  if (!hosted::is_hosted()) {
    c.Timer3.start();
  }
}

bool write_box(const Lumevar_S::PictureBox& box, const std::string& path) {
  const std::vector<std::uint8_t> rgb = box.image();
  return WriteBmpFile(path, box.size.width, box.size.height, rgb.data());
}

void end_run_steps() {
  Lumevar_S::Controls& c = Lumevar_S::controls();
  step([&] {
    if (c.Timer2.isActive()) {
      c.Timer2.stop();
      CloseCd();
    }
  });
  step([] {
    if (BgmType == 2) {
      const music::FileKind kind = bgm_file_kind();
      if (kind == music::FileKind::Wav) {
        StopWav();
      } else if (kind == music::FileKind::Mp3) {
        CloseMp3();
      }
    }
  });
  step([] {
    // A hosted run never hid the cursor.
    if (mode_letter(forms::command_line()) == 'S' && !hosted::is_hosted()) {
      forms::show_cursor();
    }
  });
}

void end_run_and_renderer() {
  end_run_steps();
  step([] { forms::end_process(renderer_pid, kRendererGrace); });
  forms::end_program();
}

}  // namespace orvanth::run

namespace Lumevar_S {

using namespace orvanth;
using run::step;

std::vector<std::uint8_t> PictureBox::image() const { return run::box_image(picture, size); }

Controls& controls() {
  run::make_controls();
  return *run::form_controls;
}

void ShufflePlanets() { PlanetOrder = run::shuffle_planets(run::reseeded_draw); }

void Form_Load() {
  Controls& c = controls();
  const auto files = TextureFileNames();
  step([] { ShufflePlanets(); });
  for (int i = 1; i <= 6; ++i) {
    step([&] {
      // Deleted only when the new file could not be written: the atomic
      // replace leaves the same result without a moment in which another
      // copy's renderer finds the file missing.
      if (!run::write_box(c.Pic_Planet.at(PlanetOrder.at(i)), files[i])) {
        forms::delete_file(files[i]);
      }
    });
  }
  step([&] {
    const int k = run::water_picture(run::reseeded_draw());
    run::write_box(c.Pic_Planet.at(k), files[0]);
  });
  step([] {
    RendererPath = forms::program_folder() + "/Orvanth.data";
    run::renderer_pid = forms::start_process(RendererPath, hosted::host());
  });
  step([&] {
    if (BgmType == 1) {
      OpenCd();
      c.Timer2.start();
    }
  });
  step([&] {
    if (BgmType == 2) {
      const music::FileKind kind = run::bgm_file_kind();
      if (kind == music::FileKind::Wav) {
        PlayWav();
      } else if (kind == music::FileKind::Mp3) {
        PlayMp3();
        c.Timer1.start();
      }
    }
  });
  step([] {
    const auto p = forms::pointer_position();
    MouseX = p ? static_cast<std::int16_t>(p->x) : std::int16_t{0};
    MouseY = p ? static_cast<std::int16_t>(p->y) : std::int16_t{0};
  });
}

void Timer1_Timer() {
  step([] { PollMp3(); });
}

void Timer2_Timer() {
  step([] { PollCd(); });
  step([] {
    if (!CdActive) {
      controls().Timer2.stop();
    }
  });
}

void Timer3_Timer() {
  step([] {
    const auto p = forms::pointer_position();
    const int x = p ? p->x : 0;
    const int y = p ? p->y : 0;
    if (run::cursor_moved_far(MouseX, MouseY, x, y)) {
      controls().Timer3.stop();
      Form_QueryUnload();
    }
  });
}

void Form_QueryUnload() {
  run::end_run_steps();
  forms::end_program();
}

}  // namespace Lumevar_S

// Main's hand-over: the form is loaded, never shown. A close request from
// the system (a signal) ends the run as the mouse watch does, and the
// renderer with it, so no picture is left on a screen whose cursor is hidden.
void LoadFullScreenRun() {
  using namespace orvanth;
  run::make_controls();
  run::watch_end_signals([] { run::end_run_and_renderer(); });
  if (const auto host = hosted::host()) {
    // Lives as long as the program.
    auto* host_watch = new QTimer();
    host_watch->setInterval(run::kHostWatchIntervalMs);
    QObject::connect(host_watch, &QTimer::timeout, [window = *host] {
      if (!hosted::window_exists(window)) {
        run::end_run_and_renderer();
      }
    });
    host_watch->start();
  }
  orvanth::forms::note_form_loaded();
  Lumevar_S::Form_Load();
}
