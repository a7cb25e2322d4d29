// A named mutex of this session: made and found in one call, and gone with
// the process, however it ends.
#include <windows.h>

#include "saver/forms/run_lock.h"

namespace orvanth::forms {

bool claim_run_lock() {
  // The handle is kept open: the lock lasts as long as the program.
  const HANDLE mutex = CreateMutexA(nullptr, FALSE, "Local\\Orvanth.Run");
  if (mutex == nullptr) {
    return GetLastError() != ERROR_ACCESS_DENIED;
  }
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

bool run_lock_held() {
  const HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Local\\Orvanth.Run");
  if (mutex == nullptr) {
    return false;
  }
  CloseHandle(mutex);
  return true;
}

}  // namespace orvanth::forms
