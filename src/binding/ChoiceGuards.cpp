// The choice and property guards of CXmlObjectBase, called by generated
// setters and by generated readers of choice collections.
#include "binding/Messages.h"
#include "vxxml/Collection.h"
#include "vxxml/ObjectBase.h"

namespace VxXmlLib10 {

namespace {
std::string Text(const char* text) { return text ? std::string(text) : std::string(); }
}  // namespace

void CXmlObjectBase::Choice_SelectElement(const char* memberName, CXmlObjectBase* newValue,
                                          std::string& selected) const {
  const std::string member = Text(memberName);
  if (selected == member) {
    if (!newValue) selected.clear();
    return;
  }
  if (!selected.empty()) {
    // Clearing another member leaves the selection alone.
    if (newValue) detail::ThrowChoiceAlreadySet(selected);
    return;
  }
  selected = member;
}

void CXmlObjectBase::Choice_SetElementValid(bool valid, const char* memberName,
                                            std::string& selected) const {
  if (!valid) {
    selected.clear();
    return;
  }
  const std::string member = Text(memberName);
  if (!selected.empty() && selected != member) detail::ThrowChoiceValueAlreadySet(selected);
  selected = member;
}

void CXmlObjectBase::Choice_CollectionChanged(const char* memberName, long count,
                                              std::string& selected) const {
  const std::string member = Text(memberName);
  if (selected == member) {
    if (count == 0) selected.clear();
    return;
  }
  if (!selected.empty()) {
    if (count != 0) detail::ThrowChoiceAlreadySet(selected);
    return;
  }
  if (count > 0) selected = member;
}

void CXmlObjectBase::Choice_Read_Collection(CXmlCollectionBase* collection, CXmlElement* parent,
                                            CXmlElement*& cursor, long& readCount,
                                            const CXmlSerializationContext& context) const {
  if (readCount > 0 || !collection) return;
  CXmlElement* next = FromXml_Int(collection, parent, cursor, context, false);
  if (next == cursor) return;
  // The count is checked before anything is updated, so a bad count leaves
  // the cursor and the read count as they were.
  collection->ValidateCount(context);
  cursor = next;
  ++readCount;
}

void CXmlObjectBase::Throw_IfPropertyIsNull(CXmlObjectBase* value,
                                            const char* memberName) const {
  if (!value) detail::ThrowPropertyIsNull(memberName);
}

void CXmlObjectBase::Throw_IfElementNameDiffers(CXmlObjectBase* value,
                                                const char* elementName) const {
  if (!value) return;
  const std::string actual = value->GetBase()->GetElementName();
  if (actual != Text(elementName)) detail::ThrowElementNameDiffers(elementName, actual);
}

}  // namespace VxXmlLib10
