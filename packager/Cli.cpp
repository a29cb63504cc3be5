#include "Commands.h"

static const char kUsage[] =
    "usage: parcelwright COMMAND [OPTIONS] ...\n"
    "\n"
    "Makes and examines add-on installers: a Setup stub carrying a payload of\n"
    "files in its EXE_DUMP resource.\n"
    "\n"
    "commands:\n"
    "  build    make an installer from files, or from a ready payload block\n"
    "  pack     write the payload block for files, without a stub\n"
    "  list     show the entries of a block or an installer\n"
    "  verify   check a block or an installer\n"
    "  extract  install a block or an installer into a local folder\n"
    "\n"
    "'parcelwright COMMAND --help' tells more. Exit status: 0 done,\n"
    "1 failed, 2 wrong usage.\n";

int Report(FILE* err, const char* command, const std::string& message, int code) {
  fprintf(err, "parcelwright %s: %s\n", command, message.c_str());
  return code;
}

void Warn(FILE* err, const char* command, const std::string& message) {
  fprintf(err, "parcelwright %s: warning: %s\n", command, message.c_str());
}

int RunParcelwright(const std::vector<std::string>& args, FILE* out, FILE* err) {
  if (args.empty()) {
    fputs(kUsage, err);
    return EXIT_USAGE;
  }
  const std::string& command = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") {
    if (command == "help" && !rest.empty()) return RunParcelwright({rest[0], "--help"}, out, err);
    fputs(kUsage, out);
    return EXIT_DONE;
  }
  if (command == "build") return RunBuild(rest, out, err);
  if (command == "pack") return RunPack(rest, out, err);
  if (command == "list") return RunList(rest, out, err);
  if (command == "verify") return RunVerify(rest, out, err);
  if (command == "extract") return RunExtract(rest, out, err);
  fprintf(err, "parcelwright: unknown command \"%s\"\n\n%s", command.c_str(), kUsage);
  return EXIT_USAGE;
}
