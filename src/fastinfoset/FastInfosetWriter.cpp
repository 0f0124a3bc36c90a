// The Fast Infoset writer.
//
// Tables. The reader of a document rebuilds the writer's vocabulary tables
// from what it reads, in stream order; so every string or name is added here
// exactly when it is written as a literal, in the order it reaches the
// stream. The writer looks values up in hash maps of its own (string to
// index), seeded from the document's CFIVocabulary and kept in step with it;
// the vocabulary itself is only touched when an entry is added.
//
// Element headers. An element's namespace attributes come before its name
// and its attributes after it, and an attribute may need a new prefix; so the
// header is written when the start tag closes. Until then the element's
// namespace declarations and its attributes are kept. Attribute values are
// encoded (and entered in the attribute-values table) at the call, so a bad
// value fails where it is given: that table only grows through attribute
// values, which reach the stream in call order.
#include "vxxml/FastInfosetWriter.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "fastinfoset/FastInfosetMessages.h"
#include "vxxml/Encoder.h"
#include "vxxml/FastInfosetBinaryData.h"
#include "xml/XmlMessages.h"

namespace VxXmlLib10 {

const char* const ORVANE_URI = "urn:vxxml:fastinfoset:generated-vocabulary";

namespace detail {

namespace {

const char kXsiNamespace[] = "http://www.w3.org/2001/XMLSchema-instance";
const unsigned long kMaxTableSize = CFIVocabulary::MAX_TABLE_SIZE;
const uint64_t kMaxLength32 = 0xFFFFFFFFull;

// True when no byte has its high bit set: the text is then its own UTF-8.
inline bool IsAscii(const char* p, size_t n) {
  uint64_t high = 0;
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t word;
    std::memcpy(&word, p + i, 8);
    high |= word;
  }
  for (; i < n; ++i) high |= static_cast<unsigned char>(p[i]);
  return (high & 0x8080808080808080ull) == 0;
}

inline const unsigned char* Bytes(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

}  // namespace

/// One string or qualified-name table of the document: value to index, and
/// the number of entries (the next index is count + 1).
struct FITable {
  std::unordered_map<std::string, unsigned long> map;
  unsigned long count = 0;

  const unsigned long* Find(const std::string& key) const {
    auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
  }
  bool Full() const { return count >= kMaxTableSize; }
  /// Enters the key with the next index; false when the table is full.
  bool Add(const std::string& key) {
    if (Full()) return false;
    map.emplace(key, ++count);
    return true;
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

/// A namespace attribute of a start tag that is still open.
struct FIDeclaration {
  enum Kind { Prefixed, Default, Undeclare };
  Kind kind = Prefixed;
  std::string prefix;
  std::string uri;
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
  std::vector<FIDeclaration> declarations;
  size_t declarationCount = 0;
  std::vector<FIPendingAttribute> attributes;
  size_t attributeCount = 0;
  CFastInfosetContext::EncodedCharacterString encodings[CFastInfosetContext::ENCODING_TABLE_SIZE];
  std::vector<FIAlphabet> alphabets;
  FIEncodedValue scratch;
  std::string utf8;
  unsigned long attributeMaxAddLength = 0;
  unsigned long elementMaxAddLength = 0;
  bool utf16 = false;

  const CFastInfosetContext::EncodedCharacterString& Encoding(ItemType type) const {
    static const CFastInfosetContext::EncodedCharacterString kString = {
        CFastInfosetContext::EncodedCharacterString::Kind_String, 0};
    const unsigned long t = static_cast<unsigned long>(type);
    return t < CFastInfosetContext::ENCODING_TABLE_SIZE ? encodings[t] : kString;
  }

  FIDeclaration& NextDeclaration() {
    if (declarationCount == declarations.size()) declarations.emplace_back();
    return declarations[declarationCount++];
  }

  void Declare(FIDeclaration::Kind kind, const std::string& prefix, const std::string& uri) {
    FIDeclaration& d = NextDeclaration();
    d.kind = kind;
    d.prefix = prefix;
    d.uri = uri;
  }
};

namespace {

void SeedStrings(FITable& table, const CFIVocabulary::CFIStringTable& strings) {
  for (const std::string& value : strings) table.map.emplace(value, ++table.count);
}

void SeedQNames(FITable& table, const CFIVocabulary::CFIQNameTable& names,
                const CFIVocabulary& vocabulary) {
  const auto& prefixes = vocabulary.GetPrefixNamesTable();
  const auto& namespaces = vocabulary.GetNamespaceNamesTable();
  const auto& locals = vocabulary.GetLocalNamesTable();
  for (const CFIVocabulary::CQNameParts& parts : names) {
    ++table.count;
    // An entry that refers outside the string tables cannot be matched.
    if (parts.prefixIndex > prefixes.size() || parts.namespaceNameIndex > namespaces.size() ||
        parts.localNameIndex == 0 || parts.localNameIndex > locals.size())
      continue;
    const std::string empty;
    table.map.emplace(
        CFIVocabulary::QNameKey(parts.prefixIndex ? prefixes.at(parts.prefixIndex) : empty,
                                parts.namespaceNameIndex
                                    ? namespaces.at(parts.namespaceNameIndex)
                                    : empty,
                                locals.at(parts.localNameIndex)),
        table.count);
  }
}

void PrepareAlphabet(const std::string& alphabet, FIAlphabet& out) {
  const size_t length = alphabet.size();
  out.lengthOk = length >= 2 && length <= kMaxTableSize;
  out.width = 2;
  while (out.width < 32 && (uint64_t(1) << out.width) <= length) ++out.width;
  for (int32_t& p : out.position) p = -1;
  for (size_t i = length; i-- > 0;)
    out.position[static_cast<unsigned char>(alphabet[i])] = static_cast<int32_t>(i);
}

// The text packed in the alphabet: 4 bits per character (0xF pads an odd
// count) or 8 bits per character.
void PackRestrictedAlphabet(const FIWriterState& state, unsigned long index, const char* text,
                            size_t length, std::string& out) {
  if (index != 1 && index != 2) ThrowFIInvalidAlphabetIndex(index);
  if (index >= state.alphabets.size() || !state.alphabets[index].lengthOk)
    ThrowFIInvalidAlphabetLength();
  const FIAlphabet& alphabet = state.alphabets[index];
  if (alphabet.width != 4 && alphabet.width != 8) ThrowFIUnsupportedAlphabetWidth();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  out.clear();
  if (alphabet.width == 8) {
    out.resize(length);
    for (size_t i = 0; i < length; ++i) {
      const int32_t code = alphabet.position[p[i]];
      if (code < 0) ThrowFICharacterNotInAlphabet();
      out[i] = static_cast<char>(code);
    }
    return;
  }
  out.resize((length + 1) / 2);
  for (size_t i = 0; i < length; i += 2) {
    const int32_t high = alphabet.position[p[i]];
    const int32_t low = i + 1 < length ? alphabet.position[p[i + 1]] : 0xF;
    if (high < 0 || low < 0) ThrowFICharacterNotInAlphabet();
    out[i / 2] = static_cast<char>((high << 4) | low);
  }
}

void ToUtf8(const std::string& text, std::string& out) {
  if (ASCII_ONLY || IsAscii(text.data(), text.size())) {
    out.assign(text);
    return;
  }
  const CBinaryData utf8 = CEncoder::LocalCodePageToUtf8Binary(text.c_str());
  out.assign(reinterpret_cast<const char*>(utf8.GetData()), utf8.GetLength());
}

// The written form of a non-empty value under the context's encoding for its
// type. A value that an algorithm turns into no octets at all (a Base64 text
// of padding only, say) cannot be carried by it and is written as a string.
// `chunk`: a character chunk, else an attribute value.
void EncodeValue(FIWriterState& state, const std::string& value, ItemType type, bool chunk,
                 FIEncodedValue& out) {
  const CFastInfosetContext::EncodedCharacterString& encoding = state.Encoding(type);
  switch (encoding.kind) {
    case CFastInfosetContext::EncodedCharacterString::Kind_String:
      if (state.utf16) ThrowFIUnsupportedUtf16();
      out.kind = 0;
      out.index = 0;
      ToUtf8(value, out.octets);
      return;
    case CFastInfosetContext::EncodedCharacterString::Kind_RestrictedAlphabet:
      PackRestrictedAlphabet(state, encoding.index, value.data(), value.size(), out.octets);
      out.kind = 1;
      out.index = encoding.index;
      break;
    case CFastInfosetContext::EncodedCharacterString::Kind_EncodingAlgorithm: {
      if (encoding.index < 1 || encoding.index > 10) ThrowFIInvalidAlgorithmIndex(encoding.index);
      // The cdata algorithm is for character chunks only; its octets are the
      // UTF-8 text, so an attribute value is written as the plain string.
      if (encoding.index == 10 && !chunk) {
        out.kind = 0;
        out.index = 0;
        ToUtf8(value, out.octets);
        return;
      }
      CFastInfosetBinaryData data;
      data.SetAsEncodedString(encoding.index, value.c_str());
      out.octets.assign(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
      out.kind = 2;
      out.index = encoding.index;
      break;
    }
    default:
      if (chunk) ThrowFIUnknownEncodingBit5();
      ThrowFIUnknownEncodingBit3();
  }
  if (out.octets.empty()) {
    out.kind = 0;
    out.index = 0;
    ToUtf8(value, out.octets);
  }
}

}  // namespace
}  // namespace detail

using detail::FIDeclaration;
using detail::FIEncodedValue;
using detail::FIPendingAttribute;
using detail::FITable;
using detail::FIWriterState;
using detail::kMaxLength32;
using detail::kMaxTableSize;

// ---- construction --------------------------------------------------------------

CFastInfosetWriter::CFastInfosetWriter(const CFastInfosetContext& context, CBinaryStream& stream)
    : CXmlWriter("CFastInfosetWriter"),
      m_stream(stream),
      m_context(context),
      m_terminatorPending(false),
      m_vocabulary(nullptr),
      m_state(nullptr) {
  std::unique_ptr<CFIVocabulary> vocabulary(context.GetUseGeneratedVocabulary()
                                                ? new CFIVocabulary(context.GetVocabulary())
                                                : new CFIVocabulary());
  std::unique_ptr<FIWriterState> state(new FIWriterState);
  detail::SeedStrings(state->prefixes, vocabulary->GetPrefixNamesTable());
  detail::SeedStrings(state->namespaceNames, vocabulary->GetNamespaceNamesTable());
  detail::SeedStrings(state->localNames, vocabulary->GetLocalNamesTable());
  detail::SeedStrings(state->attributeValues, vocabulary->GetAttributeValuesTable());
  detail::SeedStrings(state->characterChunks, vocabulary->GetCharacterChunksTable());
  detail::SeedQNames(state->elementNames, vocabulary->GetElementNamesTable(), *vocabulary);
  detail::SeedQNames(state->attributeNames, vocabulary->GetAttributeNamesTable(), *vocabulary);
  for (unsigned long t = 0; t < CFastInfosetContext::ENCODING_TABLE_SIZE; ++t)
    state->encodings[t] = context.GetEncoding(t);
  const std::vector<std::string>& alphabets = vocabulary->GetRestrictedAlphabets();
  state->alphabets.resize(alphabets.size());
  for (size_t i = 0; i < alphabets.size(); ++i)
    detail::PrepareAlphabet(alphabets[i], state->alphabets[i]);
  state->attributeMaxAddLength = context.GetAttributeMaxAddLength();
  state->elementMaxAddLength = context.GetElementMaxAddLength();
  state->utf16 = context.GetDefaultStringEncoding() != 0;
  m_vocabulary = vocabulary.release();
  m_state = state.release();
}

CFastInfosetWriter::~CFastInfosetWriter() {
  delete m_state;
  delete m_vocabulary;
}

void CFastInfosetWriter::Close() { CXmlWriter::Close(); }

// ---- integers and lengths (the one-octet forms are inline) ---------------------

void CFastInfosetWriter::Integer1To2pw20Bit2Long(unsigned char bits, unsigned long value) {
  if (value >= 65 && value <= 8256) {
    const unsigned long v = value - 65;  // 13 bits after "10"
    m_stream.Append(static_cast<unsigned char>(bits | 0x40 | (v >> 8)));
    m_stream.Append(static_cast<unsigned char>(v));
  } else if (value >= 8257 && value <= kMaxTableSize) {
    const unsigned long v = value - 8257;  // 20 bits after "110"
    m_stream.Append(static_cast<unsigned char>(bits | 0x60 | (v >> 16)));
    m_stream.Append(static_cast<unsigned char>(v >> 8));
    m_stream.Append(static_cast<unsigned char>(v));
  } else {
    detail::ThrowFIIntegerOutOfRange(value);
  }
}

void CFastInfosetWriter::Integer1To2pw20Bit3Long(unsigned char bits, unsigned long value) {
  if (value >= 33 && value <= 2080) {
    const unsigned long v = value - 33;  // 11 bits after "100"
    m_stream.Append(static_cast<unsigned char>(bits | 0x20 | (v >> 8)));
    m_stream.Append(static_cast<unsigned char>(v));
  } else if (value >= 2081 && value <= 526368) {
    const unsigned long v = value - 2081;  // 19 bits after "101"
    m_stream.Append(static_cast<unsigned char>(bits | 0x28 | (v >> 16)));
    m_stream.Append(static_cast<unsigned char>(v >> 8));
    m_stream.Append(static_cast<unsigned char>(v));
  } else if (value >= 526369 && value <= kMaxTableSize) {
    const unsigned long v = value - 526369;  // "110000", "0000", then 20 bits
    m_stream.Append(static_cast<unsigned char>(bits | 0x30));
    m_stream.Append(static_cast<unsigned char>(v >> 16));
    m_stream.Append(static_cast<unsigned char>(v >> 8));
    m_stream.Append(static_cast<unsigned char>(v));
  } else {
    detail::ThrowFIIntegerOutOfRange(value);
  }
}

void CFastInfosetWriter::Integer1To2pw20Bit4Long(unsigned char bits, unsigned long value) {
  if (value >= 17 && value <= 1040) {
    const unsigned long v = value - 17;  // 10 bits after "100"
    m_stream.Append(static_cast<unsigned char>(bits | 0x10 | (v >> 8)));
    m_stream.Append(static_cast<unsigned char>(v));
  } else if (value >= 1041 && value <= 263184) {
    const unsigned long v = value - 1041;  // 18 bits after "101"
    m_stream.Append(static_cast<unsigned char>(bits | 0x14 | (v >> 16)));
    m_stream.Append(static_cast<unsigned char>(v >> 8));
    m_stream.Append(static_cast<unsigned char>(v));
  } else if (value >= 263185 && value <= kMaxTableSize) {
    const unsigned long v = value - 263185;  // "11000", "0000", then 20 bits
    m_stream.Append(static_cast<unsigned char>(bits | 0x18));
    m_stream.Append(static_cast<unsigned char>(v >> 16));
    m_stream.Append(static_cast<unsigned char>(v >> 8));
    m_stream.Append(static_cast<unsigned char>(v));
  } else {
    detail::ThrowFIIntegerOutOfRange(value);
  }
}

namespace {

inline void Append32(CBinaryStream& stream, uint64_t v) {
  const unsigned char octets[4] = {static_cast<unsigned char>(v >> 24),
                                   static_cast<unsigned char>(v >> 16),
                                   static_cast<unsigned char>(v >> 8),
                                   static_cast<unsigned char>(v)};
  stream.AppendBytes(octets, 4);
}

}  // namespace

void CFastInfosetWriter::NonEmptyOctetStringBit2(unsigned char bits, const unsigned char* octets,
                                                 size_t length) {
  if (length == 0) detail::ThrowFIEmptyString();
  if (length <= 64) {
    m_stream.Append(static_cast<unsigned char>(bits | (length - 1)));
  } else if (length <= 320) {
    m_stream.Append(static_cast<unsigned char>(bits | 0x40));
    m_stream.Append(static_cast<unsigned char>(length - 65));
  } else {
    if (length - 321 > kMaxLength32) detail::ThrowFIStringTooLong(length);
    m_stream.Append(static_cast<unsigned char>(bits | 0x60));
    Append32(m_stream, length - 321);
  }
  m_stream.AppendBytes(octets, length);
}

void CFastInfosetWriter::NonEmptyOctetStringBit5Long(unsigned char bits,
                                                     const unsigned char* octets, size_t length) {
  if (length == 0) detail::ThrowFIEmptyString();
  if (length <= 264) {
    m_stream.Append(static_cast<unsigned char>(bits | 0x08));
    m_stream.Append(static_cast<unsigned char>(length - 9));
  } else {
    if (length - 265 > kMaxLength32) detail::ThrowFIStringTooLong(length);
    m_stream.Append(static_cast<unsigned char>(bits | 0x0C));
    Append32(m_stream, length - 265);
  }
  m_stream.AppendBytes(octets, length);
}

void CFastInfosetWriter::NonEmptyOctetStringBit7Long(unsigned char bits,
                                                     const unsigned char* octets, size_t length) {
  if (length == 0) detail::ThrowFIEmptyString();
  if (length <= 258) {
    m_stream.Append(static_cast<unsigned char>(bits | 0x02));
    m_stream.Append(static_cast<unsigned char>(length - 3));
  } else {
    if (length - 259 > kMaxLength32) detail::ThrowFIStringTooLong(length);
    m_stream.Append(static_cast<unsigned char>(bits | 0x03));
    Append32(m_stream, length - 259);
  }
  m_stream.AppendBytes(octets, length);
}

void CFastInfosetWriter::NonEmptyOctetUTF8StringBit2(unsigned char bits, const std::string& text) {
  if (ASCII_ONLY || detail::IsAscii(text.data(), text.size())) {
    NonEmptyOctetStringBit2(bits, detail::Bytes(text), text.size());
    return;
  }
  std::string& utf8 = m_state->utf8;
  detail::ToUtf8(text, utf8);
  NonEmptyOctetStringBit2(bits, detail::Bytes(utf8), utf8.size());
}

// ---- encoded character strings -------------------------------------------------

namespace {

// A literal value from bit 3: discriminant in bits 3-4; an alphabet or
// algorithm index - 1 in 8 bits, 4 in this octet and 4 in the next; then the
// octets with their length from bit 5.
void EmitBit3(CFastInfosetWriter& writer, CBinaryStream& stream, unsigned char bits,
              const FIEncodedValue& value) {
  const unsigned char* octets = detail::Bytes(value.octets);
  if (value.kind == 0) {
    writer.NonEmptyOctetStringBit5(bits, octets, value.octets.size());
    return;
  }
  const unsigned long index = value.index - 1;
  stream.Append(
      static_cast<unsigned char>(bits | (value.kind == 1 ? 0x20 : 0x30) | ((index >> 4) & 0x0F)));
  writer.NonEmptyOctetStringBit5(static_cast<unsigned char>((index & 0x0F) << 4), octets,
                                 value.octets.size());
}

// A literal value from bit 5: discriminant in bits 5-6; the index - 1 in 8
// bits, 2 in this octet and 6 in the next; the length from bit 7.
void EmitBit5(CFastInfosetWriter& writer, CBinaryStream& stream, unsigned char bits,
              const FIEncodedValue& value) {
  const unsigned char* octets = detail::Bytes(value.octets);
  if (value.kind == 0) {
    writer.NonEmptyOctetStringBit7(bits, octets, value.octets.size());
    return;
  }
  const unsigned long index = value.index - 1;
  stream.Append(
      static_cast<unsigned char>(bits | (value.kind == 1 ? 0x08 : 0x0C) | ((index >> 6) & 0x03)));
  writer.NonEmptyOctetStringBit7(static_cast<unsigned char>((index & 0x3F) << 2), octets,
                                 value.octets.size());
}

}  // namespace

void CFastInfosetWriter::EncodedCharacterStringBit3(unsigned char bits, const std::string& value,
                                                    ItemType type) {
  FIEncodedValue& encoded = m_state->scratch;
  detail::EncodeValue(*m_state, value, type, false, encoded);
  EmitBit3(*this, m_stream, bits, encoded);
}

void CFastInfosetWriter::EncodedCharacterStringBit5(unsigned char bits, const std::string& value,
                                                    ItemType type) {
  // Plain ASCII text, the common case, goes straight to the stream.
  if (m_state->Encoding(type).kind == CFastInfosetContext::EncodedCharacterString::Kind_String &&
      !m_state->utf16 && (ASCII_ONLY || detail::IsAscii(value.data(), value.size()))) {
    NonEmptyOctetStringBit7(bits, detail::Bytes(value), value.size());
    return;
  }
  FIEncodedValue& encoded = m_state->scratch;
  detail::EncodeValue(*m_state, value, type, true, encoded);
  EmitBit5(*this, m_stream, bits, encoded);
}

CBinaryData CFastInfosetWriter::AppendRestrictedAlphabetString(unsigned long alphabetIndex,
                                                               const char* text) {
  std::string packed;
  const char* p = text ? text : "";
  detail::PackRestrictedAlphabet(*m_state, alphabetIndex, p, std::strlen(p), packed);
  if (packed.empty()) return CBinaryData();
  return CBinaryData(reinterpret_cast<unsigned char*>(&packed[0]),
                     static_cast<unsigned long>(packed.size()), false);
}

// ---- names --------------------------------------------------------------------

namespace {

// An identifying string or index from bit 2 of a fresh octet: the index, or
// the literal, which then enters the table.
void WriteIdentifying(CFastInfosetWriter& writer, FITable& table, const std::string& text,
                      void (CFIVocabulary::*add)(std::string), CFIVocabulary& vocabulary) {
  if (const unsigned long* index = table.Find(text)) {
    writer.Integer1To2pw20Bit2(0x80, *index);
    return;
  }
  writer.NonEmptyOctetUTF8StringBit2(0x00, text);
  if (table.Add(text)) (vocabulary.*add)(text);
}

// A qualified name: its index in the names table, or a literal (octet
// `literal` with the prefix and namespace flags, then the parts), which then
// enters the table. `indexed` writes the index form.
template <class WriteIndex>
void WriteQualifiedName(CFastInfosetWriter& writer, CBinaryStream& stream, FIWriterState& state,
                        FITable& names, unsigned char literal, const std::string& prefix,
                        const std::string& namespaceName, const std::string& localName,
                        CFIVocabulary& vocabulary, bool element, WriteIndex writeIndex) {
  std::string& key = state.key;
  key.assign(localName);
  key += '\x01';
  key += namespaceName;
  key += '\x01';
  key += prefix;
  if (const unsigned long* index = names.Find(key)) {
    writeIndex(*index);
    return;
  }
  // A prefix is only written together with a namespace name.
  const bool hasNamespace = !namespaceName.empty();
  const bool hasPrefix = hasNamespace && !prefix.empty();
  stream.Append(static_cast<unsigned char>(literal | (hasPrefix ? 0x02 : 0) | (hasNamespace ? 0x01 : 0)));
  if (hasPrefix)
    WriteIdentifying(writer, state.prefixes, prefix, &CFIVocabulary::AddPrefixName, vocabulary);
  if (hasNamespace)
    WriteIdentifying(writer, state.namespaceNames, namespaceName, &CFIVocabulary::AddNamespaceName,
                     vocabulary);
  WriteIdentifying(writer, state.localNames, localName, &CFIVocabulary::AddLocalName, vocabulary);
  if (names.Add(key)) {
    const std::string& p = hasPrefix ? prefix : std::string();
    if (element)
      vocabulary.AddElement(p, namespaceName, localName);
    else
      vocabulary.AddAttribute(p, namespaceName, localName);
  }
}

}  // namespace

// ---- document -------------------------------------------------------------------

void CFastInfosetWriter::WriteStartDocument(FInfoDecl decl) {
  static const char* const kDeclarations[10] = {
      nullptr,
      "<?xml encoding='finf'?>",
      "<?xml encoding='finf' standalone='yes'?>",
      "<?xml encoding='finf' standalone='no'?>",
      "<?xml version='1.0' encoding='finf'?>",
      "<?xml version='1.0' encoding='finf' standalone='yes'?>",
      "<?xml version='1.0' encoding='finf' standalone='no'?>",
      "<?xml version='1.1' encoding='finf'?>",
      "<?xml version='1.1' encoding='finf' standalone='yes'?>",
      "<?xml version='1.1' encoding='finf' standalone='no'?>"};
  const int d = static_cast<int>(decl);
  if (d >= 1 && d <= 9)  // ASCII: the text is its own UTF-8
    m_stream.AppendBytes(reinterpret_cast<const unsigned char*>(kDeclarations[d]),
                         std::strlen(kDeclarations[d]));
  static const unsigned char kIdentification[4] = {0xE0, 0x00, 0x00, 0x01};
  m_stream.AppendBytes(kIdentification, 4);
  if (m_context.GetUseGeneratedVocabulary()) {
    // Initial vocabulary present; of it, only the external vocabulary.
    static const unsigned char kInitialVocabulary[3] = {0x20, 0x10, 0x00};
    m_stream.AppendBytes(kInitialVocabulary, 3);
    const std::string uri = m_context.GetExternalVocabularyURI();
    NonEmptyOctetUTF8StringBit2(0x00, uri.empty() ? std::string(ORVANE_URI) : uri);
  } else {
    m_stream.Append(static_cast<unsigned char>(0x00));
  }
}

void CFastInfosetWriter::WriteEndDocument() {
  m_stream.Append(static_cast<unsigned char>(m_terminatorPending ? 0xFF : 0xF0));
  m_terminatorPending = false;
}

// ---- elements -------------------------------------------------------------------

// The prefix for an attribute's (or a type's) namespace: the one in scope, or
// a generated one, recorded on the element and declared by it.
std::string CFastInfosetWriter::ResolvePrefix(CXmlWriterContext* context,
                                              const std::string& namespaceURI) {
  const std::string* known = context->FindPrefix(namespaceURI);
  if (known && !known->empty()) return *known;
  std::string prefix = GetUniquePrefix(context->GetNamespaceMap());
  context->SetNamespaceMapValue(namespaceURI, prefix);
  m_state->Declare(FIDeclaration::Prefixed, prefix, namespaceURI);
  return prefix;
}

void CFastInfosetWriter::WriteTerminatorBeforeSibling() {
  if (m_terminatorPending) {
    m_stream.Append(static_cast<unsigned char>(0xF0));
    m_terminatorPending = false;
  }
}

void CFastInfosetWriter::CloseStartTag() {
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) return;
  context->m_startTagOpen = false;
  WriteElementHeader(context);
}

void CFastInfosetWriter::WriteElementHeader(CXmlWriterContext* context) {
  FIWriterState& state = *m_state;
  const size_t attributeCount = state.attributeCount;
  const size_t declarationCount = state.declarationCount;
  state.attributeCount = 0;
  state.declarationCount = 0;
  unsigned char bits = attributeCount ? 0x40 : 0x00;
  // The document element always has the namespace-attribute section (maybe
  // empty); other elements when they declare something.
  if (context->m_parent == nullptr || declarationCount) {
    m_stream.Append(static_cast<unsigned char>(bits | 0x38));
    for (size_t i = 0; i < declarationCount; ++i) {
      const FIDeclaration& d = state.declarations[i];
      switch (d.kind) {
        case FIDeclaration::Undeclare:
          m_stream.Append(static_cast<unsigned char>(0xCC));
          break;
        case FIDeclaration::Default:
          m_stream.Append(static_cast<unsigned char>(0xCD));
          WriteIdentifying(*this, state.namespaceNames, d.uri, &CFIVocabulary::AddNamespaceName,
                           *m_vocabulary);
          break;
        case FIDeclaration::Prefixed:
          m_stream.Append(static_cast<unsigned char>(0xCF));
          WriteIdentifying(*this, state.prefixes, d.prefix, &CFIVocabulary::AddPrefixName,
                           *m_vocabulary);
          WriteIdentifying(*this, state.namespaceNames, d.uri, &CFIVocabulary::AddNamespaceName,
                           *m_vocabulary);
          break;
      }
    }
    m_stream.Append(static_cast<unsigned char>(0xF0));
    bits = 0x00;
  }
  WriteQualifiedName(*this, m_stream, state, state.elementNames,
                     static_cast<unsigned char>(bits | 0x3C), context->m_prefix,
                     context->m_namespaceURI, context->m_localName, *m_vocabulary, true,
                     [this, bits](unsigned long index) { Integer1To2pw20Bit3(bits, index); });
  for (size_t i = 0; i < attributeCount; ++i) {
    const FIPendingAttribute& a = state.attributes[i];
    WriteQualifiedName(*this, m_stream, state, state.attributeNames, 0x78, a.prefix,
                       a.namespaceURI, a.localName, *m_vocabulary, false,
                       [this](unsigned long index) { Integer1To2pw20Bit2(0x00, index); });
    switch (a.mode) {
      case FIPendingAttribute::Empty:
        Integer0To2pw20Bit2(0x80, 0);
        break;
      case FIPendingAttribute::Index:
        Integer1To2pw20Bit2(0x80, a.index);
        break;
      case FIPendingAttribute::LiteralAdded:
        EmitBit3(*this, m_stream, 0x40, a.value);
        break;
      case FIPendingAttribute::Literal:
        EmitBit3(*this, m_stream, 0x00, a.value);
        break;
    }
  }
  if (attributeCount) m_stream.Append(static_cast<unsigned char>(0xF0));
}

void CFastInfosetWriter::WriteStartElement(const std::string& localName,
                                           const std::string& namespaceURI) {
  if (m_current) {
    CloseStartTag();
    ++m_current->m_childCount;
  }
  WriteTerminatorBeforeSibling();
  const bool outermost = m_current == nullptr;
  CXmlWriterContext* context = PushContext(localName, namespaceURI);
  FIWriterState& state = *m_state;
  state.attributeCount = 0;
  state.declarationCount = 0;

  // Prefixes as the XML text writer chooses them, so that both writers
  // declare the same pairings on the same elements.
  bool undeclareDefault = false;
  bool declarePrefix = false;
  if (namespaceURI.empty()) {
    if (!context->GetDefaultNamespace().empty()) {
      context->SetDefaultNamespace(std::string());
      undeclareDefault = !outermost;
    }
  } else if (namespaceURI != context->GetDefaultNamespace()) {
    const std::string* known = context->FindPrefix(namespaceURI);
    if (known && !known->empty()) {
      context->m_prefix = *known;
    } else {
      context->m_prefix = GetUniquePrefix(context->GetNamespaceMap());
      context->SetNamespaceMapValue(namespaceURI, context->m_prefix);
      declarePrefix = true;
    }
  }

  if (outermost) {
    if (!m_defaultNamespace.empty() && context->GetDefaultNamespace() == m_defaultNamespace)
      state.Declare(FIDeclaration::Default, std::string(), m_defaultNamespace);
    // std::map: ascending byte order of URI.
    for (const auto& pair : *m_map) {
      if (pair.second.empty() || pair.first == XML_NAMESPACE) continue;
      state.Declare(FIDeclaration::Prefixed, pair.second, pair.first);
    }
  } else if (undeclareDefault) {
    state.Declare(FIDeclaration::Undeclare, std::string(), std::string());
  }
  if (declarePrefix) state.Declare(FIDeclaration::Prefixed, context->m_prefix, namespaceURI);
}

void CFastInfosetWriter::WriteString(const std::string& text, ItemType type) {
  if (!m_current) detail::ThrowNoOpenElementForText();
  if (text.empty()) return;
  CloseStartTag();
  WriteTerminatorBeforeSibling();
  // A character chunk ("10" in bits 1-2): a short text by index when it is
  // in the table, else literally, entering the table when short enough.
  FITable& chunks = m_state->characterChunks;
  if (text.size() < m_state->elementMaxAddLength) {
    if (const unsigned long* index = chunks.Find(text)) {
      Integer1To2pw20Bit4(0xA0, *index);
      return;
    }
    if (!chunks.Full()) {
      EncodedCharacterStringBit5(0x90, text, type);
      chunks.Add(text);
      m_vocabulary->AddElementValue(text);
      return;
    }
  }
  EncodedCharacterStringBit5(0x80, text, type);
}

void CFastInfosetWriter::WriteEndElement() {
  if (!m_current) detail::ThrowNoOpenElementToEnd();
  CloseStartTag();
  // Two element terminators share one octet.
  if (m_terminatorPending) {
    m_stream.Append(static_cast<unsigned char>(0xFF));
    m_terminatorPending = false;
  } else {
    m_terminatorPending = true;
  }
  PopContext();
}

// ---- attributes -----------------------------------------------------------------

void CFastInfosetWriter::WriteAttributeString(const std::string& localName,
                                              const std::string& namespaceURI,
                                              const std::string& value, ItemType type) {
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  FIWriterState& state = *m_state;
  if (state.attributeCount == state.attributes.size()) state.attributes.emplace_back();
  FIPendingAttribute& a = state.attributes[state.attributeCount];

  // The value first: a value that cannot be encoded leaves no trace.
  FITable& values = state.attributeValues;
  if (value.empty()) {
    a.mode = FIPendingAttribute::Empty;
  } else if (value.size() < state.attributeMaxAddLength) {
    if (const unsigned long* index = values.Find(value)) {
      a.mode = FIPendingAttribute::Index;
      a.index = *index;
    } else {
      detail::EncodeValue(state, value, type, false, a.value);
      if (values.Add(value)) {
        m_vocabulary->AddAttributeValue(value);
        a.mode = FIPendingAttribute::LiteralAdded;
      } else {
        a.mode = FIPendingAttribute::Literal;
      }
    }
  } else {
    detail::EncodeValue(state, value, type, false, a.value);
    a.mode = FIPendingAttribute::Literal;
  }

  // An attribute in a namespace is always prefixed, even in the default one.
  if (namespaceURI.empty())
    a.prefix.clear();
  else
    a.prefix = ResolvePrefix(context, namespaceURI);
  a.namespaceURI = namespaceURI;
  a.localName = localName;
  ++state.attributeCount;
  context->m_hasAttributes = true;
}

void CFastInfosetWriter::WriteAttributeType(const std::string& typeNamespaceURI,
                                            const std::string& typeName, ItemType type) {
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  if (typeNamespaceURI.empty() || typeNamespaceURI == context->GetDefaultNamespace()) {
    WriteAttributeString("type", detail::kXsiNamespace, typeName, type);
    return;
  }
  const std::string prefix = ResolvePrefix(context, typeNamespaceURI);
  WriteAttributeString("type", detail::kXsiNamespace, prefix + ":" + typeName, type);
}

void CFastInfosetWriter::WriteAttributeNil() {
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  WriteAttributeString("nil", detail::kXsiNamespace, "true", ItemType_boolean);
}

// ---- ignored items --------------------------------------------------------------

void CFastInfosetWriter::WriteComment(const std::string&) {}

void CFastInfosetWriter::WriteInlineSchema(const std::string&) {}

void CFastInfosetWriter::WritePI(const std::string&) { CloseStartTag(); }

}  // namespace VxXmlLib10
