// A device's pipeline and the play mode its commands put it in: play,
// pause, resume and stop move both together.
#pragma once

#include "saver/music/impl_gstreamer/device.h"
#include "saver/music/impl_gstreamer/gst_support.h"

namespace orvanth::music {

class Playback {
 public:
  explicit Playback(GstElement* pipeline) : pipeline_(pipeline) {}

  GstElement* get() const { return pipeline_.get(); }
  GstMessage* pop() const { return pipeline_.pop(); }
  PlayMode mode() const { return mode_; }

  void play() {
    mode_ = PlayMode::kPlaying;
    gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING);
  }
  void resume() {
    if (mode_ == PlayMode::kPaused) {
      play();
    }
  }
  // Stop, or pause while playing: the pipeline keeps its place.
  void hold(PlayMode mode) {
    if (holds(mode, mode_)) {
      mode_ = mode;
      gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
    }
  }
  // The stream reached its end: a playing device has stopped.
  void ended() {
    if (mode_ == PlayMode::kPlaying) {
      mode_ = PlayMode::kStopped;
    }
  }
  // The stream broke: the device plays no more, whatever it did.
  void broke() { mode_ = PlayMode::kStopped; }
  // Frees the threads of a device that can play no more (once).
  void release() {
    if (!released_) {
      gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
      released_ = true;
    }
  }

 private:
  gst::Pipeline pipeline_;
  PlayMode mode_ = PlayMode::kStopped;
  bool released_ = false;
};

}  // namespace orvanth::music
