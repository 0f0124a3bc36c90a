// Prefix/namespace pairs declared on the document root.
#ifndef VXXML_NAMESPACEALIASMAP_H
#define VXXML_NAMESPACEALIASMAP_H

#include <map>
#include <string>

#include "vxxml/Export.h"

namespace VxXmlLib10 {

/// Maps namespace URIs to aliases (prefixes), ordered by URI. A namespace has
/// at most one alias; several namespaces may share one.
class VXXML_API CNamespaceAliasMap {
 public:
  CNamespaceAliasMap();
  virtual ~CNamespaceAliasMap();

  /// Sets the namespace's alias, replacing an earlier one.
  void Add(const char* alias, const char* namespaceUri);
  /// Removes the namespace; no effect when absent.
  void RemoveNamespace(const char* namespaceUri);
  int GetNamespaceCount() const;
  /// The URI at `index` in ascending URI order; throws CVxInvalidParamException
  /// "Index %d is out of range, use 0 - %d" outside 0 .. count - 1.
  std::string GetNamespaceAt(int index) const;
  bool DoesNamespaceExist(const char* namespaceUri) const;
  bool DoesAliasExist(const char* alias) const;
  /// The first namespace in URI order with that alias; throws CVxException
  /// "Namespace alias [%s] not found" when none has it.
  std::string GetNamespaceFromAlias(const char* alias) const;
  /// The namespace's alias, or "" when the namespace is not in the map.
  std::string GetAliasFromNamespace(const char* namespaceUri) const;

 private:
  std::map<std::string, std::string> m_aliases;
};

}  // namespace VxXmlLib10

#endif  // VXXML_NAMESPACEALIASMAP_H
