#include "vxxml/XmlWriter.h"

#include <gtest/gtest.h>

#include "vxxml/XmlTextWriter.h"

using namespace VxXmlLib10;
using Context = CXmlWriter::CXmlWriterContext;

TEST(XmlWriter, GeneratedPrefixNumbers) {
  struct Case {
    int n;
    const char* prefix;
  } cases[] = {{0, "AA"},    {1, "AB"},     {25, "AZ"},    {26, "BA"},  {675, "ZZ"},
               {676, "AAA"}, {677, "AAB"},  {702, "ABA"},  {-5, "AA"},
               {676 + 17575, "ZZZ"}, {676 + 17576, "AAAA"}};
  for (const Case& c : cases) EXPECT_EQ(CXmlWriter::NsIntToString(c.n), c.prefix) << c.n;
}

TEST(XmlWriter, UniquePrefixSkipsValuesOnly) {
  struct Case {
    CXmlWriter::NamespaceMap map;
    const char* expected;
  } cases[] = {
      {{}, "AA"},
      {{{"urn:1", "AA"}, {"urn:2", "AC"}}, "AB"},
      {{{CXmlWriter::XML_NAMESPACE, "xml"}}, "AA"},
      {{{"AA", "p"}}, "AA"},  // keys are not consulted
  };
  for (const Case& c : cases) EXPECT_EQ(CXmlWriter::GetUniquePrefix(c.map), c.expected);
  CXmlWriter::NamespaceMap full;
  for (int i = 0; i < 676; ++i) full["urn:" + std::to_string(i)] = CXmlWriter::NsIntToString(i);
  EXPECT_EQ(CXmlWriter::GetUniquePrefix(full), "AAA");
  // "XML..." prefixes are reserved and skipped.
  for (int i = 676; i < 676 + 23 * 676 + 12 * 26 + 11; ++i)  // up to "XMK"
    full["urn:" + std::to_string(i)] = CXmlWriter::NsIntToString(i);
  EXPECT_EQ(CXmlWriter::GetUniquePrefix(full), "XMM");
}

TEST(XmlWriter, ContextsShareUntilTheyChange) {
  CXmlWriter::NamespaceMap writerMap{{"urn:p", "p"}};
  Context* root = new Context("r", "urn:a", "urn:d", &writerMap, nullptr);
  EXPECT_EQ(root->m_depth, 0);
  EXPECT_TRUE(root->OwnsMap());
  EXPECT_EQ(root->GetDefaultNamespace(), "urn:d");
  writerMap["urn:late"] = "late";  // the root took a private copy
  EXPECT_EQ(root->FindPrefix("urn:late"), nullptr);

  Context* child = new Context("c", "urn:b", root);
  EXPECT_EQ(child->m_depth, 1);
  EXPECT_TRUE(child->SharesParentMap());
  EXPECT_FALSE(child->OwnsMap());
  EXPECT_EQ(&child->GetNamespaceMap(), &root->GetNamespaceMap());
  EXPECT_EQ(child->GetDefaultNamespace(), "urn:d");

  // Lookup with insertion lands in the shared map.
  EXPECT_EQ(child->GetNamespaceMapValue("urn:new"), "");
  EXPECT_EQ(root->GetNamespaceMap().count("urn:new"), 1u);

  Context* grandchild = new Context("g", "", child);
  grandchild->SetNamespaceMapValue("urn:q", "q");
  EXPECT_TRUE(grandchild->OwnsMap());
  EXPECT_FALSE(grandchild->SharesParentMap());
  EXPECT_EQ(grandchild->GetNamespaceMapValue(std::string("urn:q")), "q");
  EXPECT_EQ(grandchild->GetNamespaceMapValue("urn:p"), "p");
  EXPECT_EQ(grandchild->GetDefaultNamespace(), "urn:d");
  EXPECT_EQ(root->FindPrefix("urn:q"), nullptr);

  child->SetDefaultNamespace("urn:c");
  EXPECT_EQ(child->GetDefaultNamespace(), "urn:c");
  EXPECT_EQ(root->GetDefaultNamespace(), "urn:d");
  delete grandchild;  // deletes the whole chain
}

TEST(XmlWriter, NamespaceCallsGoToTheWriterOrTheOpenElement) {
  CTextStream stream;
  CXmlTextWriter writer(stream);
  writer.SetFormat(false);
  EXPECT_EQ(writer.GetWriterNamespaceMap().at(CXmlWriter::XML_NAMESPACE), "xml");
  writer.AddNamespace("p", "urn:p");
  writer.SetDefaultNamespace("urn:d");
  EXPECT_EQ(writer.GetWriterNamespaceMap().at("urn:p"), "p");
  EXPECT_EQ(writer.GetWriterDefaultNamespace(), "urn:d");
  EXPECT_EQ(writer.GetCurrentContext(), nullptr);

  writer.WriteStartElement("r", "urn:d");
  writer.AddNamespace("q", "urn:q");
  writer.SetDefaultNamespace("urn:e");
  Context* context = writer.GetCurrentContext();
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(*context->FindPrefix("urn:q"), "q");
  EXPECT_EQ(context->GetDefaultNamespace(), "urn:e");
  EXPECT_EQ(writer.GetWriterNamespaceMap().count("urn:q"), 0u);
  EXPECT_EQ(writer.GetWriterDefaultNamespace(), "urn:d");
  writer.WriteEndElement();
  EXPECT_EQ(writer.GetCurrentContext(), nullptr);
  EXPECT_NO_THROW(writer.Close());
  EXPECT_EQ(std::string(stream.GetText()), "<r xmlns=\"urn:d\" xmlns:p=\"urn:p\"/>");
}
