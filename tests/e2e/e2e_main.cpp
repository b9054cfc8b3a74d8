// The end-to-end tests' entry. Defined here so the tests link whether or not gtest_main
// is linked too: an archive's main is only taken when none is defined.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!std::getenv("TAVRIN_EXE")) {
    std::fprintf(stderr, "Set TAVRIN_EXE to the path of tavrin.exe.\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
