#include "saver/startup.h"

#include "saver/dialog/settings_dialog.h"
#include "saver/forms/program.h"
#include "saver/forms/screen.h"
#include "saver/preview/preview.h"
#include "saver/run/full_screen_run.h"
#include "saver/settings_file.h"
#include "saver/startup_support.h"

void Main() {
  const std::string& line = orvanth::forms::command_line();
  if (orvanth::another_copy_running()) {
    orvanth::forms::end_program();
  }
  const char mode = orvanth::mode_letter(line);
  if (mode == 'P') {
    orvanth::preview::set_up(line);
    return;
  }
  ReadSettings();
  if (mode == 'C') {
    ShowSettingsDialog();
    orvanth::forms::end_program();
  }
  if (mode != 'S' && !line.empty()) {
    orvanth::forms::end_program();
  }
  if (mode == 'S') {
    orvanth::forms::hide_cursor();
  }
  LoadFullScreenRun();
}
