// Every message of the binding layer: the writing and reading of generated classes, the choice
// guards, the entry points and the serialization context: thrown from small [[noreturn]] helpers,
// so that the exact wording can be checked in one file (Messages.cpp).
#ifndef VXXML_SRC_BINDING_MESSAGES_H
#define VXXML_SRC_BINDING_MESSAGES_H

#include <string>

namespace VxXmlLib10 {

class CVxException;

namespace detail {

// ---- writing generated classes ------------------------------------------------------------------

[[noreturn]] void ThrowUnknownGroupTypeToXml();
[[noreturn]] void ThrowAttributesToXmlFailed(const CVxException& inner);
[[noreturn]] void ThrowElementToXmlFailed(const std::string& elementName,
                                          const CVxException& inner);

// ---- reading generated classes ------------------------------------------------------------------

[[noreturn]] void ThrowUnknownGroupTypeFromXml();
[[noreturn]] void ThrowNilOnNonNillableClass(const std::string& elementName);
[[noreturn]] void ThrowUnexpectedNilAttributeValue(const std::string& value);
[[noreturn]] void ThrowUnexpectedAttribute(const std::string& attributeName);
[[noreturn]] void ThrowElementFromXmlFailed(const std::string& elementName,
                                            const CVxException& inner);
/// Generated code: a document whose root no global element matches.
[[noreturn]] void ThrowUnknownDocumentElement(const std::string& elementName,
                                              const std::string& namespaceUri);
/// Generated code: an enumeration text that names no value.
[[noreturn]] void ThrowInvalidEnumValue(const char* typeName, const char* text);

// ---- the event binder ---------------------------------------------------------------------------

/// Not a failure: the document holds something the event binder leaves to
/// the tree (CBindingAbandoned, caught by the entry points).
[[noreturn]] void ThrowBindingAbandoned();

// ---- the entry points and the serialization context ---------------------------------------------

[[noreturn]] void ThrowZlibToFile();
/// SetIgnoreUnknownElements(true) while missing mandatory elements are ignored.
[[noreturn]] void ThrowCannotIgnoreUnknownElements();
/// SetIgnoreMissingMandatoryElements(true) while unknown elements are ignored.
[[noreturn]] void ThrowCannotIgnoreMissingElements();

// ---- the choice and property guards -------------------------------------------------------------

/// "The Property [%s] is already set. ..." (object and collection members).
[[noreturn]] void ThrowChoiceAlreadySet(const std::string& selected);
/// "The Property %s is already set. ..." (simple members: no brackets).
[[noreturn]] void ThrowChoiceValueAlreadySet(const std::string& selected);
[[noreturn]] void ThrowPropertyIsNull(const char* memberName);
[[noreturn]] void ThrowElementNameDiffers(const char* elementName, const std::string& actual);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_BINDING_MESSAGES_H
