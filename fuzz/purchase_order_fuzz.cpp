// Fuzz target for reading generated classes: the bytes (XML text or Fast
// Infoset, plain or compressed) are read into the purchase-order classes of
// examples/purchase_order. Every input must read or fail with a CVxException.
//
// What reads must also write: the order is written as text and as Fast
// Infoset, each read back, and the text written from either is the first
// text again, or carries the same infoset: a namespace the writer declares
// for an attribute of untyped content stands among the attributes at first
// and, once read back as the element's declaration, before them. A failure
// there aborts with the text written.
//
// The order is read twice, straight from the reader's events and through the
// document tree (BindFromEvents): both must end alike, with the same order
// or the same failure and the same partial order.
//
// An xsi:type whose prefix the input never declares names a type in the
// element's own namespace; the text written declares the context's prefixes,
// which may give that prefix a meaning, so such inputs need not read back.
//
// Inputs of odd length write Fast Infoset with the suggested encodings
// (dates, decimals and integers in the restricted alphabets, numbers and
// binary data by algorithm). The date-and-time alphabet has no '.' or '+',
// so a dateTime such as 2026-12-03T17:05:30.5+01:00 is refused there with
// "Invalid character not found for Restricted Alphabet"; that documented
// refusal is let through.
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzTree.h"
#include "PurchaseOrder.h"

using namespace VxXmlLib10;

namespace {

const CXmlSerializationContext& Context() {
  static const CXmlSerializationContext context = sample::Context();
  return context;
}

// Reads the bytes; the caller's buffer is not the library's to change.
CSmartPtr<po::PurchaseOrderType> Read(const unsigned char* data, size_t size) {
  std::vector<unsigned char> bytes(data, data + size);
  CSmartPtr<po::PurchaseOrderType> order = new po::PurchaseOrderType;
  order->FromXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()), Context());
  return order;
}

std::string Text(const po::PurchaseOrderType& order) {
  const CBinaryData bytes =
      order.ToXmlStream(true, false, XmlEncoding_UTF8, EOLType_LF, Context(), CompressionType_None);
  return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetLength());
}

[[noreturn]] void Fail(const char* what, const std::string& text, const std::string& detail) {
  std::fprintf(stderr, "purchase_order_fuzz: %s\n--- written:\n%s\n--- %s\n", what,
               fuzz::Printable(text).c_str(), fuzz::Printable(detail).c_str());
  std::abort();
}

// The two texts as loaded trees, namespace declarations among the attributes
// in any order, and an xsi:type by the namespace its prefix names: the
// writer picks one of the prefixes declared for a namespace, and reading a
// text back may add another.
bool SameInfoset(const std::string& a, const std::string& b) {
  CXmlDocument one, two;
  one.LoadXml(a.c_str());
  two.LoadXml(b.c_str());
  return fuzz::Dump(one.GetDocumentElement(), &one) == fuzz::Dump(two.GetDocumentElement(), &two);
}

// Whether some element of the input carries an xsi:type whose prefix the
// document does not declare.
bool HasUndeclaredTypePrefix(const unsigned char* data, size_t size) {
  std::vector<unsigned char> bytes(data, data + size);
  CXmlDocument document(Context());
  document.LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()));
  std::vector<const CXmlElement*> stack{document.GetDocumentElement()};
  while (!stack.empty()) {
    const CXmlElement* e = stack.back();
    stack.pop_back();
    const std::string& type = e->GetAttribute("type", "http://www.w3.org/2001/XMLSchema-instance");
    const size_t colon = type.find(':');
    if (colon != std::string::npos &&
        document.LookupNamespaceFromAlias(type.substr(0, colon).c_str()).empty())
      return true;
    for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
      stack.push_back(c);
  }
  return false;
}

// Text written, read back and written again; Fast Infoset written, read back
// and written as text.
void CheckWriting(const po::PurchaseOrderType& order, bool suggested, const unsigned char* data,
                  size_t size) {
  std::string text;
  try {
    text = Text(order);
  } catch (const CVxException& e) {
    Fail("an order that was read cannot be written", "", e.GetFullMessage());
  }
  std::string again;
  try {
    again = Text(*Read(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
  } catch (const CVxException& e) {
    if (HasUndeclaredTypePrefix(data, size)) return;
    Fail("the text written does not read back", text, e.GetFullMessage());
  }
  if (again != text && !SameInfoset(again, text))
    Fail("the text read back is written differently", text, again);
  CXmlSerializationContext context = Context();
  if (suggested) context.GetFIContext().SetSuggestedValues();
  CBinaryData fi;
  try {
    fi = order.ToFastInfosetStream(FInfoDecl_None, context, CompressionType_None);
  } catch (const CVxException& e) {
    if (suggested && e.GetFullMessage().find("not found for Restricted Alphabet") != std::string::npos)
      return;
    Fail("the order cannot be written as Fast Infoset", text, e.GetFullMessage());
  }
  try {
    again = Text(*Read(fi.GetData(), fi.GetLength()));
  } catch (const CVxException& e) {
    if (HasUndeclaredTypePrefix(data, size)) return;
    Fail("the Fast Infoset written does not read back", text, e.GetFullMessage());
  }
  if (again != text && !SameInfoset(again, text))
    Fail("the order read back from Fast Infoset is written differently", text, again);
}

// How a read ends: the failure, if any, and the order as written (or why it
// cannot be). `order` is the order read, null when the read failed.
std::string Outcome(const unsigned char* data, size_t size, bool events,
                    CSmartPtr<po::PurchaseOrderType>* read = nullptr) {
  BindFromEvents(events);
  std::vector<unsigned char> bytes(data, data + size);
  CSmartPtr<po::PurchaseOrderType> order = new po::PurchaseOrderType;
  std::string outcome;
  try {
    order->FromXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()), Context());
    outcome = "read\n";
    if (read) *read = order;
  } catch (const CVxException& e) {
    outcome = "failed: " + e.GetFullMessage() + "\n";
  }
  BindFromEvents(true);
  try {
    return outcome + Text(*order);
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
  CSmartPtr<po::PurchaseOrderType> order;
  const std::string events = Outcome(data, size, true, &order);
  const std::string tree = Outcome(data, size, false);
  if (events != tree) Fail("the events and the tree read differently", events, tree);
  if (order.IsNull()) return 0;
  CheckWriting(*order, size % 2 == 1, data, size);
  return 0;
}

#include "FuzzReplay.h"
