// A form with real Command buttons on the offscreen platform.
#pragma once

#include <gtest/gtest.h>

#include <QCursor>
#include <QTest>
#include <QWidget>

#include "saver/button/impl_qt/command_button.h"
#include "saver/button/property_bag.h"
#include "tests/support/wait.h"

namespace orvanth::test {

inline const QColor kFormColour(0x20, 0x40, 0x80);

// Moves the pointer itself (what the leave check reads) and sends the move
// event (what hovering reacts to).
inline void move_to(QWidget* w, QPoint pos) {
  QCursor::setPos(w->mapToGlobal(pos));
  QTest::mouseMove(w, pos);
}

// Buttons placed as the dialog places them: stored caption and size, then
// Initialize once the form is loaded.
class CommandForm : public ::testing::Test {
 protected:
  Command* add_button(const char* caption, int x_twips, int width_twips, int height_twips) {
    auto* c = new Command(&form_);
    PropertyBag bag;
    bag.write_property("Caption", std::string(caption), std::string("Command"));
    c->read_properties(bag);
    c->setGeometry(x_twips / 15, 200 / 15, width_twips / 15, height_twips / 15);
    return c;
  }

  void SetUp() override {
    form_.resize(480, 80);
    QPalette p = form_.palette();
    p.setColor(QPalette::Window, kFormColour);
    form_.setPalette(p);
    form_.setAutoFillBackground(true);
    first_ = add_button("設定", 300, 1095, 375);
    second_ = add_button("ｷｬﾝｾﾙ", 1500, 1035, 375);
    for (Command* c : {first_, second_}) c->Initialize();
    form_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
    form_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    form_.setFocus();
    point_at_form();
  }

  // The pointer over the bare form, away from every button.
  void point_at_form() { move_to(&form_, QPoint(470, 70)); }

  static QPoint inside(const Command* c) { return {c->width() / 2, c->height() - 3}; }

  QWidget form_;
  Command* first_ = nullptr;
  Command* second_ = nullptr;
};

}  // namespace orvanth::test
