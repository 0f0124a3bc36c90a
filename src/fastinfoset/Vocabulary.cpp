// Fast Infoset vocabulary tables.
#include "vxxml/FastInfosetContext.h"

#include "base/XmlNamespaces.h"

namespace VxXmlLib10 {

const char* const FI_DEFAULT_PREFIX = "xml";
const char* const FI_DEFAULT_NAMESPACE = detail::kXmlNamespace;
const char* const RESTRICTED_ALPHABET_VALUES_NUMERIC = "0123456789-+.e ";
const char* const RESTRICTED_ALPHABET_VALUES_DATE_TIME = "0123456789-:TZ ";

CFIVocabulary::CFIVocabulary() {
  m_alphabets.push_back(std::string());  // alphabets are numbered from 1
  m_alphabets.push_back(RESTRICTED_ALPHABET_VALUES_NUMERIC);
  m_alphabets.push_back(RESTRICTED_ALPHABET_VALUES_DATE_TIME);
  AddPrefixName(FI_DEFAULT_PREFIX);
  AddNamespaceName(FI_DEFAULT_NAMESPACE);
}

CFIVocabulary::~CFIVocabulary() = default;

void CFIVocabulary::AddValueToMap(IndexMap& map, const std::string& value) {
  if (map.size() >= MAX_TABLE_SIZE) return;
  map.emplace(value, map.size() + 1);  // an existing entry keeps its index
}

void CFIVocabulary::AddValueToVector(CFIStringTable& table, const std::string& value) {
  if (table.m_values.size() < MAX_TABLE_SIZE) table.m_values.push_back(value);
}

void CFIVocabulary::AddQNameToVector(CFIQNameTable& table, const CQNameParts& parts) {
  if (table.m_values.size() < MAX_TABLE_SIZE) table.m_values.push_back(parts);
}

#define VXXML_ADD_STRING(Name, map, table)        \
  void CFIVocabulary::Name(std::string value) {   \
    if (map.count(value)) return;                 \
    AddValueToMap(map, value);                    \
    AddValueToVector(table, value);               \
  }
VXXML_ADD_STRING(AddPrefixName, m_prefixesMap, m_prefixes)
VXXML_ADD_STRING(AddNamespaceName, m_namespaceNamesMap, m_namespaceNames)
VXXML_ADD_STRING(AddLocalName, m_localNamesMap, m_localNames)
VXXML_ADD_STRING(AddAttributeValue, m_attributeValuesMap, m_attributeValues)
VXXML_ADD_STRING(AddElementValue, m_characterChunksMap, m_characterChunks)
#undef VXXML_ADD_STRING

std::string CFIVocabulary::QNameKey(const std::string& prefix, const std::string& namespaceName,
                                    const std::string& localName) {
  std::string key;
  key.reserve(localName.size() + namespaceName.size() + prefix.size() + 2);
  key += localName;
  key += '\x01';
  key += namespaceName;
  key += '\x01';
  key += prefix;
  return key;
}

unsigned long CFIVocabulary::IndexOrAdd(const std::string& value, IndexMap& map,
                                        CFIStringTable& table) {
  if (value.empty()) return 0;
  unsigned long index;
  if (FindIndex(map, value, index)) return index;
  AddValueToMap(map, value);
  AddValueToVector(table, value);
  return FindIndex(map, value, index) ? index : 0;
}

void CFIVocabulary::AddQName(const std::string& prefix, const std::string& namespaceName,
                             const std::string& localName, IndexMap& map,
                             CFIQNameTable& table) {
  const std::string key = QNameKey(prefix, namespaceName, localName);
  if (map.count(key)) return;
  CQNameParts parts;
  parts.prefixIndex = IndexOrAdd(prefix, m_prefixesMap, m_prefixes);
  parts.namespaceNameIndex = IndexOrAdd(namespaceName, m_namespaceNamesMap, m_namespaceNames);
  parts.localNameIndex = IndexOrAdd(localName, m_localNamesMap, m_localNames);
  // A part that could not enter its full table cannot be referred to by index.
  if ((!prefix.empty() && !parts.prefixIndex) ||
      (!namespaceName.empty() && !parts.namespaceNameIndex) || !parts.localNameIndex)
    return;
  AddValueToMap(map, key);
  AddQNameToVector(table, parts);
}

void CFIVocabulary::AddElement(std::string prefix, std::string namespaceName,
                               std::string localName) {
  AddQName(prefix, namespaceName, localName, m_elementNamesMap, m_elementNames);
}

void CFIVocabulary::AddAttribute(std::string prefix, std::string namespaceName,
                                 std::string localName) {
  AddQName(prefix, namespaceName, localName, m_attributeNamesMap, m_attributeNames);
}

bool CFIVocabulary::FindIndex(const IndexMap& map, const std::string& key,
                              unsigned long& index) {
  auto it = map.find(key);
  if (it == map.end()) return false;
  index = it->second;
  return true;
}

bool CFIVocabulary::FindPrefixNameIndex(std::string value, unsigned long& index) const {
  return FindIndex(m_prefixesMap, value, index);
}
bool CFIVocabulary::FindNamespaceNameIndex(std::string value, unsigned long& index) const {
  return FindIndex(m_namespaceNamesMap, value, index);
}
bool CFIVocabulary::FindLocalNameIndex(std::string value, unsigned long& index) const {
  return FindIndex(m_localNamesMap, value, index);
}
bool CFIVocabulary::FindAttributeValueIndex(const std::string& value,
                                            unsigned long& index) const {
  return FindIndex(m_attributeValuesMap, value, index);
}
bool CFIVocabulary::FindCharacterChunkIndex(const std::string& value,
                                            unsigned long& index) const {
  return FindIndex(m_characterChunksMap, value, index);
}
bool CFIVocabulary::FindElementIndex(const std::string& prefix, const std::string& namespaceName,
                                     const std::string& localName, unsigned long& index) const {
  return FindIndex(m_elementNamesMap, QNameKey(prefix, namespaceName, localName), index);
}
bool CFIVocabulary::FindAttributeIndex(const std::string& prefix,
                                       const std::string& namespaceName,
                                       const std::string& localName,
                                       unsigned long& index) const {
  return FindIndex(m_attributeNamesMap, QNameKey(prefix, namespaceName, localName), index);
}

}  // namespace VxXmlLib10
