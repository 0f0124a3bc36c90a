// The namespace decisions of the writers. Every concrete writer takes its
// prefixes and declarations from these, so that all of them declare the same
// pairings on the same elements and name things with the same prefixes. Each
// call appends the declarations due on the current start tag to `due`, in
// the order the XML text writer writes them; the caller renders them.
#ifndef VXXML_SRC_XML_NAMESPACEPLANNER_H
#define VXXML_SRC_XML_NAMESPACEPLANNER_H

#include <string>

#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {
namespace detail {

// A friend of CXmlWriter and its contexts: it reads and updates their
// namespace state.
struct NamespacePlanner {
  using Declarations = CXmlWriter::NamespaceDeclarations;

  /// Pairings added with AddNamespace on the current element since the last
  /// call: due on its start tag while it is open and the prefix is still free
  /// there, otherwise left to each of its child elements. Writers call this
  /// at the start of every operation (nothing to do without an element or
  /// pending pairings).
  static void TakePending(CXmlWriter& writer, Declarations& due) {
    if (writer.m_current && !writer.m_current->m_pendingNamespaces.empty())
      PlanPending(writer, due);
  }
  /// For the element just pushed: chooses its prefix (stored in the context's
  /// m_prefix, "" for an unprefixed name) and appends what its start tag
  /// declares: a generated prefix for its name; on the outermost element the
  /// document's default namespace and pairings; on the others the default
  /// namespace (or its undeclaration) where an unprefixed name would
  /// otherwise fall into another one, and the pairings the parent passed on.
  static void PlanStartElement(CXmlWriter& writer, Declarations& due);
  /// The prefix of an attribute in namespaceURI on the current (open) start
  /// tag: "" for no namespace; otherwise always a prefix, found in scope or
  /// generated and then due.
  static const std::string& PlanAttributePrefix(CXmlWriter& writer,
                                                const std::string& namespaceURI,
                                                Declarations& due);
  /// The value of an xsi:type attribute on the current (open) start tag: the
  /// bare name for no namespace or the default namespace in effect in the
  /// output, else PREFIX:typeName with the prefix found in scope or generated
  /// and then due.
  static std::string PlanTypeValue(CXmlWriter& writer, const std::string& typeNamespaceURI,
                                   const std::string& typeName, Declarations& due);

 private:
  static void PlanPending(CXmlWriter& writer, Declarations& due);
  // Makes the DeclareOnNextElement declarations on the element just pushed.
  // Returns whether they declared its default namespace.
  static bool PlanOwnDeclarations(CXmlWriter& writer, Declarations& due);
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_NAMESPACEPLANNER_H
