// The settings dialog Lumevar_P's handlers, written once over the few things
// each face (Qt, Win32) supplies: the music type, the CD track to repeat and
// the MP3 or WAV file, edited in BgmType, BgmRepeat and BgmFile and saved to
// the settings file by "設定".
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/window_titles.h"
#include "saver/dialog/dialog_choice.h"
#include "saver/forms/window.h"

namespace orvanth::dialog {

inline constexpr const char* kCaption = orvanth::kDialogCaption;
// The credit line at the foot of the form.
inline constexpr std::string_view kCreditLine = "(C) Lumevar  Ver.1.0.0";
// The file chooser's title.
inline constexpr std::string_view kChooserTitle = "ﾌｧｲﾙを開く";
inline constexpr int kFormWidthTwips = 7185;
inline constexpr int kFormHeightTwips = 3780;

// A rectangle in pixels: its corner, width and height.
struct PixelRect {
  int x;
  int y;
  int width;
  int height;
};

int to_pixels(double twips, double twips_per_pixel);
// A control's rectangle from its design position and size in twips.
PixelRect twips_rect(int left, int top, int width, int height);
// A point in pixels of a control, in twips (X and Y of a MouseDown).
float twips_x(double pixels);
float twips_y(double pixels);

// What the file chooser gave: no path when nothing was chosen; a verdict
// other than Accepted when the face itself refused the path.
struct ChosenFile {
  std::optional<std::string> path;  // the file system's bytes
  FileChoice face_verdict = FileChoice::kAccepted;
};

// What the handlers ask of a face (Qt, Win32): its controls, its message
// box, its file chooser, its pointer and its window.
class FormView {
 public:
  virtual ~FormView() = default;

  // Whether the form's window exists (a face whose window could not be made
  // loads nothing).
  virtual bool has_window() const { return true; }
  virtual forms::WindowHandle window_handle() const = 0;
  // The screen the form is placed on (nothing when there is none) and the
  // form's size as placed, in pixels.
  virtual std::optional<PixelRect> screen_area() const = 0;
  virtual PixelRect form_size() const = 0;
  virtual void move_to(int x, int y) = 0;
  virtual void initialize_buttons() = 0;
  // Img_BGM 0 to 2 show Img_Ra 0 or 1.
  virtual void show_markers(const std::array<Marker, 3>& markers) = 0;
  virtual void set_repeat_enabled(bool enabled) = 0;
  virtual void set_file_button_enabled(bool enabled) = 0;
  virtual void fill_repeat_list(const std::vector<std::string>& entries) = 0;
  // The repeat box's text, UTF-8.
  virtual void set_repeat_text(const std::string& text) = 0;
  virtual std::string repeat_box_text() const = 0;
  // lbl_Fname shows a path given in the file system's bytes.
  virtual void set_file_label(const std::string& path) = 0;
  // lbl_Note shows the note (UTF-8); an empty note hides it.
  virtual void show_note(std::string_view note) = 0;
  // A place in the file system's bytes, as UTF-8 text.
  virtual std::string display_name(const std::string& path) const = 0;
  virtual void warn(std::string_view caption, std::string_view text) = 0;
  virtual ChosenFile choose_file() = 0;
  virtual void open_maker_page() = 0;
  virtual void set_busy_pointer(bool busy) = 0;
  // Closes the form once the running handler has returned.
  virtual void request_unload() = 0;
  // Shows the loaded form and returns once it has unloaded.
  virtual void run_modal() = 0;
};

// The handlers, over the face given. A face's form creates and lays out its
// controls and wires their events to these handlers.
class SettingsForm {
 public:
  // settings_path is where "設定" writes; unless given, the place the
  // settings rule picks when the user saves.
  SettingsForm(std::string settings_path, std::unique_ptr<FormView> face)
      : settings_path_(std::move(settings_path)), face_(std::move(face)) {}
  virtual ~SettingsForm() = default;
  SettingsForm(const SettingsForm&) = delete;
  SettingsForm& operator=(const SettingsForm&) = delete;

  void Form_Load();
  void Form_Unload();
  void Cmd_Set_Click();
  void Cmd_Can_Click();
  void Cmd_BGM_Click();
  void Cmd_Etc_Click();
  void Img_BGM_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void lbl_BGM_MouseDown(int Index, int Button, int Shift, float X, float Y);

  // Loads the form, shows it modally and tells the program while it is up.
  void show_modally();

  const std::string& settings_path() const { return settings_path_; }

 private:
  void choose(int index);
  void show_choice();
  void place_on_screen();

  std::string settings_path_;
  std::unique_ptr<FormView> face_;
};

}  // namespace orvanth::dialog
