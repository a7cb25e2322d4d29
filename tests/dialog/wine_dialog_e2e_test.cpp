// Orvanth.scr /c of the Windows build under Wine on the test X server,
// beside the Linux one: the form's size and its layout control by control,
// what "設定", "ｷｬﾝｾﾙ" and the close command leave in the settings file, and
// the real file chooser, whose choice the next /s plays.
#include <gtest/gtest.h>
// Xlib after gtest: its macros clash with gtest's names.
#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/renderer/renderer_process.h"
#include "tests/support/settings_image.h"
#include "tests/support/shell_run.h"
#include "tests/support/sink_capture.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/wine.h"

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
constexpr Point kNoMusicCaption{48 + 10, 92 + 6};  // lbl_BGM (0) "無し"
constexpr Point kFileCaption{48 + 10, 112 + 6};    // lbl_BGM (2) "MP3、WAV"
constexpr Point kFileButton{48 + 14, 132 + 10};    // Cmd_BGM "..."
constexpr Point kSet{320 + 36, 200 + 12};
constexpr Point kCancel{396 + 34, 200 + 12};

struct Box {
  int left, top, right, bottom;  // right and bottom one past the last pixel
  bool empty() const { return right <= left || bottom <= top; }
};

// Windows' WritePrivateProfileStringA writes a value as given; Wine's drops
// the blanks it begins with, so the number texts " 0" land as "0".
std::string as_wine_writes(std::string image) {
  for (std::size_t at = image.find("= "); at != std::string::npos; at = image.find("= ", at)) {
    image.erase(at + 1, 1);
  }
  return image;
}

std::string text_of(const Box& b) {
  std::ostringstream out;
  out << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
  return out.str();
}

// The client area as the screen shows it.
struct Shot {
  int width = 0, height = 0;
  std::vector<unsigned long> pixels;
  unsigned long at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y * width + x)];
  }
};

Shot shoot(Display* display, const Box& client) {
  Shot s{client.right - client.left, client.bottom - client.top, {}};
  s.pixels = root_pixels(display, client.left, client.top, s.width, s.height);
  return s;
}

int channel(unsigned long c, int shift) { return static_cast<int>((c >> shift) & 0xFFU); }

int difference(unsigned long a, unsigned long b) {
  int most = 0;
  for (const int shift : {16, 8, 0}) most = std::max(most, std::abs(channel(a, shift) - channel(b, shift)));
  return most;
}

// Where each control is drawn: the panel by its grey gradient (the form's
// is blue), everything else by the pixels unlike their row's background.
class Layout {
 public:
  explicit Layout(const Shot& shot) : shot_(shot) {
    std::vector<int> columns(static_cast<std::size_t>(shot.width)), rows(static_cast<std::size_t>(shot.height));
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        const unsigned long c = shot.at(x, y);
        if (channel(c, 16) == channel(c, 0) && channel(c, 8) == channel(c, 0)) {
          ++columns[static_cast<std::size_t>(x)];
          ++rows[static_cast<std::size_t>(y)];
        }
      }
    }
    panel_ = span(columns, rows, 120, 300);
  }

  const Box& panel() const { return panel_; }

  // The ink within a window of the client area.
  Box ink(const Box& window) const {
    Box b{window.right, window.bottom, window.left, window.top};
    for (int y = std::max(0, window.top); y < std::min(shot_.height, window.bottom); ++y) {
      for (int x = std::max(0, window.left); x < std::min(shot_.width, window.right); ++x) {
        if (difference(shot_.at(x, y), background(x, y)) > 40) {
          b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1), std::max(b.bottom, y + 1)};
        }
      }
    }
    return b;
  }

 private:
  static Box span(const std::vector<int>& columns, const std::vector<int>& rows, int column_count,
                  int row_count) {
    Box b{0, 0, 0, 0};
    const auto first = [](const std::vector<int>& v, int least) {
      return static_cast<int>(std::find_if(v.begin(), v.end(), [&](int n) { return n >= least; }) - v.begin());
    };
    const auto last = [](const std::vector<int>& v, int least) {
      return static_cast<int>(v.rend() - std::find_if(v.rbegin(), v.rend(), [&](int n) { return n >= least; }));
    };
    b.left = first(columns, column_count);
    b.right = last(columns, column_count);
    b.top = first(rows, row_count);
    b.bottom = last(rows, row_count);
    return b;
  }

  unsigned long background(int x, int y) const {
    const bool in_panel = x >= panel_.left && x < panel_.right && y >= panel_.top && y < panel_.bottom;
    return shot_.at(in_panel ? panel_.left + 2 : 2, y);
  }

  const Shot& shot_;
  Box panel_;
};

// Each control's window in the client area: its design rectangle and a
// margin, a label's reaching to its neighbour, as its text may be wider.
struct Control {
  const char* name;
  Box window;
};
const Control kControls[] = {
    {"Cmd_Etc", {190, 198, 319, 227}},
    {"Cmd_Set", {318, 198, 395, 227}},
    {"Cmd_Can", {394, 198, 467, 227}},
    {"Cmd_BGM", {46, 130, 79, 155}},
    {"BGM_Repeat", {102, 66, 147, 90}},
    {"lbl_Fname", {78, 130, 439, 163}},
    {"Shape3", {30, 34, 147, 59}},
    {"lbl (15)", {34, 38, 143, 55}},
    {"Img_BGM (1)", {30, 70, 46, 87}},
    {"Img_BGM (0)", {30, 90, 46, 107}},
    {"Img_BGM (2)", {30, 110, 46, 127}},
    {"lbl_BGM (1)", {46, 69, 101, 88}},
    {"lbl_BGM (0)", {46, 89, 101, 108}},
    {"lbl_BGM (2)", {46, 109, 140, 128}},
    {"lbl (14)", {146, 69, 300, 88}},
    {"lbl (7)", {10, 193, 188, 212}},
};

class WineDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wine::available()) GTEST_SKIP() << "built without a Windows build (ORVANTH_WINDOWS_BUILD)";
    ASSERT_NE(x_.display(), nullptr);
    for (const char* name : {"Orvanth.scr", "Orvanth.data"}) {
      fs::copy_file(wine::dist() / name, folder_.path() / name);
    }
    park_pointer();
  }
  void TearDown() override {
    shell_.reset();
    if (x_.display() != nullptr) {
      wait_for([&] { return find_window(x_.display(), kTitle) == 0; }, 10000ms);
    }
  }

  fs::path settings() const { return folder_.path() / "Orvanth.ini"; }

  // Starts the Windows /c and waits until its form is painted.
  void open() {
    shell_.emplace(folder_.path() / "Orvanth.scr", std::vector<std::string>{"/c"});
    ASSERT_TRUE(wait_for([&] { return find_window(x_.display(), kTitle) != 0 && read_geometry(); }, kLong))
        << "the dialog did not appear";
    ASSERT_TRUE(wait_for([&] { return Layout(shot()).panel().left == 12; }, kLong)) << "not painted";
  }

  // The form's window and client rectangles from Win32.
  bool read_geometry() {
    std::string out;
    if (wine::probe({"geometry", kTitle}, &out) != 0) return false;
    std::istringstream in(out);
    in >> frame_.left >> frame_.top >> frame_.right >> frame_.bottom >> client_.left >> client_.top >>
        client_.right >> client_.bottom;
    return !in.fail();
  }

  Shot shot() const { return shoot(x_.display(), client_); }

  void click(Point p) const { ASSERT_TRUE(click_at(client_.left + p.x, client_.top + p.y)); }
  void park_pointer() const { move_pointer(x_.display(), 1200, 1000); }

  bool ends() {
    const bool ended = shell_->ends_within(kLong);
    return ended && shell_->exit_code() == 0;
  }

  // Clicks at the points in the Linux build's /c from the same file; what it
  // leaves in the file, and its client area before the clicks.
  std::string linux_saves(const std::string& image, const std::vector<Point>& clicks,
                          Shot* before = nullptr) {
    ShellInstall install(false);
    write_settings_file(install.settings(), image);
    ShellProcess shell(install, {"/c"});
    Window w = 0;
    EXPECT_TRUE(wait_for([&] { return (w = find_window(x_.display(), kTitle)) != 0; })) << "no Linux dialog";
    XWindowAttributes a{};
    XGetWindowAttributes(x_.display(), w, &a);
    if (before != nullptr) {
      const Box client{a.x, a.y, a.x + a.width, a.y + a.height};
      wait_for([&] { return Layout(*before = shoot(x_.display(), client)).panel().left == 12; });
    }
    for (const Point& p : clicks) EXPECT_TRUE(click_at(a.x + p.x, a.y + p.y));
    if (clicks.empty()) send_close_request(x_.display(), w);
    EXPECT_TRUE(shell.ends_within(20s));
    park_pointer();
    return file_bytes(install.settings());
  }

  // Presses "..." and gives the chooser the path, as if typed; the title the
  // chooser showed.
  std::string choose_file(const std::string& windows_path) {
    click(kFileButton);
    std::string title;
    EXPECT_TRUE(wait_for([&] { return wine::probe({"chooser", kTitle}, &title) == 0; }, kLong))
        << "no file chooser";
    EXPECT_EQ(wine::probe({"choose", kTitle, windows_path}), 0);
    EXPECT_TRUE(wait_for([&] { return wine::probe({"chooser", kTitle}) != 0; }, kLong));
    park_pointer();
    while (!title.empty() && (title.back() == '\n' || title.back() == '\r')) title.pop_back();
    return title;
  }

  // Whether the client area shows more than a few pixels of a colour in a
  // box: the red note under the file label, the black text inside it.
  template <typename Colour>
  bool shows(const Box& box, Colour colour) const {
    const Shot s = shot();
    int seen = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) seen += colour(s.at(x, y)) ? 1 : 0;
    }
    return seen > 20;
  }
  bool note_shown() const {
    return shows(Box{80, 164, 437, 178}, [](unsigned long c) {
      return channel(c, 16) > 120 && channel(c, 8) < 60 && channel(c, 0) < 60;
    });
  }
  bool file_shown() const {
    return shows(Box{81, 133, 436, 160}, [](unsigned long c) {
      return channel(c, 16) < 80 && channel(c, 8) < 80 && channel(c, 0) < 80;
    });
  }

  XClient x_;
  TempFolder folder_{"orvanth-wine-dlg"};
  std::optional<wine::Program> shell_;
  Box frame_{}, client_{};
};

TEST_F(WineDialog, OpensAtTheDesignSizeAndLaysOutItsControlsAsOnLinux) {
  const std::string image = settings_image(" 1", " 7", "");
  write_settings_file(settings(), image);
  open();
  EXPECT_EQ(client_.right - client_.left, 479);
  EXPECT_EQ(client_.bottom - client_.top, 252);
  // The whole window centred across and a third of the free height down.
  const int screen_w = DisplayWidth(x_.display(), DefaultScreen(x_.display()));
  const int screen_h = DisplayHeight(x_.display(), DefaultScreen(x_.display()));
  const int w = frame_.right - frame_.left;
  const int h = frame_.bottom - frame_.top;
  EXPECT_EQ(frame_.left, std::lround(((screen_w - w) * 15 / 2) / 15.0));
  EXPECT_EQ(frame_.top, std::lround(((screen_h - h) * 15 / 3) / 15.0));
  const Shot windows = shot();
  ASSERT_TRUE(wine::probe({"close", kTitle}) == 0 && ends());
  Shot linux_shot;
  linux_saves(image, {}, &linux_shot);
  const Layout on_windows(windows), on_linux(linux_shot);
  EXPECT_EQ(text_of(on_windows.panel()), text_of(Box{12, 16, 465, 185}));
  EXPECT_EQ(text_of(on_linux.panel()), text_of(Box{12, 16, 465, 185}));
  for (const Control& c : kControls) {
    const Box a = on_windows.ink(c.window);
    const Box b = on_linux.ink(c.window);
    ASSERT_FALSE(a.empty() || b.empty()) << c.name;
    const bool near = std::abs(a.left - b.left) <= 2 && std::abs(a.top - b.top) <= 2 &&
                      std::abs(a.right - b.right) <= 2 && std::abs(a.bottom - b.bottom) <= 2;
    EXPECT_TRUE(near) << c.name << ": Windows " << text_of(a) << ", Linux " << text_of(b);
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

TEST_F(WineDialog, CancelAndTheCloseCommandLeaveTheFileByteForByte) {
  const std::string before = "[Other]\r\nx=1\r\n" + settings_image(" 1", " 4", "");
  for (const bool by_button : {true, false}) {
    write_settings_file(settings(), before);
    open();
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

// Through the real GetOpenFileNameA: the chosen MP3 is saved, and the next
// full-screen run plays it.
TEST_F(WineDialog, AChosenMp3IsSavedAndTheNextRunPlaysIt) {
  Fixtures sounds;
  const std::string mp3 = wine::windows_path(sounds.mp3("tone.mp3", 440, 30.0));
  open();
  click(kFileCaption);
  const std::string title = choose_file(mp3);
  // Readable: the design's title where the code page holds it, else the
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
  sounds.mp3("Zaria.mp3", 440, 1.0);
  const std::string folder = wine::windows_path(sounds.dir()) + "\\";
  for (const char* name : {"\xED\x95\x9C.mp3", "Z\xC4\x81ria.mp3"}) {  // 한, Zāria
    fs::copy_file(sounds.dir() / "keep.mp3", sounds.dir() / name);
  }
  const std::string before = settings_image(" 2", " 0", keep);
  write_settings_file(settings(), before);
  open();
  EXPECT_FALSE(note_shown());
  for (const char* name : {"\xED\x95\x9C.mp3", "Z\xC4\x81ria.mp3"}) {
    choose_file(folder + name);
    EXPECT_TRUE(wait_for([&] { return note_shown(); }, 10000ms)) << name;
  }
  click(kSet);
  ASSERT_TRUE(ends());
  // Every value saved is the one there was: the file is as it was.
  EXPECT_EQ(file_bytes(settings()), before);
}

}  // namespace
}  // namespace orvanth::test
