// What each value kind is, in one table indexed by ItemType: what it is
// called, how a variant holds it and which facets its check tests. The
// variant (storage, names, text) and the facet checks (dispatch, names) read
// it. A new simple kind is one row of VXXML_VALUE_KINDS, with its
// conversions in CConversions, its VxVariant accessors and its facet check
// in CXmlObjectHelper.
#ifndef VXXML_SRC_TYPES_VALUEKINDS_H
#define VXXML_SRC_TYPES_VALUEKINDS_H

#include "vxxml/ItemType.h"

namespace VxXmlLib10 {
namespace detail {

// How a variant holds a kind. A variant may be read as another kind only
// when both are held the same way.
enum class Storage : unsigned char {
  None,
  // Scalars, in the variant's union, by the member of that type.
  Char, Short, Long, LongLong, UChar, UShort, ULong, ULongLong, Float, Double, Bool,
  // An owned copy of the kind's class.
  Binary, Span, Date, String, Decimal, Integer,
  // A counted reference: bound objects and collections alike.
  Object
};

// The facets the check of a kind tests.
enum class Facets : unsigned char {
  Unchecked,         // the kind has no facet check (char, and the kinds that are not simple)
  None,              // checked, but no facet applies (boolean)
  Bounds,            // minInclusive, maxInclusive, minExclusive, maxExclusive
  Lengths,           // minLength, maxLength, length, in bytes
  LengthsAndPattern  // the same, then pattern
};

struct ValueKind {
  const char* name;  // the ItemType's own name, as messages and VxVariant::GetType give it
  Storage storage;
  Facets facets;
};

// The simple kinds, in ItemType order, one row each:
//   X(kind, storage, accessor, facets, shape)
//   kind      the ItemType suffix, the CConversions prefix, the facet check's
//             suffix and the name
//   accessor  the VxVariant Get... / Set... suffix
//   shape     of its text: Plain (kind##ToString(value)), Formatted (with
//             the value format), Held (the variant holds its text)
#define VXXML_VALUE_KINDS(X)                                  \
  X(hexBinary, Binary, HexBinary, Lengths, Plain)             \
  X(base64Binary, Binary, Base64Binary, Lengths, Plain)       \
  X(i1, Char, I1, Bounds, Plain)                              \
  X(i2, Short, I2, Bounds, Plain)                             \
  X(i4, Long, I4, Bounds, Plain)                              \
  X(i8, LongLong, I8, Bounds, Plain)                          \
  X(ui1, UChar, UI1, Bounds, Plain)                           \
  X(ui2, UShort, UI2, Bounds, Plain)                          \
  X(ui4, ULong, UI4, Bounds, Plain)                           \
  X(ui8, ULongLong, UI8, Bounds, Plain)                       \
  X(r4, Float, R4, Bounds, Formatted)                         \
  X(r8, Double, R8, Bounds, Formatted)                        \
  X(duration, Span, Duration, Bounds, Plain)                  \
  X(yearMonth, Date, YearMonth, Bounds, Plain)                \
  X(monthDay, Date, MonthDay, Bounds, Plain)                  \
  X(year, UShort, Year, Bounds, Plain)                        \
  X(month, UChar, Month, Bounds, Plain)                       \
  X(day, UChar, Day, Bounds, Plain)                           \
  X(date, Date, Date, Bounds, Plain)                          \
  X(datetime, Date, DateTime, Bounds, Plain)                  \
  X(time, Date, Time, Bounds, Plain)                          \
  X(char, Char, Char, Unchecked, Plain)                       \
  X(string, String, String, LengthsAndPattern, Held)          \
  X(boolean, Bool, Boolean, None, Plain)                      \
  X(decimal, Decimal, Decimal, Bounds, Formatted)             \
  X(integer, Integer, Integer, Bounds, Plain)

/// One row per ItemType, from ItemType_none to ItemType_xmlCollection.
extern const ValueKind kValueKinds[ItemType_xmlCollection + 1];
/// The row of a number no ItemType has.
extern const ValueKind kUnknownValueKind;

inline const ValueKind& KindOf(ItemType type) {
  const int i = static_cast<int>(type);
  return i >= 0 && i <= ItemType_xmlCollection ? kValueKinds[i] : kUnknownValueKind;
}

inline bool IsScalar(Storage storage) {
  return storage >= Storage::Char && storage <= Storage::Bool;
}

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_VALUEKINDS_H
