#include "saver/dialog/dialog_choice.h"

#include <cmath>

#include "saver/forms/numbers.h"
#include "saver/forms/profile.h"
#include "saver/settings_file.h"
#include "saver/shell_state.h"

namespace orvanth::dialog {

ChoiceView choice_view(std::int16_t bgm_type) {
  ChoiceView view{{Marker::kNotChosen, Marker::kNotChosen, Marker::kNotChosen}, false, false};
  // The marker's element index is the BgmType value it stands for.
  if (bgm_type >= kBgmNone && bgm_type <= kBgmFile) {
    view.markers[static_cast<std::size_t>(bgm_type)] = Marker::kChosen;
  }
  view.repeat_enabled = bgm_type == kBgmCd;
  view.file_button_enabled = bgm_type == kBgmFile;
  return view;
}

std::vector<std::string> repeat_entries() {
  std::vector<std::string> entries;
  entries.reserve(kRepeatEntryCount);
  for (int n = 0; n < kRepeatEntryCount; ++n) {
    entries.push_back(forms::format_hash(n));
  }
  return entries;
}

std::string repeat_text(std::int16_t repeat) { return forms::format_hash(repeat); }

std::int16_t repeat_from_text(std::string_view text) {
  const std::optional<double> number = forms::parse_number(text);
  if (!number) {
    return 0;
  }
  // The 16-bit conversion has no outcome beyond its range; 0 means no track.
  return forms::to_int16(*number).value_or(0);
}

FileChoice check_file_choice(std::string_view path) {
  if (path.size() > kMaxChosenPathBytes) {
    return FileChoice::kTooLong;
  }
  // What the reader gives back must be the path itself: no line break, and
  // no blank or quotes at its ends that reading would strip.
  if (!forms::profile_keeps(kSettingsSection, kKeyBgmFile, path)) {
    return FileChoice::kNotStorable;
  }
  return FileChoice::kAccepted;
}

std::string_view refusal_note(FileChoice choice) {
  switch (choice) {
    case FileChoice::kTooLong:
      return "ﾊﾟｽが長すぎます（255ﾊﾞｲﾄまで）";
    case FileChoice::kNotStorable:
      return "改行などを含むﾌｧｲﾙ名は使えません";
    case FileChoice::kAccepted:
      break;
  }
  return "";
}

std::string save_failed_text(const std::vector<std::string>& places) {
  std::string text = "設定を保存できませんでした。次の場所に書き込めません:";
  for (const std::string& place : places) {
    text += "\n" + place;
  }
  return text;
}

namespace {

// CLng: to the nearest whole number, halves to even.
double whole(double value) { return std::nearbyint(value); }

std::int32_t share(double free_space, double divisor) {
  const double rounded = whole(free_space);
  if (!(rounded > 0.0)) {
    return 0;
  }
  return static_cast<std::int32_t>(std::trunc(rounded / divisor));
}

}  // namespace

Placement placement(double screen_width, double screen_height, double dialog_width,
                    double dialog_height) {
  return {share(screen_width - dialog_width, 2.0), share(screen_height - dialog_height, 3.0)};
}

int gradient_level(double y, double scale_height) {
  const double s = scale_height / 3.142;
  if (!(s > 0.0)) {
    return 0;
  }
  return static_cast<int>(whole(std::fabs(std::sin(y / s)) * 220.0));
}

std::vector<int> gradient_rows(double scale_height, double twips_per_pixel, int rows) {
  std::vector<int> levels(rows > 0 ? static_cast<std::size_t>(rows) : 0U, 0);
  if (levels.empty() || !(twips_per_pixel > 0.0)) {
    return levels;
  }
  const auto last = static_cast<long>(whole(scale_height));
  for (long y = 0; y <= last; ++y) {
    const auto row = static_cast<long>(std::floor(static_cast<double>(y) / twips_per_pixel));
    if (row >= 0 && row < rows) {
      levels[static_cast<std::size_t>(row)] = gradient_level(static_cast<double>(y), scale_height);
    }
  }
  return levels;
}

}  // namespace orvanth::dialog
