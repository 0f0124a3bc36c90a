// Collection bounds, count checks, listeners and their events, and the list of
// bound objects.
#include "vxxml/Collection.h"

#include <algorithm>
#include <cstddef>
#include <new>

#include "collections/CollectionAccess.h"
#include "collections/Messages.h"
#include "vxxml/SerializationContext.h"

namespace VxXmlLib10 {

namespace {
std::string Text(const char* text) { return text ? std::string(text) : std::string(); }
}  // namespace

// ---- CXmlCollectionBase -----------------------------------------------------------

CXmlCollectionBase::CXmlCollectionBase() : m_minOccurs(0), m_maxOccurs(-1) {}

CXmlCollectionBase::CXmlCollectionBase(const char* elementName, const char* namespaceUri,
                                       int minOccurs, int maxOccurs)
    : m_namespaceUri(Text(namespaceUri)), m_minOccurs(minOccurs), m_maxOccurs(maxOccurs) {
  SetElementName(elementName);
}

CXmlCollectionBase::~CXmlCollectionBase() = default;

std::string CXmlCollectionBase::GetTargetNamespace() const {
  detail::ThrowCollectionTargetNamespace();
}

void CXmlCollectionBase::ValidateCount(const CXmlSerializationContext& context) const {
  if (context.GetIgnoreInvalidCollectionCounts()) return;
  const int count = GetCount();
  if (m_maxOccurs != -1 && count > m_maxOccurs)
    detail::ThrowTooManyItems(GetElementName(), m_maxOccurs);
  if (count < m_minOccurs) detail::ThrowTooFewItems(GetElementName(), m_minOccurs);
}

bool CXmlCollectionBase::IsValidCount(const CXmlSerializationContext& context) const {
  if (context.GetIgnoreInvalidCollectionCounts()) return true;
  const int count = GetCount();
  if (m_maxOccurs != -1 && count > m_maxOccurs) return false;
  return count >= m_minOccurs;
}

void CXmlCollectionBase::AddEventListener(IEventSink* sink) { m_listeners.push_back(sink); }

void CXmlCollectionBase::RemoveEventListener(IEventSink* sink) {
  m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), sink),
                    m_listeners.end());
}

// A listener may register or remove listeners while it is told of an event;
// the event goes to the listeners registered when it was fired.
void CXmlCollectionBase::FireOnCollectionChange() {
  if (m_listeners.empty()) return;
  const std::vector<IEventSink*> sinks = m_listeners;
  for (IEventSink* sink : sinks) FireOnCollectionChangeEvent(sink, this);
}

void CXmlCollectionBase::FireOnCollectionAdd(void* item) {
  if (m_listeners.empty()) return;
  const std::vector<IEventSink*> sinks = m_listeners;
  for (IEventSink* sink : sinks) FireOnCollectionAddEvent(sink, this, item);
}

void CXmlCollectionBase::FireOnCollectionAddComplete(void* item) {
  if (m_listeners.empty()) return;
  const std::vector<IEventSink*> sinks = m_listeners;
  for (IEventSink* sink : sinks) FireOnCollectionAddCompleteEvent(sink, this, item);
}

void CXmlCollectionBase::FireOnCollectionRemove(int index) {
  if (m_listeners.empty()) return;
  const std::vector<IEventSink*> sinks = m_listeners;
  for (IEventSink* sink : sinks) FireOnCollectionRemoveEvent(sink, this, index);
}

void CXmlCollectionBase::FireOnCollectionRemoveComplete(int index) {
  if (m_listeners.empty()) return;
  const std::vector<IEventSink*> sinks = m_listeners;
  for (IEventSink* sink : sinks) FireOnCollectionRemoveCompleteEvent(sink, this, index);
}

// ---- CXmlCollection -----------------------------------------------------------------

CXmlCollection::CXmlCollection() : m_first(nullptr), m_last(nullptr), m_count(0) {}

CXmlCollection::CXmlCollection(const char* elementName, const char* namespaceUri, int minOccurs,
                               int maxOccurs)
    : CXmlCollectionBase(elementName, namespaceUri, minOccurs, maxOccurs),
      m_first(nullptr),
      m_last(nullptr),
      m_count(0) {}

struct CXmlCollection::NodeBlock {
  NodeBlock* older;
  std::size_t used;
  std::size_t capacity;
  // The nodes follow the header.
  Node* Nodes() { return reinterpret_cast<Node*>(this + 1); }
};
static_assert(alignof(CXmlCollection::Node) <= alignof(std::max_align_t),
              "nodes fit in storage from operator new");

CXmlCollection::~CXmlCollection() {
  static_assert(sizeof(NodeBlock) % alignof(Node) == 0, "nodes follow their header aligned");
  for (Node* node = m_first; node; node = node->m_next) node->m_item->Release();
  while (m_blocks) {
    NodeBlock* older = m_blocks->older;
    ::operator delete(m_blocks);
    m_blocks = older;
  }
}

void CXmlCollection::Clear() {
  while (m_count > 0) Remove(0);
}

void CXmlCollection::Remove(int index) { RemoveNode(GetNodeAtIndex(index)); }

void CXmlCollection::Insert(Node* before, CXmlObjectBase* item) {
  detail::CollectionAccess::Link(*this, before, item);
  item->AddRef();
}

namespace detail {

void CollectionAccess::Link(CXmlCollection& list, CXmlCollection::Node* before,
                            CXmlObjectBase* item) {
  using Node = CXmlCollection::Node;
  Node* node = list.m_spare;
  if (node) {
    list.m_spare = node->m_next;
  } else {
    if (!list.m_blocks || list.m_blocks->used == list.m_blocks->capacity) {
      constexpr std::size_t kFirst = 4, kLargest = 1024;
      const std::size_t capacity =
          list.m_blocks ? std::min(list.m_blocks->capacity * 2, kLargest) : kFirst;
      void* memory = ::operator new(sizeof(CXmlCollection::NodeBlock) + capacity * sizeof(Node));
      list.m_blocks = new (memory) CXmlCollection::NodeBlock{list.m_blocks, 0, capacity};
    }
    node = list.m_blocks->Nodes() + list.m_blocks->used++;
  }
  node = new (node) Node(item);
  node->m_next = before;
  node->m_prev = before ? before->m_prev : list.m_last;
  if (node->m_prev)
    node->m_prev->m_next = node;
  else
    list.m_first = node;
  if (before)
    before->m_prev = node;
  else
    list.m_last = node;
  ++list.m_count;
}

void CollectionAccess::AppendOwned(CXmlCollection& list, CSmartPtr<CXmlObjectBase>&& item) {
  CXmlObjectBase* const raw = item.Get();
  if (!raw) ThrowNullItem();
  list.FireOnCollectionAdd(raw);
  Link(list, nullptr, raw);
  item.Detach();  // the list holds the reference now
  list.FireOnCollectionAddComplete(raw);
  list.FireOnCollectionChange();
}

}  // namespace detail

void CXmlCollection::AppendItem(CXmlObjectBase* item) {
  if (!item) detail::ThrowNullItem();
  FireOnCollectionAdd(item);
  Insert(nullptr, item);
  FireOnCollectionAddComplete(item);
  FireOnCollectionChange();
}

void CXmlCollection::PrependItem(CXmlObjectBase* item) {
  if (!item) detail::ThrowNullItem();
  FireOnCollectionAdd(item);
  Insert(m_first, item);
  FireOnCollectionAddComplete(item);
  FireOnCollectionChange();
}

void CXmlCollection::AddBeforeItem(CXmlObjectBase* existing, CXmlObjectBase* item) {
  if (!item) detail::ThrowNullItem();
  FireOnCollectionAdd(item);
  Insert(existing ? GetNodeForItem(existing) : nullptr, item);
  FireOnCollectionAddComplete(item);
  FireOnCollectionChange();
}

void CXmlCollection::AddAfterItem(CXmlObjectBase* existing, CXmlObjectBase* item) {
  if (!item) detail::ThrowNullItem();
  FireOnCollectionAdd(item);
  Insert(existing ? GetNodeForItem(existing)->m_next : m_first, item);
  FireOnCollectionAddComplete(item);
  FireOnCollectionChange();
}

void CXmlCollection::AddItemAt(int index, CXmlObjectBase* item) {
  if (index < 0 || index > m_count) detail::ThrowInsertIndexOutOfRange();
  if (!item) detail::ThrowNullItem();
  Node* before = index == m_count ? nullptr : GetNodeAtIndex(index);
  FireOnCollectionAdd(item);
  Insert(before, item);
  FireOnCollectionAddComplete(item);
  FireOnCollectionChange();
}

CXmlCollection::Node* CXmlCollection::GetNodeAtIndex(int index) const {
  if (index < 0 || index >= m_count) detail::ThrowIndexOutOfRange(index, m_count);
  // Walk from the nearer end.
  if (index <= m_count / 2) {
    Node* node = m_first;
    while (index-- > 0) node = node->m_next;
    return node;
  }
  Node* node = m_last;
  for (int i = m_count - 1; i > index; --i) node = node->m_prev;
  return node;
}

CXmlCollection::Node* CXmlCollection::GetNodeForItem(CXmlObjectBase* item) const {
  if (item) {
    CXmlObjectBase* base = item->GetBase();
    for (Node* node = m_first; node; node = node->m_next)
      if (node->m_item->GetBase() == base) return node;
  }
  detail::ThrowItemNotFound();
}

void CXmlCollection::RemoveNode(Node* node) {
  // A node of another list (or none) must not be unlinked from this one.
  Node* member = m_first;
  while (member && member != node) member = member->m_next;
  if (!node || !member) detail::ThrowItemNotFound();
  FireOnCollectionRemove(-1);
  if (node->m_prev)
    node->m_prev->m_next = node->m_next;
  else
    m_first = node->m_next;
  if (node->m_next)
    node->m_next->m_prev = node->m_prev;
  else
    m_last = node->m_prev;
  --m_count;
  CXmlObjectBase* item = node->m_item;
  node->m_next = m_spare;  // kept for the next insert
  m_spare = node;
  item->Release();
  FireOnCollectionRemoveComplete(-1);
  FireOnCollectionChange();
}

void CXmlCollection::AttributesToXml_Int(CXmlWriter* writer,
                                         const CXmlSerializationContext& context) const {
  for (Node* node = m_first; node; node = node->m_next)
    CXmlObjectBase::AttributesToXml_Int(node->m_item, writer, context);
}

// ---- the collection events of CXmlObjectBase -------------------------------------

namespace {
void Fire(IEventSink* sink, CXmlCollectionBase* coll, IEventSink::MsgType type, void* data) {
  if (sink) sink->OnEvent(coll ? coll->GetBase() : nullptr, type, data);
}
void FireIndex(IEventSink* sink, CXmlCollectionBase* coll, IEventSink::MsgType type, int index) {
  int copy = index;
  Fire(sink, coll, type, index == -1 ? nullptr : &copy);
}
}  // namespace

void CXmlObjectBase::FireOnCollectionChangeEvent(IEventSink* sink, CXmlCollectionBase* coll) {
  Fire(sink, coll, MsgType_CollectionChange, nullptr);
}
void CXmlObjectBase::FireOnCollectionAddEvent(IEventSink* sink, CXmlCollectionBase* coll,
                                              void* item) {
  Fire(sink, coll, MsgType_CollectionAdd, item);
}
void CXmlObjectBase::FireOnCollectionAddCompleteEvent(IEventSink* sink, CXmlCollectionBase* coll,
                                                      void* item) {
  Fire(sink, coll, MsgType_CollectionAddComplete, item);
}
void CXmlObjectBase::FireOnCollectionRemoveEvent(IEventSink* sink, CXmlCollectionBase* coll,
                                                 int index) {
  FireIndex(sink, coll, MsgType_CollectionRemove, index);
}
void CXmlObjectBase::FireOnCollectionRemoveCompleteEvent(IEventSink* sink, CXmlCollectionBase* coll,
                                                         int index) {
  FireIndex(sink, coll, MsgType_CollectionRemoveComplete, index);
}

}  // namespace VxXmlLib10
