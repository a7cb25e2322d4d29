// Stand-ins for the platform's wave-device count and sound player.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t SND_SYNC = 0x0000;
inline constexpr std::uint32_t SND_ASYNC = 0x0001;
inline constexpr std::uint32_t SND_NODEFAULT = 0x0002;
inline constexpr std::uint32_t SND_LOOP = 0x0008;
inline constexpr std::uint32_t SND_FILENAME = 0x00020000;

// Number of audio output devices GStreamer's device monitor sees.
std::uint32_t waveOutGetNumDevs();

// Plays the file named by sound (a path; aliases of the original platform do
// not exist here) in the background, endlessly with SND_LOOP, replacing any
// sound playing before. Never blocks, SND_SYNC included. No name stops the
// sound. Returns false when nothing could be started; a file that turns out
// not to be playable stays silent.
bool PlaySoundA(const char* sound, void* module, std::uint32_t flags);
