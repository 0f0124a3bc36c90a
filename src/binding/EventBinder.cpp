// The event binder: a generated object filled from reader events, member by
// member, as the class reader fills it from a tree (GeneratedClassRead.cpp,
// metadata/ElementInfoSeq.cpp), for the shapes it knows; everything else is
// abandoned to the tree.
#include "binding/EventBinder.h"

#include <strings.h>

#include <cstring>
#include <memory>
#include <optional>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>

#include "base/Hints.h"
#include "base/XmlNamespaces.h"
#include "binding/Messages.h"
#include "collections/CollectionAccess.h"
#include "metadata/Members.h"
#include "types/RuleText.h"
#include "types/VariantAccess.h"
#include "vxxml/Conversions.h"
#include "vxxml/AttributeInfos.h"
#include "vxxml/ElementInfoAll.h"
#include "vxxml/ElementInfoChoice.h"
#include "vxxml/ElementInfoSeq.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"
#include "xml/TreeBuilder.h"

namespace VxXmlLib10 {
namespace detail {

using VxXmlLib10Data::CAttributeInfo;
using VxXmlLib10Data::CParentElementInfo;
using VxXmlLib10Data::TextToEnumFunc;

namespace {

[[noreturn]] void Abandon() { ThrowBindingAbandoned(); }

// Names are short and mostly equal when compared here: up to 16 bytes are
// compared as two (overlapping) words each side, without a call to memcmp.
template <class Word>
inline bool SameWords(const char* a, const char* b, std::size_t n) {
  Word a0, b0, a1, b1;
  std::memcpy(&a0, a, sizeof(Word));
  std::memcpy(&b0, b, sizeof(Word));
  std::memcpy(&a1, a + n - sizeof(Word), sizeof(Word));
  std::memcpy(&b1, b + n - sizeof(Word), sizeof(Word));
  return ((a0 ^ b0) | (a1 ^ b1)) == 0;
}

inline bool Same(std::string_view a, const std::string& b) {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  if (n >= 8) {
    if (n > 16) return std::memcmp(a.data(), b.data(), n) == 0;
    return SameWords<std::uint64_t>(a.data(), b.data(), n);
  }
  if (n >= 4) return SameWords<std::uint32_t>(a.data(), b.data(), n);
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

bool Matches(const CElementInfo& info, const CXmlStartElement& element) {
  return Same(element.localName, info.GetElementName()) &&
         Same(element.namespaceURI, info.GetNamespaceURI());
}

bool InInstanceOrXmlns(std::string_view uri) {
  return uri == kXsiNamespace || uri == kXmlnsNamespace;
}

template <class Info>
CSmartPtr<CXmlObjectBase> NewChildOf(const CElementInfo& info) {
  return ElementInfoAccess::NewChild(static_cast<const Info&>(info));
}

template <class Info>
CSmartPtr<CXmlObjectBase> NewChildFor(const CElementInfo& info, CXmlElement* element) {
  return ElementInfoAccess::NewChild(static_cast<const Info&>(info), element);
}

// Untyped content: whether the member takes `element` (its name allows the
// element's and its rule the element's namespace), and the new CElement it
// reads it into.
template <class Info>
bool UntypedTakes(const CElementInfo& info, const CXmlStartElement& element) {
  const Info& untyped = static_cast<const Info&>(info);
  return (IsAnyElementName(info.GetElementName()) ||
          info.GetElementName() == element.localName) &&
         CXmlObjectHelper::IsNamespaceValid(std::string(element.namespaceURI),
                                            untyped.GetNamespaceRestriction(),
                                            untyped.GetRestrictionTargetNamespace());
}

template <class Info>
CSmartPtr<CElement> NewUntypedOf(const CElementInfo& info, const std::string& ownerNamespace) {
  return NewUntypedElement(static_cast<const Info&>(info), ownerNamespace);
}

bool EqualsNoCase(std::string_view text, const char* word) {
  return text.size() == std::strlen(word) && strncasecmp(text.data(), word, text.size()) == 0;
}

// The attribute `name` in the schema instance namespace, or null.
const CXmlEventAttribute* InstanceAttribute(const CXmlStartElement& element,
                                            std::string_view name) {
  for (std::size_t a = 0; a < element.attributeCount; ++a)
    if (element.attributes[a].localName == name &&
        element.attributes[a].namespaceURI == kXsiNamespace)
      return &element.attributes[a];
  return nullptr;
}

}  // namespace

// One element info as the binder meets it.
struct CEventBinder::Member {
  enum Kind : unsigned char {
    ValueMandatory,   // a simple or enumerated value, exactly once
    ValueOptional,    // ... at most once
    ChildMandatory,   // an element child object held by the owner
    ChildOptional,    // an element child object made when its element comes
    AbstractMandatory,  // a child object the factory makes for its element
    AbstractOptional,   // ... which may be absent, or of no class the factory knows
    ChoiceChild,      // a choice's child object, stored before it is read
    ChoiceAbstract,   // a choice's child object from the factory, stored whatever it is
    UntypedOptional,  // untyped content, read into a new CElement when its rule takes it
    UntypedMandatory,  // an all group's untyped content, read into the CElement held
    ChoiceUntyped,    // a choice's untyped content, stored empty when it takes nothing
    ChoiceGroup,      // a choice's tagless group, stored, and stored empty when it takes nothing
    GroupMandatory,   // a tagless group the owner holds, read from the owner's children
    GroupOptional,    // a tagless group made when it takes an element
    Collection,       // a run of elements into the collection the owner holds
    NotThisElement,   // passes over any element but its own
    Unknown           // never passed
  };
  const CElementInfo* info;
  Kind kind;
  TextToEnumFunc toEnum;  // enumerations
  CSmartPtr<CXmlObjectBase> (*newChild)(const CElementInfo&);
  CSmartPtr<CXmlObjectBase> (*newChildFor)(const CElementInfo&, CXmlElement*);
  bool (*untypedTakes)(const CElementInfo&, const CXmlStartElement&);
  CSmartPtr<CElement> (*newUntyped)(const CElementInfo&, const std::string&);
  bool required;  // an all group's mandatory child object that must be present
  bool mustConsume;  // a mandatory tagless group that must take an element

  // Whether the member is satisfied when no element is left for it.
  bool PassesWithoutElement() const {
    return kind == ValueOptional || kind == ChildOptional || kind == AbstractOptional ||
           kind == UntypedOptional || kind == NotThisElement || kind == GroupOptional;
  }
};

// The members of a class and what its own element takes.
struct CEventBinder::ClassPlan {
  const CParentElementInfo* key;
  CAttributeInfo** attributes;
  int attributeCount;
  bool rejectUnknownAttributes;
  bool choice;  // a choice: the first element picks the one member read
  bool all;     // an all group: each member takes its element wherever it stands
  bool pseudo;  // a tagless group, read from its owner's children
  // The element's own simple value, read from its text once its children
  // are read: the property it goes to, converted as `valueType` (or kept
  // as a string, unconverted, when `rawText`).
  bool value;
  bool rawText;
  int valueId;
  ItemType valueType;
  std::vector<bool> simpleAttributes;  // exactly a CAttributeInfoPrimitive
  std::vector<Member> members;
};

// What the binder needs of an object's dynamic type, found once per type:
// where its generated class and its CGeneratedObject are (a type's layout
// is fixed, so the offsets hold for every object of that type), and
// whether it is nillable.
struct CEventBinder::ClassType {
  const std::type_info* type;
  std::ptrdiff_t toClass;
  std::ptrdiff_t toGenerated;
  std::ptrdiff_t toNillable;  // -1: not nillable
};

struct CEventBinder::Frame {
  // Skip: an element inside a nil object, not read. Capture: an element of
  // untyped content, built into a tree of its own (the first one has the
  // member it is read for).
  enum Kind : unsigned char { Class, Item, Skip, Capture };

  Kind kind;
  Landing landing;
  CXmlGeneratedClass* object;  // Class: the object filled
  const ClassPlan* plan;       // Class
  const Member* member;        // Class landing Store
  std::size_t next;            // Class: the member the next element is offered to
  bool nil;                    // Class: its content is not read
  bool chosen;                 // Class, a choice: its member has been picked
  bool emptyChoiceAllowed;     // Class, a choice: it may be left without a member
  std::uint64_t found;         // Class, an all group: the members read, one bit each
  // Class: a tagless group's frame, with no element of its own; whether it
  // has taken an element; whether it has failed, taking none, so that its
  // owner goes on without it.
  bool pseudo;
  bool consumed;
  bool failed;
  bool hadNil;  // Class: the element (a tagless group's: its owner's) has an xsi:nil
  // Class: the collection of a run under way (null when none), and its names;
  // whether its items are tagless groups (a new item is offered each element
  // until one takes nothing).
  // A run of a list-form collection is one element, whose text holds the
  // values: once it is taken, the run ends at the next element.
  CSmartPtr<CXmlCollectionBase> run;
  bool groupRun;
  bool listTaken;
  // A run of untyped content: its collection; for a run of one name, that
  // its namespace is the first element's, still to be met.
  CElementCol* elements;
  bool lockPending;
  CXmlTypeCollection* values;
  CXmlCollection* objects;
  const CGeneratedItemSource* source;
  std::string runName;
  std::string runNamespace;
  CSmartPtr<CXmlObjectBase> held;  // a new object, kept until it lands
  CXmlTypeCollection* itemOf;      // Item: the collection it goes to
  CElementCol* elementsOf;         // Capture of an untyped item: the collection it goes to
  // Class with a simple value: the element's own text, gathered around its
  // children (the text of the children goes to their own frames).
  std::string text;
};

namespace {

// The values of a list-form collection's element: its text's runs of
// anything but XML whitespace, each added as the collection reads them from
// a tree.
void AddListItems(CXmlTypeCollection& values, const std::string& text) {
  const char* const kSpace = " \t\r\n";
  for (std::string::size_type at = text.find_first_not_of(kSpace); at != std::string::npos;) {
    const std::string::size_type end = text.find_first_of(kSpace, at);
    values.AddFromString(text.substr(at, end == std::string::npos ? end : end - at));
    at = end == std::string::npos ? end : text.find_first_not_of(kSpace, end);
  }
}

// `text` converted as `type` under `rule` and handed to `store` in a
// variant: what VxVariant::FromString makes of it, lent rather than copied
// where the variant would hold a copy.
template <class Store>
void ConvertAndStore(ItemType type, CWhitespaceUtils::WhitespaceRule rule,
                     const std::string& text, Store store) {
  using C = CConversions;
  VxVariant value;
  switch (type) {
    case ItemType_string: {
      if (KeepsText(rule, text)) {
        VariantAccess::Lend(value, ItemType_string, &text);
        return store(value);
      }
      const std::string converted = C::stringFromString(text, rule);
      VariantAccess::Lend(value, ItemType_string, &converted);
      return store(value);
    }
    case ItemType_decimal: {
      const CDecimal converted = C::decimalFromString(text, rule);
      VariantAccess::Lend(value, ItemType_decimal, &converted);
      return store(value);
    }
    case ItemType_date: {
      const CDateTime converted = C::dateFromString(text, rule);
      VariantAccess::Lend(value, ItemType_date, &converted);
      return store(value);
    }
    case ItemType_datetime: {
      const CDateTime converted = C::datetimeFromString(text, rule);
      VariantAccess::Lend(value, ItemType_datetime, &converted);
      return store(value);
    }
    case ItemType_integer: {
      const CBigInteger converted = C::integerFromString(text, rule);
      VariantAccess::Lend(value, ItemType_integer, &converted);
      return store(value);
    }
    default:
      value.FromString(text, type, rule);
      return store(value);
  }
}

}  // namespace

bool CEventBinder::Usable(const CXmlSerializationContext& context) {
  // Unknown elements are skipped, and missing mandatory ones searched for,
  // by looking ahead in the tree; a namespace-blind match is not followed.
  return !(context.GetIgnoreUnknownElements() || context.GetIgnoreMissingMandatoryElements() ||
           context.GetIgnoreNamespaces());
}

CXmlGeneratedClass* CEventBinder::Target(CXmlObjectBase& object,
                                         const CXmlSerializationContext& context) {
  if (!Usable(context)) return nullptr;
  // Only a class whose reading is the generated one (a CGeneratedObject).
  CXmlGeneratedClass* generated = dynamic_cast<CXmlGeneratedClass*>(&object);
  if (!generated || !dynamic_cast<CGeneratedObject*>(generated)) return nullptr;
  return generated;
}

// A class's plan and a type's layout are found once per thread; the maps'
// nodes stay where they are, so a plan or a layout may be held while others
// are added.
struct CEventBinder::Learned {
  std::unordered_map<const CParentElementInfo*, std::unique_ptr<ClassPlan>> plans;
  std::unordered_map<std::type_index, ClassType> types;
};

CEventBinder::Learned& CEventBinder::ThreadLearned() {
  thread_local Learned learned;
  return learned;
}

const CEventBinder::ClassType& CEventBinder::TypeOf(CXmlObjectBase& object) {
  const std::type_info& type = typeid(object);
  // Runs of one class are the rule: the last type met is tried first, which
  // spares hashing its name.
  if (m_lastType && m_lastType->type == &type) return *m_lastType;
  const auto known = m_learned.types.find(std::type_index(type));
  if (known != m_learned.types.end()) return *(m_lastType = &known->second);
  char* const base = reinterpret_cast<char*>(&object);
  CXmlGeneratedClass* generated = dynamic_cast<CXmlGeneratedClass*>(&object);
  CGeneratedObject* parts = dynamic_cast<CGeneratedObject*>(&object);
  if (!generated || !parts) Abandon();
  INillable* nillable = dynamic_cast<INillable*>(&object);
  return *(m_lastType = &m_learned.types
                            .emplace(std::type_index(type),
                                     ClassType{&type, reinterpret_cast<char*>(generated) - base,
                                               reinterpret_cast<char*>(parts) - base,
                                               nillable ? reinterpret_cast<char*>(nillable) - base
                                                        : -1})
                            .first->second);
}

CEventBinder::Frame& CEventBinder::Push() {
  if (m_depth == m_stack.size()) m_stack.emplace_back();
  ForgetTextTarget();
  Frame& frame = m_stack[m_depth++];
  frame.member = nullptr;
  frame.next = 0;
  frame.nil = false;
  frame.chosen = false;
  frame.emptyChoiceAllowed = false;
  frame.found = 0;
  frame.pseudo = false;
  frame.consumed = false;
  frame.failed = false;
  frame.hadNil = false;
  frame.values = nullptr;
  frame.objects = nullptr;
  frame.source = nullptr;
  frame.itemOf = nullptr;
  frame.groupRun = false;
  frame.listTaken = false;
  frame.elements = nullptr;
  frame.elementsOf = nullptr;
  frame.text.clear();
  return frame;
}

void CEventBinder::Pop() {
  ForgetTextTarget();
  Frame& frame = m_stack[--m_depth];
  frame.run = nullptr;
  frame.held = nullptr;
}

CEventBinder::CEventBinder(CXmlGeneratedClass& root, const CXmlSerializationContext& context)
    : m_root(&root),
      m_context(context),
      m_learned(ThreadLearned()),
      m_rootName(root.GetElementName()) {
  m_rootDeclarations = dynamic_cast<CGeneratedObject&>(root).GetNamespaceDeclarations();
  m_stack.reserve(16);
}

CEventBinder::CEventBinder(const CGeneratedRoot* roots, std::size_t count,
                           const CXmlSerializationContext& context)
    : m_root(nullptr),
      m_roots(roots),
      m_rootCount(count),
      m_context(context),
      m_learned(ThreadLearned()) {
  m_stack.reserve(16);
}

// The object for the document element, from the first root whose name it
// has and whose factory gives an object for it (the factory reads the
// element's xsi:type from a stand-in).
void CEventBinder::MakeRoot(const CXmlStartElement& element) {
  CSmartPtr<CXmlObjectBase> object;
  for (std::size_t i = 0; i < m_rootCount && object.IsNull(); ++i)
    if (element.localName == m_roots[i].elementName &&
        element.namespaceURI == m_roots[i].namespaceUri)
      object = m_roots[i].create(StandIn(element));
  if (object.IsNull()) Abandon();  // the tree reports the unknown element
  CXmlGeneratedClass* const generated = Target(*object, m_context);
  if (!generated) Abandon();
  m_made = generated;
  m_root = generated;
}

CEventBinder::~CEventBinder() = default;

void CEventBinder::RestoreRoot() {
  if (!m_started || !m_made.IsNull()) return;  // an object made here is dropped
  m_root->Init();
  m_root->SetElementName(m_rootName.c_str());
  dynamic_cast<CGeneratedObject&>(*m_root).GetNamespaceDeclarations() = m_rootDeclarations;
}

namespace {
// An element info class, whose child objects (if any) its factory makes by
// id, or by the element met.
template <class T>
struct Of {
  using type = T;
  static constexpr bool kByElement = false;
};
template <class T>
struct ByElement {
  using type = T;
  static constexpr bool kByElement = true;
};
}  // namespace

// What the binder makes of an element info, by its class.
CEventBinder::Member CEventBinder::Describe(const CElementInfo& e) {
  using namespace VxXmlLib10Data;
  using K = Member;
  const std::type_info& type = typeid(e);
  Member member{&e, K::Unknown, nullptr, nullptr, nullptr, nullptr, nullptr, false, false};
  // A simple value or a collection; an enumerated value; a child object,
  // as an element (`element`) or a tagless group (`tagless`).
  auto plain = [&](auto info, K::Kind kind) {
    if (type != typeid(typename decltype(info)::type)) return false;
    member.kind = kind;
    return true;
  };
  auto untyped = [&](auto info, K::Kind kind) {
    using Info = typename decltype(info)::type;
    if (type != typeid(Info)) return false;
    member.kind = kind;
    member.untypedTakes = &UntypedTakes<Info>;
    member.newUntyped = &NewUntypedOf<Info>;
    return true;
  };
  auto enumerated = [&](auto info, K::Kind kind) {
    using Info = typename decltype(info)::type;
    if (type != typeid(Info)) return false;
    member.kind = kind;
    member.toEnum = static_cast<const Info&>(e).GetTextToEnum();
    return true;
  };
  auto child = [&](auto info, K::Kind element, K::Kind tagless) {
    using Info = typename decltype(info)::type;
    if (type != typeid(Info)) return false;
    const bool isElement = static_cast<const Info&>(e).GetChildType() == XmlElementType_Element;
    member.kind = isElement ? element : tagless;
    if constexpr (decltype(info)::kByElement)
      member.newChildFor = &NewChildFor<Info>;
    else
      member.newChild = &NewChildOf<Info>;
    return true;
  };
  static_cast<void>(
      plain(Of<CElementInfoSeqPrimMnd>(), K::ValueMandatory) ||
      plain(Of<CElementInfoSeqPrimOpt>(), K::ValueOptional) ||
      plain(Of<CElementInfoAllPrimMnd>(), K::ValueMandatory) ||
      plain(Of<CElementInfoAllPrimOpt>(), K::ValueOptional) ||
      plain(Of<CElementInfoChoicePrimOpt>(), K::ValueOptional) ||
      enumerated(Of<CElementInfoSeqEnumMnd>(), K::ValueMandatory) ||
      enumerated(Of<CElementInfoSeqEnumOpt>(), K::ValueOptional) ||
      enumerated(Of<CElementInfoAllEnumMnd>(), K::ValueMandatory) ||
      enumerated(Of<CElementInfoAllEnumOpt>(), K::ValueOptional) ||
      enumerated(Of<CElementInfoChoiceEnumOpt>(), K::ValueOptional) ||
      child(Of<CElementInfoSeqClsMnd>(), K::ChildMandatory, K::GroupMandatory) ||
      child(Of<CElementInfoSeqClsOpt>(), K::ChildOptional, K::GroupOptional) ||
      child(Of<CElementInfoAllClsMnd>(), K::ChildMandatory, K::GroupMandatory) ||
      child(Of<CElementInfoAllClsOpt>(), K::ChildOptional, K::GroupOptional) ||
      child(Of<CElementInfoChoiceClsOpt>(), K::ChoiceChild, K::ChoiceGroup) ||
      child(ByElement<CElementInfoSeqAbsClsMnd>(), K::AbstractMandatory, K::Unknown) ||
      child(ByElement<CElementInfoSeqAbsClsOpt>(), K::AbstractOptional, K::NotThisElement) ||
      child(ByElement<CElementInfoChoiceAbsClsOpt>(), K::ChoiceAbstract, K::Unknown) ||
      // Its element fails in the tree, whatever it is.
      plain(Of<CElementInfoAllAbsClsOpt>(), K::NotThisElement) ||
      untyped(Of<CElementInfoSeqUntpdOpt>(), K::UntypedOptional) ||
      untyped(Of<CElementInfoSeqUntpdMnd>(), K::UntypedMandatory) ||
      untyped(Of<CElementInfoAllUntpdOpt>(), K::UntypedOptional) ||
      untyped(Of<CElementInfoAllUntpdMnd>(), K::UntypedMandatory) ||
      untyped(Of<CElementInfoChoiceUntpdOpt>(), K::ChoiceUntyped) ||
      // The collection decides what it takes.
      plain(Of<CElementInfoSeqPrimCol>(), K::Collection) ||
      plain(Of<CElementInfoSeqEnumCol>(), K::Collection) ||
      plain(Of<CElementInfoSeqClsCol>(), K::Collection) ||
      plain(Of<CElementInfoSeqUntpdCol>(), K::Collection) ||
      plain(Of<CElementInfoSeqAbsClsCol>(), K::Collection) ||
      plain(Of<CElementInfoChoicePrimCol>(), K::Collection) ||
      plain(Of<CElementInfoChoiceEnumCol>(), K::Collection) ||
      plain(Of<CElementInfoChoiceClsCol>(), K::Collection) ||
      plain(Of<CElementInfoChoiceUntpdCol>(), K::Collection) ||
      plain(Of<CElementInfoChoiceAbsClsCol>(), K::Collection));
  if (type == typeid(CElementInfoSeqClsMnd))
    member.mustConsume = ElementInfoAccess::MustConsume(static_cast<const CElementInfoSeqClsMnd&>(e));
  if (type == typeid(CElementInfoAllClsMnd))
    member.required = ElementInfoAccess::Required(static_cast<const CElementInfoAllClsMnd&>(e));
  return member;
}

const CEventBinder::ClassPlan& CEventBinder::PlanFor(CXmlGeneratedClass& object) {
  const CParentElementInfo* info = object.GetClassInfo();
  // As with types, the plan met last is tried first.
  if (m_lastPlan && m_lastPlan->key == info) return *m_lastPlan;
  const auto known = m_learned.plans.find(info);
  if (known != m_learned.plans.end()) return *(m_lastPlan = known->second.get());

  using namespace VxXmlLib10Data;
  if (!info ||
      (info->GetGroupType() != XmlElementGroupType_Sequence &&
       info->GetGroupType() != XmlElementGroupType_Choice &&
       info->GetGroupType() != XmlElementGroupType_All))
    Abandon();
  std::unique_ptr<ClassPlan> plan(new ClassPlan());
  plan->key = info;
  plan->attributes = object.GetClassAttributeInfo();
  plan->attributeCount = 0;
  if (plan->attributes)
    while (plan->attributes[plan->attributeCount]) ++plan->attributeCount;
  plan->rejectUnknownAttributes = info->GetRejectUnknownAttributes();
  plan->choice = info->GetGroupType() == XmlElementGroupType_Choice;
  plan->all = info->GetGroupType() == XmlElementGroupType_All;
  plan->pseudo = info->GetElementType() == XmlElementType_PseudoElement;
  if (!plan->pseudo && info->GetElementType() != XmlElementType_Element) Abandon();
  plan->value = info->HasValue();
  plan->rawText = info->GetRawText();
  plan->valueId = info->GetValuePropertyId();
  plan->valueType = info->GetValueItemType();
  // A tagless group has no text of its own.
  if (plan->pseudo && plan->value) Abandon();
  for (int i = 0; i < plan->attributeCount; ++i)
    plan->simpleAttributes.push_back(typeid(*plan->attributes[i]) ==
                                     typeid(VxXmlLib10Data::CAttributeInfoPrimitive));

  CElementInfo** infos = object.GetClassElementInfo();
  for (int i = 0; infos && infos[i]; ++i) plan->members.push_back(Describe(*infos[i]));
  // A tagless group reads its owner's attributes: one that has none of its
  // own and takes no others reads nothing from them.
  if (plan->pseudo && (plan->attributeCount || plan->rejectUnknownAttributes)) Abandon();
  if (plan->all) {
    // The members found are kept as bits.
    const std::vector<Member>& members = plan->members;
    if (members.size() > 64) Abandon();
    for (const Member& member : members)
      if (member.kind == Member::Unknown) Abandon();
  }
  return *(m_lastPlan = m_learned.plans.emplace(info, std::move(plan)).first->second.get());
}

// The attribute offered to the class's attribute infos from the `from`th
// on, in order: the index of the info that takes it, or -1. The attribute
// as the tree holds it is made for the first info that is not simple (and
// only then: it is large to set up), and kept for the ones after it.
int CEventBinder::OfferAttribute(const ClassPlan& plan, int from, const CXmlEventAttribute& event,
                                 CXmlGeneratedClass& object, const CXmlAttribute* held) {
  for (int i = from; i < plan.attributeCount; ++i) {
    CAttributeInfo* info = plan.attributes[i];
    if (plan.simpleAttributes[static_cast<std::size_t>(i)]) {
      const auto& simple = static_cast<const VxXmlLib10Data::CAttributeInfoPrimitive&>(*info);
      if (!Same(event.localName, info->GetAttributeName()) ||
          !Same(event.namespaceURI, info->GetNamespaceURI()))
        continue;
      m_value.assign(event.value.data(), event.value.size());
      ConvertAndStore(simple.GetItemType(), simple.GetWhitespaceRule(), m_value,
                      [&](VxVariant& value) { info->AccessProperty(&object, false, value); });
      return i;
    }
    if (!held) {
      const CXmlAttribute attribute(std::string(event.localName), std::string(event.value),
                                    std::string(event.namespaceURI));
      return OfferAttribute(plan, i, event, object, &attribute);
    }
    if (info->AttributeFromXml(m_context, &object, held)) return i;
  }
  return -1;
}

namespace {

// The rare parts of an object's start tag, apart from the code that runs for
// every element: the namespace declarations it makes, and a name other than
// the one the object has.
VXXML_COLD void TakeDeclarations(std::vector<std::pair<std::string, std::string>>& declarations,
                                 const CXmlStartElement& element) {
  declarations.clear();
  for (std::size_t i = 0; i < element.declarationCount; ++i)
    declarations.emplace_back(std::string(element.declarations[i].prefix),
                              std::string(element.declarations[i].namespaceURI));
}

VXXML_COLD void Rename(CXmlGeneratedClass& object, std::string_view name) {
  object.SetElementName(std::string(name).c_str());
}

}  // namespace

// An attribute in the schema instance namespace (or xmlns) on an object's
// element: true when it is taken here. xsi:nil sets the object's nil flag (a
// bad value or an object that cannot be nil fails in the tree); xsi:type has
// chosen the class already, and the other schema instance attributes are not
// data.
bool CEventBinder::TakeInstanceAttribute(const CXmlEventAttribute& event, const ClassType& type,
                                         char* base, bool& hadNil) {
  if (event.localName == "nil") {
    hadNil = true;
    if (type.toNillable < 0) Abandon();
    INillable* nillable = reinterpret_cast<INillable*>(base + type.toNillable);
    if (EqualsNoCase(event.value, "true") || EqualsNoCase(event.value, "1"))
      nillable->SetNil(true);
    else if (EqualsNoCase(event.value, "false") || EqualsNoCase(event.value, "0"))
      nillable->SetNil(false);
    else
      Abandon();
    return true;
  }
  return event.localName == "type" || event.localName == "xmlns" ||
         event.localName == "schemaLocation" || event.localName == "noNamespaceSchemaLocation";
}

// The attributes of an object's element, offered to its attribute infos in
// order, and each info's check of what it found: whether there was an
// xsi:nil.
bool CEventBinder::TakeAttributes(const ClassPlan& plan, const ClassType& type, char* base,
                                  CXmlGeneratedClass& object, const CXmlStartElement& element) {
  bool foundHere[16] = {};
  std::unique_ptr<bool[]> foundMore;
  bool* found = foundHere;
  if (VXXML_UNLIKELY(plan.attributeCount > 16)) {
    foundMore.reset(new bool[static_cast<std::size_t>(plan.attributeCount)]());
    found = foundMore.get();
  }
  bool hadNil = false;
  for (std::size_t a = 0; a < element.attributeCount; ++a) {
    const CXmlEventAttribute& event = element.attributes[a];
    if (VXXML_UNLIKELY(InInstanceOrXmlns(event.namespaceURI)) &&
        TakeInstanceAttribute(event, type, base, hadNil))
      continue;
    // A simple attribute is taken here as its info takes it; the others
    // are handed the attribute as the tree holds it.
    const int at = OfferAttribute(plan, 0, event, object, nullptr);
    if (at >= 0)
      found[at] = true;
    else if (plan.rejectUnknownAttributes && !m_context.GetIgnoreUnknownAttributes())
      Abandon();
  }
  for (int i = 0; i < plan.attributeCount; ++i) plan.attributes[i]->Validate(m_context, found[i]);
  return hadNil;
}

void CEventBinder::BeginClass(CXmlObjectBase& child, const CXmlStartElement& element) {
  const ClassType& type = TypeOf(child);
  char* const base = reinterpret_cast<char*>(&child);
  CXmlGeneratedClass& object = *reinterpret_cast<CXmlGeneratedClass*>(base + type.toClass);
  const ClassPlan& plan = PlanFor(object);
  if (plan.pseudo) Abandon();

  // As CGeneratedClass::FromXml_Int and CXmlGeneratedClass::FromXml_Int do.
  auto& declarations =
      reinterpret_cast<CGeneratedObject*>(base + type.toGenerated)->GetNamespaceDeclarations();
  if (VXXML_UNLIKELY(element.declarationCount || !declarations.empty()))
    TakeDeclarations(declarations, element);
  object.Init();
  if (VXXML_UNLIKELY(!Same(element.localName, object.GetElementName())))
    Rename(object, element.localName);  // most often it has its name already
  const bool hadNil = element.attributeCount || plan.attributeCount
                          ? TakeAttributes(plan, type, base, object, element)
                          : false;

  Frame& frame = Push();
  frame.kind = Frame::Class;
  frame.landing = Root;
  frame.object = &object;
  frame.plan = &plan;
  frame.hadNil = hadNil;
  // A nil object reads neither its children nor its text.
  frame.nil =
      type.toNillable >= 0 && reinterpret_cast<INillable*>(base + type.toNillable)->IsNil();
}

namespace {

// Whether a simple value's element is nil, as the class reader decides it
// from its first xsi:nil attribute; a nil the member does not allow, or a
// value that is no boolean, fails in the tree.
bool IsValueNil(const CElementInfo& info, const CXmlStartElement& element) {
  const CXmlEventAttribute* nil = InstanceAttribute(element, "nil");
  if (!nil) return false;
  const std::string_view value = nil->value;
  if (value.empty() || EqualsNoCase(value, "false") || EqualsNoCase(value, "0")) return false;
  if (!info.IsNillable()) Abandon();
  if (EqualsNoCase(value, "true") || EqualsNoCase(value, "1")) return true;
  Abandon();
}

}  // namespace

// A mandatory child object, read in place in the object its owner holds (a
// new one from the factory when it holds none).
void CEventBinder::PushHeldChild(CXmlGeneratedClass* owner, const Member& member,
                                 const CXmlStartElement& element) {
  PushChild(HeldChild(owner, member), element, Held, nullptr);
}

CSmartPtr<CXmlObjectBase> CEventBinder::HeldChild(CXmlGeneratedClass* owner,
                                                  const Member& member) {
  CSmartPtr<CXmlObjectBase> child = FetchObject(*member.info, owner);
  if (child.IsNull()) {
    child = member.newChild(*member.info);
    if (child.IsNull()) Abandon();
    StoreObject(*member.info, owner, child);
  }
  return child;
}

// A tagless group's object, reset as the class reader resets a pseudo
// element before it reads the owner's attributes, of which it takes none.
CXmlGeneratedClass& CEventBinder::ResetGroup(CXmlObjectBase& child, bool hadNil,
                                             const ClassPlan*& plan) {
  const ClassType& type = TypeOf(child);
  char* const base = reinterpret_cast<char*>(&child);
  CXmlGeneratedClass& object = *reinterpret_cast<CXmlGeneratedClass*>(base + type.toClass);
  plan = &PlanFor(object);
  // An xsi:nil on the owner's element fails in a group that cannot be nil.
  if (!plan->pseudo || type.toNillable >= 0 || hadNil) Abandon();
  reinterpret_cast<CGeneratedObject*>(base + type.toGenerated)->GetNamespaceDeclarations().clear();
  object.Init();
  return object;
}

// A tagless group's frame above its owner's: the owner's next elements are
// offered to it first.
void CEventBinder::BeginGroup(CSmartPtr<CXmlObjectBase> child, Landing landing,
                              const Member& member, bool hadNil) {
  const ClassPlan* plan = nullptr;
  CXmlGeneratedClass& object = ResetGroup(*child, hadNil, plan);
  Frame& frame = Push();
  frame.kind = Frame::Class;
  frame.landing = landing;
  frame.object = &object;
  frame.plan = plan;
  frame.member = &member;
  frame.held = std::move(child);
  frame.pseudo = true;
  frame.hadNil = hadNil;
}

// A mandatory tagless group that may take nothing, read with no element
// left: reset, and so are the mandatory groups it reaches in turn before a
// member that fails without an element.
void CEventBinder::ReadGroupFromNothing(CXmlGeneratedClass* owner, const Member& member,
                                        bool hadNil) {
  CSmartPtr<CXmlObjectBase> child = HeldChild(owner, member);
  const ClassPlan* plan = nullptr;
  CXmlGeneratedClass& object = ResetGroup(*child, hadNil, plan);
  if (plan->choice) return;
  for (const Member& inner : plan->members) {
    if (inner.PassesWithoutElement()) continue;
    switch (inner.kind) {
      case Member::ValueMandatory:
      case Member::ChildMandatory:
      case Member::AbstractMandatory:
        return;
      case Member::Collection: {
        CSmartPtr<CXmlCollectionBase> collection = FetchCollection(*inner.info, &object);
        if (!collection.IsNull() && !collection->IsValidCount(m_context)) return;
        break;
      }
      case Member::GroupMandatory:
        if (inner.mustConsume) return;
        ReadGroupFromNothing(&object, inner, hadNil);
        break;
      default:
        Abandon();
    }
  }
}

// Whether every member of the all group of `frame` that was not read may
// be absent: under an element, a mandatory child object unless it is
// required; under a tagless group's owner, no mandatory member at all.
bool CEventBinder::AllComplete(const Frame& frame) const {
  const std::vector<Member>& members = frame.plan->members;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (frame.found & (std::uint64_t(1) << i)) continue;
    switch (members[i].kind) {
      case Member::ValueMandatory:
      case Member::UntypedMandatory:
      case Member::GroupMandatory:
        return false;
      case Member::ChildMandatory:
        if (frame.pseudo || members[i].required) return false;
        break;
      default:
        break;
    }
  }
  return true;
}

// The group of `frame` fails to match: the owner of a tagless group that
// took nothing goes on without it; anything else fails in the tree.
CEventBinder::Offer CEventBinder::Fail(Frame& frame) {
  if (!frame.pseudo || frame.consumed) Abandon();
  frame.failed = true;
  return Ended;
}

// The tagless group on top has ended: stored when it took something (an
// optional one is dropped otherwise), and its owner goes on past it. An
// item of a run of groups is appended when it took something; one that took
// nothing ends the run.
void CEventBinder::FinishGroup() {
  Frame& group = m_stack[m_depth - 1];
  const bool consumed = group.consumed;
  const Landing landing = group.landing;
  const Member& member = *group.member;
  CSmartPtr<CXmlObjectBase> child = std::move(group.held);
  Pop();
  Frame& owner = m_stack[m_depth - 1];
  if (landing == Append) {  // an item of a run of groups
    if (consumed) {
      CollectionAccess::AppendOwned(*owner.objects, std::move(child));
      if (owner.plan->choice) owner.chosen = true;
      return;
    }
    if (!owner.plan->choice) {
      if (!EndRun(owner)) Fail(owner);
      return;
    }
    // In a choice a run that took nothing is an alternative that did not
    // match; after the chosen run the choice is over.
    if (owner.chosen && (!owner.pseudo || !owner.run->IsValidCount(m_context))) Abandon();
    owner.run = nullptr;
    if (!owner.chosen) ++owner.next;
    return;
  }
  if (owner.plan->choice) {  // an alternative, chosen when it took something
    if (consumed) {
      owner.chosen = true;
    } else {
      StoreObject(*member.info, owner.object, nullptr);
      ++owner.next;
    }
    return;
  }
  if (owner.plan->all) {  // a member of an all group, found when it took something
    if (consumed) {
      owner.found |= std::uint64_t(1) << owner.next;
      owner.chosen = true;
      if (landing == Store) StoreObject(*member.info, owner.object, child);
    }
    ++owner.next;
    return;
  }
  if (consumed) {
    if (landing == Store) StoreObject(*member.info, owner.object, child);
  } else if (member.kind == Member::GroupMandatory && member.mustConsume) {
    Fail(owner);
    return;
  }
  ++owner.next;
}

void CEventBinder::StartElement(const CXmlStartElement& element) {
  // The limits of the document's builder.
  const unsigned int maxDepth = m_context.GetMaxDepth();
  if (maxDepth && m_elementDepth >= maxDepth) Abandon();
  const std::uint64_t maxElements = m_context.GetMaxElements();
  if (maxElements && m_elementCount >= maxElements) Abandon();
  ++m_elementCount;
  ++m_elementDepth;

  for (std::size_t i = 0; i < element.declarationCount; ++i) {
    const CXmlEventNamespace& declaration = element.declarations[i];
    auto known = m_prefixes.begin();
    while (known != m_prefixes.end() && known->first != declaration.prefix) ++known;
    if (known == m_prefixes.end())
      m_prefixes.emplace_back(std::string(declaration.prefix),
                              std::string(declaration.namespaceURI));
    else
      known->second.assign(declaration.namespaceURI.data(), declaration.namespaceURI.size());
  }

  if (m_valueMember) Abandon();  // an element inside a value
  if (m_depth == 0) {
    if (m_started) Abandon();  // a second document element
    m_started = true;
    if (!m_root) MakeRoot(element);
    BeginClass(*m_root, element);
    return;
  }
  Frame& parent = m_stack[m_depth - 1];
  if (parent.kind == Frame::Capture) {
    m_builder->StartElement(element);
    Push().kind = Frame::Capture;
    return;
  }
  if (parent.kind == Frame::Skip || (parent.kind == Frame::Class && parent.nil)) {
    Push().kind = Frame::Skip;
    return;
  }
  if (parent.kind != Frame::Class) Abandon();  // an element inside a value

  // Offered to the innermost group first; a tagless group that has ended
  // hands it back to its owner.
  for (;;) {
    const std::size_t at = m_depth - 1;
    switch (BeginChild(m_stack[at], element)) {
      case Taken:
        for (std::size_t i = at; m_stack[i].pseudo; --i) m_stack[i].consumed = true;
        return;
      case Descend:
        continue;
      case Ended:
        FinishGroup();
        continue;
    }
  }
}

void CEventBinder::PushValue(CXmlGeneratedClass* owner, const Member& member,
                             const CXmlStartElement& element) {
  // A value has no frame of its own: nothing inside it is read (an element
  // there gives the document up), and its end stores it.
  m_valueNil = IsValueNil(*member.info, element);
  m_valueOwner = owner;
  m_valueMember = &member;
  m_text.clear();
  // The stack stays as it is until the value ends: where text went before
  // it is where it goes after it.
  m_outside = {m_target, m_captureTop, m_targetKnown, m_dropsText};
  m_target = &m_text;
  m_captureTop = false;
  m_targetKnown = true;
  m_dropsText = false;
}

void CEventBinder::PushChild(CSmartPtr<CXmlObjectBase> child, const CXmlStartElement& element,
                             Landing landing, const Member* member) {
  BeginClass(*child, element);
  Frame& frame = m_stack[m_depth - 1];
  frame.landing = landing;
  frame.member = member;
  frame.held = std::move(child);
}

// The element offered to the group of `parent`: Taken (a frame is pushed
// for it), Descend (a tagless group's frame is pushed, to be offered the
// element) or Ended (a tagless group is done and leaves the element to its
// owner). `parent` may move once a frame is pushed.
CEventBinder::Offer CEventBinder::BeginChild(Frame& parent, const CXmlStartElement& element) {
  if (parent.failed) return Ended;
  const std::vector<Member>& members = parent.plan->members;
  for (;;) {
    if (!parent.run.IsNull()) {
      if (parent.groupRun) {
        // A new item offered the element: FinishGroup appends it if it
        // takes something, and ends the run if not.
        CSmartPtr<CXmlObjectBase> item = parent.source->NewItemWithoutElement();
        if (item.IsNull()) Abandon();
        BeginGroup(std::move(item), Append, members[parent.next], parent.hadNil);
        return Descend;
      }
      if (RunTakes(parent, element) && BeginItem(parent, element)) return Taken;
      if (parent.plan->choice) {
        // A run that took nothing is an alternative that did not match;
        // after the chosen run the choice is over.
        if (!parent.chosen) {
          parent.run = nullptr;
          ++parent.next;
          continue;
        }
        if (!parent.pseudo || !parent.run->IsValidCount(m_context)) Abandon();
        parent.run = nullptr;
        return Ended;
      }
      if (!EndRun(parent)) return Fail(parent);
      continue;
    }

    if (VXXML_UNLIKELY(parent.plan->all)) return BeginInAll(parent, element);
    if (VXXML_UNLIKELY(parent.plan->choice)) return BeginInChoice(parent, element);
    if (parent.next == members.size()) {
      if (!parent.pseudo) Abandon();  // an element left over
      return Ended;
    }
    const Member& member = members[parent.next];
    const bool match = Matches(*member.info, element);
    switch (member.kind) {
      case Member::ValueMandatory:
      case Member::ValueOptional:
        if (!match) {
          if (member.kind == Member::ValueMandatory) return Fail(parent);
          ++parent.next;
          continue;
        }
        ++parent.next;
        PushValue(parent.object, member, element);
        return Taken;
      case Member::ChildMandatory:
        if (!match) return Fail(parent);
        ++parent.next;
        PushHeldChild(parent.object, member, element);
        return Taken;
      case Member::ChildOptional: {
        ++parent.next;
        if (!match) continue;
        CSmartPtr<CXmlObjectBase> child = member.newChild(*member.info);
        if (child.IsNull()) Abandon();
        PushChild(std::move(child), element, Store, &member);
        return Taken;
      }
      case Member::AbstractMandatory:
      case Member::AbstractOptional: {
        CSmartPtr<CXmlObjectBase> child;
        if (match) child = member.newChildFor(*member.info, StandIn(element));
        if (!child.IsNull()) {
          ++parent.next;
          PushChild(std::move(child), element, Store, &member);
          return Taken;
        }
        // No class for the element: an optional member passes and leaves
        // it to the next.
        if (member.kind == Member::AbstractMandatory) return Fail(parent);
        ++parent.next;
        continue;
      }
      case Member::Collection:
        if (!StartRun(parent, member)) ++parent.next;
        continue;
      case Member::NotThisElement:
        if (match) Abandon();
        ++parent.next;
        continue;
      case Member::UntypedOptional:
        ++parent.next;
        if (!member.untypedTakes(*member.info, element)) continue;  // it passes
        PushUntyped(parent.object, member, element);
        return Taken;
      case Member::UntypedMandatory:
        if (!member.untypedTakes(*member.info, element)) {
          // The class reader gives the owner a CElement before it finds
          // that the element is not for it.
          if (FetchObject(*member.info, parent.object).IsNull())
            StoreObject(*member.info, parent.object,
                        member.newUntyped(*member.info, parent.object->GetNamespace()));
          return Fail(parent);
        }
        ++parent.next;
        PushUntyped(parent.object, member, element);
        return Taken;
      case Member::GroupOptional: {
        CSmartPtr<CXmlObjectBase> child = member.newChild(*member.info);
        if (child.IsNull()) {
          ++parent.next;
          continue;
        }
        BeginGroup(std::move(child), Store, member, parent.hadNil);
        return Descend;
      }
      case Member::GroupMandatory:
        BeginGroup(HeldChild(parent.object, member), Held, member, parent.hadNil);
        return Descend;
      case Member::ChoiceChild:
      case Member::ChoiceAbstract:
      case Member::ChoiceUntyped:
      case Member::ChoiceGroup:
      case Member::Unknown:
        Abandon();
    }
  }
}

// An all group's element: the class reader offers the element at its cursor
// to the members not found yet, in order, pass after pass: a member that
// takes it moves the cursor on, and the next element is offered to the
// members after it; a pass that took nothing ends the reading. `next` is
// where the pass stands, `chosen` whether it took something.
CEventBinder::Offer CEventBinder::BeginInAll(Frame& parent, const CXmlStartElement& element) {
  const std::vector<Member>& members = parent.plan->members;
  for (;;) {
    for (; parent.next < members.size(); ++parent.next) {
      const Member& member = members[parent.next];
      const std::uint64_t bit = std::uint64_t(1) << parent.next;
      if (parent.found & bit) continue;
      if (member.kind == Member::GroupMandatory || member.kind == Member::GroupOptional) {
        // A tagless group reads from here on; FinishGroup notes whether
        // it took something and moves the pass on past it.
        const bool mandatory = member.kind == Member::GroupMandatory;
        CSmartPtr<CXmlObjectBase> child =
            mandatory ? HeldChild(parent.object, member) : member.newChild(*member.info);
        if (child.IsNull()) continue;  // nothing to read into: not taken
        BeginGroup(std::move(child), mandatory ? Held : Store, member, parent.hadNil);
        return Descend;
      }
      const bool untyped =
          member.kind == Member::UntypedOptional || member.kind == Member::UntypedMandatory;
      if (untyped ? !member.untypedTakes(*member.info, element)
                  : !Matches(*member.info, element))
        continue;
      parent.found |= bit;
      parent.chosen = true;
      ++parent.next;
      switch (member.kind) {
        case Member::ValueMandatory:
        case Member::ValueOptional:
          PushValue(parent.object, member, element);
          return Taken;
        case Member::ChildMandatory:
          PushHeldChild(parent.object, member, element);
          return Taken;
        case Member::ChildOptional: {
          CSmartPtr<CXmlObjectBase> child = member.newChild(*member.info);
          if (child.IsNull()) Abandon();
          PushChild(std::move(child), element, Store, &member);
          return Taken;
        }
        case Member::UntypedOptional:
        case Member::UntypedMandatory:
          PushUntyped(parent.object, member, element);
          return Taken;
        default:  // NotThisElement fails in the tree
          Abandon();
      }
    }
    if (!parent.chosen) {  // a pass took nothing: the reading ends here
      if (!parent.pseudo) Abandon();  // an element left over
      return AllComplete(parent) ? Ended : Fail(parent);
    }
    parent.chosen = false;
    parent.next = 0;
  }
}

// A choice's element: the first alternative that takes it is the one read.
CEventBinder::Offer CEventBinder::BeginInChoice(Frame& parent, const CXmlStartElement& element) {
  const std::vector<Member>& members = parent.plan->members;
  if (parent.chosen) {
    if (!parent.pseudo) Abandon();  // an element after the one chosen
    return Ended;
  }
  for (; parent.next < members.size(); ++parent.next) {
    const Member& member = members[parent.next];
    if (member.kind == Member::ChoiceGroup) {
      // Stored before it reads, which picks it; FinishGroup stores none
      // and moves on when it takes nothing.
      CSmartPtr<CXmlObjectBase> child = member.newChild(*member.info);
      if (child.IsNull()) continue;
      StoreObject(*member.info, parent.object, child);
      BeginGroup(std::move(child), Held, member, parent.hadNil);
      return Descend;
    }
    if (member.kind == Member::Collection) {
      if (!StartRun(parent, member)) continue;
      if (parent.groupRun) {
        // A run of tagless groups: its first item is offered the
        // element, and FinishGroup picks the run once an item takes
        // something.
        CSmartPtr<CXmlObjectBase> item = parent.source->NewItemWithoutElement();
        if (item.IsNull()) Abandon();
        BeginGroup(std::move(item), Append, member, parent.hadNil);
        return Descend;
      }
      if (RunTakes(parent, element) && BeginItem(parent, element)) return Taken;
      parent.run = nullptr;  // it took nothing: the next alternative
      continue;
    }
    if (BeginAlternative(parent, member, element)) return Taken;
  }
  if (!parent.pseudo) Abandon();  // no member takes the element
  return Ended;
}

// One alternative of a choice offered the choice's first element: true when
// it takes it (a frame is pushed and `parent` may move).
bool CEventBinder::BeginAlternative(Frame& parent, const Member& member,
                                    const CXmlStartElement& element) {
  const CElementInfo& info = *member.info;
  switch (member.kind) {
    case Member::ValueOptional:
      if (!Matches(info, element)) return false;
      parent.chosen = true;
      PushValue(parent.object, member, element);
      return true;
    case Member::ChoiceUntyped:
      if (!member.untypedTakes(info, element)) {
        StoreObject(info, parent.object, nullptr);
        return false;
      }
      parent.chosen = true;
      PushUntyped(parent.object, member, element);
      return true;
    case Member::ChoiceChild: {
      if (!Matches(info, element)) return false;
      CSmartPtr<CXmlObjectBase> child = member.newChild(info);
      if (child.IsNull()) return false;
      // Stored before it is read: storing picks the alternative.
      StoreObject(info, parent.object, child);
      parent.chosen = true;
      PushChild(std::move(child), element, Held, nullptr);
      m_stack[m_depth - 1].emptyChoiceAllowed = true;
      return true;
    }
    case Member::ChoiceAbstract: {
      if (!Matches(info, element)) return false;
      CSmartPtr<CXmlObjectBase> child = member.newChildFor(info, StandIn(element));
      StoreObject(info, parent.object, child);  // even none
      if (child.IsNull()) return false;
      parent.chosen = true;
      PushChild(std::move(child), element, Held, nullptr);
      return true;
    }
    default:  // collections are begun by BeginChild
      Abandon();
  }
}

// Whether the element belongs to the run under way: its name (for
// untyped content, its namespace rule), and, for a list, only one element.
bool CEventBinder::RunTakes(Frame& parent, const CXmlStartElement& element) {
  if (parent.elements) {
    if (IsAnyElementName(parent.runName))
      return CXmlObjectHelper::IsNamespaceValid(std::string(element.namespaceURI),
                                                parent.elements->GetNamespaceRestriction(),
                                                parent.elements->GetTargetNamespace());
    if (parent.lockPending) {
      parent.runNamespace.assign(element.namespaceURI.data(), element.namespaceURI.size());
      parent.lockPending = false;
    }
  } else if (parent.listTaken) {
    return false;
  }
  return Same(element.localName, parent.runName) && Same(element.namespaceURI, parent.runNamespace);
}

// The element as the next item of the run under way: false, taking
// nothing, when the collection has no class for it (the run ends there).
bool CEventBinder::BeginItem(Frame& parent, const CXmlStartElement& element) {
  if (parent.elements) {
    // Captured, and read as the collection reads an element from a tree.
    parent.chosen = parent.plan->choice;
    PushUntyped(parent.object, parent.plan->members[parent.next], element);
    m_stack[m_depth - 1].elementsOf = parent.elements;
    return true;
  }
  if (parent.values) {
    CXmlTypeCollection* values = parent.values;
    parent.chosen = parent.plan->choice;
    parent.listTaken = values->IsListForm();
    Frame& item = Push();
    item.kind = Frame::Item;
    item.itemOf = values;
    m_text.clear();
    return true;
  }
  CSmartPtr<CXmlObjectBase> made = parent.source->NewItemWithoutElement();
  if (made.IsNull()) made = parent.source->NewItemFor(StandIn(element));
  if (made.IsNull()) return false;
  parent.chosen = parent.plan->choice;
  PushChild(std::move(made), element, Append, nullptr);
  return true;
}

// A document of one element standing for `element`, with its name and
// attributes, for a class factory to read its xsi:type from. The type's
// prefix is resolved with the declarations met so far, which is noted.
CXmlElement* CEventBinder::StandIn(const CXmlStartElement& element) {
  if (!m_standIn) m_standIn.reset(new CXmlDocument(m_context));
  m_standIn->Cleanup();
  CXmlElement* standIn = m_standIn->AddDocElement(std::string(element.namespaceURI).c_str(),
                                                  std::string(element.localName).c_str());
  for (std::size_t a = 0; a < element.attributeCount; ++a) {
    const CXmlEventAttribute& attribute = element.attributes[a];
    m_standIn->AddElementAttribute(standIn, std::string(attribute.localName),
                                   std::string(attribute.value),
                                   std::string(attribute.namespaceURI));
  }
  if (const CXmlEventAttribute* type = InstanceAttribute(element, "type")) {
    const std::size_t colon = type->value.find(':');
    if (colon != std::string_view::npos) {
      const std::string_view prefix = type->value.substr(0, colon);
      std::string uri;
      for (const auto& known : m_prefixes)
        if (known.first == prefix) uri = known.second;
      if (!uri.empty()) m_standIn->SetNamespaceAlias(std::string(prefix), uri);
      m_typePrefixes.emplace_back(std::string(prefix), std::move(uri));
    }
  }
  return standIn;
}

// Every xsi:type prefix resolved while reading still means what it meant:
// no declaration later in the document changed it.
void CEventBinder::CheckTypePrefixes() {
  for (const auto& used : m_typePrefixes) {
    std::string_view last;
    for (const auto& known : m_prefixes)
      if (known.first == used.first) last = known.second;
    if (last != used.second) Abandon();
  }
}

bool CEventBinder::StartRun(Frame& frame, const Member& member) {
  CSmartPtr<CXmlCollectionBase> collection = FetchCollection(*member.info, frame.object);
  if (collection.IsNull()) return false;  // nothing to read into: the member passes
  frame.values = dynamic_cast<CXmlTypeCollection*>(collection.Get());
  frame.objects = nullptr;
  frame.source = nullptr;
  frame.groupRun = false;
  frame.listTaken = false;
  frame.elements = nullptr;
  if (!frame.values && (frame.elements = dynamic_cast<CElementCol*>(collection.Get()))) {
    // Untyped content takes the elements its rule accepts, or, for a member
    // of one name, that name in the namespace of the first element met.
    frame.runName = member.info->GetElementName();
    frame.runNamespace.clear();
    frame.lockPending = !IsAnyElementName(frame.runName);
    frame.run = collection;
    return true;
  }
  if (!frame.values) {
    frame.source = dynamic_cast<const CGeneratedItemSource*>(collection.Get());
    frame.objects = dynamic_cast<CXmlCollection*>(collection.Get());
    if (!frame.source || !frame.objects) Abandon();
    switch (frame.source->GetItemElementType()) {
      case VxXmlLib10Data::XmlElementType_Element:
        break;
      case VxXmlLib10Data::XmlElementType_PseudoElement:
        frame.groupRun = true;
        break;
      default:
        Abandon();
    }
  }
  frame.runName = collection->GetElementName();
  frame.runNamespace = collection->GetNamespace();
  frame.run = collection;
  return true;
}

// The run under way ends: false when its count is bad in a tagless group
// (a bad count fails an element's group in the tree).
bool CEventBinder::EndRun(Frame& frame) {
  bool valid = true;
  if (frame.pseudo)
    valid = frame.run->IsValidCount(m_context);
  else
    frame.run->ValidateCount(m_context);
  frame.run = nullptr;
  ++frame.next;
  return valid;
}

// No element is left for the members not reached yet: each must pass
// without one, as it does in the class reader with no element at the
// cursor; in a tagless group one that does not makes the group fail.
void CEventBinder::EndChildren(Frame& frame) {
  if (frame.failed) return;
  const std::vector<Member>& members = frame.plan->members;
  if (frame.plan->all) {
    // The members not read must be allowed to be absent; a tagless all
    // group missing one takes nothing.
    if (!AllComplete(frame)) {
      if (!frame.pseudo) Abandon();
      Fail(frame);
    }
    return;
  }
  if (frame.plan->choice) {
    // The run of a chosen collection ends here; a choice of an element left
    // without a member must be allowed to be.
    if (!frame.run.IsNull()) {
      if (frame.pseudo) {
        if (!frame.run->IsValidCount(m_context)) Abandon();
      } else {
        frame.run->ValidateCount(m_context);
      }
      frame.run = nullptr;
    }
    if (!frame.pseudo && !frame.chosen && !frame.emptyChoiceAllowed &&
        !frame.object->DoesElementContainOptionalElements() && !m_context.GetIgnoreMissingChoice())
      Abandon();
    return;
  }
  if (!frame.run.IsNull() && !EndRun(frame)) {
    Fail(frame);
    return;
  }
  for (; frame.next < members.size(); ++frame.next) {
    const Member& member = members[frame.next];
    if (member.PassesWithoutElement()) continue;
    switch (member.kind) {
      case Member::Collection:
        if (StartRun(frame, member)) {
          const bool valid = frame.pseudo ? frame.run->IsValidCount(m_context)
                                          : (frame.run->ValidateCount(m_context), true);
          frame.run = nullptr;
          if (!valid) {
            Fail(frame);
            return;
          }
        }
        break;
      case Member::GroupMandatory:
        if (member.mustConsume) {
          Fail(frame);
          return;
        }
        ReadGroupFromNothing(frame.object, member, frame.hadNil);
        break;
      case Member::ValueMandatory:
      case Member::ChildMandatory:
      case Member::AbstractMandatory:
        Fail(frame);
        return;
      default:
        Abandon();
    }
  }
}

// The element of untyped content, built into a tree of its own from here
// on.
void CEventBinder::PushUntyped(CXmlGeneratedClass* owner, const Member& member,
                               const CXmlStartElement& element) {
  if (!m_captured) m_captured.reset(new CXmlDocument(m_context));
  m_captured->Cleanup();
  m_builder.reset(new CTreeBuilder(*m_captured, false));
  m_builder->StartElement(element);
  Frame& capture = Push();
  capture.kind = Frame::Capture;
  capture.object = owner;
  capture.member = &member;
}

// The element captured, read into a new CElement as the class reader reads
// untyped content, and stored.
void CEventBinder::EndUntyped(const Member& member, CXmlGeneratedClass* owner) {
  const CElementInfo& info = *member.info;
  CXmlElement* const read = m_captured->GetDocumentElement();
  // A mandatory member's element is read in place into the CElement the
  // owner holds, when it holds one.
  if (member.kind == Member::UntypedMandatory) {
    CSmartPtr<CXmlObjectBase> held = FetchObject(info, owner);
    CSmartPtr<CElement> element(dynamic_cast<CElement*>(held.Get()));
    if (!element.IsNull()) {
      if (ReadUntyped(info, element, m_context, nullptr, read) == read) Abandon();
      return;
    }
  }
  CSmartPtr<CElement> element = member.newUntyped(info, owner->GetNamespace());
  if (ReadUntyped(info, element, m_context, nullptr, read) == read) Abandon();
  StoreObject(info, owner, element);
}

// An untyped item captured, read into a new CElement as the collection
// reads an element of its run, and added.
void CEventBinder::EndUntypedItem(const Member& member, CElementCol& elements) {
  CXmlElement* const read = m_captured->GetDocumentElement();
  const bool anyName = IsAnyElementName(member.info->GetElementName());
  CSmartPtr<CElement> element =
      new CElement(read->GetLocalName().c_str(), read->GetNamespaceURI().c_str(),
                   anyName ? elements.GetNamespaceRestriction().c_str() : "##any",
                   elements.GetTargetNamespace().c_str());
  if (CXmlObjectBase::FromXml_Int(element, nullptr, read, m_context) == read) Abandon();
  elements.Add(element);
}

// The gathered text as the member's value, stored as ElementFromXmlPrim and
// ElementFromXmlEnum store it.
void CEventBinder::StoreValue(const Member& member, CXmlGeneratedClass* owner, bool nil) {
  const CElementInfo& info = *member.info;
  auto store = [&](VxVariant& value) { info.AccessProperty(owner, false, value); };
  if (nil) {
    VxVariant value;
    value.SetNil();
    return store(value);
  }
  if (member.toEnum) {
    VxVariant value;
    value.SetI4(member.toEnum(m_text.c_str()));
    return store(value);
  }
  ConvertAndStore(info.GetItemType(), info.GetWhitespaceRule(), m_text, store);
}

// The element's own simple value, from the text gathered in its frame,
// stored as CXmlGeneratedClass::FromXml_Int stores it: kept as it stands,
// or converted with no whitespace rule (the class's accessor checks its
// facets).
void CEventBinder::StoreOwnValue(Frame& frame) {
  const ClassPlan& plan = *frame.plan;
  CXmlGeneratedClass* const object = frame.object;
  auto store = [&](VxVariant& value) { object->AccessProperty(plan.valueId, false, value); };
  if (plan.rawText) {
    VxVariant value;
    VariantAccess::Lend(value, ItemType_string, &frame.text);
    return store(value);
  }
  ConvertAndStore(plan.valueType, CWhitespaceUtils::WhitespaceRule_None, frame.text, store);
}

// Where the text met now goes: the value being read, or the own text of the
// element whose class has a simple value (a tagless group's text is its
// owner's); null when it is not read.
std::string* CEventBinder::TextTarget() {
  // Text comes in runs (expat splits it at line ends, and indentation
  // comes between every two elements): the target, and whether the frame
  // captures, are found once per frame.
  if (!m_targetKnown) KnowTextTarget();
  return m_target;
}

// Where the frames stand still until the next tag (a value or an object
// has ended), a reader that watches the flag has the target found at once,
// so that it drops the indentation that follows without asking; for any
// other reader it is found when text comes, if it does.
void CEventBinder::EndOfTag() {
  if (m_watched)
    KnowTextTarget();
  else
    ForgetTextTarget();
}

void CEventBinder::KnowTextTarget() {
  m_target = FindTextTarget();
  m_captureTop = m_depth && m_stack[m_depth - 1].kind == Frame::Capture;
  m_targetKnown = true;
  // Until the next tag, text here goes nowhere: the reader may keep it.
  m_dropsText = !m_target && !m_captureTop;
}

std::string* CEventBinder::FindTextTarget() {
  if (m_valueMember) return &m_text;
  if (!m_depth) return nullptr;
  std::size_t at = m_depth - 1;
  switch (m_stack[at].kind) {
    case Frame::Item:
      return &m_text;
    case Frame::Class:
      while (m_stack[at].pseudo) --at;
      if (m_stack[at].plan->value && !m_stack[at].nil) return &m_stack[at].text;
      return nullptr;
    default:
      return nullptr;
  }
}

void CEventBinder::StartCDATA() {
  if (std::string* text = TextTarget()) text->append("<![CDATA[");
  if (m_depth && m_stack[m_depth - 1].kind == Frame::Capture) m_builder->StartCDATA();
}

void CEventBinder::EndCDATA() {
  if (std::string* text = TextTarget()) text->append("]]>");
  if (m_depth && m_stack[m_depth - 1].kind == Frame::Capture) m_builder->EndCDATA();
}

void CEventBinder::Characters(std::string_view text) {
  std::string* const target = m_targetKnown ? m_target : TextTarget();
  if (target) target->append(text.data(), text.size());
  if (m_captureTop) m_builder->Characters(text);
}

void CEventBinder::EndElement() {
  if (m_valueMember) {
    const Member& member = *m_valueMember;
    m_valueMember = nullptr;
    // The stack has not moved since the value started: text goes where it
    // went then, found again only if it was not known.
    m_target = m_outside.target;
    m_captureTop = m_outside.captureTop;
    m_targetKnown = m_outside.known;
    m_dropsText = m_outside.dropsText;
    if (!m_targetKnown) EndOfTag();
    --m_elementDepth;
    StoreValue(member, m_valueOwner, m_valueNil);
    return;
  }
  if (m_depth == 0) Abandon();
  --m_elementDepth;
  // The tagless groups still open end with their owner's element.
  while (m_stack[m_depth - 1].kind == Frame::Class && m_stack[m_depth - 1].pseudo) {
    EndChildren(m_stack[m_depth - 1]);
    FinishGroup();
  }
  Frame& frame = m_stack[m_depth - 1];
  switch (frame.kind) {
    case Frame::Skip:
      Pop();
      return;
    case Frame::Capture:
      m_builder->EndElement();
      if (frame.elementsOf)
        EndUntypedItem(*frame.member, *frame.elementsOf);
      else if (frame.member)
        EndUntyped(*frame.member, frame.object);
      Pop();
      return;
    case Frame::Item:
      if (frame.itemOf->IsListForm())
        AddListItems(*frame.itemOf, m_text);
      else
        frame.itemOf->AddFromString(m_text);
      Pop();
      return;
    case Frame::Class:
      break;
  }

  // A nil object reads neither its children nor its value.
  if (!frame.nil) {
    EndChildren(frame);
    if (frame.plan->value) StoreOwnValue(frame);
  }
  const Landing landing = frame.landing;
  const Member* member = frame.member;
  CSmartPtr<CXmlObjectBase> child = std::move(frame.held);
  Pop();
  switch (landing) {
    case Root:
      CheckTypePrefixes();
      m_complete = true;
      break;
    case Held:
      break;
    case Store:
      StoreObject(*member->info, m_stack[m_depth - 1].object, child);
      break;
    case Append:
      CollectionAccess::AppendOwned(*m_stack[m_depth - 1].objects, std::move(child));
      break;
  }
  EndOfTag();
}

}  // namespace detail
}  // namespace VxXmlLib10
