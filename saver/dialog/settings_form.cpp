#include "saver/dialog/settings_form.h"

#include <cmath>
#include <cstdio>

#include "saver/forms/screen.h"
#include "saver/settings_file.h"
#include "saver/shell_state.h"
#include "saver/startup_support.h"

namespace orvanth::dialog {

int to_pixels(double twips, double twips_per_pixel) {
  return static_cast<int>(std::lround(twips / twips_per_pixel));
}

PixelRect twips_rect(int left, int top, int width, int height) {
  const double tx = forms::twips_per_pixel_x();
  const double ty = forms::twips_per_pixel_y();
  return {to_pixels(left, tx), to_pixels(top, ty), to_pixels(width, tx), to_pixels(height, ty)};
}

float twips_x(double pixels) { return static_cast<float>(pixels * forms::twips_per_pixel_x()); }
float twips_y(double pixels) { return static_cast<float>(pixels * forms::twips_per_pixel_y()); }

void SettingsForm::place_on_screen() {
  const std::optional<PixelRect> area = screen_area();
  if (!area) {
    return;
  }
  const double tx = forms::twips_per_pixel_x();
  const double ty = forms::twips_per_pixel_y();
  const PixelRect form = form_size();
  const Placement p = placement(area->width * tx, area->height * ty, form.width * tx,
                                form.height * ty);
  move_to(area->x + to_pixels(p.left, tx), area->y + to_pixels(p.top, ty));
}

void SettingsForm::show_choice() {
  const ChoiceView view = choice_view(BgmType);
  show_markers(view.markers);
  if (view.repeat_enabled) {
    set_repeat_enabled(true);
  }
  if (view.file_button_enabled) {
    set_file_button_enabled(true);
  }
}

void SettingsForm::choose(int index) {
  BgmType = static_cast<std::int16_t>(index);
  set_file_button_enabled(false);
  set_repeat_enabled(false);
  show_choice();
}

void SettingsForm::Form_Load() {
  if (!has_window()) {
    return;
  }
  place_on_screen();
  initialize_buttons();
  set_file_button_enabled(false);
  set_repeat_enabled(false);
  show_choice();
  // The list is filled first: an empty combo box takes its first entry as
  // text when an entry is added, which would drop the repeat number.
  fill_repeat_list(repeat_entries());
  set_repeat_text(repeat_text(BgmRepeat));
  set_file_label(BgmFile);
  const auto pointer = forms::pointer_position();
  MouseX = pointer ? static_cast<std::int16_t>(pointer->x) : std::int16_t{0};
  MouseY = pointer ? static_cast<std::int16_t>(pointer->y) : std::int16_t{0};
  AnimateOpen(window_handle());
  set_busy_pointer(false);
}

void SettingsForm::Form_Unload() { AnimateClose(window_handle()); }

void SettingsForm::Img_BGM_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/,
                                     float /*Y*/) {
  choose(Index);
}

void SettingsForm::lbl_BGM_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/,
                                     float /*Y*/) {
  choose(Index);
}

void SettingsForm::Cmd_Set_Click() {
  BgmRepeat = repeat_from_text(repeat_box_text());
  const std::vector<std::string> tried = save_settings(settings_path_);
  if (!tried.empty()) {
    // Closing would drop the user's choice in silence.
    std::vector<std::string> places;
    for (const std::string& place : tried) {
      places.push_back(display_name(place));
    }
    const std::string text = save_failed_text(places);
    std::fprintf(stderr, "%s: %s\n", kSaveFailedCaption.data(), text.c_str());
    std::fflush(stderr);
    warn(kSaveFailedCaption, text);
    return;
  }
  request_unload();
}

void SettingsForm::Cmd_Can_Click() { request_unload(); }

void SettingsForm::Cmd_BGM_Click() {
  const ChosenFile chosen = choose_file();
  if (!chosen.path && chosen.face_verdict == FileChoice::Accepted) {
    return;
  }
  const FileChoice verdict = chosen.face_verdict != FileChoice::Accepted
                                 ? chosen.face_verdict
                                 : check_file_choice(*chosen.path);
  show_note(refusal_note(verdict));
  if (verdict != FileChoice::Accepted) {
    return;
  }
  BgmFile = *chosen.path;
  set_file_label(BgmFile);
}

void SettingsForm::Cmd_Etc_Click() {
  set_busy_pointer(true);
  open_maker_page();
  set_busy_pointer(false);
}

}  // namespace orvanth::dialog
