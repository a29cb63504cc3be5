#include "PackFiles.h"

#include <ctype.h>

#include "NameRules.h"
#include "PayloadWriter.h"
#include "Platform.h"

bool ParseFileArg(const std::string& argument, FileArg* file, std::string* error) {
  size_t equals = argument.find('=');
  file->source = argument.substr(0, equals);
  file->name = equals == std::string::npos ? std::string() : argument.substr(equals + 1);
  if (file->source.empty()) {
    *error = "\"" + argument + "\": no file before '='";
    return false;
  }
  if (equals != std::string::npos && file->name.empty()) {
    *error = "\"" + argument + "\": no stored name after '='";
    return false;
  }
  return true;
}

// Windows file names ignore case, so names differing only in case collide.
static std::string FoldCase(std::string text) {
  for (char& c : text) c = (char)toupper((unsigned char)c);
  return text;
}

static bool StoredNameOf(const FileArg& file, unsigned codePage, std::string* stored, std::string* error) {
  std::string local = file.name.empty() ? PathBaseName(file.source) : file.name;
  std::string prefix = "file \"" + file.source + "\": stored name \"" + local + "\": ";
  if (file.name.empty() && local.find('\\') != std::string::npos) {
    *error = prefix + "a base name holding '\\' would make folders; give the stored name as PATH=NAME";
    return false;
  }
  std::string culprit;
  NameProblem problem = StoredNameFromLocal(local, codePage, stored, &culprit);
  if (problem == NAME_OK) return true;
  *error = prefix + NameProblemText(problem);
  if (!culprit.empty()) *error += " ('" + culprit + "' in code page " + std::to_string(codePage) + ")";
  return false;
}

bool PackFiles(const std::vector<FileArg>& files, unsigned codePage, Bytes* block,
               std::vector<std::string>* warnings, std::string* error) {
  CPayloadWriter writer;
  std::vector<std::string> folded;
  for (const FileArg& file : files) {
    std::string stored;
    if (!StoredNameOf(file, codePage, &stored, error)) return false;

    uint64_t size = 0;
    std::string reason;
    if (!RegularFileSize(file.source, &size, &reason)) {
      *error = "file \"" + file.source + "\": " + reason;
      return false;
    }
    if (size > kMaxPayloadBytes) {
      *error = "file \"" + file.source + "\": " + std::to_string(size) + " bytes, more than an entry holds (" +
               std::to_string(kMaxPayloadBytes) + ")";
      return false;
    }
    Bytes data;
    if (!ReadFileBytes(file.source, &data, &reason)) {
      *error = "file \"" + file.source + "\": " + reason;
      return false;
    }
    if (!writer.Add(stored, data.data(), data.size())) {
      *error = "file \"" + file.source + "\": the payload would pass " + std::to_string(kMaxPayloadBytes) +
               " bytes, the most a resource holds";
      return false;
    }

    std::string key = FoldCase(stored);
    for (const std::string& earlier : folded) {
      if (earlier == key) {
        warnings->push_back("file \"" + file.source + "\": its stored name is used before (Windows ignores case);"
                            " the installer writes both and the later one wins");
        break;
      }
    }
    folded.push_back(key);
  }
  *block = writer.Block();
  return true;
}
