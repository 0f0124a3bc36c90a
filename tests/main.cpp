// Test entry point. Tests run under a UTF-8 locale, as an application that
// handles Unicode text would set it; tests that need another locale switch
// it themselves and restore it. With --tree-only every input is read through
// the document tree (BindFromEvents(false)): CTest runs the suite both ways.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

#include "vxxml/ObjectBase.h"

int main(int argc, char** argv) {
  if (!std::setlocale(LC_ALL, "C.UTF-8") && !std::setlocale(LC_ALL, "en_US.UTF-8"))
    std::setlocale(LC_ALL, "");
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--tree-only") == 0)
      VxXmlLib10::BindFromEvents(false);
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
