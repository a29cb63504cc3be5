#include "HostFolder.h"

#include "Files.h"
#include "TestConfig.h"

namespace pw {

namespace {

const char kHostExe[] = "KorvApp.exe";
const char kDataFile[] = "KorvApp.dat";

void AddKey(std::string* text, const char* name, const std::optional<int>& value) {
  if (value) *text += std::string(name) + "=" + std::to_string(*value) + "\r\n";
}

}  // namespace

std::string DataFileText(const Markers& markers) {
  std::string text = "[VERSION]\r\n";
  AddKey(&text, "VersionInfo", markers.versionInfo);
  AddKey(&text, "SLXInfo", markers.slxInfo);
  AddKey(&text, "OemKVSF", markers.oemKvsf);
  return text;
}

Status HostFolder::Create() const { return MakeDirectories(dir_); }

Status HostFolder::AddFakeHost() const { return CopyOneFile(Config().fakeHost, PathOf(kHostExe)); }

Status HostFolder::AddFolderNamedHostExe() const { return MakeDirectories(PathOf(kHostExe)); }

Status HostFolder::WriteDataFile(const Markers& markers) const {
  return WriteWholeFile(PathOf(kDataFile), DataFileText(markers));
}

}  // namespace pw
