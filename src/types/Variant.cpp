// The tagged value.
#include "vxxml/Variant.h"

#include <utility>

#include "types/Messages.h"
#include "types/ValueKinds.h"
#include "vxxml/BigInteger.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Collection.h"
#include "vxxml/Conversions.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"

namespace VxXmlLib10 {

using detail::KindOf;
using detail::Storage;

namespace {

template <class T>
T OwnedOrDefault(void* p) {
  return p ? *static_cast<const T*>(p) : T();
}

}  // namespace

VxVariant::VxVariant() : m_nil(false), m_type(ItemType_none) { m_value.ull = 0; }

VxVariant::VxVariant(const VxVariant& other) : VxVariant() { CopyFrom(other); }

VxVariant& VxVariant::operator=(const VxVariant& other) {
  if (this != &other) {
    VxVariant copy(other);  // copy first: `other` may be owned by this value
    Clear();
    m_nil = copy.m_nil;
    m_type = copy.m_type;
    m_value = copy.m_value;
    copy.m_type = ItemType_none;  // ownership moved
    copy.m_value.ull = 0;
  }
  return *this;
}

VxVariant::~VxVariant() { Clear(); }

void VxVariant::CopyFrom(const VxVariant& other) {
  Clear();
  if (static_cast<int>(other.m_type) > ItemType_xmlCollection || static_cast<int>(other.m_type) < 0)
    detail::ThrowVariantUnknownType();
  m_nil = other.m_nil;
  m_type = other.m_type;
  m_value.ull = 0;
  const void* p = other.m_value.p;
  switch (KindOf(other.m_type).storage) {
    case Storage::None: break;
    case Storage::Binary: if (p) m_value.p = new CBinaryData(*static_cast<const CBinaryData*>(p)); break;
    case Storage::Span: if (p) m_value.p = new CDateTimeSpan(*static_cast<const CDateTimeSpan*>(p)); break;
    case Storage::Date: if (p) m_value.p = new CDateTime(*static_cast<const CDateTime*>(p)); break;
    case Storage::String: if (p) m_value.p = new std::string(*static_cast<const std::string*>(p)); break;
    case Storage::Decimal: if (p) m_value.p = new CDecimal(*static_cast<const CDecimal*>(p)); break;
    case Storage::Integer: if (p) m_value.p = new CBigInteger(*static_cast<const CBigInteger*>(p)); break;
    case Storage::Object:
      m_value.p = other.m_value.p;
      if (m_value.p) static_cast<CXmlObjectBase*>(m_value.p)->AddRef();
      break;
    default: m_value = other.m_value; break;  // the scalars
  }
}

void VxVariant::Clear() {
  if (m_type == ItemType_none) return;
  void* p = m_value.p;
  switch (m_lent ? Storage::None : KindOf(m_type).storage) {
    case Storage::Binary: delete static_cast<CBinaryData*>(p); break;
    case Storage::Span: delete static_cast<CDateTimeSpan*>(p); break;
    case Storage::Date: delete static_cast<CDateTime*>(p); break;
    case Storage::String: delete static_cast<std::string*>(p); break;
    case Storage::Decimal: delete static_cast<CDecimal*>(p); break;
    case Storage::Integer: delete static_cast<CBigInteger*>(p); break;
    case Storage::Object:
      if (p) static_cast<CXmlObjectBase*>(p)->Release();
      break;
    default: break;  // nothing owned
  }
  m_nil = false;
  m_lent = false;
  m_value.ull = 0;
  m_type = ItemType_none;
}

void VxVariant::SetNil() {
  const ItemType type = m_type;
  Clear();
  m_nil = true;
  m_type = type;
}

#define VXXML_SET_SCALAR(Name, Arg, member, kind) \
  void VxVariant::Name(Arg value) {               \
    Clear();                                      \
    m_value.ull = 0;                              \
    m_value.member = value;                       \
    m_type = kind;                                \
  }
VXXML_SET_SCALAR(SetI1, char, c, ItemType_i1)
VXXML_SET_SCALAR(SetI2, short, s, ItemType_i2)
VXXML_SET_SCALAR(SetI4, long, l, ItemType_i4)
VXXML_SET_SCALAR(SetI8, long long, ll, ItemType_i8)
VXXML_SET_SCALAR(SetUI1, unsigned char, uc, ItemType_ui1)
VXXML_SET_SCALAR(SetUI2, unsigned short, us, ItemType_ui2)
VXXML_SET_SCALAR(SetUI4, unsigned long, ul, ItemType_ui4)
VXXML_SET_SCALAR(SetUI8, unsigned long long, ull, ItemType_ui8)
VXXML_SET_SCALAR(SetR4, float, f, ItemType_r4)
VXXML_SET_SCALAR(SetR8, double, d, ItemType_r8)
VXXML_SET_SCALAR(SetYear, unsigned short, us, ItemType_year)
VXXML_SET_SCALAR(SetMonth, unsigned char, uc, ItemType_month)
VXXML_SET_SCALAR(SetDay, unsigned char, uc, ItemType_day)
VXXML_SET_SCALAR(SetChar, char, c, ItemType_char)
VXXML_SET_SCALAR(SetBoolean, bool, b, ItemType_boolean)
#undef VXXML_SET_SCALAR

#define VXXML_SET_OWNED(Name, Arg, Class, kind) \
  void VxVariant::Name(Arg value) {             \
    Class* copy = new Class(value);             \
    Clear();                                    \
    m_value.p = copy;                           \
    m_type = kind;                              \
  }
VXXML_SET_OWNED(SetHexBinary, const CBinaryData&, CBinaryData, ItemType_hexBinary)
VXXML_SET_OWNED(SetBase64Binary, const CBinaryData&, CBinaryData, ItemType_base64Binary)
VXXML_SET_OWNED(SetDuration, const CDateTimeSpan&, CDateTimeSpan, ItemType_duration)
VXXML_SET_OWNED(SetYearMonth, const CDateTime&, CDateTime, ItemType_yearMonth)
VXXML_SET_OWNED(SetMonthDay, const CDateTime&, CDateTime, ItemType_monthDay)
VXXML_SET_OWNED(SetDate, const CDateTime&, CDateTime, ItemType_date)
VXXML_SET_OWNED(SetDateTime, const CDateTime&, CDateTime, ItemType_datetime)
VXXML_SET_OWNED(SetTime, const CDateTime&, CDateTime, ItemType_time)
VXXML_SET_OWNED(SetDecimal, const CDecimal&, CDecimal, ItemType_decimal)
VXXML_SET_OWNED(SetInteger, const CBigInteger&, CBigInteger, ItemType_integer)
#undef VXXML_SET_OWNED

void VxVariant::SetString(std::string value) {
  std::string* copy = new std::string(std::move(value));
  Clear();
  m_value.p = copy;
  m_type = ItemType_string;
}

void VxVariant::SetXmlObject(CXmlObjectBase* value) {
  if (value) value->AddRef();  // before Clear: the old value may hold the only reference
  Clear();
  m_value.p = value;
  m_type = ItemType_xmlObject;
}

void VxVariant::SetXmlCollection(CXmlCollectionBase* value) {
  // Held as its CXmlObjectBase part, like an object, so that copying and
  // clearing treat both kinds alike.
  CXmlObjectBase* object = value;
  if (object) object->AddRef();
  Clear();
  m_value.p = object;
  m_type = ItemType_xmlCollection;
}

CBinaryData VxVariant::GetHexBinary() const { return OwnedOrDefault<CBinaryData>(m_value.p); }
CBinaryData VxVariant::GetBase64Binary() const { return OwnedOrDefault<CBinaryData>(m_value.p); }
CDateTimeSpan VxVariant::GetDuration() const { return OwnedOrDefault<CDateTimeSpan>(m_value.p); }
CDateTime VxVariant::GetYearMonth() const { return OwnedOrDefault<CDateTime>(m_value.p); }
CDateTime VxVariant::GetMonthDay() const { return OwnedOrDefault<CDateTime>(m_value.p); }
CDateTime VxVariant::GetDate() const { return OwnedOrDefault<CDateTime>(m_value.p); }
CDateTime VxVariant::GetDateTime() const { return OwnedOrDefault<CDateTime>(m_value.p); }
CDateTime VxVariant::GetTime() const { return OwnedOrDefault<CDateTime>(m_value.p); }
std::string VxVariant::GetString() const { return OwnedOrDefault<std::string>(m_value.p); }
CDecimal VxVariant::GetDecimal() const { return OwnedOrDefault<CDecimal>(m_value.p); }
CBigInteger VxVariant::GetInteger() const { return OwnedOrDefault<CBigInteger>(m_value.p); }
CSmartPtr<CXmlObjectBase> VxVariant::GetXmlObject() const {
  return CSmartPtr<CXmlObjectBase>(static_cast<CXmlObjectBase*>(m_value.p));
}

CSmartPtr<CXmlCollectionBase> VxVariant::GetXmlCollection() const {
  return CSmartPtr<CXmlCollectionBase>(
      static_cast<CXmlCollectionBase*>(static_cast<CXmlObjectBase*>(m_value.p)));
}

std::string VxVariant::GetType() const {
  if (m_type <= ItemType_none || m_type > ItemType_integer)
    detail::ThrowVariantInvalidType(static_cast<int>(m_type));
  return KindOf(m_type).name;
}

// The value a variant of `storage` holds: a member of its union, or its owned
// copy.
#define VXXML_HELD_Char m_value.c
#define VXXML_HELD_Short m_value.s
#define VXXML_HELD_Long m_value.l
#define VXXML_HELD_LongLong m_value.ll
#define VXXML_HELD_UChar m_value.uc
#define VXXML_HELD_UShort m_value.us
#define VXXML_HELD_ULong m_value.ul
#define VXXML_HELD_ULongLong m_value.ull
#define VXXML_HELD_Float m_value.f
#define VXXML_HELD_Double m_value.d
#define VXXML_HELD_Bool m_value.b
#define VXXML_HELD_Binary (*static_cast<const CBinaryData*>(m_value.p))
#define VXXML_HELD_Span (*static_cast<const CDateTimeSpan*>(m_value.p))
#define VXXML_HELD_Date (*static_cast<const CDateTime*>(m_value.p))
#define VXXML_HELD_String (*static_cast<const std::string*>(m_value.p))
#define VXXML_HELD_Decimal (*static_cast<const CDecimal*>(m_value.p))
#define VXXML_HELD_Integer (*static_cast<const CBigInteger*>(m_value.p))
#define VXXML_TEXT_Plain(kind, held) C::kind##ToString(held)
#define VXXML_TEXT_Formatted(kind, held) C::kind##ToString(held, f)
#define VXXML_TEXT_Held(kind, held) held
#define VXXML_TO_TEXT(kind, storage, accessor, facets, shape) \
  case ItemType_##kind:                                       \
    return VXXML_TEXT_##shape(kind, VXXML_HELD_##storage);

std::string VxVariant::ToString(const char* format) const {
  const std::string f = format ? format : "";
  using C = CConversions;
  const Storage storage = KindOf(m_type).storage;
  if (m_nil && storage != Storage::None && !detail::IsScalar(storage)) return std::string();
  switch (m_type) {
    VXXML_VALUE_KINDS(VXXML_TO_TEXT)
    default:
      detail::ThrowVariantNoText(static_cast<int>(m_type));
  }
}

#undef VXXML_TO_TEXT
#undef VXXML_TEXT_Held
#undef VXXML_TEXT_Formatted
#undef VXXML_TEXT_Plain
#undef VXXML_HELD_Char
#undef VXXML_HELD_Short
#undef VXXML_HELD_Long
#undef VXXML_HELD_LongLong
#undef VXXML_HELD_UChar
#undef VXXML_HELD_UShort
#undef VXXML_HELD_ULong
#undef VXXML_HELD_ULongLong
#undef VXXML_HELD_Float
#undef VXXML_HELD_Double
#undef VXXML_HELD_Bool
#undef VXXML_HELD_Binary
#undef VXXML_HELD_Span
#undef VXXML_HELD_Date
#undef VXXML_HELD_String
#undef VXXML_HELD_Decimal
#undef VXXML_HELD_Integer

void VxVariant::FromString(const std::string& text, ItemType type,
                           CWhitespaceUtils::WhitespaceRule rule) {
  using C = CConversions;
#define VXXML_FROM_TEXT(kind, storage, accessor, facets, shape) \
  case ItemType_##kind:                                        \
    Set##accessor(C::kind##FromString(text, rule));             \
    return;
  switch (type) {
    VXXML_VALUE_KINDS(VXXML_FROM_TEXT)
    default:
      detail::ThrowVariantNoText(static_cast<int>(m_type));
  }
#undef VXXML_FROM_TEXT
}

}  // namespace VxXmlLib10
