#include "saver/music/impl_gstreamer/cd_device.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "saver/music/disc_time.h"
#include "saver/music/impl_gstreamer/gst_support.h"
#include "saver/music/impl_gstreamer/playback.h"

namespace orvanth::music {

namespace {

std::uint32_t ns_to_frames(gint64 ns) {
  if (ns <= 0) {
    return 0;
  }
  return static_cast<std::uint32_t>((ns * kFramesPerSecond + GST_SECOND / 2) / GST_SECOND);
}

gint64 frames_to_ns(std::uint32_t frames) {
  return static_cast<gint64>(frames) * GST_SECOND / kFramesPerSecond;
}

// Disc layout from the source's table of contents (track times in ns).
DiscLayout layout_from_toc(GstToc* toc) {
  DiscLayout disc;
  for (GList* l = gst_toc_get_entries(toc); l != nullptr; l = l->next) {
    auto* entry = static_cast<GstTocEntry*>(l->data);
    gint64 start = 0;
    gint64 stop = 0;
    if (gst_toc_entry_get_entry_type(entry) != GST_TOC_ENTRY_TYPE_TRACK ||
        !gst_toc_entry_get_start_stop_times(entry, &start, &stop)) {
      continue;
    }
    const std::uint32_t first = ns_to_frames(start);
    if (!disc.track_starts.empty() && first < disc.track_starts.back()) {
      continue;
    }
    disc.track_starts.push_back(first);
    disc.end = std::max(disc.end, ns_to_frames(stop));
  }
  return disc;
}

class CdDevice final : public Device {
 public:
  CdDevice(GstElement* pipeline, GstElement* source) : playback_(pipeline), source_(source) {
    // The source opens the drive or image here; an unreadable one fails now.
    if (gst_element_set_state(playback_.get(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
      no_media_ = true;
    }
  }

  ErrorCode play(const Command& cmd) override {
    if (ErrorCode err = ready(); err != kOk) {
      return err;
    }
    std::uint32_t from = current_frame();
    if (cmd.from) {
      const PositionResult p = parse_position(disc_, format_, *cmd.from);
      if (p.error != kOk) {
        return p.error;
      }
      from = p.frame;
    } else if (at_end_ || from >= disc_.end) {
      from = 0;  // a finished disc plays again from its start, as a player does
    }
    if (cmd.to) {
      return kErrUnsupportedFunction;
    }
    if (!seek_frame(from)) {
      return kErrHardware;
    }
    if (at_end_) {
      return kOk;  // played from the disc's end: nothing to play
    }
    playback_.play();
    return kOk;
  }

  ErrorCode stop() override { return hold(PlayMode::kStopped); }
  ErrorCode pause() override { return hold(PlayMode::kPaused); }

  ErrorCode resume() override {
    if (ErrorCode err = ready(); err != kOk) {
      return err;
    }
    playback_.resume();
    return kOk;
  }

  ErrorCode seek(const Command& cmd) override {
    if (ErrorCode err = ready(); err != kOk) {
      return err;
    }
    std::uint32_t target = 0;
    if (cmd.seek_target == SeekTarget::kEnd) {
      target = disc_.end;
    } else if (cmd.seek_target == SeekTarget::kPosition) {
      const PositionResult p = parse_position(disc_, format_, cmd.seek_position);
      if (p.error != kOk) {
        return p.error;
      }
      target = p.frame;
    }
    hold(PlayMode::kStopped);
    return seek_frame(target) ? kOk : kErrHardware;
  }

  ErrorCode set(const Command& cmd) override {
    format_ = cmd.time_format;
    return kOk;
  }

  ErrorCode status(const Command& cmd, std::string& reply) override {
    poll();
    switch (cmd.item) {
      case StatusItem::kMode:
        reply = mode_text(playback_.mode(), ready_now());
        return kOk;
      case StatusItem::kReady:
        reply = bool_text(ready_now());
        return kOk;
      case StatusItem::kMediaPresent:
        reply = bool_text(!no_media_);
        return kOk;
      case StatusItem::kTimeFormat:
        reply = format_name();
        return kOk;
      default:
        break;
    }
    if (ErrorCode err = ready(); err != kOk) {
      return err;
    }
    return disc_status(cmd, reply);
  }

 private:
  ErrorCode disc_status(const Command& cmd, std::string& reply) {
    if (cmd.track && (*cmd.track < 1 || *cmd.track > disc_.track_count())) {
      return kErrOutOfRange;
    }
    switch (cmd.item) {
      case StatusItem::kCurrentTrack:
        reply = std::to_string(disc_.track_at(current_frame()));
        return kOk;
      case StatusItem::kNumberOfTracks:
        reply = std::to_string(disc_.track_count());
        return kOk;
      case StatusItem::kPosition:
        reply = format_position(disc_, format_,
                                cmd.track ? disc_.track_starts[*cmd.track - 1] : current_frame());
        return kOk;
      case StatusItem::kLength:
        reply = format_length(
            format_, cmd.track ? disc_.track_end(*cmd.track) - disc_.track_starts[*cmd.track - 1]
                               : disc_.end);
        return kOk;
      default:
        break;
    }
    return kErrUnsupportedFunction;
  }

  void poll() {
    while (GstMessage* msg = playback_.pop()) {
      switch (GST_MESSAGE_TYPE(msg)) {
        case GST_MESSAGE_TOC: {
          GstToc* toc = nullptr;
          gst_message_parse_toc(msg, &toc, nullptr);
          if (toc != nullptr) {
            disc_ = layout_from_toc(toc);
            gst_toc_unref(toc);
          }
          break;
        }
        case GST_MESSAGE_EOS:
          at_end_ = true;
          restart_source_ = true;
          last_frame_ = disc_.end;
          playback_.ended();
          break;
        case GST_MESSAGE_ERROR:
          no_media_ = true;
          break;
        default:
          break;
      }
      gst_message_unref(msg);
    }
    if (no_media_) {
      playback_.release();
    }
  }

  bool ready_now() const { return !no_media_ && disc_.track_count() > 0; }

  // kOk when the disc's layout is known; otherwise why not.
  ErrorCode ready() {
    poll();
    if (no_media_) {
      return kErrHardware;
    }
    return disc_.track_count() > 0 ? kOk : kErrDeviceNotReady;
  }

  std::uint32_t current_frame() {
    if (at_end_) {
      return disc_.end;
    }
    gint64 ns = -1;
    if (gst_element_query_position(playback_.get(), GST_FORMAT_TIME, &ns) && ns >= 0) {
      last_frame_ = std::min(ns_to_frames(ns), disc_.end);
    }
    return last_frame_;
  }

  bool seek_frame(std::uint32_t frame) {
    if (frame >= disc_.end) {
      // The disc's end: nothing left to read, the source is not moved.
      hold(PlayMode::kStopped);
      at_end_ = true;
      last_frame_ = disc_.end;
      return true;
    }
    const gint64 ns = frames_to_ns(frame);
    if (restart_source_) {
      // After the disc's end the CD source cannot seek (it has no current
      // track left); restart it with the seek pending, which it takes at start.
      gst_element_set_state(playback_.get(), GST_STATE_READY);
      const bool ok = gst::seek(source_, ns);
      gst_element_set_state(playback_.get(), GST_STATE_PAUSED);
      if (!ok) {
        return false;
      }
      restart_source_ = false;
    } else if (!gst::seek(playback_.get(), ns)) {
      return false;
    }
    at_end_ = false;
    last_frame_ = frame;
    return true;
  }

  ErrorCode hold(PlayMode mode) {
    if (ErrorCode err = ready(); err != kOk) {
      return err;
    }
    if (holds(mode, playback_.mode())) {
      current_frame();  // keep the place where play stopped
      playback_.hold(mode);
    }
    return kOk;
  }

  const char* format_name() const {
    switch (format_) {
      case TimeFormat::kTmsf:
        return "tmsf";
      case TimeFormat::kMilliseconds:
        return "milliseconds";
      case TimeFormat::kMsf:
        break;
    }
    return "msf";
  }

  Playback playback_;
  GstElement* source_;  // owned by the pipeline
  DiscLayout disc_;
  TimeFormat format_ = TimeFormat::kMsf;
  std::uint32_t last_frame_ = 0;
  bool at_end_ = false;
  bool restart_source_ = false;
  bool no_media_ = false;
};

GstElement* build_pipeline(const char* drive, GstElement*& source) {
  GstElement* pipeline = gst_pipeline_new(nullptr);
  GstElement* src = gst_element_factory_make("cdiocddasrc", nullptr);
  GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
  GstElement* resample = gst_element_factory_make("audioresample", nullptr);
  GstElement* sink = gst::make_audio_sink();
  if (pipeline == nullptr || src == nullptr || convert == nullptr || resample == nullptr ||
      sink == nullptr) {
    gst::discard({pipeline, src, convert, resample, sink});
    return nullptr;
  }
  // Whole-disc mode: one stream from the first track to the disc's end.
  gst_util_set_object_arg(G_OBJECT(src), "mode", "continuous");
  g_object_set(src, "device", drive, nullptr);
  gst_bin_add_many(GST_BIN(pipeline), src, convert, resample, sink, nullptr);
  if (!gst_element_link_many(src, convert, resample, sink, nullptr)) {
    gst_object_unref(pipeline);
    return nullptr;
  }
  source = src;
  return pipeline;
}

}  // namespace

ErrorCode open_cd_device(std::unique_ptr<Device>& out) {
  if (!gst::init()) {
    return kErrCannotLoadDriver;
  }
  const char* drive = std::getenv(kCdDeviceVariable);
  if (drive == nullptr || *drive == '\0') {
    drive = kDefaultCdDrive;
  }
  GstElement* source = nullptr;
  GstElement* pipeline = build_pipeline(drive, source);
  if (pipeline == nullptr) {
    return kErrCannotLoadDriver;
  }
  out = std::make_unique<CdDevice>(pipeline, source);
  return kOk;
}

}  // namespace orvanth::music
