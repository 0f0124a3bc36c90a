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
