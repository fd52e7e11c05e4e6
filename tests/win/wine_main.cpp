// Entry of the Windows test executables: no error dialogs, so that a failing
// test ends instead of waiting for a click; child actions for tests that need a
// process of their own.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/test_support.h"

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  if (run_child_action_if_asked(argc, argv)) return 0;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
