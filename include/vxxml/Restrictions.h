// The facets of one simple type, and the XML Schema pattern test.
//
//   CPrimitiveRestrictions r;            // nothing restricted
//   r.pattern = "\\d{3}-[A-Z]{2}";
//   r.maxLength = 6;
//   TestRegEx(r.pattern, "123-AB");      // true: the whole value matches
//
// The checks themselves are CXmlObjectHelper::CheckRestriction... (see
// XmlObjectHelper.h).
#ifndef VXXML_RESTRICTIONS_H
#define VXXML_RESTRICTIONS_H

#include <string>

#include "vxxml/Export.h"

namespace VxXmlLib10 {

/// One type's facets as the generator wrote them: bounds as lexical text of
/// the value kind, lengths as numbers (in bytes), the pattern as an XML
/// Schema regular expression. An empty text or a negative number means the
/// facet is not set. Enumerations are not facets here.
class VXXML_API CPrimitiveRestrictions {
 public:
  /// No facet set (empty texts, lengths -1).
  CPrimitiveRestrictions();
  /// Every facet, in the order of the fields.
  CPrimitiveRestrictions(std::string pattern, int minLength, int maxLength,
                         std::string minInclusive, std::string maxInclusive,
                         std::string minExclusive, std::string maxExclusive, int length);
  virtual ~CPrimitiveRestrictions();

  std::string pattern;
  int minLength;
  int maxLength;
  std::string minInclusive;
  std::string maxInclusive;
  std::string minExclusive;
  std::string maxExclusive;
  int length;
};

/// True when the whole value matches the XML Schema regular expression.
///
/// The pattern is rewritten for PCRE: an escaped backslash is kept as it is;
/// \i, \I, \c and \C become the classes of name-start and name characters
/// (ASCII word characters, '_', ':', and for \c also '.' and '-');
/// \p{IsBasicLatin}, \p{IsLatin-1Supplement}, \p{IsLatinExtended-A} and
/// \p{IsLatinExtended-B} become the code point ranges of those blocks. Other
/// syntax passes through unchanged (so PCRE meanings apply, for instance to
/// '^' and '$'; character class subtraction is not supported). The pattern
/// is used as UTF-8; the value is converted from the local code page.
///
/// A pattern that does not compile throws CVxException
/// "Invalid Regular Expression: %s Error: '%s'" with the rewritten, anchored
/// expression and the PCRE2 error text. A value that cannot be matched (for
/// instance when the match limit is reached) does not match.
///
/// Compiled patterns are kept in a bounded, thread-safe cache; the results
/// and messages are those of compiling on every call.
VXXML_API bool TestRegEx(std::string pattern, std::string value);

}  // namespace VxXmlLib10

#endif  // VXXML_RESTRICTIONS_H
