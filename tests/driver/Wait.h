// Waiting for conditions. The limits are generous on purpose: they only stop
// a test that would otherwise hang; nothing here measures speed.
#pragma once
#include <windows.h>

#include <functional>

namespace pw {

constexpr DWORD kPatienceMs = 20000;
constexpr DWORD kPollMs = 50;

// Polls until the condition holds (true) or the time is up (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kPatienceMs);

}  // namespace pw
