// Namespace aliases declared on the document root.
#include "vxxml/NamespaceAliasMap.h"

#include <iterator>

#include "base/Messages.h"

namespace VxXmlLib10 {

static std::string Str(const char* s) { return s ? s : ""; }

CNamespaceAliasMap::CNamespaceAliasMap() = default;
CNamespaceAliasMap::~CNamespaceAliasMap() = default;

void CNamespaceAliasMap::Add(const char* alias, const char* namespaceUri) {
  m_aliases[Str(namespaceUri)] = Str(alias);
}

void CNamespaceAliasMap::RemoveNamespace(const char* namespaceUri) {
  m_aliases.erase(Str(namespaceUri));
}

int CNamespaceAliasMap::GetNamespaceCount() const { return static_cast<int>(m_aliases.size()); }

std::string CNamespaceAliasMap::GetNamespaceAt(int index) const {
  if (index < 0 || index >= GetNamespaceCount())
    detail::ThrowAliasIndexOutOfRange(index, GetNamespaceCount());
  return std::next(m_aliases.begin(), index)->first;
}

bool CNamespaceAliasMap::DoesNamespaceExist(const char* namespaceUri) const {
  return m_aliases.count(Str(namespaceUri)) != 0;
}

bool CNamespaceAliasMap::DoesAliasExist(const char* alias) const {
  const std::string wanted = Str(alias);
  for (const auto& entry : m_aliases)
    if (entry.second == wanted) return true;
  return false;
}

std::string CNamespaceAliasMap::GetNamespaceFromAlias(const char* alias) const {
  const std::string wanted = Str(alias);
  for (const auto& entry : m_aliases)
    if (entry.second == wanted) return entry.first;
  detail::ThrowAliasNotFound(wanted);
}

std::string CNamespaceAliasMap::GetAliasFromNamespace(const char* namespaceUri) const {
  auto it = m_aliases.find(Str(namespaceUri));
  return it == m_aliases.end() ? std::string() : it->second;
}

}  // namespace VxXmlLib10
