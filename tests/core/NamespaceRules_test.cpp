#include <gtest/gtest.h>

#include "vxxml/ClassFactory.h"
#include "vxxml/Exception.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"

using namespace VxXmlLib10;

namespace {

// T is the target namespace; A, B, X, Y are other URIs.
const char* const T = "urn:t";

struct RuleCase {
  const char* rule;
  const char* target;
  const char* ns;
  bool accepted;
};

const RuleCase kRules[] = {
    {"##any", T, "", true},
    {"##any", T, T, true},
    {"##any", T, "urn:x", true},
    {"##any", "", "", true},
    {"##other", T, T, false},
    {"##other", T, "urn:x", true},
    {"##other", T, "", true},
    {"##other", "", "", false},
    {"##other", "", "urn:x", true},
    {"##local", T, "", true},
    {"##local", T, T, false},
    {"##local", T, "urn:x", false},
    {"##targetNamespace", T, T, true},
    {"##targetNamespace", T, "", false},
    {"##targetNamespace", T, "urn:x", false},
    {"##targetNamespace", "", "", true},
    {"##targetNamespace ##local", T, T, true},
    {"##targetNamespace ##local", T, "", true},
    {"##targetNamespace ##local", T, "urn:x", false},
    {"urn:a urn:b", T, "urn:a", true},
    {"urn:a urn:b", T, "urn:b", true},
    {"urn:a urn:b", T, "urn:y", false},
    {"urn:a urn:b", T, "", true},
    {"urn:a urn:b", T, T, false},
    {"urn:a ##targetNamespace", T, T, true},
    {"urn:a", T, "URN:A", false},             // case-sensitive
    {"urn:a", T, "urn:a ", false},            // no trimming
    {"urn:a", T, "urn:ab", false},            // whole tokens only
    {"##Any", T, "urn:x", false},             // keywords are case-sensitive: a URI token
    {"##any", T, "##any", true},
    {"", T, "", true},                        // an empty rule is one empty token
    {"", T, T, false},
    {"urn:a  urn:b", T, "urn:b", true},       // two spaces hold an empty token
    {"urn:a  urn:b", T, "", true},
    {" ##any", T, "urn:x", true},
    {"##local ", T, "urn:x", false},
};

std::string Message(const std::string& ns, const std::string& rule, const std::string& target) {
  try {
    CXmlObjectHelper::TestNamespace(ns, rule, target);
  } catch (const CVxInvalidNamespaceException& e) {
    return e.GetFullMessage();
  }
  return "no exception";
}

struct Node : CXmlObjectBase {
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return ""; }
  std::string GetNamespace() const override { return ""; }
  void ToXml_Int(CXmlWriter*, bool, const char*, const CXmlSerializationContext&,
                 bool) const override {}
  CXmlElement* FromXml_Int(CXmlElement* e, CXmlElement*, const CXmlSerializationContext&,
                           bool) override {
    return e;
  }
};

}  // namespace

TEST(NamespaceRules, RuleTable) {
  Node node;
  for (const RuleCase& c : kRules) {
    SCOPED_TRACE(std::string("rule [") + c.rule + "] target [" + c.target + "] ns [" + c.ns + "]");
    EXPECT_EQ(CXmlObjectHelper::IsNamespaceValid(c.ns, c.rule, c.target), c.accepted);
    EXPECT_EQ(node.IsNamespaceValid(c.ns, c.rule, c.target), c.accepted);
    if (c.accepted) {
      EXPECT_TRUE(CXmlObjectHelper::TestNamespace(c.ns, c.rule, c.target));
      EXPECT_TRUE(node.TestNamespace(c.ns, c.rule, c.target));
    } else {
      EXPECT_THROW(node.TestNamespace(c.ns, c.rule, c.target), CVxInvalidNamespaceException);
    }
  }
  EXPECT_TRUE(node.IsNamespaceValid(nullptr, nullptr, nullptr));  // all empty
}

TEST(NamespaceRules, RejectionMessages) {
  EXPECT_EQ(Message("urn:x", "##targetNamespace ##local", "urn:t"),
            "Invalid namespace [urn:x]. The namespace must be one of [##targetNamespace "
            "##local] where the target namespace is [urn:t]");
  EXPECT_EQ(Message("urn:t", "##other", "urn:t"),
            "Invalid namespace [urn:t]. The namespace must be one of [##other] where the target "
            "namespace is [urn:t]");
  EXPECT_EQ(Message("urn:y", "urn:a urn:b", ""),
            "Invalid namespace [urn:y]. The namespace must be one of [urn:a urn:b] where the "
            "target namespace is []");
  EXPECT_EQ(Message("", "##other", ""),
            "Invalid namespace []. The namespace must be one of [##other] where the target "
            "namespace is []");
  // The exception is a validation exception as well.
  EXPECT_THROW(CXmlObjectHelper::TestNamespace("a", "##local", ""), CVxValidationException);
}

TEST(NamespaceRules, ElementNameMatching) {
  CXmlDocument document;
  document.LoadXml("<p:a xmlns:p='urn:a'><b/></p:a>");
  const CXmlElement* a = document.GetDocumentElement();
  const CXmlElement* b = a->GetFirstElement();

  CXmlSerializationContext strict, ignoring, noNamespaces;
  ignoring.SetIgnoreNamespaces(true);
  noNamespaces.SetSchemaType(SchemaType_NoNamespaces);

  struct {
    const CXmlSerializationContext* context;
    const CXmlElement* element;
    const char* name;
    const char* ns;
    bool match;
  } cases[] = {
      {&strict, a, "a", "urn:a", true},      {&strict, a, "a", "", false},
      {&strict, a, "a", "urn:b", false},     {&strict, a, "A", "urn:a", false},
      {&strict, b, "b", "", true},           {&strict, b, "b", "urn:a", false},
      {&ignoring, a, "a", "urn:b", true},    {&ignoring, a, "b", "urn:a", false},
      {&noNamespaces, a, "a", "urn:z", true}, {&noNamespaces, b, "b", "urn:z", true},
      {&noNamespaces, a, "p:a", "", false},  {&strict, nullptr, "a", "", false},
  };
  Node node;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " in [" + c.ns + "]");
    EXPECT_EQ(CXmlObjectHelper::DoesElementNameMatch(*c.context, c.element, c.name, c.ns),
              c.match);
    EXPECT_EQ(node.DoesElementNameMatch(*c.context, c.element, c.name, c.ns), c.match);
  }

  // A document read without namespace processing keeps the prefix in the name.
  CXmlDocument raw(noNamespaces);
  raw.LoadXml("<p:a xmlns:p='urn:a'/>");
  EXPECT_TRUE(CXmlObjectHelper::DoesElementNameMatch(noNamespaces, raw.GetDocumentElement(),
                                                     "p:a", "urn:a"));
}

TEST(NamespaceRules, XsiTypeFactoryHelpers) {
  CXmlDocument document;
  document.LoadXml(
      "<r xmlns='urn:r' xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' "
      "xmlns:a='urn:a'>"
      "<c xsi:type='a:Derived'/>"
      "<c xsi:type='Plain'/>"
      "<c xsi:type='q:Undeclared'/>"
      "<c xsi:type='a:b:c'/>"
      "<c type='NotXsi'/>"
      "<n:c xmlns:n='urn:n' xsi:type=':Empty'/>"
      "</r>");
  struct {
    const char* type;
    const char* ns;
  } expected[] = {{"Derived", "urn:a"}, {"Plain", "urn:r"}, {"Undeclared", "urn:r"},
                  {"b:c", "urn:a"},     {"", "urn:r"},
                  // an empty prefix looks up the document's default namespace
                  {"Empty", "urn:r"}};
  CXmlElement* c = document.GetDocumentElement()->GetFirstElement();
  for (const auto& e : expected) {
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(CClassfactoryBase::GetElementType(c), e.type);
    EXPECT_EQ(CClassfactoryBase::GetElementTypeNamespaceUri(c), e.ns) << e.type;
    c = c->GetNextSiblingElement();
  }
  EXPECT_EQ(CClassfactoryBase::GetElementType(nullptr), "");
  EXPECT_EQ(CClassfactoryBase::GetElementTypeNamespaceUri(nullptr), "");
}
