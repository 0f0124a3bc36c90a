#include "vxxml/XmlWriter.h"

#include <gtest/gtest.h>

using namespace VxXmlLib10;

TEST(XmlWriter, GeneratedPrefixNumbers) {
  const struct {
    int n;
    const char* prefix;
  } cases[] = {{0, "AA"},   {25, "AZ"},  {26, "BA"}, {675, "ZZ"}, {676, "AAA"}, {702, "ABA"},
               {-5, "AA"}, {676 + 17575, "ZZZ"}, {676 + 17576, "AAAA"}};
  for (const auto& c : cases) EXPECT_EQ(CXmlWriter::NsIntToString(c.n), c.prefix) << c.n;
}

TEST(XmlWriter, UniquePrefixSkipsValuesOnly) {
  const struct {
    CXmlWriter::NamespaceMap map;
    const char* expected;
  } cases[] = {
      {{{"urn:1", "AA"}, {"urn:2", "AC"}}, "AB"},
      {{{"AA", "p"}}, "AA"},  // keys are not consulted
  };
  for (const auto& c : cases) EXPECT_EQ(CXmlWriter::GetUniquePrefix(c.map), c.expected);
  // "XML..." prefixes are reserved and skipped.
  CXmlWriter::NamespaceMap full;
  for (int i = 0; i < 676 + 23 * 676 + 12 * 26 + 11; ++i)  // up to "XMK"
    full["urn:" + std::to_string(i)] = CXmlWriter::NsIntToString(i);
  EXPECT_EQ(CXmlWriter::GetUniquePrefix(full), "XMM");
}

// A nested element's context shares its parent's map until it changes it.
TEST(XmlWriter, ContextsShareUntilTheyChange) {
  typedef CXmlWriter::CXmlWriterContext Context;
  CXmlWriter::NamespaceMap writerMap{{"urn:p", "p"}};
  Context* root = new Context("r", "urn:a", "urn:d", &writerMap, nullptr);
  writerMap["urn:late"] = "late";  // the root took a private copy
  EXPECT_EQ(root->FindPrefix("urn:late"), nullptr);
  Context* child = new Context("c", "urn:b", root);
  EXPECT_EQ(&child->GetNamespaceMap(), &root->GetNamespaceMap());
  EXPECT_EQ(child->GetNamespaceMapValue("urn:new"), "");  // inserted, into the shared map
  EXPECT_EQ(root->GetNamespaceMap().count("urn:new"), 1u);
  EXPECT_FALSE(root->HoldsPrefix("x"));
  root->GetNamespaceMap()["urn:x"] = "x";  // changed through the reference: seen
  EXPECT_TRUE(root->HoldsPrefix("x"));
  Context* grandchild = new Context("g", "", child);
  grandchild->SetNamespaceMapValue("urn:q", "q");
  grandchild->SetDefaultNamespace("urn:g");
  EXPECT_EQ(grandchild->GetNamespaceMapValue(std::string("urn:q")), "q");
  EXPECT_EQ(grandchild->GetNamespaceMapValue("urn:p"), "p");
  EXPECT_EQ(root->FindPrefix("urn:q"), nullptr);
  EXPECT_EQ(child->GetDefaultNamespace(), "urn:d");
  EXPECT_EQ(grandchild->GetDefaultNamespace(), "urn:g");
  delete grandchild;  // deletes the whole chain
}
