// How the renderer tells the shell that started it that its first frame is
// on screen, so that the shell brings up its own heavier parts after it
// rather than beside it. On Linux: one end of a stream socket, passed to the
// renderer as this descriptor and named in this variable; the renderer sends
// one byte. Plain C++.
#pragma once

namespace orvanth {

inline constexpr char kReadyVariable[] = "ORVANTH_READY_FD";
inline constexpr int kReadyDescriptor = 3;

}  // namespace orvanth
