// An application whose classes vxxml_generate made from note.xsd at build time.
#include <cstdio>
#include <string>

#include "note.h"

int main() {
  using namespace VxXmlLib10;
  const std::string xml = "<n:note xmlns:n='urn:note' priority='2'><n:to>Ann</n:to></n:note>";
  CSmartPtr<CXmlGeneratedClass> read = note::ReadDocument(
      CBinaryData(reinterpret_cast<unsigned char*>(const_cast<char*>(xml.data())),
                  static_cast<unsigned long>(xml.size()), false));
  auto* n = dynamic_cast<note::Note*>(read.Get());
  if (!n || n->priority != 2 || n->to->Item(0) != "Ann") return 1;
  std::puts("generated ok");
  return 0;
}
