// The reading half of CXmlGeneratedClass: the attribute pass, xsi:nil, the
// children by the model group's rules (metadata/Groups.h) and the element's
// own simple value.
#include <strings.h>

#include <cstring>
#include <vector>

#include "binding/Messages.h"
#include "metadata/Groups.h"
#include "vxxml/Exception.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"

namespace VxXmlLib10 {

using VxXmlLib10Data::CAttributeInfo;
using VxXmlLib10Data::CElementInfo;
using VxXmlLib10Data::CParentElementInfo;
using VxXmlLib10Data::XmlElementType;
using VxXmlLib10Data::XmlElementType_Element;
using VxXmlLib10Data::XmlElementType_PseudoElement;

namespace {

bool EqualsNoCase(const std::string& text, const char* word) {
  return text.size() == std::strlen(word) && strcasecmp(text.c_str(), word) == 0;
}

int CountOf(CAttributeInfo** infos) {
  int count = 0;
  if (infos)
    while (infos[count]) ++count;
  return count;
}

}  // namespace

CXmlElement* CXmlGeneratedClass::FromXml_Int(CXmlElement* element, CXmlElement* firstChild,
                                             const CXmlSerializationContext& context,
                                             bool emptyChoiceAllowed) {
  if (!element) {
    // Nothing to read from: the object is only reset.
    Init();
    return nullptr;
  }
  try {
    Init();
    const CParentElementInfo* info = GetClassInfo();
    const XmlElementType ownerType = info->GetElementType();
    if (ownerType == XmlElementType_Element) SetElementName(element->GetLocalName().c_str());

    ProcessAttributesFromXml(context, element, info->GetRejectUnknownAttributes());
    const INillable* nillable = dynamic_cast<const INillable*>(this);
    if (nillable && nillable->IsNil()) return firstChild;

    CXmlElement* position = nullptr;
    switch (info->GetGroupType()) {
      case VxXmlLib10Data::XmlElementGroupType_Sequence:
        position = ProcessElementSeqFromXml(context, element, firstChild, ownerType);
        break;
      case VxXmlLib10Data::XmlElementGroupType_Choice:
        position = ProcessElementChoiceFromXml(context, element, firstChild, ownerType,
                                               emptyChoiceAllowed);
        break;
      case VxXmlLib10Data::XmlElementGroupType_All:
        position = ProcessElementAllFromXml(context, element, firstChild, ownerType);
        break;
      default:
        detail::ThrowUnknownGroupTypeFromXml();
    }

    if (info->HasValue()) {
      VxVariant value;
      if (info->GetRawText())
        value.SetString(element->GetText());
      else
        value.FromString(element->GetText(), info->GetValueItemType(),
                         CWhitespaceUtils::WhitespaceRule_None);
      AccessProperty(info->GetValuePropertyId(), false, value);
    }
    return position;
  } catch (const CVxException& e) {
    detail::ThrowElementFromXmlFailed(element->GetLocalName(), e);
  }
}

void CXmlGeneratedClass::ProcessAttributesFromXml(const CXmlSerializationContext& context,
                                                  CXmlElement* element, bool rejectUnknown) {
  CAttributeInfo** infos = GetClassAttributeInfo();
  const int count = CountOf(infos);
  std::vector<bool> found(static_cast<size_t>(count), false);

  for (const CXmlAttribute* attribute : element->GetAttributes()) {
    if (attribute->IsNamespaceAttribute()) continue;
    if (attribute->IsNilAttribute()) {
      INillable* nillable = dynamic_cast<INillable*>(this);
      if (!nillable) detail::ThrowNilOnNonNillableClass(element->GetLocalName());
      const std::string& value = attribute->GetValue();
      if (EqualsNoCase(value, "true") || EqualsNoCase(value, "1"))
        nillable->SetNil(true);
      else if (EqualsNoCase(value, "false") || EqualsNoCase(value, "0"))
        nillable->SetNil(false);
      else
        detail::ThrowUnexpectedNilAttributeValue(value);
      continue;
    }
    bool taken = false;
    for (int i = 0; i < count && !taken; ++i) {
      if (infos[i]->AttributeFromXml(context, this, attribute)) {
        found[static_cast<size_t>(i)] = true;
        taken = true;
      }
    }
    if (!taken && rejectUnknown && !context.GetIgnoreUnknownAttributes())
      detail::ThrowUnexpectedAttribute(attribute->GetLocalName());
  }

  for (int i = 0; i < count; ++i) infos[i]->Validate(context, found[static_cast<size_t>(i)]);
}

CXmlElement* CXmlGeneratedClass::ProcessElementSeqFromXml(const CXmlSerializationContext& context,
                                                          CXmlElement* parent,
                                                          CXmlElement* first,
                                                          XmlElementType ownerType) {
  return detail::ReadSequence(*this, context, parent, first, ownerType);
}

CXmlElement* CXmlGeneratedClass::ProcessElementAllFromXml(const CXmlSerializationContext& context,
                                                          CXmlElement* parent,
                                                          CXmlElement* first,
                                                          XmlElementType ownerType) {
  return detail::ReadAllGroup(*this, context, parent, first, ownerType);
}

CXmlElement* CXmlGeneratedClass::ProcessElementChoiceFromXml(
    const CXmlSerializationContext& context, CXmlElement* parent, CXmlElement* first,
    XmlElementType ownerType, bool emptyChoiceAllowed) {
  return detail::ReadChoice(*this, context, parent, first, ownerType, emptyChoiceAllowed);
}

}  // namespace VxXmlLib10
