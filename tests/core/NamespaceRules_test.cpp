#include <gtest/gtest.h>

#include "vxxml/ClassFactory.h"
#include "vxxml/Exception.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"
#include "TestUtil.h"

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
    {"##any", T, "urn:x", true},
    {"##other", T, T, false},
    {"##other", T, "", true},
    {"##other", "", "", false},
    {"##local", T, "", true},
    {"##local", T, T, false},
    {"##targetNamespace", T, T, true},
    {"##targetNamespace", T, "", false},
    {"##targetNamespace ##local", T, "", true},
    {"##targetNamespace ##local", T, "urn:x", false},
    {"urn:a urn:b", T, "urn:b", true},
    {"urn:a urn:b", T, "urn:y", false},
    {"urn:a urn:b", T, "", true},             // a URI token admits unqualified names
    {"urn:a", T, "URN:A", false},             // case-sensitive
    {"urn:a", T, "urn:a ", false},            // no trimming
    {"urn:a", T, "urn:ab", false},            // whole tokens only
    {"##Any", T, "urn:x", false},             // keywords are case-sensitive: a URI token
    {"", T, "", true},                        // an empty rule is one empty token
    {"", T, T, false},
    {"urn:a  urn:b", T, "urn:b", true},       // two spaces hold an empty token
    {" ##any", T, "urn:x", true},
    {"##local ", T, "urn:x", false},
};

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

// A rejected namespace throws an invalid-namespace exception naming the three texts.
TEST(NamespaceRules, RuleTable) {
  Node node;
  for (const RuleCase& c : kRules) {
    SCOPED_TRACE(std::string("rule [") + c.rule + "] target [" + c.target + "] ns [" + c.ns + "]");
    EXPECT_EQ(CXmlObjectHelper::IsNamespaceValid(c.ns, c.rule, c.target), c.accepted);
    EXPECT_EQ(node.IsNamespaceValid(c.ns, c.rule, c.target), c.accepted);
    const std::string failure = vxtest::Failure([&] { node.TestNamespace(c.ns, c.rule, c.target); });
    EXPECT_EQ(failure, c.accepted ? ""
                                  : vxtest::Named<CVxInvalidNamespaceException>(
                                        std::string("Invalid namespace [") + c.ns +
                                        "]. The namespace must be one of [" + c.rule +
                                        "] where the target namespace is [" + c.target + "]"));
  }
  EXPECT_TRUE(node.IsNamespaceValid(nullptr, nullptr, nullptr));  // all empty
}
