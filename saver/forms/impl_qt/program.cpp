// The program services on Linux: /proc/self/exe, _exit, the Qt runtime and
// its event loop.
#include <errno.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "saver/forms/event_loop.h"
#include "saver/forms/impl_qt/runtime.h"
#include "saver/forms/program.h"

namespace orvanth::forms {
namespace {

std::vector<std::function<void()>>& waiting() {
  static std::vector<std::function<void()>> list;
  return list;
}

}  // namespace

void when_runtime_up(std::function<void()> what) {
  if (QCoreApplication::instance() != nullptr) {
    what();
  } else {
    waiting().push_back(std::move(what));
  }
}

void start_runtime() {
  if (QCoreApplication::instance() == nullptr) {
    // Named as started (Orvanth.scr, or orvanth through its link), as the
    // program's windows are classed by it.
    static int argc = 1;
    static char* argv[] = {program_invocation_name, nullptr};
    // The shell paints with QPainter alone; without this Qt's xcb plugin
    // loads the GL driver, tens of milliseconds for nothing. Unset again so
    // that what the shell starts later has the environment as it was.
    const bool gl_chosen = std::getenv("QT_XCB_GL_INTEGRATION") != nullptr;
    if (!gl_chosen) {
      setenv("QT_XCB_GL_INTEGRATION", "none", 1);
    }
    // Lives as long as the program, which ends with _exit.
    new QApplication(argc, argv);
    if (!gl_chosen) {
      unsetenv("QT_XCB_GL_INTEGRATION");
    }
    QApplication::setQuitOnLastWindowClosed(false);
  }
  std::vector<std::function<void()>> ready;
  ready.swap(waiting());
  for (const auto& what : ready) {
    what();
  }
}

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

void end_program_after(std::chrono::milliseconds limit) {
  std::thread([limit] {
    std::this_thread::sleep_for(limit);
    ::_exit(0);
  }).detach();
}

int run_event_loop() {
  if (QCoreApplication::instance() == nullptr) {
    return 0;
  }
  return QCoreApplication::exec();
}

void quit_event_loop() { QCoreApplication::exit(0); }

}  // namespace orvanth::forms
