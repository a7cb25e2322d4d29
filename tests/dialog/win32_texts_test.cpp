// The Win32 form's texts in the ANSI code page of the test prefix (1252):
// which chosen paths spell the files on disk, the chooser's texts, and the
// face picked for the captions.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "saver/button/impl_win32/design_font.h"
#include "saver/dialog/impl_win32/ansi_names.h"

namespace {

using orvanth::win32::names_exactly;

class CodePage1252 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() != 1252) GTEST_SKIP() << "the cases are written for code page 1252";
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"orvanth-names-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::wstring& made : made_) {
      DeleteFileW(made.c_str());
      RemoveDirectoryW(made.c_str());
    }
    RemoveDirectoryW(folder_.c_str());
  }
  // Makes folder\name (a folder when it ends in a separator).
  void make(const std::wstring& name) {
    const std::wstring path = folder_ + L"\\" + name;
    if (name.back() == L'\\') {
      CreateDirectoryW(path.c_str(), nullptr);
    } else {
      CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    made_.insert(made_.begin(), path);
  }
  std::string ansi(const std::string& tail) const {
    char narrow[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, folder_.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
    return std::string(narrow) + "\\" + tail;
  }

  std::wstring folder_;
  std::vector<std::wstring> made_;
};

TEST_F(CodePage1252, OnlyPathsThatSpellTheirFilesAreExact) {
  for (const wchar_t* name : {L"plain.mp3", L"caf\u00E9.mp3", L"Z\u0101ria.mp3", L"\uD55C.mp3",
                              L"Z\u0101ra\\", L"Z\u0101ra\\in.mp3", L"UPPER.MP3"}) {
    make(name);
  }
  const struct {
    std::string path;
    bool exact;
  } cases[] = {
      {"plain.mp3", true},     {"caf\xE9.mp3", true},
      {"upper.mp3", true},      // names match in any case
      {"Zaria.mp3", false},     // what the chooser gives for "Zāria.mp3"
      {"?.mp3", false},         // for "한.mp3"
      {"Zara\\in.mp3", false},  // a folder of the path spelt by best fit
      {"missing.mp3", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(names_exactly(ansi(c.path)), c.exact) << c.path;
  }
}

TEST_F(CodePage1252, ChooserTextsOutsideTheCodePageAreNotPassed) {
  EXPECT_EQ(orvanth::win32::ansi_text("ﾌｧｲﾙを開く"), std::nullopt);
  EXPECT_EQ(orvanth::win32::ansi_text("BGM file (MP3 WAV)"), "BGM file (MP3 WAV)");
  EXPECT_EQ(orvanth::win32::ansi_text("caf\u00E9"), "caf\xE9");
}

TEST(DesignFace, TheDesignFaceFirstThenAJapaneseUiFaceThenAnyHorizontalOne) {
  using orvanth::win32::pick_face;
  const struct {
    std::vector<std::wstring> families;
    std::wstring picked;
  } cases[] = {
      {{L"IPAGothic", L"Meiryo UI", L"ＭＳ Ｐゴシック"}, L"ＭＳ Ｐゴシック"},
      {{L"IPAGothic", L"ms ui gothic", L"IPAPGothic"}, L"ms ui gothic"},
      {{L"@Other", L"Other"}, L"Other"},
      {{L"@Other"}, L""},
      {{}, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pick_face(c.families), c.picked);
  }
}

}  // namespace
