// Fuzz target for document loading (XML text and Fast Infoset, plain or
// compressed): every input must load or fail with a CVxException, and the
// tree it leaves (complete or partial) must be sound to read. The process
// stays in the "C" locale, so names and texts go through the conversion from
// UTF-8 to the local code page. Fast Infoset is read a second time, pulled in
// pieces of 1 to 7 octets through a window as small, and must give the same
// tree or the same message.
//
// Built with libFuzzer (-DVXXML_LIBFUZZER=ON, clang) it is an ordinary
// libFuzzer target:
//   fastinfoset_fuzz -max_total_time=600 CORPUS_DIR fuzz/corpus/fastinfoset
// (scripts/fuzz.sh builds and runs it so.)
// Built without it (the default) it is a program that replays the files and
// directories given as arguments, so a plain build runs the corpus as a
// regression test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzTree.h"
#include "vxxml/Exception.h"
#include "vxxml/FastInfosetReader.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"

using namespace VxXmlLib10;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  CXmlDocument document;
  std::string whole;
  try {
    document.LoadXmlStream(data, size);
  } catch (const CVxException& e) {
    whole = e.GetFullMessage();
  }
  (void)fuzz::Dump(document.GetDocumentElement());

  CXmlDocument streamedDocument;
  CFastInfosetReader reader(CXmlSerializationContext::m_defaultContext.GetFIContext(),
                            streamedDocument);
  const size_t piece = size % 7 + 1;
  size_t at = 0;
  auto pull = [&](unsigned char* buffer, size_t capacity) {
    const size_t n = std::min({capacity, piece, size - at});
    std::memcpy(buffer, data + at, n);
    at += n;
    return n;
  };
  std::string streamed;
  try {
    if (!reader.Parse(pull, piece)) return 0;  // not Fast Infoset
  } catch (const CVxException& e) {
    streamed = e.GetFullMessage();
  }
  // Whatever the streamed reader takes for Fast Infoset (never compressed
  // input), the document read as Fast Infoset too.
  if (streamed != whole ||
      (whole.empty() && fuzz::Dump(streamedDocument.GetDocumentElement()) !=
                            fuzz::Dump(document.GetDocumentElement()))) {
    std::fprintf(stderr, "streamed: [%s]\nwhole: [%s]\n", streamed.c_str(), whole.c_str());
    std::abort();
  }
  return 0;
}

#include "FuzzReplay.h"
