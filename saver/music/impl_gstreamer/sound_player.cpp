// The wave-device count and the sound player on GStreamer: one sound at a
// time, looped by playbin without gaps.
#include <memory>
#include <string>

#include "saver/music/impl_gstreamer/gst_support.h"
#include "saver/music/media.h"

namespace orvanth::music {

namespace {

// What the streaming thread needs to queue the file again.
struct LoopData {
  std::string uri;
};

// playbin asks for the next file shortly before the current one ends;
// giving it the same one again loops without gaps and without a poll.
void on_about_to_finish(GstElement* playbin, gpointer data) {
  const auto* loop = static_cast<const LoopData*>(data);
  g_object_set(playbin, "uri", loop->uri.c_str(), nullptr);
}

// The one sound of the player. Module state: the player has one sound at a
// time, and the shell one thread. loop_data outlives the
// pipeline, which is stopped (its threads joined) before it is freed.
struct Player {
  std::unique_ptr<LoopData> loop_data;
  gst::Pipeline pipeline;

  void stop() {
    pipeline.reset();
    loop_data.reset();
  }
};

Player& player() {
  static Player p;
  return p;
}

}  // namespace

std::uint32_t wave_device_count() {
  if (!gst::init()) {
    return 0;
  }
  GstDeviceMonitor* monitor = gst_device_monitor_new();
  gst_device_monitor_add_filter(monitor, "Audio/Sink", nullptr);
  std::uint32_t count = 0;
  if (gst_device_monitor_start(monitor)) {
    GList* list = gst_device_monitor_get_devices(monitor);
    count = g_list_length(list);
    g_list_free_full(list, gst_object_unref);
    gst_device_monitor_stop(monitor);
  }
  gst_object_unref(monitor);
  return count;
}

// Plays the file named by sound (a path) in the background, endlessly with
// kSoundLoop, replacing any sound playing before; never blocks. No name stops
// the sound. A file that turns out not to be playable stays silent.
void play_sound(const char* sound, std::uint32_t flags) {
  Player& p = player();
  p.stop();
  if (sound == nullptr || *sound == '\0' || !gst::init()) {
    return;
  }
  gchar* uri = gst_filename_to_uri(sound, nullptr);
  if (uri == nullptr) {
    return;
  }
  GstElement* playbin = gst::make_audio_playbin(uri, false);
  auto data = std::make_unique<LoopData>(LoopData{uri});
  g_free(uri);
  if (playbin == nullptr) {
    return;
  }
  if ((flags & kSoundLoop) != 0) {
    g_signal_connect(playbin, "about-to-finish", G_CALLBACK(on_about_to_finish), data.get());
  }
  p.loop_data = std::move(data);
  p.pipeline.reset(playbin);
  // Nobody reads this bus; flushing drops its messages instead of keeping them.
  if (GstBus* bus = gst_element_get_bus(playbin)) {
    gst_bus_set_flushing(bus, TRUE);
    gst_object_unref(bus);
  }
  gst_element_set_state(playbin, GST_STATE_PLAYING);
}

}  // namespace orvanth::music
