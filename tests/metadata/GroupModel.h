// Hand-written classes that keep the generated-code contract for an all
// group and a choice: typed members, static metadata built once under
// CXmlGeneratedClass::m_csInit, a property accessor switching on the
// property id, Init, by-id and by-element factories, enumeration converters.
//
//   Order (element, all group; attribute "ref")
//     id      AllPrimMnd   i4, collapse, 1..999
//     note    AllPrimOpt   string, nillable
//     color   AllEnumMnd   red | green | blue
//     size    AllEnumOpt   S | M | L
//     shipTo  AllClsMnd    Address (element), not required
//     billTo  AllClsOpt    Address (element)
//     extra   AllUntpdOpt  AnyElement, ##other
//     tag     AllPrimCol   StringCol, 0..3
//     (pay)   AllClsMnd    PayGroup (pseudo element, choice; attribute
//                          "currency" on Order's tag), required
//     shape   AllAbsClsOpt Circle | Square (cannot be read in an all group)
//   Address (element, all group): street AllPrimMnd, city AllPrimOpt
//   PayGroup (pseudo element, choice): cash ChoicePrimOpt r8, card ChoicePrimOpt string
//   Pick (element, choice)
//     sku      ChoicePrimOpt   string, maxLength 8
//     shade    ChoiceEnumOpt   red | green | blue, nillable
//     address  ChoiceClsOpt    Address (element)
//     shape    ChoiceAbsClsOpt Circle | Square chosen by xsi:type
//     any      ChoiceUntpdOpt  AnyElement, ##other
//     code     ChoicePrimCol   StringCol, 2..3
//     blob     ChoiceUntpdCol  CElementCol, ##any, 1..2
//     (dims)   ChoiceClsOpt    Dims (pseudo element, all group: w, h AllPrimMnd i4)
//     codes    ChoiceClsOpt    Codes (element, choice of collections only)
//   Codes (element, choice): num ChoicePrimCol 1..2, word ChoicePrimCol 1..2;
//     it may be empty only when reached through an optional member
//   Circle, Square (element, all group; types of the abstract "shape")
#ifndef VXXML_TESTS_METADATA_GROUPMODEL_H
#define VXXML_TESTS_METADATA_GROUPMODEL_H

#include <cstring>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "vxxml/Collection.h"
#include "vxxml/ElementInfoAll.h"
#include "vxxml/ElementInfoChoice.h"
#include "vxxml/Exception.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Streams.h"
#include "vxxml/Untyped.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlTextWriter.h"
#include "vxxml/XmlWriter.h"

#include "TestUtil.h"
#include "core/GeneratedFixtures.h"

namespace group_model {

using namespace VxXmlLib10;
using namespace VxXmlLib10Data;

const char kNs[] = "urn:po";

// ---- what generated code holds its metadata in --------------------------------

struct ClassMeta {
  CParentElementInfo* info = nullptr;
  CElementInfo** elements = nullptr;
  CAttributeInfo** attributes = nullptr;

  // Built once, on first use, under the process-wide lock.
  template <class Build>
  ClassMeta& Get(Build build) {
    std::lock_guard<CVXCriticalSection> lock(CXmlGeneratedClass::m_csInit);
    if (!info) build(*this);
    return *this;
  }
};

inline CPrimitiveRestrictions Facets(const char* minInclusive, const char* maxInclusive,
                                     int maxLength) {
  CPrimitiveRestrictions r;
  if (minInclusive) r.minInclusive = minInclusive;
  if (maxInclusive) r.maxInclusive = maxInclusive;
  r.maxLength = maxLength;
  return r;
}

// A string attribute that reads and writes one text property.
class TextAttr : public CAttributeInfo {
 public:
  TextAttr(const char* name, int id) : CAttributeInfo(name, "", id, true, nullptr) {}
  void AttributeToXml(const CXmlSerializationContext&, const CXmlGeneratedClass* o,
                      CXmlWriter* w) const override {
    VxVariant v;
    ReadProperty(o, v);
    if (v.IsValid()) w->WriteAttributeString(m_attributeName, "", v.GetString(), ItemType_string);
  }
  bool AttributeFromXml(const CXmlSerializationContext& c, CXmlGeneratedClass* o,
                        const CXmlAttribute* a) override {
    if (!IsThisAttribute(c, a)) return false;
    VxVariant v;
    v.SetString(a->GetValue());
    AccessProperty(o, false, v);
    return true;
  }
  void Validate(const CXmlSerializationContext&, bool) const override {}
};

// A collection of strings, one element per item.
class StringCol : public CXmlTypeCollection {
 public:
  StringCol(const char* name, int minOccurs, int maxOccurs)
      : CXmlTypeCollection(ItemType_string, name, kNs, minOccurs, maxOccurs, nullptr, -1, -1,
                           nullptr, nullptr, nullptr, nullptr, -1,
                           CWhitespaceUtils::WhitespaceRule_Preserve, nullptr) {}
  int GetCount() const override { return static_cast<int>(items.size()); }
  void Clear() override { items.clear(); }
  void Remove(int index) override { items.erase(items.begin() + index); }
  void AddFromString(std::string text) override { items.push_back(text); }
  std::vector<std::string> items;

 protected:
  void ToXml_Int(CXmlWriter* w, bool, const char* ns, const CXmlSerializationContext&,
                 bool) const override {
    for (const std::string& s : items) {
      w->WriteStartElement(GetElementName(), ns);
      w->WriteString(s, ItemType_string);
      w->WriteEndElement();
    }
  }
};

// ---- enumerations ---------------------------------------------------------------

inline std::string ColorToText(int v) {
  static const char* const names[] = {"red", "green", "blue"};
  return v >= 0 && v < 3 ? names[v] : "";
}
inline int TextToColor(const char* t) {
  for (int i = 0; i < 3; ++i)
    if (ColorToText(i) == t) return i;
  return -1;
}
inline std::string SizeToText(int v) { return v == 0 ? "S" : v == 1 ? "M" : "L"; }
inline int TextToSize(const char* t) {
  return std::strcmp(t, "S") == 0 ? 0 : std::strcmp(t, "M") == 0 ? 1 : 2;
}

// ---- factories -------------------------------------------------------------------

enum TypeId { kAddressType = 1, kPayGroupType, kDimsType, kCodesType };
CSmartPtr<CXmlObjectBase> CreateById(int typeId, const char* elementName);
CSmartPtr<CXmlObjectBase> CreateShape(CXmlElement* element);

// ---- the classes -----------------------------------------------------------------

// Common part of the classes below: the object is its own base, both
// namespaces are the schema's, and the metadata is what `Self::Build` makes.
template <class Self>
class Generated : public CXmlGeneratedClass {
 public:
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return kNs; }
  std::string GetNamespace() const override { return kNs; }
  CParentElementInfo* GetClassInfo() const override { return Self::Meta().info; }
  CElementInfo** GetClassElementInfo() const override { return Self::Meta().elements; }
  CAttributeInfo** GetClassAttributeInfo() const override { return Self::Meta().attributes; }
  static ClassMeta& Meta() {
    static ClassMeta meta;
    return meta.Get(Self::Build);
  }
};

// A simple member in the schema's namespace: strings kept as written, other
// types collapsed.
template <class Info>
Info* Simple(const char* name, int id, ItemType type, bool nillable = false,
             const CPrimitiveRestrictions& facets = CPrimitiveRestrictions()) {
  return new Info(name, kNs, id, nillable, type, nullptr,
                  type == ItemType_string ? CWhitespaceUtils::WhitespaceRule_Preserve
                                          : CWhitespaceUtils::WhitespaceRule_Collapse,
                  facets);
}

// Metadata of a class in the schema's namespace; `strict` rejects foreign
// attributes.
inline void Describe(ClassMeta& m, XmlElementGroupType group, XmlElementType type,
                     const char* typeName, bool strict,
                     std::initializer_list<CElementInfo*> elements,
                     std::initializer_list<CAttributeInfo*> attributes = {},
                     bool writeType = false) {
  m.elements = vxxml_test::List(elements);
  m.attributes = vxxml_test::List(attributes);
  m.info = new CParentElementInfo(group, type, typeName, kNs, strict, writeType, -1,
                                  ItemType_none, nullptr, false);
}

// Reads or writes an optional simple property held as a variant.
inline void Access(VxVariant& field, bool read, VxVariant& value) {
  if (read)
    value = field;
  else
    field = value;
}

// Reads or writes an object property held as a smart pointer.
template <class T>
void AccessObject(CSmartPtr<T>& field, bool read, VxVariant& value) {
  if (read) {
    if (field.IsNull())
      value.Clear();
    else
      value.SetXmlObject(field.Get());
    return;
  }
  field = value.GetItemType() == ItemType_xmlObject
              ? CSmartPtr<T>(dynamic_cast<T*>(value.GetXmlObject().Get()))
              : CSmartPtr<T>();
}

template <class T>
void AccessCollection(const CSmartPtr<T>& field, bool read, VxVariant& value) {
  if (read) value.SetXmlCollection(field.Get());
}

class Address : public Generated<Address> {
 public:
  enum { kStreet = 1, kCity };
  VxVariant street, city;

  Address() { SetElementName("shipTo"); }
  void AccessProperty(int id, bool read, VxVariant& v) override {
    Access(id == kStreet ? street : city, read, v);
  }
  void Init() override { street.Clear(); city.Clear(); }
  static void Build(ClassMeta& m) {
    Describe(m, XmlElementGroupType_All, XmlElementType_Element, "AddressType", true,
             {Simple<CElementInfoAllPrimMnd>("street", kStreet, ItemType_string),
              Simple<CElementInfoAllPrimOpt>("city", kCity, ItemType_string)});
  }
};

class PayGroup : public Generated<PayGroup> {
 public:
  enum { kCash = 1, kCard, kCurrency };
  VxVariant cash, card, currency;

  void AccessProperty(int id, bool read, VxVariant& v) override {
    Access(id == kCash ? cash : id == kCard ? card : currency, read, v);
  }
  void Init() override { cash.Clear(); card.Clear(); currency.Clear(); }
  // Its attributes share the enclosing tag with the owner's: neither
  // rejects the other's.
  static void Build(ClassMeta& m) {
    Describe(m, XmlElementGroupType_Choice, XmlElementType_PseudoElement, "", false,
             {Simple<CElementInfoChoicePrimOpt>("cash", kCash, ItemType_r8),
              Simple<CElementInfoChoicePrimOpt>("card", kCard, ItemType_string)},
             {new TextAttr("currency", kCurrency)});
  }
};

class Order : public Generated<Order> {
 public:
  enum { kId = 1, kNote, kColor, kSize, kShipTo, kBillTo, kExtra, kTag, kPay, kRef, kShape };
  VxVariant id, note, color, size, ref;
  CSmartPtr<Address> shipTo, billTo;
  CSmartPtr<CElement> extra;
  CSmartPtr<StringCol> tag;
  CSmartPtr<PayGroup> pay;
  CSmartPtr<CXmlObjectBase> shape;

  Order() { SetElementName("order"); Init(); }
  void AccessProperty(int pid, bool read, VxVariant& v) override {
    switch (pid) {
      case kId: return Access(id, read, v);
      case kNote: return Access(note, read, v);
      case kColor: return Access(color, read, v);
      case kSize: return Access(size, read, v);
      case kRef: return Access(ref, read, v);
      case kShipTo: return AccessObject(shipTo, read, v);
      case kBillTo: return AccessObject(billTo, read, v);
      case kExtra: return AccessObject(extra, read, v);
      case kTag: return AccessCollection(tag, read, v);
      case kPay: return AccessObject(pay, read, v);
      case kShape: return AccessObject(shape, read, v);
      default: return;
    }
  }
  // Mandatory objects and collections always exist.
  void Init() override {
    for (VxVariant* p : {&id, &note, &color, &size, &ref}) p->Clear();
    shipTo = new Address();
    billTo = nullptr;
    extra = nullptr;
    tag = new StringCol("tag", 0, 3);
    pay = new PayGroup();
    shape = nullptr;
  }
  static void Build(ClassMeta& m) {
    Describe(m, XmlElementGroupType_All, XmlElementType_Element, "OrderType", false,
             {Simple<CElementInfoAllPrimMnd>("id", kId, ItemType_i4, false, Facets("1", "999", -1)),
              Simple<CElementInfoAllPrimOpt>("note", kNote, ItemType_string, true),
              new CElementInfoAllEnumMnd("color", kNs, kColor, false, ColorToText, TextToColor),
              new CElementInfoAllEnumOpt("size", kNs, kSize, false, SizeToText, TextToSize),
              new CElementInfoAllClsMnd("shipTo", kNs, kShipTo, XmlElementType_Element,
                                        CreateById, kAddressType, false),
              new CElementInfoAllClsOpt("billTo", kNs, kBillTo, XmlElementType_Element,
                                        CreateById, kAddressType),
              new CElementInfoAllUntpdOpt("AnyElement", kNs, kExtra, "##other", kNs),
              new CElementInfoAllPrimCol("tag", kNs, kTag),
              new CElementInfoAllClsMnd("pay", kNs, kPay, XmlElementType_PseudoElement,
                                        CreateById, kPayGroupType, true),
              new CElementInfoAllAbsClsOpt("shape", kNs, kShape, XmlElementType_Element,
                                           CreateShape)},
             {new TextAttr("ref", kRef)});
  }
};

// A type of the abstract "shape": one mandatory integer member.
template <class Self>
class Shape : public Generated<Self> {
 public:
  VxVariant size;
  Shape() { this->SetElementName("shape"); }
  void AccessProperty(int, bool read, VxVariant& v) override { Access(size, read, v); }
  void Init() override { size.Clear(); }
  static void Build(ClassMeta& m) {
    Describe(m, XmlElementGroupType_All, XmlElementType_Element, Self::kType, true,
             {Simple<CElementInfoAllPrimMnd>(Self::kMember, 1, ItemType_i4)}, {}, true);
  }
};
class Circle : public Shape<Circle> {
 public:
  static constexpr const char* kMember = "r";
  static constexpr const char* kType = "Circle";
};
class Square : public Shape<Square> {
 public:
  static constexpr const char* kMember = "side";
  static constexpr const char* kType = "Square";
};

class Dims : public Generated<Dims> {
 public:
  VxVariant w, h;
  void AccessProperty(int id, bool read, VxVariant& v) override {
    Access(id == 1 ? w : h, read, v);
  }
  void Init() override { w.Clear(); h.Clear(); }
  static void Build(ClassMeta& m) {
    Describe(m, XmlElementGroupType_All, XmlElementType_PseudoElement, "", true,
             {Simple<CElementInfoAllPrimMnd>("w", 1, ItemType_i4),
              Simple<CElementInfoAllPrimMnd>("h", 2, ItemType_i4)});
  }
};

class Codes : public Generated<Codes> {
 public:
  CSmartPtr<StringCol> num, word;
  Codes() { SetElementName("codes"); Init(); }
  void AccessProperty(int id, bool read, VxVariant& v) override {
    AccessCollection(id == 1 ? num : word, read, v);
  }
  void Init() override {
    num = new StringCol("num", 1, 2);
    word = new StringCol("word", 1, 2);
  }
  static void Build(ClassMeta& m) {
    Describe(m, XmlElementGroupType_Choice, XmlElementType_Element, "CodesType", true,
             {new CElementInfoChoicePrimCol("num", kNs, 1),
              new CElementInfoChoicePrimCol("word", kNs, 2)});
  }
};

class Pick : public Generated<Pick> {
 public:
  enum { kSku = 1, kShade, kAddressId, kShape, kAny, kCode, kBlob, kDims, kCodesId };
  VxVariant sku, shade;
  CSmartPtr<Address> address;
  CSmartPtr<CXmlObjectBase> shape;
  CSmartPtr<CElement> any;
  CSmartPtr<StringCol> code;
  CSmartPtr<CElementCol> blob;
  CSmartPtr<Dims> dims;
  CSmartPtr<Codes> codes;

  Pick() { SetElementName("pick"); Init(); }
  void AccessProperty(int id, bool read, VxVariant& v) override {
    switch (id) {
      case kSku: return Access(sku, read, v);
      case kShade: return Access(shade, read, v);
      case kAddressId: return AccessObject(address, read, v);
      case kShape: return AccessObject(shape, read, v);
      case kAny: return AccessObject(any, read, v);
      case kCode: return AccessCollection(code, read, v);
      case kBlob: return AccessCollection(blob, read, v);
      case kDims: return AccessObject(dims, read, v);
      case kCodesId: return AccessObject(codes, read, v);
      default: return;
    }
  }
  void Init() override {
    sku.Clear();
    shade.Clear();
    address = nullptr;
    shape = nullptr;
    any = nullptr;
    dims = nullptr;
    codes = nullptr;
    code = new StringCol("code", 2, 3);
    blob = new CElementCol(kNs, "##any", kNs, 1, 2);
  }
  static void Build(ClassMeta& m) {
    Describe(m, XmlElementGroupType_Choice, XmlElementType_Element, "PickType", true,
             {Simple<CElementInfoChoicePrimOpt>("sku", kSku, ItemType_string, false,
                                                Facets(nullptr, nullptr, 8)),
              new CElementInfoChoiceEnumOpt("shade", kNs, kShade, true, ColorToText, TextToColor),
              new CElementInfoChoiceClsOpt("address", kNs, kAddressId, XmlElementType_Element,
                                           CreateById, kAddressType),
              new CElementInfoChoiceAbsClsOpt("shape", kNs, kShape, XmlElementType_Element,
                                              CreateShape),
              new CElementInfoChoiceUntpdOpt("AnyElement", kNs, kAny, "##other", kNs),
              new CElementInfoChoicePrimCol("code", kNs, kCode),
              new CElementInfoChoiceUntpdCol("blob", kNs, kBlob),
              new CElementInfoChoiceClsOpt("dims", kNs, kDims, XmlElementType_PseudoElement,
                                           CreateById, kDimsType),
              new CElementInfoChoiceClsOpt("codes", kNs, kCodesId, XmlElementType_Element,
                                           CreateById, kCodesType)});
  }
};

inline CSmartPtr<CXmlObjectBase> CreateById(int typeId, const char* elementName) {
  CSmartPtr<CXmlObjectBase> object;
  switch (typeId) {
    case kAddressType: object = new Address(); break;
    case kPayGroupType: object = new PayGroup(); break;
    case kDimsType: object = new Dims(); break;
    case kCodesType: object = new Codes(); break;
    default: return object;
  }
  object->SetElementName(elementName);
  return object;
}

// The class an element of the abstract "shape" stands for, by its xsi:type.
inline CSmartPtr<CXmlObjectBase> CreateShape(CXmlElement* element) {
  std::string type = element->GetAttribute("type", "http://www.w3.org/2001/XMLSchema-instance");
  const std::string::size_type colon = type.find(':');
  if (colon != std::string::npos) type.erase(0, colon + 1);
  if (type == "Circle") return CSmartPtr<CXmlObjectBase>(new Circle());
  if (type == "Square") return CSmartPtr<CXmlObjectBase>(new Square());
  return CSmartPtr<CXmlObjectBase>();
}

// ---- writing and messages ----------------------------------------------------------

// A context that writes the schema's namespace as the default namespace.
inline CXmlSerializationContext PoContext() {
  CXmlSerializationContext context;
  context.SetDefaultNamespaceURI(kNs);
  return context;
}

// The object as a document root, indented, LF line ends, no declaration.
inline std::string Write(const CXmlObjectBase* object,
                         const CXmlSerializationContext& context = PoContext()) {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetEOLType(EOLType_LF);
  writer.SetFormat(true);
  writer.Open();
  CXmlObjectBase::ToXml_Int(object, &writer, true, kNs, context, false);
  writer.Close();
  return stream.GetText();
}

// Reads the object from the document element of the text; returns the
// element name of the first child left unread, or "".
inline std::string Read(CXmlObjectBase* object, const std::string& xml,
                        const CXmlSerializationContext& context = PoContext()) {
  CXmlDocument document;
  document.LoadXml(xml.c_str());
  CXmlElement* root = document.GetDocumentElement();
  CXmlElement* left = CXmlObjectBase::FromXml_Int(object, root, root->GetFirstElement(), context);
  return left ? left->GetLocalName() : "";
}

// A parsed document and its children, by position.
struct Doc {
  explicit Doc(const std::string& xml) { doc.LoadXml(xml.c_str()); }
  CXmlElement* Root() const { return doc.GetDocumentElement(); }
  CXmlElement* Child(int n) const {
    CXmlElement* e = Root()->GetFirstElement();
    while (e && n-- > 0) e = e->GetNextSiblingElement();
    return e;
  }
  CXmlDocument doc;
};

using vxtest::Failure;
using vxtest::Named;

}  // namespace group_model

#endif  // VXXML_TESTS_METADATA_GROUPMODEL_H
