#include "Wait.h"

namespace pw {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  ULONGLONG start = GetTickCount64();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() - start >= timeoutMs) return false;
    Sleep(kPollMs);
  }
}

}  // namespace pw
