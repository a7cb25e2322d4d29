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

class RecordingFace : public FormView {
 public:
  std::vector<std::string> log;
  std::string typed_repeat;
  ChosenFile chooser_gives;

 private:
  void note(const std::string& what) { log.push_back(what); }
  forms::WindowHandle window_handle() const override { return 0; }
  std::optional<PixelRect> screen_area() const override { return std::nullopt; }
  PixelRect form_size() const override { return {}; }
  void move_to(int, int) override { note("move"); }
  void initialize_buttons() override { note("initialize"); }
  void show_markers(const std::array<Marker, 3>& m) override {
    std::string shown = "markers ";
    for (const Marker marker : m) shown += marker == Marker::Chosen ? '1' : '0';
    note(shown);
  }
  void set_repeat_enabled(bool on) override { note(on ? "repeat on" : "repeat off"); }
  void set_file_button_enabled(bool on) override { note(on ? "file on" : "file off"); }
  void fill_repeat_list(const std::vector<std::string>&) override { note("fill"); }
  void set_repeat_text(const std::string& text) override { note("repeat " + text); }
  std::string repeat_box_text() const override { return typed_repeat; }
  void set_file_label(const std::string& path) override { note("label " + path); }
  void show_note(std::string_view text) override { note("note " + std::string(text)); }
  std::string display_name(const std::string& path) const override { return "<" + path + ">"; }
  void warn(std::string_view caption, std::string_view text) override {
    note("warn " + std::string(caption) + " " + std::string(text));
  }
  ChosenFile choose_file() override { return chooser_gives; }
  void open_maker_page() override { note("page"); }
  void set_busy_pointer(bool busy) override { note(busy ? "busy" : "arrow"); }
  void request_unload() override { note("unload"); }
  void run_modal() override { note("modal"); }
};

// A form over a recording face; the face stays reachable.
struct RecordedForm {
  explicit RecordedForm(const std::string& path,
                        std::unique_ptr<RecordingFace> made = std::make_unique<RecordingFace>())
      : face(made.get()), form(path, std::move(made)) {}
  RecordingFace* face;
  SettingsForm form;
};

class SettingsFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    BgmType = 1;
    BgmRepeat = 3;
    BgmFile = "/keep/this.wav";
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path folder_ =
      fs::temp_directory_path() / ("orvanth-form-" + std::to_string(std::random_device{}()));
  RecordedForm recorded_{(folder_ / "Orvanth.ini").string()};
  RecordingFace& face_ = *recorded_.face;
  SettingsForm& form_ = recorded_.form;
};

TEST_F(SettingsFormTest, AMarkerOrCaptionChoosesItsTypeAndLeavesRepeatAndFile) {
  const struct {
    int index;
    std::vector<std::string> log;
  } cases[] = {
      {0, {"file off", "repeat off", "markers 100"}},
      {1, {"file off", "repeat off", "markers 010", "repeat on"}},
      {2, {"file off", "repeat off", "markers 001", "file on"}},
      {5, {"file off", "repeat off", "markers 000"}},
  };
  for (const auto& c : cases) {
    for (const bool caption : {false, true}) {
      face_.log.clear();
      if (caption) {
        form_.lbl_BGM_MouseDown(c.index, 2, 0, 1.0f, 1.0f);
      } else {
        form_.Img_BGM_MouseDown(c.index, 1, 0, 1.0f, 1.0f);
      }
      EXPECT_EQ(face_.log, c.log) << c.index;
      EXPECT_EQ(BgmType, c.index);
      EXPECT_EQ(BgmRepeat, 3);
      EXPECT_EQ(BgmFile, "/keep/this.wav");
    }
  }
}

TEST_F(SettingsFormTest, SetSavesTheRepeatTextsNumberAndCloses) {
  const std::pair<std::string, std::int16_t> cases[] = {{"3.5", 4}, {"word", 0}, {"-2", -2}};
  for (const auto& [text, number] : cases) {
    face_.log.clear();
    face_.typed_repeat = text;
    BgmType = 5;
    form_.Cmd_Set_Click();
    EXPECT_EQ(face_.log, std::vector<std::string>{"unload"}) << text;
    BgmType = BgmRepeat = 99;
    read_settings_from(form_.settings_path());
    EXPECT_EQ(BgmRepeat, number) << text;
    EXPECT_EQ(BgmType, 5) << text;
  }
}

TEST_F(SettingsFormTest, ASaveWithNowhereWritableWarnsNamingThePlaceAndStaysOpen) {
  const std::string place = (folder_ / "missing" / "Orvanth.ini").string();
  RecordedForm recorded(place);
  recorded.form.Cmd_Set_Click();
  EXPECT_EQ(recorded.face->log, std::vector<std::string>{"warn " + std::string(kSaveFailedCaption) + " " +
                                               save_failed_text({"<" + place + ">"})});
  recorded.face->log.clear();
  recorded.form.Cmd_Can_Click();
  EXPECT_EQ(recorded.face->log, std::vector<std::string>{"unload"});
  EXPECT_FALSE(fs::exists(place));
}

TEST_F(SettingsFormTest, TheChosenFileIsKeptOnlyWhenItCanBeStored) {
  const std::string note_too_long = "note " + std::string(refusal_note(FileChoice::TooLong));
  const std::string note_not_storable = "note " + std::string(refusal_note(FileChoice::NotStorable));
  const std::string long_path = "/" + std::string(255, 'p');
  const struct {
    const char* path;  // nothing chosen when null
    FileChoice face_verdict;
    std::vector<std::string> log;
    std::string kept;
  } cases[] = {
      {nullptr, FileChoice::Accepted, {}, "/keep/this.wav"},
      {nullptr, FileChoice::TooLong, {note_too_long}, "/keep/this.wav"},
      {"/a?.mp3", FileChoice::NotStorable, {note_not_storable}, "/keep/this.wav"},
      {long_path.c_str(), FileChoice::Accepted, {note_too_long}, "/keep/this.wav"},
      {"/two\nlines.mp3", FileChoice::Accepted, {note_not_storable}, "/keep/this.wav"},
      {"/new.mp3", FileChoice::Accepted, {"note ", "label /new.mp3"}, "/new.mp3"},
  };
  for (const auto& c : cases) {
    face_.log.clear();
    BgmFile = "/keep/this.wav";
    face_.chooser_gives.path.reset();
    if (c.path != nullptr) face_.chooser_gives.path = c.path;
    face_.chooser_gives.face_verdict = c.face_verdict;
    form_.Cmd_BGM_Click();
    EXPECT_EQ(face_.log, c.log) << c.kept;
    EXPECT_EQ(BgmFile, c.kept);
  }
}

TEST_F(SettingsFormTest, OtherWorksOpensThePageUnderTheBusyPointer) {
  form_.Cmd_Etc_Click();
  EXPECT_EQ(face_.log, (std::vector<std::string>{"busy", "page", "arrow"}));
}

}  // namespace
}  // namespace orvanth::dialog
