// Runs of untyped elements.
#include "collections/Messages.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Untyped.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"

namespace VxXmlLib10 {

namespace {
std::string Text(const char* text) { return text ? std::string(text) : std::string(); }
}  // namespace

CElementCol::CElementCol(const char* namespaceUri, const char* restriction,
                         const char* targetNamespace, int minOccurs, int maxOccurs)
    : CXmlCollection("", namespaceUri, minOccurs, maxOccurs),
      CInstanceMonitor("CElementCol"),
      m_restriction(Text(restriction)),
      m_targetNamespace(Text(targetNamespace)) {
  CXmlObjectHelper::TestNamespace(Text(namespaceUri), m_restriction, m_targetNamespace);
}

CElementCol::~CElementCol() = default;

std::string CElementCol::GetNamespace() const { return CXmlCollection::GetNamespace(); }
std::string CElementCol::GetTargetNamespace() const { return m_targetNamespace; }

CSmartPtr<CElement> CElementCol::Add(CElement* element) {
  if (!element) detail::ThrowNullItem();
  CSmartPtr<CElement> held = element;
  CXmlObjectHelper::TestNamespace(element->GetNamespace(), m_restriction, m_targetNamespace);
  AppendItem(element);
  return held;
}

CSmartPtr<CElement> CElementCol::Add(const char* name) {
  const std::string namespaceUri = GetNamespace();
  if (namespaceUri.empty()) detail::ThrowNoCollectionNamespace();
  CSmartPtr<CElement> element = new CElement(name, namespaceUri.c_str(), m_restriction.c_str(),
                                             m_targetNamespace.c_str());
  AppendItem(element);
  return element;
}

CSmartPtr<CElement> CElementCol::Add(const char* name, const char* namespaceUri) {
  CXmlObjectHelper::TestNamespace(Text(namespaceUri), m_restriction, m_targetNamespace);
  CSmartPtr<CElement> element =
      new CElement(name, namespaceUri, m_restriction.c_str(), m_targetNamespace.c_str());
  AppendItem(element);
  return element;
}

CSmartPtr<CElement> CElementCol::Item(int index) const {
  return dynamic_cast<CElement*>(GetNodeAtIndex(index)->GetItem());
}

CSmartPtr<CElementCol> CElementCol::Clone() const {
  CSmartPtr<CElementCol> copy =
      new CElementCol(GetNamespace().c_str(), m_restriction.c_str(), m_targetNamespace.c_str(),
                      GetMinOccurs(), GetMaxOccurs());
  for (CElement* element : *this)
    if (element) copy->AppendItem(element->Clone());
  return copy;
}

void CElementCol::ToXml_Int(CXmlWriter* writer, bool, const char* namespaceUri,
                            const CXmlSerializationContext& context,
                            bool emptyChoiceAllowed) const {
  ValidateCount(context);
  for (Node* node = GetFirstNode(); node; node = node->GetNext())
    CXmlObjectBase::ToXml_Int(node->GetItem(), writer, false, namespaceUri, context,
                              emptyChoiceAllowed);
}

CXmlElement* CElementCol::FromXml_Int(CXmlElement* parent, CXmlElement* current,
                                      const CXmlSerializationContext& context, bool) {
  while (current && CXmlObjectHelper::IsNamespaceValid(current->GetNamespaceURI(),
                                                       m_restriction, m_targetNamespace)) {
    CSmartPtr<CElement> element =
        new CElement(current->GetLocalName().c_str(), current->GetNamespaceURI().c_str(),
                     m_restriction.c_str(), m_targetNamespace.c_str());
    CXmlElement* next = CXmlObjectBase::FromXml_Int(element, parent, current, context);
    if (next == current) break;  // the element refused it
    Add(element);
    current = next;
  }
  return current;
}

CXmlElement* CElementCol::FromXmlLockElementName_Int(std::string name, std::string namespaceUri,
                                                     CXmlElement* parent, CXmlElement* current,
                                                     const CXmlSerializationContext& context) {
  while (current && current->GetLocalName() == name &&
         current->GetNamespaceURI() == namespaceUri) {
    CSmartPtr<CElement> element = new CElement(
        current->GetLocalName().c_str(), current->GetNamespaceURI().c_str(), "##any",
        m_targetNamespace.c_str());
    CXmlElement* next = CXmlObjectBase::FromXml_Int(element, parent, current, context);
    if (next == current) break;
    Add(element);
    current = next;
  }
  return current;
}

}  // namespace VxXmlLib10
