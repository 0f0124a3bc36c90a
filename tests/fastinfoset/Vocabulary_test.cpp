#include <gtest/gtest.h>

#include <string>

#include "vxxml/FastInfosetContext.h"

using namespace VxXmlLib10;

TEST(FIVocabulary, InitialVocabulary) {
  CFIVocabulary v;
  unsigned long index = 0;
  EXPECT_TRUE(v.FindPrefixNameIndex("xml", index));
  EXPECT_EQ(index, 1u);
  EXPECT_TRUE(v.FindNamespaceNameIndex("http://www.w3.org/XML/1998/namespace", index));
  EXPECT_EQ(index, 1u);
  EXPECT_FALSE(v.FindPrefixNameIndex("xs", index));
  EXPECT_FALSE(v.FindLocalNameIndex("xml", index));
  ASSERT_EQ(v.GetRestrictedAlphabets().size(), 3u);
  EXPECT_EQ(v.GetRestrictedAlphabets()[1], "0123456789-+.e ");
  EXPECT_EQ(v.GetRestrictedAlphabets()[2], "0123456789-:TZ ");
  EXPECT_EQ(v.GetLocalNamesTable().size(), 0u);
}

TEST(FIVocabulary, StringsAreAddedOnce) {
  CFIVocabulary v;
  v.AddLocalName("a");
  v.AddLocalName("b");
  v.AddLocalName("a");
  EXPECT_EQ(v.GetLocalNamesTable().size(), 2u);
  unsigned long index = 0;
  EXPECT_TRUE(v.FindLocalNameIndex("b", index));
  EXPECT_EQ(index, 2u);
  EXPECT_EQ(v.GetLocalNamesTable().at(2), "b");
  v.AddAttributeValue("x");
  v.AddElementValue("y");
  EXPECT_TRUE(v.FindAttributeValueIndex("x", index));
  EXPECT_FALSE(v.FindAttributeValueIndex("y", index));
  EXPECT_TRUE(v.FindCharacterChunkIndex("y", index));
  EXPECT_EQ(index, 1u);
  // A qualified name is found by all three of its parts.
  v.AddElement("p", "urn:x", "a");
  EXPECT_TRUE(v.FindElementIndex("p", "urn:x", "a", index));
  EXPECT_EQ(index, 1u);
  EXPECT_FALSE(v.FindElementIndex("", "urn:x", "a", index));
}

TEST(FIVocabulary, TablesStopAtTwoToTheTwenty) {
  CFIVocabulary v;
  const unsigned long limit = 1UL << 20;
  for (unsigned long i = 0; i < limit; ++i) v.AddLocalName(std::to_string(i));
  EXPECT_EQ(v.GetLocalNamesTable().size(), limit);
  v.AddLocalName("one more");
  unsigned long index = 0;
  EXPECT_FALSE(v.FindLocalNameIndex("one more", index));
  EXPECT_EQ(v.GetLocalNamesTable().size(), limit);
  EXPECT_TRUE(v.FindLocalNameIndex(std::to_string(limit - 1), index));
  EXPECT_EQ(index, limit);
}
