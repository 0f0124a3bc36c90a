#include "vxxml/SerializationContext.h"

#include <gtest/gtest.h>

#include "TestUtil.h"
#include "vxxml/Exception.h"

using namespace VxXmlLib10;

TEST(SerializationContext, NoNamespacesImpliesIgnoreNamespaces) {
  CXmlSerializationContext c;
  c.SetSchemaType(SchemaType_NoNamespaces);
  EXPECT_TRUE(c.GetIgnoreNamespaces());
  c.SetSchemaType(SchemaType_Alternate);
  EXPECT_FALSE(c.GetIgnoreNamespaces());
  c.SetIgnoreNamespaces(true);
  EXPECT_TRUE(c.GetIgnoreNamespaces());
}

TEST(SerializationContext, ReadingRelaxationsExcludeEachOther) {
  const std::string both =
      "The parser can only ignore additional elements, or ignore the fact that some required "
      "ones are missing, you can not ignore both\n";
  CXmlSerializationContext c;
  c.SetIgnoreUnknownElements(true);
  vxtest::ExpectFailure<CVxInvalidStateException>(
      [&] { c.SetIgnoreMissingMandatoryElements(true); },
      both + "Set IgnoreUnknownElements to false before setting IgnoreMissingMandatoryElements "
             "to true");
  EXPECT_FALSE(c.GetIgnoreMissingMandatoryElements());
  c.SetIgnoreMissingMandatoryElements(false);  // clearing always works
  c.SetIgnoreUnknownElements(false);
  c.SetIgnoreMissingMandatoryElements(true);
  vxtest::ExpectFailure<CVxInvalidStateException>(
      [&] { c.SetIgnoreUnknownElements(true); },
      both + "Set IgnoreMissingMandatoryElements to false before setting IgnoreUnknownElements "
             "to true");
  EXPECT_FALSE(c.GetIgnoreUnknownElements());
}

TEST(SerializationContext, CopyIsByValue) {
  CXmlSerializationContext a;
  a.SetDefaultNamespaceURI("urn:a");
  a.GetNamespaceAliases().Add("p", "urn:p");
  a.GetProcessingInstructions().push_back("<?pi x?>");
  a.GetFIContext().SetSuggestedValues();
  CXmlSerializationContext b(a);
  b.GetNamespaceAliases().Add("q", "urn:q");
  b.GetProcessingInstructions().clear();
  b.SetDefaultNamespaceURI(nullptr);
  EXPECT_EQ(a.GetNamespaceAliases().GetNamespaceCount(), 1);
  EXPECT_EQ(a.GetProcessingInstructions().size(), 1u);
  EXPECT_EQ(a.GetDefaultNamespaceURI(), "urn:a");
  EXPECT_EQ(b.GetDefaultNamespaceURI(), "");
  EXPECT_EQ(b.GetFIContext().GetEncoding(ItemType_i4).kind,
            CFastInfosetContext::EncodedCharacterString::Kind_EncodingAlgorithm);
}

TEST(NamespaceAliasMap, OrderedByUri) {
  CNamespaceAliasMap m;
  m.Add("z", "urn:z");
  m.Add("a", "urn:a");
  ASSERT_EQ(m.GetNamespaceCount(), 2);
  EXPECT_EQ(m.GetNamespaceAt(0), "urn:a");
  EXPECT_EQ(m.GetNamespaceAt(1), "urn:z");
  m.Add("b", "urn:a");  // replaces the alias, count unchanged
  EXPECT_EQ(m.GetNamespaceCount(), 2);
  EXPECT_EQ(m.GetAliasFromNamespace("urn:a"), "b");
  EXPECT_FALSE(m.DoesAliasExist("a"));
  EXPECT_TRUE(m.DoesAliasExist("b"));
  EXPECT_TRUE(m.DoesNamespaceExist("urn:z"));
  EXPECT_EQ(m.GetAliasFromNamespace("urn:none"), "");
  m.Add("b", "urn:0");  // aliases may be shared; the first URI in order wins
  EXPECT_EQ(m.GetNamespaceFromAlias("b"), "urn:0");
  m.RemoveNamespace("urn:0");
  m.RemoveNamespace("urn:absent");
  EXPECT_EQ(m.GetNamespaceFromAlias("b"), "urn:a");
  vxtest::ExpectFailure<CVxException>([&] { m.GetNamespaceFromAlias("q"); },
                                      "Namespace alias [q] not found");
  vxtest::ExpectFailure<CVxInvalidParamException>([&] { m.GetNamespaceAt(2); },
                                                  "Index 2 is out of range, use 0 - 1");
}

TEST(SerializationContext, AdditionalRootAttributesAreShared) {
  CXmlSerializationContext c;
  CXmlSerializationContext copiedBefore(c);  // creates its own collection when asked
  CSmartPtr<CAttributeCol> attributes = c.GetAdditionalRootAttributes();
  EXPECT_EQ(attributes->GetNamespaceRestriction(), "##any");
  CXmlSerializationContext copiedAfter(c), assigned;
  assigned = c;
  attributes->Add("schemaLocation", "urn:s s.xsd", "http://www.w3.org/2001/XMLSchema-instance");
  copiedAfter.GetAdditionalRootAttributes()->Add("k", "v", "urn:k");
  EXPECT_EQ(std::to_string(c.GetAdditionalRootAttributes()->GetCount()) +
                std::to_string(assigned.GetAdditionalRootAttributes()->GetCount()) +
                std::to_string(copiedBefore.GetAdditionalRootAttributes()->GetCount()),
            "220");
  // The collection outlives the contexts for as long as someone holds it.
  CSmartPtr<CAttributeCol> kept = CXmlSerializationContext().GetAdditionalRootAttributes();
  kept->Add("a");
  EXPECT_EQ(kept->AddRef(), 2);  // only `kept` and this call
  kept->Release();
}
