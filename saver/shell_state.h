// Process-wide variables of the saver shell (the module Lumevar_B). Zero or
// empty at program start; the shell has one thread, so no locking.
#pragma once

#include <cstdint>
#include <string>

// Music settings, loaded by ReadSettings and saved by the settings dialog.
extern std::int16_t BgmType;    // 0 none, 1 music CD, 2 MP3 or WAV file
extern std::int16_t BgmRepeat;  // CD track to repeat, 0 none
extern std::string BgmFile;     // full path of the MP3 or WAV file, or ""

// Cursor position in screen pixels, sampled when the run starts or the dialog
// opens; 0 when the position cannot be read.
extern std::int16_t MouseX;
extern std::int16_t MouseY;
