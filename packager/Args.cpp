#include "Args.h"

#include <algorithm>

#include "Platform.h"

static bool Listed(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

bool CArgs::Parse(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                  const std::vector<std::string>& flags, bool allowLiteralFiles, std::string* error) {
  m_options.clear();
  m_operands.clear();
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); i++) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      m_operands.push_back(Operand{arg, false});
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = arg, value;
    size_t equals = arg.find('=');
    bool inlineValue = arg.compare(0, 2, "--") == 0 && equals != std::string::npos;
    if (inlineValue) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    }
    bool literalFile = allowLiteralFiles && name == "--file";
    bool takesValue = literalFile || Listed(valueOptions, name);
    if (!takesValue && !Listed(flags, name)) {
      *error = "unknown option " + name;
      return false;
    }
    if (!takesValue && inlineValue) {
      *error = "option " + name + " takes no value";
      return false;
    }
    if (takesValue && !inlineValue) {
      if (i + 1 == args.size()) {
        *error = "option " + name + " needs a value";
        return false;
      }
      value = args[++i];
    }
    if (literalFile) {
      m_operands.push_back(Operand{value, true});
      continue;
    }
    if (Has(name)) {
      *error = "option " + name + " is given twice";
      return false;
    }
    m_options.push_back(std::make_pair(name, value));
  }
  return true;
}

bool CArgs::Has(const std::string& option) const {
  for (const auto& entry : m_options) {
    if (entry.first == option) return true;
  }
  return false;
}

std::string CArgs::Value(const std::string& option) const {
  for (const auto& entry : m_options) {
    if (entry.first == option) return entry.second;
  }
  return std::string();
}

bool ParseCodePage(const std::string& text, unsigned* codePage, std::string* error) {
  unsigned long value = 0;
  bool digits = !text.empty() && text.size() <= 5 && text.find_first_not_of("0123456789") == std::string::npos;
  for (size_t i = 0; digits && i < text.size(); i++) value = value * 10 + (unsigned long)(text[i] - '0');
  if (!digits || value == 0 || value > 65535 || !CodePageSupported((unsigned)value)) {
    *error = "code page \"" + text + "\" is not one this system can convert to";
    return false;
  }
  *codePage = (unsigned)value;
  return true;
}
