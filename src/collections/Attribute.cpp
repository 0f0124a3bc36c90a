// Untyped attributes and their collection.
#include "collections/Messages.h"
#include "vxxml/Untyped.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"
#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {

namespace {
std::string Text(const char* text) { return text ? std::string(text) : std::string(); }
}  // namespace

namespace detail {
void ThrowNoMoreElementsInCollection() { ThrowNoMoreElements(); }
}  // namespace detail

// ---- CAttribute ------------------------------------------------------------------

CAttribute::CAttribute(const char* name, const char* value, const char* namespaceUri)
    : CInstanceMonitor("CAttribute"),
      m_name(Text(name)),
      m_value(Text(value)),
      m_namespaceUri(Text(namespaceUri)) {
  SetElementName(m_name.c_str());
}

CAttribute::~CAttribute() = default;

void CAttribute::SetName(const char* name) {
  m_name = Text(name);
  SetElementName(m_name.c_str());
  FireOnChangeName(m_name.c_str());
}

void CAttribute::SetValue(const char* value) { m_value = Text(value); }

void CAttribute::SetNamespace(const char* namespaceUri) {
  m_namespaceUri = Text(namespaceUri);
  FireOnChangeNamespace(m_namespaceUri.c_str());
}

CSmartPtr<CAttribute> CAttribute::Clone() const {
  return new CAttribute(m_name.c_str(), m_value.c_str(), m_namespaceUri.c_str());
}

void CAttribute::FireOnChangeName(const char*) {}
void CAttribute::FireOnChangeNamespace(const char*) {}

void CAttribute::ToXml_Int(CXmlWriter* writer, bool, const char*, const CXmlSerializationContext&,
                           bool) const {
  writer->WriteAttributeString(m_name, m_namespaceUri, m_value, ItemType_string);
}

CXmlElement* CAttribute::FromXml_Int(CXmlElement*, CXmlElement*, const CXmlSerializationContext&,
                                     bool) {
  detail::ThrowAttributeReadAlone();
}

// ---- CAttributeCol ---------------------------------------------------------------

CAttributeCol::CAttributeCol(const char* namespaceUri, const char* restriction,
                             const char* targetNamespace)
    : CXmlCollection("", namespaceUri, 0, -1),
      CInstanceMonitor("CAttributeCol"),
      m_restriction(Text(restriction)),
      m_targetNamespace(Text(targetNamespace)) {}

CAttributeCol::~CAttributeCol() = default;

CSmartPtr<CAttribute> CAttributeCol::Add(const char* name, const char* value) {
  const std::string namespaceUri = GetNamespace();
  CXmlObjectHelper::TestNamespace(namespaceUri, m_restriction, m_targetNamespace);
  CSmartPtr<CAttribute> attribute = new CAttribute(name, value, namespaceUri.c_str());
  AppendItem(attribute);
  return attribute;
}

CSmartPtr<CAttribute> CAttributeCol::Add(const char* name) { return Add(name, ""); }

CSmartPtr<CAttribute> CAttributeCol::Add(const char* name, const char* value,
                                         const char* namespaceUri) {
  CXmlObjectHelper::TestNamespace(Text(namespaceUri), m_restriction, m_targetNamespace);
  CSmartPtr<CAttribute> attribute = new CAttribute(name, value, namespaceUri);
  AppendItem(attribute);
  return attribute;
}

CSmartPtr<CAttribute> CAttributeCol::Add(CAttribute* attribute) {
  CSmartPtr<CAttribute> held = attribute;
  AppendItem(attribute);
  return held;
}

CSmartPtr<CAttribute> CAttributeCol::Item(int index) const {
  return dynamic_cast<CAttribute*>(GetNodeAtIndex(index)->GetItem());
}

CSmartPtr<CAttributeCol> CAttributeCol::Clone() const {
  CSmartPtr<CAttributeCol> copy =
      new CAttributeCol(GetNamespace().c_str(), m_restriction.c_str(), m_targetNamespace.c_str());
  for (CAttribute* attribute : *this)
    if (attribute) copy->AppendItem(attribute->Clone());
  return copy;
}

void CAttributeCol::ToXml_Int(CXmlWriter* writer, bool, const char* namespaceUri,
                              const CXmlSerializationContext& context,
                              bool emptyChoiceAllowed) const {
  for (Node* node = GetFirstNode(); node; node = node->GetNext())
    CXmlObjectBase::ToXml_Int(node->GetItem(), writer, false, namespaceUri, context,
                              emptyChoiceAllowed);
}

CXmlElement* CAttributeCol::FromXml_Int(CXmlElement* element, CXmlElement* firstChild,
                                        const CXmlSerializationContext&, bool) {
  if (!element) return firstChild;
  for (const CXmlAttribute* attribute : element->GetAttributes()) {
    if (!CXmlObjectHelper::IsNamespaceValid(attribute->GetNamespaceURI(), m_restriction,
                                            m_targetNamespace))
      detail::ThrowAttributeNamespace(attribute->GetLocalName());
    Add(attribute->GetLocalName().c_str(), attribute->GetValue().c_str(),
        attribute->GetNamespaceURI().c_str());
  }
  return firstChild;
}

}  // namespace VxXmlLib10
