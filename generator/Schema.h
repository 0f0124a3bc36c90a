// The components of a set of XML Schema 1.0 documents, as the loader reads
// them and the resolver links them: element, attribute, type and group
// declarations with their references resolved to pointers. Every component
// remembers where it was declared, for messages.
#ifndef VXXML_GENERATOR_SCHEMA_H
#define VXXML_GENERATOR_SCHEMA_H

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vxgen {

extern const char kXsd[];  // the XML Schema namespace
extern const char kXml[];  // the xml: namespace

struct Location {
  std::string file;
  unsigned long line = 0;
};

/// A failure with its place: "file:line: message".
class Error : public std::runtime_error {
 public:
  Error(const Location& where, const std::string& message);
};

[[noreturn]] void Fail(const Location& where, const std::string& message);

struct QName {
  std::string ns;
  std::string local;
  bool empty() const { return local.empty(); }
  bool operator<(const QName& o) const { return ns != o.ns ? ns < o.ns : local < o.local; }
  bool operator==(const QName& o) const { return ns == o.ns && local == o.local; }
  bool operator!=(const QName& o) const { return !(*this == o); }
  /// "{ns}local", or "local" without a namespace.
  std::string Text() const;
};

struct Schema;
struct SimpleType;
struct ComplexType;
struct Element;
struct ModelGroup;
struct NamedGroup;
struct AttributeGroup;
struct Attribute;

/// The facets one restriction step gives.
struct Facets {
  std::vector<std::string> patterns;  // alternatives of this step
  std::vector<std::string> enumeration;
  std::optional<std::string> minInclusive, maxInclusive, minExclusive, maxExclusive;
  int length = -1, minLength = -1, maxLength = -1;
  int totalDigits = -1, fractionDigits = -1;
  std::string whiteSpace;  // "", "preserve", "replace" or "collapse"
};

struct SimpleType {
  enum Variety { Atomic, List, Union };
  QName name;  // empty for an anonymous type
  Location where;
  Schema* schema = nullptr;
  std::string documentation;
  Variety variety = Atomic;
  std::string builtin;  // the XML Schema type's own name for the built-in types
  QName baseName;
  SimpleType* base = nullptr;  // atomic restriction
  Facets facets;
  QName itemName;
  SimpleType* item = nullptr;  // list
  std::vector<QName> memberNames;
  std::vector<SimpleType*> members;  // union
  int resolving = 0;  // cycle detection: 1 while being resolved, 2 done
};

struct Wildcard {
  std::string namespaces = "##any";
  std::string process = "strict";
  Location where;
};

struct Particle {
  enum Kind { ElementRef, Group, Any };
  Kind kind = ElementRef;
  int min = 1, max = 1;  // max -1: unbounded
  Location where;
  Element* element = nullptr;
  ModelGroup* group = nullptr;
  Wildcard any;
  QName groupRef;  // xs:group ref (resolved into group)
};

struct ModelGroup {
  enum Compositor { Sequence, Choice, All };
  Compositor compositor = Sequence;
  Location where;
  std::vector<Particle> particles;
  NamedGroup* named = nullptr;  // the xs:group that defines it, if any
};

struct NamedGroup {
  QName name;
  Location where;
  Schema* schema = nullptr;
  std::string documentation;
  ModelGroup* group = nullptr;
  int resolving = 0;
};

/// An attribute declaration or use (local, global or a reference).
struct Attribute {
  QName name;
  Location where;
  Schema* schema = nullptr;
  std::string documentation;
  QName typeName;
  SimpleType* type = nullptr;
  QName ref;
  std::string use = "optional";
  std::optional<std::string> defaultValue, fixedValue;
};

/// The attribute part of a complex type or group: uses, group references and
/// at most one wildcard.
struct Attributes {
  std::vector<Attribute*> uses;
  std::vector<std::pair<QName, Location>> groupRefs;
  std::optional<Wildcard> any;
};

struct AttributeGroup {
  QName name;
  Location where;
  Schema* schema = nullptr;
  Attributes attributes;
  int resolving = 0;
};

struct ComplexType {
  enum Derivation { None, Extension, Restriction };
  QName name;  // empty for an anonymous type
  Location where;
  Schema* schema = nullptr;
  std::string documentation;
  bool abstract = false, mixed = false, simpleContent = false;
  bool anyType = false;  // xs:anyType itself
  Derivation derivation = None;
  QName baseName;
  ComplexType* base = nullptr;
  SimpleType* simpleBase = nullptr;  // simple content over a simple type
  Particle* content = nullptr;       // the content model, or none (empty)
  Attributes attributes;
  SimpleType* contentType = nullptr;  // simple content: the restricted value type
  std::string block;
  Element* owner = nullptr;  // the element of an anonymous type
  int resolving = 0;
};

struct Element {
  QName name;
  Location where;
  Schema* schema = nullptr;
  std::string documentation;
  bool global = false;
  QName ref;  // a reference: everything else comes from the global element
  QName typeName;
  ComplexType* complex = nullptr;
  SimpleType* simple = nullptr;
  bool nillable = false, abstract = false;
  std::optional<std::string> defaultValue, fixedValue;
  QName substitutionGroup;
  Element* head = nullptr;
  std::vector<Element*> substitutes;  // direct members of its substitution group
  std::string block;
};

struct Schema {
  std::string file;  // as shown in messages
  std::string path;  // canonical
  std::string targetNamespace;
  bool elementQualified = false, attributeQualified = false;
  std::string blockDefault;
  std::map<std::string, std::string> prefixes;  // declared on the root
  std::vector<std::string> imports;             // namespaces it imports
};

/// Everything read from the schema documents, by kind and name.
struct SchemaSet {
  std::deque<std::unique_ptr<Schema>> schemas;
  std::map<QName, Element*> elements;
  std::map<QName, Attribute*> attributes;
  std::map<QName, SimpleType*> simpleTypes;
  std::map<QName, ComplexType*> complexTypes;
  std::map<QName, NamedGroup*> groups;
  std::map<QName, AttributeGroup*> attributeGroups;
  // Every component, anonymous ones included, in the order read.
  std::vector<Element*> allElements;
  std::vector<ComplexType*> allComplexTypes;
  std::vector<SimpleType*> allSimpleTypes;
  // The built-in types, apart from what a document declares in the XML
  // Schema namespace (the schema for schemas does).
  std::map<std::string, SimpleType*> builtins;
  ComplexType* anyType = nullptr;

  template <class T>
  T* New() {
    auto owned = std::make_shared<T>();
    T* raw = owned.get();
    m_store.push_back(std::move(owned));
    return raw;
  }

 private:
  std::vector<std::shared_ptr<void>> m_store;
};

/// Where the loader looks for documents and what it reports.
struct LoadOptions {
  std::vector<std::string> includeDirs;
  bool quiet = false;
};

/// Reads the documents and everything they include or import; fails with an
/// Error on a document that is not a schema or a location it cannot find.
void LoadSchemas(const std::vector<std::string>& files, const LoadOptions& options,
                 SchemaSet& set);

/// Links every reference to its component and checks what the binding needs:
/// unknown names and cycles of derivation are errors.
void ResolveSchemas(SchemaSet& set);

/// The simple type of a complex type's simple content, or null.
const SimpleType* ValueTypeOf(const ComplexType* type);

/// The built-in simple type of that name, or null.
SimpleType* BuiltinType(SchemaSet& set, const std::string& name);

}  // namespace vxgen

#endif  // VXXML_GENERATOR_SCHEMA_H
