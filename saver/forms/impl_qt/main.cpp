// Orvanth.scr on Linux: the entry of the Qt + X11 forms runtime. The hosts'
// options are taken off the command line first; the rest is the screen
// saver's own command line (/s, /c, /p), kept before the forms runtime starts, so that no switch of
// ours is taken for a Qt option. A hosted run is settled here, before Main.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/impl_x11/connection.h"
#include "common/user_folders.h"
#include "saver/forms/program.h"
#include "saver/hosted/command_options.h"
#include "saver/hosted/hosted_run.h"
#include "saver/hosted/impl_linux/idle_launcher.h"
#include "saver/hosted/impl_linux/music_lock.h"
#include "saver/mode_letter.h"
#include "saver/startup.h"

int main(int argc, char** argv) {
  using namespace orvanth;
  // Named in messages as started: Orvanth.scr, or orvanth through its link.
  const std::string started = argc > 0 ? argv[0] : "Orvanth.scr";
  const std::string program = started.substr(started.rfind('/') + 1);
  const hosted::CommandOptions options = hosted::read_command_options(
      std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), program);
  switch (options.action) {
    case hosted::Action::kHelp:
      std::fputs(hosted::usage_text(program).c_str(), stdout);
      return 0;
    case hosted::Action::kVersion:
      std::fputs(hosted::version_text().c_str(), stdout);
      return 0;
    case hosted::Action::kFail:
      std::fprintf(stderr, "%s\n", options.error.c_str());
      return 1;
    case hosted::Action::kRun:
      break;
  }
  if (options.idle_minutes) {
    return hosted::run_idle_launcher(*options.idle_minutes,
                                     path_in(forms::program_folder(), "Orvanth.scr"));
  }
  std::vector<const char*> saver_argv{argc > 0 ? argv[0] : "Orvanth.scr"};
  for (const std::string& arg : options.saver_arguments) {
    saver_argv.push_back(arg.c_str());
  }
  forms::set_command_line(static_cast<int>(saver_argv.size()), saver_argv.data());
  const std::string& line = forms::command_line();
  const bool full_screen = mode_letter(line) == 'S' || line.empty();
  hosted::HostedRun hosted_run;
  if (x11::display() == nullptr) {
    // A Wayland session without XWayland: the run (its renderer draws
    // there natively) and the dialog, but no host's window to draw into.
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool hosted =
        hosted::host_window(options, full_screen, std::getenv("XSCREENSAVER_WINDOW"), 1)
            .has_value();
    if (wayland == nullptr || *wayland == '\0' || hosted) {
      std::fprintf(stderr, "%s: cannot open the X display; the saver needs X11 or Wayland%s\n",
                   program.c_str(), hosted ? " (a host's window is an X window)" : "");
      return 1;
    }
    // A preview goes into a host's X window: with none, nothing to show.
    if (mode_letter(line) == 'P') {
      return 0;
    }
    // The run's own form shows nothing there; the dialog is a Wayland window.
    setenv("QT_QPA_PLATFORM", full_screen ? "offscreen" : "wayland", 0);
  } else {
    hosted_run.window =
        hosted::host_window(options, full_screen, std::getenv("XSCREENSAVER_WINDOW"),
                            DefaultRootWindow(x11::display()));
  }
  // A host runs one copy per monitor: music plays only in the first of the
  // user's hosted copies.
  hosted_run.plays_music = !hosted_run.window || hosted::take_music_lock();
  hosted::set_hosted_run(hosted_run);
  // A full-screen run starts the runtime once its renderer is started; the
  // other modes need it from the start.
  if (!full_screen) {
    forms::start_runtime();
  }
  Main();
  forms::start_runtime();
  return forms::run_while_forms_loaded();
}
