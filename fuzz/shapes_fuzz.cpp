// Fuzz target for the event binder against the class reader's walk over a
// document tree: the bytes are read with the generated ReadDocument of the
// test shapes (tests/metadata/schemas/shapes.xsd: every member shape of
// sequences, all groups and choices, tagless groups and runs of them, lists,
// wildcards, xsi:type, xsi:nil), once straight from the reader's events and
// once through the tree. Both must end alike: the same object, written back
// as text, or the same failure. A difference aborts with both outcomes.
// Inputs of odd length are read with the options the binder follows
// (unknown attributes, a missing choice and bad collection counts ignored).
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzTree.h"
#include "shapes.h"

using namespace VxXmlLib10;

namespace {

// How a read ends: the object read, as text (or why it cannot be written),
// or the failure.
std::string Outcome(const unsigned char* data, size_t size, bool events) {
  static const CXmlSerializationContext strict;
  static const CXmlSerializationContext relaxed = [] {
    CXmlSerializationContext c;
    c.SetIgnoreUnknownAttributes(true);
    c.SetIgnoreMissingChoice(true);
    c.SetIgnoreInvalidCollectionCounts(true);
    return c;
  }();
  const CXmlSerializationContext& context = size % 2 ? relaxed : strict;
  BindFromEvents(events);
  // A copy: the caller's buffer is not the library's to change.
  const CBinaryData bytes(const_cast<unsigned char*>(data), static_cast<unsigned long>(size),
                          false);
  std::string outcome;
  CSmartPtr<CXmlGeneratedClass> object;
  try {
    object = shapes::ReadDocument(bytes, context);
    outcome = "read\n";
  } catch (const CVxException& e) {
    outcome = "failed: " + e.GetFullMessage();
  }
  BindFromEvents(true);
  if (object.IsNull()) return outcome;
  try {
    return outcome + object->ToXml(false, false, EOLType_LF, context);
  } catch (const CVxException& e) {
    return outcome + "not written: " + e.GetFullMessage();
  }
}

// Names, values and texts arrive in the local code page: UTF-8 here.
const bool kUtf8Locale = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)kUtf8Locale;
  if (size == 0) return 0;
  const std::string events = Outcome(data, size, true);
  const std::string tree = Outcome(data, size, false);
  if (events != tree) {
    std::fprintf(stderr, "shapes_fuzz: the events and the tree read differently\n"
                         "--- events:\n%s\n--- tree:\n%s\n",
                 fuzz::Printable(events).c_str(), fuzz::Printable(tree).c_str());
    std::abort();
  }
  return 0;
}

#include "FuzzReplay.h"
