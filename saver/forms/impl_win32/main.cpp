// Orvanth.scr on Windows: the entry of the Win32 forms runtime. The command
// line is the system's own, less the program's name, as the screen-saver
// host passes it ("/s", "/c:1234", "/p 1234").
#include <windows.h>

#include "saver/forms/program.h"
#include "saver/startup.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*arguments*/,
                   int /*show*/) {
  orvanth::forms::set_command_line(GetCommandLineA());
  Main();
  return orvanth::forms::run_while_forms_loaded();
}
