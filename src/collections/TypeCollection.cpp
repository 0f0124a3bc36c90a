// The base of the collections of simple values.
#include "vxxml/Collection.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"

namespace VxXmlLib10 {

namespace {
std::string Text(const char* text) { return text ? std::string(text) : std::string(); }
}  // namespace

CXmlTypeCollection::CXmlTypeCollection(ItemType type, const char* elementName,
                                       const char* namespaceUri, int minOccurs, int maxOccurs,
                                       const char* pattern, int minLength, int maxLength,
                                       const char* minInclusive, const char* maxInclusive,
                                       const char* minExclusive, const char* maxExclusive,
                                       int length,
                                       CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                       const char* valueFormat)
    : CXmlCollectionBase(elementName, namespaceUri, minOccurs, maxOccurs),
      m_restrictions(Text(pattern), minLength, maxLength, Text(minInclusive),
                     Text(maxInclusive), Text(minExclusive), Text(maxExclusive), length),
      m_itemType(type),
      m_valueFormat(Text(valueFormat)),
      m_whitespaceRule(whitespaceRule) {}

CXmlTypeCollection::~CXmlTypeCollection() = default;

CXmlElement* CXmlTypeCollection::FromXml_Int(CXmlElement*, CXmlElement* current,
                                             const CXmlSerializationContext& context, bool) {
  const std::string name = GetElementName();
  const std::string namespaceUri = GetNamespace();
  if (m_listForm) {
    if (!current || !CXmlObjectHelper::DoesElementNameMatch(context, current, name, namespaceUri))
      return current;
    // The items: runs of anything but XML whitespace.
    const std::string& text = current->GetText();
    const char* kSpace = " \t\r\n";
    for (std::string::size_type at = text.find_first_not_of(kSpace); at != std::string::npos;) {
      const std::string::size_type end = text.find_first_of(kSpace, at);
      AddFromString(text.substr(at, end == std::string::npos ? end : end - at));
      at = end == std::string::npos ? end : text.find_first_not_of(kSpace, end);
    }
    return current->GetNextSiblingElement();
  }
  while (current && CXmlObjectHelper::DoesElementNameMatch(context, current, name, namespaceUri)) {
    AddFromString(current->GetText());
    current = current->GetNextSiblingElement();
  }
  return current;
}

}  // namespace VxXmlLib10
