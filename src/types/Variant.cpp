// The tagged value.
#include "vxxml/Variant.h"

#include <utility>

#include "types/Messages.h"
#include "vxxml/BigInteger.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Collection.h"
#include "vxxml/Conversions.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"

namespace VxXmlLib10 {

namespace {

// Kinds held as a heap copy owned by the variant.
enum class Storage { None, Scalar, Binary, Span, Date, String, Decimal, Integer, Object };

Storage StorageOf(ItemType type) {
  switch (type) {
    case ItemType_none: return Storage::None;
    case ItemType_hexBinary:
    case ItemType_base64Binary: return Storage::Binary;
    case ItemType_duration: return Storage::Span;
    case ItemType_yearMonth:
    case ItemType_monthDay:
    case ItemType_date:
    case ItemType_datetime:
    case ItemType_time: return Storage::Date;
    case ItemType_string: return Storage::String;
    case ItemType_decimal: return Storage::Decimal;
    case ItemType_integer: return Storage::Integer;
    case ItemType_xmlObject:
    case ItemType_xmlCollection: return Storage::Object;
    default: return Storage::Scalar;
  }
}

const char* const kTypeNames[] = {
    nullptr,     "hexBinary", "base64Binary", "i1",   "i2",     "i4",      "i8",
    "ui1",       "ui2",       "ui4",          "ui8",  "r4",     "r8",      "duration",
    "yearMonth", "monthDay",  "year",         "month", "day",   "date",    "datetime",
    "time",      "char",      "string",       "boolean", "decimal", "integer"};

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
  switch (StorageOf(other.m_type)) {
    case Storage::None: break;
    case Storage::Scalar: m_value = other.m_value; break;
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
  }
}

void VxVariant::Clear() {
  if (m_type == ItemType_none) return;
  void* p = m_value.p;
  switch (StorageOf(m_type)) {
    case Storage::None:
    case Storage::Scalar: break;
    case Storage::Binary: delete static_cast<CBinaryData*>(p); break;
    case Storage::Span: delete static_cast<CDateTimeSpan*>(p); break;
    case Storage::Date: delete static_cast<CDateTime*>(p); break;
    case Storage::String: delete static_cast<std::string*>(p); break;
    case Storage::Decimal: delete static_cast<CDecimal*>(p); break;
    case Storage::Integer: delete static_cast<CBigInteger*>(p); break;
    case Storage::Object:
      if (p) static_cast<CXmlObjectBase*>(p)->Release();
      break;
  }
  m_nil = false;
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
  return kTypeNames[m_type];
}

std::string VxVariant::ToString(const char* format) const {
  const std::string f = format ? format : "";
  using C = CConversions;
  if (m_nil && StorageOf(m_type) != Storage::Scalar && m_type != ItemType_none) return std::string();
  switch (m_type) {
    case ItemType_hexBinary: return C::hexBinaryToString(*static_cast<const CBinaryData*>(m_value.p));
    case ItemType_base64Binary: return C::base64BinaryToString(*static_cast<const CBinaryData*>(m_value.p));
    case ItemType_i1: return C::i1ToString(m_value.c);
    case ItemType_i2: return C::i2ToString(m_value.s);
    case ItemType_i4: return C::i4ToString(m_value.l);
    case ItemType_i8: return C::i8ToString(m_value.ll);
    case ItemType_ui1: return C::ui1ToString(m_value.uc);
    case ItemType_ui2: return C::ui2ToString(m_value.us);
    case ItemType_ui4: return C::ui4ToString(m_value.ul);
    case ItemType_ui8: return C::ui8ToString(m_value.ull);
    case ItemType_r4: return C::r4ToString(m_value.f, f);
    case ItemType_r8: return C::r8ToString(m_value.d, f);
    case ItemType_duration: return C::durationToString(*static_cast<const CDateTimeSpan*>(m_value.p));
    case ItemType_yearMonth: return C::yearMonthToString(*static_cast<const CDateTime*>(m_value.p));
    case ItemType_monthDay: return C::monthDayToString(*static_cast<const CDateTime*>(m_value.p));
    case ItemType_year: return C::yearToString(m_value.us);
    case ItemType_month: return C::monthToString(m_value.uc);
    case ItemType_day: return C::dayToString(m_value.uc);
    case ItemType_date: return C::dateToString(*static_cast<const CDateTime*>(m_value.p));
    case ItemType_datetime: return C::datetimeToString(*static_cast<const CDateTime*>(m_value.p));
    case ItemType_time: return C::timeToString(*static_cast<const CDateTime*>(m_value.p));
    case ItemType_char: return C::charToString(m_value.c);
    case ItemType_string: return *static_cast<const std::string*>(m_value.p);
    case ItemType_boolean: return C::booleanToString(m_value.b);
    case ItemType_decimal: return C::decimalToString(*static_cast<const CDecimal*>(m_value.p), f);
    case ItemType_integer: return C::integerToString(*static_cast<const CBigInteger*>(m_value.p));
    default:
      detail::ThrowVariantNoText(static_cast<int>(m_type));
  }
}

void VxVariant::FromString(const std::string& text, ItemType type,
                           CWhitespaceUtils::WhitespaceRule rule) {
  using C = CConversions;
  switch (type) {
    case ItemType_hexBinary: SetHexBinary(C::hexBinaryFromString(text, rule)); return;
    case ItemType_base64Binary: SetBase64Binary(C::base64BinaryFromString(text, rule)); return;
    case ItemType_i1: SetI1(C::i1FromString(text, rule)); return;
    case ItemType_i2: SetI2(C::i2FromString(text, rule)); return;
    case ItemType_i4: SetI4(C::i4FromString(text, rule)); return;
    case ItemType_i8: SetI8(C::i8FromString(text, rule)); return;
    case ItemType_ui1: SetUI1(C::ui1FromString(text, rule)); return;
    case ItemType_ui2: SetUI2(C::ui2FromString(text, rule)); return;
    case ItemType_ui4: SetUI4(C::ui4FromString(text, rule)); return;
    case ItemType_ui8: SetUI8(C::ui8FromString(text, rule)); return;
    case ItemType_r4: SetR4(C::r4FromString(text, rule)); return;
    case ItemType_r8: SetR8(C::r8FromString(text, rule)); return;
    case ItemType_duration: SetDuration(C::durationFromString(text, rule)); return;
    case ItemType_yearMonth: SetYearMonth(C::yearMonthFromString(text, rule)); return;
    case ItemType_monthDay: SetMonthDay(C::monthDayFromString(text, rule)); return;
    case ItemType_year: SetYear(C::yearFromString(text, rule)); return;
    case ItemType_month: SetMonth(C::monthFromString(text, rule)); return;
    case ItemType_day: SetDay(C::dayFromString(text, rule)); return;
    case ItemType_date: SetDate(C::dateFromString(text, rule)); return;
    case ItemType_datetime: SetDateTime(C::datetimeFromString(text, rule)); return;
    case ItemType_time: SetTime(C::timeFromString(text, rule)); return;
    case ItemType_char: SetChar(C::charFromString(text, rule)); return;
    case ItemType_string: SetString(C::stringFromString(text, rule)); return;
    case ItemType_boolean: SetBoolean(C::booleanFromString(text, rule)); return;
    case ItemType_decimal: SetDecimal(C::decimalFromString(text, rule)); return;
    case ItemType_integer: SetInteger(C::integerFromString(text, rule)); return;
    default:
      detail::ThrowVariantNoText(static_cast<int>(m_type));
  }
}

}  // namespace VxXmlLib10
