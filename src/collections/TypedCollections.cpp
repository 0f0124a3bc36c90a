// The collections of simple values. The twenty plain kinds share one
// implementation, parameterised by a small traits struct per kind (its
// conversions and facet check); the date kinds share CdatetimeBaseCol.
#include "vxxml/TypedCollections.h"

#include <cstdint>
#include <string>
#include <type_traits>

#include "collections/Messages.h"
#include "vxxml/Conversions.h"
#include "vxxml/XmlObjectHelper.h"
#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {

namespace {

using Rule = CWhitespaceUtils::WhitespaceRule;
using C = CConversions;
using H = CXmlObjectHelper;

// One traits struct per kind: the item type, the text of a value (given the
// collection's value format), the value of a text, the facet check.
#define VXXML_VALUE_KIND(KindName, ValueType, Type, ToTextExpr, FromTextFn, CheckFn)        \
  struct KindName {                                                                        \
    typedef ValueType Value;                                                               \
    static constexpr ItemType kItemType = Type;                                            \
    static std::string ToText(const Value& value, const std::string& format) {            \
      (void)format;                                                                        \
      return ToTextExpr;                                                                   \
    }                                                                                      \
    static Value FromText(const std::string& text, Rule rule) { return FromTextFn(text, rule); } \
    static void Check(const char* name, const Value& value,                                \
                      const CPrimitiveRestrictions& restrictions) {                        \
      CheckFn(name, value, restrictions);                                                  \
    }                                                                                      \
  }

VXXML_VALUE_KIND(I1Kind, char, ItemType_i1, C::i1ToString(value), C::i1FromString,
                 H::CheckRestrictionFori1);
VXXML_VALUE_KIND(I2Kind, short, ItemType_i2, C::i2ToString(value), C::i2FromString,
                 H::CheckRestrictionFori2);
VXXML_VALUE_KIND(I4Kind, long, ItemType_i4, C::i4ToString(value), C::i4FromString,
                 H::CheckRestrictionFori4);
VXXML_VALUE_KIND(I8Kind, long long, ItemType_i8, C::i8ToString(value), C::i8FromString,
                 H::CheckRestrictionFori8);
VXXML_VALUE_KIND(Ui1Kind, unsigned char, ItemType_ui1, C::ui1ToString(value), C::ui1FromString,
                 H::CheckRestrictionForui1);
VXXML_VALUE_KIND(Ui2Kind, unsigned short, ItemType_ui2, C::ui2ToString(value),
                 C::ui2FromString, H::CheckRestrictionForui2);
VXXML_VALUE_KIND(Ui4Kind, unsigned long, ItemType_ui4, C::ui4ToString(value), C::ui4FromString,
                 H::CheckRestrictionForui4);
VXXML_VALUE_KIND(Ui8Kind, unsigned long long, ItemType_ui8, C::ui8ToString(value),
                 C::ui8FromString, H::CheckRestrictionForui8);
VXXML_VALUE_KIND(R4Kind, float, ItemType_r4, C::r4ToString(value, format), C::r4FromString,
                 H::CheckRestrictionForr4);
VXXML_VALUE_KIND(R8Kind, double, ItemType_r8, C::r8ToString(value, format), C::r8FromString,
                 H::CheckRestrictionForr8);
VXXML_VALUE_KIND(BooleanKind, bool, ItemType_boolean, C::booleanToString(value),
                 C::booleanFromString, H::CheckRestrictionForboolean);
VXXML_VALUE_KIND(StringKind, std::string, ItemType_string, C::stringToString(value),
                 C::stringFromString, H::CheckRestrictionForstring);
VXXML_VALUE_KIND(DecimalKind, CDecimal, ItemType_decimal, C::decimalToString(value),
                 C::decimalFromString, H::CheckRestrictionFordecimal);
VXXML_VALUE_KIND(IntegerKind, CBigInteger, ItemType_integer, C::integerToString(value),
                 C::integerFromString, H::CheckRestrictionForinteger);
VXXML_VALUE_KIND(Base64BinaryKind, CBinaryData, ItemType_base64Binary,
                 C::base64BinaryToString(value), C::base64BinaryFromString,
                 H::CheckRestrictionForbase64Binary);
VXXML_VALUE_KIND(HexBinaryKind, CBinaryData, ItemType_hexBinary, C::hexBinaryToString(value),
                 C::hexBinaryFromString, H::CheckRestrictionForhexBinary);
VXXML_VALUE_KIND(DurationKind, CDateTimeSpan, ItemType_duration, C::durationToString(value),
                 C::durationFromString, H::CheckRestrictionForduration);
VXXML_VALUE_KIND(YearKind, unsigned short, ItemType_year, C::yearToString(value),
                 C::yearFromString, H::CheckRestrictionForyear);
VXXML_VALUE_KIND(MonthKind, unsigned char, ItemType_month, C::monthToString(value),
                 C::monthFromString, H::CheckRestrictionFormonth);
VXXML_VALUE_KIND(DayKind, unsigned char, ItemType_day, C::dayToString(value), C::dayFromString,
                 H::CheckRestrictionForday);

#undef VXXML_VALUE_KIND

// The values whose text reads back, for the kinds held in a wider C++ type
// than they need (i4 and ui4 in a long, the Gregorian numbers in an unsigned
// short or char); every value of the other kinds qualifies.
template <class Kind>
struct Range {
  static constexpr bool kBounded = false;
  static constexpr long long kMin = 0, kMax = 0;
};
#define VXXML_VALUE_RANGE(Kind, Min, Max)     \
  template <>                                 \
  struct Range<Kind> {                        \
    static constexpr bool kBounded = true;    \
    static constexpr long long kMin = Min;    \
    static constexpr long long kMax = Max;    \
  }
VXXML_VALUE_RANGE(I4Kind, INT32_MIN, INT32_MAX);
VXXML_VALUE_RANGE(Ui4Kind, 0, UINT32_MAX);
VXXML_VALUE_RANGE(YearKind, 1, 9999);
VXXML_VALUE_RANGE(MonthKind, 1, 12);
VXXML_VALUE_RANGE(DayKind, 1, 31);
#undef VXXML_VALUE_RANGE

template <class Kind>
void CheckRange(const typename Kind::Value& value) {
  if constexpr (Range<Kind>::kBounded) {
    typedef typename Kind::Value Value;
    bool within;
    if constexpr (std::is_signed<Value>::value) {
      within = value >= Range<Kind>::kMin && value <= Range<Kind>::kMax;
    } else {
      within = value >= static_cast<unsigned long long>(Range<Kind>::kMin) &&
               value <= static_cast<unsigned long long>(Range<Kind>::kMax);
    }
    if (!within)
      detail::ThrowValueOutOfRange(Range<Kind>::kMin, Range<Kind>::kMax, std::to_string(value));
  }
}

int CountOf(size_t size) { return static_cast<int>(size); }

// The shared operations, on the collection and its value array.

template <class Kind, class Values>
void AddValueAt(CXmlTypeCollection& collection, Values& values, int index,
                const typename Kind::Value& value) {
  typename Kind::Value copy(value);
  collection.FireOnCollectionAdd(&copy);
  if (index < 0 || index > CountOf(values.size())) detail::ThrowInsertIndexOutOfRange();
  CheckRange<Kind>(copy);
  const std::string name = collection.GetElementName();
  Kind::Check(name.c_str(), copy, collection.GetRestrictions());
  values.insert(values.begin() + index, copy);
  collection.FireOnCollectionAddComplete(&copy);
  collection.FireOnCollectionChange();
}

template <class Values>
void CheckItemIndex(const Values& values, int index) {
  if (index < 0 || index >= CountOf(values.size()))
    detail::ThrowIndexOutOfRange(index, CountOf(values.size()));
}

template <class Values>
void RemoveValueAt(CXmlCollectionBase& collection, Values& values, int index) {
  collection.FireOnCollectionRemove(index);
  CheckItemIndex(values, index);
  values.erase(values.begin() + index);
  collection.FireOnCollectionRemoveComplete(index);
  collection.FireOnCollectionChange();
}

// One element per value, in the collection's own namespace. `toText` gives a
// value's text.
template <class Values, class ToText>
void WriteValues(const CXmlTypeCollection& collection, const Values& values, ItemType type,
                 CXmlWriter* writer, const CXmlSerializationContext& context, ToText toText) {
  collection.ValidateCount(context);
  if (values.empty()) return;
  const std::string name = collection.GetElementName();
  const std::string namespaceUri = collection.GetNamespace();
  if (collection.IsListForm()) {
    std::string items;
    for (const auto& value : values) {
      if (!items.empty()) items += ' ';
      items += toText(value);
    }
    writer->WriteStartElement(name, namespaceUri);
    writer->WriteString(items, type);
    writer->WriteEndElement();
    return;
  }
  for (const auto& value : values) {
    // The text first, so that a value without one leaves no open element.
    const std::string text = toText(value);
    writer->WriteStartElement(name, namespaceUri);
    writer->WriteString(text, type);
    writer->WriteEndElement();
  }
}

}  // namespace

// ---- the plain kinds --------------------------------------------------------

#define VXXML_DEFINE_VALUE_COLLECTION(ClassName, Kind, ArgType)                                \
  ClassName::ClassName(const char* elementName, const char* namespaceUri, int minOccurs,      \
                       int maxOccurs, const char* pattern, int minLength, int maxLength,      \
                       const char* minInclusive, const char* maxInclusive,                    \
                       const char* minExclusive, const char* maxExclusive, int length,        \
                       CWhitespaceUtils::WhitespaceRule whitespaceRule,                       \
                       const char* valueFormat)                                               \
      : CXmlTypeCollection(Kind::kItemType, elementName, namespaceUri, minOccurs, maxOccurs,  \
                           pattern, minLength, maxLength, minInclusive, maxInclusive,         \
                           minExclusive, maxExclusive, length, whitespaceRule, valueFormat),  \
        CInstanceMonitor(#ClassName) {}                                                       \
  ClassName::~ClassName() = default;                                                          \
  int ClassName::GetCount() const { return CountOf(m_values.size()); }                        \
  void ClassName::Clear() {                                                                   \
    while (!m_values.empty()) Remove(0);                                                      \
  }                                                                                           \
  void ClassName::Remove(int index) { RemoveValueAt(*this, m_values, index); }                \
  void ClassName::AddFromString(std::string text) {                                           \
    Add(Kind::FromText(text, GetWhitespaceRule()));                                           \
  }                                                                                           \
  void ClassName::Add(ArgType value) { AddAt(GetCount(), value); }                            \
  void ClassName::AddAt(int index, ArgType value) {                                           \
    AddValueAt<Kind>(*this, m_values, index, value);                                          \
  }                                                                                           \
  Kind::Value ClassName::Item(int index) const {                                              \
    CheckItemIndex(m_values, index);                                                          \
    return m_values[index];                                                                   \
  }                                                                                           \
  void ClassName::ToXml_Int(CXmlWriter* writer, bool, const char*,                            \
                            const CXmlSerializationContext& context, bool) const {            \
    const std::string& format = GetValueFormat();                                             \
    WriteValues(*this, m_values, Kind::kItemType, writer, context,                            \
                [&format](const Kind::Value& value) { return Kind::ToText(value, format); }); \
  }

VXXML_DEFINE_VALUE_COLLECTION(Ci1Col, I1Kind, char)
VXXML_DEFINE_VALUE_COLLECTION(Ci2Col, I2Kind, short)
VXXML_DEFINE_VALUE_COLLECTION(Ci4Col, I4Kind, long)
VXXML_DEFINE_VALUE_COLLECTION(Ci8Col, I8Kind, long long)
VXXML_DEFINE_VALUE_COLLECTION(Cui1Col, Ui1Kind, unsigned char)
VXXML_DEFINE_VALUE_COLLECTION(Cui2Col, Ui2Kind, unsigned short)
VXXML_DEFINE_VALUE_COLLECTION(Cui4Col, Ui4Kind, unsigned long)
VXXML_DEFINE_VALUE_COLLECTION(Cui8Col, Ui8Kind, unsigned long long)
VXXML_DEFINE_VALUE_COLLECTION(Cr4Col, R4Kind, float)
VXXML_DEFINE_VALUE_COLLECTION(Cr8Col, R8Kind, double)
VXXML_DEFINE_VALUE_COLLECTION(CbooleanCol, BooleanKind, bool)
VXXML_DEFINE_VALUE_COLLECTION(CstringCol, StringKind, const std::string&)
VXXML_DEFINE_VALUE_COLLECTION(CdecimalCol, DecimalKind, const CDecimal&)
VXXML_DEFINE_VALUE_COLLECTION(CintegerCol, IntegerKind, const CBigInteger&)
VXXML_DEFINE_VALUE_COLLECTION(Cbase64BinaryCol, Base64BinaryKind, const CBinaryData&)
VXXML_DEFINE_VALUE_COLLECTION(ChexBinaryCol, HexBinaryKind, const CBinaryData&)
VXXML_DEFINE_VALUE_COLLECTION(CdurationCol, DurationKind, const CDateTimeSpan&)
VXXML_DEFINE_VALUE_COLLECTION(CyearCol, YearKind, unsigned short)
VXXML_DEFINE_VALUE_COLLECTION(CmonthCol, MonthKind, unsigned char)
VXXML_DEFINE_VALUE_COLLECTION(CdayCol, DayKind, unsigned char)

#undef VXXML_DEFINE_VALUE_COLLECTION

// ---- the date kinds ---------------------------------------------------------

CdatetimeBaseCol::CdatetimeBaseCol(const char* className, ItemType type, const char* elementName,
                                   const char* namespaceUri, int minOccurs, int maxOccurs,
                                   const char* pattern, int minLength, int maxLength,
                                   const char* minInclusive, const char* maxInclusive,
                                   const char* minExclusive, const char* maxExclusive,
                                   int length, CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                   const char* valueFormat)
    : CXmlTypeCollection(type, elementName, namespaceUri, minOccurs, maxOccurs, pattern,
                         minLength, maxLength, minInclusive, maxInclusive, minExclusive,
                         maxExclusive, length, whitespaceRule, valueFormat),
      CInstanceMonitor(className) {}

CdatetimeBaseCol::~CdatetimeBaseCol() = default;

int CdatetimeBaseCol::GetCount() const { return CountOf(m_values.size()); }

void CdatetimeBaseCol::Clear() {
  while (!m_values.empty()) Remove(0);
}

void CdatetimeBaseCol::Remove(int index) { RemoveValueAt(*this, m_values, index); }

void CdatetimeBaseCol::Add(const CDateTime& value) { AddAt(GetCount(), value); }

CDateTime CdatetimeBaseCol::Item(int index) const {
  CheckItemIndex(m_values, index);
  return m_values[index];
}

void CdatetimeBaseCol::BaseAddAt(int index, const CDateTime& value) {
  CDateTime copy(value);
  FireOnCollectionAdd(&copy);
  if (index < 0 || index > CountOf(m_values.size())) detail::ThrowInsertIndexOutOfRange();
  m_values.insert(m_values.begin() + index, copy);
  FireOnCollectionAddComplete(&copy);
  FireOnCollectionChange();
}

void CdatetimeBaseCol::ToXml_Int(CXmlWriter* writer, bool, const char*,
                                 const CXmlSerializationContext& context, bool) const {
  // Every date kind goes to the writer as a dateTime.
  WriteValues(*this, m_values, ItemType_datetime, writer, context,
              [this](const CDateTime& value) { return ItemToString(value); });
}

#define VXXML_DEFINE_DATE_COLLECTION(ClassName, Type, Kind, ToTextFn, FromTextFn, CheckFn)     \
  ClassName::ClassName(const char* elementName, const char* namespaceUri, int minOccurs,      \
                       int maxOccurs, const char* pattern, int minLength, int maxLength,      \
                       const char* minInclusive, const char* maxInclusive,                    \
                       const char* minExclusive, const char* maxExclusive, int length,        \
                       CWhitespaceUtils::WhitespaceRule whitespaceRule,                       \
                       const char* valueFormat)                                               \
      : CdatetimeBaseCol(#ClassName, Type, elementName, namespaceUri, minOccurs, maxOccurs,   \
                         pattern, minLength, maxLength, minInclusive, maxInclusive,           \
                         minExclusive, maxExclusive, length, whitespaceRule, valueFormat) {}  \
  ClassName::~ClassName() = default;                                                          \
  void ClassName::AddFromString(std::string text) {                                           \
    Add(FromTextFn(text, GetWhitespaceRule()));                                               \
  }                                                                                           \
  void ClassName::AddAt(int index, const CDateTime& value) {                                  \
    /* The kind and the facets are checked before any event. */                              \
    if (value.GetType() != CDateTime::Kind) detail::ThrowWrongDateKind(#Kind);                \
    const std::string name = GetElementName();                                                \
    CheckFn(name.c_str(), value, GetRestrictions());                                          \
    BaseAddAt(index, value);                                                                  \
  }                                                                                           \
  std::string ClassName::ItemToString(const CDateTime& value) const { return ToTextFn(value); }

VXXML_DEFINE_DATE_COLLECTION(CdateCol, ItemType_date, dt_date, C::dateToString,
                             C::dateFromString, H::CheckRestrictionFordate)
VXXML_DEFINE_DATE_COLLECTION(CdatetimeCol, ItemType_datetime, dt_dateTime, C::datetimeToString,
                             C::datetimeFromString, H::CheckRestrictionFordatetime)
VXXML_DEFINE_DATE_COLLECTION(CtimeCol, ItemType_time, dt_time, C::timeToString,
                             C::timeFromString, H::CheckRestrictionFortime)
VXXML_DEFINE_DATE_COLLECTION(CyearMonthCol, ItemType_yearMonth, dt_gYearMonth,
                             C::yearMonthToString, C::yearMonthFromString,
                             H::CheckRestrictionForyearMonth)
VXXML_DEFINE_DATE_COLLECTION(CmonthDayCol, ItemType_monthDay, dt_gMonthDay, C::monthDayToString,
                             C::monthDayFromString, H::CheckRestrictionFormonthDay)

#undef VXXML_DEFINE_DATE_COLLECTION

}  // namespace VxXmlLib10
