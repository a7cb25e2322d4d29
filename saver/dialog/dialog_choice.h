// The settings dialog's rules without any widget: which marker is chosen and
// which controls are enabled for a music type, the repeat box's texts, the
// placement on the screen and the rows of the painted gradients.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanth::dialog {

// The two marker pictures (Img_Ra 0 and 1).
enum class Marker { kNotChosen, kChosen };

// What the dialog shows for one BgmType: Img_BGM 0 to 2, BGM_Repeat, Cmd_BGM.
struct ChoiceView {
  std::array<Marker, 3> markers;
  bool repeat_enabled;
  bool file_button_enabled;
};

// A type outside 0 to 2 chooses no marker and enables neither control.
ChoiceView choice_view(std::int16_t bgm_type);

// The 31 list entries of BGM_Repeat: 0 to 30 formatted "##" ("" for 0).
inline constexpr int kRepeatEntryCount = 31;
std::vector<std::string> repeat_entries();

// The repeat box's text for a repeat number ("" for 0).
std::string repeat_text(std::int16_t repeat);

// BgmRepeat from the repeat box's text: a numeric text rounded to the nearest
// integer, halves to even; 0 for any other text and for a number that does
// not fit 16 bits.
std::int16_t repeat_from_text(std::string_view text);

// Whether a path chosen in the file chooser can be kept: the settings reader
// returns at most 255 bytes, and a line break cannot be stored in the file,
// so such a choice would be saved and then lost. A refused choice keeps the
// previous one, and the dialog shows why.
inline constexpr std::size_t kMaxChosenPathBytes = 255;
enum class FileChoice { kAccepted, kTooLong, kNotStorable };
FileChoice check_file_choice(std::string_view path);
// The note shown for a refused choice ("" for an accepted one), UTF-8.
std::string_view refusal_note(FileChoice choice);

// The message box shown when "設定" found no place that took the settings:
// its caption, and its text naming each place tried (UTF-8) on a line of
// its own. The dialog then stays open, so the user can cancel.
inline constexpr std::string_view kSaveFailedCaption = "設定の保存";
std::string save_failed_text(const std::vector<std::string>& places);

// The dialog's top-left corner in twips: centred across, a third of the free
// height down; each difference rounded to a whole number, the division
// truncated. A dialog larger than the screen keeps to its top-left corner.
struct Placement {
  std::int32_t left;
  std::int32_t top;
};
Placement placement(double screen_width, double screen_height, double dialog_width,
                    double dialog_height);

// The brightness of one gradient line y of a scale height h:
// |sin(y / (h / 3.142))| * 220, rounded.
int gradient_level(double y, double scale_height);

// The level of each of rows pixel rows when one line is drawn per twip from 0
// to the rounded scale height; a later line on the same row covers the one
// before.
std::vector<int> gradient_rows(double scale_height, double twips_per_pixel, int rows);

}  // namespace orvanth::dialog
