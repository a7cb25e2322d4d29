// The settings dialog Lumevar_P on Windows: the form's windows over the
// shared handlers of settings_form.h. The form and its panel Pic_C are
// windows, so are the four Command buttons and the combo box; the labels,
// markers and the frame are drawn by their container, which also takes their
// mouse presses, as the forms runtime does for its windowless controls.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "saver/dialog/settings_form.h"
#include "saver/dialog/show_settings_dialog.h"

class Command;

namespace orvanth::dialog {

// The file chooser's filter. Where the ANSI code page cannot hold the
// chooser's texts, it takes the system's own title and this description.
inline constexpr std::string_view kChooserFilterName = "BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr std::string_view kChooserFilterNameOtherwise = "BGM file (MP3 WAV)";
inline constexpr std::string_view kChooserPatterns = "*.MP3;*.WAV";
// The file buffer holds a path as long as the settings reader gives back
// (255 bytes) and its NUL.
inline constexpr std::size_t kFileBufferSize = 256;
inline constexpr std::size_t kFileTitleBufferSize = 255;

// A control that has no window of its own: its container draws it.
struct Label {
  HWND container = nullptr;
  RECT rect{};  // pixels of the container
  RECT hit{};   // rect, grown to the text where the face needs more room
  std::wstring text;
  COLORREF colour = RGB(0, 0, 0);
  UINT format = DT_LEFT;  // DrawText's alignment and wrapping
  bool border = false;
  bool visible = true;
};

struct Image {
  HWND container = nullptr;
  RECT rect{};
  HBITMAP picture = nullptr;  // shared, never owned
};

// One of the two gradient images a container keeps and shows.
struct Backdrop {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  SIZE size{};
};

}  // namespace orvanth::dialog

class Lumevar_P : public orvanth::dialog::SettingsForm {
 public:
  explicit Lumevar_P(std::string settings_path = {});
  ~Lumevar_P() override;

  HWND hWnd() const { return hwnd_; }

  void Form_Resize();

  // Shows the loaded form and handles its messages until it has unloaded.
  void show_modal();
  void set_busy_pointer(bool busy);
  // Closes the form once the running handler has returned.
  void request_unload();

  // The controls, by their design names (element indices as designed).
  HWND Pic_C = nullptr;
  Command* Cmd_Etc = nullptr;
  Command* Cmd_Set = nullptr;
  Command* Cmd_Can = nullptr;
  Command* Cmd_BGM = nullptr;
  HWND BGM_Repeat = nullptr;
  orvanth::dialog::Label lbl_Fname;
  orvanth::dialog::Label lbl_Note;    // why a chosen file was refused; hidden otherwise
  orvanth::dialog::Label lbl_Credit;  // lbl (7)
  orvanth::dialog::Label lbl_Repeat;  // lbl (14)
  orvanth::dialog::Label lbl_Title;   // lbl (15)
  RECT Shape3{};
  std::array<orvanth::dialog::Image, 3> Img_BGM{};
  std::array<orvanth::dialog::Label, 3> lbl_BGM{};
  std::array<orvanth::dialog::Image, 2> Img_Ra{};

 private:
  static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void build_controls();
  void paint(HWND container, HDC dc);
  bool mouse_down(HWND container, UINT message, WPARAM wparam, LPARAM lparam);
  void unload();

  HWND hwnd_ = nullptr;
  orvanth::dialog::Backdrop form_backdrop_;
  orvanth::dialog::Backdrop panel_backdrop_;
  HICON icon_ = nullptr;
  HWND last_focus_ = nullptr;
  bool unloaded_ = false;
  bool busy_pointer_ = false;
};
