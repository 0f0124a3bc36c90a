// Test entry point. Tests run under a UTF-8 locale, as an application that
// handles Unicode text would set it; tests that need another locale switch
// it themselves and restore it.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
  if (!std::setlocale(LC_ALL, "C.UTF-8") && !std::setlocale(LC_ALL, "en_US.UTF-8"))
    std::setlocale(LC_ALL, "");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
