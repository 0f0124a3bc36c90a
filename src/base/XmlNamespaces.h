// The namespaces XML itself reserves, which every layer compares names with.
#ifndef VXXML_SRC_BASE_XMLNAMESPACES_H
#define VXXML_SRC_BASE_XMLNAMESPACES_H

namespace VxXmlLib10 {
namespace detail {

/// xsi:type and xsi:nil.
constexpr char kXsiNamespace[] = "http://www.w3.org/2001/XMLSchema-instance";
/// The prefix xml, always bound to it.
constexpr char kXmlNamespace[] = "http://www.w3.org/XML/1998/namespace";
/// The namespace of xmlns declarations, which no name may use.
constexpr char kXmlnsNamespace[] = "http://www.w3.org/2000/xmlns/";

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_BASE_XMLNAMESPACES_H
