// Command on Windows, the shell's owner-drawn push button: a window class of
// its own ("Lumevar.Command"). The portable state machine decides; this
// window feeds it the input and carries out what it asks for. The face
// (gradient and frame) is drawn into a persistent image that WM_PAINT only
// shows, with the caption on top, as the forms runtime draws a label over a
// control's image.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "saver/button/button_state.h"
#include "saver/button/property_bag.h"

class Command {
 public:
  static constexpr char kClassName[] = "Lumevar.Command";

  // A child of parent at pixels, with the stored properties read before the
  // container gives it its size, as a form loads a stored control. The
  // window owns the instance: it goes with the window.
  static Command* Create(HWND parent, const RECT& pixels, const orvanth::PropertyBag& bag,
                         int control_id = 0);
  // The instance of a window of this class; nullptr for any other window.
  static Command* FromWindow(HWND window);

  HWND hwnd() const { return hwnd_; }

  // State 1 and the pointer-leave timer; paints nothing.
  void Initialize();

  std::string Caption() const;  // UTF-8
  void SetCaption(const std::string& caption);
  std::int16_t Enabled();  // runs the first-run step, then ApplyEnabled
  void SetEnabled(std::int16_t enabled);
  orvanth::FontSpec Font() const { return font_; }
  void SetFont(const orvanth::FontSpec& font);
  std::uint32_t FontColour();  // 0x00BBGGRR
  void SetFontColour(std::uint32_t colour);
  std::uint8_t Visible();  // 255 opaque, 0 transparent
  void SetVisible(std::uint8_t visible);

  // The persisted properties, in their fixed read and write orders.
  void ReadProperties(const orvanth::PropertyBag& bag);
  void WriteProperties(orvanth::PropertyBag& bag);

  void PaintFace(orvanth::ButtonPicture picture);
  void FillGradient();
  void LeaveHover();
  void ApplyEnabled();
  void ResetFace();
  void TmrMouse_Timer();

  // The Click event, and the container's note of a changed property.
  void on_click(std::function<void()> handler) { click_ = std::move(handler); }
  void on_property_changed(std::function<void(const std::string&)> handler) {
    property_changed_ = std::move(handler);
  }

  const orvanth::ButtonStateMachine& machine() const { return machine_; }
  std::optional<orvanth::ButtonPicture> shown_picture() const { return shown_picture_; }

 private:
  explicit Command(HWND window) : hwnd_(window) {}
  ~Command();
  static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

  void carry_out(const orvanth::Reaction& r);
  void draw_face(orvanth::ButtonPicture picture, bool hover_gradient);
  void fill_gradient(bool hover_gradient);
  bool make_image();
  void layout_caption();
  void paint(HDC dc);
  void paint_parent_background(HDC dc);
  void mouse_down(orvanth::MouseButton button);
  void mouse_up(orvanth::MouseButton button, WPARAM held);
  void report(const char* key);
  int width() const;
  int height() const;

  HWND hwnd_;
  orvanth::ButtonStateMachine machine_;
  std::wstring caption_ = L"Command";
  orvanth::FontSpec font_;
  std::uint32_t caption_colour_ = 0;
  bool caption_enabled_ = true;
  bool background_opaque_ = true;
  int caption_top_ = 90 / 15;  // LblMsg's top, pixels
  HDC image_dc_ = nullptr;     // the persistent image
  HBITMAP image_ = nullptr;
  HGDIOBJ image_old_ = nullptr;
  SIZE image_size_{};
  std::optional<orvanth::ButtonPicture> shown_picture_;
  std::function<void()> click_;
  std::function<void(const std::string&)> property_changed_;
};
