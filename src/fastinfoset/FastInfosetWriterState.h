// The private state of the Fast Infoset writer and the value encoders it
// shares between its two source files.
#ifndef VXXML_SRC_FASTINFOSET_FASTINFOSETWRITERSTATE_H
#define VXXML_SRC_FASTINFOSET_FASTINFOSETWRITERSTATE_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/Utf8.h"
#include "vxxml/FastInfosetContext.h"
#include "vxxml/ItemType.h"
#include "vxxml/Streams.h"
#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {

class CFastInfosetWriter;

namespace detail {

const unsigned long kMaxTableSize = CFIVocabulary::MAX_TABLE_SIZE;
const uint64_t kMaxLength32 = 0xFFFFFFFFull;

inline const unsigned char* Bytes(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

/// One string or qualified-name table of the document: value to index, and
/// the number of entries (the next index is count + 1).
struct FITable {
  std::unordered_map<std::string, unsigned long> map;
  unsigned long count = 0;

  /// The index of `key` (valid until the next call), or null. The entries
  /// found last are kept by a cheap hash of the key: a document repeats a
  /// few values (the layout between its elements above all), which are then
  /// found without hashing the whole key. An entry never changes its index.
  const unsigned long* Find(const std::string& key) {
    Recent& recent = m_recent[Slot(key)];
    if (recent.index && recent.key.size() == key.size() &&
        std::memcmp(recent.key.data(), key.data(), key.size()) == 0)
      return &recent.index;
    auto it = map.find(key);
    if (it == map.end()) return nullptr;
    recent.key = key;
    recent.index = it->second;
    return &it->second;
  }
  bool Full() const { return count >= kMaxTableSize; }
  /// Enters the key with the next index; false when the table is full.
  bool Add(const std::string& key) {
    if (Full()) return false;
    map.emplace(key, ++count);
    return true;
  }

 private:
  struct Recent {
    std::string key;
    unsigned long index = 0;  // 0: empty
  };
  static constexpr size_t kSlots = 64;
  static size_t Slot(const std::string& key) {
    const size_t n = key.size();
    if (n == 0) return 0;
    const auto at = [&key](size_t i) { return static_cast<unsigned char>(key[i]); };
    return (n * 31 + at(0) * 5 + at(n / 2) * 3 + at(n - 1)) % kSlots;
  }
  Recent m_recent[kSlots];
};

/// The qualified names of one names table met last, by a cheap hash of their
/// parts: the few names a document repeats are found without building the
/// table's key and hashing it. An entry is the table's own pairing, which
/// never changes once made.
struct FIQNameMemo {
  struct Entry {
    std::string localName, namespaceName, prefix;
    unsigned long index = 0;  // 0: empty
  };
  static constexpr size_t kSlots = 32;
  Entry entries[kSlots];

  static size_t Slot(const std::string& prefix, const std::string& namespaceName,
                     const std::string& localName) {
    size_t h = localName.size() * 31 + namespaceName.size() * 7 + prefix.size();
    if (!localName.empty())
      h += static_cast<unsigned char>(localName[0]) * 5u +
           static_cast<unsigned char>(localName.back());
    return h % kSlots;
  }
  const unsigned long* Find(const std::string& prefix, const std::string& namespaceName,
                            const std::string& localName) const {
    const Entry& e = entries[Slot(prefix, namespaceName, localName)];
    if (e.index && e.localName == localName && e.namespaceName == namespaceName &&
        e.prefix == prefix)
      return &e.index;
    return nullptr;
  }
  void Remember(const std::string& prefix, const std::string& namespaceName,
                const std::string& localName, unsigned long index) {
    Entry& e = entries[Slot(prefix, namespaceName, localName)];
    e.localName = localName;
    e.namespaceName = namespaceName;
    e.prefix = prefix;
    e.index = index;
  }
};

/// A value in its written form: kind 0 UTF-8, 1 restricted alphabet,
/// 2 encoding algorithm (index: the alphabet's or the algorithm's).
struct FIEncodedValue {
  unsigned char kind = 0;
  unsigned long index = 0;
  std::string octets;
};

/// An attribute of a start tag that is still open.
struct FIPendingAttribute {
  enum Mode { Empty, Index, LiteralAdded, Literal };
  std::string prefix;
  std::string namespaceURI;
  std::string localName;
  Mode mode = Empty;
  unsigned long index = 0;
  FIEncodedValue value;
};

/// A restricted alphabet ready for packing.
struct FIAlphabet {
  bool lengthOk = false;
  int width = 0;
  int32_t position[256];  // -1 for a byte outside the alphabet
};

struct FIWriterState {
  FITable prefixes, namespaceNames, localNames, attributeValues, characterChunks, elementNames,
      attributeNames;
  std::string key;  // qualified-name key, reused
  FIQNameMemo elementMemo, attributeMemo;
  // Namespace attributes due on the open start tag.
  CXmlWriter::NamespaceDeclarations declarations;
  std::vector<FIPendingAttribute> attributes;
  size_t attributeCount = 0;
  CFastInfosetContext::EncodedCharacterString encodings[CFastInfosetContext::ENCODING_TABLE_SIZE];
  std::vector<FIAlphabet> alphabets;
  FIEncodedValue scratch;
  std::string utf8;
  unsigned long attributeMaxAddLength = 0;
  unsigned long elementMaxAddLength = 0;
  // The bound on the value tables' memory (0: none) and what they take.
  unsigned long long valueTableMemory = 0;
  unsigned long long valueTableUsed = 0;

  /// Whether a value of `length` bytes may still enter a value table; if so
  /// it is counted: the string, a hash map node and the vocabulary's copy.
  bool TakeValueRoom(size_t length) {
    if (!valueTableMemory) return true;
    const unsigned long long cost = 2 * length + 128;
    if (valueTableUsed + cost > valueTableMemory) return false;
    valueTableUsed += cost;
    return true;
  }
  bool utf16 = false;

  const CFastInfosetContext::EncodedCharacterString& Encoding(ItemType type) const {
    static const CFastInfosetContext::EncodedCharacterString kString = {
        CFastInfosetContext::EncodedCharacterString::Kind_String, 0};
    const unsigned long t = static_cast<unsigned long>(type);
    return t < CFastInfosetContext::ENCODING_TABLE_SIZE ? encodings[t] : kString;
  }
};

/// Prepares a restricted alphabet for packing.
void PrepareAlphabet(const std::string& alphabet, FIAlphabet& out);
/// The text packed in restricted alphabet `index` (1 or 2).
void PackRestrictedAlphabet(const FIWriterState& state, unsigned long index, const char* text,
                            size_t length, std::string& out);
/// Local code page to UTF-8.
void ToUtf8(const std::string& text, std::string& out);
/// The written form of a non-empty value under the context's encoding for its
/// type; `chunk`: a character chunk, else an attribute value.
void EncodeValue(FIWriterState& state, const std::string& value, ItemType type, bool chunk,
                 FIEncodedValue& out);
/// A literal value from bit 3 (attribute values) or bit 5 (character chunks).
void EmitBit3(CFastInfosetWriter& writer, CBinaryStream& stream, unsigned char bits,
              const FIEncodedValue& value);
void EmitBit5(CFastInfosetWriter& writer, CBinaryStream& stream, unsigned char bits,
              const FIEncodedValue& value);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_FASTINFOSET_FASTINFOSETWRITERSTATE_H
