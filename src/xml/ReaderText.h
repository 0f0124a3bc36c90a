// Conversion of the parsers' UTF-8 output to the local code page, as the
// readers need it: appended to a string the caller keeps, so the common case
// costs no allocation.
#ifndef VXXML_SRC_XML_READERTEXT_H
#define VXXML_SRC_XML_READERTEXT_H

#include <cstddef>
#include <string>

namespace VxXmlLib10 {
namespace detail {

/// Decided once per document: true when UTF-8 text is already in the local
/// code page (a UTF-8 locale), so well-formed UTF-8 is copied as it is.
bool LocalCodePageIsUtf8();

/// Appends UTF-8 text converted to the local code page: '?' for each
/// character the locale cannot represent; ill-formed UTF-8 appends nothing.
void AppendUtf8AsLocal(std::string& out, const char* utf8, std::size_t length);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_READERTEXT_H
