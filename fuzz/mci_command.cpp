// Feeds arbitrary bytes to the media-control command parser and the CD
// position reader, and checks what holds for every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/media/mci_command.h"
#include "platform/media/mci_disc.h"

using namespace orvanth::mci;

namespace {

void check(bool ok) {
  if (!ok) {
    std::abort();
  }
}

DiscLayout sample_disc() {
  DiscLayout d;
  d.track_starts = {0, 4000, 9000, 9001, 20000};
  d.end = 30000;
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ParseResult r = parse_command(text);
  if (r.error == kOk) {
    check(!r.command.device.empty());
    // Words never carry a quote: a quote cannot join or split commands.
    check(r.command.device.find('"') == std::string::npos);
    check(r.command.alias.value_or("").find('"') == std::string::npos);
    check(r.command.type.value_or("").find('"') == std::string::npos);
  } else {
    check(error_text(r.error) != nullptr);
  }
  static const DiscLayout disc = sample_disc();
  for (TimeFormat f : {TimeFormat::Tmsf, TimeFormat::Msf, TimeFormat::Milliseconds}) {
    const PositionResult p = parse_position(disc, f, text);
    if (p.error == kOk) {
      check(p.frame <= disc.end);
      // A position read back in tmsf/msf form reads the same again.
      const std::string back = format_position(disc, f, p.frame);
      const PositionResult again = parse_position(disc, f, back);
      check(again.error == kOk);
      check(f == TimeFormat::Milliseconds ? again.frame <= p.frame : again.frame == p.frame);
    } else {
      check(error_text(p.error) != nullptr);
    }
  }
  return 0;
}
