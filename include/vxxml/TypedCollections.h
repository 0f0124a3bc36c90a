// Collections of simple values: one class per value kind, named C + the
// kind's schema name + Col. Generated code holds a repeated element of a
// simple type (maxOccurs above 1) in one of them. Every value is checked
// against the particle's facets when it is added (so also when it is read),
// is written as one element of the collection's name in the collection's own
// namespace, and a run of such sibling elements is read back through
// CXmlTypeCollection::FromXml_Int, which hands each element's text to
// AddFromString. Values are never written as a space-separated list.
//
//   CSmartPtr<Ci4Col> sizes = new Ci4Col("size", "urn:po", 0, -1, nullptr, -1, -1,
//                                        "1", "99", nullptr, nullptr, -1,
//                                        CWhitespaceUtils::WhitespaceRule_Collapse, nullptr);
//   sizes->Add(42);
//   sizes->Add(120);  // throws CVxException "Invalid Value for size [120]"
//
// Every class offers, with V its value kind:
//   Add(V)            AddAt(GetCount(), value)
//   AddAt(int, V)     inserts at index 0 .. GetCount() (the count appends)
//   Item(int)         the value at the index, by value
//   Remove(int), Clear(), GetCount()
//   AddFromString(t)  converts the text with the kind's CConversions
//                     ...FromString and the collection's whitespace rule, then Add
//
// Events (IEventSink::MsgType), to every listener in order:
//   AddAt   Add(pointer to a copy of the value) first, then the index check,
//           the range check (see Failures) and the facet check, then
//           AddComplete(same pointer) and Change. A refused value leaves the
//           Add event without its completion.
//           The date collections check the value's kind and facets before any
//           event.
//   Remove  Remove(index) first, then the index check, then
//           RemoveComplete(index) and Change. Clear removes index 0 while
//           values remain.
//
// Writing (ToXml_Int) first checks the count against the bounds (unless the
// context ignores invalid collection counts); an empty collection writes
// nothing. The floating kinds write with the collection's value format; the
// others ignore it. The date collections pass ItemType_datetime to the writer
// whatever their own kind.
//
// Failures:
//   CVxInvalidParamException "Index out of range"            (AddAt)
//   CVxInvalidParamException "Index %d is out of range, use 0 - %d" (Item,
//     Remove: the index and the count)
//   CVxInvalidParamException "Dates added to this collection must be of type
//     dt_date" (dt_dateTime, dt_time, dt_gYearMonth, dt_gMonthDay for the
//     other date collections)
//   CVxInvalidParamException "Values added to this collection must be within
//     %lld - %lld [%s]" (the kind's range, the value) for a value whose text
//     would not read back: Ci4Col -2147483648 - 2147483647 (its values are
//     held in a long), Cui4Col 0 - 4294967295, CyearCol 1 - 9999, CmonthCol
//     1 - 12, CdayCol 1 - 31
//   the facet messages of CXmlObjectHelper, the conversion messages of
//   CConversions (AddFromString), the count messages of CXmlCollectionBase
//   (writing)
// A refused value leaves the collection unchanged.
#ifndef VXXML_TYPEDCOLLECTIONS_H
#define VXXML_TYPEDCOLLECTIONS_H

#include <string>
#include <vector>

#include "vxxml/BigInteger.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Collection.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"
#include "vxxml/Export.h"
#include "vxxml/ItemType.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Whitespace.h"

namespace VxXmlLib10 {

// Declares one collection of simple values; the constructor takes the
// particle's element name, namespace, bounds, the eight facets (pattern,
// minLength, maxLength, minInclusive, maxInclusive, minExclusive,
// maxExclusive, length; null texts and -1 lengths for unset facets), the
// whitespace rule and the value format (null is "").
#define VXXML_DECLARE_VALUE_COLLECTION(ClassName, ValueType, ArgType)                          \
  class VXXML_API ClassName : public CXmlTypeCollection, public CInstanceMonitor {             \
   public:                                                                                     \
    ClassName(const char* elementName, const char* namespaceUri, int minOccurs, int maxOccurs, \
              const char* pattern, int minLength, int maxLength, const char* minInclusive,     \
              const char* maxInclusive, const char* minExclusive, const char* maxExclusive,    \
              int length, CWhitespaceUtils::WhitespaceRule whitespaceRule,                     \
              const char* valueFormat);                                                        \
    ~ClassName() override;                                                                     \
                                                                                               \
    int GetCount() const override;                                                             \
    void Clear() override;                                                                     \
    void Remove(int index) override;                                                           \
    void AddFromString(std::string text) override;                                             \
                                                                                               \
    void Add(ArgType value);                                                                   \
    void AddAt(int index, ArgType value);                                                      \
    ValueType Item(int index) const;                                                           \
                                                                                               \
   protected:                                                                                  \
    void ToXml_Int(CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,          \
                   const CXmlSerializationContext& context,                                    \
                   bool emptyChoiceAllowed) const override;                                    \
                                                                                               \
   private:                                                                                    \
    std::vector<ValueType> m_values;                                                           \
  }

VXXML_DECLARE_VALUE_COLLECTION(Ci1Col, char, char);
VXXML_DECLARE_VALUE_COLLECTION(Ci2Col, short, short);
VXXML_DECLARE_VALUE_COLLECTION(Ci4Col, long, long);
VXXML_DECLARE_VALUE_COLLECTION(Ci8Col, long long, long long);
VXXML_DECLARE_VALUE_COLLECTION(Cui1Col, unsigned char, unsigned char);
VXXML_DECLARE_VALUE_COLLECTION(Cui2Col, unsigned short, unsigned short);
VXXML_DECLARE_VALUE_COLLECTION(Cui4Col, unsigned long, unsigned long);
VXXML_DECLARE_VALUE_COLLECTION(Cui8Col, unsigned long long, unsigned long long);
VXXML_DECLARE_VALUE_COLLECTION(Cr4Col, float, float);
VXXML_DECLARE_VALUE_COLLECTION(Cr8Col, double, double);
VXXML_DECLARE_VALUE_COLLECTION(CbooleanCol, bool, bool);
VXXML_DECLARE_VALUE_COLLECTION(CstringCol, std::string, const std::string&);
VXXML_DECLARE_VALUE_COLLECTION(CdecimalCol, CDecimal, const CDecimal&);
VXXML_DECLARE_VALUE_COLLECTION(CintegerCol, CBigInteger, const CBigInteger&);
VXXML_DECLARE_VALUE_COLLECTION(Cbase64BinaryCol, CBinaryData, const CBinaryData&);
VXXML_DECLARE_VALUE_COLLECTION(ChexBinaryCol, CBinaryData, const CBinaryData&);
VXXML_DECLARE_VALUE_COLLECTION(CdurationCol, CDateTimeSpan, const CDateTimeSpan&);
VXXML_DECLARE_VALUE_COLLECTION(CyearCol, unsigned short, unsigned short);
VXXML_DECLARE_VALUE_COLLECTION(CmonthCol, unsigned char, unsigned char);
VXXML_DECLARE_VALUE_COLLECTION(CdayCol, unsigned char, unsigned char);

#undef VXXML_DECLARE_VALUE_COLLECTION

/// The base of the date collections: the values, their order and events, and
/// the writing. Each derived class fixes the value's kind, its facet check and
/// its text.
class VXXML_API CdatetimeBaseCol : public CXmlTypeCollection, public CInstanceMonitor {
 public:
  ~CdatetimeBaseCol() override;

  int GetCount() const override;
  void Clear() override;
  void Remove(int index) override;

  /// AddAt(GetCount(), value).
  virtual void Add(const CDateTime& value);
  /// Checks the value's kind and facets, then BaseAddAt.
  virtual void AddAt(int index, const CDateTime& value) = 0;
  virtual CDateTime Item(int index) const;
  /// The value's text in the collection's kind.
  virtual std::string ItemToString(const CDateTime& value) const = 0;

 protected:
  /// `className` names the instance for CInstanceMonitor; the rest is
  /// CXmlTypeCollection's.
  CdatetimeBaseCol(const char* className, ItemType type, const char* elementName,
                   const char* namespaceUri, int minOccurs, int maxOccurs, const char* pattern,
                   int minLength, int maxLength, const char* minInclusive,
                   const char* maxInclusive, const char* minExclusive, const char* maxExclusive,
                   int length, CWhitespaceUtils::WhitespaceRule whitespaceRule,
                   const char* valueFormat);

  /// Fires Add, checks the index ("Index out of range"), inserts, fires
  /// AddComplete and Change.
  void BaseAddAt(int index, const CDateTime& value);

  /// Every value through ItemToString, written with ItemType_datetime.
  void ToXml_Int(CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,
                 const CXmlSerializationContext& context, bool emptyChoiceAllowed) const override;

 private:
  std::vector<CDateTime> m_values;
};

// Declares one date collection over CdatetimeBaseCol (constructor as for the
// other value collections).
#define VXXML_DECLARE_DATE_COLLECTION(ClassName)                                               \
  class VXXML_API ClassName : public CdatetimeBaseCol {                                        \
   public:                                                                                     \
    ClassName(const char* elementName, const char* namespaceUri, int minOccurs, int maxOccurs, \
              const char* pattern, int minLength, int maxLength, const char* minInclusive,     \
              const char* maxInclusive, const char* minExclusive, const char* maxExclusive,    \
              int length, CWhitespaceUtils::WhitespaceRule whitespaceRule,                     \
              const char* valueFormat);                                                        \
    ~ClassName() override;                                                                     \
                                                                                               \
    void AddFromString(std::string text) override;                                             \
    void AddAt(int index, const CDateTime& value) override;                                    \
    std::string ItemToString(const CDateTime& value) const override;                           \
  }

/// Values of kind dt_date.
VXXML_DECLARE_DATE_COLLECTION(CdateCol);
/// Values of kind dt_dateTime.
VXXML_DECLARE_DATE_COLLECTION(CdatetimeCol);
/// Values of kind dt_time.
VXXML_DECLARE_DATE_COLLECTION(CtimeCol);
/// Values of kind dt_gYearMonth.
VXXML_DECLARE_DATE_COLLECTION(CyearMonthCol);
/// Values of kind dt_gMonthDay.
VXXML_DECLARE_DATE_COLLECTION(CmonthDayCol);

#undef VXXML_DECLARE_DATE_COLLECTION

}  // namespace VxXmlLib10

#endif  // VXXML_TYPEDCOLLECTIONS_H
