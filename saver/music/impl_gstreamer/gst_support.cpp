#include "saver/music/impl_gstreamer/gst_support.h"

namespace orvanth::music::gst {

namespace {
constexpr guint kPlayFlagAudio = 0x2;  // playbin: audio stream only
}  // namespace

bool init() {
  static const bool kOk = gst_init_check(nullptr, nullptr, nullptr) != FALSE;
  return kOk;
}

void Pipeline::reset(GstElement* element) {
  if (element_ != nullptr) {
    gst_element_set_state(element_, GST_STATE_NULL);
    bus_.reset();
    gst_object_unref(element_);
  }
  element_ = element;
  if (element_ != nullptr) {
    bus_.reset(gst_element_get_bus(element_));
  }
}

GstMessage* Pipeline::pop() const { return bus_ ? gst_bus_pop(bus_.get()) : nullptr; }

GstElement* make_audio_sink() {
  for (const char* factory : {"autoaudiosink", "pulsesink"}) {
    if (GstElement* sink = gst_element_factory_make(factory, nullptr)) {
      return sink;
    }
  }
  return nullptr;
}

void discard(std::initializer_list<GstElement*> elements) {
  for (GstElement* e : elements) {
    if (e != nullptr) {
      gst_object_unref(gst_object_ref_sink(e));
    }
  }
}

GstElement* make_audio_playbin(const char* uri, bool fake_video) {
  GstElement* playbin = gst_element_factory_make("playbin", nullptr);
  GstElement* sink = make_audio_sink();
  GstElement* video = fake_video ? gst_element_factory_make("fakesink", nullptr) : nullptr;
  if (playbin == nullptr || sink == nullptr || (fake_video && video == nullptr)) {
    discard({playbin, sink, video});
    return nullptr;
  }
  g_object_set(playbin, "uri", uri, "audio-sink", sink, "flags", kPlayFlagAudio, nullptr);
  if (video != nullptr) {
    g_object_set(playbin, "video-sink", video, nullptr);
  }
  return playbin;
}

bool seek(GstElement* element, gint64 ns) {
  const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  return gst_element_seek_simple(element, GST_FORMAT_TIME, flags, ns) != FALSE;
}

}  // namespace orvanth::music::gst
