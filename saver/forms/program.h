// Program services of the forms runtime: command line, program folder, the
// immediate end, and the lifetime rule (the process ends when no form is
// loaded and Main has returned).
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace orvanth::forms {

// The arguments without the program's name, joined by single blanks.
std::string join_arguments(const std::vector<std::string>& arguments);

// A whole command line as the system keeps it (GetCommandLineA), less the
// program's name (in double quotes, or up to the first blank) and the blanks
// after it: "/p 1234" and "/c:1234" as the host passed them.
std::string arguments_of(std::string_view system_command_line);

// Kept once at start, from main's arguments or from the system's whole line;
// command_line() returns it.
void set_command_line(int argc, const char* const* argv);
void set_command_line(std::string_view system_command_line);
const std::string& command_line();

// The folder of the running program file, without a trailing separator
// except at the root; "" when it cannot be found. From the backend.
std::string program_folder();
// The part of a path before its last separator (kPathSeparator); a root
// keeps its separator ("/", and on Windows "C:\").
std::string folder_of(std::string_view file_path);

// Ends the process at once with status 0: loaded forms are dropped without
// their unload handlers. From the backend.
[[noreturn]] void end_program();

// Ends the process with status 0 once limit has passed, unless it has ended
// by then: a media driver that never returns from its stop (seen in Wine's
// MP3 player) cannot keep an ending program alive. From the backend.
void end_program_after(std::chrono::milliseconds limit);

// Every form counts itself loaded when it is loaded and unloaded when it has
// unloaded. After Main has returned, the last unload ends the event loop.
void note_form_loaded();
void note_form_unloaded();
int loaded_form_count();

// Starts the forms runtime where it is not up yet (on Linux the toolkit with
// its display connection and plugins, tens of milliseconds). The dialog and
// the preview need it from the start; a full-screen run starts it once its
// renderer is started, so the picture comes first. Timers enabled before are
// started with it. From the backend.
void start_runtime();

// Called by main once Main has returned: runs the event loop while a form is
// loaded and gives the process's exit status.
int run_while_forms_loaded();

}  // namespace orvanth::forms
