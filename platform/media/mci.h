// Stand-in for the platform's media control interface: command strings for
// "cdaudio" and files of type "MPEGVideo", played through GStreamer. Every
// call returns at once; playing goes on in GStreamer's own threads. Call from
// one thread only.
#pragma once

#include <cstdint>

// Sends one command. The reply (NUL-terminated, cut to nothing if it does not
// fit: then the result is the overflow error) goes to ret when ret is given
// and capacity > 0. Returns 0 or an error code; on an error ret is left as it
// was. The window handle of the original interface is not used.
std::uint32_t mciSendStringA(const char* command, char* ret, std::uint32_t capacity,
                             void* callback_window);

// Writes the text of an error code into buffer; false (and the buffer left
// as it was) for an unknown code or no buffer.
bool mciGetErrorStringA(std::uint32_t code, char* buffer, std::uint32_t capacity);

namespace orvanth::mci {
// Closes every open device (also done at program exit).
void close_all();
}  // namespace orvanth::mci
