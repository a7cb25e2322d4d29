// The media services on Linux: our interpreter and sound player on
// GStreamer (platform/media).
#include "saver/music/media.h"

#include "platform/media/mci.h"
#include "platform/media/mci_command.h"
#include "platform/media/sound.h"

namespace orvanth::music {

std::uint32_t send_command(const char* command, char* reply, std::uint32_t capacity) {
  return mciSendStringA(command, reply, capacity, nullptr);
}

bool error_text(std::uint32_t code, char* buffer, std::uint32_t capacity) {
  return mciGetErrorStringA(code, buffer, capacity);
}

std::uint32_t wave_device_count() { return waveOutGetNumDevs(); }

void play_sound(const char* sound, std::uint32_t flags) {
  static_assert(kSoundAsync == SND_ASYNC && kSoundLoop == SND_LOOP);
  PlaySoundA(sound, nullptr, flags);
}

// A quote inside the path is doubled, so that any name opens (an ordinary
// path gives the plain command text).
std::string quoted_path(std::string_view path) { return mci::quoted(path); }

}  // namespace orvanth::music
