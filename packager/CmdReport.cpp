#include "Args.h"
#include "Commands.h"
#include "Extract.h"
#include "BlockReport.h"
#include "PayloadSource.h"

static const char kSourceHelp[] =
    "FILE is a payload block or an installer: a file starting with \"MZ\" is\n"
    "read as an installer, whose payload is its first EXE_DUMP resource in\n"
    "the order the installer finds it (string names sorted, then ids\n"
    "ascending), in its first language: the neutral one if it has one.\n"
    "\n"
    "  --codepage N            ANSI code page of the stored names (1252)\n"
    "  -h, --help              show this help\n";

static const char kListHelp[] =
    "usage: parcelwright list [--codepage N] FILE\n"
    "\n"
    "Shows the entries of a payload. For an installer a line\n"
    "\"resource: EXE_DUMP NAME, SIZE bytes\" comes first; then \"entries: N\";\n"
    "then one line per entry, fields separated by tabs:\n"
    "  INDEX  WHERE  SIZE  NAME  DESTINATION\n"
    "WHERE is \"host\" or \"OEM\", DESTINATION the path below the host folder\n"
    "the installer writes, taking C:\\Host\\ as the host folder.\n"
    "\n";

static const char kVerifyHelp[] =
    "usage: parcelwright verify [--codepage N] FILE\n"
    "\n"
    "Checks that a payload installs as its names say: every entry lies\n"
    "within the block, no bytes follow the last entry, and every name stays\n"
    "inside the host folder and is one Windows can create. Prints \"ok\" and\n"
    "exits 0, or names each problem and exits 1.\n"
    "\n";

static const char kExtractHelp[] =
    "usage: parcelwright extract [--codepage N] FILE -C DIR\n"
    "\n"
    "Installs the payload into DIR as the installer would into a host folder:\n"
    "names whose full path holds \".prd\" into DIR, the others into the OEM\n"
    "folder in front of their last part, which is made one level deep only.\n"
    "'\\' in names becomes '/'. A payload that is cut short or has a name\n"
    "leaving DIR is refused before anything is written; otherwise entries are\n"
    "written in order up to the first that fails. Prints one line per file\n"
    "written.\n"
    "\n";

struct ReportArgs {
  std::string file;
  std::string folder;
  unsigned codePage;
};

// Shared by list, verify and extract. Returns -1 to go on, else the exit code.
static int ParseReportArgs(const std::vector<std::string>& argv, const char* command, const char* help,
                        bool wantsFolder, ReportArgs* parsed, FILE* out, FILE* err) {
  CArgs args;
  std::string error;
  std::vector<std::string> values = {"--codepage"};
  if (wantsFolder) values.push_back("-C");
  if (!args.Parse(argv, values, {"-h", "--help"}, false, &error)) return Report(err, command, error, EXIT_USAGE);
  if (args.Has("--help") || args.Has("-h")) {
    fprintf(out, "%s%s", help, kSourceHelp);
    return EXIT_DONE;
  }
  if (args.Operands().size() != 1) return Report(err, command, "give exactly one FILE", EXIT_USAGE);
  if (wantsFolder && !args.Has("-C")) return Report(err, command, "no folder given (-C DIR)", EXIT_USAGE);
  parsed->codePage = 1252;
  if (args.Has("--codepage") && !ParseCodePage(args.Value("--codepage"), &parsed->codePage, &error)) {
    return Report(err, command, error, EXIT_USAGE);
  }
  parsed->file = args.Operands()[0].text;
  parsed->folder = args.Value("-C");
  return -1;
}

int RunList(const std::vector<std::string>& argv, FILE* out, FILE* err) {
  ReportArgs parsed;
  int code = ParseReportArgs(argv, "list", kListHelp, false, &parsed, out, err);
  if (code >= 0) return code;
  PayloadSource source;
  std::string error;
  if (!LoadPayloadSource(parsed.file, &source, &error)) return Report(err, "list", error, EXIT_FAILED);

  if (source.fromImage) fprintf(out, "resource: EXE_DUMP %s, %zu bytes\n", source.resource.c_str(), source.size);
  std::vector<ListedEntry> entries;
  PayloadSummary summary;
  PayloadStatus status =
      ListPayload(source.Block(), source.size, LeadByteFnForCodePage(parsed.codePage), &entries, &summary);
  if (status != PAYLOAD_NO_COUNT) fprintf(out, "entries: %u\n", summary.count);
  for (size_t i = 0; i < entries.size(); i++) {
    const ListedEntry& entry = entries[i];
    fprintf(out, "%zu\t%s\t%u\t%s\t%s\n", i, entry.intoOem ? "OEM" : "host", entry.size,
            DisplayName(entry.name, parsed.codePage).c_str(), DisplayName(entry.destination, parsed.codePage).c_str());
  }
  if (status != PAYLOAD_OK) {
    return Report(err, "list", "entry " + std::to_string(summary.failedEntry) + " at offset " +
                                   std::to_string(summary.end) + ": " + PayloadStatusText(status),
                  EXIT_FAILED);
  }
  if (summary.end < source.size) {
    Warn(err, "list", std::to_string(source.size - summary.end) + " bytes trail the last entry");
  }
  return EXIT_DONE;
}

int RunVerify(const std::vector<std::string>& argv, FILE* out, FILE* err) {
  ReportArgs parsed;
  int code = ParseReportArgs(argv, "verify", kVerifyHelp, false, &parsed, out, err);
  if (code >= 0) return code;
  PayloadSource source;
  std::string error;
  if (!LoadPayloadSource(parsed.file, &source, &error)) return Report(err, "verify", error, EXIT_FAILED);

  std::vector<std::string> problems =
      VerifyPayload(source.Block(), source.size, LeadByteFnForCodePage(parsed.codePage), parsed.codePage);
  for (const std::string& problem : problems) Report(err, "verify", parsed.file + ": " + problem, EXIT_FAILED);
  if (!problems.empty()) return EXIT_FAILED;
  PayloadSummary summary;
  PayloadCheck(source.Block(), source.size, &summary);
  fprintf(out, "ok: %u entries, %zu bytes", summary.count, source.size);
  if (source.fromImage) {
    fprintf(out, " in EXE_DUMP %s", source.resource.c_str());
    if (source.resourceNames > 1) fprintf(out, " (the first of %zu EXE_DUMP names)", source.resourceNames);
  }
  fprintf(out, "\n");
  return EXIT_DONE;
}

int RunExtract(const std::vector<std::string>& argv, FILE* out, FILE* err) {
  ReportArgs parsed;
  int code = ParseReportArgs(argv, "extract", kExtractHelp, true, &parsed, out, err);
  if (code >= 0) return code;
  PayloadSource source;
  std::string error;
  if (!LoadPayloadSource(parsed.file, &source, &error)) return Report(err, "extract", error, EXIT_FAILED);

  std::vector<std::string> written;
  bool ok = ExtractPayload(source.Block(), source.size, parsed.folder, parsed.codePage, &written, &error);
  for (const std::string& line : written) fprintf(out, "%s\n", line.c_str());
  return ok ? EXIT_DONE : Report(err, "extract", error, EXIT_FAILED);
}
