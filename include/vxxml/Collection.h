// The roots of the collections: a repeated schema particle is held in a
// collection object carrying the particle's element name, namespace and
// occurrence bounds.
//
//   CXmlCollectionBase   bounds, count checks, event listeners
//     CXmlCollection     an ordered list of bound objects (one reference each)
//     CXmlTypeCollection the base of the collections of simple values
//
// Every change of a CXmlCollection is reported to the listeners, in list
// order, as the events of IEventSink::MsgType:
//
//   insertion   Add(item) before the list changes, AddComplete(item) after,
//               then Change
//   removal     Remove(-1) before, RemoveComplete(-1) after, then Change
//               (a CXmlCollection reports no index: the data pointer is null)
//
// Failures:
//   CVxValidationException "The Maximum number of [%s] elements allowed in
//     this collection is %d" / "The Minimum number of [%s] elements allowed
//     in this collection is %d"                            (ValidateCount)
//   CVxInvalidParamException "Index %d is out of range, use 0 - %d" (the
//     index and the item count), "Index out of range" (AddItemAt), "The
//     object was not found in the collection", "A NULL item can not be added
//     to the collection"
//   CVxException "CXmlCollectionBase::GetTargetNamespace Should not be used
//     from within a Collection (program logic error)"
// A failed operation leaves the list unchanged.
#ifndef VXXML_COLLECTION_H
#define VXXML_COLLECTION_H

#include <string>
#include <vector>

#include "vxxml/Export.h"
#include "vxxml/ItemType.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Restrictions.h"
#include "vxxml/Whitespace.h"

namespace VxXmlLib10 {

namespace detail {
struct CollectionAccess;
}

class VXXML_API CXmlCollectionBase : public CXmlObjectBase {
 public:
  CXmlCollectionBase();
  /// The particle's element name and namespace (null is ""), its minimum and
  /// its maximum occurrences (-1 for unbounded).
  CXmlCollectionBase(const char* elementName, const char* namespaceUri, int minOccurs,
                     int maxOccurs);
  ~CXmlCollectionBase() override;

  CXmlObjectBase* GetBase() override { return this; }
  /// Always throws: a collection has no element of its own.
  std::string GetTargetNamespace() const override;
  /// The namespace URI of the collection's elements.
  std::string GetNamespace() const override { return m_namespaceUri; }

  virtual int GetCount() const = 0;
  virtual void Clear() = 0;
  virtual void Remove(int index) = 0;
  /// Throws the maximum or minimum message for a count outside the bounds,
  /// unless the context ignores invalid collection counts.
  virtual void ValidateCount(const CXmlSerializationContext& context) const;
  /// Whether ValidateCount would pass.
  virtual bool IsValidCount(const CXmlSerializationContext& context) const;

  int GetMinOccurs() const { return m_minOccurs; }
  int GetMaxOccurs() const { return m_maxOccurs; }

  /// Listeners are not owned; one registered twice hears every event twice.
  void AddEventListener(IEventSink* sink);
  /// Removes every registration of the sink.
  void RemoveEventListener(IEventSink* sink);

  void FireOnCollectionChange();
  void FireOnCollectionAdd(void* item);
  void FireOnCollectionAddComplete(void* item);
  void FireOnCollectionRemove(int index);
  void FireOnCollectionRemoveComplete(int index);

 protected:
  CXmlCollectionBase(const CXmlCollectionBase&) = delete;
  CXmlCollectionBase& operator=(const CXmlCollectionBase&) = delete;

  /// Replaces the namespace URI (for classes that settle it after construction).
  void SetCollectionNamespace(const std::string& namespaceUri) { m_namespaceUri = namespaceUri; }

 private:
  std::string m_namespaceUri;
  std::vector<IEventSink*> m_listeners;
  int m_minOccurs;
  int m_maxOccurs;
};

/// An ordered list of bound objects. The collection holds one reference on
/// each item (the same object may be held twice) and releases them all when
/// it is destroyed.
class VXXML_API CXmlCollection : public CXmlCollectionBase {
 public:
  /// One position of the list.
  class Node {
   public:
    CXmlObjectBase* GetItem() const { return m_item; }
    Node* GetNext() const { return m_next; }
    Node* GetPrev() const { return m_prev; }

   private:
    friend class CXmlCollection;
    friend struct detail::CollectionAccess;
    explicit Node(CXmlObjectBase* item) : m_item(item), m_next(nullptr), m_prev(nullptr) {}
    CXmlObjectBase* m_item;
    Node* m_next;
    Node* m_prev;
  };

  CXmlCollection();
  CXmlCollection(const char* elementName, const char* namespaceUri, int minOccurs,
                 int maxOccurs);
  /// Releases every item; no event is fired.
  ~CXmlCollection() override;

  int GetCount() const override { return m_count; }
  /// Removes the first item while there is one (three events per item).
  void Clear() override;
  /// RemoveNode(GetNodeAtIndex(index)).
  void Remove(int index) override;

  void AppendItem(CXmlObjectBase* item);
  void PrependItem(CXmlObjectBase* item);
  /// Inserts in front of the first node holding `existing`; a null
  /// `existing` appends. The add event fires before the lookup, so a failed
  /// lookup leaves it without its completion.
  void AddBeforeItem(CXmlObjectBase* existing, CXmlObjectBase* item);
  /// Inserts behind the first node holding `existing`; a null `existing`
  /// prepends. Fires like AddBeforeItem.
  void AddAfterItem(CXmlObjectBase* existing, CXmlObjectBase* item);
  /// Index 0 to GetCount() inclusive (the count appends); checked before any
  /// event.
  void AddItemAt(int index, CXmlObjectBase* item);

  Node* GetFirstNode() const { return m_first; }
  Node* GetLastNode() const { return m_last; }
  Node* GetNodeAtIndex(int index) const;
  /// The first node whose item has the same GetBase() as `item`.
  Node* GetNodeForItem(CXmlObjectBase* item) const;
  /// Unlinks the node and releases its item; the node is no longer valid
  /// (its place is kept for a later insert). A node that is not in this
  /// list throws "The object was not found in the collection".
  void RemoveNode(Node* node);

 protected:
  /// Every item's attributes, in order (items that are pseudo elements put
  /// their attributes on the enclosing element).
  void AttributesToXml_Int(CXmlWriter* writer,
                           const CXmlSerializationContext& context) const override;

 private:
  friend struct detail::CollectionAccess;
  // Links a new node holding `item` in front of `before` (null: at the end).
  void Insert(Node* before, CXmlObjectBase* item);
  // Nodes live in blocks the list owns, each twice the size of the one
  // before (up to a limit): a long list costs a few allocations, not one a
  // node. A removed node is kept for the next insert.
  struct NodeBlock;

  Node* m_first;
  Node* m_last;
  int m_count;
  NodeBlock* m_blocks = nullptr;  // the newest first
  Node* m_spare = nullptr;        // removed nodes, linked through m_next
};

/// The base of the collections of simple values: the facets every value is
/// checked against, the value kind, the value format and the whitespace rule
/// applied to text read. The derived class stores the values.
class VXXML_API CXmlTypeCollection : public CXmlCollectionBase {
 public:
  CXmlTypeCollection(ItemType type, const char* elementName, const char* namespaceUri,
                     int minOccurs, int maxOccurs, const char* pattern, int minLength,
                     int maxLength, const char* minInclusive, const char* maxInclusive,
                     const char* minExclusive, const char* maxExclusive, int length,
                     CWhitespaceUtils::WhitespaceRule whitespaceRule, const char* valueFormat);
  ~CXmlTypeCollection() override;

  /// Converts the text, checks it and appends the value.
  virtual void AddFromString(std::string text) = 0;

  const CPrimitiveRestrictions& GetRestrictions() const { return m_restrictions; }
  ItemType GetItemType() const { return m_itemType; }
  const std::string& GetValueFormat() const { return m_valueFormat; }
  CWhitespaceUtils::WhitespaceRule GetWhitespaceRule() const { return m_whitespaceRule; }

  /// List form (an xs:list value): the values are the items of one element,
  /// separated by spaces, instead of one element each; the minimum and
  /// maximum then count items. Off by default.
  void SetListForm(bool list) { m_listForm = list; }
  bool IsListForm() const { return m_listForm; }

 protected:
  /// Reads the run of sibling elements, from `current` on, that carry the
  /// collection's element name and namespace (as the context matches
  /// names), each through AddFromString; returns the first element of
  /// another name, or null. In list form it reads the items of `current`
  /// alone. Counts are not checked here.
  CXmlElement* FromXml_Int(CXmlElement* parent, CXmlElement* current,
                           const CXmlSerializationContext& context,
                           bool emptyChoiceAllowed) override;

 private:
  CPrimitiveRestrictions m_restrictions;
  ItemType m_itemType;
  std::string m_valueFormat;
  CWhitespaceUtils::WhitespaceRule m_whitespaceRule;
  bool m_listForm = false;
};

}  // namespace VxXmlLib10

#endif  // VXXML_COLLECTION_H
