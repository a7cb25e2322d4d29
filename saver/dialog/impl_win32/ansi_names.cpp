#include "saver/dialog/impl_win32/ansi_names.h"

#include <windows.h>

#include <vector>

#include "saver/button/impl_win32/wide_text.h"

namespace orvanth::win32 {
namespace {

// Under the UTF-8 code page every text is held, and the conversions below
// refuse the lossy-character flags.
bool code_page_holds_everything() { return GetACP() == CP_UTF8; }

// The name in the code page as a narrow call gives it (best fit allowed),
// and whether that is the name itself.
std::string narrow(const std::wstring& name, bool* exact) {
  const int size = static_cast<int>(name.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, name.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, name.data(), size, out.data(), n, nullptr, nullptr);
  BOOL lossy = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), size, nullptr, 0, nullptr, &lossy);
  *exact = lossy == FALSE;
  return out;
}

bool same_name(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool is_separator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Where the names begin: after "C:\" or "\\server\share\".
std::size_t root_length(const std::wstring& path) {
  if (path.size() >= 3 && path[1] == L':' && is_separator(path[2])) return 3;
  if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
    std::size_t separators = 0;
    for (std::size_t at = 2; at < path.size(); ++at) {
      if (is_separator(path[at]) && ++separators == 2) return at + 1;
    }
  }
  return 0;
}

enum class Found { Exact, Lossy, None };

// The entry of folder (ending in a separator) that the narrow name stands
// for; into *entry its real name.
Found find_entry(const std::wstring& folder, const std::wstring& name, std::wstring* entry) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return Found::None;
  Found found = Found::None;
  do {
    const std::wstring real = data.cFileName;
    if (real == L"." || real == L"..") continue;
    bool exact = false;
    const std::string spelt = narrow(real, &exact);
    if (!same_name(wide_of_ansi(spelt), name)) continue;
    if (!exact) {
      // The same text stands for a name the code page cannot hold.
      found = Found::Lossy;
      break;
    }
    found = Found::Exact;
    *entry = real;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

}  // namespace

std::optional<std::string> ansi_text(std::string_view utf8) {
  if (code_page_holds_everything()) return std::string(utf8);
  const std::wstring text = wide(utf8);
  bool exact = false;
  std::string out = narrow(text, &exact);
  if (!exact) return std::nullopt;
  return out;
}

std::wstring wide_of_ansi(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, out.data(), n);
  return out;
}

bool names_exactly(const std::string& ansi_path) {
  if (code_page_holds_everything()) return true;
  // Neither is ever part of a file name: a '?' is a character lost.
  if (ansi_path.find_first_of("?*") != std::string::npos) return false;
  const std::wstring path = wide_of_ansi(ansi_path);
  const std::size_t root = root_length(path);
  std::wstring folder = path.substr(0, root);
  std::size_t at = root;
  while (at < path.size()) {
    std::size_t end = at;
    while (end < path.size() && !is_separator(path[end])) ++end;
    const std::wstring name = path.substr(at, end - at);
    at = end + 1;
    if (name.empty() || name == L"." || name == L"..") {
      folder += name + L"\\";
      continue;
    }
    std::wstring real;
    switch (find_entry(folder, name, &real)) {
      case Found::Lossy:
        return false;
      case Found::None:
        return true;  // nothing on disk is misnamed by it
      case Found::Exact:
        folder += real + L"\\";
        break;
    }
  }
  return true;
}

}  // namespace orvanth::win32
