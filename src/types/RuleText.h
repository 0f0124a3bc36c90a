// The text a conversion reads: the caller's text under its whitespace rule,
// copied only when the rule changes it.
#ifndef VXXML_SRC_TYPES_RULETEXT_H
#define VXXML_SRC_TYPES_RULETEXT_H

#include <string>

#include "vxxml/Whitespace.h"

namespace VxXmlLib10 {
namespace detail {

/// True when the text holds a space, TAB, LF or CR.
inline bool HasWhiteSpace(const std::string& text) {
  for (const char c : text) {
    // One comparison for the usual byte; the four only below '!'.
    if (static_cast<unsigned char>(c) <= ' ' && CWhitespaceUtils::IsWhiteSpace(c)) return true;
  }
  return false;
}

/// True when `rule` leaves `text` as it is: no rule changes text without
/// whitespace, and preserving it changes only carriage returns.
inline bool KeepsText(CWhitespaceUtils::WhitespaceRule rule, const std::string& text) {
  switch (rule) {
    case CWhitespaceUtils::WhitespaceRule_None:
      return true;
    case CWhitespaceUtils::WhitespaceRule_Preserve:
      return text.find('\r') == std::string::npos;
    case CWhitespaceUtils::WhitespaceRule_Replace:
    case CWhitespaceUtils::WhitespaceRule_Collapse:
      return !HasWhiteSpace(text);
  }
  return false;
}

/// `text` under `rule`: the text itself when the rule leaves it as it is
/// (KeepsText), otherwise the rule's result in `scratch`. An unknown rule
/// always goes to CWhitespaceUtils::ApplyRule, which refuses it.
inline const std::string& ApplyRule(const std::string& text,
                                    CWhitespaceUtils::WhitespaceRule rule,
                                    std::string& scratch) {
  if (KeepsText(rule, text)) return text;
  scratch = CWhitespaceUtils::ApplyRule(rule, text);
  return scratch;
}

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_RULETEXT_H
