// The options passed to every serialisation and deserialisation.
#ifndef VXXML_SERIALIZATIONCONTEXT_H
#define VXXML_SERIALIZATIONCONTEXT_H

#include <cstdint>
#include <string>
#include <vector>

#include "vxxml/Export.h"
#include "vxxml/FastInfosetContext.h"
#include "vxxml/NamespaceAliasMap.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Untyped.h"

namespace VxXmlLib10 {

enum SchemaType : int {
  SchemaType_Default = 0,       ///< namespace-aware reading and matching
  SchemaType_Alternate = 1,     ///< behaves exactly as SchemaType_Default
  SchemaType_NoNamespaces = 2   ///< no namespace processing; match by local name
};

/// The bag of options of one serialisation. Not locked: set it up completely
/// before sharing it between threads.
class VXXML_API CXmlSerializationContext {
 public:
  CXmlSerializationContext();
  /// Copies every option by value; the additional-root-attribute collection,
  /// once created, is shared with the copy.
  CXmlSerializationContext(const CXmlSerializationContext& other);
  CXmlSerializationContext& operator=(const CXmlSerializationContext& other);
  virtual ~CXmlSerializationContext();

  bool GetIgnoreUnknownAttributes() const { return m_ignoreUnknownAttributes; }
  void SetIgnoreUnknownAttributes(bool value) { m_ignoreUnknownAttributes = value; }
  bool GetIgnoreUnknownElements() const { return m_ignoreUnknownElements; }
  /// Throws CVxInvalidStateException when ignore-missing-mandatory-elements is
  /// set and `value` is true; the flag is then unchanged.
  void SetIgnoreUnknownElements(bool value);
  bool GetIgnoreMissingMandatoryElements() const { return m_ignoreMissingMandatoryElements; }
  /// Throws CVxInvalidStateException when ignore-unknown-elements is set and
  /// `value` is true; the flag is then unchanged.
  void SetIgnoreMissingMandatoryElements(bool value);
  bool GetIgnoreMissingChoice() const { return m_ignoreMissingChoice; }
  void SetIgnoreMissingChoice(bool value) { m_ignoreMissingChoice = value; }
  bool GetIgnoreInvalidCollectionCounts() const { return m_ignoreInvalidCollectionCounts; }
  void SetIgnoreInvalidCollectionCounts(bool value) { m_ignoreInvalidCollectionCounts = value; }
  /// True when the flag is set or the schema type is SchemaType_NoNamespaces.
  bool GetIgnoreNamespaces() const {
    return m_ignoreNamespaces || m_schemaType == SchemaType_NoNamespaces;
  }
  void SetIgnoreNamespaces(bool value) { m_ignoreNamespaces = value; }
  bool GetNoOptionalAttributeDefaultOutput() const { return m_noOptionalAttributeDefaultOutput; }
  void SetNoOptionalAttributeDefaultOutput(bool value) {
    m_noOptionalAttributeDefaultOutput = value;
  }
  bool GetWriteTypeAttribute() const { return m_writeTypeAttribute; }
  void SetWriteTypeAttribute(bool value) { m_writeTypeAttribute = value; }
  SchemaType GetSchemaType() const { return m_schemaType; }
  void SetSchemaType(SchemaType value) { m_schemaType = value; }
  bool GetStripCDATA() const { return m_stripCDATA; }
  void SetStripCDATA(bool value) { m_stripCDATA = value; }

  std::string GetDefaultNamespaceURI() const { return m_defaultNamespaceURI; }
  void SetDefaultNamespaceURI(const char* uri) { m_defaultNamespaceURI = uri ? uri : ""; }
  std::string GetInLineSchema() const { return m_inLineSchema; }
  void SetInLineSchema(const char* schema) { m_inLineSchema = schema ? schema : ""; }

  CNamespaceAliasMap& GetNamespaceAliases() { return m_namespaceAliases; }
  const CNamespaceAliasMap& GetNamespaceAliases() const { return m_namespaceAliases; }
  std::vector<std::string>& GetProcessingInstructions() { return m_processingInstructions; }
  const std::vector<std::string>& GetProcessingInstructions() const {
    return m_processingInstructions;
  }
  CFastInfosetContext& GetFIContext() { return m_fiContext; }
  const CFastInfosetContext& GetFIContext() const { return m_fiContext; }

  /// The attributes written on every document root with this context, after
  /// its namespace declarations. The collection (namespace "", rule "##any",
  /// target namespace "") is created on the first call -- which writes the
  /// context, so make it before sharing the context between threads -- and
  /// is shared with the caller and with every copy of the context made
  /// afterwards. A copy made before the first call creates its own.
  CSmartPtr<CAttributeCol> GetAdditionalRootAttributes() const;

  // ---- Bounds on reading ----------------------------------------------------
  // A departure from a plain bag of options, added for safety: reading is
  // bounded by default, so that hostile input is refused before it costs
  // unbounded memory or time, while every ordinary document passes. Every
  // reading entry point honours the bounds (string, wide string, buffer and
  // file; XML text and Fast Infoset; compressed or not). 0 switches a bound
  // off. Exceeding one throws CVxException naming it and its value:
  //
  //   "Decompressed data exceeds the limit MaxDecompressedSize [%llu bytes]"
  //   "Decompressed data exceeds the limit MaxCompressionRatio [%u:1]"
  //   "Element nesting exceeds the limit MaxDepth [%u]"
  //   "Element count exceeds the limit MaxElements [%llu]"
  //
  // Compressed input is inflated in bounded pieces and refused as soon as it
  // passes a bound, so a compression bomb costs no more than the bounds allow.

  /// Most bytes gzip or zlib input may inflate to; default 1 GiB.
  std::uint64_t GetMaxDecompressedSize() const { return m_maxDecompressedSize; }
  void SetMaxDecompressedSize(std::uint64_t bytes) { m_maxDecompressedSize = bytes; }
  /// Most inflated bytes per compressed byte read, checked once the inflated
  /// data passes 4 MiB; default 200 (XML text compresses 10 to 50 times,
  /// bombs about 1000 times).
  unsigned int GetMaxCompressionRatio() const { return m_maxCompressionRatio; }
  void SetMaxCompressionRatio(unsigned int ratio) { m_maxCompressionRatio = ratio; }
  /// Deepest nesting of elements, the document element being level 1;
  /// default 10,000.
  unsigned int GetMaxDepth() const { return m_maxDepth; }
  void SetMaxDepth(unsigned int levels) { m_maxDepth = levels; }
  /// Most elements read into a document (those an element filter drops
  /// count too); default 0 (no bound).
  std::uint64_t GetMaxElements() const { return m_maxElements; }
  void SetMaxElements(std::uint64_t count) { m_maxElements = count; }

  /// The context used when a caller passes none.
  static CXmlSerializationContext m_defaultContext;

 private:
  std::string m_defaultNamespaceURI;
  bool m_writeTypeAttribute;
  CNamespaceAliasMap m_namespaceAliases;
  // The additional-root-attribute collection, created on first request and
  // shared by copies of the context.
  mutable CSmartPtr<CAttributeCol> m_additionalRootAttributes;
  std::vector<std::string> m_processingInstructions;
  std::string m_inLineSchema;
  bool m_ignoreInvalidCollectionCounts;
  bool m_ignoreMissingChoice;
  bool m_ignoreMissingMandatoryElements;
  bool m_ignoreUnknownElements;
  bool m_ignoreUnknownAttributes;
  bool m_ignoreNamespaces;
  SchemaType m_schemaType;
  bool m_noOptionalAttributeDefaultOutput;
  CFastInfosetContext m_fiContext;
  bool m_stripCDATA;
  std::uint64_t m_maxDecompressedSize;
  unsigned int m_maxCompressionRatio;
  unsigned int m_maxDepth;
  std::uint64_t m_maxElements;
};

}  // namespace VxXmlLib10

#endif  // VXXML_SERIALIZATIONCONTEXT_H
