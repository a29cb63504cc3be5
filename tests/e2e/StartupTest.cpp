// Start-up of the real installer: the host check against the registration
// and the host folder, and what the user sees when it fails.
#include <gtest/gtest.h>

#include <optional>

#include "BoxExpectations.h"
#include "HostRegistration.h"
#include "InstallerTest.h"

namespace pw {
namespace {

const char kNotInstalled[] = "Korvelin is not installed in your computer! Please install it and try again.";
const char kNotBusiness[] = "Korvelin Business is not installed in your computer! Please install it and try again.";

enum class Registration {
  None,              // no App Paths key
  KeyOnly,           // the key without a "Path" value
  Empty,             // "Path" = ""
  HostDir,           // the host folder, trailing backslash included
  NoBackslash,       // the host folder without its trailing backslash
  Unterminated260,   // the host folder padded to 260 bytes, no NUL
};

enum class HostExe { File, Folder, Missing };

enum class Outcome { Passes, NotInstalled, NotBusiness };

struct StartupCase {
  const char* name;
  Registration registration;
  HostExe exe;
  std::optional<Markers> dataFile;  // none: no KorvApp.dat
  Outcome outcome;
};

void PrintTo(const StartupCase& c, std::ostream* out) { *out << c.name; }

Markers With(std::optional<int> version, std::optional<int> slx = std::nullopt,
             std::optional<int> oem = std::nullopt) {
  return Markers{version, slx, oem};
}

const StartupCase kCases[] = {
    {"NoRegistration", Registration::None, HostExe::File, With(42), Outcome::NotInstalled},
    {"KeyWithoutPathValue", Registration::KeyOnly, HostExe::File, With(42), Outcome::NotInstalled},
    {"EmptyPath", Registration::Empty, HostExe::File, With(42), Outcome::NotInstalled},
    {"PathWithoutTrailingBackslash", Registration::NoBackslash, HostExe::File, With(42), Outcome::NotInstalled},
    {"PathFilling260BytesWithoutNul", Registration::Unterminated260, HostExe::File, With(42),
     Outcome::NotInstalled},
    {"NoHostExe", Registration::HostDir, HostExe::Missing, With(42), Outcome::NotInstalled},
    {"NoDataFile", Registration::HostDir, HostExe::File, std::nullopt, Outcome::NotBusiness},
    {"VersionInfo41", Registration::HostDir, HostExe::File, With(41), Outcome::NotBusiness},
    {"SlxInfo1", Registration::HostDir, HostExe::File, With(42, 1), Outcome::NotBusiness},
    {"OemKvsf10510", Registration::HostDir, HostExe::File, With(42, std::nullopt, 10510), Outcome::NotBusiness},
    {"VersionInfo42Alone", Registration::HostDir, HostExe::File, With(42), Outcome::Passes},
    {"MarkersNextToTheRejectedValues", Registration::HostDir, HostExe::File, With(42, 2, 10511), Outcome::Passes},
    {"FolderNamedKorvAppExe", Registration::HostDir, HostExe::Folder, With(42), Outcome::Passes},
};

std::string Unterminated260(const std::string& dir) {
  // Starts with the real host folder: only the missing NUL may fail it.
  return dir + std::string(260 - dir.size(), 'x');
}

class StartupTest : public InstallerTest, public ::testing::WithParamInterface<StartupCase> {
 protected:
  void Arrange(const StartupCase& c) {
    Status status = Host().Create();
    if (status.ok() && c.exe == HostExe::File) status = Host().AddFakeHost();
    if (status.ok() && c.exe == HostExe::Folder) status = Host().AddFolderNamedHostExe();
    if (status.ok() && c.dataFile) status = Host().WriteDataFile(*c.dataFile);
    if (status.ok()) status = Register(c.registration);
    ASSERT_TRUE(status.ok()) << status.error();
  }

  Status Register(Registration registration) {
    const std::string& dir = Host().Dir();
    switch (registration) {
      case Registration::None: return RemoveHostRegistration();
      case Registration::KeyOnly: return RegisterHostKeyOnly();
      case Registration::Empty: return RegisterHostPath("");
      case Registration::HostDir: return RegisterHostPath(dir);
      case Registration::NoBackslash: return RegisterHostPath(dir.substr(0, dir.size() - 1));
      case Registration::Unterminated260: return RegisterHostPathBytes(Unterminated260(dir));
    }
    return Fail("unknown registration");
  }
};

TEST_P(StartupTest, ChecksTheHost) {
  const StartupCase& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(Arrange(c));
  Result<Process> installer = StartInstaller("Setup.exe");
  ASSERT_TRUE(installer.ok()) << installer.error();
  switch (c.outcome) {
    case Outcome::Passes: ExpectNoBoxThenExit0(installer.value()); break;
    case Outcome::NotInstalled: ExpectFatalBoxThenExit1(installer.value(), {"Setup", kNotInstalled}); break;
    case Outcome::NotBusiness: ExpectFatalBoxThenExit1(installer.value(), {"Setup", kNotBusiness}); break;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<StartupCase>& info) { return info.param.name; });

// The box ends the program however the user dismisses it.
class DismissTest : public InstallerTest, public ::testing::WithParamInterface<Dismiss> {};

TEST_P(DismissTest, EndsWithExitCode1) {
  Result<Process> installer = StartInstaller("Setup.exe");
  ASSERT_TRUE(installer.ok()) << installer.error();
  ExpectFatalBoxThenExit1(installer.value(), {"Setup", kNotInstalled}, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Ways, DismissTest, ::testing::Values(Dismiss::OkButton, Dismiss::Escape, Dismiss::CloseBox),
                         [](const ::testing::TestParamInfo<Dismiss>& info) { return DismissName(info.param); });

// The caption is the executable's own file name without its extension.
struct RenameCase {
  const char* name;
  const char* fileName;
  const char* caption;
};

void PrintTo(const RenameCase& c, std::ostream* out) { *out << c.fileName; }

const RenameCase kRenames[] = {
    {"Plain", "KorvelinAddOn.exe", "KorvelinAddOn"},
    {"SpacesAndDots", "Add-on Setup 1.2.exe", "Add-on Setup 1.2"},
};

class CaptionTest : public InstallerTest, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(CaptionTest, FollowsTheExecutableName) {
  Result<Process> installer = StartInstaller(GetParam().fileName);
  ASSERT_TRUE(installer.ok()) << installer.error();
  ExpectFatalBoxThenExit1(installer.value(), {GetParam().caption, kNotInstalled});
}

INSTANTIATE_TEST_SUITE_P(Names, CaptionTest, ::testing::ValuesIn(kRenames),
                         [](const ::testing::TestParamInfo<RenameCase>& info) { return info.param.name; });

}  // namespace
}  // namespace pw
