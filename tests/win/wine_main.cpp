// Entry of the Windows test executables: no error dialogs, so that a failing
// test ends instead of waiting for a click.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
