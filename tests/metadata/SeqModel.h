// Hand-written classes that keep the generated-code contract, built on the
// sequence element infos: a purchase order with addresses, items in a
// collection, an enumeration, a tagless group, an abstract payment read
// through xsi:type, a nillable note with a simple body, a typed value
// collection and untyped content. Plus the helpers the reading tests share.
#ifndef VXXML_TESTS_METADATA_SEQMODEL_H
#define VXXML_TESTS_METADATA_SEQMODEL_H

#include <mutex>
#include <string>
#include <typeinfo>
#include <vector>

#include "vxxml/ClassFactory.h"
#include "vxxml/Collection.h"
#include "vxxml/ElementInfoSeq.h"
#include "vxxml/Exception.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/Metadata.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Streams.h"
#include "vxxml/Untyped.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"
#include "vxxml/XmlTextWriter.h"
#include "vxxml/XmlWriter.h"

namespace seqmodel {

using namespace VxXmlLib10;
using namespace VxXmlLib10Data;

const char kPo[] = "urn:po";
const CWhitespaceUtils::WhitespaceRule kNone = CWhitespaceUtils::WhitespaceRule_None;
const CWhitespaceUtils::WhitespaceRule kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;

// ---- helpers ------------------------------------------------------------------

// Runs `f` and returns "<exception class>|<full message>", or "" when nothing
// was thrown.
template <class F>
std::string Failure(F f) {
  try {
    f();
  } catch (const CVxException& e) {
    return std::string(typeid(e).name()) + "|" + e.GetFullMessage();
  }
  return "";
}

template <class E>
std::string Expected(const std::string& full) {
  return std::string(typeid(E).name()) + "|" + full;
}

// Reads a document element into the object, as the reading entry points do.
inline void ReadDocument(CXmlObjectBase* object, CXmlDocument& doc,
                         const CXmlSerializationContext& ctx) {
  CXmlElement* root = doc.GetDocumentElement();
  CXmlObjectBase::FromXml_Int(object, root, root->GetFirstElement(), ctx);
}

inline void ReadText(CXmlObjectBase* object, const std::string& xml,
                     const CXmlSerializationContext& ctx) {
  CXmlDocument doc(ctx);
  doc.LoadXml(xml.c_str());
  ReadDocument(object, doc, ctx);
}

inline void ReadBytes(CXmlObjectBase* object, const unsigned char* bytes, unsigned long length,
                      const CXmlSerializationContext& ctx) {
  CXmlDocument doc(ctx);
  doc.LoadXmlStream(bytes, length);
  ReadDocument(object, doc, ctx);
}

// Writes the object as document root.
inline std::string WriteText(const CXmlObjectBase* object, const CXmlSerializationContext& ctx,
                             bool format = true, EOLType eol = EOLType_LF) {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetEOLType(eol);
  writer.SetFormat(format);
  writer.Open();
  const std::string ns = object->GetTargetNamespace();
  CXmlObjectBase::ToXml_Int(object, &writer, true, ns.c_str(), ctx, false);
  writer.Close();
  return stream.GetText();
}

// ---- the generated-class pattern -----------------------------------------------

struct Metadata {
  CParentElementInfo* info = nullptr;
  CElementInfo** elements = nullptr;
  CAttributeInfo** attributes = nullptr;
};

// Reads or writes one simple property held as a variant; null: no such property.
inline void Access(VxVariant* field, bool read, VxVariant& v) {
  if (!field) return;
  if (read)
    v = *field;
  else
    *field = v;
}

// The metadata half every generated class repeats: built once, on first use,
// under the process-wide lock. The derived class supplies Build, its
// properties (AccessProperty) and Init.
template <class Derived, class Base = CXmlGeneratedClass>
class Generated : public Base {
 public:
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return kPo; }
  std::string GetNamespace() const override { return kPo; }
  CParentElementInfo* GetClassInfo() const override { return Meta().info; }
  CElementInfo** GetClassElementInfo() const override { return Meta().elements; }
  CAttributeInfo** GetClassAttributeInfo() const override { return Meta().attributes; }

  static Metadata& Meta() {
    static Metadata meta;
    std::lock_guard<CVXCriticalSection> lock(CXmlGeneratedClass::m_csInit);
    if (!meta.info) Derived::Build(meta);
    return meta;
  }
};

// A simple attribute (the attribute family is not needed to test elements):
// the value's text, converted with the item type on reading.
class TestAttr : public CAttributeInfo {
 public:
  TestAttr(const char* name, int id, bool optional, ItemType type)
      : CAttributeInfo(name, "", id, optional, nullptr), m_type(type) {}
  void AttributeToXml(const CXmlSerializationContext&, const CXmlGeneratedClass* o,
                      CXmlWriter* w) const override {
    VxVariant v;
    ReadProperty(o, v);
    if (!v.IsValid()) return;
    w->WriteAttributeString(m_attributeName, m_namespaceURI, v.ToString(""), m_type);
  }
  bool AttributeFromXml(const CXmlSerializationContext& c, CXmlGeneratedClass* o,
                        const CXmlAttribute* a) override {
    if (!IsThisAttribute(c, a)) return false;
    VxVariant v;
    v.FromString(a->GetValue(), m_type, CWhitespaceUtils::WhitespaceRule_None);
    AccessProperty(o, false, v);
    return true;
  }
  void Validate(const CXmlSerializationContext&, bool found) const override {
    if (!found && !m_optional) throw CVxValidationException("missing attribute " + m_attributeName);
  }

 private:
  ItemType m_type;
};

inline CParentElementInfo* Parent(XmlElementGroupType group, XmlElementType type,
                                  const char* typeName, bool reject, int valueId = -1,
                                  ItemType valueType = ItemType_none, bool writeType = false) {
  return new CParentElementInfo(group, type, typeName, kPo, reject, writeType, valueId, valueType,
                                nullptr, false);
}

inline CPrimitiveRestrictions NoFacets() { return CPrimitiveRestrictions(); }

// ---- the classes ------------------------------------------------------------------

class USAddress : public Generated<USAddress> {
 public:
  enum { kName = 1, kStreet, kCity, kZip, kCountry };
  VxVariant name, street, city, zip, country;

  void AccessProperty(int id, bool read, VxVariant& v) override {
    VxVariant* p = id == kName     ? &name
                   : id == kStreet ? &street
                   : id == kCity   ? &city
                   : id == kZip    ? &zip
                   : id == kCountry ? &country
                                    : nullptr;
    Access(p, read, v);
  }
  void Init() override { name = street = city = zip = country = VxVariant(); }

  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[5]{
        new CElementInfoSeqPrimMnd("name", kPo, kName, false, ItemType_string, nullptr, kNone,
                                   NoFacets()),
        new CElementInfoSeqPrimMnd("street", kPo, kStreet, false, ItemType_string, nullptr,
                                   kNone, NoFacets()),
        new CElementInfoSeqPrimMnd("city", kPo, kCity, false, ItemType_string, nullptr, kNone,
                                   NoFacets()),
        new CElementInfoSeqPrimMnd("zip", kPo, kZip, false, ItemType_decimal, nullptr,
                                   kCollapse, NoFacets()),
        nullptr};
    m.attributes = new CAttributeInfo*[2]{new TestAttr("country", kCountry, true, ItemType_string),
                                          nullptr};
    m.info = Parent(XmlElementGroupType_Sequence, XmlElementType_Element, "USAddress", true);
  }
};

class Item : public Generated<Item> {
 public:
  enum { kProductName = 1, kQuantity, kPrice, kComment, kShipDate, kPartNum };
  VxVariant productName, quantity, price, comment, shipDate, partNum;

  Item() { SetElementName("item"); }
  void AccessProperty(int id, bool read, VxVariant& v) override {
    VxVariant* p = id == kProductName ? &productName
                   : id == kQuantity  ? &quantity
                   : id == kPrice     ? &price
                   : id == kComment   ? &comment
                   : id == kShipDate  ? &shipDate
                   : id == kPartNum   ? &partNum
                                      : nullptr;
    Access(p, read, v);
  }
  void Init() override { productName = quantity = price = comment = shipDate = partNum = VxVariant(); }

  static void Build(Metadata& m) {
    CPrimitiveRestrictions below100;
    below100.maxExclusive = "100";
    m.elements = new CElementInfo*[6]{
        new CElementInfoSeqPrimMnd("productName", kPo, kProductName, false, ItemType_string,
                                   nullptr, kNone, NoFacets()),
        new CElementInfoSeqPrimMnd("quantity", kPo, kQuantity, false, ItemType_i4, nullptr,
                                   kCollapse, below100),
        new CElementInfoSeqPrimMnd("USPrice", kPo, kPrice, false, ItemType_decimal, nullptr,
                                   kCollapse, NoFacets()),
        new CElementInfoSeqPrimOpt("comment", kPo, kComment, false, ItemType_string, nullptr,
                                   kNone, NoFacets()),
        new CElementInfoSeqPrimOpt("shipDate", kPo, kShipDate, false, ItemType_date, nullptr,
                                   kCollapse, NoFacets()),
        nullptr};
    m.attributes = new CAttributeInfo*[2]{
        new TestAttr("partNum", kPartNum, false, ItemType_string), nullptr};
    m.info = Parent(XmlElementGroupType_Sequence, XmlElementType_Element, "ItemType", true);
  }
};

// The collection a generated class derives for its own items: the run of
// <item> elements, each read by a new Item.
class ItemCol : public CXmlCollection {
 public:
  ItemCol(int minOccurs, int maxOccurs) : CXmlCollection("item", kPo, minOccurs, maxOccurs) {}
  CXmlObjectBase* GetBase() override { return this; }

 protected:
  void ToXml_Int(CXmlWriter* writer, bool, const char* ns, const CXmlSerializationContext& ctx,
                 bool) const override {
    for (Node* n = GetFirstNode(); n; n = n->GetNext())
      CXmlObjectBase::ToXml_Int(n->GetItem(), writer, false, ns, ctx, false);
  }
  CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* current, const CXmlSerializationContext& ctx,
                           bool) override {
    while (current && DoesElementNameMatch(ctx, current, "item", kPo)) {
      CSmartPtr<Item> item = new Item;
      CXmlObjectBase::FromXml_Int(item, current, current->GetFirstElement(), ctx);
      AppendItem(item);
      current = current->GetNextSiblingElement();
    }
    return current;
  }
};

class Items : public Generated<Items> {
 public:
  enum { kItem = 1 };
  CSmartPtr<ItemCol> item = new ItemCol(0, -1);

  Items() { SetElementName("items"); }
  void AccessProperty(int id, bool read, VxVariant& v) override {
    if (id == kItem && read) v.SetXmlCollection(item);
  }
  void Init() override { item->Clear(); }

  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[2]{
        new CElementInfoSeqClsCol("item", kPo, kItem, XmlElementType_Element), nullptr};
    m.attributes = new CAttributeInfo*[1]{nullptr};
    m.info = Parent(XmlElementGroupType_Sequence, XmlElementType_Element, "Items", true);
  }
};

// A tagless group: <note> and <rating> go into the enclosing element, and the
// lang attribute onto its start tag.
class Extra : public Generated<Extra> {
 public:
  enum { kNote = 1, kRating, kLang };
  VxVariant note, rating, lang;

  void AccessProperty(int id, bool read, VxVariant& v) override {
    Access(id == kNote ? &note : id == kRating ? &rating : id == kLang ? &lang : nullptr, read, v);
  }
  void Init() override { note = rating = lang = VxVariant(); }

  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[3]{
        new CElementInfoSeqPrimMnd("note", kPo, kNote, false, ItemType_string, nullptr, kNone,
                                   NoFacets()),
        new CElementInfoSeqPrimOpt("rating", kPo, kRating, false, ItemType_i4, nullptr,
                                   kCollapse, NoFacets()),
        nullptr};
    m.attributes = new CAttributeInfo*[2]{new TestAttr("lang", kLang, true, ItemType_string),
                                          nullptr};
    m.info = Parent(XmlElementGroupType_Sequence, XmlElementType_PseudoElement, "", false);
  }
};

// A nillable element with a simple body and an attribute.
class Note : public Generated<Note>, public INillable {
 public:
  enum { kText = 1, kAuthor };
  VxVariant text, author;
  bool nil = false;

  bool IsNil() const override { return nil; }
  void SetNil(bool value) override { nil = value; }
  void AccessProperty(int id, bool read, VxVariant& v) override {
    Access(id == kText ? &text : id == kAuthor ? &author : nullptr, read, v);
  }
  void Init() override {
    text = author = VxVariant();
    nil = false;
  }

  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[1]{nullptr};
    m.attributes = new CAttributeInfo*[2]{new TestAttr("author", kAuthor, true, ItemType_string),
                                          nullptr};
    m.info = Parent(XmlElementGroupType_Sequence, XmlElementType_Element, "NoteType", true, kText,
                    ItemType_string);
  }
};

// An abstract payment and its two derived types, told apart by xsi:type.
class Payment : public CXmlGeneratedClass {};

class Card : public Generated<Card, Payment> {
 public:
  enum { kNumber = 1 };
  VxVariant number;
  void AccessProperty(int id, bool read, VxVariant& v) override {
    Access(id == kNumber ? &number : nullptr, read, v);
  }
  void Init() override { number = VxVariant(); }
  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[2]{
        new CElementInfoSeqPrimMnd("number", kPo, kNumber, false, ItemType_string, nullptr,
                                   kNone, NoFacets()),
        nullptr};
    m.attributes = new CAttributeInfo*[1]{nullptr};
    m.info = Parent(XmlElementGroupType_Sequence, XmlElementType_Element, "CardType", true, -1,
                    ItemType_none, true);
  }
};

class Cash : public Generated<Cash, Payment> {
 public:
  enum { kAmount = 1 };
  VxVariant amount;
  void AccessProperty(int id, bool read, VxVariant& v) override {
    Access(id == kAmount ? &amount : nullptr, read, v);
  }
  void Init() override { amount = VxVariant(); }
  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[2]{
        new CElementInfoSeqPrimMnd("amount", kPo, kAmount, false, ItemType_decimal, nullptr,
                                   kCollapse, NoFacets()),
        nullptr};
    m.attributes = new CAttributeInfo*[1]{nullptr};
    m.info = Parent(XmlElementGroupType_Sequence, XmlElementType_Element, "CashType", true, -1,
                    ItemType_none, true);
  }
};

// The by-element factory of the payment member: the class the xsi:type names.
inline CSmartPtr<CXmlObjectBase> PaymentFactory(CXmlElement* element) {
  const std::string type = CClassfactoryBase::GetElementType(element);
  if (CClassfactoryBase::GetElementTypeNamespaceUri(element) != kPo) return nullptr;
  if (type == "CardType") return CSmartPtr<CXmlObjectBase>(new Card);
  if (type == "CashType") return CSmartPtr<CXmlObjectBase>(new Cash);
  return nullptr;
}

// A collection of strings (the typed collections are built elsewhere).
class StringCol : public CXmlTypeCollection {
 public:
  StringCol(const char* name, int minOccurs, int maxOccurs)
      : CXmlTypeCollection(ItemType_string, name, kPo, minOccurs, maxOccurs, nullptr, -1, -1,
                           nullptr, nullptr, nullptr, nullptr, -1, kNone, nullptr) {}
  CXmlObjectBase* GetBase() override { return this; }
  std::vector<std::string> values;
  int GetCount() const override { return static_cast<int>(values.size()); }
  void Clear() override { values.clear(); }
  void Remove(int index) override { values.erase(values.begin() + index); }
  void AddFromString(std::string text) override { values.push_back(text); }

 protected:
  void ToXml_Int(CXmlWriter* w, bool, const char* ns, const CXmlSerializationContext&,
                 bool) const override {
    for (const std::string& v : values) {
      w->WriteStartElement(GetElementName(), ns);
      w->WriteString(v, ItemType_string);
      w->WriteEndElement();
    }
  }
};

enum Status { Status_Pending = 0, Status_Shipped = 1 };
inline std::string StatusText(int v) { return v == Status_Shipped ? "shipped" : "pending"; }
inline int StatusValue(const char* t) { return std::string(t) == "shipped" ? 1 : 0; }

// Factory by id, as generated code has one per schema.
CSmartPtr<CXmlObjectBase> Factory(int typeId, const char* elementName);

class PurchaseOrder : public Generated<PurchaseOrder> {
 public:
  enum {
    kShipTo = 1, kBillTo, kComment, kItems, kStatus, kExtra, kPayment, kRemark, kGift, kTag,
    kAny, kOrderDate
  };
  CSmartPtr<USAddress> shipTo, billTo;
  CSmartPtr<Items> items;
  CSmartPtr<CXmlObjectBase> extra, payment, remark, any;
  VxVariant comment, status, gift, orderDate;
  CSmartPtr<StringCol> tag = new StringCol("tag", 0, 3);

  PurchaseOrder() {
    SetElementName("purchaseOrder");
    Init();
  }
  void AccessProperty(int id, bool read, VxVariant& v) override {
    CSmartPtr<CXmlObjectBase>* object = nullptr;
    VxVariant* value = nullptr;
    switch (id) {
      case kShipTo:
        if (read) v.SetXmlObject(shipTo); else shipTo = dynamic_cast<USAddress*>(v.GetXmlObject().Get());
        return;
      case kBillTo:
        if (read) v.SetXmlObject(billTo); else billTo = dynamic_cast<USAddress*>(v.GetXmlObject().Get());
        return;
      case kItems:
        if (read) v.SetXmlObject(items); else items = dynamic_cast<Items*>(v.GetXmlObject().Get());
        return;
      case kTag:
        if (read) v.SetXmlCollection(tag);
        return;
      case kExtra: object = &extra; break;
      case kPayment: object = &payment; break;
      case kRemark: object = &remark; break;
      case kAny: object = &any; break;
      case kComment: value = &comment; break;
      case kStatus: value = &status; break;
      case kGift: value = &gift; break;
      case kOrderDate: value = &orderDate; break;
      default: return;
    }
    if (object) {
      if (read) {
        if (!object->IsNull()) v.SetXmlObject(*object); else v.Clear();
      } else {
        *object = v.GetItemType() == ItemType_xmlObject ? v.GetXmlObject() : nullptr;
      }
      return;
    }
    Access(value, read, v);
  }
  // Mandatory members start as empty objects; optional ones absent.
  void Init() override {
    shipTo = new USAddress;
    shipTo->SetElementName("shipTo");
    billTo = new USAddress;
    billTo->SetElementName("billTo");
    items = new Items;
    tag->Clear();
    extra = payment = remark = any = nullptr;
    comment = status = gift = orderDate = VxVariant();
  }

  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[12]{
        new CElementInfoSeqClsMnd("shipTo", kPo, kShipTo, XmlElementType_Element, Factory, 1,
                                  false),
        new CElementInfoSeqClsMnd("billTo", kPo, kBillTo, XmlElementType_Element, Factory, 1,
                                  false),
        new CElementInfoSeqPrimOpt("comment", kPo, kComment, false, ItemType_string, nullptr,
                                   kNone, NoFacets()),
        new CElementInfoSeqClsMnd("items", kPo, kItems, XmlElementType_Element, Factory, 2,
                                  false),
        new CElementInfoSeqEnumOpt("status", kPo, kStatus, false, StatusText, StatusValue),
        new CElementInfoSeqClsOpt("extra", kPo, kExtra, XmlElementType_PseudoElement, Factory, 3),
        new CElementInfoSeqAbsClsOpt("payment", kPo, kPayment, XmlElementType_Element,
                                     PaymentFactory),
        new CElementInfoSeqClsOpt("remark", kPo, kRemark, XmlElementType_Element, Factory, 4),
        new CElementInfoSeqPrimOpt("giftWrap", kPo, kGift, true, ItemType_boolean, nullptr,
                                   kCollapse, NoFacets()),
        new CElementInfoSeqPrimCol("tag", kPo, kTag),
        new CElementInfoSeqUntpdOpt("AnyElement", "", kAny, "##other", kPo),
        nullptr};
    m.attributes = new CAttributeInfo*[2]{
        new TestAttr("orderDate", kOrderDate, true, ItemType_date), nullptr};
    m.info = Parent(XmlElementGroupType_Sequence, XmlElementType_Element, "PurchaseOrderType",
                    false);
  }
};

inline CSmartPtr<CXmlObjectBase> Factory(int typeId, const char* elementName) {
  CSmartPtr<CXmlObjectBase> object;
  switch (typeId) {
    case 1: object = new USAddress; break;
    case 2: object = new Items; break;
    case 3: object = new Extra; break;
    case 4: object = new Note; break;
    default: return object;
  }
  object->SetElementName(elementName);
  return object;
}

}  // namespace seqmodel

#endif  // VXXML_TESTS_METADATA_SEQMODEL_H
