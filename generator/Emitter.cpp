// Writes the binding as C++. Library names are always fully qualified (a
// schema may name a type like one of them); the sources use two namespace
// aliases, vxxml_ and vxxml_data_, which no generated name can take.
#include "Emitter.h"

#include <algorithm>
#include <functional>
#include <sstream>

namespace vxgen {

namespace {

const char kLib[] = "::VxXmlLib10::";
const char kData[] = "::VxXmlLib10Data::";

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7f) {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", c);
      out += octal;
    } else if (c == '?') {
      out += "\\?";  // no trigraph can form
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string QuoteOrNull(const std::string& text) { return text.empty() ? "nullptr" : Quote(text); }

// A comment of `///` lines, wrapped near 96 columns.
std::string Doc(const std::string& text, const std::string& indent) {
  if (text.empty()) return "";
  std::string out, line;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    while (!word.empty() && word.back() == '\\') word.pop_back();
    if (!line.empty() && line.size() + word.size() > 92) {
      out += indent + "///" + line + "\n";
      line.clear();
    }
    line += " " + word;
  }
  if (!line.empty()) out += indent + "///" + line + "\n";
  return out;
}

std::string Qualified(const ClassBinding* c) { return "::" + c->ns->cppName + "::" + c->cppName; }
std::string Qualified(const EnumBinding* e) { return "::" + e->ns->cppName + "::" + e->cppName; }

std::string Guard(const std::string& file) {
  std::string out = "VXXML_GENERATED_";
  for (char c : file)
    out += std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::toupper(c)) : '_';
  return out;
}

class Writer {
 public:
  Writer(const Binding& binding, const EmitOptions& options)
      : m_binding(binding), m_options(options) {}
  std::map<std::string, std::string> Run();

 private:
  std::string MemberType(const MemberBinding& m) const;
  std::string ValueType(const ValueBinding& v) const {
    return v.enumeration ? Qualified(v.enumeration) : v.cppType;
  }
  std::string FacetsName(const ClassBinding* c, const MemberBinding& m) const {
    return "kFacets_" + c->cppName + "_" + std::to_string(m.id);
  }
  bool ChecksOnStore(const MemberBinding& m) const {
    return m.value.HasFacets() && !m.value.enumeration &&
           (m.content == MemberBinding::Prim || m.content == MemberBinding::Attribute) &&
           m.card != MemberBinding::Col;
  }
  std::string ElementInfo(const ClassBinding* c, const MemberBinding& m) const;
  std::string AttributeInfo(const ClassBinding* c, const MemberBinding& m) const;
  std::string Access(const ClassBinding* c, const MemberBinding& m) const;
  std::string InitMember(const MemberBinding& m) const;
  std::string ClassDeclaration(const ClassBinding* c) const;
  std::string ClassDefinition(const ClassBinding* c) const;
  std::string EnumDeclaration(const EnumBinding* e) const;
  std::string NamespaceDefinitions(const NamespaceBinding* ns) const;
  std::vector<const ClassBinding*> Ordered(const NamespaceBinding* ns) const;
  void Uses(const ClassBinding* c, std::set<const NamespaceBinding*>& headers,
            std::set<const ClassBinding*>& classes) const;
  std::string Banner(const NamespaceBinding* ns) const;
  std::string Open(const NamespaceBinding* ns) const;
  std::string Close(const NamespaceBinding* ns) const;

  const Binding& m_binding;
  const EmitOptions& m_options;
};

std::string Writer::MemberType(const MemberBinding& m) const {
  const std::string ptr = std::string(kLib) + "CSmartPtr<";
  switch (m.content) {
    case MemberBinding::Prim:
    case MemberBinding::Enum:
    case MemberBinding::Attribute:
      if (m.card == MemberBinding::Col) return ptr + kLib + m.value.collection + ">";
      if (m.card == MemberBinding::Opt || m.nillable) return "std::optional<" + ValueType(m.value) + ">";
      return ValueType(m.value);
    case MemberBinding::Cls:
    case MemberBinding::AbsCls:
      if (m.card == MemberBinding::Col)
        return ptr + kLib + "CGeneratedCollection<" + Qualified(m.cls) + ">>";
      return ptr + Qualified(m.cls) + ">";
    case MemberBinding::Untpd:
      return ptr + kLib + (m.card == MemberBinding::Col ? "CElementCol>" : "CElement>");
    case MemberBinding::AnyAttribute:
      return ptr + kLib + "CAttributeCol>";
  }
  return "";
}

std::string Ws(const ValueBinding& v) {
  return "vxxml_::CWhitespaceUtils::WhitespaceRule_" + v.whitespace;
}

std::string ChildType(const MemberBinding& m) {
  return m.pseudo ? "vxxml_data_::XmlElementType_PseudoElement"
                  : "vxxml_data_::XmlElementType_Element";
}

std::string Factory(const MemberBinding& m) {
  return "&vxxml_::CreateGenerated<" + Qualified(m.cls) + ">";
}

std::string FacetsRef(const ClassBinding* c, const MemberBinding& m) {
  return m.value.HasFacets() && m.card != MemberBinding::Col && !m.value.enumeration
             ? "&kF_" + c->cppName + "_" + std::to_string(m.id)
             : "nullptr";
}

std::string Writer::ElementInfo(const ClassBinding* c, const MemberBinding& m) const {
  const std::string group = "vxxml_data_::XmlElementGroupType_" + c->group;
  const char* cards[] = {"Mnd", "Opt", "Col"};
  const std::string head = group + ", vxxml_::CGeneratedElement::" + cards[m.card] + ", " +
                           Quote(m.xmlName) + ", " + Quote(m.xmlNs) + ", " + std::to_string(m.id);
  switch (m.content) {
    case MemberBinding::Prim:
      return "vxxml_::ElementPrim(" + head + ", " + (m.nillable ? "true" : "false") +
             ", vxxml_::" + m.value.kind + ", " + Ws(m.value) + ", " + FacetsRef(c, m) + ")";
    case MemberBinding::Enum: {
      const EnumBinding* e = m.value.enumeration;
      const std::string q = "::" + e->ns->cppName + "::";
      return "vxxml_::ElementEnum(" + head + ", " + (m.nillable ? "true" : "false") + ", &" + q +
             e->cppName + "ToText, &" + q + "TextTo" + e->cppName + ")";
    }
    case MemberBinding::Cls:
      return "vxxml_::ElementCls(" + head + ", " + ChildType(m) + ", " + Factory(m) + ", " +
             (m.card == MemberBinding::Mnd && (c->group == "All" || m.mustConsume) ? "true"
                                                                                   : "false") +
             ")";
    case MemberBinding::AbsCls:
      return "vxxml_::ElementAbsCls(" + head + ", " + ChildType(m) + ", &" + Qualified(m.cls) +
             "::FromElement)";
    default:
      return "vxxml_::ElementUntpd(" + head + ", " + Quote(m.wildcard) + ", " +
             Quote(m.wildcardTarget) + ")";
  }
}

std::string Writer::AttributeInfo(const ClassBinding* c, const MemberBinding& m) const {
  const std::string head = Quote(m.xmlName) + ", " + Quote(m.xmlNs) + ", " + std::to_string(m.id) +
                           ", " + (m.card == MemberBinding::Mnd ? "false" : "true");
  const std::string fallback = m.defaultValue ? Quote(*m.defaultValue) : "nullptr";
  if (m.content == MemberBinding::AnyAttribute)
    return "vxxml_::AttributeAny(" + std::to_string(m.id) + ", " + Quote(m.wildcard) + ", " +
           Quote(m.wildcardTarget) + ")";
  if (const EnumBinding* e = m.value.enumeration) {
    const std::string q = "::" + e->ns->cppName + "::";
    return "vxxml_::AttributeEnum(" + head + ", &" + q + e->cppName + "ToText, &" + q + "TextTo" +
           e->cppName + ", " + fallback + ")";
  }
  return "vxxml_::AttributePrim(" + head + ", vxxml_::" + m.value.kind + ", " + Ws(m.value) +
         ", " + FacetsRef(c, m) + ", " + fallback + ")";
}

std::string Writer::Access(const ClassBinding* c, const MemberBinding& m) const {
  std::string check;
  if (ChecksOnStore(m))
    check = "vxxml_::CheckStoredValue(read, value, " + Quote(m.xmlName) + ", vxxml_::" +
            m.value.kind + ", " + FacetsName(c, m) + ");\n      ";
  const std::string member = "this->" + m.cppName;
  const std::string nil = m.nillable ? member + "_nil, " : "";
  switch (m.content) {
    case MemberBinding::Prim:
    case MemberBinding::Attribute:
    case MemberBinding::Enum:
      if (m.card == MemberBinding::Col) return "return vxxml_::AccessCollection(" + member + ", read, value);";
      if (m.value.enumeration) return "return vxxml_::AccessEnum(" + member + ", " + nil + "read, value);";
      return check + "return vxxml_::AccessValue<vxxml_::" + m.value.kind + ">(" + member +
             ", " + nil + "read, value);";
    case MemberBinding::Cls:
    case MemberBinding::AbsCls:
    case MemberBinding::Untpd:
      if (m.card == MemberBinding::Col) return "return vxxml_::AccessCollection(" + member + ", read, value);";
      return "return vxxml_::AccessObject(" + member + ", read, value);";
    case MemberBinding::AnyAttribute:
      return "return vxxml_::AccessCollection(" + member + ", read, value);";
  }
  return "";
}

std::string NewNamespace(const MemberBinding& m) {
  // The namespace a new untyped element takes: one its rule admits.
  if (m.wildcard == "##any" || m.wildcard == "##targetNamespace") return m.wildcardTarget;
  return "";
}

std::string Writer::InitMember(const MemberBinding& m) const {
  const std::string n = "this->" + m.cppName;
  const std::string args = Quote(m.xmlName) + ", " + Quote(m.xmlNs) + ", " + std::to_string(m.min) +
                           ", " + std::to_string(m.max);
  if (m.card == MemberBinding::Col) {
    switch (m.content) {
      case MemberBinding::Cls:
      case MemberBinding::AbsCls:
        return n + " = new vxxml_::CGeneratedCollection<" + Qualified(m.cls) + ">(" + args + ", " +
               ChildType(m) +
               (m.content == MemberBinding::AbsCls ? ", &" + Qualified(m.cls) + "::FromElement" : "") +
               ");";
      case MemberBinding::Untpd:
        return n + " = new vxxml_::CElementCol(" + Quote(NewNamespace(m)) + ", " + Quote(m.wildcard) +
               ", " + Quote(m.wildcardTarget) + ", " + std::to_string(m.min) + ", " +
               std::to_string(m.max) + ");";
      case MemberBinding::AnyAttribute:
        return n + " = new vxxml_::CAttributeCol(\"\", " + Quote(m.wildcard) + ", " +
               Quote(m.wildcardTarget) + ");";
      default: {
        const ValueBinding& v = m.value;
        return n + " = new vxxml_::" + v.collection + "(" + args + ", " + QuoteOrNull(v.pattern) +
               ", " + std::to_string(v.minLength) + ", " + std::to_string(v.maxLength) + ", " +
               QuoteOrNull(v.minInclusive) + ", " + QuoteOrNull(v.maxInclusive) + ", " +
               QuoteOrNull(v.minExclusive) + ", " + QuoteOrNull(v.maxExclusive) + ", " +
               std::to_string(v.length) + ", " + Ws(v) + ", nullptr);" +
               (m.listForm ? "\n  " + n + "->SetListForm(true);" : "");
      }
    }
  }
  switch (m.content) {
    case MemberBinding::Cls:
    case MemberBinding::AbsCls:
      if (m.create) return n + " = new " + Qualified(m.cls) + "(" + Quote(m.pseudo ? "" : m.xmlName) + ");";
      return n + " = nullptr;";
    case MemberBinding::Untpd:
      if (m.card == MemberBinding::Mnd)
        return n + " = new vxxml_::CElement(" + Quote(m.xmlName) + ", " + Quote(NewNamespace(m)) +
               ", " + Quote(m.wildcard) + ", " + Quote(m.wildcardTarget) + ");";
      return n + " = nullptr;";
    default:
      break;
  }
  std::string out;
  if (m.nillable) out = n + "_nil = false;\n  ";
  if (m.card == MemberBinding::Opt || m.nillable) return out + n + ".reset();";
  if (m.defaultValue) {
    if (const EnumBinding* e = m.value.enumeration)
      return out + n + " = static_cast<" + Qualified(e) + ">(::" + e->ns->cppName + "::TextTo" +
             e->cppName + "(" + Quote(*m.defaultValue) + "));";
    return out + "{\n    vxxml_::VxVariant initial;\n    initial.FromString(" + Quote(*m.defaultValue) +
           ", vxxml_::" + m.value.kind + ", " + Ws(m.value) + ");\n    vxxml_::AccessValue<vxxml_::" +
           m.value.kind + ">(" + n + ", false, initial);\n  }";
  }
  return out + "vxxml_::ResetValue(" + n + ");";
}

std::string Writer::EnumDeclaration(const EnumBinding* e) const {
  std::string out = Doc(e->documentation, "");
  out += "enum class " + e->cppName + " : int {";
  for (std::size_t i = 0; i < e->enumerators.size(); ++i)
    out += std::string(i ? "," : "") + "\n  " + e->enumerators[i] + (i ? "" : " = 0");
  out += "\n};\nstd::string " + e->cppName + "ToText(int value);\n";
  out += "/// Fails with \"Invalid " + e->cppName + " value [%s]\" on any other text.\n";
  out += "int TextTo" + e->cppName + "(const char* text);\n\n";
  return out;
}

std::string Writer::ClassDeclaration(const ClassBinding* c) const {
  std::string out = Doc(c->documentation.empty() ? c->origin : c->documentation, "");
  std::string base = std::string(kLib) + "CGeneratedClass<" + c->cppName + ", kNamespace" +
                     (c->base ? ", " + Qualified(c->base) : "") + ">";
  bool baseNillable = false;
  for (const ClassBinding* b = c->base; b; b = b->base) baseNillable = baseNillable || b->nillable;
  const bool nillable = c->nillable && !baseNillable;
  out += "class " + c->cppName + " : public " + base +
         (nillable ? ", public " + std::string(kLib) + "INillable" : "") + " {\n public:\n";
  out += "  explicit " + c->cppName + "(const char* elementName = " +
         Quote(c->defaultElementName) + ");\n";
  out += "  ~" + c->cppName + "() override;\n\n";
  auto declare = [&](const MemberBinding& m) {
    out += Doc(m.documentation, "  ");
    out += "  " + MemberType(m) + " " + m.cppName + ";\n";
    if (m.nillable && (m.content == MemberBinding::Prim || m.content == MemberBinding::Enum))
      out += "  bool " + m.cppName + "_nil = false;  ///< written as xsi:nil=\"true\"\n";
  };
  if (c->value && (!c->base || c->value->id >= c->base->nextId)) declare(*c->value);
  for (const MemberBinding& m : c->elements) declare(m);
  for (const MemberBinding& m : c->attributes) declare(m);
  if (nillable) {
    out += "  bool nil_ = false;  ///< the element is written as xsi:nil=\"true\"\n";
    out += "  bool IsNil() const override { return nil_; }\n";
    out += "  void SetNil(bool nil) override { nil_ = nil; }\n";
  }
  out += "\n  void AccessProperty(int id, bool read, ::VxXmlLib10::VxVariant& value) override;\n";
  out += "  void Init() override;\n";
  out += "  static void AddElementInfos(std::vector<::VxXmlLib10Data::CElementInfo*>& infos);\n";
  out += "  static void AddAttributeInfos(std::vector<::VxXmlLib10Data::CAttributeInfo*>& infos);\n";
  out += "  static ::VxXmlLib10Data::CParentElementInfo* NewClassInfo();\n";
  if (c->Substitutable())
    out += "  /// The class an element of this type stands for, by its xsi:type.\n"
           "  static ::VxXmlLib10::CSmartPtr<::VxXmlLib10::CXmlObjectBase> FromElement(\n"
           "      ::VxXmlLib10::CXmlElement* element);\n";
  out += "\n private:\n  void InitMembers();\n};\n\n";
  return out;
}

std::string Writer::ClassDefinition(const ClassBinding* c) const {
  const std::string& n = c->cppName;
  std::string out = "// ---- " + n + " " + std::string(std::max<int>(3, 80 - 9 - int(n.size())), '-') + "\n\n";
  // Facets of the values checked as they are stored.
  std::string facets;
  // A member's facets are data for its info's row, and checked as values
  // are stored; emitted only where either uses them.
  auto facet = [&](const MemberBinding& m, bool row) {
    const bool used = m.value.HasFacets() && m.card != MemberBinding::Col && !m.value.enumeration &&
                      (m.content == MemberBinding::Prim || m.content == MemberBinding::Attribute);
    if (!used || (!row && !ChecksOnStore(m))) return;
    const ValueBinding& v = m.value;
    facets += "constexpr vxxml_::CGeneratedFacets kF_" + c->cppName + "_" + std::to_string(m.id) +
              "{" + QuoteOrNull(v.pattern) + ", " + std::to_string(v.minLength) + ", " +
              std::to_string(v.maxLength) + ", " + QuoteOrNull(v.minInclusive) + ", " +
              QuoteOrNull(v.maxInclusive) + ", " + QuoteOrNull(v.minExclusive) + ", " +
              QuoteOrNull(v.maxExclusive) + ", " + std::to_string(v.length) + "};\n";
    if (ChecksOnStore(m))
      facets += "const vxxml_::CPrimitiveRestrictions " + FacetsName(c, m) +
                " = vxxml_::ToRestrictions(&kF_" + c->cppName + "_" + std::to_string(m.id) + ");\n";
  };
  if (c->value) facet(*c->value, false);
  for (const MemberBinding& m : c->elements) facet(m, true);
  for (const MemberBinding& m : c->attributes) facet(m, true);
  if (!facets.empty()) out += "namespace {\n" + facets + "}  // namespace\n\n";

  const std::string base = c->base ? "vxxml_::CGeneratedClass<" + n + ", kNamespace, " + Qualified(c->base) + ">" : "";
  out += n + "::" + n + "(const char* elementName)" + (c->base ? " : " + base + "(elementName)" : "") + " {\n";
  if (!c->base) out += "  SetElementName(elementName);\n";
  out += "  InitMembers();\n}\n\n" + n + "::~" + n + "() = default;\n\n";

  out += "void " + n + "::InitMembers() {\n";
  if (c->value && (!c->base || c->value->id >= c->base->nextId)) out += "  " + InitMember(*c->value) + "\n";
  for (const MemberBinding& m : c->elements) out += "  " + InitMember(m) + "\n";
  for (const MemberBinding& m : c->attributes) out += "  " + InitMember(m) + "\n";
  bool baseNillable = false;
  for (const ClassBinding* b = c->base; b; b = b->base) baseNillable = baseNillable || b->nillable;
  if (c->nillable && !baseNillable) out += "  nil_ = false;\n";
  out += "}\n\nvoid " + n + "::Init() {\n";
  if (c->base) out += "  " + Qualified(c->base) + "::Init();\n";
  out += "  InitMembers();\n}\n\n";

  std::string cases;
  auto access = [&](const MemberBinding& m) {
    cases += "    case " + std::to_string(m.id) + ":\n      " + Access(c, m) + "\n";
  };
  if (c->value) {
    const MemberBinding& v = *c->value;
    const bool own = !c->base || v.id >= c->base->nextId;
    if (v.value.enumeration) {
      const EnumBinding* e = v.value.enumeration;
      const std::string q = "::" + e->ns->cppName + "::";
      cases += "    case " + std::to_string(v.id) + ":\n";
      if (own) {
        cases += "      if (read)\n        value.SetString(" + q + e->cppName + "ToText(static_cast<int>(this->" +
                 v.cppName + ")));\n      else\n        this->" + v.cppName + " = static_cast<" + Qualified(e) +
                 ">(" + q + "TextTo" + e->cppName + "(value.GetString().c_str()));\n      return;\n";
      } else {
        cases += "      if (!read) " + q + "TextTo" + e->cppName + "(value.GetString().c_str());\n      break;\n";
      }
    } else if (own) {
      access(v);
    } else if (ChecksOnStore(v)) {
      cases += "    case " + std::to_string(v.id) + ":\n      vxxml_::CheckStoredValue(read, value, " +
               Quote(v.xmlName) + ", vxxml_::" + v.value.kind + ", " + FacetsName(c, v) + ");\n      break;\n";
    }
  }
  for (const MemberBinding& m : c->elements) access(m);
  for (const MemberBinding& m : c->attributes) access(m);
  if (cases.empty() && !c->base) {
    out += "void " + n + "::AccessProperty(int, bool, vxxml_::VxVariant&) {}\n\n";
  } else {
    out += "void " + n + "::AccessProperty(int id, bool read, vxxml_::VxVariant& value) {\n";
    if (!cases.empty()) out += "  switch (id) {\n" + cases + "    default:\n      break;\n  }\n";
    if (c->base) out += "  " + Qualified(c->base) + "::AccessProperty(id, read, value);\n";
    out += "}\n\n";
  }

  out += "void " + n + "::AddElementInfos(std::vector<vxxml_data_::CElementInfo*>& infos) {\n";
  if (c->base && !c->restrictsContent) out += "  " + Qualified(c->base) + "::AddElementInfos(infos);\n";
  if (!c->elements.empty()) {
    out += "  static constexpr vxxml_::CGeneratedElement kElements[] = {\n";
    for (const MemberBinding& m : c->elements) out += "      " + ElementInfo(c, m) + ",\n";
    out += "  };\n  vxxml_::AddGeneratedElements(infos, kElements);\n";
  } else if (!c->base || c->restrictsContent) {
    out += "  (void)infos;\n";
  }
  out += "}\n\n";

  out += "void " + n + "::AddAttributeInfos(std::vector<vxxml_data_::CAttributeInfo*>& infos) {\n";
  if (c->base) out += "  " + Qualified(c->base) + "::AddAttributeInfos(infos);\n";
  if (!c->attributes.empty()) {
    out += "  static constexpr vxxml_::CGeneratedAttribute kAttributes[] = {\n";
    for (const MemberBinding& m : c->attributes) out += "      " + AttributeInfo(c, m) + ",\n";
    out += "  };\n  vxxml_::AddGeneratedAttributes(infos, kAttributes);\n";
  } else if (!c->base) {
    out += "  (void)infos;\n";
  }
  out += "}\n\n";

  std::string valueId = "-1", valueKind = "vxxml_::ItemType_none";
  if (c->value) {
    valueId = std::to_string(c->value->id);
    valueKind = c->value->value.enumeration ? "vxxml_::ItemType_string" : "vxxml_::" + c->value->value.kind;
  }
  out += "vxxml_data_::CParentElementInfo* " + n + "::NewClassInfo() {\n";
  out += "  return new vxxml_data_::CParentElementInfo(\n      vxxml_data_::XmlElementGroupType_" +
         c->group + ", vxxml_data_::XmlElementType_" + (c->pseudo ? "PseudoElement" : "Element") +
         ", " + Quote(c->typeName) + ", " + Quote(c->typeNs) + ",\n      " +
         (c->pseudo ? "false" : "true") + ", " + (c->writeXsiType ? "true" : "false") + ", " +
         valueId + ", " + valueKind + ", nullptr, " + (c->rawText ? "true" : "false") + ");\n}\n\n";

  if (c->Substitutable()) {
    std::vector<const ClassBinding*> types;
    if (!c->abstract) types.push_back(c);
    for (const ClassBinding* d : c->derived)
      if (!d->abstract) types.push_back(d);
    out += "vxxml_::CSmartPtr<vxxml_::CXmlObjectBase> " + n + "::FromElement(vxxml_::CXmlElement* element) {\n";
    if (types.empty()) {
      out += "  return vxxml_::CreateByXsiType(element, nullptr, 0, nullptr);\n}\n\n";
    } else {
      out += "  static const vxxml_::CGeneratedType kTypes[] = {\n";
      for (const ClassBinding* t : types)
        out += "      {" + Quote(t->typeNs) + ", " + Quote(t->typeName) + ", &vxxml_::CreateGenerated<" +
               Qualified(t) + ">},\n";
      out += "  };\n  return vxxml_::CreateByXsiType(element, kTypes, " + std::to_string(types.size()) +
             ", " + (c->abstract ? "nullptr" : "&vxxml_::CreateGenerated<" + Qualified(c) + ">") + ");\n}\n\n";
    }
  }
  return out;
}

std::vector<const ClassBinding*> Writer::Ordered(const NamespaceBinding* ns) const {
  std::vector<const ClassBinding*> sorted(ns->classes.begin(), ns->classes.end());
  std::sort(sorted.begin(), sorted.end(),
            [](const ClassBinding* a, const ClassBinding* b) { return a->cppName < b->cppName; });
  // Bases before the classes derived from them.
  std::vector<const ClassBinding*> out;
  std::set<const ClassBinding*> done;
  std::function<void(const ClassBinding*)> visit = [&](const ClassBinding* c) {
    if (c->ns != ns || done.count(c)) return;
    if (c->base) visit(c->base);
    done.insert(c);
    out.push_back(c);
  };
  for (const ClassBinding* c : sorted) visit(c);
  return out;
}

void Writer::Uses(const ClassBinding* c, std::set<const NamespaceBinding*>& headers,
                  std::set<const ClassBinding*>& classes) const {
  if (c->base && c->base->ns != c->ns) headers.insert(c->base->ns);
  auto member = [&](const MemberBinding& m) {
    if (m.value.enumeration && m.value.enumeration->ns != c->ns)
      headers.insert(m.value.enumeration->ns);
    if (m.cls && m.cls->ns != c->ns) classes.insert(m.cls);
  };
  if (c->value) member(*c->value);
  for (const MemberBinding& m : c->elements) member(m);
  for (const MemberBinding& m : c->attributes) member(m);
}

std::string Writer::Banner(const NamespaceBinding* ns) const {
  std::string sources;
  for (const std::string& s : ns->sources) sources += (sources.empty() ? "" : ", ") + s;
  return "// Generated by vxxml-gen from " + (sources.empty() ? std::string("(no file)") : sources) +
         ". Do not edit.\n// Target namespace: " + (ns->uri.empty() ? "(none)" : ns->uri) + "\n";
}

std::string Writer::Open(const NamespaceBinding* ns) const { return "namespace " + ns->cppName + " {\n\n"; }
std::string Writer::Close(const NamespaceBinding* ns) const {
  return "}  // namespace " + ns->cppName + "\n";
}

std::string Writer::NamespaceDefinitions(const NamespaceBinding* ns) const {
  std::string out = "const char kNamespace[] = " + Quote(ns->uri) + ";\n\n";
  std::vector<const EnumBinding*> enums(ns->enums.begin(), ns->enums.end());
  std::sort(enums.begin(), enums.end(),
            [](const EnumBinding* a, const EnumBinding* b) { return a->cppName < b->cppName; });
  for (const EnumBinding* e : enums) {
    const std::string table = "k" + e->cppName + "Texts";
    out += "static const char* const " + table + "[] = {";
    for (std::size_t i = 0; i < e->texts.size(); ++i) out += std::string(i ? ", " : "") + Quote(e->texts[i]);
    if (e->texts.empty()) out += "\"\"";
    const std::string count = std::to_string(e->texts.size());
    out += "};\n\nstd::string " + e->cppName + "ToText(int value) {\n  return vxxml_::EnumText(" +
           table + ", " + count + ", value);\n}\n\nint TextTo" + e->cppName +
           "(const char* text) {\n  return vxxml_::EnumValue(" + table + ", " + count + ", text, " +
           Quote(e->cppName) + ", " + (e->collapse ? "true" : "false") + ");\n}\n\n";
  }
  // The context: every namespace of the schemas under its usual prefix.
  out += "vxxml_::CXmlSerializationContext Context() {\n  vxxml_::CXmlSerializationContext context;\n";
  std::vector<const NamespaceBinding*> all;
  all.push_back(ns);
  for (const auto& other : m_binding.namespaces)
    if (std::find(ns->related.begin(), ns->related.end(), other->uri) != ns->related.end())
      all.push_back(other.get());
  std::set<std::string> prefixes{"xsi", "xml"};
  for (const NamespaceBinding* other : all) {
    if (other->uri.empty()) continue;
    std::string prefix = other->prefix;
    for (int n = 2; prefixes.count(prefix); ++n) prefix = other->prefix + std::to_string(n);
    prefixes.insert(prefix);
    out += "  context.GetNamespaceAliases().Add(" + Quote(prefix) + ", " + Quote(other->uri) + ");\n";
  }
  out += "  context.GetNamespaceAliases().Add(\"xsi\", \"http://www.w3.org/2001/XMLSchema-instance\");\n";
  out += "  return context;\n}\n\n";

  // Every global element of the whole set may be the root, this
  // namespace's first.
  std::vector<RootBinding> roots = ns->roots;
  for (const auto& other : m_binding.namespaces)
    if (other.get() != ns) roots.insert(roots.end(), other->roots.begin(), other->roots.end());
  out += "vxxml_::CSmartPtr<vxxml_::CXmlGeneratedClass> ReadDocument(\n    const vxxml_::CBinaryData& bytes, const vxxml_::CXmlSerializationContext& context) {\n";
  if (roots.empty()) {
    out += "  return vxxml_::ReadGeneratedDocument(bytes, context, nullptr, 0);\n}\n\n";
  } else {
    out += "  static const vxxml_::CGeneratedRoot kRoots[] = {\n";
    for (const RootBinding& r : roots)
      out += "      {" + Quote(r.ns) + ", " + Quote(r.name) + ", " +
             (r.cls->Substitutable() ? "&" + Qualified(r.cls) + "::FromElement"
                                     : "&vxxml_::CreateForElement<" + Qualified(r.cls) + ">") +
             "},\n";
    out += "  };\n  return vxxml_::ReadGeneratedDocument(bytes, context, kRoots, " +
           std::to_string(roots.size()) + ");\n}\n\n";
  }
  return out;
}

std::map<std::string, std::string> Writer::Run() {
  std::map<std::string, std::string> files;
  for (const auto& owned : m_binding.namespaces) {
    const NamespaceBinding* ns = owned.get();
    if (ns->classes.empty() && ns->enums.empty() && ns->roots.empty()) continue;
    const std::vector<const ClassBinding*> classes = Ordered(ns);
    std::set<const NamespaceBinding*> headers;
    std::set<const ClassBinding*> foreign;
    for (const ClassBinding* c : classes) Uses(c, headers, foreign);

    // ---- the header: enumerations, then the classes, bases first.
    const std::string stem = ns->fileStem;
    std::string decl = "/// The target namespace, " + Quote(ns->uri) + ".\nextern const char kNamespace[];\n\n";
    decl += "/// A context that writes documents with the schemas' namespaces declared once, on the\n"
            "/// document element, under their usual prefixes.\n"
            "::VxXmlLib10::CXmlSerializationContext Context();\n\n";
    decl += "/// Reads a document in any form the library reads (text or Fast Infoset, compressed or\n"
            "/// not) into the class of whichever global element is its root. Fails with \"The\n"
            "/// document element [%s] in the namespace [%s] is not a global element of the schema\"\n"
            "/// when none is.\n"
            "::VxXmlLib10::CSmartPtr<::VxXmlLib10::CXmlGeneratedClass> ReadDocument(\n"
            "    const ::VxXmlLib10::CBinaryData& bytes,\n"
            "    const ::VxXmlLib10::CXmlSerializationContext& context = Context());\n\n";
    std::vector<const EnumBinding*> enums(ns->enums.begin(), ns->enums.end());
    std::sort(enums.begin(), enums.end(),
              [](const EnumBinding* a, const EnumBinding* b) { return a->cppName < b->cppName; });
    for (const EnumBinding* e : enums) decl += EnumDeclaration(e);
    for (const ClassBinding* c : classes) decl += "class " + c->cppName + ";\n";
    if (!classes.empty()) decl += "\n";

    std::string includes = "#include <optional>\n#include <string>\n#include <vector>\n\n#include <vxxml/vxxml.h>\n";
    std::set<std::string> includeFiles;
    for (const NamespaceBinding* h : headers) includeFiles.insert(h->fileStem + ".h");
    for (const std::string& f : includeFiles) includes += "#include \"" + f + "\"\n";
    std::string forwards;
    std::map<std::string, std::vector<std::string>> byNamespace;
    for (const ClassBinding* f : foreign) byNamespace[f->ns->cppName].push_back(f->cppName);
    for (auto& entry : byNamespace) {
      std::sort(entry.second.begin(), entry.second.end());
      forwards += "namespace " + entry.first + " {\n";
      for (const std::string& name : entry.second) forwards += "class " + name + ";\n";
      forwards += "}  // namespace " + entry.first + "\n";
    }
    if (!forwards.empty()) forwards = "\n" + forwards;

    const std::string sourcePrelude = "\nnamespace vxxml_ = ::VxXmlLib10;\nnamespace vxxml_data_ = ::VxXmlLib10Data;\n\n";
    std::set<std::string> sourceIncludes{stem + ".h"};
    for (const ClassBinding* f : foreign) sourceIncludes.insert(f->ns->fileStem + ".h");
    for (const ClassBinding* c : classes)
      for (const ClassBinding* d : c->derived) sourceIncludes.insert(d->ns->fileStem + ".h");
    for (const auto& other : m_binding.namespaces)
      for (const RootBinding& r : other->roots) sourceIncludes.insert(r.cls->ns->fileStem + ".h");

    if (!m_options.filePerType) {
      std::string header = Banner(ns) + "#ifndef " + Guard(stem + ".h") + "\n#define " + Guard(stem + ".h") + "\n\n" +
                           includes + forwards + "\n" + Open(ns) + decl;
      for (const ClassBinding* c : classes) header += ClassDeclaration(c);
      header += Close(ns);
      // The classes of other namespaces its members hold, complete for the
      // user; after this header's own classes, so that two namespaces may
      // hold each other's classes.
      std::set<std::string> trailing;
      for (const ClassBinding* f : foreign) trailing.insert(f->ns->fileStem + ".h");
      if (!trailing.empty()) header += "\n";
      for (const std::string& f : trailing) header += "#include \"" + f + "\"\n";
      header += "\n#endif  // " + Guard(stem + ".h") + "\n";
      files[stem + ".h"] = header;
      std::string source = Banner(ns);
      for (const std::string& f : sourceIncludes) source += "#include \"" + f + "\"\n";
      source += "\n" + Open(ns) + sourcePrelude.substr(1) + NamespaceDefinitions(ns);
      for (const ClassBinding* c : classes) source += ClassDefinition(c);
      source += Close(ns);
      files[stem + ".cpp"] = source;
      continue;
    }
    // One header and source per class; <stem>_fwd.h declares what they share
    // and <stem>.h includes them all.
    const std::string fwd = stem + "_fwd.h";
    files[fwd] = Banner(ns) + "#ifndef " + Guard(fwd) + "\n#define " + Guard(fwd) + "\n\n" + includes +
                 forwards + "\n" + Open(ns) + decl + Close(ns) + "\n#endif  // " + Guard(fwd) + "\n";
    std::string all = Banner(ns) + "#ifndef " + Guard(stem + ".h") + "\n#define " + Guard(stem + ".h") + "\n\n";
    for (const ClassBinding* c : classes) {
      const std::string file = stem + "_" + c->cppName;
      all += "#include \"" + file + ".h\"\n";
      std::string header = Banner(ns) + "#ifndef " + Guard(file + ".h") + "\n#define " + Guard(file + ".h") + "\n\n#include \"" + fwd + "\"\n";
      if (c->base) header += "#include \"" + c->base->ns->fileStem + "_" + c->base->cppName + ".h\"\n";
      header += "\n" + Open(ns) + ClassDeclaration(c) + Close(ns) + "\n#endif  // " + Guard(file + ".h") + "\n";
      files[file + ".h"] = header;
      std::set<std::string> inc{stem + ".h"};
      for (const auto& h : sourceIncludes) inc.insert(h);
      std::string source = Banner(ns);
      for (const std::string& f : inc) source += "#include \"" + f + "\"\n";
      source += "\n" + Open(ns) + sourcePrelude.substr(1) + ClassDefinition(c) + Close(ns);
      files[file + ".cpp"] = source;
    }
    all += "\n#endif  // " + Guard(stem + ".h") + "\n";
    files[stem + ".h"] = all;
    std::string source = Banner(ns);
    for (const std::string& f : sourceIncludes) source += "#include \"" + f + "\"\n";
    source += "\n" + Open(ns) + sourcePrelude.substr(1) + NamespaceDefinitions(ns) + Close(ns);
    files[stem + ".cpp"] = source;
  }
  return files;
}

}  // namespace

std::map<std::string, std::string> Emit(const Binding& binding, const EmitOptions& options) {
  return Writer(binding, options).Run();
}

}  // namespace vxgen
