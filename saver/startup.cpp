#include "saver/startup.h"

#include "saver/dialog/show_settings_dialog.h"
#include "saver/forms/program.h"
#include "saver/forms/run_lock.h"
#include "saver/forms/screen.h"
#include "saver/hosted/hosted_run.h"
#include "saver/mode_letter.h"
#include "saver/preview/preview.h"
#include "saver/run/full_screen_run.h"
#include "saver/settings_file.h"
#include "saver/shell_state.h"
#include "saver/single_instance.h"

void Main() {
  using namespace orvanth;
  const std::string& line = forms::command_line();
  // A host runs one copy per monitor and a preview beside them: a hosted run
  // has no single-instance guard, leaves the cursor to the host, and plays
  // music only when the program's entry found it the first hosted copy.
  const bool hosted_run = hosted::is_hosted();
  if (!hosted_run && another_copy_running()) {
    forms::end_program();
  }
  const char mode = mode_letter(line);
  // A run's lock says the same where no window can be looked up; a run
  // itself claims the lock below.
  if (!hosted_run && mode != 'S' && !line.empty() && forms::run_lock_held()) {
    forms::end_program();
  }
  if (mode == 'P') {
    preview::set_up(line);
    return;
  }
  ReadSettings();
  if (mode == 'C') {
    show_settings_dialog();
    forms::end_program();
  }
  if (mode != 'S' && !line.empty()) {
    forms::end_program();
  }
  // Two runs started in the same instant both pass the title guard.
  if (!hosted_run && !forms::claim_run_lock()) {
    forms::end_program();
  }
  if (mode == 'S' && !hosted_run) {
    forms::hide_cursor();
  }
  if (hosted_run && !hosted::hosted_run().plays_music) {
    BgmType = kBgmNone;
  }
  load_full_screen_run();
}
