// Process-wide variables of the saver shell (the module Lumevar_B). Zero or
// empty at program start; the shell has one thread, so no locking.
#pragma once

#include <cstdint>
#include <string>

namespace orvanth {

// The values of BgmType; a hand-edited file may hold any other, which plays
// nothing.
inline constexpr std::int16_t kBgmNone = 0;
inline constexpr std::int16_t kBgmCd = 1;    // a music CD
inline constexpr std::int16_t kBgmFile = 2;  // an MP3 or WAV file

}  // namespace orvanth

// Music settings, loaded by ReadSettings and saved by the settings dialog.
extern std::int16_t BgmType;    // kBgmNone, kBgmCd or kBgmFile
extern std::int16_t BgmRepeat;  // CD track to repeat, 0 none
extern std::string BgmFile;     // full path of the MP3 or WAV file, or ""

// Cursor position in screen pixels, sampled when the run starts or the dialog
// opens; 0 when the position cannot be read.
extern std::int16_t MouseX;
extern std::int16_t MouseY;
