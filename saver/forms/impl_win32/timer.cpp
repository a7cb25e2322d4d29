// The timer control as SetTimer on the program's hidden window: WM_TIMER
// comes through the message loop, so a tick never interrupts a handler.
#include "saver/forms/timer.h"

#include "saver/forms/impl_win32/program_window.h"

namespace orvanth::forms {

struct Timer::Impl {
  UINT_PTR id = 0;
  int interval = 0;
  bool enabled = false;
  std::function<void()> handler;

  // SetTimer with the id already set restarts its count. An interval of 0
  // never ticks, as the control's own default.
  void start() {
    const HWND window = win32::program_window();
    if (window != nullptr && interval > 0) {
      SetTimer(window, id, static_cast<UINT>(interval), nullptr);
    }
  }
  void stop() {
    if (const HWND window = win32::program_window()) {
      KillTimer(window, id);
    }
  }
};

namespace {

UINT_PTR next_timer_id = 1;  // module state: ids of the hidden window's timers

}  // namespace

Timer::Timer() : impl_(std::make_unique<Impl>()) {
  impl_->id = next_timer_id++;
  Impl* impl = impl_.get();
  // A WM_TIMER already queued when the timer was stopped is dropped here.
  win32::set_tick_handler(impl->id, [impl] {
    if (impl->enabled && impl->handler) {
      const std::function<void()> handler = impl->handler;
      handler();
    }
  });
}

Timer::~Timer() {
  if (impl_->enabled) {
    impl_->stop();
  }
  win32::clear_tick_handler(impl_->id);
}

void Timer::set_interval(int milliseconds) {
  impl_->interval = milliseconds;
  if (impl_->enabled) {
    impl_->stop();
    impl_->start();
  }
}

int Timer::interval() const { return impl_->interval; }

void Timer::set_enabled(bool enabled) {
  if (enabled == impl_->enabled) {
    return;
  }
  impl_->enabled = enabled;
  enabled ? impl_->start() : impl_->stop();
}

bool Timer::enabled() const { return impl_->enabled; }

void Timer::on_tick(std::function<void()> handler) { impl_->handler = std::move(handler); }

}  // namespace orvanth::forms
