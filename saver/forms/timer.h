// The forms runtime's timer control: while enabled, a tick every interval
// milliseconds, delivered by the event loop on the one GUI thread, so a
// tick never interrupts another handler.
#pragma once

#include <functional>
#include <memory>

namespace orvanth::forms {

class Timer {
 public:
  Timer();
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // A new interval while enabled starts the count again.
  void set_interval(int milliseconds);
  int interval() const;

  // Enabling starts a full interval; enabling an enabled timer changes
  // nothing. Disabling from inside its own tick stops the next one.
  void set_enabled(bool enabled);
  bool enabled() const;

  // The handler of each tick (Timer1_Timer ...).
  void on_tick(std::function<void()> handler);

 private:
  struct Impl;  // the backend's timer
  std::unique_ptr<Impl> impl_;
};

}  // namespace orvanth::forms
