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
}

TEST(FIVocabulary, QualifiedNamesShareParts) {
  CFIVocabulary v;
  v.AddElement("p", "U", "a");
  v.AddElement("q", "U", "a");
  v.AddElement("q", "U", "a");
  v.AddAttribute("", "", "a");
  const auto& elements = v.GetElementNamesTable();
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements.at(1).namespaceNameIndex, elements.at(2).namespaceNameIndex);
  EXPECT_EQ(elements.at(1).localNameIndex, elements.at(2).localNameIndex);
  EXPECT_NE(elements.at(1).prefixIndex, elements.at(2).prefixIndex);
  EXPECT_EQ(elements.at(1).prefixIndex, 2u);  // after "xml"
  EXPECT_EQ(elements.at(1).namespaceNameIndex, 2u);
  unsigned long index = 0;
  EXPECT_TRUE(v.FindElementIndex("q", "U", "a", index));
  EXPECT_EQ(index, 2u);
  EXPECT_FALSE(v.FindElementIndex("", "U", "a", index));
  ASSERT_EQ(v.GetAttributeNamesTable().size(), 1u);
  EXPECT_EQ(v.GetAttributeNamesTable().at(1).prefixIndex, 0u);
  EXPECT_EQ(v.GetAttributeNamesTable().at(1).namespaceNameIndex, 0u);
  EXPECT_EQ(v.GetAttributeNamesTable().at(1).localNameIndex, 1u);
  // A copy is independent.
  CFIVocabulary copy(v);
  copy.AddLocalName("z");
  EXPECT_FALSE(v.FindLocalNameIndex("z", index));
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

TEST(FastInfosetContext, SuggestedValues) {
  using ECS = CFastInfosetContext::EncodedCharacterString;
  CFastInfosetContext c;
  for (unsigned long t = 0; t < 29; ++t) EXPECT_EQ(c.GetEncoding(t).kind, ECS::Kind_String);
  c.SetSuggestedValues();
  const struct {
    ItemType type;
    ECS::Kind kind;
    unsigned long index;
  } expected[] = {
      {ItemType_hexBinary, ECS::Kind_EncodingAlgorithm, 1},
      {ItemType_base64Binary, ECS::Kind_EncodingAlgorithm, 2},
      {ItemType_i1, ECS::Kind_EncodingAlgorithm, 3},
      {ItemType_ui2, ECS::Kind_EncodingAlgorithm, 4},
      {ItemType_ui8, ECS::Kind_EncodingAlgorithm, 5},
      {ItemType_r4, ECS::Kind_EncodingAlgorithm, 7},
      {ItemType_r8, ECS::Kind_EncodingAlgorithm, 8},
      {ItemType_boolean, ECS::Kind_EncodingAlgorithm, 6},
      {ItemType_datetime, ECS::Kind_RestrictedAlphabet, 2},
      {ItemType_year, ECS::Kind_RestrictedAlphabet, 2},
      {ItemType_decimal, ECS::Kind_RestrictedAlphabet, 1},
      {ItemType_integer, ECS::Kind_RestrictedAlphabet, 1},
      {ItemType_duration, ECS::Kind_String, 0},
      {ItemType_string, ECS::Kind_String, 0},
      {ItemType_char, ECS::Kind_String, 0},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(c.GetEncoding(e.type).kind, e.kind) << e.type;
    if (e.kind != ECS::Kind_String) {
      EXPECT_EQ(c.GetEncoding(e.type).index, e.index) << e.type;
    }
  }
  c.SetEncoding(99, {ECS::Kind_EncodingAlgorithm, 1});  // outside the table: ignored
  EXPECT_EQ(c.GetEncoding(99).kind, ECS::Kind_String);
}
