#include "saver/hosted/command_options.h"

#include <cmath>
#include <cstdlib>

#include "common/window_id.h"

namespace orvanth::hosted {
namespace {

bool is_option(std::string_view arg, std::string_view name) {
  return arg == std::string("--").append(name) || arg == std::string("-").append(name);
}

}  // namespace

CommandOptions read_command_options(const std::vector<std::string>& arguments,
                                    std::string_view program) {
  CommandOptions out;
  const std::string name(program);
  const auto fail = [&](const std::string& what) {
    out.action = Action::kFail;
    out.error = name + ": " + what + " (try '" + name + " --help')";
    return out;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (arg == "--help") {
      out.action = Action::kHelp;
      return out;
    }
    if (arg == "--version") {
      out.action = Action::kVersion;
      return out;
    }
    if (is_option(arg, "root")) {
      out.root = true;
      continue;
    }
    std::optional<std::string> id_text;
    if (is_option(arg, "window-id")) {
      if (i + 1 == arguments.size()) {
        return fail("option '" + arg + "' needs a window number");
      }
      id_text = arguments[++i];
    } else if (arg.rfind("--window-id=", 0) == 0) {
      id_text = arg.substr(12);
    }
    if (id_text) {
      out.window_id = parse_window_id(*id_text);
      if (!out.window_id) {
        return fail("'" + *id_text + "' is not a window number");
      }
      continue;
    }
    if (arg == "--idle" || arg.rfind("--idle=", 0) == 0) {
      if (arg == "--idle" && i + 1 == arguments.size()) {
        return fail("option '--idle' needs a number of minutes");
      }
      const std::string text = arg == "--idle" ? arguments[++i] : arg.substr(7);
      char* end = nullptr;
      const double minutes = std::strtod(text.c_str(), &end);
      if (text.empty() || end == nullptr || *end != '\0' || !std::isfinite(minutes) ||
          minutes <= 0.0) {
        return fail("'" + text + "' is not a number of minutes");
      }
      out.idle_minutes = minutes;
      continue;
    }
    if (arg.rfind("--", 0) == 0) {
      return fail("unknown option '" + arg + "'");
    }
    out.saver_arguments.push_back(arg);
  }
  return out;
}

std::optional<unsigned long> host_window(const CommandOptions& options, bool full_screen_mode,
                                         const char* environment_window,
                                         unsigned long root_window) {
  if (!full_screen_mode) {
    return std::nullopt;
  }
  const bool by_argument = options.root || options.window_id.has_value();
  const bool by_environment = environment_window != nullptr && *environment_window != '\0';
  if (!by_argument && !by_environment) {
    return std::nullopt;
  }
  if (options.window_id) {
    return options.window_id;
  }
  if (by_environment) {
    if (const auto id = parse_window_id(environment_window)) {
      return id;
    }
  }
  return root_window;
}

std::string usage_text(std::string_view program) {
  const std::string name(program);
  return "Usage: " + name +
         " [/s | /c | /p WINDOW] [--root] [--window-id ID] [--idle MINUTES]\n"
         "Orvanth: six planets bouncing over rippling water, with optional music.\n"
         "\n"
         "Modes (the second character of the command line picks one):\n"
         "  /s              the full-screen saver; ends when the mouse moves\n"
         "                  more than 30 pixels across and down\n"
         "  (nothing)       the full-screen saver, cursor left visible\n"
         "  /c              the settings dialog (music: none, CD, MP3 or WAV file)\n"
         "  /p WINDOW       the still preview drawn into the X window WINDOW\n"
         "\n"
         "Hosted by xscreensaver, xfce4-screensaver or mate-screensaver:\n"
         "  --root          draw in the window named by XSCREENSAVER_WINDOW,\n"
         "                  else on the root window; the host owns cursor and\n"
         "                  input and ends the saver with SIGTERM\n"
         "  --window-id ID  draw in the X window ID (decimal or 0x hex)\n"
         "\n"
         "By itself, on X11 or Wayland:\n"
         "  --idle MINUTES  wait for the session to be idle that long, then start\n"
         "                  the full-screen saver (/s); again after each run\n"
         "  --help          show this text\n"
         "  --version       show the version\n"
         "\n"
         "Files:\n"
         "  Orvanth.ini beside the program, or ~/.config/orvanth/Orvanth.ini\n"
         "                  the music settings, written by /c\n"
         "  ~/.cache/orvanth/Orvanth00.bmp ... Orvanth06.bmp\n"
         "                  the textures handed to the renderer Orvanth.data\n"
         "\n"
         "Environment:\n"
         "  XSCREENSAVER_WINDOW  the host's window (set by the host)\n"
         "  XDG_CACHE_HOME, XDG_CONFIG_HOME  the user's folders above\n"
         "  XDG_RUNTIME_DIR      where hosted copies agree which one plays music\n"
         "  ORVANTH_CD_DEVICE    a CD drive or CUE sheet instead of /dev/cdrom\n"
         "  DISPLAY              the X display (under Wayland: XWayland)\n";
}

std::string version_text() { return std::string("Orvanth.scr ") + ORVANTH_VERSION + "\n"; }

}  // namespace orvanth::hosted
