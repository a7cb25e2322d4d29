#include "saver/dialog/settings_form.h"

#include <cmath>
#include <cstdio>

#include "saver/caption_animation.h"
#include "saver/forms/program.h"
#include "saver/forms/screen.h"
#include "saver/settings_file.h"
#include "saver/shell_state.h"

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
  const std::optional<PixelRect> area = face_->screen_area();
  if (!area) {
    return;
  }
  const double tx = forms::twips_per_pixel_x();
  const double ty = forms::twips_per_pixel_y();
  const PixelRect form = face_->form_size();
  const Placement p =
      placement(area->width * tx, area->height * ty, form.width * tx, form.height * ty);
  face_->move_to(area->x + to_pixels(p.left, tx), area->y + to_pixels(p.top, ty));
}

void SettingsForm::show_choice() {
  const ChoiceView view = choice_view(BgmType);
  face_->show_markers(view.markers);
  if (view.repeat_enabled) {
    face_->set_repeat_enabled(true);
  }
  if (view.file_button_enabled) {
    face_->set_file_button_enabled(true);
  }
}

void SettingsForm::choose(int index) {
  BgmType = static_cast<std::int16_t>(index);
  face_->set_file_button_enabled(false);
  face_->set_repeat_enabled(false);
  show_choice();
}

void SettingsForm::Form_Load() {
  if (!face_->has_window()) {
    return;
  }
  place_on_screen();
  face_->initialize_buttons();
  face_->set_file_button_enabled(false);
  face_->set_repeat_enabled(false);
  show_choice();
  // The list is filled first: an empty combo box takes its first entry as
  // text when an entry is added, which would drop the repeat number.
  face_->fill_repeat_list(repeat_entries());
  face_->set_repeat_text(repeat_text(BgmRepeat));
  face_->set_file_label(BgmFile);
  const auto pointer = forms::pointer_position();
  MouseX = pointer ? static_cast<std::int16_t>(pointer->x) : std::int16_t{0};
  MouseY = pointer ? static_cast<std::int16_t>(pointer->y) : std::int16_t{0};
  AnimateOpen(face_->window_handle());
  face_->set_busy_pointer(false);
}

void SettingsForm::Form_Unload() { AnimateClose(face_->window_handle()); }

void SettingsForm::Img_BGM_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/,
                                     float /*Y*/) {
  choose(Index);
}

void SettingsForm::lbl_BGM_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/,
                                     float /*Y*/) {
  choose(Index);
}

void SettingsForm::Cmd_Set_Click() {
  BgmRepeat = repeat_from_text(face_->repeat_box_text());
  const std::vector<std::string> tried = save_settings(settings_path_);
  if (!tried.empty()) {
    // Closing would drop the user's choice in silence.
    std::vector<std::string> places;
    places.reserve(tried.size());
    for (const std::string& place : tried) {
      places.push_back(face_->display_name(place));
    }
    const std::string text = save_failed_text(places);
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(kSaveFailedCaption.size()),
                 kSaveFailedCaption.data(), text.c_str());
    std::fflush(stderr);
    face_->warn(kSaveFailedCaption, text);
    return;
  }
  face_->request_unload();
}

void SettingsForm::Cmd_Can_Click() { face_->request_unload(); }

void SettingsForm::Cmd_BGM_Click() {
  const ChosenFile chosen = face_->choose_file();
  if (!chosen.path && chosen.face_verdict == FileChoice::kAccepted) {
    return;
  }
  const FileChoice verdict = chosen.face_verdict != FileChoice::kAccepted
                                 ? chosen.face_verdict
                                 : check_file_choice(*chosen.path);
  face_->show_note(refusal_note(verdict));
  if (verdict != FileChoice::kAccepted) {
    return;
  }
  BgmFile = *chosen.path;
  face_->set_file_label(BgmFile);
}

void SettingsForm::show_modally() {
  forms::note_form_loaded();
  Form_Load();
  face_->run_modal();
  forms::note_form_unloaded();
}

void SettingsForm::Cmd_Etc_Click() {
  face_->set_busy_pointer(true);
  face_->open_maker_page();
  face_->set_busy_pointer(false);
}

}  // namespace orvanth::dialog
