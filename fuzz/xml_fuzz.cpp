// Fuzz target for XML text given as bytes: every input must load or fail with
// a CVxException through both byte entry points of the document,
//   LoadXml(const char*)  the text up to its first NUL, and
//   LoadXmlStream         all the bytes (so also Fast Infoset and compressed
//                         data), with an element filter dropping elements and
//                         the source information kept and looked up, and
//   ReadXmlEvents         the bytes streamed in pieces of seven, which must
//                         fail as LoadXmlStream does unless compressed (the
//                         inflater may then stop later than the parser).
// The process stays in the "C" locale, so every name, value and text goes
// through the conversion to the local code page; the UTF-8 identity path is
// the writer target's.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzTree.h"
#include "vxxml/Exception.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlEventReader.h"

using namespace VxXmlLib10;

namespace {

// Drops the elements whose local name has an even length, at their end.
bool DropEvenNames(CXmlElement* element) { return element->GetLocalName().size() % 2 == 0; }

// Asks the document for the line and the namespaces in scope of every
// element left in the tree.
void LookUpSourceInfo(const CXmlDocument& document) {
  std::vector<const CXmlElement*> stack;
  if (document.GetDocumentElement()) stack.push_back(document.GetDocumentElement());
  while (!stack.empty()) {
    const CXmlElement* e = stack.back();
    stack.pop_back();
    (void)document.GetLineNumber(e);
    (void)document.LookupNamespace(e, "");
    (void)document.LookupNamespace(e, "p");
    for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
      stack.push_back(c);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  // After a failure the partial tree stays; it must be as sound to read.
  CXmlDocument whole;
  try {
    whole.LoadXml(text.c_str());
  } catch (const CVxException&) {
  }
  (void)fuzz::Dump(whole.GetDocumentElement());

  CXmlDocument filtered(DropEvenNames);
  filtered.SetKeepSourceInfo(true);
  std::string failure;
  try {
    filtered.LoadXmlStream(data, static_cast<unsigned long>(size));
  } catch (const CVxException& e) {
    failure = e.GetFullMessage();
  }
  (void)fuzz::Dump(filtered.GetDocumentElement());
  LookUpSourceInfo(filtered);

  std::istringstream in(text);
  CXmlEventHandler ignore;
  std::string streamed;
  try {
    ReadXmlEvents(in, CXmlSerializationContext(), ignore, 7);
  } catch (const CVxException& e) {
    streamed = e.GetFullMessage();
  }
  const bool compressed = size >= 2 && ((data[0] == 0x1F && data[1] == 0x8B) ||
                                        ((data[0] & 0x0F) == 8 && (data[0] >> 4) <= 7 &&
                                         ((data[0] << 8) | data[1]) % 31 == 0));
  if (!compressed && streamed != failure) std::abort();
  return 0;
}

#include "FuzzReplay.h"
