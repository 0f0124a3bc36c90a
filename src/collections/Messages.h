// Every message of the collections, untyped content and the namespace rules of wildcards: thrown
// from small [[noreturn]] helpers, so that the exact wording can be checked in one file
// (Messages.cpp).
#ifndef VXXML_SRC_COLLECTIONS_MESSAGES_H
#define VXXML_SRC_COLLECTIONS_MESSAGES_H

#include <string>

namespace VxXmlLib10 {

class CVxException;

namespace detail {

// ---- collections and untyped content ------------------------------------------------------------

// ---- collection base ----------------------------------------------------------------------------
[[noreturn]] void ThrowTooManyItems(const std::string& elementName, int maxOccurs);
[[noreturn]] void ThrowTooFewItems(const std::string& elementName, int minOccurs);
/// An index outside 0 .. count - 1.
[[noreturn]] void ThrowIndexOutOfRange(int index, int count);
/// An insertion index outside 0 .. count.
[[noreturn]] void ThrowInsertIndexOutOfRange();
[[noreturn]] void ThrowItemNotFound();
[[noreturn]] void ThrowNullItem();
[[noreturn]] void ThrowCollectionTargetNamespace();

// ---- typed value collections --------------------------------------------------------------------
/// A date of another kind than the collection's; `kind` is the kind's
/// enumerator name ("dt_date", ...).
[[noreturn]] void ThrowWrongDateKind(const char* kind);
/// A value outside min .. max, the values of its kind whose text reads back.
[[noreturn]] void ThrowValueOutOfRange(long long min, long long max, const std::string& value);

// ---- untyped content ----------------------------------------------------------------------------
/// A namespace argument that is a rule token ("##any", ...).
[[noreturn]] void ThrowNamespaceIsRuleToken(const std::string& namespaceUri);
[[noreturn]] void ThrowElementNameNull();
[[noreturn]] void ThrowRestrictionNull();
[[noreturn]] void ThrowTargetNamespaceNull();
[[noreturn]] void ThrowRestrictionViolated(const std::string& namespaceUri,
                                           const std::string& elementName,
                                           const std::string& restriction,
                                           const CVxException& cause);
[[noreturn]] void ThrowAttributeNamespace(const std::string& attributeName);
[[noreturn]] void ThrowUnreadElement(const std::string& childName,
                                     const std::string& elementName);
[[noreturn]] void ThrowNoCollectionNamespace();
[[noreturn]] void ThrowNoMoreElements();
[[noreturn]] void ThrowAttributeReadAlone();
/// A document nested deeper than untyped content follows.
[[noreturn]] void ThrowNestedTooDeeply(const std::string& elementName, int levels);
/// An element built from a null object.
[[noreturn]] void ThrowNullObject();

// ---- the namespace rules of wildcards -----------------------------------------------------------

/// A namespace that no token of the rule accepts.
[[noreturn]] void ThrowNamespaceNotAllowed(const std::string& namespaceUri,
                                           const std::string& rule,
                                           const std::string& targetNamespace);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_COLLECTIONS_MESSAGES_H
