// The media services the music module speaks to: the media control
// interface's command strings and error texts, the wave-device count and
// the sound player, as winmm has them. The Windows backend calls winmm; the
// Linux backend reads the same command strings and plays on GStreamer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanth::music {

// mciSendStringA(command, reply, capacity, no window): 0 or the interface's
// error code. The reply, NUL-terminated, goes to reply when it is given and
// capacity > 0.
std::uint32_t send_command(const char* command, char* reply, std::uint32_t capacity);

// mciGetErrorStringA: false when the code has no text (or no buffer).
bool error_text(std::uint32_t code, char* buffer, std::uint32_t capacity);

// waveOutGetNumDevs.
std::uint32_t wave_device_count();

// PlaySoundA(sound, no module, flags): plays the file named by sound in the
// background; no sound stops what plays. The result is not used.
inline constexpr std::uint32_t kSoundAsync = 0x0001;  // SND_ASYNC
inline constexpr std::uint32_t kSoundLoop = 0x0008;   // SND_LOOP
void play_sound(const char* sound, std::uint32_t flags);

// A file path as one word of an open command: in double quotes, in the form
// the platform's interpreter reads back as exactly that path.
std::string quoted_path(std::string_view path);

}  // namespace orvanth::music
