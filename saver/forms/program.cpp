#include "saver/forms/program.h"

#include "common/user_folders.h"
#include "saver/forms/event_loop.h"

namespace orvanth::forms {
namespace {

// Module state, written once at start and by form loads and unloads.
struct Lifetime {
  std::string command_line;
  int loaded_forms = 0;
  bool main_returned = false;
};
Lifetime lifetime;

}  // namespace

std::string join_arguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) {
      line += ' ';
    }
    line += arguments[i];
  }
  return line;
}

void set_command_line(int argc, const char* const* argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.emplace_back(argv[i]);
  }
  lifetime.command_line = join_arguments(arguments);
}

std::string arguments_of(std::string_view system_command_line) {
  // The C runtime's rule for the program's name: blanks are NUL to space.
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::string_view rest = system_command_line;
  if (!rest.empty() && rest.front() == '"') {
    const std::size_t close = rest.find('"', 1);
    rest.remove_prefix(close == std::string_view::npos ? rest.size() : close + 1);
  } else {
    while (!rest.empty() && !blank(rest.front())) {
      rest.remove_prefix(1);
    }
  }
  while (!rest.empty() && blank(rest.front())) {
    rest.remove_prefix(1);
  }
  return std::string(rest);
}

void set_command_line(std::string_view system_command_line) {
  lifetime.command_line = arguments_of(system_command_line);
}

const std::string& command_line() { return lifetime.command_line; }

std::string folder_of(std::string_view file_path) {
  const std::size_t at = file_path.rfind(kPathSeparator);
  if (at == std::string_view::npos) {
    return {};
  }
  const bool drive_root = kPathSeparator == '\\' && at == 2 && file_path[1] == ':';
  return std::string(file_path.substr(0, at == 0 || drive_root ? at + 1 : at));
}

void note_form_loaded() { ++lifetime.loaded_forms; }

void note_form_unloaded() {
  if (lifetime.loaded_forms > 0) {
    --lifetime.loaded_forms;
  }
  if (lifetime.loaded_forms == 0 && lifetime.main_returned) {
    quit_event_loop();
  }
}

int loaded_form_count() { return lifetime.loaded_forms; }

int run_while_forms_loaded() {
  lifetime.main_returned = true;
  if (lifetime.loaded_forms == 0) {
    return 0;
  }
  return run_event_loop();
}

}  // namespace orvanth::forms
