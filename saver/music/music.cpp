#include "saver/music/music.h"

#include <array>
#include <cstring>
#include <string_view>

#include "saver/forms/errors.h"
#include "saver/music/media.h"
#include "saver/shell_state.h"

bool CdActive = false;
std::string MciReply;

namespace {

using orvanth::music::send_command;

constexpr std::size_t kReplyCapacity = 512;
constexpr std::size_t kErrorCapacity = 256;
constexpr std::size_t kCdModeCapacity = 255;
constexpr std::size_t kMp3ModeCapacity = 30;

// Commands whose results the module ignores: no reply buffer.
void send_plain(const std::string& command) { send_command(command.c_str(), nullptr, 0); }

template <std::size_t N>
std::string buffer_text(const std::array<char, N>& buf) {
  return std::string(buf.data(), strnlen(buf.data(), N));
}

// The first seven characters of a mode buffer.
template <std::size_t N>
std::string_view mode_prefix(const std::array<char, N>& buf) {
  return std::string_view(buf.data(), strnlen(buf.data(), 7));
}

bool contains_err(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return upper.find("ERR") != std::string::npos;
}

// Numeric value of a reply the way a loose string-to-number conversion reads
// it: leading digits, else 0.
long leading_number(const std::string& text) {
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || value > 100000) {
      break;
    }
    value = value * 10 + (c - '0');
  }
  return value;
}

void poll_cd_step() {
  const std::string track = MciQuery("status cdaudio current track");
  if (contains_err(track)) {
    CdActive = false;
    return;
  }
  const std::string count = MciQuery("status cdaudio number of tracks");
  if (contains_err(count)) {
    CdActive = false;
    return;
  }
  // A failed mode query leaves the buffer empty: it reads as no mode at all,
  // so a failure alone never restarts play.
  std::array<char, kCdModeCapacity> mode_buf{};
  send_command("status cdaudio mode", mode_buf.data(), kCdModeCapacity);
  const std::string_view mode = mode_prefix(mode_buf);
  const bool stopped = mode == "stopped";
  if (BgmRepeat != 0) {
    if (stopped || leading_number(track) != BgmRepeat) {
      const std::string pos =
          MciQuery("status cdaudio position track " + std::to_string(BgmRepeat));
      MciPlay("cdaudio", pos, "");
    }
  } else if (stopped) {
    MciPlay("cdaudio", "", "");
  }
}

}  // namespace

std::int32_t MciSend(const std::string& command, std::string& reply) {
  if (command.empty()) {
    reply = "コマンド文字列が指定されていません";
    return -1;
  }
  std::array<char, kReplyCapacity> buf{};
  const std::uint32_t code = send_command(command.c_str(), buf.data(), kReplyCapacity);
  if (code == 0) {
    reply = buffer_text(buf);
    return 0;
  }
  std::array<char, kErrorCapacity> err{};
  if (!orvanth::music::error_text(code, err.data(), kErrorCapacity)) {
    reply = "Error (文字列が取れません)";
  } else {
    reply = buffer_text(err);
  }
  return static_cast<std::int32_t>(code);
}

std::string MciQuery(const std::string& command) {
  const std::int32_t result = MciSend(command, MciReply);
  if (result == 0) {
    return MciReply;
  }
  return "Error:" + std::to_string(result);
}

std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to) {
  std::string command = "play " + device;
  if (!from.empty()) {
    command += " from " + from;
  }
  if (!to.empty()) {
    command += " to " + to;
  }
  return MciSend(command, MciReply);
}

void OpenCd() {
  send_plain("open cdaudio");
  send_plain("set cdaudio time format tmsf");
}

void PollCd() {
  CdActive = true;
  try {
    poll_cd_step();
  } catch (...) {
    CdActive = false;
  }
}

void CloseCd() {
  send_plain("stop cdaudio");
  send_plain("close cdaudio");
}

void PlayMp3() {
  // The path in double quotes, so that it may hold blanks.
  const std::string open =
      "open " + orvanth::music::quoted_path(BgmFile) + " type MPEGVideo Alias MP3Play";
  if (send_command(open.c_str(), nullptr, 0) == 0) {
    send_plain("play MP3Play");
  }
}

bool IsMp3Playing() {
  std::array<char, kMp3ModeCapacity> buf{};
  send_command("status MP3Play mode", buf.data(), kMp3ModeCapacity);
  return mode_prefix(buf) == "playing";
}

void PollMp3() {
  if (!IsMp3Playing()) {
    send_plain("stop MP3Play");
    send_plain("play MP3Play from 0");
  }
}

void CloseMp3() {
  send_plain("stop MP3Play");
  send_plain("close MP3Play");
}

void PlayWav() {
  using namespace orvanth::music;
  if (wave_device_count() > 0) {
    play_sound(BgmFile.c_str(), kSoundAsync | kSoundLoop);
  }
}

void StopWav() { orvanth::music::play_sound(nullptr, 0); }

namespace orvanth::music {

FileKind file_kind(const std::string& path) {
  const std::string tail = path.size() >= 3 ? path.substr(path.size() - 3) : path;
  std::string upper = tail;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  if (upper == "WAV") {
    return FileKind::kWav;
  }
  if (upper == "MP3") {
    return FileKind::kMp3;
  }
  return FileKind::kNone;
}

using forms::step;

void start_music(forms::Timer& mp3_poll, forms::Timer& cd_poll) {
  step([&] {
    if (BgmType == kBgmCd) {
      OpenCd();
      cd_poll.set_enabled(true);
    }
  });
  step([&] {
    if (BgmType == kBgmFile) {
      const FileKind kind = file_kind(BgmFile);
      if (kind == FileKind::kWav) {
        PlayWav();
      } else if (kind == FileKind::kMp3) {
        PlayMp3();
        mp3_poll.set_enabled(true);
      }
    }
  });
}

void stop_music(forms::Timer& cd_poll) {
  step([&] {
    if (cd_poll.enabled()) {
      cd_poll.set_enabled(false);
      CloseCd();
    }
  });
  step([] {
    if (BgmType == kBgmFile) {
      const FileKind kind = file_kind(BgmFile);
      if (kind == FileKind::kWav) {
        StopWav();
      } else if (kind == FileKind::kMp3) {
        CloseMp3();
      }
    }
  });
}

}  // namespace orvanth::music
