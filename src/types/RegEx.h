// Private helpers of the pattern test, shared with the facet checks.
#ifndef VXXML_SRC_TYPES_REGEX_H
#define VXXML_SRC_TYPES_REGEX_H

#include <string>

namespace VxXmlLib10 {
namespace detail {

/// Local-code-page text as UTF-8, as CEncoder::LocalCodePageToUtf8Binary
/// converts it, but for the whole string: NUL bytes are kept. Returns
/// `text` itself (no copy) when it is already its own UTF-8 form; otherwise
/// fills `scratch` and returns it.
const std::string& LocalToUtf8(const std::string& text, std::string& scratch);

/// TestRegEx without copies: true when the whole value (local code page)
/// matches the XML Schema pattern (UTF-8).
bool MatchPattern(const std::string& pattern, const std::string& value);

/// MatchPattern for a pattern in the local code page, as facet sets hold
/// them: the same result as MatchPattern(LocalToUtf8(pattern), value),
/// without converting an ASCII pattern on every call.
bool MatchLocalPattern(const std::string& pattern, const std::string& value);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_REGEX_H
