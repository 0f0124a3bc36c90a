// The prefix numbering of the writer core; the rest of the core is tested through the writers.
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
