// The file services on Windows.
#include <windows.h>

#include "saver/forms/files.h"

namespace orvanth::forms {

bool delete_file(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

// Opened as the runtime opens a file for input: shared, so a file another
// program reads or writes still counts; one it holds exclusively (locked)
// does not, and a folder never opens this way.
bool opens_for_reading(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  CloseHandle(file);
  return true;
}

bool path_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace orvanth::forms
