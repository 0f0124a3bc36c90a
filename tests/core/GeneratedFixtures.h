// A hand-written class that keeps the generated-code contract (static
// metadata built once under m_csInit, an indexed property accessor, Init)
// with its properties in a map, for the tests that need metadata the schema
// compiler does not write.
#ifndef VXXML_TESTS_CORE_GENERATEDFIXTURES_H
#define VXXML_TESTS_CORE_GENERATEDFIXTURES_H

#include <map>
#include <mutex>
#include <string>

#include "vxxml/GeneratedClass.h"
#include "vxxml/Metadata.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Streams.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlTextWriter.h"

namespace vxxml_test {

using namespace VxXmlLib10;
using namespace VxXmlLib10Data;

struct Metadata {
  CParentElementInfo* info = nullptr;
  CElementInfo** elements = nullptr;
  CAttributeInfo** attributes = nullptr;
};

// The derived class supplies its element name and `static void Build(Metadata&)`.
template <class Derived>
class TestClass : public CXmlGeneratedClass {
 public:
  std::map<int, VxVariant> props;

  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return Meta().info->GetNamespaceURI(); }
  std::string GetNamespace() const override { return Meta().info->GetNamespaceURI(); }
  void AccessProperty(int id, bool read, VxVariant& value) override {
    if (!read) {
      props[id] = value;
      return;
    }
    auto it = props.find(id);
    if (it == props.end())
      value.Clear();
    else
      value = it->second;
  }
  CParentElementInfo* GetClassInfo() const override { return Meta().info; }
  CElementInfo** GetClassElementInfo() const override { return Meta().elements; }
  CAttributeInfo** GetClassAttributeInfo() const override { return Meta().attributes; }
  void Init() override { props.clear(); }

  void SetCollection(int id, CXmlCollectionBase* c) { props[id].SetXmlCollection(c); }

  // Built once, on first use, under the process-wide lock.
  static Metadata& Meta() {
    static Metadata meta;
    std::lock_guard<CVXCriticalSection> lock(m_csInit);
    if (!meta.info) Derived::Build(meta);
    return meta;
  }
};

// A sequence with no members that asks for xsi:type: the owner of element infos under test.
class Host : public TestClass<Host> {
 public:
  Host() { SetElementName("r"); }
  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[1]{nullptr};
    m.attributes = new CAttributeInfo*[1]{nullptr};
    m.info = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "Bare",
                                    "urn:po", true, true, -1, ItemType_none, nullptr, false);
  }
};

// Writes the object as document root with LF line ends.
inline std::string WriteRoot(const CXmlObjectBase* object, const CXmlSerializationContext& ctx,
                             bool format = true) {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetEOLType(EOLType_LF);
  writer.SetFormat(format);
  writer.Open();
  const std::string ns = object->GetTargetNamespace();
  CXmlObjectBase::ToXml_Int(object, &writer, true, ns.c_str(), ctx, false);
  writer.Close();
  return stream.GetText();
}

}  // namespace vxxml_test

#endif  // VXXML_TESTS_CORE_GENERATEDFIXTURES_H
