// Test support for Qt tests: waits that keep the event loop running.
#pragma once

#include <QTest>
#include <chrono>
#include <functional>

#include "tests/support/wait.h"

namespace orvanth::test {

// wait_for, with Qt's events handled between the polls.
inline bool wait_for_events(const std::function<bool()>& condition,
                            std::chrono::milliseconds limit = kDefaultLimit) {
  return wait_for(condition, limit,
                  [](std::chrono::milliseconds pause) { QTest::qWait(static_cast<int>(pause.count())); });
}

}  // namespace orvanth::test
