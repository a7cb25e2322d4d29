// The Linux hosts' conventions on the shell's command line, read before the
// screen saver's own switches (/s, /c, /p): --help, --version, --root, --window-id, and the
// XSCREENSAVER_WINDOW a host puts in the environment. Plain C++.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanth::hosted {

enum class Action { kRun, kHelp, kVersion, kFail };

struct CommandOptions {
  Action action = Action::kRun;
  // The arguments left for the screen saver's own command line, in order.
  std::vector<std::string> saver_arguments;
  bool root = false;                       // --root / -root
  std::optional<unsigned long> window_id;  // --window-id / -window-id
  std::string error;                       // the stderr line for Fail
  // --idle MINUTES: the launcher that starts a run after that much idle
  // time; more than 0, fractions allowed.
  std::optional<double> idle_minutes;
};

// Splits argv[1..] into the hosts' options and the saver's arguments.
// program is the name used in messages. Only arguments beginning with "--"
// can be unknown options: the saver's own switches (/s, -s, /a ...) pass.
CommandOptions read_command_options(const std::vector<std::string>& arguments,
                                    std::string_view program);

// The host window for a hosted run, or nothing when the run is not hosted.
// Only a full-screen run is ever hosted: the dialog and the preview are never
// hosted. full_screen_mode: the saver's command line starts the full-screen
// run.
// environment_window: XSCREENSAVER_WINDOW, or nothing when unset.
// root_window: the display's root, the host when no window is named.
std::optional<unsigned long> host_window(const CommandOptions& options, bool full_screen_mode,
                                         const char* environment_window, unsigned long root_window);

std::string usage_text(std::string_view program);
std::string version_text();

}  // namespace orvanth::hosted
