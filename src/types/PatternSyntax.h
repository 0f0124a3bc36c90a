// XML Schema regular expressions translated into PCRE2 syntax.
#ifndef VXXML_SRC_TYPES_PATTERNSYNTAX_H
#define VXXML_SRC_TYPES_PATTERNSYNTAX_H

#include <string>

namespace VxXmlLib10 {
namespace detail {

/// The PCRE2 expression (UTF mode, to be compiled anchored at both ends)
/// that matches exactly what the XML Schema regular expression `pattern`
/// (UTF-8) matches. A pattern outside the XML Schema grammar throws
/// CVxException naming the fault and its position (ThrowInvalidPattern).
std::string TranslatePattern(const std::string& pattern);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_PATTERNSYNTAX_H
