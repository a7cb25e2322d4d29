// The renderer's window on Windows: class "OpenGL", a borderless pop-up
// titled "Lumevar_Delphi", its pixel format and WGL context, the
// PeekMessageA queue, GetCursorPos, ShowCursor and GetTickCount.
#include <windows.h>

#include <mmsystem.h>

#include "common/window_titles.h"
#include "renderer/impl_win32/win32_window.h"
#include "renderer/render_window.h"

namespace {

// The module instance, window, device context and rendering context.
struct Win32Window {
  HINSTANCE instance = nullptr;
  bool class_registered = false;
  HWND window = nullptr;
  HDC device_context = nullptr;
  HGLRC rendering_context = nullptr;
  bool fine_timer = false;  // timeBeginPeriod(1) in force
};
Win32Window win;

constexpr UINT_PTR kTitleTimer = 1;
constexpr UINT kTitlePeriod = 1000;

// A maximized window would cover the primary display alone. A screen saver must cover every
// monitor, so the window spans the virtual screen and the scene goes on the primary monitor's part
// of it.
struct Placement {
  int x;
  int y;
  int width;
  int height;
};

Placement virtual_screen() {
  Placement p{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  if (p.width <= 0 || p.height <= 0) {
    p = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return p;
}

struct MonitorWalk {
  Placement origin;
  std::vector<orvanth::Monitor> found;
};

BOOL CALLBACK note_monitor(HMONITOR monitor, HDC /*dc*/, LPRECT /*rect*/, LPARAM data) {
  auto* walk = reinterpret_cast<MonitorWalk*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    const RECT& r = info.rcMonitor;
    walk->found.push_back(
        {{r.left - walk->origin.x, r.top - walk->origin.y, r.right - r.left, r.bottom - r.top},
         (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  }
  return TRUE;
}

// The monitors in the window's coordinates.
std::vector<orvanth::Monitor> monitors(const Placement& window) {
  MonitorWalk walk{window, {}};
  EnumDisplayMonitors(nullptr, nullptr, note_monitor, reinterpret_cast<LPARAM>(&walk));
  return walk.found;
}

// The display's refresh rate in hertz; 0 or 1 (the hardware's default)
// when it does not say.
double refresh_rate() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
    return 0.0;
  }
  return static_cast<double>(mode.dmDisplayFrequency);
}

bool register_class() {
  WNDCLASSA window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  window_class.lpfnWndProc = RenderWindowProc;
  window_class.hInstance = win.instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.lpszClassName = orvanth::kRendererClass;
  win.class_registered = RegisterClassA(&window_class) != 0;
  return win.class_registered;
}

bool set_pixel_format(int bits) {
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = static_cast<BYTE>(bits);
  pfd.cDepthBits = 16;
  pfd.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(win.device_context, &pfd);
  return format != 0 && SetPixelFormat(win.device_context, format, &pfd);
}

bool make_context() {
  win.rendering_context = wglCreateContext(win.device_context);
  return win.rendering_context != nullptr &&
         wglMakeCurrent(win.device_context, win.rendering_context);
}

}  // namespace

LRESULT CALLBACK RenderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_SIZE: {
      const Placement screen = virtual_screen();
      orvanth::window_resized(LOWORD(lParam), HIWORD(lParam), monitors(screen));
      return 0;
    }
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      orvanth::key_changed(static_cast<int>(wParam & 0xFF), true);
      return 0;
    case WM_KEYUP:
      orvanth::key_changed(static_cast<int>(wParam & 0xFF), false);
      return 0;
    case WM_TIMER:
      if (wParam == kTitleTimer) {
        SetWindowTextA(window, orvanth::kRendererTitle);
      }
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

namespace orvanth::window {

bool open(int bits, Opened& opened) {
  win.instance = GetModuleHandleA(nullptr);
  if (!register_class()) {
    return false;
  }
  const Placement screen = virtual_screen();
  win.window =
      CreateWindowExA(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, kRendererClass, kRendererTitle,
                      WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, screen.x, screen.y,
                      screen.width, screen.height, nullptr, nullptr, win.instance, nullptr);
  if (win.window == nullptr || (win.device_context = GetDC(win.window)) == nullptr ||
      !set_pixel_format(bits) || !make_context()) {
    close();
    return false;
  }
  SetTimer(win.window, kTitleTimer, kTitlePeriod, nullptr);
  ShowWindow(win.window, SW_SHOW);
  SetForegroundWindow(win.window);
  SetFocus(win.window);
  opened.width = screen.width;
  opened.height = screen.height;
  opened.monitors = monitors(screen);
  opened.refresh_hz = refresh_rate();
  opened.full_screen = true;
  // The pacer's waits are a few milliseconds; the default timer would round
  // them up to 15.6.
  win.fine_timer = timeBeginPeriod(1) == TIMERR_NOERROR;
  return true;
}

Message next_message() {
  MSG message{};
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    return Message::kNone;
  }
  if (message.message == WM_QUIT) {
    return Message::kQuit;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return Message::kHandled;
}

void swap_buffers() { SwapBuffers(win.device_context); }

// One window for every monitor.
bool next_surface(int& /*width*/, int& /*height*/) { return false; }

bool set_swap_interval(int interval) {
  using SwapIntervalExt = BOOL(WINAPI*)(int);
  const auto set = reinterpret_cast<SwapIntervalExt>(
      reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
  return set != nullptr && set(interval) != FALSE;
}

void wait_for_message(std::int64_t microseconds) {
  // To the nearest millisecond: the loop comes back for what is left.
  MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>((microseconds + 500) / 1000),
                              QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

std::optional<CursorPoint> cursor_position() {
  POINT point{};
  if (!GetCursorPos(&point)) {
    return std::nullopt;
  }
  return CursorPoint{point.x, point.y};
}

void show_cursor(bool shown) { ShowCursor(shown ? TRUE : FALSE); }

std::uint32_t tick() { return GetTickCount(); }

void close() {
  if (win.fine_timer) {
    timeEndPeriod(1);
  }
  if (win.rendering_context != nullptr) {
    wglMakeCurrent(win.device_context, nullptr);
    wglDeleteContext(win.rendering_context);
  }
  if (win.device_context != nullptr) {
    ReleaseDC(win.window, win.device_context);
  }
  if (win.window != nullptr) {
    DestroyWindow(win.window);
  }
  if (win.class_registered) {
    UnregisterClassA(kRendererClass, win.instance);
  }
  win = Win32Window{};
}

// The Windows shell does not wait for the first frame.
void first_frame_shown() {}

}  // namespace orvanth::window
