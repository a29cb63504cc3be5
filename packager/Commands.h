// The subcommands. Each returns the process exit code: 0 done, 1 failed,
// 2 wrong usage. Results go to out, messages to err.
#pragma once
#include <stdio.h>

#include <string>
#include <vector>

enum { EXIT_DONE = 0, EXIT_FAILED = 1, EXIT_USAGE = 2 };

int RunParcelwright(const std::vector<std::string>& args, FILE* out, FILE* err);

int RunBuild(const std::vector<std::string>& args, FILE* out, FILE* err);
int RunPack(const std::vector<std::string>& args, FILE* out, FILE* err);
int RunList(const std::vector<std::string>& args, FILE* out, FILE* err);
int RunVerify(const std::vector<std::string>& args, FILE* out, FILE* err);
int RunExtract(const std::vector<std::string>& args, FILE* out, FILE* err);

// "parcelwright CMD: message" on err; returns code.
int Report(FILE* err, const char* command, const std::string& message, int code);
void Warn(FILE* err, const char* command, const std::string& message);
