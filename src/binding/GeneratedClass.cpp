// The writing half of CXmlGeneratedClass: the root's extras, the start tag
// and attributes, xsi:nil, the children by the model group's rules
// (metadata/Groups.h) and the element's own simple value.
#include "vxxml/GeneratedClass.h"

#include <typeinfo>

#include "binding/Messages.h"
#include "metadata/Groups.h"
#include "types/VariantAccess.h"
#include "vxxml/Exception.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Untyped.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {

namespace {

// The object as INillable, or null. Most classes are not nillable, and the
// objects written one after another are mostly of one class: the answer for
// the class met last is kept, so that the cast is made only where it finds
// something.
const INillable* AsNillable(const CXmlGeneratedClass* object) {
  thread_local const std::type_info* lastClass = nullptr;
  thread_local bool lastNillable = false;
  const std::type_info& type = typeid(*object);
  if (lastClass != &type) {
    lastNillable = dynamic_cast<const INillable*>(object) != nullptr;
    lastClass = &type;
  }
  return lastNillable ? dynamic_cast<const INillable*>(object) : nullptr;
}

}  // namespace

using VxXmlLib10Data::CAttributeInfo;
using VxXmlLib10Data::CElementInfo;
using VxXmlLib10Data::CParentElementInfo;

void CXmlGeneratedClass::ToXml_Int(CXmlWriter* writer, bool isDocumentRoot,
                                   const char* namespaceUri,
                                   const CXmlSerializationContext& context,
                                   bool emptyChoiceAllowed) const {
  try {
    const CParentElementInfo* info = GetClassInfo();
    const bool isElement = info->GetElementType() == VxXmlLib10Data::XmlElementType_Element;
    if (isElement) {
      if (isDocumentRoot) {
        for (const std::string& pi : context.GetProcessingInstructions()) writer->WritePI(pi);
        const CNamespaceAliasMap& aliases = context.GetNamespaceAliases();
        const int count = aliases.GetNamespaceCount();
        for (int i = 0; i < count; ++i) {
          const std::string uri = aliases.GetNamespaceAt(i);
          writer->AddNamespace(aliases.GetAliasFromNamespace(uri.c_str()), uri);
        }
        const std::string defaultNamespace = context.GetDefaultNamespaceURI();
        if (!defaultNamespace.empty()) writer->SetDefaultNamespace(defaultNamespace);
      }
      writer->WriteStartElement(GetElementName(), namespaceUri ? namespaceUri : "");
      if (isDocumentRoot) {
        CSmartPtr<CAttributeCol> rootAttributes = context.GetAdditionalRootAttributes();
        CXmlObjectBase::ToXml_Int(rootAttributes.Get(), writer, false, namespaceUri, context,
                                  emptyChoiceAllowed);
      }
      AttributesToXml_Int(writer, context);
      if (isDocumentRoot) {
        const std::string schema = context.GetInLineSchema();
        if (!schema.empty()) writer->WriteInlineSchema(schema);
      }
    }

    const INillable* nillable = AsNillable(this);
    if (nillable && nillable->IsNil()) {
      writer->WriteAttributeNil();
    } else {
      CElementInfo** infos = GetClassElementInfo();
      switch (info->GetGroupType()) {
        case VxXmlLib10Data::XmlElementGroupType_Sequence:
          ProcessElementSeqToXml(context, infos, writer);
          break;
        case VxXmlLib10Data::XmlElementGroupType_Choice:
          ProcessElementChoiceToXml(context, infos, writer, emptyChoiceAllowed);
          break;
        case VxXmlLib10Data::XmlElementGroupType_All:
          ProcessElementAllToXml(context, infos, writer);
          break;
        default:
          detail::ThrowUnknownGroupTypeToXml();
      }
      if (info->HasValue()) {
        VxVariant value;
        value.AllowLending();  // read here, while the object stays as it is
        ReadProperty(info->GetValuePropertyId(), value);
        std::string scratch;
        if (value.IsNil())
          writer->WriteAttributeNil();
        else
          writer->WriteString(
              detail::VariantAccess::Text(value, info->GetValueFormat().c_str(), scratch),
              value.GetItemType());
      }
    }

    if (isElement) writer->WriteEndElement();
  } catch (const CVxException& e) {
    detail::ThrowElementToXmlFailed(GetElementName(), e);
  }
}

void CXmlGeneratedClass::AttributesToXml_Int(CXmlWriter* writer,
                                             const CXmlSerializationContext& context) const {
  try {
    const CParentElementInfo* info = GetClassInfo();
    if (context.GetWriteTypeAttribute() && info->GetWriteTypeAttribute() &&
        info->GetElementName() != GetElementName())
      writer->WriteAttributeType(info->GetNamespaceURI(), info->GetElementName(),
                                 ItemType_string);
    ProcessAttributesToXml(context, GetClassElementInfo(), GetClassAttributeInfo(), writer);
  } catch (const CVxException& e) {
    detail::ThrowAttributesToXmlFailed(e);
  }
}

void CXmlGeneratedClass::ProcessElementSeqToXml(const CXmlSerializationContext& context,
                                                CElementInfo** infos,
                                                CXmlWriter* writer) const {
  detail::WriteSequence(*this, context, infos, writer);
}

void CXmlGeneratedClass::ProcessElementAllToXml(const CXmlSerializationContext& context,
                                                CElementInfo** infos,
                                                CXmlWriter* writer) const {
  detail::WriteSequence(*this, context, infos, writer);
}

void CXmlGeneratedClass::ProcessElementChoiceToXml(const CXmlSerializationContext& context,
                                                   CElementInfo** infos, CXmlWriter* writer,
                                                   bool emptyChoiceAllowed) const {
  detail::WriteChoice(*this, context, infos, writer, emptyChoiceAllowed);
}

void CXmlGeneratedClass::ProcessAttributesToXml(const CXmlSerializationContext& context,
                                                CElementInfo** elementInfos,
                                                CAttributeInfo** attributeInfos,
                                                CXmlWriter* writer) const {
  if (attributeInfos)
    for (; *attributeInfos; ++attributeInfos)
      (*attributeInfos)->AttributeToXml(context, this, writer);
  if (elementInfos)
    for (; *elementInfos; ++elementInfos)
      (*elementInfos)->PseudoChildAttributeToXml(context, this, writer);
}

}  // namespace VxXmlLib10
