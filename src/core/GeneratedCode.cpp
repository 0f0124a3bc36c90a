// The pieces of generated code that are the same in every schema: metadata
// tables, facet checks on stored values, xsi:type factories, document roots,
// object collections and enumeration texts.
#include "vxxml/GeneratedCode.h"

#include <algorithm>
#include <cstring>

#include "core/GeneratedClassReadErrors.h"
#include "vxxml/AttributeInfos.h"
#include "vxxml/ClassFactory.h"
#include "vxxml/Whitespace.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"

namespace VxXmlLib10 {

using VxXmlLib10Data::CAttributeInfo;
using VxXmlLib10Data::CElementInfo;
using VxXmlLib10Data::CParentElementInfo;

CGeneratedMetadata CGeneratedMetadata::Make(CParentElementInfo* info,
                                            const std::vector<CElementInfo*>& elements,
                                            const std::vector<CAttributeInfo*>& attributes) {
  CGeneratedMetadata tables;
  tables.info = info;
  tables.elements = new CElementInfo*[elements.size() + 1];
  std::copy(elements.begin(), elements.end(), tables.elements);
  tables.elements[elements.size()] = nullptr;
  // Attribute wildcards last, so that they take only what the named
  // attributes (a derived type's among them) leave.
  std::vector<CAttributeInfo*> ordered(attributes);
  std::stable_partition(ordered.begin(), ordered.end(), [](CAttributeInfo* a) {
    return dynamic_cast<VxXmlLib10Data::CAttributeInfoAny*>(a) == nullptr;
  });
  tables.attributes = new CAttributeInfo*[attributes.size() + 1];
  std::copy(ordered.begin(), ordered.end(), tables.attributes);
  tables.attributes[attributes.size()] = nullptr;
  return tables;
}

namespace detail {

void WriteGeneratedDeclarations(
    CXmlWriter* writer, const std::vector<std::pair<std::string, std::string>>& declarations) {
  CXmlWriter::NamespaceDeclarations made;
  made.reserve(declarations.size());
  for (const auto& d : declarations) made.push_back({d.first, d.second});
  writer->DeclareOnNextElement(made);
}

}  // namespace detail

void CheckStoredValue(bool read, const VxVariant& value, const char* name, ItemType kind,
                      const CPrimitiveRestrictions& facets) {
  if (read || !value.IsValid() || value.IsNil()) return;
  CXmlObjectHelper::CheckRestriction(name, value, kind, facets);
}

CSmartPtr<CXmlObjectBase> CreateByXsiType(CXmlElement* element, const CGeneratedType* types,
                                          std::size_t count,
                                          VxXmlLib10Data::ClassFactoryByIdFunc fallback) {
  const std::string& name = element->GetLocalName();
  static const std::string kXsi = "http://www.w3.org/2001/XMLSchema-instance";
  if (element->GetAttribute("type", kXsi).empty())
    return fallback ? fallback(0, name.c_str()) : CSmartPtr<CXmlObjectBase>();
  const std::string typeName = CClassfactoryBase::GetElementType(element);
  const std::string typeNamespace = CClassfactoryBase::GetElementTypeNamespaceUri(element);
  for (std::size_t i = 0; i < count; ++i)
    if (typeName == types[i].typeName && typeNamespace == types[i].namespaceUri)
      return types[i].create(0, name.c_str());
  return CSmartPtr<CXmlObjectBase>();
}

CSmartPtr<CXmlGeneratedClass> ReadGeneratedDocument(const CBinaryData& bytes,
                                                    const CXmlSerializationContext& context,
                                                    const CGeneratedRoot* roots,
                                                    std::size_t count) {
  CXmlDocument document(context);
  document.LoadXmlStream(bytes.GetData(), bytes.GetLength());
  CXmlElement* root = document.GetDocumentElement();
  CSmartPtr<CXmlObjectBase> object;
  for (std::size_t i = 0; i < count && object.IsNull(); ++i)
    if (root->GetLocalName() == roots[i].elementName &&
        (context.GetIgnoreNamespaces() || root->GetNamespaceURI() == roots[i].namespaceUri))
      object = roots[i].create(root);
  CSmartPtr<CXmlGeneratedClass> generated(dynamic_cast<CXmlGeneratedClass*>(object.Get()));
  if (generated.IsNull())
    detail::ThrowUnknownDocumentElement(root->GetLocalName(), root->GetNamespaceURI());
  CXmlObjectBase::FromXml_Int(generated, root, root->GetFirstElement(), context);
  return generated;
}

CXmlElement* ReadGeneratedCollection(CXmlCollection& collection, CXmlElement* parent,
                                     CXmlElement* current, const CXmlSerializationContext& context,
                                     VxXmlLib10Data::XmlElementType itemType,
                                     CSmartPtr<CXmlObjectBase> (*create)(CXmlElement*, void*),
                                     void* state) {
  if (itemType == VxXmlLib10Data::XmlElementType_Element) {
    const std::string name = collection.GetElementName();
    const std::string namespaceUri = collection.GetNamespace();
    while (current && collection.DoesElementNameMatch(context, current, name.c_str(),
                                                      namespaceUri.c_str())) {
      CSmartPtr<CXmlObjectBase> item = create(current, state);
      if (item.IsNull()) break;  // no class fits: left for the next member
      CXmlObjectBase::FromXml_Int(item, current, current->GetFirstElement(), context);
      collection.AppendItem(item);
      current = current->GetNextSiblingElement();
    }
    return current;
  }
  // Tagless groups: one item per run of elements the group takes, until a
  // group takes nothing.
  while (current) {
    CSmartPtr<CXmlObjectBase> item = create(current, state);
    CXmlElement* const next = CXmlObjectBase::FromXml_Int(item, parent, current, context);
    if (next == current) break;
    collection.AppendItem(item);
    current = next;
  }
  return current;
}

std::string EnumText(const char* const* texts, int count, int value) {
  return value >= 0 && value < count ? texts[value] : "";
}

int EnumValue(const char* const* texts, int count, const char* text, const char* typeName,
              bool collapse) {
  const std::string value =
      collapse ? CWhitespaceUtils::Collapse(text ? text : "") : std::string(text ? text : "");
  for (int i = 0; i < count; ++i)
    if (value == texts[i]) return i;
  detail::ThrowInvalidEnumValue(typeName, text ? text : "");
}

}  // namespace VxXmlLib10
