// Links the components read from the documents: names to components, the
// built-in types, substitution groups, and the checks that no type derives
// from itself.
#include <set>

#include "Schema.h"

namespace vxgen {

namespace {

// The built-in simple types of XML Schema 1.0 (and the few of 1.1 that
// schemas written for both use).
const char* const kBuiltins[] = {
    "anySimpleType", "string", "normalizedString", "token", "language", "Name", "NCName",
    "ID", "IDREF", "IDREFS", "ENTITY", "ENTITIES", "NMTOKEN", "NMTOKENS", "QName", "NOTATION",
    "anyURI", "boolean", "decimal", "integer", "nonPositiveInteger", "negativeInteger",
    "nonNegativeInteger", "positiveInteger", "long", "int", "short", "byte", "unsignedLong",
    "unsignedInt", "unsignedShort", "unsignedByte", "float", "double", "duration", "dateTime",
    "date", "time", "gYearMonth", "gMonthDay", "gYear", "gMonth", "gDay", "hexBinary",
    "base64Binary", "dateTimeStamp", "dayTimeDuration", "yearMonthDuration", "anyAtomicType"};

class Resolver {
 public:
  explicit Resolver(SchemaSet& set) : m_set(set) {}
  void Run();

 private:
  SimpleType* FindSimple(const QName& name, const Location& where);
  void ResolveSimple(SimpleType* type);
  void ResolveComplex(ComplexType* type);
  void ResolveElement(Element* element);
  void ResolveAttribute(Attribute* attribute);
  void ResolveAttributes(Attributes& attributes);
  void ResolveModelGroup(ModelGroup* group);
  void ElementType(Element* element);
  void AddXmlAttributes();

  SchemaSet& m_set;
  std::set<ModelGroup*> m_groupsDone;
};

SimpleType* Resolver::FindSimple(const QName& name, const Location& where) {
  if (name.ns == kXsd)
    if (SimpleType* builtin = BuiltinType(m_set, name.local)) return builtin;
  auto found = m_set.simpleTypes.find(name);
  if (found == m_set.simpleTypes.end()) Fail(where, "unknown simple type [" + name.Text() + "]");
  return found->second;
}

void Resolver::ResolveSimple(SimpleType* type) {
  if (type->resolving == 2 || !type->builtin.empty()) return;
  if (type->resolving == 1)
    Fail(type->where, "the type [" + type->name.Text() + "] derives from itself");
  type->resolving = 1;
  if (!type->baseName.empty()) type->base = FindSimple(type->baseName, type->where);
  if (type->base) ResolveSimple(type->base);
  if (!type->itemName.empty()) type->item = FindSimple(type->itemName, type->where);
  if (type->item) ResolveSimple(type->item);
  std::vector<SimpleType*> named;
  for (const QName& name : type->memberNames) named.push_back(FindSimple(name, type->where));
  type->members.insert(type->members.begin(), named.begin(), named.end());
  type->memberNames.clear();
  for (SimpleType* member : type->members) ResolveSimple(member);
  if (type->variety == SimpleType::Atomic && !type->base)
    Fail(type->where, "the simple type has no base type");
  // A restriction of a list or union type is a list or union itself.
  if (type->base && type->variety == SimpleType::Atomic && type->base->variety != SimpleType::Atomic) {
    type->variety = type->base->variety;
    type->item = type->base->item;
    type->members = type->base->members;
  }
  type->resolving = 2;
}

void Resolver::ResolveAttribute(Attribute* a) {
  if (!a->ref.empty()) {
    auto found = m_set.attributes.find(a->ref);
    if (found == m_set.attributes.end())
      Fail(a->where, "unknown attribute [" + a->ref.Text() + "]");
    Attribute* global = found->second;
    ResolveAttribute(global);
    a->name = global->name;
    a->type = global->type;
    a->documentation = a->documentation.empty() ? global->documentation : a->documentation;
    if (!a->defaultValue) a->defaultValue = global->defaultValue;
    if (!a->fixedValue) a->fixedValue = global->fixedValue;
    return;
  }
  if (!a->type)
    a->type = a->typeName.empty() ? BuiltinType(m_set, "anySimpleType")
                                  : FindSimple(a->typeName, a->where);
  ResolveSimple(a->type);
}

void Resolver::ResolveAttributes(Attributes& attributes) {
  for (Attribute* a : attributes.uses) ResolveAttribute(a);
  for (const auto& ref : attributes.groupRefs)
    if (!m_set.attributeGroups.count(ref.first))
      Fail(ref.second, "unknown attribute group [" + ref.first.Text() + "]");
}

void Resolver::ResolveModelGroup(ModelGroup* group) {
  if (!m_groupsDone.insert(group).second) return;
  for (Particle& p : group->particles) {
    if (p.kind == Particle::ElementRef) {
      ResolveElement(p.element);
    } else if (p.kind == Particle::Group) {
      if (!p.group) {
        auto found = m_set.groups.find(p.groupRef);
        if (found == m_set.groups.end())
          Fail(p.where, "unknown group [" + p.groupRef.Text() + "]");
        p.group = found->second->group;
      }
      ResolveModelGroup(p.group);
    }
  }
}

void Resolver::ResolveComplex(ComplexType* type) {
  if (type->resolving == 2 || type->anyType) return;
  if (type->resolving == 1)
    Fail(type->where, "the type [" + type->name.Text() + "] derives from itself");
  type->resolving = 1;
  if (!type->baseName.empty()) {
    auto found = m_set.complexTypes.find(type->baseName);
    if (type->baseName == QName{kXsd, "anyType"}) {
      type->base = m_set.anyType;
    } else if (found != m_set.complexTypes.end()) {
      type->base = found->second;
      ResolveComplex(type->base);
    } else if (type->simpleContent) {
      type->simpleBase = FindSimple(type->baseName, type->where);
      ResolveSimple(type->simpleBase);
    } else {
      Fail(type->where, "unknown complex type [" + type->baseName.Text() + "]");
    }
  }
  if (type->contentType) {
    if (!type->contentType->base && type->base)
      type->contentType->base = const_cast<SimpleType*>(ValueTypeOf(type->base));
    if (!type->contentType->base) type->contentType->base = BuiltinType(m_set, "string");
    ResolveSimple(type->contentType);
  }
  if (type->content && type->content->kind == Particle::Group) {
    ModelGroup holder;
    holder.particles.push_back(*type->content);
    ResolveModelGroup(&holder);
    *type->content = holder.particles[0];
    m_groupsDone.erase(&holder);
  }
  ResolveAttributes(type->attributes);
  type->resolving = 2;
}

void Resolver::ElementType(Element* el) {
  if (el->complex || el->simple) return;
  if (el->typeName == QName{kXsd, "anyType"}) {
    el->complex = m_set.anyType;
  } else if (!el->typeName.empty()) {
    auto complex = m_set.complexTypes.find(el->typeName);
    if (complex != m_set.complexTypes.end())
      el->complex = complex->second;
    else
      el->simple = FindSimple(el->typeName, el->where);
  } else if (el->head) {
    ElementType(el->head);  // the head's type is the member's default
    el->complex = el->head->complex;
    el->simple = el->head->simple;
  } else {
    el->complex = m_set.anyType;
  }
}

void Resolver::ResolveElement(Element* el) {
  if (!el->ref.empty()) {
    if (!m_set.elements.count(el->ref)) Fail(el->where, "unknown element [" + el->ref.Text() + "]");
    return;
  }
  // Only the link: a type's content may hold elements of the type itself, so
  // types are resolved on their own (every one of them is, by Run).
  ElementType(el);
  if (el->simple) ResolveSimple(el->simple);
}

void Resolver::AddXmlAttributes() {
  // The attributes of the xml: namespace, as its own schema declares them.
  AttributeGroup* special = nullptr;
  if (!m_set.attributeGroups.count({kXml, "specialAttrs"})) {
    special = m_set.New<AttributeGroup>();
    special->name = {kXml, "specialAttrs"};
    special->where = {"xml.xsd", 0};
    m_set.attributeGroups[special->name] = special;
  }
  for (const char* name : {"lang", "space", "base", "id"}) {
    const QName qname{kXml, name};
    if (m_set.attributes.count(qname)) continue;
    Attribute* a = m_set.New<Attribute>();
    a->name = qname;
    a->where = {"xml.xsd", 0};
    a->typeName = {kXsd, std::string(name) == "base" ? "anyURI"
                         : std::string(name) == "id" ? "ID"
                                                     : "string"};
    m_set.attributes[qname] = a;
    if (special) {
      Attribute* use = m_set.New<Attribute>();
      use->ref = qname;
      use->where = a->where;
      special->attributes.uses.push_back(use);
    }
  }
}

void Resolver::Run() {
  ComplexType* anyType = m_set.New<ComplexType>();
  anyType->name = {kXsd, "anyType"};
  anyType->anyType = true;
  anyType->mixed = true;
  anyType->where = {"XMLSchema.xsd", 0};
  m_set.anyType = anyType;
  AddXmlAttributes();

  // Substitution groups first: a member without a type takes its head's.
  for (Element* el : m_set.allElements) {
    if (el->substitutionGroup.empty()) continue;
    auto head = m_set.elements.find(el->substitutionGroup);
    if (head == m_set.elements.end())
      Fail(el->where, "unknown element [" + el->substitutionGroup.Text() + "]");
    el->head = head->second;
    head->second->substitutes.push_back(el);
  }
  for (Element* el : m_set.allElements)
    for (Element* h = el->head; h; h = h->head)
      if (h == el) Fail(el->where, "the element [" + el->name.Text() + "] substitutes for itself");

  for (auto& entry : m_set.attributes) ResolveAttribute(entry.second);
  for (auto& entry : m_set.attributeGroups) ResolveAttributes(entry.second->attributes);
  // Complex types first: the value type of a restricted simple content takes
  // its base from the complex type it restricts.
  for (ComplexType* type : m_set.allComplexTypes) ResolveComplex(type);
  for (SimpleType* type : m_set.allSimpleTypes) ResolveSimple(type);
  for (Element* el : m_set.allElements) ResolveElement(el);
  for (auto& entry : m_set.groups) ResolveModelGroup(entry.second->group);
}

}  // namespace

const SimpleType* ValueTypeOf(const ComplexType* type) {
  for (; type; type = type->base) {
    if (type->contentType) return type->contentType;
    if (type->simpleBase) return type->simpleBase;
  }
  return nullptr;
}

SimpleType* BuiltinType(SchemaSet& set, const std::string& name) {
  auto found = set.builtins.find(name);
  if (found != set.builtins.end()) return found->second;
  for (const char* builtin : kBuiltins) {
    if (name != builtin) continue;
    SimpleType* type = set.New<SimpleType>();
    type->name = {kXsd, name};
    type->builtin = name;
    type->where = {"XMLSchema.xsd", 0};
    type->resolving = 2;
    set.builtins[name] = type;
    return type;
  }
  return nullptr;
}

void ResolveSchemas(SchemaSet& set) { Resolver(set).Run(); }

}  // namespace vxgen
