#include <gtest/gtest.h>

#include <string>

#include "vxxml/FastInfosetContext.h"

using namespace VxXmlLib10;

TEST(FIVocabulary, StringsAreAddedOnceAndFoundInTheirOwnTables) {
  CFIVocabulary v;
  v.AddLocalName("a");
  v.AddLocalName("b");
  v.AddLocalName("a");
  EXPECT_EQ(v.GetLocalNamesTable().size(), 2u);
  v.AddElement("p", "urn:x", "a");
  unsigned long index = 0;
  EXPECT_TRUE(v.FindElementIndex("p", "urn:x", "a", index));
  EXPECT_EQ(index, 1u);
  EXPECT_FALSE(v.FindElementIndex("", "urn:x", "a", index));
  // Values and chunks in tables of their own, after the initial vocabulary's prefix
  // and namespace name.
  v.AddAttributeValue("x");
  v.AddElementValue("y");
  EXPECT_TRUE(v.FindAttributeValueIndex("x", index));
  EXPECT_FALSE(v.FindAttributeValueIndex("y", index));
  EXPECT_TRUE(v.FindCharacterChunkIndex("y", index));
  EXPECT_TRUE(v.FindPrefixNameIndex("xml", index));
  EXPECT_TRUE(v.FindNamespaceNameIndex("http://www.w3.org/XML/1998/namespace", index));
  EXPECT_EQ(index, 1u);
}

TEST(FIVocabulary, TablesStopAtTwoToTheTwenty) {
  CFIVocabulary v;
  const unsigned long limit = 1UL << 20;
  for (unsigned long i = 0; i < limit; ++i) v.AddLocalName(std::to_string(i));
  v.AddLocalName("one more");
  unsigned long index = 0;
  EXPECT_FALSE(v.FindLocalNameIndex("one more", index));
  EXPECT_EQ(v.GetLocalNamesTable().size(), limit);
  EXPECT_TRUE(v.FindLocalNameIndex(std::to_string(limit - 1), index));
  EXPECT_EQ(index, limit);
}
