// Input for a headless Mutter through its RemoteDesktop API: with a number,
// moves the pointer a pixel to and fro every 100 ms for that many seconds;
// with "escape", presses and lets go of Escape. Exits 0 once done, 1 when
// Mutter refused. Run in Mutter's session, as its user.
#include <gio/gio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

GVariant* call(GDBusConnection* bus, const char* path, const char* interface, const char* method,
               GVariant* arguments) {
  GError* error = nullptr;
  GVariant* reply = g_dbus_connection_call_sync(bus, "org.gnome.Mutter.RemoteDesktop", path,
                                                interface, method, arguments, nullptr,
                                                G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, &error);
  if (reply == nullptr) {
    std::fprintf(stderr, "orvanth_test_mutter_input: %s: %s\n", method, error->message);
    g_error_free(error);
  }
  return reply;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view what = argc > 1 ? argv[1] : "1";
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (bus == nullptr) {
    return 1;
  }
  GVariant* created = call(bus, "/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
                           "CreateSession", nullptr);
  if (created == nullptr) {
    return 1;
  }
  const gchar* session = nullptr;
  g_variant_get(created, "(&o)", &session);
  constexpr char kSession[] = "org.gnome.Mutter.RemoteDesktop.Session";
  if (GVariant* started = call(bus, session, kSession, "Start", nullptr)) {
    g_variant_unref(started);
  } else {
    return 1;
  }
  if (what == "escape") {
    // Mutter makes the seat's keyboard on its input thread when the first
    // key comes, and that key is lost; so is a key whose session closes at
    // once. Shift first, then Escape, each given time to arrive.
    for (const guint32 keysym : {0xffe1U, 0xff1bU}) {
      for (const gboolean down : {gboolean{TRUE}, gboolean{FALSE}}) {
        GVariant* typed = call(bus, session, kSession, "NotifyKeyboardKeysym",
                               g_variant_new("(ub)", keysym, down));
        if (typed == nullptr) {
          return 1;
        }
        g_variant_unref(typed);
      }
      usleep(500000);
    }
    return 0;
  }
  const double seconds = std::atof(std::string(what).c_str());
  for (int step = 0; step < static_cast<int>(seconds * 10); ++step) {
    GVariant* moved = call(bus, session, kSession, "NotifyPointerMotionRelative",
                           g_variant_new("(dd)", step % 2 == 0 ? 1.0 : -1.0, 0.0));
    if (moved == nullptr) {
      return 1;
    }
    g_variant_unref(moved);
    usleep(100000);
  }
  g_variant_unref(created);
  return 0;
}
