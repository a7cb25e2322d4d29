// The timer control as a QTimer of the GUI thread.
#include "saver/forms/timer.h"

#include <QCoreApplication>
#include <QTimer>
#include <memory>

#include "saver/forms/impl_qt/runtime.h"

namespace orvanth::forms {

// wanted: enabled before the runtime was up, to start with it. The flag is
// shared with the start waiting for the runtime, which a timer may outlive.
struct Timer::Impl {
  QTimer timer;
  std::shared_ptr<bool> wanted = std::make_shared<bool>(false);
};

Timer::Timer() : impl_(std::make_unique<Impl>()) {}
Timer::~Timer() { *impl_->wanted = false; }

void Timer::set_interval(int milliseconds) { impl_->timer.setInterval(milliseconds); }
int Timer::interval() const { return impl_->timer.interval(); }

void Timer::set_enabled(bool enabled) {
  if (!enabled) {
    *impl_->wanted = false;
    impl_->timer.stop();
  } else if (QCoreApplication::instance() == nullptr) {
    if (!*impl_->wanted) {
      *impl_->wanted = true;
      when_runtime_up([wanted = impl_->wanted, timer = &impl_->timer] {
        if (*wanted) {
          *wanted = false;
          timer->start();
        }
      });
    }
  } else if (!impl_->timer.isActive()) {
    impl_->timer.start();
  }
}

bool Timer::enabled() const { return impl_->timer.isActive() || *impl_->wanted; }

void Timer::on_tick(std::function<void()> handler) {
  QObject::disconnect(&impl_->timer, &QTimer::timeout, nullptr, nullptr);
  QObject::connect(&impl_->timer, &QTimer::timeout, std::move(handler));
}

}  // namespace orvanth::forms
