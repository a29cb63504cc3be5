#include "Commands.h"
#include "Platform.h"

int main(int argc, char** argv) { return RunParcelwright(CommandLineArgs(argc, argv), stdout, stderr); }
