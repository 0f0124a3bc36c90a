// Static helpers shared by the metadata and the collections: the namespace
// rules of wildcards, element-name matching, and the facet checks of every
// simple value kind.
//
// Namespace rules. A rule is a list of tokens separated by single spaces;
// a namespace N is accepted when one token accepts it:
//
//   "##any"              always
//   "##other"            N differs from the target namespace
//   "##local"            N is empty
//   "##targetNamespace"  N equals the target namespace
//   any other token      N equals the token, or N is empty
//
// An empty token (an empty rule, two adjacent spaces) accepts only the empty
// namespace. Comparisons are byte-wise and case-sensitive.
//
//   CXmlObjectHelper::IsNamespaceValid("", "##other", "urn:t");        // true
//   CXmlObjectHelper::TestNamespace("urn:x", "##local", "urn:t");
//   // throws CVxInvalidNamespaceException "Invalid namespace [urn:x]. The
//   // namespace must be one of [##local] where the target namespace is [urn:t]"
//
// Facet checks.
// Each check takes the name of the element or attribute being checked (for
// the message), the value and the facet set, returns nothing and throws on
// the first violation:
//
//   CPrimitiveRestrictions r;
//   r.minExclusive = "5";
//   CXmlObjectHelper::CheckRestrictionFori4("count", 5, r);
//   // throws CVxException "Invalid Value for count [5]"
//
// Ordered kinds parse each bound that is set with the kind's own conversion
// (CConversions::...FromString, whitespace collapsed; a bound that does not
// parse throws that conversion's exception) and test, in this order,
// minInclusive, maxInclusive, minExclusive, maxExclusive. Floating values
// that are NaN violate the inclusive bounds. Dates and durations are ordered
// partially: an indeterminate comparison never violates a bound.
//
// Length kinds (string, hexBinary, base64Binary) count bytes (of the
// local-code-page text, or of the binary data) and test minLength, maxLength
// and length, in this order.
#ifndef VXXML_XMLOBJECTHELPER_H
#define VXXML_XMLOBJECTHELPER_H

#include <string>

#include "vxxml/Export.h"
#include "vxxml/ItemType.h"
#include "vxxml/Restrictions.h"

namespace VxXmlLib10 {

class CBinaryData;
class CXmlElement;
class CXmlSerializationContext;
class CBigInteger;
class CDecimal;
class CDateTime;
class CDateTimeSpan;
class VxVariant;

class VXXML_API CXmlObjectHelper {
 public:
  /// True when a token of `rule` accepts `namespaceUri` (see above).
  static bool IsNamespaceValid(const std::string& namespaceUri, const std::string& rule,
                               const std::string& targetNamespace);
  /// Returns true when IsNamespaceValid does; otherwise throws
  /// CVxInvalidNamespaceException "Invalid namespace [%s]. The namespace must
  /// be one of [%s] where the target namespace is [%s]".
  static bool TestNamespace(const std::string& namespaceUri, const std::string& rule,
                            const std::string& targetNamespace);
  /// True when the element's local name is `name` and, unless the context
  /// ignores namespaces, its namespace URI is `namespaceUri`. Under
  /// SchemaType_NoNamespaces only the local name counts. A null element
  /// matches nothing.
  static bool DoesElementNameMatch(const CXmlSerializationContext& context,
                                   const CXmlElement* element, const std::string& name,
                                   const std::string& namespaceUri);

  /// Checks the value held by the variant as kind `type` with the check of
  /// that kind. A nil variant holds no value and passes. `type` 22 (char) and
  /// values outside 1..26 throw CVxInvalidValueException
  /// "unknown type [<the variant's type name>]". A variant holding a value
  /// stored differently from `type` (a string checked as an i4, say) throws
  /// CVxInvalidParamException
  /// "Invalid Value for %s: a value of type [%s] cannot be checked as [%s]".
  static void CheckRestriction(const char* name, const VxVariant& value, ItemType type,
                               const CPrimitiveRestrictions& restrictions);

  /// Lengths only; violations throw CVxException
  /// "Invalid Value for %s [%s]" with the value as upper-case hex.
  static void CheckRestrictionForhexBinary(const char* name, const CBinaryData& value,
                                           const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForbase64Binary(const char* name, const CBinaryData& value,
                                              const CPrimitiveRestrictions& restrictions);

  /// Violations throw CVxException "Invalid Value for %s [%d]" (the value in
  /// decimal; for i8 and ui8 their canonical text).
  static void CheckRestrictionFori1(const char* name, char value,
                                    const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionFori2(const char* name, short value,
                                    const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionFori4(const char* name, long value,
                                    const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionFori8(const char* name, long long value,
                                    const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForui1(const char* name, unsigned char value,
                                     const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForui2(const char* name, unsigned short value,
                                     const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForui4(const char* name, unsigned long value,
                                     const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForui8(const char* name, unsigned long long value,
                                     const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForyear(const char* name, unsigned short value,
                                      const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionFormonth(const char* name, unsigned char value,
                                       const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForday(const char* name, unsigned char value,
                                     const CPrimitiveRestrictions& restrictions);

  /// Violations throw CVxException "Invalid Value for %s [%f]".
  static void CheckRestrictionForr4(const char* name, float value,
                                    const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForr8(const char* name, double value,
                                    const CPrimitiveRestrictions& restrictions);

  /// Violations throw CVxException "Invalid Value for %s [%s]" with the
  /// value's ToString().
  static void CheckRestrictionForduration(const char* name, const CDateTimeSpan& value,
                                          const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForyearMonth(const char* name, const CDateTime& value,
                                           const CPrimitiveRestrictions& restrictions);
  /// The same as CheckRestrictionForyearMonth.
  static void CheckRestrictionFormonthYear(const char* name, const CDateTime& value,
                                           const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionFormonthDay(const char* name, const CDateTime& value,
                                          const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionFordate(const char* name, const CDateTime& value,
                                      const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionFordatetime(const char* name, const CDateTime& value,
                                          const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionFortime(const char* name, const CDateTime& value,
                                      const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionFordecimal(const char* name, const CDecimal& value,
                                         const CPrimitiveRestrictions& restrictions);
  static void CheckRestrictionForinteger(const char* name, const CBigInteger& value,
                                         const CPrimitiveRestrictions& restrictions);

  /// Lengths, then the pattern (TestRegEx). A violation throws CVxException
  /// "Invalid Value for %s [%s]" with the value. A pattern that does not
  /// compile throws CVxException "<TestRegEx's message>\nInvalid Value for
  /// %s [%s]" (one message holding both lines).
  static void CheckRestrictionForstring(const char* name, const std::string& value,
                                        const CPrimitiveRestrictions& restrictions);
  /// Never fails.
  static void CheckRestrictionForboolean(const char* name, bool value,
                                         const CPrimitiveRestrictions& restrictions);
};

}  // namespace VxXmlLib10

#endif  // VXXML_XMLOBJECTHELPER_H
