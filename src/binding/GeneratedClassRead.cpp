// The reading half of CXmlGeneratedClass: the attribute pass, the three group
// readers with their cursor rules, and the element's own simple value.
//
// The cursor is the current child element of the element being read (null
// when the children are exhausted). Each element info consumes its own
// elements from the front and leaves the cursor on the first element it did
// not take; the group readers decide which info is asked when, what becomes
// of elements nobody wants, and when the group as a whole has failed.
#include <strings.h>

#include <cstring>
#include <vector>

#include "binding/Messages.h"
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
  CElementInfo** infos = GetClassElementInfo();
  const int count = GetClassElementInfoCount();
  const std::string ownerNamespace = GetNamespace();
  const bool ignoreUnknown = context.GetIgnoreUnknownElements();

  CXmlElement* cursor = first;
  CXmlElement* last = first;
  int start = 0;
  for (;;) {
    for (int i = start; i < count;) {
      if (infos[i]->ElementFromXml(context, this, parent, &cursor, ownerNamespace, ownerType)) {
        if (cursor != last) {
          last = cursor;
          start = i;  // where a later pass resumes
        }
        ++i;
        continue;
      }
      // The member did not match: the group fails softly, unless unknown
      // elements are skipped, in which case the same member is asked again
      // past the element at the cursor.
      if (!ignoreUnknown || !cursor) return first;
      cursor = cursor->GetNextSiblingElement();
    }

    if (ownerType != XmlElementType_Element) return cursor;
    if (!cursor) return nullptr;
    if (!ignoreUnknown) detail::ThrowElementsLeftOver(parent->GetLocalName(), cursor->GetLocalName());
    // Every pass that starts here skips one more element, so this ends.
    cursor = cursor->GetNextSiblingElement();
    if (!cursor) return nullptr;
  }
}

CXmlElement* CXmlGeneratedClass::ProcessElementAllFromXml(const CXmlSerializationContext& context,
                                                          CXmlElement* parent,
                                                          CXmlElement* first,
                                                          XmlElementType ownerType) {
  CElementInfo** infos = GetClassElementInfo();
  const int count = GetClassElementInfoCount();
  const std::string ownerNamespace = GetNamespace();
  std::vector<bool> found(static_cast<size_t>(count), false);

  CXmlElement* cursor = first;
  while (cursor) {
    CXmlElement* const passStart = cursor;
    for (int i = 0; i < count; ++i) {
      if (found[static_cast<size_t>(i)]) continue;
      found[static_cast<size_t>(i)] =
          infos[i]->ElementFromXml(context, this, parent, &cursor, ownerNamespace, ownerType);
    }
    if (cursor == passStart) break;
  }

  const bool ownerIsElement = ownerType == XmlElementType_Element;
  for (int i = 0; i < count; ++i)
    if (!infos[i]->Validate(context, this, found[static_cast<size_t>(i)], ownerIsElement))
      return first;

  if (!ownerIsElement) return cursor;
  if (!cursor) return nullptr;
  if (context.GetIgnoreUnknownElements()) return cursor;
  detail::ThrowElementsLeftOver(parent->GetLocalName(), cursor->GetLocalName());
}

CXmlElement* CXmlGeneratedClass::ProcessElementChoiceFromXml(
    const CXmlSerializationContext& context, CXmlElement* parent, CXmlElement* first,
    XmlElementType ownerType, bool emptyChoiceAllowed) {
  CElementInfo** infos = GetClassElementInfo();
  const int count = GetClassElementInfoCount();
  const std::string ownerNamespace = GetNamespace();
  const bool ignoreUnknown = context.GetIgnoreUnknownElements();
  const bool ownerIsElement = ownerType == XmlElementType_Element;

  CXmlElement* cursor = first;
  bool chosen = false;
  for (;;) {
    for (int i = 0; i < count && !chosen; ++i)
      chosen = infos[i]->ElementFromXml(context, this, parent, &cursor, ownerNamespace, ownerType);
    if (chosen || !cursor || !ignoreUnknown || !ownerIsElement) break;
    cursor = cursor->GetNextSiblingElement();
    if (!cursor) break;
  }

  if (!chosen && !emptyChoiceAllowed) {
    if (ownerType == XmlElementType_PseudoElement) return ignoreUnknown ? first : cursor;
    if (!ownerIsElement) return cursor;
    if (!DoesElementContainOptionalElements() && !context.GetIgnoreMissingChoice())
      detail::ThrowEmptyChoiceFromXml(parent->GetLocalName());
  }

  if (!ownerIsElement) return cursor;
  if (!cursor) return nullptr;
  if (ignoreUnknown) return cursor;
  detail::ThrowElementsLeftOver(parent->GetLocalName(), cursor->GetLocalName());
}

bool CXmlGeneratedClass::IsElementInList(const CXmlSerializationContext& context,
                                         CXmlElement* element) const {
  CElementInfo** infos = GetClassElementInfo();
  if (!infos) return false;
  for (; *infos; ++infos)
    if ((*infos)->IsThisElement(context, element)) return true;
  return false;
}

}  // namespace VxXmlLib10
