// Every message of the Fast Infoset reader, thrown from one place so that the
// exact wording can be checked here.
#ifndef VXXML_SRC_FASTINFOSET_FASTINFOSETREADERMESSAGES_H
#define VXXML_SRC_FASTINFOSET_FASTINFOSETREADERMESSAGES_H

#include <cstdint>

namespace VxXmlLib10 {
namespace detail {

[[noreturn]] void ThrowFIEndOfFile();
[[noreturn]] void ThrowFIInvalidElementType();
[[noreturn]] void ThrowFIInvalidDocumentChild();
[[noreturn]] void ThrowFIPrefixWithoutNamespace();
/// bit: "second", "third" or "fourth".
[[noreturn]] void ThrowFIInvalidInteger0(const char* bit);
[[noreturn]] void ThrowFIInvalidInteger1(const char* bit);
/// bit: "second", "fifth" or "seventh".
[[noreturn]] void ThrowFIInvalidOctetStringLength(const char* bit);
[[noreturn]] void ThrowFIInvalidAlphabetSize();
[[noreturn]] void ThrowFIIndexBeyondTable(uint64_t index, const char* table);
[[noreturn]] void ThrowFIBeyondAlphabet(uint64_t position, uint64_t alphabet, uint64_t length);
[[noreturn]] void ThrowFIInvalidTerminator(const char* list);
[[noreturn]] void ThrowFISecondDocumentElement();
[[noreturn]] void ThrowFINoDocumentElement();
[[noreturn]] void ThrowFILongString(uint64_t length);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_FASTINFOSET_FASTINFOSETREADERMESSAGES_H
