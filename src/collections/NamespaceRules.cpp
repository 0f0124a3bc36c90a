// Namespace rules of wildcards and element-name matching.
#include <cstring>

#include "collections/Messages.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"

namespace VxXmlLib10 {

namespace {

// Whether one token of a rule accepts the namespace. The token is
// [begin, end) of the rule text.
bool TokenAccepts(const char* begin, size_t length, const std::string& namespaceUri,
                  const std::string& targetNamespace) {
  auto is = [begin, length](const char* keyword) {
    return length == std::strlen(keyword) && std::memcmp(begin, keyword, length) == 0;
  };
  if (is("##any")) return true;
  if (is("##other")) return namespaceUri != targetNamespace;
  if (is("##local")) return namespaceUri.empty();
  if (is("##targetNamespace")) return namespaceUri == targetNamespace;
  // A URI token; an unqualified name is allowed alongside it.
  return namespaceUri.empty() ||
         (namespaceUri.size() == length && std::memcmp(begin, namespaceUri.data(), length) == 0);
}

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

bool CXmlObjectHelper::IsNamespaceValid(const std::string& namespaceUri, const std::string& rule,
                                        const std::string& targetNamespace) {
  // Every space ends a token, so "a  b" holds an empty token between a and b,
  // and an empty rule is one empty token.
  size_t start = 0;
  for (;;) {
    const size_t space = rule.find(' ', start);
    const size_t end = space == std::string::npos ? rule.size() : space;
    if (TokenAccepts(rule.data() + start, end - start, namespaceUri, targetNamespace))
      return true;
    if (space == std::string::npos) return false;
    start = space + 1;
  }
}

bool CXmlObjectHelper::TestNamespace(const std::string& namespaceUri, const std::string& rule,
                                     const std::string& targetNamespace) {
  if (!IsNamespaceValid(namespaceUri, rule, targetNamespace))
    detail::ThrowNamespaceNotAllowed(namespaceUri, rule, targetNamespace);
  return true;
}

bool CXmlObjectHelper::DoesElementNameMatch(const CXmlSerializationContext& context,
                                            const CXmlElement* element, const std::string& name,
                                            const std::string& namespaceUri) {
  if (!element || element->GetLocalName() != name) return false;
  // Without namespace processing the document holds no namespaces to compare.
  if (context.GetSchemaType() == SchemaType_NoNamespaces || context.GetIgnoreNamespaces())
    return true;
  return element->GetNamespaceURI() == namespaceUri;
}

bool CXmlObjectBase::IsNamespaceValid(const char* namespaceUri, const char* rule,
                                      const char* targetNamespace) const {
  return CXmlObjectHelper::IsNamespaceValid(Text(namespaceUri), Text(rule),
                                            Text(targetNamespace));
}

bool CXmlObjectBase::TestNamespace(const char* namespaceUri, const char* rule,
                                   const char* targetNamespace) const {
  return CXmlObjectHelper::TestNamespace(Text(namespaceUri), Text(rule), Text(targetNamespace));
}

bool CXmlObjectBase::DoesElementNameMatch(const CXmlSerializationContext& context,
                                          const CXmlElement* element, const char* name,
                                          const char* namespaceUri) const {
  return CXmlObjectHelper::DoesElementNameMatch(context, element, Text(name), Text(namespaceUri));
}

}  // namespace VxXmlLib10
