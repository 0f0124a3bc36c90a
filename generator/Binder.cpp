// Decides what each schema component becomes in C++: a class per complex
// type (named or anonymous), per tagless model group and per substitution
// group, an enumeration per enumerated simple type, and for each particle
// and attribute the member and the info family that describe it.
//
// Everything is visited in the order of the components' names, never in the
// order the documents were read, so the output does not depend on the order
// of the command line.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "Binding.h"

namespace vxgen {

namespace {

const std::set<std::string> kKeywords = {
    "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break",
    "case", "catch", "char", "char16_t", "char32_t", "char8_t", "class", "co_await",
    "co_return", "co_yield", "compl", "concept", "const", "const_cast", "consteval",
    "constexpr", "constinit", "continue", "decltype", "default", "delete", "do", "double",
    "dynamic_cast", "else", "enum", "explicit", "export", "extern", "false", "float", "for",
    "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new", "noexcept",
    "not", "not_eq", "nullptr", "operator", "or", "or_eq", "private", "protected", "public",
    "register", "reinterpret_cast", "requires", "return", "short", "signed", "sizeof", "static",
    "static_assert", "static_cast", "struct", "switch", "template", "this", "thread_local",
    "throw", "true", "try", "typedef", "typeid", "typename", "union", "unsigned", "using",
    "virtual", "void", "volatile", "wchar_t", "while", "xor", "xor_eq", "final", "override",
    "errno", "assert", "NULL", "EOF", "stdin", "stdout", "stderr", "major", "minor"};

// What every generated class inherits or declares: a member of one of these
// names would hide it.
const std::set<std::string> kReservedMembers = {
    "AccessProperty", "Init", "InitMembers", "AddElementInfos", "AddAttributeInfos",
    "NewClassInfo", "FromElement", "GetClassInfo", "GetClassElementInfo",
    "GetClassAttributeInfo", "GetBase", "GetTargetNamespace", "GetNamespace", "AddRef",
    "Release", "GetElementName", "SetElementName", "ToXml", "ToXmlFile", "ToXmlStream",
    "ToFastInfosetFile", "ToFastInfosetStream", "FromXml", "FromXmlFile", "FromXmlStream",
    "FromXmlElement", "ToXml_Int", "FromXml_Int", "AttributesToXml_Int", "OnEvent",
    "ReadProperty", "GetClassElementInfoCount", "DoesElementContainOptionalElements",
    "IsElementInList", "CleanMetaData", "IsNil", "SetNil", "IsNamespaceValid", "TestNamespace",
    "DoesElementNameMatch", "Choice_SelectElement", "Choice_SetElementValid",
    "Choice_CollectionChanged", "Choice_Read_Collection", "Throw_IfPropertyIsNull",
    "Throw_IfElementNameDiffers", "ProcessElementSeqToXml", "ProcessElementAllToXml",
    "ProcessElementChoiceToXml", "ProcessAttributesToXml", "ProcessAttributesFromXml",
    "ProcessElementSeqFromXml", "ProcessElementAllFromXml", "ProcessElementChoiceFromXml",
    "Tables", "m_csInit", "nil_", "FireOnCollectionChangeEvent", "FireOnCollectionAddEvent",
    "FireOnCollectionAddCompleteEvent", "FireOnCollectionRemoveEvent",
    "FireOnCollectionRemoveCompleteEvent", "Base"};

// Names the emitter declares at namespace scope.
const std::set<std::string> kReservedTypes = {"context", "readdocument", "knamespace", "vxxml_",
                                              "vxxml_data_"};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool Emptiable(const ModelGroup* g);

bool Emptiable(const Particle& p) {
  if (p.min == 0) return true;
  if (p.kind == Particle::Group) return Emptiable(p.group);
  return false;
}

bool Emptiable(const ModelGroup* g) {
  if (g->compositor == ModelGroup::Choice) {
    for (const Particle& p : g->particles)
      if (Emptiable(p)) return true;
    return g->particles.empty();
  }
  for (const Particle& p : g->particles)
    if (!Emptiable(p)) return false;
  return true;
}

// Text mixed with elements: such an element is kept as untyped content,
// which holds its text and children in document order.
bool MixedContent(const ComplexType* t) {
  if (!t->mixed || t->simpleContent) return false;
  for (const ComplexType* b = t; b && !b->anyType; b = b->base) {
    if (b->content && b->content->group && !b->content->group->particles.empty()) return true;
    if (b->derivation == ComplexType::Restriction) break;
  }
  return t->anyType;
}

const char* CompositorName(ModelGroup::Compositor c) {
  return c == ModelGroup::Choice ? "Choice" : c == ModelGroup::All ? "All" : "Sequence";
}

// Escapes the characters that are special in a pattern.
std::string PatternLiteral(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (std::strchr("\\|.-^?*+{}()[]$", c) && c) out += '\\';
    out += c;
  }
  return out;
}

struct BuiltinBinding {
  const char* name;
  const char* kind;
  const char* cppType;
  const char* collection;
  const char* whitespace;
  const char* minInclusive;
  const char* maxInclusive;
  const char* pattern = "";  // the lexical rule of the name-like string types
};

const char kNCName[] = "[\\i-[:]][\\c-[:]]*";

const BuiltinBinding kBuiltinBindings[] = {
    {"anySimpleType", "string", "std::string", "CstringCol", "Preserve", "", ""},
    {"anyAtomicType", "string", "std::string", "CstringCol", "Preserve", "", ""},
    {"string", "string", "std::string", "CstringCol", "Preserve", "", ""},
    {"normalizedString", "string", "std::string", "CstringCol", "Replace", "", ""},
    {"token", "string", "std::string", "CstringCol", "Collapse", "", ""},
    {"language", "string", "std::string", "CstringCol", "Collapse", "", "", "[a-zA-Z]{1,8}(-[a-zA-Z0-9]{1,8})*"},
    {"Name", "string", "std::string", "CstringCol", "Collapse", "", "", "\\i\\c*"},
    {"NCName", "string", "std::string", "CstringCol", "Collapse", "", "", kNCName},
    {"ID", "string", "std::string", "CstringCol", "Collapse", "", "", kNCName},
    {"IDREF", "string", "std::string", "CstringCol", "Collapse", "", "", kNCName},
    {"IDREFS", "string", "std::string", "CstringCol", "Collapse", "", ""},
    {"ENTITY", "string", "std::string", "CstringCol", "Collapse", "", "", kNCName},
    {"ENTITIES", "string", "std::string", "CstringCol", "Collapse", "", ""},
    {"NMTOKEN", "string", "std::string", "CstringCol", "Collapse", "", "", "\\c+"},
    {"NMTOKENS", "string", "std::string", "CstringCol", "Collapse", "", "", "\\c+( \\c+)*"},
    {"QName", "string", "std::string", "CstringCol", "Collapse", "", "", "([\\i-[:]][\\c-[:]]*:)?[\\i-[:]][\\c-[:]]*"},
    {"NOTATION", "string", "std::string", "CstringCol", "Collapse", "", ""},
    {"anyURI", "string", "std::string", "CstringCol", "Collapse", "", ""},
    {"boolean", "boolean", "bool", "CbooleanCol", "Collapse", "", ""},
    {"decimal", "decimal", "::VxXmlLib10::CDecimal", "CdecimalCol", "Collapse", "", ""},
    {"integer", "integer", "::VxXmlLib10::CBigInteger", "CintegerCol", "Collapse", "", ""},
    {"nonPositiveInteger", "integer", "::VxXmlLib10::CBigInteger", "CintegerCol", "Collapse", "",
     "0"},
    {"negativeInteger", "integer", "::VxXmlLib10::CBigInteger", "CintegerCol", "Collapse", "",
     "-1"},
    {"nonNegativeInteger", "integer", "::VxXmlLib10::CBigInteger", "CintegerCol", "Collapse", "0",
     ""},
    {"positiveInteger", "integer", "::VxXmlLib10::CBigInteger", "CintegerCol", "Collapse", "1",
     ""},
    {"long", "i8", "long long", "Ci8Col", "Collapse", "", ""},
    {"int", "i4", "int", "Ci4Col", "Collapse", "", ""},
    {"short", "i2", "short", "Ci2Col", "Collapse", "", ""},
    {"byte", "i1", "signed char", "Ci1Col", "Collapse", "", ""},
    {"unsignedLong", "ui8", "unsigned long long", "Cui8Col", "Collapse", "", ""},
    {"unsignedInt", "ui4", "unsigned int", "Cui4Col", "Collapse", "", ""},
    {"unsignedShort", "ui2", "unsigned short", "Cui2Col", "Collapse", "", ""},
    {"unsignedByte", "ui1", "unsigned char", "Cui1Col", "Collapse", "", ""},
    {"float", "r4", "float", "Cr4Col", "Collapse", "", ""},
    {"double", "r8", "double", "Cr8Col", "Collapse", "", ""},
    {"duration", "duration", "::VxXmlLib10::CDateTimeSpan", "CdurationCol", "Collapse", "", ""},
    {"dayTimeDuration", "duration", "::VxXmlLib10::CDateTimeSpan", "CdurationCol", "Collapse", "",
     ""},
    {"yearMonthDuration", "duration", "::VxXmlLib10::CDateTimeSpan", "CdurationCol", "Collapse",
     "", ""},
    {"dateTime", "datetime", "::VxXmlLib10::CDateTime", "CdatetimeCol", "Collapse", "", ""},
    {"dateTimeStamp", "datetime", "::VxXmlLib10::CDateTime", "CdatetimeCol", "Collapse", "", ""},
    {"date", "date", "::VxXmlLib10::CDateTime", "CdateCol", "Collapse", "", ""},
    {"time", "time", "::VxXmlLib10::CDateTime", "CtimeCol", "Collapse", "", ""},
    {"gYearMonth", "yearMonth", "::VxXmlLib10::CDateTime", "CyearMonthCol", "Collapse", "", ""},
    {"gMonthDay", "monthDay", "::VxXmlLib10::CDateTime", "CmonthDayCol", "Collapse", "", ""},
    {"gYear", "year", "unsigned short", "CyearCol", "Collapse", "", ""},
    {"gMonth", "month", "unsigned char", "CmonthCol", "Collapse", "", ""},
    {"gDay", "day", "unsigned char", "CdayCol", "Collapse", "", ""},
    {"hexBinary", "hexBinary", "::VxXmlLib10::CBinaryData", "ChexBinaryCol", "Collapse", "", ""},
    {"base64Binary", "base64Binary", "::VxXmlLib10::CBinaryData", "Cbase64BinaryCol", "Collapse",
     "", ""},
};

// An integer type bounded on both sides within a machine type is held in
// it: a quantity below 100 is an unsigned int, not a big integer.
void NarrowInteger(ValueBinding& v) {
  auto bound = [](const std::string& text, long long& value) {
    if (text.empty() || text.size() > 18) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return *end == 0;
  };
  long long low = 0, high = 0;
  const bool hasLow = v.minInclusive.empty() ? bound(v.minExclusive, low) && (++low, true)
                                             : bound(v.minInclusive, low);
  const bool hasHigh = v.maxInclusive.empty() ? bound(v.maxExclusive, high) && (--high, true)
                                              : bound(v.maxInclusive, high);
  if (!hasLow || !hasHigh) return;
  struct Kind { const char* kind; const char* type; const char* collection; long long lo, hi; };
  static const Kind kinds[] = {
      {"ItemType_ui4", "unsigned int", "Cui4Col", 0, 4294967295LL},
      {"ItemType_i4", "int", "Ci4Col", -2147483648LL, 2147483647LL},
      {"ItemType_i8", "long long", "Ci8Col", -9223372036854775807LL, 9223372036854775807LL}};
  for (const Kind& k : kinds)
    if (low >= k.lo && high <= k.hi) {
      v.kind = k.kind;
      v.cppType = k.type;
      v.collection = k.collection;
      return;
    }
}

ValueBinding StringValue(const char* whitespace) {
  ValueBinding v;
  v.kind = "ItemType_string";
  v.cppType = "std::string";
  v.collection = "CstringCol";
  v.whitespace = whitespace;
  return v;
}

// Enumerated values held as text (where a collection holds them), checked
// by a pattern of their alternatives.
ValueBinding EnumerationAsPattern(const EnumBinding& e) {
  ValueBinding v = StringValue(e.collapse ? "Collapse" : "Preserve");
  for (const std::string& text : e.texts)
    v.pattern += (v.pattern.empty() ? "" : "|") + PatternLiteral(text);
  return v;
}

class Binder {
 public:
  Binder(SchemaSet& set, const BindOptions& options, Binding& binding)
      : m_set(set), m_options(options), m_binding(binding) {}
  void Run();

 private:
  NamespaceBinding* Namespace(const std::string& uri);
  std::string TakeName(NamespaceBinding* ns, const std::vector<std::string>& candidates);
  ClassBinding* NewClass(NamespaceBinding* ns, const std::vector<std::string>& candidates);
  ClassBinding* ClassOf(const ComplexType* type, const std::string& context);
  ClassBinding* GroupClass(const ModelGroup* group, ClassBinding* owner);
  ClassBinding* SubstitutionClass(const Element* head);
  ClassBinding* ValueClass(const Element* element);
  void BindClass(ClassBinding* c);
  void BindContent(ClassBinding* c, const ComplexType* t);
  void BindTop(ClassBinding* c, const Particle& p);
  void BindGroupInto(ClassBinding* c, const ModelGroup* g, bool forceOptional);
  void AddParticle(ClassBinding* c, const Particle& p, bool forceOptional);
  void AddElementMember(ClassBinding* c, const Element* el, MemberBinding::Cardinality card,
                        int min, int max);
  void AddGroupMember(ClassBinding* c, ClassBinding* group, const std::string& name,
                      MemberBinding::Cardinality card, int min, int max, bool mustConsume);
  void BindAttributes(ClassBinding* c, const ComplexType* t);
  void CollectAttributes(const Attributes& from, std::vector<const Attribute*>& uses,
                         std::optional<Wildcard>& any, std::vector<const AttributeGroup*>& path);
  ValueBinding BindSimple(const SimpleType* t, const std::string& hint,
                          const std::string& owner);
  EnumBinding* EnumOf(const SimpleType* t, const std::vector<std::string>& texts,
                      const std::string& hint, const std::string& owner, bool collapse);
  std::string MemberName(ClassBinding* c, const std::string& raw, const char* alternative);
  std::vector<const Element*> Substitutes(const Element* head) const;
  const Element* Target(const Element* el) const;
  MemberBinding::Cardinality Card(const ClassBinding* c, int min, int max) const;
  bool HasContent(const ClassBinding* c) const;
  std::string Signature(const ModelGroup* g) const;
  void Finish();

  SchemaSet& m_set;
  const BindOptions& m_options;
  Binding& m_binding;
  std::map<std::string, NamespaceBinding*> m_namespaces;
  std::map<const ComplexType*, ClassBinding*> m_typeClasses;
  std::map<const ModelGroup*, ClassBinding*> m_groupClasses;
  std::map<const Element*, ClassBinding*> m_elementClasses;       // simple global elements
  std::map<const Element*, ClassBinding*> m_substitutionClasses;  // by head element
  std::map<const SimpleType*, EnumBinding*> m_enums;
  std::map<const ComplexType*, std::vector<const Element*>> m_globalUses;
  std::map<const ComplexType*, std::set<std::string>> m_allUses;
  std::set<const ComplexType*> m_substitutable;
  std::set<const ModelGroup*> m_bindingGroups;
  std::map<std::string, ClassBinding*> m_sharedGroups;  // anonymous groups by signature
  std::vector<ClassBinding*> m_pending;
  std::map<const ClassBinding*, std::set<std::string>> m_memberNames;
  std::map<const ClassBinding*, bool> m_restricts;  // content replaced, not extended
};

NamespaceBinding* Binder::Namespace(const std::string& uri) {
  auto found = m_namespaces.find(uri);
  if (found != m_namespaces.end()) return found->second;
  auto ns = std::make_unique<NamespaceBinding>();
  ns->uri = uri;
  auto mapped = m_options.namespaceMap.find(uri);
  if (mapped != m_options.namespaceMap.end()) {
    ns->cppName = mapped->second;
  } else {
    // The last word of the URI that has a letter: ".../PO1" is po1,
    // ".../2000/09/xmldsig#" xmldsig, "urn:...:assertion" assertion.
    std::string word, last;
    for (char c : uri + "/") {
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.') {
        word += c;
        continue;
      }
      if (std::any_of(word.begin(), word.end(), [](char w) { return std::isalpha(w); }) &&
          word != "www" && word != "http" && word != "https" && word != "urn")
        last = word;
      word.clear();
    }
    if (last.find('.') != std::string::npos && last.find('.') > 0) last = last.substr(0, last.find('.'));
    ns->cppName = Lower(Identifier(last.empty() ? "schema" : last));
    std::string unique = ns->cppName;
    for (int n = 2;; ++n) {
      bool used = false;
      for (const auto& other : m_binding.namespaces) used = used || other->cppName == unique;
      if (!used) break;
      unique = ns->cppName + std::to_string(n);
    }
    ns->cppName = unique;
  }
  for (const auto& other : m_binding.namespaces)
    if (other->cppName == ns->cppName)
      Fail({"--namespace-map", 0}, "the namespaces [" + other->uri + "] and [" + uri +
                                       "] both map to the C++ namespace [" + ns->cppName + "]");
  ns->fileStem = ns->cppName;
  for (std::string::size_type at; (at = ns->fileStem.find("::")) != std::string::npos;)
    ns->fileStem.replace(at, 2, "_");
  for (const auto& schema : m_set.schemas)
    if (schema->targetNamespace == uri) ns->sources.push_back(schema->file);
  std::sort(ns->sources.begin(), ns->sources.end());
  ns->sources.erase(std::unique(ns->sources.begin(), ns->sources.end()), ns->sources.end());
  // The prefix documents give it: the first one its schemas declare for it.
  std::set<std::string> prefixes;
  for (const auto& schema : m_set.schemas)
    for (const auto& p : schema->prefixes)
      if (p.second == uri && !p.first.empty()) prefixes.insert(p.first);
  // A schema's own name for its namespace ("tns", "ns2") is no name for
  // documents: such a prefix gives way to one made from the URI.
  auto generic = [](const std::string& p) {
    const std::string::size_type stem = p.compare(0, 3, "tns") == 0 ? 3
                                        : p.compare(0, 2, "ns") == 0 ? 2
                                                                     : 0;
    return stem && p.find_first_not_of("0123456789", stem) == std::string::npos;
  };
  for (auto p = prefixes.begin(); p != prefixes.end();) p = generic(*p) ? prefixes.erase(p) : std::next(p);
  ns->prefix = prefixes.empty() ? "" : *prefixes.begin();
  if (ns->prefix.empty() || ns->prefix == "xml" || ns->prefix.compare(0, 3, "xml") == 0) {
    std::string derived;
    for (char c : ns->fileStem)
      if (std::isalnum(static_cast<unsigned char>(c))) derived += c;
    ns->prefix = derived.empty() || std::isdigit(static_cast<unsigned char>(derived[0]))
                     ? "ns" + derived
                     : derived;
    if (ns->prefix.compare(0, 3, "xml") == 0) ns->prefix = "x" + ns->prefix;
  }
  for (const std::string& reserved : kReservedTypes) ns->takenNames.insert(reserved);
  NamespaceBinding* raw = ns.get();
  m_binding.namespaces.push_back(std::move(ns));
  m_namespaces[uri] = raw;
  return raw;
}

std::string Binder::TakeName(NamespaceBinding* ns, const std::vector<std::string>& candidates) {
  for (const std::string& candidate : candidates)
    if (ns->takenNames.insert(Lower(candidate)).second) return candidate;
  for (int n = 2;; ++n) {
    const std::string numbered = candidates.front() + "_" + std::to_string(n);
    if (ns->takenNames.insert(Lower(numbered)).second) return numbered;
  }
}

ClassBinding* Binder::NewClass(NamespaceBinding* ns, const std::vector<std::string>& candidates) {
  auto c = std::make_unique<ClassBinding>();
  c->ns = ns;
  c->cppName = TakeName(ns, candidates);
  c->typeName = c->cppName;
  c->typeNs = ns->uri;
  ClassBinding* raw = c.get();
  ns->classes.push_back(raw);
  m_binding.classes.push_back(std::move(c));
  std::set<std::string>& names = m_memberNames[raw];
  names = kReservedMembers;
  names.insert(raw->cppName);
  return raw;
}

ClassBinding* Binder::ClassOf(const ComplexType* t, const std::string& context) {
  if (t->anyType || MixedContent(t)) return nullptr;
  auto found = m_typeClasses.find(t);
  if (found != m_typeClasses.end()) return found->second;
  ClassBinding* c;
  if (!t->name.empty()) {
    const std::string name = Identifier(t->name.local);
    c = NewClass(Namespace(t->name.ns), {name, name + "Type"});
    c->origin = "The complex type " + t->name.local + ".";
    c->typeName = t->name.local;
    c->typeNs = t->name.ns;
    // The name of its element when every element of the type has the same.
    const auto& uses = m_globalUses[t];
    const auto& names = m_allUses[t];
    c->defaultElementName = uses.size() == 1    ? uses[0]->name.local
                            : names.size() == 1 ? *names.begin()
                                                : t->name.local;
  } else {
    const std::string element = Identifier(t->owner->name.local);
    std::vector<std::string> names{Capitalized(element)};
    if (!context.empty()) names.push_back(context + "_" + element);
    names.push_back(Capitalized(element) + "Element");
    c = NewClass(Namespace(t->schema->targetNamespace), names);
    c->origin = "The type of <" + t->owner->name.local + ">.";
    c->defaultElementName = t->owner->name.local;
  }
  c->type = t;
  c->abstract = t->abstract;
  c->documentation = t->documentation;
  if (c->documentation.empty() && t->owner) c->documentation = t->owner->documentation;
  m_typeClasses[t] = c;
  m_pending.push_back(c);
  return c;
}

ClassBinding* Binder::GroupClass(const ModelGroup* g, ClassBinding* owner) {
  if (g->named) {
    auto found = m_groupClasses.find(g);
    if (found != m_groupClasses.end()) return found->second;
  }
  if (!m_bindingGroups.insert(g).second)
    Fail(g->where, "the model group refers to itself");
  ClassBinding* c;
  if (g->named) {
    const std::string name = Identifier(g->named->name.local);
    c = NewClass(Namespace(g->named->name.ns), {name, name + "Group"});
    c->documentation = g->named->documentation;
    c->origin = "The group " + g->named->name.local + ", without an element of its own.";
    m_groupClasses[g] = c;
  } else {
    // Schemas converted from other languages repeat the same anonymous group
    // in many types: one class serves them all.
    const std::string key = owner->ns->uri + "\n" + Signature(g);
    auto shared = m_sharedGroups.find(key);
    if (shared != m_sharedGroups.end()) {
      m_bindingGroups.erase(g);
      return shared->second;
    }
    c = NewClass(owner->ns, {owner->cppName + "_" + CompositorName(g->compositor)});
    c->origin = std::string("A nested xs:") + Lower(CompositorName(g->compositor)) +
                " (first in " + owner->cppName + "), without an element of its own.";
    m_sharedGroups[key] = c;
  }
  c->pseudo = true;
  c->bound = true;
  BindGroupInto(c, g, false);
  m_bindingGroups.erase(g);
  return c;
}

std::vector<const Element*> Binder::Substitutes(const Element* head) const {
  std::vector<const Element*> out;
  if (head->block.find("substitution") != std::string::npos ||
      head->block.find("#all") != std::string::npos)
    return out;
  std::vector<const Element*> todo(head->substitutes.begin(), head->substitutes.end());
  std::set<const Element*> seen;
  while (!todo.empty()) {
    const Element* e = todo.back();
    todo.pop_back();
    if (!seen.insert(e).second) continue;
    if (!e->abstract) out.push_back(e);
    todo.insert(todo.end(), e->substitutes.begin(), e->substitutes.end());
  }
  std::sort(out.begin(), out.end(),
            [](const Element* a, const Element* b) { return a->name < b->name; });
  return out;
}

ClassBinding* Binder::SubstitutionClass(const Element* head) {
  auto found = m_substitutionClasses.find(head);
  if (found != m_substitutionClasses.end()) return found->second;
  const std::string name = Capitalized(Identifier(head->name.local));
  ClassBinding* c = NewClass(Namespace(head->name.ns), {name + "Choice", name + "Substitutes"});
  m_substitutionClasses[head] = c;
  c->pseudo = true;
  c->bound = true;
  c->group = "Choice";
  c->documentation = "The elements that may stand for <" + head->name.local + ">.";
  if (!head->abstract) AddElementMember(c, head, MemberBinding::Opt, 0, 1);
  for (const Element* e : Substitutes(head)) AddElementMember(c, e, MemberBinding::Opt, 0, 1);
  return c;
}

ClassBinding* Binder::ValueClass(const Element* el) {
  auto found = m_elementClasses.find(el);
  if (found != m_elementClasses.end()) return found->second;
  const std::string name = Capitalized(Identifier(el->name.local));
  ClassBinding* c = NewClass(Namespace(el->name.ns), {name, name + "Element"});
  c->origin = "The element <" + el->name.local + ">, its simple value in `value`.";
  m_elementClasses[el] = c;
  c->bound = true;
  c->defaultElementName = el->name.local;
  c->documentation = el->documentation;
  c->nillable = el->nillable;
  MemberBinding m;
  m.content = MemberBinding::Prim;
  m.cppName = MemberName(c, "value", "value");
  m.xmlName = el->name.local;
  m.id = c->nextId++;
  m.value = BindSimple(el->simple, el->name.local, c->cppName);
  c->value = m;
  return c;
}

const Element* Binder::Target(const Element* el) const {
  return el->ref.empty() ? el : m_set.elements.at(el->ref);
}

MemberBinding::Cardinality Binder::Card(const ClassBinding* c, int min, int max) const {
  if (max != 1) return MemberBinding::Col;
  return min == 0 || c->group == "Choice" ? MemberBinding::Opt : MemberBinding::Mnd;
}

std::string Binder::MemberName(ClassBinding* c, const std::string& raw, const char* alternative) {
  std::set<std::string>& taken = m_memberNames[c];
  const std::string name = Identifier(raw);
  if (taken.insert(name).second) return name;
  const std::string other = name + alternative;
  if (taken.insert(other).second) return other;
  for (int n = 2;; ++n) {
    const std::string numbered = name + "_" + std::to_string(n);
    if (taken.insert(numbered).second) return numbered;
  }
}

void Binder::AddGroupMember(ClassBinding* c, ClassBinding* group, const std::string& name,
                            MemberBinding::Cardinality card, int min, int max,
                            bool mustConsume) {
  MemberBinding m;
  m.content = MemberBinding::Cls;
  m.card = card;
  m.cls = group;
  m.pseudo = true;
  m.mustConsume = mustConsume;
  m.cppName = MemberName(c, name, "Group");
  m.xmlName = m.cppName;
  m.min = min;
  m.max = max;
  m.id = c->nextId++;
  m.documentation = group->documentation;
  c->elements.push_back(m);
}

void Binder::AddElementMember(ClassBinding* c, const Element* el, MemberBinding::Cardinality card,
                              int min, int max) {
  MemberBinding m;
  m.card = card;
  m.min = min;
  m.max = max;
  m.xmlName = el->name.local;
  m.xmlNs = el->name.ns;
  m.nillable = el->nillable;
  m.documentation = el->documentation;
  m.cppName = MemberName(c, el->name.local, "Element");
  if (el->nillable) m_memberNames[c].insert(m.cppName + "_nil");
  if (el->complex && (el->complex->anyType || MixedContent(el->complex))) {
    m.content = MemberBinding::Untpd;
    m.wildcard = "##any";
    m.wildcardTarget = c->ns->uri;
  } else if (el->complex) {
    m.cls = ClassOf(el->complex, c->cppName);
    m.content = m_substitutable.count(el->complex) && c->group != "All" ? MemberBinding::AbsCls
                                                                        : MemberBinding::Cls;
    if (el->nillable) m.cls->nillable = true;
  } else if (el->simple->variety == SimpleType::List && el->simple->item &&
             card != MemberBinding::Col) {
    // A list is a typed collection of its items, written as one element.
    m.value = BindSimple(el->simple->item, el->name.local, c->cppName);
    if (m.value.enumeration) m.value = EnumerationAsPattern(*m.value.enumeration);
    m.content = MemberBinding::Prim;
    m.card = MemberBinding::Col;
    m.listForm = true;
    m.min = 0;
    m.max = -1;
    std::vector<const SimpleType*> chain;
    for (const SimpleType* s = el->simple; s && s->builtin.empty(); s = s->base) chain.push_back(s);
    for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
      const Facets& f = (*step)->facets;
      if (f.length >= 0) m.min = m.max = f.length;
      if (f.minLength >= 0) m.min = f.minLength;
      if (f.maxLength >= 0) m.max = f.maxLength;
    }
  } else {
    m.value = BindSimple(el->simple, el->name.local, c->cppName);
    m.content = m.value.enumeration ? MemberBinding::Enum : MemberBinding::Prim;
    if (m.value.enumeration && card == MemberBinding::Col) {
      // Repeated enumerated values are kept as text, checked by a pattern.
      m.value = EnumerationAsPattern(*m.value.enumeration);
      m.content = MemberBinding::Prim;
    }
    if (el->fixedValue) m.defaultValue = el->fixedValue;
    else if (el->defaultValue) m.defaultValue = el->defaultValue;
  }
  m.id = c->nextId++;
  c->elements.push_back(m);
}

void Binder::AddParticle(ClassBinding* c, const Particle& p, bool forceOptional) {
  if (p.max == 0) return;
  const int min = forceOptional ? 0 : p.min;
  if (c->group == "All" && p.max != 1)
    Fail(p.where, "a member of xs:all may not repeat");
  const MemberBinding::Cardinality card = Card(c, min, p.max);
  switch (p.kind) {
    case Particle::ElementRef: {
      const Element* el = Target(p.element);
      if (!Substitutes(el).empty()) {
        ClassBinding* group = SubstitutionClass(el);
        AddGroupMember(c, group, el->name.local, card, min, p.max,
                       card == MemberBinding::Mnd);
      } else {
        AddElementMember(c, el, card, min, p.max);
      }
      return;
    }
    case Particle::Any: {
      MemberBinding m;
      m.content = MemberBinding::Untpd;
      m.card = card;
      m.min = min;
      m.max = p.max;
      m.xmlName = "AnyElement";
      m.wildcard = p.any.namespaces;
      m.wildcardTarget = c->ns->uri;
      m.cppName = MemberName(c, "any", "Element");
      m.id = c->nextId++;
      c->elements.push_back(m);
      return;
    }
    case Particle::Group: {
      const ModelGroup* g = p.group;
      const bool same = CompositorName(g->compositor) == c->group && c->group != "All";
      if (same && p.min == 1 && p.max == 1 && !forceOptional) {
        for (const Particle& q : g->particles) AddParticle(c, q, false);
        return;
      }
      ClassBinding* group = GroupClass(g, c);
      const std::string name =
          g->named ? g->named->name.local : Lower(CompositorName(g->compositor));
      AddGroupMember(c, group, name, card, min, p.max,
                     card == MemberBinding::Mnd && !Emptiable(g));
      return;
    }
  }
}

void Binder::BindGroupInto(ClassBinding* c, const ModelGroup* g, bool forceOptional) {
  c->group = CompositorName(g->compositor);
  for (const Particle& p : g->particles) AddParticle(c, p, forceOptional);
}

void Binder::BindTop(ClassBinding* c, const Particle& p) {
  const ModelGroup* g = p.group;
  if (p.min == 1 && p.max == 1) return BindGroupInto(c, g, false);
  if (p.max == 1 && g->compositor != ModelGroup::Sequence) return BindGroupInto(c, g, true);
  c->group = "Sequence";
  AddParticle(c, p, false);
}

// What decides the class a model group becomes: equal texts, equal classes.
std::string Binder::Signature(const ModelGroup* g) const {
  auto address = [](const void* p) { return std::to_string(reinterpret_cast<std::uintptr_t>(p)); };
  std::string out = CompositorName(g->compositor);
  out += "(";
  for (const Particle& p : g->particles) {
    out += std::to_string(p.min) + "," + std::to_string(p.max) + ":";
    if (p.kind == Particle::Any) {
      out += "any " + p.any.namespaces;
    } else if (p.kind == Particle::Group) {
      out += p.group->named ? "group " + address(p.group) : Signature(p.group);
    } else {
      const Element* el = Target(p.element);
      out += el->global ? "ref " + address(el)
                        : "el " + el->name.Text() + " " + address(el->complex) + " " +
                              address(el->simple) + (el->nillable ? " nil" : "") + " " +
                              el->defaultValue.value_or("") + "|" + el->fixedValue.value_or("") +
                              "|" + el->documentation;
    }
    out += ";";
  }
  return out + ")";
}

bool Binder::HasContent(const ClassBinding* c) const {
  for (; c; c = m_restricts.count(c) ? nullptr : c->base)
    if (!c->elements.empty()) return true;
  return false;
}

void Binder::BindContent(ClassBinding* c, const ComplexType* t) {
  const bool ownContent = t->content && t->content->group && !t->content->group->particles.empty();
  const bool restriction = t->derivation == ComplexType::Restriction && c->base;
  if (restriction) {
    m_restricts[c] = true;
    c->restrictsContent = true;
  }
  const bool baseContent = c->base && !restriction && HasContent(c->base);
  const bool baseText = c->base && !restriction && c->base->rawText;

  if (t->mixed && !ownContent && !baseContent) {
    // Text only: the element's text is its value.
    c->group = "Sequence";
    if (baseText) return;
    MemberBinding text;
    text.content = MemberBinding::Prim;
    text.value = StringValue("Preserve");
    text.cppName = MemberName(c, "text", "_");
    text.id = c->nextId++;
    c->value = text;
    c->rawText = true;
    return;
  }
  if (!ownContent) {
    c->group = c->base && !restriction ? c->base->group : "Sequence";
    return;
  }
  if (!baseContent) return BindTop(c, *t->content);
  if (c->base->group != "Sequence")
    Fail(t->where, "extending a type whose content is xs:" + Lower(c->base->group) +
                       " with more elements is not supported");
  c->group = "Sequence";
  const Particle& p = *t->content;
  if (p.min == 1 && p.max == 1 && p.group->compositor == ModelGroup::Sequence)
    for (const Particle& q : p.group->particles) AddParticle(c, q, false);
  else
    AddParticle(c, p, false);
}

void Binder::CollectAttributes(const Attributes& from, std::vector<const Attribute*>& uses,
                               std::optional<Wildcard>& any,
                               std::vector<const AttributeGroup*>& path) {
  uses.insert(uses.end(), from.uses.begin(), from.uses.end());
  for (const auto& ref : from.groupRefs) {
    const AttributeGroup* g = m_set.attributeGroups.at(ref.first);
    if (std::find(path.begin(), path.end(), g) != path.end())
      Fail(ref.second, "the attribute group [" + ref.first.Text() + "] refers to itself");
    path.push_back(g);
    CollectAttributes(g->attributes, uses, any, path);
    path.pop_back();
  }
  if (from.any && !any) any = from.any;
}

void Binder::BindAttributes(ClassBinding* c, const ComplexType* t) {
  std::vector<const Attribute*> uses;
  std::optional<Wildcard> any;
  std::vector<const AttributeGroup*> path;
  CollectAttributes(t->attributes, uses, any, path);
  // What the base declares is the base's: its infos come first.
  std::set<QName> known;
  bool baseAny = false;
  for (const ClassBinding* b = c->base; b; b = b->base)
    for (const MemberBinding& a : b->attributes) {
      known.insert({a.xmlNs, a.xmlName});
      baseAny = baseAny || a.content == MemberBinding::AnyAttribute;
    }
  for (const Attribute* a : uses) {
    if (a->use == "prohibited" || !known.insert(a->name).second) continue;
    MemberBinding m;
    m.content = MemberBinding::Attribute;
    m.card = a->use == "required" ? MemberBinding::Mnd : MemberBinding::Opt;
    m.xmlName = a->name.local;
    m.xmlNs = a->name.ns;
    m.documentation = a->documentation;
    m.value = BindSimple(a->type, a->name.local, c->cppName);
    if (a->fixedValue) m.defaultValue = a->fixedValue;
    else if (a->defaultValue) m.defaultValue = a->defaultValue;
    m.cppName = MemberName(c, a->name.local, "Attribute");
    m.id = c->nextId++;
    c->attributes.push_back(m);
  }
  if (any && !baseAny) {
    MemberBinding m;
    m.content = MemberBinding::AnyAttribute;
    m.card = MemberBinding::Col;
    m.xmlName = "AnyAttribute";
    m.wildcard = any->namespaces;
    m.wildcardTarget = t->schema ? t->schema->targetNamespace : c->ns->uri;
    m.cppName = MemberName(c, "anyAttribute", "_");
    m.id = c->nextId++;
    c->attributes.push_back(m);
  }
}

void Binder::BindClass(ClassBinding* c) {
  if (c->bound) return;
  c->bound = true;
  const ComplexType* t = c->type;
  if (t->base) c->base = ClassOf(t->base, "");  // none for xs:anyType and mixed content
  if (c->base) {
    BindClass(c->base);
    c->nextId = c->base->nextId;
  }
  if (t->simpleContent) {
    const SimpleType* valueType = ValueTypeOf(t);
    if (!valueType) Fail(t->where, "the simple content has no value type");
    MemberBinding m;
    m.content = MemberBinding::Prim;
    m.value = BindSimple(valueType, c->cppName, c->cppName);
    const ClassBinding* b = c->base;
    while (b && !b->value) b = b->base;
    if (b) {
      m.cppName = b->value->cppName;  // the base's member, checked with this type's facets
      m.id = b->value->id;
    } else {
      m.cppName = MemberName(c, "value", "_");
      m.id = c->nextId++;
    }
    m.xmlName = c->defaultElementName;
    c->value = m;
  } else {
    BindContent(c, t);
  }
  BindAttributes(c, t);
}

ValueBinding Binder::BindSimple(const SimpleType* t, const std::string& hint,
                                const std::string& owner) {
  std::vector<const SimpleType*> chain;
  const SimpleType* s = t;
  while (s && s->builtin.empty() && s->variety == SimpleType::Atomic) {
    chain.push_back(s);
    s = s->base;
  }
  if (!s) Fail(t->where, "the simple type has no base type");
  ValueBinding v;
  if (s->variety == SimpleType::Union) {
    // A union of enumerations is an enumeration of all their values.
    std::vector<std::string> texts;
    bool enumerations = !s->members.empty();
    for (const SimpleType* member : s->members) {
      const ValueBinding mv = BindSimple(member, hint, owner);
      if (!mv.enumeration) {
        enumerations = false;
        break;
      }
      for (const std::string& text : mv.enumeration->texts)
        if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(text);
    }
    v = StringValue("Collapse");
    if (enumerations) v.enumeration = EnumOf(s, texts, hint, owner, true);
  } else if (s->variety == SimpleType::List) {
    v = StringValue("Collapse");  // the items, as text
  } else {
    const BuiltinBinding* builtin = nullptr;
    for (const BuiltinBinding& b : kBuiltinBindings)
      if (s->builtin == b.name) builtin = &b;
    if (!builtin) Fail(t->where, "the built-in type [" + s->builtin + "] is not supported");
    v.kind = std::string("ItemType_") + builtin->kind;
    v.cppType = builtin->cppType;
    v.collection = builtin->collection;
    v.whitespace = builtin->whitespace;
    v.minInclusive = builtin->minInclusive;
    v.maxInclusive = builtin->maxInclusive;
    v.pattern = builtin->pattern;
  }
  const SimpleType* enumStep = nullptr;
  for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
    const Facets& f = (*step)->facets;
    if (!f.patterns.empty()) {
      v.pattern.clear();
      for (const std::string& p : f.patterns)
        v.pattern += (v.pattern.empty() ? "" : "|") +
                     (f.patterns.size() > 1 ? "(" + p + ")" : p);
    }
    if (!f.enumeration.empty()) enumStep = *step;
    if (f.minInclusive) v.minInclusive = *f.minInclusive, v.minExclusive.clear();
    if (f.maxInclusive) v.maxInclusive = *f.maxInclusive, v.maxExclusive.clear();
    if (f.minExclusive) v.minExclusive = *f.minExclusive, v.minInclusive.clear();
    if (f.maxExclusive) v.maxExclusive = *f.maxExclusive, v.maxInclusive.clear();
    if (f.length >= 0) v.length = f.length;
    if (f.minLength >= 0) v.minLength = f.minLength;
    if (f.maxLength >= 0) v.maxLength = f.maxLength;
    if (!f.whiteSpace.empty())
      v.whitespace = f.whiteSpace == "preserve" ? "Preserve"
                     : f.whiteSpace == "replace" ? "Replace"
                                                 : "Collapse";
  }
  if (v.kind == "ItemType_integer") NarrowInteger(v);
  if (s->variety != SimpleType::Atomic) {
    // The library checks a string's facets only; list lengths count items.
    v.minLength = v.maxLength = v.length = -1;
    v.minInclusive = v.maxInclusive = v.minExclusive = v.maxExclusive = "";
  }
  if (enumStep)
    v.enumeration = EnumOf(enumStep, enumStep->facets.enumeration, hint, owner,
                           v.whitespace != "Preserve");
  return v;
}

EnumBinding* Binder::EnumOf(const SimpleType* t, const std::vector<std::string>& texts,
                            const std::string& hint, const std::string& owner, bool collapse) {
  auto found = m_enums.find(t);
  if (found != m_enums.end()) return found->second;
  auto e = std::make_unique<EnumBinding>();
  NamespaceBinding* ns = Namespace(t->name.empty() ? t->schema->targetNamespace : t->name.ns);
  e->ns = ns;
  if (!t->name.empty()) {
    const std::string name = Identifier(t->name.local);
    e->cppName = TakeName(ns, {name, name + "Enum"});
  } else {
    const std::string name = Capitalized(Identifier(hint));
    e->cppName = TakeName(ns, {name, owner + "_" + Identifier(hint), name + "Enum"});
  }
  e->documentation = t->documentation;
  e->collapse = collapse;
  std::set<std::string> used;
  for (const std::string& raw : texts) {
    std::string text = collapse ? raw : raw;
    if (std::find(e->texts.begin(), e->texts.end(), text) != e->texts.end()) continue;
    std::string name = text.empty() ? "empty_" : Identifier(text);
    while (!used.insert(Lower(name)).second) name += "_";
    e->texts.push_back(text);
    e->enumerators.push_back(name);
  }
  EnumBinding* raw = e.get();
  ns->enums.push_back(raw);
  m_binding.enums.push_back(std::move(e));
  m_enums[t] = raw;
  return raw;
}

void Binder::Finish() {
  // Every class learns which classes may stand in for it (xsi:type).
  for (const auto& c : m_binding.classes)
    for (ClassBinding* b = c->base; b; b = b->base) b->derived.push_back(c.get());
  for (const auto& c : m_binding.classes) {
    std::sort(c->derived.begin(), c->derived.end(), [](const ClassBinding* a, const ClassBinding* b) {
      return a->ns->cppName != b->ns->cppName ? a->ns->cppName < b->ns->cppName
                                              : a->cppName < b->cppName;
    });
    // Generated classes write xsi:type themselves, when an object is of
    // another class than the member that holds it declares.
    c->writeXsiType = false;
  }
  // Init makes every mandatory child object, unless that would make the
  // owner again (a type that holds itself).
  std::function<bool(const ClassBinding*, const ClassBinding*, std::set<const ClassBinding*>&)>
      reaches = [&](const ClassBinding* from, const ClassBinding* target,
                    std::set<const ClassBinding*>& seen) {
        if (from == target) return true;
        if (!seen.insert(from).second) return false;
        for (const ClassBinding* c = from; c; c = c->base)
          for (const MemberBinding& m : c->elements)
            if (m.card == MemberBinding::Mnd && m.content == MemberBinding::Cls &&
                reaches(m.cls, target, seen))
              return true;
        return false;
      };
  for (const auto& c : m_binding.classes)
    for (MemberBinding& m : c->elements)
      if (m.card == MemberBinding::Mnd && m.content == MemberBinding::Cls) {
        std::set<const ClassBinding*> seen;
        m.create = !reaches(m.cls, c.get(), seen);
      }
}

void Binder::Run() {
  // Which named types have others derived from them, and which global
  // elements use each type.
  for (const auto& entry : m_set.complexTypes)
    for (const ComplexType* b = entry.second->base; b && !b->anyType; b = b->base)
      m_substitutable.insert(b);
  for (const auto& entry : m_set.complexTypes)
    if (entry.second->abstract) m_substitutable.insert(entry.second);
  for (const auto& entry : m_set.elements)
    if (entry.second->complex) m_globalUses[entry.second->complex].push_back(entry.second);
  for (const Element* el : m_set.allElements)
    if (el->complex) m_allUses[el->complex].insert(el->name.local);

  std::set<std::string> uris;
  for (const auto& schema : m_set.schemas) uris.insert(schema->targetNamespace);
  for (const std::string& uri : uris) Namespace(uri);
  for (const std::string& uri : uris) {
    std::set<std::string> related{uri};
    std::vector<std::string> todo{uri};
    while (!todo.empty()) {
      const std::string next = todo.back();
      todo.pop_back();
      for (const auto& schema : m_set.schemas)
        if (schema->targetNamespace == next)
          for (const std::string& imported : schema->imports)
            if (related.insert(imported).second) todo.push_back(imported);
    }
    related.erase(uri);
    m_namespaces[uri]->related.assign(related.begin(), related.end());
  }

  // Named components take their names first, so that a schema's own names
  // are kept and anonymous types give way.
  for (const auto& entry : m_set.complexTypes) ClassOf(entry.second, "");
  for (const auto& entry : m_set.simpleTypes) {
    const SimpleType* t = entry.second;
    if (!t->facets.enumeration.empty()) EnumOf(t, t->facets.enumeration, "", "", true);
  }
  for (const auto& entry : m_set.elements) {
    const Element* el = entry.second;
    if (el->abstract) continue;
    ClassBinding* c = nullptr;
    if (el->complex && !el->complex->anyType)
      c = ClassOf(el->complex, "");
    else if (el->simple)
      c = ValueClass(el);
    if (c) Namespace(el->name.ns)->roots.push_back({el->name.local, el->name.ns, c});
  }
  while (!m_pending.empty()) {
    ClassBinding* c = m_pending.front();
    m_pending.erase(m_pending.begin());
    BindClass(c);
  }
  Finish();
}

}  // namespace

std::string Identifier(const std::string& name) {
  std::string out;
  for (char c : name)
    out += std::isalnum(static_cast<unsigned char>(c)) || c == '_' ? c : '_';
  if (out.empty() || std::isdigit(static_cast<unsigned char>(out[0]))) out = "_" + out;
  if (kKeywords.count(out)) out += "_";
  // Identifiers with a double underscore are the implementation's.
  for (std::string::size_type at; (at = out.find("__")) != std::string::npos;)
    out.replace(at, 2, "_");
  if (out == "_") out = "_x";
  return out;
}

std::string Capitalized(const std::string& name) {
  std::string out = name;
  if (!out.empty() && out[0] == '_' && out.size() > 1 &&
      std::isalpha(static_cast<unsigned char>(out[1])))
    return out;
  if (!out.empty()) out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
  return out;
}

void Bind(SchemaSet& set, const BindOptions& options, Binding& binding) {
  Binder(set, options, binding).Run();
}

}  // namespace vxgen
