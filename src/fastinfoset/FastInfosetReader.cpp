// The Fast Infoset reader.
//
// Input safety. Every octet comes through Take(), which compares against the
// end of the buffer once; lengths read from the document are compared with
// the octets left before anything is allocated or copied for them, and every
// index is compared with its table. Elements nest through the document's
// open-element stack, never through recursion, so depth costs no stack.
//
// XML. What reaches the tree is what XML 1.0 with namespaces can carry, so
// that the tree always writes out as well-formed XML: every string is
// well-formed UTF-8 (or UTF-16 without unpaired surrogates) of characters
// XML allows, prefixes and local names are names without a colon, the
// reserved prefixes and namespaces are declared only as XML allows, and no
// element has the same attribute or prefix declaration twice. Strings are
// checked once, when read as literals (names and their parts as they enter
// their tables); references by index cost nothing more.
//
// Speed. The one-octet forms of integers and lengths (indices 1 to 32 of
// element names, short strings) are decided inline; the longer forms go out
// of line. Names, values and chunks are converted to the local code page
// once, when read as literals; indexed references then cost a table lookup.
// Whether UTF-8 is already the local text is decided once per document.
//
// Tables. The reader keeps its own tables in the form it needs: strings
// already in the local code page, qualified names resolved to their
// namespace and local name. Like the writer's, each holds at most 2^20
// entries; literals beyond that are not added. The tables the format has
// but the tree does not need (other NCNames, other URIs, other strings) are
// only counted, so that indices into them can still be checked.
#include "vxxml/FastInfosetReader.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/LocalText.h"
#include "base/Utf8.h"
#include "base/XmlNamespaces.h"
#include "fastinfoset/Messages.h"
#include "vxxml/Encoder.h"
#include "vxxml/FastInfosetBinaryData.h"
#include "vxxml/XmlDocument.h"
#include "xml/XmlChars.h"

namespace VxXmlLib10 {

namespace detail {

namespace {

const uint64_t kMaxTableSize = CFIVocabulary::MAX_TABLE_SIZE;
// User restricted alphabets are numbered from 16; 3 to 15 are reserved.
const size_t kFirstUserAlphabet = 16;
const size_t kScratchSize = 1024;

// The XML declarations that may precede a Fast Infoset document, in the
// order of FInfoDecl 1 to 9. They are ASCII, so they are their own UTF-8.
const char* const FI_DECLARATION_LIST[] = {
    "<?xml encoding='finf'?>",
    "<?xml encoding='finf' standalone='yes'?>",
    "<?xml encoding='finf' standalone='no'?>",
    "<?xml version='1.0' encoding='finf'?>",
    "<?xml version='1.0' encoding='finf' standalone='yes'?>",
    "<?xml version='1.0' encoding='finf' standalone='no'?>",
    "<?xml version='1.1' encoding='finf'?>",
    "<?xml version='1.1' encoding='finf' standalone='yes'?>",
    "<?xml version='1.1' encoding='finf' standalone='no'?>",
};

const unsigned char kHeader[4] = {0xE0, 0x00, 0x00, 0x01};

// Refuses text that is not XML: ill-formed UTF-8, characters XML does not allow.
void CheckText(const unsigned char* p, uint64_t n) {
  TextFault fault;
  if (CheckXmlText(p, static_cast<size_t>(n), &fault)) return;
  if (fault.kind == TextFault::kIllFormed) ThrowFIIllFormedUtf8(fault.value);
  ThrowFICharacterNotAllowed(fault.value);
}

/// A string table of the document. Tables the tree does not need keep only
/// their count.
struct FIStringTable {
  const char* name;
  bool keep;
  bool names;  // entries are names without a colon (prefixes, local names)
  uint64_t count = 0;
  std::vector<std::string> values;

  FIStringTable(const char* tableName, bool kept, bool ncNames = false)
      : name(tableName), keep(kept), names(ncNames) {}

  bool Full() const { return count >= kMaxTableSize; }
  void Add(const std::string& value) {
    if (Full()) return;
    ++count;
    if (keep) values.push_back(value);
  }
  void Check(uint64_t index) const {
    if (index == 0 || index > count) ThrowFIIndexBeyondTable(index, name);
  }
  const std::string& At(uint64_t index) const {
    Check(index);
    return values[index - 1];
  }
};

/// A qualified name resolved to what the tree keeps.
struct FIName {
  std::string namespaceName;
  std::string localName;
  bool valid = true;  // false: an entry of the context's vocabulary that refers nowhere
};

struct FINameTable {
  const char* name;
  std::vector<FIName> values;

  explicit FINameTable(const char* tableName) : name(tableName) {}

  const FIName& At(uint64_t index) const {
    if (index == 0 || index > values.size() || !values[index - 1].valid)
      ThrowFIIndexBeyondTable(index, name);
    return values[index - 1];
  }
};

/// A restricted alphabet, split into characters on first use.
struct FIAlphabet {
  std::string source;  // UTF-8
  bool prepared = false;
  bool ascii = true;               // every character is one ASCII octet: use `bytes`
  std::string bytes;               // the characters when ASCII
  std::vector<std::string> chars;  // the characters otherwise, as UTF-8
  uint64_t length = 0;
  unsigned width = 0;

  void Prepare() {
    prepared = true;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(source.data());
    const unsigned char* end = p + source.size();
    // Every string in the alphabet is then XML text as well.
    CheckText(p, source.size());
    std::vector<std::string> split;
    while (p < end) {
      uint32_t cp;
      const int n = DecodeUtf8(p, end, &cp);
      if (n > 1) ascii = false;
      split.emplace_back(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
      p += n;
    }
    length = split.size();
    if (ascii)
      bytes = source;
    else
      chars.swap(split);
    // The smallest width of at least 2 bits that leaves the all-ones value
    // free as the terminator.
    width = 2;
    while (width < 32 && (uint64_t(1) << width) <= length) ++width;
  }
};

}  // namespace

class FIReaderState {
 public:
  FIReaderState(const CFastInfosetContext& context, CXmlDocument& document);

  bool Parse();

 private:
  // ---- octets ---------------------------------------------------------------
  unsigned char Take() {
    if (m_p == m_end) ThrowFIEndOfFile();
    return *m_p++;
  }
  const unsigned char* Take(uint64_t n) {
    if (static_cast<uint64_t>(m_end - m_p) < n) ThrowFIEndOfFile();
    const unsigned char* start = m_p;
    m_p += n;
    return start;
  }
  // The rest of a multi-octet integer: `high` holds the value bits of the
  // octet already read, `n` more octets follow, most significant first.
  uint64_t TakeRest(uint64_t high, uint64_t n) {
    const unsigned char* p = Take(n);
    for (uint64_t i = 0; i < n; ++i) high = (high << 8) | p[i];
    return high;
  }
  uint64_t Take32() { return TakeRest(0, 4); }

  // ---- integers and lengths: one-octet forms inline -------------------------
  uint64_t Integer1To2pw20Bit2(unsigned char c) {
    if (!(c & 0x40)) return (c & 0x3F) + 1u;
    return Integer1To2pw20Bit2Long(c, false);
  }
  uint64_t Integer0To2pw20Bit2(unsigned char c) {
    if ((c & 0x7F) == 0x7F) return 0;
    if (!(c & 0x40)) return (c & 0x3F) + 1u;
    return Integer1To2pw20Bit2Long(c, true);
  }
  uint64_t Integer1To2pw20Bit3(unsigned char c) {
    if (!(c & 0x20)) return (c & 0x1F) + 1u;
    return Integer1To2pw20Bit3Long(c);
  }
  uint64_t Integer1To2pw20Bit4(unsigned char c) {
    if (!(c & 0x10)) return (c & 0x0F) + 1u;
    return Integer1To2pw20Bit4Long(c);
  }
  uint64_t NonEmptyOctetStringBit2Length(unsigned char c) {
    if (!(c & 0x40)) return (c & 0x3F) + 1u;
    return NonEmptyOctetStringBit2LengthLong(c);
  }
  uint64_t NonEmptyOctetStringBit5Length(unsigned char c) {
    if (!(c & 0x08)) return (c & 0x07) + 1u;
    return NonEmptyOctetStringBit5LengthLong(c);
  }
  uint64_t NonEmptyOctetStringBit7Length(unsigned char c) {
    if (!(c & 0x02)) return (c & 0x01) + 1u;
    return (c & 0x01) ? Take32() + 259 : Take() + 3u;
  }
  uint64_t Integer1To2pw20Bit2Long(unsigned char c, bool zeroAllowed);
  uint64_t Integer1To2pw20Bit3Long(unsigned char c);
  uint64_t Integer1To2pw20Bit4Long(unsigned char c);
  uint64_t NonEmptyOctetStringBit2LengthLong(unsigned char c);
  uint64_t NonEmptyOctetStringBit5LengthLong(unsigned char c);
  uint64_t LengthOfSequence();

  // ---- strings ----------------------------------------------------------------
  /// Checks the UTF-8 as XML text, then converts it.
  void Utf8ToLocal(const unsigned char* p, uint64_t n, std::string& out) {
    CheckText(p, n);
    LocalFromUtf8(p, n, out);
  }
  /// UTF-8 already checked to the local code page.
  void LocalFromUtf8(const unsigned char* p, uint64_t n, std::string& out);
  void Utf16ToLocal(const unsigned char* p, uint64_t n, std::string& out);
  /// A literal of an identifying-string table, checked for the table's kind.
  void IdentifyingLiteral(FIStringTable& table, const unsigned char* p, uint64_t n);
  void RestrictedAlphabetString(uint64_t alphabet, const unsigned char* p, uint64_t n,
                                std::string& out);
  void AlgorithmString(uint64_t algorithm, const unsigned char* p, uint64_t n, std::string& out);
  void Decode(unsigned kind, uint64_t index, const unsigned char* p, uint64_t n, std::string& out);
  /// Literal starting on the third bit (attribute values); skip: only read past it.
  void EncodedCharacterStringBit3(unsigned char c, std::string& out, bool skip);
  /// Literal starting on the fifth bit (character chunks).
  void EncodedCharacterStringBit5(unsigned char c, std::string& out, bool skip);
  /// A literal or an index into `table` (names, prefixes, URIs).
  const std::string& IdentifyingStringOrIndex(FIStringTable& table);
  /// A string or index starting on the first bit: attribute values, and the
  /// skipped texts of comments and processing instructions.
  const std::string& NonIdentifyingStringOrIndexBit1(FIStringTable& table, bool skip);
  const FIName& ReadQName(unsigned char c, FINameTable& table);
  static void CheckQNameNamespace(const std::string& namespaceName) {
    if (namespaceName == kXmlnsNamespace) ThrowFIReservedNamespace(namespaceName);
  }
  // An unprefixed attribute "xmlns" would be a namespace declaration in XML.
  static const FIName& CheckAttributeName(const FIName& name) {
    if (name.localName == "xmlns" && name.namespaceName.empty()) ThrowFIXmlnsAttribute();
    return name;
  }

  // ---- structure ------------------------------------------------------------
  bool ReadHeader();
  void ReadOptionalData();
  void InitialVocabulary();
  void ReadChildren();
  void ReadElementTree(unsigned char c);
  bool StartElement(unsigned char c, bool root);
  void NamespaceAttributes();
  void Attribute(unsigned char c, CXmlElement* element);
  void CharacterChunk(unsigned char c);
  static void CheckDistinctAttributes(const CXmlElement* element);
  void SkipOctetStringBit2();
  void SkipProcessingInstruction();
  void SkipComment();
  void SkipDocumentTypeDeclaration(unsigned char c);
  void SkipUnexpandedEntityReference(unsigned char c);
  void SkipNotations();
  void SkipUnparsedEntities();
  void AddNameSurrogates(FINameTable& table);

  void SeedVocabulary(const CFIVocabulary& vocabulary);

  CXmlDocument& m_document;
  const unsigned char* m_p;
  const unsigned char* m_end;
  bool m_identity;       // UTF-8 is the local text (UTF-8 locale or ASCII-only)
  bool m_haveRoot;
  bool m_documentEnded;  // a double terminator closed the document element and the document
  FIStringTable m_prefixes{"prefixes", true, true};
  FIStringTable m_namespaceNames{"namespace names", true};
  FIStringTable m_localNames{"local names", true, true};
  FIStringTable m_otherNCNames{"other NCNames", false};
  FIStringTable m_otherURIs{"other URIs", false};
  FIStringTable m_attributeValues{"attribute values", true};
  FIStringTable m_characterChunks{"character chunks", true};
  FIStringTable m_otherStrings{"other strings", false};
  FINameTable m_elementNames{"element names"};
  FINameTable m_attributeNames{"attribute names"};
  std::vector<FIAlphabet> m_alphabets;  // entry 0 unused
  FIName m_name;                        // a literal name that no longer fits its table
  std::string m_value;                  // the last literal value read
  std::string m_utf8;                   // alphabet and UTF-16 output before conversion
  std::vector<std::string> m_declared;  // prefixes declared on the element being read
  std::unique_ptr<char[]> m_scratch;    // work space for conversions to the local code page
};

FIReaderState::FIReaderState(const CFastInfosetContext& context, CXmlDocument& document)
    : m_document(document),
      m_p(nullptr),
      m_end(nullptr),
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
      name.valid = parts.namespaceNameIndex <= m_namespaceNames.count &&
                   parts.localNameIndex >= 1 && parts.localNameIndex <= m_localNames.count;
      if (name.valid) {
        if (parts.namespaceNameIndex)
          name.namespaceName = m_namespaceNames.values[parts.namespaceNameIndex - 1];
        name.localName = m_localNames.values[parts.localNameIndex - 1];
      }
      table.values.push_back(std::move(name));
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

// ---- integers and lengths: the longer forms ----------------------------------

uint64_t FIReaderState::Integer1To2pw20Bit2Long(unsigned char c, bool zeroAllowed) {
  if ((c & 0x60) == 0x40) return TakeRest(c & 0x1F, 1) + 65;
  if ((c & 0x70) == 0x60) return TakeRest(c & 0x0F, 2) + 8257;
  if (zeroAllowed) ThrowFIInvalidInteger0("second");
  ThrowFIInvalidInteger1("second");
}

// In the four-octet forms the value starts after four padding bits of the
// second octet.
uint64_t FIReaderState::Integer1To2pw20Bit3Long(unsigned char c) {
  switch (c & 0x38) {
    case 0x20:
      return TakeRest(c & 0x07, 1) + 33;
    case 0x28:
      return TakeRest(c & 0x07, 2) + 2081;
    case 0x30:
      if ((c & 0x07) == 0) return (TakeRest(0, 3) & 0xFFFFF) + 526369;
      break;
    default:
      break;
  }
  ThrowFIInvalidInteger1("third");
}

uint64_t FIReaderState::Integer1To2pw20Bit4Long(unsigned char c) {
  switch (c & 0x1C) {
    case 0x10:
      return TakeRest(c & 0x03, 1) + 17;
    case 0x14:
      return TakeRest(c & 0x03, 2) + 1041;
    case 0x18:
      if ((c & 0x03) == 0) return (TakeRest(0, 3) & 0xFFFFF) + 263185;
      break;
    default:
      break;
  }
  ThrowFIInvalidInteger1("fourth");
}

uint64_t FIReaderState::NonEmptyOctetStringBit2LengthLong(unsigned char c) {
  switch (c & 0x7F) {
    case 0x40:
      return Take() + 65u;
    case 0x60:
      return Take32() + 321;
    default:
      ThrowFIInvalidOctetStringLength("second");
  }
}

uint64_t FIReaderState::NonEmptyOctetStringBit5LengthLong(unsigned char c) {
  switch (c & 0x0F) {
    case 0x08:
      return Take() + 9u;
    case 0x0C:
      return Take32() + 265;
    default:
      ThrowFIInvalidOctetStringLength("fifth");
  }
}

uint64_t FIReaderState::LengthOfSequence() {
  const unsigned char c = Take();
  if (c < 0x80) return c + 1u;
  return TakeRest(c & 0x0F, 2) + 129;
}

// ---- strings ------------------------------------------------------------------

void FIReaderState::LocalFromUtf8(const unsigned char* p, uint64_t n, std::string& out) {
  if (m_identity) {
    out.assign(reinterpret_cast<const char*>(p), n);
    return;
  }
  if (n > static_cast<uint64_t>(INT_MAX)) ThrowFILongString(n);
  if (!m_scratch) m_scratch.reset(new char[kScratchSize]);
  // The scratch area: its first half holds wide characters, its second half
  // the converted bytes; longer strings use temporary space.
  out = CEncoder::Utf8ToLocalCodePage(const_cast<unsigned char*>(p), static_cast<int>(n),
                                      reinterpret_cast<wchar_t*>(m_scratch.get()),
                                      kScratchSize / 2 / sizeof(wchar_t),
                                      m_scratch.get() + kScratchSize / 2, kScratchSize / 2);
}

// UTF-16BE, checked as it is decoded, goes through UTF-8 to the local text.
void FIReaderState::Utf16ToLocal(const unsigned char* p, uint64_t n, std::string& out) {
  if (n % 2) ThrowFIOddUtf16Length(n);
  m_utf8.clear();
  m_utf8.reserve(static_cast<size_t>(n / 2 * 3));
  for (uint64_t i = 0; i < n; i += 2) {
    uint32_t cp = (uint32_t(p[i]) << 8) | p[i + 1];
    if (IsSurrogate(cp)) {
      const uint32_t low = i + 3 < n ? (uint32_t(p[i + 2]) << 8) | p[i + 3] : 0;
      if (cp > 0xDBFF || low < 0xDC00 || low > 0xDFFF) ThrowFIUnpairedSurrogate(cp);
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    } else if (!IsXmlChar(cp)) {
      ThrowFICharacterNotAllowed(cp);
    }
    unsigned char bytes[4];
    const int length = EncodeUtf8(cp, bytes);
    m_utf8.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
  }
  LocalFromUtf8(reinterpret_cast<const unsigned char*>(m_utf8.data()), m_utf8.size(), out);
}

void FIReaderState::IdentifyingLiteral(FIStringTable& table, const unsigned char* p, uint64_t n) {
  if (table.names) {
    if (!IsXmlName(p, static_cast<size_t>(n), false))
      ThrowFIInvalidName(std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(n)));
    LocalFromUtf8(p, n, m_value);  // a name is well-formed UTF-8 of XML characters
  } else {
    Utf8ToLocal(p, n, m_value);
  }
  table.Add(m_value);
}

void FIReaderState::RestrictedAlphabetString(uint64_t index, const unsigned char* p, uint64_t n,
                                             std::string& out) {
  if (index >= m_alphabets.size()) ThrowFIIndexBeyondTable(index, "restricted alphabets");
  FIAlphabet& alphabet = m_alphabets[index];
  if (!alphabet.prepared) alphabet.Prepare();
  if (alphabet.length < 2 || alphabet.length > kMaxTableSize) ThrowFIInvalidAlphabetSize();

  const unsigned width = alphabet.width;
  const uint64_t allOnes = (uint64_t(1) << width) - 1;
  // ASCII characters are local text as they are; others are gathered as
  // UTF-8 and converted at the end.
  std::string& text = alphabet.ascii ? out : m_utf8;
  text.clear();
  auto put = [&](uint64_t position) {
    if (position >= alphabet.length) ThrowFIBeyondAlphabet(position, index, alphabet.length);
    if (alphabet.ascii)
      text += alphabet.bytes[position];
    else
      text += alphabet.chars[position];
  };
  if (width == 4) {
    // Two characters per octet; 0xF pads the last one.
    text.reserve(2 * n);
    for (uint64_t i = 0; i < n; ++i) {
      const unsigned high = p[i] >> 4, low = p[i] & 0x0F;
      if (high == 0x0F) break;
      put(high);
      if (low == 0x0F) break;
      put(low);
    }
  } else {
    // Any width: a bit reader takes `width` bits at a time, most
    // significant first, across octet boundaries; the all-ones value ends
    // the string.
    uint64_t held = 0;
    unsigned bits = 0;
    const uint64_t count = n * 8 / width;
    for (uint64_t i = 0, next = 0; i < count; ++i) {
      while (bits < width) {
        held = (held << 8) | p[next++];
        bits += 8;
      }
      bits -= width;
      const uint64_t position = (held >> bits) & allOnes;
      held &= (uint64_t(1) << bits) - 1;
      if (position == allOnes) break;
      put(position);
    }
  }
  if (!alphabet.ascii)
    LocalFromUtf8(reinterpret_cast<const unsigned char*>(m_utf8.data()), m_utf8.size(), out);
}

void FIReaderState::AlgorithmString(uint64_t algorithm, const unsigned char* p, uint64_t n,
                                    std::string& out) {
  if (algorithm == 10) {  // cdata: the text as UTF-8
    Utf8ToLocal(p, n, out);
    return;
  }
  if (n > 0xFFFFFFFFull) ThrowFILongString(n);
  CFastInfosetBinaryData data(const_cast<unsigned char*>(p), static_cast<unsigned long>(n), false);
  out = data.GetAsString(static_cast<unsigned long>(algorithm));
}

void FIReaderState::Decode(unsigned kind, uint64_t index, const unsigned char* p, uint64_t n,
                           std::string& out) {
  switch (kind) {
    case 0:
      Utf8ToLocal(p, n, out);
      break;
    case 1:
      Utf16ToLocal(p, n, out);
      break;
    case 2:
      RestrictedAlphabetString(index, p, n, out);
      break;
    default:
      AlgorithmString(index, p, n, out);
      break;
  }
}

void FIReaderState::EncodedCharacterStringBit3(unsigned char c, std::string& out, bool skip) {
  const unsigned kind = (c >> 4) & 0x03;
  uint64_t index = 0;
  uint64_t n;
  if (kind < 2) {
    n = NonEmptyOctetStringBit5Length(c);
  } else {
    // The table index - 1 in 8 bits: 4 here, 4 in the next octet, whose
    // low half starts the length.
    const unsigned char next = Take();
    index = ((unsigned(c & 0x0F) << 4) | (next >> 4)) + 1u;
    n = NonEmptyOctetStringBit5Length(next);
  }
  const unsigned char* p = Take(n);
  if (!skip) Decode(kind, index, p, n, out);
}

void FIReaderState::EncodedCharacterStringBit5(unsigned char c, std::string& out, bool skip) {
  const unsigned kind = (c >> 2) & 0x03;
  uint64_t index = 0;
  uint64_t n;
  if (kind < 2) {
    n = NonEmptyOctetStringBit7Length(c);
  } else {
    // The table index - 1 in 8 bits: 2 here, 6 in the next octet.
    const unsigned char next = Take();
    index = ((unsigned(c & 0x03) << 6) | (next >> 2)) + 1u;
    n = NonEmptyOctetStringBit7Length(next);
  }
  const unsigned char* p = Take(n);
  if (!skip) Decode(kind, index, p, n, out);
}

const std::string& FIReaderState::IdentifyingStringOrIndex(FIStringTable& table) {
  const unsigned char c = Take();
  if (c & 0x80) {
    const uint64_t index = Integer1To2pw20Bit2(c);
    if (!table.keep) {
      table.Check(index);
      return m_value;
    }
    return table.At(index);
  }
  const uint64_t n = NonEmptyOctetStringBit2Length(c);
  const unsigned char* p = Take(n);
  if (!table.keep) {
    table.Add(std::string());
    return m_value;
  }
  IdentifyingLiteral(table, p, n);
  return m_value;
}

const std::string& FIReaderState::NonIdentifyingStringOrIndexBit1(FIStringTable& table,
                                                                  bool skip) {
  static const std::string kEmpty;
  const unsigned char c = Take();
  if (c & 0x80) {
    const uint64_t index = Integer0To2pw20Bit2(c);
    if (index == 0) return kEmpty;
    if (skip) {
      table.Check(index);
      return kEmpty;
    }
    return table.At(index);
  }
  EncodedCharacterStringBit3(c, m_value, skip);
  if (c & 0x40) table.Add(skip ? kEmpty : m_value);
  return m_value;
}

const FIName& FIReaderState::ReadQName(unsigned char c, FINameTable& table) {
  const bool hasPrefix = (c & 0x02) != 0;
  const bool hasNamespace = (c & 0x01) != 0;
  if (hasPrefix && !hasNamespace) ThrowFIPrefixWithoutNamespace();
  const bool fits = table.values.size() < kMaxTableSize;
  if (fits) table.values.emplace_back();
  FIName& name = fits ? table.values.back() : m_name;
  if (hasPrefix) IdentifyingStringOrIndex(m_prefixes);
  if (hasNamespace)
    name.namespaceName = IdentifyingStringOrIndex(m_namespaceNames);
  else
    name.namespaceName.clear();
  CheckQNameNamespace(name.namespaceName);
  name.localName = IdentifyingStringOrIndex(m_localNames);
  name.valid = true;
  return name;
}

// ---- structure ----------------------------------------------------------------

bool FIReaderState::ReadHeader() {
  const unsigned char* buffer = m_document.GetBuffer();
  const uint64_t length = m_document.GetBufferLength();
  if (!buffer) return false;
  m_p = buffer;
  m_end = buffer + length;
  if (length > 4 && std::memcmp(buffer, kHeader, 4) == 0) {
    m_p += 4;
    return true;
  }
  for (const char* declaration : FI_DECLARATION_LIST) {
    const size_t n = std::strlen(declaration);
    if (n < length && std::memcmp(buffer, declaration, n) == 0) {
      if (length - n >= 4 && std::memcmp(buffer + n, kHeader, 4) == 0) {
        m_p += n + 4;
        return true;
      }
      return false;
    }
  }
  return false;
}

bool FIReaderState::Parse() {
  if (!ReadHeader()) return false;
  m_identity = Utf8IsLocalText();
  ReadOptionalData();
  ReadChildren();
  return true;
}

void FIReaderState::SkipOctetStringBit2() { Take(NonEmptyOctetStringBit2Length(Take())); }

void FIReaderState::ReadOptionalData() {
  const unsigned char presence = Take();
  if (presence & 0x40) {  // additional data: pairs of identifier and data
    for (uint64_t i = LengthOfSequence(); i > 0; --i) {
      SkipOctetStringBit2();
      SkipOctetStringBit2();
    }
  }
  if (presence & 0x20) InitialVocabulary();
  if (presence & 0x10) SkipNotations();
  if (presence & 0x08) SkipUnparsedEntities();
  if (presence & 0x04) SkipOctetStringBit2();  // character encoding scheme
  if (presence & 0x02) Take();                 // standalone
  if (presence & 0x01) NonIdentifyingStringOrIndexBit1(m_otherStrings, true);  // version
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
      const unsigned char* p = Take(NonEmptyOctetStringBit2Length(Take()));
      m_alphabets.emplace_back();
      m_alphabets.back().source.assign(reinterpret_cast<const char*>(p),
                                       static_cast<size_t>(m_p - p));
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
      EncodedCharacterStringBit3(Take(), m_value, !table.keep);
      table.Add(table.keep ? m_value : std::string());
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
    if (c & 0x02) m_prefixes.Check(Integer1To2pw20Bit2(Take()));
    FIName name;
    if (c & 0x01) name.namespaceName = m_namespaceNames.At(Integer1To2pw20Bit2(Take()));
    CheckQNameNamespace(name.namespaceName);
    name.localName = m_localNames.At(Integer1To2pw20Bit2(Take()));
    if (&table == &m_attributeNames) CheckAttributeName(name);
    if (table.values.size() < kMaxTableSize) table.values.push_back(std::move(name));
  }
}

void FIReaderState::SkipNotations() {
  for (;;) {
    const unsigned char c = Take();
    if ((c & 0xFC) == 0xC0) {
      IdentifyingStringOrIndex(m_otherNCNames);
      if (c & 0x02) IdentifyingStringOrIndex(m_otherURIs);
      if (c & 0x01) IdentifyingStringOrIndex(m_otherURIs);
    } else if (c == 0xF0) {
      return;
    } else {
      ThrowFIInvalidTerminator("notations");
    }
  }
}

void FIReaderState::SkipUnparsedEntities() {
  for (;;) {
    const unsigned char c = Take();
    if ((c & 0xFE) == 0xD0) {
      IdentifyingStringOrIndex(m_otherNCNames);
      IdentifyingStringOrIndex(m_otherURIs);
      if (c & 0x01) IdentifyingStringOrIndex(m_otherURIs);
      IdentifyingStringOrIndex(m_otherNCNames);  // the notation's name
    } else if (c == 0xF0) {
      return;
    } else {
      ThrowFIInvalidTerminator("unparsed entities");
    }
  }
}

void FIReaderState::SkipProcessingInstruction() {
  IdentifyingStringOrIndex(m_otherNCNames);               // target
  NonIdentifyingStringOrIndexBit1(m_otherStrings, true);  // content
}

void FIReaderState::SkipComment() { NonIdentifyingStringOrIndexBit1(m_otherStrings, true); }

void FIReaderState::SkipDocumentTypeDeclaration(unsigned char c) {
  if (c & 0x02) IdentifyingStringOrIndex(m_otherURIs);  // system identifier
  if (c & 0x01) IdentifyingStringOrIndex(m_otherURIs);  // public identifier
  for (;;) {  // its processing instructions, then its terminator
    const unsigned char next = Take();
    if (next == 0xE1)
      SkipProcessingInstruction();
    else if (next == 0xF0)
      return;
    else
      ThrowFIInvalidTerminator("document type declaration");
  }
}

void FIReaderState::SkipUnexpandedEntityReference(unsigned char c) {
  IdentifyingStringOrIndex(m_otherNCNames);
  if (c & 0x02) IdentifyingStringOrIndex(m_otherURIs);
  if (c & 0x01) IdentifyingStringOrIndex(m_otherURIs);
}

void FIReaderState::ReadChildren() {
  for (;;) {
    const unsigned char c = Take();
    if (c < 0x80) {
      ReadElementTree(c);
      if (m_documentEnded) return;
      continue;
    }
    switch (c) {
      case 0xE1:
        SkipProcessingInstruction();
        continue;
      case 0xE2:
        SkipComment();
        continue;
      case 0xF0:
      case 0xFF:
        if (!m_haveRoot) ThrowFINoDocumentElement();
        return;
      default:
        break;
    }
    if ((c & 0xFC) == 0xC4) {
      SkipDocumentTypeDeclaration(c);
      continue;
    }
    ThrowFIInvalidDocumentChild();
  }
}

// The document element and everything in it, without recursion: the
// document's open-element stack holds the nesting, `depth` counts it.
void FIReaderState::ReadElementTree(unsigned char c) {
  if (m_haveRoot) ThrowFISecondDocumentElement();
  if (!StartElement(c, true)) return;
  uint64_t depth = 1;
  while (depth > 0) {
    c = Take();
    if (c < 0x80) {
      if (StartElement(c, false)) ++depth;
      continue;
    }
    if (c < 0xC0) {
      CharacterChunk(c);
      continue;
    }
    switch (c) {
      case 0xF0:
        m_document.PopElement();
        --depth;
        continue;
      case 0xFF:  // closes this element and its parent (or the document)
        m_document.PopElement();
        if (--depth == 0) {
          m_documentEnded = true;
          return;
        }
        m_document.PopElement();
        --depth;
        continue;
      case 0xE1:
        SkipProcessingInstruction();
        continue;
      case 0xE2:
        SkipComment();
        continue;
      default:
        break;
    }
    if ((c & 0xFC) == 0xC8) {
      SkipUnexpandedEntityReference(c);
      continue;
    }
    ThrowFIInvalidElementType();
  }
}

// Reads an element's namespace attributes, name and attributes and opens it.
// Returns false when its attributes ended with a double terminator, which
// also closed it.
bool FIReaderState::StartElement(unsigned char c, bool root) {
  const bool hasAttributes = (c & 0x40) != 0;
  unsigned char nameOctet = c;
  if ((c & 0x3C) == 0x38) {
    NamespaceAttributes();
    nameOctet = Take();
  }
  const FIName& name = (nameOctet & 0x3C) == 0x3C
                           ? ReadQName(nameOctet, m_elementNames)
                           : m_elementNames.At(Integer1To2pw20Bit3(nameOctet));
  CXmlElement* element;
  if (root) {
    m_haveRoot = true;
    element = m_document.AddDocElement(name.namespaceName.c_str(), name.localName.c_str());
  } else {
    element = m_document.AddChildElement(name.namespaceName.c_str(), name.localName.c_str());
  }
  if (!hasAttributes) return true;
  for (;;) {
    const unsigned char a = Take();
    if (!(a & 0x80)) {
      Attribute(a, element);
      continue;
    }
    if (a != 0xF0 && a != 0xFF) ThrowFIInvalidTerminator("attributes");
    CheckDistinctAttributes(element);
    if (a == 0xF0) return true;
    m_document.PopElement();
    return false;
  }
}

// Declarations as XML allows them: "xml" only for its own namespace and that
// namespace under no other prefix, "xmlns" and its namespace never, a prefix
// never undeclared, and each prefix at most once per element.
void FIReaderState::NamespaceAttributes() {
  m_declared.clear();
  for (;;) {
    const unsigned char c = Take();
    if ((c & 0xFC) != 0xCC) {
      if (c != 0xF0) ThrowFIInvalidTerminator("namespace attributes");
      break;
    }
    std::string prefix;
    if (c & 0x02) prefix = IdentifyingStringOrIndex(m_prefixes);
    const std::string& namespaceName =
        (c & 0x01) ? IdentifyingStringOrIndex(m_namespaceNames) : std::string();
    const bool xmlPrefix = prefix == "xml", xmlNamespace = namespaceName == kXmlNamespace;
    if (prefix == "xmlns" || namespaceName == kXmlnsNamespace || xmlPrefix != xmlNamespace ||
        (!prefix.empty() && namespaceName.empty()))
      ThrowFIInvalidNamespaceDeclaration(prefix, namespaceName);
    m_document.SetNamespaceAlias(prefix, namespaceName);
    m_declared.push_back(std::move(prefix));
  }
  if (m_declared.size() < 2) return;
  std::sort(m_declared.begin(), m_declared.end());
  const auto twice = std::adjacent_find(m_declared.begin(), m_declared.end());
  if (twice != m_declared.end()) ThrowFIDuplicateNamespaceDeclaration(*twice);
}

void FIReaderState::Attribute(unsigned char c, CXmlElement* element) {
  const FIName& name = (c & 0x78) == 0x78 ? CheckAttributeName(ReadQName(c, m_attributeNames))
                                          : m_attributeNames.At(Integer1To2pw20Bit2(c));
  const std::string& value = NonIdentifyingStringOrIndexBit1(m_attributeValues, false);
  m_document.AddElementAttribute(element, name.localName, value, name.namespaceName);
}

// A chunk is kept whole, carriage returns included: unlike XML text, Fast
// Infoset has no line ends to normalise.
void FIReaderState::CharacterChunk(unsigned char c) {
  CXmlElement* element = m_document.GetCurrentElement();
  if (c & 0x20) {
    const std::string& text = m_characterChunks.At(Integer1To2pw20Bit4(c));
    element->AppendTextBytes(text.data(), text.size());
    return;
  }
  EncodedCharacterStringBit5(c, m_value, false);
  element->AppendTextBytes(m_value.data(), m_value.size());
  if (c & 0x10) m_characterChunks.Add(m_value);
}

// Once per element, when its attributes have been read: a few are compared
// pair by pair, many sorted by name.
void FIReaderState::CheckDistinctAttributes(const CXmlElement* element) {
  const std::vector<CXmlAttribute*>& attributes = element->GetAttributes();
  const size_t n = attributes.size();
  auto same = [](const CXmlAttribute* a, const CXmlAttribute* b) {
    return a->GetLocalName() == b->GetLocalName() && a->GetNamespaceURI() == b->GetNamespaceURI();
  };
  auto fail = [](const CXmlAttribute* a) {
    ThrowFIDuplicateAttribute(a->GetLocalName(), a->GetNamespaceURI());
  };
  if (n <= 8) {
    for (size_t i = 1; i < n; ++i)
      for (size_t j = 0; j < i; ++j)
        if (same(attributes[i], attributes[j])) fail(attributes[i]);
    return;
  }
  std::vector<const CXmlAttribute*> sorted(attributes.begin(), attributes.end());
  std::sort(sorted.begin(), sorted.end(), [](const CXmlAttribute* a, const CXmlAttribute* b) {
    const int byName = a->GetLocalName().compare(b->GetLocalName());
    return byName != 0 ? byName < 0 : a->GetNamespaceURI() < b->GetNamespaceURI();
  });
  for (size_t i = 1; i < n; ++i)
    if (same(sorted[i], sorted[i - 1])) fail(sorted[i]);
}

}  // namespace detail

// ---- CFastInfosetReader ---------------------------------------------------------

CFastInfosetReader::CFastInfosetReader(const CFastInfosetContext& context, CXmlDocument& document)
    : CInstanceMonitor("CFastInfosetReader"),
      m_context(context),
      m_document(document),
      m_state(nullptr) {}

CFastInfosetReader::~CFastInfosetReader() { Cleanup(); }

void CFastInfosetReader::Cleanup() {
  delete m_state;
  m_state = nullptr;
}

bool CFastInfosetReader::Parse() {
  Cleanup();
  m_state = new detail::FIReaderState(m_context, m_document);
  try {
    const bool parsed = m_state->Parse();
    Cleanup();
    return parsed;
  } catch (...) {
    Cleanup();
    throw;
  }
}

}  // namespace VxXmlLib10
