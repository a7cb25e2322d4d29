// Main's hand-over to the settings dialog Lumevar_P; the forms backend
// supplies the form.
#pragma once

// Shows the settings dialog modally, with no owner; returns when it has
// closed.
void show_settings_dialog();
