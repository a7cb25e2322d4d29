// The first frame's note to the shell, for both Linux backends: one byte on
// the socket the shell passed, then the socket is closed.
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "common/ready_signal.h"
#include "renderer/render_window.h"

namespace orvanth::window {

void first_frame_shown() {
  const char* named = std::getenv(kReadyVariable);
  if (named == nullptr || std::strtol(named, nullptr, 10) != kReadyDescriptor) {
    return;
  }
  // Only a socket: a variable left over from elsewhere must not make the
  // renderer write into whatever else has this number.
  struct stat status {};
  if (::fstat(kReadyDescriptor, &status) != 0 || !S_ISSOCK(status.st_mode)) {
    return;
  }
  const char byte = 1;
  // A shell that stopped waiting has closed its end: no SIGPIPE for that.
  (void)::send(kReadyDescriptor, &byte, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
  ::close(kReadyDescriptor);
}

}  // namespace orvanth::window
