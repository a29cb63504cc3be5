#include "Args.h"
#include "Commands.h"
#include "BlockReport.h"
#include "PackFiles.h"
#include "PayloadWriter.h"
#include "PeImage.h"
#include "PeResources.h"
#include "Platform.h"

static const char kFileHelp[] =
    "FILE is PATH, stored under its base name, or PATH=NAME, split at the\n"
    "first '=' and stored as NAME, which may name folders with '\\' (quote it\n"
    "in the shell). --file PATH adds a path that holds '=' as it is. Files\n"
    "are stored in the order given.\n"
    "\n"
    "A stored name is refused when it is empty, absolute, starts with a\n"
    "drive letter, has a '..' part or a ':', holds a character the code page\n"
    "cannot hold or one Windows file names cannot hold (<>\"|?*/ and control\n"
    "characters), has a part ending in '.' or ' ' or named like a device\n"
    "(CON, NUL, COM1, ...), or is longer than 256 bytes. A file larger than\n"
    "4294967295 bytes is refused.\n"
    "\n"
    "The installer writes a name whose full path holds \".prd\" (case\n"
    "matters) into the host folder and any other into the OEM folder in\n"
    "front of its last part: Sub\\Readme.txt goes to Sub\\OEM\\Readme.txt.\n";

static const char kBuildHelp[] =
    "usage: parcelwright build -o OUT.exe [OPTIONS] FILE...\n"
    "       parcelwright build -o OUT.exe [OPTIONS] --payload BLOCK\n"
    "\n"
    "Makes an installer: the Setup stub with the payload as its resource of\n"
    "type EXE_DUMP, language neutral. The stub's other resources are kept; an\n"
    "EXE_DUMP resource of the same name is replaced.\n"
    "\n"
    "  -o OUT.exe              the installer to write\n"
    "  --arch i686|x86_64      the stub to use: Setup.exe (i686, the default)\n"
    "                          or Setup-x64.exe, from parcelwright's own folder\n"
    "  --stub STUB.exe         use this stub; with --arch, its machine must match\n"
    "  --codepage N            ANSI code page of the stored names (1252)\n"
    "  --resource-name ID|NAME the resource's name: digits make an integer id\n"
    "                          (24001), anything else a string name of\n"
    "                          printable ASCII, stored upper-cased\n"
    "  --payload BLOCK         embed this block byte for byte, valid or not;\n"
    "                          warns when it would not install as it is\n"
    "  -h, --help              show this help\n"
    "\n";

static const char kPackHelp[] =
    "usage: parcelwright pack -o BLOCK [--codepage N] FILE...\n"
    "\n"
    "Writes the payload block for the files, without a stub: a 32-bit\n"
    "little-endian count, then per file its name, a 0 byte, its 32-bit size\n"
    "and its contents.\n"
    "\n"
    "  -o BLOCK                the block to write\n"
    "  --codepage N            ANSI code page of the stored names (1252)\n"
    "  -h, --help              show this help\n"
    "\n";

static bool Help(const CArgs& args) { return args.Has("--help") || args.Has("-h"); }

static bool CodePageOption(const CArgs& args, unsigned* codePage, std::string* error) {
  *codePage = 1252;
  return !args.Has("--codepage") || ParseCodePage(args.Value("--codepage"), codePage, error);
}

static int PackOperands(const CArgs& args, unsigned codePage, const char* command, Bytes* block, FILE* err) {
  std::vector<FileArg> files;
  for (const Operand& operand : args.Operands()) {
    FileArg file{operand.text, std::string()};
    std::string error;
    if (!operand.literal && !ParseFileArg(operand.text, &file, &error)) {
      return Report(err, command, error, EXIT_USAGE);
    }
    files.push_back(file);
  }
  std::vector<std::string> warnings;
  std::string error;
  if (!PackFiles(files, codePage, block, &warnings, &error)) return Report(err, command, error, EXIT_FAILED);
  for (const std::string& warning : warnings) Warn(err, command, warning);
  if (files.empty()) Warn(err, command, "no files given: the payload holds no entry");
  return EXIT_DONE;
}

static int WriteOutput(const std::string& path, const Bytes& bytes, const char* command, FILE* err) {
  std::string reason;
  if (!WriteFileBytes(path, bytes.data(), bytes.size(), &reason)) {
    return Report(err, command, "cannot write \"" + path + "\": " + reason, EXIT_FAILED);
  }
  return EXIT_DONE;
}

int RunPack(const std::vector<std::string>& argv, FILE* out, FILE* err) {
  CArgs args;
  std::string error;
  if (!args.Parse(argv, {"-o", "--codepage"}, {"-h", "--help"}, true, &error)) {
    return Report(err, "pack", error, EXIT_USAGE);
  }
  if (Help(args)) {
    fprintf(out, "%s%s", kPackHelp, kFileHelp);
    return EXIT_DONE;
  }
  if (!args.Has("-o")) return Report(err, "pack", "no output given (-o BLOCK)", EXIT_USAGE);
  unsigned codePage;
  if (!CodePageOption(args, &codePage, &error)) return Report(err, "pack", error, EXIT_USAGE);
  Bytes block;
  int code = PackOperands(args, codePage, "pack", &block, err);
  if (code != EXIT_DONE) return code;
  return WriteOutput(args.Value("-o"), block, "pack", err);
}

static int ReadPayloadOption(const std::string& path, unsigned codePage, Bytes* block, FILE* err) {
  uint64_t size;
  std::string reason;
  if (!RegularFileSize(path, &size, &reason) || (size <= kMaxPayloadBytes && !ReadFileBytes(path, block, &reason))) {
    return Report(err, "build", "payload \"" + path + "\": " + reason, EXIT_FAILED);
  }
  if (size > kMaxPayloadBytes) {
    return Report(err, "build", "payload \"" + path + "\" is larger than a resource holds", EXIT_FAILED);
  }
  for (const std::string& problem :
       VerifyPayload(block->data(), block->size(), LeadByteFnForCodePage(codePage), codePage)) {
    Warn(err, "build", "payload \"" + path + "\": " + problem + "; embedded as it is");
  }
  return EXIT_DONE;
}

static int LoadStub(const CArgs& args, Bytes* stub, std::string* stubPath, FILE* err) {
  std::string arch = args.Has("--arch") ? args.Value("--arch") : "i686";
  if (arch != "i686" && arch != "x86_64") {
    return Report(err, "build", "--arch must be i686 or x86_64, not \"" + arch + "\"", EXIT_USAGE);
  }
  if (args.Has("--stub")) {
    *stubPath = args.Value("--stub");
  } else {
    std::string folder = ExecutableDirectory();
    if (folder.empty()) return Report(err, "build", "cannot tell parcelwright's folder; give --stub", EXIT_FAILED);
    *stubPath = folder + (arch == "i686" ? "Setup.exe" : "Setup-x64.exe");
  }
  std::string reason;
  if (!ReadFileBytes(*stubPath, stub, &reason)) {
    return Report(err, "build", "stub \"" + *stubPath + "\": " + reason, EXIT_FAILED);
  }
  PeImage image;
  PeStatus status = PeParse(stub->data(), stub->size(), &image);
  if (status != PE_OK) return Report(err, "build", "stub \"" + *stubPath + "\": " + PeStatusText(status), EXIT_FAILED);
  uint16_t wanted = arch == "i686" ? kPeMachineI386 : kPeMachineAmd64;
  if (args.Has("--arch") && image.machine != wanted) {
    return Report(err, "build", "stub \"" + *stubPath + "\" is not an " + arch + " image", EXIT_FAILED);
  }
  return EXIT_DONE;
}

int RunBuild(const std::vector<std::string>& argv, FILE* out, FILE* err) {
  CArgs args;
  std::string error;
  if (!args.Parse(argv, {"-o", "--arch", "--stub", "--codepage", "--resource-name", "--payload"}, {"-h", "--help"},
                  true, &error)) {
    return Report(err, "build", error, EXIT_USAGE);
  }
  if (Help(args)) {
    fprintf(out, "%s%s", kBuildHelp, kFileHelp);
    return EXIT_DONE;
  }
  if (!args.Has("-o")) return Report(err, "build", "no output given (-o OUT.exe)", EXIT_USAGE);
  if (args.Has("--payload") && !args.Operands().empty()) {
    return Report(err, "build", "give either --payload or files, not both", EXIT_USAGE);
  }
  ResName name = ResId(kDefaultPayloadId);
  if (args.Has("--resource-name") && !ParseResourceName(args.Value("--resource-name"), &name, &error)) {
    return Report(err, "build", error, EXIT_USAGE);
  }
  unsigned codePage;
  if (!CodePageOption(args, &codePage, &error)) return Report(err, "build", error, EXIT_USAGE);

  Bytes stub;
  std::string stubPath;
  int code = LoadStub(args, &stub, &stubPath, err);
  if (code != EXIT_DONE) return code;

  Bytes block;
  code = args.Has("--payload") ? ReadPayloadOption(args.Value("--payload"), codePage, &block, err)
                               : PackOperands(args, codePage, "build", &block, err);
  if (code != EXIT_DONE) return code;

  Bytes image;
  std::vector<std::string> warnings;
  if (!EmbedPayload(stub, name, block, &image, &warnings, &error)) {
    return Report(err, "build", "stub \"" + stubPath + "\": " + error, EXIT_FAILED);
  }
  for (const std::string& warning : warnings) Warn(err, "build", warning);
  return WriteOutput(args.Value("-o"), image, "build", err);
}
