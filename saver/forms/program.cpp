#include "saver/forms/program.h"

#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace orvanth::forms {
namespace {

// Module state, written once at start and by form loads and unloads.
std::string the_command_line;
int loaded_forms = 0;
bool main_returned = false;

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
  the_command_line = join_arguments(arguments);
}

const std::string& command_line() { return the_command_line; }

std::string folder_of(std::string_view file_path) {
  const std::size_t slash = file_path.rfind('/');
  if (slash == std::string_view::npos) {
    return {};
  }
  return slash == 0 ? "/" : std::string(file_path.substr(0, slash));
}

std::string program_folder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : folder_of(exe.string());
}

void end_program() {
  std::fflush(nullptr);
  ::_exit(0);
}

void note_form_loaded() { ++loaded_forms; }

void note_form_unloaded() {
  if (loaded_forms > 0) {
    --loaded_forms;
  }
  if (loaded_forms == 0 && main_returned) {
    QCoreApplication::exit(0);
  }
}

int loaded_form_count() { return loaded_forms; }

int run_while_forms_loaded() {
  main_returned = true;
  if (loaded_forms == 0 || QCoreApplication::instance() == nullptr) {
    return 0;
  }
  return QCoreApplication::exec();
}

}  // namespace orvanth::forms
