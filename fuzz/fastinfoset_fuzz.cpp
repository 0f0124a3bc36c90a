// Fuzz target for document loading (XML text and Fast Infoset, plain or
// compressed): every input must load or fail with a CVxException, and the
// tree it leaves (complete or partial) must be sound to read. The process
// stays in the "C" locale, so names and texts go through the conversion from
// UTF-8 to the local code page.
//
// Built with libFuzzer (-DVXXML_LIBFUZZER=ON, clang) it is an ordinary
// libFuzzer target:
//   fastinfoset_fuzz -max_total_time=600 CORPUS_DIR fuzz/corpus/fastinfoset
// (scripts/fuzz.sh builds and runs it so.)
// Built without it (the default) it is a program that replays the files and
// directories given as arguments, so a plain build runs the corpus as a
// regression test.
#include <cstddef>
#include <cstdint>

#include "FuzzTree.h"
#include "vxxml/Exception.h"
#include "vxxml/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  VxXmlLib10::CXmlDocument document;
  try {
    document.LoadXmlStream(data, size);
  } catch (const VxXmlLib10::CVxException&) {
  }
  (void)fuzz::Dump(document.GetDocumentElement());
  return 0;
}

#include "FuzzReplay.h"
