// The pieces of generated code that are the same in every schema: metadata
// tables, facet checks on stored values, xsi:type factories, document roots,
// object collections and enumeration texts.
#include "vxxml/GeneratedCode.h"

#include <algorithm>
#include <cstring>

#include "base/XmlNamespaces.h"
#include "binding/EventBinder.h"
#include "binding/Messages.h"
#include "vxxml/AttributeInfos.h"
#include "vxxml/ClassFactory.h"
#include "vxxml/ElementInfoAll.h"
#include "vxxml/ElementInfoChoice.h"
#include "vxxml/ElementInfoSeq.h"
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

CPrimitiveRestrictions ToRestrictions(const CGeneratedFacets* f) {
  if (!f) return CPrimitiveRestrictions();
  auto text = [](const char* t) { return std::string(t ? t : ""); };
  return CPrimitiveRestrictions(text(f->pattern), f->minLength, f->maxLength,
                                text(f->minInclusive), text(f->maxInclusive),
                                text(f->minExclusive), text(f->maxExclusive), f->length);
}

namespace {

using namespace VxXmlLib10Data;

// The element info of one descriptor: the family its group, content and
// cardinality name, with the arguments that family takes.
template <class PrimMnd, class PrimOpt, class EnumMnd, class EnumOpt, class ClsOpt,
          class AbsClsMnd, class AbsClsOpt, class UntpdMnd, class UntpdOpt, class PrimCol,
          class ClsCol, class AbsClsCol, class UntpdCol>
CElementInfo* NewInfo(const CGeneratedElement& e) {
  using C = CGeneratedElement;
  const bool mandatory = e.cardinality == C::Mnd;
  if (e.cardinality == C::Col) {
    switch (e.content) {
      case C::Prim:
      case C::Enum: return new PrimCol(e.name, e.namespaceUri, e.id);
      case C::Cls: return new ClsCol(e.name, e.namespaceUri, e.id, e.childType);
      case C::AbsCls: return new AbsClsCol(e.name, e.namespaceUri, e.id, e.childType);
      case C::Untpd: return new UntpdCol(e.name, e.namespaceUri, e.id);
    }
  }
  switch (e.content) {
    case C::Prim: {
      const CPrimitiveRestrictions facets = ToRestrictions(e.facets);
      if (mandatory)
        return new PrimMnd(e.name, e.namespaceUri, e.id, e.nillable, e.itemType, nullptr,
                           e.whitespace, facets);
      return new PrimOpt(e.name, e.namespaceUri, e.id, e.nillable, e.itemType, nullptr,
                         e.whitespace, facets);
    }
    case C::Enum:
      if (mandatory) return new EnumMnd(e.name, e.namespaceUri, e.id, e.nillable, e.toText, e.toEnum);
      return new EnumOpt(e.name, e.namespaceUri, e.id, e.nillable, e.toText, e.toEnum);
    case C::Cls:  // the mandatory ones take a flag of their group's own (below)
      return new ClsOpt(e.name, e.namespaceUri, e.id, e.childType, e.create, 0);
    case C::AbsCls:
      if (mandatory) return new AbsClsMnd(e.name, e.namespaceUri, e.id, e.childType, e.createFor);
      return new AbsClsOpt(e.name, e.namespaceUri, e.id, e.childType, e.createFor);
    case C::Untpd:
      if (mandatory)
        return new UntpdMnd(e.name, e.namespaceUri, e.id, e.wildcard, e.wildcardTarget);
      return new UntpdOpt(e.name, e.namespaceUri, e.id, e.wildcard, e.wildcardTarget);
  }
  return nullptr;
}

// The all-group member whose constructor takes one more, unused, number.
class AllAbsClsMndInfo : public CElementInfoAllAbsClsMnd {
 public:
  AllAbsClsMndInfo(const char* name, const char* ns, int id, XmlElementType type,
                                 ClassFactoryByElementFunc factory)
      : CElementInfoAllAbsClsMnd(name, ns, id, type, factory, 0) {}
};

}  // namespace

void AddGeneratedElements(std::vector<CElementInfo*>& infos, const CGeneratedElement* table,
                          std::size_t count) {
  infos.reserve(infos.size() + count);
  using C = CGeneratedElement;
  for (std::size_t i = 0; i < count; ++i) {
    C e = table[i];
    const bool clsMnd = e.content == C::Cls && e.cardinality == C::Mnd;
    CElementInfo* info;
    if (clsMnd && e.group == XmlElementGroupType_Sequence) {
      info = new CElementInfoSeqClsMnd(e.name, e.namespaceUri, e.id, e.childType, e.create, 0,
                                       e.mustConsume);
    } else if (clsMnd && e.group == XmlElementGroupType_All) {
      info = new CElementInfoAllClsMnd(e.name, e.namespaceUri, e.id, e.childType, e.create, 0,
                                       e.mustConsume);
    } else if (e.group == XmlElementGroupType_Sequence) {
      info = NewInfo<CElementInfoSeqPrimMnd, CElementInfoSeqPrimOpt, CElementInfoSeqEnumMnd,
                     CElementInfoSeqEnumOpt, CElementInfoSeqClsOpt, CElementInfoSeqAbsClsMnd,
                     CElementInfoSeqAbsClsOpt, CElementInfoSeqUntpdMnd, CElementInfoSeqUntpdOpt,
                     CElementInfoSeqPrimCol, CElementInfoSeqClsCol, CElementInfoSeqAbsClsCol,
                     CElementInfoSeqUntpdCol>(e);
    } else if (e.group == XmlElementGroupType_All) {
      info = NewInfo<CElementInfoAllPrimMnd, CElementInfoAllPrimOpt, CElementInfoAllEnumMnd,
                     CElementInfoAllEnumOpt, CElementInfoAllClsOpt, AllAbsClsMndInfo,
                     CElementInfoAllAbsClsOpt, CElementInfoAllUntpdMnd, CElementInfoAllUntpdOpt,
                     CElementInfoAllPrimCol, CElementInfoAllClsCol, CElementInfoAllAbsClsCol,
                     CElementInfoAllUntpdCol>(e);
    } else {
      // A choice's alternatives are all optional.
      if (e.cardinality == C::Mnd) e.cardinality = C::Opt;
      info = NewInfo<CElementInfoChoicePrimOpt, CElementInfoChoicePrimOpt,
                     CElementInfoChoiceEnumOpt, CElementInfoChoiceEnumOpt,
                     CElementInfoChoiceClsOpt, CElementInfoChoiceAbsClsOpt,
                     CElementInfoChoiceAbsClsOpt, CElementInfoChoiceUntpdOpt,
                     CElementInfoChoiceUntpdOpt, CElementInfoChoicePrimCol,
                     CElementInfoChoiceClsCol, CElementInfoChoiceAbsClsCol,
                     CElementInfoChoiceUntpdCol>(e);
    }
    infos.push_back(info);
  }
}

void AddGeneratedAttributes(std::vector<CAttributeInfo*>& infos, const CGeneratedAttribute* table,
                            std::size_t count) {
  infos.reserve(infos.size() + count);
  for (std::size_t i = 0; i < count; ++i) {
    const CGeneratedAttribute& a = table[i];
    switch (a.content) {
      case CGeneratedAttribute::Prim:
        infos.push_back(new CAttributeInfoPrimitive(a.name, a.namespaceUri, a.id, a.optional,
                                                    a.itemType, nullptr, a.whitespace,
                                                    ToRestrictions(a.facets), a.defaultValue));
        break;
      case CGeneratedAttribute::Enum:
        infos.push_back(new CAttributeInfoEnum(a.name, a.namespaceUri, a.id, a.optional,
                                               a.toText, a.toEnum, a.defaultValue));
        break;
      case CGeneratedAttribute::Any:
        infos.push_back(new CAttributeInfoAny(a.name, a.namespaceUri, a.id, a.optional,
                                              a.wildcard, a.wildcardTarget, nullptr));
        break;
    }
  }
}

CSmartPtr<CXmlObjectBase> CreateByXsiType(CXmlElement* element, const CGeneratedType* types,
                                          std::size_t count,
                                          VxXmlLib10Data::ClassFactoryByIdFunc fallback) {
  const std::string& name = element->GetLocalName();
  static const std::string kXsi = detail::kXsiNamespace;
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
  // Straight from the events where the binder can fill the root's class;
  // anything else, and any failure, is read again through the tree below,
  // so that every message is the tree's.
  if (BIND_FROM_EVENTS && detail::CEventBinder::Usable(context) && bytes.GetLength()) {
    try {
      detail::CEventBinder binder(roots, count, context);
      CXmlDocument input(context);  // holds the bytes inflated, when they are compressed
      input.LoadXmlStream(bytes.GetData(), bytes.GetLength(), binder);
      if (binder.IsComplete()) return binder.MadeRoot();
    } catch (...) {
      // read again below, through the tree
    }
  }
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
