// What the classes written by the schema compiler (vxxml-gen) are built on.
// Each generated class is a CGeneratedClass: it lists its element and
// attribute infos once, on first use, and maps its property ids to plain
// members with the Access... helpers below, so the generated source is the
// schema and nothing else:
//
//   class Item : public CGeneratedClass<Item, kNamespace> {
//    public:
//     std::string productName;
//     std::optional<CDateTime> shipDate;
//     void AccessProperty(int id, bool read, VxVariant& value) override {
//       switch (id) {
//         case 1: return AccessValue<ItemType_string>(productName, read, value);
//         case 2: return AccessValue<ItemType_date>(shipDate, read, value);
//       }
//     }
//     static void AddElementInfos(std::vector<VxXmlLib10Data::CElementInfo*>& infos);
//     static void AddAttributeInfos(std::vector<VxXmlLib10Data::CAttributeInfo*>& infos);
//     static VxXmlLib10Data::CParentElementInfo* NewClassInfo();
//     ...
//   };
//
// A class derived from another generated class (a schema type derived by
// extension or restriction) passes that class as `Base`; its infos start with
// the base's and its property ids continue after them.
#ifndef VXXML_GENERATEDCODE_H
#define VXXML_GENERATEDCODE_H

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "vxxml/BigInteger.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Collection.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"
#include "vxxml/Export.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/ItemType.h"
#include "vxxml/Metadata.h"
#include "vxxml/Restrictions.h"
#include "vxxml/Variant.h"
#include "vxxml/Whitespace.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {

/// The metadata tables of one generated class: its own info and the two
/// null-terminated arrays the class writer and reader walk.
struct VXXML_API CGeneratedMetadata {
  VxXmlLib10Data::CParentElementInfo* info = nullptr;
  VxXmlLib10Data::CElementInfo** elements = nullptr;
  VxXmlLib10Data::CAttributeInfo** attributes = nullptr;

  /// Takes the infos over into null-terminated arrays.
  static CGeneratedMetadata Make(VxXmlLib10Data::CParentElementInfo* info,
                                 const std::vector<VxXmlLib10Data::CElementInfo*>& elements,
                                 const std::vector<VxXmlLib10Data::CAttributeInfo*>& attributes);
};

/// What every generated object keeps besides its members: the class of the
/// member that holds it (so that xsi:type is written exactly when the object
/// is of another class than the member declares) and the namespace
/// declarations of the element it was read from (so that they are made
/// where the document made them, and prefixed names in values stay bound).
class CGeneratedObject {
 public:
  /// Set by the holder as it writes the object (null: a document element).
  void SetDeclaredClass(const std::type_info* declared) const { m_declared = declared; }
  /// (prefix, URI) pairs made on the object's start tag when written.
  std::vector<std::pair<std::string, std::string>>& GetNamespaceDeclarations() {
    return m_declarations;
  }

 protected:
  ~CGeneratedObject() = default;
  mutable const std::type_info* m_declared = nullptr;
  std::vector<std::pair<std::string, std::string>> m_declarations;
};

namespace detail {
// The first generated class of a hierarchy carries CGeneratedObject, the
// classes derived from it share it.
template <class Base, bool = std::is_base_of<CGeneratedObject, Base>::value>
class CGeneratedBase : public Base, public CGeneratedObject {
 public:
  using Base::Base;
};
template <class Base>
class CGeneratedBase<Base, true> : public Base {
 public:
  using Base::Base;
};

VXXML_API void WriteGeneratedDeclarations(
    CXmlWriter* writer, const std::vector<std::pair<std::string, std::string>>& declarations);
}  // namespace detail

/// The base of a generated class. `Self` supplies the static functions
/// AddElementInfos, AddAttributeInfos and NewClassInfo; they run once, on
/// first use, under CXmlGeneratedClass::m_csInit. `Namespace` is the schema's
/// target namespace (a character array with linkage).
template <class Self, const char* Namespace, class Base = CXmlGeneratedClass>
class CGeneratedClass : public detail::CGeneratedBase<Base> {
 public:
  using detail::CGeneratedBase<Base>::CGeneratedBase;
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return Namespace; }
  std::string GetNamespace() const override { return Namespace; }
  VxXmlLib10Data::CParentElementInfo* GetClassInfo() const override { return Tables().info; }
  VxXmlLib10Data::CElementInfo** GetClassElementInfo() const override {
    return Tables().elements;
  }
  VxXmlLib10Data::CAttributeInfo** GetClassAttributeInfo() const override {
    return Tables().attributes;
  }

 protected:
  static const CGeneratedMetadata& Tables() {
    static const CGeneratedMetadata tables = [] {
      std::lock_guard<CVXCriticalSection> lock(CXmlGeneratedClass::m_csInit);
      std::vector<VxXmlLib10Data::CElementInfo*> elements;
      std::vector<VxXmlLib10Data::CAttributeInfo*> attributes;
      Self::AddElementInfos(elements);
      Self::AddAttributeInfos(attributes);
      return CGeneratedMetadata::Make(Self::NewClassInfo(), elements, attributes);
    }();
    return tables;
  }

  void ToXml_Int(CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,
                 const CXmlSerializationContext& context, bool emptyChoiceAllowed) const override {
    if (!this->m_declarations.empty() &&
        Tables().info->GetElementType() == VxXmlLib10Data::XmlElementType_Element)
      detail::WriteGeneratedDeclarations(writer, this->m_declarations);
    CXmlGeneratedClass::ToXml_Int(writer, isDocumentRoot, namespaceUri, context,
                                  emptyChoiceAllowed);
  }

  void AttributesToXml_Int(CXmlWriter* writer,
                           const CXmlSerializationContext& context) const override {
    if (this->m_declared && *this->m_declared != typeid(*this) &&
        context.GetWriteTypeAttribute()) {
      const VxXmlLib10Data::CParentElementInfo* info = Tables().info;
      writer->WriteAttributeType(info->GetNamespaceURI(), info->GetElementName(),
                                 ItemType_string);
    }
    CXmlGeneratedClass::AttributesToXml_Int(writer, context);
  }

  CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* firstChild,
                           const CXmlSerializationContext& context,
                           bool emptyChoiceAllowed) override {
    this->m_declarations.clear();
    if (element && Tables().info->GetElementType() == VxXmlLib10Data::XmlElementType_Element)
      this->m_declarations = element->GetNamespaceDeclarations();
    return CXmlGeneratedClass::FromXml_Int(element, firstChild, context, emptyChoiceAllowed);
  }
};

// ---- metadata as data ---------------------------------------------------------
//
// Generated classes list their element and attribute infos as constant
// tables of these descriptors; the library builds the infos from them. A
// table costs the compiler what data costs, however many members a class has.

/// The facets of a simple value: null texts and negative lengths are unset.
struct CGeneratedFacets {
  const char* pattern;
  int minLength, maxLength;
  const char* minInclusive;
  const char* maxInclusive;
  const char* minExclusive;
  const char* maxExclusive;
  int length;
};

/// The library's form of the facets.
VXXML_API CPrimitiveRestrictions ToRestrictions(const CGeneratedFacets* facets);

/// One child element: which info family (group x content x cardinality)
/// and the arguments that family takes.
struct CGeneratedElement {
  enum Content : unsigned char { Prim, Enum, Cls, AbsCls, Untpd };
  enum Cardinality : unsigned char { Mnd, Opt, Col };
  VxXmlLib10Data::XmlElementGroupType group;
  Content content;
  Cardinality cardinality;
  const char* name;
  const char* namespaceUri;
  int id;
  bool nillable;                                          // Prim, Enum
  ItemType itemType;                                      // Prim
  CWhitespaceUtils::WhitespaceRule whitespace;            // Prim
  const CGeneratedFacets* facets;                         // Prim (null: none)
  VxXmlLib10Data::EnumToTextFunc toText;                  // Enum
  VxXmlLib10Data::TextToEnumFunc toEnum;                  // Enum
  VxXmlLib10Data::XmlElementType childType;               // Cls, AbsCls
  VxXmlLib10Data::ClassFactoryByIdFunc create;            // Cls
  VxXmlLib10Data::ClassFactoryByElementFunc createFor;    // AbsCls
  bool mustConsume;  // Cls Mnd: a sequence's group must take an element; an all's is required
  const char* wildcard;                                   // Untpd: the namespace rule
  const char* wildcardTarget;                             // Untpd
};

constexpr CGeneratedElement ElementPrim(VxXmlLib10Data::XmlElementGroupType group,
                                        CGeneratedElement::Cardinality cardinality,
                                        const char* name, const char* namespaceUri, int id,
                                        bool nillable, ItemType itemType,
                                        CWhitespaceUtils::WhitespaceRule whitespace,
                                        const CGeneratedFacets* facets) {
  return {group, CGeneratedElement::Prim, cardinality, name, namespaceUri, id, nillable,
          itemType, whitespace, facets, nullptr, nullptr,
          VxXmlLib10Data::XmlElementType_Element, nullptr, nullptr, false, nullptr, nullptr};
}

constexpr CGeneratedElement ElementEnum(VxXmlLib10Data::XmlElementGroupType group,
                                        CGeneratedElement::Cardinality cardinality,
                                        const char* name, const char* namespaceUri, int id,
                                        bool nillable, VxXmlLib10Data::EnumToTextFunc toText,
                                        VxXmlLib10Data::TextToEnumFunc toEnum) {
  return {group, CGeneratedElement::Enum, cardinality, name, namespaceUri, id, nillable,
          ItemType_none, CWhitespaceUtils::WhitespaceRule_None, nullptr, toText, toEnum,
          VxXmlLib10Data::XmlElementType_Element, nullptr, nullptr, false, nullptr, nullptr};
}

constexpr CGeneratedElement ElementCls(VxXmlLib10Data::XmlElementGroupType group,
                                       CGeneratedElement::Cardinality cardinality,
                                       const char* name, const char* namespaceUri, int id,
                                       VxXmlLib10Data::XmlElementType childType,
                                       VxXmlLib10Data::ClassFactoryByIdFunc create,
                                       bool mustConsume) {
  return {group, CGeneratedElement::Cls, cardinality, name, namespaceUri, id, false,
          ItemType_none, CWhitespaceUtils::WhitespaceRule_None, nullptr, nullptr, nullptr,
          childType, create, nullptr, mustConsume, nullptr, nullptr};
}

constexpr CGeneratedElement ElementAbsCls(VxXmlLib10Data::XmlElementGroupType group,
                                          CGeneratedElement::Cardinality cardinality,
                                          const char* name, const char* namespaceUri, int id,
                                          VxXmlLib10Data::XmlElementType childType,
                                          VxXmlLib10Data::ClassFactoryByElementFunc createFor) {
  return {group, CGeneratedElement::AbsCls, cardinality, name, namespaceUri, id, false,
          ItemType_none, CWhitespaceUtils::WhitespaceRule_None, nullptr, nullptr, nullptr,
          childType, nullptr, createFor, false, nullptr, nullptr};
}

constexpr CGeneratedElement ElementUntpd(VxXmlLib10Data::XmlElementGroupType group,
                                         CGeneratedElement::Cardinality cardinality,
                                         const char* name, const char* namespaceUri, int id,
                                         const char* wildcard, const char* wildcardTarget) {
  return {group, CGeneratedElement::Untpd, cardinality, name, namespaceUri, id, false,
          ItemType_none, CWhitespaceUtils::WhitespaceRule_None, nullptr, nullptr, nullptr,
          VxXmlLib10Data::XmlElementType_Element, nullptr, nullptr, false, wildcard,
          wildcardTarget};
}

/// One attribute: a simple value, an enumerated one, or the wildcard.
struct CGeneratedAttribute {
  enum Content : unsigned char { Prim, Enum, Any };
  Content content;
  const char* name;
  const char* namespaceUri;
  int id;
  bool optional;
  ItemType itemType;                            // Prim
  CWhitespaceUtils::WhitespaceRule whitespace;  // Prim
  const CGeneratedFacets* facets;               // Prim (null: none)
  const char* defaultValue;                     // Prim, Enum (null: none)
  VxXmlLib10Data::EnumToTextFunc toText;        // Enum
  VxXmlLib10Data::TextToEnumFunc toEnum;        // Enum
  const char* wildcard;                         // Any: the namespace rule
  const char* wildcardTarget;                   // Any
};

constexpr CGeneratedAttribute AttributePrim(const char* name, const char* namespaceUri, int id,
                                            bool optional, ItemType itemType,
                                            CWhitespaceUtils::WhitespaceRule whitespace,
                                            const CGeneratedFacets* facets,
                                            const char* defaultValue) {
  return {CGeneratedAttribute::Prim, name, namespaceUri, id, optional, itemType, whitespace,
          facets, defaultValue, nullptr, nullptr, nullptr, nullptr};
}

constexpr CGeneratedAttribute AttributeEnum(const char* name, const char* namespaceUri, int id,
                                            bool optional, VxXmlLib10Data::EnumToTextFunc toText,
                                            VxXmlLib10Data::TextToEnumFunc toEnum,
                                            const char* defaultValue) {
  return {CGeneratedAttribute::Enum, name, namespaceUri, id, optional, ItemType_none,
          CWhitespaceUtils::WhitespaceRule_None, nullptr, defaultValue, toText, toEnum,
          nullptr, nullptr};
}

constexpr CGeneratedAttribute AttributeAny(int id, const char* wildcard,
                                           const char* wildcardTarget) {
  return {CGeneratedAttribute::Any, "AnyAttribute", "", id, true, ItemType_none,
          CWhitespaceUtils::WhitespaceRule_None, nullptr, nullptr, nullptr, nullptr, wildcard,
          wildcardTarget};
}

/// Builds the element infos a table describes and appends them.
VXXML_API void AddGeneratedElements(std::vector<VxXmlLib10Data::CElementInfo*>& infos,
                                    const CGeneratedElement* table, std::size_t count);
template <std::size_t N>
void AddGeneratedElements(std::vector<VxXmlLib10Data::CElementInfo*>& infos,
                          const CGeneratedElement (&table)[N]) {
  AddGeneratedElements(infos, table, N);
}

/// Builds the attribute infos a table describes and appends them.
VXXML_API void AddGeneratedAttributes(std::vector<VxXmlLib10Data::CAttributeInfo*>& infos,
                                      const CGeneratedAttribute* table, std::size_t count);
template <std::size_t N>
void AddGeneratedAttributes(std::vector<VxXmlLib10Data::CAttributeInfo*>& infos,
                            const CGeneratedAttribute (&table)[N]) {
  AddGeneratedAttributes(infos, table, N);
}

// ---- simple values ------------------------------------------------------------

/// How a value kind travels in a VxVariant: `Type` is what the variant holds.
/// Lend puts a member's value in a variant that allows lending by reference
/// (the kinds held outside the variant), in any other as Set does.
template <ItemType Kind>
struct CValueKind;

#define VXXML_VALUE_KIND(KIND, TYPE, SETTER, GETTER, LENT)                  \
  template <>                                                               \
  struct CValueKind<KIND> {                                                 \
    using Type = TYPE;                                                      \
    static constexpr bool kHeldOutside = LENT;                              \
    static void Set(VxVariant& value, const Type& v) { value.SETTER(v); }   \
    static Type Get(const VxVariant& value) { return value.GETTER(); }      \
    static void Lend(VxVariant& value, const Type& v) {                     \
      if (LENT && value.m_lendable)                                         \
        value.Lend(KIND, &v);                                               \
      else                                                                  \
        value.SETTER(v);                                                    \
    }                                                                       \
    /* The value a variant of a kind held outside it holds, or null for */ \
    /* none: what Get copies. */                                            \
    static const Type* Held(const VxVariant& value) {                       \
      return static_cast<const Type*>(value.m_value.p);                     \
    }                                                                       \
  };
VXXML_VALUE_KIND(ItemType_hexBinary, CBinaryData, SetHexBinary, GetHexBinary, true)
VXXML_VALUE_KIND(ItemType_base64Binary, CBinaryData, SetBase64Binary, GetBase64Binary, true)
VXXML_VALUE_KIND(ItemType_i1, char, SetI1, GetI1, false)
VXXML_VALUE_KIND(ItemType_i2, short, SetI2, GetI2, false)
VXXML_VALUE_KIND(ItemType_i4, long, SetI4, GetI4, false)
VXXML_VALUE_KIND(ItemType_i8, long long, SetI8, GetI8, false)
VXXML_VALUE_KIND(ItemType_ui1, unsigned char, SetUI1, GetUI1, false)
VXXML_VALUE_KIND(ItemType_ui2, unsigned short, SetUI2, GetUI2, false)
VXXML_VALUE_KIND(ItemType_ui4, unsigned long, SetUI4, GetUI4, false)
VXXML_VALUE_KIND(ItemType_ui8, unsigned long long, SetUI8, GetUI8, false)
VXXML_VALUE_KIND(ItemType_r4, float, SetR4, GetR4, false)
VXXML_VALUE_KIND(ItemType_r8, double, SetR8, GetR8, false)
VXXML_VALUE_KIND(ItemType_duration, CDateTimeSpan, SetDuration, GetDuration, true)
VXXML_VALUE_KIND(ItemType_yearMonth, CDateTime, SetYearMonth, GetYearMonth, true)
VXXML_VALUE_KIND(ItemType_monthDay, CDateTime, SetMonthDay, GetMonthDay, true)
VXXML_VALUE_KIND(ItemType_year, unsigned short, SetYear, GetYear, false)
VXXML_VALUE_KIND(ItemType_month, unsigned char, SetMonth, GetMonth, false)
VXXML_VALUE_KIND(ItemType_day, unsigned char, SetDay, GetDay, false)
VXXML_VALUE_KIND(ItemType_date, CDateTime, SetDate, GetDate, true)
VXXML_VALUE_KIND(ItemType_datetime, CDateTime, SetDateTime, GetDateTime, true)
VXXML_VALUE_KIND(ItemType_time, CDateTime, SetTime, GetTime, true)
VXXML_VALUE_KIND(ItemType_string, std::string, SetString, GetString, true)
VXXML_VALUE_KIND(ItemType_boolean, bool, SetBoolean, GetBoolean, false)
VXXML_VALUE_KIND(ItemType_decimal, CDecimal, SetDecimal, GetDecimal, true)
VXXML_VALUE_KIND(ItemType_integer, CBigInteger, SetInteger, GetInteger, true)
#undef VXXML_VALUE_KIND

namespace detail {
template <ItemType Kind>
struct ValueAccess {
  using Kinds = CValueKind<Kind>;
  template <class T>
  void operator()(VxVariant& value, const T& member) const {
    // A member of the very type the variant holds can be lent; any other
    // (an int member of an i4, say) converts first.
    if constexpr (std::is_same<T, typename Kinds::Type>::value)
      Kinds::Lend(value, member);
    else
      Kinds::Set(value, static_cast<typename Kinds::Type>(member));
  }
  typename Kinds::Type operator()(const VxVariant& value) const { return Kinds::Get(value); }
};

// Enumerations travel as 32-bit integers.
struct EnumAccess {
  template <class E>
  void operator()(VxVariant& value, E member) const {
    value.SetI4(static_cast<long>(member));
  }
  long operator()(const VxVariant& value) const { return value.GetI4(); }
};

// Stores what `take` takes out of the variant in the member. A value held
// outside the variant, of the member's very type, is copied from where it is
// held: no temporary is made and moved.
template <class T, class Take>
void TakeInto(const Take& take, const VxVariant& value, T& member) {
  member = static_cast<T>(take(value));
}
template <ItemType Kind, class T>
void TakeInto(const ValueAccess<Kind>& take, const VxVariant& value, T& member) {
  using Kinds = CValueKind<Kind>;
  if constexpr (Kinds::kHeldOutside && std::is_same<T, typename Kinds::Type>::value) {
    const T* held = Kinds::Held(value);
    if (held)
      member = *held;
    else
      member = T();
  } else {
    member = static_cast<T>(take(value));
  }
}

// The three shapes of a simple member, for any way of putting a value into a
// variant (`put`) and taking it out (`take`): always present; optional (an
// invalid variant stands for "absent"); optional and nillable (`nil` set
// means xsi:nil="true", and no value).
template <class T, class Put, class Take>
void AccessMember(T& member, bool read, VxVariant& value, Put put, Take take) {
  if (read)
    put(value, member);
  else
    TakeInto(take, value, member);
}

template <class T, class Put, class Take>
void AccessMember(std::optional<T>& member, bool read, VxVariant& value, Put put, Take take) {
  if (read) {
    if (member)
      put(value, *member);
    else
      value.Clear();
  } else {
    member.reset();
    if (value.IsValid()) TakeInto(take, value, member.emplace());
  }
}

template <class T, class Put, class Take>
void AccessMember(std::optional<T>& member, bool& nil, bool read, VxVariant& value, Put put,
                  Take take) {
  if (read && nil) return value.SetNil();
  if (!read && (nil = value.IsNil())) return member.reset();
  AccessMember(member, read, value, put, take);
}
}  // namespace detail

/// A simple member: mandatory (T), optional (std::optional<T>), or optional
/// and nillable (std::optional<T> and its nil flag).
template <ItemType Kind, class M>
void AccessValue(M& member, bool read, VxVariant& value) {
  detail::AccessMember(member, read, value, detail::ValueAccess<Kind>(),
                       detail::ValueAccess<Kind>());
}
template <ItemType Kind, class T>
void AccessValue(std::optional<T>& member, bool& nil, bool read, VxVariant& value) {
  detail::AccessMember(member, nil, read, value, detail::ValueAccess<Kind>(),
                       detail::ValueAccess<Kind>());
}

/// Puts a simple member back to the value its type is made with. A string is
/// emptied and the exact numbers are set to zero where they stand (no
/// temporary made, moved and destroyed; a reused object keeps its buffers):
/// Init does this to every member of every object read.
template <class T>
void ResetValue(T& member) {
  member = T();
}
inline void ResetValue(std::string& member) { member.clear(); }
VXXML_API void ResetValue(CDecimal& member);
VXXML_API void ResetValue(CBigInteger& member);

/// An enumerated member, in the same three shapes.
template <class M>
void AccessEnum(M& member, bool read, VxVariant& value) {
  detail::AccessMember(member, read, value, detail::EnumAccess(), detail::EnumAccess());
}
template <class E>
void AccessEnum(std::optional<E>& member, bool& nil, bool read, VxVariant& value) {
  detail::AccessMember(member, nil, read, value, detail::EnumAccess(), detail::EnumAccess());
}

/// Checks a value being stored against its facets (reading checks what it
/// stores; writing checks in the infos). Nil and absent values pass.
VXXML_API void CheckStoredValue(bool read, const VxVariant& value, const char* name,
                                ItemType kind, const CPrimitiveRestrictions& facets);

// ---- objects and collections --------------------------------------------------

/// A member holding a child object (none for an absent optional one).
template <class T>
void AccessObject(CSmartPtr<T>& member, bool read, VxVariant& value) {
  if (read) {
    if (member.IsNull()) return value.Clear();
    if constexpr (std::is_base_of<CGeneratedObject, T>::value)
      member->SetDeclaredClass(&typeid(T));
    value.SetXmlObject(member.Get());
  } else {
    CSmartPtr<CXmlObjectBase> object;
    if (value.GetItemType() == ItemType_xmlObject) object = value.GetXmlObject();
    member = dynamic_cast<T*>(object.Get());
  }
}

/// A member holding a collection, which the member always has.
template <class T>
void AccessCollection(const CSmartPtr<T>& member, bool read, VxVariant& value) {
  if (read) value.SetXmlCollection(member.Get());
}

/// A new object of a generated class under the element name given: the
/// factory the class-valued element infos call.
template <class T>
CSmartPtr<CXmlObjectBase> CreateGenerated(int, const char* elementName) {
  CSmartPtr<CXmlObjectBase> object(detail::FreshObject(), new T);
  object->SetElementName(elementName);
  return object;
}

/// A new object of a generated class under the name of the element met:
/// the factory of a member or root whose type has no substitutes.
template <class T>
CSmartPtr<CXmlObjectBase> CreateForElement(CXmlElement* element) {
  return CreateGenerated<T>(0, element->GetLocalName().c_str());
}

/// One class a document may name with xsi:type.
struct CGeneratedType {
  const char* namespaceUri;
  const char* typeName;
  VxXmlLib10Data::ClassFactoryByIdFunc create;
};

/// The object for an element whose declared type may be substituted: the
/// class its xsi:type names among `types`, or, without xsi:type, `fallback`
/// (null when the declared type is abstract). Null when nothing fits.
VXXML_API CSmartPtr<CXmlObjectBase> CreateByXsiType(
    CXmlElement* element, const CGeneratedType* types, std::size_t count,
    VxXmlLib10Data::ClassFactoryByIdFunc fallback);

/// One global element a document may have as its root.
struct CGeneratedRoot {
  const char* namespaceUri;
  const char* elementName;
  VxXmlLib10Data::ClassFactoryByElementFunc create;
};

/// Reads a document (text or Fast Infoset, compressed or not) into the class
/// of whichever of `roots` its document element is. Fails with
/// "The document element [%s] in the namespace [%s] is not a global element
/// of the schema" (CVxValidationException) when none is.
VXXML_API CSmartPtr<CXmlGeneratedClass> ReadGeneratedDocument(
    const CBinaryData& bytes, const CXmlSerializationContext& context,
    const CGeneratedRoot* roots, std::size_t count);

namespace detail {
/// What a reader that binds from events, with no element at hand, asks a
/// collection of generated objects: the kind of its items, a new item when
/// its class does not depend on the element (null when it does), and a new
/// item for an element standing for the one read (null when no class fits).
class VXXML_API CGeneratedItemSource {
 public:
  virtual VxXmlLib10Data::XmlElementType GetItemElementType() const = 0;
  virtual CSmartPtr<CXmlObjectBase> NewItemWithoutElement() const = 0;
  virtual CSmartPtr<CXmlObjectBase> NewItemFor(CXmlElement* element) const = 0;

 protected:
  ~CGeneratedItemSource() = default;
};
}  // namespace detail

/// A collection of generated objects: the repeated occurrences of one
/// element (`itemType` XmlElementType_Element) or of a tagless group
/// (XmlElementType_PseudoElement). Items are created with `T`'s default
/// constructor, or with `factory` when the element's type may be
/// substituted.
template <class T>
class CGeneratedCollection : public CXmlCollection, public detail::CGeneratedItemSource {
 public:
  CGeneratedCollection(const char* elementName, const char* namespaceUri, int minOccurs,
                       int maxOccurs, VxXmlLib10Data::XmlElementType itemType,
                       VxXmlLib10Data::ClassFactoryByElementFunc factory = nullptr)
      : CXmlCollection(elementName, namespaceUri, minOccurs, maxOccurs),
        m_itemType(itemType),
        m_factory(factory) {}

  CXmlObjectBase* GetBase() override { return this; }

  /// Appends the item (the collection takes a reference) and returns it.
  T* Add(T* item) {
    AppendItem(item);
    return item;
  }
  /// The item at `index`; fails with the collection's index message.
  T* Get(int index) const { return static_cast<T*>(GetNodeAtIndex(index)->GetItem()); }
  T* operator[](int index) const { return Get(index); }

  VxXmlLib10Data::XmlElementType GetItemElementType() const override { return m_itemType; }
  CSmartPtr<CXmlObjectBase> NewItemWithoutElement() const override {
    if (m_factory) return CSmartPtr<CXmlObjectBase>();
    return CSmartPtr<CXmlObjectBase>(detail::FreshObject(), new T);
  }
  CSmartPtr<CXmlObjectBase> NewItemFor(CXmlElement* element) const override {
    if (m_factory) return m_factory(element);
    return CSmartPtr<CXmlObjectBase>(detail::FreshObject(), new T);
  }

 protected:
  void ToXml_Int(CXmlWriter* writer, bool, const char* namespaceUri,
                 const CXmlSerializationContext& context, bool) const override {
    for (Node* node = GetFirstNode(); node; node = node->GetNext()) {
      static_cast<T*>(node->GetItem())->SetDeclaredClass(&typeid(T));
      CXmlObjectBase::ToXml_Int(node->GetItem(), writer, false, namespaceUri, context, false);
    }
  }

  CXmlElement* FromXml_Int(CXmlElement* parent, CXmlElement* current,
                           const CXmlSerializationContext& context, bool) override;

 private:
  VxXmlLib10Data::XmlElementType m_itemType;
  VxXmlLib10Data::ClassFactoryByElementFunc m_factory;
};

/// The reading loop of CGeneratedCollection, shared by every item class:
/// `create` makes a new item for the element at the cursor.
VXXML_API CXmlElement* ReadGeneratedCollection(
    CXmlCollection& collection, CXmlElement* parent, CXmlElement* current,
    const CXmlSerializationContext& context, VxXmlLib10Data::XmlElementType itemType,
    CSmartPtr<CXmlObjectBase> (*create)(CXmlElement* element, void* state), void* state);

template <class T>
CXmlElement* CGeneratedCollection<T>::FromXml_Int(CXmlElement* parent, CXmlElement* current,
                                                  const CXmlSerializationContext& context,
                                                  bool) {
  auto create = [](CXmlElement* element, void* state) -> CSmartPtr<CXmlObjectBase> {
    auto factory = *static_cast<VxXmlLib10Data::ClassFactoryByElementFunc*>(state);
    if (factory) return factory(element);
    return CSmartPtr<CXmlObjectBase>(detail::FreshObject(), new T);
  };
  return ReadGeneratedCollection(*this, parent, current, context, m_itemType, create,
                                 &m_factory);
}

// ---- enumerations -------------------------------------------------------------

/// The text of an enumeration value ("" when out of range).
VXXML_API std::string EnumText(const char* const* texts, int count, int value);
/// The value of an enumeration text, compared after collapsing its
/// whitespace when `collapse` is set. Fails with "Invalid %s value [%s]"
/// (CVxValidationException; the type name, the text).
VXXML_API int EnumValue(const char* const* texts, int count, const char* text,
                        const char* typeName, bool collapse);

}  // namespace VxXmlLib10

#endif  // VXXML_GENERATEDCODE_H
