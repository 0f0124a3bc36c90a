// The description of a generated class itself.
#include "vxxml/Metadata.h"

namespace VxXmlLib10Data {

CParentElementInfo::CParentElementInfo(XmlElementGroupType groupType,
                                       XmlElementType elementType, const char* elementName,
                                       const char* namespaceUri, bool rejectUnknownAttributes,
                                       bool writeTypeAttribute, int valuePropertyId,
                                       VxXmlLib10::ItemType valueItemType,
                                       const char* valueFormat, bool rawText)
    : m_groupType(groupType),
      m_elementType(elementType),
      m_elementName(elementName ? elementName : ""),
      m_namespaceURI(namespaceUri ? namespaceUri : ""),
      m_rejectUnknownAttributes(rejectUnknownAttributes),
      m_writeTypeAttribute(writeTypeAttribute),
      m_valuePropertyId(valuePropertyId),
      m_valueItemType(valueItemType),
      m_valueFormat(valueFormat ? valueFormat : ""),
      m_rawText(rawText) {}

CParentElementInfo::~CParentElementInfo() = default;

}  // namespace VxXmlLib10Data
