// Fast Infoset vocabulary tables and the user's Fast Infoset options.
#ifndef VXXML_FASTINFOSETCONTEXT_H
#define VXXML_FASTINFOSETCONTEXT_H

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "vxxml/Export.h"
#include "vxxml/ItemType.h"

namespace VxXmlLib10 {

VXXML_API extern const char* const FI_DEFAULT_PREFIX;     ///< "xml"
VXXML_API extern const char* const FI_DEFAULT_NAMESPACE;  ///< the xml namespace
/// Built-in restricted alphabet 1: digits, '-', '+', '.', 'e' and space.
VXXML_API extern const char* const RESTRICTED_ALPHABET_VALUES_NUMERIC;
/// Built-in restricted alphabet 2: digits, '-', ':', 'T', 'Z' and space.
VXXML_API extern const char* const RESTRICTED_ALPHABET_VALUES_DATE_TIME;

/// The vocabulary tables of one Fast Infoset document. Every table is
/// indexed from 1 and holds at most 2^20 entries; past that, values are not
/// added and are written literally every time.
class VXXML_API CFIVocabulary {
 public:
  static const unsigned long MAX_TABLE_SIZE = 1UL << 20;

  class VXXML_API CFIStringTable {
   public:
    virtual ~CFIStringTable() = default;
    typedef std::vector<std::string>::const_iterator const_iterator;
    const_iterator begin() const { return m_values.begin(); }
    const_iterator end() const { return m_values.end(); }
    size_t size() const { return m_values.size(); }
    /// Entry `index` (from 1); the caller checks 1 <= index <= size().
    const std::string& at(unsigned long index) const { return m_values[index - 1]; }
    std::vector<std::string> m_values;
  };

  /// A qualified name as indices into the prefix, namespace-name and
  /// local-name tables; prefix and namespace index 0 mean absent.
  struct CQNameParts {
    unsigned long prefixIndex;
    unsigned long namespaceNameIndex;
    unsigned long localNameIndex;
  };

  class VXXML_API CFIQNameTable {
   public:
    virtual ~CFIQNameTable() = default;
    typedef std::vector<CQNameParts>::const_iterator const_iterator;
    const_iterator begin() const { return m_values.begin(); }
    const_iterator end() const { return m_values.end(); }
    size_t size() const { return m_values.size(); }
    const CQNameParts& at(unsigned long index) const { return m_values[index - 1]; }
    std::vector<CQNameParts> m_values;
  };

  typedef std::map<std::string, unsigned long> IndexMap;

  /// The initial vocabulary: prefix "xml" and the xml namespace at index 1,
  /// the two built-in restricted alphabets.
  CFIVocabulary();
  CFIVocabulary(const CFIVocabulary&) = default;
  CFIVocabulary& operator=(const CFIVocabulary&) = default;
  virtual ~CFIVocabulary();

  void AddPrefixName(std::string value);
  void AddNamespaceName(std::string value);
  void AddLocalName(std::string value);
  void AddAttributeValue(std::string value);
  void AddElementValue(std::string value);  ///< a character chunk
  void AddElement(std::string prefix, std::string namespaceName, std::string localName);
  void AddAttribute(std::string prefix, std::string namespaceName, std::string localName);

  bool FindPrefixNameIndex(std::string value, unsigned long& index) const;
  bool FindNamespaceNameIndex(std::string value, unsigned long& index) const;
  bool FindLocalNameIndex(std::string value, unsigned long& index) const;
  bool FindAttributeValueIndex(const std::string& value, unsigned long& index) const;
  bool FindCharacterChunkIndex(const std::string& value, unsigned long& index) const;
  bool FindElementIndex(const std::string& prefix, const std::string& namespaceName,
                        const std::string& localName, unsigned long& index) const;
  bool FindAttributeIndex(const std::string& prefix, const std::string& namespaceName,
                          const std::string& localName, unsigned long& index) const;
  static bool FindIndex(const IndexMap& map, const std::string& key, unsigned long& index);

  /// Restricted alphabets; entry 1 numeric, entry 2 date and time (entry 0 unused).
  const std::vector<std::string>& GetRestrictedAlphabets() const { return m_alphabets; }
  std::vector<std::string>& GetRestrictedAlphabets() { return m_alphabets; }

  CFIQNameTable& GetAttributeNamesTable() { return m_attributeNames; }
  CFIStringTable& GetAttributeValuesTable() { return m_attributeValues; }
  CFIQNameTable& GetElementNamesTable() { return m_elementNames; }
  CFIStringTable& GetCharacterChunksTable() { return m_characterChunks; }
  CFIStringTable& GetLocalNamesTable() { return m_localNames; }
  CFIStringTable& GetNamespaceNamesTable() { return m_namespaceNames; }
  CFIStringTable& GetPrefixNamesTable() { return m_prefixes; }
  const CFIQNameTable& GetAttributeNamesTable() const { return m_attributeNames; }
  const CFIStringTable& GetAttributeValuesTable() const { return m_attributeValues; }
  const CFIQNameTable& GetElementNamesTable() const { return m_elementNames; }
  const CFIStringTable& GetCharacterChunksTable() const { return m_characterChunks; }
  const CFIStringTable& GetLocalNamesTable() const { return m_localNames; }
  const CFIStringTable& GetNamespaceNamesTable() const { return m_namespaceNames; }
  const CFIStringTable& GetPrefixNamesTable() const { return m_prefixes; }

  /// Key of a qualified name in the element- and attribute-name maps.
  static std::string QNameKey(const std::string& prefix, const std::string& namespaceName,
                              const std::string& localName);

 protected:
  static void AddValueToMap(IndexMap& map, const std::string& value);
  static void AddValueToVector(CFIStringTable& table, const std::string& value);
  static void AddQNameToVector(CFIQNameTable& table, const CQNameParts& parts);
  void AddQName(const std::string& prefix, const std::string& namespaceName,
                const std::string& localName, IndexMap& map, CFIQNameTable& table);
  /// Index of `value` in a string table, adding it when absent; 0 for "".
  unsigned long IndexOrAdd(const std::string& value, IndexMap& map, CFIStringTable& table);

 private:
  std::vector<std::string> m_alphabets;
  IndexMap m_attributeNamesMap;
  IndexMap m_attributeValuesMap;
  IndexMap m_elementNamesMap;
  IndexMap m_characterChunksMap;
  IndexMap m_localNamesMap;
  IndexMap m_namespaceNamesMap;
  IndexMap m_prefixesMap;
  CFIQNameTable m_attributeNames;
  CFIStringTable m_attributeValues;
  CFIQNameTable m_elementNames;
  CFIStringTable m_characterChunks;
  CFIStringTable m_localNames;
  CFIStringTable m_namespaceNames;
  CFIStringTable m_prefixes;
};

/// Fast Infoset options of a serialization context.
class VXXML_API CFastInfosetContext {
 public:
  /// How values of one ItemType are written.
  struct EncodedCharacterString {
    enum Kind {
      Kind_String = 0,              ///< plain string in the default string encoding
      Kind_RestrictedAlphabet = 1,  ///< index 1 numeric, 2 date and time
      Kind_EncodingAlgorithm = 2    ///< built-in algorithm 1 to 10
    };
    Kind kind;
    unsigned long index;
  };
  static const unsigned long ENCODING_TABLE_SIZE = 29;

  CFastInfosetContext();
  virtual ~CFastInfosetContext();

  /// 0 UTF-8 (the only one the writer accepts), 1 UTF-16BE.
  unsigned char GetDefaultStringEncoding() const { return m_defaultStringEncoding; }
  /// Kind 0 for item types outside the table.
  EncodedCharacterString GetEncoding(unsigned long itemType) const;
  /// Ignored for item types outside the table.
  void SetEncoding(unsigned long itemType, EncodedCharacterString encoding);
  unsigned long GetAttributeMaxAddLength() const { return m_attributeMaxAddLength; }
  void SetAttributeMaxAddLength(unsigned long length) { m_attributeMaxAddLength = length; }
  unsigned long GetElementMaxAddLength() const { return m_elementMaxAddLength; }
  void SetElementMaxAddLength(unsigned long length) { m_elementMaxAddLength = length; }
  /// About how many bytes the writer's tables of attribute values and
  /// character chunks may take together (and a reader's tables with them):
  /// past it, values are written literally without entering a table, so that
  /// a document of any size is written in bounded memory. 0 (the default):
  /// no bound but the tables' 2^20 entries.
  unsigned long long GetValueTableMemory() const { return m_valueTableMemory; }
  void SetValueTableMemory(unsigned long long bytes) { m_valueTableMemory = bytes; }
  bool GetUseGeneratedVocabulary() const { return m_useGeneratedVocabulary; }
  void SetUseGeneratedVocabulary(bool use) { m_useGeneratedVocabulary = use; }
  CFIVocabulary& GetVocabulary() { return m_vocabulary; }
  const CFIVocabulary& GetVocabulary() const { return m_vocabulary; }
  std::string GetExternalVocabularyURI() const { return m_externalVocabularyURI; }
  void SetExternalVocabularyURI(std::string uri) { m_externalVocabularyURI = std::move(uri); }

  /// Built-in algorithms for the binary and numeric kinds, restricted
  /// alphabets for dates, decimals and integers; strings stay strings.
  void SetSuggestedValues();

 private:
  unsigned char m_defaultStringEncoding;
  EncodedCharacterString m_encodings[ENCODING_TABLE_SIZE];
  unsigned long m_attributeMaxAddLength;
  unsigned long m_elementMaxAddLength;
  unsigned long long m_valueTableMemory = 0;
  bool m_useGeneratedVocabulary;
  CFIVocabulary m_vocabulary;
  std::string m_externalVocabularyURI;
};

}  // namespace VxXmlLib10

#endif  // VXXML_FASTINFOSETCONTEXT_H
