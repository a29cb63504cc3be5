// Lines of Wine's relay trace, as written with WINEDEBUG=+pid,+relay:
//   0110:0114:Call user32.MessageBoxA(00000000,0042224d "text",00421118 "Setup",00050010) ret=0041b5cf
#pragma once
#include <windows.h>

#include <optional>
#include <stdint.h>
#include <string>
#include <vector>

namespace pw {

struct RelayArg {
  uint64_t value = 0;
  bool hasText = false;    // a string argument that was not NULL
  std::string text;        // unescaped
  bool truncated = false;  // Wine cut the string short ("...")
};

struct RelayCall {
  DWORD pid = 0;
  DWORD tid = 0;
  std::string dll;       // "user32"
  std::string function;  // "MessageBoxA"
  std::vector<RelayArg> args;
};

// A "Call" line; nothing for any other line.
std::optional<RelayCall> ParseRelayLine(const std::string& line);

struct MessageBoxCall {
  uint64_t owner = 0;
  std::string text;
  std::string caption;
  uint32_t flags = 0;
};

struct ShellExecuteCall {
  uint64_t owner = 0;
  RelayArg verb, file, parameters, directory;
  int show = 0;
};

std::vector<MessageBoxCall> MessageBoxCalls(const std::vector<RelayCall>& calls);
std::vector<ShellExecuteCall> ShellExecuteCalls(const std::vector<RelayCall>& calls);

}  // namespace pw
