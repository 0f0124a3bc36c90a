// Hand-written classes that keep the generated-code contract (static
// metadata built once under m_csInit, an indexed property accessor, Init),
// with small test-only element and attribute infos built on the shared
// operations of the metadata base classes.
#ifndef VXXML_TESTS_CORE_GENERATEDFIXTURES_H
#define VXXML_TESTS_CORE_GENERATEDFIXTURES_H

#include <algorithm>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string>

#include "vxxml/Exception.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/Metadata.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Streams.h"
#include "vxxml/Untyped.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlTextWriter.h"

namespace vxxml_test {

using namespace VxXmlLib10;
using namespace VxXmlLib10Data;

// ---- test-only infos --------------------------------------------------------

class PrimInfo : public CElementInfo {
 public:
  using CElementInfo::CElementInfo;
  bool ElementToXml(const CXmlSerializationContext& c, const CXmlGeneratedClass* o,
                    CXmlWriter* w) const override {
    return ElementToXmlPrim(c, o, w);
  }
  bool ElementFromXml(const CXmlSerializationContext&, CXmlGeneratedClass*, CXmlElement*,
                      CXmlElement**, const std::string&, XmlElementType) override {
    return false;
  }
  bool Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*, bool,
                bool) const override {
    return true;
  }
};

// A choice alternative that may be left empty.
class OptionalPrimInfo : public PrimInfo {
 public:
  using PrimInfo::PrimInfo;
  bool IsOptionalChoiceMember(const CXmlGeneratedClass*) const override { return true; }
};

class EnumInfo : public PrimInfo {
 public:
  EnumInfo(const char* name, const char* ns, int id, bool nillable, EnumToTextFunc toText,
           TextToEnumFunc toEnum)
      : PrimInfo(name, ns, id, nillable), m_toEnum(toEnum), m_toText(toText) {}
  bool ElementToXml(const CXmlSerializationContext& c, const CXmlGeneratedClass* o,
                    CXmlWriter* w) const override {
    return ElementToXmlEnum(c, o, w, m_toText);
  }
  TextToEnumFunc m_toEnum;

 private:
  EnumToTextFunc m_toText;
};

class ClsInfo : public PrimInfo {
 public:
  ClsInfo(const char* name, const char* ns, int id, XmlElementType childType,
          bool emptyChoiceAllowed = false)
      : PrimInfo(name, ns, id), m_childType(childType), m_emptyChoiceAllowed(emptyChoiceAllowed) {}
  bool ElementToXml(const CXmlSerializationContext& c, const CXmlGeneratedClass* o,
                    CXmlWriter* w) const override {
    return ElementToXmlCls(c, o, w, m_emptyChoiceAllowed);
  }
  void PseudoChildAttributeToXml(const CXmlSerializationContext& c, const CXmlGeneratedClass* o,
                                 CXmlWriter* w) const override {
    if (m_childType != XmlElementType_PseudoElement) return;
    VxVariant v;
    ReadProperty(o, v);
    if (v.GetItemType() == ItemType_xmlObject && v.GetXmlObject())
      AttributesToXml_Int(v.GetXmlObject(), w, c);
  }

 private:
  XmlElementType m_childType;
  bool m_emptyChoiceAllowed;
};

// A collection member; a choice alternative when `inChoice` is set.
class ColInfo : public PrimInfo {
 public:
  ColInfo(const char* name, const char* ns, int id, bool inChoice)
      : PrimInfo(name, ns, id), m_inChoice(inChoice) {}
  bool ElementToXml(const CXmlSerializationContext& c, const CXmlGeneratedClass* o,
                    CXmlWriter* w) const override {
    return ElementToXmlCol(c, o, w);
  }
  bool IsOptionalChoiceMember(const CXmlGeneratedClass* o) const override {
    return m_inChoice && IsCollectionOptional(o);
  }

 private:
  bool m_inChoice;
};

// A simple attribute: absent optional values write nothing; the facet-free
// text of the value otherwise.
class AttrInfo : public CAttributeInfo {
 public:
  using CAttributeInfo::CAttributeInfo;
  void AttributeToXml(const CXmlSerializationContext&, const CXmlGeneratedClass* o,
                      CXmlWriter* w) const override {
    VxVariant v;
    ReadProperty(o, v);
    if (m_optional && !v.IsValid()) return;
    w->WriteAttributeString(m_attributeName, m_namespaceURI, v.ToString(""), v.GetItemType());
  }
  bool AttributeFromXml(const CXmlSerializationContext&, CXmlGeneratedClass*,
                        const CXmlAttribute*) override {
    return false;
  }
  void Validate(const CXmlSerializationContext&, bool) const override {}
};

// ---- the generated-class pattern ---------------------------------------------

struct Metadata {
  CParentElementInfo* info = nullptr;
  CElementInfo** elements = nullptr;
  CAttributeInfo** attributes = nullptr;
};

// Properties live in a map from property id to value; the derived class
// supplies its element name and `static void Build(Metadata&)`.
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

  void Set(int id, const VxVariant& v) { props[id] = v; }
  void SetString(int id, const char* s) { props[id].SetString(s); }
  void SetI4(int id, long n) { props[id].SetI4(n); }
  void SetNilValue(int id) { props[id].SetNil(); }
  void SetObject(int id, CXmlObjectBase* o) { props[id].SetXmlObject(o); }
  void SetCollection(int id, CXmlCollectionBase* c) { props[id].SetXmlCollection(c); }

  // Built once, on first use, under the process-wide lock.
  static Metadata& Meta() {
    static Metadata meta;
    std::lock_guard<CVXCriticalSection> lock(m_csInit);
    if (!meta.info) Derived::Build(meta);
    return meta;
  }
  static void Clean() {
    Metadata& m = Meta();
    CleanMetaData(m.info, m.elements, m.attributes);
  }
};

// A null-terminated array of infos, as generated code declares them.
template <class T>
T** List(std::initializer_list<T*> items) {
  T** list = new T*[items.size() + 1];
  std::copy(items.begin(), items.end(), list);
  list[items.size()] = nullptr;
  return list;
}

// The class info of a type in `ns` that rejects foreign attributes.
inline CParentElementInfo* ClassInfo(XmlElementGroupType group, const char* typeName,
                                     const char* ns,
                                     XmlElementType type = XmlElementType_Element,
                                     bool writeType = false, int valueId = -1,
                                     ItemType valueType = ItemType_none,
                                     const char* format = nullptr) {
  return new CParentElementInfo(group, type, typeName, ns, true, writeType, valueId, valueType,
                                format, false);
}

// A simple member kept as written, with the given facets.
template <class Info = PrimInfo>
Info* Prim(const char* name, const char* ns, int id, ItemType type,
           const CPrimitiveRestrictions& facets = CPrimitiveRestrictions(), bool nillable = false,
           CWhitespaceUtils::WhitespaceRule ws = CWhitespaceUtils::WhitespaceRule_None) {
  return new Info(name, ns, id, nillable, type, nullptr, ws, facets);
}

// Writes the object as document root with format on and LF line ends.
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
