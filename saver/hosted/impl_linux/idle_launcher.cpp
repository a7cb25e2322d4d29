#include "saver/hosted/impl_linux/idle_launcher.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <string_view>

#include "wayland/ext-idle-notify-v1-client.h"
#include "wayland/kde-idle-client.h"

extern char** environ;

namespace orvanth::hosted {
namespace {

volatile std::sig_atomic_t EndAsked = 0;
void ask_end(int /*number*/) { EndAsked = 1; }

// The run started last; 0 when none is up.
pid_t Run = 0;

void start_run(const std::string& shell_path) {
  char* const argv[] = {const_cast<char*>(shell_path.c_str()), const_cast<char*>("/s"), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, shell_path.c_str(), nullptr, nullptr, argv, environ) == 0) {
    Run = pid;
  } else {
    std::fprintf(stderr, "orvanth: cannot start %s /s\n", shell_path.c_str());
  }
}

// Reaps the run once it has ended.
void reap_run() {
  if (Run > 0 && waitpid(Run, nullptr, WNOHANG) == Run) {
    Run = 0;
  }
}

// The launcher goes; the run it started goes with it.
void end_run() {
  if (Run > 0) {
    kill(Run, SIGTERM);
    waitpid(Run, nullptr, 0);
    Run = 0;
  }
}

// Waits for the descriptor at most timeout_ms; false on a signal's request.
bool wait_readable(int fd, int timeout_ms) {
  pollfd p{fd, POLLIN, 0};
  poll(&p, 1, timeout_ms);
  return EndAsked == 0;
}

// ---- Wayland ----

struct WaylandIdle {
  wl_seat* seat = nullptr;
  ext_idle_notifier_v1* notifier = nullptr;
  org_kde_kwin_idle* kde = nullptr;
  bool idled = false;  // an idle notice not yet acted on
};
WaylandIdle WI;

void global(void* /*data*/, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t /*version*/) {
  const std::string_view kind = interface;
  if (kind == wl_seat_interface.name && WI.seat == nullptr) {
    WI.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (kind == ext_idle_notifier_v1_interface.name) {
    WI.notifier = static_cast<ext_idle_notifier_v1*>(
        wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
  } else if (kind == org_kde_kwin_idle_interface.name) {
    WI.kde = static_cast<org_kde_kwin_idle*>(
        wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
  }
}
void global_remove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistry = {global, global_remove};

void ext_idled(void*, ext_idle_notification_v1*) { WI.idled = true; }
void ext_resumed(void*, ext_idle_notification_v1*) { WI.idled = false; }
const ext_idle_notification_v1_listener kExtListener = {ext_idled, ext_resumed};

void kde_idle(void*, org_kde_kwin_idle_timeout*) { WI.idled = true; }
void kde_resumed(void*, org_kde_kwin_idle_timeout*) { WI.idled = false; }
const org_kde_kwin_idle_timeout_listener kKdeListener = {kde_idle, kde_resumed};

// -1: no compositor or no idle protocol; else the exit code.
int run_on_wayland(std::uint32_t timeout_ms, const std::string& shell_path) {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    return -1;
  }
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistry, nullptr);
  wl_display_roundtrip(display);
  if (WI.seat == nullptr || (WI.notifier == nullptr && WI.kde == nullptr)) {
    wl_display_disconnect(display);
    return -1;
  }
  if (WI.notifier != nullptr) {
    ext_idle_notification_v1* notice =
        ext_idle_notifier_v1_get_idle_notification(WI.notifier, timeout_ms, WI.seat);
    ext_idle_notification_v1_add_listener(notice, &kExtListener, nullptr);
  } else {
    org_kde_kwin_idle_timeout* notice =
        org_kde_kwin_idle_get_idle_timeout(WI.kde, WI.seat, timeout_ms);
    org_kde_kwin_idle_timeout_add_listener(notice, &kKdeListener, nullptr);
  }
  // The compositor tells; between its notices the launcher sleeps in poll,
  // waking twice a second only to reap a run that has ended.
  while (wl_display_flush(display) >= 0) {
    while (wl_display_prepare_read(display) != 0) {
      wl_display_dispatch_pending(display);
    }
    const bool go_on = wait_readable(wl_display_get_fd(display), Run > 0 ? 500 : 5000);
    if (!go_on) {
      wl_display_cancel_read(display);
      break;
    }
    if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0) {
      break;  // the compositor ended: so does the session
    }
    reap_run();
    if (WI.idled && Run == 0) {
      WI.idled = false;  // once per idle spell
      start_run(shell_path);
    }
  }
  end_run();
  wl_display_disconnect(display);
  return 0;
}

// ---- X11 ----

int session_ended(Display*) {
  end_run();
  _exit(0);
}

int run_on_x11(std::uint32_t timeout_ms, const std::string& shell_path) {
  Display* display = XOpenDisplay(nullptr);
  int event_base = 0;
  int error_base = 0;
  if (display == nullptr || !XScreenSaverQueryExtension(display, &event_base, &error_base)) {
    return -1;
  }
  XSetIOErrorHandler(session_ended);
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  // Armed once the user has been active since the last run.
  bool armed = true;
  while (EndAsked == 0) {
    reap_run();
    XScreenSaverQueryInfo(display, DefaultRootWindow(display), info);
    const unsigned long idle = info->idle;
    if (idle < timeout_ms) {
      armed = true;
    } else if (armed && Run == 0) {
      armed = false;
      start_run(shell_path);
    }
    // Asleep until the idle time could next reach the limit (or, while a
    // run is up, half a second to reap it); the connection wakes it too.
    const unsigned long rest = idle < timeout_ms ? timeout_ms - idle : timeout_ms;
    const int wait = Run > 0 ? 500 : static_cast<int>(std::clamp(rest, 100UL, 60000UL));
    wait_readable(ConnectionNumber(display), wait);
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
  }
  XFree(info);
  end_run();
  XCloseDisplay(display);
  return 0;
}

}  // namespace

int run_idle_launcher(double minutes, const std::string& shell_path) {
  struct sigaction action{};
  action.sa_handler = ask_end;
  sigemptyset(&action.sa_mask);
  for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
    sigaction(number, &action, nullptr);
  }
  const auto timeout_ms =
      static_cast<std::uint32_t>(std::clamp(std::lround(minutes * 60000.0), 1L, 0x7fffffffL));
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland != nullptr && *wayland != '\0') {
    if (const int code = run_on_wayland(timeout_ms, shell_path); code >= 0) {
      return code;
    }
  }
  if (const int code = run_on_x11(timeout_ms, shell_path); code >= 0) {
    return code;
  }
  std::fprintf(stderr,
               "orvanth: --idle needs a Wayland compositor with an idle protocol "
               "(ext-idle-notify-v1 or org_kde_kwin_idle) or an X server with MIT-SCREEN-SAVER\n");
  return 1;
}

}  // namespace orvanth::hosted
