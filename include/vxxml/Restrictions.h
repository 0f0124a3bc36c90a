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
/// The pattern (UTF-8) is read by the grammar of XML Schema regular
/// expressions and matched with PCRE2 in UTF mode against the value,
/// converted from the local code page:
/// - the pattern always covers the whole value; '^' and '$' are ordinary
///   characters ('^' negates a character group when it comes first in it);
/// - '.' is any character but LF and CR; \s a space, TAB, LF or CR; \i a
///   character that may start an XML 1.0 name and \c one that may occur in
///   it (fifth edition: letters of every script, digits, '.', '-', '_', ':',
///   combining marks, U+00B7); \d a Unicode decimal digit (\p{Nd}); \w any
///   character outside the categories P, Z and C; \S \I \C \D \W their
///   complements;
/// - \p{X} and \P{X} for every general category X (L, Lu, ... Cn) and for
///   every Unicode block as IsName, the block's name without spaces: today's
///   names (IsGreekandCoptic) and the ones XML Schema 1.0 uses (IsGreek,
///   IsCombiningMarksforSymbols, IsPrivateUse for all three private-use
///   blocks);
/// - character groups with ranges, negation and subtraction at any depth
///   ([a-z-[aeiou]]); a '-' is a character of its own only first or last;
/// - the quantifiers ? * + {n} {n,} {n,m}, with bounds up to 65535.
/// Anything else is refused: Perl's \b, \A, \z, \x41 and back
/// references, lazy and possessive quantifiers, (?...) groups, an unknown
/// category or block, a '{', '}' or ']' that is not escaped outside a group.
///
/// This departs from a plain rewrite of a few escapes for PCRE: a pattern is
/// matched as XML Schema defines it, and patterns that PCRE would have read
/// its own way are refused instead.
///
/// A pattern outside the grammar throws CVxException "Invalid Regular
/// Expression: <pattern> Error: '<fault>' at character <n>", n counting
/// characters from 1, for example
///   "Invalid Regular Expression: [z-a] Error: 'range out of order in character
///   class' at character 4";
/// one that PCRE2 cannot hold (too large) throws "Invalid Regular Expression:
/// <pattern> Error: '<PCRE2's text>'". A match that PCRE2 gives up on (its
/// backtracking limit) counts as no match.
///
/// Compiled patterns are kept in a bounded, thread-safe cache; results and
/// messages are those of compiling on every call.
VXXML_API bool TestRegEx(std::string pattern, std::string value);

}  // namespace VxXmlLib10

#endif  // VXXML_RESTRICTIONS_H
