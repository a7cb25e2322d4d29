// Start of the shell (module Lumevar_B): Main with its single-instance guard
// and mode dispatch, the caption animations, and the entry points of the
// forms that Main hands over to.
#pragma once

#include <string_view>

namespace orvanth {

// The titles whose windows mean another copy of the system is running.
inline constexpr std::string_view kGuardTitles[] = {"Lumevar_Main", "<Orvanth>", "Lumevar_Delphi"};

// The mode letter: the command line's second character upper-cased, or '\0'
// for a line shorter than two characters.
char mode_letter(std::string_view command_line);

// Whether any guard window exists; all three look-ups are made.
bool another_copy_running();

}  // namespace orvanth

// The entry routine: guard, then "P" / "C" / "S" / empty / other dispatch.
void Main();

// The caption animation from the point (MouseX, MouseY) to the window's
// screen rectangle, and back. hWnd is an X window id.
void AnimateOpen(unsigned long hWnd);
void AnimateClose(unsigned long hWnd);

// Entry points of the forms Main dispatches to.
// Shows the settings dialog Lumevar_P modally, with no owner; returns when
// it has closed.
void ShowSettingsDialog();
// Loads (does not show) the invisible full-screen form Lumevar_S, whose load
// handler starts the run.
void LoadFullScreenRun();
