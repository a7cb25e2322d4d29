#include "platform/media/gst_support.h"

namespace orvanth::gst {

bool init() {
  static const bool ok = gst_init_check(nullptr, nullptr, nullptr) != FALSE;
  return ok;
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

GstMessage* Pipeline::pop() const {
  return bus_ ? gst_bus_pop(bus_.get()) : nullptr;
}

GstElement* make_audio_sink() {
  for (const char* factory : {"autoaudiosink", "pulsesink"}) {
    if (GstElement* sink = gst_element_factory_make(factory, nullptr)) {
      return sink;
    }
  }
  return nullptr;
}

}  // namespace orvanth::gst
