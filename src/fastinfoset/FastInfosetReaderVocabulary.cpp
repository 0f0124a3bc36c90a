// The vocabulary of the Fast Infoset reader: the tables it starts with (the
// context's generated vocabulary, or the built-in one) and the initial
// vocabulary a document may carry.
#include <string>
#include <utility>

#include "base/Utf8.h"
#include "fastinfoset/FastInfosetReaderState.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Encoder.h"

namespace VxXmlLib10 {
namespace detail {

FIReaderState::FIReaderState(const CFastInfosetContext& context, CXmlDocument& document)
    : m_document(document),
      m_in(nullptr, 0),
      m_identity(true),
      m_haveRoot(false),
      m_documentEnded(false) {
  if (context.GetUseGeneratedVocabulary())
    SeedVocabulary(context.GetVocabulary());
  else
    SeedVocabulary(CFIVocabulary());
}

void FIReaderState::SeedVocabulary(const CFIVocabulary& vocabulary) {
  auto seed = [](FIStringTable& table, const CFIVocabulary::CFIStringTable& from) {
    for (const std::string& value : from) table.Add(value);
  };
  seed(m_prefixes, vocabulary.GetPrefixNamesTable());
  seed(m_namespaceNames, vocabulary.GetNamespaceNamesTable());
  seed(m_localNames, vocabulary.GetLocalNamesTable());
  seed(m_attributeValues, vocabulary.GetAttributeValuesTable());
  seed(m_characterChunks, vocabulary.GetCharacterChunksTable());
  auto seedNames = [this](FINameTable& table, const CFIVocabulary::CFIQNameTable& from) {
    for (const CFIVocabulary::CQNameParts& parts : from) {
      if (table.values.size() >= kMaxTableSize) break;
      FIName name;
      name.valid = parts.prefixIndex <= m_prefixes.count &&
                   parts.namespaceNameIndex <= m_namespaceNames.count &&
                   parts.localNameIndex >= 1 && parts.localNameIndex <= m_localNames.count;
      if (name.valid) {
        if (parts.prefixIndex) name.prefix = m_prefixes.values[parts.prefixIndex - 1];
        if (parts.namespaceNameIndex)
          name.namespaceName = m_namespaceNames.values[parts.namespaceNameIndex - 1];
        name.localName = m_localNames.values[parts.localNameIndex - 1];
      }
      table.Add(std::move(name));
    }
  };
  seedNames(m_elementNames, vocabulary.GetElementNamesTable());
  seedNames(m_attributeNames, vocabulary.GetAttributeNamesTable());
  // Alphabets are kept as UTF-8 and split into characters, as alphabets
  // carried in a document are.
  const std::vector<std::string>& alphabets = vocabulary.GetRestrictedAlphabets();
  m_alphabets.resize(alphabets.size() < 1 ? 1 : alphabets.size());
  for (size_t i = 1; i < alphabets.size(); ++i) {
    const std::string& a = alphabets[i];
    if (IsAscii(reinterpret_cast<const unsigned char*>(a.data()), a.size())) {
      m_alphabets[i].source = a;
    } else {
      const CBinaryData utf8 = CEncoder::LocalCodePageToUtf8Binary(a.c_str());
      if (utf8.GetLength())
        m_alphabets[i].source.assign(reinterpret_cast<const char*>(utf8.GetData()),
                                     utf8.GetLength());
    }
  }
}

void FIReaderState::InitialVocabulary() {
  const unsigned char* presence = Take(2);
  const unsigned char first = presence[0], second = presence[1];
  // The external vocabulary's URI is not checked: the context's generated
  // vocabulary, when in use, is the vocabulary the document refers to.
  if (first & 0x10) SkipOctetStringBit2();
  if (first & 0x08) {
    if (m_alphabets.size() < kFirstUserAlphabet) m_alphabets.resize(kFirstUserAlphabet);
    for (uint64_t i = LengthOfSequence(); i > 0; --i) {
      const uint64_t n = NonEmptyOctetStringBit2Length(Take());
      const unsigned char* p = Take(n);
      m_alphabets.emplace_back();
      m_alphabets.back().source.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
    }
  }
  if (first & 0x04) {  // encoding algorithm URIs: user algorithms are not supported
    for (uint64_t i = LengthOfSequence(); i > 0; --i) SkipOctetStringBit2();
  }
  auto strings = [this](FIStringTable& table) {
    for (uint64_t i = LengthOfSequence(); i > 0; --i) {
      const uint64_t n = NonEmptyOctetStringBit2Length(Take());
      const unsigned char* p = Take(n);
      if (table.keep)
        IdentifyingLiteral(table, p, n);
      else
        table.Add(std::string());
    }
  };
  auto values = [this](FIStringTable& table) {
    for (uint64_t i = LengthOfSequence(); i > 0; --i) {
      table.Add(EncodedCharacterStringBit3(Take(), m_value, !table.keep));
    }
  };
  if (first & 0x02) strings(m_prefixes);
  if (first & 0x01) strings(m_namespaceNames);
  if (second & 0x80) strings(m_localNames);
  if (second & 0x40) strings(m_otherNCNames);
  if (second & 0x20) strings(m_otherURIs);
  if (second & 0x10) values(m_attributeValues);
  if (second & 0x08) values(m_characterChunks);
  if (second & 0x04) values(m_otherStrings);
  if (second & 0x02) AddNameSurrogates(m_elementNames);
  if (second & 0x01) AddNameSurrogates(m_attributeNames);
}

void FIReaderState::AddNameSurrogates(FINameTable& table) {
  for (uint64_t i = LengthOfSequence(); i > 0; --i) {
    const unsigned char c = Take();
    FIName name;
    if (c & 0x02) name.prefix = m_prefixes.At(Integer1To2pw20Bit2(Take()));
    if (c & 0x01) name.namespaceName = m_namespaceNames.At(Integer1To2pw20Bit2(Take()));
    CheckQNameNamespace(name.namespaceName);
    name.localName = m_localNames.At(Integer1To2pw20Bit2(Take()));
    if (&table == &m_attributeNames) CheckAttributeName(name);
    if (table.values.size() < kMaxTableSize) table.Add(std::move(name));
  }
}

}  // namespace detail
}  // namespace VxXmlLib10
