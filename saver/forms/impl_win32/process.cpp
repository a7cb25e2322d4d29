// CreateProcessA with show command 1; the end of a process started here
// asks its windows to close first.
#include <windows.h>

#include <map>

#include "saver/forms/process.h"

namespace orvanth::forms {
namespace {

// Module state: a handle to each process started here, kept so that its end
// can be seen and its id is never taken for another program's.
std::map<ProcessId, HANDLE> started;

BOOL CALLBACK close_windows_of(HWND window, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(process)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

HANDLE handle_of(ProcessId process) {
  const auto known = started.find(process);
  return known == started.end() ? nullptr : known->second;
}

bool ended_within(HANDLE handle, std::chrono::milliseconds limit) {
  return WaitForSingleObject(handle, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

}  // namespace

// The command line is the path alone, as Shell passes it; the
// path is also given as the program to run, so that a folder with blanks
// cannot make the system start a different, shorter name first.
ProcessId start_process(const std::string& path, std::optional<WindowHandle> /*host_window*/) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::string line = path;
  if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return kNoProcess;
  }
  CloseHandle(info.hThread);
  const ProcessId id = info.dwProcessId;
  started[id] = info.hProcess;
  return id;
}

// A process still running gets WM_CLOSE on its top-level windows, and is
// terminated if it is still there after grace; one that has ended is left
// alone.
bool end_process(ProcessId process, std::chrono::milliseconds grace) {
  const HANDLE handle = handle_of(process);
  if (handle == nullptr) {
    return false;
  }
  bool ended = ended_within(handle, std::chrono::milliseconds(0));
  if (!ended) {
    EnumWindows(close_windows_of, static_cast<LPARAM>(process));
    ended = ended_within(handle, grace);
  }
  if (!ended && TerminateProcess(handle, 1)) {
    ended = ended_within(handle, std::chrono::milliseconds(500));
  }
  return ended;
}

bool process_ends_within(ProcessId process, std::chrono::milliseconds limit) {
  const HANDLE handle = handle_of(process);
  return handle == nullptr || ended_within(handle, limit);
}

bool process_ready_within(ProcessId /*process*/, std::chrono::milliseconds /*limit*/) {
  return true;
}

}  // namespace orvanth::forms
