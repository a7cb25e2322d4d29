#include "saver/shell_state.h"

std::int16_t BgmType = 0;
std::int16_t BgmRepeat = 0;
std::string BgmFile;

std::int16_t MouseX = 0;
std::int16_t MouseY = 0;
