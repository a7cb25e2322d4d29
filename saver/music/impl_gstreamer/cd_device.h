// The "cdaudio" device: an audio disc read by GStreamer's libcdio source in
// its whole-disc mode, so play goes on across the following tracks to the
// disc's end. The drive is /dev/cdrom unless the environment variable
// ORVANTH_CD_DEVICE names another drive or a CUE sheet (CUE/BIN image).
#pragma once

#include <memory>

#include "saver/music/impl_gstreamer/device.h"

namespace orvanth::music {

inline constexpr const char* kCdDeviceVariable = "ORVANTH_CD_DEVICE";
inline constexpr const char* kDefaultCdDrive = "/dev/cdrom";

ErrorCode open_cd_device(std::unique_ptr<Device>& out);

}  // namespace orvanth::music
