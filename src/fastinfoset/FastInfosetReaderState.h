// The private state of the Fast Infoset reader, shared by its three source
// files: the document's tables, and the reader with its octet-level forms
// inline. FastInfosetDecoders.cpp reads integers and strings,
// FastInfosetReaderVocabulary.cpp the vocabulary (the context's and the
// document's initial one), FastInfosetReader.cpp the document's structure.
//
// Tables. The reader keeps its own tables in the form it needs: strings
// already in the local code page, qualified names resolved to their
// namespace and local name. Like the writer's, each holds at most 2^20
// entries; literals beyond that are not added. The tables the format has
// but the tree does not need (other NCNames, other URIs, other strings) are
// only counted, so that indices into them can still be checked.
#ifndef VXXML_SRC_FASTINFOSET_FASTINFOSETREADERSTATE_H
#define VXXML_SRC_FASTINFOSET_FASTINFOSETREADERSTATE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/XmlNamespaces.h"
#include "fastinfoset/FastInfosetByteSource.h"
#include "fastinfoset/Messages.h"
#include "vxxml/FastInfosetContext.h"
#include "vxxml/FastInfosetReader.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlEventHandler.h"
#include "xml/XmlChars.h"

namespace VxXmlLib10 {
namespace detail {

constexpr uint64_t kMaxTableSize = CFIVocabulary::MAX_TABLE_SIZE;
// User restricted alphabets are numbered from 16; 3 to 15 are reserved.
constexpr size_t kFirstUserAlphabet = 16;

/// Refuses text that is not XML: ill-formed UTF-8, characters XML does not
/// allow. Plain ASCII, the common case, is decided inline.
void CheckTextFully(const unsigned char* p, uint64_t n);
inline void CheckText(const unsigned char* p, uint64_t n) {
  if (!IsPlainXmlText(p, static_cast<size_t>(n))) CheckTextFully(p, n);
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
  /// Whether the value was kept, as the last entry of `values`.
  bool Add(std::string_view value) {
    if (Full()) return false;
    ++count;
    if (keep) values.emplace_back(value);
    return keep;
  }
  void Check(uint64_t index) const {
    if (index - 1 >= count) ThrowFIIndexBeyondTable(index, name);  // index 0 wraps
  }
  const std::string& At(uint64_t index) const {
    Check(index);
    return values[index - 1];
  }
};

/// A qualified name, its prefix as the document gives it.
struct FIName {
  std::string namespaceName;
  std::string localName;
  std::string prefix;
  bool valid = true;  // false: an entry of the context's vocabulary that refers nowhere
};

/// An entry of a name table as the events take it: views of its parts, one
/// cache line per entry.
struct alignas(64) FINameView {
  std::string_view namespaceName, localName, prefix;
  bool valid = true;

  FINameView() = default;
  explicit FINameView(const FIName& name)
      : namespaceName(name.namespaceName),
        localName(name.localName),
        prefix(name.prefix),
        valid(name.valid) {}
};

/// The names, and their views for lookups by index. A view of a short
/// string points into the entry itself, so the views are made again
/// whenever the entries move (as the table grows, a logarithmic number of
/// times); Sync() brings them up to date after entries were added.
struct FINameTable {
  const char* name;
  std::vector<FIName> values;
  std::vector<FINameView> views;
  const FIName* viewsOf = nullptr;  // values.data() when the views were made

  explicit FINameTable(const char* tableName) : name(tableName) {}

  void Sync() {
    if (viewsOf != values.data()) {
      views.clear();
      viewsOf = values.data();
    }
    for (size_t i = views.size(); i < values.size(); ++i) views.emplace_back(values[i]);
  }
  void Add(FIName&& entry) {
    values.push_back(std::move(entry));
    Sync();
  }
  // Index 0 wraps to far beyond any table.
  const FINameView& At(uint64_t index) const {
    if (index - 1 >= views.size() || !views[index - 1].valid) ThrowFIIndexBeyondTable(index, name);
    return views[index - 1];
  }
};

/// An element's or an attribute's event takes the parts of its name.
template <class Event>
inline void SetName(Event& event, const FINameView& name) {
  event.namespaceURI = name.namespaceName;
  event.localName = name.localName;
  event.prefix = name.prefix;
}

/// A restricted alphabet, split into characters on first use.
struct FIReaderAlphabet {
  std::string source;  // UTF-8
  bool prepared = false;
  bool ascii = true;               // every character is one ASCII octet: use `bytes`
  std::string bytes;               // the characters when ASCII
  std::vector<std::string> chars;  // the characters otherwise, as UTF-8
  uint64_t length = 0;
  unsigned width = 0;

  /// Splits the source into characters, once, before first use; checks it
  /// as XML text.
  void Prepare();
};

class FIReaderState {
 public:
  FIReaderState(const CFastInfosetContext& context, CXmlDocument& document);

  /// Reads the document from `input` as events for `handler`; false,
  /// having reported nothing, when it does not start like Fast Infoset.
  bool Parse(FIByteSource&& input, CXmlEventHandler& handler);

 private:
  // ---- octets ---------------------------------------------------------------
  // One comparison with the end of the window; the refill of a streamed
  // input, and the end of the input, out of line and marked cold, so that
  // the decoders keep the shape they have over a buffer in memory (once per
  // 64 KB when streamed, never in memory). The octets Take(n) returns stay
  // valid until the next Take.
  unsigned char Take() {
    if (m_in.p == m_in.end) return *TakeRefilled(1);
    return *m_in.p++;
  }
  const unsigned char* Take(uint64_t n) {
    if (static_cast<uint64_t>(m_in.end - m_in.p) < n) return TakeRefilled(n);
    const unsigned char* start = m_in.p;
    m_in.p += n;
    return start;
  }
  __attribute__((cold)) const unsigned char* TakeRefilled(uint64_t n);
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
    if ((c & 0x1C) == 0x10) return TakeRest(c & 0x03, 1) + 17;  // 17 to 1040, as common
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
  /// The text of a literal of `kind` (0 UTF-8, 1 UTF-16, 2 alphabet, 3
  /// algorithm): UTF-8 that is already the local text is checked and
  /// handed on as a view of its octets, valid until the next Take; the
  /// rest is decoded into `work`.
  std::string_view LiteralText(unsigned kind, uint64_t index, const unsigned char* p, uint64_t n,
                               std::string& work) {
    if (kind == 0 && m_identity) return CheckedView(p, n);
    Decode(kind, index, p, n, work);
    return work;
  }
  /// Literal starting on the third bit (attribute values), as LiteralText
  /// gives it; skip: only read past it (an empty text). UTF-8 that is the
  /// local text is handled inline, the rest out of line.
  std::string_view EncodedCharacterStringBit3(unsigned char c, std::string& work, bool skip) {
    if (!(c & 0x30) && m_identity && !skip) {
      const uint64_t n = NonEmptyOctetStringBit5Length(c);
      return CheckedView(Take(n), n);
    }
    return EncodedCharacterStringBit3Other(c, work, skip);
  }
  /// Literal starting on the fifth bit (character chunks), as LiteralText
  /// gives it; inline as the one above.
  std::string_view EncodedCharacterStringBit5(unsigned char c, std::string& work) {
    if (!(c & 0x0C) && m_identity) {
      const uint64_t n = NonEmptyOctetStringBit7Length(c);
      return CheckedView(Take(n), n);
    }
    return EncodedCharacterStringBit5Other(c, work);
  }
  std::string_view EncodedCharacterStringBit3Other(unsigned char c, std::string& work, bool skip);
  std::string_view EncodedCharacterStringBit5Other(unsigned char c, std::string& work);
  /// UTF-8 that is the local text, checked and handed on as a view.
  static std::string_view CheckedView(const unsigned char* p, uint64_t n) {
    CheckText(p, n);
    return std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
  }
  /// A literal or an index into `table` (names, prefixes, URIs).
  const std::string& IdentifyingStringOrIndex(FIStringTable& table);
  /// A string or index starting on the first bit: the texts of comments and
  /// processing instructions, read or skipped. The view is valid until the
  /// next Take.
  std::string_view NonIdentifyingStringOrIndexBit1(FIStringTable& table, bool skip);
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
  void Attribute(unsigned char c);
  void CharacterChunk(unsigned char c);
  void ResolveAttributes();
  void CheckDistinctAttributes();
  std::string& TagString(size_t at);
  void SkipOctetStringBit2();
  void SkipProcessingInstruction();
  void ProcessingInstruction();
  void Comment();
  void SkipDocumentTypeDeclaration(unsigned char c);
  void SkipUnexpandedEntityReference(unsigned char c);
  void SkipNotations();
  void SkipUnparsedEntities();
  void AddNameSurrogates(FINameTable& table);

  void SeedVocabulary(const CFIVocabulary& vocabulary);

  CXmlDocument& m_document;
  FIByteSource m_in;
  bool m_identity;       // UTF-8 is the local text (UTF-8 locale or ASCII-only)
  bool m_inMemory = false;  // the input is one buffer: views of it stay valid
  bool m_haveRoot;
  bool m_documentEnded;  // a double terminator closed the document element and the document
  FIStringTable m_prefixes{"prefixes", true, true};
  FIStringTable m_namespaceNames{"namespace names", true};
  FIStringTable m_localNames{"local names", true, true};
  FIStringTable m_otherNCNames{"other NCNames", true};
  FIStringTable m_otherURIs{"other URIs", true};
  FIStringTable m_attributeValues{"attribute values", true};
  FIStringTable m_characterChunks{"character chunks", true};
  FIStringTable m_otherStrings{"other strings", true};
  FINameTable m_elementNames{"element names"};
  FINameTable m_attributeNames{"attribute names"};
  std::vector<FIReaderAlphabet> m_alphabets;  // entry 0 unused
  FIName m_name;                        // a literal name that no longer fits its table
  std::string m_value;                  // the last literal value read
  std::string m_utf8;                   // alphabet and UTF-16 output before conversion
  std::vector<std::string> m_declared;  // prefixes declared on the element being read
  std::unique_ptr<char[]> m_scratch;    // work space for conversions to the local code page
  // The events' side: the handler, and the start tag being read (its
  // declarations and attributes, copied: a table may grow while it is read).
  CXmlEventHandler* m_handler = nullptr;
  // Where each attribute's name and value are: an index into its table,
  // kCopied for a string copied into m_tagStrings, or (values) kInput for a
  // view of an input that stays in memory, or of nothing.
  struct FITagAttribute {
    size_t name, value;
    std::string_view input;
  };
  static constexpr size_t kCopied = ~size_t(0);
  static constexpr size_t kInput = ~size_t(0) - 1;
  std::vector<FITagAttribute> m_tagIndices;
  std::vector<std::string> m_tagStrings;  // prefix, URI per declaration; URI, name, prefix, value per attribute
  std::vector<CXmlEventNamespace> m_tagDeclarations;
  std::vector<CXmlEventAttribute> m_tagAttributes;
  std::string m_elementNamespace, m_elementLocalName, m_elementPrefix;
  CXmlStartElement m_event;  // the start tag handed to the handler
  size_t m_declarationCount = 0;
  size_t m_attributeCount = 0;
  bool m_tagMoved = false;  // a table or m_tagStrings grew while the tag was read
};

/// One parse of `reader` over `input`: CFastInfosetReader::Parse for any input.
struct FIReaderRun {
  static bool Parse(CFastInfosetReader& reader, FIByteSource&& input);  // into the tree
  static bool Parse(CFastInfosetReader& reader, FIByteSource&& input, CXmlEventHandler& handler);
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_FASTINFOSET_FASTINFOSETREADERSTATE_H
