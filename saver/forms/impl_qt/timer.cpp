// The timer control as a QTimer of the GUI thread.
#include "saver/forms/timer.h"

#include <QTimer>

namespace orvanth::forms {

struct Timer::Impl {
  QTimer timer;
};

Timer::Timer() : impl_(std::make_unique<Impl>()) {}
Timer::~Timer() = default;

void Timer::set_interval(int milliseconds) { impl_->timer.setInterval(milliseconds); }
int Timer::interval() const { return impl_->timer.interval(); }

void Timer::set_enabled(bool enabled) {
  if (!enabled) {
    impl_->timer.stop();
  } else if (!impl_->timer.isActive()) {
    impl_->timer.start();
  }
}

bool Timer::enabled() const { return impl_->timer.isActive(); }

void Timer::on_tick(std::function<void()> handler) {
  QObject::disconnect(&impl_->timer, &QTimer::timeout, nullptr, nullptr);
  QObject::connect(&impl_->timer, &QTimer::timeout, std::move(handler));
}

}  // namespace orvanth::forms
