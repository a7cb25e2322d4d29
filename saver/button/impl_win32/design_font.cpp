#include "saver/button/impl_win32/design_font.h"

#include <cmath>
#include <utility>

#include "saver/button/command_core.h"
#include "saver/button/impl_win32/wide_text.h"

namespace orvanth::win32 {
namespace {

// ＭＳ Ｐゴシック first (localised and English names), then the Japanese UI
// faces of later systems, then those a Linux font package gives Wine.
const wchar_t* const kPreferred[] = {L"ＭＳ Ｐゴシック", L"MS PGothic",   L"Meiryo UI",
                                     L"Yu Gothic UI",    L"MS UI Gothic", L"メイリオ",
                                     L"Meiryo",          L"IPAPGothic",   L"IPAGothic"};

int CALLBACK collect_family(const LOGFONTW* font, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                            LPARAM into) {
  reinterpret_cast<std::vector<std::wstring>*>(into)->emplace_back(font->lfFaceName);
  return 1;
}

std::vector<std::wstring> shift_jis_families() {
  std::vector<std::wstring> families;
  HDC screen = GetDC(nullptr);
  LOGFONTW query{};
  query.lfCharSet = SHIFTJIS_CHARSET;
  EnumFontFamiliesExW(screen, &query, collect_family, reinterpret_cast<LPARAM>(&families), 0);
  ReleaseDC(nullptr, screen);
  return families;
}

int screen_dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

std::wstring pick_face(const std::vector<std::wstring>& families) {
  for (const wchar_t* preferred : kPreferred) {
    for (const std::wstring& family : families) {
      if (CompareStringOrdinal(family.c_str(), -1, preferred, -1, TRUE) == CSTR_EQUAL) {
        return family;
      }
    }
  }
  // '@' names the vertical variant of a face.
  for (const std::wstring& family : families) {
    if (!family.empty() && family[0] != L'@') return family;
  }
  return {};
}

FontSpec design_font() {
  static const std::string face = utf8(pick_face(shift_jis_families()));
  return design_font_in(face);
}

HFONT font_handle(const FontSpec& wanted) {
  static std::vector<std::pair<FontSpec, HFONT>> made;
  for (const auto& [known, font] : made) {
    if (known == wanted) return font;
  }
  LOGFONTW font{};
  const double points = wanted.points > 0.0 ? wanted.points : kFaceFontPoints;
  font.lfHeight = -static_cast<LONG>(std::lround(points * screen_dpi() / 72.0));
  font.lfWeight = wanted.bold ? FW_BOLD : wanted.weight;
  font.lfItalic = wanted.italic ? TRUE : FALSE;
  font.lfUnderline = wanted.underline ? TRUE : FALSE;
  font.lfStrikeOut = wanted.strike_out ? TRUE : FALSE;
  font.lfCharSet = static_cast<BYTE>(wanted.charset);
  font.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = wide(wanted.face);
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT handle = CreateFontIndirectW(&font);
  made.emplace_back(wanted, handle);
  return handle;
}

}  // namespace orvanth::win32
