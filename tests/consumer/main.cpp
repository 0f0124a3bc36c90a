// A minimal application built against the installed library.
#include <vxxml/vxxml.h>

#include <cstdio>

int main() {
  using namespace VxXmlLib10;
  try {
    throw CVxInvalidValueException("inner");
  } catch (const CVxException& e) {
    CVxValidationException outer("outer", e);
    if (outer.GetFullMessage() != "outer\ninner") return 1;
  }
  std::puts("consumer ok");
  return 0;
}
