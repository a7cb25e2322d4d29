// The dialog's handlers over a recording face: what each asks of the face,
// in order, and what it leaves in the settings and the settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "saver/dialog/settings_form.h"
#include "saver/settings_file.h"
#include "saver/shell_state.h"

namespace orvanth::dialog {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;

class RecordingFace : public FormView {
 public:
  Log log;
  std::string typed_repeat;
  ChosenFile chooser_gives;

 private:
  forms::WindowHandle window_handle() const override { return 0; }
  std::optional<PixelRect> screen_area() const override { return std::nullopt; }
  PixelRect form_size() const override { return {}; }
  void move_to(int, int) override { log.push_back("move"); }
  void initialize_buttons() override { log.push_back("initialize"); }
  void show_markers(const std::array<Marker, 3>& m) override {
    log.push_back("markers ");
    for (const Marker marker : m) log.back() += marker == Marker::kChosen ? '1' : '0';
  }
  void set_repeat_enabled(bool on) override { log.push_back(on ? "repeat on" : "repeat off"); }
  void set_file_button_enabled(bool on) override { log.push_back(on ? "file on" : "file off"); }
  void fill_repeat_list(const std::vector<std::string>&) override { log.push_back("fill"); }
  void set_repeat_text(const std::string& text) override { log.push_back("repeat " + text); }
  std::string repeat_box_text() const override { return typed_repeat; }
  void set_file_label(const std::string& path) override { log.push_back("label " + path); }
  void show_note(std::string_view text) override { log.push_back("note " + std::string(text)); }
  std::string display_name(const std::string& path) const override { return "<" + path + ">"; }
  void warn(std::string_view caption, std::string_view text) override {
    log.push_back("warn " + std::string(caption) + " " + std::string(text));
  }
  ChosenFile choose_file() override { return chooser_gives; }
  void open_maker_page() override { log.push_back("page"); }
  void set_busy_pointer(bool busy) override { log.push_back(busy ? "busy" : "arrow"); }
  void request_unload() override { log.push_back("unload"); }
  void run_modal() override { log.push_back("modal"); }
};

class SettingsFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    BgmType = 1;
    BgmRepeat = 3;
    BgmFile = "/keep/this.wav";
    use_settings_file(folder_ / "Orvanth.ini");
  }
  void TearDown() override { fs::remove_all(folder_); }
  void use_settings_file(const fs::path& path) {
    auto face = std::make_unique<RecordingFace>();
    face_ = face.get();
    form_ = std::make_unique<SettingsForm>(path.string(), std::move(face));
  }

  fs::path folder_ =
      fs::temp_directory_path() / ("orvanth-form-" + std::to_string(std::random_device{}()));
  RecordingFace* face_ = nullptr;
  std::unique_ptr<SettingsForm> form_;
};

TEST_F(SettingsFormTest, AMarkerOrCaptionChoosesItsTypeAndLeavesRepeatAndFile) {
  const Log cleared = {"file off", "repeat off"};
  const std::pair<int, Log> cases[] = {{0, {"markers 100"}},
                                       {1, {"markers 010", "repeat on"}},
                                       {2, {"markers 001", "file on"}},
                                       {5, {"markers 000"}}};
  for (const auto& [index, shown] : cases) {
    for (const bool caption : {false, true}) {
      face_->log.clear();
      if (caption) {
        form_->lbl_BGM_MouseDown(index, 2, 0, 1.0f, 1.0f);
      } else {
        form_->Img_BGM_MouseDown(index, 1, 0, 1.0f, 1.0f);
      }
      Log expected = cleared;
      expected.insert(expected.end(), shown.begin(), shown.end());
      EXPECT_EQ(face_->log, expected) << index;
      EXPECT_EQ(BgmType, index);
      EXPECT_EQ(BgmRepeat, 3);
      EXPECT_EQ(BgmFile, "/keep/this.wav");
    }
  }
}

TEST_F(SettingsFormTest, SetSavesTheRepeatTextsNumberAndCloses) {
  for (const auto& [text, number] : {std::pair{"3.5", 4}, {"word", 0}, {"-2", -2}}) {
    face_->log.clear();
    face_->typed_repeat = text;
    BgmType = 5;
    form_->Cmd_Set_Click();
    EXPECT_EQ(face_->log, Log{"unload"}) << text;
    BgmType = BgmRepeat = 99;
    read_settings_from(form_->settings_path());
    EXPECT_EQ(BgmRepeat, number) << text;
    EXPECT_EQ(BgmType, 5) << text;
  }
}

TEST_F(SettingsFormTest, ASaveWithNowhereWritableWarnsNamingThePlaceAndStaysOpen) {
  const fs::path place = folder_ / "missing" / "Orvanth.ini";
  use_settings_file(place);
  form_->Cmd_Set_Click();
  form_->Cmd_Can_Click();
  EXPECT_EQ(face_->log, (Log{"warn " + std::string(kSaveFailedCaption) + " " +
                                 save_failed_text({"<" + place.string() + ">"}),
                             "unload"}));
  EXPECT_FALSE(fs::exists(place));
}

TEST_F(SettingsFormTest, TheChosenFileIsKeptOnlyWhenItCanBeStored) {
  const std::string too_long = "note " + std::string(refusal_note(FileChoice::kTooLong));
  const std::string not_storable = "note " + std::string(refusal_note(FileChoice::kNotStorable));
  const std::string longest = "/" + std::string(kMaxChosenPathBytes - 1, 'p');
  const std::string too_long_path = longest + "p";
  const struct {
    const char* path;  // nothing chosen when null
    FileChoice face_verdict;
    Log log;
  } cases[] = {
      {nullptr, FileChoice::kAccepted, {}},
      {nullptr, FileChoice::kTooLong, {too_long}},
      {"/a?.mp3", FileChoice::kNotStorable, {not_storable}},
      {too_long_path.c_str(), FileChoice::kAccepted, {too_long}},
      {longest.c_str(), FileChoice::kAccepted, {"note ", "label " + longest}},
      {"/two\nlines.mp3", FileChoice::kAccepted, {not_storable}},
      {"/new.mp3", FileChoice::kAccepted, {"note ", "label /new.mp3"}},
  };
  for (const auto& c : cases) {
    face_->log.clear();
    BgmFile = "/keep/this.wav";
    face_->chooser_gives.path.reset();
    if (c.path != nullptr) face_->chooser_gives.path = c.path;
    face_->chooser_gives.face_verdict = c.face_verdict;
    form_->Cmd_BGM_Click();
    EXPECT_EQ(face_->log, c.log);
    EXPECT_EQ(BgmFile, c.log.size() == 2 ? c.path : "/keep/this.wav");
  }
}

}  // namespace
}  // namespace orvanth::dialog
