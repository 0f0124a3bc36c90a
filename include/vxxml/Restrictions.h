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
/// The pattern is rewritten for PCRE: an escaped backslash stays one;
/// \i becomes an ASCII letter, '_' or ':'; \c an ASCII letter or digit, '_',
/// '.', '-' or ':'; \C anything else; \I a character that is not an ASCII
/// letter or '_' (so ':' too); \p{IsBasicLatin},
/// \p{IsLatin-1Supplement}, \p{IsLatinExtended-A} and \p{IsLatinExtended-B}
/// the code point ranges of those blocks. Other syntax passes through as PCRE
/// reads it (\w and \d are ASCII classes, '^' and '$' are anchors, character
/// class subtraction is not supported). The pattern is taken as UTF-8 and
/// matched in UTF mode; the value is converted from the local code page.
/// A match must start at the first byte and end at the last one; every
/// alternative is tried for that, so "a|ab" matches "ab".
///
/// A pattern that does not compile throws CVxException
/// "Invalid Regular Expression: %s Error: '%s'" with the rewritten, anchored
/// expression ("^...$") and the PCRE2 error text. A match that PCRE2 gives up
/// on (its backtracking limit) counts as no match.
///
/// Compiled patterns are kept in a bounded, thread-safe cache; results and
/// messages are those of compiling on every call.
VXXML_API bool TestRegEx(std::string pattern, std::string value);

}  // namespace VxXmlLib10

#endif  // VXXML_RESTRICTIONS_H
