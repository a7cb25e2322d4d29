#include "platform/media/sound.h"

#include <memory>
#include <string>

#include "platform/media/gst_support.h"

namespace {

constexpr guint kPlayFlagAudio = 0x2;

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

// The one sound of the player. Module state: the original player has one
// sound at a time, and the shell one thread. loop_data outlives the
// pipeline, which is stopped (its threads joined) before it is freed.
struct Player {
  std::unique_ptr<LoopData> loop_data;
  orvanth::gst::Pipeline pipeline;

  void stop() {
    pipeline.reset();
    loop_data.reset();
  }
};

Player& player() {
  static Player p;
  return p;
}

GstElement* make_playbin(const std::string& uri) {
  GstElement* playbin = gst_element_factory_make("playbin", nullptr);
  GstElement* sink = orvanth::gst::make_audio_sink();
  if (playbin == nullptr || sink == nullptr) {
    for (GstElement* e : {playbin, sink}) {
      if (e != nullptr) {
        gst_object_unref(gst_object_ref_sink(e));
      }
    }
    return nullptr;
  }
  g_object_set(playbin, "uri", uri.c_str(), "audio-sink", sink, "flags", kPlayFlagAudio, nullptr);
  return playbin;
}

}  // namespace

std::uint32_t waveOutGetNumDevs() {
  if (!orvanth::gst::init()) {
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

bool PlaySoundA(const char* sound, void* /*module*/, std::uint32_t flags) {
  Player& p = player();
  p.stop();
  if (sound == nullptr || *sound == '\0' || !orvanth::gst::init()) {
    return sound == nullptr;
  }
  gchar* uri = gst_filename_to_uri(sound, nullptr);
  if (uri == nullptr) {
    return false;
  }
  GstElement* playbin = make_playbin(uri);
  auto data = std::make_unique<LoopData>(LoopData{uri});
  g_free(uri);
  if (playbin == nullptr) {
    return false;
  }
  if ((flags & SND_LOOP) != 0) {
    g_signal_connect(playbin, "about-to-finish", G_CALLBACK(on_about_to_finish), data.get());
  }
  p.loop_data = std::move(data);
  p.pipeline.reset(playbin);
  // Nobody reads this bus; flushing drops its messages instead of keeping them.
  if (GstBus* bus = gst_element_get_bus(playbin)) {
    gst_bus_set_flushing(bus, TRUE);
    gst_object_unref(bus);
  }
  return gst_element_set_state(playbin, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
}
