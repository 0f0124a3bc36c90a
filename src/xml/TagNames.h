// The qualified names written on one start tag (attributes and namespace
// declarations), kept so that the text writer never writes one twice.
#ifndef VXXML_SRC_XML_TAGNAMES_H
#define VXXML_SRC_XML_TAGNAMES_H

#include <cstddef>
#include <cstring>
#include <string>
#include <unordered_set>

namespace VxXmlLib10 {
namespace detail {

class TagNames {
 public:
  /// Forgets the names of the previous tag.
  void Clear() {
    m_count = 0;
    m_used = 0;
    if (m_inSet) {
      m_set.clear();
      m_inSet = false;
    }
  }

  /// Records prefix:localName (localName alone for an empty prefix); false
  /// when the tag holds it already. The few names of most tags sit in one
  /// small buffer and are compared one by one; past that, all go to a set.
  bool Add(const std::string& prefix, const std::string& localName) {
    const size_t length = prefix.size() + (prefix.empty() ? 0 : 1) + localName.size();
    if (m_inSet || m_count == kListed || m_used + length > kBytes) return AddToSet(prefix, localName);
    char* name = m_bytes + m_used;
    char* p = name;
    if (!prefix.empty()) {
      std::memcpy(p, prefix.data(), prefix.size());
      p += prefix.size();
      *p++ = ':';
    }
    std::memcpy(p, localName.data(), localName.size());
    size_t begin = 0;
    for (size_t i = 0; i < m_count; ++i) {
      if (m_ends[i] - begin == length && std::memcmp(m_bytes + begin, name, length) == 0)
        return false;
      begin = m_ends[i];
    }
    m_used += length;
    m_ends[m_count++] = m_used;
    return true;
  }

 private:
  bool AddToSet(const std::string& prefix, const std::string& localName);

  static constexpr size_t kListed = 16;
  static constexpr size_t kBytes = 512;
  char m_bytes[kBytes];
  size_t m_ends[kListed];
  size_t m_count = 0;
  size_t m_used = 0;
  bool m_inSet = false;
  std::unordered_set<std::string> m_set;
};

inline bool TagNames::AddToSet(const std::string& prefix, const std::string& localName) {
  if (!m_inSet) {
    size_t begin = 0;
    for (size_t i = 0; i < m_count; ++i) {
      m_set.emplace(m_bytes + begin, m_ends[i] - begin);
      begin = m_ends[i];
    }
    m_inSet = true;
  }
  return m_set.insert(prefix.empty() ? localName : prefix + ":" + localName).second;
}

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_TAGNAMES_H
