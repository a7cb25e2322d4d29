// Orvanth.scr: the saver shell. The command line is kept before the forms
// runtime starts, so that no switch of ours is taken for a Qt option.
#include <QApplication>
#include <cstdio>

#include "platform/x11/connection.h"
#include "saver/forms/program.h"
#include "saver/startup.h"

int main(int argc, char** argv) {
  orvanth::forms::set_command_line(argc, argv);
  if (orvanth::x11::display() == nullptr) {
    std::fprintf(stderr, "Orvanth.scr: cannot open the X display; the saver needs X11 (or XWayland)\n");
    return 1;
  }
  int runtime_argc = 1;
  char* runtime_argv[] = {argv[0], nullptr};
  QApplication runtime(runtime_argc, runtime_argv);
  QApplication::setQuitOnLastWindowClosed(false);
  Main();
  return orvanth::forms::run_while_forms_loaded();
}
