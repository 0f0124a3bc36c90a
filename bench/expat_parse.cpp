// expat's own parse of a file with empty handlers, as a whole process: the
// file read in 64 KB pieces, namespace processing on, the handlers set as the
// library's text reader sets them. scripts/convert-speed.sh times it beside
// `vxxml convert`: no converter built on expat can run faster from text.
//
//   expat_parse FILE    exit status 0 when the document is well-formed
#include <expat.h>

#include <cstdio>

namespace {
void XMLCALL StartElement(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL EndElement(void*, const XML_Char*) {}
void XMLCALL StartNamespace(void*, const XML_Char*, const XML_Char*) {}
void XMLCALL EndNamespace(void*, const XML_Char*) {}
void XMLCALL Text(void*, const XML_Char*, int) {}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: expat_parse FILE\n", stderr);
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "rb");
  if (!file) return 1;
  XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
  XML_SetElementHandler(parser, StartElement, EndElement);
  XML_SetNamespaceDeclHandler(parser, StartNamespace, EndNamespace);
  XML_SetCharacterDataHandler(parser, Text);
  static char piece[1 << 16];
  bool ok = true;
  for (std::size_t n; ok && (n = std::fread(piece, 1, sizeof piece, file)) > 0;)
    ok = XML_Parse(parser, piece, static_cast<int>(n), XML_FALSE) == XML_STATUS_OK;
  ok = ok && XML_Parse(parser, piece, 0, XML_TRUE) == XML_STATUS_OK;
  XML_ParserFree(parser);
  std::fclose(file);
  return ok ? 0 : 1;
}
