// Reads schema documents with the library's document model and turns each
// top-level declaration, with everything nested in it, into components.
// Includes and imports are followed from local files only.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>

#include <vxxml/vxxml.h>

#include "Schema.h"

namespace vxgen {

const char kXsd[] = "http://www.w3.org/2001/XMLSchema";
const char kXml[] = "http://www.w3.org/XML/1998/namespace";

Error::Error(const Location& where, const std::string& message)
    : std::runtime_error(where.line ? where.file + ":" + std::to_string(where.line) + ": " + message
                                    : where.file + ": " + message) {}

void Fail(const Location& where, const std::string& message) { throw Error(where, message); }

std::string QName::Text() const { return ns.empty() ? local : "{" + ns + "}" + local; }

namespace {

namespace fs = std::filesystem;
using VxXmlLib10::CXmlDocument;
using VxXmlLib10::CXmlElement;

int ParseOccurs(const std::string& text, int fallback, const Location& where) {
  if (text.empty()) return fallback;
  if (text == "unbounded") return -1;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (*end || value < 0) Fail(where, "invalid occurrence [" + text + "]");
  return value > 1000000 ? 1000000 : static_cast<int>(value);
}

bool IsTrue(const std::string& text) { return text == "true" || text == "1"; }

// One document being read.
class DocumentReader {
 public:
  DocumentReader(SchemaSet& set, const LoadOptions& options, Schema* schema, CXmlDocument& xml,
                 bool chameleon)
      : m_set(set), m_options(options), m_schema(schema), m_xml(xml), m_chameleon(chameleon) {}

  // The top-level declarations; includes and imports are returned to the
  // loader as (location, namespace, where) triples.
  struct Reference {
    std::string location;
    std::string ns;  // "" for an include
    bool include;
    bool hasNamespace;
    Location where;
  };
  std::vector<Reference> Read();

 private:
  Location At(const CXmlElement* e) const { return {m_schema->file, m_xml.GetLineNumber(e)}; }
  static bool Is(const CXmlElement* e, const char* local) {
    return e->GetNamespaceURI() == kXsd && e->GetLocalName() == local;
  }
  static const std::string& Attr(const CXmlElement* e, const char* name) {
    return e->GetAttribute(name, "");
  }
  static bool Has(const CXmlElement* e, const char* name) {
    for (const auto* a : e->GetAttributes())
      if (a->GetLocalName() == name && a->GetNamespaceURI().empty()) return true;
    return false;
  }
  QName Resolve(const CXmlElement* e, const std::string& text) const;
  QName Declared(const std::string& name) const { return {m_schema->targetNamespace, name}; }
  std::string Documentation(const CXmlElement* e) const;
  void Unsupported(const CXmlElement* e) const {
    Fail(At(e), "the construct [xs:" + e->GetLocalName() + "] is not supported");
  }
  void Warn(const CXmlElement* e, const std::string& what) const {
    if (!m_options.quiet)
      std::cerr << At(e).file << ":" << At(e).line << ": warning: " << what << "\n";
  }
  template <class Map, class T>
  void Register(Map& map, const QName& name, T* component, const char* kind,
                const CXmlElement* e);

  Element* ReadElement(const CXmlElement* e, bool global);
  Attribute* ReadAttribute(const CXmlElement* e, bool global);
  SimpleType* ReadSimpleType(const CXmlElement* e, const std::string& name);
  ComplexType* ReadComplexType(const CXmlElement* e, const std::string& name);
  ModelGroup* ReadModelGroup(const CXmlElement* e);
  Particle ReadParticle(const CXmlElement* e);
  Wildcard ReadWildcard(const CXmlElement* e) const;
  void ReadAttributeItem(const CXmlElement* e, Attributes& into);
  void ReadFacet(const CXmlElement* e, Facets& facets) const;
  void ReadRestrictionBody(const CXmlElement* restriction, SimpleType* type);

  SchemaSet& m_set;
  const LoadOptions& m_options;
  Schema* m_schema;
  CXmlDocument& m_xml;
  bool m_chameleon;
};

QName DocumentReader::Resolve(const CXmlElement* e, const std::string& raw) const {
  const std::string text = VxXmlLib10::CWhitespaceUtils::Collapse(raw);
  const std::string::size_type colon = text.find(':');
  const std::string prefix = colon == std::string::npos ? "" : text.substr(0, colon);
  QName name;
  name.local = colon == std::string::npos ? text : text.substr(colon + 1);
  if (const std::string* uri = m_xml.LookupNamespace(e, prefix))
    name.ns = *uri;
  else if (!prefix.empty())
    Fail(At(e), "the prefix [" + prefix + "] of [" + text + "] is not declared");
  // A schema included without a target namespace takes the including one's,
  // and so do its unqualified references.
  if (name.ns.empty() && m_chameleon) name.ns = m_schema->targetNamespace;
  return name;
}

std::string DocumentReader::Documentation(const CXmlElement* e) const {
  for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
    if (Is(c, "annotation"))
      for (const CXmlElement* d = c->GetFirstElement(); d; d = d->GetNextSiblingElement())
        if (Is(d, "documentation"))
          return VxXmlLib10::CWhitespaceUtils::Collapse(d->GetText());
  return "";
}

template <class Map, class T>
void DocumentReader::Register(Map& map, const QName& name, T* component, const char* kind,
                              const CXmlElement* e) {
  auto inserted = map.emplace(name, component);
  if (!inserted.second) {
    const Location& first = inserted.first->second->where;
    Fail(At(e), std::string("the ") + kind + " [" + name.Text() + "] is declared twice (first at " +
                    first.file + ":" + std::to_string(first.line) + ")");
  }
}

std::vector<DocumentReader::Reference> DocumentReader::Read() {
  const CXmlElement* root = m_xml.GetDocumentElement();
  std::vector<Reference> references;
  for (const CXmlElement* e = root->GetFirstElement(); e; e = e->GetNextSiblingElement()) {
    if (e->GetNamespaceURI() != kXsd) continue;  // foreign top-level elements carry no meaning
    const std::string& kind = e->GetLocalName();
    if (kind == "include" || kind == "import") {
      Reference r{Attr(e, "schemaLocation"), Attr(e, "namespace"), kind == "include",
                  Has(e, "namespace"), At(e)};
      references.push_back(r);
    } else if (kind == "redefine" || kind == "override") {
      Warn(e, "xs:" + kind + " is not supported; it is ignored");
    } else if (kind == "element") {
      Register(m_set.elements, Declared(Attr(e, "name")), ReadElement(e, true), "element", e);
    } else if (kind == "attribute") {
      Register(m_set.attributes, Declared(Attr(e, "name")), ReadAttribute(e, true), "attribute",
               e);
    } else if (kind == "simpleType") {
      Register(m_set.simpleTypes, Declared(Attr(e, "name")), ReadSimpleType(e, Attr(e, "name")),
               "type", e);
    } else if (kind == "complexType") {
      Register(m_set.complexTypes, Declared(Attr(e, "name")),
               ReadComplexType(e, Attr(e, "name")), "type", e);
    } else if (kind == "group") {
      NamedGroup* g = m_set.New<NamedGroup>();
      g->name = Declared(Attr(e, "name"));
      g->where = At(e);
      g->schema = m_schema;
      g->documentation = Documentation(e);
      for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
        if (Is(c, "sequence") || Is(c, "choice") || Is(c, "all")) {
          g->group = ReadModelGroup(c);
          g->group->named = g;
        }
      if (!g->group) Fail(At(e), "the group [" + g->name.Text() + "] has no model group");
      Register(m_set.groups, g->name, g, "group", e);
    } else if (kind == "attributeGroup") {
      AttributeGroup* g = m_set.New<AttributeGroup>();
      g->name = Declared(Attr(e, "name"));
      g->where = At(e);
      g->schema = m_schema;
      for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
        ReadAttributeItem(c, g->attributes);
      Register(m_set.attributeGroups, g->name, g, "attribute group", e);
    } else if (kind != "annotation" && kind != "notation") {
      Unsupported(e);
    }
  }
  return references;
}

Element* DocumentReader::ReadElement(const CXmlElement* e, bool global) {
  Element* el = m_set.New<Element>();
  el->where = At(e);
  el->schema = m_schema;
  el->global = global;
  el->documentation = Documentation(e);
  if (!global && Has(e, "ref")) {
    el->ref = Resolve(e, Attr(e, "ref"));
    return el;
  }
  const std::string& form = Attr(e, "form");
  const bool qualified =
      global || form == "qualified" || (form.empty() && m_schema->elementQualified);
  el->name = {qualified ? m_schema->targetNamespace : "", Attr(e, "name")};
  if (el->name.local.empty()) Fail(el->where, "an element has neither a name nor a ref");
  if (Has(e, "type")) el->typeName = Resolve(e, Attr(e, "type"));
  el->nillable = IsTrue(Attr(e, "nillable"));
  el->abstract = IsTrue(Attr(e, "abstract"));
  if (Has(e, "default")) el->defaultValue = Attr(e, "default");
  if (Has(e, "fixed")) el->fixedValue = Attr(e, "fixed");
  if (Has(e, "substitutionGroup")) el->substitutionGroup = Resolve(e, Attr(e, "substitutionGroup"));
  el->block = Has(e, "block") ? Attr(e, "block") : m_schema->blockDefault;
  for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement()) {
    if (Is(c, "complexType")) {
      el->complex = ReadComplexType(c, "");
      el->complex->owner = el;
    } else if (Is(c, "simpleType")) {
      el->simple = ReadSimpleType(c, "");
    } else if (Is(c, "key") || Is(c, "keyref") || Is(c, "unique")) {
      Warn(c, "identity constraints (xs:" + c->GetLocalName() + ") are not supported; ignored");
    } else if (!Is(c, "annotation") && c->GetNamespaceURI() == kXsd) {
      Unsupported(c);
    }
  }
  m_set.allElements.push_back(el);
  return el;
}

Attribute* DocumentReader::ReadAttribute(const CXmlElement* e, bool global) {
  Attribute* a = m_set.New<Attribute>();
  a->where = At(e);
  a->schema = m_schema;
  a->documentation = Documentation(e);
  if (Has(e, "use")) a->use = Attr(e, "use");
  if (Has(e, "default")) a->defaultValue = Attr(e, "default");
  if (Has(e, "fixed")) a->fixedValue = Attr(e, "fixed");
  if (!global && Has(e, "ref")) {
    a->ref = Resolve(e, Attr(e, "ref"));
    return a;
  }
  const std::string& form = Attr(e, "form");
  const bool qualified =
      global || form == "qualified" || (form.empty() && m_schema->attributeQualified);
  a->name = {qualified ? m_schema->targetNamespace : "", Attr(e, "name")};
  if (a->name.local.empty()) Fail(a->where, "an attribute has neither a name nor a ref");
  if (Has(e, "type")) a->typeName = Resolve(e, Attr(e, "type"));
  for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
    if (Is(c, "simpleType")) a->type = ReadSimpleType(c, "");
  return a;
}

void DocumentReader::ReadFacet(const CXmlElement* e, Facets& facets) const {
  const std::string& kind = e->GetLocalName();
  const std::string& value = Attr(e, "value");
  auto number = [&] {
    char* end = nullptr;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end || n < 0 || n > 0x7fffffff)
      Fail(At(e), "invalid value [" + value + "] of xs:" + kind);
    return static_cast<int>(n);
  };
  if (kind == "pattern") facets.patterns.push_back(value);
  else if (kind == "enumeration") facets.enumeration.push_back(value);
  else if (kind == "minInclusive") facets.minInclusive = value;
  else if (kind == "maxInclusive") facets.maxInclusive = value;
  else if (kind == "minExclusive") facets.minExclusive = value;
  else if (kind == "maxExclusive") facets.maxExclusive = value;
  else if (kind == "length") facets.length = number();
  else if (kind == "minLength") facets.minLength = number();
  else if (kind == "maxLength") facets.maxLength = number();
  else if (kind == "totalDigits") facets.totalDigits = number();
  else if (kind == "fractionDigits") facets.fractionDigits = number();
  else if (kind == "whiteSpace") facets.whiteSpace = value;
  else if (kind != "annotation") Unsupported(e);
}

void DocumentReader::ReadRestrictionBody(const CXmlElement* restriction, SimpleType* type) {
  for (const CXmlElement* c = restriction->GetFirstElement(); c; c = c->GetNextSiblingElement()) {
    if (c->GetNamespaceURI() != kXsd) continue;
    if (Is(c, "simpleType"))
      type->base = ReadSimpleType(c, "");
    else if (!Is(c, "attribute") && !Is(c, "attributeGroup") && !Is(c, "anyAttribute"))
      ReadFacet(c, type->facets);
  }
}

SimpleType* DocumentReader::ReadSimpleType(const CXmlElement* e, const std::string& name) {
  SimpleType* t = m_set.New<SimpleType>();
  t->name = name.empty() ? QName() : Declared(name);
  t->where = At(e);
  t->schema = m_schema;
  t->documentation = Documentation(e);
  bool found = false;
  for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement()) {
    if (Is(c, "restriction")) {
      found = true;
      if (Has(c, "base")) t->baseName = Resolve(c, Attr(c, "base"));
      ReadRestrictionBody(c, t);
    } else if (Is(c, "list")) {
      found = true;
      t->variety = SimpleType::List;
      if (Has(c, "itemType")) t->itemName = Resolve(c, Attr(c, "itemType"));
      for (const CXmlElement* i = c->GetFirstElement(); i; i = i->GetNextSiblingElement())
        if (Is(i, "simpleType")) t->item = ReadSimpleType(i, "");
    } else if (Is(c, "union")) {
      found = true;
      t->variety = SimpleType::Union;
      const std::string list = VxXmlLib10::CWhitespaceUtils::Collapse(Attr(c, "memberTypes"));
      for (std::string::size_type at = 0; at < list.size();) {
        std::string::size_type space = list.find(' ', at);
        if (space == std::string::npos) space = list.size();
        t->memberNames.push_back(Resolve(c, list.substr(at, space - at)));
        at = space + 1;
      }
      for (const CXmlElement* i = c->GetFirstElement(); i; i = i->GetNextSiblingElement())
        if (Is(i, "simpleType")) t->members.push_back(ReadSimpleType(i, ""));
    } else if (!Is(c, "annotation") && c->GetNamespaceURI() == kXsd) {
      Unsupported(c);
    }
  }
  if (!found) Fail(t->where, "the simple type has no restriction, list or union");
  m_set.allSimpleTypes.push_back(t);
  return t;
}

void DocumentReader::ReadAttributeItem(const CXmlElement* c, Attributes& into) {
  if (Is(c, "attribute")) {
    into.uses.push_back(ReadAttribute(c, false));
  } else if (Is(c, "attributeGroup")) {
    into.groupRefs.emplace_back(Resolve(c, Attr(c, "ref")), At(c));
  } else if (Is(c, "anyAttribute")) {
    into.any = ReadWildcard(c);
  } else if (!Is(c, "annotation") && c->GetNamespaceURI() == kXsd) {
    Unsupported(c);
  }
}

Wildcard DocumentReader::ReadWildcard(const CXmlElement* e) const {
  Wildcard w;
  w.where = At(e);
  if (Has(e, "namespace"))
    w.namespaces = VxXmlLib10::CWhitespaceUtils::Collapse(Attr(e, "namespace"));
  if (Has(e, "processContents")) w.process = Attr(e, "processContents");
  return w;
}

Particle DocumentReader::ReadParticle(const CXmlElement* e) {
  Particle p;
  p.where = At(e);
  p.min = ParseOccurs(Attr(e, "minOccurs"), 1, p.where);
  p.max = ParseOccurs(Attr(e, "maxOccurs"), 1, p.where);
  if (p.max != -1 && p.max < p.min) Fail(p.where, "maxOccurs is less than minOccurs");
  if (Is(e, "element")) {
    p.kind = Particle::ElementRef;
    p.element = ReadElement(e, false);
  } else if (Is(e, "group")) {
    p.kind = Particle::Group;
    p.groupRef = Resolve(e, Attr(e, "ref"));
  } else if (Is(e, "any")) {
    p.kind = Particle::Any;
    p.any = ReadWildcard(e);
  } else {
    p.kind = Particle::Group;
    p.group = ReadModelGroup(e);
  }
  return p;
}

ModelGroup* DocumentReader::ReadModelGroup(const CXmlElement* e) {
  ModelGroup* g = m_set.New<ModelGroup>();
  g->where = At(e);
  g->compositor = Is(e, "choice") ? ModelGroup::Choice
                  : Is(e, "all")  ? ModelGroup::All
                                  : ModelGroup::Sequence;
  for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement()) {
    if (c->GetNamespaceURI() != kXsd || Is(c, "annotation")) continue;
    if (Is(c, "element") || Is(c, "group") || Is(c, "any") || Is(c, "sequence") ||
        Is(c, "choice") || Is(c, "all"))
      g->particles.push_back(ReadParticle(c));
    else
      Unsupported(c);
  }
  return g;
}

ComplexType* DocumentReader::ReadComplexType(const CXmlElement* e, const std::string& name) {
  ComplexType* t = m_set.New<ComplexType>();
  t->name = name.empty() ? QName() : Declared(name);
  t->where = At(e);
  t->schema = m_schema;
  t->documentation = Documentation(e);
  t->abstract = IsTrue(Attr(e, "abstract"));
  t->mixed = IsTrue(Attr(e, "mixed"));
  t->block = Has(e, "block") ? Attr(e, "block") : m_schema->blockDefault;

  // The particle and attributes sit directly in the type, or in the
  // derivation of its simple or complex content.
  auto readBody = [&](const CXmlElement* body) {
    for (const CXmlElement* c = body->GetFirstElement(); c; c = c->GetNextSiblingElement()) {
      if (c->GetNamespaceURI() != kXsd || Is(c, "annotation")) continue;
      if (Is(c, "sequence") || Is(c, "choice") || Is(c, "all") || Is(c, "group")) {
        t->content = m_set.New<Particle>();
        *t->content = ReadParticle(c);
      } else if (Is(c, "attribute") || Is(c, "attributeGroup") || Is(c, "anyAttribute")) {
        ReadAttributeItem(c, t->attributes);
      } else if (t->simpleContent && Is(body, "restriction")) {
        // facets and the restricted simple type are read below
      } else if (!Is(c, "simpleContent") && !Is(c, "complexContent")) {
        Unsupported(c);
      }
    }
  };
  readBody(e);
  for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement()) {
    const bool simple = Is(c, "simpleContent");
    if (!simple && !Is(c, "complexContent")) continue;
    t->simpleContent = simple;
    if (!simple && Has(c, "mixed")) t->mixed = IsTrue(Attr(c, "mixed"));
    for (const CXmlElement* d = c->GetFirstElement(); d; d = d->GetNextSiblingElement()) {
      if (Is(d, "annotation")) continue;
      if (!Is(d, "extension") && !Is(d, "restriction")) Unsupported(d);
      t->derivation = Is(d, "extension") ? ComplexType::Extension : ComplexType::Restriction;
      t->baseName = Resolve(d, Attr(d, "base"));
      readBody(d);
      if (simple && t->derivation == ComplexType::Restriction) {
        t->contentType = m_set.New<SimpleType>();
        t->contentType->where = At(d);
        t->contentType->schema = m_schema;
        ReadRestrictionBody(d, t->contentType);
        m_set.allSimpleTypes.push_back(t->contentType);
      }
    }
  }
  m_set.allComplexTypes.push_back(t);
  return t;
}

// ---- the loader ----------------------------------------------------------------

class Loader {
 public:
  Loader(SchemaSet& set, const LoadOptions& options) : m_set(set), m_options(options) {}

  void Load(const std::string& shown, const Location* from, const std::string* chameleonNs,
            const std::string* expectedNs);

 private:
  std::string Find(const std::string& location, const std::string& baseDir,
                   const Location& from) const;

  SchemaSet& m_set;
  const LoadOptions& m_options;
  std::set<std::string> m_loaded;  // canonical path + the namespace it was read for
};

std::string Loader::Find(const std::string& location, const std::string& baseDir,
                         const Location& from) const {
  const bool remote = location.find("://") != std::string::npos;
  std::error_code ignored;
  if (!remote) {
    const fs::path local = (fs::path(baseDir) / location).lexically_normal();
    if (fs::is_regular_file(local, ignored)) return local.string();
  }
  const fs::path tail = remote ? fs::path(location).filename() : fs::path(location);
  for (const std::string& dir : m_options.includeDirs) {
    const fs::path candidate = (fs::path(dir) / tail).lexically_normal();
    if (fs::is_regular_file(candidate, ignored)) return candidate.string();
  }
  Fail(from, "cannot find the schema [" + location + "]");
}

void Loader::Load(const std::string& shown, const Location* from, const std::string* chameleonNs,
                  const std::string* expectedNs) {
  std::error_code ignored;
  const std::string canonical = fs::weakly_canonical(fs::path(shown), ignored).string();
  const std::string key = canonical + "\n" + (chameleonNs ? *chameleonNs : std::string("\x01"));
  if (!m_loaded.insert(key).second) return;

  CXmlDocument xml;
  xml.SetKeepSourceInfo(true);
  try {
    xml.Load(shown.c_str());
  } catch (const VxXmlLib10::CVxException& e) {
    // Parse errors end in " at line N": put the line where tools expect it.
    std::string message = e.GetFullMessage();
    Location where{shown, 0};
    const std::string::size_type at = message.rfind(" at line ");
    if (at != std::string::npos) {
      where.line = std::strtoul(message.c_str() + at + 9, nullptr, 10);
      message.erase(at);
    }
    // A location that names no readable file is the referring line's fault.
    if (from && message.compare(0, 14, "Failed to open") == 0) Fail(*from, message);
    Fail(where, message);
  }
  const CXmlElement* root = xml.GetDocumentElement();
  if (!root || root->GetNamespaceURI() != kXsd || root->GetLocalName() != "schema")
    Fail({shown, xml.GetLineNumber(root)}, "the document is not an XML Schema (xs:schema)");

  auto schema = std::make_unique<Schema>();
  Schema* s = schema.get();
  s->file = shown;
  s->path = canonical;
  const bool hasTarget = !root->GetAttribute("targetNamespace", "").empty();
  s->targetNamespace = root->GetAttribute("targetNamespace", "");
  const bool chameleon = !hasTarget && chameleonNs && !chameleonNs->empty();
  if (chameleon) s->targetNamespace = *chameleonNs;
  if (chameleonNs && hasTarget && s->targetNamespace != *chameleonNs)
    Fail(*from, "the included schema [" + shown + "] has the target namespace [" +
                    s->targetNamespace + "], not [" + *chameleonNs + "]");
  if (expectedNs && s->targetNamespace != *expectedNs)
    Fail(*from, "the imported schema [" + shown + "] has the target namespace [" +
                    s->targetNamespace + "], not [" + *expectedNs + "]");
  s->elementQualified = root->GetAttribute("elementFormDefault", "") == "qualified";
  s->attributeQualified = root->GetAttribute("attributeFormDefault", "") == "qualified";
  s->blockDefault = root->GetAttribute("blockDefault", "");
  for (const auto& entry : xml.GetNamespaceAliases())
    if (const std::string* uri = xml.LookupNamespace(root, entry.first))
      s->prefixes[entry.first] = *uri;
  m_set.schemas.push_back(std::move(schema));

  DocumentReader reader(m_set, m_options, s, xml, chameleon);
  const std::vector<DocumentReader::Reference> references = reader.Read();
  const std::string dir = fs::path(shown).parent_path().string();
  for (const auto& r : references) {
    if (r.include) {
      if (r.location.empty()) Fail(r.where, "xs:include has no schemaLocation");
      Load(Find(r.location, dir, r.where), &r.where, &s->targetNamespace, nullptr);
      continue;
    }
    if (r.hasNamespace && r.ns == s->targetNamespace)
      Fail(r.where, "a schema cannot import its own target namespace");
    s->imports.push_back(r.ns);
    // The xml: namespace is known without its schema.
    if (r.location.empty() || r.ns == kXml) continue;
    Load(Find(r.location, dir, r.where), &r.where, nullptr, &r.ns);
  }
}

}  // namespace

void LoadSchemas(const std::vector<std::string>& files, const LoadOptions& options,
                 SchemaSet& set) {
  Loader loader(set, options);
  for (const std::string& file : files) loader.Load(file, nullptr, nullptr, nullptr);
}

}  // namespace vxgen
