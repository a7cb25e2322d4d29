// TEMPORARY: stand-ins for the forms that are not built yet. Each is compiled
// only while its real piece is missing from the build, and simply ends the
// program, as a mode without its form does.
#include "saver/forms_layer_program.h"
#include "saver/startup.h"

#ifdef ORVANTH_FALLBACK_SETTINGS_DIALOG
void ShowSettingsDialog() { orvanth::forms::end_program(); }
#endif

#ifdef ORVANTH_FALLBACK_FULL_SCREEN_RUN
void LoadFullScreenRun() { orvanth::forms::end_program(); }
#endif
