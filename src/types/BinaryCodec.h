// Table-driven hexadecimal and Base64 coders over raw buffers, shared by
// CBinaryData and CBase64.
#ifndef VXXML_SRC_TYPES_BINARYCODEC_H
#define VXXML_SRC_TYPES_BINARYCODEC_H

#include <cstddef>

namespace VxXmlLib10 {
namespace detail {

/// Writes 2 * length upper-case hex digits to out.
void HexEncode(const unsigned char* data, size_t length, char* out);
/// Decodes length (even) hex digits into length / 2 bytes; throws the hex
/// character message on the first non-hex digit.
void HexDecode(const char* text, size_t length, unsigned char* out);

/// Characters of the Base64 form of length bytes (padding included).
size_t Base64EncodedLength(size_t length);
/// Writes Base64EncodedLength(length) characters to out.
void Base64Encode(const unsigned char* data, size_t length, char* out);
/// Decodes length characters into out (at least length bytes); returns the
/// bytes written, or 0 when a character is not allowed.
size_t Base64Decode(const char* text, size_t length, unsigned char* out);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_BINARYCODEC_H
