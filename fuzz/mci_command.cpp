// Feeds arbitrary bytes to the media command parser (as a command
// and as a quoted file name) and the CD position reader, and checks what
// holds for every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "saver/music/disc_time.h"
#include "saver/music/media_command.h"

using namespace orvanth::music;

namespace {

void check(bool ok) {
  if (!ok) {
    std::abort();
  }
}

DiscLayout sample_disc() { return {{0, 4000, 9000, 9001, 20000}, 30000}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ParseResult r = parse_command(text);
  if (r.error == kOk) {
    check(!r.command.device.empty());
  } else {
    check(error_message(r.error) != nullptr);
  }
  // Any bytes, quoted as the shell quotes a file name, open exactly that name
  // under the shell's alias: nothing in a name can add or change words.
  const ParseResult open = parse_command("open " + quoted(text) + " type MPEGVideo Alias MP3Play");
  if (text.empty()) {
    check(open.error == kErrMissingDeviceName);
  } else {
    check(open.error == kOk);
    check(open.command.device == text);
    check(open.command.type.value_or("") == "MPEGVideo");
    check(open.command.alias.value_or("") == "MP3Play");
  }
  static const DiscLayout kDisc = sample_disc();
  for (TimeFormat f : {TimeFormat::kTmsf, TimeFormat::kMsf, TimeFormat::kMilliseconds}) {
    const PositionResult p = parse_position(kDisc, f, text);
    if (p.error == kOk) {
      check(p.frame <= kDisc.end);
      // A position read back in tmsf/msf form reads the same again.
      const std::string back = format_position(kDisc, f, p.frame);
      const PositionResult again = parse_position(kDisc, f, back);
      check(again.error == kOk);
      check(f == TimeFormat::kMilliseconds ? again.frame <= p.frame : again.frame == p.frame);
    } else {
      check(error_message(p.error) != nullptr);
    }
  }
  return 0;
}
