#include "vxxml/SerializationContext.h"

#include <gtest/gtest.h>

#include "vxxml/Exception.h"

using namespace VxXmlLib10;

TEST(SerializationContext, Defaults) {
  CXmlSerializationContext c;
  EXPECT_TRUE(c.GetWriteTypeAttribute());
  EXPECT_TRUE(c.GetStripCDATA());
  EXPECT_FALSE(c.GetIgnoreUnknownAttributes());
  EXPECT_FALSE(c.GetIgnoreUnknownElements());
  EXPECT_FALSE(c.GetIgnoreMissingMandatoryElements());
  EXPECT_FALSE(c.GetIgnoreMissingChoice());
  EXPECT_FALSE(c.GetIgnoreInvalidCollectionCounts());
  EXPECT_FALSE(c.GetIgnoreNamespaces());
  EXPECT_FALSE(c.GetNoOptionalAttributeDefaultOutput());
  EXPECT_EQ(c.GetSchemaType(), SchemaType_Default);
  EXPECT_EQ(c.GetDefaultNamespaceURI(), "");
  EXPECT_EQ(c.GetInLineSchema(), "");
  EXPECT_TRUE(c.GetProcessingInstructions().empty());
  EXPECT_EQ(c.GetNamespaceAliases().GetNamespaceCount(), 0);
  EXPECT_EQ(c.GetFIContext().GetAttributeMaxAddLength(), 6u);
  // The ratio and depth bounds are seen at work in the reader tests.
  EXPECT_EQ(c.GetMaxDecompressedSize(), 1ull << 30);
  EXPECT_EQ(c.GetMaxElements(), 0u);
  EXPECT_TRUE(CXmlSerializationContext::m_defaultContext.GetStripCDATA());
}

TEST(SerializationContext, NoNamespacesImpliesIgnoreNamespaces) {
  CXmlSerializationContext c;
  c.SetSchemaType(SchemaType_NoNamespaces);
  EXPECT_TRUE(c.GetIgnoreNamespaces());
  c.SetSchemaType(SchemaType_Default);
  EXPECT_FALSE(c.GetIgnoreNamespaces());
  c.SetSchemaType(SchemaType_Alternate);
  EXPECT_FALSE(c.GetIgnoreNamespaces());
  c.SetIgnoreNamespaces(true);
  EXPECT_TRUE(c.GetIgnoreNamespaces());
}

TEST(SerializationContext, ReadingRelaxationsExcludeEachOther) {
  CXmlSerializationContext c;
  c.SetIgnoreUnknownElements(true);
  try {
    c.SetIgnoreMissingMandatoryElements(true);
    FAIL();
  } catch (const CVxInvalidStateException& e) {
    EXPECT_EQ(e.GetFullMessage(),
              "The parser can only ignore additional elements, or ignore the fact that some "
              "required ones are missing, you can not ignore both\n"
              "Set IgnoreUnknownElements to false before setting "
              "IgnoreMissingMandatoryElements to true");
  }
  EXPECT_FALSE(c.GetIgnoreMissingMandatoryElements());
  c.SetIgnoreMissingMandatoryElements(false);  // clearing always works
  c.SetIgnoreUnknownElements(false);
  c.SetIgnoreMissingMandatoryElements(true);
  EXPECT_TRUE(c.GetIgnoreMissingMandatoryElements());
  try {
    c.SetIgnoreUnknownElements(true);
    FAIL();
  } catch (const CVxInvalidStateException& e) {
    EXPECT_EQ(e.GetFullMessage(),
              "The parser can only ignore additional elements, or ignore the fact that some "
              "required ones are missing, you can not ignore both\n"
              "Set IgnoreMissingMandatoryElements to false before setting "
              "IgnoreUnknownElements to true");
  }
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
}

TEST(NamespaceAliasMap, Failures) {
  CNamespaceAliasMap m;
  m.Add("p", "urn:p");
  try {
    m.GetNamespaceFromAlias("q");
    FAIL();
  } catch (const CVxException& e) {
    EXPECT_EQ(typeid(e), typeid(CVxException));
    EXPECT_EQ(e.GetFullMessage(), "Namespace alias [q] not found");
  }
  try {
    m.GetNamespaceAt(1);
    FAIL();
  } catch (const CVxInvalidParamException& e) {
    EXPECT_EQ(e.GetFullMessage(), "Index 1 is out of range, use 0 - 0");
  }
}

TEST(SerializationContext, AdditionalRootAttributesAreShared) {
  CXmlSerializationContext early;
  CXmlSerializationContext c;
  CXmlSerializationContext copiedBefore(c);
  CSmartPtr<CAttributeCol> attributes = c.GetAdditionalRootAttributes();
  ASSERT_FALSE(attributes.IsNull());
  EXPECT_EQ(attributes->GetNamespace(), "");
  EXPECT_EQ(attributes->GetNamespaceRestriction(), "##any");
  EXPECT_EQ(attributes->GetRestrictionTargetNamespace(), "");
  EXPECT_EQ(attributes->GetElementName(), "");
  EXPECT_EQ(c.GetAdditionalRootAttributes().Get(), attributes.Get());  // the same each time

  CXmlSerializationContext copiedAfter(c);
  CXmlSerializationContext assigned;
  assigned = c;
  attributes->Add("schemaLocation", "urn:s s.xsd", "http://www.w3.org/2001/XMLSchema-instance");
  EXPECT_EQ(copiedAfter.GetAdditionalRootAttributes().Get(), attributes.Get());
  EXPECT_EQ(assigned.GetAdditionalRootAttributes()->GetCount(), 1);
  copiedAfter.GetAdditionalRootAttributes()->Add("k", "v", "urn:k");
  EXPECT_EQ(c.GetAdditionalRootAttributes()->GetCount(), 2);

  // A copy made before the first call creates its own collection.
  EXPECT_NE(copiedBefore.GetAdditionalRootAttributes().Get(), attributes.Get());
  EXPECT_EQ(copiedBefore.GetAdditionalRootAttributes()->GetCount(), 0);
  EXPECT_NE(early.GetAdditionalRootAttributes().Get(), attributes.Get());

  // The collection outlives the contexts for as long as someone holds it.
  CSmartPtr<CAttributeCol> kept;
  {
    CXmlSerializationContext scoped;
    kept = scoped.GetAdditionalRootAttributes();
    kept->Add("a");
  }
  EXPECT_EQ(kept->Item(0)->GetName(), "a");
  EXPECT_EQ(kept->AddRef(), 2);  // only `kept` and this call
  kept->Release();
}
