// Command's portable core: the persisted properties, the change notes and
// the colour rule, through a widget that records what it is asked to do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver/button/command_core.h"

namespace {

using orvanth::ButtonPicture;
using orvanth::FontSpec;
using orvanth::PropertyBag;

class RecordingCommand : public orvanth::CommandCore {
 public:
  RecordingCommand() : CommandCore(orvanth::design_font_in("IPAPGothic")) {}
  std::vector<std::string> reported;

 private:
  bool draw_face(ButtonPicture, bool) override { return true; }
  void draw_gradient(bool) override {}
  void show_properties() override {}
  void start_mouse_timer() override {}
  bool pointer_over_control() const override { return false; }
  void raise_click() override {}
  void report_change(const char* key) override { reported.emplace_back(key); }
};

TEST(CommandCoreTest, CaptionCommandComesBackAsCommand1) {
  RecordingCommand source;
  source.set_caption("Command");
  PropertyBag bag;
  source.write_properties(bag);
  EXPECT_FALSE(bag.contains("Caption"));
  RecordingCommand loaded;
  loaded.read_properties(bag);
  EXPECT_EQ(loaded.Caption(), "Command1");
}

TEST(CommandCoreTest, DialogButtonStoresOnlyCaptionAndFont) {
  PropertyBag stored(FontSpec{"Sans", 8.0, 400, 0});
  stored.write_property("Caption", std::string("その他の作品"), std::string("Command"));
  RecordingCommand c;
  c.read_properties(stored);
  EXPECT_EQ(c.Caption(), "その他の作品");
  EXPECT_EQ(c.Font(), stored.ambient_font());
  EXPECT_EQ(c.machine().enabled(), -1);
  EXPECT_EQ(c.machine().first_run(), 1);
  EXPECT_EQ(c.shown_picture(), ButtonPicture::Normal) << "ResetFace after reading";
  PropertyBag written(stored.ambient_font());
  c.write_properties(written);
  EXPECT_EQ(written.size(), 1U) << "only the caption differs from its default";
}

TEST(CommandCoreTest, StoredValuesSurviveAWriteAndRead) {
  RecordingCommand c;
  c.Enabled();  // first-run step
  c.set_caption("...");
  FontSpec bold = orvanth::design_font_in("IPAPGothic");
  bold.bold = true;
  c.set_font(bold);
  c.set_font_colour(0x0000FF);
  c.set_visible(0);
  c.set_enabled(0);
  PropertyBag bag;
  c.write_properties(bag);
  EXPECT_EQ(bag.size(), 5U) << "all but FirstRun differ from their defaults";
  RecordingCommand loaded;
  loaded.read_properties(bag);
  EXPECT_EQ(loaded.Caption(), "...");
  EXPECT_EQ(loaded.Font(), bold);
  EXPECT_EQ(loaded.Visible(), 0);
  EXPECT_EQ(loaded.Enabled(), 0);
  EXPECT_EQ(loaded.shown_picture(), ButtonPicture::Disable);
  EXPECT_EQ(loaded.FontColour(), 0x0000FFU);
}

TEST(CommandCoreTest, ChangesAreReportedButAFailedColourWriteIsNot) {
  RecordingCommand c;
  c.set_caption("A");
  c.set_font_colour(0x00FF00);
  c.set_font_colour(0x80000005U);
  c.set_visible(1);
  c.set_font(orvanth::design_font_in("IPAPGothic"));
  c.set_enabled(-1);
  EXPECT_EQ(c.reported,
            (std::vector<std::string>{"Caption", "FontColour", "Visible", "Font", "Enabled"}));
  EXPECT_EQ(c.FontColour(), 0x00FF00U);
}

}  // namespace
