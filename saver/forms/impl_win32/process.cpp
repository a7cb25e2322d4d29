// CreateProcessA with show command 1, its handles closed at once; the end
// of a process started here asks its windows to close first.
#include <windows.h>

#include <map>

#include "saver/forms/process.h"

namespace orvanth::forms {
namespace {

// Module state: the program file each process started here was made from,
// so that an id the system has since given to another program is left alone.
std::map<ProcessId, std::string> started_from;

BOOL CALLBACK close_windows_of(HWND window, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(process)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

bool same_program(HANDLE process, const std::string& path) {
  char image[MAX_PATH * 2];
  DWORD size = sizeof image;
  return QueryFullProcessImageNameA(process, 0, image, &size) &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, image, static_cast<int>(size),
                        path.c_str(), static_cast<int>(path.size())) == CSTR_EQUAL;
}

}  // namespace

// The command line is the path alone, as the design's Shell passes it; the
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
  CloseHandle(info.hProcess);
  const ProcessId id = info.dwProcessId;
  started_from[id] = path;
  return id;
}

// No handle was kept: the process is opened again by its id, and only when
// it is still the program started, its top-level windows get WM_CLOSE; it is
// terminated if it is still there after grace.
bool end_process(ProcessId process, std::chrono::milliseconds grace) {
  const auto known = started_from.find(process);
  if (process <= 0 || known == started_from.end()) {
    return false;
  }
  const HANDLE handle =
      OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                  static_cast<DWORD>(process));
  if (handle == nullptr) {
    return true;  // gone, its id with it
  }
  bool ended = !same_program(handle, known->second) || WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
  if (!ended) {
    EnumWindows(close_windows_of, static_cast<LPARAM>(process));
    ended = WaitForSingleObject(handle, static_cast<DWORD>(grace.count())) == WAIT_OBJECT_0;
  }
  if (!ended && TerminateProcess(handle, 1)) {
    ended = WaitForSingleObject(handle, 500) == WAIT_OBJECT_0;
  }
  CloseHandle(handle);
  return ended;
}

}  // namespace orvanth::forms
