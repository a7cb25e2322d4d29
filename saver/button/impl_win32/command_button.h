// Command on Windows, the shell's owner-drawn push button: a window class of
// its own ("Lumevar.Command") over the portable core. It feeds the core the
// input and draws what it asks for: the face (gradient and frame) into a
// persistent image that WM_PAINT only shows, with the caption on top, as
// the forms runtime draws a label over a control's image.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "saver/button/command_core.h"

class Command final : public orvanth::CommandCore {
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

  // The Click event, and the container's note of a changed property.
  void on_click(std::function<void()> handler) { click_ = std::move(handler); }
  void on_property_changed(std::function<void(const std::string&)> handler) {
    property_changed_ = std::move(handler);
  }

 private:
  explicit Command(HWND window);
  ~Command();
  static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

  bool draw_face(orvanth::ButtonPicture picture, bool hover_gradient) override;
  void draw_gradient(bool hover_gradient) override;
  void show_properties() override;
  void start_mouse_timer() override;
  bool pointer_over_control() const override;
  void raise_click() override;
  void report_change(const char* key) override;

  void fill_gradient(bool hover_gradient);
  bool make_image();
  void layout_caption();
  void paint(HDC dc);
  void paint_parent_background(HDC dc);
  void mouse_up(orvanth::MouseButton button, WPARAM held);
  int width() const;
  int height() const;

  HWND hwnd_;
  int caption_top_;         // LblMsg's top, pixels
  HDC image_dc_ = nullptr;  // the persistent image
  HBITMAP image_ = nullptr;
  HGDIOBJ image_old_ = nullptr;
  SIZE image_size_{};
  std::function<void()> click_;
  std::function<void(const std::string&)> property_changed_;
};
