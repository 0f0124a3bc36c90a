// Reading a generated object straight from a reader's events, without a
// document tree: a stack of frames, one per open element, each knowing the
// object it fills and where that object's group stands; a simple value
// being gathered needs no frame (nothing inside it is read). A tagless group
// has a frame of its own above its owner's, with no element: the owner's
// elements are offered to it first, and it hands back the first it cannot
// take.
//
// The binder fills only what it is sure to fill exactly as the class reader
// fills it from a tree: generated classes with a sequence, a choice or an
// all group of simple values, enumerations, element children (of a fixed
// class, or of the class their factory picks by xsi:type), tagless groups,
// collections of them, optional untyped content (built into a tree of its
// own, element by element), attributes, xsi:nil and an element's own simple
// value (its text, gathered around its children), read with the default
// options. Anything else, and every situation where the class reader would
// fail (a missing or left-over element, a bad value, a bad count) or go
// back over elements it has read (a tagless group failing after it took
// some), throws CBindingAbandoned or lets the failure through; the entry
// points then read the same input through the tree, which fails, or
// succeeds, as it always has.
#ifndef VXXML_SRC_BINDING_EVENTBINDER_H
#define VXXML_SRC_BINDING_EVENTBINDER_H

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/Hints.h"
#include "vxxml/Collection.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/GeneratedCode.h"
#include "vxxml/Metadata.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlEventHandler.h"
#include "xml/TextFilter.h"

namespace VxXmlLib10 {
namespace detail {

class CTreeBuilder;

/// The document holds something the binder leaves to the tree.
struct CBindingAbandoned {};

class CEventBinder final : public CXmlEventHandler, public CTextFilter {
 public:
  /// The object as a class the binder fills, or null when the binder cannot
  /// fill it with this context.
  static CXmlGeneratedClass* Target(CXmlObjectBase& object,
                                    const CXmlSerializationContext& context);
  /// True when the context's options leave reading to the binder at all.
  static bool Usable(const CXmlSerializationContext& context);

  /// Fills `root` from the document element.
  CEventBinder(CXmlGeneratedClass& root, const CXmlSerializationContext& context);
  /// Fills an object of whichever of `roots` the document element is, made
  /// when that element starts: the first whose factory gives an object, as
  /// ReadGeneratedDocument picks it from a tree. No root that fits, or one
  /// the binder cannot fill, gives the document up to the tree.
  CEventBinder(const CGeneratedRoot* roots, std::size_t count,
               const CXmlSerializationContext& context);
  ~CEventBinder() override;
  CEventBinder(const CEventBinder&) = delete;
  CEventBinder& operator=(const CEventBinder&) = delete;

  void StartElement(const CXmlStartElement& element) override;
  void EndElement() override;
  void Characters(std::string_view text) override;
  // A CDATA section stays marked in the text of a value, as the tree keeps
  // it.
  void StartCDATA() override;
  void EndCDATA() override;

  /// True once the document element has been read whole.
  bool IsComplete() const { return m_complete; }
  /// The object made for the document element (the second constructor).
  CSmartPtr<CXmlGeneratedClass> MadeRoot() const { return m_made; }
  /// Puts the root object back as it was before the first event touched it
  /// (for a fresh object, the state it was made in): its members through
  /// Init, its element name and its namespace declarations as they were.
  void RestoreRoot();

 private:
  struct Member;
  struct ClassPlan;
  struct ClassType;
  struct Frame;
  // How a class frame lands in the frame below it when it ends.
  enum Landing : unsigned char { Root, Held, Store, Append };
  // What became of an element offered to a group.
  enum Offer : unsigned char { Taken, Descend, Ended };

  const ClassType& TypeOf(CXmlObjectBase& object);
  static Member Describe(const VxXmlLib10Data::CElementInfo& info);
  const ClassPlan& PlanFor(CXmlGeneratedClass& object);
  Frame& Push();
  void Pop();
  int OfferAttribute(const ClassPlan& plan, int from, const CXmlEventAttribute& event,
                     CXmlGeneratedClass& object, const CXmlAttribute* held);
  void BeginClass(CXmlObjectBase& object, const CXmlStartElement& element);
  VXXML_NOINLINE bool TakeAttributes(const ClassPlan& plan, const ClassType& type, char* base,
                                     CXmlGeneratedClass& object, const CXmlStartElement& element);
  VXXML_COLD bool TakeInstanceAttribute(const CXmlEventAttribute& event, const ClassType& type,
                                        char* base, bool& hadNil);
  Offer BeginChild(Frame& parent, const CXmlStartElement& element);
  VXXML_NOINLINE Offer BeginInAll(Frame& parent, const CXmlStartElement& element);
  VXXML_NOINLINE Offer BeginInChoice(Frame& parent, const CXmlStartElement& element);
  void EndChildren(Frame& frame);
  bool StartRun(Frame& frame, const Member& member);
  bool EndRun(Frame& frame);
  CSmartPtr<CXmlObjectBase> HeldChild(CXmlGeneratedClass* owner, const Member& member);
  CXmlGeneratedClass& ResetGroup(CXmlObjectBase& child, bool hadNil, const ClassPlan*& plan);
  void BeginGroup(CSmartPtr<CXmlObjectBase> child, Landing landing, const Member& member,
                  bool hadNil);
  void ReadGroupFromNothing(CXmlGeneratedClass* owner, const Member& member, bool hadNil);
  Offer Fail(Frame& frame);
  bool AllComplete(const Frame& frame) const;
  void FinishGroup();
  void PushValue(CXmlGeneratedClass* owner, const Member& member,
                 const CXmlStartElement& element);
  void PushHeldChild(CXmlGeneratedClass* owner, const Member& member,
                     const CXmlStartElement& element);
  void PushChild(CSmartPtr<CXmlObjectBase> child, const CXmlStartElement& element,
                 Landing landing, const Member* member);
  bool BeginAlternative(Frame& parent, const Member& member, const CXmlStartElement& element);
  bool RunTakes(Frame& parent, const CXmlStartElement& element);
  bool BeginItem(Frame& parent, const CXmlStartElement& element);
  void StoreValue(const Member& member, CXmlGeneratedClass* owner, bool nil);
  void PushUntyped(CXmlGeneratedClass* owner, const Member& member,
                   const CXmlStartElement& element);
  void EndUntyped(const Member& member, CXmlGeneratedClass* owner);
  void EndUntypedItem(const Member& member, CElementCol& elements);
  void StoreOwnValue(Frame& frame);
  std::string* TextTarget();
  void KnowTextTarget();
  // The stack changes: the target is found again when needed.
  void ForgetTextTarget() {
    m_targetKnown = false;
    m_dropsText = false;
  }
  void EndOfTag();
  std::string* FindTextTarget();
  CXmlElement* StandIn(const CXmlStartElement& element);
  void CheckTypePrefixes();

  void MakeRoot(const CXmlStartElement& element);

  CXmlGeneratedClass* m_root;  // null until made from the roots
  const CGeneratedRoot* m_roots = nullptr;
  std::size_t m_rootCount = 0;
  CSmartPtr<CXmlGeneratedClass> m_made;
  const CXmlSerializationContext& m_context;
  // The open elements are m_stack[0 .. m_depth); the frames above are kept
  // for reuse.
  std::vector<Frame> m_stack;
  std::size_t m_depth = 0;
  std::size_t m_elementDepth = 0;  // the open elements (tagless groups have none)
  // What the binder has learned of the classes it met, kept by the thread
  // from one read to the next: it depends on the classes alone.
  struct Learned;
  static Learned& ThreadLearned();
  Learned& m_learned;
  const ClassType* m_lastType = nullptr;  // the type TypeOf found last
  const ClassPlan* m_lastPlan = nullptr;  // the plan PlanFor found last
  // Where text goes while the stack stays as it is (TextTarget).
  std::string* m_target = nullptr;
  bool m_captureTop = false;  // the innermost frame captures untyped content
  bool m_targetKnown = false;
  // The text target as it was when the value being read started.
  struct Outside {
    std::string* target;
    bool captureTop;
    bool known;
    bool dropsText;
  } m_outside{};
  // The simple value being read (none when null): the member, its owner,
  // and whether its element is nil.
  const Member* m_valueMember = nullptr;
  CXmlGeneratedClass* m_valueOwner = nullptr;
  bool m_valueNil = false;
  std::string m_text;   // the text of the value being read
  std::string m_value;  // an attribute's value
  // The namespace declarations met so far, the last for each prefix; and
  // the prefixes of xsi:type values resolved with them, with the URI each
  // gave ("" for none): the tree resolves them with the document's last
  // declarations, so they must not change before the end.
  std::vector<std::pair<std::string, std::string>> m_prefixes;
  std::vector<std::pair<std::string, std::string>> m_typePrefixes;
  // A one-element document holding the element whose class a factory picks.
  std::unique_ptr<CXmlDocument> m_standIn;
  // The tree an element of untyped content is built into, and its builder.
  std::unique_ptr<CXmlDocument> m_captured;
  std::unique_ptr<CTreeBuilder> m_builder;
  std::uint64_t m_elementCount = 0;
  bool m_started = false;
  bool m_complete = false;
  // The root as it was before the binder touched it.
  std::string m_rootName;
  std::vector<std::pair<std::string, std::string>> m_rootDeclarations;
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_BINDING_EVENTBINDER_H
