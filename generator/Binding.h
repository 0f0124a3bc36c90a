// The C++ that a schema set becomes: namespaces, enumerations and classes
// with their members, each member naming the element- or attribute-info
// family that describes it to the library. The binder decides everything;
// the emitter only writes it out.
#ifndef VXXML_GENERATOR_BINDING_H
#define VXXML_GENERATOR_BINDING_H

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Schema.h"

namespace vxgen {

struct NamespaceBinding;
struct ClassBinding;

/// How a simple type is held: its value kind, C++ type, whitespace rule and
/// the facets the library checks.
struct ValueBinding {
  std::string kind;     // the ItemType enumerator, "ItemType_string"
  std::string cppType;  // "std::string"
  std::string collection;  // the typed collection, "CstringCol"
  std::string whitespace;  // "Preserve", "Replace" or "Collapse"
  std::string pattern;
  int minLength = -1, maxLength = -1, length = -1;
  std::string minInclusive, maxInclusive, minExclusive, maxExclusive;
  struct EnumBinding* enumeration = nullptr;
  bool HasFacets() const {
    return !pattern.empty() || minLength >= 0 || maxLength >= 0 || length >= 0 ||
           !minInclusive.empty() || !maxInclusive.empty() || !minExclusive.empty() ||
           !maxExclusive.empty();
  }
};

struct EnumBinding {
  std::string cppName;
  NamespaceBinding* ns = nullptr;
  std::vector<std::string> texts;
  std::vector<std::string> enumerators;
  bool collapse = true;
  std::string documentation;
};

struct MemberBinding {
  enum Content { Prim, Enum, Cls, AbsCls, Untpd, Attribute, AnyAttribute };
  enum Cardinality { Mnd, Opt, Col };
  Content content = Prim;
  Cardinality card = Mnd;
  std::string cppName;
  std::string xmlName;  // element or attribute name ("AnyElement" for wildcards)
  std::string xmlNs;
  int id = 0;
  int min = 1, max = 1;
  ValueBinding value;
  ClassBinding* cls = nullptr;
  bool pseudo = false;       // the class is a tagless group
  bool mustConsume = false;  // a mandatory group that cannot be empty
  bool nillable = false;
  bool create = false;       // a mandatory child object made by Init
  bool listForm = false;     // an xs:list: the collection's values are one element's items
  std::string wildcard;      // namespace rule of xs:any / xs:anyAttribute
  std::string wildcardTarget;
  std::optional<std::string> defaultValue;
  std::string documentation;
};

struct ClassBinding {
  std::string cppName;
  NamespaceBinding* ns = nullptr;
  std::string typeName;  // the schema type's name, for xsi:type
  std::string typeNs;
  std::string group = "Sequence";  // "Sequence", "Choice" or "All"
  bool pseudo = false;
  ClassBinding* base = nullptr;
  bool restrictsContent = false;  // a restriction: its own content replaces the base's
  int nextId = 1;  // the first property id after this class's members
  std::vector<MemberBinding> elements, attributes;
  std::optional<MemberBinding> value;  // simple content or the text of mixed content
  bool rawText = false;
  bool abstract = false, nillable = false, writeXsiType = false;
  std::vector<ClassBinding*> derived;  // every class whose type derives from this one
  std::string defaultElementName;
  std::string documentation;
  std::string origin;  // what in the schema it stands for, for its comment
  const ComplexType* type = nullptr;
  bool bound = false;
  bool Substitutable() const { return !derived.empty() || abstract; }
};

struct RootBinding {
  std::string name, ns;
  ClassBinding* cls = nullptr;
};

struct NamespaceBinding {
  std::string uri;
  std::string cppName;  // "po" or "a::b"
  std::string fileStem;  // "po" or "a_b"
  std::string prefix;    // the prefix documents usually give it ("" for none)
  std::vector<std::string> related;  // the namespaces its schemas import, transitively
  std::vector<std::string> sources;  // the schema files, for the header comment
  std::vector<ClassBinding*> classes;
  std::vector<EnumBinding*> enums;
  std::vector<RootBinding> roots;
  std::set<std::string> takenNames;  // lower-cased, for case-insensitive clashes
};

struct Binding {
  std::vector<std::unique_ptr<NamespaceBinding>> namespaces;  // by URI
  std::vector<std::unique_ptr<ClassBinding>> classes;
  std::vector<std::unique_ptr<EnumBinding>> enums;
};

struct BindOptions {
  std::map<std::string, std::string> namespaceMap;  // URI -> C++ namespace
};

/// Decides the classes, members and names of the whole set.
void Bind(SchemaSet& set, const BindOptions& options, Binding& binding);

// Names made into C++ identifiers.
std::string Identifier(const std::string& name);
std::string Capitalized(const std::string& name);

}  // namespace vxgen

#endif  // VXXML_GENERATOR_BINDING_H
