#include "common/atomic_file.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace orvanth {
namespace {

void set_error(std::string* error, const std::string& what, DWORD code) {
  if (error == nullptr) {
    return;
  }
  char text[256] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  *error = what + ": " + text;
}

bool write_all(HANDLE file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1U << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

// A temporary name beside path that no other writer is using: CREATE_NEW
// fails rather than open what is already there.
HANDLE create_temporary(const std::string& path, std::string& temp) {
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    temp = path + "." + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount() + attempt) + ".tmp";
    const HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
      return file;
    }
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

// Windows programs do not see symbolic links in their profile folders, so a
// path is its own end.
std::string resolve_links(const std::string& path) { return path; }

bool replace_file_atomically(const std::string& path, std::string_view bytes,
                             std::uint32_t /*mode*/, LinkRule /*links*/, Flush flush,
                             std::string* error) {
  std::string temp;
  const HANDLE file = create_temporary(path, temp);
  if (file == INVALID_HANDLE_VALUE) {
    set_error(error, "cannot create " + temp, GetLastError());
    return false;
  }
  bool ok = write_all(file, bytes) && (flush == Flush::kLazily || FlushFileBuffers(file));
  DWORD code = GetLastError();
  if (!CloseHandle(file) && ok) {
    ok = false;
    code = GetLastError();
  }
  // MOVEFILE_REPLACE_EXISTING swaps the entry in one step, as rename does.
  if (ok &&
      MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  if (ok) {
    code = GetLastError();
  }
  DeleteFileA(temp.c_str());
  set_error(error, "cannot write " + path, code);
  return false;
}

}  // namespace orvanth
