// Serialization options.
#include "vxxml/SerializationContext.h"

#include <mutex>

#include "binding/Messages.h"

namespace VxXmlLib10 {

CXmlSerializationContext CXmlSerializationContext::m_defaultContext;

CXmlSerializationContext::CXmlSerializationContext()
    : m_writeTypeAttribute(true),
      m_ignoreInvalidCollectionCounts(false),
      m_ignoreMissingChoice(false),
      m_ignoreMissingMandatoryElements(false),
      m_ignoreUnknownElements(false),
      m_ignoreUnknownAttributes(false),
      m_ignoreNamespaces(false),
      m_schemaType(SchemaType_Default),
      m_noOptionalAttributeDefaultOutput(false),
      m_stripCDATA(true),
      m_maxDecompressedSize(std::uint64_t(1) << 30),
      m_maxCompressionRatio(200),
      m_maxDepth(10000),
      m_maxElements(0) {}

CXmlSerializationContext::CXmlSerializationContext(const CXmlSerializationContext& other) =
    default;
CXmlSerializationContext& CXmlSerializationContext::operator=(
    const CXmlSerializationContext& other) = default;
CXmlSerializationContext::~CXmlSerializationContext() = default;

CSmartPtr<CAttributeCol> CXmlSerializationContext::GetAdditionalRootAttributes() const {
  // Made on first use, also by writers that share one context across
  // threads: the first to come makes it, under a lock.
  static std::mutex made;
  std::lock_guard<std::mutex> lock(made);
  if (!m_additionalRootAttributes) m_additionalRootAttributes = new CAttributeCol("", "##any", "");
  return m_additionalRootAttributes;
}

void CXmlSerializationContext::SetIgnoreUnknownElements(bool value) {
  if (value && m_ignoreMissingMandatoryElements)
    detail::ThrowCannotIgnoreUnknownElements();
  m_ignoreUnknownElements = value;
}

void CXmlSerializationContext::SetIgnoreMissingMandatoryElements(bool value) {
  if (value && m_ignoreUnknownElements)
    detail::ThrowCannotIgnoreMissingElements();
  m_ignoreMissingMandatoryElements = value;
}

}  // namespace VxXmlLib10
