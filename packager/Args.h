// Options and operands of one subcommand. Options may come anywhere;
// "--" ends them. "--opt=value" and "--opt value" are the same.
#pragma once
#include <string>
#include <vector>

struct Operand {
  std::string text;
  bool literal;  // given with --file: no NAME part to split off
};

class CArgs {
 public:
  // valueOptions take a value; flags do not. "--file" is always accepted
  // where allowLiteralFiles is set. False, with a message, on an unknown
  // option, a missing value, or an option given twice.
  bool Parse(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
             const std::vector<std::string>& flags, bool allowLiteralFiles, std::string* error);

  bool Has(const std::string& option) const;
  std::string Value(const std::string& option) const;
  const std::vector<Operand>& Operands() const { return m_operands; }

 private:
  std::vector<std::pair<std::string, std::string>> m_options;
  std::vector<Operand> m_operands;
};

// A decimal code page number the conversion functions know.
bool ParseCodePage(const std::string& text, unsigned* codePage, std::string* error);
