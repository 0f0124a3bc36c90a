// Untyped elements: holding, copying from a document, writing and reading.
#include <algorithm>

#include "collections/Messages.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Exception.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Streams.h"
#include "vxxml/Untyped.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"
#include "vxxml/XmlTextWriter.h"

namespace VxXmlLib10 {

namespace {

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

bool IsRuleToken(const std::string& text) {
  return text == "##any" || text == "##other" || text == "##local" ||
         text == "##targetNamespace";
}

// Where the namespace argument of the two-text constructor also serves as
// the rule; a rule token there is refused before Init sees it.
const char* CheckedNamespace(const char* namespaceUri) {
  if (namespaceUri && IsRuleToken(namespaceUri)) detail::ThrowNamespaceIsRuleToken(namespaceUri);
  return namespaceUri ? namespaceUri : "";
}

// Reading and copying descend one call level per element level; the depth is
// bounded so that a hostile document cannot exhaust the stack.
constexpr int kMaxDepth = 1000;
thread_local int t_depth = 0;

class DepthGuard {
 public:
  explicit DepthGuard(const std::string& elementName) {
    if (t_depth >= kMaxDepth) detail::ThrowNestedTooDeeply(elementName, kMaxDepth);
    ++t_depth;
  }
  ~DepthGuard() { --t_depth; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
};

}  // namespace

CElement::CElement(const char* name) : CInstanceMonitor("CElement") {
  Init(name, "", "##any", "");
}

CElement::CElement(const char* name, const char* namespaceUri) : CInstanceMonitor("CElement") {
  const char* checked = CheckedNamespace(namespaceUri);
  Init(name, checked, checked, "");
}

CElement::CElement(const char* name, const char* namespaceUri, const char* restriction,
                   const char* targetNamespace)
    : CInstanceMonitor("CElement") {
  Init(name, namespaceUri, restriction, targetNamespace);
}

CElement::CElement(CXmlObjectBase* object, const char* defaultNamespace)
    : CInstanceMonitor("CElement") {
  Init("", "", "##any", "");
  if (!object) detail::ThrowNullObject();
  m_defaultNamespace = Text(defaultNamespace);

  // The object writes itself as a document, as the byte-returning entry
  // point does it (UTF-8, no declaration, not formatted), under a context
  // that names the default namespace; the document it reads back is copied.
  CXmlSerializationContext context;
  context.SetDefaultNamespaceURI(m_defaultNamespace.c_str());
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetFormat(false);
  writer.Open();
  CXmlObjectBase::ToXml_Int(object, &writer, true, object->GetTargetNamespace().c_str(), context,
                            false);
  writer.Close();
  const CBinaryData bytes = stream.GetEncodedStream();
  CXmlDocument document;
  document.LoadXmlStream(bytes.GetData(), bytes.GetLength());
  CopyXmlElement(document.GetDocumentElement());
}

CElement::~CElement() = default;

void CElement::Init(const char* name, const char* namespaceUri, const char* restriction,
                    const char* targetNamespace) {
  if (!name) detail::ThrowElementNameNull();
  if (!restriction) detail::ThrowRestrictionNull();
  if (!targetNamespace) detail::ThrowTargetNamespaceNull();
  const std::string ns = Text(namespaceUri);
  CXmlObjectHelper::TestNamespace(ns, restriction, targetNamespace);
  m_name = name;
  m_namespaceUri = ns;
  m_restriction = restriction;
  m_targetNamespace = targetNamespace;
  SetElementName(name);
  m_attributes = new CAttributeCol(ns.c_str(), "##any", targetNamespace);
  m_elements = new CElementCol(ns.c_str(), "##any", targetNamespace, 0, -1);
}

void CElement::FromXml(const char* xml) {
  const CXmlSerializationContext& context = CXmlSerializationContext::m_defaultContext;
  CXmlDocument document(context);
  document.LoadXml(xml);
  CXmlElement* root = document.GetDocumentElement();
  FromXml_Int(root, root, context, false);
}

void CElement::FromXmlFile(const char* fileName, const CXmlSerializationContext& context) {
  CXmlDocument document(context);
  document.Load(fileName);
  FromXmlElement(document.GetDocumentElement(), context);
}

void CElement::FromXml(const char* xmlText, const CXmlSerializationContext& context) {
  CXmlDocument document(context);
  document.LoadXml(xmlText);
  FromXmlElement(document.GetDocumentElement(), context);
}

void CElement::FromXml(const wchar_t* xmlText, const CXmlSerializationContext& context) {
  CXmlDocument document(context);
  document.LoadXml(xmlText);
  FromXmlElement(document.GetDocumentElement(), context);
}

void CElement::FromXmlStream(unsigned char* data, unsigned long length,
                             const CXmlSerializationContext& context) {
  CXmlDocument document(context);
  document.LoadXmlStream(data, length);
  FromXmlElement(document.GetDocumentElement(), context);
}

void CElement::FromXmlElement(const CXmlElement* element, const CXmlSerializationContext& context) {
  CXmlElement* e = const_cast<CXmlElement*>(element);
  FromXml_Int(e, e, context, false);
}

// The default namespace is taken only where the element declares one: an
// element built from an object keeps the one it was given.
void CElement::TakeElement(const CXmlElement* element) {
  m_text = element->GetText();
  m_textOffset = element->GetTextOffset();
  m_name = element->GetLocalName();
  SetElementName(m_name.c_str());
  m_namespaceUri = element->GetNamespaceURI();
  m_declarations = element->GetNamespaceDeclarations();
  for (const auto& declaration : m_declarations)
    if (declaration.first.empty()) m_defaultNamespace = declaration.second;
}

void CElement::CopyXmlElement(const CXmlElement* element) {
  if (!element) return;
  DepthGuard guard(element->GetLocalName());
  TakeElement(element);
  m_attributes->Clear();
  m_elements->Clear();
  for (const CXmlAttribute* attribute : element->GetAttributes()) {
    m_attributes->Add(attribute->GetLocalName().c_str(), attribute->GetValue().c_str(),
                      attribute->GetNamespaceURI().c_str());
    if (attribute->GetLocalName() == "xmlns") m_defaultNamespace = attribute->GetValue();
  }
  for (const CXmlElement* child = element->GetFirstElement(); child;
       child = child->GetNextSiblingElement()) {
    CSmartPtr<CElement> copy = new CElement(child->GetLocalName().c_str());
    copy->CopyXmlElement(child);
    m_elements->Add(copy);
  }
}

void CElement::SetNamespaceRestrictions(const char* restriction, const char* targetNamespace) {
  const std::string rule = Text(restriction);
  const std::string target = Text(targetNamespace);
  try {
    CXmlObjectHelper::TestNamespace(m_namespaceUri, rule, target);
  } catch (const CVxException& cause) {
    detail::ThrowRestrictionViolated(m_namespaceUri, m_name, rule, cause);
  }
  for (const CAttribute* attribute : *m_attributes)
    if (attribute) CXmlObjectHelper::TestNamespace(attribute->GetNamespace(), rule, target);
  for (CElement* child : *m_elements)
    if (child) child->SetNamespaceRestrictions(restriction, targetNamespace);
}

CSmartPtr<CElement> CElement::Clone() const {
  // Built empty and filled field by field: the copy holds what this element
  // holds even where that was set without a rule test (CopyXmlElement).
  CSmartPtr<CElement> copy = new CElement("");
  copy->m_name = m_name;
  copy->SetElementName(m_name.c_str());
  copy->m_text = m_text;
  copy->m_textOffset = m_textOffset;
  copy->m_namespaceUri = m_namespaceUri;
  copy->m_restriction = m_restriction;
  copy->m_targetNamespace = m_targetNamespace;
  copy->m_attributes = m_attributes->Clone();
  copy->m_elements = m_elements->Clone();
  copy->m_defaultNamespace = m_defaultNamespace;
  copy->m_declarations = m_declarations;
  return copy;
}

void CElement::SetName(const char* name) {
  m_name = Text(name);
  SetElementName(m_name.c_str());
  FireOnChangeName(m_name.c_str());
}

void CElement::SetText(const char* text) {
  m_text = Text(text);
  FireOnChangeText(m_text.c_str());
}

void CElement::SetNamespace(const char* namespaceUri) {
  const std::string ns = Text(namespaceUri);
  CXmlObjectHelper::TestNamespace(ns, m_restriction, m_targetNamespace);
  m_namespaceUri = ns;
  FireOnChangeNamespace(m_namespaceUri.c_str());
}

void CElement::SetDefaultNamespace(const char* namespaceUri) {
  m_defaultNamespace = Text(namespaceUri);
  m_declarations.erase(std::remove_if(m_declarations.begin(), m_declarations.end(),
                                      [](const std::pair<std::string, std::string>& d) {
                                        return d.first.empty();
                                      }),
                       m_declarations.end());
}

void CElement::AddNamespaceDeclaration(const char* prefix, const char* namespaceUri) {
  m_declarations.emplace_back(Text(prefix), Text(namespaceUri));
  if (m_declarations.back().first.empty()) m_defaultNamespace = m_declarations.back().second;
}

void CElement::FireOnChangeName(const char*) {}
void CElement::FireOnChangeText(const char*) {}
void CElement::FireOnChangeNamespace(const char*) {}

// ---- writing ----------------------------------------------------------------------

void CElement::ToXml_Int(CXmlWriter* writer, bool, const char*,
                         const CXmlSerializationContext& context,
                         bool emptyChoiceAllowed) const {
  if (!m_defaultNamespace.empty() || !m_declarations.empty()) {
    CXmlWriter::NamespaceDeclarations declarations;
    bool declaresDefault = false;
    for (const auto& declaration : m_declarations) {
      declarations.push_back(
          CXmlWriter::NamespaceDeclaration{declaration.first, declaration.second});
      declaresDefault = declaresDefault || declaration.first.empty();
    }
    if (!declaresDefault && !m_defaultNamespace.empty())
      declarations.insert(declarations.begin(),
                          CXmlWriter::NamespaceDeclaration{std::string(), m_defaultNamespace});
    writer->DeclareOnNextElement(declarations);
  }
  writer->WriteStartElement(m_name, m_namespaceUri);
  CXmlObjectBase::ToXml_Int(m_attributes, writer, false, m_namespaceUri.c_str(), context,
                            emptyChoiceAllowed);
  if (m_text.empty() || m_elements->GetCount() == 0) {
    CXmlObjectBase::ToXml_Int(m_elements, writer, false, m_namespaceUri.c_str(), context,
                              emptyChoiceAllowed);
    writer->WriteString(m_text, ItemType_string);
    writer->WriteEndElement();
    return;
  }
  // Text mixed with elements: each run of text where it stood.
  m_elements->ValidateCount(context);
  writer->SetMixedContent();
  std::size_t at = 0;
  for (const CElement* child : *m_elements) {
    const std::size_t offset = std::min(std::max(child->m_textOffset, at), m_text.size());
    if (offset > at) writer->WriteString(m_text.substr(at, offset - at), ItemType_string);
    at = offset;
    CXmlObjectBase::ToXml_Int(child, writer, false, m_namespaceUri.c_str(), context,
                              emptyChoiceAllowed);
  }
  if (at < m_text.size()) writer->WriteString(m_text.substr(at), ItemType_string);
  writer->WriteEndElement();
}

// ---- reading ----------------------------------------------------------------------

CXmlElement* CElement::FromXml_Int(CXmlElement*, CXmlElement* current,
                                   const CXmlSerializationContext& context, bool) {
  if (!current) return nullptr;
  if (!CXmlObjectHelper::IsNamespaceValid(current->GetNamespaceURI(), m_restriction,
                                          m_targetNamespace))
    return current;
  DepthGuard guard(current->GetLocalName());
  // A read replaces what the element held.
  m_attributes->Clear();
  m_elements->Clear();
  CXmlObjectBase::FromXml_Int(m_attributes, current, current->GetFirstElement(), context);
  CXmlElement* left =
      CXmlObjectBase::FromXml_Int(m_elements, current, current->GetFirstElement(), context);
  if (left) detail::ThrowUnreadElement(left->GetLocalName(), m_name);
  m_defaultNamespace.clear();
  TakeElement(current);
  return current->GetNextSiblingElement();
}

}  // namespace VxXmlLib10
