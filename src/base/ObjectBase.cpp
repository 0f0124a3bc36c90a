// Reference counting, the lock and the static forwarders. The collection
// events of CXmlObjectBase are sent from collections/Collection.cpp, beside
// the collections that fire them.
#include "vxxml/ObjectBase.h"

namespace VxXmlLib10 {

CInstanceMonitor::CInstanceMonitor(const char*) {}
CInstanceMonitor::~CInstanceMonitor() = default;

CVXCriticalSection::CVXCriticalSection() { pthread_mutex_init(&m_mutex, nullptr); }
CVXCriticalSection::~CVXCriticalSection() { pthread_mutex_destroy(&m_mutex); }
void CVXCriticalSection::Enter() { pthread_mutex_lock(&m_mutex); }
void CVXCriticalSection::Leave() { pthread_mutex_unlock(&m_mutex); }

CXmlObjectBase::CXmlObjectBase() : m_refCount(0) {}
CXmlObjectBase::CXmlObjectBase(const CXmlObjectBase& other)
    : IEventSink(other), m_elementName(other.m_elementName), m_refCount(0) {}
CXmlObjectBase& CXmlObjectBase::operator=(const CXmlObjectBase& other) {
  m_elementName = other.m_elementName;  // the count belongs to the object, not its value
  return *this;
}
CXmlObjectBase::~CXmlObjectBase() = default;

void CXmlObjectBase::OnEvent(CXmlObjectBase*, MsgType, void*) {}

int64_t CXmlObjectBase::AddRef() { return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1; }

int64_t CXmlObjectBase::Release() {
  const int64_t count = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (count == 0) delete this;
  return count;
}

void CXmlObjectBase::AttributesToXml_Int(CXmlWriter*, const CXmlSerializationContext&) const {}

void CXmlObjectBase::AttributesToXml_Int(const CXmlObjectBase* obj, CXmlWriter* writer,
                                         const CXmlSerializationContext& context) {
  obj->AttributesToXml_Int(writer, context);
}

void CXmlObjectBase::ToXml_Int(const CXmlObjectBase* obj, CXmlWriter* writer,
                               bool isDocumentRoot, const char* namespaceUri,
                               const CXmlSerializationContext& context,
                               bool emptyChoiceAllowed) {
  obj->ToXml_Int(writer, isDocumentRoot, namespaceUri, context, emptyChoiceAllowed);
}

CXmlElement* CXmlObjectBase::FromXml_Int(CXmlObjectBase* obj, CXmlElement* element,
                                         CXmlElement* firstChild,
                                         const CXmlSerializationContext& context) {
  return obj->FromXml_Int(element, firstChild, context, false);
}

CXmlElement* CXmlObjectBase::FromXml_Int(CXmlObjectBase* obj, CXmlElement* element,
                                         CXmlElement* firstChild,
                                         const CXmlSerializationContext& context,
                                         bool emptyChoiceAllowed) {
  return obj->FromXml_Int(element, firstChild, context, emptyChoiceAllowed);
}

}  // namespace VxXmlLib10
