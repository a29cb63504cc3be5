#include "RelayParse.h"

#include <ctype.h>

namespace pw {

namespace {

class Cursor {
 public:
  explicit Cursor(const std::string& text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Skip() { ++pos_; }

  bool Take(const std::string& literal) {
    if (text_.compare(pos_, literal.size(), literal) != 0) return false;
    pos_ += literal.size();
    return true;
  }

  bool TakeHex(uint64_t* value) {
    size_t start = pos_;
    uint64_t result = 0;
    while (!AtEnd() && isxdigit((unsigned char)Peek())) {
      char c = (char)tolower((unsigned char)Peek());
      result = result * 16 + (uint64_t)(isdigit((unsigned char)c) ? c - '0' : c - 'a' + 10);
      Skip();
    }
    *value = result;
    return pos_ > start;
  }

  bool TakeUntil(char stop, std::string* out) {
    size_t end = text_.find(stop, pos_);
    if (end == std::string::npos) return false;
    *out = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    return true;
  }

 private:
  const std::string& text_;
  size_t pos_ = 0;
};

int HexDigit(char c) {
  if (isdigit((unsigned char)c)) return c - '0';
  c = (char)tolower((unsigned char)c);
  return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

// A quoted string with Wine's escapes: \n \r \t \" \\ \xNN.
bool TakeQuoted(Cursor* in, std::string* out) {
  if (!in->Take("\"")) return false;
  for (;;) {
    if (in->AtEnd()) return false;
    char c = in->Peek();
    in->Skip();
    if (c == '"') return true;
    if (c != '\\') {
      *out += c;
      continue;
    }
    char e = in->Peek();
    in->Skip();
    switch (e) {
      case 'n': *out += '\n'; break;
      case 'r': *out += '\r'; break;
      case 't': *out += '\t'; break;
      case 'x': {
        int high = HexDigit(in->Peek());
        in->Skip();
        int low = HexDigit(in->Peek());
        in->Skip();
        if (high < 0 || low < 0) return false;
        *out += (char)(high * 16 + low);
        break;
      }
      default: *out += e; break;
    }
  }
}

bool TakeArg(Cursor* in, RelayArg* arg) {
  if (!in->TakeHex(&arg->value)) return false;
  if (!in->Take(" ")) return true;
  in->Take("L");
  if (!TakeQuoted(in, &arg->text)) return false;
  arg->hasText = true;
  arg->truncated = in->Take("...");
  return true;
}

}  // namespace

std::optional<RelayCall> ParseRelayLine(const std::string& raw) {
  std::string line = raw;
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  Cursor in(line);
  RelayCall call;
  uint64_t pid = 0, tid = 0;
  if (!in.TakeHex(&pid) || !in.Take(":") || !in.TakeHex(&tid) || !in.Take(":")) return std::nullopt;
  if (!in.Take("Call ")) return std::nullopt;
  std::string name;
  if (!in.TakeUntil('(', &name)) return std::nullopt;
  size_t dot = name.find('.');
  if (dot == std::string::npos) return std::nullopt;
  call.pid = (DWORD)pid;
  call.tid = (DWORD)tid;
  call.dll = name.substr(0, dot);
  call.function = name.substr(dot + 1);
  if (in.Take(")")) return call;
  for (;;) {
    RelayArg arg;
    if (!TakeArg(&in, &arg)) return std::nullopt;
    call.args.push_back(arg);
    if (in.Take(")")) return call;
    if (!in.Take(",")) return std::nullopt;
  }
}

std::vector<MessageBoxCall> MessageBoxCalls(const std::vector<RelayCall>& calls) {
  std::vector<MessageBoxCall> found;
  for (const RelayCall& call : calls) {
    if (call.dll != "user32" || call.function != "MessageBoxA" || call.args.size() != 4) continue;
    MessageBoxCall box;
    box.owner = call.args[0].value;
    box.text = call.args[1].text;
    box.caption = call.args[2].text;
    box.flags = (uint32_t)call.args[3].value;
    found.push_back(box);
  }
  return found;
}

std::vector<ShellExecuteCall> ShellExecuteCalls(const std::vector<RelayCall>& calls) {
  std::vector<ShellExecuteCall> found;
  for (const RelayCall& call : calls) {
    if (call.dll != "shell32" || call.function != "ShellExecuteA" || call.args.size() != 6) continue;
    ShellExecuteCall shell;
    shell.owner = call.args[0].value;
    shell.verb = call.args[1];
    shell.file = call.args[2];
    shell.parameters = call.args[3];
    shell.directory = call.args[4];
    shell.show = (int)call.args[5].value;
    found.push_back(shell);
  }
  return found;
}

}  // namespace pw
