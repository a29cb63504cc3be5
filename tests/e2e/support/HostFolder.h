// A host installation folder made for one case: the fake KorvApp.exe (or a
// folder of that name) and a KorvApp.dat with chosen markers.
#pragma once
#include <optional>
#include <string>

#include "Result.h"

namespace pw {

// The [VERSION] keys of KorvApp.dat; an empty one is left out of the file.
struct Markers {
  std::optional<int> versionInfo;
  std::optional<int> slxInfo;
  std::optional<int> oemKvsf;
};

std::string DataFileText(const Markers& markers);

class HostFolder {
 public:
  HostFolder() = default;
  // dir ends in a backslash.
  explicit HostFolder(std::string dir) : dir_(std::move(dir)) {}

  const std::string& Dir() const { return dir_; }
  std::string PathOf(const std::string& name) const { return dir_ + name; }

  Status Create() const;
  // Copies the fake host (tests/fakehost) in as KorvApp.exe.
  Status AddFakeHost() const;
  // A folder named KorvApp.exe in place of the program.
  Status AddFolderNamedHostExe() const;
  Status WriteDataFile(const Markers& markers) const;

 private:
  std::string dir_;
};

}  // namespace pw
