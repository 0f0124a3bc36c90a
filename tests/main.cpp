// Test entry point. Tests run under a UTF-8 locale, as an application that
// handles Unicode text would set it; tests that need another locale switch
// it themselves and restore it. With VXXML_TEST_TREE_ONLY set in the
// environment, every input is read through the document tree
// (BindFromEvents(false)): CTest runs the suite both ways.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "vxxml/ObjectBase.h"

int main(int argc, char** argv) {
  if (!std::setlocale(LC_ALL, "C.UTF-8") && !std::setlocale(LC_ALL, "en_US.UTF-8"))
    std::setlocale(LC_ALL, "");
  if (std::getenv("VXXML_TEST_TREE_ONLY")) VxXmlLib10::BindFromEvents(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
