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

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/XmlNamespaces.h"
#include "fastinfoset/FastInfosetWriterState.h"
#include "xml/Messages.h"
#include "xml/NamespacePlanner.h"

namespace VxXmlLib10 {

using detail::NamespacePlanner;

const char* const ORVANE_URI = "urn:vxxml:fastinfoset:generated-vocabulary";

namespace detail {
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

}  // namespace
}  // namespace detail

using detail::FIPendingAttribute;
using detail::FIQNameMemo;
using detail::FITable;
using detail::FIWriterState;

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
  state->valueTableMemory = context.GetValueTableMemory();
  state->utf16 = context.GetDefaultStringEncoding() != 0;
  m_vocabulary = vocabulary.release();
  m_state = state.release();
}

CFastInfosetWriter::~CFastInfosetWriter() {
  delete m_state;
  delete m_vocabulary;
}

void CFastInfosetWriter::Close() { CXmlWriter::Close(); }

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
// enters the table. `writeIndex` writes the index form.
template <class WriteIndex>
void WriteQualifiedName(CFastInfosetWriter& writer, CBinaryStream& stream, FIWriterState& state,
                        FITable& names, unsigned char literal, const std::string& prefix,
                        const std::string& namespaceName, const std::string& localName,
                        CFIVocabulary& vocabulary, bool element, WriteIndex writeIndex) {
  FIQNameMemo& memo = element ? state.elementMemo : state.attributeMemo;
  if (const unsigned long* index = memo.Find(prefix, namespaceName, localName)) {
    writeIndex(*index);
    return;
  }
  std::string& key = state.key;
  key.assign(localName);
  key += '\x01';
  key += namespaceName;
  key += '\x01';
  key += prefix;
  if (const unsigned long* index = names.Find(key)) {
    memo.Remember(prefix, namespaceName, localName, *index);
    writeIndex(*index);
    return;
  }
  // A prefix is only written together with a namespace name.
  const bool hasNamespace = !namespaceName.empty();
  const bool hasPrefix = hasNamespace && !prefix.empty();
  stream.Append(
      static_cast<unsigned char>(literal | (hasPrefix ? 0x02 : 0) | (hasNamespace ? 0x01 : 0)));
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
  state.attributeCount = 0;
  unsigned char bits = attributeCount ? 0x40 : 0x00;
  // The document element always has the namespace-attribute section (maybe
  // empty); other elements when they declare something.
  if (context->m_parent == nullptr || !state.declarations.empty()) {
    m_stream.Append(static_cast<unsigned char>(bits | 0x38));
    for (const NamespaceDeclaration& d : state.declarations) {
      if (!d.prefix.empty()) {
        m_stream.Append(static_cast<unsigned char>(0xCF));
        WriteIdentifying(*this, state.prefixes, d.prefix, &CFIVocabulary::AddPrefixName,
                         *m_vocabulary);
        WriteIdentifying(*this, state.namespaceNames, d.uri, &CFIVocabulary::AddNamespaceName,
                         *m_vocabulary);
      } else if (!d.uri.empty()) {
        m_stream.Append(static_cast<unsigned char>(0xCD));  // the default namespace
        WriteIdentifying(*this, state.namespaceNames, d.uri, &CFIVocabulary::AddNamespaceName,
                         *m_vocabulary);
      } else {
        m_stream.Append(static_cast<unsigned char>(0xCC));  // no default namespace
      }
    }
    state.declarations.clear();
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
        detail::EmitBit3(*this, m_stream, 0x40, a.value);
        break;
      case FIPendingAttribute::Literal:
        detail::EmitBit3(*this, m_stream, 0x00, a.value);
        break;
    }
  }
  if (attributeCount) m_stream.Append(static_cast<unsigned char>(0xF0));
}

void CFastInfosetWriter::WriteStartElement(const std::string& localName,
                                           const std::string& namespaceURI) {
  NamespacePlanner::TakePending(*this, m_state->declarations);
  if (m_current) {
    CloseStartTag();
    ++m_current->m_childCount;
  }
  WriteTerminatorBeforeSibling();
  PushContext(localName, namespaceURI);
  FIWriterState& state = *m_state;
  state.attributeCount = 0;
  state.declarations.clear();
  // The prefix and the namespace attributes of the element, as the writer
  // core plans them for every writer.
  NamespacePlanner::PlanStartElement(*this, state.declarations);
}

void CFastInfosetWriter::WriteString(const std::string& text, ItemType type) {
  NamespacePlanner::TakePending(*this, m_state->declarations);
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
    if (!chunks.Full() && m_state->TakeValueRoom(text.size())) {
      EncodedCharacterStringBit5(0x90, text, type);
      chunks.Add(text);
      m_vocabulary->AddElementValue(text);
      return;
    }
  }
  EncodedCharacterStringBit5(0x80, text, type);
}

void CFastInfosetWriter::WriteEndElement() {
  NamespacePlanner::TakePending(*this, m_state->declarations);
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
  NamespacePlanner::TakePending(*this, m_state->declarations);
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
      if (state.TakeValueRoom(value.size()) && values.Add(value)) {
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
  a.prefix = NamespacePlanner::PlanAttributePrefix(*this, namespaceURI, state.declarations);
  a.namespaceURI = namespaceURI;
  a.localName = localName;
  ++state.attributeCount;
  context->m_hasAttributes = true;
}

void CFastInfosetWriter::WriteAttributeType(const std::string& typeNamespaceURI,
                                            const std::string& typeName, ItemType type) {
  NamespacePlanner::TakePending(*this, m_state->declarations);
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  WriteAttributeString(
      "type", detail::kXsiNamespace,
      NamespacePlanner::PlanTypeValue(*this, typeNamespaceURI, typeName, m_state->declarations),
      type);
}

void CFastInfosetWriter::WriteAttributeNil() {
  NamespacePlanner::TakePending(*this, m_state->declarations);
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  WriteAttributeString("nil", detail::kXsiNamespace, "true", ItemType_boolean);
}

// ---- ignored items --------------------------------------------------------------

void CFastInfosetWriter::WriteComment(const std::string&) {}

void CFastInfosetWriter::WriteInlineSchema(const std::string&) {}

// A comment's text and an instruction's content: the empty string by its
// index 0, else a literal that enters no table.
void CFastInfosetWriter::WriteContentComment(const std::string& text) {
  NamespacePlanner::TakePending(*this, m_state->declarations);
  CloseStartTag();
  WriteTerminatorBeforeSibling();
  m_stream.Append(static_cast<unsigned char>(0xE2));
  if (text.empty())
    Integer0To2pw20Bit2(0x80, 0);
  else
    EncodedCharacterStringBit3(0x00, text, ItemType_string);
}

void CFastInfosetWriter::WriteProcessingInstruction(const std::string& target,
                                                    const std::string& data) {
  NamespacePlanner::TakePending(*this, m_state->declarations);
  CloseStartTag();
  WriteTerminatorBeforeSibling();
  m_stream.Append(static_cast<unsigned char>(0xE1));
  NonEmptyOctetUTF8StringBit2(0x00, target);
  if (data.empty())
    Integer0To2pw20Bit2(0x80, 0);
  else
    EncodedCharacterStringBit3(0x00, data, ItemType_string);
}

void CFastInfosetWriter::WriteDocumentType(const std::string&, const std::string& systemId,
                                           const std::string& publicId) {
  if (m_current) detail::ThrowHeaderDirectiveAfterElement();
  m_stream.Append(static_cast<unsigned char>(0xC4 | (systemId.empty() ? 0 : 0x02) |
                                             (publicId.empty() ? 0 : 0x01)));
  if (!systemId.empty()) NonEmptyOctetUTF8StringBit2(0x00, systemId);
  if (!publicId.empty()) NonEmptyOctetUTF8StringBit2(0x00, publicId);
  m_stream.Append(static_cast<unsigned char>(0xF0));
}

void CFastInfosetWriter::WritePI(const std::string&) {
  NamespacePlanner::TakePending(*this, m_state->declarations);
  CloseStartTag();
}

}  // namespace VxXmlLib10
