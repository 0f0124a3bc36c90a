// Facet sets and the facet checks of every simple value kind.
#include "vxxml/Restrictions.h"

#include <utility>

#include "types/Messages.h"
#include "types/RegEx.h"
#include "types/ValueKinds.h"
#include "types/VariantAccess.h"
#include "vxxml/BigInteger.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Conversions.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"
#include "vxxml/Exception.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlObjectHelper.h"

namespace VxXmlLib10 {

CPrimitiveRestrictions::CPrimitiveRestrictions() : minLength(-1), maxLength(-1), length(-1) {}

CPrimitiveRestrictions::CPrimitiveRestrictions(std::string pattern_, int minLength_,
                                               int maxLength_, std::string minInclusive_,
                                               std::string maxInclusive_,
                                               std::string minExclusive_,
                                               std::string maxExclusive_, int length_)
    : pattern(std::move(pattern_)),
      minLength(minLength_),
      maxLength(maxLength_),
      minInclusive(std::move(minInclusive_)),
      maxInclusive(std::move(maxInclusive_)),
      minExclusive(std::move(minExclusive_)),
      maxExclusive(std::move(maxExclusive_)),
      length(length_) {}

CPrimitiveRestrictions::~CPrimitiveRestrictions() = default;

namespace {

using C = CConversions;
const C::WhitespaceRule kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;

enum class Bound { MinInclusive, MaxInclusive, MinExclusive, MaxExclusive };

// Totally ordered kinds. Written with >= and <= so that a NaN on either side
// fails the inclusive tests and passes the exclusive ones.
template <class T>
bool Violates(Bound bound, const T& value, const T& limit) {
  switch (bound) {
    case Bound::MinInclusive:
      return !(value >= limit);
    case Bound::MaxInclusive:
      return !(value <= limit);
    case Bound::MinExclusive:
      return value <= limit;
    case Bound::MaxExclusive:
      break;
  }
  return value >= limit;
}

// Partially ordered kinds, from CompareTo: 0 equal, 1 less, 2 greater,
// 3 indeterminate (which violates nothing).
bool ViolatesOrder(Bound bound, int order) {
  switch (bound) {
    case Bound::MinInclusive:
      return order == 1;
    case Bound::MaxInclusive:
      return order == 2;
    case Bound::MinExclusive:
      return order == 0 || order == 1;
    case Bound::MaxExclusive:
      break;
  }
  return order == 0 || order == 2;
}

bool Violates(Bound bound, const CDateTime& value, const CDateTime& limit) {
  return ViolatesOrder(bound, value.CompareTo(limit));
}

bool Violates(Bound bound, const CDateTimeSpan& value, const CDateTimeSpan& limit) {
  return ViolatesOrder(bound, value.CompareTo(limit));
}

// Tests every bound that is set, in facet order; `fail` throws the kind's
// message. Each bound is parsed with the kind's own conversion (plain digit
// bounds of the integer kinds take its fast path).
template <class T, class Fail>
void CheckBounds(const CPrimitiveRestrictions& r, const T& value,
                 T (*parse)(const std::string&, C::WhitespaceRule), Fail fail) {
  auto test = [&](const std::string& limit, Bound bound) {
    if (!limit.empty() && Violates(bound, value, parse(limit, kCollapse))) fail();
  };
  test(r.minInclusive, Bound::MinInclusive);
  test(r.maxInclusive, Bound::MaxInclusive);
  test(r.minExclusive, Bound::MinExclusive);
  test(r.maxExclusive, Bound::MaxExclusive);
}

// Tests minLength, maxLength and length against a byte count.
template <class Fail>
void CheckLengths(const CPrimitiveRestrictions& r, unsigned long long count, Fail fail) {
  if (r.minLength >= 0 && count < static_cast<unsigned long long>(r.minLength)) fail();
  if (r.maxLength >= 0 && count > static_cast<unsigned long long>(r.maxLength)) fail();
  if (r.length >= 0 && count != static_cast<unsigned long long>(r.length)) fail();
}

void CheckBinary(const char* name, const CBinaryData& value, const CPrimitiveRestrictions& r) {
  CheckLengths(r, value.GetLength(),
               [&] { detail::ThrowInvalidValue(name, value.GetAsHexString()); });
}

void CheckDateTime(const char* name, const CDateTime& value, const CPrimitiveRestrictions& r,
                   CDateTime (*parse)(const std::string&, C::WhitespaceRule)) {
  CheckBounds(r, value, parse, [&] { detail::ThrowInvalidValue(name, value.ToString()); });
}

}  // namespace

// ---- binary ---------------------------------------------------------------

void CXmlObjectHelper::CheckRestrictionForhexBinary(const char* name, const CBinaryData& value,
                                                    const CPrimitiveRestrictions& r) {
  CheckBinary(name, value, r);
}

void CXmlObjectHelper::CheckRestrictionForbase64Binary(const char* name,
                                                       const CBinaryData& value,
                                                       const CPrimitiveRestrictions& r) {
  CheckBinary(name, value, r);
}

// ---- integers -------------------------------------------------------------

void CXmlObjectHelper::CheckRestrictionFori1(const char* name, char value,
                                             const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::i1FromString, [&] { detail::ThrowInvalidValue(name, int(value)); });
}

void CXmlObjectHelper::CheckRestrictionFori2(const char* name, short value,
                                             const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::i2FromString, [&] { detail::ThrowInvalidValue(name, int(value)); });
}

void CXmlObjectHelper::CheckRestrictionFori4(const char* name, long value,
                                             const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::i4FromString, [&] { detail::ThrowInvalidValue(name, value); });
}

void CXmlObjectHelper::CheckRestrictionFori8(const char* name, long long value,
                                             const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::i8FromString,
              [&] { detail::ThrowInvalidValue(name, C::i8ToString(value)); });
}

void CXmlObjectHelper::CheckRestrictionForui1(const char* name, unsigned char value,
                                              const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::ui1FromString, [&] { detail::ThrowInvalidValue(name, int(value)); });
}

void CXmlObjectHelper::CheckRestrictionForui2(const char* name, unsigned short value,
                                              const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::ui2FromString, [&] { detail::ThrowInvalidValue(name, int(value)); });
}

void CXmlObjectHelper::CheckRestrictionForui4(const char* name, unsigned long value,
                                              const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::ui4FromString, [&] { detail::ThrowInvalidValue(name, value); });
}

void CXmlObjectHelper::CheckRestrictionForui8(const char* name, unsigned long long value,
                                              const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::ui8FromString,
              [&] { detail::ThrowInvalidValue(name, C::ui8ToString(value)); });
}

void CXmlObjectHelper::CheckRestrictionForyear(const char* name, unsigned short value,
                                               const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::yearFromString, [&] { detail::ThrowInvalidValue(name, int(value)); });
}

void CXmlObjectHelper::CheckRestrictionFormonth(const char* name, unsigned char value,
                                                const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::monthFromString,
              [&] { detail::ThrowInvalidValue(name, int(value)); });
}

void CXmlObjectHelper::CheckRestrictionForday(const char* name, unsigned char value,
                                              const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::dayFromString, [&] { detail::ThrowInvalidValue(name, int(value)); });
}

// ---- floating -------------------------------------------------------------

void CXmlObjectHelper::CheckRestrictionForr4(const char* name, float value,
                                             const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::r4FromString,
              [&] { detail::ThrowInvalidValue(name, static_cast<double>(value)); });
}

void CXmlObjectHelper::CheckRestrictionForr8(const char* name, double value,
                                             const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::r8FromString, [&] { detail::ThrowInvalidValue(name, value); });
}

// ---- durations and dates --------------------------------------------------

void CXmlObjectHelper::CheckRestrictionForduration(const char* name, const CDateTimeSpan& value,
                                                   const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::durationFromString,
              [&] { detail::ThrowInvalidValue(name, value.ToString()); });
}

void CXmlObjectHelper::CheckRestrictionForyearMonth(const char* name, const CDateTime& value,
                                                    const CPrimitiveRestrictions& r) {
  CheckDateTime(name, value, r, &C::yearMonthFromString);
}

void CXmlObjectHelper::CheckRestrictionFormonthYear(const char* name, const CDateTime& value,
                                                    const CPrimitiveRestrictions& r) {
  CheckDateTime(name, value, r, &C::yearMonthFromString);
}

void CXmlObjectHelper::CheckRestrictionFormonthDay(const char* name, const CDateTime& value,
                                                   const CPrimitiveRestrictions& r) {
  CheckDateTime(name, value, r, &C::monthDayFromString);
}

void CXmlObjectHelper::CheckRestrictionFordate(const char* name, const CDateTime& value,
                                               const CPrimitiveRestrictions& r) {
  CheckDateTime(name, value, r, &C::dateFromString);
}

void CXmlObjectHelper::CheckRestrictionFordatetime(const char* name, const CDateTime& value,
                                                   const CPrimitiveRestrictions& r) {
  CheckDateTime(name, value, r, &C::datetimeFromString);
}

void CXmlObjectHelper::CheckRestrictionFortime(const char* name, const CDateTime& value,
                                               const CPrimitiveRestrictions& r) {
  CheckDateTime(name, value, r, &C::timeFromString);
}

// ---- exact numbers --------------------------------------------------------

void CXmlObjectHelper::CheckRestrictionFordecimal(const char* name, const CDecimal& value,
                                                  const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::decimalFromString,
              [&] { detail::ThrowInvalidValue(name, value.ToString()); });
}

void CXmlObjectHelper::CheckRestrictionForinteger(const char* name, const CBigInteger& value,
                                                  const CPrimitiveRestrictions& r) {
  CheckBounds(r, value, &C::integerFromString,
              [&] { detail::ThrowInvalidValue(name, value.ToString()); });
}

// ---- text and boolean -----------------------------------------------------

void CXmlObjectHelper::CheckRestrictionForstring(const char* name, const std::string& value,
                                                 const CPrimitiveRestrictions& r) {
  CheckLengths(r, value.size(), [&] { detail::ThrowInvalidValue(name, value); });
  if (r.pattern.empty()) return;
  bool matched;
  try {
    matched = detail::MatchLocalPattern(r.pattern, value);
  } catch (const CVxException& e) {
    detail::ThrowInvalidValueBadPattern(e.GetFullMessage(), name, value);
  }
  if (!matched) detail::ThrowInvalidValue(name, value);
}

void CXmlObjectHelper::CheckRestrictionForboolean(const char*, bool,
                                                  const CPrimitiveRestrictions&) {}

// ---- dispatcher -----------------------------------------------------------

void CXmlObjectHelper::CheckRestriction(const char* name, const VxVariant& value, ItemType type,
                                        const CPrimitiveRestrictions& r) {
  const detail::ValueKind& kind = detail::KindOf(type);
  if (kind.facets == detail::Facets::Unchecked) detail::ThrowUnknownType(value.GetType());
  if (value.IsNil()) return;
  // Reading a variant as a kind held another way would read the wrong
  // member of its storage (or follow a pointer that is not one).
  const detail::ValueKind& held = detail::KindOf(value.GetItemType());
  if (held.storage != kind.storage) detail::ThrowTypeMismatch(name, held.name, kind.name);
  // Read in place: the kinds held outside the variant are not copied.
  using A = detail::VariantAccess;
#define VXXML_VALUE_Scalar(accessor) value.Get##accessor()
#define VXXML_VALUE_Char VXXML_VALUE_Scalar
#define VXXML_VALUE_Short VXXML_VALUE_Scalar
#define VXXML_VALUE_Long VXXML_VALUE_Scalar
#define VXXML_VALUE_LongLong VXXML_VALUE_Scalar
#define VXXML_VALUE_UChar VXXML_VALUE_Scalar
#define VXXML_VALUE_UShort VXXML_VALUE_Scalar
#define VXXML_VALUE_ULong VXXML_VALUE_Scalar
#define VXXML_VALUE_ULongLong VXXML_VALUE_Scalar
#define VXXML_VALUE_Float VXXML_VALUE_Scalar
#define VXXML_VALUE_Double VXXML_VALUE_Scalar
#define VXXML_VALUE_Bool VXXML_VALUE_Scalar
#define VXXML_VALUE_Binary(accessor) A::Held<CBinaryData>(value)
#define VXXML_VALUE_Span(accessor) A::Held<CDateTimeSpan>(value)
#define VXXML_VALUE_Date(accessor) A::Held<CDateTime>(value)
#define VXXML_VALUE_String(accessor) A::Held<std::string>(value)
#define VXXML_VALUE_Decimal(accessor) A::Held<CDecimal>(value)
#define VXXML_VALUE_Integer(accessor) A::Held<CBigInteger>(value)
#define VXXML_CHECK_Unchecked(kind, storage, accessor)
#define VXXML_CHECK_ANY(kind, storage, accessor) \
  case ItemType_##kind:                          \
    return CheckRestrictionFor##kind(name, VXXML_VALUE_##storage(accessor), r);
#define VXXML_CHECK_None VXXML_CHECK_ANY
#define VXXML_CHECK_Bounds VXXML_CHECK_ANY
#define VXXML_CHECK_Lengths VXXML_CHECK_ANY
#define VXXML_CHECK_LengthsAndPattern VXXML_CHECK_ANY
#define VXXML_CHECK(kind, storage, accessor, facets, shape) \
  VXXML_CHECK_##facets(kind, storage, accessor)
  switch (type) {
    VXXML_VALUE_KINDS(VXXML_CHECK)
    default:
      break;
  }
#undef VXXML_CHECK
#undef VXXML_CHECK_LengthsAndPattern
#undef VXXML_CHECK_Lengths
#undef VXXML_CHECK_Bounds
#undef VXXML_CHECK_None
#undef VXXML_CHECK_ANY
#undef VXXML_CHECK_Unchecked
#undef VXXML_VALUE_Integer
#undef VXXML_VALUE_Decimal
#undef VXXML_VALUE_String
#undef VXXML_VALUE_Date
#undef VXXML_VALUE_Span
#undef VXXML_VALUE_Binary
#undef VXXML_VALUE_Bool
#undef VXXML_VALUE_Double
#undef VXXML_VALUE_Float
#undef VXXML_VALUE_ULongLong
#undef VXXML_VALUE_ULong
#undef VXXML_VALUE_UShort
#undef VXXML_VALUE_UChar
#undef VXXML_VALUE_LongLong
#undef VXXML_VALUE_Long
#undef VXXML_VALUE_Short
#undef VXXML_VALUE_Char
#undef VXXML_VALUE_Scalar
}

}  // namespace VxXmlLib10
