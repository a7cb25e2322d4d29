#include "saver/music/impl_gstreamer/mpeg_device.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdio>

#include "saver/music/impl_gstreamer/gst_support.h"
#include "saver/music/impl_gstreamer/playback.h"

namespace orvanth::music {

namespace {

// A position in milliseconds as the command gives it; false for anything
// but a whole number of at least 0.
bool parse_ms(const std::string& text, gint64& ns) {
  std::int64_t ms = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() || ms < 0) {
    return false;
  }
  ns = gst::ms_to_ns(ms);
  return true;
}

class MpegDevice final : public Device {
 public:
  explicit MpegDevice(GstElement* playbin) : playback_(playbin) {
    gst_element_set_state(playback_.get(), GST_STATE_PAUSED);
  }

  ErrorCode play(const Command& cmd) override {
    poll();
    if (broken_) {
      return kErrInvalidFile;
    }
    if (cmd.to) {
      return kErrUnsupportedFunction;
    }
    if (cmd.from) {
      gint64 ns = 0;
      if (!parse_ms(*cmd.from, ns)) {
        return kErrBadInteger;
      }
      seek_to(ns);
    } else if (at_end_) {
      seek_to(0);  // a finished file plays again from its start
    }
    at_end_ = false;
    playback_.play();
    return kOk;
  }

  ErrorCode stop() override { return hold(PlayMode::kStopped); }
  ErrorCode pause() override { return hold(PlayMode::kPaused); }

  ErrorCode resume() override {
    poll();
    playback_.resume();
    return kOk;
  }

  ErrorCode seek(const Command& cmd) override {
    poll();
    if (broken_) {
      return kErrInvalidFile;
    }
    gint64 target = 0;
    if (cmd.seek_target == SeekTarget::kEnd) {
      if (!gst_element_query_duration(playback_.get(), GST_FORMAT_TIME, &target)) {
        return kErrDeviceNotReady;
      }
    } else if (cmd.seek_target == SeekTarget::kPosition && !parse_ms(cmd.seek_position, target)) {
      return kErrBadInteger;
    }
    hold(PlayMode::kStopped);
    seek_to(target);
    return kOk;
  }

  ErrorCode set(const Command& cmd) override {
    return cmd.time_format == TimeFormat::kMilliseconds ? kOk : kErrBadTimeFormat;
  }

  ErrorCode status(const Command& cmd, std::string& reply) override {
    poll();
    switch (cmd.item) {
      case StatusItem::kMode:
        reply = mode_text(playback_.mode(), !broken_);
        return kOk;
      case StatusItem::kReady:
        reply = bool_text(!broken_);
        return kOk;
      case StatusItem::kMediaPresent:
        reply = "true";
        return kOk;
      case StatusItem::kTimeFormat:
        reply = "milliseconds";
        return kOk;
      case StatusItem::kPosition:
      case StatusItem::kLength:
        return time_reply(cmd, reply);
      case StatusItem::kCurrentTrack:
      case StatusItem::kNumberOfTracks:
        break;
    }
    return kErrUnsupportedFunction;
  }

 private:
  // Handles what the pipeline reported since the last command.
  void poll() {
    while (GstMessage* msg = playback_.pop()) {
      switch (GST_MESSAGE_TYPE(msg)) {
        case GST_MESSAGE_EOS:
          at_end_ = true;
          playback_.ended();
          break;
        case GST_MESSAGE_ERROR:
          broken_ = true;
          playback_.broke();
          break;
        case GST_MESSAGE_ASYNC_DONE:
          prerolled_ = true;
          if (pending_seek_ >= 0) {
            const gint64 target = pending_seek_;
            pending_seek_ = -1;
            seek_to(target);
          }
          break;
        default:
          break;
      }
      gst_message_unref(msg);
    }
    if (broken_) {
      playback_.release();  // a file that cannot be decoded stays silent
    }
  }

  ErrorCode hold(PlayMode mode) {
    poll();
    if (!broken_) {
      playback_.hold(mode);
    }
    return kOk;
  }

  void seek_to(gint64 ns) {
    if (!prerolled_ || !gst::seek(playback_.get(), ns)) {
      pending_seek_ = ns;  // applied once the file has been read far enough
    }
  }

  ErrorCode time_reply(const Command& cmd, std::string& reply) {
    if (cmd.track) {
      return kErrUnsupportedFunction;
    }
    gint64 ns = 0;
    const bool ok = cmd.item == StatusItem::kPosition
                        ? gst_element_query_position(playback_.get(), GST_FORMAT_TIME, &ns)
                        : gst_element_query_duration(playback_.get(), GST_FORMAT_TIME, &ns);
    if (!ok || ns < 0) {
      if (cmd.item == StatusItem::kLength) {
        return kErrDeviceNotReady;
      }
      ns = 0;
    }
    reply = std::to_string(ns / GST_MSECOND);
    return kOk;
  }

  Playback playback_;
  bool at_end_ = false;
  bool broken_ = false;
  bool prerolled_ = false;
  gint64 pending_seek_ = -1;
};

ErrorCode check_file(const std::string& path) {
  if (path.empty()) {
    return kErrFilenameRequired;
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return errno == EACCES ? kErrFileRead : kErrFileNotFound;
  }
  if (!S_ISREG(st.st_mode) || st.st_size == 0) {
    return kErrInvalidFile;
  }
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fclose(f);
    return kOk;
  }
  return kErrFileRead;
}

}  // namespace

ErrorCode open_mpeg_device(const std::string& path, std::unique_ptr<Device>& out) {
  if (ErrorCode err = check_file(path); err != kOk) {
    return err;
  }
  if (!gst::init()) {
    return kErrCannotLoadDriver;
  }
  gchar* uri = gst_filename_to_uri(path.c_str(), nullptr);
  if (uri == nullptr) {
    return kErrFileNotFound;
  }
  GstElement* playbin = gst::make_audio_playbin(uri, true);
  g_free(uri);
  if (playbin == nullptr) {
    return kErrCannotLoadDriver;
  }
  out = std::make_unique<MpegDevice>(playbin);
  return kOk;
}

}  // namespace orvanth::music
