// The message texts of the collections, untyped content and the namespace rules of wildcards.
#include "collections/Messages.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

// ---- collections and untyped content ------------------------------------------------------------

void ThrowTooManyItems(const std::string& elementName, int maxOccurs) {
  throw CVxValidationException(
      FormatString("The Maximum number of [%s] elements allowed in this collection is %d",
                   elementName.c_str(), maxOccurs));
}

void ThrowTooFewItems(const std::string& elementName, int minOccurs) {
  throw CVxValidationException(
      FormatString("The Minimum number of [%s] elements allowed in this collection is %d",
                   elementName.c_str(), minOccurs));
}

void ThrowIndexOutOfRange(int index, int count) {
  throw CVxInvalidParamException(
      FormatString("Index %d is out of range, use 0 - %d", index, count));
}

void ThrowInsertIndexOutOfRange() { throw CVxInvalidParamException("Index out of range"); }

void ThrowItemNotFound() {
  throw CVxInvalidParamException("The object was not found in the collection");
}

void ThrowNullItem() {
  throw CVxInvalidParamException("A NULL item can not be added to the collection");
}

void ThrowCollectionTargetNamespace() {
  throw CVxException(
      "CXmlCollectionBase::GetTargetNamespace Should not be used from within a Collection "
      "(program logic error)");
}

void ThrowWrongDateKind(const char* kind) {
  throw CVxInvalidParamException(
      FormatString("Dates added to this collection must be of type %s", kind));
}

void ThrowValueOutOfRange(long long min, long long max, const std::string& value) {
  throw CVxInvalidParamException(FormatString(
      "Values added to this collection must be within %lld - %lld [%s]", min, max, value.c_str()));
}

void ThrowNamespaceIsRuleToken(const std::string& namespaceUri) {
  throw CVxInvalidNamespaceException(
      FormatString("Invalid Namespace [%s]", namespaceUri.c_str()));
}

void ThrowElementNameNull() {
  throw CVxInvalidNamespaceException("Element Name must have a value");
}

void ThrowRestrictionNull() {
  throw CVxInvalidNamespaceException("Namespace Restriction must have a value");
}

void ThrowTargetNamespaceNull() {
  throw CVxInvalidNamespaceException("Target Namespace must have a value");
}

void ThrowRestrictionViolated(const std::string& namespaceUri, const std::string& elementName,
                              const std::string& restriction, const CVxException& cause) {
  throw CVxInvalidNamespaceException(
      FormatString("The namespace %s in the class %s is invalid against restriction %s",
                   namespaceUri.c_str(), elementName.c_str(), restriction.c_str()),
      cause);
}

void ThrowAttributeNamespace(const std::string& attributeName) {
  throw CVxInvalidNamespaceException(FormatString(
      "Invalid Attribute [%s]. The attributes namespace is Inappropriate.", attributeName.c_str()));
}

void ThrowUnreadElement(const std::string& childName, const std::string& elementName) {
  throw CVxValidationException(FormatString("Invalid Element [%s] found in element [%s]",
                                            childName.c_str(), elementName.c_str()));
}

void ThrowNoCollectionNamespace() {
  throw CVxInvalidStateException("A Namespace has not been set for this Collection");
}

void ThrowNoMoreElements() { throw CVxException("No More Elements in the Collection"); }

void ThrowAttributeReadAlone() { throw CVxException("This should be done by the collection"); }

void ThrowNestedTooDeeply(const std::string& elementName, int levels) {
  throw CVxValidationException(FormatString(
      "The element [%s] is nested more than %d levels deep", elementName.c_str(), levels));
}

void ThrowNullObject() {
  throw CVxInvalidParamException("An element can not be built from a NULL object");
}

// ---- the namespace rules of wildcards -----------------------------------------------------------

void ThrowNamespaceNotAllowed(const std::string& namespaceUri, const std::string& rule,
                              const std::string& targetNamespace) {
  throw CVxInvalidNamespaceException(FormatString(
      "Invalid namespace [%s]. The namespace must be one of [%s] where the target namespace "
      "is [%s]",
      namespaceUri.c_str(), rule.c_str(), targetNamespace.c_str()));
}

}  // namespace detail
}  // namespace VxXmlLib10
