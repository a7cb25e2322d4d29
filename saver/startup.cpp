#include "saver/startup.h"

#include "saver/forms_layer_program.h"
#include "saver/forms_layer_screen.h"
#include "saver/preview.h"
#include "saver/settings_file.h"

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
