// Small GStreamer helpers shared by the media devices and the sound player.
// No GLib main loop is assumed: owners pop their pipeline's bus themselves.
#pragma once

#include <gst/gst.h>

#include <initializer_list>
#include <memory>

namespace orvanth::music::gst {

// Initialises GStreamer once; false when it cannot be initialised.
bool init();

struct ObjectUnref {
  void operator()(gpointer p) const { gst_object_unref(p); }
};
using BusPtr = std::unique_ptr<GstBus, ObjectUnref>;

// A pipeline that is set to NULL and released on destruction.
class Pipeline {
 public:
  Pipeline() = default;
  explicit Pipeline(GstElement* element) { reset(element); }
  Pipeline(const Pipeline&) = delete;
  Pipeline& operator=(const Pipeline&) = delete;
  ~Pipeline() { reset(); }
  void reset(GstElement* element = nullptr);
  GstElement* get() const { return element_; }
  explicit operator bool() const { return element_ != nullptr; }
  // Next waiting bus message or nullptr; the caller unrefs it.
  GstMessage* pop() const;

 private:
  GstElement* element_ = nullptr;
  BusPtr bus_;
};

// The system's audio output: autoaudiosink, else pulsesink; nullptr when none.
GstElement* make_audio_sink();

// Frees new elements (floating or not) that were never added to a pipeline;
// nullptr entries are skipped.
void discard(std::initializer_list<GstElement*> elements);

// playbin for the file at uri, audio only, into the system's audio output
// (and, with fake_video, any video into a fakesink); nullptr when an element
// is missing.
GstElement* make_audio_playbin(const char* uri, bool fake_video);

// A flushing, accurate seek of element to ns; false when it is refused.
bool seek(GstElement* element, gint64 ns);

// Milliseconds as GStreamer time.
constexpr gint64 ms_to_ns(gint64 ms) { return ms * GST_MSECOND; }

}  // namespace orvanth::music::gst
