#include "saver/hosted/impl_linux/idle_launcher.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <gio/gio.h>
#include <glib-unix.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "saver/hosted/idle_rules.h"
#include "wayland/ext-idle-notify-v1-client.h"
#include "wayland/kde-idle-client.h"

extern char** environ;

namespace orvanth::hosted {
namespace {

volatile std::sig_atomic_t end_asked = 0;
void ask_end(int /*number*/) { end_asked = 1; }

// The run started last; 0 when none is up.
pid_t run = 0;

void start_run(const std::string& shell_path) {
  char* const argv[] = {const_cast<char*>(shell_path.c_str()), const_cast<char*>("/s"), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, shell_path.c_str(), nullptr, nullptr, argv, environ) == 0) {
    run = pid;
  } else {
    std::fprintf(stderr, "orvanth: cannot start %s /s\n", shell_path.c_str());
  }
}

// Reaps the run once it has ended.
void reap_run() {
  if (run > 0 && waitpid(run, nullptr, WNOHANG) == run) {
    run = 0;
  }
}

// The launcher goes; the run it started goes with it.
void end_run() {
  if (run > 0) {
    kill(run, SIGTERM);
    waitpid(run, nullptr, 0);
    run = 0;
  }
}

// Waits for the descriptor at most timeout_ms; false on a signal's request.
bool wait_readable(int fd, int timeout_ms) {
  pollfd p{fd, POLLIN, 0};
  poll(&p, 1, timeout_ms);
  return end_asked == 0;
}

// ---- Wayland ----

struct WaylandIdle {
  wl_seat* seat = nullptr;
  ext_idle_notifier_v1* notifier = nullptr;
  org_kde_kwin_idle* kde = nullptr;
  IdleSpell spell;
};
WaylandIdle wi;

void global(void* /*data*/, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t /*version*/) {
  const std::string_view kind = interface;
  if (kind == wl_seat_interface.name && wi.seat == nullptr) {
    wi.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (kind == ext_idle_notifier_v1_interface.name) {
    wi.notifier = static_cast<ext_idle_notifier_v1*>(
        wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
  } else if (kind == org_kde_kwin_idle_interface.name) {
    wi.kde = static_cast<org_kde_kwin_idle*>(
        wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
  }
}
void global_remove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistry = {global, global_remove};

void ext_idled(void*, ext_idle_notification_v1*) { wi.spell.idled(); }
void ext_resumed(void*, ext_idle_notification_v1*) { wi.spell.resumed(); }
const ext_idle_notification_v1_listener kExtListener = {ext_idled, ext_resumed};

void kde_idle(void*, org_kde_kwin_idle_timeout*) { wi.spell.idled(); }
void kde_resumed(void*, org_kde_kwin_idle_timeout*) { wi.spell.resumed(); }
const org_kde_kwin_idle_timeout_listener kKdeListener = {kde_idle, kde_resumed};

// The compositor's connection while its idle protocols are looked at.
wl_display* wayland_display = nullptr;

void probe_wayland(IdleOffers& offers) {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  if (name == nullptr || *name == '\0') {
    return;
  }
  wayland_display = wl_display_connect(nullptr);
  if (wayland_display == nullptr) {
    return;
  }
  wl_registry* registry = wl_display_get_registry(wayland_display);
  wl_registry_add_listener(registry, &kRegistry, nullptr);
  wl_display_roundtrip(wayland_display);
  offers.ext_idle_notify = wi.seat != nullptr && wi.notifier != nullptr;
  offers.kde_idle = wi.seat != nullptr && wi.kde != nullptr;
}

int run_on_wayland(IdleSource source, std::uint32_t timeout_ms, const std::string& shell_path) {
  wl_display* display = wayland_display;
  IdleSpell& spell = wi.spell;
  if (source == IdleSource::kExtIdleNotify) {
    ext_idle_notification_v1* notice =
        ext_idle_notifier_v1_get_idle_notification(wi.notifier, timeout_ms, wi.seat);
    ext_idle_notification_v1_add_listener(notice, &kExtListener, nullptr);
  } else {
    org_kde_kwin_idle_timeout* notice =
        org_kde_kwin_idle_get_idle_timeout(wi.kde, wi.seat, timeout_ms);
    org_kde_kwin_idle_timeout_add_listener(notice, &kKdeListener, nullptr);
  }
  // The compositor tells; between its notices the launcher sleeps in poll,
  // waking twice a second only to reap a run that has ended.
  while (wl_display_flush(display) >= 0) {
    while (wl_display_prepare_read(display) != 0) {
      wl_display_dispatch_pending(display);
    }
    const bool go_on = wait_readable(wl_display_get_fd(display), run > 0 ? 500 : 5000);
    if (!go_on) {
      wl_display_cancel_read(display);
      break;
    }
    if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0) {
      break;  // the compositor ended: so does the session
    }
    reap_run();
    if (spell.start_now(run > 0)) {
      start_run(shell_path);
    }
  }
  end_run();
  wl_display_disconnect(display);
  return 0;
}

// ---- GNOME: Mutter's idle monitor on the session bus ----

constexpr char kMutterName[] = "org.gnome.Mutter.IdleMonitor";
constexpr char kMutterPath[] = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr char kMutterInterface[] = "org.gnome.Mutter.IdleMonitor";

struct MutterIdle {
  GDBusConnection* bus = nullptr;
  guint32 idle_watch = 0;
  guint32 active_watch = 0;  // Mutter drops it once it has fired
  IdleSpell spell;
  bool ended = false;
};
MutterIdle mi;

// The watch's id; 0 when the call failed.
guint32 add_watch(const char* method, GVariant* arguments) {
  GVariant* reply = g_dbus_connection_call_sync(mi.bus, kMutterName, kMutterPath, kMutterInterface,
                                                method, arguments, G_VARIANT_TYPE("(u)"),
                                                G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
  guint32 id = 0;
  if (reply != nullptr) {
    g_variant_get(reply, "(u)", &id);
    g_variant_unref(reply);
  }
  return id;
}

void watch_fired(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                 GVariant* parameters, gpointer) {
  guint32 id = 0;
  g_variant_get(parameters, "(u)", &id);
  if (id == mi.idle_watch) {
    mi.spell.idled();
    // To hear of the next input; the idle watch fires again only after it.
    if (mi.active_watch == 0) {
      mi.active_watch = add_watch("AddUserActiveWatch", nullptr);
    }
  } else if (id == mi.active_watch) {
    mi.active_watch = 0;
    mi.spell.resumed();
  }
}

void monitor_gone(GDBusConnection*, const gchar*, gpointer) { mi.ended = true; }
void bus_closed(GDBusConnection*, gboolean, GError*, gpointer) { mi.ended = true; }
gboolean end_signal(gpointer) {
  mi.ended = true;
  return G_SOURCE_CONTINUE;
}
gboolean wake(gpointer) { return G_SOURCE_REMOVE; }

void probe_mutter(IdleOffers& offers) {
  // Only a bus that is there: no autolaunched one.
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::error_code error;
  const bool bus_there = (address != nullptr && *address != '\0') ||
                         (runtime != nullptr &&
                          std::filesystem::exists(std::filesystem::path(runtime) / "bus", error));
  if (!bus_there) {
    return;
  }
  mi.bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (mi.bus == nullptr) {
    return;
  }
  // The run is ended before the launcher goes, not by GLib's exit.
  g_dbus_connection_set_exit_on_close(mi.bus, FALSE);
  GVariant* reply = g_dbus_connection_call_sync(
      mi.bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
      "NameHasOwner", g_variant_new("(s)", kMutterName), G_VARIANT_TYPE("(b)"),
      G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
  if (reply != nullptr) {
    gboolean owned = FALSE;
    g_variant_get(reply, "(b)", &owned);
    offers.mutter_idle_monitor = owned != FALSE;
    g_variant_unref(reply);
  }
}

int run_on_mutter(std::uint32_t timeout_ms, const std::string& shell_path) {
  for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
    g_unix_signal_add(number, end_signal, nullptr);
  }
  g_signal_connect(mi.bus, "closed", G_CALLBACK(bus_closed), nullptr);
  // Ends the launcher when Mutter goes (its session with it).
  const guint name_watch = g_bus_watch_name_on_connection(
      mi.bus, kMutterName, G_BUS_NAME_WATCHER_FLAGS_NONE, nullptr, monitor_gone, nullptr, nullptr);
  const guint subscription = g_dbus_connection_signal_subscribe(
      mi.bus, kMutterName, kMutterInterface, "WatchFired", kMutterPath, nullptr,
      G_DBUS_SIGNAL_FLAGS_NONE, watch_fired, nullptr, nullptr);
  mi.idle_watch = add_watch("AddIdleWatch", g_variant_new("(t)", guint64{timeout_ms}));
  if (mi.idle_watch == 0) {
    std::fprintf(stderr, "orvanth: Mutter's idle monitor refused a watch\n");
    mi.ended = true;
  }
  // Asleep in GLib's poll until the bus says something, or half a second
  // while a run is up, to reap it.
  while (!mi.ended && end_asked == 0) {
    GSource* tick = g_timeout_source_new(run > 0 ? 500 : 5000);
    g_source_set_callback(tick, wake, nullptr, nullptr);
    g_source_attach(tick, nullptr);
    g_main_context_iteration(nullptr, TRUE);
    g_source_destroy(tick);
    g_source_unref(tick);
    reap_run();
    if (!mi.ended && mi.spell.start_now(run > 0)) {
      start_run(shell_path);
    }
  }
  end_run();
  g_dbus_connection_signal_unsubscribe(mi.bus, subscription);
  g_bus_unwatch_name(name_watch);
  g_object_unref(mi.bus);
  return 0;
}

// ---- X11 ----

int session_ended(Display*) {
  end_run();
  _exit(0);
}

Display* x_display = nullptr;

void probe_x11(IdleOffers& offers) {
  x_display = XOpenDisplay(nullptr);
  int event_base = 0;
  int error_base = 0;
  offers.screen_saver_extension =
      x_display != nullptr && XScreenSaverQueryExtension(x_display, &event_base, &error_base);
}

int run_on_x11(std::uint32_t timeout_ms, const std::string& shell_path) {
  Display* display = x_display;
  XSetIOErrorHandler(session_ended);
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  // Armed once the user has been active since the last run.
  bool armed = true;
  while (end_asked == 0) {
    reap_run();
    XScreenSaverQueryInfo(display, DefaultRootWindow(display), info);
    const unsigned long idle = info->idle;
    if (idle < timeout_ms) {
      armed = true;
    } else if (armed && run == 0) {
      armed = false;
      start_run(shell_path);
    }
    // Asleep until the idle time could next reach the limit (or, while a
    // run is up, half a second to reap it); the connection wakes it too.
    const unsigned long rest = idle < timeout_ms ? timeout_ms - idle : timeout_ms;
    const int wait = run > 0 ? 500 : static_cast<int>(std::clamp(rest, 100UL, 60000UL));
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
  struct sigaction action {};
  action.sa_handler = ask_end;
  sigemptyset(&action.sa_mask);
  for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
    sigaction(number, &action, nullptr);
  }
  const auto timeout_ms =
      static_cast<std::uint32_t>(std::clamp(std::lround(minutes * 60000.0), 1L, 0x7fffffffL));
  // Looked at in the order they are chosen in; a later one only when no
  // earlier one is there.
  IdleOffers offers;
  probe_wayland(offers);
  if (choose_idle_source(offers) == IdleSource::kNone) {
    probe_mutter(offers);
  }
  if (choose_idle_source(offers) == IdleSource::kNone) {
    probe_x11(offers);
  }
  const IdleSource source = choose_idle_source(offers);
  if (wayland_display != nullptr && source != IdleSource::kExtIdleNotify &&
      source != IdleSource::kKdeIdle) {
    wl_display_disconnect(wayland_display);
  }
  if (mi.bus != nullptr && source != IdleSource::kMutterIdleMonitor) {
    g_object_unref(mi.bus);
  }
  switch (source) {
    case IdleSource::kExtIdleNotify:
    case IdleSource::kKdeIdle:
      return run_on_wayland(source, timeout_ms, shell_path);
    case IdleSource::kMutterIdleMonitor:
      return run_on_mutter(timeout_ms, shell_path);
    case IdleSource::kScreenSaverExtension:
      return run_on_x11(timeout_ms, shell_path);
    case IdleSource::kNone:
      break;
  }
  std::fprintf(stderr,
               "orvanth: --idle needs a Wayland compositor with an idle protocol "
               "(ext-idle-notify-v1 or org_kde_kwin_idle), GNOME's Mutter idle monitor "
               "(org.gnome.Mutter.IdleMonitor) or an X server with MIT-SCREEN-SAVER\n");
  return 1;
}

}  // namespace orvanth::hosted
