// The program services on Windows: GetModuleFileNameA, ExitProcess and the
// GetMessageA loop.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "saver/forms/event_loop.h"
#include "saver/forms/program.h"

namespace orvanth::forms {

std::string program_folder() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) {
      return {};
    }
    if (n < path.size()) {
      return folder_of(std::string_view(path.data(), n));
    }
    path.resize(path.size() * 2);
  }
}

void end_program() {
  std::fflush(nullptr);
  ExitProcess(0);
}

// The loop needs nothing started first: every thread has a message queue.
int run_event_loop() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

void quit_event_loop() { PostQuitMessage(0); }

}  // namespace orvanth::forms
