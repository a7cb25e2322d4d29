// Orvanth.scr /c of the Windows build under Wine on the test X server,
// beside the Linux one: the form's size, place, gradients and its controls
// where the Linux form draws them; what "設定", "ｷｬﾝｾﾙ" and the close
// command leave in the settings file; the real file chooser, whose choice the
// next /s plays, and the names it must refuse.
#include <gtest/gtest.h>
// Xlib after gtest: its macros clash with gtest's names.
#include <X11/Xlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "saver/dialog/dialog_choice.h"
#include "tests/renderer/renderer_process.h"
#include "tests/support/settings_image.h"
#include "tests/support/shell_run.h"
#include "tests/support/sink_capture.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/wine.h"
#include "tests/support/wine_shell.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kLong = 60000ms;
constexpr char kTitle[] = "<Quillon>";

// Places in the client area, in pixels (design twips / 15).
struct Point {
  int x, y;
};
constexpr Point kNoMusicCaption{58, 98};  // lbl_BGM (0) "無し"
constexpr Point kFileCaption{58, 118};    // lbl_BGM (2) "MP3、WAV"
constexpr Point kFileButton{62, 142};     // Cmd_BGM "..."
constexpr Point kSet{356, 212};
constexpr Point kCancel{430, 212};

struct Box {
  int left, top, right, bottom;  // right and bottom one past the last pixel
  std::string text() const {
    std::ostringstream out;
    out << "(" << left << "," << top << ")-(" << right << "," << bottom << ")";
    return out.str();
  }
};

// Each control's window: its design rectangle and a margin, a label's
// reaching to its neighbour, as its text may be wider.
const struct {
  const char* name;
  Box window;
} kControls[] = {
    {"Cmd_Etc", {190, 198, 319, 227}},   {"Cmd_Set", {318, 198, 395, 227}},
    {"Cmd_Can", {394, 198, 467, 227}},   {"Cmd_BGM", {46, 130, 79, 155}},
    {"BGM_Repeat", {102, 66, 147, 90}},  {"lbl_Fname", {78, 130, 439, 163}},
    {"Shape3", {30, 34, 147, 59}},       {"lbl (15)", {34, 38, 143, 55}},
    {"Img_BGM (1)", {30, 70, 46, 87}},   {"Img_BGM (0)", {30, 90, 46, 107}},
    {"Img_BGM (2)", {30, 110, 46, 127}}, {"lbl_BGM (1)", {46, 69, 101, 88}},
    {"lbl_BGM (0)", {46, 89, 101, 108}}, {"lbl_BGM (2)", {46, 109, 140, 128}},
    {"lbl (14)", {146, 69, 300, 88}},    {"lbl (7)", {10, 193, 188, 212}},
};

int channel(unsigned long c, int shift) { return static_cast<int>((c >> shift) & 0xFFU); }

// What the form and its panel Pic_C (12, 16, 453 x 169) paint behind the
// controls: their gradients, one line per twip.
unsigned long backdrop(int x, int y) {
  static const std::vector<int> kForm = dialog::gradient_rows(3780, 15, 252);
  static const std::vector<int> kPanel = dialog::gradient_rows(2535, 15, 169);
  if (x >= 12 && x < 465 && y >= 16 && y < 185) {
    return 0x010101UL * static_cast<unsigned long>(kPanel[static_cast<std::size_t>(y - 16)] + 30);
  }
  const auto v = static_cast<unsigned long>(kForm[static_cast<std::size_t>(y)]);
  return (v << 16) | (v << 8) | (v + 30);
}

// The client area as the screen shows it.
struct Shot {
  std::vector<unsigned long> pixels;
  unsigned long at(int x, int y) const { return pixels[static_cast<std::size_t>(y * 479 + x)]; }
  // Where in window the pixels are unlike the backdrop.
  Box ink(const Box& window) const {
    Box b{window.right, window.bottom, window.left, window.top};
    for (int y = window.top; y < window.bottom; ++y) {
      for (int x = window.left; x < window.right; ++x) {
        int most = 0;
        for (const int shift : {16, 8, 0}) {
          most =
              std::max(most, std::abs(channel(at(x, y), shift) - channel(backdrop(x, y), shift)));
        }
        if (most > 40)
          b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1),
               std::max(b.bottom, y + 1)};
      }
    }
    return b;
  }
  // Whether more than a few pixels in box are of a colour.
  bool shows(const Box& box, const std::function<bool(int, int, int)>& colour) const {
    int seen = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) {
        seen += colour(channel(at(x, y), 16), channel(at(x, y), 8), channel(at(x, y), 0)) ? 1 : 0;
      }
    }
    return seen > 20;
  }
  // The panel's corners and bare spots of both gradients.
  bool painted() const {
    for (const auto& [x, y] : {std::pair{12, 16}, {464, 184}, {11, 16}, {465, 184}}) {
      if (at(x, y) != backdrop(x, y)) return false;
    }
    for (int y = 0; y < 252; ++y) {
      if (at(5, y) != backdrop(5, y) || (y >= 16 && y < 185 && at(14, y) != backdrop(14, y)))
        return false;
    }
    return true;
  }
};

Shot shoot(Display* display, int left, int top) {
  return {root_pixels(display, left, top, 479, 252)};
}

class WineDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wine::available()) GTEST_SKIP() << wine::kNoWindowsBuild;
    ASSERT_NE(x_.display(), nullptr);
    for (const char* name : {"Orvanth.scr", "Orvanth.data"}) {
      fs::copy_file(wine::dist() / name, folder_.path() / name);
    }
    park_pointer();
  }
  void TearDown() override {
    shell_.reset();
    if (x_.display() != nullptr)
      wait_for([&] { return find_window(x_.display(), kTitle) == 0; }, 10000ms);
  }

  fs::path settings() const { return folder_.path() / "Orvanth.ini"; }

  // Starts the Windows dialog and waits until its form is painted; the
  // form's window and client rectangles from Win32.
  // ready: whether the form is painted where the probe last found it.
  void open(const std::string& switch_text = "/c", const std::function<bool()>& ready = {},
            const fs::path& stderr_file = {}) {
    shell_.emplace(folder_.path() / "Orvanth.scr", std::vector<std::string>{switch_text},
                   EnvironmentChanges{}, stderr_file);
    // Asked again until painted there: the form is made first and then
    // moved to its place.
    ASSERT_TRUE(wait_for(
        [&] {
          std::string out;
          if (wine::probe({"geometry", kTitle}, &out) != 0) return false;
          std::istringstream in(out);
          in >> frame_.left >> frame_.top >> frame_.right >> frame_.bottom >> client_.left >>
              client_.top >> client_.right >> client_.bottom;
          return ready ? ready() : shot().painted();
        },
        kLong))
        << "the dialog did not appear, or was not painted where it is";
  }

  Shot shot() const { return shoot(x_.display(), client_.left, client_.top); }
  void click(Point p) const { ASSERT_TRUE(click_at(client_.left + p.x, client_.top + p.y)); }
  void park_pointer() const { move_pointer(x_.display(), 1200, 1000); }
  bool ends() { return shell_->ends_within(kLong) && shell_->exit_code() == 0; }

  // The Linux build's /c from the same file, clicked at the points (closed
  // when there are none): what it leaves in the file, and how it looked.
  std::string linux_saves(const std::string& image, const std::vector<Point>& clicks,
                          Shot* shown = nullptr) {
    ShellInstall install(false);
    write_settings_file(install.settings(), image);
    ShellProcess shell(install, {"/c"});
    Window w = 0;
    EXPECT_TRUE(wait_for([&] { return (w = find_window(x_.display(), kTitle)) != 0; }));
    XWindowAttributes a{};
    XGetWindowAttributes(x_.display(), w, &a);
    if (shown != nullptr)
      wait_for([&] { return (*shown = shoot(x_.display(), a.x, a.y)).painted(); });
    for (const Point& p : clicks) EXPECT_TRUE(click_at(a.x + p.x, a.y + p.y));
    if (clicks.empty()) send_close_request(x_.display(), w);
    EXPECT_TRUE(shell.ends_within(20s));
    park_pointer();
    return file_bytes(install.settings());
  }

  // Presses "..." and puts the path in the chooser's name field, as typed;
  // the title the chooser showed, once it has closed.
  std::string choose_file(const std::string& windows_path) {
    click(kFileButton);
    // Seen on the screen first: a chooser looked into while it is being
    // made may never come up.
    EXPECT_TRUE(wait_for(
        [&] {
          return find_window(x_.display(), "Open") != 0 ||
                 find_window(x_.display(), "ﾌｧｲﾙを開く") != 0;
        },
        kLong))
        << "no file chooser on the screen";
    std::string title;
    EXPECT_TRUE(wait_for(
        [&] {
          return wine::probe({"choose", kTitle, windows_path}, &title) == 0;
        },
        kLong))
        << "no file chooser";
    title = title.substr(0, title.find_first_of("\r\n"));
    EXPECT_TRUE(wait_for([&] { return wine::probe({"window", title}) != 0; }, kLong));
    park_pointer();
    return title;
  }
  bool note_shown() const {
    return shot().shows({80, 164, 437, 178},
                        [](int r, int g, int b) { return r > 120 && g < 60 && b < 60; });
  }
  bool file_shown() const {
    return shot().shows({81, 133, 436, 160},
                        [](int r, int g, int b) { return r < 80 && g < 80 && b < 80; });
  }

  XClient x_;
  TempFolder folder_{"orvanth-wine-dlg"};
  std::optional<wine::Program> shell_;
  Box frame_{}, client_{};
};

// Windows' WritePrivateProfileStringA writes a value as given; Wine's drops
// the blanks it begins with, so the number texts " 0" land as "0".
std::string as_wine_writes(std::string image) {
  for (std::size_t at = image.find("= "); at != std::string::npos; at = image.find("= ", at)) {
    image.erase(at + 1, 1);
  }
  return image;
}

TEST_F(WineDialog, OpensAtTheDesignSizeAndLaysOutItsControlsAsOnLinux) {
  const std::string image = settings_image(" 1", " 7", "");
  write_settings_file(settings(), image);
  open();
  EXPECT_EQ(client_.right - client_.left, 479);
  EXPECT_EQ(client_.bottom - client_.top, 252);
  // The whole window centred across and a third of the free height down.
  const int free_w = DisplayWidth(x_.display(), 0) - (frame_.right - frame_.left);
  const int free_h = DisplayHeight(x_.display(), 0) - (frame_.bottom - frame_.top);
  // Integer twips first, as the form computes them.
  EXPECT_EQ(frame_.left,
            std::lround((free_w * 15 / 2) / 15.0));  // NOLINT(bugprone-integer-division)
  EXPECT_EQ(frame_.top,
            std::lround((free_h * 15 / 3) / 15.0));  // NOLINT(bugprone-integer-division)
  const Shot on_windows = shot();
  ASSERT_TRUE(wine::probe({"close", kTitle}) == 0 && ends());
  Shot on_linux;
  linux_saves(image, {}, &on_linux);
  ASSERT_TRUE(on_linux.painted());
  for (const auto& c : kControls) {
    const Box a = on_windows.ink(c.window);
    const Box b = on_linux.ink(c.window);
    EXPECT_TRUE(a.left < a.right && std::abs(a.left - b.left) <= 2 &&
                std::abs(a.top - b.top) <= 2 && std::abs(a.right - b.right) <= 2 &&
                std::abs(a.bottom - b.bottom) <= 2)
        << c.name << ": Windows " << a.text() << ", Linux " << b.text();
  }
}

TEST_F(WineDialog, NoMusicByItsCaptionThenSetWritesWhatTheLinuxBuildWrites) {
  const std::string image = settings_image(" 1", " 7", "");
  write_settings_file(settings(), image);
  open();
  click(kNoMusicCaption);
  click(kSet);
  ASSERT_TRUE(ends());
  const std::string linux_saved = linux_saves(image, {kNoMusicCaption, kSet});
  EXPECT_EQ(linux_saved, settings_image(" 0", " 7", ""));
  EXPECT_EQ(file_bytes(settings()), as_wine_writes(linux_saved));
}

// Nowhere to save: a read-only file beside the program, and a file where the
// user's settings folder would be made. "設定" says so, naming both places,
// and the dialog stays for a cancel; no file is written.
TEST_F(WineDialog, ASaveWithNowhereWritableShowsTheMessageAndLeavesNoFile) {
  wine::forget_user_files();
  const std::string image = settings_image(" 1", " 7", "");
  write_settings_file(settings(), image);
  fs::permissions(settings(), static_cast<fs::perms>(0444));
  const fs::path user_folder = wine::user_settings().parent_path();
  fs::create_directories(user_folder.parent_path());
  std::ofstream(user_folder) << "a file where the folder would be";
  const fs::path err = folder_.path() / "dialog.err";
  open("/c", {}, err);
  click(kNoMusicCaption);
  click(kSet);
  Window box = 0;
  ASSERT_TRUE(wait_for([&] { return (box = find_window(x_.display(), "設定の保存")) != 0; }, kLong))
      << file_bytes(err);
  const std::string said = file_bytes(err);
  EXPECT_NE(said.find(wine::windows_path(settings())), std::string::npos) << said;
  EXPECT_NE(said.find("\\Orvanth\\Orvanth.ini"), std::string::npos) << said;
  send_close_request(x_.display(), box);
  ASSERT_TRUE(wait_for([&] { return find_window(x_.display(), "設定の保存") == 0; }, kLong));
  EXPECT_FALSE(shell_->ends_within(500ms)) << "the dialog closed with the choice lost";
  ASSERT_EQ(wine::probe({"close", kTitle}), 0);
  ASSERT_TRUE(ends());
  fs::permissions(settings(), static_cast<fs::perms>(0644));
  EXPECT_EQ(file_bytes(settings()), image);
  EXPECT_TRUE(fs::is_regular_file(user_folder));
  fs::remove(user_folder);
}

// As the system's screen-saver settings start it (/c:<window>), too.
TEST_F(WineDialog, CancelAndTheCloseCommandLeaveTheFileByteForByte) {
  const std::string before = "[Other]\r\nx=1\r\n" + settings_image(" 1", " 4", "");
  for (const bool by_button : {true, false}) {
    write_settings_file(settings(), before);
    open(by_button ? "/c" : "/c:65552");
    click(kNoMusicCaption);
    if (by_button) {
      click(kCancel);
    } else {
      ASSERT_EQ(wine::probe({"close", kTitle}), 0);
    }
    ASSERT_TRUE(ends()) << by_button;
    EXPECT_EQ(file_bytes(settings()), before) << by_button;
    wait_for([&] { return find_window(x_.display(), kTitle) == 0; }, 10000ms);
  }
}

// Through the real GetOpenFileNameA.
TEST_F(WineDialog, AChosenMp3IsSavedAndTheNextRunPlaysIt) {
  Fixtures sounds;
  const std::string mp3 = wine::windows_path(sounds.mp3("tone.mp3", 440, 30.0));
  open();
  click(kFileCaption);
  const std::string title = choose_file(mp3);
  // Readable: the form's own title where the code page holds it, else the
  // system's own, never its Shift-JIS bytes read in another code page.
  EXPECT_TRUE(title == "ﾌｧｲﾙを開く" || title == "Open") << title;
  ASSERT_TRUE(wait_for([&] { return file_shown(); }, 10000ms)) << "the label shows no file";
  EXPECT_FALSE(note_shown());
  click(kSet);
  ASSERT_TRUE(ends());
  ASSERT_EQ(file_bytes(settings()), as_wine_writes(settings_image(" 2", " 0", mp3)));
  SinkCapture sink;
  ASSERT_TRUE(sink.started());
  shell_.emplace(folder_.path() / "Orvanth.scr", std::vector<std::string>{"/s"});
  EXPECT_TRUE(wait_for([&] { return is_tone(sink.now(), 440); }, kLong)) << "the run plays nothing";
  move_pointer(x_.display(), 100, 100);  // far enough on both axes: the run ends
  EXPECT_TRUE(shell_->ends_within(kLong));
  EXPECT_TRUE(wait_for([&] { return find_window(x_.display(), "Lumevar_Delphi") == 0; }, kLong));
}

// A name that the ANSI code page cannot spell would be saved as another name
// (a '?', or "Zaria" for "Zāria"): it is refused with the note, and the
// previous choice stays.
TEST_F(WineDialog, NamesTheCodePageCannotSpellAreRefusedWithTheNote) {
  Fixtures sounds;
  const std::string keep = wine::windows_path(sounds.mp3("keep.mp3", 440, 1.0));
  const char* const refused[] = {"\xED\x95\x9C.mp3", "Z\xC4\x81ria.mp3"};  // 한, Zāria
  for (const char* name : {refused[0], refused[1], "Zaria.mp3"}) {
    fs::copy_file(sounds.dir() / "keep.mp3", sounds.dir() / name);
  }
  const std::string before = settings_image(" 2", " 0", keep);
  write_settings_file(settings(), before);
  open();
  EXPECT_FALSE(note_shown());
  for (const char* name : refused) {
    choose_file(wine::windows_path(sounds.dir() / name));
    EXPECT_TRUE(wait_for([&] { return note_shown(); }, 10000ms)) << name;
  }
  click(kSet);
  ASSERT_TRUE(ends());
  // Every value saved is the one there was: the file is as it was.
  EXPECT_EQ(file_bytes(settings()), before);
}

// On a scaled screen (the dots per inch Windows gives 150 % and 200 %) the
// program declares itself per-monitor aware, and the form is laid out in
// twips of that screen: its client area, the captions' font and the
// buttons' faces all grow with it.
struct Scaled {
  int dpi;
  int width, height;  // the client area, 7185 x 3780 twips
};
void PrintTo(const Scaled& s, std::ostream* out) { *out << s.dpi; }
class WineDialogScaled : public WineDialog, public ::testing::WithParamInterface<Scaled> {};

TEST_P(WineDialogScaled, GrowsWithTheScreensDotsPerInch) {
  const Scaled s = GetParam();
  std::string manifest;
  ASSERT_EQ(
      wine::probe({"manifest", wine::windows_path(folder_.path() / "Orvanth.scr")}, &manifest), 0);
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("true/pm"), std::string::npos) << manifest;
  wine::ScreenDpi dpi(s.dpi);
  ASSERT_TRUE(dpi.set());
  const double tpp = 1440.0 / s.dpi;
  const auto px = [&](int twips) { return static_cast<int>(std::lround(twips / tpp)); };
  std::vector<unsigned long> pixels;
  const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * s.width + x)]; };
  const auto differs = [](unsigned long a, unsigned long b, int by) {
    for (const int shift : {16, 8, 0}) {
      if (std::abs(channel(a, shift) - channel(b, shift)) > by) return true;
    }
    return false;
  };
  // Cmd_Set's face at its middle row: the frame cut from the state picture
  // is 60 twips wide, then the gradient (a fifth across, left of the caption).
  const int face_left = px(4800);
  const int middle = px(3000 + 375 / 2);
  const auto frame_width = [&] {
    const unsigned long gradient = at(face_left + px(1095) / 5, middle);
    int n = 0;
    while (n < 20 && differs(at(face_left + n, middle), gradient, 8)) ++n;
    return n;
  };
  // "MP3、WAV" (panel 180, 240; label 540, 1440) in the scaled design font:
  // the rows its dark ink spans. The chosen marker of "無し" (Img_BGM (0),
  // panel 180, 240 + 300, 1140), a 12-pixel picture drawn at its 180 twips:
  // the columns its blue spans.
  int top = 0, bottom = 0, blue_left = 0, blue_right = 0;
  const auto measure = [&] {
    top = s.height, bottom = 0, blue_left = s.width, blue_right = 0;
    for (int y = px(240 + 1380); y < px(240 + 1720); ++y) {
      for (int x = px(180 + 540); x < px(180 + 2000); ++x) {
        if (channel(at(x, y), 16) < 90 && channel(at(x, y), 8) < 90 && channel(at(x, y), 0) < 90) {
          top = std::min(top, y);
          bottom = std::max(bottom, y + 1);
        }
      }
    }
    for (int y = px(1380); y < px(1380 + 195); ++y) {
      for (int x = px(480) - 2; x < px(480 + 195) + 2; ++x) {
        if (channel(at(x, y), 0) > 150 && channel(at(x, y), 16) < 100) {
          blue_left = std::min(blue_left, x);
          blue_right = std::max(blue_right, x + 1);
        }
      }
    }
  };
  // Wine paints the controls one by one: the shot is taken once the button,
  // the caption and the marker are all on it.
  open("/c", [&] {
    if (client_.right - client_.left != s.width || client_.bottom - client_.top != s.height)
      return false;
    pixels = root_pixels(x_.display(), client_.left, client_.top, s.width, s.height);
    measure();
    return std::abs(frame_width() - px(60)) <= 1 && bottom > top && blue_right > blue_left;
  });
  EXPECT_EQ(client_.right - client_.left, s.width);
  EXPECT_EQ(client_.bottom - client_.top, s.height);
  EXPECT_NEAR(frame_width(), px(60), 1);
  EXPECT_GT(blue_right - blue_left, 0.7 * px(180));
  EXPECT_LE(blue_right - blue_left, px(180));
  // Its ink is most of an em of 9.75 points high.
  const double em = 9.75 * s.dpi / 72.0;
  EXPECT_GT(bottom - top, 0.55 * em);
  EXPECT_LT(bottom - top, 1.25 * em);
  ASSERT_EQ(wine::probe({"close", kTitle}), 0);
  EXPECT_TRUE(ends());
}

INSTANTIATE_TEST_SUITE_P(Dpi, WineDialogScaled,
                         ::testing::Values(Scaled{144, 719, 378}, Scaled{192, 958, 504}),
                         [](const auto& tested) { return std::to_string(tested.param.dpi); });

}  // namespace
}  // namespace orvanth::test
