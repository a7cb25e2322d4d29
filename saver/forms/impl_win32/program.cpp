// The program services on Windows: the program's file name, ExitProcess and
// the GetMessageA loop.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/impl_win32/ansi_path.h"
#include "saver/forms/event_loop.h"
#include "saver/forms/program.h"

namespace orvanth::forms {

// Asked for in wide characters: GetModuleFileNameA writes '?' for what the
// code page cannot spell, and the renderer beside the program would not be
// found. Such a path is handed on in its short form.
std::string program_folder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) {
      return {};
    }
    if (n < path.size()) {
      return folder_of(ansi_path(path.data()));
    }
    path.resize(path.size() * 2);
  }
}

void end_program() {
  std::fflush(nullptr);
  ExitProcess(0);
}

namespace {

// TerminateProcess, not ExitProcess: the stuck thread may hold locks that
// the DLLs' detach would wait for.
DWORD WINAPI end_after(void* milliseconds) {
  Sleep(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(milliseconds)));
  std::fflush(nullptr);
  TerminateProcess(GetCurrentProcess(), 0);
  return 0;
}

}  // namespace

void end_program_after(std::chrono::milliseconds limit) {
  void* milliseconds = reinterpret_cast<void*>(static_cast<std::uintptr_t>(limit.count()));
  if (HANDLE thread = CreateThread(nullptr, 0, end_after, milliseconds, 0, nullptr)) {
    CloseHandle(thread);
  }
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

// Every Win32 service is there from the program's start.
void start_runtime() {}

}  // namespace orvanth::forms
