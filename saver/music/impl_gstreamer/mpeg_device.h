// The "MPEGVideo" device: one media file played through GStreamer's playbin,
// audio only. Positions are in milliseconds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "saver/music/impl_gstreamer/device.h"

namespace orvanth::music {

// Checks the file and starts reading it; kOk or the error of the open.
ErrorCode open_mpeg_device(const std::string& path, std::unique_ptr<Device>& out);

}  // namespace orvanth::music
