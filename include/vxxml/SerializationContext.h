// The options passed to every serialisation and deserialisation.
#ifndef VXXML_SERIALIZATIONCONTEXT_H
#define VXXML_SERIALIZATIONCONTEXT_H

#include <string>
#include <vector>

#include "vxxml/Export.h"
#include "vxxml/FastInfosetContext.h"
#include "vxxml/NamespaceAliasMap.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Untyped.h"

namespace VxXmlLib10 {

enum SchemaType {
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
};

}  // namespace VxXmlLib10

#endif  // VXXML_SERIALIZATIONCONTEXT_H
