// The Windows side of the download tests, run under Wine: what Windows
// itself reads from a path or a program file. The answer goes to OUT in
// UTF-8, so that the Linux test reads it whatever the code page.
//   orvanth_package_probe short PATH OUT
//     GetShortPathNameW of PATH
//   orvanth_package_probe resources FILE OUT
//     "NAME value" for each string of FILE's VERSIONINFO, "fixed a.b.c.d",
//     and of its first icon group the image nearest 32 x 32:
//     "icon WIDTH HEIGHT BITS" and "pixels HEX" (RGBA, top row first)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), size, out.data(), n, nullptr, nullptr);
  return out;
}

bool short_path(const wchar_t* path, std::string& out) {
  wchar_t buffer[MAX_PATH * 2];
  const DWORD n = GetShortPathNameW(path, buffer, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) {
    return false;
  }
  out = utf8(std::wstring(buffer, n)) + "\n";
  return true;
}

void version_strings(const wchar_t* file, std::string& out) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
  std::vector<unsigned char> info(size);
  if (size == 0 || !GetFileVersionInfoW(file, 0, size, info.data())) {
    return;
  }
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueW(info.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    char line[64];
    std::snprintf(line, sizeof line, "fixed %u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                  LOWORD(fixed->dwFileVersionLS));
    out += line;
  }
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4) {
    return;
  }
  const auto* translation = static_cast<const WORD*>(value);
  wchar_t block[32];
  swprintf(block, 32, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
  for (const wchar_t* name :
       {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
        L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
    if (VerQueryValueW(info.data(), (std::wstring(block) + name).c_str(), &value, &length) &&
        length > 0) {
      out += utf8(name) + " " + utf8(static_cast<const wchar_t*>(value)) + "\n";
    }
  }
}

BOOL CALLBACK first_name(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  auto* out = reinterpret_cast<std::wstring*>(found);
  *out = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
  return FALSE;
}

const unsigned char* resource(HMODULE module, LPCWSTR name, LPCWSTR type, DWORD& size) {
  HRSRC found = FindResourceW(module, name, type);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  size = found != nullptr ? SizeofResource(module, found) : 0;
  return loaded != nullptr ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
}

void icon(const wchar_t* file, std::string& out) {
  HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    return;
  }
  std::wstring group;
  EnumResourceNamesW(module, RT_GROUP_ICON, first_name, reinterpret_cast<LONG_PTR>(&group));
  DWORD size = 0;
  const unsigned char* directory =
      group.empty() ? nullptr : resource(module, group.c_str(), RT_GROUP_ICON, size);
  const int id = directory != nullptr ? LookupIconIdFromDirectoryEx(const_cast<PBYTE>(directory),
                                                                    TRUE, 32, 32, LR_DEFAULTCOLOR)
                                      : 0;
  const unsigned char* image =
      id != 0 ? resource(module, MAKEINTRESOURCEW(id), RT_ICON, size) : nullptr;
  if (image != nullptr && size >= sizeof(BITMAPINFOHEADER)) {
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image);
    const LONG width = header->biWidth;
    const LONG height = header->biHeight / 2;
    char line[64];
    std::snprintf(line, sizeof line, "icon %ld %ld %u\n", width, height, header->biBitCount);
    out += line;
    const unsigned char* bgra = image + header->biSize;
    if (header->biBitCount == 32 &&
        size >= header->biSize + static_cast<unsigned long>(width * height) * 4) {
      out += "pixels ";
      for (LONG y = height; y-- > 0;) {
        for (LONG x = 0; x < width; ++x) {
          const unsigned char* p = bgra + (y * width + x) * 4;
          char hex[9];
          std::snprintf(hex, sizeof hex, "%02x%02x%02x%02x", p[2], p[1], p[0], p[3]);
          out += hex;
        }
      }
      out += "\n";
    }
  }
  FreeLibrary(module);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: orvanth_package_probe short PATH OUT | resources FILE OUT\n");
    return 2;
  }
  const std::wstring command = argv[1];
  std::string out;
  if (command == L"short") {
    if (!short_path(argv[2], out)) {
      return 1;
    }
  } else if (command == L"resources") {
    version_strings(argv[2], out);
    icon(argv[2], out);
  } else {
    return 2;
  }
  FILE* file = _wfopen(argv[3], L"wb");
  const bool ok = file != nullptr && std::fwrite(out.data(), 1, out.size(), file) == out.size();
  if (file != nullptr && std::fclose(file) != 0) {
    return 1;
  }
  return ok ? 0 : 1;
}
