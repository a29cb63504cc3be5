// GoogleTest main for the end-to-end binaries: reads what the build passes.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>

#include "TestConfig.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::string error;
  if (!pw::LoadConfig(argc, argv, &error)) {
    printf("%s\n", error.c_str());
    return 2;
  }
  // The desktop process starts now, from this untraced process, and not
  // later from a traced child whose trace it would flood.
  GetDesktopWindow();
  return RUN_ALL_TESTS();
}
