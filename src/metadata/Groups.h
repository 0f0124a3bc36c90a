// The model groups as the class reader and writer use them: each walks the
// element infos of a class by its group's rules (ElementInfoSeq.cpp,
// ElementInfoAll.cpp, ElementInfoChoice.cpp), beside the rules of the members.
//
// A reader starts at `first`, the owner's first unread child element, and
// returns the first element it did not consume (null when none is left). An
// element owner must consume all its children: an element left over throws
// "Failed read all the elements held within the element [%s]. ..." unless
// the context ignores unknown elements. A pseudo-element owner (a tagless
// group) hands back where it stopped, or `first` when its group failed.
#ifndef VXXML_SRC_METADATA_GROUPS_H
#define VXXML_SRC_METADATA_GROUPS_H

#include "vxxml/GeneratedClass.h"
#include "vxxml/Metadata.h"

namespace VxXmlLib10 {
namespace detail {

/// Every member in array order, each from where the last one stopped; a
/// member that does not match under IgnoreUnknownElements is asked again
/// past the element at the cursor.
CXmlElement* ReadSequence(CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                          CXmlElement* parent, CXmlElement* first,
                          VxXmlLib10Data::XmlElementType ownerType);
/// Pass after pass, each member not yet found is offered the current
/// element; then every member's Validate judges absence.
CXmlElement* ReadAllGroup(CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                          CXmlElement* parent, CXmlElement* first,
                          VxXmlLib10Data::XmlElementType ownerType);
/// The first alternative that matches; an empty choice throws "No child
/// elements within the element [%s] were populated. ..." unless it is allowed.
CXmlElement* ReadChoice(CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                        CXmlElement* parent, CXmlElement* first,
                        VxXmlLib10Data::XmlElementType ownerType, bool emptyChoiceAllowed);

/// Every member in array order (sequences and all groups alike).
void WriteSequence(const CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                   VxXmlLib10Data::CElementInfo** infos, CXmlWriter* writer);
/// The first alternative that writes; none throws "This element is a choice,
/// and as such must have at one (and only one) valid item, ..." unless an
/// empty choice is allowed.
void WriteChoice(const CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                 VxXmlLib10Data::CElementInfo** infos, CXmlWriter* writer,
                 bool emptyChoiceAllowed);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_METADATA_GROUPS_H
