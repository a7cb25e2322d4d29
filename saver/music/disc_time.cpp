#include "saver/music/disc_time.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace orvanth::music {

namespace {

std::string two_digits(std::uint32_t v) {
  std::array<char, 16> buf{};
  std::snprintf(buf.data(), buf.size(), "%02u", v);
  return buf.data();
}

// Splits "a:b:c:d" into up to max_fields numbers of at most three digits.
bool split_fields(std::string_view text, std::size_t max_fields, std::vector<std::uint32_t>& out) {
  out.clear();
  std::size_t start = 0;
  while (true) {
    const std::size_t colon = text.find(':', start);
    const std::string_view field = text.substr(
        start, colon == std::string_view::npos ? std::string_view::npos : colon - start);
    std::uint32_t value = 0;
    auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || field.size() > 3 || ec != std::errc() ||
        ptr != field.data() + field.size()) {
      return false;
    }
    out.push_back(value);
    if (out.size() > max_fields) {
      return false;
    }
    if (colon == std::string_view::npos) {
      return true;
    }
    start = colon + 1;
  }
}

}  // namespace

std::uint32_t DiscLayout::track_at(std::uint32_t frame) const {
  const auto it = std::upper_bound(track_starts.begin(), track_starts.end(), frame);
  const auto index = static_cast<std::uint32_t>(it - track_starts.begin());
  return std::max<std::uint32_t>(index, 1);
}

std::uint32_t DiscLayout::track_end(std::uint32_t track) const {
  return track < track_count() ? track_starts[track] : end;
}

std::string format_msf(std::uint32_t frames) {
  const std::uint32_t ff = frames % kFramesPerSecond;
  const std::uint32_t seconds = frames / kFramesPerSecond;
  return two_digits(seconds / 60) + ":" + two_digits(seconds % 60) + ":" + two_digits(ff);
}

std::string format_position(const DiscLayout& disc, TimeFormat format, std::uint32_t frame) {
  switch (format) {
    case TimeFormat::kTmsf: {
      if (disc.track_count() == 0) {
        return "01:00:00:00";
      }
      const std::uint32_t track = disc.track_at(frame);
      return two_digits(track) + ":" + format_msf(frame - disc.track_starts[track - 1]);
    }
    case TimeFormat::kMsf:
      return format_msf(frame);
    case TimeFormat::kMilliseconds:
      break;
  }
  return std::to_string(static_cast<std::uint64_t>(frame) * 1000 / kFramesPerSecond);
}

std::string format_length(TimeFormat format, std::uint32_t frames) {
  if (format == TimeFormat::kMilliseconds) {
    return std::to_string(static_cast<std::uint64_t>(frames) * 1000 / kFramesPerSecond);
  }
  return format_msf(frames);
}

PositionResult parse_position(const DiscLayout& disc, TimeFormat format, std::string_view text) {
  PositionResult r;
  std::uint64_t frame = 0;
  if (format == TimeFormat::kMilliseconds) {
    std::uint64_t ms = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) {
      r.error = kErrBadInteger;
      return r;
    }
    if (ms / 1000 > disc.end) {
      r.error = kErrOutOfRange;  // also keeps the product below from overflowing
      return r;
    }
    frame = ms * kFramesPerSecond / 1000;
  } else {
    std::vector<std::uint32_t> f;
    const std::size_t max_fields = format == TimeFormat::kTmsf ? 4 : 3;
    if (!split_fields(text, max_fields, f)) {
      r.error = kErrBadInteger;
      return r;
    }
    f.resize(max_fields, 0);
    std::size_t i = 0;
    std::uint64_t base = 0;
    if (format == TimeFormat::kTmsf) {
      const std::uint32_t track = f[i++];
      if (track < 1 || track > disc.track_count()) {
        r.error = kErrOutOfRange;
        return r;
      }
      base = disc.track_starts[track - 1];
    }
    const std::uint32_t mm = f[i];
    const std::uint32_t ss = f[i + 1];
    const std::uint32_t ff = f[i + 2];
    if (mm > 99 || ss > 59 || ff >= kFramesPerSecond) {
      r.error = kErrOutOfRange;
      return r;
    }
    frame = base + (static_cast<std::uint64_t>(mm) * 60 + ss) * kFramesPerSecond + ff;
  }
  if (frame > disc.end) {
    r.error = kErrOutOfRange;
    return r;
  }
  r.frame = static_cast<std::uint32_t>(frame);
  return r;
}

}  // namespace orvanth::music
