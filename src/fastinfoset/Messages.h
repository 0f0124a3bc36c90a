// Every message of Fast Infoset: thrown from small [[noreturn]] helpers, so that the exact wording
// can be checked in one file (Messages.cpp).
#ifndef VXXML_SRC_FASTINFOSET_MESSAGES_H
#define VXXML_SRC_FASTINFOSET_MESSAGES_H

#include <cstdint>
#include <string>

namespace VxXmlLib10 {

namespace detail {

// ---- the writer and the encoding algorithms -----------------------------------------------------

[[noreturn]] void ThrowFIUnsupportedUtf16();
[[noreturn]] void ThrowFIUnknownEncodingBit3();
[[noreturn]] void ThrowFIUnknownEncodingBit5();
[[noreturn]] void ThrowFIInvalidAlphabetIndex(unsigned long index);
[[noreturn]] void ThrowFIInvalidAlgorithmIndex(unsigned long index);
[[noreturn]] void ThrowFIInvalidAlphabetLength();
[[noreturn]] void ThrowFICharacterNotInAlphabet();
[[noreturn]] void ThrowFIUnsupportedAlphabetWidth();
[[noreturn]] void ThrowFIIntegerOutOfRange(unsigned long value);
[[noreturn]] void ThrowFIEmptyString();
[[noreturn]] void ThrowFIStringTooLong(uint64_t length);

// ---- the reader ---------------------------------------------------------------------------------

[[noreturn]] void ThrowFIEndOfFile();
/// A stream that failed, or no FILE* (a file named by path reports its own errors).
[[noreturn]] void ThrowFIReadFailed();
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

// ---- the byte encodings of CFastInfosetBinaryData -----------------------------------------------

[[noreturn]] void ThrowFIUnknownByteEncoding();
/// A length that is no multiple of the encoding's item size ("short", "int", ...).
[[noreturn]] void ThrowFIBadByteEncodingLength(const char* name);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_FASTINFOSET_MESSAGES_H
