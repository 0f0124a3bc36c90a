// The classes generated from tests/metadata/schemas/shapes.xsd, and how the
// metadata and core tests read documents into them and write them back.
#ifndef VXXML_TESTS_METADATA_SHAPES_H
#define VXXML_TESTS_METADATA_SHAPES_H

#include <string>

#include "TestUtil.h"
#include "shapes.h"

namespace shapes_test {

using namespace VxXmlLib10;
using namespace VxXmlLib10Data;

const char kNs[] = "urn:po";

// The start tag <name xmlns="urn:po" xmlns:o="urn:other" xmlns:xsi="..." ...>
// of `root`, "name attributes...", as the writer makes it.
inline std::string Open(const std::string& root) {
  const std::string::size_type space = root.find(' ');
  return "<" + root.substr(0, space) +
         " xmlns='urn:po' xmlns:o='urn:other' "
         "xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'" +
         (space == std::string::npos ? "" : root.substr(space)) + ">";
}

inline std::string Close(const std::string& root) {
  return "</" + root.substr(0, root.find(' ')) + ">";
}

inline std::string Doc(const std::string& root, const std::string& body) {
  return Open(root) + body + Close(root);
}

// Read through the object's own entry point, so that the suite's two runs
// read every document both ways: straight from the events and through the
// tree. A document element of no class here goes to ReadDocument.
inline CSmartPtr<CXmlGeneratedClass> Read(const std::string& xml,
                                          const CXmlSerializationContext& ctx) {
  const CBinaryData bytes(reinterpret_cast<unsigned char*>(const_cast<char*>(xml.data())),
                          static_cast<unsigned long>(xml.size()), false);
  const std::string::size_type start = xml.find('<') + 1;
  const std::string root = xml.substr(start, xml.find_first_of(" />", start) - start);
  CSmartPtr<CXmlGeneratedClass> object;
  if (root == "order") object = new shapes::Order;
  if (root == "pick") object = new shapes::Pick;
  if (root == "wallet") object = new shapes::Wallet;
  if (root == "sale") object = new shapes::Sale;
  if (root == "codes") object = new shapes::Codes;
  if (root == "weight") object = new shapes::Measure;
  if (root == "raw") object = new shapes::Raw;
  if (object.IsNull()) return shapes::ReadDocument(bytes, ctx);
  object->FromXmlStream(bytes, ctx);
  return object;
}

// Written with single quotes, as the documents of the tests are.
inline std::string Write(const CXmlObjectBase& object, const CXmlSerializationContext& ctx,
                         bool format = false) {
  std::string text = object.ToXml(false, format, EOLType_LF, ctx);
  for (char& c : text)
    if (c == '"') c = '\'';
  return text;
}

// Reads Doc(root, body) and writes the object back: "=" when it comes back
// as it was read, else the body written (or the whole text when the tags
// differ), or the failure.
inline std::string Outcome(const std::string& root, const std::string& body,
                           const CXmlSerializationContext& ctx = CXmlSerializationContext()) {
  const std::string doc = Doc(root, body);
  std::string out;
  const std::string failure = vxtest::Failure([&] { out = Write(*Read(doc, ctx), ctx); });
  if (!failure.empty()) return failure;
  if (out == doc) return "=";
  const std::string open = Open(root), close = Close(root);
  if (out.size() < open.size() + close.size() || out.compare(0, open.size(), open) != 0 ||
      out.compare(out.size() - close.size(), close.size(), close) != 0)
    return out;
  return out.substr(open.size(), out.size() - open.size() - close.size());
}

// The named element info of a generated class.
inline CElementInfo* Info(const CXmlGeneratedClass& owner, const std::string& name) {
  for (CElementInfo** info = owner.GetClassElementInfo(); *info; ++info)
    if ((*info)->GetElementName() == name) return *info;
  return nullptr;
}

}  // namespace shapes_test

#endif  // VXXML_TESTS_METADATA_SHAPES_H
