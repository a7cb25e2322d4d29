// The program services on Linux: /proc/self/exe, _exit and Qt's event loop.
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "saver/forms/event_loop.h"
#include "saver/forms/program.h"

namespace orvanth::forms {

std::string program_folder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  // An absolute path: its parent is "/" for a program in the root.
  return error ? std::string() : exe.parent_path().string();
}

void end_program() {
  std::fflush(nullptr);
  ::_exit(0);
}

int run_event_loop() {
  if (QCoreApplication::instance() == nullptr) {
    return 0;
  }
  return QCoreApplication::exec();
}

void quit_event_loop() { QCoreApplication::exit(0); }

}  // namespace orvanth::forms
