// XML Schema whitespace treatments and small text helpers used by the date,
// time and duration types.
#ifndef VXXML_WHITESPACE_H
#define VXXML_WHITESPACE_H

#include <string>

#include "vxxml/Export.h"

namespace VxXmlLib10 {

class VXXML_API CWhitespaceUtils {
 public:
  /// Whitespace treatment of a simple type.
  enum WhitespaceRule : int {
    WhitespaceRule_None = 0,     ///< text used unchanged
    WhitespaceRule_Preserve = 1, ///< CR LF and lone CR become LF
    WhitespaceRule_Replace = 2,  ///< every whitespace character becomes a space (CR LF one space)
    WhitespaceRule_Collapse = 3  ///< runs become one space, both ends trimmed
  };

  /// Space, TAB, LF and CR.
  static bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

  static std::string Preserve(const std::string& text);
  static std::string Preserve(const char* text, int length);
  static std::string Replace(const std::string& text);
  static std::string Collapse(const std::string& text);
  /// Applies `rule`; any value other than 0 to 3 throws CVxException
  /// "Unknown WhitespaceRule".
  static std::string ApplyRule(WhitespaceRule rule, const std::string& text);
};

/// `value` in decimal, zero-padded on the left to at least `width` digits.
VXXML_API std::string PadZero(int value, unsigned char width);

/// Fractional-seconds suffix: "" when all are zero, otherwise a point and the
/// digits without trailing zeros (500,0,0 gives ".5"; 0,0,5 ".000000005").
VXXML_API std::string ToFracString(unsigned short milli, unsigned short micro,
                                   unsigned short nano);

/// `text` without trailing '0' characters, but never shorter than one
/// character ("000" gives "0", "" stays "").
VXXML_API std::string TrimTrainingZeros(std::string text);

/// Replaces every occurrence of `what` by `with`, each search starting again
/// at the beginning of the text; `with` must not contain `what`.
VXXML_API void FindReplace(std::string& text, const std::string& what, const std::string& with);
VXXML_API void FindReplace(std::wstring& text, const std::wstring& what,
                           const std::wstring& with);

}  // namespace VxXmlLib10

#endif  // VXXML_WHITESPACE_H
