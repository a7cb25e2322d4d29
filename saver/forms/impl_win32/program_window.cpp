#include "saver/forms/impl_win32/program_window.h"

#include <map>

namespace orvanth::forms::win32 {
namespace {

// Posted to the window so that an end request runs between handlers.
constexpr UINT kEndRequest = WM_APP + 1;

// Module state of the one GUI thread.
struct ProgramWindow {
  HWND window = nullptr;
  std::map<UINT_PTR, std::function<void()>> ticks;
  std::function<void()> on_end;
};
ProgramWindow state;

void run_end_handler() {
  if (state.on_end) {
    const std::function<void()> handler = state.on_end;
    handler();
  }
}

LRESULT CALLBACK program_window_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: {
      const auto found = state.ticks.find(wParam);
      if (found != state.ticks.end()) {
        // A copy: the handler may replace itself or stop its timer.
        const std::function<void()> handler = found->second;
        handler();
      }
      return 0;
    }
    case WM_QUERYENDSESSION:
      if (state.on_end) {
        PostMessageA(window, kEndRequest, 0, 0);
      }
      return TRUE;
    case WM_ENDSESSION:
      // The system may end the process as soon as this returns.
      if (wParam != 0) {
        run_end_handler();
      }
      return 0;
    case WM_CLOSE:
      if (state.on_end) {
        PostMessageA(window, kEndRequest, 0, 0);
      }
      return 0;  // the window stays: the timers live on it
    case kEndRequest:
      run_end_handler();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

HWND program_window() {
  if (state.window != nullptr) {
    return state.window;
  }
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = program_window_proc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kProgramWindowClass;
  RegisterClassA(&window_class);
  state.window = CreateWindowExA(WS_EX_TOOLWINDOW, kProgramWindowClass, kProgramWindowTitle,
                                 WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  return state.window;
}

void set_tick_handler(UINT_PTR id, std::function<void()> handler) {
  state.ticks[id] = std::move(handler);
}

void clear_tick_handler(UINT_PTR id) { state.ticks.erase(id); }

void set_end_handler(std::function<void()> handler) { state.on_end = std::move(handler); }

}  // namespace orvanth::forms::win32
