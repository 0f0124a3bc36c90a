// Every message of the Fast Infoset reader, thrown from one place so that the
// exact wording can be checked here.
#ifndef VXXML_SRC_FASTINFOSET_FASTINFOSETREADERMESSAGES_H
#define VXXML_SRC_FASTINFOSET_FASTINFOSETREADERMESSAGES_H

#include <cstdint>
#include <string>

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
// What XML cannot carry. Names are shown with ThrowFIInvalidName's escapes.
[[noreturn]] void ThrowFIIllFormedUtf8(unsigned octet);
[[noreturn]] void ThrowFICharacterNotAllowed(uint32_t codePoint);
[[noreturn]] void ThrowFIUnpairedSurrogate(uint32_t unit);
[[noreturn]] void ThrowFIOddUtf16Length(uint64_t length);
/// `utf8`: the name as read, shown with controls and ill-formed octets as \xHH.
[[noreturn]] void ThrowFIInvalidName(const std::string& utf8);
[[noreturn]] void ThrowFIReservedNamespace(const std::string& namespaceName);
[[noreturn]] void ThrowFIInvalidNamespaceDeclaration(const std::string& prefix,
                                                     const std::string& namespaceName);
[[noreturn]] void ThrowFIDuplicateNamespaceDeclaration(const std::string& prefix);
[[noreturn]] void ThrowFIXmlnsAttribute();
[[noreturn]] void ThrowFIDuplicateAttribute(const std::string& localName,
                                            const std::string& namespaceName);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_FASTINFOSET_FASTINFOSETREADERMESSAGES_H
