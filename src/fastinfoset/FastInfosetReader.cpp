// The Fast Infoset reader: the document's structure, over the tables and
// decoders of FastInfosetReaderState.h.
//
// Input safety. Every octet comes through Take(), which compares against the
// end of the window once; a length read from the document is met only by
// octets that arrived before anything is allocated or copied for it, and every
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
// Whether UTF-8 is already the local text is decided once per document; when
// it is, a literal chunk or value is handed on as a view of the input's own
// octets, copied only into a table (or, for a value of a streamed input,
// until its start tag is complete).
#include "vxxml/FastInfosetReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "base/LocalText.h"
#include "base/XmlNamespaces.h"
#include "fastinfoset/FastInfosetReaderState.h"
#include "fastinfoset/FastInfosetStart.h"
#include "fastinfoset/Messages.h"
#include "vxxml/XmlDocument.h"
#include "xml/TreeBuilder.h"

namespace VxXmlLib10 {

namespace detail {

namespace {

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
// The longest declaration and the header.
const size_t kLongestHeader =
    sizeof("<?xml version='1.0' encoding='finf' standalone='yes'?>") - 1 + 4;

}  // namespace

bool StartsLikeFastInfoset(const unsigned char* p, uint64_t n) {
  if (n > 4 && std::memcmp(p, kHeader, 4) == 0) return true;
  for (const char* declaration : FI_DECLARATION_LIST) {
    const size_t length = std::strlen(declaration);
    if (length < n && std::memcmp(p, declaration, length) == 0)
      return n - length >= 4 && std::memcmp(p + length, kHeader, 4) == 0;
  }
  return false;
}

// ---- structure ----------------------------------------------------------------

// Decided on the first octets, as many as the longest declaration, the
// header and one more take (or all of a shorter input): `length` then
// compares with every declaration as the whole input's length would.
bool FIReaderState::ReadHeader() {
  m_in.Fill(kLongestHeader + 1);
  const unsigned char* buffer = m_in.p;
  const uint64_t length = static_cast<uint64_t>(m_in.end - m_in.p);
  if (length > 4 && std::memcmp(buffer, kHeader, 4) == 0) {
    m_in.p += 4;
    return true;
  }
  for (const char* declaration : FI_DECLARATION_LIST) {
    const size_t n = std::strlen(declaration);
    if (n < length && std::memcmp(buffer, declaration, n) == 0) {
      if (length - n >= 4 && std::memcmp(buffer + n, kHeader, 4) == 0) {
        m_in.p += n + 4;
        return true;
      }
      return false;
    }
  }
  return false;
}

bool FIReaderState::Parse(FIByteSource&& input, CXmlEventHandler& handler) {
  m_in = std::move(input);
  m_inMemory = m_in.InMemory();
  if (!ReadHeader()) return false;
  m_handler = &handler;
  m_identity = Utf8IsLocalText();
  handler.StartDocument();
  ReadOptionalData();
  ReadChildren();
  handler.EndDocument();
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

void FIReaderState::ProcessingInstruction() {
  m_elementLocalName = IdentifyingStringOrIndex(m_otherNCNames);  // target
  m_handler->ProcessingInstruction(m_elementLocalName,
                                   NonIdentifyingStringOrIndexBit1(m_otherStrings, false));
}

void FIReaderState::Comment() {
  m_handler->Comment(NonIdentifyingStringOrIndexBit1(m_otherStrings, false));
}

// A document type declaration has identifiers but no name; the instructions
// inside it are read past.
void FIReaderState::SkipDocumentTypeDeclaration(unsigned char c) {
  m_elementNamespace.clear();
  m_elementLocalName.clear();
  if (c & 0x02) m_elementNamespace = IdentifyingStringOrIndex(m_otherURIs);  // system identifier
  if (c & 0x01) m_elementLocalName = IdentifyingStringOrIndex(m_otherURIs);  // public identifier
  m_handler->DocumentType({}, m_elementNamespace, m_elementLocalName);
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
        ProcessingInstruction();
        continue;
      case 0xE2:
        Comment();
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

// A chunk is kept whole, carriage returns included: unlike XML text, Fast
// Infoset has no line ends to normalise. Inline in the loop of ReadElementTree.
inline void FIReaderState::CharacterChunk(unsigned char c) {
  if (c & 0x20) {
    m_handler->Characters(m_characterChunks.At(Integer1To2pw20Bit4(c)));
    return;
  }
  const std::string_view text = EncodedCharacterStringBit5(c, m_value);
  m_handler->Characters(text);
  if (c & 0x10) m_characterChunks.Add(text);
}

// The document element and everything in it, without recursion: the
// document's open-element stack holds the nesting, `depth` counts it.
void FIReaderState::ReadElementTree(unsigned char c) {
  if (m_haveRoot) ThrowFISecondDocumentElement();
  if (!StartElement(c, true)) return;
  uint64_t depth = 1;
  CXmlStartElement& event = m_event;
  while (depth > 0) {
    c = Take();
    if (c < 0x80) {
      // The usual element: no attributes, no declarations, its name one of
      // the first 32 entries of the table. Its event is filled here; the
      // other forms go through StartElement.
      if (!(c & 0x60)) {
        SetName(event, m_elementNames.At(c + 1u));
        event.declarations = nullptr;
        event.declarationCount = 0;
        event.attributes = nullptr;
        event.attributeCount = 0;
        m_handler->StartElement(event);
        ++depth;
      } else if (StartElement(c, false)) {
        ++depth;
      }
      continue;
    }
    if (c < 0xC0) {
      CharacterChunk(c);
      continue;
    }
    switch (c) {
      case 0xF0:
        m_handler->EndElement();
        --depth;
        continue;
      case 0xFF:  // closes this element and its parent (or the document)
        m_handler->EndElement();
        if (--depth == 0) {
          m_documentEnded = true;
          return;
        }
        m_handler->EndElement();
        --depth;
        continue;
      case 0xE1:
        ProcessingInstruction();
        continue;
      case 0xE2:
        Comment();
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
  m_declarationCount = 0;
  m_attributeCount = 0;
  m_tagMoved = false;
  if ((c & 0x3C) == 0x38) {
    NamespaceAttributes();
    nameOctet = Take();
  }
  // The reader's own event, every field set below: a fresh one would be
  // cleared as a block first, for each element.
  CXmlStartElement& event = m_event;
  if ((nameOctet & 0x3C) != 0x3C) {
    SetName(event, m_elementNames.At(Integer1To2pw20Bit3(nameOctet)));
  } else if (&ReadQName(nameOctet, m_elementNames) != &m_name) {
    SetName(event, m_elementNames.views.back());
  } else {
    // A name beyond the full table is held where the attributes' names will
    // be: keep it.
    m_elementNamespace = m_name.namespaceName;
    m_elementLocalName = m_name.localName;
    m_elementPrefix = m_name.prefix;
    event.namespaceURI = m_elementNamespace;
    event.localName = m_elementLocalName;
    event.prefix = m_elementPrefix;
  }
  if (root) m_haveRoot = true;
  bool closed = false;
  if (hasAttributes) {
    for (;;) {
      const unsigned char a = Take();
      if (!(a & 0x80)) {
        Attribute(a);
        continue;
      }
      if (a != 0xF0 && a != 0xFF) ThrowFIInvalidTerminator("attributes");
      closed = a == 0xFF;
      break;
    }
  }
  // Every string of the tag is in place: their views stay valid from here.
  if (m_declarationCount) {
    if (m_tagDeclarations.size() < m_declarationCount)
      m_tagDeclarations.resize(m_declarationCount);
    for (size_t i = 0; i < m_declarationCount; ++i)
      m_tagDeclarations[i] = CXmlEventNamespace{m_tagStrings[2 * i], m_tagStrings[2 * i + 1]};
  }
  event.declarations = m_declarationCount ? m_tagDeclarations.data() : nullptr;
  event.declarationCount = m_declarationCount;
  if (m_attributeCount) {
    if (m_tagMoved) ResolveAttributes();
    if (m_attributeCount > 1) CheckDistinctAttributes();
  }
  event.attributes = m_attributeCount ? m_tagAttributes.data() : nullptr;
  event.attributeCount = m_attributeCount;
  m_handler->StartElement(event);
  if (!closed) return true;
  m_handler->EndElement();
  return false;
}

// The strings of the start tag being read, one after the other.
std::string& FIReaderState::TagString(size_t at) {
  if (m_tagStrings.size() <= at) m_tagStrings.resize(at + 1);
  return m_tagStrings[at];
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
    TagString(2 * m_declarationCount) = prefix;
    TagString(2 * m_declarationCount + 1) = namespaceName;
    ++m_declarationCount;
    m_declared.push_back(std::move(prefix));
  }
  if (m_declared.size() < 2) return;
  std::sort(m_declared.begin(), m_declared.end());
  const auto twice = std::adjacent_find(m_declared.begin(), m_declared.end());
  if (twice != m_declared.end()) ThrowFIDuplicateNamespaceDeclaration(*twice);
}

// Most names and values are entries of their tables, which may still grow
// (and move) while the tag is read: they are remembered by index. A literal
// value that is UTF-8 already local, in an input held in memory, is a view
// of the input; only the others are copied. The attribute's event is filled
// at once as well; it stays valid unless a table or the tag's strings grow
// before the tag ends (m_tagMoved), when ResolveAttributes fills it again.
void FIReaderState::Attribute(unsigned char c) {
  const size_t i = m_attributeCount;
  if (m_tagIndices.size() <= i) {
    m_tagIndices.resize(i + 1);
    m_tagAttributes.resize(i + 1);
  }
  FITagAttribute& at = m_tagIndices[i];
  CXmlEventAttribute& attribute = m_tagAttributes[i];
  const size_t strings = 2 * m_declarationCount + 4 * i;
  if ((c & 0x78) != 0x78) {
    const uint64_t index = Integer1To2pw20Bit2(c);
    SetName(attribute, m_attributeNames.At(index));
    at.name = static_cast<size_t>(index - 1);
  } else {
    // A literal name: the table's last entry, or beyond a full table.
    const FIName& name = CheckAttributeName(ReadQName(c, m_attributeNames));
    m_tagMoved = true;
    if (&name != &m_name) {
      at.name = m_attributeNames.values.size() - 1;
    } else {
      at.name = kCopied;
      TagString(strings) = name.namespaceName;
      TagString(strings + 1) = name.localName;
      TagString(strings + 2) = name.prefix;
    }
  }
  const unsigned char v = Take();
  if (v & 0x80) {
    const uint64_t index = Integer0To2pw20Bit2(v);
    if (index == 0) {
      at.value = kInput;
      at.input = std::string_view();
      attribute.value = std::string_view();
    } else {
      m_attributeValues.Check(index);
      at.value = static_cast<size_t>(index - 1);
      attribute.value = m_attributeValues.values[at.value];
    }
  } else {
    const std::string_view value = EncodedCharacterStringBit3(v, m_value, false);
    if ((v & 0x40) && m_attributeValues.Add(value)) {
      at.value = m_attributeValues.values.size() - 1;
      m_tagMoved = true;
    } else if (m_inMemory && value.data() != m_value.data()) {
      at.value = kInput;
      at.input = value;
      attribute.value = value;
    } else {
      at.value = kCopied;
      TagString(strings + 3).assign(value.data(), value.size());
      m_tagMoved = true;
    }
  }
  m_attributeCount = i + 1;
}

void FIReaderState::ResolveAttributes() {
  // The strings of attribute i start at 2 * m_declarationCount + 4 * i, and
  // are there only where one of them was copied.
  for (size_t i = 0, strings = 2 * m_declarationCount; i < m_attributeCount; ++i, strings += 4) {
    const FITagAttribute& at = m_tagIndices[i];
    CXmlEventAttribute& attribute = m_tagAttributes[i];
    if (at.name == kCopied) {
      attribute.namespaceURI = m_tagStrings[strings];
      attribute.localName = m_tagStrings[strings + 1];
      attribute.prefix = m_tagStrings[strings + 2];
    } else {
      SetName(attribute, m_attributeNames.views[at.name]);
    }
    attribute.value = at.value == kCopied  ? std::string_view(m_tagStrings[strings + 3])
                      : at.value == kInput ? at.input
                                           : std::string_view(m_attributeValues.values[at.value]);
  }
}

// Once per element, when its attributes have been read: a few are compared
// pair by pair, many sorted by name.
void FIReaderState::CheckDistinctAttributes() {
  const size_t n = m_attributeCount;
  const CXmlEventAttribute* attributes = m_tagAttributes.data();
  auto same = [](const CXmlEventAttribute& a, const CXmlEventAttribute& b) {
    return a.localName == b.localName && a.namespaceURI == b.namespaceURI;
  };
  auto fail = [](const CXmlEventAttribute& a) {
    ThrowFIDuplicateAttribute(std::string(a.localName), std::string(a.namespaceURI));
  };
  if (n <= 8) {
    for (size_t i = 1; i < n; ++i)
      for (size_t j = 0; j < i; ++j)
        if (same(attributes[i], attributes[j])) fail(attributes[i]);
    return;
  }
  std::vector<const CXmlEventAttribute*> sorted(n);
  for (size_t i = 0; i < n; ++i) sorted[i] = attributes + i;
  std::sort(sorted.begin(), sorted.end(), [](const CXmlEventAttribute* a, const CXmlEventAttribute* b) {
    const int byName = a->localName.compare(b->localName);
    return byName != 0 ? byName < 0 : a->namespaceURI < b->namespaceURI;
  });
  for (size_t i = 1; i < n; ++i)
    if (same(*sorted[i], *sorted[i - 1])) fail(*sorted[i]);
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
  const unsigned char* buffer = m_document.GetBuffer();
  const size_t length = buffer ? static_cast<size_t>(m_document.GetBufferLength()) : 0;
  return detail::FIReaderRun::Parse(*this, detail::FIByteSource(buffer, length));
}

bool CFastInfosetReader::Parse(CXmlEventHandler& handler) {
  const unsigned char* buffer = m_document.GetBuffer();
  const size_t length = buffer ? static_cast<size_t>(m_document.GetBufferLength()) : 0;
  return detail::FIReaderRun::Parse(*this, detail::FIByteSource(buffer, length), handler);
}

bool detail::FIReaderRun::Parse(CFastInfosetReader& reader, FIByteSource&& input) {
  CTreeBuilder builder(reader.m_document, false);
  return Parse(reader, std::move(input), builder);
}

bool detail::FIReaderRun::Parse(CFastInfosetReader& reader, FIByteSource&& input,
                                CXmlEventHandler& handler) {
  reader.Cleanup();
  reader.m_state = new FIReaderState(reader.m_context, reader.m_document);
  try {
    const bool parsed = reader.m_state->Parse(std::move(input), handler);
    reader.Cleanup();
    return parsed;
  } catch (...) {
    reader.Cleanup();
    throw;
  }
}

}  // namespace VxXmlLib10
