// The media services on Windows: winmm itself, A functions, so every command
// passes in the system's ANSI code page.
#include <windows.h>

#include <mmsystem.h>

#include "saver/music/media.h"

namespace orvanth::music {

std::uint32_t send_command(const char* command, char* reply, std::uint32_t capacity) {
  return mciSendStringA(command, capacity > 0 ? reply : nullptr, reply != nullptr ? capacity : 0,
                        nullptr);
}

bool error_text(std::uint32_t code, char* buffer, std::uint32_t capacity) {
  return buffer != nullptr && mciGetErrorStringA(code, buffer, capacity) != FALSE;
}

std::uint32_t wave_device_count() { return waveOutGetNumDevs(); }

void play_sound(const char* sound, std::uint32_t flags) {
  static_assert(kSoundAsync == SND_ASYNC && kSoundLoop == SND_LOOP);
  PlaySoundA(sound, nullptr, flags);
}

// No Windows file name holds a double quote, so the path goes in as it is.
std::string quoted_path(std::string_view path) { return "\"" + std::string(path) + "\""; }

}  // namespace orvanth::music
